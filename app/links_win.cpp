// The ways out of the tutor: the about box with its clickable maker name, the two help pages of
// the interface language, the maker's site and the support link on the toolbar. Pages are only
// handed to the shell's browser; nothing is downloaded or shown inside the program.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "app/app.h"
#include "app/dpi.h"
#include "app/links_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "common/web_addresses.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/languages.h"
#include "common/modes.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

// Addresses hold at most this many characters (a terminated buffer of 260).
constexpr size_t kMaxAddress = 259;

// The learner's manual, installed in each language folder: it opens without a network.
constexpr char kManualPage[] = "KF_Help.htm";

template <typename Char>
constexpr size_t Length(const Char* s) { return *s ? 1 + Length(s + 1) : 0; }
static_assert(Length(kMakerSite) <= kMaxAddress && Length(kOrderPage) <= kMaxAddress, "address too long");

constexpr int kLinkX = 400, kLinkY = 4, kLinkWidth = 150, kLinkHeight = 20;  // x: without a screen
constexpr COLORREF kMakerNameColour = 0xFF0000;  // blue (0x00BBGGRR)

// The about box keeps its two fonts on itself, so they go with the dialog that made them.
constexpr wchar_t kPlainFontProp[] = L"KfAboutPlainFont";
constexpr wchar_t kUnderlinedFontProp[] = L"KfAboutUnderlinedFont";

struct LinkState {
  // The procedure each link static had before it was subclassed, by LinkStatic.
  WNDPROC previousProc[2] = {};
  HFONT supportFont = nullptr;  // Verdana of the support link, kept while the link lives
};
LinkState g_Links;

void OpenPage(const wchar_t* address) {
  // No handler for web addresses or an unreachable page: nothing to tell the user.
  g_ShellExecute(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

template <int link>
void Subclass(HWND control) {
  if (!control) return;
  g_Links.previousProc[link] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(App_LinkCursorProc<link>)));
}

