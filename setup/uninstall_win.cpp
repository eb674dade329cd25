// Taking away one installation: exactly the files an installation writes (and the tutor's log),
// the learner's files only when the user does not keep them, the folders an installation makes
// once they are empty, the Start menu shortcut and the installed apps entry of this folder.
// Every path is the installation folder joined with a name of the removal: nothing outside it.
#include "setup/uninstall_win.h"

#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "setup/payload.h"
#include "setup/removal.h"

namespace {

// `text` (of `room` characters) with `more` appended, cut where the room ends.
void Append(char* text, int room, const char* more) {
  const int used = lstrlenA(text);
  if (used < room - 1) lstrcpynA(text + used, more, room - used);
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A read-only file is the program's all the same: the mark goes first.
bool RemoveFile(const char* path) {
  if (DeleteFileA(path)) return true;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path) || !Exists(path);
}

// The program a shortcut starts; false when it cannot be read.
bool ShortcutTarget(const char* shortcut, char (&target)[MAX_PATH]) {
  bool read = false;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH] = L"";
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      read = MultiByteToWideChar(CP_ACP, 0, shortcut, -1, wide, MAX_PATH) && SUCCEEDED(file->Load(wide, STGM_READ)) &&
             SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return read;
}

// The shortcut, when it starts this folder's tutor (another installation may have made it since).
bool RemoveShortcut(const char* folder, char (&shortcut)[MAX_PATH]) {
  if (!Setup_ShortcutFile(shortcut) || !IsFile(shortcut)) return true;
  char target[MAX_PATH] = "", program[MAX_PATH] = "";
  wsprintfA(program, "%s\\%s", folder, kSetupProgramName);
  if (!ShortcutTarget(shortcut, target) || lstrcmpiA(target, program) != 0) return true;
  if (!RemoveFile(shortcut)) return false;
  char shortcutFolder[MAX_PATH];
  lstrcpynA(shortcutFolder, shortcut, MAX_PATH);
  char* last = nullptr;
  for (char* at = shortcutFolder; *at; at = CharNextA(at))
    if (*at == '\\') last = at;
  if (last) *last = '\0';
  RemoveDirectoryA(shortcutFolder);  // only when empty
  return true;
}

// The installed apps entry, when it names this folder.
bool RemoveUninstallEntry(const char* folder) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSetupUninstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return true;
  char location[MAX_PATH * 2] = "";
  DWORD size = sizeof location - 1, type = 0;
  const bool ours = RegQueryValueExA(key, "InstallLocation", nullptr, &type, reinterpret_cast<BYTE*>(location),
                                     &size) == ERROR_SUCCESS &&
                    type == REG_SZ && lstrcmpiA(location, folder) == 0;
  RegCloseKey(key);
  return !ours || RegDeleteKeyA(HKEY_CURRENT_USER, kSetupUninstallKey) == ERROR_SUCCESS;
}

struct Removing {
  const char* folder;
  char* left;
  int room;
  int failures;
  bool ownFileLater;
};

void RemoveOne(const char* relative, bool isFolder, void* context) {
  Removing& removing = *static_cast<Removing*>(context);
  if (removing.ownFileLater && lstrcmpiA(relative, kSetupUninstallerName) == 0) return;
  char path[MAX_PATH * 2];
  if (lstrlenA(removing.folder) + 1 + lstrlenA(relative) >= static_cast<int>(sizeof path)) return;
  wsprintfA(path, "%s\\%s", removing.folder, relative);
  // A folder that still holds something (a file of the user's, a kept one) stays with it.
  if (isFolder) {
    RemoveDirectoryA(path);
  } else if (IsFile(path) && !RemoveFile(path)) {
    Append(removing.left, removing.room, "\r\n");
    Append(removing.left, removing.room, relative);
    ++removing.failures;
  }
}

}  // namespace

