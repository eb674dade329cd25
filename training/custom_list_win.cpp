// The custom words list view of mode 3. It keeps no rows itself: g_Training.customRows says which
// custom word record each row shows and which figures it shows since it was typed, and the list
// view asks for a row's texts when it draws or is read.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include <cstdint>
#include <cwchar>
#include <vector>

#include "app/list_sort.h"
#include "app/wide_text.h"
#include "common/text.h"
#include "training/training_win.h"
#include "training/word_lists.h"
#include "typing/figures.h"
#include "typing/words.h"

namespace {

const CustomWordRecord* RecordAt(int row) {
  if (row < 0 || static_cast<size_t>(row) >= g_Training.customRows.size()) return nullptr;
  const size_t record = static_cast<size_t>(g_Training.customRows[static_cast<size_t>(row)].record);
  return record < g_Words.customWords.size() ? &g_Words.customWords[record] : nullptr;
}

// Whether row `row` shows a word equal to `text` (or, when `prefix`, beginning with it), letter
// case ignored, as a list view compares its own rows' texts.
bool RowMatches(int row, const wchar_t* text, bool prefix) {
  const CustomWordRecord* record = RecordAt(row);
  if (!record || !text) return false;
  if (!prefix) return lstrcmpiW(W(record->word), text) == 0;
  const int length = static_cast<int>(wcslen(text));
  return static_cast<int>(record->word.size()) >= length &&
         CompareStringW(GetThreadLocale(), NORM_IGNORECASE, W(record->word), length, text, length) == CSTR_EQUAL;
}

LRESULT OnGetDispInfo(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
    lstrcpynW(item.pszText, W(Mode3_RowCell(item.iItem, item.iSubItem)), item.cchTextMax);
  return 0;
}

// The first row from iStart (going round when asked) whose word matches the searched text, or -1:
// the list view's search as letters are typed into it.
LRESULT OnFindItem(const NMLVFINDITEMW* find) {
  const int count = static_cast<int>(g_Training.customRows.size());
  if (count == 0 || !(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  const int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
  const int steps = (find->lvfi.flags & LVFI_WRAP) ? count : count - start;
  for (int i = 0; i < steps; ++i) {
    const int row = (start + i) % count;
    if (RowMatches(row, find->lvfi.psz, (find->lvfi.flags & LVFI_PARTIAL) != 0)) return row;
  }
  return -1;
}

}  // namespace

void Mode3_ShowCustomRows() {
  const size_t count = g_Words.customWords.size();
  g_Training.customRows.resize(count);
  for (size_t i = 0; i < count; ++i) g_Training.customRows[i] = CustomRow{static_cast<int16_t>(i), -1};
  g_Training.customFigures.clear();
  if (g_Training.customList) {
    SendMessageW(g_Training.customList, LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(g_Training.customList, nullptr, TRUE);
  }
}

Text16 Mode3_RowCell(int row, int column) {
  const CustomWordRecord* record = RecordAt(row);
  if (!record) return Text16();
  if (column == 0) return record->word;
  if (column == 1) return Text_FromAscii(std::to_string(record->length));
  const size_t shown = static_cast<size_t>(g_Training.customRows[static_cast<size_t>(row)].figures);
  if (column < 2 || column > 4) return Text16();
  if (shown >= g_Training.customFigures.size()) return u"n/a";
  const WordRowFigures& figures = g_Training.customFigures[shown];
  return column == 2 ? figures.speed : column == 3 ? figures.errors : figures.count;
}

LRESULT Mode3_OnListNotify(const NMHDR* header) {
  if (header->code == LVN_GETDISPINFOW) return OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
  if (header->code == LVN_ODFINDITEMW) return OnFindItem(reinterpret_cast<const NMLVFINDITEMW*>(header));
  return 0;
}

void Mode3_UpdateWordRow(int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_Words.customWords.size() || !g_Training.customList) return;
  const CustomWordRecord& record = g_Words.customWords[static_cast<size_t>(index)];
  WordRowFigures figures;
  if (!Mode3_WordRowFigures(record, figures)) return;
  const int count = static_cast<int>(g_Training.customRows.size());
  for (int row = 0; row < count; ++row) {
    if (!RowMatches(row, W(record.word), false)) continue;
    int16_t& shown = g_Training.customRows[static_cast<size_t>(row)].figures;
    if (shown < 0) {
      shown = static_cast<int16_t>(g_Training.customFigures.size());
      g_Training.customFigures.push_back(figures);
    } else {
      g_Training.customFigures[static_cast<size_t>(shown)] = figures;
    }
    SendMessageW(g_Training.customList, LVM_REDRAWITEMS, row, row);
    return;
  }
}

void Mode3_SortRows(int column) {
  std::vector<CustomRow>& rows = g_Training.customRows;
  const size_t count = rows.size();
  HWND list = g_Training.customList;
  // Rows are sorted by the position they hold now; the list view keeps the selection and focus
  // by position, so they are read first and follow their rows.
  std::vector<LPARAM> order(count);
  std::vector<Text16> cells(count);
  std::vector<UINT> states(count, 0);
  for (size_t row = 0; row < count; ++row) {
    order[row] = static_cast<LPARAM>(row);
    cells[row] = Mode3_RowCell(static_cast<int>(row), column);
    if (list) states[row] = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_FOCUSED));
  }
  App_SortRowData(order, cells, column, Mode3_CompareRows);

  const std::vector<CustomRow> before = rows;
  for (size_t row = 0; row < count; ++row) rows[row] = before[static_cast<size_t>(order[row])];
  if (!list) return;
  for (size_t row = 0; row < count; ++row) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = states[static_cast<size_t>(order[row])];
    if (item.state != states[row]) SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
  InvalidateRect(list, nullptr, TRUE);
}

double Mode3_CellValue(const Text16& text, int column, bool descending) {
  if (text == u"n/a") {
    // Rows never typed go last in both directions.
    if (column == 4) return descending ? -1.0 : 1000.0;
    return descending ? -1.0 : 100.0;
  }
  // "time (time per letter step)": the figure in the parentheses.
  if (column == 2) return App_ReadFigure(App_StepFigureText(text), false, false);
  return App_ReadFigure(text, column == 4, false);
}

int CALLBACK Mode3_CompareRows(LPARAM first, LPARAM second, LPARAM sortColumn) {
  const int column = static_cast<int>(sortColumn);
  // The words themselves are not compared: every pair is equal.
  if (column < 1 || column >= kSortColumns) return 0;
  const Text16* a = App_SortCell(first);
  const Text16* b = App_SortCell(second);
  if (!a || !b) return 0;
  const bool descending = g_SortFlags.column[column] != 0;
  return App_CompareFloats(Mode3_CellValue(*a, column, descending), Mode3_CellValue(*b, column, descending), column);
}

void Mode3_OnColumnClick(int column) {
  if (column < 0 || column >= kSortColumns) return;
  App_FlipSortFlag(column);
  Mode3_SortRows(column);
}

void Mode3_LoadCustomWords(int language) {
  Mode4_LoadCustomWords(language);
  Mode3_ShowCustomRows();
}
