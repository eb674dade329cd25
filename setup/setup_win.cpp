// The installer's dialog and install operation.
#include "setup/setup_win.h"

#include <commctrl.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "common/web_addresses.h"
#include "kf_version.h"
#include "setup/setup.h"
#include "setup/setup_resource.h"
#include "setup/uninstall_win.h"

SetupState g_Setup;

int(WINAPI* g_SetupMessageBox)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;
HINSTANCE(WINAPI* g_SetupShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = ShellExecuteA;
UINT(WINAPI* g_SetupWinExec)(LPCSTR, UINT) = WinExec;
PIDLIST_ABSOLUTE(WINAPI* g_SetupBrowseForFolder)(LPBROWSEINFOA) = SHBrowseForFolderA;

const char kSetupTitle[] = "Velmora Keyfarer 1.0 Setup";

namespace {

constexpr DWORD kWritePiece = 1 << 20;  // bytes per WriteFile call
constexpr int kLanguageColumnWidth = 100;  // the additional languages' one column, at 96 DPI

// ---- Installing: check everything, write ".part" files, then rename them into place ----------

// One file of an installation: where it goes and its bytes (payload, or the settings document).
struct SetupFile {
  std::string target;
  const char* bytes = nullptr;
  DWORD size = 0;
  std::string document;
};

// What one run has done so far, so that a failure can take it back.
struct SetupRun {
  std::vector<std::string> createdFolders;
  std::vector<std::string> parts;  // ".part" files created, complete or not
  SetupResult result;
};

bool Fail(SetupRun& run, const std::string& path, DWORD error) {
  run.result.failed = true;
  run.result.path = path;
  run.result.error = error ? error : ERROR_GEN_FAILURE;
  return false;
}

HMODULE PayloadModule() { return g_Setup.payloadModule ? g_Setup.payloadModule : GetModuleHandleA(nullptr); }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string PartName(const std::string& target) { return target + kSetupPartSuffix; }

bool LoadPayload(SetupRun& run, int resource, SetupFile& file) {
  char name[16];
  wsprintfA(name, "#%d", resource);
  const HMODULE module = PayloadModule();
  HRSRC found = FindResourceA(module, name, "CUSTOM");
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  file.bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!file.bytes) return Fail(run, file.target, GetLastError() ? GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND);
  file.size = SizeofResource(module, found);
  return true;
}

// An existing target must be replaceable: not a folder, not read-only, and not held by a
// program (a running KFP.exe refuses write access). Checked before anything is written.
bool CheckReplaceable(SetupRun& run, const std::string& target) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(run, target, ERROR_ALREADY_EXISTS);
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(run, target, ERROR_ACCESS_DENIED);
  HANDLE file = CreateFileA(target.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(run, target, GetLastError());
  CloseHandle(file);
  return true;
}

bool MakeFolder(SetupRun& run, const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) {
    run.createdFolders.push_back(path);
    return true;
  }
  const DWORD error = GetLastError();
  return IsFolder(path) || Fail(run, path, error);
}

// The destination with the levels above it that are missing ("C:\a", "C:\a\b", ...); the root
// ("C:\" or "\\server\share\") is never made. CharNextA keeps double-byte letters whole.
bool MakeDestination(SetupRun& run, const std::string& path) {
  const int rootSeparators = path.size() > 1 && path[1] == ':' ? 1 : 4;
  int separators = 0;
  for (const char* at = path.c_str(); *at; at = CharNextA(at)) {
    if (*at != '\\' || ++separators <= rootSeparators) continue;
    const std::string level(path.c_str(), at);
    if (!IsFolder(level) && !MakeFolder(run, level)) return false;
  }
  return IsFolder(path) || MakeFolder(run, path);
}

// Writes the whole file under its ".part" name; every byte is accounted for (a full disk shows
// as a failed or short WriteFile) and the data is flushed before the handle is closed.
bool WritePart(SetupRun& run, const SetupFile& file) {
  const std::string part = PartName(file.target);
  HANDLE handle = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail(run, file.target, GetLastError());
  run.parts.push_back(part);
  DWORD error = 0;
  for (DWORD at = 0; at < file.size && !error;) {
    const DWORD piece = file.size - at < kWritePiece ? file.size - at : kWritePiece;
    DWORD written = 0;
    if (!WriteFile(handle, file.bytes + at, piece, &written, nullptr) || written == 0)
      error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
    at += written;
  }
  if (!error && !FlushFileBuffers(handle)) error = GetLastError();
  if (!CloseHandle(handle) && !error) error = GetLastError();
  return !error || Fail(run, file.target, error);
}

