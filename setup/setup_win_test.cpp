// The installer's dialog and install operation, with real windows and real files (under Wine in
// the test run). Message boxes, the browser, the order page and the file manager are answered
// and recorded through the program's hooks.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <algorithm>
#include <vector>

#include "settings/settings.h"
#include "setup/setup.h"
#include "setup/setup_resource.h"
#include "setup/setup_win.h"

namespace {

struct BoxCall {
  HWND owner;
  std::string text, caption;
  UINT flags;
};
std::vector<BoxCall> g_boxes;
int g_boxAnswer = IDNO;
std::vector<std::string> g_executed;   // WinExec command lines
std::vector<std::string> g_opened;     // ShellExecute verb + " " + file
std::string g_browseTitle;
UINT g_browseFlags = 0;
HWND g_browseOwner = nullptr;
PIDLIST_ABSOLUTE g_browseAnswer = nullptr;

int WINAPI FakeMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  g_boxes.push_back({owner, text ? text : "", caption ? caption : "", flags});
  return (flags & 0xF) == MB_YESNO ? g_boxAnswer : IDOK;
}
UINT WINAPI FakeWinExec(LPCSTR command, UINT show) {
  g_executed.push_back(std::string(command) + "|" + std::to_string(show));
  return 33;
}
HINSTANCE WINAPI FakeShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, INT show) {
  g_opened.push_back(std::string(verb) + " " + file + (params ? " +params" : "") + (dir ? " +dir" : "") + " " +
                     std::to_string(show));
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}
PIDLIST_ABSOLUTE WINAPI FakeBrowse(LPBROWSEINFOA info) {
  g_browseTitle = info->lpszTitle ? info->lpszTitle : "";
  g_browseFlags = info->ulFlags;
  g_browseOwner = info->hwndOwner;
  PIDLIST_ABSOLUTE answer = g_browseAnswer;
  g_browseAnswer = nullptr;  // the program frees it
  return answer;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[1 << 14];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  return bytes;
}
bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
bool IsFile(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
std::string FullPath(const char* path) {
  char full[MAX_PATH * 2] = "";
  GetFullPathNameA(path, sizeof full, full, nullptr);
  return full;
}
const std::string& DataDir() {
  static const std::string dir = FullPath(KF_DATA_DIR);
  return dir;
}
const std::string& ProgramFile() {
  static const std::string file = FullPath(KF_PROGRAM_FILE);
  return file;
}
void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}
bool QuitPosted() {
  MSG m;
  return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

struct DataFile {
  int resource;
  const char* path;  // below the destination and below data/
};
const DataFile kDataFiles[15] = {
    {133, "EN\\Training Words\\LH_Words.dat"},         {134, "EN\\Training Words\\RH_Words.dat"},
    {135, "EN\\Training Words\\LTOR_Both.dat"},        {136, "EN\\Training Words\\RTOL_Both.dat"},
    {137, "EN\\Tests\\Sample_Unicode.txt"},            {138, "FR\\Training Words\\LH_Words.dat"},
    {139, "FR\\Training Words\\RH_Words.dat"},         {140, "FR\\Training Words\\LTOR_Both.dat"},
    {141, "FR\\Training Words\\RTOL_Both.dat"},        {142, "FR\\Tests\\Sample_Unicode.txt"},
    {143, "RU\\Training Words\\LH_Words_RU_UTF8.txt"}, {144, "RU\\Training Words\\RH_Words_RU_UTF8.txt"},
    {145, "RU\\Training Words\\LTOR_Words_RU_UTF8.txt"}, {146, "RU\\Training Words\\RTOL_Words_RU_UTF8.txt"},
    {147, "RU\\Tests\\Sample_Unicode.txt"},
};

class SetupDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX cc = {sizeof cc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&cc);
    g_SetupMessageBox = FakeMessageBox;
    g_SetupWinExec = FakeWinExec;
    g_SetupShellExecute = FakeShellExecute;
    g_SetupBrowseForFolder = FakeBrowse;
    g_boxes.clear();
    g_executed.clear();
    g_opened.clear();
    g_boxAnswer = IDNO;
    g_Setup.payloadModule = nullptr;
    g_Setup.failures = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "kfsetup_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    dest_ = root_ + "\\KFP";
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), nullptr, Setup_DialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
    while (QuitPosted()) {
    }
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    while (QuitPosted()) {
    }
    RemoveTree(root_);
  }

  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  void Command(int id, int code = 0) {
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  std::string Text(HWND window) const {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  std::string ListItem(int item) const {
    char text[100] = "";
    LVITEMA lvi = {};
    lvi.pszText = text;
    lvi.cchTextMax = sizeof text;
    SendMessageA(Item(IDC_SETUP_ADDITIONAL), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvi));
    return text;
  }
  int StateImage(int item) const {
    return static_cast<int>(
        (SendMessageA(Item(IDC_SETUP_ADDITIONAL), LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >>
        12);
  }
  void Tick(int item) {
    LVITEMA lvi = {};
    lvi.stateMask = LVIS_STATEIMAGEMASK;
    lvi.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageA(Item(IDC_SETUP_ADDITIONAL), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvi));
  }
  void SelectDefault(int index) {
    SendMessageA(Item(IDC_SETUP_DEFAULT_LANG), CB_SETCURSEL, index, 0);
    Command(IDC_SETUP_DEFAULT_LANG, CBN_SELCHANGE);
  }
  // Browses to `folder` through the fake folder browser.
  void BrowseTo(const std::string& folder) {
    g_browseAnswer = ILCreateFromPathA(folder.c_str());
    ASSERT_NE(g_browseAnswer, nullptr) << folder;
    Command(IDC_SETUP_BROWSE);
  }
  // Points the destination at dest_ (below root_, which exists) by browsing to root_.
  void UseScratchDestination() {
    BrowseTo(root_);
    ASSERT_EQ(std::string(g_Setup.destination), dest_);
  }
  void ExpectInstalledLanguages(bool en, bool fr, bool ru) {
    const bool want[3] = {en, fr, ru};
    const char* folders[3] = {"EN", "FR", "RU"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsFolder(dest_ + "\\" + folders[i]), want[i]) << folders[i];
    for (const DataFile& f : kDataFiles) {
      const int language = (f.resource - 133) / 5;
      if (!want[language]) continue;
      const std::string installed = ReadFileBytes(dest_ + "\\" + f.path);
      EXPECT_FALSE(installed.empty()) << f.path;
      EXPECT_TRUE(installed == ReadFileBytes(DataDir() + "\\" + f.path)) << f.path << " differs from data/";
    }
    EXPECT_TRUE(ReadFileBytes(dest_ + "\\KFP.exe") == ReadFileBytes(ProgramFile())) << "KFP.exe differs";
  }
  std::vector<std::string> Children(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string root_, dest_;
  HWND dialog_ = nullptr;
};

// ---- The dialog as it opens ---------------------------------------------------------------------

TEST_F(SetupDialog, TemplateControlsTextsAndPlaces) {
  EXPECT_EQ(Text(dialog_), "Velmora Keyfarer 1.0 Setup");
  const LONG style = GetWindowLongA(dialog_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & DS_MODALFRAME);
  RECT size = {0, 0, 212, 161};
  MapDialogRect(dialog_, &size);
  RECT client;
  GetClientRect(dialog_, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  struct Expected {
    int id;
    const char* cls;
    const char* text;
    int x, y, w, h;
    bool visible, enabled;
  };
  const Expected kControls[] = {
      {0xFFFF, "Button", "Setup options", 5, 3, 199, 113, true, true},
      {0xFFFF, "Static", "Language", 11, 13, 32, 8, true, true},
      {0xFFFF, "Static", "", 56, 17, 140, 1, true, true},
      {0xFFFF, "Static", "Default:", 37, 27, 27, 8, true, true},
      {1004, "ComboBox", "English", 15, 42, 75, -1, true, true},
      {0xFFFF, "Static", "Additional:", 136, 27, 41, 8, true, true},
      {1005, "SysListView32", "", 113, 41, 80, 35, true, true},
      {1019, "Button", "", 178, 28, 16, 8, false, true},
      {0xFFFF, "Static", "Destination", 12, 77, 37, 8, true, true},
      {0xFFFF, "Static", "", 55, 81, 136, 1, true, true},
      {1006, "Edit", nullptr, 13, 91, 149, 14, true, true},
      {1007, "Button", "...", 173, 91, 15, 14, true, true},
      {0xFFFF, "Static", "Installer by", 7, 125, 40, 10, true, false},
      {1009, "Static", "Velmora", 47, 125, 61, 10, true, true},
      {0xFFFF, "Static", "", 85, 129, 118, 1, true, true},
      {1008, "Button", "Install", 153, 139, 50, 14, true, true},
  };
  HWND child = GetWindow(dialog_, GW_CHILD);
  for (const Expected& e : kControls) {
    ASSERT_NE(child, nullptr) << "missing control at " << e.x << "," << e.y;
    SCOPED_TRACE(std::string(e.cls) + " " + std::to_string(e.id) + " at " + std::to_string(e.x) + "," +
                 std::to_string(e.y));
    EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, e.id);
    char cls[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    EXPECT_STREQ(cls, e.cls);
    if (e.text) {
      EXPECT_EQ(Text(child), e.text);
    }
    EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
    EXPECT_EQ(IsWindowEnabled(child) != 0, e.enabled);
    // Dialog units map position and size separately, as the dialog manager does.
    RECT want = {e.x, e.y, e.w, e.h < 0 ? 1 : e.h};
    MapDialogRect(dialog_, &want);
    want.right += want.left;
    want.bottom += want.top;
    RECT got;
    GetWindowRect(child, &got);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&got), 2);
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    if (e.h == 1) {
      // The one-unit lines draw an etched edge, which the static widens by its two pixels.
      EXPECT_NEAR(got.right, want.right, 2);
      EXPECT_NEAR(got.bottom, want.bottom, 2);
    } else {
      EXPECT_EQ(got.right, want.right);
      if (e.h > 0) {
        EXPECT_EQ(got.bottom, want.bottom);
      }
    }
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than expected";

  EXPECT_EQ(GetWindowLongA(Item(1004), GWL_STYLE) & 0x3, CBS_DROPDOWN);
  EXPECT_TRUE(GetWindowLongA(Item(1004), GWL_STYLE) & CBS_SORT);
  const LONG list = GetWindowLongA(Item(1005), GWL_STYLE);
  EXPECT_EQ(list & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(list & LVS_SINGLESEL);
  EXPECT_TRUE(list & LVS_NOCOLUMNHEADER);
  // The list view may turn its border into a client edge.
  EXPECT_TRUE((list & WS_BORDER) || (GetWindowLongA(Item(1005), GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
  EXPECT_TRUE(GetWindowLongA(Item(1009), GWL_STYLE) & SS_NOTIFY);
  EXPECT_TRUE(GetWindowLongA(Item(1006), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(GetWindowLongA(Item(1019), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
  EXPECT_EQ(GetWindowLongA(Item(1008), GWL_STYLE) & 0xF, BS_PUSHBUTTON) << "Install is not the default button";
}

TEST_F(SetupDialog, StartsCentredWithEnglishAndTheDefaultDestination) {
  RECT r;
  GetWindowRect(dialog_, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);

  HWND combo = Item(IDC_SETUP_DEFAULT_LANG);
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
  const char* names[3] = {"English", "French", "Russian"};
  for (int i = 0; i < 3; ++i) {
    char text[32] = "";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, names[i]);
  }
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);

  HWND list = Item(IDC_SETUP_ADDITIONAL);
  EXPECT_TRUE(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ListItem(0), "French");
  EXPECT_EQ(ListItem(1), "Russian");
  EXPECT_EQ(StateImage(0), 1);
  EXPECT_EQ(StateImage(1), 1);
  char title[64] = "";
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = title;
  column.cchTextMax = sizeof title;
  ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(title, "Language (invisible)");
  EXPECT_EQ(column.cx, 100);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);

  char profile[MAX_PATH] = "";
  ExpandEnvironmentStringsA("%userprofile%", profile, sizeof profile);
  const std::string expected = std::string(profile) + "\\My Documents\\KFP";
  EXPECT_EQ(std::string(g_Setup.destination), expected);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), expected);
}

TEST_F(SetupDialog, MakerLinkLooksAndActsLikeALink) {
  HWND link = Item(IDC_SETUP_MAKER_LINK);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(link, GWLP_WNDPROC)), Setup_LinkCursorProc);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfHeight, 14);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfWeight, 0);

  // Moving over the link shows the hand, and every message still reaches the static.
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  char text[32] = "";
  EXPECT_EQ(SendMessageA(link, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_STREQ(text, "Velmora");

  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  EXPECT_EQ(Setup_DialogProc(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)),
            reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH)));
  EXPECT_EQ(GetTextColor(dc), 0xFF0000u);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SetTextColor(dc, RGB(1, 2, 3));
  HWND other = GetWindow(GetWindow(dialog_, GW_CHILD), GW_HWNDNEXT);  // "Language"
  char otherText[32] = "";
  GetWindowTextA(other, otherText, sizeof otherText);
  ASSERT_STREQ(otherText, "Language");
  // Other statics are left to the dialog manager.
  EXPECT_EQ(Setup_DialogProc(dialog_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(other)), FALSE);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  DeleteDC(dc);

  // A click opens the order page once; the double click's second message opens nothing more.
  Command(IDC_SETUP_MAKER_LINK, STN_CLICKED);
  Command(IDC_SETUP_MAKER_LINK, STN_DBLCLK);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_EQ(g_opened[0], std::string("open ") + kSetupOrderPage + " " + std::to_string(SW_SHOWNORMAL));
  EXPECT_FALSE(QuitPosted()) << "the dialog stays";
}

