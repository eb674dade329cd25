// The commands and their look, decided from the command table and the program's state and
// nowhere else: which screen offers what, when each may act, and the one update that shows it on
// the menu bar and the toolbar.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/menu_bar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

CommandTable s_Table;

constexpr size_t kMostRows = 64;

bool ShowsOnMenu(const CommandRow& row) {
  // A menu item the state can grey: offered by some screens only, or enabled by the state.
  return !row.image && (row.offeredBy != kEveryScreen || row.enabled);
}

// What the update set last, and on which menu bar and toolbar: a fresh bar (a language switch) or
// toolbar gets everything again.
struct ShownCommands {
  HMENU bar = nullptr;
  HWND toolbar = nullptr;
  bool enabled[kMostRows] = {};
  UINT text[kMostRows] = {};
  bool checked[kMostRows] = {};
  BYTE buttonState[kMostRows] = {};
  int buttonImage[kMostRows] = {};
  HMENU languagePopup = nullptr;
  int language = 0;
};
ShownCommands s_Shown;

// One row's menu item as the state has it; whether anything changed.
bool UpdateItem(HMENU bar, size_t i, bool fresh) {
  const CommandRow& row = s_Table.rows[i];
  bool changed = false;
  if (ShowsOnMenu(row)) {
    const bool enabled = App_CommandAvailable(row.id);
    if (fresh || enabled != s_Shown.enabled[i]) {
      EnableMenuItem(bar, row.id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
      s_Shown.enabled[i] = enabled;
      changed = true;
    }
  }
  if (row.text) {
    const UINT text = row.text();
    if (fresh || text != s_Shown.text[i]) App_SetMenuText(row.id, text);
    changed = changed || text != s_Shown.text[i];
    s_Shown.text[i] = text;
  }
  if (row.checked) {
    const bool checked = row.checked();
    if (fresh || checked != s_Shown.checked[i]) {
      CheckMenuItem(bar, row.id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
      s_Shown.checked[i] = checked;
    }
  }
  return changed;
}

void UpdateMenuBar(HMENU bar) {
  const bool fresh = bar != s_Shown.bar;
  bool changed = fresh;
  for (size_t i = 0; i < s_Table.count && i < kMostRows; ++i) changed = UpdateItem(bar, i, fresh) || changed;
  // The Language submenu's mark, on a new submenu or after a switch.
  const HMENU popup = App_LanguagePopup();
  if (popup && (fresh || popup != s_Shown.languagePopup || g_Settings.Language != s_Shown.language)) {
    App_MarkLanguage(g_Settings.Language);
    s_Shown.languagePopup = popup;
    s_Shown.language = g_Settings.Language;
    changed = true;
  }
  s_Shown.bar = bar;
  if (changed) App_RedrawMenuBar();
}

void UpdateToolbar(HWND toolbar) {
  const bool fresh = toolbar != s_Shown.toolbar;
  for (size_t i = 0; i < s_Table.count && i < kMostRows; ++i) {
    const CommandRow& row = s_Table.rows[i];
    if (!row.image) continue;
    BYTE state = App_CommandAvailable(row.id) ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
    if (!App_ScreenOffers(g_Settings.Mode, row.id)) state |= TBSTATE_HIDDEN;
    if (fresh || state != s_Shown.buttonState[i])
      SendMessageW(toolbar, TB_SETSTATE, static_cast<WPARAM>(row.id), MAKELPARAM(state, 0));
    const int image = row.image();
    if (fresh || image != s_Shown.buttonImage[i])
      SendMessageW(toolbar, TB_CHANGEBITMAP, static_cast<WPARAM>(row.id), MAKELPARAM(image, 0));
    s_Shown.buttonState[i] = state;
    s_Shown.buttonImage[i] = image;
  }
  s_Shown.toolbar = toolbar;
}

}  // namespace

void App_SetCommands(const CommandTable& table) {
  s_Table = table;
  s_Shown = ShownCommands();
}

const CommandRow* App_FindCommand(UINT command) {
  for (size_t i = 0; i < s_Table.count; ++i)
    if (s_Table.rows[i].id == command) return &s_Table.rows[i];
  return nullptr;
}

bool App_ScreenOffers(int mode, UINT command) {
  const CommandRow* row = App_FindCommand(command);
  return row && (row->offeredBy & App_ModeBit(mode)) != 0;
}

bool App_CommandAvailable(UINT command) {
  const CommandRow* row = App_FindCommand(command);
  return row && (row->offeredBy & App_ModeBit(g_Settings.Mode)) != 0 && (!row->enabled || row->enabled());
}

bool App_RunCommand(UINT command, bool fromKey) {
  const CommandRow* row = App_FindCommand(command);
  if (!row) return false;
  // A key that only the main window takes (About's Alt+?) does nothing from the typing area.
  if (fromKey && row->keysOnlyInMainWindow && GetFocus() != g_App.mainWindow) return true;
  if (App_CommandAvailable(command) && row->run) row->run();
  return true;
}

void App_UpdateCommands() {
  if (!g_App.mainWindow) return;
  if (HMENU bar = GetMenu(g_App.mainWindow)) UpdateMenuBar(bar);
  if (g_App.toolbar) UpdateToolbar(g_App.toolbar);
}

void App_SetClearable(bool clearable) {
  if (g_Ui.clearable == clearable) return;
  g_Ui.clearable = clearable;
  App_UpdateCommands();
}
