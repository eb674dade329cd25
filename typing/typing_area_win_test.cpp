// The typing area's window procedure on real windows: the tutor's main window with its Tests
// screen, character messages with their key data, the toolbar and menu steps of a test, the
// command forwarding, and the rows of the custom words list.
#include <cwchar>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/screens_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "exam/sample_text.h"
#include "exam/exam_screen_win.h"
#include "training/training_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace {

class TypingAreaTest : public kftest::TypingWindowTest {
 protected:
  void SetUp() override {
    kftest::TypingWindowTest::SetUp();
    now = 50000;
  }
  void TearDown() override {
    for (HWND w : extra_) DestroyWindow(w);
    kftest::TypingWindowTest::TearDown();
  }

  void OpenTests() {
    OpenMainWindow(4, 1);
    ASSERT_NE(g_TypingScreen.typingArea, nullptr);
    g_Settings.AlertEnabled = 1;
  }
  static LRESULT Char(HWND area, wchar_t c, UINT keyWord) { return CharTo(area, c, keyWord); }
  static void Type(HWND area, const std::wstring& text) { TypeTo(area, text); }
  static void EmptyWordLists() {
    SendMessageW(g_Training.leftList, LB_RESETCONTENT, 0, 0);
    SendMessageW(g_Training.rightList, LB_RESETCONTENT, 0, 0);
  }
  int Image(int command) { return kftest::ButtonImage(command); }
  int Width(HWND w) {
    const RECT r = kftest::WindowRect(w);
    return r.right - r.left;
  }
  HWND Child(const wchar_t* cls, DWORD style, int id) {
    HWND w = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 600, 400, 200, 200, g_App.mainWindow,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    extra_.push_back(w);
    return w;
  }

  std::vector<HWND> extra_;
};

TEST_F(TypingAreaTest, SampleTypedInTheTestsScreenStartsStopsAndWidensTheWindow) {
  OpenTests();
  HWND area = g_TypingScreen.typingArea;
  ASSERT_EQ(kftest::Wide(g_Sample.text), L"The quick brown fox, the lazy dog.");
  EXPECT_TRUE(kftest::Grayed(IDM_CLEAR));
  EXPECT_EQ(Width(g_App.mainWindow), 560);

  Char(area, L'T', 20);
  EXPECT_EQ(kftest::WindowText(area), L"T");  // inserted by the edit control after the rules
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.testStartTick, 50000u);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_STOP);
  EXPECT_EQ(kftest::ButtonState(IDT_OPEN) & TBSTATE_INDETERMINATE, TBSTATE_INDETERMINATE);
  EXPECT_EQ(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Stop Test\tF6");
  EXPECT_FALSE(kftest::Grayed(IDM_CLEAR));
  EXPECT_EQ(kftest::ButtonState(IDT_CLEAR) & TBSTATE_ENABLED, TBSTATE_ENABLED);
  EXPECT_TRUE(kftest::Grayed(IDM_DETAILED_STATS));
  EXPECT_TRUE(kftest::Grayed(IDM_HTML_REPORT));

  // A wrong letter beeps before it is inserted; Backspace never beeps.
  Char(area, L'x', 45);
  ASSERT_EQ(beeps.size(), 1u);
  EXPECT_EQ(beeps[0].frequency, 2000u);
  EXPECT_EQ(beeps[0].duration, 200u);
  EXPECT_EQ(beeps[0].areaText, L"T");
  EXPECT_EQ(kftest::WindowText(area), L"Tx");
  Char(area, 8, 14);
  EXPECT_EQ(beeps.size(), 1u);
  EXPECT_EQ(kftest::WindowText(area), L"T");

  Type(area, L"he quick brown fox, the lazy dog");
  EXPECT_EQ(g_Typing.testRunning, 1);
  ASSERT_EQ(g_Words.testWords.size(), 7u);
  EXPECT_EQ(kftest::Wide(g_Words.testWords[0].word), L"The");
  EXPECT_EQ(g_Words.testWords[0].errors, 1);
  EXPECT_FLOAT_EQ(g_Words.testWords[0].seconds, 0.5f);  // T, x, Backspace, h, e, then the space
  EXPECT_EQ(g_Words.testWords[3].errors, 0);            // 'fox,' looked up as 'fox'
  const int keystrokesBefore = g_Typing.keystrokes;
  Char(area, L'.', 52);

  EXPECT_EQ(kftest::WindowText(area), L"The quick brown fox, the lazy dog.");
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(g_Words.testWords[6].errors, 0);  // 'dog', timed up to the full stop
  EXPECT_FLOAT_EQ(g_Words.testWords[6].seconds, 0.3f);
  EXPECT_EQ(Width(g_App.mainWindow), 807);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_START);
  EXPECT_EQ(kftest::ButtonState(IDT_OPEN) & TBSTATE_ENABLED, TBSTATE_ENABLED);
  EXPECT_EQ(kftest::ButtonState(IDT_STATISTICS) & TBSTATE_ENABLED, TBSTATE_ENABLED);
  EXPECT_EQ(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Start Test\tF6");
  EXPECT_FALSE(kftest::Grayed(IDM_DETAILED_STATS));
  EXPECT_FALSE(kftest::Grayed(IDM_HTML_REPORT));

  const wchar_t* labels[6] = {L"Time spent (min): ", L"CPM: ", L"Characters: ",
                              L"Words typed: ", L"WPM: ", L"Total errors count: "};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(kftest::WindowText(g_TypingScreen.labels[row]), labels[row]);
  // 36 keystrokes in 3.5 s and all 34 characters: the completing full stop is part of the test.
  EXPECT_EQ(keystrokesBefore, 35);
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[0]), L"0.06");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[1]), L"617.14");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[2]), L"34");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[3]), L"7");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[4]), L"120.00");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[5]), L"1");
  EXPECT_EQ(g_Typing.keystrokes, 36);
}