// ---- Choices ------------------------------------------------------------------------------------

TEST_F(SetupDialog, ChangingTheDefaultRefillsTheAdditionalListUnticked) {
  Tick(0);
  Tick(1);
  ASSERT_EQ(StateImage(0), 2);
  SelectDefault(1);
  ASSERT_EQ(SendMessageA(Item(1005), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ListItem(0), "English");
  EXPECT_EQ(ListItem(1), "Russian");
  EXPECT_EQ(StateImage(0), 1);
  EXPECT_EQ(StateImage(1), 1);
  Tick(1);
  SelectDefault(2);
  EXPECT_EQ(ListItem(0), "English");
  EXPECT_EQ(ListItem(1), "French");
  EXPECT_EQ(StateImage(1), 1);
  SelectDefault(0);
  EXPECT_EQ(ListItem(0), "French");
  EXPECT_EQ(ListItem(1), "Russian");
  // No selection empties the list.
  SelectDefault(-1);
  EXPECT_EQ(SendMessageA(Item(1005), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(SetupDialog, BrowsingSetsTheDestinationOrKeepsIt) {
  const std::string start = g_Setup.destination;
  BrowseTo(root_);
  EXPECT_EQ(g_browseTitle, "Select install directory");
  EXPECT_EQ(g_browseFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS));
  EXPECT_EQ(g_browseOwner, dialog_);
  EXPECT_EQ(std::string(g_Setup.destination), root_ + "\\KFP");
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), root_ + "\\KFP");

  // A drive root: drive letter, colon, one backslash, KFP.
  const std::string drive = root_.substr(0, 3);
  ASSERT_EQ(drive[1], ':');
  BrowseTo(drive);
  EXPECT_EQ(std::string(g_Setup.destination), drive + "KFP");

  // Cancelled: unchanged, and the box shows it again even after the user typed into it.
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), "typed");
  g_browseAnswer = nullptr;
  Command(IDC_SETUP_BROWSE);
  EXPECT_EQ(std::string(g_Setup.destination), drive + "KFP");
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), drive + "KFP");

  // An item that is no folder of the file system (the computer itself): unchanged.
  PIDLIST_ABSOLUTE computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  g_browseAnswer = computer;
  Command(IDC_SETUP_BROWSE);
  EXPECT_EQ(std::string(g_Setup.destination), drive + "KFP");
  EXPECT_FALSE(QuitPosted());
}

