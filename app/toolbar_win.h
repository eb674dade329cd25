#pragma once
// Fonts, the toolbar and the status bar (app/toolbar_win.cpp).
#include <windows.h>

// A font from a description with every other field zero and DEFAULT_CHARSET; `height` is a
// 96-DPI figure, made for the DPI of `forWindow`.
HFONT App_MakeFont(HWND forWindow, const wchar_t* face, LONG height, LONG weight = 0, BYTE underline = FALSE);
// The face of the tutor's text views (typing areas, sample view, word lists), carried in its
// resources so that what they show does not depend on the fonts a machine has.
constexpr const wchar_t* kTextFace = L"Keyfarer Text";
// A font of that face (Arial where it cannot be registered) for the text views, `height` as for
// App_MakeFont.
HFONT App_MakeTextFont(HWND forWindow, LONG height);
void App_CreateToolbar();
void App_CreateStatusBar();
// After the main window's DPI changed: the program font and the toolbar's images made again for
// it, the status bar's parts set again for the client width.
void App_RescaleBars();
// View commands IDM_VIEW_TOOLBAR (toolbar) and IDM_VIEW_STATUSBAR (status bar): hide the bar when
// it is shown, else show it; the View item's check mark follows.
void App_ToggleBar(UINT command);
LRESULT CALLBACK App_ToolbarProc(HWND, UINT, WPARAM, LPARAM);