void SetItemFont(HWND dialog, int id, HFONT font) {
  SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// A string missing from the table empties its control, as every text set from the tables does.
void SetItemString(HWND dialog, int id, UINT stringId) {
  const wchar_t* text = App_LoadString(stringId, g_Settings.Language);
  SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
}

// The controls are gone by now, or have taken new fonts, so no static draws with these any more.
void ReleaseAboutFonts(HWND dialog) {
  for (const wchar_t* prop : {kPlainFontProp, kUnderlinedFontProp}) {
    if (HANDLE font = RemovePropW(dialog, prop)) DeleteObject(font);
  }
}

// The about box's two fonts made for its DPI (at its start, and again on a monitor of another
// scale); plain first, then underlined.
void SetAboutFonts(HWND dialog) {
  HFONT plain = App_MakeFont(dialog, L"Arial", 16, 0, FALSE);
  HFONT underlined = App_MakeFont(dialog, L"Arial", 16, 0, TRUE);
  SetItemFont(dialog, IDC_ABOUT_MAKER, underlined);
  SetItemFont(dialog, IDC_ABOUT_PRODUCT, plain);
  SetItemFont(dialog, IDC_ABOUT_TERMS, plain);
  SetItemFont(dialog, IDC_ABOUT_NOTICE, plain);
  ReleaseAboutFonts(dialog);
  SetPropW(dialog, kPlainFontProp, plain);
  SetPropW(dialog, kUnderlinedFontProp, underlined);
}

// What a static's text needs with its font, in pixels: its lines unwrapped, as it draws them.
SIZE TextNeed(HWND control) {
  wchar_t text[512] = L"";
  GetWindowTextW(control, text, 512);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT need = {0, 0, 0, 0};
  const UINT prefix = (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS | prefix);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return {need.right + 1, need.bottom};
}

RECT ClientRectOf(HWND dialog, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Place(HWND dialog, int id, int x, int y, SIZE size) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The about box laid out for its texts' fonts at its DPI, which the template's dialog units do
// not follow: the maker's name and the product on the first line, the terms and the notice below,
// each as large as its text; the button keeps its place at the top right and the box grows
// around them by its template's margins.
void LayoutAbout(HWND dialog) {
  RECT client = {}, unit = {0, 0, 4, 2};
  GetClientRect(dialog, &client);
  MapDialogRect(dialog, &unit);  // the gaps: 4 dialog units across, 2 down
  const RECT maker = ClientRectOf(dialog, IDC_ABOUT_MAKER), ok = ClientRectOf(dialog, IDOK);
  const RECT notice = ClientRectOf(dialog, IDC_ABOUT_NOTICE);
  const LONG marginRight = client.right - ok.right;
  const LONG marginBottom = std::max<LONG>(unit.bottom, client.bottom - notice.bottom);
  SIZE need[4];
  const int ids[4] = {IDC_ABOUT_MAKER, IDC_ABOUT_PRODUCT, IDC_ABOUT_TERMS, IDC_ABOUT_NOTICE};
  for (int i = 0; i < 4; ++i) need[i] = TextNeed(GetDlgItem(dialog, ids[i]));
  const LONG line = std::max(need[0].cy, need[1].cy);
  need[0].cy = need[1].cy = line;
  Place(dialog, IDC_ABOUT_MAKER, maker.left, maker.top, need[0]);
  Place(dialog, IDC_ABOUT_PRODUCT, maker.left + need[0].cx + unit.right, maker.top, need[1]);
  const LONG termsTop = maker.top + line + unit.bottom, noticeTop = termsTop + need[2].cy + unit.bottom;
  Place(dialog, IDC_ABOUT_TERMS, maker.left, termsTop, need[2]);
  Place(dialog, IDC_ABOUT_NOTICE, maker.left, noticeTop, need[3]);
  const LONG right = std::max<LONG>({maker.left + need[0].cx + unit.right + need[1].cx, maker.left + need[2].cx,
                                    maker.left + need[3].cx, ok.right});
  const SIZE button = {ok.right - ok.left, ok.bottom - ok.top};
  Place(dialog, IDOK, right - button.cx, ok.top, button);
  RECT window = {};
  GetWindowRect(dialog, &window);
  const LONG frameX = (window.right - window.left) - client.right, frameY = (window.bottom - window.top) - client.bottom;
  SetWindowPos(dialog, nullptr, 0, 0, right + marginRight + frameX, noticeTop + need[3].cy + marginBottom + frameY,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR OnAboutInit(HWND dialog) {
  Subclass<LINK_ABOUT_MAKER>(GetDlgItem(dialog, IDC_ABOUT_MAKER));
  SetAboutFonts(dialog);

  // The title, the maker name and the button stay in English.
  SetItemString(dialog, IDC_ABOUT_PRODUCT, IDS_ABOUT_PRODUCT);
  SetItemString(dialog, IDC_ABOUT_TERMS, IDS_ABOUT_TERMS);
  SetItemString(dialog, IDC_ABOUT_NOTICE, IDS_ABOUT_NOTICE);
  LayoutAbout(dialog);
  return TRUE;  // the dialog manager sets the default focus
}

INT_PTR OnAboutCtlColorStatic(WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  if (!control || GetDlgCtrlID(control) != IDC_ABOUT_MAKER) return FALSE;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, kMakerNameColour);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

INT_PTR OnAboutCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_ABOUT_MAKER:  // the static's click (SS_NOTIFY); the about box stays open
      App_OpenOrderPage();
      return FALSE;
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

template <int link>
LRESULT CALLBACK App_LinkCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
  const WNDPROC previous = g_Links.previousProc[link];
  if (!previous) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(previous, window, message, wParam, lParam);
}
template LRESULT CALLBACK App_LinkCursorProc<LINK_ABOUT_MAKER>(HWND, UINT, WPARAM, LPARAM);
template LRESULT CALLBACK App_LinkCursorProc<LINK_SUPPORT>(HWND, UINT, WPARAM, LPARAM);

void App_OpenOnlineHelp() {
  // The full path, like the report's, so that the page opens whatever folder the browser starts in.
  const std::string manual =
      Dir_DataFile(std::string("\\") + Language_Of(g_Settings.Language).folder + "\\" + kManualPage);
  g_ShellExecute(nullptr, L"open", W(Text_FromUtf8(manual)), nullptr, nullptr, SW_SHOWNORMAL);
}

void App_OpenMakerSite() { OpenPage(W(Text_FromAscii(kMakerSite))); }

void App_OpenOrderPage() { OpenPage(W(Text_FromAscii(kOrderPage))); }

void App_ShowAboutBox() {
  g_DialogBoxParam(g_App.instance, MAKEINTRESOURCEW(IDD_ABOUT), g_App.mainWindow, App_AboutDialogProc, 0);
}

INT_PTR CALLBACK App_AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnAboutInit(dialog);
    case WM_CTLCOLORSTATIC:
      return OnAboutCtlColorStatic(wParam, lParam);
    case WM_COMMAND:
      return OnAboutCommand(dialog, wParam);
    case WM_NCDESTROY:
      ReleaseAboutFonts(dialog);
      return FALSE;
    case 0x02E0:  // WM_DPICHANGED: the template scales itself, the fonts set on its texts do not
      SetAboutFonts(dialog);
      LayoutAbout(dialog);
      return FALSE;
    default:
      return FALSE;
  }
}

namespace {

// Where the screen shown puts the link; 400 without a screen.
int ScreenLinkX() {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  return screen && screen->supportLinkX ? screen->supportLinkX() : kLinkX;
}

}  // namespace

void App_PlaceSupportLink(int x) {
  if (g_App.supportLink && IsWindow(g_App.supportLink)) {
    HWND toolbar = g_App.toolbar;
    MoveWindow(g_App.supportLink, App_Scale(toolbar, x), App_Scale(toolbar, kLinkY), App_Scale(toolbar, kLinkWidth),
               App_Scale(toolbar, kLinkHeight), FALSE);
  }
}

void App_RescaleSupportLink() {
  if (!g_App.supportLink || !IsWindow(g_App.supportLink)) return;
  HFONT previous = g_Links.supportFont;
  g_Links.supportFont = App_MakeFont(g_App.toolbar, L"Verdana", 14, 1000, TRUE);
  SendMessageW(g_App.supportLink, WM_SETFONT, reinterpret_cast<WPARAM>(g_Links.supportFont), TRUE);
  if (previous) DeleteObject(previous);
  App_PlaceSupportLink(ScreenLinkX());
}

void App_RelabelSupportLink(int language) {
  if (g_App.supportLink && IsWindow(g_App.supportLink))
    SendMessageW(g_App.supportLink, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(App_StringText(IDS_SUPPORT_LINK, language))));
}

void App_CreateSupportLink() {
  // One link for the toolbar's life.
  if (g_App.supportLink && IsWindow(g_App.supportLink)) return;
  HWND toolbar = g_App.toolbar;
  if (!toolbar) return;

  // The font of an earlier link, gone with its toolbar, is used by no window any more.
  if (g_Links.supportFont) DeleteObject(g_Links.supportFont);
  g_Links.supportFont = App_MakeFont(toolbar, L"Verdana", 14, 1000, TRUE);

  HWND link = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_NOTIFY,
                              App_Scale(toolbar, ScreenLinkX()), App_Scale(toolbar, kLinkY),
                              App_Scale(toolbar, kLinkWidth), App_Scale(toolbar, kLinkHeight), toolbar,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SUPPORT_LINK)), g_App.instance,
                              nullptr);
  g_App.supportLink = link;
  if (!link) return;
  SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(g_Links.supportFont), TRUE);
  App_RelabelSupportLink(g_Settings.Language);
  Subclass<LINK_SUPPORT>(link);

  // The toolbar repaints with the link on it.
  ShowWindow(toolbar, SW_HIDE);
  ShowWindow(toolbar, SW_SHOW);
}
