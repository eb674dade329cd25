// Menu bars per language, the Language submenu, relabelling of the screen shown and the
// language switch.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "common/languages.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/detailed_stats_win.h"
#include "exam/exam_screen_win.h"
#include "training/training_win.h"
#include "typing/typing_win.h"

namespace {

// The Language submenu of the menu bar shown, and which command each of its entries carries
// while not marked (a marked entry carries none).
struct LanguageMenuState {
  HMENU popup = nullptr;
  UINT commands[3] = {};
  int count = 0;
};
LanguageMenuState g_LanguageMenu;

// Text of string `id` in `language`, copied out of the shared lookup buffer ("" when missing).
Text16 StringOf(UINT id, int language) { return T16(App_LoadString(id, language)); }

HMENU MenuBar() { return g_App.mainWindow ? GetMenu(g_App.mainWindow) : nullptr; }

// A folder of that name in the current directory: it opens for reading as a directory.
bool FolderExists(const char* folder) {
  const Text16 name = Text_FromAscii(folder);
  HANDLE h = CreateFileW(W(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info = {};
  // A plain file called "EN" is no language folder.
  bool isFolder = GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(h);
  return isFolder;
}

// Puts the Language popup in place of the View menu's item IDM_LANGUAGE, or of an earlier Language popup
// when the submenu is built again on the same menu bar (the old popup is then destroyed).
bool PlaceLanguagePopup(HMENU bar, HMENU popup, const Text16& title) {
  const UINT flags = MF_POPUP | MF_STRING;
  if (ModifyMenuW(bar, IDM_LANGUAGE, MF_BYCOMMAND | flags, reinterpret_cast<UINT_PTR>(popup), W(title)))
    return true;
  HMENU view = GetSubMenu(bar, MENU_POS_VIEW);
  if (!view) return false;
  for (int pos = GetMenuItemCount(view) - 1; pos >= 0; --pos) {
    if (GetSubMenu(view, pos))
      return ModifyMenuW(view, pos, MF_BYPOSITION | flags, reinterpret_cast<UINT_PTR>(popup), W(title)) != 0;
  }
  return false;
}

}  // namespace

UINT App_LanguageCommand(int language) { return Language_Of(language).command; }

UINT App_LanguageNameString(int language) { return Language_Of(language).entryString; }

// While the main window's first contents are built it is drawn once at the end, menu bar
// included; only a menu bar that is in sight is drawn again at once.
void App_RedrawMenuBar() {
  if (g_App.mainWindow && IsWindowVisible(g_App.mainWindow)) DrawMenuBar(g_App.mainWindow);
}

void App_AttachMenu() {
  HMENU bar = LoadMenuW(g_App.instance, MAKEINTRESOURCEW(Language_Of(g_Settings.Language).menuBar));
  if (!bar) return;
  SetMenu(g_App.mainWindow, bar);
  CheckMenuItem(bar, IDM_VIEW_TOOLBAR, MF_BYCOMMAND | MF_CHECKED);
  CheckMenuItem(bar, IDM_VIEW_STATUSBAR, MF_BYCOMMAND | MF_CHECKED);
  // The sound alert item offers what its click does: an alert off at start is to be enabled.
  if (App_GetButtonImage(IDT_ALERT) == IMG_ALERT_OFF) App_SetMenuText(IDM_SOUND_ALERT, IDS_ENABLE_ALERT);
  App_RedrawMenuBar();
}

void App_BuildLanguageMenu() {
  HMENU bar = MenuBar();
  if (!bar) return;
  const int language = g_Settings.Language;
  HMENU popup = CreatePopupMenu();
  if (!popup) return;
  LanguageMenuState state;
  state.popup = popup;
  for (const LanguageFacts& info : kLanguages) {
    if (!FolderExists(info.folder)) continue;
    Text16 text = StringOf(info.entryString, language);
    if (AppendMenuW(popup, MF_STRING, info.command, W(text))) state.commands[state.count++] = info.command;
  }
  if (!PlaceLanguagePopup(bar, popup, StringOf(IDS_LANGUAGE, language))) {
    DestroyMenu(popup);
    return;
  }
  g_LanguageMenu = state;
  App_RedrawMenuBar();
}

// The current language's entry shows a check mark and carries no command, so choosing it does
// nothing; every other entry carries its own command again.
void App_MarkLanguage(int language) {
  if (!g_LanguageMenu.popup || !IsMenu(g_LanguageMenu.popup)) return;
  const UINT current = App_LanguageCommand(language);
  for (int pos = 0; pos < g_LanguageMenu.count; ++pos) {
    wchar_t text[128] = {};
    GetMenuStringW(g_LanguageMenu.popup, pos, text, 128, MF_BYPOSITION);
    const UINT command = g_LanguageMenu.commands[pos];
    if (command == current)
      ModifyMenuW(g_LanguageMenu.popup, pos, MF_BYPOSITION | MF_STRING | MF_CHECKED, 0, text);
    else
      ModifyMenuW(g_LanguageMenu.popup, pos, MF_BYPOSITION | MF_STRING | MF_UNCHECKED, command, text);
  }
}

void App_SyncViewChecks() {
  HMENU bar = MenuBar();
  if (!bar) return;
  const bool toolbar = g_App.toolbar && IsWindowVisible(g_App.toolbar);
  const bool statusBar = g_App.statusBar && IsWindowVisible(g_App.statusBar);
  CheckMenuItem(bar, IDM_VIEW_TOOLBAR, MF_BYCOMMAND | (toolbar ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(bar, IDM_VIEW_STATUSBAR, MF_BYCOMMAND | (statusBar ? MF_CHECKED : MF_UNCHECKED));
}

void App_LocalizeStrings(int language) {
  App_Trace("App_LocalizeStrings Entered");
  const int mode = g_Settings.Mode;
  if (mode >= 1 && mode <= 3) {
    Text16 title = StringOf(IDS_TITLE, language);
    SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));
  } else if (mode == 4 && g_App.detailedStats) {
    // The two buttons of the detailed statistics window, when it is open and has them.
    const struct { int control; UINT text; } buttons[] = {
        {IDC_DS_CREATE_LIST, IDS_CREATE_CUSTOM_LIST}, {IDC_DS_CHECK_ALL, IDS_CHECK_ALL}};
    for (const auto& b : buttons) {
      HWND button = GetDlgItem(g_App.detailedStats, b.control);
      if (!button) continue;
      Text16 text = StringOf(b.text, language);
      SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(text)));
    }
  }
  App_Trace("App_LocalizeStrings Exited");
}

