#pragma once
// Support of the in-process window tests: scratch installation folders as the current directory,
// file and text helpers, the tutor's main window opened as the program opens it, and looks at its
// menus, toolbar and child windows.
//
// TypingWindowTest adds a fake clock, a recorder of the error alert and character messages with
// their key data to MainWindowTest.
//
// Two kinds of scratch folder: ShellTest copies the language folders of the source tree's data
// folder and starts the window through the program's own start-up; MainWindowTest builds a small
// installation of its own (Settings.xml, EN/FR/RU with a sample text and word lists) and answers
// the message box and the open-file dialog.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/list_sort.h"
#include "app/main_window_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/scan_codes.h"
#include "testing/win_helpers.h"
#include "exam/sample_text.h"
#include "exam/exam_screen_win.h"
#include "common/modes.h"
#include "app/screens_win.h"
#include "exam/start_stop_win.h"
#include "exam/detailed_stats_win.h"
#include "training/training_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace kftest {

// ---- Text and files -------------------------------------------------------------------------

inline std::wstring Wide(const Text16& s) { return std::wstring(W(s)); }

inline std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
  return w;
}

// UTF-16 little-endian with the byte-order mark, as the sample texts are stored.
inline std::string SampleBytes(const std::u16string& text) {
  std::string bytes("\xFF\xFE", 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// Removes the folder with all it holds, read-only files too. An empty path is refused: it would
// name the root of the current drive.
inline void RemoveTree(const std::wstring& dir) {
  if (dir.empty()) return;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}


inline std::wstring CurrentFolder() {
  wchar_t buf[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, buf);
  return buf;
}

// Sets `dir` to a new, empty folder in the temporary folder, named after `prefix`, the process
// and a count (earlier leftovers of the same name are removed first); false when it cannot be made.
inline bool MakeScratchFolder(const wchar_t* prefix, std::wstring& dir) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  dir = std::wstring(temp) + prefix + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  RemoveTree(dir);
  return CreateDirectoryW(dir.c_str(), nullptr) != FALSE;
}

// ---- Windows, menus and the toolbar -----------------------------------------------------------

// Dispatches what is queued; a quit message is taken out so that no later test sees it.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Takes the quit message out of the queue; its exit code, or -1 when none was posted.
inline int TakeQuitMessage() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(msg.wParam);
  return -1;
}

