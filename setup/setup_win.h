#pragma once
// The installer's Win32 side: the setup dialog and the install operation (ANSI calls for files
// and windows: every path the installer writes to is a byte string in the system code page; the
// destination box is read as UTF-16 only to refuse a path that code page cannot spell).
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "setup/setup.h"

// How the last installation (or single write) ended. A failure names the file or folder and
// carries the system's error code; nothingInstalled says whether the destination was left as
// it was before.
struct SetupResult {
  bool failed = false;
  bool nothingInstalled = true;
  bool running = false;             // the tutor of the destination is running: nothing was written
  std::string path;
  DWORD error = 0;
  std::vector<std::string> left;    // what the undo of a failure could not remove
  std::vector<std::string> kept;    // the user's files that stayed as they were (relative)
  std::string notice;               // a shortcut or an uninstall entry that could not be made
};

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

// The install operation. Setup_Install reads the default language (box 1004) and the ticks of
// the additional list (1005) and installs into g_Setup.destination: every target is checked
// first, every file is written completely under a ".part" name beside its own, and only then
// are they renamed into place; a failure removes what this run wrote. g_Setup.result tells.
void Setup_Install(HWND dialog);
// Installs payload resource `resource` as <folder>\<name> the same way; true when it was.
bool Setup_WriteResourceFile(int resource, const char* folder, const char* name);
// The folders and the five files of language 1 to 3 below g_Setup.destination; other codes
// do nothing.
bool Setup_WriteLanguageData(int language);

// The destination typed into box 1006: `typed` tidied, and when it can be used (the result is
// SetupPathProblem::None) `ansi`, the full path in the system code page.
SetupPathProblem Setup_ReadDestination(HWND dialog, Text16& typed, std::string& ansi);

// The system's own words for an error code ("Disk full."), without the line end.
std::string Setup_SystemReason(DWORD error);

// Tells Windows the program is there, after the files are in place: the Start menu shortcut
// (Programs\Keyfarer\Keyfarer.lnk, starting KFP.exe in the destination) and the entry among
// the installed apps (kSetupUninstallKey), both for the current user. Empty when both were
// made; otherwise what could not be made, for the user.
std::string Setup_RegisterProgram(const std::string& destination);
// <Programs>\Keyfarer\Keyfarer.lnk of the current user; empty when the shell has no Programs folder.
std::string Setup_ShortcutPath();

// The dialog.
INT_PTR CALLBACK Setup_DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void Setup_FillAdditionalLanguages(HWND dialog, int language);
// Lets the user pick a folder; on success `destination` becomes <folder>\KFP.
bool Setup_BrowseDestination(HWND dialog, Text16& destination);
LRESULT CALLBACK Setup_LinkCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
