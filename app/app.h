#pragma once
// The shell of the tutor's Win32 layer (app/) as the features see it: the windows that live for
// the whole run, the system calls the window tests replace, and the main window's operations the
// screens call. The shell's other parts declare their own operations beside their code
// (app/strings_win.h, app/toolbar_win.h, app/commands_win.h, app/menus_win.h, app/links_win.h,
// app/write_failure_win.h, app/main_window_win.h), and so does each feature (exam/*_win.h,
// training/training_win.h, typing/typing_win.h, app/list_sort.h); everything that needs no
// window lives in the core.
#include <windows.h>

// Windows and handles that live for the whole run (app/app_state.cpp).
struct AppWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND toolbar = nullptr;        // control IDC_TOOLBAR
  HWND statusBar = nullptr;      // control IDC_STATUSBAR
  HWND supportLink = nullptr;    // control IDC_SUPPORT_LINK, child of the toolbar, when ShowURLLogo is on
  HWND detailedStats = nullptr;  // the detailed statistics window when open
  HFONT programFont = nullptr;
  HACCEL accelerators = nullptr;
  wchar_t title[100] = {};
  wchar_t className[100] = {};
};
extern AppWindows g_App;

// Message boxes, web pages and dialog boxes go through these pointers so that the window tests
// can answer them and see the addresses; they are MessageBoxW, ShellExecuteW (loaded at first
// use) and DialogBoxParamW in the program (app/app_state.cpp).
extern int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
extern HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);

// The typing area of the screen shown (modes 1, 2 and 4 share one; mode 3 has its own).
HWND App_CurrentTypingArea();
// Gives a screen's new typing area the keyboard focus; at start, while the main window is being
// built out of sight, App_InitInstance gives it when the window is shown.
void App_FocusTypingArea(HWND area);

// The main window (app/main_window_win.cpp)
// Centres the main window on the desktop (every screen builder does), together with the
// detailed statistics window beside it when that is open.
void App_CenterMainWindow();
void App_ExpandWindow(int wide);
// Command IDT_CLEAR's work: grey the Clear button and menu item and empty the screen's typing area.
void App_ClearTypingArea();
// Destroys every control of the screen shown (all children of the main window but the toolbar
// and the status bar) and forgets their handles. Screen builders call it before building
// (app/menus_win.cpp).
void App_DestroyScreenControls();
