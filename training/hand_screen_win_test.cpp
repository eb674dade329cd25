// The screen of modes 1 and 2: its controls and states, the word lists it loads per mode and
// language, what typing does to the lists, the language switch and the start-up in these modes.
#include "app/app.h"
#include "app/links_win.h"
#include "app/menus_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "exam/exam_screen_win.h"
#include "training/training_win.h"
#include "typing/keystrokes.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"

namespace kftest {
namespace {

void ExpectRect(HWND control, int x, int y, int w) {
  ASSERT_NE(control, nullptr);
  const RECT rc = RectIn(control, g_App.mainWindow);
  EXPECT_EQ(rc.left, x);
  EXPECT_EQ(rc.top, y);
  EXPECT_EQ(rc.right - rc.left, w);
}

void ExpectScreenFont(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf = {};
  ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, kTextFace);
  EXPECT_EQ(lf.lfHeight, 20);
  EXPECT_EQ(lf.lfWeight, 0);
  EXPECT_EQ(lf.lfItalic, 0);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
}

std::vector<std::wstring> Entries(HWND list) {
  std::vector<std::wstring> entries;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t buf[100] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    entries.push_back(buf);
  }
  return entries;
}

LRESULT Selected(HWND list) { return SendMessageW(list, LB_GETCURSEL, 0, 0); }

int g_OpenDialogs = 0;

class HandScreenTest : public TypingWindowTest {
 protected:
  void SetUp() override {
    TypingWindowTest::SetUp();
    now = 1000;
  }

  // The Tests screen first, then the hand-practice screen of `mode` by its menu command.
  void OpenHands(int mode) {
    OpenMainWindow(4, 1);
    g_Settings.AlertEnabled = 1;
    Command(mode == 1 ? IDM_MODE_HANDS : IDM_MODE_ALTERNATION);
    ASSERT_EQ(g_Settings.Mode, mode);
    ASSERT_NE(g_TypingScreen.typingArea, nullptr);
    ASSERT_NE(g_Training.leftList, nullptr);
    ASSERT_NE(g_Training.rightList, nullptr);
  }

  static void Char(wchar_t c) { CharTo(g_TypingScreen.typingArea, c); }
  static void Type(const std::wstring& text) { TypeTo(g_TypingScreen.typingArea, text); }
};

TEST_F(HandScreenTest, BuildsItsControlsInPlaceOfTheTestsScreen) {
  OpenHands(1);
  EXPECT_TRUE(Children(L"EDIT", IDC_SAMPLE_VIEW).empty());
  ASSERT_EQ(Children(L"EDIT", IDC_TYPING_AREA).size(), 1u);
  ASSERT_EQ(Children(L"LISTBOX", IDC_LEFT_LIST).size(), 1u);
  ASSERT_EQ(Children(L"LISTBOX", IDC_RIGHT_LIST).size(), 1u);
  EXPECT_EQ(Children(L"EDIT", IDC_TYPING_AREA)[0], g_TypingScreen.typingArea);
  EXPECT_EQ(Children(L"LISTBOX", IDC_LEFT_LIST)[0], g_Training.leftList);
  EXPECT_EQ(Children(L"LISTBOX", IDC_RIGHT_LIST)[0], g_Training.rightList);

  ExpectRect(g_TypingScreen.typingArea, 170, 60, 505);
  EXPECT_EQ(RectIn(g_TypingScreen.typingArea, g_App.mainWindow).bottom, 60 + 282);
  ExpectRect(g_Training.leftList, 25, 60, 120);
  ExpectRect(g_Training.rightList, 700, 60, 120);
  // A list box shrinks to whole lines, never grows past the height asked for.
  EXPECT_LE(RectIn(g_Training.leftList, g_App.mainWindow).bottom, 60 + 300);
  EXPECT_GT(RectIn(g_Training.leftList, g_App.mainWindow).bottom, 60 + 250);

  const LONG edit = GetWindowLongW(g_TypingScreen.typingArea, GWL_STYLE);
  EXPECT_TRUE(edit & ES_MULTILINE);
  EXPECT_TRUE(edit & ES_AUTOVSCROLL);
  EXPECT_TRUE(edit & WS_VISIBLE);
  EXPECT_FALSE(edit & ES_READONLY);
  for (HWND list : {g_Training.leftList, g_Training.rightList}) {
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_FALSE(style & LBS_SORT);
    EXPECT_FALSE(style & LBS_NOTIFY);
    ExpectScreenFont(list);
  }
  ExpectScreenFont(g_TypingScreen.typingArea);
  // The typing area runs the typing rules.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(g_TypingScreen.typingArea, GWLP_WNDPROC)), App_TypingAreaProc);
  EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);

  const RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 860);
  EXPECT_EQ(rc.bottom - rc.top, 450);
  const POINT at = CentredOnDesktop(860, 450);
  EXPECT_EQ(rc.left, at.x);
  EXPECT_EQ(rc.top, at.y);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer");
}

