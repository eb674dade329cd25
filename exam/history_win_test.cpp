// History.csv on the tutor's real window: a row for a completed test and for one stopped with the
// Start/Stop command, the append after whatever the file holds, a file that cannot be written
// (said once in the status bar, the test untouched), and the report's progress section.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/app.h"
#include "app/toolbar_win.h"
#include "common/text.h"
#include "resources/resource.h"
#include "testing/window_test_support.h"
#include "exam/history.h"
#include "exam/history_win.h"
#include "exam/report_win.h"
#include "exam/exam_screen_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

namespace {

// wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds
constexpr SYSTEMTIME kSaturdayEvening = {2026, 12, 6, 5, 21, 23, 41, 500};
void WINAPI FixedLocalTime(LPSYSTEMTIME time) { *time = kSaturdayEvening; }
HINSTANCE WINAPI NoViewer(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) { return reinterpret_cast<HINSTANCE>(33); }

const std::string kFileStart =
    "\xEF\xBB\xBFTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %\r\n";

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class HistoryTest : public kftest::TypingWindowTest {
 protected:
  void SetUp() override {
    kftest::TypingWindowTest::SetUp();
    g_GetLocalTime = FixedLocalTime;
    g_ShellExecute = NoViewer;
    g_History.failureReported = false;
    now = 50000;
  }
  void TearDown() override {
    g_GetLocalTime = GetLocalTime;
    g_ShellExecute = ShellExecuteW;
    g_History.failureReported = false;
    kftest::TypingWindowTest::TearDown();
  }

  std::wstring Path(const wchar_t* name) const { return dir_ + L"\\" + name; }
  std::string History() const { return kftest::ReadBytes(Path(L"History.csv")); }
  static std::wstring Status() {
    wchar_t text[200] = {};
    SendMessageW(g_App.statusBar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    return text;
  }
  static std::string Figure(int row) { return Narrow(kftest::WindowText(g_TypingScreen.values[row])); }

  // A short test started and stopped with the command: "Thx", Backspace, "e qu".
  static void StoppedTest() {
    kftest::Command(IDM_CLEAR);
    kftest::Command(IDT_START_STOP);
    TypeTo(g_TypingScreen.typingArea, L"Thx\be qu");
    kftest::Command(IDT_START_STOP);
  }
};

TEST_F(HistoryTest, ACompletedTestAndAStoppedOneAppendOneRowEach) {
  OpenMainWindow(4, 1);
  kftest::Command(IDT_START_STOP);
  kftest::Command(IDT_START_STOP);
  EXPECT_EQ(History(), "") << "a test without a keystroke leaves no row";
  kftest::Command(IDT_START_STOP);
  TypeTo(g_TypingScreen.typingArea, L"\b\b");
  kftest::Command(IDT_START_STOP);
  EXPECT_EQ(History(), "") << "nor does one of Backspaces alone";

  TypeTo(g_TypingScreen.typingArea, L"The quick brown fox, the lazy dog.");
  ASSERT_EQ(g_Typing.testRunning, 0);
  // The figures the statistics rows show, as they show them.
  const std::string completed = "2026-12-05T21:23:41,EN,Sample_Unicode.txt,1," + Figure(0) + "," + Figure(1) + "," +
                                Figure(2) + "," + Figure(3) + "," + Figure(4) + ",0,100.00\r\n";
  EXPECT_EQ(History(), kFileStart + completed);

  // A sample of the user's own, whose name needs quotes.
  const std::wstring own = Path(L"my, text.txt");
  ASSERT_TRUE(kftest::WriteBytes(own, kftest::SampleBytes(kftest::kSampleEN)));
  Text16 text;
  ASSERT_EQ(Mode4_LoadFile(text, own.c_str()), 1);
  Mode4_UseSampleText(text);
  StoppedTest();
  ASSERT_EQ(Figure(1), "600.00");
  // 8 keystrokes in 0.8 s, one a Backspace and one an error: 6 of 7 character keys right.
  EXPECT_EQ(History(), kFileStart + completed +
                           "2026-12-05T21:23:41,EN,\"my, text.txt\",0,0.01,600.00,6,2,150.00,1,85.71\r\n");
  // The last part keeps the stop's own errors figure: nothing to report.
  EXPECT_EQ(Status(), L"Errors: 1");
}

TEST_F(HistoryTest, AFileThatCannotBeWrittenIsSaidOnceAndTheTestGoesOn) {
  OpenMainWindow(4, 1);
  // A read-only History.csv keeps its bytes and its attribute.
  ASSERT_TRUE(kftest::WriteBytes(Path(L"History.csv"), "mine"));
  ASSERT_TRUE(SetFileAttributesW(Path(L"History.csv").c_str(), FILE_ATTRIBUTE_READONLY));
  StoppedTest();
  EXPECT_EQ(History(), "mine");
  EXPECT_EQ(GetFileAttributesW(Path(L"History.csv").c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  SetFileAttributesW(Path(L"History.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Status(), L"History.csv could not be written");
  // The test itself stopped and shows its figures.
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(kftest::ButtonImage(IDT_START_STOP), IMG_START);
  EXPECT_EQ(Figure(1), "600.00");
  EXPECT_TRUE(kftest::g_ShownMessages.empty());

  // Once per run: a folder in the way fails again without a word.
  ASSERT_TRUE(DeleteFileW(Path(L"History.csv").c_str()));
  ASSERT_TRUE(CreateDirectoryW(Path(L"History.csv").c_str(), nullptr));
  SendMessageW(g_App.statusBar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L""));
  StoppedTest();
  EXPECT_EQ(Status(), L"Errors: 1");
  EXPECT_EQ(Figure(1), "600.00");
  EXPECT_FALSE(Csv_AppendRows(Mode4_HistoryPath(), CsvForm(), Mode4_HistoryFileStart,
                              [](const CsvForm&) { return std::string("row\r\n"); }));
}

TEST_F(HistoryTest, TheReportChartsTheTestsOfItsLanguageAfterItsOwnPart) {
  OpenMainWindow(4, 1);
  // The report is offered after a completed test.
  TypeTo(g_TypingScreen.typingArea, L"The quick brown fox, the lazy dog.");
  ASSERT_EQ(g_Typing.testRunning, 0);
  kftest::Command(IDM_HTML_REPORT);
  const std::string without = kftest::ReadBytes(Path(L"Report.htm"));
  const size_t ownPart = without.find("<hr>", without.find("</table>")) + 4;
  ASSERT_GT(ownPart, 4u);

  std::string history = kFileStart;
  for (int i = 0; i < 3; ++i) history += "2026-11-0" + std::to_string(i + 1) + "T10:00:00,EN,s.txt,1,1.00,3" +
                                         std::to_string(i) + "0.00,200,40,40.00," + std::to_string(i) + ",99.00\r\n";
  history += "a row edited by hand\r\n2026-11-04T10:00:00,FR,s.txt,1,1.00,100.00,200,40,40.00,0,100.00\r\n";
  ASSERT_TRUE(kftest::WriteBytes(Path(L"History.csv"), history));
  kftest::Command(IDM_HTML_REPORT);
  const std::string report = kftest::ReadBytes(Path(L"Report.htm"));
  EXPECT_EQ(report.substr(0, ownPart), without.substr(0, ownPart));
  EXPECT_EQ(report.compare(ownPart, 48, "\r\n<h3 align='center'>Progress: English</h3>\r\n<p "), 0);
  EXPECT_EQ(Count(report, "<circle class='cpm'"), 3u);
  EXPECT_NE(report.find("<td>Best CPM of the last 50 tests: </td><td>320.00 (11/03/26)</td>"), std::string::npos);
  EXPECT_NE(report.find("<td>Mean CPM of the last 10 tests: </td><td>310.00</td>"), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 14), "</body></html>");

  // A French test completed after the switch: the report is in French and charts the French rows
  // (the one written above and this test's).
  kftest::Command(IDM_LANG_FRENCH);
  kftest::Command(IDT_START_STOP);
  TypeTo(g_TypingScreen.typingArea, L"Le renard brun saute. \u00C9t\u00E9!");
  ASSERT_EQ(g_Typing.testRunning, 0);
  kftest::Command(IDM_HTML_REPORT);
  const std::string french = kftest::ReadBytes(Path(L"Report.htm"));
  EXPECT_NE(french.find("<h3 align='center'>Progression: Français</h3>"), std::string::npos);
  EXPECT_EQ(Count(french, "<circle class='cpm'"), 2u);
  // The French test just typed is faster than the 100.00 of the row above.
  EXPECT_NE(french.find("<td>Meilleur CPM des 50 derniers tests: </td><td>" + Figure(1) + " (05/12/26)</td>"),
            std::string::npos);
}

}  // namespace