TEST_F(SetupDialog, EscapeAndCloseEndWithoutWritingEnterDoesNothing) {
  UseScratchDestination();
  Command(IDOK);
  EXPECT_FALSE(QuitPosted()) << "Enter has no command";
  Command(IDCANCEL);
  EXPECT_TRUE(QuitPosted());
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(QuitPosted());
  EXPECT_FALSE(IsFolder(dest_));
  EXPECT_TRUE(g_boxes.empty());
}

// ---- Installing ---------------------------------------------------------------------------------

TEST_F(SetupDialog, DefaultInstallWritesEnglishAndAsksToOpenTheFolder) {
  UseScratchDestination();
  g_boxAnswer = IDYES;
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].owner, nullptr);
  EXPECT_EQ(g_boxes[0].text, "Keyfarer has been installed successfully. Open destination folder?");
  EXPECT_EQ(g_boxes[0].caption, "Velmora Keyfarer 1.0 Setup");
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ASSERT_EQ(g_executed.size(), 1u);
  EXPECT_EQ(g_executed[0], "explorer.exe " + dest_ + "|" + std::to_string(SW_SHOWNORMAL));
  EXPECT_TRUE(QuitPosted());

  EXPECT_EQ(Children(dest_), (std::vector<std::string>{"EN", "KFP.exe", "Settings.xml"}));
  EXPECT_EQ(Children(dest_ + "\\EN"), (std::vector<std::string>{"Tests", "Training Words"}));
  EXPECT_EQ(Children(dest_ + "\\EN\\Tests"), (std::vector<std::string>{"Sample_Unicode.txt"}));
  EXPECT_EQ(Children(dest_ + "\\EN\\Training Words"),
            (std::vector<std::string>{"LH_Words.dat", "LTOR_Both.dat", "RH_Words.dat", "RTOL_Both.dat"}));
  ExpectInstalledLanguages(true, false, false);
  const std::string settings = ReadFileBytes(dest_ + "\\Settings.xml");
  EXPECT_EQ(settings, App_DefaultSettingsDocument(1));
  EXPECT_EQ(settings, ReadFileBytes(DataDir() + "\\Settings.xml")) << "the staged default document";
}

