// quilluninstall, installed as Uninstall.exe: takes Keyfarer away from the folder it lies in.
// Whether the tutor runs is asked first, then the question. A running program cannot remove its
// own file, so the system's command processor removes Uninstall.exe (and the folder it leaves
// empty) once this program has ended: no copy of it goes anywhere, and nothing is written to the
// registry for it. Plain Win32 and character arrays: the program carries no C++ runtime.
#include <windows.h>

#include "setup/payload.h"
#include "setup/uninstall_win.h"

namespace {

constexpr int kTextRoom = 8192;

char g_text[kTextRoom];
char g_left[kTextRoom];

int Box(const char* text, UINT flags) { return MessageBoxA(nullptr, text, kSetupUninstallTitle, flags); }

// Whether anything but the uninstaller is left in the folder: what the learner keeps.
bool HoldsMoreThanUninstaller(const char* folder) {
  char pattern[MAX_PATH * 2];
  wsprintfA(pattern, "%s\\*", folder);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool more = false;
  do {
    const char* name = found.cFileName;
    if (lstrcmpA(name, ".") && lstrcmpA(name, "..") && lstrcmpiA(name, kSetupUninstallerName)) more = true;
  } while (!more && FindNextFileA(find, &found));
  FindClose(find);
  return more;
}

// Removes all but this program's own file, tells what it did, and leaves that file to the
// command processor once the message is read.
int Remove(const char* folder, bool keep) {
  g_left[0] = '\0';
  int failures = Setup_RemoveInstallation(folder, keep, g_left, kTextRoom, true);
  const bool later = Setup_CanRemoveWhenEnded(folder);
  if (!later) {
    lstrcatA(g_left, "\r\n");
    lstrcatA(g_left, kSetupUninstallerName);
    ++failures;
  }
  Setup_UninstallDone(folder, keep && HoldsMoreThanUninstaller(folder), g_left, g_text, kTextRoom);
  Box(g_text, MB_OK | (failures ? MB_ICONWARNING : MB_ICONINFORMATION));
  if (later) Setup_RemoveWhenEnded(folder);
  return failures ? 1 : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Setup_HardenDllSearch();
  char folder[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  char* last = nullptr;
  for (char* at = folder; *at; at = CharNextA(at))
    if (*at == '\\') last = at;
  if (!last || last - folder < 2) return 1;
  *last = '\0';

  // A question the learner answers only to hear that the tutor must be closed first is no use.
  if (Setup_TutorRunning(folder)) {
    Box(kSetupUninstallRunning, MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  Setup_UninstallQuestion(folder, g_text, kTextRoom);
  const int answer = Box(g_text, MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer != IDYES && answer != IDNO) return 0;
  return Remove(folder, answer == IDYES);
}
