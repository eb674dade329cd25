// The installer's dialog and install operation.
#include "setup/setup_win.h"

#include <commctrl.h>
#include <share.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "setup/setup.h"
#include "setup/setup_resource.h"

SetupState g_Setup;

int(WINAPI* g_SetupMessageBox)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;
HINSTANCE(WINAPI* g_SetupShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = ShellExecuteA;
UINT(WINAPI* g_SetupWinExec)(LPCSTR, UINT) = WinExec;
PIDLIST_ABSOLUTE(WINAPI* g_SetupBrowseForFolder)(LPBROWSEINFOA) = SHBrowseForFolderA;

const char kSetupTitle[] = "Velmora Keyfarer 1.0 Setup";
// The same page the tutor's about box opens.
const char kSetupOrderPage[] = "https://www.velmora.example/order?product=kf&lang=en";

namespace {

constexpr size_t kCopyPiece = 10;  // bytes per write into the buffered output

void NoteFailure(const std::string& path) {
  if (g_Setup.failures++ == 0) g_Setup.firstFailure = path;
}

HMODULE PayloadModule() { return g_Setup.payloadModule ? g_Setup.payloadModule : GetModuleHandleA(nullptr); }

// Creates the folder. Only the destination may lack parents (a typed path, or a profile without
// "My Documents"), so the caller asks for the missing levels above it to be made first.
void CreateFolder(const std::string& path, bool withParents) {
  if (withParents) {
    // Every level below the root: "C:\a", "C:\a\b", ... ; failures show later as failed files.
    for (size_t at = path.find_first_of("\\/", 3); at != std::string::npos; at = path.find_first_of("\\/", at + 1))
      if (at > 0 && path[at - 1] != '\\' && path[at - 1] != '/' && path[at - 1] != ':')
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void RunSteps(const std::vector<SetupStep>& steps, const std::string& destination) {
  for (const SetupStep& step : steps) {
    switch (step.kind) {
      case SetupStepKind::CreateFolder:
        CreateFolder(step.folder, step.folder == destination);
        break;
      case SetupStepKind::WriteResource:
        Setup_WriteResourceFile(step.resource, step.folder.c_str(), step.name.c_str());
        break;
      case SetupStepKind::WriteSettings:
        Setup_WriteDefaultSettings(step.folder.c_str(), step.language);
        break;
    }
  }
}

std::string ItemText(HWND list, int item) {
  char text[100] = "";
  LVITEMA lvi = {};
  lvi.iSubItem = 0;
  lvi.pszText = text;
  lvi.cchTextMax = sizeof text;  // at most 99 characters and the terminator
  SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvi));
  return text;
}

// Takes what the user typed into box 1006 as the destination when it is a usable path;
// otherwise the box shows the destination again. False when there is no destination at all.
bool TakeTypedDestination(HWND dialog) {
  HWND box = GetDlgItem(dialog, IDC_SETUP_DESTINATION);
  const int length = GetWindowTextLengthA(box);
  if (length > 0 && length <= static_cast<int>(kSetupMaxPath)) {
    char typed[MAX_PATH] = "";
    GetWindowTextA(box, typed, sizeof typed);
    std::strcpy(g_Setup.destination, typed);
  } else {
    SetWindowTextA(box, g_Setup.destination);
  }
  return g_Setup.destination[0] != '\0';
}

void OnInstallCommand(HWND dialog) {
  if (!TakeTypedDestination(dialog)) {
    g_SetupMessageBox(dialog, "Please choose a destination folder.", kSetupTitle, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Setup_Install(dialog);
  if (g_Setup.failures > 0) {
    // Nothing is claimed that did not happen; the dialog stays for another folder or Escape.
    const std::string text = "Keyfarer could not be installed completely. This file could not be written:\r\n" +
                             g_Setup.firstFailure;
    g_SetupMessageBox(nullptr, text.c_str(), kSetupTitle, MB_OK | MB_ICONERROR);
    return;
  }
  const int answer = g_SetupMessageBox(nullptr, "Keyfarer has been installed successfully. Open destination folder?",
                                       kSetupTitle, MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) {
    const std::string command = std::string("explorer.exe ") + g_Setup.destination;
    g_SetupWinExec(command.c_str(), SW_SHOWNORMAL);
  }
  PostQuitMessage(0);
}

void CenterOnScreen(HWND dialog) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void SetDefaultDestination() {
  char profile[MAX_PATH] = "";
  const DWORD needed = ExpandEnvironmentStringsA("%userprofile%", profile, sizeof profile);
  // A profile path that does not fit leaves the destination empty for the user to choose.
  const std::string path = needed > 0 && needed <= sizeof profile ? Setup_DefaultDestination(profile) : std::string();
  std::strcpy(g_Setup.destination, path.c_str());
}

BOOL OnInitDialog(HWND dialog) {
  CenterOnScreen(dialog);
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
  column.cx = 100;
  column.pszText = title;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  Setup_FillAdditionalLanguages(dialog, 1);

  SetDefaultDestination();
  SendDlgItemMessageA(dialog, IDC_SETUP_DESTINATION, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_Setup.destination));

  HWND link = GetDlgItem(dialog, IDC_SETUP_MAKER_LINK);
  g_Setup.linkPreviousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Setup_LinkCursorProc)));
  if (!g_Setup.linkFont)
    g_Setup.linkFont = CreateFontA(14, 0, 0, 0, 0, FALSE, TRUE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(g_Setup.linkFont), TRUE);
  return TRUE;
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // One page per click: the second click of a double click (STN_DBLCLK) opens nothing more.
  if (id == IDC_SETUP_MAKER_LINK && code == STN_CLICKED)
    g_SetupShellExecute(nullptr, "open", kSetupOrderPage, nullptr, nullptr, SW_SHOWNORMAL);
  if (id == IDC_SETUP_DEFAULT_LANG && code == CBN_SELCHANGE) {
    const LRESULT selected = SendDlgItemMessageA(dialog, IDC_SETUP_DEFAULT_LANG, CB_GETCURSEL, 0, 0);
    SendDlgItemMessageA(dialog, IDC_SETUP_ADDITIONAL, LVM_DELETEALLITEMS, 0, 0);
    if (selected != CB_ERR) Setup_FillAdditionalLanguages(dialog, static_cast<int>(selected) + 1);
  }
  if (id == IDCANCEL) PostQuitMessage(0);
  if (id == IDC_SETUP_BROWSE) {
    Setup_BrowseDestination(dialog, g_Setup.destination);
    SendDlgItemMessageA(dialog, IDC_SETUP_DESTINATION, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_Setup.destination));
  }
  if (id == IDC_SETUP_INSTALL) OnInstallCommand(dialog);
}

}  // namespace

