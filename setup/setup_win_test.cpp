// The installer's dialog and install operation, with real windows and real files (under Wine in
// the test run). Message boxes, the browser, the order page and the file manager are answered
// and recorded through the program's hooks.
#include <windows.h>
#include <commctrl.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "kf_version.h"
#include "settings/settings.h"
#include "setup/setup.h"
#include "setup/setup_resource.h"
#include "common/web_addresses.h"
#include "setup/setup_win.h"
#include "setup/uninstall_win.h"

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
// The manuals, one in each language folder.
const DataFile kManuals[3] = {{149, "EN\\KF_Help.htm"}, {150, "FR\\KF_Help.htm"}, {151, "RU\\KF_Help.htm"}};
// The course's words and their licence, in each language's "Course" folder.
const DataFile kCourseFiles[6] = {{152, "EN\\Course\\Words.txt"}, {153, "EN\\Course\\License.txt"},
                                  {154, "FR\\Course\\Words.txt"}, {155, "FR\\Course\\License.txt"},
                                  {156, "RU\\Course\\Words.txt"}, {157, "RU\\Course\\License.txt"}};

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
    g_Setup.result = SetupResult();
    g_Setup.destination.clear();
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
    ASSERT_EQ(Text(Item(IDC_SETUP_DESTINATION)), dest_);
  }
  void Type(const std::string& destination) { SetWindowTextA(Item(IDC_SETUP_DESTINATION), destination.c_str()); }
  // The file manager's command line for a folder: the system's explorer.exe, both quoted.
  static std::string OpenCommand(const std::string& folder) {
    char windows[MAX_PATH] = "";
    GetSystemWindowsDirectoryA(windows, sizeof windows);
    return "\"" + std::string(windows) + "\\explorer.exe\" \"" + folder + "\"|" + std::to_string(SW_SHOWNORMAL);
  }
  // Every file and folder below `folder`, with its bytes: what an installation left there.
  std::vector<std::string> Tree(const std::string& folder) {
    std::vector<std::string> all;
    for (const std::string& name : Children(folder)) {
      const std::string path = folder + "\\" + name;
      if (IsFolder(path)) {
        all.push_back(name + "\\");
        for (const std::string& below : Tree(path)) all.push_back(name + "\\" + below);
      } else {
        all.push_back(name + " " + std::to_string(ReadFileBytes(path).size()) + " " +
                      std::to_string(std::hash<std::string>()(ReadFileBytes(path))));
      }
    }
    return all;
  }
  // The one message box of a refused or failed install: owned by the dialog, which stays.
  void ExpectOneBox(const std::string& text, UINT flags) {
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].owner, dialog_);
    EXPECT_EQ(g_boxes[0].text, text);
    EXPECT_EQ(g_boxes[0].caption, "Velmora Keyfarer 1.0 Setup");
    EXPECT_EQ(g_boxes[0].flags, flags);
    EXPECT_FALSE(QuitPosted()) << "the dialog stays";
    g_boxes.clear();
  }
  void ExpectInstalledLanguages(bool en, bool fr, bool ru) {
    const bool want[3] = {en, fr, ru};
    const char* folders[3] = {"EN", "FR", "RU"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsFolder(dest_ + "\\" + folders[i]), want[i]) << folders[i];
    for (const DataFile& f : kCourseFiles) {
      if (!want[(f.resource - 152) / 2]) continue;
      EXPECT_TRUE(ReadFileBytes(dest_ + "\\" + f.path) == ReadFileBytes(DataDir() + "\\" + f.path)) << f.path;
    }
    for (const DataFile& f : kDataFiles) {
      const int language = (f.resource - 133) / 5;
      if (!want[language]) continue;
      const DataFile& manual = kManuals[language];
      EXPECT_TRUE(ReadFileBytes(dest_ + "\\" + manual.path) == ReadFileBytes(DataDir() + "\\" + manual.path))
          << manual.path;
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

  // A list only: the default language is one of the three, never typed text.
  EXPECT_EQ(GetWindowLongA(Item(1004), GWL_STYLE) & 0x3, CBS_DROPDOWNLIST);
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

  // The user's real documents folder, wherever the profile keeps it.
  char documents[MAX_PATH] = "";
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents), S_OK);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), std::string(documents) + "\\KFP");

  // The installer's icon in the caption.
  EXPECT_NE(SendMessageA(dialog_, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(dialog_, WM_GETICON, ICON_SMALL, 0), 0);
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
  EXPECT_EQ(g_opened[0], std::string("open ") + kOrderPage + " " + std::to_string(SW_SHOWNORMAL));
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
  BrowseTo(root_);
  EXPECT_EQ(g_browseTitle, "Select install directory");
  EXPECT_EQ(g_browseFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS));
  EXPECT_EQ(g_browseOwner, dialog_);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), root_ + "\\KFP");

  // A drive root: drive letter, colon, one backslash, KFP.
  const std::string drive = root_.substr(0, 3);
  ASSERT_EQ(drive[1], ':');
  BrowseTo(drive);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), drive + "KFP");

  // Cancelled: the box keeps what it holds, typed text included.
  Type("typed");
  g_browseAnswer = nullptr;
  Command(IDC_SETUP_BROWSE);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), "typed");

  // An item that is no folder of the file system (the computer itself): unchanged.
  PIDLIST_ABSOLUTE computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  g_browseAnswer = computer;
  Command(IDC_SETUP_BROWSE);
  EXPECT_EQ(Text(Item(IDC_SETUP_DESTINATION)), "typed");
  EXPECT_FALSE(QuitPosted());
  EXPECT_TRUE(g_Setup.destination.empty()) << "only Install takes the destination";
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
  EXPECT_EQ(g_boxes[0].owner, dialog_) << "owned: the dialog takes no input while the box shows";
  EXPECT_EQ(g_boxes[0].text, "Keyfarer has been installed successfully. Open destination folder?");
  EXPECT_EQ(g_boxes[0].caption, "Velmora Keyfarer 1.0 Setup");
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ASSERT_EQ(g_executed.size(), 1u);
  EXPECT_EQ(g_executed[0], OpenCommand(dest_));
  EXPECT_TRUE(QuitPosted());
  EXPECT_EQ(g_Setup.destination, dest_);

  EXPECT_EQ(Children(dest_), (std::vector<std::string>{"EN", "KFP.exe", "Settings.xml", "Uninstall.exe"}));
  EXPECT_EQ(Children(dest_ + "\\EN"), (std::vector<std::string>{"Course", "KF_Help.htm", "Tests", "Training Words"}));
  EXPECT_EQ(Children(dest_ + "\\EN\\Course"), (std::vector<std::string>{"License.txt", "Words.txt"}));
  EXPECT_EQ(Children(dest_ + "\\EN\\Tests"), (std::vector<std::string>{"Sample_Unicode.txt"}));
  EXPECT_EQ(Children(dest_ + "\\EN\\Training Words"),
            (std::vector<std::string>{"LH_Words.dat", "LTOR_Both.dat", "RH_Words.dat", "RTOL_Both.dat"}));
  ExpectInstalledLanguages(true, false, false);
  const std::string settings = ReadFileBytes(dest_ + "\\Settings.xml");
  EXPECT_EQ(settings, App_DefaultSettingsDocument(1));
  EXPECT_EQ(settings, ReadFileBytes(DataDir() + "\\Settings.xml")) << "the staged default document";
}

