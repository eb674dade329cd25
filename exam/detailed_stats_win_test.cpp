// The detailed statistics window on a real main window: opening and closing through command 405,
// its rows, sorting, check boxes, the custom list it writes, its colours and the colour legend;
// and the shared column comparison.
#include <algorithm>
#include <limits>
#include <map>

#include "app/app.h"
#include "app/window_win.h"
#include "app/screens_win.h"
#include "app/list_sort.h"
#include "app/main_window_win.h"
#include "app/toolbar_win.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "exam/detailed_stats_win.h"
#include "exam/exam_screen_win.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace kftest {
namespace {

// ---- The shared column comparison --------------------------------------------------------------

class CompareFloatsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = g_SortFlags; }
  void TearDown() override { g_SortFlags = saved_; }
  SortFlags saved_;
};

TEST_F(CompareFloatsTest, FlagZeroAscendsAnyOtherValueDescends) {
  g_SortFlags = SortFlags();
  EXPECT_EQ(App_CompareFloats(2.0, 1.0, 1), 1);
  EXPECT_EQ(App_CompareFloats(1.0, 2.0, 1), -1);
  EXPECT_EQ(App_CompareFloats(1.5, 1.5, 1), 0);
  g_SortFlags.column[1] = 1;
  EXPECT_EQ(App_CompareFloats(2.0, 1.0, 1), -1);
  EXPECT_EQ(App_CompareFloats(1.0, 2.0, 1), 1);
  EXPECT_EQ(App_CompareFloats(1.5, 1.5, 1), 0);
  g_SortFlags.column[1] = -7;  // any non-zero value descends
  EXPECT_EQ(App_CompareFloats(2.0, 1.0, 1), -1);
  // Each column reads its own flag.
  EXPECT_EQ(App_CompareFloats(2.0, 1.0, 2), 1);
}

TEST_F(CompareFloatsTest, ValuesThatDoNotCompareAreEqual) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int16_t flag : {0, 1}) {
    g_SortFlags.column[2] = flag;
    EXPECT_EQ(App_CompareFloats(nan, 1.0, 2), 0);
    EXPECT_EQ(App_CompareFloats(1.0, nan, 2), 0);
    EXPECT_EQ(App_CompareFloats(nan, nan, 2), 0);
    EXPECT_EQ(App_CompareFloats(inf, 1.0, 2), flag ? -1 : 1);
  }
}

TEST_F(CompareFloatsTest, FlipTogglesOneColumnOnly) {
  g_SortFlags = SortFlags();
  App_FlipSortFlag(3);
  EXPECT_EQ(g_SortFlags.column[3], 1);
  App_FlipSortFlag(3);
  EXPECT_EQ(g_SortFlags.column[3], 0);
  g_SortFlags.column[0] = 5;
  App_FlipSortFlag(0);
  EXPECT_EQ(g_SortFlags.column[0], 0);
  for (int c : {1, 2, 4}) EXPECT_EQ(g_SortFlags.column[c], 0);
  // A column without a flag changes nothing.
  App_FlipSortFlag(-1);
  App_FlipSortFlag(kSortColumns);
  for (int c = 0; c < kSortColumns; ++c) EXPECT_EQ(g_SortFlags.column[c], 0);
  EXPECT_EQ(App_CompareFloats(2.0, 1.0, kSortColumns), 1);
}

// ---- The window ---------------------------------------------------------------------------------

struct DialogCall {
  int calls = 0;
  LPCWSTR name = nullptr;
  HWND owner = nullptr;
  DLGPROC proc = nullptr;
  std::wstring title;
  std::map<int, std::wstring> texts;
  std::map<int, INT_PTR> brushes;  // what the dialog answers WM_CTLCOLORSTATIC with, per static
  std::map<int, COLORREF> swatchColors;  // the colour of each of those brushes
  INT_PTR okResult = -1;
};
DialogCall g_Dialog;

COLORREF BrushColor(INT_PTR brush) {
  LOGBRUSH lb = {};
  if (!brush || !GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb)) return 0xFFFFFFFF;
  return lb.lbColor;
}

