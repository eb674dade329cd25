// The Tests screen: its controls, menu and toolbar states, the default sample text with its
// refusals, the custom words it reloads, and the File/Open dialog.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/screens_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "testing/window_test_support.h"
#include "exam/sample_text.h"
#include "exam/exam_screen_win.h"
#include "exam/start_stop_win.h"
#include "typing/figures.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace kftest {
namespace {

using TestsScreenTest = MainWindowTest;

void ExpectRect(HWND control, int x, int y, int w, int h) {
  ASSERT_NE(control, nullptr);
  const RECT rc = RectIn(control, g_App.mainWindow);
  EXPECT_EQ(rc.left, x);
  EXPECT_EQ(rc.top, y);
  EXPECT_EQ(rc.right - rc.left, w);
  EXPECT_EQ(rc.bottom - rc.top, h);
}

void ExpectEditArea(HWND edit) {
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_EQ(style & ES_READONLY, 0);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW lf = {};
  ASSERT_TRUE(GetObjectW(font, sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, kTextFace);
  EXPECT_EQ(lf.lfHeight, 16);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  // The face is the tutor's own, registered from its resources: the system draws with it and
  // does not substitute a machine's font for it.
  HDC dc = GetDC(edit);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t realized[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, realized);
  SelectObject(dc, previous);
  ReleaseDC(edit, dc);
  EXPECT_STREQ(realized, kTextFace);
}

// Every letter of the three languages at the start of a line of each text view: on a machine whose
// "Arial" is a face with positioning tables for combining marks, Wine's edit control took д е ж з
// for marks there and ended the program.
TEST_F(TestsScreenTest, TextViewsShowEveryLetterAtTheStartOfALine) {
  std::wstring text;
  for (const auto& range : {std::pair<wchar_t, wchar_t>{L'a', L'z'}, {L'\u00c0', L'\u00ff'}, {L'\u0401', L'\u0451'}})
    for (wchar_t c = range.first; c <= range.second; ++c) text += std::wstring(1, c) + L" " + c + L"\r\n";
  for (int mode : {1, 3, 4}) {
    SCOPED_TRACE(mode);
    OpenMainWindow(mode, 3);
    std::vector<HWND> views = {App_CurrentTypingArea()};
    if (mode == 4) views.push_back(g_TypingScreen.sampleView);
    for (HWND view : views) {
      SetWindowTextW(view, text.c_str());
      UpdateWindow(view);
      EXPECT_EQ(WindowText(view), text);
    }
  }
}

TEST_F(TestsScreenTest, CreatesControlsWithTheirStyles) {
  OpenMainWindow(4, 1);
  g_Created.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  App_ShowScreen(kModeTests);
  UnhookWindowsHookEx(hook);
  ASSERT_EQ(g_Created.size(), 14u);
  const DWORD edit = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
  EXPECT_EQ(lstrcmpiW(g_Created[0].className.c_str(), L"EDIT"), 0);
  EXPECT_EQ(g_Created[0].id, IDC_TYPING_AREA);
  EXPECT_EQ(g_Created[0].style, edit);
  EXPECT_EQ(lstrcmpiW(g_Created[1].className.c_str(), L"EDIT"), 0);
  EXPECT_EQ(g_Created[1].id, IDC_SAMPLE_VIEW);
  // The sample view shows its selection, the next character to type, without the focus.
  EXPECT_EQ(g_Created[1].style, edit | ES_NOHIDESEL);
  for (size_t i = 2; i < 14; ++i) {
    EXPECT_EQ(lstrcmpiW(g_Created[i].className.c_str(), L"STATIC"), 0);
    EXPECT_EQ(g_Created[i].id, 0);
    EXPECT_EQ(g_Created[i].style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  }
}

TEST_F(TestsScreenTest, BuildsEveryControlInPlace) {
  OpenMainWindow(4, 1);
  RECT outer;
  GetWindowRect(g_App.mainWindow, &outer);
  EXPECT_EQ(outer.right - outer.left, 560);
  EXPECT_EQ(outer.bottom - outer.top, 820);
  EXPECT_EQ(g_Settings.Mode, 4);

  auto typing = Children(L"EDIT", IDC_TYPING_AREA);
  auto sample = Children(L"EDIT", IDC_SAMPLE_VIEW);
  ASSERT_EQ(typing.size(), 1u);
  ASSERT_EQ(sample.size(), 1u);
  EXPECT_EQ(typing[0], g_TypingScreen.typingArea);
  EXPECT_EQ(sample[0], g_TypingScreen.sampleView);
  ExpectRect(typing[0], 25, 60, 500, 320);
  ExpectRect(sample[0], 25, 395, 500, 320);
  ExpectEditArea(typing[0]);
  ExpectEditArea(sample[0]);
  // The typing area runs through the keystroke procedure, which passes on to the edit's own.
  EXPECT_EQ(GetWindowLongPtrW(typing[0], GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(App_TypingAreaProc));
  EXPECT_NE(g_TypingAreaPrevProc, nullptr);
  EXPECT_EQ(GetFocus(), typing[0]);
  EXPECT_EQ(App_CurrentTypingArea(), typing[0]);

  auto statics = Children(L"STATIC", 0);
  ASSERT_EQ(statics.size(), 12u);
  for (int row = 0; row < 6; ++row) {
    const int y = 150 + 20 * row;
    ExpectRect(g_TypingScreen.labels[row], 575, y, 200, 20);
    ExpectRect(g_TypingScreen.values[row], 700, y, 200, 20);
    EXPECT_EQ(WindowText(g_TypingScreen.labels[row]), L"");
    EXPECT_NE(SendMessageW(g_TypingScreen.values[row], WM_GETFONT, 0, 0), 0);
  }
  // Label before value, row by row, in creation (Z) order.
  HWND after = GetWindow(sample[0], GW_HWNDNEXT);
  for (int row = 0; row < 6; ++row) {
    EXPECT_EQ(after, g_TypingScreen.labels[row]);
    after = GetWindow(after, GW_HWNDNEXT);
    EXPECT_EQ(after, g_TypingScreen.values[row]);
    after = GetWindow(after, GW_HWNDNEXT);
  }

  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleEN));
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"");
  ASSERT_EQ(g_Words.testWords.size(), 7u);
  EXPECT_EQ(Wide(g_Words.testWords[3].word), L"fox");
  EXPECT_EQ(g_Words.testWords[3].errors, -1);
  EXPECT_TRUE(g_ShownMessages.empty());
}

// The value column keeps x 700 where every label fits before it (English) and stands after the
// widest label where one does not ("Temps passé (min): ", "Время теста (мин): "), so no label
// runs under its value; a four-digit figure still ends inside the painted panel (x 770).
TEST_F(TestsScreenTest, ValueColumnStandsAfterTheWidestLabelOfTheLanguage) {
  OpenMainWindow(4, 1);
  for (UINT command : {IDM_LANG_ENGLISH, IDM_LANG_FRENCH, IDM_LANG_RUSSIAN}) {
    Command(command);
    SCOPED_TRACE(g_Settings.Language);
    HDC dc = GetDC(g_App.mainWindow);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(g_TypingScreen.values[0], WM_GETFONT, 0, 0)));
    auto width = [dc](const std::wstring& text) {
      SIZE size = {};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      return static_cast<int>(size.cx);
    };
    int widest = 0;
    for (UINT id = IDS_TIME_SPENT; id <= IDS_TOTAL_ERRORS; ++id)
      widest = std::max(widest, width(App_LoadString(id, g_Settings.Language)));
    const int figure = width(L"1234.56");
    SelectObject(dc, previous);
    ReleaseDC(g_App.mainWindow, dc);
    const int valueX = RectIn(g_TypingScreen.values[0], g_App.mainWindow).left;
    EXPECT_EQ(valueX, std::max(700, 575 + widest + 2));
    if (g_Settings.Language == 1) EXPECT_EQ(valueX, 700);
    else EXPECT_GT(valueX, 700);
    EXPECT_LE(valueX + figure, 770);
    for (int row = 0; row < 6; ++row) {
      EXPECT_EQ(RectIn(g_TypingScreen.labels[row], g_App.mainWindow).left, 575);
      EXPECT_EQ(RectIn(g_TypingScreen.values[row], g_App.mainWindow).left, valueX);
    }
  }
}