TEST_F(TypingAreaTest, TestsModeCharacterGivesTheTypingAreaTheFocus) {
  OpenTests();
  HWND area = g_TypingScreen.typingArea;
  SetFocus(g_TypingScreen.sampleView);
  ASSERT_EQ(GetFocus(), g_TypingScreen.sampleView);
  Char(area, L'T', 20);
  EXPECT_EQ(GetFocus(), area);
  SetFocus(g_TypingScreen.sampleView);
  Char(area, L'h', 35);
  EXPECT_EQ(GetFocus(), area);
  EXPECT_EQ(kftest::WindowText(area), L"Th");
  EXPECT_EQ(g_Typing.testErrors, 0);
}

TEST_F(TypingAreaTest, NoBeepWhileTheAlertIsOff) {
  OpenTests();
  g_Settings.AlertEnabled = 0;
  Type(g_TypingScreen.typingArea, L"xy");
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(g_Typing.testErrors, 2);
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.typingArea), L"xy");
}

TEST_F(TypingAreaTest, StartStopCommandFollowsTheTestState) {
  OpenTests();
  SetWindowTextW(g_TypingScreen.values[3], L"earlier");
  g_Tests.lastCompleted = true;  // as a completed test leaves it
  App_UpdateCommands();
  ASSERT_FALSE(kftest::Grayed(IDM_DETAILED_STATS));
  now = 1000;
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.testStartTick, 1000u);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_STOP);
  EXPECT_EQ(kftest::ButtonState(IDT_OPEN) & TBSTATE_INDETERMINATE, TBSTATE_INDETERMINATE);
  EXPECT_EQ(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Stop Test\tF6");
  EXPECT_TRUE(kftest::Grayed(IDM_DETAILED_STATS));
  EXPECT_TRUE(kftest::Grayed(IDM_HTML_REPORT));
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.labels[0]), L"");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[0]), L"");

  Type(g_TypingScreen.typingArea, L"Thexxx");  // no space, yet one word of this test
  now = 1000 + 30000;
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_START);
  EXPECT_EQ(kftest::ButtonState(IDT_STATISTICS) & TBSTATE_ENABLED, TBSTATE_ENABLED);
  EXPECT_EQ(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Start Test\tF6");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[0]), L"0.50");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[1]), L"12.00");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[2]), L"6");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.labels[3]), L"Words typed: ");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[3]), L"1");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[4]), L"2.00");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[5]), L"3");
  // A stop by command leaves the reports greyed and the window narrow.
  EXPECT_TRUE(kftest::Grayed(IDM_DETAILED_STATS));
  EXPECT_EQ(Width(g_App.mainWindow), 560);
}

