#pragma once
// The start of the run (app/main_window_win.cpp): what the entry point calls, in this order, and
// the window procedure of the main window. The window tests start the tutor the same way.
#include <windows.h>

// Start-up steps before the window class: App_XMLReadSettings (from the data folder), the entry
// trace, the thread locale, the title and the class name.
void App_PrepareStart();
ATOM App_RegisterClass(HINSTANCE instance);
BOOL App_InitInstance(HINSTANCE instance, int showCommand);
// Runs the message loop with `accelerators` until WM_QUIT; returns its exit code.
int App_MessageLoop(HACCEL accelerators);
LRESULT CALLBACK App_WndProc(HWND, UINT, WPARAM, LPARAM);