// Takes back what a failed run wrote: its ".part" files and the folders it made. What cannot
// be removed is named in the result, so that the message does not claim the folder is as before.
void Undo(SetupRun& run, size_t firstPart) {
  for (size_t i = firstPart; i < run.parts.size(); ++i)
    if (!DeleteFileA(run.parts[i].c_str()) && GetFileAttributesA(run.parts[i].c_str()) != INVALID_FILE_ATTRIBUTES)
      run.result.left.push_back(run.parts[i]);
  if (firstPart > 0) return;  // files were replaced: their folders stay
  for (auto folder = run.createdFolders.rbegin(); folder != run.createdFolders.rend(); ++folder)
    if (!RemoveDirectoryA(folder->c_str()) && IsFolder(*folder)) run.result.left.push_back(*folder);
}

// The bytes of an existing file, up to `limit` + 1 of them (enough to tell it differs).
std::string ReadExisting(const std::string& path, DWORD limit) {
  std::string bytes;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return bytes;
  char piece[4096];
  DWORD got = 0;
  while (bytes.size() <= limit && ReadFile(handle, piece, sizeof piece, &got, nullptr) && got > 0) bytes.append(piece, got);
  CloseHandle(handle);
  return bytes;
}

// What becomes of the file at a target: written, kept as the user left it, or already the
// carried one (an unchanged sample needs no write).
enum class Existing { Write, Keep, Same };
Existing ExistingFile(const SetupFile& file, SetupKeep keep) {
  const DWORD attributes = GetFileAttributesA(file.target.c_str());
  if (keep == SetupKeep::Never || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Existing::Write;
  if (keep == SetupKeep::IfPresent) return Existing::Keep;
  return ReadExisting(file.target, file.size) == std::string(file.bytes, file.size) ? Existing::Same : Existing::Keep;
}

// ".part" files an earlier run left behind, of any language: removed before anything else is
// written. One that is a folder, or cannot be removed, refuses the installation by its name.
bool RemoveLeftoverParts(SetupRun& run, const std::string& destination) {
  std::vector<std::string> leftovers;
  for (const std::string& file : Setup_AllInstalledFiles()) {
    const std::string part = PartName(destination + "\\" + file);
    const DWORD attributes = GetFileAttributesA(part.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(run, part, ERROR_ALREADY_EXISTS);
    leftovers.push_back(part);
  }
  for (const std::string& part : leftovers) {
    SetFileAttributesA(part.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(part.c_str())) return Fail(run, part, GetLastError());
  }
  return true;
}

SetupResult RunPlan(const std::vector<SetupStep>& steps, const std::string& destination) {
  SetupRun run;
  std::vector<SetupFile> files;
  std::vector<SetupKeep> keeps;
  files.reserve(steps.size());  // no reallocation: a document's bytes stay where they are
  for (const SetupStep& step : steps) {
    if (step.kind == SetupStepKind::CreateFolder) continue;
    files.emplace_back();
    keeps.push_back(step.keep);
    SetupFile& file = files.back();
    file.target = step.folder + "\\" + step.name;
    if (step.kind == SetupStepKind::WriteSettings) {
      file.document = Setup_SettingsDocument(step.language);
      file.bytes = file.document.data();
      file.size = static_cast<DWORD>(file.document.size());
    } else if (!LoadPayload(run, step.resource, file)) {
      return run.result;
    }
  }
  // The user's own settings and edited samples stay.
  std::vector<SetupFile> writes;
  for (size_t i = 0; i < files.size(); ++i) {
    const Existing existing = ExistingFile(files[i], keeps[i]);
    if (existing == Existing::Write) writes.push_back(files[i]);
    if (existing == Existing::Keep)
      run.result.kept.push_back(files[i].target.substr(destination.empty() ? 0 : destination.size() + 1));
  }
  for (const SetupFile& file : writes) {
    if (CheckReplaceable(run, file.target)) continue;
    // A running tutor holds its program file: the user can do something about that.
    const bool program = file.target == destination + "\\" + kSetupProgramName;
    run.result.running = program && run.result.error == ERROR_SHARING_VIOLATION;
    return run.result;
  }
  if (!destination.empty() && !RemoveLeftoverParts(run, destination)) return run.result;
  bool ok = true;
  for (const SetupStep& step : steps) {
    if (ok && step.kind == SetupStepKind::CreateFolder)
      ok = step.folder == destination ? MakeDestination(run, step.folder) : MakeFolder(run, step.folder);
  }
  for (const SetupFile& file : writes) ok = ok && WritePart(run, file);
  if (!ok) {
    Undo(run, 0);
    return run.result;
  }
  for (size_t i = 0; i < writes.size(); ++i) {
    if (!MoveFileExA(run.parts[i].c_str(), writes[i].target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail(run, writes[i].target, GetLastError());
      run.result.nothingInstalled = i == 0;
      Undo(run, i);
      return run.result;
    }
  }
  run.result.nothingInstalled = false;
  return run.result;
}

// ---- Telling Windows the program is there -----------------------------------------------------

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
  if (!CreateDirectoryA(folder.c_str(), nullptr) && !IsFolder(folder)) return Setup_SystemReason(GetLastError());
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

bool Record(const SetupResult& result) {
  g_Setup.result = result;
  return !result.failed;
}

// ---- The dialog ------------------------------------------------------------------------------

std::string ItemText(HWND list, int item) {
  char text[100] = "";
  LVITEMA lvi = {};
  lvi.iSubItem = 0;
  lvi.pszText = text;
  lvi.cchTextMax = sizeof text;  // at most 99 characters and the terminator
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvi));
  return text;
}

void SetDestinationText(HWND dialog, const Text16& text) {
  SetDlgItemTextW(dialog, IDC_SETUP_DESTINATION, reinterpret_cast<LPCWSTR>(text.c_str()));
}

// The file manager by its full path in the Windows folder, never one found in the installer's
// or the current folder; the destination quoted, so blanks and commas stay part of it.
void OpenFolder(const std::string& folder) {
  char windows[MAX_PATH] = "";
  const UINT length = GetSystemWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return;
  const std::string command = "\"" + std::string(windows) + "\\explorer.exe\" \"" + folder + "\"";
  g_SetupWinExec(command.c_str(), SW_SHOWNORMAL);
}

void RefuseInput(HWND dialog, int control, const std::string& text) {
  g_SetupMessageBox(dialog, text.c_str(), kSetupTitle, MB_OK | MB_ICONEXCLAMATION);
  // Back to the control that needs another answer, its text selected for retyping.
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
}

void OnInstallCommand(HWND dialog) {
  Text16 typed;
  std::string destination;
  const SetupPathProblem problem = Setup_ReadDestination(dialog, typed, destination);
  if (problem != SetupPathProblem::None) {
    RefuseInput(dialog, IDC_SETUP_DESTINATION, Setup_DestinationMessage(problem, typed));
    return;
  }
  if (SendDlgItemMessageA(dialog, IDC_SETUP_DEFAULT_LANG, CB_GETCURSEL, 0, 0) == CB_ERR) {
    RefuseInput(dialog, IDC_SETUP_DEFAULT_LANG, "Please choose the default language.");
    return;
  }
  g_Setup.destination = destination;
  Setup_Install(dialog);
  const SetupResult& result = g_Setup.result;
  if (result.running) {
    RefuseInput(dialog, IDC_SETUP_INSTALL, kSetupRunningMessage);
    return;
  }
  if (result.failed) {
    // The dialog stays, for another folder or Escape.
    const std::string text =
        Setup_FailureMessage(result.path, Setup_SystemReason(result.error), result.nothingInstalled, result.left);
    g_SetupMessageBox(dialog, text.c_str(), kSetupTitle, MB_OK | MB_ICONERROR);
    return;
  }
  const int answer = g_SetupMessageBox(dialog, Setup_SuccessMessage(result.kept, result.notice).c_str(), kSetupTitle,
                                       MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) OpenFolder(g_Setup.destination);
  PostQuitMessage(0);
}

// A 96-DPI figure at the DPI of `window`. The dialog's template scales by itself (dialog units of
// its font); only what the installer makes in pixels goes through this. GetDpiForWindow is looked
// up: Windows 7 has one DPI, the device context's.
int Setup_Scale(HWND window, int value) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  int dpi = dpiForWindow ? static_cast<int>(dpiForWindow(window)) : 0;
  if (dpi <= 0) {
    HDC dc = GetDC(window);
    dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(window, dc);
  }
  return MulDiv(value, dpi, 96);
}

