#pragma once
// Menu bars per language, the Language submenu, relabelling of the screen shown and the
// language switch (app/menus_win.cpp).
#include <windows.h>

void App_AttachMenu();
void App_BuildLanguageMenu();
// Marks `language`'s entry of the Language submenu (App_UpdateCommands does, from the state).
void App_MarkLanguage(int language);
// The Language submenu of the menu bar shown, or nullptr before it is built.
HMENU App_LanguagePopup();
// The screen's texts in `language`: the title, where the screen takes it from the string
// table, and the screen's own labels.
void App_LocalizeStrings(int language);
void App_SwitchLanguage(int language);
// Changes the text of a menu item, by command, to string `stringId` of the current language.
void App_SetMenuText(UINT command, UINT stringId);
// DrawMenuBar of the main window, when it is in sight.
void App_RedrawMenuBar();
// The Language submenu command of a language (IDM_LANG_ENGLISH, IDM_LANG_FRENCH, IDM_LANG_RUSSIAN; English for any other number).
UINT App_LanguageCommand(int language);
// The Language submenu entry of a language (IDS_LANG_ENGLISH, IDS_LANG_FRENCH, IDS_LANG_RUSSIAN; English for any other number):
// its name, a tab and its shortcut.
UINT App_LanguageNameString(int language);
