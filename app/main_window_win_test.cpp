// The main window in process: start-up, class and first placement, the command routing, the
// message loop, painting, docking of the statistics window, the placement helpers and the save
// of the last used mode and language at the end of the run.
#include "app/app.h"
#include "app/main_window_win.h"
#include "app/window_win.h"
#include "app/menus_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "testing/window_test_support.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"

namespace kftest {
namespace {

// The narrow Tests screen's window: 820 pixels, and the live keyboard under its 500-pixel texts.
int NarrowHeight() { return 820 + App_KeyboardBlock(500); }


using MainWindowShellTest = ShellTest;

TEST_F(MainWindowShellTest, StartsWithTheClassTitleLocaleAndPathsOfTheSettings) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Language", "2")));
  HWND main = g_App.mainWindow;

  wchar_t cls[100] = {};
  GetClassNameW(main, cls, 100);
  EXPECT_STREQ(cls, L"QUILLKEY");
  wchar_t title[100] = {};
  GetWindowTextW(main, title, 100);
  EXPECT_STREQ(title, L"Keyfarer (Version Fran\u00e7aise)");
  EXPECT_EQ(LANGIDFROMLCID(GetThreadLocale()), 1036);

  EXPECT_EQ(GetClassLongPtrW(main, GCL_STYLE), static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_NE(GetClassLongPtrW(main, GCLP_HICON), 0u);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(main, GWLP_WNDPROC)), App_WndProc);
  LOGBRUSH brush = {};
  ASSERT_EQ(GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(main, GCLP_HBRBACKGROUND)), sizeof(brush), &brush),
            static_cast<int>(sizeof(brush)));
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, RGB(128, 128, 128));

  EXPECT_EQ(Created().style, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
  // The system adds the window edge to every overlapped window itself; nothing else is asked.
  EXPECT_EQ(Created().exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u);
  EXPECT_EQ(Created().menu, nullptr);
  EXPECT_NE(GetMenu(main), nullptr);  // attached after creation, in the language of the settings

  // Read from the installation folder, whatever the working directory.
  EXPECT_EQ(App_SettingsPath(), Dir_Data() + "\\Settings.xml");
  EXPECT_EQ(Text_FromUtf8(Dir_Data()), T16(g_ScratchDir.c_str()));
}

TEST_F(MainWindowShellTest, EnglishTitleAndLocale) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  wchar_t title[100] = {};
  GetWindowTextW(g_App.mainWindow, title, 100);
  EXPECT_STREQ(title, L"Keyfarer");
  EXPECT_EQ(LANGIDFROMLCID(GetThreadLocale()), 1033);
}

TEST_F(MainWindowShellTest, TestsModeIsCreatedCentredOnTheScreenThenTakesTheNarrowFormInTheWorkArea) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  ASSERT_TRUE(Created().seen);
  EXPECT_EQ(Created().width, 560);
  EXPECT_EQ(Created().height, 805);
  EXPECT_EQ(Created().x, (GetSystemMetrics(SM_CXSCREEN) - 560) / 2);
  EXPECT_EQ(Created().y, (GetSystemMetrics(SM_CYSCREEN) - 805) / 2);

  const RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 560);
  EXPECT_EQ(rc.bottom - rc.top, NarrowHeight());
  const POINT at = CentredOnDesktop(560, NarrowHeight());
  EXPECT_EQ(rc.left, at.x);
  EXPECT_EQ(rc.top, at.y);
  EXPECT_TRUE(IsWindowVisible(g_App.mainWindow));
  EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);

  // Started maximized, the window takes that state first and the screen then gives it its size,
  // as a window built out of sight and maximized when shown would not.
  EndRun();
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings(), SW_SHOWMAXIMIZED));
  const RECT maximized = WindowRect(g_App.mainWindow);
  EXPECT_EQ(maximized.right - maximized.left, 560);
  EXPECT_EQ(maximized.bottom - maximized.top, NarrowHeight());
  EXPECT_TRUE(IsWindowVisible(g_App.mainWindow));
  EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);
}

