#pragma once
// Sorting of the report list views by a clicked column (list_sort.cpp): the detailed statistics
// list and the custom words list share the direction flags.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "common/text.h"

// One 16-bit sort direction flag per column index, all 0 at start and never reset, shared by
// the detailed statistics list and the custom words list view; 0 ascending, else descending.
constexpr int kSortColumns = 5;
struct SortFlags {
  int16_t column[kSortColumns] = {};
};
extern SortFlags g_SortFlags;
// Three-way comparison in the direction of the column's flag; values that do not compare give 0.
int App_CompareFloats(double a, double b, int column);
// A click on a column heading flips that column's flag (0 becomes 1, anything else 0).
void App_FlipSortFlag(int column);
// Sorts a report list view by `column` with LVM_SORTITEMS and `compare`; the cells of that
// column are read first, and the comparison reads them with App_SortCell.
void App_SortListView(HWND list, int column, PFNLVCOMPARE compare);
// Sorts `rows` (the item data of a list's rows, top to bottom) by `column` as App_SortListView
// sorts a list view's own rows, for a list whose rows the program keeps itself: `cells` holds
// each row's text in that column, and `compare` reads it with App_SortCell. Equal rows keep their
// order.
void App_SortRowData(std::vector<LPARAM>& rows, const std::vector<Text16>& cells, int column, PFNLVCOMPARE compare);
// During App_SortListView, the sorted column's text of the row whose item data is `data`;
// nullptr for an unknown row and outside a sort.
const Text16* App_SortCell(LPARAM data);
// The width a column needs: `width` (a 96-DPI figure) at the list's DPI, or more when its heading
// would not fit in that.
int App_ColumnWidthFor(HWND list, const wchar_t* heading, int width);
