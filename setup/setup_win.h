#pragma once
// The installer's Win32 side: the setup dialog (setup_win.cpp), the installing of files
// (install_win.h) and the registering of the program (registration_win.h). ANSI calls for files
// and windows: every path the installer writes to is a byte string in the system code page; the
// destination box is read as UTF-16 only to refuse a path that code page cannot spell.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "common/text.h"
#include "setup/install_win.h"
#include "setup/registration_win.h"
#include "setup/setup.h"

struct SetupState {
  std::string destination;          // the checked destination the install writes to (ANSI)
  HMODULE payloadModule = nullptr;  // module holding the payload; nullptr is the program itself
  WNDPROC linkPreviousProc = nullptr;
  HFONT linkFont = nullptr;
  HICON icons[2] = {};              // the dialog's big and small icon
  SetupResult result;
};
extern SetupState g_Setup;

// The program calls MessageBoxA, ShellExecuteA, WinExec and SHBrowseForFolderA through these
// pointers, so that the window tests can answer and watch them.
extern int(WINAPI* g_SetupMessageBox)(HWND, LPCSTR, LPCSTR, UINT);
extern HINSTANCE(WINAPI* g_SetupShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern UINT(WINAPI* g_SetupWinExec)(LPCSTR, UINT);
extern PIDLIST_ABSOLUTE(WINAPI* g_SetupBrowseForFolder)(LPBROWSEINFOA);

extern const char kSetupTitle[];       // "Velmora Keyfarer 1.0 Setup"

// The Install command's operation: reads the default language (box 1004) and the ticks of the
// additional list (1005), installs into g_Setup.destination (Setup_RunPlan), and then
// registers the program there. g_Setup.result tells.
void Setup_Install(HWND dialog);

// The destination typed into box 1006: `typed` tidied, and when it can be used (the result is
// SetupPathProblem::None) `ansi`, the full path in the system code page.
SetupPathProblem Setup_ReadDestination(HWND dialog, Text16& typed, std::string& ansi);

// The dialog.
INT_PTR CALLBACK Setup_DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void Setup_FillAdditionalLanguages(HWND dialog, int language);
// Lets the user pick a folder; on success `destination` becomes <folder>\KFP.
bool Setup_BrowseDestination(HWND dialog, Text16& destination);
LRESULT CALLBACK Setup_LinkCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
