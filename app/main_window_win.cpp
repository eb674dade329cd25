// The main window: start-up steps, the window class, the window procedure with its command
// table, the message loop, and the two helpers that place the main window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/links_win.h"
#include "app/main_window_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "common/files.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/detailed_stats_win.h"
#include "exam/history.h"
#include "exam/report_win.h"
#include "exam/sample_view_win.h"
#include "exam/exam_screen_win.h"
#include "training/training_win.h"
#include "typing/typing_win.h"

namespace {

constexpr int kMainHeight = 805;        // first height, whatever the mode
constexpr int kNarrowWidth = 560;       // Tests screen, statistics hidden
constexpr int kNarrowHeight = 820;
constexpr int kWideWidth = 807;         // Tests screen, statistics panel uncovered
// The rounded statistics panel painted behind the Tests screen's statistics fields.
constexpr RECT kStatsPanel = {555, 120, 770, 305};
constexpr int kStatsPanelCorner = 40;

int App_FirstWidth(int mode) {
  if (mode == 1) return 900;
  if (mode == 4) return kNarrowWidth;
  return 600;
}

HWND App_Toolbar(HWND window) { return GetDlgItem(window, IDC_TOOLBAR); }

// ---- Commands -------------------------------------------------------------------------------

void OnCommandOpenSample(HWND) { Mode4_OpenSampleFile(); }

void OnCommandStartStop(HWND) { Mode4_OnStartStopCommand(); }

// The image of button IDT_ALERT tells whether the alert is on; the setting changes for this run only.
void OnCommandAlert(HWND) {
  const int image = App_GetButtonImage(IDT_ALERT);
  if (image == IMG_ALERT_ON) {
    App_SetButtonImage(IDT_ALERT, IMG_ALERT_OFF);
    g_Settings.AlertEnabled = 0;
    App_SetMenuText(IDM_SOUND_ALERT, IDS_ENABLE_ALERT);
  } else if (image == IMG_ALERT_OFF) {
    App_SetButtonImage(IDT_ALERT, IMG_ALERT_ON);
    g_Settings.AlertEnabled = 1;
    App_SetMenuText(IDM_SOUND_ALERT, IDS_DISABLE_ALERT);
  }
}

void OnCommandClear(HWND) { App_ClearTypingArea(); }

// The image of button IDT_STATISTICS tells whether the detailed statistics window is open.
void OnCommandDetailedStats(HWND) { Mode4_OnDetailedStatsCommand(); }

void OnCommandEnglish(HWND) { App_SwitchLanguage(1); }
void OnCommandFrench(HWND) { App_SwitchLanguage(2); }
void OnCommandRussian(HWND) { App_SwitchLanguage(3); }

void OnCommandExit(HWND window) { DestroyWindow(window); }

void OnCommandViewToolbar(HWND) { App_ToggleBar(IDM_VIEW_TOOLBAR); }
void OnCommandViewStatusBar(HWND) { App_ToggleBar(IDM_VIEW_STATUSBAR); }

void OnMenuModeTests(HWND) { OnMenuMode4(); }
void OnMenuModeHands(HWND) { OnMenuMode12(1); }
void OnMenuModeAlternation(HWND) { OnMenuMode12(2); }
void OnMenuModeCustom(HWND) { OnMenuMode3(); }

void OnCommandAbout(HWND) { App_ShowAboutBox(); }
void OnCommandKeyboardLayout(HWND) { App_OpenKeyboardLayoutPage(); }
void OnCommandOnlineHelp(HWND) { App_OpenOnlineHelp(); }
void OnCommandHtmlReport(HWND) { Mode4_CreateHtmlReport(); }
// The Help menu's site item and a click on the support link (the toolbar passes it on).
void OnCommandMakerSite(HWND) { App_OpenMakerSite(); }

// The Commands menu and its keys forward to the toolbar buttons, so both share one path.
void OnCommandForwardStartStop(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_START_STOP, 0), 0); }
void OnCommandForwardAlert(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_ALERT, 0), 0); }
void OnCommandForwardClear(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_CLEAR, 0), 0); }
void OnCommandForwardStats(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_STATISTICS, 0), 0); }