// The first width follows the saved mode; the height is always 805.
TEST_F(MainWindowShellTest, FirstWidthFollowsTheSavedMode) {
  const struct {
    const char* mode;
    int width;
  } cases[] = {{"1", 900}, {"2", 600}, {"3", 600}, {"0", 600}, {"9", 600}, {"-4", 600}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", c.mode)));
    EXPECT_EQ(Created().width, c.width);
    EXPECT_EQ(Created().height, 805);
    EXPECT_EQ(Created().x, (GetSystemMetrics(SM_CXSCREEN) - c.width) / 2);
    EXPECT_EQ(Created().y, (GetSystemMetrics(SM_CYSCREEN) - 805) / 2);
    EndRun();
  }
}

TEST_F(MainWindowShellTest, MissingSettingsDocumentStillGivesAWindow) {
  ASSERT_TRUE(EnterScratchFolder(""));
  entered_ = true;
  DeleteFileW(ScratchPath(L"Settings.xml").c_str());
  ASSERT_TRUE(OpenShell());
  EXPECT_EQ(Created().width, 600);  // mode 0: no screen, the width of modes 2 and 3
  wchar_t title[100] = {};
  GetWindowTextW(g_App.mainWindow, title, 100);
  EXPECT_STREQ(title, L"Keyfarer");
  // Closing a run that changed nothing must not create the document.
  CloseShell();
  EXPECT_EQ(GetFileAttributesW(ScratchPath(L"Settings.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowShellTest, StartUpStepsAreTracedInOrder) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Debug", "1")));
  const std::string trace = ReadBytes(ScratchPath(L"TraceFile.txt"));
  const char* steps[] = {"App_XMLReadSettings Exited", "_tWinMain Entered", "App_InitInstance Entered",
                         "OnMenuMode4 Entered", "OnMenuMode4 Exited", "App_InitInstance Exited"};
  size_t at = 0;
  for (const char* step : steps) {
    const size_t found = trace.find(step, at);
    ASSERT_NE(found, std::string::npos) << step << " missing or out of order in:\n" << trace;
    at = found;
  }
}

TEST_F(MainWindowShellTest, WindowCreationFailureReturnsZeroWithoutTheExitTrace) {
  ASSERT_TRUE(EnterScratchFolder(WithSetting(DefaultSettings(), "Debug", "1")));
  entered_ = true;
  App_PrepareStart();
  lstrcpynW(g_App.className, L"KfNoSuchWindowClass", 100);  // never registered
  EXPECT_FALSE(App_InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
  EXPECT_EQ(g_App.mainWindow, nullptr);
  const std::string trace = ReadBytes(ScratchPath(L"TraceFile.txt"));
  EXPECT_NE(trace.find("App_InitInstance Entered"), std::string::npos);
  EXPECT_EQ(trace.find("App_InitInstance Exited"), std::string::npos);
}

TEST_F(MainWindowShellTest, StartStopTwiceRestoresButtonsAndMenuText) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  ASSERT_EQ(GetMenuItemCount(GetMenu(g_App.mainWindow)), 5);
  EXPECT_EQ(MenuText(IDM_START_TEST), L"&Start Test\tF6");

  for (UINT command : {static_cast<UINT>(IDT_START_STOP), static_cast<UINT>(IDM_START_TEST)}) {
    SCOPED_TRACE(command);
    Command(command);
    EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_STOP);
    EXPECT_TRUE(ButtonState(IDT_OPEN) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(MenuText(IDM_START_TEST), L"&Stop Test\tF6");

    Command(command);
    EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_START);
    EXPECT_EQ(ButtonState(IDT_OPEN) & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE), TBSTATE_ENABLED);
    EXPECT_EQ(ButtonState(IDT_STATISTICS) & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE), TBSTATE_ENABLED);
    EXPECT_EQ(MenuText(IDM_START_TEST), L"&Start Test\tF6");
  }
}

