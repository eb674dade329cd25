// What the two report lists share: the detailed statistics list (columns 0-3) and the custom
// words list view (columns 0-4) use one sort flag per column index, sort the same way, and size
// their columns to their headings.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "app/dpi.h"
#include "app/list_sort.h"
#include "app/wide_text.h"

SortFlags g_SortFlags;

namespace {

// The cells of the column being sorted, by row item data, while LVM_SORTITEMS runs: a list view
// must not be asked for its rows in the middle of sorting them.
std::unordered_map<LPARAM, Text16> s_SortCells;

// Room for one cell's text while sorting; the sorted cells hold figures.
constexpr int kSortCellUnits = 64;

}  // namespace

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

void App_SortListView(HWND list, int column, PFNLVCOMPARE compare) {
  if (!list) return;
  s_SortCells.clear();
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  s_SortCells.reserve(static_cast<size_t>(count > 0 ? count : 0));
  for (int row = 0; row < count; ++row) {
    wchar_t text[kSortCellUnits] = {};
    LVITEMW item = {};
    item.mask = LVIF_PARAM | LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = kSortCellUnits;
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) continue;
    text[kSortCellUnits - 1] = L'\0';
    s_SortCells.emplace(item.lParam, T16(text));
  }
  SendMessageW(list, LVM_SORTITEMS, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(compare));
  s_SortCells.clear();
}

void App_SortRowData(std::vector<LPARAM>& rows, const std::vector<Text16>& cells, int column, PFNLVCOMPARE compare) {
  s_SortCells.clear();
  s_SortCells.reserve(rows.size());
  for (size_t row = 0; row < rows.size() && row < cells.size(); ++row) s_SortCells.emplace(rows[row], cells[row]);
  // Merges runs of 1, 2, 4... rows, as LVM_SORTITEMS sorts: a row moves before an earlier one only
  // when it compares lower, so equal rows keep their order.
  const size_t n = rows.size();
  std::vector<LPARAM> merged(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t middle = std::min(left + width, n), right = std::min(left + 2 * width, n);
      size_t a = left, b = middle, out = left;
      while (a < middle && b < right) merged[out++] = compare(rows[a], rows[b], column) > 0 ? rows[b++] : rows[a++];
      while (a < middle) merged[out++] = rows[a++];
      while (b < right) merged[out++] = rows[b++];
    }
    rows.swap(merged);
  }
  s_SortCells.clear();
}

const Text16* App_SortCell(LPARAM data) {
  const auto found = s_SortCells.find(data);
  return found == s_SortCells.end() ? nullptr : &found->second;
}

int App_ColumnWidthFor(HWND list, const wchar_t* heading, int width) {
  width = App_Scale(list, width);
  if (!list || !heading) return width;
  // The header keeps three edge widths of margin on each side of its text.
  const int margin = 6 * App_Metric(list, SM_CXEDGE);
  const int text = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(heading)));
  return text + margin > width ? text + margin : width;
}