// Builds the legend from its template without a modal loop, looks at it and presses OK.
INT_PTR WINAPI InspectLegend(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  ++g_Dialog.calls;
  g_Dialog.name = name;
  g_Dialog.owner = owner;
  g_Dialog.proc = proc;
  HWND dialog = CreateDialogParamW(instance, name, owner, proc, param);
  if (!dialog) return -1;
  g_Dialog.title = WindowText(dialog);
  HDC dc = GetDC(dialog);
  for (int id = IDC_LEGEND_LH_TEXT; id <= IDC_LEGEND_CUSTOM_COLOR; ++id) {
    HWND control = GetDlgItem(dialog, id);
    g_Dialog.texts[id] = WindowText(control);
    g_Dialog.brushes[id] =
        proc(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    g_Dialog.swatchColors[id] = BrushColor(g_Dialog.brushes[id]);
  }
  ReleaseDC(dialog, dc);
  g_Dialog.okResult = proc(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  DestroyWindow(dialog);
  return IDOK;
}

class DetailedStatsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    savedFlags_ = g_SortFlags;
    g_SortFlags = SortFlags();
    g_Dialog = DialogCall();
  }
  void TearDown() override {
    g_DialogBoxParam = DialogBoxParamW;
    g_SortFlags = savedFlags_;
    MainWindowTest::TearDown();
  }

  void WriteSample(const wchar_t* lang, const std::u16string& text) {
    ASSERT_TRUE(WriteBytes(dir_ + L"\\" + lang + L"\\Tests\\Sample_Unicode.txt", SampleBytes(text)));
  }
  std::wstring CustomListPath(const wchar_t* lang) const {
    return dir_ + L"\\" + lang + L"\\Training Words\\Custom_Words.dat";
  }

  // Gives the first record of `word` a finished typing.
  static void Type(const Text16& word, float seconds, int16_t errors) {
    const auto record = std::find_if(g_Words.testWords.begin(), g_Words.testWords.end(),
                                     [&](const TestWordRecord& r) { return r.word == word; });
    ASSERT_NE(record, g_Words.testWords.end()) << Wide(word);
    const size_t i = static_cast<size_t>(record - g_Words.testWords.begin());
    g_Words.testWords[i].seconds = seconds;
    g_Words.testWords[i].errors = errors;
  }

  static HWND Stats() { return Mode4_DetailedStatsWindow(); }
  static HWND List() { return GetDlgItem(Mode4_DetailedStatsWindow(), IDC_DS_LIST); }
  static int Rows() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
  static std::vector<std::wstring> Column(int column) {
    std::vector<std::wstring> cells;
    for (int row = 0; row < Rows(); ++row) cells.push_back(ListCell(List(), row, column));
    return cells;
  }
  static LPARAM ItemData(int row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
  }
  static UINT CheckState(int row) {
    return static_cast<UINT>(SendMessageW(List(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) >> 12;
  }
  static void SetChecked(int row, bool checked) {
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
  static int RowOf(const std::wstring& word) {
    const std::vector<std::wstring> words = Column(0);
    for (size_t i = 0; i < words.size(); ++i)
      if (words[i] == word) return static_cast<int>(i);
    ADD_FAILURE() << "no row for " << word;
    return -1;
  }
  // A click on a column heading, as the list reports it.
  static void ClickColumn(int column) {
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = List();
    click.hdr.idFrom = IDC_DS_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(Stats(), WM_NOTIFY, IDC_DS_LIST, reinterpret_cast<LPARAM>(&click));
  }
  static void Press(int button) {
    SendMessageW(Stats(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(Stats(), button)));
  }
  // Opens the window with the statistics button as a completed test leaves it.
  static void Open() {
    g_Tests.stopped = true;
    g_Tests.lastCompleted = true;
    App_UpdateCommands();
    Command(IDT_STATISTICS);
    PumpMessages();
    ASSERT_NE(Mode4_DetailedStatsWindow(), nullptr);
    ASSERT_TRUE(IsWindow(Mode4_DetailedStatsWindow()));
  }

  SortFlags savedFlags_;
};

// Windows made while the hook is installed, top-level and children alike.
struct Made {
  std::wstring className;
  HWND parent;
  int id;
  DWORD style;
};
std::vector<Made> g_Made;
LRESULT CALLBACK RecordMade(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    std::wstring name = IS_INTRESOURCE(cs->lpszClass) ? L"#" : cs->lpszClass;
    name = name.substr(name.find(L'!') + 1);
    g_Made.push_back({name, cs->hwndParent, static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu)),
                      static_cast<DWORD>(cs->style)});
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(DetailedStatsTest, OpensDockedBesideTheCentredMainWindow) {
  OpenMainWindow(4, 1);
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_CLOSED);
  g_Made.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, RecordMade, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  Open();
  UnhookWindowsHookEx(hook);

  HWND stats = Stats();
  EXPECT_EQ(ClassName(stats), L"DetailedStats");
  EXPECT_EQ(WindowText(stats), L"Detailed Statistics");
  EXPECT_EQ(GetWindow(stats, GW_OWNER), nullptr);
  EXPECT_EQ(GetMenu(stats), nullptr);
  EXPECT_TRUE(IsWindowVisible(stats));
  const LONG style = GetWindowLongW(stats, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD), static_cast<LONG>(WS_POPUP | WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_OPEN);
  EXPECT_FALSE(Grayed(IDM_DETAILED_STATS));  // F8 closes it as the button does

  HWND list = List();
  const RECT listRect = RectIn(list, stats);
  const int listWidth = listRect.right - listRect.left;
  const RECT main = WindowRect(g_App.mainWindow);
  const RECT own = WindowRect(stats);
  const int width = own.right - own.left;
  EXPECT_EQ(own.left, main.right);
  EXPECT_EQ(own.top, main.top + 77);
  // 325 wide with a 300-pixel list; wider by as much as the list needs for its columns.
  EXPECT_EQ(width, 325 + listWidth - 300);
  EXPECT_EQ(own.bottom - own.top, 703);
  // The main window and this one are centred together.
  App_CenterWindow(g_App.mainWindow, GetDesktopWindow(), 0);
  const RECT centred = WindowRect(g_App.mainWindow);
  EXPECT_EQ(main.left, centred.left - width / 2);
  EXPECT_EQ(main.top, centred.top);
  // Moving the main window takes the statistics window along.
  SetWindowPos(g_App.mainWindow, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const RECT moved = WindowRect(stats);
  EXPECT_EQ(moved.left, WindowRect(g_App.mainWindow).right);
  EXPECT_EQ(moved.top, 30 + 77);

  // The list and the two buttons, in this order, with their styles.
  std::vector<Made> children;
  for (const Made& m : g_Made)
    if (m.parent == stats) children.push_back(m);
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(lstrcmpiW(children[0].className.c_str(), WC_LISTVIEWW), 0);
  EXPECT_EQ(children[0].id, IDC_DS_LIST);
  EXPECT_EQ(children[0].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT));
  for (size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(lstrcmpiW(children[i].className.c_str(), L"BUTTON"), 0);
    EXPECT_EQ(children[i].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_BORDER));
  }
  EXPECT_EQ(children[1].id, IDC_DS_CREATE_LIST);
  EXPECT_EQ(children[2].id, IDC_DS_CHECK_ALL);

  EXPECT_EQ(listRect.left, 10);
  EXPECT_EQ(listRect.top, 10);
  EXPECT_GE(listWidth, 300);
  EXPECT_EQ(listRect.bottom - listRect.top, 600);
  const DWORD extended = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
            static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));

  // Each column as wide as given, or as its heading needs ("Typing Errors" does not fit in 60),
  // and all of them beside a vertical scroll bar inside the list: no horizontal scroll bar.
  const wchar_t* headings[4] = {L"Word", L"Length", L"Speed", L"Typing Errors"};
  const int widths[4] = {100, 60, 80, 60};
  int columnsWidth = 0;
  for (int c = 0; c < 4; ++c) {
    wchar_t text[64] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column))) << c;
    EXPECT_STREQ(text, headings[c]);
    const int textWidth = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    EXPECT_EQ(column.cx, std::max(widths[c], textWidth + 6 * GetSystemMetrics(SM_CXEDGE))) << c;
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, c == 0 ? LVCFMT_LEFT : LVCFMT_CENTER) << c;
    columnsWidth += column.cx;
  }
  EXPECT_GT(columnsWidth, 300);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_LE(columnsWidth + GetSystemMetrics(SM_CXVSCROLL), client.right);
  EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);

  struct { int id; int x; const wchar_t* text; } buttons[] = {
      {IDC_DS_CREATE_LIST, 20, L"Create Custom List"}, {IDC_DS_CHECK_ALL, 165, L"Check All"}};
  for (const auto& b : buttons) {
    HWND button = GetDlgItem(stats, b.id);
    ASSERT_NE(button, nullptr);
    const RECT rc = RectIn(button, stats);
    EXPECT_EQ(rc.left, b.x);
    EXPECT_EQ(rc.top, 625);
    EXPECT_EQ(rc.right - rc.left, 135);
    EXPECT_EQ(rc.bottom - rc.top, 30);
    EXPECT_EQ(WindowText(button), b.text);
    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, 16);
  }
}