TEST_F(SetupDialog, AnsweringNoStillEndsAndPathsWithBlanksGoUnquoted) {
  CreateDirectoryA((root_ + "\\with blanks").c_str(), nullptr);
  BrowseTo(root_ + "\\with blanks");
  dest_ = root_ + "\\with blanks\\KFP";
  g_boxAnswer = IDNO;
  Command(IDC_SETUP_INSTALL);
  EXPECT_TRUE(g_executed.empty());
  EXPECT_TRUE(QuitPosted());
  ExpectInstalledLanguages(true, false, false);

  g_boxAnswer = IDYES;
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_executed.size(), 1u);
  EXPECT_EQ(g_executed[0], "explorer.exe " + dest_ + "|" + std::to_string(SW_SHOWNORMAL));
}

TEST_F(SetupDialog, EveryCombinationOfDefaultAndTicks) {
  struct Case {
    int selection;
    bool tick0, tick1;
    bool en, fr, ru;
    int language;  // in Settings.xml
  };
  const Case kCases[] = {
      {0, false, false, true, false, false, 1}, {0, true, false, true, true, false, 1},
      {0, false, true, true, false, true, 1},   {0, true, true, true, true, true, 1},
      {1, false, false, false, true, false, 2}, {1, true, false, true, true, false, 2},
      {1, false, true, false, true, true, 2},   {1, true, true, true, true, true, 2},
      {2, false, false, false, false, true, 3}, {2, true, false, true, false, true, 3},
      {2, false, true, false, true, true, 3},   {2, true, true, true, true, true, 3},
  };
  int n = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE("selection " + std::to_string(c.selection) + " ticks " + std::to_string(c.tick0) +
                 std::to_string(c.tick1));
    CreateDirectoryA((root_ + "\\" + std::to_string(n)).c_str(), nullptr);
    BrowseTo(root_ + "\\" + std::to_string(n));
    dest_ = root_ + "\\" + std::to_string(n++) + "\\KFP";
    SelectDefault(c.selection);
    if (c.tick0) Tick(0);
    if (c.tick1) Tick(1);
    Command(IDC_SETUP_INSTALL);
    EXPECT_TRUE(QuitPosted());
    ExpectInstalledLanguages(c.en, c.fr, c.ru);
    EXPECT_EQ(ReadFileBytes(dest_ + "\\Settings.xml"), App_DefaultSettingsDocument(c.language));
    EXPECT_EQ(g_Setup.failures, 0);
  }
}

