#pragma once
// The program font, the toolbar and the status bar (app/toolbar_win.cpp).
#include <windows.h>

void App_CreateFont();
// A font from a description with every other field zero and DEFAULT_CHARSET.
HFONT App_MakeFont(const wchar_t* face, LONG height, LONG weight = 0, BYTE underline = FALSE);
void App_CreateToolbar();
void App_CreateStatusBar();
// View commands IDM_VIEW_TOOLBAR (toolbar) and IDM_VIEW_STATUSBAR (status bar): hide the bar when
// it is shown, else show it; the View item's check mark follows.
void App_ToggleBar(UINT command);
LRESULT CALLBACK App_ToolbarProc(HWND, UINT, WPARAM, LPARAM);