TEST_F(DetailedStatsTest, TwiceAndTheCloseBoxBothClose) {
  OpenMainWindow(4, 1);
  Open();
  HWND first = Stats();
  Command(IDT_STATISTICS);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_CLOSED);
  EXPECT_FALSE(Grayed(IDM_DETAILED_STATS));

  // F8 through the menu item's forwarding opens it again.
  Command(IDM_DETAILED_STATS);
  HWND second = Stats();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_OPEN);
  EXPECT_FALSE(Grayed(IDM_DETAILED_STATS));

  SendMessageW(second, WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_CLOSED);
  EXPECT_FALSE(Grayed(IDM_DETAILED_STATS));

  // With the window gone, moving the main window touches nothing.
  SetWindowPos(g_App.mainWindow, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
}

// On a monitor of another scale the window takes the place Windows suggests and keeps its rows,
// its list and its buttons where the DPI puts them (here still 96: where they were).
TEST_F(DetailedStatsTest, DpiChangeKeepsTheRowsAndPlacesTheControlsAgain) {
  WriteSample(L"EN", u"quick brown");
  OpenMainWindow(4, 1);
  Type(u"quick", 1.0f, 0);
  Open();
  HWND stats = Stats();
  ASSERT_EQ(Rows(), 1);
  const RECT listBefore = RectIn(List(), stats);
  const RECT frame = WindowRect(stats);
  RECT suggested = {frame.left + 30, frame.top + 20, frame.right + 30, frame.bottom + 20};
  SendMessageW(stats, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(Rows(), 1);
  const RECT listAfter = RectIn(List(), stats);
  EXPECT_TRUE(EqualRect(&listBefore, &listAfter));
  const RECT moved = WindowRect(stats);
  EXPECT_EQ(moved.left, suggested.left);
  EXPECT_EQ(moved.top, suggested.top);
  EXPECT_EQ(moved.right - moved.left, frame.right - frame.left) << "its width follows the columns again";
  HWND button = GetDlgItem(stats, IDC_DS_CHECK_ALL);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof(LOGFONTW), nullptr))
      << "the buttons keep a font that exists";
}

