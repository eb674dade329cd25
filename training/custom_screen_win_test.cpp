// The screen of mode 3: its controls, columns and states, the custom words rows, a typed custom
// word's row, the column sort on the shared flags, the language switch and the start-up in mode 3.
#include "app/app.h"
#include "app/list_sort.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "training/training_win.h"
#include "typing/figures.h"
#include "typing/keystrokes.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace kftest {
namespace {

std::vector<std::wstring> Column(int column) {
  std::vector<std::wstring> cells;
  const LRESULT count = SendMessageW(g_Training.customList, LVM_GETITEMCOUNT, 0, 0);
  for (int row = 0; row < count; ++row) cells.push_back(ListCell(g_Training.customList, row, column));
  return cells;
}

// Figures of a row as a typing would leave them (columns 2 to 4).
void SetFigures(int row, const wchar_t* speed, const wchar_t* errors, const wchar_t* count) {
  g_Training.customRows.at(static_cast<size_t>(row)).figures = static_cast<int16_t>(g_Training.customFigures.size());
  g_Training.customFigures.push_back(WordRowFigures{T16(speed), T16(errors), T16(count)});
}

// A click on a column heading as the list view reports it to the main window.
void ClickColumn(int column) {
  NMLISTVIEW nm = {};
  nm.hdr.hwndFrom = g_Training.customList;
  nm.hdr.idFrom = IDC_CUSTOM_LIST;
  nm.hdr.code = LVN_COLUMNCLICK;
  nm.iItem = -1;
  nm.iSubItem = column;
  SendMessageW(g_App.mainWindow, WM_NOTIFY, IDC_CUSTOM_LIST, reinterpret_cast<LPARAM>(&nm));
}

LVCOLUMNW ColumnInfo(int column, wchar_t (&text)[64]) {
  LVCOLUMNW col = {};
  col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = 64;
  text[0] = 0;
  SendMessageW(g_Training.customList, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
  return col;
}

class CustomScreenTest : public TypingWindowTest {
 protected:
  void SetUp() override {
    TypingWindowTest::SetUp();
    now = 7000;
  }

  // The custom list of English as UTF-8 lines, then the mode 3 screen from the Tests screen.
  void OpenCustom(const std::string& words) {
    WriteList(L"EN", L"Custom_Words.dat", words);
    OpenMainWindow(4, 1);
    g_Settings.AlertEnabled = 1;
    Command(IDM_MODE_CUSTOM);
    ASSERT_EQ(g_Settings.Mode, 3);
    ASSERT_NE(g_Training.customTypingArea, nullptr);
    ASSERT_NE(g_Training.customList, nullptr);
  }

  static void Char(wchar_t c) { CharTo(g_Training.customTypingArea, c); }
  static void Type(const std::wstring& text) { TypeTo(g_Training.customTypingArea, text); }
};

TEST_F(CustomScreenTest, BuildsTheTypingAreaAndTheListViewWithItsColumns) {
  g_Typing.wordErrors = 4;  // left over from the Tests screen
  OpenCustom("war\r\nsweater\r\n");
  EXPECT_EQ(g_Typing.wordErrors, 0);
  EXPECT_TRUE(Children(L"EDIT", IDC_SAMPLE_VIEW).empty());
  EXPECT_EQ(g_TypingScreen.typingArea, nullptr);
  ASSERT_EQ(Children(L"EDIT", IDC_TYPING_AREA).size(), 1u);
  ASSERT_EQ(Children(WC_LISTVIEWW, IDC_CUSTOM_LIST).size(), 1u);
  EXPECT_EQ(Children(L"EDIT", IDC_TYPING_AREA)[0], g_Training.customTypingArea);
  EXPECT_EQ(App_CurrentTypingArea(), g_Training.customTypingArea);

  const RECT area = RectIn(g_Training.customTypingArea, g_App.mainWindow);
  EXPECT_EQ(area.left, 25);
  EXPECT_EQ(area.top, 60);
  EXPECT_EQ(area.right - area.left, 500);
  EXPECT_EQ(area.bottom - area.top, 200);
  const RECT list = RectIn(g_Training.customList, g_App.mainWindow);
  EXPECT_EQ(list.left, 25);
  EXPECT_EQ(list.top, 280);
  EXPECT_EQ(list.right - list.left, 500);
  EXPECT_EQ(list.bottom - list.top, 435);

  const LONG edit = GetWindowLongW(g_Training.customTypingArea, GWL_STYLE);
  EXPECT_TRUE(edit & ES_MULTILINE);
  EXPECT_TRUE(edit & ES_AUTOVSCROLL);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(g_Training.customTypingArea, GWLP_WNDPROC)),
            App_TypingAreaProc);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(g_Training.customTypingArea, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf = {};
  ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, kTextFace);
  EXPECT_EQ(lf.lfHeight, 20);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

