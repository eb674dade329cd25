// The menu bar of the language and its Language submenu: the entries, the current language's
// mark, the texts of items that follow the state, and the redraw.
#include <windows.h>

#include "app/app.h"
#include "app/menu_bar_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/languages.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"

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

bool App_AttachMenuBar(int language) {
  HMENU oldBar = MenuBar();
  HMENU newBar = LoadMenuW(g_App.instance, MAKEINTRESOURCEW(Language_Of(language).menuBar));
  if (!newBar) return false;
  SetMenu(g_App.mainWindow, newBar);
  if (oldBar) DestroyMenu(oldBar);
  g_LanguageMenu = LanguageMenuState();
  return true;
}

HMENU App_LanguagePopup() { return g_LanguageMenu.popup; }

// While the main window's first contents are built it is drawn once at the end, menu bar
// included; only a menu bar that is in sight is drawn again at once.
void App_RedrawMenuBar() {
  if (g_App.mainWindow && IsWindowVisible(g_App.mainWindow)) DrawMenuBar(g_App.mainWindow);
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

