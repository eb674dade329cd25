// The commands and their look, decided from the program's state and nowhere else: which screen
// offers what, when each may act, and the one update that shows it on the menu bar and the
// toolbar. The command routing of the main window (which the typing area forwards to) lets
// through only what App_CommandAvailable allows, so a greyed or hidden command does nothing from
// a key, the typing area, the toolbar or the menu alike.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "common/modes.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/keystrokes.h"

UiState g_Ui;

namespace {

// The menu items the state enables and greys, and the toolbar buttons it shows, hides and greys.
constexpr UINT kMenuCommands[] = {IDM_OPEN,       IDM_MODE_HANDS,  IDM_MODE_ALTERNATION, IDM_MODE_CUSTOM,
                                  IDM_MODE_TESTS, IDM_START_TEST,  IDM_CLEAR,            IDM_DETAILED_STATS,
                                  IDM_HTML_REPORT, IDM_PRACTICE_WEAK_KEYS};
constexpr int kButtonCommands[] = {IDT_OPEN, IDT_START_STOP, IDT_ALERT, IDT_CLEAR, IDT_STATISTICS};
constexpr size_t kMenuCount = sizeof kMenuCommands / sizeof kMenuCommands[0];
constexpr size_t kButtonCount = sizeof kButtonCommands / sizeof kButtonCommands[0];

// The mode each mode item chooses; 0 for any other command.
int ModeOfItem(UINT command) {
  switch (command) {
    case IDM_MODE_HANDS: return kModeHands;
    case IDM_MODE_ALTERNATION: return kModeAlternation;
    case IDM_MODE_CUSTOM: return kModeCustom;
    case IDM_MODE_TESTS: return kModeTests;
    default: return 0;
  }
}

bool TestRunning() { return g_Typing.testRunning != 0; }

// Whether the state lets an offered command act.
bool EnabledNow(UINT command) {
  switch (command) {
    case IDM_MODE_CUSTOM: return g_Ui.customListExists;
    case IDM_CLEAR:
    case IDT_CLEAR: return g_Ui.clearable;
    case IDT_OPEN: return !TestRunning();
    case IDT_STATISTICS: return g_Ui.testStopped;
    // The report and the detailed statistics describe the last finished test: offered after a
    // completed one until the next start. F8 then opens and closes the window as its button does.
    case IDM_DETAILED_STATS:
    case IDM_HTML_REPORT: return g_Ui.lastTestCompleted && !TestRunning();
    default: return true;
  }
}

int ButtonImage(int command) {
  switch (command) {
    case IDT_START_STOP: return TestRunning() ? IMG_STOP : IMG_START;
    case IDT_ALERT: return g_Settings.AlertEnabled ? IMG_ALERT_ON : IMG_ALERT_OFF;
    case IDT_STATISTICS: return g_App.detailedStats ? IMG_STATS_OPEN : IMG_STATS_CLOSED;
    case IDT_OPEN: return IMG_OPEN;
    default: return IMG_CLEAR;
  }
}

// What the update set last, and on which menu bar and toolbar: a fresh bar (a language switch) or
// toolbar gets everything again.
struct ShownCommands {
  HMENU bar = nullptr;
  HWND toolbar = nullptr;
  bool menuEnabled[kMenuCount] = {};
  UINT startText = 0, alertText = 0;
  bool toolbarChecked = false, statusBarChecked = false;
  HMENU languagePopup = nullptr;
  int language = 0;
  BYTE buttonState[kButtonCount] = {};
  int buttonImage[kButtonCount] = {};
};
ShownCommands s_Shown;

void UpdateMenuBar(HMENU bar) {
  const bool fresh = bar != s_Shown.bar;
  bool changed = fresh;
  for (size_t i = 0; i < kMenuCount; ++i) {
    const bool enabled = App_CommandAvailable(kMenuCommands[i]);
    if (!fresh && enabled == s_Shown.menuEnabled[i]) continue;
    EnableMenuItem(bar, kMenuCommands[i], MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    s_Shown.menuEnabled[i] = enabled;
    changed = true;
  }
  // The two items whose text offers what their command does next.
  const UINT startText = TestRunning() ? IDS_STOP_TEST : IDS_START_TEST;
  if (fresh || startText != s_Shown.startText) App_SetMenuText(IDM_START_TEST, startText);
  const UINT alertText = g_Settings.AlertEnabled ? IDS_DISABLE_ALERT : IDS_ENABLE_ALERT;
  if (fresh || alertText != s_Shown.alertText) App_SetMenuText(IDM_SOUND_ALERT, alertText);
  changed = changed || startText != s_Shown.startText || alertText != s_Shown.alertText;
  s_Shown.startText = startText;
  s_Shown.alertText = alertText;
  if (fresh || g_Ui.toolbarShown != s_Shown.toolbarChecked || g_Ui.statusBarShown != s_Shown.statusBarChecked) {
    CheckMenuItem(bar, IDM_VIEW_TOOLBAR, MF_BYCOMMAND | (g_Ui.toolbarShown ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(bar, IDM_VIEW_STATUSBAR, MF_BYCOMMAND | (g_Ui.statusBarShown ? MF_CHECKED : MF_UNCHECKED));
    s_Shown.toolbarChecked = g_Ui.toolbarShown;
    s_Shown.statusBarChecked = g_Ui.statusBarShown;
  }
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
  for (size_t i = 0; i < kButtonCount; ++i) {
    const int command = kButtonCommands[i];
    BYTE state = App_CommandAvailable(command) ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE;
    if (!App_ScreenOffers(g_Settings.Mode, command)) state |= TBSTATE_HIDDEN;
    if (fresh || state != s_Shown.buttonState[i])
      SendMessageW(toolbar, TB_SETSTATE, static_cast<WPARAM>(command), MAKELPARAM(state, 0));
    const int image = ButtonImage(command);
    if (fresh || image != s_Shown.buttonImage[i])
      SendMessageW(toolbar, TB_CHANGEBITMAP, static_cast<WPARAM>(command), MAKELPARAM(image, 0));
    s_Shown.buttonState[i] = state;
    s_Shown.buttonImage[i] = image;
  }
  s_Shown.toolbar = toolbar;
}

}  // namespace

bool App_ScreenOffers(int mode, UINT command) {
  // A mode item is offered everywhere but on its own screen.
  if (const int itemMode = ModeOfItem(command)) return itemMode != mode;
  // A screen's own command is offered by the screen that has it.
  if (App_ScreenCommandOwner(command)) return App_FindScreenCommand(mode, command) != nullptr;
  return true;  // languages, View, Help, About, Exit, Clear, the alert and the support link
}

bool App_CommandAvailable(UINT command) {
  return App_ScreenOffers(g_Settings.Mode, command) && EnabledNow(command);
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
