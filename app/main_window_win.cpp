// The main window: start-up steps, the window class, the window procedure with its command
// table, the message loop, and the two helpers that place the main window.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/app.h"
#include "app/command_table_win.h"
#include "app/commands_win.h"
#include "app/dpi.h"
#include "app/links_win.h"
#include "app/main_window_win.h"
#include "app/menu_bar_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "app/window_win.h"
#include "common/modes.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"

namespace {

constexpr int kMainHeight = 805;        // first height, whatever the mode
constexpr int kFirstWidth = 600;        // first width without a screen
constexpr UINT kDpiChanged = 0x02E0;    // WM_DPICHANGED, which older headers lack
constexpr WORD kFromAccelerator = 1;    // the notification code of a command sent by a key

int App_FirstWidth(int mode) {
  const ScreenOps* screen = App_ScreenOf(mode);
  return screen ? screen->firstWidth : kFirstWidth;
}

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
  if (App_RunCommand(id, HIWORD(wParam) == kFromAccelerator && lParam == 0)) return 0;
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

// A window docked beside the main window follows it.
LRESULT App_OnMove() {
  App_MainWindowMoved();
  return 0;
}

// The bars follow the new size, and the screen is laid out again for it.
LRESULT App_OnSize(HWND, WPARAM wParam, LPARAM lParam) {
  if (g_App.toolbar) SendMessageW(g_App.toolbar, TB_AUTOSIZE, 0, 0);
  if (g_App.statusBar) SendMessageW(g_App.statusBar, WM_SIZE, wParam, lParam);
  if (wParam != SIZE_MINIMIZED) App_LayOutScreen();
  return 0;
}

// Moved to a monitor of another scale (or the scale changed): bars, link and the screen's
// controls made again for the new DPI, then the window takes the rectangle Windows suggests.
LRESULT App_OnDpiChanged(HWND window, LPARAM lParam) {
  App_RescaleBars();
  App_RescaleSupportLink();
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
    // The command keys work where the learner types and in the main window itself, and go to the
    // main window's command routing; any other window (a list, the statistics window) keeps its
    // keys.
    const bool commandKeys = msg.hwnd && (msg.hwnd == g_App.mainWindow || msg.hwnd == App_CurrentTypingArea());
    if (!(commandKeys && TranslateAcceleratorW(g_App.mainWindow, accelerators, &msg))) {
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
  App_InstallScreens();
  App_InstallCommands();

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
    case WM_ENTERSIZEMOVE:
      App_OnEnterSizeMove();
      return 0;
    case WM_EXITSIZEMOVE:
      App_OnExitSizeMove();
      return 0;
    case WM_GETMINMAXINFO:
      App_OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
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
