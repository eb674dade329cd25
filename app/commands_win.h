#pragma once
// The commands of each screen (app/commands_win.cpp).
#include <windows.h>

// Whether the screen of `mode` has `command` at all (its menu item can be enabled, its button is
// shown); commands that are not a screen's (languages, View, Help, Exit) are everyone's.
bool App_ScreenOffers(int mode, UINT command);
// Whether `command` may act now: the screen shown offers it and its menu item (for a menu or key
// command) or its toolbar button (for a button command) is neither greyed nor hidden. The main
// window's command routing asks this before anything runs.
bool App_CommandAvailable(UINT command);
// The menu items and toolbar buttons of the screen of `mode`, as that screen is built: items it
// does not offer greyed, the others enabled or greyed until their event (first character,
// completed test); buttons it does not offer hidden, the others shown; Clear greyed.
void App_SetScreenCommands(int mode);
