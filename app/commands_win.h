#pragma once
// The commands: which each screen offers and when each may act, decided from the program's state
// (app/commands_win.cpp), and the one function that shows that state on the menu bar and the
// toolbar.
#include <windows.h>

// Whether the screen of `mode` has `command` at all (its menu item can be enabled, its button is
// shown); commands that are not a screen's (languages, View, Help, Exit) are everyone's.
bool App_ScreenOffers(int mode, UINT command);
// Whether `command` may act now, from the state alone: the screen shown offers it and the state
// enables it. The main window's command routing asks this before anything runs, so a command
// whose item or button is greyed or hidden does nothing, whether it comes from a key, the typing
// area, the toolbar or the menu.
bool App_CommandAvailable(UINT command);
