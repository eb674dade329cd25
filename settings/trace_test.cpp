#include "settings/trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/files.h"
#include "testing/test_files.h"
#include "settings/settings.h"

namespace {

namespace fs = std::filesystem;
using kftest::ReadAll;

std::string Log() { return Dir_DataFile("\\TraceFile.txt"); }

TraceTime g_FakeTime;

class TraceLog : public ::testing::Test {
 protected:
  void SetUp() override {
    g_Settings = SettingsState{};
    g_Settings.Debug = 1;
    g_Trace = TraceState{};
    Dir_SetData(scratch_.Dir());
    g_FakeTime = TraceTime{2026, 3, 5, 9, 7, 3};
    g_Trace.now = [] { return g_FakeTime; };
  }
  void TearDown() override {
    g_Settings = SettingsState{};
    g_Trace = TraceState{};
  }
  kftest::ScratchFolder scratch_{"kf_trace_"};
};

}  // namespace

TEST(TraceFormat, TwoDigitFieldsAndSeparators) {
  EXPECT_EQ(App_FormatTraceLine(TraceTime{2026, 3, 5, 9, 7, 3}, "x"), "03/05/2026,09:07:03: x\r\n");
  EXPECT_EQ(App_FormatTraceLine(TraceTime{2026, 12, 5, 9, 4, 7}, "_tWinMain Entered"),
            "12/05/2026,09:04:07: _tWinMain Entered\r\n");
  EXPECT_EQ(App_FormatTraceLine(TraceTime{1999, 10, 31, 23, 59, 59}, ""), "10/31/1999,23:59:59: \r\n");
  EXPECT_EQ(App_FormatTraceLine(TraceTime{2030, 1, 1, 0, 0, 0}, "a b"), "01/01/2030,00:00:00: a b\r\n");
  EXPECT_EQ(App_FormatTraceLine(TraceTime{800, 1, 1, 0, 0, 0}, "y"), "01/01/800,00:00:00: y\r\n");
  EXPECT_EQ(App_FormatTraceLine(TraceTime{2026, 3, 5, 9, 7, 3}, nullptr), "03/05/2026,09:07:03: \r\n");
}

TEST(TraceFormat, LongMessagesAreCutSoTheLineFitsOneHundredBytes) {
  const TraceTime t{2026, 3, 5, 9, 7, 3};
  const std::string fits(76, 'm');
  const std::string line = App_FormatTraceLine(t, fits.c_str());
  EXPECT_EQ(line, "03/05/2026,09:07:03: " + fits + "\r\n");
  EXPECT_EQ(line.size(), 99u);  // and the terminator makes 100
  const std::string huge(100000, 'h');
  EXPECT_EQ(App_FormatTraceLine(t, huge.c_str()), "03/05/2026,09:07:03: " + std::string(76, 'h') + "\r\n");
}

TEST_F(TraceLog, AppendsOneLinePerCallAndCreatesAMissingFile) {
  EXPECT_FALSE(File_Exists(Log()));
  App_WriteTrace("_tWinMain Entered");
  EXPECT_EQ(ReadAll(Log()), "03/05/2026,09:07:03: _tWinMain Entered\r\n");
  g_FakeTime = TraceTime{2026, 11, 12, 13, 14, 15};
  App_Trace("_tWinMain Exited");
  EXPECT_EQ(ReadAll(Log()),
            "03/05/2026,09:07:03: _tWinMain Entered\r\n11/12/2026,13:14:15: _tWinMain Exited\r\n");
}

TEST_F(TraceLog, ExistingFileIsAppendedNeverOverwritten) {
  ASSERT_TRUE(kftest::WriteAll(Log(), "older run\r\nno line end"));
  App_WriteTrace("OnMenuMode4 Entered");
  EXPECT_EQ(ReadAll(Log()), "older run\r\nno line end03/05/2026,09:07:03: OnMenuMode4 Entered\r\n");
}

TEST_F(TraceLog, SwitchOffWritesNothingAndAnyNonZeroIsOn) {
  g_Settings.Debug = 0;
  App_WriteTrace("a");
  App_Trace("b");
  EXPECT_FALSE(File_Exists(Log()));
  g_Settings.Debug = -3;
  App_Trace("c");
  EXPECT_EQ(ReadAll(Log()), "03/05/2026,09:07:03: c\r\n");
}

TEST_F(TraceLog, UnwritablePlaceLosesTheLineSilently) {
  Dir_SetData(Path_Join(scratch_.Dir(), "\\missing folder"));
  App_WriteTrace("lost");
  EXPECT_FALSE(Dir_Exists(Path_Join(scratch_.Dir(), "\\missing folder")));
  Dir_SetData(scratch_.Dir());
  ASSERT_TRUE(fs::create_directory(fs::u8path(Log())));  // a folder where the log would be
  App_WriteTrace("lost");
  EXPECT_TRUE(Dir_Exists(Log()));
}

TEST_F(TraceLog, LocalClockIsUsedWithoutAReplacement) {
  g_Trace.now = nullptr;
  App_WriteTrace("now");
  const std::string line = ReadAll(Log());
  ASSERT_EQ(line.size(), 21u + 3 + 2) << line;
  int month = 0, day = 0, year = 0, hour = -1, minute = -1, second = -1;
  ASSERT_EQ(std::sscanf(line.c_str(), "%2d/%2d/%4d,%2d:%2d:%2d: ", &month, &day, &year, &hour, &minute, &second), 6);
  EXPECT_TRUE(month >= 1 && month <= 12 && day >= 1 && day <= 31 && year >= 2020);
  EXPECT_TRUE(hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 60);
  EXPECT_EQ(line.substr(19), ": now\r\n");
}