TEST_F(DetailedStatsTest, TestsScreenRebuildEmptiesTheWindowButKeepsIt) {
  WriteSample(L"EN", u"quick brown");
  OpenMainWindow(4, 1);
  Type(u"quick", 1.0f, 0);
  Open();
  HWND stats = Stats();
  ASSERT_EQ(Rows(), 1);
  App_ShowScreen(kModeTests);  // as a language switch rebuilds it
  EXPECT_TRUE(IsWindow(stats));
  EXPECT_EQ(Mode4_DetailedStatsWindow(), stats);
  EXPECT_EQ(GetWindow(stats, GW_CHILD), nullptr);
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_OPEN);
  // The buttons went with the list: a stray Create Custom List writes nothing.
  SendMessageW(stats, WM_COMMAND, IDC_DS_CREATE_LIST, 0);
  EXPECT_EQ(GetFileAttributesW(CustomListPath(L"EN").c_str()), INVALID_FILE_ATTRIBUTES);
  // The command closes the empty window as usual.
  Command(IDT_STATISTICS);
  EXPECT_FALSE(IsWindow(stats));
  EXPECT_EQ(ButtonImage(IDT_STATISTICS), IMG_STATS_CLOSED);
}

// The window docks at the main window's right edge, 77 pixels below its top, and follows the main
// window inside the work area: moved against the right edge, it is pushed back onto the screen.
TEST_F(DetailedStatsTest, TheWindowDocksBesideTheMainWindowInsideTheWorkArea) {
  Mode4_EmptyDetailedStatsWindow();  // no window: nothing to do
  OpenMainWindow(4, 1);
  Open();
  HWND stats = Stats();
  const RECT work = WorkArea();
  RECT main = WindowRect(g_App.mainWindow);
  RECT own = WindowRect(stats);
  EXPECT_EQ(own.left, main.right);
  EXPECT_EQ(own.top, std::min<LONG>(main.top + 77, work.bottom - (own.bottom - own.top)));
  SetWindowPos(g_App.mainWindow, nullptr, work.right - (main.right - main.left), main.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  own = WindowRect(stats);
  EXPECT_GE(own.left, work.left);
  EXPECT_LE(own.right, work.right);
  EXPECT_LE(own.bottom, work.bottom);
}

TEST_F(DetailedStatsTest, RowsForTypedWordsLongerThanOneLetterLongestFirst) {
  WriteSample(L"EN", u"the cat a the lazy dogs x");
  OpenMainWindow(4, 1);
  Type(u"the", 0.6f, 1);
  Type(u"cat", 0.9f, 0);
  Type(u"a", 0.3f, 0);
  Type(u"dogs", 1.2f, 0);
  Type(u"x", 0.2f, 2);
  Open();
  ASSERT_EQ(Rows(), 3);
  const std::vector<std::wstring> words = Column(0);
  EXPECT_EQ(words[0], L"dogs");
  EXPECT_TRUE((words[1] == L"the" && words[2] == L"cat") || (words[1] == L"cat" && words[2] == L"the"));
  EXPECT_EQ(ListCell(List(), 0, 1), L"4");
  EXPECT_EQ(ListCell(List(), 0, 2), L"1.20 (0.40)");
  EXPECT_EQ(ListCell(List(), 0, 3), L"0");
  const int the = RowOf(L"the");
  EXPECT_EQ(ListCell(List(), the, 2), L"0.60 (0.30)");
  EXPECT_EQ(ListCell(List(), the, 3), L"1");
  // Item data is the word's place in the text; the second "the" (place 3) was never typed.
  EXPECT_EQ(ItemData(the), 0);
  EXPECT_EQ(ItemData(0), 5);
  EXPECT_EQ(ItemData(RowOf(L"cat")), 1);
  // New rows start unchecked.
  for (int row = 0; row < Rows(); ++row) EXPECT_EQ(CheckState(row), 1u) << row;
  // The table itself keeps the order of the text.
  for (size_t i = 0; i < g_Words.testWords.size(); ++i) EXPECT_EQ(g_Words.testWords[i].index, static_cast<int16_t>(i));
}

TEST_F(DetailedStatsTest, ReopeningRebuildsFromTheTableAsItStands) {
  WriteSample(L"EN", u"quick brown fox");
  OpenMainWindow(4, 1);
  Type(u"quick", 1.0f, 0);
  Open();
  EXPECT_EQ(Rows(), 1);
  Type(u"fox", 0.5f, 3);  // typing while open does not refresh it
  EXPECT_EQ(Rows(), 1);
  Command(IDT_STATISTICS);
  Open();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(ListCell(List(), RowOf(L"fox"), 3), L"3");
}

TEST_F(DetailedStatsTest, SpeedSortsByTimePerStepDescendingThenAscending) {
  WriteSample(L"EN", u"ab abcde abc abcdefghi");
  OpenMainWindow(4, 1);
  Type(u"ab", 0.5f, 0);          // 0.50 per step, 0.50 in all
  Type(u"abcde", 1.0f, 0);       // 0.25 per step, 1.00 in all
  Type(u"abc", 1.8f, 0);         // 0.90 per step
  Type(u"abcdefghi", 2.4f, 0);   // 0.30 per step, the most seconds in all
  Open();
  ClickColumn(2);
  EXPECT_EQ(g_SortFlags.column[2], 1);
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"abc", L"ab", L"abcdefghi", L"abcde"}));
  ClickColumn(2);
  EXPECT_EQ(g_SortFlags.column[2], 0);
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"abcde", L"abcdefghi", L"ab", L"abc"}));
  // Rows keep their cells and their item data while they move.
  const int abc = RowOf(L"abc");
  EXPECT_EQ(ListCell(List(), abc, 2), L"1.80 (0.90)");
  EXPECT_EQ(ItemData(abc), 2);
}