  const LONG style = GetWindowLongW(g_Training.customList, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & WS_BORDER);
  const LRESULT ex = SendMessageW(g_Training.customList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(ex & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_FALSE(ex & LVS_EX_CHECKBOXES);

  const wchar_t* titles[] = {L"Word", L"Length", L"Speed", L"Typing Errors", L"Typed Count"};
  const int widths[] = {100, 60, 80, 80, 80};
  for (int c = 0; c < 5; ++c) {
    wchar_t text[64];
    const LVCOLUMNW col = ColumnInfo(c, text);
    EXPECT_STREQ(text, titles[c]);
    EXPECT_EQ(col.cx, widths[c]) << c;
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, c == 0 ? LVCFMT_LEFT : LVCFMT_CENTER) << c;
  }
  LVCOLUMNW sixth = {};
  sixth.mask = LVCF_WIDTH;
  EXPECT_FALSE(SendMessageW(g_Training.customList, LVM_GETCOLUMNW, 5, reinterpret_cast<LPARAM>(&sixth)));

  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"war", L"sweater"}));
  EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"3", L"7"}));
  for (int c = 2; c <= 4; ++c) EXPECT_EQ(Column(c), (std::vector<std::wstring>{L"n/a", L"n/a"})) << c;
  ASSERT_EQ(g_Words.customWords.size(), 2u);

  const RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 560);
  EXPECT_EQ(rc.bottom - rc.top, 820);
  EXPECT_EQ(GetFocus(), g_Training.customTypingArea);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer");
}

TEST_F(CustomScreenTest, CreatesTheTypingAreaThenTheListViewWithTheirStyles) {
  WriteList(L"EN", L"Custom_Words.dat", "war\r\n");
  OpenMainWindow(1, 1);
  g_Created.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  Command(IDM_MODE_CUSTOM);
  UnhookWindowsHookEx(hook);
  const DWORD base = WS_CHILD | WS_VISIBLE | WS_BORDER;
  ASSERT_EQ(g_Created.size(), 2u);
  EXPECT_EQ(_wcsicmp(g_Created[0].className.c_str(), L"EDIT"), 0);
  EXPECT_EQ(g_Created[0].id, IDC_TYPING_AREA);
  EXPECT_EQ(g_Created[0].style, base | ES_MULTILINE | ES_AUTOVSCROLL);
  EXPECT_EQ(_wcsicmp(g_Created[1].className.c_str(), WC_LISTVIEWW), 0);
  EXPECT_EQ(g_Created[1].id, IDC_CUSTOM_LIST);
  EXPECT_EQ(g_Created[1].style, base | LVS_REPORT | LVS_OWNERDATA);
  // The hand-practice screen is gone.
  EXPECT_TRUE(Children(L"LISTBOX", IDC_LEFT_LIST).empty());
  EXPECT_TRUE(Children(L"LISTBOX", IDC_RIGHT_LIST).empty());
}

TEST_F(CustomScreenTest, MenuAndToolbarStates) {
  OpenCustom("war\r\n");
  EXPECT_TRUE(Grayed(IDM_OPEN));
  EXPECT_FALSE(Grayed(IDM_MODE_HANDS));
  EXPECT_FALSE(Grayed(IDM_MODE_ALTERNATION));
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));  // greyed although the custom list exists
  EXPECT_FALSE(Grayed(IDM_MODE_TESTS));
  for (UINT id : {IDM_START_TEST, IDM_CLEAR, IDM_DETAILED_STATS, IDM_HTML_REPORT}) EXPECT_TRUE(Grayed(id)) << id;
  for (int id : {IDT_OPEN, IDT_START_STOP, IDT_STATISTICS})
    EXPECT_TRUE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;
  for (int id : {IDT_ALERT, IDT_CLEAR}) EXPECT_FALSE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;

  // Clear empties mode 3's own typing area.
  Type(L"wa");
  EXPECT_FALSE(Grayed(IDM_CLEAR));
  Command(IDM_CLEAR);
  EXPECT_EQ(WindowText(g_Training.customTypingArea), L"");
  EXPECT_TRUE(Grayed(IDM_CLEAR));
}

