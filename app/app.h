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

// What the menu items, toolbar buttons and their images follow besides the settings (the mode,
// the language, the alert), the typing state (a test running) and g_App.detailedStats (the
// detailed statistics window open). Features change these facts and then call
// App_UpdateCommands; nothing reads a control back to learn them.
struct UiState {
  bool clearable = false;          // the typing area holds text that Clear would empty
  bool testStopped = false;        // a test has stopped in this run: the statistics button works
  bool lastTestCompleted = false;  // the last test ran to the end of the sample, on this Tests screen
  bool customListExists = false;   // the current language has a custom words list
  bool toolbarShown = true;
  bool statusBarShown = true;
};
extern UiState g_Ui;

// Sets every menu item (enabled or greyed, its text, its check mark) and every toolbar button
// (shown or hidden, enabled or greyed, its image) from the state; the only writer of those. Cheap
// when nothing changed: it touches only what differs from what it set last.
void App_UpdateCommands();
// Sets g_Ui.clearable and updates the commands when it changes (every keystroke asks).
void App_SetClearable(bool clearable);

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