TEST_F(SetupDialog, AnsweringNoStillEndsAndTheFolderOpensQuoted) {
  // Blanks, a comma and accented letters of the code page stay one argument: the right folder.
  ASSERT_EQ(GetACP(), 1252u) << "the folder name below is Windows-1252";
  const std::string folder = root_ + "\\with blanks, \xE9t\xE9";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  BrowseTo(folder);
  dest_ = folder + "\\KFP";
  g_boxAnswer = IDNO;
  Command(IDC_SETUP_INSTALL);
  EXPECT_TRUE(g_executed.empty());
  EXPECT_TRUE(QuitPosted());
  ExpectInstalledLanguages(true, false, false);

  g_boxAnswer = IDYES;
  Command(IDC_SETUP_INSTALL);
  ASSERT_EQ(g_executed.size(), 1u);
  EXPECT_EQ(g_executed[0], OpenCommand(dest_));
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
    EXPECT_FALSE(g_Setup.result.failed);
  }
}

TEST_F(SetupDialog, NoDefaultLanguageIsRefused) {
  UseScratchDestination();
  Tick(1);
  SendMessageA(Item(IDC_SETUP_DEFAULT_LANG), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox("Please choose the default language.", MB_OK | MB_ICONEXCLAMATION);
  EXPECT_FALSE(IsFolder(dest_));
}

TEST_F(SetupDialog, ReinstallReplacesCarriedFilesAndKeepsTheUsersOwn) {
  UseScratchDestination();
  SelectDefault(1);  // French
  Tick(1);           // and Russian
  // An earlier installation, changed by use: longer files than the carried ones, the user's
  // edited settings and French sample, an unchanged Russian sample, and the tutor's own files.
  CreateDirectoryA(dest_.c_str(), nullptr);
  for (const char* folder : {"\\FR", "\\FR\\Training Words", "\\FR\\Tests", "\\RU", "\\RU\\Tests"})
    CreateDirectoryA((dest_ + folder).c_str(), nullptr);
  const std::string big(300000, 'x');
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\KFP.exe", big + big + big + big + big + big + big + big + big + big));
  const std::string oldSettings = App_DefaultSettingsDocument(3) + "\r\n<Extra>" + big + "</Extra>";
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Settings.xml", oldSettings));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\FR\\Tests\\Sample_Unicode.txt", std::string("\xFF\xFEm\0y\0", 6)));
  ASSERT_TRUE(CopyFileA((DataDir() + "\\RU\\Tests\\Sample_Unicode.txt").c_str(),
                        (dest_ + "\\RU\\Tests\\Sample_Unicode.txt").c_str(), FALSE));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\FR\\Training Words\\LH_Words.dat", big));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\FR\\Training Words\\Custom_Words.dat", "mine\r\n"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Report.htm", "<p>report</p>"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\TraceFile.txt", "trace\r\n"));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Custom_Words.dat", "mine too\r\n"));

  Command(IDC_SETUP_INSTALL);
  EXPECT_FALSE(g_Setup.result.failed);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].text, Setup_SuccessMessage({"Settings.xml", "FR\\Tests\\Sample_Unicode.txt"}, ""));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Settings.xml"), oldSettings);
  EXPECT_EQ(ReadFileBytes(dest_ + "\\FR\\Tests\\Sample_Unicode.txt"), std::string("\xFF\xFEm\0y\0", 6));
  EXPECT_TRUE(ReadFileBytes(dest_ + "\\KFP.exe") == ReadFileBytes(ProgramFile()));
  EXPECT_TRUE(ReadFileBytes(dest_ + "\\FR\\Training Words\\LH_Words.dat") ==
              ReadFileBytes(DataDir() + "\\FR\\Training Words\\LH_Words.dat"));
  EXPECT_TRUE(ReadFileBytes(dest_ + "\\RU\\Tests\\Sample_Unicode.txt") ==
              ReadFileBytes(DataDir() + "\\RU\\Tests\\Sample_Unicode.txt"));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\FR\\Training Words\\Custom_Words.dat"), "mine\r\n");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Report.htm"), "<p>report</p>");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\TraceFile.txt"), "trace\r\n");
  EXPECT_EQ(ReadFileBytes(dest_ + "\\Custom_Words.dat"), "mine too\r\n");
  for (const std::string& entry : Tree(dest_)) EXPECT_EQ(entry.find(".part"), std::string::npos) << entry;
}