TEST_F(DetailedStatsTest, LengthAndErrorsSortOnFlagsSharedWithTheCustomWordsList) {
  WriteSample(L"EN", u"ab abcde abc abcd");
  OpenMainWindow(4, 1);
  Type(u"ab", 0.5f, 2);
  Type(u"abcde", 1.0f, 0);
  Type(u"abc", 1.0f, 10);
  Type(u"abcd", 1.0f, 1);
  Open();
  // The custom words list's Length column (also index 1) was clicked once before.
  g_SortFlags.column[1] = 1;
  ClickColumn(1);
  EXPECT_EQ(g_SortFlags.column[1], 0);
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"ab", L"abc", L"abcd", L"abcde"}));
  ClickColumn(1);
  EXPECT_EQ(g_SortFlags.column[1], 1);
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"abcde", L"abcd", L"abc", L"ab"}));
  // Errors compare as numbers: 10 is more than 2.
  ClickColumn(3);
  EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"10", L"2", L"1", L"0"}));
  ClickColumn(3);
  EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"0", L"1", L"2", L"10"}));
  // The word column flips its flag but compares every pair equal: all rows stay.
  ClickColumn(0);
  EXPECT_EQ(g_SortFlags.column[0], 1);
  EXPECT_EQ(Rows(), 4);
}

TEST_F(DetailedStatsTest, CheckAllChecksEveryRow) {
  WriteSample(L"EN", u"ab abc abcd");
  OpenMainWindow(4, 1);
  Type(u"ab", 0.5f, 0);
  Type(u"abc", 0.5f, 0);
  Type(u"abcd", 0.5f, 0);
  Open();
  SetChecked(1, true);
  Press(IDC_DS_CHECK_ALL);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(CheckState(row), 2u) << row;
  Press(IDC_DS_CHECK_ALL);  // pressed again it unchecks nothing
  for (int row = 0; row < 3; ++row) EXPECT_EQ(CheckState(row), 2u) << row;
}