int Setup_WriteResourceFile(int resource, const char* folder, const char* name) {
  char resourceName[16];
  std::snprintf(resourceName, sizeof resourceName, "#%d", resource);
  const HMODULE module = PayloadModule();
  HRSRC found = FindResourceA(module, resourceName, "CUSTOM");
  if (!found) g_SetupMessageBox(nullptr, "FindResource failed!", "", MB_OK);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) g_SetupMessageBox(nullptr, "LoadResource failed!", "", MB_OK);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const size_t size = bytes ? SizeofResource(module, found) : 0;

  const std::string path = std::string(folder) + "\\" + name;
  bool complete = bytes != nullptr;  // missing payload leaves an empty file: not a success
  // A target that cannot be created (no parent folder, no permission) is skipped, not written.
  if (std::FILE* file = _fsopen(path.c_str(), "wb", _SH_DENYNO)) {
    const char* from = static_cast<const char*>(bytes);
    for (size_t at = 0; at < size && complete; at += kCopyPiece) {
      const size_t piece = size - at < kCopyPiece ? size - at : kCopyPiece;
      complete = std::fwrite(from + at, 1, piece, file) == piece;
    }
    if (std::fclose(file) != 0) complete = false;
  } else {
    complete = false;
  }
  if (!complete) NoteFailure(path);
  if (loaded) FreeResource(loaded);
  return 1;
}

void Setup_WriteDefaultSettings(const char* folder, int language) {
  const std::string document = Setup_SettingsDocument(language);
  const std::string path = std::string(folder) + "\\" + kSetupSettingsName;
  DeleteFileA(path.c_str());
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    NoteFailure(path);
    return;
  }
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  DWORD written = 0;
  bool complete = WriteFile(file, document.data(), static_cast<DWORD>(document.size()), &written, nullptr) &&
                  written == document.size();
  // An old document that could not be deleted must not keep a longer tail after the new one.
  if (!SetEndOfFile(file)) complete = false;
  if (!CloseHandle(file)) complete = false;
  if (!complete) NoteFailure(path);
}

void Setup_WriteLanguageData(int language) {
  RunSteps(Setup_LanguagePlan(g_Setup.destination, language), g_Setup.destination);
}

void Setup_Install(HWND dialog) {
  g_Setup.failures = 0;
  g_Setup.firstFailure.clear();
  SetupChoices choices;
  choices.defaultSelection =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_SETUP_DEFAULT_LANG, CB_GETCURSEL, 0, 0));
  HWND list = GetDlgItem(dialog, IDC_SETUP_ADDITIONAL);
  for (int item = 0; item < 2; ++item) {
    choices.itemText[item] = ItemText(list, item);
    choices.itemStateImage[item] =
        static_cast<int>((SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
  }
  RunSteps(Setup_InstallPlan(g_Setup.destination, choices), g_Setup.destination);
}

void Setup_FillAdditionalLanguages(HWND dialog, int language) {
  int additional[2];
  if (!Setup_AdditionalLanguages(language, additional)) return;
  HWND list = GetDlgItem(dialog, IDC_SETUP_ADDITIONAL);
  for (int item = 0; item < 2; ++item) {
    char text[16];
    std::snprintf(text, sizeof text, "%s", Setup_LanguageName(additional[item]));
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT | LVIF_STATE;
    lvi.iItem = item;
    lvi.pszText = text;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
  }
}

bool Setup_BrowseDestination(HWND dialog, char* destination) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return false;
  BROWSEINFOA info = {};
  info.hwndOwner = dialog;
  info.lpszTitle = "Select install directory";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  PIDLIST_ABSOLUTE chosen = g_SetupBrowseForFolder(&info);
  if (!chosen) {
    allocator->Release();
    return false;
  }
  char folder[MAX_PATH] = "";
  const bool isFolder = SHGetPathFromIDListA(chosen, folder) && folder[0] != '\0';
  allocator->Free(chosen);
  allocator->Release();
  if (!isFolder) return false;
  // A folder whose path with "\KFP" would not fit keeps the destination as it was.
  const std::string path = Setup_BrowsedDestination(folder);
  if (path.empty()) return false;
  std::strcpy(destination, path.c_str());
  return true;
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
    default:
      return FALSE;
  }
}