TEST_F(CustomScreenTest, TypedCustomWordUpdatesItsFirstRow) {
  OpenCustom("sweater\r\nwar\r\nwar\r\n\r\nwas\r\n");
  ASSERT_EQ(Column(0), (std::vector<std::wstring>{L"sweater", L"war", L"war", L"was"}));
  Type(L"war ");  // 0.3 s over two letter steps
  EXPECT_EQ(beeps.size(), 0u);
  EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"n/a", L"0.30 (0.15)", L"n/a", L"n/a"}));
  EXPECT_EQ(Column(3), (std::vector<std::wstring>{L"n/a", L"0.00", L"n/a", L"n/a"}));
  EXPECT_EQ(Column(4), (std::vector<std::wstring>{L"n/a", L"1", L"n/a", L"n/a"}));
  EXPECT_EQ(g_Words.customWords[1].typedCount, 1);
  EXPECT_EQ(g_Words.customWords[2].typedCount, 0);

  Type(L"wxas ");  // x, a, s and the space end a text that begins no custom word
  EXPECT_EQ(beeps.size(), 4u);
  EXPECT_EQ(Column(4)[3], L"n/a");

  Type(L"WAR ");  // the prefix test is case-sensitive
  EXPECT_EQ(beeps.size(), 8u);
  EXPECT_EQ(Column(4)[1], L"1");

  Type(L"wax");  // "wax" is wrong at its last letter
  Char(8);
  Type(L"s ");
  EXPECT_EQ(beeps.size(), 9u);
  EXPECT_EQ(Column(3)[3], L"1.00");
  EXPECT_EQ(Column(4)[3], L"1");
  Type(L"war ");
  EXPECT_EQ(Column(4)[1], L"2");
  EXPECT_EQ(Column(3)[1], L"0.00");
}

TEST_F(CustomScreenTest, EmptyOrMissingListGivesNoRowsAndEveryKeyIsAnError) {
  OpenCustom("");
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(g_Words.customWords.empty());
  Type(L"ab");
  EXPECT_EQ(beeps.size(), 2u);
  EXPECT_TRUE(g_ShownMessages.empty());
  ClickColumn(4);  // sorting nothing is harmless
  EXPECT_EQ(g_SortFlags.column[4], 1);
}

class CustomSortTest : public CustomScreenTest {
 protected:
  // Four rows with figures set by hand; column 0 names them.
  void OpenFourRows() {
    OpenCustom("aa\r\nbbbb\r\nc\r\nddd\r\n");
    const wchar_t* speed[] = {L"0.90 (0.10)", L"0.20 (0.50)", L"n/a", L"1.50 (0.30)"};
    const wchar_t* errors[] = {L"2.50", L"0.00", L"n/a", L"10.00"};
    const wchar_t* count[] = {L"3", L"n/a", L"12", L"1"};
    for (int row = 0; row < 4; ++row) SetFigures(row, speed[row], errors[row], count[row]);
  }
  using Names = std::vector<std::wstring>;
};

TEST_F(CustomSortTest, TypedCountSortsDescendingThenAscendingWithUntypedLast) {
  OpenFourRows();
  // The selected row ("ddd") goes with its word.
  LVITEMW select = {};
  select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(g_Training.customList, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&select));
  ClickColumn(4);
  EXPECT_EQ(g_SortFlags.column[4], 1);
  EXPECT_EQ(Column(0), (Names{L"c", L"aa", L"ddd", L"bbbb"}));
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 2);
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 2);
  ClickColumn(4);
  EXPECT_EQ(g_SortFlags.column[4], 0);
  EXPECT_EQ(Column(0), (Names{L"ddd", L"aa", L"c", L"bbbb"}));
}

