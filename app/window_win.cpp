// The main window's place and size as the screens ask for them, Clear's emptying of the typing
// area, and the status bar's texts: what the features ask of the main window.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/app.h"
#include "app/dpi.h"
#include "app/links_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "app/window_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/keystrokes.h"

namespace {

const ScreenOps* Shown() { return App_ScreenOf(g_Settings.Mode); }

// The width of the windows docked beside the main window, which is centred together with them.
int DockedWidth() {
  int width = 0;
  const ScreenList& list = App_Screens();
  for (size_t i = 0; i < list.count; ++i)
    if (list.screens[i]->dockedWidth) width += list.screens[i]->dockedWidth();
  return width;
}

// The sizes the learner gave the screens in this run (96 DPI), by the size each screen asks for.
struct ChosenSizes {
  SIZE asked[8] = {};
  SIZE chosen[8] = {};
  int count = 0;
  SIZE before = {};  // the window's size as a drag began, in pixels
};
ChosenSizes s_Chosen;

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

const SIZE* ChosenFor(SIZE asked) {
  for (int i = 0; i < s_Chosen.count; ++i)
    if (SameSize(s_Chosen.asked[i], asked)) return &s_Chosen.chosen[i];
  return nullptr;
}

RECT WorkArea() {
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return work;
}

SIZE WindowPixels(HWND window) {
  RECT rc;
  GetWindowRect(window, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

// Pixels at the window's DPI back to a 96-DPI figure.
int Unscale(HWND window, int pixels) { return MulDiv(pixels, kBaseDpi, App_WindowDpi(window)); }

int StatusBarHeight() {
  RECT bar;
  if (!g_App.statusBar || !g_Ui.statusBarShown || !GetWindowRect(g_App.statusBar, &bar)) return 0;
  return bar.bottom - bar.top;
}

}  // namespace

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

void App_CenterMainWindow() {
  if (!g_App.mainWindow) return;
  App_CenterWindow(g_App.mainWindow, GetDesktopWindow(), DockedWidth() / 2);
}

void App_FitMainWindow() {
  HWND window = g_App.mainWindow;
  const ScreenOps* screen = Shown();
  if (!window || !screen) return;
  if (screen->supportLinkX) App_PlaceSupportLink(screen->supportLinkX());
  if (screen->windowSize) {
    const SIZE asked = screen->windowSize();
    const SIZE* chosen = ChosenFor(asked);
    const SIZE size = chosen ? *chosen : asked;
    const RECT work = WorkArea();
    int width = App_Scale(window, size.cx);
    int height = size.cy ? App_Scale(window, size.cy) : WindowPixels(window).cy;
    // A display smaller than the screen: the window takes the work area, the screen gives its
    // texts and keyboard less height.
    if (width > work.right - work.left) width = work.right - work.left;
    if (height > work.bottom - work.top) height = work.bottom - work.top;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  App_CenterMainWindow();
}

int App_ScreenRoom() {
  RECT rc;
  if (!g_App.mainWindow || !GetClientRect(g_App.mainWindow, &rc)) return 0;
  return Unscale(g_App.mainWindow, rc.bottom - StatusBarHeight());
}

void App_OnEnterSizeMove() {
  if (g_App.mainWindow) s_Chosen.before = WindowPixels(g_App.mainWindow);
}

void App_OnExitSizeMove() {
  HWND window = g_App.mainWindow;
  const ScreenOps* screen = Shown();
  if (!window || !screen || !screen->windowSize) return;
  const SIZE now = WindowPixels(window);
  if (SameSize(now, s_Chosen.before)) return;  // moved, not sized
  const SIZE asked = screen->windowSize();
  const SIZE chosen = {Unscale(window, now.cx), Unscale(window, now.cy)};
  for (int i = 0; i < s_Chosen.count; ++i) {
    if (!SameSize(s_Chosen.asked[i], asked)) continue;
    s_Chosen.chosen[i] = chosen;
    return;
  }
  if (s_Chosen.count >= 8) return;
  s_Chosen.asked[s_Chosen.count] = asked;
  s_Chosen.chosen[s_Chosen.count++] = chosen;
}

void App_OnMinMaxInfo(MINMAXINFO* info) {
  HWND window = g_App.mainWindow;
  const ScreenOps* screen = Shown();
  if (!info || !window || !screen || !screen->leastRoom || !screen->windowSize) return;
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const int frame = (outer.bottom - outer.top) - client.bottom;
  // No narrower than the screen's controls, no lower than its least room.
  const RECT work = WorkArea();
  info->ptMinTrackSize.x = std::min<LONG>(App_Scale(window, screen->windowSize().cx), work.right - work.left);
  info->ptMinTrackSize.y = App_Scale(window, screen->leastRoom()) + StatusBarHeight() + frame;
}

void App_ClearTypingArea() {
  App_SetClearable(false);
  // No screen with a typing area yet: nothing to empty.
  if (HWND area = App_CurrentTypingArea()) SendMessageW(area, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  App_BeginFreshWord(g_Typing);
  const ScreenOps* screen = Shown();
  if (screen && screen->typingReset) screen->typingReset();
}

HWND App_CreateChild(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, g_App.mainWindow,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
}

void App_SetStatusText(int part, const wchar_t* text) {
  if (g_App.statusBar) SendMessageW(g_App.statusBar, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
}

void App_SayOnce(bool& said, UINT text) {
  if (said) return;
  said = true;
  App_SetStatusText(SB_PART_LIVE_ERRORS, W(App_StringText(text, g_Settings.Language)));
}
