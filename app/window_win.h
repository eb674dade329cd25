#pragma once
// The main window's placing (app/window_win.cpp); what the features use of it is in app/app.h.
#include <windows.h>

// Centres `window` on `reference`, moved `leftShift` pixels to the left and kept in the work area.
void App_CenterWindow(HWND window, HWND reference, int leftShift);
// The learner's own sizing: the size a drag of the window's edge ends with is kept for the screen
// (in its form) for the run; the main window is never made smaller than the screen's least.
void App_OnEnterSizeMove();
void App_OnExitSizeMove();
void App_OnMinMaxInfo(MINMAXINFO* info);