TEST_F(SetupDialog, TargetsThatCannotBeReplacedAreFoundBeforeAnythingIsTouched) {
  UseScratchDestination();
  SelectDefault(1);  // French, over an earlier English installation
  CreateDirectoryA(dest_.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ProgramFile().c_str(), (dest_ + "\\KFP.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\Uninstall.exe", "earlier uninstaller"));
  // A leftover of a killed run, of a language not installed now.
  CreateDirectoryA((dest_ + "\\RU").c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\RU\\KF_Help.htm.part", "half"));
  const std::vector<std::string> before = Tree(root_);

  // The tutor still running: its program file is mapped as an image and refuses writing.
  HMODULE running = LoadLibraryExA((dest_ + "\\KFP.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(running, nullptr);
  Command(IDC_SETUP_INSTALL);
  FreeLibrary(running);
  ExpectOneBox(kSetupRunningMessage, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(Tree(root_), before) << "no FR folder, the leftover untouched";

  // A read-only file, which a rename would replace under Wine but not on Windows.
  ASSERT_TRUE(SetFileAttributesA((dest_ + "\\Uninstall.exe").c_str(), FILE_ATTRIBUTE_READONLY));
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox(Setup_FailureMessage(dest_ + "\\Uninstall.exe", Setup_SystemReason(ERROR_ACCESS_DENIED), true),
               MB_OK | MB_ICONERROR);
  EXPECT_EQ(Tree(root_), before);
  EXPECT_TRUE(g_executed.empty());

  // Once it can go ahead, the leftover goes first.
  ASSERT_TRUE(SetFileAttributesA((dest_ + "\\Uninstall.exe").c_str(), FILE_ATTRIBUTE_NORMAL));
  Command(IDC_SETUP_INSTALL);
  EXPECT_FALSE(g_Setup.result.failed);
  EXPECT_TRUE(Children(dest_ + "\\RU").empty());
}

TEST_F(SetupDialog, AFileThatCannotBeWrittenTakesBackEverythingThisRunWrote) {
  UseScratchDestination();
  SelectDefault(1);
  Tick(1);
  // An earlier installation, and in the way of the new KFP.exe a folder of its ".part" name:
  // refused by that folder's name before anything is written.
  CreateDirectoryA(dest_.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\KFP.exe", "earlier program"));
  ASSERT_TRUE(CreateDirectoryA((dest_ + "\\KFP.exe.part").c_str(), nullptr));
  const std::vector<std::string> before = Tree(root_);
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox(Setup_FailureMessage(dest_ + "\\KFP.exe.part", Setup_SystemReason(ERROR_ALREADY_EXISTS), true),
               MB_OK | MB_ICONERROR);
  EXPECT_EQ(Tree(root_), before);

  // A folder that cannot be made once the writing has begun (a file of the user's named "RU"):
  // everything this run made is taken back, and the file named.
  ASSERT_TRUE(RemoveDirectoryA((dest_ + "\\KFP.exe.part").c_str()));
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\RU", "mine"));
  const std::vector<std::string> earlier = Tree(root_);
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox(Setup_FailureMessage(dest_ + "\\RU", Setup_SystemReason(ERROR_ALREADY_EXISTS), true),
               MB_OK | MB_ICONERROR);
  EXPECT_EQ(Tree(root_), earlier) << "the FR folders made by this run are gone again";
}

TEST_F(SetupDialog, TypedDestinationIsUsedAndMissingParentsAreMade) {
  const std::string typed = root_ + "\\deeper\\still\\KFP";
  Type("  " + typed + "\\ ");  // blanks around it and a trailing separator are dropped
  dest_ = typed;
  Command(IDC_SETUP_INSTALL);
  EXPECT_EQ(g_Setup.destination, typed);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  ExpectInstalledLanguages(true, false, false);
}

TEST_F(SetupDialog, DestinationsThatAreRefusedInstallNothing) {
  ASSERT_EQ(GetACP(), 1252u) << "the letters below are outside Windows-1252";
  const Text16 root(root_.begin(), root_.end());
  const size_t longest = Setup_MaxDestination();
  const Text16 fits = root + u"\\" + Text16(longest - root.size() - 1, u'd');
  const struct {
    Text16 typed;
    SetupPathProblem problem;
  } kCases[] = {
      {u"", SetupPathProblem::Empty},
      {u"   ", SetupPathProblem::Empty},
      {u"relative dir\\KFP", SetupPathProblem::Relative},
      {u"\\KFP", SetupPathProblem::Relative},
      {u"C:KFP", SetupPathProblem::Relative},
      {root + u"\\a|b\\KFP", SetupPathProblem::BadCharacter},
      {root + u"\\CON", SetupPathProblem::ReservedName},
      {root + u"\\a\\CON\\b", SetupPathProblem::ReservedName},
      {root + u"\\nul.txt", SetupPathProblem::ReservedName},
      {root + u"\\COM1", SetupPathProblem::ReservedName},
      {root + u"\\KFP.", SetupPathProblem::EndsInDotOrBlank},
      {root + u"\\a \\KFP", SetupPathProblem::EndsInDotOrBlank},
      {u"\\\\.\\pipe\\KFP", SetupPathProblem::DevicePath},
      {fits + u"x", SetupPathProblem::TooLong},
      {root + u"\\\u0141\u00F3d\u017A \u0108\\KFP", SetupPathProblem::NotInCodePage},
      {root + u"\\\u041A\u043B\u0430\u0432\u0438\u0448\u0438\\KFP", SetupPathProblem::NotInCodePage},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Text_ToUtf8(c.typed));
    SetWindowTextW(Item(IDC_SETUP_DESTINATION), reinterpret_cast<LPCWSTR>(c.typed.c_str()));
    Command(IDC_SETUP_INSTALL);
    ExpectOneBox(Setup_DestinationMessage(c.problem, Setup_TidyDestination(c.typed)),
                 MB_OK | MB_ICONEXCLAMATION);
  }
  EXPECT_TRUE(Children(root_).empty());
  EXPECT_FALSE(IsFolder("relative dir")) << "nothing in the current folder";

  // The longest destination that is taken has room for every file of all three languages.
  dest_ = Text_ToUtf8(fits);
  Type(dest_);
  Tick(0);
  Tick(1);
  Command(IDC_SETUP_INSTALL);
  EXPECT_FALSE(g_Setup.result.failed) << g_Setup.result.path;
  ExpectInstalledLanguages(true, true, true);
}

TEST_F(SetupDialog, AFailedInstallationIsReportedNotClaimed) {
  // The destination's parent is a file: nothing can be made below it.
  ASSERT_TRUE(WriteFileBytes(root_ + "\\blocker", "file"));
  Type(root_ + "\\blocker\\KFP");
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox(Setup_FailureMessage(root_ + "\\blocker", Setup_SystemReason(ERROR_ALREADY_EXISTS), true),
               MB_OK | MB_ICONERROR);
  EXPECT_TRUE(g_executed.empty());
  EXPECT_EQ(ReadFileBytes(root_ + "\\blocker"), "file");

  // Another folder then installs normally.
  Type(dest_);
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
  std::vector<DataFile> carried(std::begin(kDataFiles), std::end(kDataFiles));
  carried.insert(carried.end(), std::begin(kCourseFiles), std::end(kCourseFiles));
  for (const DataFile& f : carried) {
    const std::string name = "#" + std::to_string(f.resource);
    HRSRC found = FindResourceExA(self, "CUSTOM", name.c_str(), english);
    ASSERT_NE(found, nullptr) << name;
    const std::string expected = ReadFileBytes(DataDir() + "\\" + f.path);
    ASSERT_EQ(SizeofResource(self, found), expected.size()) << name;
  }
}

TEST_F(SetupDialog, ResourceFileCopiesBytesAndSurvivesMissingTargets) {
  CreateDirectoryA(dest_.c_str(), nullptr);
  EXPECT_TRUE(Setup_WriteResourceFile(147, dest_.c_str(), "sample.bin"));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\sample.bin"), ReadFileBytes(DataDir() + "\\RU\\Tests\\Sample_Unicode.txt"));
  // An existing longer file is replaced whole.
  ASSERT_TRUE(WriteFileBytes(dest_ + "\\list.bin", std::string(5000, 'z')));
  EXPECT_TRUE(Setup_WriteResourceFile(133, dest_.c_str(), "list.bin"));
  EXPECT_EQ(ReadFileBytes(dest_ + "\\list.bin"), ReadFileBytes(DataDir() + "\\EN\\Training Words\\LH_Words.dat"));
  EXPECT_EQ(Children(dest_), (std::vector<std::string>{"list.bin", "sample.bin"}));

  // A folder that does not exist: no file, no crash, the failure named.
  EXPECT_FALSE(Setup_WriteResourceFile(133, (root_ + "\\nowhere\\deeper").c_str(), "x.dat"));
  EXPECT_FALSE(IsFile(root_ + "\\nowhere\\deeper\\x.dat"));
  EXPECT_EQ(g_Setup.result.path, root_ + "\\nowhere\\deeper\\x.dat");
  EXPECT_EQ(g_Setup.result.error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SetupDialog, MissingPayloadFailsBeforeAnythingIsWritten) {
  CreateDirectoryA(dest_.c_str(), nullptr);
  EXPECT_FALSE(Setup_WriteResourceFile(132, dest_.c_str(), "none.bin"));
  EXPECT_EQ(g_Setup.result.path, dest_ + "\\none.bin");
  EXPECT_TRUE(Children(dest_).empty());
  EXPECT_TRUE(g_boxes.empty());

  // A module without any payload: one message naming the program file, and no folder made.
  g_Setup.payloadModule = GetModuleHandleA("kernel32.dll");
  ASSERT_NE(g_Setup.payloadModule, nullptr);
  Type(root_ + "\\other");
  Command(IDC_SETUP_INSTALL);
  ExpectOneBox(Setup_FailureMessage(root_ + "\\other\\KFP.exe", Setup_SystemReason(g_Setup.result.error), true),
               MB_OK | MB_ICONERROR);
  EXPECT_FALSE(IsFolder(root_ + "\\other"));
}

TEST_F(SetupDialog, LanguageDataOnlyForKnownCodes) {
  g_Setup.destination = dest_;
  CreateDirectoryA(dest_.c_str(), nullptr);
  EXPECT_TRUE(Setup_WriteLanguageData(0));
  EXPECT_TRUE(Setup_WriteLanguageData(4));
  EXPECT_TRUE(Children(dest_).empty());
  EXPECT_TRUE(Setup_WriteLanguageData(3));
  EXPECT_EQ(Children(dest_), (std::vector<std::string>{"RU"}));
  EXPECT_EQ(Children(dest_ + "\\RU\\Training Words"),
            (std::vector<std::string>{"LH_Words_RU_UTF8.txt", "LTOR_Words_RU_UTF8.txt", "RH_Words_RU_UTF8.txt",
                                      "RTOL_Words_RU_UTF8.txt"}));
}

// ---- Telling Windows, and taking it away again ---------------------------------------------------

std::string RegistryText(const char* name) {
  char value[MAX_PATH * 2] = "";
  DWORD size = sizeof value;
  return RegGetValueA(HKEY_CURRENT_USER, kSetupUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS
             ? value
             : "<missing>";
}

TEST_F(SetupDialog, AnInstallationIsListedAndHasAStartMenuShortcut) {
  UseScratchDestination();
  Command(IDC_SETUP_INSTALL);
  ASSERT_FALSE(g_Setup.result.failed);
  EXPECT_TRUE(g_Setup.result.notice.empty()) << g_Setup.result.notice;
  EXPECT_EQ(RegistryText("InstallLocation"), dest_);
  EXPECT_EQ(RegistryText("UninstallString"), "\"" + dest_ + "\\Uninstall.exe\"");
  EXPECT_EQ(RegistryText("DisplayIcon"), dest_ + "\\KFP.exe,0");
  EXPECT_EQ(RegistryText("DisplayVersion"), KF_VERSION_TEXT);
  DWORD kilobytes = 0, size = sizeof kilobytes;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kSetupUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &kilobytes,
                         &size),
            ERROR_SUCCESS);
  EXPECT_GT(kilobytes, ReadFileBytes(ProgramFile()).size() / 1024);

  // The shortcut starts this folder's tutor, in this folder.
  const std::string shortcut = Setup_ShortcutPath();
  ASSERT_TRUE(IsFile(shortcut)) << shortcut;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkA* link = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                             reinterpret_cast<void**>(&link)),
            S_OK);
  IPersistFile* file = nullptr;
  ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
  wchar_t wide[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
  ASSERT_EQ(file->Load(wide, STGM_READ), S_OK);
  char target[MAX_PATH] = "", folder[MAX_PATH] = "";
  link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetWorkingDirectory(folder, MAX_PATH);
  EXPECT_STREQ(target, (dest_ + "\\KFP.exe").c_str());
  EXPECT_STREQ(folder, dest_.c_str());
  file->Release();
  link->Release();
  CoUninitialize();

  // Removing this installation takes both away; an entry of another folder is left alone.
  char left[512] = "";
  EXPECT_EQ(Setup_RemoveInstallation(dest_.c_str(), false, left, sizeof left), 0) << left;
  EXPECT_FALSE(IsFile(shortcut));
  EXPECT_EQ(RegistryText("InstallLocation"), "<missing>");
  EXPECT_FALSE(IsFolder(dest_));
}

// What the uninstaller leaves, by what the folder held and whether the learner keeps their files.
TEST_F(SetupDialog, RemovingTakesExactlyWhatWasInstalled) {
  const struct {
    const char* name;
    bool keep;
    std::vector<std::string> userFiles;  // written after the installation
    std::vector<std::string> left;       // what stays below the folder
  } kCases[] = {
      {"nothing of the user's", false, {}, {}},
      {"the learner's files, not kept", false,
       {"History.csv", "Report.htm", "Keys.csv", "EN\\Training Words\\Custom_Words.dat", "TraceFile.txt"}, {}},
      {"the learner's files, kept", true,
       {"History.csv", "EN\\Training Words\\Custom_Words.dat", "TraceFile.txt"},
       {"EN\\", "EN\\Training Words\\", "EN\\Training Words\\Custom_Words.dat", "History.csv", "Settings.xml"}},
      {"a file of the user's in a language folder", false,
       {"EN\\Tests\\my text.txt", "notes.txt"},
       {"EN\\", "EN\\Tests\\", "EN\\Tests\\my text.txt", "notes.txt"}},
  };
  int n = 0;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    CreateDirectoryA((root_ + "\\" + std::to_string(n)).c_str(), nullptr);
    BrowseTo(root_ + "\\" + std::to_string(n));
    dest_ = root_ + "\\" + std::to_string(n++) + "\\KFP";
    Command(IDC_SETUP_INSTALL);
    ASSERT_FALSE(g_Setup.result.failed);
    for (const std::string& file : c.userFiles) ASSERT_TRUE(WriteFileBytes(dest_ + "\\" + file, "mine"));
    char left[512] = "";
    EXPECT_EQ(Setup_RemoveInstallation(dest_.c_str(), c.keep, left, sizeof left), 0) << left;
    std::vector<std::string> stays;
    for (const std::string& entry : Tree(dest_))  // a file's entry ends with its size and hash
      stays.push_back(entry.back() == '\\' ? entry : entry.substr(0, entry.rfind(' ', entry.rfind(' ') - 1)));
    EXPECT_EQ(stays, c.left);
    EXPECT_EQ(IsFolder(dest_), !c.left.empty());
    EXPECT_TRUE(IsFolder(root_ + "\\" + std::to_string(n - 1))) << "nothing above the folder";
  }
}

// ---- The program file's own resources -----------------------------------------------------------

// Both programs: never elevated for their names ("setup", "uninstall"), with their version.
TEST_F(SetupDialog, ManifestVersionAndIconMakeItAProperProgram) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, sizeof self);
  const struct {
    std::string file;
    const char* originalName;
    bool ownIcon;
  } kPrograms[] = {{self, "quillsetup.exe", true}, {FullPath(KF_UNINSTALLER_FILE), "Uninstall.exe", false}};
  for (const auto& p : kPrograms) {
    SCOPED_TRACE(p.originalName);
    const HMODULE module = LoadLibraryExA(p.file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << "never elevated for its name";
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << "sharp at every scale";
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_SETUP), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    EXPECT_EQ(group != nullptr, p.ownIcon);
    if (group) {
      const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
      std::set<int> drawn;  // GRPICONDIR: 6 bytes, then 14-byte entries whose first byte is the width
      for (int i = 0; i < directory[4]; ++i) drawn.insert(directory[6 + 14 * i] ? directory[6 + 14 * i] : 256);
      EXPECT_EQ(drawn, (std::set<int>{16, 20, 24, 32, 48, 256})) << "every size a display scale asks for";
    }
    FreeLibrary(module);

    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(p.file.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(p.file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    auto value = [&](const char* key) {
      char* text = nullptr;
      UINT length = 0;
      const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
      return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text
                 ? std::string(text)
                 : std::string("<missing>");
    };
    EXPECT_EQ(value("ProductName"), "Keyfarer");
    EXPECT_EQ(value("CompanyName"), "Velmora");
    EXPECT_EQ(value("OriginalFilename"), p.originalName);
    EXPECT_EQ(value("FileVersion"), KF_VERSION_TEXT);
    EXPECT_EQ(value("ProductVersion"), KF_VERSION_TEXT);
  }
}

}  // namespace
