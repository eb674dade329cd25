#pragma once
// A main window of the tutor in a scratch installation folder, for the window tests of the menus
// and the Tests screen. Each test gets a fresh folder (Settings.xml, EN/FR/RU with a sample
// text and word lists) as the current directory, and the message box and open-file dialog
// answered by the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"

#include <commctrl.h>

#include "settings/settings.h"
#include "settings/trace.h"
#include "tests/sample_text.h"
#include "typing/words.h"

namespace kftest {

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

inline std::wstring Wide(const Text16& s) { return std::wstring(W(s)); }

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
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

inline void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

inline std::wstring MenuText(HMENU menu, UINT item, UINT flag) {
  wchar_t buf[256] = {};
  GetMenuStringW(menu, item, buf, 256, flag);
  return buf;
}

inline std::wstring WindowText(HWND window) {
  wchar_t buf[2100] = {};
  GetWindowTextW(window, buf, 2100);
  return buf;
}

// The three sample texts of the scratch folder.
inline const std::u16string kSampleEN = u"The quick brown fox, the lazy dog.";
inline const std::u16string kSampleFR = u"Le renard brun saute. Été!";
inline const std::u16string kSampleRU = u"Быстрая лиса прыгает";

class MainWindowTest : public ::testing::Test {
 protected:
  std::wstring savedDir_, dir_;

  void SetUp() override {
    wchar_t buf[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buf);
    savedDir_ = buf;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::wstring(temp) + L"kf_screen_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(++counter);
    RemoveTree(dir_);
    ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr));
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
    ASSERT_TRUE(SetCurrentDirectoryW(dir_.c_str()));

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
    SetCurrentDirectoryW(savedDir_.c_str());
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
    g_Settings.Mode = static_cast<int16_t>(mode);
    g_Settings.Language = static_cast<int16_t>(language);
    SetThreadLocale(MAKELCID(App_LangId(language), SORT_DEFAULT));
    const wchar_t* title = App_LoadString(IDS_TITLE, language);
    lstrcpynW(g_App.title, title ? title : L"", 100);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    App_RegisterClass(instance);  // a second registration fails harmlessly
    ASSERT_TRUE(App_InitInstance(instance, SW_SHOWNORMAL));
    ASSERT_NE(g_App.mainWindow, nullptr);
    Pump();
  }

  void CloseMainWindow() {
    if (g_App.mainWindow && IsWindow(g_App.mainWindow)) DestroyWindow(g_App.mainWindow);
    if (g_App.detailedStats && IsWindow(g_App.detailedStats)) DestroyWindow(g_App.detailedStats);
    // WM_DESTROY posts the quit message: take it out of the queue so no later test sees it.
    Pump();
    g_App.mainWindow = g_App.toolbar = g_App.statusBar = g_App.supportLink = g_App.detailedStats = nullptr;
    g_Mode4 = Mode4Screen();
    g_Training = TrainingScreen();
    g_Settings.Mode = 0;
    g_Settings.Language = 1;
  }

  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }


 public:
  static HMENU Bar() { return GetMenu(g_App.mainWindow); }
  static UINT State(UINT command) { return GetMenuState(Bar(), command, MF_BYCOMMAND); }
  static bool Grayed(UINT command) { return (State(command) & MF_GRAYED) != 0; }
  static bool Checked(UINT command) { return (State(command) & MF_CHECKED) != 0; }

  // The Language submenu: the popup item at the end of the View menu.
  static HMENU LanguageMenu() {
    HMENU view = GetSubMenu(Bar(), MENU_POS_VIEW);
    for (int pos = GetMenuItemCount(view) - 1; pos >= 0; --pos)
      if (HMENU sub = GetSubMenu(view, pos)) return sub;
    return nullptr;
  }

  // Client rectangle of a child of the main window in the main window's client coordinates.
  static RECT ChildRect(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(HWND_DESKTOP, g_App.mainWindow, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  static std::vector<HWND> Children(const wchar_t* className, int id) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(g_App.mainWindow, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      wchar_t cls[64] = {};
      GetClassNameW(c, cls, 64);
      if (lstrcmpiW(cls, className) == 0 && GetDlgCtrlID(c) == id) found.push_back(c);
    }
    return found;
  }
};

}  // namespace kftest
