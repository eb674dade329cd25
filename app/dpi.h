#pragma once
// The display scale. Every size and position of the tutor is a figure at 96 DPI (100 %): it is
// scaled by the DPI of the window it is for, here and nowhere else, so that the tutor is sharp at
// every scale and at 96 DPI exactly as it always was. The calls that Windows 7 lacks are looked
// up at run time (app/dpi_win.cpp).
#include <windows.h>

constexpr int kBaseDpi = 96;

// The DPI of `window` (of the screen when null): GetDpiForWindow where the system has it, else
// the device context's LOGPIXELSY.
int App_WindowDpi(HWND window);
// A 96-DPI figure at the DPI of `window`: value x DPI / 96, rounded.
int App_Scale(HWND window, int value);
// A system metric at the DPI of `window` (GetSystemMetricsForDpi where the system has it).
int App_Metric(HWND window, int index);
// Moves `control` to a rectangle given at 96 DPI in its parent's client area, scaled by the
// parent's DPI, and gives it `font` when there is one.
void App_PlaceControl(HWND control, int x, int y, int width, int height, HFONT font = nullptr);
// The system's list font (the icon title font) made for the DPI of `window`; the caller deletes it.
HFONT App_ListFont(HWND window);
