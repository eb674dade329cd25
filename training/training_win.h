#pragma once
// The screens of the training modes (1-3) and the word lists they show.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/screen.h"
#include "common/text.h"
#include "typing/figures.h"

// One row of the custom words list view: the custom word record it shows and, once the word is
// typed, which of TrainingScreen::customFigures its figures columns (2 to 4) show; before, -1,
// and they read "n/a".
struct CustomRow {
  int16_t record;
  int16_t figures;
};

// Controls of the training screens (modes 1 to 3) while shown; the word list loaders fill them
// and do nothing while they are null.
struct TrainingScreen {
  HWND leftList = nullptr;          // IDC_LEFT_LIST, modes 1 and 2
  HWND rightList = nullptr;         // IDC_RIGHT_LIST, modes 1 and 2
  HWND customList = nullptr;        // IDC_CUSTOM_LIST, mode 3 list view
  HWND customTypingArea = nullptr;  // mode 3's own typing area
  // The custom words list view keeps no rows of its own (LVS_OWNERDATA): a list of 20,000 words
  // shows at once, and each row's texts are given when it is drawn or read. Top to bottom.
  std::vector<CustomRow> customRows;
  std::vector<WordRowFigures> customFigures;
};
extern TrainingScreen g_Training;

// Word lists into the training screens (training/word_lists_win.cpp)
void Mode12_LoadWordLists(int mode, int language);
void Mode3_LoadCustomWords(int language);

// The screens of modes 1-2 and 3 as the shell's screen table holds them
// (training/hand_screen_win.cpp, training/custom_screen_win.cpp), and their build steps: the
// window's size, the typing area and the word lists of the language.
extern const ScreenOps kHandScreen;
extern const ScreenOps kAlternationScreen;
extern const ScreenOps kCustomScreen;
void Mode12_BuildScreen(int mode);
// What the training screens forget with their controls: their handles and lists.
void Mode12_ForgetScreen();
void Mode3_BuildScreen(int mode);
// Relabels the five columns of the custom words list view, when it is shown, in the current
// language, with widths that leave room for the headings.
void App_SetListColumns();
// A click on column `column` of the custom words list view (mode 3 only): flips the column's
// sort flag and sorts the rows with Mode3_CompareRows.
void Mode3_OnColumnClick(int column);
// LVM_SORTITEMS callback: the rows whose item data are `first` and `second`, compared by the
// figure in column `column` in the direction of its flag; the word column compares equal.
int CALLBACK Mode3_CompareRows(LPARAM first, LPARAM second, LPARAM column);
// The custom words list view (training/custom_list_win.cpp).
// One row per custom word record, in record order, figures "n/a".
void Mode3_ShowCustomRows();
// The text of a cell: the word, its length, its figures or "n/a"; empty outside the rows.
Text16 Mode3_RowCell(int row, int column);
// The list view's questions to its parent (WM_NOTIFY): a row's texts and item data
// (LVN_GETDISPINFOW) and the row that a typed prefix selects (LVN_ODFINDITEMW).
LRESULT Mode3_OnListNotify(const NMHDR* header);
// Shows the figures of custom word record `index` (columns 2 to 4) in the first row showing its
// word, letter case ignored; nothing for an index out of range or a word not yet typed.
void Mode3_UpdateWordRow(int16_t index);
// Sorts the rows by `column` with Mode3_CompareRows, the way a list view sorts its own rows: rows
// that compare equal keep their order, and the selected rows stay selected.
void Mode3_SortRows(int column);
// The sort value of a custom words cell: "n/a" goes last in either direction, the speed column
// counts the figure in parentheses, the typed count column reads a whole number.
double Mode3_CellValue(const Text16& text, int column, bool descending);