TEST_F(MainWindowShellTest, AlertTwiceRestoresImageMenuTextAndSettingWithoutSaving) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  const std::string before = ReadBytes(ScratchPath(L"Settings.xml"));
  EXPECT_EQ(g_Settings.AlertEnabled, 1);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Disable Sound &Alert");

  for (UINT command : {static_cast<UINT>(IDT_ALERT), static_cast<UINT>(IDM_SOUND_ALERT)}) {
    SCOPED_TRACE(command);
    Command(command);
    EXPECT_EQ(ButtonImage(IDT_ALERT), IMG_ALERT_OFF);
    EXPECT_EQ(g_Settings.AlertEnabled, 0);
    EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Enable Sound &Alert");

    Command(command);
    EXPECT_EQ(ButtonImage(IDT_ALERT), IMG_ALERT_ON);
    EXPECT_EQ(g_Settings.AlertEnabled, 1);
    EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Disable Sound &Alert");
  }
  Command(IDT_ALERT);  // end the run with the alert off: still nothing is written
  // A language switch reloads the menu bar; the alert item still tells that the alert is off.
  Command(IDM_LANG_FRENCH);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Actualiser l'&alerte sonore");
  Command(IDM_LANG_ENGLISH);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Enable Sound &Alert");
  CloseShell();
  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), before);
}

TEST_F(MainWindowShellTest, AlertMenuTextFollowsTheLanguage) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Language", "3")));
  Command(IDT_ALERT);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"&\u0412\u043a\u043b\u044e\u0447\u0438\u0442\u044c \u0437\u0432\u0443\u043a"
                                       L"\u043e\u0432\u043e\u0439 \u0441\u0438\u0433\u043d\u0430\u043b");
}

TEST_F(MainWindowShellTest, ClearEmptiesTheTypingAreaAndGreysButtonAndMenu) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  HWND area = App_CurrentTypingArea();
  ASSERT_NE(area, nullptr);
  for (UINT command : {static_cast<UINT>(IDT_CLEAR), static_cast<UINT>(IDM_CLEAR)}) {
    SCOPED_TRACE(command);
    SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed text"));
    App_SetClearable(true);
    ASSERT_EQ(GetWindowTextLengthW(area), 10);

    Command(command);
    EXPECT_EQ(GetWindowTextLengthW(area), 0);
    EXPECT_TRUE(ButtonState(IDT_CLEAR) & TBSTATE_INDETERMINATE);
    EXPECT_FALSE(ButtonState(IDT_CLEAR) & TBSTATE_ENABLED);
    EXPECT_TRUE(GetMenuState(GetMenu(g_App.mainWindow), IDM_CLEAR, MF_BYCOMMAND) & MF_GRAYED);
  }
}

TEST_F(MainWindowShellTest, ClearWithoutATypingAreaOnlyGreys) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", "7")));
  ASSERT_EQ(App_CurrentTypingArea(), nullptr);
  App_SetClearable(true);
  Command(IDM_CLEAR);
  EXPECT_TRUE(ButtonState(IDT_CLEAR) & TBSTATE_INDETERMINATE);
  EXPECT_TRUE(IsWindow(g_App.mainWindow));
}

TEST_F(MainWindowShellTest, LanguageCommandsSwitchTheLanguage) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  Command(IDM_LANG_RUSSIAN);
  EXPECT_EQ(g_Settings.Language, 3);
  EXPECT_EQ(LANGIDFROMLCID(GetThreadLocale()), 1049);
  Command(IDM_LANG_FRENCH);
  EXPECT_EQ(g_Settings.Language, 2);
  EXPECT_EQ(MenuText(IDM_START_TEST), L"&Commencer le test\tF6");
  Command(IDM_LANG_ENGLISH);
  EXPECT_EQ(g_Settings.Language, 1);
}

// The Tests command is greyed on the Tests screen and does nothing there; from another screen it
// builds the narrow Tests screen.
TEST_F(MainWindowShellTest, TestsCommandBuildsTheNarrowScreenFromAnotherScreen) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  Mode4_ShowWideForm(true);
  HWND oldArea = g_TypingScreen.typingArea;
  Command(IDM_MODE_TESTS);
  EXPECT_TRUE(IsWindow(oldArea));
  EXPECT_EQ(WindowRect(g_App.mainWindow).right - WindowRect(g_App.mainWindow).left, 807);
  Command(IDM_MODE_HANDS);
  Command(IDM_MODE_TESTS);
  EXPECT_FALSE(IsWindow(oldArea));
  EXPECT_TRUE(IsWindow(g_TypingScreen.typingArea));
  const RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 560);
  EXPECT_EQ(rc.bottom - rc.top, NarrowHeight());
}

