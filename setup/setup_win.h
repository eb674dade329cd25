#pragma once
// The installer's Win32 side: the setup dialog and the install operation (ANSI calls throughout:
// every text and path of the installer is a byte string in the system code page).
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

struct SetupState {
  char destination[MAX_PATH] = "";  // at most 259 characters; set at start and by the browser
  HMODULE payloadModule = nullptr;  // module holding the payload; nullptr is the program itself
  WNDPROC linkPreviousProc = nullptr;
  HFONT linkFont = nullptr;
  // Failures of the running installation: files that could not be written completely or
  // payload that was missing. The install command reports them instead of claiming success.
  int failures = 0;
  std::string firstFailure;  // the path of the first file that failed
};
extern SetupState g_Setup;

// The program calls MessageBoxA, ShellExecuteA, WinExec and SHBrowseForFolderA through these
// pointers, so that the window tests can answer and watch them.
extern int(WINAPI* g_SetupMessageBox)(HWND, LPCSTR, LPCSTR, UINT);
extern HINSTANCE(WINAPI* g_SetupShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern UINT(WINAPI* g_SetupWinExec)(LPCSTR, UINT);
extern PIDLIST_ABSOLUTE(WINAPI* g_SetupBrowseForFolder)(LPBROWSEINFOA);

extern const char kSetupTitle[];       // "Velmora Keyfarer 1.0 Setup"
extern const char kSetupOrderPage[];   // the maker's order and donation page

// The install operation. Setup_Install reads the default language (box 1004), the ticks of the
// additional list (1005) and the destination path, and writes everything in order.
void Setup_Install(HWND dialog);
// Copies payload resource `resource` to <folder>\<name>; returns 1 in every case.
int Setup_WriteResourceFile(int resource, const char* folder, const char* name);
// The folders and the five files of language 1 to 3 below the destination; other codes do nothing.
void Setup_WriteLanguageData(int language);
// <folder>\Settings.xml with the default document of the language.
void Setup_WriteDefaultSettings(const char* folder, int language);

// The dialog.
INT_PTR CALLBACK Setup_DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void Setup_FillAdditionalLanguages(HWND dialog, int language);
bool Setup_BrowseDestination(HWND dialog, char* destination);
LRESULT CALLBACK Setup_LinkCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