struct CommandEntry {
  UINT id;
  void (*handler)(HWND window);
};

const CommandEntry kCommands[] = {
    {IDT_OPEN, OnCommandOpenSample},
    {IDM_OPEN, OnCommandOpenSample},
    {IDT_START_STOP, OnCommandStartStop},
    {IDT_ALERT, OnCommandAlert},
    {IDT_CLEAR, OnCommandClear},
    {IDT_STATISTICS, OnCommandDetailedStats},
    {IDM_LANG_ENGLISH, OnCommandEnglish},
    {IDM_LANG_FRENCH, OnCommandFrench},
    {IDM_LANG_RUSSIAN, OnCommandRussian},
    {IDM_EXIT, OnCommandExit},
    {IDM_VIEW_TOOLBAR, OnCommandViewToolbar},
    {IDM_VIEW_STATUSBAR, OnCommandViewStatusBar},
    {IDM_MODE_TESTS, OnMenuModeTests},
    {IDM_START_TEST, OnCommandForwardStartStop},
    {IDM_SOUND_ALERT, OnCommandForwardAlert},
    {IDM_CLEAR, OnCommandForwardClear},
    {IDM_DETAILED_STATS, OnCommandForwardStats},
    {IDM_ABOUT, OnCommandAbout},
    {IDM_MODE_HANDS, OnMenuModeHands},
    {IDM_MODE_ALTERNATION, OnMenuModeAlternation},
    {IDM_MODE_CUSTOM, OnMenuModeCustom},
    {IDM_HTML_REPORT, OnCommandHtmlReport},
    {IDM_KEYBOARD_LAYOUT, OnCommandKeyboardLayout},
    {IDM_ONLINE_HELP, OnCommandOnlineHelp},
    {IDM_WEB_SITE, OnCommandMakerSite},
    {IDC_SUPPORT_LINK, OnCommandMakerSite},
};

// ---- Messages -------------------------------------------------------------------------------

LRESULT App_OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  // The typing area reports every change of its text (each character, Backspace, a paste): the
  // sample view follows. Its other notifications are ignored.
  if (id == IDC_TYPING_AREA) {
    if (HIWORD(wParam) == EN_CHANGE) Mode4_OnTypingChanged();
    return 0;
  }
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == id) {
      // What the screen shown does not offer does nothing, whoever sent it.
      if (App_CommandAvailable(id)) entry.handler(window);
      return 0;
    }
  }
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

LRESULT App_OnTimer(WPARAM timer) {
  if (timer == ID_TIMER_LIVE_FIGURES) Mode4_OnLiveFiguresTimer();
  else if (timer == ID_TIMER_SAMPLE_FOLLOW) Mode4_OnFollowTimer();
  return 0;
}

LRESULT App_OnDestroy() {
  App_SaveLastUsed();
  PostQuitMessage(0);
  return 0;
}

// Keeps the detailed statistics window glued to the right edge of the main window.
LRESULT App_OnMove() {
  Mode4_DockDetailedStats();
  return 0;
}

LRESULT App_OnSize(HWND window, WPARAM wParam, LPARAM lParam) {
  SendMessageW(App_Toolbar(window), TB_AUTOSIZE, 0, 0);
  SendMessageW(GetDlgItem(window, IDC_STATUSBAR), WM_SIZE, wParam, lParam);
  return 0;
}

LRESULT App_OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc && g_Settings.Mode == 4) {
    HBRUSH panel = CreateSolidBrush(g_Settings.BS_BackgroundColor);
    HGDIOBJ previous = SelectObject(dc, panel);
    RoundRect(dc, kStatsPanel.left, kStatsPanel.top, kStatsPanel.right, kStatsPanel.bottom, kStatsPanelCorner,
              kStatsPanelCorner);
    SelectObject(dc, previous);
    DeleteObject(panel);
  }
  EndPaint(window, &ps);
  return 0;
}