TEST_F(SetupDialog, NoDefaultSelectedWritesLanguageOneAndOnlyTickedData) {
  UseScratchDestination();
  // Tick Russian, then clear the selection without a selection-change notice (as typing does).
  Tick(1);
  SendMessageA(Item(IDC_SETUP_DEFAULT_LANG), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Command(IDC_SETUP_INSTALL);
  ExpectInstalledLanguages(false, false, true);
  const std::string settings = ReadFileBytes(dest_ + "\\Settings.xml");
  EXPECT_NE(settings.find("\r\n    <Language>1</Language>\r\n"), std::string::npos);
  EXPECT_EQ(settings, App_DefaultSettingsDocument(1));
}

TEST_F(SetupDialog, ReinstallReplacesCarriedFilesAndKeepsTheUsersOwn) {
  UseScratchDestination();
  SelectDefault(1);  // French
  Tick(1);           // and Russian
  // An earlier installation, changed by use: longer files than the carried ones, and the
  // tutor's own files.
  CreateDirectoryA(dest_.c_str(), nullptr);
  CreateDirectoryA((dest_ + "\\FR").c_str(), nullptr);
  CreateDirectoryA((dest_ + "\\FR\\Training Words").c_str(), nullptr);
  const std::string big(300000, 'x');
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\KFP.exe", big + big + big + big + big + big + big + big + big + big));
  std::string oldSettings = App_DefaultSettingsDocument(3);
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Settings.xml", oldSettings + "\r\n<Extra>" + big + "</Extra>"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\FR\\Training Words\\LH_Words.dat", big));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\FR\\Training Words\\Custom_Words.dat", "mine\r\n"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Report.htm", "<p>report</p>"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\TraceFile.txt", "trace\r\n"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Custom_Words.dat", "mine too\r\n"));

  Command(IDC_SETUP_INSTALL);
  EXPECT_EQ(g_Setup.failures, 0);
  ExpectInstalledLanguages(false, true, true);
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Settings.xml"), App_DefaultSettingsDocument(2));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\FR\\Training Words\\Custom_Words.dat"), "mine\r\n");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Report.htm"), "<p>report</p>");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\TraceFile.txt"), "trace\r\n");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Custom_Words.dat"), "mine too\r\n");
}

