// The trace log's clock in the Windows build: the machine's local time, the same the HTML report
// shows, whatever a TZ variable tells the C runtime.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "testing/test_files.h"
#include "common/files.h"
#include "settings/settings.h"
#include "settings/trace.h"

namespace {

// 100 ns units since 1601, cut to whole seconds.
ULONGLONG Seconds(const SYSTEMTIME& t) {
  FILETIME f = {};
  if (!SystemTimeToFileTime(&t, &f)) return 0;
  return ((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000000ULL;
}

TEST(TraceClock, LinesCarryTheMachinesLocalTimeWhateverTZSays) {
  kftest::ScratchFolder scratch("kf_trace_clock_");
  const char* saved = std::getenv("TZ");
  const std::string savedTz = saved ? saved : "";
  // Nine and a half hours off any whole-hour zone the machine may be in.
  _putenv("TZ=KFT-09:30");
  _tzset();
  g_Settings = SettingsState{};
  g_Settings.Debug = 1;
  g_Trace = TraceState{};
  const std::string savedData = Dir_Data();
  Dir_SetData(scratch.Dir());

  SYSTEMTIME before = {}, after = {};
  GetLocalTime(&before);
  App_WriteTrace("clock");
  GetLocalTime(&after);

  _putenv(("TZ=" + savedTz).c_str());
  _tzset();
  g_Settings = SettingsState{};
  g_Trace = TraceState{};
  Dir_SetData(savedData);

  const std::string line = kftest::ReadAll(scratch.File("TraceFile.txt"));
  SYSTEMTIME shown = {};
  int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
  ASSERT_EQ(std::sscanf(line.c_str(), "%2d/%2d/%4d,%2d:%2d:%2d: ", &month, &day, &year, &hour, &minute, &second), 6)
      << line;
  shown.wYear = static_cast<WORD>(year);
  shown.wMonth = static_cast<WORD>(month);
  shown.wDay = static_cast<WORD>(day);
  shown.wHour = static_cast<WORD>(hour);
  shown.wMinute = static_cast<WORD>(minute);
  shown.wSecond = static_cast<WORD>(second);
  EXPECT_LE(Seconds(before), Seconds(shown)) << line;
  EXPECT_LE(Seconds(shown), Seconds(after)) << line;
}

}  // namespace