TEST_F(DetailedStatsTest, CustomListHoldsCheckedWordsInDisplayOrderAsUtf8) {
  WriteSample(L"FR", u"été brun garçon café");
  OpenMainWindow(4, 2);
  Type(u"été", 0.9f, 0);     // 0.45 per step
  Type(u"brun", 0.3f, 0);    // 0.10
  Type(u"garçon", 2.0f, 1);  // 0.40
  Type(u"café", 1.5f, 0);    // 0.50
  Open();
  EXPECT_EQ(WindowText(Stats()), L"Statistique détaillée");
  EXPECT_EQ(WindowText(GetDlgItem(Stats(), IDC_DS_CREATE_LIST)), L"Créer la liste");
  ClickColumn(2);  // per step, largest first: café, été, garçon, brun
  ASSERT_EQ(Column(0), (std::vector<std::wstring>{L"café", L"été", L"garçon", L"brun"}));
  SetChecked(RowOf(L"garçon"), true);
  SetChecked(RowOf(L"café"), true);
  SetChecked(RowOf(L"brun"), true);
  g_Settings.Debug = 1;
  Press(IDC_DS_CREATE_LIST);
  g_Settings.Debug = 0;
  EXPECT_EQ(ReadBytes(CustomListPath(L"FR")), "caf\xC3\xA9\r\ngar\xC3\xA7on\r\nbrun\r\n");
  // The other languages' lists are not touched.
  EXPECT_EQ(GetFileAttributesW(CustomListPath(L"EN").c_str()), INVALID_FILE_ATTRIBUTES);
  const std::string trace = ReadBytes(dir_ + L"\\TraceFile.txt");
  const size_t entered = trace.find("Mode4_CreateCustomList Entered\r\n");
  ASSERT_NE(entered, std::string::npos) << trace;
  EXPECT_NE(trace.find("Mode4_CreateCustomList Exited\r\n", entered), std::string::npos) << trace;
  EXPECT_TRUE(g_ShownMessages.empty());
  // Nothing but the list itself is left in the folder.
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir_ + L"\\FR\\Training Words\\*").c_str(), &fd);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  std::vector<std::wstring> names;
  do {
    if (fd.cFileName[0] != L'.') names.push_back(fd.cFileName);
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  EXPECT_EQ(std::count(names.begin(), names.end(), L"Custom_Words.dat"), 1);
  EXPECT_EQ(names.size(), 5u);  // the four installed lists and the custom list
}

TEST_F(DetailedStatsTest, NothingCheckedLeavesAnEmptyList) {
  WriteSample(L"EN", u"quick brown");
  WriteList(L"EN", L"Custom_Words.dat", "older\r\nwords\r\n");
  OpenMainWindow(4, 1);
  Type(u"quick", 1.0f, 0);
  Open();
  Press(IDC_DS_CREATE_LIST);
  const std::wstring path = CustomListPath(L"EN");
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadBytes(path), "");
}

// The one message a failed write shows: over the statistics window, naming the list's file and
// the system's reason after it.
void ExpectWriteFailureMessage(const std::wstring& path) {
  ASSERT_EQ(g_ShownMessages.size(), 1u);
  EXPECT_EQ(g_ShownMessages[0].owner, Mode4_DetailedStatsWindow());
  const size_t at = g_ShownMessages[0].text.find(path);
  ASSERT_NE(at, std::wstring::npos) << g_ShownMessages[0].text;
  EXPECT_GT(g_ShownMessages[0].text.size(), at + path.size() + 4);
  g_ShownMessages.clear();
}

TEST_F(DetailedStatsTest, AListThatCannotBeReplacedStaysAsItWasAndTheUserIsTold) {
  WriteSample(L"EN", u"quick brown");
  WriteList(L"EN", L"Custom_Words.dat", "older\r\nwords\r\n");
  OpenMainWindow(4, 1);
  Type(u"quick", 1.0f, 0);
  Open();
  Press(IDC_DS_CHECK_ALL);
  // Another program holds the list open and lets nobody delete or rename it.
  const std::wstring path = CustomListPath(L"EN");
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Press(IDC_DS_CREATE_LIST);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(path), "older\r\nwords\r\n");
  ExpectWriteFailureMessage(path);
  // The user made the list read-only: it keeps its words and its attribute.
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  Press(IDC_DS_CREATE_LIST);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ReadBytes(path), "older\r\nwords\r\n");
  ExpectWriteFailureMessage(path);
  // Once free, the list is written as usual, without a word.
  Press(IDC_DS_CREATE_LIST);
  EXPECT_EQ(ReadBytes(path), "quick\r\n");
  EXPECT_TRUE(g_ShownMessages.empty());
}

