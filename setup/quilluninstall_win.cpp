// quilluninstall, installed as Uninstall.exe: takes Keyfarer away from the folder it lies in.
// A running program cannot remove its own file, so after the question it goes on from a copy
// of itself in the temporary folder ("/remove keep|all <folder>"), which waits for the first
// one to end. Plain Win32 and character arrays: the program carries no C++ runtime.
#include <windows.h>

#include <cstdlib>

#include "setup/payload.h"
#include "setup/uninstall_win.h"

namespace {

constexpr DWORD kWaitForFirstMs = 10000;  // how long the copy waits for Uninstall.exe to be free
constexpr char kRemoveSwitch[] = "/remove";
constexpr int kTextRoom = 8192;

char g_text[kTextRoom];
char g_left[kTextRoom];

int Box(const char* text, UINT flags) { return MessageBoxA(nullptr, text, kSetupUninstallTitle, flags); }

bool FolderExists(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The copy's work: waits until the first uninstaller has ended, removes, tells what it did.
int Remove(const char* folder, bool keep) {
  char first[MAX_PATH * 2];
  wsprintfA(first, "%s\\%s", folder, kSetupUninstallerName);
  // Only a folder that an installation made: its uninstaller is still there.
  if (GetFileAttributesA(first) == INVALID_FILE_ATTRIBUTES) return 1;
  for (DWORD waited = 0; waited < kWaitForFirstMs && !DeleteFileA(first); waited += 100) {
    if (GetFileAttributesA(first) == INVALID_FILE_ATTRIBUTES) break;
    Sleep(100);
  }
  g_left[0] = '\0';
  const int failures = Setup_RemoveInstallation(folder, keep, g_left, kTextRoom);
  Setup_UninstallDone(folder, keep && FolderExists(folder), g_left, g_text, kTextRoom);
  Box(g_text, MB_OK | (failures ? MB_ICONWARNING : MB_ICONINFORMATION));
  // The copy itself goes with the next restart where the system allows it.
  char self[MAX_PATH] = "";
  if (GetModuleFileNameA(nullptr, self, MAX_PATH) < MAX_PATH) MoveFileExA(self, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return failures ? 1 : 0;
}

// Starts the copy in the temporary folder; false when it cannot.
bool StartCopy(const char* self, const char* folder, bool keep) {
  char temp[MAX_PATH] = "", copy[MAX_PATH] = "";
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length + 40 >= MAX_PATH) return false;
  wsprintfA(copy, "%sKeyfarer-uninstall-%lu.exe", temp, GetCurrentProcessId());
  if (!CopyFileA(self, copy, FALSE)) return false;
  char command[MAX_PATH * 3];
  wsprintfA(command, "\"%s\" %s %s \"%s\"", copy, kRemoveSwitch, keep ? "keep" : "all", folder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(copy, command, nullptr, nullptr, FALSE, 0, nullptr, temp, &startup, &process)) {
    DeleteFileA(copy);
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Setup_HardenDllSearch();
  if (__argc == 4 && lstrcmpA(__argv[1], kRemoveSwitch) == 0 && lstrlenA(__argv[3]) < MAX_PATH)
    return Remove(__argv[3], lstrcmpA(__argv[2], "keep") == 0);

  char self[MAX_PATH] = "", folder[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  lstrcpynA(folder, self, MAX_PATH);
  char* last = nullptr;
  for (char* at = folder; *at; at = CharNextA(at))
    if (*at == '\\') last = at;
  if (!last || last - folder < 2) return 1;
  *last = '\0';

  Setup_UninstallQuestion(folder, g_text, kTextRoom);
  const int answer = Box(g_text, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer != IDYES && answer != IDNO) return 0;
  if (Setup_TutorRunning(folder)) {
    Box(kSetupUninstallRunning, MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  if (StartCopy(self, folder, answer == IDYES)) return 0;
  // Without a copy this program removes all it can; its own file stays, and it says so.
  return Remove(folder, answer == IDYES);
}