TEST_F(HandScreenTest, CreatesItsControlsInOrderWithTheirStyles) {
  OpenMainWindow(4, 1);
  g_Created.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  Command(IDM_MODE_ALTERNATION);
  UnhookWindowsHookEx(hook);
  const DWORD base = WS_CHILD | WS_VISIBLE | WS_BORDER;
  ASSERT_EQ(g_Created.size(), 3u);
  EXPECT_EQ(_wcsicmp(g_Created[0].className.c_str(), L"EDIT"), 0);
  EXPECT_EQ(g_Created[0].id, IDC_TYPING_AREA);
  EXPECT_EQ(g_Created[0].style, base | ES_MULTILINE | ES_AUTOVSCROLL);
  for (size_t i : {1u, 2u}) {
    EXPECT_EQ(_wcsicmp(g_Created[i].className.c_str(), L"LISTBOX"), 0);
    EXPECT_EQ(g_Created[i].style, base | WS_VSCROLL);
  }
  EXPECT_EQ(g_Created[1].id, IDC_LEFT_LIST);
  EXPECT_EQ(g_Created[2].id, IDC_RIGHT_LIST);
}

TEST_F(HandScreenTest, MenuAndToolbarStatesFollowTheMode) {
  OpenHands(1);
  EXPECT_TRUE(Grayed(IDM_OPEN));
  EXPECT_TRUE(Grayed(IDM_MODE_HANDS));
  EXPECT_FALSE(Grayed(IDM_MODE_ALTERNATION));
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));  // no Custom_Words.dat
  EXPECT_FALSE(Grayed(IDM_MODE_TESTS));
  for (UINT id : {IDM_START_TEST, IDM_CLEAR, IDM_DETAILED_STATS, IDM_HTML_REPORT}) EXPECT_TRUE(Grayed(id)) << id;
  for (int id : {IDT_OPEN, IDT_START_STOP, IDT_STATISTICS})
    EXPECT_TRUE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;
  for (int id : {IDT_ALERT, IDT_CLEAR}) EXPECT_FALSE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;

  // The sound alert item keeps its state across the screen change.
  Command(IDT_ALERT);
  WriteList(L"EN", L"Custom_Words.dat", "war\r\n");
  Command(IDM_MODE_ALTERNATION);
  EXPECT_FALSE(Grayed(IDM_MODE_HANDS));
  EXPECT_TRUE(Grayed(IDM_MODE_ALTERNATION));
  EXPECT_FALSE(Grayed(IDM_MODE_CUSTOM));  // the custom list exists now
  EXPECT_FALSE(Grayed(IDM_MODE_TESTS));
  EXPECT_EQ(MenuText(Bar(), IDM_SOUND_ALERT, MF_BYCOMMAND), L"Enable Sound &Alert");
  EXPECT_TRUE(Grayed(IDM_OPEN));

  // Back to the Tests screen: its buttons come back.
  Command(IDM_MODE_TESTS);
  for (int id : {IDT_OPEN, IDT_START_STOP, IDT_STATISTICS})
    EXPECT_FALSE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;
  EXPECT_EQ(g_Training.leftList, nullptr);
  EXPECT_TRUE(Children(L"LISTBOX", IDC_LEFT_LIST).empty());
}

