// The custom words list view of mode 3. It keeps no rows itself: g_Training.customRows says which
// custom word record each row shows and the figures shown since it was typed, and the list view
// asks for a row's texts when it draws or is read.
#include <algorithm>
#include <cwchar>

#include "app/app.h"

#include <commctrl.h>

#include "app/list_sort.h"
#include "training/training_win.h"
#include "typing/words.h"

namespace {

const CustomRow* RowAt(int row) {
  if (row < 0 || static_cast<size_t>(row) >= g_Training.customRows.size()) return nullptr;
  return &g_Training.customRows[static_cast<size_t>(row)];
}

const CustomWordRecord* RecordOf(const CustomRow& row) {
  if (row.record < 0 || static_cast<size_t>(row.record) >= g_Words.customWords.size()) return nullptr;
  return &g_Words.customWords[static_cast<size_t>(row.record)];
}

// While the rows are sorted: the sorted column's text of each record's row, by record.
std::vector<Text16> s_SortTexts;
Text16 SortCellOf(LPARAM data) {
  return data >= 0 && static_cast<size_t>(data) < s_SortTexts.size() ? s_SortTexts[static_cast<size_t>(data)] : Text16();
}

// Whether `word` equals `text` (or, when `prefix`, begins with it), letter case ignored, as the
// list view compares its own rows' texts.
bool MatchesWord(const Text16& word, const wchar_t* text, bool prefix) {
  if (!text) return false;
  if (!prefix) return lstrcmpiW(W(word), text) == 0;
  const int length = static_cast<int>(wcslen(text));
  if (static_cast<int>(word.size()) < length) return false;
  return CompareStringW(GetThreadLocale(), NORM_IGNORECASE, W(word), length, text, length) == CSTR_EQUAL;
}

LRESULT OnGetDispInfo(NMLVDISPINFOW* info) {
  LVITEMW& item = info->item;
  const CustomRow* row = RowAt(item.iItem);
  if (item.mask & LVIF_PARAM) item.lParam = row ? row->record : 0;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    lstrcpynW(item.pszText, W(Mode3_RowCell(item.iItem, item.iSubItem)), item.cchTextMax);
  }
  return 0;
}

// The first row from iStart whose word matches the searched text (going round when asked), or -1.
LRESULT OnFindItem(const NMLVFINDITEMW* find) {
  const int count = static_cast<int>(g_Training.customRows.size());
  if (count == 0 || !(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  const bool prefix = (find->lvfi.flags & LVFI_PARTIAL) != 0;
  const int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
  const int steps = (find->lvfi.flags & LVFI_WRAP) ? count : count - start;
  for (int i = 0; i < steps; ++i) {
    const int row = (start + i) % count;
    const CustomWordRecord* record = RecordOf(g_Training.customRows[static_cast<size_t>(row)]);
    if (record && MatchesWord(record->word, find->lvfi.psz, prefix)) return row;
  }
  return -1;
}

// The selection and focus states of the rows, by the record each row shows.
std::vector<UINT> StatesByRecord() {
  std::vector<UINT> states(g_Training.customRows.size(), 0);
  HWND list = g_Training.customList;
  for (UINT state : {static_cast<UINT>(LVIS_SELECTED), static_cast<UINT>(LVIS_FOCUSED)}) {
    const WPARAM which = state == LVIS_SELECTED ? LVNI_SELECTED : LVNI_FOCUSED;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), which))) >= 0) {
      const CustomRow* shown = RowAt(row);
      if (!shown || shown->record < 0 || static_cast<size_t>(shown->record) >= states.size()) break;
      states[static_cast<size_t>(shown->record)] |= state;
      if (state == LVIS_FOCUSED) break;  // one row has the focus
    }
  }
  return states;
}

void SetRowState(int row, UINT state, UINT mask) {
  LVITEMW item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(g_Training.customList, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void Mode3_ShowCustomRows() {
  const size_t count = g_Words.customWords.size();
  g_Training.customRows.assign(count, CustomRow());
  for (size_t i = 0; i < count; ++i) g_Training.customRows[i].record = static_cast<int16_t>(i);
  if (g_Training.customList) {
    SendMessageW(g_Training.customList, LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(g_Training.customList, nullptr, TRUE);
  }
}

Text16 Mode3_RowCell(int row, int column) {
  const CustomRow* shown = RowAt(row);
  const CustomWordRecord* record = shown ? RecordOf(*shown) : nullptr;
  if (!record) return Text16();
  switch (column) {
    case 0:
      return record->word;
    case 1: {
      wchar_t figure[16];
      swprintf(figure, 16, L"%d", static_cast<int>(record->length));
      return T16(figure);
    }
    case 2:
      return shown->typed ? shown->figures.speed : u"n/a";
    case 3:
      return shown->typed ? shown->figures.errors : u"n/a";
    case 4:
      return shown->typed ? shown->figures.count : u"n/a";
    default:
      return Text16();
  }
}

LRESULT Mode3_OnListNotify(const NMHDR* header) {
  if (header->code == LVN_GETDISPINFOW) return OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
  if (header->code == LVN_ODFINDITEMW) return OnFindItem(reinterpret_cast<const NMLVFINDITEMW*>(header));
  return 0;
}

void Mode3_ShowRowFigures(const Text16& word, const WordRowFigures& figures) {
  for (size_t row = 0; row < g_Training.customRows.size(); ++row) {
    CustomRow& shown = g_Training.customRows[row];
    const CustomWordRecord* record = RecordOf(shown);
    if (!record || !MatchesWord(record->word, W(word), false)) continue;
    shown.typed = true;
    shown.figures = figures;
    if (g_Training.customList) SendMessageW(g_Training.customList, LVM_REDRAWITEMS, row, row);
    return;
  }
}

void Mode3_SortRows(int column) {
  std::vector<CustomRow>& rows = g_Training.customRows;
  HWND list = g_Training.customList;
  // The list view keeps the selection by row number: it follows its words to their new rows.
  const std::vector<UINT> states = list ? StatesByRecord() : std::vector<UINT>();

  std::vector<LPARAM> order;
  order.reserve(rows.size());
  s_SortTexts.assign(rows.size(), Text16());
  for (size_t i = 0; i < rows.size(); ++i) {
    const int16_t record = rows[i].record;
    order.push_back(record);
    if (record >= 0 && static_cast<size_t>(record) < s_SortTexts.size())
      s_SortTexts[static_cast<size_t>(record)] = Mode3_RowCell(static_cast<int>(i), column);
  }
  App_SortRowData(order, column, SortCellOf, Mode3_CompareRows);
  s_SortTexts.clear();

  std::vector<CustomRow> byRecord(rows.size());
  for (const CustomRow& row : rows) {
    if (row.record >= 0 && static_cast<size_t>(row.record) < byRecord.size()) byRecord[static_cast<size_t>(row.record)] = row;
  }
  for (size_t i = 0; i < order.size(); ++i) rows[i] = byRecord[static_cast<size_t>(order[i])];
  if (!list) return;

  if (std::any_of(states.begin(), states.end(), [](UINT state) { return state != 0; })) {
    SetRowState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (size_t i = 0; i < rows.size(); ++i) {
      const UINT state = states[static_cast<size_t>(rows[i].record)];
      if (state) SetRowState(static_cast<int>(i), state, state);
    }
  }
  InvalidateRect(list, nullptr, TRUE);
}
