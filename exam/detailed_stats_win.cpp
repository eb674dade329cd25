// The detailed statistics window: a top-level window docked to the right of the main window
// with one row per typed word, coloured by the hands that type it, sortable by column, and the
// Create Custom List and Check All buttons; and the colour legend dialog.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/dpi.h"
#include "app/list_sort.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "common/files.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/detailed_stats.h"
#include "exam/detailed_stats_win.h"
#include "exam/sample_text.h"
#include "typing/words.h"

namespace {

constexpr wchar_t kClassName[] = L"DetailedStats";
constexpr int kDockTopOffset = 77;  // the window hangs this far below the main window's top
constexpr int kWidth = 325;  // widened when the columns need more room than the list has
constexpr int kHeight = 703;
constexpr int kListX = 10, kListY = 10, kListWidth = 300, kListHeight = 600;
constexpr int kListLeast = 200;  // on a small display
constexpr int kButtonY = 625, kButtonWidth = 135, kButtonHeight = 30;
constexpr int kCreateButtonX = 20, kCheckAllButtonX = 165;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, which older headers lack
constexpr COLORREF kEvenRowColor = RGB(255, 255, 255);

// How much lower than its 703 pixels (96 DPI) the window is made so that it fits the work area of
// the main window's monitor: its list gives up that height, the buttons move up with its end.
int Shortfall(HWND window) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  HWND reference = window ? window : g_App.mainWindow;
  if (!GetMonitorInfoW(MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor)) return 0;
  const int room = MulDiv(monitor.rcWork.bottom - monitor.rcWork.top, kBaseDpi, App_WindowDpi(reference));
  return std::min(std::max(0, kHeight - room), kListHeight - kListLeast);
}

struct ColumnInfo {
  UINT heading;
  int width;
  int format;
};
constexpr ColumnInfo kColumns[4] = {
    {IDS_DS_WORD, 100, LVCFMT_LEFT},
    {IDS_DS_LENGTH, 60, LVCFMT_CENTER},
    {IDS_DS_SPEED, 80, LVCFMT_CENTER},
    {IDS_DS_ERRORS, 60, LVCFMT_CENTER},
};

// The window while it is open, and the fonts of its list and buttons, made for its DPI.
struct DetailedStatsWindow {
  HWND window = nullptr;
  HFONT listFont = nullptr;
  HFONT buttonFont = nullptr;
};
DetailedStatsWindow s_Stats;

HWND List() { return s_Stats.window ? GetDlgItem(s_Stats.window, IDC_DS_LIST) : nullptr; }

Text16 StringOf(UINT id) { return App_StringText(id, g_Settings.Language); }

// The text of one cell; `capacity` units, terminator included.
Text16 CellText(HWND list, int row, int column, int capacity) {
  std::vector<wchar_t> buffer(static_cast<size_t>(capacity), L'\0');
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = capacity;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  buffer.back() = L'\0';
  return T16(buffer.data());
}

void SetCell(HWND list, int row, int column, const Text16& text) {
  LVITEMW cell = {};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(W(text));
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int RowOfData(HWND list, LPARAM data) {
  LVFINDINFOW find = {};
  find.flags = LVFI_PARAM;
  find.lParam = data;
  return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

ATOM RegisterDetailedStatsClass() {
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(g_App.instance, kClassName, &existing)) return 1;  // registered at an earlier opening
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = Mode4_DetailedStatsProc;
  wc.hInstance = g_App.instance;
  wc.hIcon = LoadIconW(g_App.instance, MAKEINTRESOURCEW(IDI_DETAILED_STATS));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = CreateSolidBrush(g_Settings.DS_BackgroundColor);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc);
}

// The list and the buttons at the window's DPI, with fonts made for it, and the four columns each
// wide enough for its heading; when the columns and a vertical scroll bar need more than the
// list's 300 pixels (at 96 DPI), the list and the window widen by the difference, so no column
// is cut off and no horizontal scroll bar appears. The window has its width for no columns before.
void LayOutWindow(HWND window, HWND list, bool insertColumns) {
  const DetailedStatsWindow previous = s_Stats;
  s_Stats.listFont = App_ListFont(window);
  s_Stats.buttonFont = App_MakeFont(window, L"Arial", 16);
  const int shortfall = Shortfall(window);
  App_PlaceControl(list, kListX, kListY, kListWidth, kListHeight - shortfall, s_Stats.listFont);
  App_PlaceControl(GetDlgItem(window, IDC_DS_CREATE_LIST), kCreateButtonX, kButtonY - shortfall, kButtonWidth,
                   kButtonHeight, s_Stats.buttonFont);
  App_PlaceControl(GetDlgItem(window, IDC_DS_CHECK_ALL), kCheckAllButtonX, kButtonY - shortfall, kButtonWidth,
                   kButtonHeight, s_Stats.buttonFont);
  if (previous.listFont) DeleteObject(previous.listFont);
  if (previous.buttonFont) DeleteObject(previous.buttonFont);
  if (!list) return;
  int columnsWidth = 0;
  for (int i = 0; i < 4; ++i) {
    Text16 heading = StringOf(kColumns[i].heading);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = kColumns[i].format;
    column.cx = App_ColumnWidthFor(list, W(heading), kColumns[i].width);
    column.pszText = const_cast<wchar_t*>(W(heading));
    column.iSubItem = i;
    SendMessageW(list, insertColumns ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    columnsWidth += column.cx;
  }
  RECT outer, inner;
  GetWindowRect(list, &outer);
  GetClientRect(list, &inner);
  const int border = (outer.right - outer.left) - (inner.right - inner.left);
  const int listWidth = App_Scale(window, kListWidth), listHeight = App_Scale(window, kListHeight - shortfall);
  const int extra = columnsWidth + App_Metric(window, SM_CXVSCROLL) + border - listWidth;
  if (extra > 0) {
    SetWindowPos(list, nullptr, 0, 0, listWidth + extra, listHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, 0, 0, (frame.right - frame.left) + extra, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND CreateList(HWND window) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 0, 0, 0,
                              window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DS_LIST)), g_App.instance,
                              nullptr);
  if (!list) return nullptr;
  const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  LayOutWindow(window, list, true);
  return list;
}