// A menu or toolbar command at the main window.
inline void Command(UINT id) { SendMessageW(g_App.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

inline std::wstring WindowText(HWND window) {
  wchar_t buf[2100] = {};
  GetWindowTextW(window, buf, 2100);
  return buf;
}

inline std::wstring ClassName(HWND window) {
  wchar_t buf[64] = {};
  GetClassNameW(window, buf, 64);
  return buf;
}

inline RECT WindowRect(HWND window) {
  RECT rc;
  GetWindowRect(window, &rc);
  return rc;
}

// Where `child` stands in the client area of `parent`.
inline RECT RectIn(HWND child, HWND parent) {
  RECT rc = WindowRect(child);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// The controls the main window gets while RecordCreation is installed as a WH_CBT hook, with the
// styles asked for at creation (an edit control takes WS_BORDER over and drops it from its window
// style afterwards, so the creation request is what can be checked).
struct CreatedChild {
  std::wstring className;
  int id;
  DWORD style;
};
inline std::vector<CreatedChild> g_Created;

inline LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (cs->hwndParent == g_App.mainWindow && !IS_INTRESOURCE(cs->lpszClass)) {
      // A class of the common controls' version 6 arrives as "<version>!Edit".
      std::wstring name = cs->lpszClass;
      name = name.substr(name.find(L'!') + 1);
      g_Created.push_back(
          {name, static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu)), static_cast<DWORD>(cs->style)});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

inline RECT WorkArea() {
  RECT work;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

// Where App_CenterWindow must put a window of that size centred on the desktop.
inline POINT CentredOnDesktop(int width, int height) {
  const RECT work = WorkArea();
  const RECT desktop = WindowRect(GetDesktopWindow());
  int x = (desktop.left + desktop.right) / 2 - width / 2;
  int y = (desktop.top + desktop.bottom) / 2 - height / 2;
  if (x < work.left) x = work.left;
  else if (x + width > work.right) x = work.right - width;
  if (y < work.top) y = work.top;
  else if (y + height > work.bottom) y = work.bottom - height;
  return {x, y};
}

// The cell of a report list view.
inline std::wstring ListCell(HWND list, int row, int column) {
  wchar_t buf[100] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = 100;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return buf;
}

inline HMENU Bar() { return GetMenu(g_App.mainWindow); }
inline UINT MenuState(UINT command) { return GetMenuState(Bar(), command, MF_BYCOMMAND); }
inline bool Grayed(UINT command) { return (MenuState(command) & MF_GRAYED) != 0; }
inline bool Checked(UINT command) { return (MenuState(command) & MF_CHECKED) != 0; }

inline std::wstring MenuText(HMENU menu, UINT item, UINT flag) {
  wchar_t buf[256] = {};
  GetMenuStringW(menu, item, buf, 256, flag);
  return buf;
}

// The text of a command of the main window's menu bar.
inline std::wstring MenuText(UINT command) { return MenuText(Bar(), command, MF_BYCOMMAND); }

// The Language submenu: the popup item at the end of the View menu.
inline HMENU LanguageMenu() {
  HMENU view = GetSubMenu(Bar(), MENU_POS_VIEW);
  for (int pos = GetMenuItemCount(view) - 1; pos >= 0; --pos)
    if (HMENU sub = GetSubMenu(view, pos)) return sub;
  return nullptr;
}

// The image of a toolbar button as the toolbar holds it; -1 for no such button.
inline int ButtonImage(int command) {
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE;
  if (SendMessageW(GetDlgItem(g_App.mainWindow, IDC_TOOLBAR), TB_GETBUTTONINFOW, command,
                   reinterpret_cast<LPARAM>(&info)) < 0) {
    return -1;
  }
  return info.iImage;
}

inline int ButtonState(int command) {
  return static_cast<int>(SendMessageW(GetDlgItem(g_App.mainWindow, IDC_TOOLBAR), TB_GETSTATE, command, 0));
}

// Destroys the main window and the statistics window and forgets every window and screen.
inline void CloseShell() {
  if (Mode4_DetailedStatsWindow() && IsWindow(Mode4_DetailedStatsWindow())) DestroyWindow(Mode4_DetailedStatsWindow());
  if (g_App.mainWindow && IsWindow(g_App.mainWindow)) DestroyWindow(g_App.mainWindow);
  // WM_DESTROY posts the quit message: take it out of the queue so no later test sees it.
  PumpMessages();
  TakeQuitMessage();
  g_App.mainWindow = g_App.toolbar = g_App.statusBar = g_App.supportLink = nullptr;
  g_TypingScreen = TypingScreen();
  g_Training = TrainingScreen();
  g_Ui = UiState();
  g_Tests = TestsState();
}

// ---- The tutor started as the program starts it, in a copy of the data folder ------------------

inline std::wstring g_SavedDir;
inline std::wstring g_ScratchDir;

// The data folder of the source tree as a full path, resolved while the current directory is
// still the build folder (under Wine a bare "/..." path would name the wrong drive later).
inline const std::wstring& DataDir() {
  static const std::wstring dir = [] {
    wchar_t full[MAX_PATH * 2] = {};
    GetFullPathNameW(Widen(KF_DATA_DIR).c_str(), MAX_PATH * 2, full, nullptr);
    return std::wstring(full);
  }();
  return dir;
}

// The installer's settings document from the data folder.
inline std::string DefaultSettings() { return ReadBytes(DataDir() + L"\\Settings.xml"); }

// `document` with the value of `key` replaced (the key must stand in it).
inline std::string WithSetting(std::string document, const std::string& key, const std::string& value) {
  const std::string open = "<" + key + ">";
  const std::string close = "</" + key + ">";
  const size_t start = document.find(open);
  const size_t end = document.find(close, start);
  if (start == std::string::npos || end == std::string::npos) {
    ADD_FAILURE() << "no key " << key << " in the settings document";
    return document;
  }
  return document.replace(start + open.size(), end - start - open.size(), value);
}

inline std::wstring ScratchPath(const wchar_t* name) { return g_ScratchDir + L"\\" + name; }

// A fresh installation folder as the current directory: `settings` as Settings.xml and the
// language folders of the data folder.
inline ::testing::AssertionResult EnterScratchFolder(const std::string& settings) {
  g_SavedDir = CurrentFolder();
  DataDir();
  if (!MakeScratchFolder(L"kf_shell_", g_ScratchDir)) return ::testing::AssertionFailure() << "no scratch folder";
  for (const wchar_t* lang : {L"EN", L"FR", L"RU"}) CopyTree(DataDir() + L"\\" + lang, ScratchPath(lang));
  if (!WriteBytes(ScratchPath(L"Settings.xml"), settings)) return ::testing::AssertionFailure() << "no settings";
  // The tutor finds its files through the data folder alone; the working directory stays elsewhere.
  Dir_SetData(Text_ToUtf8(T16(g_ScratchDir.c_str())));
  return ::testing::AssertionSuccess();
}

inline void LeaveScratchFolder() {
  Dir_SetData(Text_ToUtf8(T16(g_SavedDir.c_str())));
  RemoveTree(g_ScratchDir);
}

// The creation parameters of the first top-level window made while the hook is installed.
struct CreationRecord {
  bool seen = false;
  int x = 0, y = 0, width = 0, height = 0;
  LONG style = 0;
  DWORD exStyle = 0;
  HMENU menu = nullptr;
  std::wstring title;
};
inline CreationRecord g_MainCreation;
inline HHOOK g_MainCreationHook = nullptr;

inline LRESULT CALLBACK RecordMainCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && !g_MainCreation.seen) {
    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (!cs->hwndParent && !(cs->style & WS_CHILD)) {
      g_MainCreation.seen = true;
      g_MainCreation.x = cs->x;
      g_MainCreation.y = cs->y;
      g_MainCreation.width = cs->cx;
      g_MainCreation.height = cs->cy;
      g_MainCreation.style = cs->style;
      g_MainCreation.exStyle = cs->dwExStyle;
      g_MainCreation.menu = cs->hMenu;
      g_MainCreation.title = cs->lpszName ? cs->lpszName : L"";
    }
  }
  return CallNextHookEx(g_MainCreationHook, code, wParam, lParam);
}

// The creation parameters of the main window at the last OpenShell.
inline const CreationRecord& Created() { return g_MainCreation; }

// The tutor's start-up up to the message loop, as the entry point runs it.
inline ::testing::AssertionResult OpenShell(int showCommand = SW_SHOWNORMAL) {
  App_PrepareStart();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  App_RegisterClass(instance);  // a second registration in the same process fails harmlessly
  g_MainCreation = CreationRecord();
  g_MainCreationHook = SetWindowsHookExW(WH_CBT, RecordMainCreation, nullptr, GetCurrentThreadId());
  const BOOL ok = App_InitInstance(instance, showCommand);
  UnhookWindowsHookEx(g_MainCreationHook);
  g_MainCreationHook = nullptr;
  if (!ok || !g_App.mainWindow) return ::testing::AssertionFailure() << "App_InitInstance failed";
  PumpMessages();
  return ::testing::AssertionSuccess();
}

// A test on the tutor's window in a copy of the data folder; the window and the folder go at the
// end of the test.
class ShellTest : public ::testing::Test {
 protected:
  void Start(const std::string& settings, int showCommand = SW_SHOWNORMAL) {
    ASSERT_FALSE(settings.empty()) << "no Settings.xml in the data folder";
    ASSERT_TRUE(EnterScratchFolder(settings));
    entered_ = true;
    ASSERT_TRUE(OpenShell(showCommand));
  }
  void StartDefault() { Start(DefaultSettings()); }
  // Ends the run and leaves its folder, for a test that starts again.
  void EndRun() {
    CloseShell();
    LeaveScratchFolder();
    entered_ = false;
  }
  void TearDown() override {
    CloseShell();
    if (entered_) LeaveScratchFolder();
  }
  bool entered_ = false;
};

// ---- The tutor in a small installation of the test's own ----------------------------------------

struct ShownMessage {
  std::wstring text, caption;
  HWND owner;
  UINT type;
};
inline std::vector<ShownMessage> g_ShownMessages;

inline int WINAPI RecordMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  g_ShownMessages.push_back({text ? text : L"", caption ? caption : L"", owner, type});
  return IDOK;
}

