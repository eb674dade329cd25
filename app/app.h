#pragma once
// The shell of the tutor's Win32 layer (app/) as the features see it: the windows that live for
// the whole run (read, never written, by the features), the system calls the window tests
// replace, and the shell calls through which a feature changes what the shell shows. The shell's
// other parts declare their own operations beside their code; each feature declares its own
// (exam/*_win.h, keys/keys_win.h, training/training_win.h, typing/typing_win.h); everything that
// needs no window lives in the core.
#include <windows.h>

#include "app/screen.h"

// Windows and handles that live for the whole run (app/app_state.cpp).
struct AppWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND toolbar = nullptr;      // control IDC_TOOLBAR
  HWND statusBar = nullptr;    // control IDC_STATUSBAR
  HWND supportLink = nullptr;  // control IDC_SUPPORT_LINK, child of the toolbar, when ShowURLLogo is on
  HACCEL accelerators = nullptr;
  wchar_t title[100] = {};
  wchar_t className[100] = {};
};
extern AppWindows g_App;

// Message boxes, web pages, dialog boxes and the local time go through these pointers so that
// the window tests can answer them and see what was asked; they are MessageBoxW, ShellExecuteW
// (loaded at first use), DialogBoxParamW and GetLocalTime in the program (app/app_state.cpp).
extern int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
extern HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
extern void(WINAPI* g_GetLocalTime)(LPSYSTEMTIME);

// The shell's own facts that the commands follow besides the settings (the mode, the language,
// the alert), the typing state and what the features answer (app/commands_win.cpp). Only the
// shell writes them; a feature says what changed through App_SetClearable.
struct UiState {
  bool clearable = false;  // the typing area holds text that Clear would empty
  bool toolbarShown = true;
  bool statusBarShown = true;
};
extern UiState g_Ui;

// Sets every menu item (enabled or greyed, its text, its check mark) and every toolbar button
// (shown or hidden, enabled or greyed, its image) from the state; the only writer of those. Cheap
// when nothing changed: it touches only what differs from what it set last. A feature calls it
// after a change of its own that a command follows (a window opened, a test stopped).
void App_UpdateCommands();
// The typing area holds text that Clear would empty, or no longer: the commands follow (every
// keystroke says so; only a change costs anything).
void App_SetClearable(bool clearable);

// The screen of `mode`, or nullptr for a mode outside 1-4 (no screen is shown), and the screens
// of the run (app/app_state.cpp).
const ScreenOps* App_ScreenOf(int mode);
const ScreenList& App_Screens();
// The typing area of the screen shown (modes 1, 2 and 4 share one; mode 3 has its own).
HWND App_CurrentTypingArea();
// Gives a screen's new typing area the keyboard focus; at start, while the main window is being
// built out of sight, App_InitInstance gives it when the window is shown.
void App_FocusTypingArea(HWND area);

// The main window (app/window_win.cpp)
// Centres the main window on the desktop, together with a window docked beside it.
void App_CenterMainWindow();
// Gives the main window the size the screen shown asks for (ScreenOps::windowSize), or the size
// the learner gave that screen in this run, within the work area, puts the support link at the
// screen's place and centres the window: after a build, and whenever a screen changes its form
// (the Tests screen widened after a completed test, the keyboard shown or hidden).
void App_FitMainWindow();
// The height the screen's controls have (96 DPI): the client area down to the status bar.
int App_ScreenRoom();
// Command Clear's work: the Clear command greyed, the screen's typing area emptied, the screen
// told (a multi-line edit control reports no change for a text set from outside).
void App_ClearTypingArea();
// A child control of the main window, made without a size: the screen's layout places it.
HWND App_CreateChild(const wchar_t* cls, DWORD style, int id);
// The text of status bar part `part` (a feature's message, the live figures).
void App_SetStatusText(int part, const wchar_t* text);
// Says string `text` of the current language once per run (`said`) in the status bar's third
// part, where the live errors figure stood at a stop (a file that could not be written); the next
// test's live figures take the part back.
void App_SayOnce(bool& said, UINT text);
