// The installer's dialog: its controls as it opens, the choices, the destination box and the
// folder browser, the maker link, and the Install command with what it tells the user.
#include "setup/setup_win.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "common/web_addresses.h"
#include "setup/setup.h"
#include "setup/setup_resource.h"

SetupState g_Setup;

int(WINAPI* g_SetupMessageBox)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;
HINSTANCE(WINAPI* g_SetupShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = ShellExecuteA;
UINT(WINAPI* g_SetupWinExec)(LPCSTR, UINT) = WinExec;
PIDLIST_ABSOLUTE(WINAPI* g_SetupBrowseForFolder)(LPBROWSEINFOA) = SHBrowseForFolderA;

const char kSetupTitle[] = "Velmora Keyfarer 1.0 Setup";

namespace {

constexpr int kLanguageColumnWidth = 100;  // the additional languages' one column, at 96 DPI

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
  if (Setup_RunPlan(Setup_InstallPlan(g_Setup.destination, choices), g_Setup.destination))
    g_Setup.result.notice = Setup_RegisterProgram(g_Setup.destination);
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