// The maker link's font made for the dialog's DPI (again after a DPI change); the one it replaces
// is deleted once the link has the new one.
void SetLinkFont(HWND dialog) {
  HFONT previous = g_Setup.linkFont;
  g_Setup.linkFont = CreateFontA(Setup_Scale(dialog, 14), 0, 0, 0, 0, FALSE, TRUE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 "Arial");
  SendDlgItemMessageA(dialog, IDC_SETUP_MAKER_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(g_Setup.linkFont), TRUE);
  if (previous) DeleteObject(previous);
}

void CenterOnScreen(HWND dialog) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

// The user's real documents folder as the shell knows it (wherever the profile keeps it),
// followed by "\KFP"; empty, for the user to choose, when the shell has none.
Text16 DefaultDestination() {
  wchar_t documents[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)) || !documents[0])
    return Text16();
  return Setup_DefaultDestination(reinterpret_cast<const char16_t*>(documents));
}

void SetIcons(HWND dialog) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const int sizes[2][2] = {{SM_CXICON, SM_CYICON}, {SM_CXSMICON, SM_CYSMICON}};
  for (int i = 0; i < 2; ++i) {
    if (!g_Setup.icons[i])
      g_Setup.icons[i] = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                                                       GetSystemMetrics(sizes[i][0]), GetSystemMetrics(sizes[i][1]), 0));
    SendMessageA(dialog, WM_SETICON, i == 0 ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(g_Setup.icons[i]));
  }
}