int WINAPI CountOpenDialog(LPOPENFILENAMEW) {
  ++g_OpenDialogs;
  return FALSE;
}

// The Tests screen's own commands (Open, Start Test, Detailed Statistics, HTML Report and their
// buttons) do nothing on the other screens, from the menu, a key at the main window or in the
// typing area; and a state given to a hidden button never shows it.
TEST_F(HandScreenTest, TestsCommandsDoNothingOnTheOtherScreens) {
  WriteList(L"EN", L"Custom_Words.dat", "war\r\n");
  OpenMainWindow(4, 1);
  g_Tests.stopped = true;  // the Tests screen after a completed test: everything enabled
  g_OpenDialogs = 0;
  g_GetOpenFileName = CountOpenDialog;
  for (UINT screen : {IDM_MODE_HANDS, IDM_MODE_ALTERNATION, IDM_MODE_CUSTOM}) {
    SCOPED_TRACE(screen);
    Command(screen);
    g_Tests.lastCompleted = true;
    App_UpdateCommands();
    HWND area = App_CurrentTypingArea();
    ASSERT_NE(area, nullptr);
    const UINT commands[] = {IDM_OPEN, IDM_START_TEST, IDM_DETAILED_STATS, IDM_HTML_REPORT,
                             IDT_OPEN, IDT_START_STOP,  IDT_STATISTICS};
    for (UINT id : commands) {
      Command(id);
      SendMessageW(g_App.mainWindow, WM_COMMAND, MAKEWPARAM(id, 1), 0);  // as a key sends it
    }
    EXPECT_EQ(g_Typing.testRunning, 0);
    EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_START);
    EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
    EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_CLOSED);
    EXPECT_EQ(GetFileAttributesW((dir_ + L"\\Report.htm").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(g_OpenDialogs, 0);
    EXPECT_TRUE(IsWindow(area));
    for (int id : {IDT_OPEN, IDT_START_STOP, IDT_STATISTICS})
      EXPECT_TRUE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;
  }
}

TEST_F(HandScreenTest, ListsHoldTheModesWordsInFileOrder) {
  WriteList(L"EN", L"LTOR_Both.dat", "wash\r\nzoo\r\nwash\r\nabc");  // last line without CR LF
  OpenHands(1);
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"sweater", L"war"}));
  EXPECT_EQ(Entries(g_Training.rightList), (std::vector<std::wstring>{L"monopoly", L"hook"}));

  Command(IDM_MODE_ALTERNATION);
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"wash", L"zoo", L"wash", L"abc"}));
  EXPECT_EQ(Entries(g_Training.rightList), (std::vector<std::wstring>{L"oily"}));
  // Rebuilt whole: one typing area, one of each list box.
  EXPECT_EQ(Children(L"EDIT", IDC_TYPING_AREA).size(), 1u);
  EXPECT_EQ(Children(L"LISTBOX", IDC_LEFT_LIST).size(), 1u);
  EXPECT_EQ(Children(L"LISTBOX", IDC_RIGHT_LIST).size(), 1u);
}