// The three sample texts of the scratch folder.
inline const std::u16string kSampleEN = u"The quick brown fox, the lazy dog.";
inline const std::u16string kSampleFR = u"Le renard brun saute. Été!";
inline const std::u16string kSampleRU = u"Быстрая лиса прыгает";

class MainWindowTest : public ::testing::Test {
 protected:
  std::wstring savedDir_, dir_;
  int showKeyboard_ = 0;

  void SetUp() override {
    savedDir_ = CurrentFolder();
    ASSERT_TRUE(MakeScratchFolder(L"kf_screen_", dir_));
    const wchar_t* folders[] = {L"EN", L"FR", L"RU"};
    const std::u16string* samples[] = {&kSampleEN, &kSampleFR, &kSampleRU};
    for (int i = 0; i < 3; ++i) {
      std::wstring lang = dir_ + L"\\" + folders[i];
      ASSERT_TRUE(CreateDirectoryW(lang.c_str(), nullptr));
      ASSERT_TRUE(CreateDirectoryW((lang + L"\\Tests").c_str(), nullptr));
      ASSERT_TRUE(CreateDirectoryW((lang + L"\\Training Words").c_str(), nullptr));
      ASSERT_TRUE(WriteBytes(lang + L"\\Tests\\Sample_Unicode.txt", SampleBytes(*samples[i])));
    }
    WriteList(L"EN", L"LH_Words.dat", "sweater\r\nwar\r\n");
    WriteList(L"EN", L"RH_Words.dat", "monopoly\r\nhook\r\n");
    WriteList(L"EN", L"LTOR_Both.dat", "wash\r\n");
    WriteList(L"EN", L"RTOL_Both.dat", "oily\r\n");
    WriteList(L"FR", L"LH_Words.dat", "\xE9t\xE9\r\nbec\r\nfee\r\n");  // Windows-1252
    WriteList(L"FR", L"RH_Words.dat", "lui\r\n");
    WriteList(L"FR", L"LTOR_Both.dat", "sel\r\n");
    WriteList(L"FR", L"RTOL_Both.dat", "lac\r\n");
    ASSERT_TRUE(WriteBytes(dir_ + L"\\Settings.xml", App_DefaultSettingsDocument(1)));
    Dir_SetData(Text_ToUtf8(T16(dir_.c_str())));

    g_ShownMessages.clear();
    g_MessageBox = RecordMessageBox;
    g_Sample.text.clear();
    g_Words.testWords.clear();
    g_Words.customWords.clear();
  }