// Puts a marker text into every statistics field, so that what a start or stop leaves is seen.
void MarkStatistics() {
  for (int row = 0; row < 6; ++row) {
    SetWindowTextW(g_TypingScreen.labels[row], (L"label " + std::to_wstring(row + 1)).c_str());
    SetWindowTextW(g_TypingScreen.values[row], (L"value " + std::to_wstring(row + 1)).c_str());
  }
}

void ExpectEveryRowEmptied() {
  for (int row = 0; row < 6; ++row) {
    EXPECT_EQ(kftest::WindowText(g_TypingScreen.labels[row]), L"") << row;
    EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[row]), L"") << row;
  }
}

TEST_F(TypingAreaTest, StartByCommandOrByTheFirstKeyEmptiesEveryRow) {
  OpenTests();
  MarkStatistics();
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  ASSERT_EQ(g_Typing.testRunning, 1);
  ExpectEveryRowEmptied();

  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  ASSERT_EQ(g_Typing.testRunning, 0);
  ASSERT_EQ(g_Typing.keystrokes, 0);
  MarkStatistics();
  Char(g_TypingScreen.typingArea, L'T', 20);  // the automatic start
  ASSERT_EQ(g_Typing.testRunning, 1);
  ExpectEveryRowEmptied();
}

TEST_F(TypingAreaTest, FirstKeyAfterAStartAndStopWithoutKeystrokesStartsATestAgain) {
  OpenTests();
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  ASSERT_EQ(g_Typing.testRunning, 0);
  ASSERT_EQ(g_Typing.keystrokes, 0);
  ASSERT_EQ(Image(IDT_START_STOP), IMG_START);

  now = 70000;
  Char(g_TypingScreen.typingArea, L'T', 20);
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.testStartTick, 70000u);
  EXPECT_EQ(g_Typing.keystrokes, 1);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_STOP);
  EXPECT_EQ(kftest::ButtonState(IDT_OPEN) & TBSTATE_INDETERMINATE, TBSTATE_INDETERMINATE);
  EXPECT_EQ(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Stop Test\tF6");
  // The Stop command then ends this test.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_START);
}

// Clear, a rebuild of the Tests screen, a language switch and a mode change each end a running
// test without figures or a History.csv row; the next key into the empty area starts a fresh test.
TEST_F(TypingAreaTest, LeavingATestAbandonsItAndTheNextKeyStartsAFreshOne) {
  const struct {
    const char* way;
    void (*leave)();
  } ways[] = {
      {"F7 in the typing area",
       [] { kftest::PressKey(g_TypingScreen.typingArea, VK_F7); }},
      {"the Tests screen rebuilt", [] { App_ShowScreen(kModeTests); }},
      {"Ctrl+F", [] { SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0); }},
      {"mode 1 and back", [] {
         SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_MODE_HANDS, 0);
         SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_MODE_TESTS, 0);
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    OpenTests();
    now = 50000;
    Type(g_TypingScreen.typingArea, L"Thx");  // automatic start; one error
    ASSERT_EQ(g_Typing.testRunning, 1);
    way.leave();
    EXPECT_EQ(g_Typing.testRunning, 0);
    EXPECT_EQ(Image(IDT_START_STOP), IMG_START);
    EXPECT_EQ(kftest::ButtonState(IDT_OPEN) & TBSTATE_ENABLED, TBSTATE_ENABLED);
    EXPECT_NE(kftest::MenuText(kftest::Bar(), IDM_START_TEST, MF_BYCOMMAND).find(L"\tF6"), std::wstring::npos);
    EXPECT_EQ(kftest::WindowText(g_TypingScreen.typingArea), L"");
    EXPECT_EQ(GetFileAttributesW((dir_ + L"\\History.csv").c_str()), INVALID_FILE_ATTRIBUTES);

    now = 90000;
    Char(g_TypingScreen.typingArea, g_Settings.Language == 2 ? L'L' : L'T', 20);
    EXPECT_EQ(g_Typing.testRunning, 1);
    EXPECT_EQ(g_Typing.testStartTick, 90000u);
    EXPECT_EQ(g_Typing.testErrors, 0);
    EXPECT_EQ(g_Typing.keystrokes, 1);
    CloseMainWindow();
    g_Typing = TypingState();
  }
}