// Dark pixels of a field: its black text as the screen shows it.
int InkedPixels(HWND field) {
  UpdateWindow(g_App.mainWindow);
  PumpMessages();
  const RECT rc = RectIn(field, g_App.mainWindow);
  HDC dc = GetDC(g_App.mainWindow);
  int inked = 0;
  for (LONG y = rc.top; y < rc.bottom; ++y) {
    for (LONG x = rc.left; x < rc.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++inked;
    }
  }
  ReleaseDC(g_App.mainWindow, dc);
  return inked;
}

TEST_F(TestsScreenTest, ANewFigureReplacesTheOldOneOnThePanel) {
  OpenMainWindow(4, 1);
  Mode4_ShowWideForm(true);
  TestFigures figures;
  figures.rows = 6;
  auto show = [&](const char16_t* value) {
    for (Text16& v : figures.values) v = value;
    Mode4_ShowFigures(figures);
    return InkedPixels(g_TypingScreen.values[1]);
  };
  const int one = show(u"1");
  ASSERT_GT(show(u"888888.88"), one) << "the panel shows the figure";
  // The fields let the panel show through: without the panel painted again behind them, the
  // old digits would stay under the new one.
  EXPECT_EQ(show(u"1"), one);
}

TEST_F(TestsScreenTest, MenusAndToolbarForTheTestsScreen) {
  OpenMainWindow(4, 1);
  // From the hand screen, with text to clear and a completed test behind: the Tests screen's
  // commands come from the screen, its Clear and reports start greyed.
  App_ShowScreen(1);
  ASSERT_TRUE(Grayed(IDM_START_TEST));
  App_SetClearable(true);
  g_Tests.lastCompleted = true;
  App_ShowScreen(kModeTests);

  EXPECT_FALSE(Grayed(IDM_OPEN));
  EXPECT_FALSE(Grayed(IDM_START_TEST));  // the Tests screen offers its test, whatever came before
  EXPECT_FALSE(Grayed(IDM_MODE_HANDS));
  EXPECT_FALSE(Grayed(IDM_MODE_ALTERNATION));
  EXPECT_TRUE(Grayed(IDM_MODE_TESTS));
  EXPECT_TRUE(Grayed(IDM_CLEAR));
  EXPECT_TRUE(Grayed(IDM_DETAILED_STATS));
  EXPECT_TRUE(Grayed(IDM_HTML_REPORT));
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));  // no Custom_Words.dat
  for (int id : {IDT_OPEN, IDT_START_STOP, IDT_STATISTICS})
    EXPECT_FALSE(SendMessageW(g_App.toolbar, TB_ISBUTTONHIDDEN, id, 0)) << id;
}