TEST_F(DetailedStatsTest, MissingLanguageFolderWritesNothingAndTellsTheUser) {
  WriteSample(L"RU", u"лиса прыгает");
  OpenMainWindow(4, 3);
  Type(u"лиса", 1.0f, 0);
  Open();
  Press(IDC_DS_CHECK_ALL);
  RemoveTree(dir_ + L"\\RU\\Training Words");
  Press(IDC_DS_CREATE_LIST);
  EXPECT_EQ(GetFileAttributesW((dir_ + L"\\RU\\Training Words").c_str()), INVALID_FILE_ATTRIBUTES);
  ExpectWriteFailureMessage(dir_ + L"\\RU\\Training Words\\Custom_Words.dat");
  // With the folder back, the word is written in UTF-8.
  ASSERT_TRUE(CreateDirectoryW((dir_ + L"\\RU\\Training Words").c_str(), nullptr));
  Press(IDC_DS_CREATE_LIST);
  EXPECT_EQ(ReadBytes(CustomListPath(L"RU")), "\xD0\xBB\xD0\xB8\xD1\x81\xD0\xB0\r\n");
}

// The custom draw the list asks its parent for, for one cell.
struct DrawResult {
  LRESULT result;
  COLORREF background;
};
DrawResult DrawCell(HWND list, DWORD stage, int row, int column, LPARAM data) {
  NMLVCUSTOMDRAW draw = {};
  draw.nmcd.hdr.hwndFrom = list;
  draw.nmcd.hdr.idFrom = IDC_DS_LIST;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = stage;
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
  draw.nmcd.lItemlParam = data;
  draw.iSubItem = column;
  draw.clrTextBk = 0x00ABCDEF;
  const LRESULT result = SendMessageW(GetParent(list), WM_NOTIFY, IDC_DS_LIST, reinterpret_cast<LPARAM>(&draw));
  return {result, draw.clrTextBk};
}

TEST_F(DetailedStatsTest, CellColoursFollowRowsAndWordClasses) {
  WriteSample(L"EN", u"sweater monopoly wash hose table x1y2");
  WriteList(L"EN", L"Custom_Words.dat", "tables\r\n");
  OpenMainWindow(4, 1);
  // Distinct colours, so that each use can be told apart.
  g_Settings.DS_InterlacedColor = RGB(1, 2, 3);
  g_Settings.DS_LHColor = RGB(10, 0, 0);
  g_Settings.DS_RHColor = RGB(20, 0, 0);
  g_Settings.DS_L2RColor = RGB(30, 0, 0);
  g_Settings.DS_R2LColor = RGB(40, 0, 0);
  for (const char16_t* word : {u"sweater", u"monopoly", u"wash", u"hose", u"table", u"x1y2"}) Type(word, 1.0f, 0);
  Open();
  ASSERT_EQ(Rows(), 6);
  const std::map<std::wstring, COLORREF> wordColor = {
      {L"sweater", RGB(10, 0, 0)}, {L"monopoly", RGB(20, 0, 0)},    {L"wash", RGB(30, 0, 0)},
      {L"hose", RGB(40, 0, 0)},    {L"table", RGB(255, 215, 174)},
  };
  HWND list = List();
  EXPECT_EQ(DrawCell(list, CDDS_PREPAINT, 0, 0, 0).result, CDRF_NOTIFYSUBITEMDRAW);
  EXPECT_EQ(DrawCell(list, CDDS_ITEMPREPAINT, 0, 0, ItemData(0)).result, CDRF_NOTIFYSUBITEMDRAW);
  for (int row = 0; row < Rows(); ++row) {
    const COLORREF rowColor = row % 2 == 0 ? RGB(255, 255, 255) : RGB(1, 2, 3);
    const std::wstring word = ListCell(list, row, 0);
    for (int column = 0; column < 4; ++column) {
      const DrawResult cell = DrawCell(list, CDDS_SUBITEM | CDDS_ITEMPREPAINT, row, column, ItemData(row));
      EXPECT_EQ(cell.result, CDRF_DODEFAULT);
      COLORREF expected = rowColor;
      if (column == 0 && wordColor.count(word)) expected = wordColor.at(word);
      EXPECT_EQ(cell.background, expected) << word << " column " << column;
    }
  }
  // Other notifications of the list change nothing and return 0.
  NMHDR other = {List(), IDC_DS_LIST, static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(SendMessageW(Stats(), WM_NOTIFY, IDC_DS_LIST, reinterpret_cast<LPARAM>(&other)), 0);
  EXPECT_EQ(g_Dialog.calls, 0);
}

// A pixel of a painted cell, near its right edge (off the check box, the text and the grid).
COLORREF CellPixel(HWND list, int row, int column) {
  RECT cell = {};
  cell.top = column;
  cell.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  if (column == 0) {
    // The word's own cell ends where column 1 begins.
    RECT next = {};
    next.top = 1;
    next.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&next));
    cell.right = next.left;
  }
  HDC dc = GetDC(list);
  const COLORREF pixel = GetPixel(dc, cell.right - 4, (cell.top + cell.bottom) / 2);
  ReleaseDC(list, dc);
  return pixel;
}