TEST_F(CustomSortTest, SpeedSortsByTheFigureInParentheses) {
  OpenFourRows();
  ClickColumn(2);
  EXPECT_EQ(Column(0), (Names{L"bbbb", L"ddd", L"aa", L"c"}));
  ClickColumn(2);
  EXPECT_EQ(Column(0), (Names{L"aa", L"ddd", L"bbbb", L"c"}));
}

TEST_F(CustomSortTest, ErrorsAndLengthSortAsNumbers) {
  OpenFourRows();
  ClickColumn(3);  // "10.00" is the largest, not the smallest as text
  EXPECT_EQ(Column(0), (Names{L"ddd", L"aa", L"bbbb", L"c"}));
  ClickColumn(3);
  EXPECT_EQ(Column(0), (Names{L"bbbb", L"aa", L"ddd", L"c"}));
  ClickColumn(1);
  EXPECT_EQ(Column(0), (Names{L"bbbb", L"ddd", L"aa", L"c"}));
  ClickColumn(1);
  EXPECT_EQ(Column(0), (Names{L"c", L"aa", L"ddd", L"bbbb"}));
}

TEST_F(CustomSortTest, WordColumnComparesEveryPairEqual) {
  OpenFourRows();
  for (LPARAM a = 0; a < 4; ++a)
    for (LPARAM b = 0; b < 4; ++b) EXPECT_EQ(Mode3_CompareRows(a, b, 0), 0) << a << " " << b;
  ClickColumn(0);
  EXPECT_EQ(g_SortFlags.column[0], 1);
  EXPECT_EQ(Column(0), (Names{L"aa", L"bbbb", L"c", L"ddd"}));
  // The comparison reads the cells taken before the sort, never the list while it sorts:
  // outside a sort it has no rows to compare.
  EXPECT_EQ(Mode3_CompareRows(2, 0, 4), 0);
}

TEST_F(CustomSortTest, FlagsAreSharedWithTheDetailedStatisticsList) {
  OpenFourRows();
  // A sort of the detailed statistics list by its column 1 flips the same flag.
  App_FlipSortFlag(1);
  ClickColumn(1);  // so this click sorts ascending
  EXPECT_EQ(g_SortFlags.column[1], 0);
  EXPECT_EQ(Column(0), (Names{L"c", L"aa", L"ddd", L"bbbb"}));
  // Column 4 has a flag of its own that only this list uses.
  ClickColumn(4);
  EXPECT_EQ(g_SortFlags.column[4], 1);
  EXPECT_EQ(g_SortFlags.column[1], 0);
}

TEST_F(CustomSortTest, ColumnClicksOutsideModeThreeChangeNothing) {
  OpenFourRows();
  HWND list = g_Training.customList;
  Command(IDM_MODE_HANDS);
  g_Training.customList = list;  // even a list view that survived would not be sorted
  ClickColumn(2);
  EXPECT_EQ(g_SortFlags.column[2], 0);
  g_Training.customList = nullptr;
}

TEST_F(CustomSortTest, RebuildShowsFileOrderAgainAndKeepsTheFlags) {
  OpenFourRows();
  ClickColumn(4);
  Command(IDM_MODE_HANDS);
  Command(IDM_MODE_CUSTOM);
  EXPECT_EQ(Column(0), (Names{L"aa", L"bbbb", L"c", L"ddd"}));
  EXPECT_EQ(Column(4), (Names{L"n/a", L"n/a", L"n/a", L"n/a"}));
  EXPECT_EQ(g_SortFlags.column[4], 1);
}

TEST(CustomCellValue, ReadsNumbersAsTheSortDoes) {
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"  -1.25x", false, false), -1.25);
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"+7", false, false), 7.0);
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"abc", false, false), 0.0);
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"", false, false), 0.0);
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"1e5", false, false), 1.0);  // no exponents
  EXPECT_DOUBLE_EQ(App_ReadFigure(u"12.75", true, false), 12.0);
  EXPECT_DOUBLE_EQ(App_ReadFigure(u".5", false, false), 0.5);

  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"0.90 (0.12)", 2, false), 0.12);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"0.10 (n/a)", 2, false), 0.0);  // a one-letter word
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"0.90", 2, false), 0.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"n/a", 2, false), 100.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"n/a", 3, true), -1.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"n/a", 4, false), 1000.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"n/a", 4, true), -1.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"250", 4, false), 250.0);
  EXPECT_DOUBLE_EQ(Mode3_CellValue(u"2.75", 3, true), 2.75);
}

