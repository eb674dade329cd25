// The key figures on the tutor's real window: a test's rows appended to Keys.csv beside
// History.csv after whatever it holds, a Keys.csv that cannot be written (said once, the test
// untouched), the keyboard page written beside Settings.xml and opened, and Practise Weak Keys
// before and after enough tests. The commands that reach these are the shell's to wire.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "common/text.h"
#include "resources/resource.h"
#include "testing/window_test_support.h"
#include "exam/history_win.h"
#include "keys/key_history.h"
#include "exam/report_win.h"
#include "keys/keys_win.h"
#include "keys/key_practice.h"
#include "exam/key_practice_win.h"
#include "keys/keys_win.h"
#include "exam/sample_text.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

namespace {

constexpr HistoryTime kEvening = {2026, 12, 5, 21, 23, 41};
const std::string kFileStart =
    "\xEF\xBB\xBFTime,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds\r\n";

// The stop's clock: the rows of a test carry the time of its History.csv row.
void WINAPI EveningClock(LPSYSTEMTIME time) {
  *time = SYSTEMTIME{};
  time->wYear = static_cast<WORD>(kEvening.year);
  time->wMonth = static_cast<WORD>(kEvening.month);
  time->wDay = static_cast<WORD>(kEvening.day);
  time->wHour = static_cast<WORD>(kEvening.hour);
  time->wMinute = static_cast<WORD>(kEvening.minute);
  time->wSecond = static_cast<WORD>(kEvening.second);
}

std::vector<std::wstring> g_Opened;
HINSTANCE WINAPI RecordViewer(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_Opened.push_back(std::wstring(verb ? verb : L"") + L" " + (file ? file : L""));
  return reinterpret_cast<HINSTANCE>(33);
}

class KeyFiguresTest : public kftest::TypingWindowTest {
 protected:
  void SetUp() override {
    kftest::TypingWindowTest::SetUp();
    g_ShellExecute = RecordViewer;
    g_Opened.clear();
    g_KeyHistory.failureReported = false;
    g_GetLocalTime = EveningClock;
  }
  void TearDown() override {
    g_ShellExecute = ShellExecuteW;
    g_GetLocalTime = GetLocalTime;
    g_KeyHistory.failureReported = false;
    kftest::TypingWindowTest::TearDown();
  }

