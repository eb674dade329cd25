// Column sort flags shared by the two sortable report lists: the detailed statistics list
// (columns 0-3) and the custom words list view (columns 0-4) use one flag per column index.
#include "app/app.h"

SortFlags g_SortFlags;

int App_CompareFloats(double a, double b, int column) {
  const bool descending = column >= 0 && column < kSortColumns && g_SortFlags.column[column] != 0;
  if (a > b) return descending ? -1 : 1;
  if (a < b) return descending ? 1 : -1;
  return 0;  // equal, or a value that does not compare
}

void App_FlipSortFlag(int column) {
  if (column < 0 || column >= kSortColumns) return;
  g_SortFlags.column[column] = g_SortFlags.column[column] == 0 ? 1 : 0;
}
