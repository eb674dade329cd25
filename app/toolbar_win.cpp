// The program font, the toolbar of five image buttons and the status bar, all made once at
// start and kept for the run, and the View commands that hide and show the two bars.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr int kToolbarImages = 8;  // one strip of bitmap IDB_TOOLBAR
constexpr int kStatusParts = 3;

// The procedure the toolbar class gave the toolbar; App_ToolbarProc hands on to it.
WNDPROC s_ToolbarClassProc = nullptr;

struct ButtonSpec {
  int command;
  int image;
  BYTE state;
  UINT tooltip;
};

const ButtonSpec kButtons[] = {
    {IDT_OPEN, IMG_OPEN, TBSTATE_ENABLED, IDS_TIP_OPEN},
    {IDT_START_STOP, IMG_START, TBSTATE_ENABLED, IDS_TIP_START_STOP},
    {IDT_ALERT, IMG_ALERT_ON, TBSTATE_ENABLED, IDS_TIP_ALERT},
    {IDT_CLEAR, IMG_CLEAR, TBSTATE_INDETERMINATE, IDS_TIP_CLEAR},
    {IDT_STATISTICS, IMG_STATS_CLOSED, TBSTATE_INDETERMINATE, IDS_TIP_STATISTICS},
};

// Adds one tooltip text to the toolbar's strings; the index, or -1 (no string) when the text is
// missing from the string table or the toolbar refuses it.
INT_PTR App_AddToolbarString(HWND toolbar, UINT stringId) {
  const wchar_t* text = App_LoadString(stringId, g_Settings.Language);
  if (!text || !*text) return -1;
  // TB_ADDSTRINGW reads a list of strings ended by an empty one: two NULs at the end.
  wchar_t buffer[128] = {};
  lstrcpynW(buffer, text, static_cast<int>(sizeof(buffer) / sizeof(buffer[0])) - 1);
  return static_cast<INT_PTR>(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(buffer)));
}

}  // namespace

void App_CreateFont() {
  if (g_App.programFont) return;  // one font for the whole run
  g_App.programFont = App_MakeFont(L"Arial", 16);
}

HFONT App_MakeFont(const wchar_t* face, LONG height, LONG weight, BYTE underline) {
  LOGFONTW lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfUnderline = underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

void App_CreateToolbar() {
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0,
                                 0, g_App.mainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)),
                                 g_App.instance, nullptr);
  g_App.toolbar = toolbar;
  g_Ui.toolbarShown = toolbar != nullptr;
  if (!toolbar) return;

  // Pointer-sized replacement: the 64-bit build needs GWLP_WNDPROC.
  s_ToolbarClassProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(App_ToolbarProc)));

  TBADDBITMAP images = {g_App.instance, IDB_TOOLBAR};
  SendMessageW(toolbar, TB_ADDBITMAP, kToolbarImages, reinterpret_cast<LPARAM>(&images));
  // The button structure of this build: 20 bytes in a 32-bit build, 32 in a 64-bit build.
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  TBBUTTON buttons[sizeof(kButtons) / sizeof(kButtons[0])] = {};
  for (size_t i = 0; i < sizeof(kButtons) / sizeof(kButtons[0]); ++i) {
    // Images and states as at start; App_UpdateCommands sets them from the state from then on.
    buttons[i].iBitmap = kButtons[i].image;
    if (kButtons[i].command == IDT_ALERT && !g_Settings.AlertEnabled) buttons[i].iBitmap = IMG_ALERT_OFF;
    buttons[i].idCommand = kButtons[i].command;
    buttons[i].fsState = kButtons[i].state;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
    buttons[i].dwData = 0;
    buttons[i].iString = App_AddToolbarString(toolbar, kButtons[i].tooltip);
  }
  // No text rows: the strings show only as tooltips.
  SendMessageW(toolbar, TB_SETMAXTEXTROWS, 0, 0);
  SendMessageW(toolbar, TB_ADDBUTTONSW, sizeof(buttons) / sizeof(buttons[0]), reinterpret_cast<LPARAM>(buttons));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  ShowWindow(toolbar, SW_SHOW);
}

LRESULT CALLBACK App_ToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    // The only static on the toolbar is the support link: red text on the toolbar's own face.
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control && control == g_App.supportLink) {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(255, 0, 0));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
  }
  if (!s_ToolbarClassProc) return DefWindowProcW(toolbar, message, wParam, lParam);
  return CallWindowProcW(s_ToolbarClassProc, toolbar, message, wParam, lParam);
}

void App_CreateStatusBar() {
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, g_App.mainWindow,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)), g_App.instance, nullptr);
  g_App.statusBar = bar;
  g_Ui.statusBarShown = bar != nullptr;
  if (!bar) return;
  // The part edges follow the client width at creation only; they stay when the window resizes.
  RECT client = {};
  GetClientRect(g_App.mainWindow, &client);
  const int a = (client.right - client.left) / 3;
  int edges[kStatusParts] = {a, 2 * a, 4 * a};
  SendMessageW(bar, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(edges));
  ShowWindow(bar, SW_SHOW);
}

void App_ToggleBar(UINT command) {
  const bool toolbar = command == IDM_VIEW_TOOLBAR;
  HWND bar = toolbar ? g_App.toolbar : g_App.statusBar;
  if (!bar) return;
  bool& shown = toolbar ? g_Ui.toolbarShown : g_Ui.statusBarShown;
  shown = !shown;
  ShowWindow(bar, shown ? SW_SHOW : SW_HIDE);
  App_UpdateCommands();
}
