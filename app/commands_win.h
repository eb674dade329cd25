#pragma once
// The commands: one table of rows (app/command_table_win.cpp), installed at start, and what the
// shell decides from it and the program's state alone (app/commands_win.cpp): which screen
// offers a command, when it may act, and how the menu bar and the toolbar show that. The main
// window runs a command only through App_RunCommand, so a greyed or hidden command does nothing,
// whether it comes from a key, the toolbar or the menu.
#include <windows.h>

#include <cstddef>

// The screens that offer a command: one bit per mode (bit 0 stands for no screen, a mode
// outside 1-5).
constexpr unsigned App_ModeBit(int mode) { return 1u << (mode >= 1 && mode <= 5 ? mode : 0); }
constexpr unsigned kEveryScreen = 0x3F;
constexpr unsigned App_AllBut(int mode) { return kEveryScreen & ~App_ModeBit(mode); }

struct CommandRow {
  UINT id;                        // menu item, toolbar button or control
  unsigned offeredBy;             // App_ModeBit of the screens that have it
  bool (*enabled)() = nullptr;    // when it may act, where offered; null: whenever offered
  void (*run)() = nullptr;
  UINT (*text)() = nullptr;       // a menu item whose text follows the state: its string id now
  int (*image)() = nullptr;       // a toolbar button: its image now
  bool (*checked)() = nullptr;    // a menu item with a check mark that follows the state
  bool keysOnlyInMainWindow = false;  // its keys act only while the main window itself has the focus
};

struct CommandTable {
  const CommandRow* rows = nullptr;
  size_t count = 0;
};

// The table the shell installs at start (App_InstallCommands, app/command_table_win.cpp).
void App_SetCommands(const CommandTable& table);
// The row of `command`, or nullptr for an id that is no command of the tutor.
const CommandRow* App_FindCommand(UINT command);
// Whether the screen of `mode` has `command` at all (its menu item can be enabled, its button is
// shown).
bool App_ScreenOffers(int mode, UINT command);
// Whether `command` may act now: the screen shown offers it and the state enables it.
bool App_CommandAvailable(UINT command);
// Runs `command` when it may act; `fromKey` when an accelerator key sent it. False for an id
// that is no command (the window procedure hands it on).
bool App_RunCommand(UINT command, bool fromKey);