TEST_F(CustomScreenTest, LanguageSwitchRelabelsTheColumnsAndReloadsTheRows) {
  WriteList(L"FR", L"Custom_Words.dat", "\xC3\xA9t\xC3\xA9\r\nmer\r\n");  // UTF-8
  OpenCustom("war\r\n");
  Type(L"war");
  PressKey(g_Training.customTypingArea, 'F', true);  // Ctrl+F
  EXPECT_EQ(g_Settings.Mode, 3);
  const wchar_t* titles[] = {L"Mot", L"Longueur", L"Vitesse", L"Fautes", L"Comte"};
  for (int c = 0; c < 5; ++c) {
    wchar_t text[64];
    const LVCOLUMNW col = ColumnInfo(c, text);
    EXPECT_STREQ(text, titles[c]);
    EXPECT_EQ(col.cx, c == 0 ? 100 : c == 1 ? 60 : 80);
    // The headings keep their alignment with the new text.
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, c == 0 ? LVCFMT_LEFT : LVCFMT_CENTER) << c;
  }
  EXPECT_EQ(Column(0), (std::vector<std::wstring>{L"\u00E9t\u00E9", L"mer"}));
  EXPECT_EQ(Column(1), (std::vector<std::wstring>{L"3", L"3"}));
  ASSERT_EQ(g_Words.customWords.size(), 2u);
  EXPECT_EQ(WindowText(g_Training.customTypingArea), L"");
  EXPECT_TRUE(Checked(IDM_VIEW_TOOLBAR));

  // A language without a custom list empties the rows.
  Command(IDM_LANG_RUSSIAN);
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(g_Words.customWords.empty());
  wchar_t text[64];
  ColumnInfo(0, text);
  EXPECT_STREQ(text, L"\u0421\u043B\u043E\u0432\u043E");
  // "Кол-во ошибок" does not fit in 80 pixels: its column makes room for it, and every column
  // still fits in the list beside a vertical scroll bar.
  int total = 0;
  for (int c = 0; c < 5; ++c) {
    const LVCOLUMNW col = ColumnInfo(c, text);
    const int needed = static_cast<int>(SendMessageW(g_Training.customList, LVM_GETSTRINGWIDTHW, 0,
                                                     reinterpret_cast<LPARAM>(text))) +
                       6 * GetSystemMetrics(SM_CXEDGE);
    EXPECT_GE(col.cx, needed) << c;
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, c == 0 ? LVCFMT_LEFT : LVCFMT_CENTER) << c;
    total += col.cx;
  }
  EXPECT_GT(total, 400);
  RECT client;
  GetClientRect(g_Training.customList, &client);
  EXPECT_LE(total + GetSystemMetrics(SM_CXVSCROLL), client.right);
}

// ---- Start-up in mode 3, as the program starts ----------------------------------------------

using CustomStartTest = ShellTest;

TEST_F(CustomStartTest, StartInModeThreeBuildsTheCustomScreen) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", "3")));
  EXPECT_EQ(g_Settings.Mode, 3);
  ASSERT_TRUE(Created().seen);
  EXPECT_EQ(Created().width, 600);
  const RECT rc = WindowRect(g_App.mainWindow);
  EXPECT_EQ(rc.right - rc.left, 560);
  EXPECT_EQ(rc.bottom - rc.top, 820 + App_KeyboardBlock(500));  // the live keyboard under the list
  ASSERT_NE(g_Training.customList, nullptr);
  ASSERT_NE(g_Training.customTypingArea, nullptr);
  EXPECT_EQ(SendMessageW(g_Training.customList, LVM_GETITEMCOUNT, 0, 0), 0);  // no custom list installed
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));
  EXPECT_EQ(g_Training.leftList, nullptr);
  EXPECT_EQ(g_TypingScreen.sampleView, nullptr);
}

}  // namespace
}  // namespace kftest
