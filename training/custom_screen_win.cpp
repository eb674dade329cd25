// The screen of mode 3: a typing area above the custom words list view, one row per custom word,
// sortable by a click on a column heading on the column sort flags shared with the detailed
// statistics list.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "common/fit.h"
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
#include "typing/keyboard_guide.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace {

constexpr int kWindowWidth = 560, kWindowHeight = 820;
constexpr int kSupportLinkX = 400;  // toolbar x of the support link
// The program keeps the rows (g_Training.customRows); the list view asks for what it shows.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA;
constexpr int kX = 25, kWidth = 500;
constexpr int kAreaY = 60, kAreaHeight = 200;
constexpr int kListY = 280, kListHeight = 435;
constexpr int kAreaLeast = 64, kListLeast = 120, kBottomMargin = 10;
struct ColumnInfo {
  int width;
  int format;
};
constexpr ColumnInfo kColumns[kSortColumns] = {
    {100, LVCFMT_LEFT}, {60, LVCFMT_CENTER}, {80, LVCFMT_CENTER}, {80, LVCFMT_CENTER}, {80, LVCFMT_CENTER}};

// A typed custom word shows its figures in its row.
const TypingAreaHooks kTypingHooks = {.wordRowChanged = Mode3_UpdateWordRow};

// The typing area's font and the list's (the system's list font, made for the DPI); the previous
// ones are deleted once no control uses them.
HFONT s_Font = nullptr;
HFONT s_ListFont = nullptr;
int s_FontDpi = 0;  // the DPI they were made for

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

void App_SetListColumns() {
  if (g_Training.customList) LayOutColumns(g_Training.customList, false);
}

namespace {

// The column from the top of the client area: the typing area, the list, the keyboard.
enum Part { kTopPart, kAreaPart, kBetweenPart, kListPart, kKeyboardGapPart, kKeyboardPart, kPartCount };
void Column(FitPart* parts) {
  parts[kTopPart] = {kAreaY, kAreaY};
  parts[kAreaPart] = {kAreaHeight, kAreaLeast};
  parts[kBetweenPart] = {kListY - kAreaY - kAreaHeight, kListY - kAreaY - kAreaHeight};
  parts[kListPart] = {kListHeight, kListLeast};
  App_KeyboardParts(kWidth, &parts[kKeyboardGapPart]);
}

int LeastRoom() {
  FitPart parts[kPartCount];
  Column(parts);
  return Fit_Least(parts, kPartCount) + kBottomMargin;
}

void LayOut() {
  HFONT previous = nullptr, previousList = nullptr;
  const int dpi = App_WindowDpi(g_App.mainWindow);
  const bool remade = !s_Font || s_FontDpi != dpi;
  if (remade) {
    previous = s_Font;
    previousList = s_ListFont;
    s_Font = App_MakeTextFont(g_App.mainWindow, 20);
    s_ListFont = App_ListFont(g_App.mainWindow);
    s_FontDpi = dpi;
  }
  FitPart parts[kPartCount];
  Column(parts);
  int heights[kPartCount];
  Fit_Column(parts, kPartCount, App_ScreenRoom() - kBottomMargin, heights);
  const int listY = kAreaY + heights[kAreaPart] + heights[kBetweenPart];
  App_PlaceControl(g_Training.customTypingArea, kX, kAreaY, kWidth, heights[kAreaPart], s_Font);
  App_PlaceControl(g_Training.customList, kX, listY, kWidth, heights[kListPart], s_ListFont);
  App_PlaceKeyboardView(kX, listY + heights[kListPart] + heights[kKeyboardGapPart], kWidth, heights[kKeyboardPart]);
  // The headings' widths follow the list's font.
  if (remade) App_SetListColumns();
  if (previous) DeleteObject(previous);
  if (previousList) DeleteObject(previousList);
}

// The keyboard shows the next letter of the custom word being typed.
void GuideKeyboard() {
  const Text16 word = App_GetWordInProgress(g_Training.customTypingArea);
  const CustomWordRecord* target = word.empty() ? nullptr : Mode3_FirstWordWithPrefix(word);
  App_GuideKeyboard(Keyboard_NextInWord(word, target ? target->word : Text16()), 0);
}

}  // namespace

void Mode3_BuildScreen(int) {
  g_Training.customTypingArea = App_MakeTypingArea(kTypingHooks);

  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  g_Training.customList = App_CreateChild(WC_LISTVIEWW, kListStyle, IDC_CUSTOM_LIST);
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
void ForgetScreen() { g_Training = TrainingScreen(); }
SIZE WindowSize() { return {kWindowWidth, kWindowHeight + App_KeyboardBlock(kWidth)}; }
int SupportLinkX() { return kSupportLinkX; }

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
    .mode = kModeCustom,
    .windowSize = WindowSize,
    .leastRoom = LeastRoom,
    .supportLinkX = SupportLinkX,
    .build = Mode3_BuildScreen,
    .relabel = Relabel,
    .retitles = true,
    .forget = ForgetScreen,
    .typingArea = TypingArea,
    .notify = OnNotify,
    .typingChanged = GuideKeyboard,
    .layout = LayOut,
};
