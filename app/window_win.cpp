// The main window's place and size as the screens ask for them, Clear's emptying of the typing
// area, and the status bar's texts: what the features ask of the main window.
#include <windows.h>

#include <commctrl.h>

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
    const SIZE size = screen->windowSize();
    RECT rc;
    GetWindowRect(window, &rc);
    const int height = size.cy ? App_Scale(window, size.cy) : rc.bottom - rc.top;
    SetWindowPos(window, nullptr, 0, 0, App_Scale(window, size.cx), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  App_CenterMainWindow();
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
