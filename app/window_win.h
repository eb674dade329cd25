#pragma once
// The main window's placing (app/window_win.cpp); what the features use of it is in app/app.h.
#include <windows.h>

// Centres `window` on `reference`, moved `leftShift` pixels to the left and kept in the work area.
void App_CenterWindow(HWND window, HWND reference, int leftShift);
