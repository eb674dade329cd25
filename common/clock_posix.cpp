// The local clock of the native build (Linux), where TZ is the machine's own setting.
#include <ctime>

#include "common/clock.h"

LocalTime Clock_LocalNow() {
  LocalTime t{};
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  if (localtime_r(&now, &tm)) {
    t = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
  return t;
}