// F6 on a finished test's text starts the next test on an empty typing area.
TEST_F(TypingAreaTest, StartCommandEmptiesTheTypingArea) {
  OpenTests();
  SendMessageW(g_TypingScreen.typingArea, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"The quick"));
  App_SetClearable(true);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.typingArea), L"");
  EXPECT_TRUE(kftest::Grayed(IDM_CLEAR));
}

// The command keys work where the learner types and in the main window, and nowhere else; About's
// keys only in the main window itself.
TEST_F(TypingAreaTest, CommandKeysWorkInTheTypingAreaAndTheMainWindowOnly) {
  OpenTests();
  HWND area = g_TypingScreen.typingArea;
  kftest::PressKey(area, VK_F6);
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(Image(IDT_START_STOP), IMG_STOP);
  kftest::PressKey(g_App.mainWindow, VK_F6);
  EXPECT_EQ(g_Typing.testRunning, 0);

  Type(area, L"Th");
  EXPECT_FALSE(kftest::Grayed(IDM_CLEAR));
  kftest::PressKey(area, VK_F7);
  EXPECT_EQ(kftest::WindowText(area), L"");
  EXPECT_TRUE(kftest::Grayed(IDM_CLEAR));

  // Another window keeps its keys: F6 there starts nothing.
  HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, g_App.mainWindow, nullptr,
                               nullptr, nullptr);
  kftest::PressKey(other, VK_F6);
  EXPECT_EQ(g_Typing.testRunning, 0);
  DestroyWindow(other);

  // Alt+? typed where the learner types is no command: About stays the main window's own.
  static int dialogs = 0;
  g_DialogBoxParam = [](HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM) -> INT_PTR { return ++dialogs; };
  SetFocus(area);
  SendMessageW(g_App.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 1), 0);  // as the key sends it
  EXPECT_EQ(dialogs, 0);
  SetFocus(g_App.mainWindow);
  SendMessageW(g_App.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 1), 0);
  EXPECT_EQ(dialogs, 1);
  g_DialogBoxParam = DialogBoxParamW;
}

TEST_F(TypingAreaTest, CommandThatRebuildsTheScreenDoesNotReachTheDestroyedControl) {
  OpenTests();
  HWND area = g_TypingScreen.typingArea;
  // Ctrl+F switches the language, which rebuilds the Tests screen under the typing area.
  kftest::PressKey(area, 'F', true);
  EXPECT_FALSE(IsWindow(area));
  ASSERT_NE(g_TypingScreen.typingArea, nullptr);
  EXPECT_NE(g_TypingScreen.typingArea, area);
  EXPECT_EQ(g_Settings.Language, 2);
  EXPECT_EQ(kftest::Wide(g_Sample.text), kftest::Wide(kftest::kSampleFR));
  // The new typing area works as the old one did.
  Type(g_TypingScreen.typingArea, L"Le");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.typingArea), L"Le");
}

// F8 does what the statistics button does after every completed test: with the window open at
// the completion, it closes it, and it opens it again.
TEST_F(TypingAreaTest, F8ActsTheSameAfterEachCompletedTest) {
  ASSERT_TRUE(kftest::WriteBytes(dir_ + L"\\EN\\Tests\\Sample_Unicode.txt", kftest::SampleBytes(u"ab")));
  OpenTests();
  HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(accelerators, nullptr);
  const auto pressF8 = [&] {
    PostMessageW(g_TypingScreen.typingArea, WM_KEYDOWN, VK_F8, 1);
    PostQuitMessage(0);
    App_MessageLoop(accelerators);
  };
  for (int test = 1; test <= 2; ++test) {
    SCOPED_TRACE(test);
    if (test == 2) {
      SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_CLEAR, 0);
      SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_START_STOP, 0);
    }
    Type(g_TypingScreen.typingArea, L"ab");
    ASSERT_EQ(g_Typing.testRunning, 0);
    if (!Mode4_DetailedStatsWindow()) SendMessageW(g_App.mainWindow, WM_COMMAND, IDT_STATISTICS, 0);
    ASSERT_NE(Mode4_DetailedStatsWindow(), nullptr);
    pressF8();
    EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
    pressF8();
    EXPECT_NE(Mode4_DetailedStatsWindow(), nullptr);
    EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);
  }
  DestroyAcceleratorTable(accelerators);
}