TEST_F(TestsScreenTest, RebuildReplacesTheOldControls) {
  OpenMainWindow(4, 1);
  HWND oldTyping = g_TypingScreen.typingArea, oldSample = g_TypingScreen.sampleView, oldLabel = g_TypingScreen.labels[0];
  // A leftover control of another screen goes as well; toolbar and status bar stay.
  HWND stray = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 10, 10, g_App.mainWindow,
                               reinterpret_cast<HMENU>(IDC_LEFT_LIST), nullptr, nullptr);
  App_ShowScreen(kModeTests);
  EXPECT_FALSE(IsWindow(oldTyping));
  EXPECT_FALSE(IsWindow(oldSample));
  EXPECT_FALSE(IsWindow(oldLabel));
  EXPECT_FALSE(IsWindow(stray));
  EXPECT_TRUE(IsWindow(g_App.toolbar));
  EXPECT_TRUE(IsWindow(g_App.statusBar));
  EXPECT_EQ(Children(L"EDIT", IDC_TYPING_AREA).size(), 1u);
  EXPECT_EQ(Children(L"STATIC", 0).size(), 12u);
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleEN));
}

TEST_F(TestsScreenTest, ARebuildEmptiesTheDetailedStatisticsWindowAndLeavingClosesIt) {
  OpenMainWindow(4, 1);
  Mode4_ShowDetailedStats();
  HWND stats = Mode4_DetailedStatsWindow();
  ASSERT_NE(stats, nullptr);
  HWND list = GetDlgItem(stats, IDC_DS_LIST);
  ASSERT_TRUE(list && GetDlgItem(stats, IDC_DS_CREATE_LIST) && GetDlgItem(stats, IDC_DS_CHECK_ALL));

  App_ShowScreen(kModeTests);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_TRUE(IsWindow(stats));
  EXPECT_EQ(Mode4_DetailedStatsWindow(), stats);
  EXPECT_EQ(GetWindow(stats, GW_CHILD), nullptr);
  // The screen itself is built as usual.
  EXPECT_EQ(Children(L"EDIT", IDC_TYPING_AREA).size(), 1u);
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleEN));

  // Built again with the window already empty: it stays, empty. Left for another screen: it
  // goes with the screen, and does not come back with it.
  App_ShowScreen(kModeTests);
  EXPECT_EQ(Mode4_DetailedStatsWindow(), stats);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_MODE_HANDS, 0);
  EXPECT_FALSE(IsWindow(stats));
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_MODE_TESTS, 0);
  EXPECT_EQ(Mode4_DetailedStatsWindow(), nullptr);
}