TEST_F(MainWindowShellTest, ExitDestroysTheWindowAndSavesTheChangedModeAndLanguage) {
  const std::string original = DefaultSettings();
  ASSERT_NO_FATAL_FAILURE(Start(original));
  g_Settings.Mode = 2;
  g_Settings.Language = 2;
  Command(IDM_EXIT);
  EXPECT_FALSE(IsWindow(g_App.mainWindow));
  EXPECT_EQ(TakeQuitMessage(), 0);
  std::string expected = WithSetting(WithSetting(original, "Mode", "2"), "Language", "2");
  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), expected);
}

TEST_F(MainWindowShellTest, CloseBoxSavesTheSameWay) {
  const std::string original = DefaultSettings();
  ASSERT_NO_FATAL_FAILURE(Start(original));
  g_Settings.Language = 3;
  SendMessageW(g_App.mainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(g_App.mainWindow));
  EXPECT_EQ(TakeQuitMessage(), 0);
  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), WithSetting(original, "Language", "3"));
}

TEST_F(MainWindowShellTest, UnchangedModeAndLanguageLeaveTheDocumentUntouched) {
  const std::string original = DefaultSettings();
  ASSERT_NO_FATAL_FAILURE(Start(original));
  Command(IDM_LANG_FRENCH);
  Command(IDM_LANG_ENGLISH);  // back where it started
  Command(IDM_EXIT);
  EXPECT_EQ(TakeQuitMessage(), 0);
  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), original);
}

TEST_F(MainWindowShellTest, SaveLastUsedOffWritesNothing) {
  const std::string original = WithSetting(DefaultSettings(), "SaveLastUsed", "0");
  ASSERT_NO_FATAL_FAILURE(Start(original));
  g_Settings.Mode = 1;
  g_Settings.Language = 3;
  Command(IDM_EXIT);
  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), original);
}

// The loop translates keys with the window of the message: F6 at the main window reaches the
// command table; F6 at a plain child control is ignored by that control.
TEST_F(MainWindowShellTest, MessageLoopTranslatesAcceleratorsForTheWindowOfTheMessage) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(accelerators, nullptr);

  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 600, 400, 50, 50, g_App.mainWindow,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(list, nullptr);
  PostMessageW(list, WM_KEYDOWN, VK_F6, 0);
  PostQuitMessage(5);
  EXPECT_EQ(App_MessageLoop(accelerators), 5);
  EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_START);

  PostMessageW(g_App.mainWindow, WM_KEYDOWN, VK_F6, 0);
  PostQuitMessage(0);
  EXPECT_EQ(App_MessageLoop(accelerators), 0);
  EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_STOP);
  EXPECT_EQ(MenuText(IDM_START_TEST), L"&Stop Test\tF6");

  // Keys that are no command go on to the window as usual.
  PostMessageW(g_App.mainWindow, WM_KEYDOWN, 'Q', 0);
  PostQuitMessage(0);
  EXPECT_EQ(App_MessageLoop(accelerators), 0);
  EXPECT_EQ(ButtonImage(IDT_START_STOP), IMG_STOP);
  DestroyAcceleratorTable(accelerators);
}