// Only the custom words list view of mode 3 is sorted from here; the detailed statistics window
// takes its own list's notifications.
LRESULT App_OnNotify(LPARAM lParam) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  // Its rows hold nothing to free: emptying or destroying a list of thousands of rows needs no
  // notification per row.
  if (header && header->code == static_cast<UINT>(LVN_DELETEALLITEMS)) return TRUE;
  if (header && header->hwndFrom && header->hwndFrom == g_Training.customList) {
    if (header->code == LVN_GETDISPINFOW || header->code == LVN_ODFINDITEMW) return Mode3_OnListNotify(header);
  }
  if (g_Settings.Mode != 3 || !header || header->code != LVN_COLUMNCLICK) return 0;
  Mode3_OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
  return 0;
}

bool App_IsStatisticsStatic(HWND control) {
  if (!control) return false;
  for (int row = 0; row < 6; ++row) {
    if (control == g_TypingScreen.labels[row] || control == g_TypingScreen.values[row]) return true;
  }
  return false;
}

// The statistics fields of the Tests screen let the painted panel show through.
LRESULT App_OnCtlColorStatic(HWND window, WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  if (g_Settings.Mode == 4 && App_IsStatisticsStatic(control)) {
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  return DefWindowProcW(window, WM_CTLCOLORSTATIC, wParam, lParam);
}

}  // namespace

// ---- Start-up and the message loop --------------------------------------------------------------

void App_PrepareStart() {
  // The tutor keeps its settings, trace log and test history in the folder it runs in.
  const std::string folder = Dir_Current();
  g_Settings.documentPath = Path_Join(folder, "\\Settings.xml");
  g_Trace.path = Path_Join(folder, "\\TraceFile.txt");
  g_History.path = Path_Join(folder, "\\History.csv");

  App_XMLReadSettings();
  App_Trace("_tWinMain Entered");

  // Strings loaded by the system's own loader follow the thread locale.
  SetThreadLocale(MAKELCID(App_LangId(g_Settings.Language), SORT_DEFAULT));

  const wchar_t* title = App_LoadString(IDS_TITLE, g_Settings.Language);
  lstrcpynW(g_App.title, title ? title : L"", static_cast<int>(sizeof(g_App.title) / sizeof(g_App.title[0])));
  App_LoadClassName(g_App.className, static_cast<int>(sizeof(g_App.className) / sizeof(g_App.className[0])));
}

int App_MessageLoop(HACCEL accelerators) {
  MSG msg = {};
  // GetMessageW gives -1 on failure: that ends the loop as well instead of spinning for ever.
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The window of the message, not the main window: a command key reaches the window that
    // has the focus (the main window or a screen's typing area).
    if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

ATOM App_RegisterClass(HINSTANCE instance) {
  // One brush for the whole run, whatever number of times the class is registered.
  static HBRUSH background = CreateSolidBrush(g_Settings.BackgroundColor);

  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = App_WndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KEYFARER));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = background;
  wc.lpszClassName = g_App.className;
  wc.hIconSm = nullptr;
  return RegisterClassExW(&wc);
}