TEST_F(DetailedStatsTest, PaintedRowsShowTheirColours) {
  WriteSample(L"EN", u"sweater wash hose");
  OpenMainWindow(4, 1);
  g_Settings.DS_InterlacedColor = RGB(0, 0, 200);
  g_Settings.DS_LHColor = RGB(200, 0, 0);
  g_Settings.DS_L2RColor = RGB(0, 200, 0);
  g_Settings.DS_R2LColor = RGB(200, 200, 0);
  for (const char16_t* word : {u"sweater", u"wash", u"hose"}) Type(word, 1.0f, 0);
  Open();
  ASSERT_EQ(Rows(), 3);
  ASSERT_EQ(ListCell(List(), 0, 0), L"sweater");
  RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  EXPECT_EQ(CellPixel(List(), 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(CellPixel(List(), 0, 1), RGB(255, 255, 255));
  EXPECT_EQ(CellPixel(List(), 1, 1), RGB(0, 0, 200));
  EXPECT_EQ(CellPixel(List(), 2, 3), RGB(255, 255, 255));
  const COLORREF second = ListCell(List(), 1, 0) == L"wash" ? RGB(0, 200, 0) : RGB(200, 200, 0);
  EXPECT_EQ(CellPixel(List(), 1, 0), second);
}

TEST_F(DetailedStatsTest, DoubleClickShowsTheColourLegend) {
  OpenMainWindow(4, 1);
  g_Settings.DS_LHColor = RGB(10, 0, 0);
  g_Settings.DS_RHColor = RGB(20, 0, 0);
  g_Settings.DS_L2RColor = RGB(30, 0, 0);
  g_Settings.DS_R2LColor = RGB(40, 0, 0);
  Open();
  g_DialogBoxParam = InspectLegend;
  NMITEMACTIVATE click = {};
  click.hdr = {List(), IDC_DS_LIST, static_cast<UINT>(NM_DBLCLK)};
  click.iItem = -1;
  EXPECT_EQ(SendMessageW(Stats(), WM_NOTIFY, IDC_DS_LIST, reinterpret_cast<LPARAM>(&click)), 0);
  ASSERT_EQ(g_Dialog.calls, 1);
  EXPECT_EQ(g_Dialog.name, MAKEINTRESOURCEW(IDD_COLOR_LEGEND));
  EXPECT_EQ(g_Dialog.owner, Stats());
  EXPECT_EQ(g_Dialog.proc, Mode4_ColorLegendProc);
  EXPECT_EQ(g_Dialog.title, L"Color Legend");
  EXPECT_EQ(g_Dialog.texts[IDC_LEGEND_CUSTOM_TEXT], L"Custom Words: ");
  EXPECT_EQ(g_Dialog.texts[IDC_LEGEND_LH_TEXT], L"LH Words: ");
  EXPECT_EQ(g_Dialog.texts[IDC_LEGEND_L2R_TEXT], L"L2R Words: ");
  EXPECT_EQ(g_Dialog.texts[IDC_LEGEND_R2L_TEXT], L"R2L Words:  ");
  EXPECT_EQ(g_Dialog.texts[IDC_LEGEND_RH_TEXT], L"RH Words: ");
  // The swatches get a brush of their class colour (read while the dialog was shown).
  EXPECT_EQ(g_Dialog.swatchColors[IDC_LEGEND_CUSTOM_COLOR], RGB(255, 215, 174));
  EXPECT_EQ(g_Dialog.swatchColors[IDC_LEGEND_LH_COLOR], RGB(10, 0, 0));
  EXPECT_EQ(g_Dialog.swatchColors[IDC_LEGEND_RH_COLOR], RGB(20, 0, 0));
  EXPECT_EQ(g_Dialog.swatchColors[IDC_LEGEND_L2R_COLOR], RGB(30, 0, 0));
  EXPECT_EQ(g_Dialog.swatchColors[IDC_LEGEND_R2L_COLOR], RGB(40, 0, 0));
  // The captions keep the default colours.
  for (int id : {IDC_LEGEND_CUSTOM_TEXT, IDC_LEGEND_LH_TEXT, IDC_LEGEND_L2R_TEXT, IDC_LEGEND_R2L_TEXT,
                 IDC_LEGEND_RH_TEXT})
    EXPECT_EQ(g_Dialog.brushes[id], 0) << id;
  EXPECT_EQ(g_Dialog.okResult, TRUE);
}

}  // namespace
}  // namespace kftest
