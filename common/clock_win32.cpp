// The local clock of the Windows build: the time the machine shows, as the HTML report takes it.
#include <windows.h>

#include "common/clock.h"

LocalTime Clock_LocalNow() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