TEST_F(TestsScreenTest, CustomModeItemFollowsTheCustomList) {
  OpenMainWindow(4, 1);
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));
  EXPECT_TRUE(g_Words.customWords.empty());
  WriteList(L"EN", L"Custom_Words.dat", "quick\r\nlazy\r\n");
  App_ShowScreen(kModeTests);
  EXPECT_FALSE(Grayed(IDM_MODE_CUSTOM));
  ASSERT_EQ(g_Words.customWords.size(), 2u);
  EXPECT_EQ(Wide(g_Words.customWords[1].word), L"lazy");
  // Built again: the table is emptied first, not appended to.
  App_ShowScreen(kModeTests);
  EXPECT_EQ(g_Words.customWords.size(), 2u);
  // Another language's list does not count.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_RUSSIAN, 0);
  EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));
  EXPECT_TRUE(g_Words.customWords.empty());
}

std::vector<std::string> TraceMessages() {
  std::vector<std::string> messages;
  std::FILE* f = std::fopen(Dir_DataFile("\\TraceFile.txt").c_str(), "rb");
  if (!f) return messages;
  char line[512];
  while (std::fgets(line, sizeof line, f)) {
    std::string text = line;
    const size_t start = text.find(": ");
    const size_t end = text.find_first_of("\r\n");
    if (start != std::string::npos) messages.push_back(text.substr(start + 2, end - start - 2));
  }
  std::fclose(f);
  return messages;
}

TEST_F(TestsScreenTest, TracesItsStepsInOrder) {
  OpenMainWindow(4, 1);
  g_Settings.Debug = 1;
  App_ShowScreen(kModeTests);
  const std::vector<std::string> screen = {
      "OnMenuMode4 Entered",          "Mode4_LoadFile Entered", "Mode4_ParseSampleText Entered",
      "Mode4_ParseSampleText Exited", "App_LocalizeStrings Entered", "App_LocalizeStrings Exited",
      "OnMenuMode4 Exited"};
  EXPECT_EQ(TraceMessages(), screen);

  // The language switch rebuilds the screen first and relabels it afterwards.
  DeleteFileW((dir_ + L"\\TraceFile.txt").c_str());
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_RUSSIAN, 0);
  std::vector<std::string> switched = screen;
  switched.push_back("App_LocalizeStrings Entered");
  switched.push_back("App_LocalizeStrings Exited");
  EXPECT_EQ(TraceMessages(), switched);
  g_Settings.Debug = 0;
}

TEST_F(TestsScreenTest, TheOtherScreensTraceOnlyTheirRelabelling) {
  OpenMainWindow(4, 1);
  g_Settings.Debug = 1;
  const std::vector<std::string> relabel = {"App_LocalizeStrings Entered", "App_LocalizeStrings Exited"};
  WriteList(L"EN", L"Custom_Words.dat", "quick\r\n");  // offered by the screen before it
  for (UINT command : {static_cast<UINT>(IDM_MODE_HANDS), static_cast<UINT>(IDM_MODE_ALTERNATION),
                       static_cast<UINT>(IDM_MODE_CUSTOM)}) {
    SCOPED_TRACE(command);
    DeleteFileW((dir_ + L"\\TraceFile.txt").c_str());
    SendMessageW(g_App.mainWindow, WM_COMMAND, command, 0);
    EXPECT_EQ(TraceMessages(), relabel);
  }
  g_Settings.Debug = 0;
}

