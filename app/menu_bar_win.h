#pragma once
// The menu bar of each language and its Language submenu (app/menu_bar_win.cpp).
#include <windows.h>

// Puts the menu bar of `language` in place of the one shown, which is destroyed; false when it
// cannot be loaded (the old one stays). Its Language submenu is built by App_BuildLanguageMenu.
bool App_AttachMenuBar(int language);
// The Language submenu of the menu bar shown: one entry per language folder of the data folder.
void App_BuildLanguageMenu();
// Marks `language`'s entry of the Language submenu (App_UpdateCommands does, from the state).
void App_MarkLanguage(int language);
// The Language submenu of the menu bar shown, or nullptr before it is built.
HMENU App_LanguagePopup();
// Changes the text of a menu item, by command, to string `stringId` of the current language.
void App_SetMenuText(UINT command, UINT stringId);
// DrawMenuBar of the main window, when it is in sight.
void App_RedrawMenuBar();
// The Language submenu command of a language (IDM_LANG_ENGLISH, IDM_LANG_FRENCH,
// IDM_LANG_RUSSIAN; English for any other number).
UINT App_LanguageCommand(int language);