TEST_F(TypingAreaTest, HandModesSearchTheWordListBoxesAndSelectTheTypedWord) {
  OpenTests();
  App_ShowScreen(1);  // the hand screen's typing area searches its list boxes
  EmptyWordLists();
  for (const wchar_t* w : {L"sweater", L"war", L"was"})
    SendMessageW(g_Training.leftList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w));
  for (const wchar_t* w : {L"hook", L"monopoly", L"you"})
    SendMessageW(g_Training.rightList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w));
  g_Settings.Mode = 1;
  HWND area = g_TypingScreen.typingArea;

  Type(area, L"WAS ");
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(SendMessageW(g_Training.leftList, LB_GETCURSEL, 0, 0), 2);
  Type(area, L"you ");
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(g_Typing.currentWordList, 2);
  EXPECT_EQ(SendMessageW(g_Training.rightList, LB_GETCURSEL, 0, 0), 2);
  Char(area, L'q', 16);
  ASSERT_EQ(beeps.size(), 1u);
  EXPECT_EQ(beeps[0].areaText, L"WAS you ");
  Char(area, 8, 14);
  EXPECT_EQ(beeps.size(), 1u);
  EXPECT_EQ(g_Typing.keystrokes, 0);
  EXPECT_EQ(g_Typing.testRunning, 0);
}

TEST_F(TypingAreaTest, HandModesFirstKeyOfTheRunBeingASpaceBeepsOnce) {
  OpenTests();
  App_ShowScreen(2);
  EmptyWordLists();
  SendMessageW(g_Training.leftList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"war"));
  SendMessageW(g_Training.rightList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"you"));
  g_Settings.Mode = 2;
  ASSERT_EQ(g_Typing.previousKey, kNoKey);
  Char(g_TypingScreen.typingArea, L' ', 57);
  // The space begins no list word; the empty word after it begins every one.
  EXPECT_EQ(beeps.size(), 1u);
  EXPECT_EQ(g_Typing.wordInProgress, 0);
  Type(g_TypingScreen.typingArea, L"war");
  EXPECT_EQ(beeps.size(), 1u);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
}

TEST_F(TypingAreaTest, CustomWordRowShowsTheNewFigures) {
  OpenTests();
  App_ShowScreen(kModeCustom);  // the custom screen's typing area shows a typed word's figures in its row
  HWND list = g_Training.customList;
  ASSERT_NE(list, nullptr);
  g_Words.customWords.clear();
  for (const wchar_t* w : {L"Was", L"was", L"a"})
    g_Words.customWords.push_back({T16(w), static_cast<int32_t>(wcslen(w)), 0, 0, 0, 0, 0});
  Mode3_ShowCustomRows();
  auto cell = [&](int row, int col) { return kftest::ListCell(list, row, col); };

  Type(App_CurrentTypingArea(), L"was ");  // 0.3 s, the second record; its row is the first ('Was')
  EXPECT_EQ(g_Words.customWords[1].typedCount, 1);
  EXPECT_EQ(cell(0, 2), L"0.30 (0.15)");
  EXPECT_EQ(cell(0, 3), L"0.00");
  EXPECT_EQ(cell(0, 4), L"1");
  EXPECT_EQ(cell(1, 2), L"n/a");

  Type(App_CurrentTypingArea(), L"a ");
  EXPECT_EQ(cell(2, 2), L"0.10 (n/a)");
  EXPECT_EQ(cell(2, 4), L"1");

  Mode3_UpdateWordRow(-1);   // out of range: nothing
  Mode3_UpdateWordRow(99);
  EXPECT_EQ(cell(1, 2), L"n/a");
}

}  // namespace