TEST_F(TestsScreenTest, MovesTheSupportLinkToItsNarrowPlace) {
  OpenMainWindow(4, 1);
  g_App.supportLink = CreateWindowExW(0, L"STATIC", L"link", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 698, 4, 150, 20,
                                      g_App.toolbar, reinterpret_cast<HMENU>(IDC_SUPPORT_LINK), nullptr, nullptr);
  App_ShowScreen(kModeTests);
  ASSERT_TRUE(IsWindow(g_App.supportLink));  // not a control of the screen
  const RECT rc = RectIn(g_App.supportLink, g_App.toolbar);
  EXPECT_EQ(rc.left, 400);
  EXPECT_EQ(rc.top, 4);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, 20);
}

// A refused default file: its message, an empty view, and the earlier sample text and test
// words kept.
void ExpectRefusedDefault(const std::wstring& text, const std::wstring& caption) {
  ASSERT_EQ(g_ShownMessages.size(), 1u);
  EXPECT_EQ(g_ShownMessages[0].text, text);
  EXPECT_EQ(g_ShownMessages[0].caption, caption);
  EXPECT_EQ(g_ShownMessages[0].owner, nullptr);
  EXPECT_EQ(g_ShownMessages[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), L"");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleEN));
  ASSERT_EQ(g_Words.testWords.size(), 7u);
  EXPECT_EQ(Wide(g_Words.testWords[6].word), L"dog");
}

TEST_F(TestsScreenTest, TooBigDefaultSampleKeepsTheEarlierText) {
  OpenMainWindow(4, 1);
  ASSERT_TRUE(WriteBytes(dir_ + L"\\EN\\Tests\\Sample_Unicode.txt", SampleBytes(std::u16string(1999, u'a'))));
  App_ShowScreen(kModeTests);
  ExpectRefusedDefault(L"The maximum number of characters is: 2000", L"The file is too big!");
}

TEST_F(TestsScreenTest, NonUnicodeDefaultSampleKeepsTheEarlierText) {
  OpenMainWindow(4, 1);
  ASSERT_TRUE(WriteBytes(dir_ + L"\\EN\\Tests\\Sample_Unicode.txt", "plain 8-bit text"));
  App_ShowScreen(kModeTests);
  ExpectRefusedDefault(L"The UNICODE files only are compatible with KFP.", L"The text is not UNICODE text!");
}

TEST_F(TestsScreenTest, MissingDefaultSampleShowsNoMessage) {
  OpenMainWindow(4, 1);
  DeleteFileW((dir_ + L"\\EN\\Tests\\Sample_Unicode.txt").c_str());
  App_ShowScreen(kModeTests);
  EXPECT_TRUE(g_ShownMessages.empty());
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), L"");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleEN));
}

TEST_F(TestsScreenTest, LoadFileLimits) {
  OpenMainWindow(4, 1);
  const std::wstring path = dir_ + L"\\limit.txt";
  Text16 text = u"unchanged";
  // 3998 bytes: 1998 units after the mark, accepted whole.
  ASSERT_TRUE(WriteBytes(path, SampleBytes(std::u16string(1998, u'x'))));
  EXPECT_EQ(Mode4_LoadFile(text, path.c_str()), 1);
  EXPECT_EQ(text.size(), 1998u);
  // 3999 bytes: the odd last byte is dropped.
  ASSERT_TRUE(WriteBytes(path, SampleBytes(std::u16string(1998, u'y')) + "z"));
  EXPECT_EQ(Mode4_LoadFile(text, path.c_str()), 1);
  EXPECT_EQ(text, std::u16string(1998, u'y'));
  // 4000 bytes: refused, text untouched.
  ASSERT_TRUE(WriteBytes(path, SampleBytes(std::u16string(1999, u'z'))));
  EXPECT_EQ(Mode4_LoadFile(text, path.c_str()), 0);
  EXPECT_EQ(text, std::u16string(1998, u'y'));
  ASSERT_EQ(g_ShownMessages.size(), 1u);
  EXPECT_EQ(g_ShownMessages[0].caption, L"The file is too big!");
  // A file name outside the 8-bit code page.
  const std::wstring cyrillic = dir_ + L"\\тест.txt";
  ASSERT_TRUE(WriteBytes(cyrillic, SampleBytes(u"да нет")));
  EXPECT_EQ(Mode4_LoadFile(text, cyrillic.c_str()), 1);
  EXPECT_EQ(Wide(text), L"да нет");
  // Missing: 0 and no message.
  EXPECT_EQ(Mode4_LoadFile(text, (dir_ + L"\\none.txt").c_str()), 0);
  EXPECT_EQ(g_ShownMessages.size(), 1u);
}

