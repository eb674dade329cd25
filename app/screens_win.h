#pragma once
// The table of the four screens and the one way a screen is shown (app/screens_win.cpp).
#include <windows.h>

#include "app/screen.h"

// The screen of `mode`, or nullptr for a mode outside 1-4 (no screen is shown).
const ScreenOps* App_ScreenOf(int mode);
// The screen command `command` of the screen of `mode`, or nullptr when that screen has none.
const ScreenCommand* App_FindScreenCommand(int mode, UINT command);
// Whether any screen has `command` as its own.
bool App_ScreenCommandOwner(UINT command);

// Shows the screen of `mode`, always in the same steps: the support link to its place, the
// screen shown destroyed and forgotten, the mode set, the new screen built and relabelled, the
// commands updated, the window centred and the typing area focused. Traced as OnMenuMode12,
// OnMenuMode3 or OnMenuMode4 as the mode's builder.
void App_ShowScreen(int mode);
void OnMenuMode12(int mode);
void OnMenuMode3();
void OnMenuMode4();
// Timer `id` to every screen that has timers: a timer may outlive the screen that set it.
void App_ScreenTimer(UINT_PTR id);
// After a DPI change: the controls of the screen shown placed and given fonts for the new DPI.
void App_LayOutScreen();
// After a language switch: the screen shown relabelled in the new language, or built again.
void App_RelabelScreen(int language);
// Destroys every control of the screen shown (all children of the main window but the toolbar
// and the status bar) and has the screen forget them.
void App_DestroyScreenControls();
