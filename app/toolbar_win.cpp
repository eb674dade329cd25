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

HWND App_FindToolbar() { return GetDlgItem(g_App.mainWindow, IDC_TOOLBAR); }

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
    buttons[i].iBitmap = kButtons[i].image;
    // The alert button shows the alert's state from the start: the alert command reads it.
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
    if (control && GetParent(control) == toolbar) {
      g_App.supportLink = control;
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
  if (!bar) return;
  // The part edges follow the client width at creation only; they stay when the window resizes.
  RECT client = {};
  GetClientRect(g_App.mainWindow, &client);
  const int a = (client.right - client.left) / 3;
  int edges[kStatusParts] = {a, 2 * a, 4 * a};
  SendMessageW(bar, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(edges));
  ShowWindow(bar, SW_SHOW);
}

int App_GetButtonImage(int command) {
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE;
  if (SendMessageW(App_FindToolbar(), TB_GETBUTTONINFOW, static_cast<WPARAM>(command),
                   reinterpret_cast<LPARAM>(&info)) == -1) {
    return -1;
  }
  return info.iImage;
}

void App_SetButtonImage(int command, int image) {
  SendMessageW(App_FindToolbar(), TB_CHANGEBITMAP, static_cast<WPARAM>(command), MAKELPARAM(image, 0));
}

void App_SetButtonState(int command, BYTE state) {
  HWND toolbar = App_FindToolbar();
  // TB_SETSTATE sets every state bit: a hidden button stays hidden whatever state it is given.
  const LRESULT current = SendMessageW(toolbar, TB_GETSTATE, static_cast<WPARAM>(command), 0);
  if (current != -1 && (current & TBSTATE_HIDDEN)) state |= TBSTATE_HIDDEN;
  SendMessageW(toolbar, TB_SETSTATE, static_cast<WPARAM>(command), MAKELPARAM(state, 0));
}

void App_ToggleBar(UINT command) {
  HWND bar = GetDlgItem(g_App.mainWindow, command == IDM_VIEW_TOOLBAR ? IDC_TOOLBAR : IDC_STATUSBAR);
  if (!bar) return;
  HMENU menu = GetMenu(g_App.mainWindow);
  // Visibility comes from the bar itself, so a check mark out of step is put right here.
  if (IsWindowVisible(bar)) {
    ShowWindow(bar, SW_HIDE);
    CheckMenuItem(menu, command, MF_BYCOMMAND | MF_UNCHECKED);
  } else {
    ShowWindow(bar, SW_SHOW);
    CheckMenuItem(menu, command, MF_BYCOMMAND | MF_CHECKED);
  }
}