BOOL App_InitInstance(HINSTANCE instance, int showCommand) {
  App_Trace("App_InitInstance Entered");
  g_App.instance = instance;

  const int width = App_FirstWidth(g_Settings.Mode);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kMainHeight) / 2;
  HWND window = CreateWindowExW(0, g_App.className, g_App.title, WS_OVERLAPPEDWINDOW, x, y, width, kMainHeight,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return FALSE;

  g_App.mainWindow = window;
  // A window started normally is built out of sight and shown once, finished. One started
  // maximized or minimized takes that state first, as it always has, so that the screen then
  // gives it its own size; its contents are painted once, when all are in place.
  const bool buildHidden = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT ||
                           showCommand == SW_SHOW || showCommand == SW_SHOWNA || showCommand == SW_SHOWNOACTIVATE;
  if (!buildHidden) {
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  }

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  App_CreateFont();
  App_CreateToolbar();
  App_CreateStatusBar();

  App_AttachMenu();

  // The screen of the saved mode; any other value shows no screen.
  if (g_Settings.Mode == 1 || g_Settings.Mode == 2) OnMenuMode12(g_Settings.Mode);
  else if (g_Settings.Mode == 3) OnMenuMode3();
  else if (g_Settings.Mode == 4) OnMenuMode4();

  App_BuildLanguageMenu();
  App_MarkLanguage(g_Settings.Language);

  if (g_Settings.ShowURLLogo != 0) App_CreateSupportLink();

  if (buildHidden) {
    ShowWindow(window, showCommand);
    App_FocusTypingArea(App_CurrentTypingArea());
    UpdateWindow(window);
  } else {
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    App_FocusTypingArea(App_CurrentTypingArea());
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  App_Trace("App_InitInstance Exited");
  return TRUE;
}

LRESULT CALLBACK App_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_DESTROY:
      return App_OnDestroy();
    case WM_MOVE:
      return App_OnMove();
    case WM_SIZE:
      return App_OnSize(window, wParam, lParam);
    case WM_PAINT:
      return App_OnPaint(window);
    case WM_NOTIFY:
      return App_OnNotify(lParam);
    case WM_CONTEXTMENU:
    case WM_KEYDOWN:
    case WM_CHAR:
      return 0;
    case WM_COMMAND:
      return App_OnCommand(window, wParam, lParam);
    case WM_TIMER:
      return App_OnTimer(wParam);
    case WM_CTLCOLORSTATIC:
      return App_OnCtlColorStatic(window, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void App_FocusTypingArea(HWND area) {
  // Focusing a child of the hidden main window would activate it before it is shown.
  if (area && g_App.mainWindow && IsWindowVisible(g_App.mainWindow)) SetFocus(area);
}

// ---- Placing the main window ----------------------------------------------------------------------

void App_CenterWindow(HWND window, HWND reference, int leftShift) {
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work.left = 0;
    work.top = 0;
    work.right = GetSystemMetrics(SM_CXSCREEN);
    work.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  RECT ref, own;
  GetWindowRect(reference, &ref);
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;

  int x = (ref.left + ref.right) / 2 - width / 2;
  int y = (ref.top + ref.bottom) / 2 - height / 2;
  if (x < work.left) {
    x = work.left;
  } else if (x + width > work.right) {
    x = work.right - width;
  }
  if (y < work.top) {
    y = work.top;
  } else if (y + height > work.bottom) {
    y = work.bottom - height;
  }
  SetWindowPos(window, nullptr, x - leftShift, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void App_ExpandWindow(int wide) {
  HWND window = g_App.mainWindow;
  if (!window) return;
  RECT rc;
  GetWindowRect(window, &rc);
  int width, height;
  if (wide) {
    if (g_App.supportLink) MoveWindow(g_App.supportLink, 600, 4, 150, 20, FALSE);
    width = kWideWidth;
    height = rc.bottom - rc.top;
  } else {
    if (g_App.supportLink) MoveWindow(g_App.supportLink, 400, 4, 150, 20, FALSE);
    width = kNarrowWidth;
    height = kNarrowHeight;
  }
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  App_CenterMainWindow();
}

void App_CenterMainWindow() {
  if (!g_App.mainWindow) return;
  // With the detailed statistics window docked beside it, the two are centred together.
  int shift = 0;
  if (g_App.detailedStats && IsWindow(g_App.detailedStats)) {
    RECT stats;
    GetWindowRect(g_App.detailedStats, &stats);
    shift = (stats.right - stats.left) / 2;
  }
  App_CenterWindow(g_App.mainWindow, GetDesktopWindow(), shift);
}

void App_ClearTypingArea() {
  App_SetButtonState(IDT_CLEAR, TBSTATE_INDETERMINATE);
  App_EnableMenuCommand(IDM_CLEAR, false);
  // No screen with a typing area yet: nothing to empty.
  if (HWND area = App_CurrentTypingArea()) SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  // A multi-line edit control reports no change for a text set from outside.
  Mode4_FollowTyping();
}