// A greyed menu item's accelerator is ignored: F7 at the main window clears nothing while
// Clear Test Area (4013) is greyed, and clears the typing area once the item is enabled.
TEST_F(MainWindowShellTest, F7IsIgnoredWhileClearTestAreaIsGreyed) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(accelerators, nullptr);
  HWND area = App_CurrentTypingArea();
  ASSERT_NE(area, nullptr);
  HMENU bar = GetMenu(g_App.mainWindow);
  ASSERT_TRUE(GetMenuState(bar, IDM_CLEAR, MF_BYCOMMAND) & MF_GRAYED);  // as the Tests screen leaves it
  SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed text"));

  PostMessageW(g_App.mainWindow, WM_KEYDOWN, VK_F7, 0);
  PostQuitMessage(0);
  EXPECT_EQ(App_MessageLoop(accelerators), 0);
  EXPECT_EQ(GetWindowTextLengthW(area), 10);

  App_SetClearable(true);
  PostMessageW(g_App.mainWindow, WM_KEYDOWN, VK_F7, 0);
  PostQuitMessage(0);
  EXPECT_EQ(App_MessageLoop(accelerators), 0);
  EXPECT_EQ(GetWindowTextLengthW(area), 0);
  EXPECT_TRUE(ButtonState(IDT_CLEAR) & TBSTATE_INDETERMINATE);
  EXPECT_TRUE(GetMenuState(bar, IDM_CLEAR, MF_BYCOMMAND) & MF_GRAYED);
  DestroyAcceleratorTable(accelerators);
}

// Moving the main window takes the statistics window along at its right edge, 77 pixels below its
// top, shifted into the work area where it would stick out (never shrunk), and without handing it
// the keyboard focus: typing goes on in the typing area.
TEST_F(MainWindowShellTest, MoveKeepsTheStatisticsWindowDockedOnTheScreenWithoutTheFocus) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  Mode4_ShowDetailedStats();
  HWND stats = Mode4_DetailedStatsWindow();
  ASSERT_NE(stats, nullptr);
  const RECT own = WindowRect(stats);
  const LONG width = own.right - own.left, height = own.bottom - own.top;
  SetActiveWindow(g_App.mainWindow);
  SetFocus(g_TypingScreen.typingArea);
  ASSERT_EQ(GetFocus(), g_TypingScreen.typingArea);
  for (POINT to : {POINT{100, 50}, POINT{40, 120}}) {
    SetWindowPos(g_App.mainWindow, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT main = WindowRect(g_App.mainWindow);
    ASSERT_EQ(main.left, to.x);
    const RECT docked = WindowRect(stats);
    EXPECT_EQ(docked.left, main.right);
    EXPECT_EQ(docked.top, main.top + 77);
    EXPECT_EQ(docked.right - docked.left, width);
    EXPECT_EQ(docked.bottom - docked.top, height);
  }
  const RECT work = WorkArea();
  SetWindowPos(g_App.mainWindow, nullptr, work.right - 600, work.bottom - 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpMessages();
  const RECT docked = WindowRect(stats);
  EXPECT_EQ(docked.right, work.right);
  EXPECT_EQ(docked.bottom, work.bottom);
  EXPECT_EQ(docked.right - docked.left, width);
  EXPECT_EQ(docked.bottom - docked.top, height);
  EXPECT_EQ(GetActiveWindow(), g_App.mainWindow);
  EXPECT_EQ(GetFocus(), g_TypingScreen.typingArea);
  // A statistics window that is gone is left alone.
  DestroyWindow(stats);
  SetWindowPos(g_App.mainWindow, nullptr, 70, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect(g_App.mainWindow).left, 70);
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
}

TEST_F(MainWindowShellTest, ExpandWindowSwitchesBetweenTheNarrowAndWideForms) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  SetWindowPos(g_App.mainWindow, nullptr, 0, 0, 560, 700, SWP_NOMOVE | SWP_NOZORDER);
  Mode4_ShowWideForm(true);
  RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 807);
  EXPECT_EQ(rc.bottom - rc.top, 700);  // the height is kept
  POINT at = CentredOnDesktop(807, 700);
  EXPECT_EQ(rc.left, at.x);
  EXPECT_EQ(rc.top, at.y);

  Mode4_ShowWideForm(false);
  rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 560);
  EXPECT_EQ(rc.bottom - rc.top, NarrowHeight());
  at = CentredOnDesktop(560, NarrowHeight());
  EXPECT_EQ(rc.left, at.x);
  EXPECT_EQ(rc.top, at.y);
}