TEST_F(SetupDialog, SettingsThatCannotBeDeletedAreOverwrittenWhole) {
  UseScratchDestination();
  CreateDirectoryA(dest_.c_str(), nullptr);
  const std::string path = dest_ + "\\Settings.xml";
  ASSERT_TRUE(WriteFileBytes(path, App_DefaultSettingsDocument(3) + "\r\n<Tail>" + std::string(500, 't') + "</Tail>"));
  // Held open without delete sharing: DeleteFileA fails, the shared open succeeds.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Setup_WriteDefaultSettings(dest_.c_str(), 2);
  CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(path), App_DefaultSettingsDocument(2)) << "no old tail after the closing root tag";
  EXPECT_EQ(g_Setup.failures, 0);
}

TEST_F(SetupDialog, TypedDestinationIsUsedAndMissingParentsAreMade) {
  const std::string typed = root_ + "\\deeper\\still\\KFP";
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), typed.c_str());
  dest_ = typed;
  Command(IDC_SETUP_INSTALL);
  EXPECT_EQ(std::string(g_Setup.destination), typed);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ExpectInstalledLanguages(true, false, false);

  // An emptied box shows the destination again and installs there.
  while (QuitPosted()) {
  }
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), "");
  Command(IDC_SETUP_INSTALL);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), typed);
  EXPECT_TRUE(QuitPosted());
}