void FillList(HWND list) {
  // A copy is sorted: the test words table keeps the order of the text.
  std::vector<TestWordRecord> words = g_Words.testWords;
  Mode4_SortTestWordsByLength(words);
  // Without redrawing while the rows go in: a list that repaints after each row takes seconds.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  int count = 0;
  for (const DetailedStatsRow& row : Mode4_DetailedStatsRows(words)) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = count;
    item.pszText = const_cast<wchar_t*>(W(row.word));
    item.lParam = row.index;
    const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) continue;
    ++count;
    SetCell(list, at, 1, row.length);
    SetCell(list, at, 2, row.speed);
    SetCell(list, at, 3, row.errors);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

HWND CreateButton(HWND window, int id, int x) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
  App_PlaceControl(button, x, kButtonY - Shortfall(window), kButtonWidth, kButtonHeight, s_Stats.buttonFont);
  return button;
}

// Moved to a monitor of another scale: the rectangle Windows suggests, and the controls at the
// new DPI (the width then follows the columns again).
void OnDpiChanged(HWND window, const RECT* suggested) {
  if (suggested)
    SetWindowPos(window, nullptr, suggested->left, suggested->top, App_Scale(window, kWidth),
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutWindow(window, GetDlgItem(window, IDC_DS_LIST), false);
}

LRESULT OnCustomDraw(HWND list, NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_SUBITEM | CDDS_ITEMPREPAINT: {
      draw->clrTextBk = (draw->nmcd.dwItemSpec % 2 == 0) ? kEvenRowColor : g_Settings.DS_InterlacedColor;
      if (draw->iSubItem == 0) {
        const int row = RowOfData(list, draw->nmcd.lItemlParam);
        if (row >= 0) {
          // The whole word: a long word cut short could fall into another class.
          const int16_t category = Mode4_ClassifyWord(CellText(list, row, 0, kSampleCapacity), App_HandLetters());
          if (category >= kWordLeftHand && category <= kWordCustom) draw->clrTextBk = Mode4_ClassColor(category);
        }
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace

void Mode4_OnDetailedStatsCommand() {
  if (!s_Stats.window) {
    Mode4_ShowDetailedStats();
  } else {
    Mode4_CloseDetailedStats();
  }
  App_UpdateCommands();
  // The learner goes on typing: the keys stay in the typing area, as when the window docks.
  App_FocusTypingArea(App_CurrentTypingArea());
}

void Mode4_LocalizeDetailedStats(int language) {
  if (!s_Stats.window) return;
  const struct { int control; UINT text; } buttons[] = {
      {IDC_DS_CREATE_LIST, IDS_CREATE_CUSTOM_LIST}, {IDC_DS_CHECK_ALL, IDS_CHECK_ALL}};
  for (const auto& b : buttons) {
    HWND button = GetDlgItem(s_Stats.window, b.control);
    if (!button) continue;
    Text16 text = App_StringText(b.text, language);
    SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(text)));
  }
}

void Mode4_CloseDetailedStats() {
  if (s_Stats.window) DestroyWindow(s_Stats.window);
}

void Mode4_EmptyDetailedStatsWindow() {
  if (!s_Stats.window) return;
  for (int id : {IDC_DS_LIST, IDC_DS_CREATE_LIST, IDC_DS_CHECK_ALL}) {
    if (HWND control = GetDlgItem(s_Stats.window, id)) DestroyWindow(control);
  }
}

void Mode4_ShowDetailedStats() {
  if (!g_App.mainWindow) return;
  // One window at a time: a leftover window goes before the new one is built.
  Mode4_CloseDetailedStats();
  RegisterDetailedStatsClass();

  RECT main;
  GetWindowRect(g_App.mainWindow, &main);
  Text16 title = StringOf(IDS_DETAILED_STATS);
  HWND owner = g_App.mainWindow;
  HWND window = CreateWindowExW(0, kClassName, W(title), WS_POPUP | WS_CAPTION | WS_SYSMENU, main.right,
                                main.top + App_Scale(owner, kDockTopOffset), App_Scale(owner, kWidth),
                                App_Scale(owner, kHeight - Shortfall(owner)), nullptr, nullptr, g_App.instance, nullptr);
  if (!window) return;
  s_Stats.window = window;
  // Built hidden: its width follows the columns, and the main window and this one are centred
  // together before it shows.
  HWND list = CreateList(window);
  App_CenterMainWindow();
  Mode4_DockDetailedStats();
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  if (list) FillList(list);
  CreateButton(window, IDC_DS_CREATE_LIST, kCreateButtonX);
  CreateButton(window, IDC_DS_CHECK_ALL, kCheckAllButtonX);
  Mode4_LocalizeDetailedStats(g_Settings.Language);
}

bool Mode4_DetailedStatsOpen() { return s_Stats.window != nullptr; }

HWND Mode4_DetailedStatsWindow() { return s_Stats.window; }

int Mode4_DetailedStatsWidth() {
  RECT own;
  if (!s_Stats.window || !IsWindow(s_Stats.window) || !GetWindowRect(s_Stats.window, &own)) return 0;
  return own.right - own.left;
}

void Mode4_DockDetailedStats() {
  HWND stats = s_Stats.window;
  if (!stats || !IsWindow(stats) || !g_App.mainWindow) return;
  RECT main, own;
  GetWindowRect(g_App.mainWindow, &main);
  GetWindowRect(stats, &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int x = main.right, y = main.top + App_Scale(g_App.mainWindow, kDockTopOffset);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(g_App.mainWindow, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
  }
  SetWindowPos(stats, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Mode4_DetailedStatsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      // The main window docks this window only while it exists, and its button shows it open.
      if (s_Stats.window == window) {
        s_Stats.window = nullptr;
        App_UpdateCommands();
      }
      return 0;
    case WM_NCDESTROY:
      // The fonts go with the last window that used them.
      if (!s_Stats.window) {
        for (HFONT* font : {&s_Stats.listFont, &s_Stats.buttonFont}) {
          if (*font) DeleteObject(*font);
          *font = nullptr;
        }
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case kDpiChanged:
      OnDpiChanged(window, reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->code == static_cast<UINT>(NM_DBLCLK))
        g_DialogBoxParam(g_App.instance, MAKEINTRESOURCEW(IDD_COLOR_LEGEND), window, Mode4_ColorLegendProc, 0);
      return Mode4_DetailedStatsNotify(window, header);
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_DS_CREATE_LIST) {
        Mode4_CreateCustomList();
        return 0;
      }
      if (LOWORD(wParam) == IDC_DS_CHECK_ALL) {
        Mode4_CheckAll();
        return 0;
      }
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT Mode4_DetailedStatsNotify(HWND, const NMHDR* header) {
  if (!header) return 0;
  HWND list = header->hwndFrom;
  if (!list || GetDlgCtrlID(list) != IDC_DS_LIST) return 0;
  if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
    return OnCustomDraw(list, reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
  if (header->code == static_cast<UINT>(LVN_COLUMNCLICK)) {
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    App_FlipSortFlag(column);
    App_SortListView(list, column, Mode4_CompareRows);
    return 0;
  }
  return 0;
}

int CALLBACK Mode4_CompareRows(LPARAM data1, LPARAM data2, LPARAM column) {
  const int k = static_cast<int>(column);
  const Text16* cell1 = App_SortCell(data1);
  const Text16* cell2 = App_SortCell(data2);
  if (!cell1 || !cell2) return 0;
  double a = 0.0, b = 0.0;
  if (!Mode4_CellSortValue(*cell1, k, a) || !Mode4_CellSortValue(*cell2, k, b)) return 0;
  return App_CompareFloats(a, b, k);
}

void Mode4_CheckAll() {
  HWND list = List();
  if (!list) return;
  for (int row = 0; row < RowCount(list); ++row) {
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
}

void Mode4_CreateCustomList() {
  App_Trace("Mode4_CreateCustomList Entered");
  // Without its list the window has nothing to write (its controls go when the Tests screen is
  // rebuilt): the user's list is left alone.
  if (HWND list = List()) {
    std::vector<Text16> words;
    for (int row = 0; row < RowCount(list); ++row) {
      const UINT state = static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) >> 12;
      if (state == 1) continue;  // unchecked
      words.push_back(CellText(list, row, 0, kSampleCapacity));
    }
    // A list that cannot be written (no folder for the language, a read-only list, a full disk)
    // leaves the old one as it was, and the user is told which file and why.
    const std::string path = Mode4_CustomListPath(Dir_Data(), g_Settings.Language);
    const FileWriteResult written = File_WriteSafely(path, Mode4_CustomListBytes(words));
    if (!written.ok) App_ShowWriteFailure(s_Stats.window, path, written.error);
    // Mode 3 is offered as soon as its list exists.
    App_UpdateCommands();
  }
  App_Trace("Mode4_CreateCustomList Exited");
}