  void TearDown() override {
    CloseMainWindow();
    g_MessageBox = MessageBoxW;
    g_GetOpenFileName = GetOpenFileNameW;
    Dir_SetData(Text_ToUtf8(T16(savedDir_.c_str())));
    RemoveTree(dir_);
  }

  void WriteList(const wchar_t* lang, const wchar_t* name, const std::string& bytes) {
    ASSERT_TRUE(WriteBytes(dir_ + L"\\" + lang + L"\\Training Words\\" + name, bytes));
  }

  // Starts the tutor's window as the program does, with the settings of the scratch folder
  // changed to `mode` and `language`.
  void OpenMainWindow(int mode, int language) {
    App_PrepareStart();
    g_Settings.Debug = 0;
    g_Settings.SaveLastUsed = 0;
    g_Settings.ShowURLLogo = 0;
    // The screens as they stand without the live keyboard; its own tests show it.
    g_Settings.ShowKeyboard = showKeyboard_;
    g_Settings.Mode = static_cast<int16_t>(mode);
    g_Settings.Language = static_cast<int16_t>(language);
    SetThreadLocale(MAKELCID(App_LangId(language), SORT_DEFAULT));
    const wchar_t* title = App_LoadString(IDS_TITLE, language);
    lstrcpynW(g_App.title, title ? title : L"", 100);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    App_RegisterClass(instance);  // a second registration fails harmlessly
    ASSERT_TRUE(App_InitInstance(instance, SW_SHOWNORMAL));
    ASSERT_NE(g_App.mainWindow, nullptr);
    PumpMessages();
  }