TEST_F(SetupDialog, NoDestinationAtAllInstallsNothing) {
  // As after a profile path too long to take "My Documents" and "KFP": the user must choose a folder.
  g_Setup.destination[0] = '\0';
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), "");
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, "Please choose a destination folder.");
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_FALSE(QuitPosted());
  // A path longer than 259 characters typed into the box is not taken either.
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), std::string(300, 'a').c_str());
  Command(IDC_SETUP_INSTALL);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), "");
  EXPECT_EQ(g_boxes.size(), 2u);
  EXPECT_FALSE(QuitPosted());
}

TEST_F(SetupDialog, AFailedInstallationIsReportedNotClaimed) {
  // The destination's parent is a file: nothing can be created below it.
  ASSERT_TRUE(WriteFileBytes(root_ + "\\blocker", "file"));
  const std::string bad = root_ + "\\blocker\\KFP";
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), bad.c_str());
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(g_boxes[0].caption, "Velmora Keyfarer 1.0 Setup");
  EXPECT_NE(g_boxes[0].text.find("could not be installed"), std::string::npos);
  EXPECT_NE(g_boxes[0].text.find(bad + "\\KFP.exe"), std::string::npos) << g_boxes[0].text;
  EXPECT_TRUE(g_executed.empty());
  EXPECT_FALSE(QuitPosted()) << "the dialog stays for another folder";
  EXPECT_EQ(ReadFileBytes(root_ + "\\blocker"), "file");

  // Another folder then installs normally.
  g_boxes.clear();
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), dest_.c_str());
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ExpectInstalledLanguages(true, false, false);
}

// ---- The install operations one by one ----------------------------------------------------------

TEST_F(SetupDialog, PayloadIsCarriedInLanguage1033) {
  const HMODULE self = GetModuleHandleA(nullptr);
  const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  EXPECT_NE(FindResourceExA(self, "CUSTOM", "#131", english), nullptr);
  EXPECT_EQ(FindResourceA(self, "#132", "CUSTOM"), nullptr);
  for (const DataFile& f : kDataFiles) {
    const std::string name = "#" + std::to_string(f.resource);
    HRSRC found = FindResourceExA(self, "CUSTOM", name.c_str(), english);
    ASSERT_NE(found, nullptr) << name;
    const std::string expected = ReadFileBytes(DataDir() + "\\" + f.path);
    ASSERT_EQ(SizeofResource(self, found), expected.size()) << name;
  }
}

