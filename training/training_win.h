#pragma once
// The screens of the training modes (1-3) and the word lists they show.
#include <windows.h>

#include "common/text.h"

// Controls of the training screens (modes 1 to 3) while shown; the word list loaders fill them
// and do nothing while they are null.
struct TrainingScreen {
  HWND leftList = nullptr;          // IDC_LEFT_LIST, modes 1 and 2
  HWND rightList = nullptr;         // IDC_RIGHT_LIST, modes 1 and 2
  HWND customList = nullptr;        // IDC_CUSTOM_LIST, mode 3 list view
  HWND customTypingArea = nullptr;  // mode 3's own typing area
};
extern TrainingScreen g_Training;

// Word lists into the training screens (training/word_lists_win.cpp)
void Mode12_LoadWordLists(int mode, int language);
void Mode3_LoadCustomWords(int language);
// The Custom mode menu item, enabled where the current language has a custom words list.
void App_UpdateCustomModeItem();

// The screens of modes 1-2 and 3 (training/hand_screen_win.cpp, training/custom_screen_win.cpp):
// each destroys the screen shown and builds its own.
void OnMenuMode12(int mode);
void OnMenuMode3();
// Relabels the five columns of the custom words list view, when it is shown, in the current
// language, with widths that leave room for the headings.
void App_SetListColumns();
// A click on column `column` of the custom words list view (mode 3 only): flips the column's
// sort flag and sorts the rows with Mode3_CompareRows.
void Mode3_OnColumnClick(int column);
// LVM_SORTITEMS callback: the rows whose item data are `first` and `second`, compared by the
// figure in column `column` in the direction of its flag; the word column compares equal.
int CALLBACK Mode3_CompareRows(LPARAM first, LPARAM second, LPARAM column);
// The sort value of a custom words cell: "n/a" goes last in either direction, the speed column
// counts the figure in parentheses, the typed count column reads a whole number.
double Mode3_CellValue(const Text16& text, int column, bool descending);
// Blanks, an optional sign, digits and (unless `wholeNumber`) a decimal point with digits; stops
// at the first character that cannot continue the number; no number reads as 0.
double Mode3_ReadNumber(const Text16& text, bool wholeNumber);
