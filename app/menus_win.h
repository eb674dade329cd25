#pragma once
// The menu bar attached at start and the language switch (app/menus_win.cpp).
#include <windows.h>

// The menu bar of the current language, as the program starts.
void App_AttachMenu();
// Everything in `language`: the title, the thread locale, the menu bar and its Language submenu,
// the screen shown relabelled (or built again), its typing area emptied, the commands.
void App_SwitchLanguage(int language);