TEST_F(MainWindowShellTest, ExpandWindowMovesTheSupportLink) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  HWND link = CreateWindowExW(0, L"STATIC", L"link", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 30, 10,
                              g_App.toolbar, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SUPPORT_LINK)),
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(link, nullptr);
  g_App.supportLink = link;
  auto linkRect = [&] { return RectIn(link, g_App.toolbar); };
  Mode4_ShowWideForm(true);
  RECT rc = linkRect();
  EXPECT_EQ(rc.left, 600);
  EXPECT_EQ(rc.top, 4);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, 20);
  Mode4_ShowWideForm(false);
  rc = linkRect();
  EXPECT_EQ(rc.left, 400);
  EXPECT_EQ(rc.top, 4);
}

// A move to a monitor of another scale lays the shown screen out again where it is: the same
// controls with what they hold, placed for the window's DPI (here still 96, so where they were,
// with the fonts they had) and for the rectangle Windows suggests, which the window takes.
TEST_F(MainWindowShellTest, DpiChangeLaysTheScreenOutAgainAtTheSuggestedRectangle) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  for (UINT screen : {static_cast<UINT>(IDM_MODE_HANDS), static_cast<UINT>(IDM_MODE_TESTS)}) {
    SCOPED_TRACE(screen);
    Command(screen);
    HWND area = App_CurrentTypingArea();
    ASSERT_NE(area, nullptr);
    SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed text"));
    const RECT before = RectIn(area, g_App.mainWindow);
    const HFONT fontBefore = reinterpret_cast<HFONT>(SendMessageW(area, WM_GETFONT, 0, 0));

    RECT suggested = {40, 30, 40 + 900, 30 + 600};  // as wide as the widest screen needs
    SendMessageW(g_App.mainWindow, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(App_CurrentTypingArea(), area) << "laid out again, not built again";
    wchar_t text[32] = {};
    GetWindowTextW(area, text, 32);
    EXPECT_STREQ(text, L"typed text");
    const RECT after = RectIn(area, g_App.mainWindow);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    RECT client;
    GetClientRect(g_App.mainWindow, &client);
    EXPECT_LE(after.bottom, client.bottom) << "within the smaller window";
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(area, WM_GETFONT, 0, 0)), fontBefore);
    const RECT window = WindowRect(g_App.mainWindow);
    EXPECT_TRUE(EqualRect(&window, &suggested));
  }
}

// The built program, run as a process in the scratch folder: its start-up, its loop and the
// end of the run with the trace and the save of the language.
TEST_F(MainWindowShellTest, ProgramRunsFromStartToExitWithItsTraceAndSavedLanguage) {
  wchar_t self[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
  std::wstring program = self;
  program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"quillkey.exe";
  ASSERT_NE(GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES) << "quillkey.exe is not built";

  const std::string settings = WithSetting(DefaultSettings(), "Debug", "1");
  ASSERT_TRUE(EnterScratchFolder(settings));
  entered_ = true;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             g_ScratchDir.c_str(), &si, &pi));
  HWND found = nullptr;
  for (int i = 0; i < 300 && !found; ++i) {
    Sleep(100);
    found = VisibleWindowOf(pi.dwProcessId, L"QUILLKEY");
  }
  if (!found) TerminateProcess(pi.hProcess, 99);
  ASSERT_NE(found, nullptr) << "the program showed no main window";

  PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDM_LANG_FRENCH, 0), 0);
  PostMessageW(found, WM_SYSCOMMAND, SC_CLOSE, 0);  // as Alt+F4 or the close box
  const DWORD waited = WaitForSingleObject(pi.hProcess, 30000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
  DWORD exitCode = 1234;
  GetExitCodeProcess(pi.hProcess, &exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_EQ(exitCode, 0u);

  EXPECT_EQ(ReadBytes(ScratchPath(L"Settings.xml")), WithSetting(settings, "Language", "2"));
  const std::string trace = ReadBytes(ScratchPath(L"TraceFile.txt"));
  const size_t entered = trace.find("_tWinMain Entered");
  const size_t ready = trace.find("App_InitInstance Exited");
  ASSERT_NE(entered, std::string::npos) << trace;
  ASSERT_NE(ready, std::string::npos) << trace;
  EXPECT_LT(entered, ready);
  const std::string last = "_tWinMain Exited\r\n";
  ASSERT_GE(trace.size(), last.size());
  EXPECT_EQ(trace.substr(trace.size() - last.size()), last) << trace;
}

TEST(CenterWindowTest, CentresOnTheReferenceAndClampsToTheWorkArea) {
  const RECT work = WorkArea();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND ref = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
  HWND moved = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 301, 201, nullptr, nullptr, instance, nullptr);
  ASSERT_TRUE(ref && moved);
  auto place = [&](int x, int y) { SetWindowPos(ref, nullptr, x, y, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE); };
  auto where = [&] {
    RECT rc;
    GetWindowRect(moved, &rc);
    return rc;
  };

  // Inside: centre of the reference minus half the size (truncated).
  place(work.left + 400, work.top + 300);
  App_CenterWindow(moved, ref, 0);
  RECT rc = where();
  EXPECT_EQ(rc.left, work.left + 450 - 150);
  EXPECT_EQ(rc.top, work.top + 350 - 100);
  EXPECT_EQ(rc.right - rc.left, 301);  // size kept
  EXPECT_EQ(rc.bottom - rc.top, 201);

  // The shift moves it left after the clamping.
  App_CenterWindow(moved, ref, 162);
  EXPECT_EQ(where().left, work.left + 300 - 162);

  // Past the right and bottom edges.
  place(work.right - 50, work.bottom - 50);
  App_CenterWindow(moved, ref, 0);
  rc = where();
  EXPECT_EQ(rc.right, work.right);
  EXPECT_EQ(rc.bottom, work.bottom);

  // Past the left and top edges.
  place(work.left - 200, work.top - 200);
  App_CenterWindow(moved, ref, 0);
  rc = where();
  EXPECT_EQ(rc.left, work.left);
  EXPECT_EQ(rc.top, work.top);

  DestroyWindow(moved);
  DestroyWindow(ref);
}