void App_SwitchLanguage(int language) {
  g_Settings.Language = static_cast<int16_t>(language);

  Text16 title = (App_LanguageCommand(language) == IDM_LANG_ENGLISH) ? Text16(u"Keyfarer (English Version)")
                                                                     : StringOf(IDS_TITLE, language);
  SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));

  SetThreadLocale(App_LangId(language));

  HMENU oldBar = MenuBar();
  HMENU newBar = LoadMenuW(g_App.instance, MAKEINTRESOURCEW(Language_Of(language).menuBar));
  if (newBar) {
    SetMenu(g_App.mainWindow, newBar);
    if (oldBar) DestroyMenu(oldBar);
    g_LanguageMenu = LanguageMenuState();
    // The fresh menu bar's items follow the screen shown as the old bar's did (the Tests screen
    // is rebuilt below and sets its own), its View check marks the bars as they are, and its
    // Start Test and sound alert items the state of the running test and of the alert.
    if (g_Settings.Mode >= 1 && g_Settings.Mode <= 3) App_SetScreenCommands(g_Settings.Mode);
    App_SyncViewChecks();
    if (App_GetButtonImage(IDT_START_STOP) == IMG_STOP) App_SetMenuText(IDM_START_TEST, IDS_STOP_TEST);
    if (App_GetButtonImage(IDT_ALERT) == IMG_ALERT_OFF) App_SetMenuText(IDM_SOUND_ALERT, IDS_ENABLE_ALERT);
  }

  App_BuildLanguageMenu();
  App_MarkLanguage(language);

  const int mode = g_Settings.Mode;
  if (mode == 4) OnMenuMode4();
  if (mode == 3) {
    App_SyncViewChecks();
    App_SetListColumns();
  }
  if (mode >= 1 && mode <= 3) Mode12_LoadWordLists(mode, language);

  App_LocalizeStrings(language);
  App_ClearTypingArea();
}

void App_SetMenuText(UINT command, UINT stringId) {
  HMENU bar = MenuBar();
  if (!bar) return;
  Text16 text = StringOf(stringId, g_Settings.Language);
  // Only the text changes: the item keeps its command, check mark and enabled state.
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(W(text));
  SetMenuItemInfoW(bar, command, FALSE, &info);
  App_RedrawMenuBar();
}

void App_EnableMenuCommand(UINT command, bool enabled) {
  HMENU bar = MenuBar();
  if (!bar) return;
  EnableMenuItem(bar, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void App_DestroyScreenControls() {
  if (g_App.mainWindow) {
    // Collect first: destroying while enumerating would skip windows.
    HWND children[512];
    int count = 0;
    for (HWND child = GetWindow(g_App.mainWindow, GW_CHILD); child && count < 512;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      if (child == g_App.toolbar || child == g_App.statusBar || id == IDC_TOOLBAR || id == IDC_STATUSBAR) continue;
      children[count++] = child;
    }
    for (int i = 0; i < count; ++i) DestroyWindow(children[i]);
  }
  HFONT font = g_TypingScreen.font;
  g_TypingScreen = TypingScreen();
  g_TypingScreen.font = font;  // deleted by the next Tests screen once no control uses it
  g_Training = TrainingScreen();
  // An open detailed statistics window loses its list and buttons; the window itself stays.
  Mode4_EmptyDetailedStatsWindow();
  // The last test's live figures go with its screen; a running test's come back with the timer.
  Mode4_ClearLiveFigures();
}
