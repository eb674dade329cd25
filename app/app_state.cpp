// Program-wide window state of the tutor, the system calls the window tests replace, and the
// screens of the run.
#include <windows.h>

#include "app/app.h"
#include "app/on_demand.h"
#include "settings/settings.h"

AppWindows g_App;
UiState g_Ui;

int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT) = MessageBoxW;
HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = App_ShellExecuteOnDemand;
INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM) = DialogBoxParamW;
void(WINAPI* g_GetLocalTime)(LPSYSTEMTIME) = GetLocalTime;

namespace {

// Installed by the shell at start (App_InstallScreens): the shell's services reach the screens
// through it, never by their names.
ScreenList s_Screens;

}  // namespace

void App_SetScreens(const ScreenList& screens) { s_Screens = screens; }

const ScreenList& App_Screens() { return s_Screens; }

const ScreenOps* App_ScreenOf(int mode) {
  for (size_t i = 0; i < s_Screens.count; ++i)
    if (s_Screens.screens[i]->mode == mode) return s_Screens.screens[i];
  return nullptr;
}

HWND App_CurrentTypingArea() {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  return screen && screen->typingArea ? screen->typingArea() : nullptr;
}

void App_FocusTypingArea(HWND area) {
  // Focusing a child of the hidden main window would activate it before it is shown.
  if (area && g_App.mainWindow && IsWindowVisible(g_App.mainWindow)) SetFocus(area);
}