TEST_F(HandScreenTest, MissingListLeavesItsListBoxEmptyAndItsWordsBeep) {
  DeleteFileW((dir_ + L"\\EN\\Training Words\\RH_Words.dat").c_str());
  OpenHands(1);
  EXPECT_EQ(SendMessageW(g_Training.rightList, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(g_Training.leftList, LB_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(g_ShownMessages.empty());
  Type(L"h");
  EXPECT_EQ(beeps.size(), 1u);
}

TEST_F(HandScreenTest, TypedWordIsSelectedInItsListAndTheOtherListFollows) {
  // Long enough to scroll: the entry found is scrolled to the top.
  std::string left = "zulu\r\nwar\r\nwas\r\nwar\r\nsweater\r\n";
  for (int i = 0; i < 40; ++i) left += "zz" + std::to_string(i) + "\r\n";
  WriteList(L"EN", L"LH_Words.dat", left);
  OpenHands(1);
  ASSERT_EQ(g_Typing.currentWordList, 1);

  Type(L"WAR ");  // upper case matches; the first of two entries is chosen
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(Selected(g_Training.leftList), 1);
  EXPECT_EQ(SendMessageW(g_Training.leftList, LB_GETTOPINDEX, 0, 0), 1);

  Type(L"hook ");  // a right-hand word: the right list becomes current, without a beep
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(g_Typing.currentWordList, 2);
  EXPECT_EQ(Selected(g_Training.rightList), 1);
  EXPECT_EQ(Selected(g_Training.leftList), 1);

  Type(L"swe ");  // only the beginning of a word: nothing selected, no beep
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(Selected(g_Training.leftList), 1);
  EXPECT_EQ(SendMessageW(g_Training.leftList, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_EQ(Selected(g_Training.rightList), 1);
  EXPECT_EQ(g_Typing.currentWordList, 1);  // the prefix was found in the left list

  Type(L"q");  // no entry begins with "q"
  ASSERT_EQ(beeps.size(), 1u);
  EXPECT_EQ(beeps[0].frequency, 2000u);
  EXPECT_EQ(beeps[0].duration, 200u);
  Char(8);  // Backspace never beeps
  EXPECT_EQ(beeps.size(), 1u);
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"WAR hook swe ");
  // Every character enables the clear command.
  EXPECT_FALSE(Grayed(IDM_CLEAR));
  EXPECT_EQ(ButtonState(IDT_CLEAR) & TBSTATE_ENABLED, TBSTATE_ENABLED);

  g_Settings.AlertEnabled = 0;
  Type(L"x");
  EXPECT_EQ(beeps.size(), 1u);
}

TEST_F(HandScreenTest, ModeTwoSearchesItsOwnLists) {
  OpenHands(2);
  Type(L"oily ");
  EXPECT_TRUE(beeps.empty());
  EXPECT_EQ(Selected(g_Training.rightList), 0);
  Type(L"war");  // "wa" begins "wash"; no entry of mode 2 begins with "war"
  EXPECT_EQ(beeps.size(), 1u);
}

TEST_F(HandScreenTest, LanguageSwitchReloadsBothListsAndEmptiesTheTypingArea) {
  OpenHands(1);
  Type(L"war");
  Command(IDM_LANG_FRENCH);
  EXPECT_EQ(g_Settings.Mode, 1);
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"\u00E9t\u00E9", L"bec", L"fee"}));
  EXPECT_EQ(Entries(g_Training.rightList), (std::vector<std::wstring>{L"lui"}));
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"");
  EXPECT_TRUE(Grayed(IDM_CLEAR));
  // The screen is kept, not rebuilt.
  EXPECT_EQ(Children(L"LISTBOX", IDC_LEFT_LIST).size(), 1u);

  Command(IDM_MODE_ALTERNATION);
  PressKey(g_TypingScreen.typingArea, 'E', true);  // Ctrl+E
  EXPECT_EQ(g_Settings.Language, 1);
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"wash"}));
  EXPECT_EQ(Entries(g_Training.rightList), (std::vector<std::wstring>{L"oily"}));
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer");
}

