// Menu bars per language, the Language submenu, relabelling of the screen shown and the
// language switch.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/languages.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "training/word_lists.h"

namespace {

// The Language submenu of the menu bar shown, and which command each of its entries carries
// while not marked (a marked entry carries none).
struct LanguageMenuState {
  HMENU popup = nullptr;
  const LanguageFacts* entries[kLanguageCount] = {};
  int count = 0;
};
LanguageMenuState g_LanguageMenu;


HMENU MenuBar() { return g_App.mainWindow ? GetMenu(g_App.mainWindow) : nullptr; }

// A folder of that name in the data folder: it opens for reading as a directory.
bool FolderExists(const char* folder) {
  const Text16 name = Text_FromUtf8(Dir_DataFile(std::string("\\") + folder));
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

HMENU App_LanguagePopup() { return g_LanguageMenu.popup; }

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
  App_UpdateCommands();
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
    Text16 text = App_StringText(info.entryString, language);
    if (AppendMenuW(popup, MF_STRING, info.command, W(text))) state.entries[state.count++] = &info;
  }
  if (!PlaceLanguagePopup(bar, popup, App_StringText(IDS_LANGUAGE, language))) {
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
    const LanguageFacts& entry = *g_LanguageMenu.entries[pos];
    const Text16 text = App_StringText(entry.entryString, g_Settings.Language);
    if (entry.command == current)
      ModifyMenuW(g_LanguageMenu.popup, pos, MF_BYPOSITION | MF_STRING | MF_CHECKED, 0, W(text));
    else
      ModifyMenuW(g_LanguageMenu.popup, pos, MF_BYPOSITION | MF_STRING | MF_UNCHECKED, entry.command, W(text));
  }
}

void App_LocalizeStrings(int language) {
  App_Trace("App_LocalizeStrings Entered");
  if (const ScreenOps* screen = App_ScreenOf(g_Settings.Mode)) {
    if (screen->retitles) {
      Text16 title = App_StringText(IDS_TITLE, language);
      SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));
    }
    if (screen->localize) screen->localize(language);
  }
  App_Trace("App_LocalizeStrings Exited");
}

void App_SwitchLanguage(int language) {
  g_Settings.Language = static_cast<int16_t>(language);

  Text16 title = (App_LanguageCommand(language) == IDM_LANG_ENGLISH) ? Text16(u"Keyfarer (English Version)")
                                                                     : App_StringText(IDS_TITLE, language);
  SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));

  SetThreadLocale(App_LangId(language));

  HMENU oldBar = MenuBar();
  HMENU newBar = LoadMenuW(g_App.instance, MAKEINTRESOURCEW(Language_Of(language).menuBar));
  if (newBar) {
    SetMenu(g_App.mainWindow, newBar);
    if (oldBar) DestroyMenu(oldBar);
    g_LanguageMenu = LanguageMenuState();
  }
  App_BuildLanguageMenu();

  // The screen's lists and headings in the new language, or the screen built again.
  g_Ui.customListExists = App_CustomListExists(language);
  App_RelabelScreen(language);
  App_LocalizeStrings(language);
  App_ClearTypingArea();
  // The fresh menu bar's items, texts and check marks follow the state as the old bar's did.
  App_UpdateCommands();
}

void App_SetMenuText(UINT command, UINT stringId) {
  HMENU bar = MenuBar();
  if (!bar) return;
  Text16 text = App_StringText(stringId, g_Settings.Language);
  // Only the text changes: the item keeps its command, check mark and enabled state.
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(W(text));
  SetMenuItemInfoW(bar, command, FALSE, &info);
  App_RedrawMenuBar();
}