// The open-file dialog, answered by the test.
struct DialogAnswer {
  std::wstring chosen;  // empty: cancel
  std::wstring moveTo;  // where the "dialog" leaves the current directory
  OPENFILENAMEW seen = {};
  std::wstring filter, initialDir;
  int calls = 0;
};
DialogAnswer g_Answer;

BOOL WINAPI AnswerDialog(LPOPENFILENAMEW ofn) {
  ++g_Answer.calls;
  g_Answer.seen = *ofn;
  const wchar_t* f = ofn->lpstrFilter;
  g_Answer.filter.clear();
  while (f && *f) {  // pairs of terminated strings, ended by an empty one
    g_Answer.filter += f;
    g_Answer.filter += L'|';
    f += lstrlenW(f) + 1;
  }
  g_Answer.initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : L"";
  if (!g_Answer.moveTo.empty()) SetCurrentDirectoryW(g_Answer.moveTo.c_str());
  if (g_Answer.chosen.empty()) return FALSE;
  lstrcpynW(ofn->lpstrFile, g_Answer.chosen.c_str(), ofn->nMaxFile);
  return TRUE;
}

TEST_F(TestsScreenTest, OpenSampleFileLoadsTheChosenFileAndKeepsTheDataFolder) {
  OpenMainWindow(4, 2);
  const std::wstring chosen = dir_ + L"\\RU\\Tests\\Sample_Unicode.txt";
  g_Answer = DialogAnswer();
  g_Answer.chosen = chosen;
  g_Answer.moveTo = dir_ + L"\\RU";
  g_GetOpenFileName = AnswerDialog;
  HWND typing = g_TypingScreen.typingArea;
  SendMessageW(typing, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Le re"));

  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_OPEN, 0);  // Ctrl+O
  ASSERT_EQ(g_Answer.calls, 1);
  EXPECT_EQ(g_Answer.seen.hwndOwner, g_App.mainWindow);
  EXPECT_EQ(g_Answer.filter, L"All|*.*|Text|*.TXT|");
  EXPECT_EQ(g_Answer.seen.nFilterIndex, 1u);
  EXPECT_EQ(g_Answer.seen.nMaxFile, 520u);
  EXPECT_EQ(g_Answer.seen.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR));
  EXPECT_EQ(g_Answer.seen.lpstrFileTitle, nullptr);
  EXPECT_EQ(g_Answer.initialDir, dir_ + L"\\FR\\Tests");

  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleRU));
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleRU));
  ASSERT_EQ(g_Words.testWords.size(), 3u);
  EXPECT_EQ(Wide(g_Words.testWords[2].word), L"прыгает");
  // The screen is not rebuilt; its typing area is emptied for the new sample, whose first key
  // starts its test; a dialog that moved the working directory moved no file of the tutor's.
  EXPECT_EQ(g_TypingScreen.typingArea, typing);
  EXPECT_EQ(WindowText(typing), L"");
  EXPECT_EQ(Widen(Dir_Data()), dir_);
  Text16 text;
  EXPECT_TRUE(Mode4_LoadFile(text, nullptr));
  EXPECT_EQ(Wide(text), Wide(kSampleFR));
}

TEST_F(TestsScreenTest, OpenSampleFileCancelledOrRefusedChangesNothing) {
  OpenMainWindow(4, 3);
  g_GetOpenFileName = AnswerDialog;
  g_Answer = DialogAnswer();
  g_Answer.moveTo = dir_ + L"\\EN";
  Mode4_OpenSampleFile();
  EXPECT_EQ(g_Answer.initialDir, dir_ + L"\\RU\\Tests");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleRU));
  EXPECT_EQ(Widen(Dir_Data()), dir_);

  const std::wstring bad = dir_ + L"\\bad.txt";
  ASSERT_TRUE(WriteBytes(bad, "no mark here"));
  g_Answer = DialogAnswer();
  g_Answer.chosen = bad;
  Mode4_OpenSampleFile();
  ASSERT_EQ(g_ShownMessages.size(), 1u);
  EXPECT_EQ(g_ShownMessages[0].text, L"The UNICODE files only are compatible with KFP.");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleRU));
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleRU));
  EXPECT_EQ(g_Words.testWords.size(), 3u);
}

}  // namespace
}  // namespace kftest