  void CloseMainWindow() {
    CloseShell();
    g_Settings.Mode = 0;
    g_Settings.Language = 1;
  }

 public:
  // The main window's children of a class and control id.
  static std::vector<HWND> Children(const wchar_t* className, int id) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(g_App.mainWindow, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (lstrcmpiW(ClassName(c).c_str(), className) == 0 && GetDlgCtrlID(c) == id) found.push_back(c);
    return found;
  }
};

// ---- Typing into the tutor's window on a fake clock ---------------------------------------------

// A sounded error alert.
struct BeepCall {
  DWORD frequency, duration;
  std::wstring areaText;  // the current typing area's text while the alert sounds
};

// A test on the tutor's window whose typing rules run on the fake clock `now` (each character
// sent moves it on by 100 ms) and whose error alerts land in `beeps`. The typing state, the
// rules' host, the alert, the shared sort flags and the alert setting are the test's own and
// come back at its end; a derived SetUp sets the start tick it wants.
class TypingWindowTest : public MainWindowTest {
 protected:
  static inline uint32_t now = 0;
  static inline std::vector<BeepCall> beeps;

  static BOOL WINAPI RecordBeep(DWORD frequency, DWORD duration) {
    beeps.push_back({frequency, duration, WindowText(App_CurrentTypingArea())});
    return TRUE;
  }

  void SetUp() override {
    MainWindowTest::SetUp();
    savedTyping_ = g_Typing;
    savedHost_ = g_TypingHost;
    savedBeep_ = g_AlertBeep;
    savedFlags_ = g_SortFlags;
    savedAlert_ = g_Settings.AlertEnabled;
    g_Typing = TypingState();
    g_TypingHost = TypingHost();
    g_SortFlags = SortFlags();
    g_TypingHost.tick = [] { return now; };
    App_InstallTypingHost();
    g_AlertBeep = RecordBeep;
    beeps.clear();
    now = 0;
  }

  void TearDown() override {
    g_Typing = savedTyping_;
    g_TypingHost = savedHost_;
    g_AlertBeep = savedBeep_;
    g_SortFlags = savedFlags_;
    g_Settings.AlertEnabled = savedAlert_;
    MainWindowTest::TearDown();
  }

  // A character message at `area` with the key data of `scanCode`, 100 ms after the last one;
  // the sample view's mark and the live keyboard follow it at once, as their timer makes them.
  static LRESULT CharTo(HWND area, wchar_t c, UINT scanCode) {
    const LRESULT r = SendMessageW(area, WM_CHAR, c, static_cast<LPARAM>(1 | (scanCode << 16)));
    if (g_App.mainWindow) SendMessageW(g_App.mainWindow, WM_TIMER, ID_TIMER_SAMPLE_FOLLOW, 0);
    now += 100;
    return r;
  }
  static LRESULT CharTo(HWND area, wchar_t c) { return CharTo(area, c, ScanCode(c)); }
  static void TypeTo(HWND area, const std::wstring& text) {
    for (wchar_t c : text) CharTo(area, c);
  }

 private:
  TypingState savedTyping_;
  TypingHost savedHost_;
  BOOL(WINAPI* savedBeep_)(DWORD, DWORD) = nullptr;
  SortFlags savedFlags_;
  int32_t savedAlert_ = 0;
};

// Runs the program's message loop over what is queued, with its accelerator table.
inline void RunMessageLoop() {
  HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(accelerators, nullptr);
  PostQuitMessage(0);
  App_MessageLoop(accelerators);
  DestroyAcceleratorTable(accelerators);
}

// A key press as the keyboard delivers it to `target`, with Ctrl held or not, through the
// program's message loop.
inline void PressKey(HWND target, UINT key, bool control = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE held[256];
  memcpy(held, keys, sizeof(held));
  if (control) held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
  SetKeyboardState(held);
  PostMessageW(target, WM_KEYDOWN, key, 1);
  RunMessageLoop();
  SetKeyboardState(keys);
}

}  // namespace kftest