// Looked up, since Windows 7 has the call only with an update; there, the current folder at
// least leaves the search.
void Setup_HardenDllSearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(found));
  if (!setDirectories || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

bool Setup_ShortcutFile(char (&path)[MAX_PATH]) {
  char programs[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs)) || !programs[0] ||
      lstrlenA(programs) + lstrlenA(kSetupShortcutFolder) + lstrlenA(kSetupShortcutName) + 3 > MAX_PATH)
    return false;
  wsprintfA(path, "%s\\%s\\%s", programs, kSetupShortcutFolder, kSetupShortcutName);
  return true;
}

bool Setup_TutorRunning(const char* folder) {
  char program[MAX_PATH * 2];
  if (lstrlenA(folder) + 1 + lstrlenA(kSetupProgramName) >= static_cast<int>(sizeof program)) return false;
  wsprintfA(program, "%s\\%s", folder, kSetupProgramName);
  if (!IsFile(program)) return false;
  HANDLE file = CreateFileA(program, GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

int Setup_RemoveInstallation(const char* folder, bool keepLearnersFiles, char* left, int room, bool ownFileLater) {
  Removing removing = {folder, left, room, 0, ownFileLater};
  Setup_ForEachRemoval(keepLearnersFiles, RemoveOne, &removing);
  if (!ownFileLater) RemoveDirectoryA(folder);
  char shortcut[MAX_PATH] = "";
  if (!RemoveShortcut(folder, shortcut)) {
    Append(left, room, "\r\n");
    Append(left, room, shortcut);
    ++removing.failures;
  }
  if (!RemoveUninstallEntry(folder)) {
    Append(left, room, "\r\nHKEY_CURRENT_USER\\");
    Append(left, room, kSetupUninstallKey);
    ++removing.failures;
  }
  return removing.failures;
}

bool Setup_CanRemoveWhenEnded(const char* folder) {
  for (const char* at = folder; *at; at = CharNextA(at))
    if (*at == '%') return false;
  return lstrlenA(folder) < MAX_PATH;
}

// One try two seconds on, when the uninstaller, which starts it as its last step, has long
// ended (ping's pause: the command processor has no other that every Windows has), then the
// folder, which "rd" removes only when it is empty. A single try: a second one later could take
// the uninstaller of an installation made there since.
bool Setup_RemoveWhenEnded(const char* folder) {
  char system[MAX_PATH] = "", processor[MAX_PATH + 16] = "";
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (!Setup_CanRemoveWhenEnded(folder) || length == 0 || length >= MAX_PATH) return false;
  wsprintfA(processor, "%s\\cmd.exe", system);
  char program[MAX_PATH * 2];
  wsprintfA(program, "\"%s\\%s\"", folder, kSetupUninstallerName);
  char command[1024];  // wsprintfA writes at most 1024; the longest folder leaves room
  wsprintfA(command,
            "\"%s\" /d /q /s /c \"ping -n 3 127.0.0.1 >nul & del /f /q %s 2>nul & rd \"%s\" 2>nul\"", processor,
            program, folder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(processor, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, system, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void Setup_UninstallQuestion(const char* folder, char* text, int room) {
  lstrcpynA(text, "Remove Keyfarer from ", room);
  Append(text, room, folder);
  Append(text, room,
         "?\r\n\r\nKeep your own files there (your settings, test and key histories, course progress, custom words, "
         "report, keyboard page and practice text)?"
         "\r\n\r\nYes: remove Keyfarer and keep your files.\r\nNo: remove your files too.\r\nCancel: remove nothing.");
}

void Setup_UninstallDone(const char* folder, bool kept, const char* left, char* text, int room) {
  lstrcpynA(text, "Keyfarer has been removed from ", room);
  Append(text, room, folder);
  Append(text, room, kept ? ". Your own files were kept there." : ".");
  if (*left) {
    Append(text, room, "\r\n\r\nThese could not be removed:");
    Append(text, room, left);
  }
}
