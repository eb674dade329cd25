// The main window: start-up steps, the window class, the window procedure with its command
// table, the message loop, and the two helpers that place the main window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/dpi.h"
#include "app/links_win.h"
#include "app/main_window_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "common/files.h"
#include "common/modes.h"
#include "exam/detailed_stats_win.h"
#include "exam/keyboard_page_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"

namespace {

constexpr int kMainHeight = 805;        // first height, whatever the mode
constexpr int kNarrowWidth = 560;       // Tests screen, statistics hidden
constexpr int kNarrowHeight = 820;
constexpr int kWideWidth = 807;         // Tests screen, statistics panel uncovered
constexpr UINT kDpiChanged = 0x02E0;    // WM_DPICHANGED, which older headers lack

// The Tests screen's form, for laying it out again at another DPI.
bool s_Wide = false;

int App_FirstWidth(int mode) {
  if (mode == kModeHands) return 900;
  if (mode == kModeTests) return kNarrowWidth;
  return 600;
}

// ---- Commands -------------------------------------------------------------------------------

// The alert changes for this run only; Settings.xml keeps its own value.
void OnCommandAlert(HWND) {
  g_Settings.AlertEnabled = g_Settings.AlertEnabled ? 0 : 1;
  App_UpdateCommands();
}

void OnCommandClear(HWND) { App_ClearTypingArea(); }

void OnCommandEnglish(HWND) { App_SwitchLanguage(1); }
void OnCommandFrench(HWND) { App_SwitchLanguage(2); }
void OnCommandRussian(HWND) { App_SwitchLanguage(3); }

void OnCommandExit(HWND window) { DestroyWindow(window); }

void OnCommandViewToolbar(HWND) { App_ToggleBar(IDM_VIEW_TOOLBAR); }
void OnCommandViewStatusBar(HWND) { App_ToggleBar(IDM_VIEW_STATUSBAR); }

void OnMenuModeTests(HWND) { App_ShowScreen(kModeTests); }
void OnMenuModeHands(HWND) { App_ShowScreen(kModeHands); }
void OnMenuModeAlternation(HWND) { App_ShowScreen(kModeAlternation); }
void OnMenuModeCustom(HWND) { App_ShowScreen(kModeCustom); }

void OnCommandAbout(HWND) { App_ShowAboutBox(); }
void OnCommandKeyboardLayout(HWND) { App_ShowKeyboardPage(); }
void OnCommandOnlineHelp(HWND) { App_OpenOnlineHelp(); }
// The Help menu's site item and a click on the support link (the toolbar passes it on).
void OnCommandMakerSite(HWND) { App_OpenMakerSite(); }

// The Commands menu and its keys forward to the toolbar buttons, so both share one path.
void OnCommandForwardAlert(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_ALERT, 0), 0); }
void OnCommandForwardClear(HWND window) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDT_CLEAR, 0), 0); }

struct CommandEntry {
  UINT id;
  void (*handler)(HWND window);
};

// The shell's own commands; each screen lists its own (app/screen.h).
const CommandEntry kCommands[] = {
    {IDT_ALERT, OnCommandAlert},
    {IDT_CLEAR, OnCommandClear},
    {IDM_LANG_ENGLISH, OnCommandEnglish},
    {IDM_LANG_FRENCH, OnCommandFrench},
    {IDM_LANG_RUSSIAN, OnCommandRussian},
    {IDM_EXIT, OnCommandExit},
    {IDM_VIEW_TOOLBAR, OnCommandViewToolbar},
    {IDM_VIEW_STATUSBAR, OnCommandViewStatusBar},
    {IDM_MODE_TESTS, OnMenuModeTests},
    {IDM_SOUND_ALERT, OnCommandForwardAlert},
    {IDM_CLEAR, OnCommandForwardClear},
    {IDM_ABOUT, OnCommandAbout},
    {IDM_MODE_HANDS, OnMenuModeHands},
    {IDM_MODE_ALTERNATION, OnMenuModeAlternation},
    {IDM_MODE_CUSTOM, OnMenuModeCustom},
    {IDM_KEYBOARD_LAYOUT, OnCommandKeyboardLayout},
    {IDM_ONLINE_HELP, OnCommandOnlineHelp},
    {IDM_WEB_SITE, OnCommandMakerSite},
    {IDC_SUPPORT_LINK, OnCommandMakerSite},
};

