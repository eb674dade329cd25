// Fonts, the toolbar of five image buttons and the status bar, the bars made once at
// start and kept for the run, and the View commands that hide and show the two bars.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/dpi.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

constexpr int kToolbarImages = 8;  // one strip of bitmap IDB_TOOLBAR
constexpr int kImageWidth = 16, kImageHeight = 15;  // at 96 DPI
constexpr COLORREF kStripBackground = RGB(192, 192, 192);  // IDB_TOOLBAR's button face
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

// The large strip laid on the button face and scaled down once to `width` x `height` per image
// (halftone, so that its edges stay smooth); null when it cannot be made.
HBITMAP ScaledStrip(int width, int height) {
  HBITMAP large = static_cast<HBITMAP>(
      LoadImageW(g_App.instance, MAKEINTRESOURCEW(IDB_TOOLBAR_LARGE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!large) return nullptr;
  BITMAP bm = {};
  GetObjectW(large, sizeof(bm), &bm);
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  // The strip in 32 bits, its background turned into the face colour before the scaling blends
  // the pictures' edges with it.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP faced = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HBITMAP scaled = CreateCompatibleBitmap(screen, width * kToolbarImages, height);
  if (from && to && faced && bits && scaled) {
    HGDIOBJ oldFrom = SelectObject(from, large);
    HGDIOBJ oldTo = SelectObject(to, faced);
    BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    GdiFlush();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD background = (GetRValue(kStripBackground) << 16) | (GetGValue(kStripBackground) << 8) |
                             GetBValue(kStripBackground);
    const DWORD faceBits = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    DWORD* pixel = static_cast<DWORD*>(bits);
    for (LONG i = 0; i < bm.bmWidth * bm.bmHeight; ++i)
      if ((pixel[i] & 0xFFFFFF) == background) pixel[i] = faceBits;
    SelectObject(from, faced);
    SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width * kToolbarImages, height, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  } else if (scaled) {
    DeleteObject(scaled);
    scaled = nullptr;
  }
  if (faced) DeleteObject(faced);
  if (to) DeleteDC(to);
  if (from) DeleteDC(from);
  ReleaseDC(nullptr, screen);
  DeleteObject(large);
  return scaled;
}

// The eight images at the main window's DPI: at 100 % the pixel art of IDB_TOOLBAR, above it the
// large strip, at 200 % as drawn and in between scaled down. Their background shows the button face.
HIMAGELIST ToolbarImages() {
  const int width = App_Scale(g_App.mainWindow, kImageWidth), height = App_Scale(g_App.mainWindow, kImageHeight);
  HBITMAP strip = nullptr;
  COLORREF background = kStripBackground;
  if (width > kImageWidth) {
    strip = ScaledStrip(width, height);
    background = GetSysColor(COLOR_BTNFACE);
  }
  if (!strip) {
    strip = static_cast<HBITMAP>(LoadImageW(g_App.instance, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, 0, 0, 0));
    background = kStripBackground;
  }
  if (!strip) return nullptr;
  BITMAP bm = {};
  GetObjectW(strip, sizeof(bm), &bm);
  HIMAGELIST images = ImageList_Create(bm.bmWidth / kToolbarImages, bm.bmHeight, ILC_COLOR24 | ILC_MASK,
                                       kToolbarImages, 0);
  if (images) ImageList_AddMasked(images, strip, background);
  DeleteObject(strip);
  return images;
}

// The toolbar's images for the main window's DPI; the list they replace is destroyed.
void SetToolbarImages(HWND toolbar) {
  HIMAGELIST images = ToolbarImages();
  HIMAGELIST previous =
      reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
  if (previous && previous != images) ImageList_Destroy(previous);
}

void SetStatusParts(HWND bar) {
  // The part edges follow the client width when they are set; they stay when the window resizes.
  RECT client = {};
  GetClientRect(g_App.mainWindow, &client);
  const int a = (client.right - client.left) / 3;
  int edges[kStatusParts] = {a, 2 * a, 4 * a};
  SendMessageW(bar, SB_SETPARTS, kStatusParts, reinterpret_cast<LPARAM>(edges));
}

}  // namespace

namespace {

// The text views' face, registered once for this process from the tutor's resources. Wine's edit
// control shapes Latin and Cyrillic lines without glyph numbers, and applies a font's positioning
// tables to character codes as if they were glyphs: with the faces a Linux desktop gives for
// "Arial" or "MS Shell Dlg", д е ж з are positioned as combining marks and one at the start of a
// line ends the program. This face has no positioning tables, so there is nothing to misapply.
const wchar_t* TextFace() {
  static const wchar_t* face = nullptr;
  if (face) return face;
  face = L"Arial";  // what the views use when the resource cannot be registered
  HMODULE module = g_App.instance ? g_App.instance : GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_TEXT_FONT), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD faces = 0;
  if (bytes && AddFontMemResourceEx(bytes, SizeofResource(module, found), nullptr, &faces) && faces > 0)
    face = kTextFace;
  return face;
}

}  // namespace

HFONT App_MakeTextFont(HWND forWindow, LONG height) { return App_MakeFont(forWindow, TextFace(), height); }

HFONT App_MakeFont(HWND forWindow, const wchar_t* face, LONG height, LONG weight, BYTE underline) {
  LOGFONTW lf = {};
  lf.lfHeight = App_Scale(forWindow, height);
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

  SetToolbarImages(toolbar);
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
  SetStatusParts(bar);
  ShowWindow(bar, SW_SHOW);
}

void App_RescaleBars() {
  if (g_App.toolbar) {
    SetToolbarImages(g_App.toolbar);
    SendMessageW(g_App.toolbar, TB_AUTOSIZE, 0, 0);
  }
  if (g_App.statusBar) SetStatusParts(g_App.statusBar);
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
