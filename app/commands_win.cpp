// Which commands each screen offers, decided here and nowhere else: the screen builders set the
// menu items and toolbar buttons from it, and the command routing of the main window (which the
// typing area forwards to) lets through only what the screen shown offers. A command whose menu
// item or button is not offered (hidden or greyed) does nothing, whether it comes from a key,
// the typing area, the toolbar or the menu.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/menus_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/training_win.h"

namespace {

// The screens as bits: bit 0 the state before any screen exists (a mode outside 1-4), then
// modes 1 to 4.
constexpr unsigned kNoScreen = 1u << 0;
constexpr unsigned kHands = 1u << 1;
constexpr unsigned kAlternation = 1u << 2;
constexpr unsigned kCustom = 1u << 3;
constexpr unsigned kTests = 1u << 4;
constexpr unsigned kScreens = kHands | kAlternation | kCustom | kTests;

unsigned ScreenBit(int mode) { return (mode >= 1 && mode <= 4) ? 1u << mode : kNoScreen; }

// A menu command: the screens that offer it, and the screens that grey it when they are built
// because it becomes available only later (the first character, a completed test).
struct MenuRule {
  UINT command;
  unsigned offered;
  unsigned greyedAtBuild;
};

// The Custom mode item is offered where a custom list of the language exists: built screens ask
// App_UpdateCustomModeItem.
const MenuRule kMenuRules[] = {
    {IDM_OPEN, kTests, 0},
    {IDM_MODE_HANDS, kNoScreen | kAlternation | kCustom | kTests, 0},
    {IDM_MODE_ALTERNATION, kNoScreen | kHands | kCustom | kTests, 0},
    {IDM_MODE_CUSTOM, kNoScreen | kHands | kAlternation | kTests, 0},
    {IDM_MODE_TESTS, kNoScreen | kHands | kAlternation | kCustom, 0},
    {IDM_START_TEST, kTests, 0},
    {IDM_CLEAR, kNoScreen | kScreens, kScreens},
    {IDM_DETAILED_STATS, kTests, kTests},
    {IDM_HTML_REPORT, kTests, kTests},
};

// A toolbar command and the screens that show its button.
struct ButtonRule {
  int command;
  unsigned offered;
};

const ButtonRule kButtonRules[] = {
    {IDT_OPEN, kTests},
    {IDT_START_STOP, kTests},
    {IDT_ALERT, kNoScreen | kScreens},
    {IDT_CLEAR, kNoScreen | kScreens},
    {IDT_STATISTICS, kTests},
};

const MenuRule* FindMenuRule(UINT command) {
  for (const MenuRule& rule : kMenuRules)
    if (rule.command == command) return &rule;
  return nullptr;
}

const ButtonRule* FindButtonRule(UINT command) {
  for (const ButtonRule& rule : kButtonRules)
    if (static_cast<UINT>(rule.command) == command) return &rule;
  return nullptr;
}

HWND Toolbar() {
  if (g_App.toolbar) return g_App.toolbar;
  return g_App.mainWindow ? GetDlgItem(g_App.mainWindow, IDC_TOOLBAR) : nullptr;
}

}  // namespace

bool App_ScreenOffers(int mode, UINT command) {
  if (const MenuRule* rule = FindMenuRule(command)) return (rule->offered & ScreenBit(mode)) != 0;
  if (const ButtonRule* rule = FindButtonRule(command)) return (rule->offered & ScreenBit(mode)) != 0;
  return true;  // languages, View, Help, About, Exit and the support link: every screen has them
}

bool App_CommandAvailable(UINT command) {
  if (!App_ScreenOffers(g_Settings.Mode, command)) return false;
  if (FindMenuRule(command)) {
    HMENU bar = g_App.mainWindow ? GetMenu(g_App.mainWindow) : nullptr;
    // GetMenuState gives -1, all bits set, for an item the bar does not have.
    return !bar || !(GetMenuState(bar, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  }
  if (FindButtonRule(command)) {
    HWND toolbar = Toolbar();
    if (!toolbar) return false;
    const LRESULT state = SendMessageW(toolbar, TB_GETSTATE, command, 0);
    return state != -1 && (state & TBSTATE_ENABLED) && !(state & TBSTATE_HIDDEN);
  }
  return true;
}

void App_SetScreenCommands(int mode) {
  const unsigned screen = ScreenBit(mode);
  for (const MenuRule& rule : kMenuRules) {
    if (rule.command == IDM_MODE_CUSTOM && (rule.offered & screen)) {
      App_UpdateCustomModeItem();
      continue;
    }
    App_EnableMenuCommand(rule.command, (rule.offered & screen) && !(rule.greyedAtBuild & screen));
  }
  App_RedrawMenuBar();

  if (HWND toolbar = Toolbar()) {
    for (const ButtonRule& rule : kButtonRules)
      SendMessageW(toolbar, TB_HIDEBUTTON, rule.command, MAKELPARAM((rule.offered & screen) ? FALSE : TRUE, 0));
  }
  // A new screen's typing area starts empty: its Clear button is greyed with the menu item.
  App_SetButtonState(IDT_CLEAR, TBSTATE_INDETERMINATE);
}