BOOL OnInitDialog(HWND dialog) {
  CenterOnScreen(dialog);
  SetIcons(dialog);
  HWND combo = GetDlgItem(dialog, IDC_SETUP_DEFAULT_LANG);
  for (int language = 1; language <= 3; ++language)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Setup_LanguageName(language)));
  SendMessageA(combo, CB_SETCURSEL, 0, 0);

  HWND list = GetDlgItem(dialog, IDC_SETUP_ADDITIONAL);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  char title[] = "Language (invisible)";
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = Setup_Scale(list, kLanguageColumnWidth);
  column.pszText = title;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  Setup_FillAdditionalLanguages(dialog, 1);

  SetDestinationText(dialog, DefaultDestination());

  HWND link = GetDlgItem(dialog, IDC_SETUP_MAKER_LINK);
  g_Setup.linkPreviousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Setup_LinkCursorProc)));
  SetLinkFont(dialog);
  return TRUE;
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // One page per click: the second click of a double click (STN_DBLCLK) opens nothing more.
  if (id == IDC_SETUP_MAKER_LINK && code == STN_CLICKED)
    g_SetupShellExecute(nullptr, "open", kOrderPage, nullptr, nullptr, SW_SHOWNORMAL);
  if (id == IDC_SETUP_DEFAULT_LANG && code == CBN_SELCHANGE) {
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_SETUP_DEFAULT_LANG, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageA(dialog, IDC_SETUP_ADDITIONAL, LVM_DELETEALLITEMS, 0, 0);
    if (selected != CB_ERR) Setup_FillAdditionalLanguages(dialog, static_cast<int>(selected) + 1);
  }
  if (id == IDCANCEL) PostQuitMessage(0);
  if (id == IDC_SETUP_BROWSE) {
    Text16 chosen;
    if (Setup_BrowseDestination(dialog, chosen)) SetDestinationText(dialog, chosen);
  }
  if (id == IDC_SETUP_INSTALL) OnInstallCommand(dialog);
}

}  // namespace

std::string Setup_SystemReason(DWORD error) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                 nullptr);
  std::string reason = text;
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' ')) reason.pop_back();
  if (reason.empty()) reason = "Error " + std::to_string(error) + ".";
  return reason;
}

