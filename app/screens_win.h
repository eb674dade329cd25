#pragma once
// The table of the five screens and the one way a screen is shown (app/screens_win.cpp).
#include <windows.h>

#include "app/screen.h"

// Puts the table of the screens in place for the shell's services (App_ScreenOf); once, before
// the main window is made.
void App_InstallScreens();
// Used by App_InstallScreens (app/app_state.cpp).
void App_SetScreens(const ScreenList& screens);

// Shows the screen of `mode`, always in the same steps: the screen shown destroyed and forgotten,
// the mode set, the new screen built, the window sized for it with the support link in its place,
// the screen labelled, the commands updated, the window centred and the typing area focused.
// Traced as OnMenuMode4 for the Tests screen.
void App_ShowScreen(int mode);
// The screen's texts in `language`: the title, where the screen takes it from the string table,
// and the screen's own labels.
void App_LocalizeStrings(int language);
// After a language switch: the screen shown relabelled in the new language, or built again.
void App_RelabelScreen(int language);
// After a DPI change: the controls of the screen shown placed and given fonts for the new DPI.
void App_LayOutScreen();
// Destroys every control of the screen shown (all children of the main window but the toolbar
// and the status bar) and has the screen forget them.
void App_DestroyScreenControls();
// Timer `id`, and a move of the main window, to every screen that has them.
void App_ScreenTimer(UINT_PTR id);
void App_MainWindowMoved();