TEST_F(HandScreenTest, ModeKeysInTheTypingAreaBuildTheirScreens) {
  OpenHands(1);
  Type(L"wa");
  HWND old = g_TypingScreen.typingArea;
  PressKey(old, '2', true);  // Ctrl+2
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(g_Settings.Mode, 2);
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"");
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"wash"}));
  EXPECT_TRUE(Grayed(IDM_MODE_ALTERNATION));

  PressKey(g_TypingScreen.typingArea, '1', true);  // Ctrl+1
  EXPECT_EQ(g_Settings.Mode, 1);
  EXPECT_EQ(Entries(g_Training.leftList), (std::vector<std::wstring>{L"sweater", L"war"}));

  // A custom list made now counts from the next screen on: until then Ctrl+3 is greyed and
  // does nothing.
  WriteList(L"EN", L"Custom_Words.dat", "war\r\n");
  HWND hands = g_TypingScreen.typingArea;
  PressKey(hands, '3', true);  // Ctrl+3
  EXPECT_EQ(g_Settings.Mode, 1);
  EXPECT_TRUE(IsWindow(hands));
  PressKey(hands, '1', true);  // Ctrl+1: greyed in mode 1
  EXPECT_TRUE(IsWindow(hands));
  PressKey(hands, '2', true);
  Command(IDM_MODE_ALTERNATION);  // the custom list is offered on the new screen
  PressKey(g_TypingScreen.typingArea, '3', true);
  EXPECT_EQ(g_Settings.Mode, 3);
  EXPECT_EQ(g_Training.leftList, nullptr);
  EXPECT_TRUE(Children(L"LISTBOX", IDC_LEFT_LIST).empty());
  ASSERT_NE(g_Training.customList, nullptr);
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETITEMCOUNT, 0, 0), 1);

  PressKey(g_Training.customTypingArea, '1', true);  // Ctrl+1
  EXPECT_EQ(g_Settings.Mode, 1);
  EXPECT_EQ(g_Training.customList, nullptr);
  EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);
}

TEST_F(HandScreenTest, SupportLinkMovesToTheScreensPlace) {
  OpenMainWindow(4, 1);
  App_CreateSupportLink();
  ASSERT_NE(g_App.supportLink, nullptr);
  Command(IDM_MODE_HANDS);
  RECT rc = RectIn(g_App.supportLink, GetParent(g_App.supportLink));
  EXPECT_EQ(rc.left, 698);
  EXPECT_EQ(rc.top, 4);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, 20);
  Command(IDM_MODE_TESTS);
  EXPECT_EQ(RectIn(g_App.supportLink, GetParent(g_App.supportLink)).left, 400);
  Command(IDM_MODE_ALTERNATION);
  EXPECT_EQ(RectIn(g_App.supportLink, GetParent(g_App.supportLink)).left, 698);
}

// ---- Start-up in the hand modes, as the program starts --------------------------------------

using HandStartTest = ShellTest;

TEST_F(HandStartTest, StartInModeOneOrTwoBuildsTheHandScreen) {
  for (int mode : {1, 2}) {
    ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", std::to_string(mode))));
    EXPECT_EQ(g_Settings.Mode, mode);
    ASSERT_TRUE(Created().seen);
    EXPECT_EQ(Created().width, mode == 1 ? 900 : 600);
    const RECT rc = WindowRect(g_App.mainWindow);
    EXPECT_EQ(rc.right - rc.left, 860);
    EXPECT_EQ(rc.bottom - rc.top, 450 + App_KeyboardBlock(505));  // the live keyboard under the typing area
    ASSERT_NE(g_Training.leftList, nullptr);
    ASSERT_NE(g_Training.rightList, nullptr);
    EXPECT_GT(SendMessageW(g_Training.leftList, LB_GETCOUNT, 0, 0), 10);
    EXPECT_GT(SendMessageW(g_Training.rightList, LB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(g_TypingScreen.sampleView, nullptr);
    EXPECT_TRUE(Grayed(mode == 1 ? IDM_MODE_HANDS : IDM_MODE_ALTERNATION));
    EXPECT_FALSE(Grayed(mode == 1 ? IDM_MODE_ALTERNATION : IDM_MODE_HANDS));
    // The Language submenu is built after the screen.
    EXPECT_NE(LanguageMenu(), nullptr);
    EndRun();
  }
}

}  // namespace
}  // namespace kftest