SetupPathProblem Setup_ReadDestination(HWND dialog, Text16& typed, std::string& ansi) {
  HWND box = GetDlgItem(dialog, IDC_SETUP_DESTINATION);
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
  typed = Setup_TidyDestination(reinterpret_cast<const char16_t*>(text.data()));
  const SetupPathProblem problem = Setup_CheckDestination(typed);
  if (problem != SetupPathProblem::None) return problem;

  // The ANSI calls would turn letters the code page lacks into look-alikes ("Ł" into "L") or
  // "?": a path that does not come back unchanged is not the one the user named.
  const LPCWSTR wide = reinterpret_cast<LPCWSTR>(typed.c_str());
  const int wideLength = static_cast<int>(typed.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
  std::string converted(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, wideLength, &converted[0], bytes, nullptr, nullptr);
  std::vector<wchar_t> back(static_cast<size_t>(wideLength) + 1, L'\0');
  const int backLength = MultiByteToWideChar(CP_ACP, 0, converted.data(), bytes, back.data(), wideLength + 1);
  if (bytes == 0 || backLength != wideLength || std::wmemcmp(back.data(), wide, static_cast<size_t>(wideLength)) != 0)
    return SetupPathProblem::NotInCodePage;

  // "." and ".." resolved, so that only the folders the path ends in are made.
  char full[MAX_PATH] = "";
  const DWORD fullLength = GetFullPathNameA(converted.c_str(), sizeof full, full, nullptr);
  ansi = fullLength > 0 && fullLength < sizeof full ? full : converted;
  return SetupPathProblem::None;
}

bool Setup_WriteResourceFile(int resource, const char* folder, const char* name) {
  return Record(RunPlan({{SetupStepKind::WriteResource, folder, resource, name, 0}}, ""));
}

bool Setup_WriteLanguageData(int language) {
  return Record(RunPlan(Setup_LanguagePlan(g_Setup.destination, language), g_Setup.destination));
}

void Setup_Install(HWND dialog) {
  SetupChoices choices;
  choices.defaultSelection =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_SETUP_DEFAULT_LANG, CB_GETCURSEL, 0, 0));
  HWND list = GetDlgItem(dialog, IDC_SETUP_ADDITIONAL);
  for (int item = 0; item < 2; ++item) {
    choices.itemText[item] = ItemText(list, item);
    choices.itemStateImage[item] =
        static_cast<int>((SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
  }
  if (Record(RunPlan(Setup_InstallPlan(g_Setup.destination, choices), g_Setup.destination)))
    g_Setup.result.notice = Setup_RegisterProgram(g_Setup.destination);
}

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

void Setup_FillAdditionalLanguages(HWND dialog, int language) {
  int additional[2];
  if (!Setup_AdditionalLanguages(language, additional)) return;
  HWND list = GetDlgItem(dialog, IDC_SETUP_ADDITIONAL);
  for (int item = 0; item < 2; ++item) {
    char text[16];
    lstrcpynA(text, Setup_LanguageName(additional[item]), sizeof text);
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT | LVIF_STATE;
    lvi.iItem = item;
    lvi.pszText = text;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
  }
}

bool Setup_BrowseDestination(HWND dialog, Text16& destination) {
  // The folder browser is made of COM objects: this thread joins an apartment while it runs.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.lpszTitle = "Select install directory";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  PIDLIST_ABSOLUTE chosen = g_SetupBrowseForFolder(&info);
  bool isFolder = false;
  if (chosen) {
    // The folder's true name, even where the code page lacks its letters: the Install command
    // then says so instead of installing into a look-alike.
    wchar_t folder[MAX_PATH] = L"";
    isFolder = SHGetPathFromIDListW(chosen, folder) && folder[0] != L'\0';
    if (isFolder) destination = Setup_BrowsedDestination(reinterpret_cast<const char16_t*>(folder));
    CoTaskMemFree(chosen);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return isFolder;
}

LRESULT CALLBACK Setup_LinkCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  return CallWindowProcA(g_Setup.linkPreviousProc, window, message, wParam, lParam);
}

INT_PTR CALLBACK Setup_DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      OnCommand(dialog, wParam);
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_SETUP_MAKER_LINK) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, 0xFF0000);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
      }
      return FALSE;
    case WM_CLOSE:
      PostQuitMessage(0);
      return FALSE;
    case 0x02E0:  // WM_DPICHANGED: the template scales itself; the link's font and the column do not
      SetLinkFont(dialog);
      SendDlgItemMessageA(dialog, IDC_SETUP_ADDITIONAL, LVM_SETCOLUMNWIDTH, 0,
                          Setup_Scale(dialog, kLanguageColumnWidth));
      return FALSE;
    default:
      return FALSE;
  }
}
