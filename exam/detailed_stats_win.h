#pragma once
// The detailed statistics window of the Tests screen.
#include <windows.h>

#include <cstdint>

// Detailed statistics window and the custom list writer (exam/detailed_stats_win.cpp)
// Command IDT_STATISTICS (button, menu item IDM_DETAILED_STATS, F8): opens the window when it is
// closed, else closes it; the keyboard focus stays in the typing area.
void Mode4_OnDetailedStatsCommand();
// The window's two buttons, when it is open and has them, in `language`.
void Mode4_LocalizeDetailedStats(int language);
void Mode4_ShowDetailedStats();
// Whether the window is open, and its width (0 when closed): the main window is centred
// together with it.
bool Mode4_DetailedStatsOpen();
HWND Mode4_DetailedStatsWindow();
int Mode4_DetailedStatsWidth();
// Puts an open detailed statistics window at the main window's right edge, 77 pixels below its
// top, moved into the work area of the main window's monitor where it would stick out (never
// shrunk), without activating it: the keyboard focus stays where the user typed.
void Mode4_DockDetailedStats();
LRESULT CALLBACK Mode4_DetailedStatsProc(HWND, UINT, WPARAM, LPARAM);
// Notifications of the list: custom draw colours and column sort.
LRESULT Mode4_DetailedStatsNotify(HWND window, const NMHDR* header);
// Comparison callback of the list's sort: item data of two rows and the column.
int CALLBACK Mode4_CompareRows(LPARAM data1, LPARAM data2, LPARAM column);
// Writes the checked words, in display order, as the current language's custom words list.
void Mode4_CreateCustomList();
void Mode4_CheckAll();
// The colour legend (exam/color_legend_win.cpp) and the colour of a word class (kWordLeftHand
// ... kWordCustom) in the list and the legend.
INT_PTR CALLBACK Mode4_ColorLegendProc(HWND, UINT, WPARAM, LPARAM);
COLORREF Mode4_ClassColor(int16_t category);
// Destroys the list and the two buttons of an open detailed statistics window, which stays open
// and empty: the Tests screen is built again (a language switch) and its test is gone.
void Mode4_EmptyDetailedStatsWindow();
// Closes the window, when it is open: the learner leaves the Tests screen.
void Mode4_CloseDetailedStats();