TEST_F(SetupDialog, ResourceFileCopiesBytesAndSurvivesMissingTargets) {
  CreateDirectoryA(dest_.c_str(), nullptr);
  EXPECT_EQ(Setup_WriteResourceFile(147, dest_.c_str(), "sample.bin"), 1);
  EXPECT_EQ(ReadFileBytes(dest_ + "\\sample.bin"), ReadFileBytes(DataDir() + "\\RU\\Tests\\Sample_Unicode.txt"));
  // An existing longer file is emptied first.
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\list.bin", std::string(5000, 'z')));
  Setup_WriteResourceFile(133, dest_.c_str(), "list.bin");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\list.bin"), ReadFileBytes(DataDir() + "\\EN\\Training Words\\LH_Words.dat"));
  EXPECT_EQ(g_Setup.failures, 0);
  EXPECT_TRUE(g_boxes.empty());

  // A folder that does not exist: no file, no crash, counted as a failure.
  EXPECT_EQ(Setup_WriteResourceFile(133, (root_ + "\\nowhere\\deeper").c_str(), "x.dat"), 1);
  EXPECT_FALSE(IsFile(root_ + "\\nowhere\\deeper\\x.dat"));
  EXPECT_EQ(g_Setup.failures, 1);
  EXPECT_EQ(g_Setup.firstFailure, root_ + "\\nowhere\\deeper\\x.dat");
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SetupDialog, MissingPayloadShowsBothMessagesAndLeavesAnEmptyFile) {
  CreateDirectoryA(dest_.c_str(), nullptr);
  EXPECT_EQ(Setup_WriteResourceFile(132, dest_.c_str(), "none.bin"), 1);
  ASSERT_EQ(g_boxes.size(), 2u);
  EXPECT_EQ(g_boxes[0].text, "FindResource failed!");
  EXPECT_EQ(g_boxes[1].text, "LoadResource failed!");
  for (const BoxCall& b : g_boxes) {
    EXPECT_EQ(b.owner, nullptr);
    EXPECT_EQ(b.caption, "");
    EXPECT_EQ(b.flags, static_cast<UINT>(MB_OK));
  }
  EXPECT_TRUE(IsFile(dest_ + "\\none.bin"));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\none.bin"), "");
  EXPECT_EQ(g_Setup.failures, 1);

  // A module without any payload: the whole installation goes on and is reported as failed.
  g_boxes.clear();
  g_Setup.payloadModule = GetModuleHandleA("kernel32.dll");
  ASSERT_NE(g_Setup.payloadModule, nullptr);
  SetWindowTextA(Item(IDC_SETUP_DESTINATION), (root_ + "\\other").c_str());
  Command(IDC_SETUP_INSTALL);
  // Six files (KFP.exe and the English five) with two messages each, then the failure report.
  ASSERT_EQ(g_boxes.size(), 13u);
  EXPECT_EQ(g_boxes.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(ReadFileBytes(root_ + "\\other\\Settings.xml"), App_DefaultSettingsDocument(1));
  EXPECT_TRUE(IsFile(root_ + "\\other\\EN\\Tests\\Sample_Unicode.txt"));
  EXPECT_FALSE(QuitPosted());
}

TEST_F(SetupDialog, LanguageDataOnlyForKnownCodes) {
  UseScratchDestination();
  CreateDirectoryA(dest_.c_str(), nullptr);
  Setup_WriteLanguageData(0);
  Setup_WriteLanguageData(4);
  EXPECT_TRUE(Children(dest_).empty());
  Setup_WriteLanguageData(3);
  EXPECT_EQ(Children(dest_), (std::vector<std::string>{"RU"}));
  EXPECT_EQ(Children(dest_ + "\\RU\\Training Words"),
            (std::vector<std::string>{"LH_Words_RU_UTF8.txt", "LTOR_Words_RU_UTF8.txt", "RH_Words_RU_UTF8.txt",
                                      "RTOL_Words_RU_UTF8.txt"}));
  EXPECT_EQ(g_Setup.failures, 0);
}

}  // namespace
