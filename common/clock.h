#pragma once
// The machine's local date and time, to the second, from the platform's own clock. On Windows
// that is GetLocalTime: the C runtime's local time follows a TZ variable that Windows ignores.
struct LocalTime {
  int year, month, day, hour, minute, second;
};

LocalTime Clock_LocalNow();