// ---- Messages -------------------------------------------------------------------------------

const ScreenOps* Shown() { return App_ScreenOf(g_Settings.Mode); }

LRESULT App_OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  // The typing area reports every change of its text (each character, Backspace, a paste) to
  // its screen. Its other notifications are ignored.
  if (id == IDC_TYPING_AREA) {
    const ScreenOps* screen = Shown();
    if (HIWORD(wParam) == EN_CHANGE && screen && screen->typingChanged) screen->typingChanged();
    return 0;
  }
  // What the screen shown does not offer does nothing, whoever sent it.
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == id) {
      if (App_CommandAvailable(id)) entry.handler(window);
      return 0;
    }
  }
  if (const ScreenCommand* command = App_FindScreenCommand(g_Settings.Mode, id)) {
    if (App_CommandAvailable(id)) command->run();
    return 0;
  }
  if (App_ScreenCommandOwner(id)) return 0;  // another screen's command
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

LRESULT App_OnTimer(WPARAM timer) {
  App_ScreenTimer(timer);
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

LRESULT App_OnSize(HWND, WPARAM wParam, LPARAM lParam) {
  if (g_App.toolbar) SendMessageW(g_App.toolbar, TB_AUTOSIZE, 0, 0);
  if (g_App.statusBar) SendMessageW(g_App.statusBar, WM_SIZE, wParam, lParam);
  return 0;
}

// Moved to a monitor of another scale (or the scale changed): bars, link and the screen's
// controls made again for the new DPI, then the window takes the rectangle Windows suggests.
LRESULT App_OnDpiChanged(HWND window, LPARAM lParam) {
  App_RescaleBars();
  App_RescaleSupportLink(g_Settings.Mode, s_Wide ? 1 : 0);
  App_LayOutScreen();
  if (const RECT* suggested = reinterpret_cast<const RECT*>(lParam)) {
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(window, nullptr, TRUE);
  return 0;
}

LRESULT App_OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const ScreenOps* screen = Shown();
  if (dc && screen && screen->paint) screen->paint(dc);
  EndPaint(window, &ps);
  return 0;
}

LRESULT App_OnNotify(LPARAM lParam) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return 0;
  // The lists' rows hold nothing to free: emptying or destroying a list of thousands of rows
  // needs no notification per row.
  if (header->code == static_cast<UINT>(LVN_DELETEALLITEMS)) return TRUE;
  const ScreenOps* screen = Shown();
  return screen && screen->notify ? screen->notify(header) : 0;
}

LRESULT App_OnCtlColorStatic(HWND window, WPARAM wParam, LPARAM lParam) {
  const ScreenOps* screen = Shown();
  if (screen && screen->colorStatic) {
    if (HBRUSH brush = screen->colorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
      return reinterpret_cast<LRESULT>(brush);
  }
  return DefWindowProcW(window, WM_CTLCOLORSTATIC, wParam, lParam);
}

}  // namespace

// ---- Start-up and the message loop --------------------------------------------------------------

void App_PrepareStart() {
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

  // No window yet: the screen's DPI (the screen built next gives the window its own size).
  const int width = App_Scale(nullptr, App_FirstWidth(g_Settings.Mode));
  const int height = App_Scale(nullptr, kMainHeight);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(0, g_App.className, g_App.title, WS_OVERLAPPEDWINDOW, x, y, width, height,
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
  App_ShowScreen(g_Settings.Mode);

  App_BuildLanguageMenu();
  App_UpdateCommands();

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
    case kDpiChanged:
      return App_OnDpiChanged(window, lParam);
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
  s_Wide = wide != 0;
  App_PlaceSupportLink(kModeTests, wide);
  if (wide) {
    width = App_Scale(window, kWideWidth);
    height = rc.bottom - rc.top;
  } else {
    width = App_Scale(window, kNarrowWidth);
    height = App_Scale(window, kNarrowHeight);
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
  App_SetClearable(false);
  // No screen with a typing area yet: nothing to empty.
  if (HWND area = App_CurrentTypingArea()) SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  // A multi-line edit control reports no change for a text set from outside.
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  if (screen && screen->typingReset) screen->typingReset();
}
