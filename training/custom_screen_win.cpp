// The screen of mode 3: a typing area above the custom words list view, one row per custom word,
// sortable by a click on a column heading on the column sort flags shared with the detailed
// statistics list.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "app/dpi.h"
#include "app/list_sort.h"
#include "app/screen.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "common/modes.h"
#include "settings/settings.h"
#include "training/training_win.h"
#include "typing/figures.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

namespace {

constexpr int kWindowWidth = 560, kWindowHeight = 820;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
// The program keeps the rows (g_Training.customRows); the list view asks for what it shows.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA;
constexpr int kX = 25, kWidth = 500;
constexpr int kAreaY = 60, kAreaHeight = 200;
constexpr int kListY = 280, kListHeight = 435;
struct ColumnInfo {
  int width;
  int format;
};
constexpr ColumnInfo kColumns[kSortColumns] = {
    {100, LVCFMT_LEFT}, {60, LVCFMT_CENTER}, {80, LVCFMT_CENTER}, {80, LVCFMT_CENTER}, {80, LVCFMT_CENTER}};

// A typed custom word shows its figures in its row.
const TypingAreaHooks kTypingHooks = {nullptr, nullptr, nullptr, nullptr, Mode3_UpdateWordRow};

// The typing area's font and the list's (the system's list font, made for the DPI); the previous
// ones are deleted once no control uses them.
HFONT s_Font = nullptr;
HFONT s_ListFont = nullptr;

// Made without a size: LayOut places it.
HWND CreateChild(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, g_App.mainWindow,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
}

// Inserts the five columns (or, when `insert` is false, relabels the existing ones) in the current
// language: format, text and a width that leaves room for the heading.
void LayOutColumns(HWND list, bool insert) {
  for (int column = 0; column < kSortColumns; ++column) {
    const wchar_t* title = App_LoadString(IDS_COL_WORD + column, g_Settings.Language);
    wchar_t text[102] = {};
    if (title) lstrcpynW(text, title, 102);  // the lookup buffer is shared
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = kColumns[column].format;
    col.cx = App_ColumnWidthFor(list, text, kColumns[column].width);
    col.pszText = text;
    SendMessageW(list, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
  }
}

}  // namespace

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

void App_SetListColumns() {
  if (g_Training.customList) LayOutColumns(g_Training.customList, false);
}

namespace {

void LayOut() {
  HFONT previous = s_Font, previousList = s_ListFont;
  s_Font = App_MakeTextFont(g_App.mainWindow, 20);
  s_ListFont = App_ListFont(g_App.mainWindow);
  App_PlaceControl(g_Training.customTypingArea, kX, kAreaY, kWidth, kAreaHeight, s_Font);
  App_PlaceControl(g_Training.customList, kX, kListY, kWidth, kListHeight, s_ListFont);
  App_SetListColumns();
  if (previous) DeleteObject(previous);
  if (previousList) DeleteObject(previousList);
}

}  // namespace

void Mode3_BuildScreen(int) {
  g_Typing.wordErrors = 0;
  if (g_App.mainWindow)
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, App_Scale(g_App.mainWindow, kWindowWidth),
                 App_Scale(g_App.mainWindow, kWindowHeight), SWP_NOMOVE | SWP_NOZORDER);

  g_Training.customTypingArea = CreateChild(L"EDIT", kEditStyle, IDC_TYPING_AREA);
  if (g_Training.customTypingArea) App_SubclassTypingArea(g_Training.customTypingArea, kTypingHooks);

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  g_Training.customList = CreateChild(WC_LISTVIEWW, kListStyle, IDC_CUSTOM_LIST);
  if (g_Training.customList) {
    SendMessageW(g_Training.customList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    LayOutColumns(g_Training.customList, true);
  }
  LayOut();
  Mode3_LoadCustomWords(g_Settings.Language);
}

namespace {

HWND TypingArea() { return g_Training.customTypingArea; }

// The headings and the rows in the new language.
void Relabel(int language) {
  App_SetListColumns();
  Mode3_LoadCustomWords(language);
}

// The list view's questions and its column clicks.
LRESULT OnNotify(const NMHDR* header) {
  if (header->hwndFrom != g_Training.customList) return 0;
  if (header->code == LVN_GETDISPINFOW || header->code == LVN_ODFINDITEMW) return Mode3_OnListNotify(header);
  if (header->code == static_cast<UINT>(LVN_COLUMNCLICK))
    Mode3_OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
  return 0;
}

}  // namespace

const ScreenOps kCustomScreen = {
    kModeCustom, Mode3_BuildScreen, Relabel, nullptr, true, Mode12_ForgetScreen, TypingArea, nullptr, 0,
    nullptr,     nullptr,           OnNotify, nullptr, nullptr, nullptr, LayOut,
};