  std::wstring Path(const wchar_t* name) const { return dir_ + L"\\" + name; }
  std::string Keys() const { return kftest::ReadBytes(Path(L"Keys.csv")); }
  static std::wstring Status() {
    wchar_t text[200] = {};
    SendMessageW(g_App.statusBar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // A short test started and stopped with the command: "Thx", Backspace, "e qu"; its stop writes
  // its rows.
  static void StoppedTest() {
    kftest::Command(IDM_CLEAR);
    kftest::Command(IDT_START_STOP);
    TypeTo(g_TypingScreen.typingArea, L"Thx\be qu");
    kftest::Command(IDT_START_STOP);
  }
};

TEST_F(KeyFiguresTest, ATestsRowsGoToKeysCsvAfterWhatItHolds) {
  OpenMainWindow(4, 1);
  StoppedTest();
  // 100 ms between keys; the first key is not timed, nor is the e typed after the wrong x's
  // Backspace.
  const std::string rows =
      "2026-12-05T21:23:41,EN,\" \",1,0,,0,1,100\r\n"
      "2026-12-05T21:23:41,EN,T,1,0,,0,0,0\r\n"
      "2026-12-05T21:23:41,EN,e,2,1,x,1,0,0\r\n"
      "2026-12-05T21:23:41,EN,h,1,0,,0,1,100\r\n"
      "2026-12-05T21:23:41,EN,q,1,0,,0,1,100\r\n"
      "2026-12-05T21:23:41,EN,u,1,0,,0,1,100\r\n";
  EXPECT_EQ(Keys(), kFileStart + rows);
  // A last line without its end (edited by hand) keeps its bytes and gets a line end first.
  const std::string edited = kFileStart + "my notes";
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Keys.csv"), edited));
  StoppedTest();
  EXPECT_EQ(Keys(), edited + "\r\n" + rows);
  EXPECT_EQ(Mode4_ReadKeySummary(1).tests, 1u);
  EXPECT_EQ(Status(), L"Errors: 1");
}

TEST_F(KeyFiguresTest, AKeysCsvThatCannotBeWrittenIsSaidOnceAndTheTestGoesOn) {
  OpenMainWindow(4, 1);
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Keys.csv"), "mine"));
  ASSERT_TRUE(SetFileAttributesW(Path(L"Keys.csv").c_str(), FILE_ATTRIBUTE_READONLY));
  StoppedTest();
  EXPECT_EQ(Keys(), "mine");
  EXPECT_EQ(GetFileAttributesW(Path(L"Keys.csv").c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  SetFileAttributesW(Path(L"Keys.csv").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Status(), L"Keys.csv could not be written");
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_TRUE(kftest::g_ShownMessages.empty());

  // Once per run: a folder in the way fails again without a word, and reads as no figures.
  ASSERT_TRUE(DeleteFileW(Path(L"Keys.csv").c_str()));
  ASSERT_TRUE(CreateDirectoryW(Path(L"Keys.csv").c_str(), nullptr));
  SendMessageW(g_App.statusBar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L""));
  StoppedTest();
  EXPECT_EQ(Status(), L"Errors: 1");
  EXPECT_EQ(Mode4_ReadKeySummary(1).tests, 0u);
  App_ShowKeyboardPage();
  EXPECT_EQ(g_Opened.size(), 1u);
}

TEST_F(KeyFiguresTest, TheKeyboardPageIsWrittenBesideTheSettingsAndOpened) {
  OpenMainWindow(4, 3);
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Keys.csv"), std::string("\x00garbage\r\n,,,\r\n", 15)));
  App_ShowKeyboardPage();
  ASSERT_EQ(g_Opened.size(), 1u);
  EXPECT_EQ(g_Opened[0], L"open " + Path(L"Keyboard.htm"));
  const std::string page = kftest::ReadBytes(Path(L"Keyboard.htm"));
  EXPECT_NE(page.find("<html lang='ru'>"), std::string::npos);
  EXPECT_NE(page.find(Text_ToUtf8(u"Пройдите тест")), std::string::npos);  // no figures yet

  std::string rows = kFileStart;
  KeyRow row;
  row.time = kEvening;
  row.language = "RU";
  row.ch = u'\u0436';
  row.expected = 20;
  row.errors = 5;
  row.wrong = u'\u044D';
  row.wrongTimes = 5;
  row.timed = 15;
  row.ms = 3000;
  rows += Mode4_FormatKeyRow(row);
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Keys.csv"), rows));
  App_ShowKeyboardPage();
  EXPECT_NE(kftest::ReadBytes(Path(L"Keyboard.htm")).find("<title>25.0 % (5/20), 300 CPM</title>"),
            std::string::npos);
}

TEST_F(KeyFiguresTest, PractiseWeakKeysNeedsTestsThenLoadsItsTextAsTheSample) {
  OpenMainWindow(4, 1);
  Mode4_PractiseWeakKeys();
  ASSERT_EQ(kftest::g_ShownMessages.size(), 1u);
  EXPECT_EQ(kftest::g_ShownMessages[0].caption, L"Practise Weak Keys");
  EXPECT_EQ(kftest::g_ShownMessages[0].text.find(L"Practice needs a few tests first"), 0u);
  EXPECT_EQ(g_Sample.fileName, "Sample_Unicode.txt");
  EXPECT_EQ(GetFileAttributesW(Path(L"Practice.txt").c_str()), INVALID_FILE_ATTRIBUTES);

  // Two hundred keystrokes, the o slow and often wrong.
  std::string rows = kFileStart;
  const char* fine = "asdfjklhnmtri";
  for (int test = 0; test < 2; ++test) {
    KeyRow row;
    row.time = {2026, 12, 5, 21, 23, test};
    row.language = "EN";
    row.ch = u'o';
    row.expected = 30;
    row.errors = 9;
    row.wrong = u'i';
    row.wrongTimes = 9;
    row.timed = 21;
    row.ms = 21 * 500;
    rows += Mode4_FormatKeyRow(row);
    for (const char* c = fine; *c; ++c) {
      row.ch = static_cast<char16_t>(*c);
      row.expected = 10;
      row.errors = row.wrongTimes = 0;
      row.wrong = 0;
      row.timed = 10;
      row.ms = 1800;
      rows += Mode4_FormatKeyRow(row);
    }
  }
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Keys.csv"), rows));
  kftest::g_ShownMessages.clear();
  Mode4_PractiseWeakKeys();
  EXPECT_TRUE(kftest::g_ShownMessages.empty());
  EXPECT_EQ(g_Sample.fileName, "Practice.txt");
  ASSERT_FALSE(g_Sample.text.empty());
  EXPECT_EQ(kftest::ReadBytes(Path(L"Practice.txt")), Mode4_PracticeFileBytes(g_Sample.text));
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.sampleView), std::wstring(g_Sample.text.begin(), g_Sample.text.end()));
  EXPECT_NE(g_Sample.text.find(u"o"), Text16::npos);
}

}  // namespace
