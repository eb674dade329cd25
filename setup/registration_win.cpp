// Telling Windows the program is there, once its files are in place: the Start menu shortcut and
// the entry among the installed apps, both for the current user.
#include "setup/registration_win.h"

#include <windows.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "kf_version.h"
#include "setup/install_win.h"
#include "setup/setup.h"
#include "setup/uninstall_win.h"

namespace {

std::string SetValue(HKEY key, const char* name, const std::string& text) {
  const LONG status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1));
  return status == ERROR_SUCCESS ? "" : Setup_SystemReason(static_cast<DWORD>(status));
}

std::string SetNumber(HKEY key, const char* name, DWORD number) {
  const LONG status = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  return status == ERROR_SUCCESS ? "" : Setup_SystemReason(static_cast<DWORD>(status));
}

// Kilobytes of everything installed in the folder, as the installed apps list shows it.
DWORD InstalledKilobytes(const std::string& destination) {
  ULONGLONG bytes = 0;
  for (const std::string& file : Setup_AllInstalledFiles()) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA((destination + "\\" + file).c_str(), GetFileExInfoStandard, &data))
      bytes += (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  return static_cast<DWORD>((bytes + 1023) / 1024);
}

// The entry among the installed apps; "" or the reason it could not be written.
std::string WriteUninstallEntry(const std::string& destination) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kSetupUninstallKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                      &key, nullptr);
  if (status != ERROR_SUCCESS) return Setup_SystemReason(static_cast<DWORD>(status));
  const std::string program = destination + "\\" + kSetupProgramName;
  const std::string uninstaller = "\"" + destination + "\\" + kSetupUninstallerName + "\"";
  std::string reason;
  for (const std::string& failed :
       {SetValue(key, "DisplayName", "Keyfarer"), SetValue(key, "DisplayVersion", KF_VERSION_TEXT),
        SetValue(key, "Publisher", "Velmora"), SetValue(key, "InstallLocation", destination),
        SetValue(key, "DisplayIcon", program + ",0"), SetValue(key, "UninstallString", uninstaller),
        SetNumber(key, "EstimatedSize", InstalledKilobytes(destination)), SetNumber(key, "NoModify", 1),
        SetNumber(key, "NoRepair", 1)})
    if (reason.empty()) reason = failed;
  RegCloseKey(key);
  return reason;
}

// The Start menu shortcut, made by the shell's link object; "" or the reason it was not made.
std::string WriteShortcut(const std::string& destination) {
  const std::string path = Setup_ShortcutPath();
  if (path.empty()) return "The Start menu has no Programs folder.";
  const std::string folder = path.substr(0, path.find_last_of('\\'));
  if (!CreateDirectoryA(folder.c_str(), nullptr) && !Setup_IsFolder(folder)) return Setup_SystemReason(GetLastError());
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  IShellLinkA* link = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link));
  if (SUCCEEDED(hr)) {
    const std::string program = destination + "\\" + kSetupProgramName;
    link->SetPath(program.c_str());
    link->SetWorkingDirectory(destination.c_str());
    link->SetDescription("Keyfarer touch-typing tutor");
    link->SetIconLocation(program.c_str(), 0);
    IPersistFile* file = nullptr;
    hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) {
      wchar_t wide[MAX_PATH] = L"";
      hr = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) ? file->Save(wide, TRUE) : E_FAIL;
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return SUCCEEDED(hr) ? "" : Setup_SystemReason(static_cast<DWORD>(hr));
}

}  // namespace

std::string Setup_ShortcutPath() {
  char path[MAX_PATH] = "";
  return Setup_ShortcutFile(path) ? path : "";
}

std::string Setup_RegisterProgram(const std::string& destination) {
  std::string notice;
  const std::string shortcut = WriteShortcut(destination);
  if (!shortcut.empty()) notice = "The Start menu shortcut could not be made: " + shortcut;
  const std::string entry = WriteUninstallEntry(destination);
  if (!entry.empty())
    notice += (notice.empty() ? "" : "\r\n") + std::string("Keyfarer could not be listed among the installed apps: ") + entry;
  return notice;
}