// The statistics fields of the Tests screen take a transparent background on a null brush;
// every other static keeps the default colours.
TEST_F(MainWindowShellTest, StatisticsFieldsAreTransparentInTheTestsModeOnly) {
  ASSERT_NO_FATAL_FAILURE(StartDefault());
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  auto colour = [&](HWND control) {
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<HBRUSH>(SendMessageW(g_App.mainWindow, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
  };
  for (int row = 0; row < 6; ++row) {
    ASSERT_NE(g_TypingScreen.labels[row], nullptr);
    EXPECT_EQ(colour(g_TypingScreen.labels[row]), nullBrush);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(colour(g_TypingScreen.values[row]), nullBrush);
  }
  HWND other = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 5, 5, g_App.mainWindow, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(colour(other), nullBrush);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);

  g_Settings.Mode = 2;  // the same fields outside the Tests mode
  EXPECT_NE(colour(g_TypingScreen.labels[0]), nullBrush);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  g_Settings.Mode = 4;
  DestroyWindow(other);
  DeleteDC(dc);
}

COLORREF ClientPixel(int x, int y) {
  HDC dc = GetDC(g_App.mainWindow);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(g_App.mainWindow, dc);
  return c;
}

void Repaint() {
  RedrawWindow(g_App.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
}

TEST_F(MainWindowShellTest, PaintsTheStatisticsPanelInTheTestsMode) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "BS_BackgroundColor", "#2040C0")));
  Mode4_ShowWideForm(true);
  Repaint();
  EXPECT_EQ(ClientPixel(600, 290), RGB(0x20, 0x40, 0xC0));  // inside the panel, below the fields
  EXPECT_EQ(ClientPixel(765, 200), RGB(0x20, 0x40, 0xC0));  // inside, near the right edge
  EXPECT_EQ(ClientPixel(545, 200), RGB(128, 128, 128));     // left of the panel: class background
  EXPECT_EQ(ClientPixel(556, 121), RGB(128, 128, 128));     // outside the rounded corner
  EXPECT_EQ(ClientPixel(660, 310), RGB(128, 128, 128));     // below the panel
  // The same window outside the Tests mode paints only the class background there.
  g_Settings.Mode = 2;
  Repaint();
  EXPECT_EQ(ClientPixel(600, 290), RGB(128, 128, 128));
  g_Settings.Mode = 4;
}


}  // namespace
}  // namespace kftest
