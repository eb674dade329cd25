#pragma once
// The tutor's Win32 layer: state of the windows and the operations the screens share.
// Everything that needs no window lives in the core (settings/, typing/, tests/, training/).
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "common/files.h"
#include "common/text.h"
#include "resources/resource.h"
#include "typing/figures.h"
#include "typing/words.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows build keeps text as UTF-16");

inline const wchar_t* W(const Text16& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline Text16 T16(const wchar_t* s) { return s ? Text16(reinterpret_cast<const char16_t*>(s)) : Text16(); }

// Windows and handles that live for the whole run.
struct AppWindows {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND toolbar = nullptr;        // control IDC_TOOLBAR
  HWND statusBar = nullptr;      // control IDC_STATUSBAR
  HWND supportLink = nullptr;    // control IDC_SUPPORT_LINK, child of the toolbar, when ShowURLLogo is on
  HWND detailedStats = nullptr;  // the detailed statistics window when open
  HFONT programFont = nullptr;
  HACCEL accelerators = nullptr;
  wchar_t title[100] = {};
  wchar_t className[100] = {};
};
extern AppWindows g_App;

// Controls of the typing screens while shown: the typing area of modes 1, 2 and 4 (mode 3 has its
// own, in TrainingScreen), and the sample view and statistics rows of the Tests screen.
struct TypingScreen {
  HWND typingArea = nullptr;    // IDC_TYPING_AREA
  HWND sampleView = nullptr;    // IDC_SAMPLE_VIEW
  HWND labels[6] = {};          // statistics rows 1-6, label
  HWND values[6] = {};          // statistics rows 1-6, value
  HFONT font = nullptr;
};
extern TypingScreen g_TypingScreen;

// Controls of the training screens (modes 1 to 3) while shown; the word list loaders fill them
// and do nothing while they are null.
struct TrainingScreen {
  HWND leftList = nullptr;          // IDC_LEFT_LIST, modes 1 and 2
  HWND rightList = nullptr;         // IDC_RIGHT_LIST, modes 1 and 2
  HWND customList = nullptr;        // IDC_CUSTOM_LIST, mode 3 list view
  HWND customTypingArea = nullptr;  // mode 3's own typing area
};
extern TrainingScreen g_Training;

// Message boxes and the open-file dialog go through these pointers so that the window tests
// can answer them; they are MessageBoxW and GetOpenFileNameW in the program.
extern int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
extern BOOL(WINAPI* g_GetOpenFileName)(LPOPENFILENAMEW);

// One 16-bit sort direction flag per column index, all 0 at start and never reset, shared by
// the detailed statistics list and the custom words list view; 0 ascending, else descending.
constexpr int kSortColumns = 5;
struct SortFlags {
  int16_t column[kSortColumns] = {};
};
extern SortFlags g_SortFlags;
// Three-way comparison in the direction of the column's flag; values that do not compare give 0.
int App_CompareFloats(double a, double b, int column);
// A click on a column heading flips that column's flag (0 becomes 1, anything else 0).
void App_FlipSortFlag(int column);
// Sorts a report list view by `column` with LVM_SORTITEMS and `compare`; the cells of that
// column are read first, and the comparison reads them with App_SortCell.
void App_SortListView(HWND list, int column, PFNLVCOMPARE compare);
// During App_SortListView, the sorted column's text of the row whose item data is `data`;
// nullptr for an unknown row and outside a sort.
const Text16* App_SortCell(LPARAM data);
// The width a column needs: `width`, or more when its heading would not fit in that.
int App_ColumnWidthFor(HWND list, const wchar_t* heading, int width);

// The typing area of the screen shown (modes 1, 2 and 4 share one; mode 3 has its own).
HWND App_CurrentTypingArea();

// String tables (strings_win.cpp)
// The string `id` in `language` (1 EN, 2 FR, 3 RU, anything else EN) in one shared 102-unit
// buffer, or nullptr when that language's table has no such string.
const wchar_t* App_LoadString(UINT id, int language);
// The string at position id & 15 of one string-table block (`units` 16-bit units: 16 counted
// entries) copied into the shared buffer, cut to 101 units; nullptr for an empty entry or a
// block that ends early. App_LoadString's walk, open to tests with hand-made blocks.
const wchar_t* App_StringFromBlock(const WORD* block, DWORD units, UINT id);
// LANGID of a language number, from the language table (English for any other number).
LANGID App_LangId(int language);
// A message box owned by `owner` that names the file at `path` (UTF-8) that could not be written
// and the system's text for `error`, in the current language (write_failure_win.cpp).
void App_ShowWriteFailure(HWND owner, const std::string& path, FileError error);
// The left- and right-hand letters (IDS_LEFT_HAND_LETTERS, IDS_RIGHT_HAND_LETTERS) of the current language.
HandLetters App_HandLetters();
// The window class name (string IDS_CLASS_NAME of the current language) into out[capacity], terminated;
// empty when the string is missing.
void App_LoadClassName(wchar_t* out, int capacity);

// Main window (main_window_win.cpp)
BOOL App_InitInstance(HINSTANCE instance, int showCommand);
ATOM App_RegisterClass(HINSTANCE instance);
LRESULT CALLBACK App_WndProc(HWND, UINT, WPARAM, LPARAM);
void App_CenterWindow(HWND window, HWND reference, int leftShift);
// Centres the main window on the desktop (every screen builder does), together with the
// detailed statistics window beside it when that is open.
void App_CenterMainWindow();
void App_ExpandWindow(int wide);
// Command IDT_CLEAR's work: grey the Clear button and menu item and empty the screen's typing area.
void App_ClearTypingArea();
// Start-up steps before the window class: settings and trace paths in the current directory,
// App_XMLReadSettings, the entry trace, the thread locale, the title and the class name.
void App_PrepareStart();
// Runs the message loop with `accelerators` until WM_QUIT; returns its exit code.
int App_MessageLoop(HACCEL accelerators);

// Toolbar and status bar (toolbar_win.cpp)
void App_CreateFont();
// A font from a description with every other field zero and DEFAULT_CHARSET.
HFONT App_MakeFont(const wchar_t* face, LONG height, LONG weight = 0, BYTE underline = FALSE);
void App_CreateToolbar();
void App_CreateStatusBar();
int App_GetButtonImage(int command);
void App_SetButtonImage(int command, int image);
// Sets a button's state (TBSTATE_ENABLED or TBSTATE_INDETERMINATE); a hidden button stays hidden.
void App_SetButtonState(int command, BYTE state);
// View commands IDM_VIEW_TOOLBAR (toolbar) and IDM_VIEW_STATUSBAR (status bar): hide the bar when it is visible, else show
// it; the View item's check mark follows.
void App_ToggleBar(UINT command);
LRESULT CALLBACK App_ToolbarProc(HWND, UINT, WPARAM, LPARAM);

// The commands of each screen (commands_win.cpp)
// Whether the screen of `mode` has `command` at all (its menu item can be enabled, its button is
// shown); commands that are not a screen's (languages, View, Help, Exit) are everyone's.
bool App_ScreenOffers(int mode, UINT command);
// Whether `command` may act now: the screen shown offers it and its menu item (for a menu or key
// command) or its toolbar button (for a button command) is neither greyed nor hidden. The main
// window's command routing asks this before anything runs.
bool App_CommandAvailable(UINT command);
// The menu items and toolbar buttons of the screen of `mode`, as that screen is built: items it
// does not offer greyed, the others enabled or greyed until their event (first character,
// completed test); buttons it does not offer hidden, the others shown; Clear greyed.
void App_SetScreenCommands(int mode);

// Menus and languages (menus_win.cpp)
void App_AttachMenu();
void App_BuildLanguageMenu();
void App_MarkLanguage(int language);
void App_SyncViewChecks();
void App_SetListColumns();
void App_LocalizeStrings(int language);
void App_SwitchLanguage(int language);
void App_UpdateCustomModeItem();
// Changes the text of a menu item, by command, to string `stringId` of the current language.
void App_SetMenuText(UINT command, UINT stringId);
void App_EnableMenuCommand(UINT command, bool enabled);
// The Language submenu command of a language (IDM_LANG_ENGLISH, IDM_LANG_FRENCH, IDM_LANG_RUSSIAN; English for any other number).
UINT App_LanguageCommand(int language);
// The Language submenu entry of a language (IDS_LANG_ENGLISH, IDS_LANG_FRENCH, IDS_LANG_RUSSIAN; English for any other number):
// its name, a tab and its shortcut.
UINT App_LanguageNameString(int language);
// Destroys every control of the screen shown (all children of the main window but the toolbar
// and the status bar) and forgets their handles. Screen builders call it before building.
void App_DestroyScreenControls();

// About box, help pages and web links (links_win.cpp)
// Web pages and the about box go through these pointers so that the window tests can see the
// addresses and drive the dialog; they are ShellExecuteW and DialogBoxParamW in the program.
extern HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
// The HTML report reads the clock through this: GetLocalTime in the program, replaced by the
// window tests so that the time is fixed. It opens the page through g_ShellExecute.
extern void(WINAPI* g_GetLocalTime)(LPSYSTEMTIME);
// Help pages below the help folder of the current language (/EN/, /FR/, /RU/; English for any
// other language): commands IDM_KEYBOARD_LAYOUT and IDM_ONLINE_HELP.
void App_OpenKeyboardLayoutPage();
void App_OpenOnlineHelp();
// The maker's home page: commands IDM_WEB_SITE and IDC_SUPPORT_LINK.
void App_OpenMakerSite();
// The maker's order page, whose query always asks for English: a click on the about box's
// maker name.
void App_OpenOrderPage();
// The about box (dialog IDD_ABOUT), modal over the main window: command IDM_ABOUT.
void App_ShowAboutBox();
INT_PTR CALLBACK App_AboutDialogProc(HWND, UINT, WPARAM, LPARAM);
// The two statics that behave like web links, each with its own saved window procedure.
enum LinkStatic { LINK_ABOUT_MAKER = 0, LINK_SUPPORT = 1 };
// Shows the hand cursor on every message, then hands the message to the static's own procedure.
template <int link>
LRESULT CALLBACK App_LinkCursorProc(HWND, UINT, WPARAM, LPARAM);
extern template LRESULT CALLBACK App_LinkCursorProc<LINK_ABOUT_MAKER>(HWND, UINT, WPARAM, LPARAM);
extern template LRESULT CALLBACK App_LinkCursorProc<LINK_SUPPORT>(HWND, UINT, WPARAM, LPARAM);
// The support link (control IDC_SUPPORT_LINK) on the toolbar at the place of the current mode; once, at
// start, when ShowURLLogo is on.
void App_CreateSupportLink();
// Where the support link stands on the toolbar: x 698 in modes 1 and 2, 600 in the wide Tests
// form, else 400 (y 4, 150 x 20 always).
int App_SupportLinkX(int mode, int wide);
// Moves the support link, when there is one, to its place for `mode` without repainting; the
// screen builders call it.
void App_PlaceSupportLink(int mode, int wide);

// Typing area and tests (typing/typing_area_win.cpp, typing/start_stop_win.cpp)
LRESULT CALLBACK App_TypingAreaProc(HWND, UINT, WPARAM, LPARAM);
extern WNDPROC g_TypingAreaPrevProc;
// Puts App_TypingAreaProc in front of a screen's new typing area, keeping the edit control's own,
// and fills the typing rules' host (App_InstallTypingHost) for the screen's keys.
void App_SubclassTypingArea(HWND area);
void App_ErrorAlert();
// The start or stop of the typing rules (the automatic start, the completion step's stop).
void Mode4_ToggleTest();
void Mode4_OnStartStopCommand();  // command IDT_START_STOP
// The live figures of the status bar: elapsed time, CPM and errors, one part each. A test start
// starts the timer that refreshes them (ID_TIMER_LIVE_FIGURES, never on the keystroke path), a
// stop ends it and leaves the final figures; outside a test, and on screens other than the Tests
// screen, the parts are empty.
void Mode4_OnLiveFiguresTimer();
void Mode4_ClearLiveFigures();

// The sample view's guidance (tests/sample_view_win.cpp): the next character to type is selected
// in the sample view and its line scrolled into sight, without moving the focus.
// Now: after a new sample and after the typing area is cleared.
void Mode4_FollowTyping();
// After each change of the typing area's text (the keystroke path): at once, or, for a key that
// follows the one before within 50 ms, once the burst ends (ID_TIMER_SAMPLE_FOLLOW,
// Mode4_OnFollowTimer).
void Mode4_OnTypingChanged();
void Mode4_OnFollowTimer();

// Tests screen and sample texts (tests/tests_screen_win.cpp, tests/sample_file_win.cpp)
void OnMenuMode4();
int Mode4_LoadFile(Text16& text, const wchar_t* fileName);
void Mode4_OpenSampleFile();
// After a successful load: the text becomes the sample text, is shown in the sample text view
// (IDC_SAMPLE_VIEW) and is cut into the test words table.
void Mode4_UseSampleText(const Text16& text);

// Detailed statistics window and the custom list writer (tests/detailed_stats_win.cpp)
// Command IDT_STATISTICS (button, menu item IDM_DETAILED_STATS, F8), by the image of button IDT_STATISTICS: 4 opens the window,
// 6 closes it.
void Mode4_OnDetailedStatsCommand();
void Mode4_ShowDetailedStats();
// Puts an open detailed statistics window at the main window's right edge, 77 pixels below its
// top, moved into the work area of the main window's monitor where it would stick out (never
// shrunk), without activating it: the keyboard focus stays where the user typed.
void Mode4_DockDetailedStats();
LRESULT CALLBACK Mode4_DetailedStatsProc(HWND, UINT, WPARAM, LPARAM);
// Notifications of the list: custom draw colours and column sort.
LRESULT Mode4_DetailedStatsNotify(HWND window, const NMHDR* header);
// Comparison callback of the list's sort: item data of two rows and the column.
int CALLBACK Mode4_CompareRows(LPARAM data1, LPARAM data2, LPARAM column);
// Writes the checked words, in display order, as the current language's custom words list.
void Mode4_CreateCustomList();
void Mode4_CheckAll();
INT_PTR CALLBACK Mode4_ColorLegendProc(HWND, UINT, WPARAM, LPARAM);
// Destroys the list and the two buttons of an open detailed statistics window, which stays open
// and empty: for every screen builder (the Tests screen rebuilt, the other modes' screens).
void Mode4_EmptyDetailedStatsWindow();

// HTML report (tests/report_win.cpp): command IDM_HTML_REPORT, F9. Writes Report.htm in the current
// directory from the statistics fields and opens it with the shell's "open" verb; a report that
// could not be written is not opened, and a message box says which file and why.
void Mode4_CreateHtmlReport();
// The date ("MM/DD/YY" in English, "DD/MM/YY" in French and Russian), the weekday name of
// `language` and the time ("HH:MM") of the local clock.
void Mode4_FormatReportDateTime(int language, std::string& date, Text16& weekday, std::string& time);

// History.csv and the report's progress section (tests/history_win.cpp)
// At the stop of a test with at least one keystroke: one row for it (local time, language,
// sample file, `completed`, the figures of the statistics rows, errors and accuracy) appended to
// History.csv. A row that cannot be written leaves the test as it is and is said once per run,
// in the status bar's third part.
void Mode4_AppendHistory(const TestFigures& figures, bool completed);
// Appends `row` to the file at `path` (UTF-8) in one write, starting a missing or empty file with
// its mark and header and putting a line end first after a last line that has none; earlier
// bytes are never changed, and a write cut short is taken back. False when the row is not there.
bool Mode4_AppendHistoryLine(const std::string& path, const std::string& row);
// The progress section of the report for `language` from the end of History.csv.
std::string Mode4_ProgressSection(int language);

// Word lists into the training screens (training/word_lists_win.cpp)
void Mode12_LoadWordLists(int mode, int language);
void Mode3_LoadCustomWords(int language);

// The screens of modes 1-2 and 3 (training/hand_screen_win.cpp, training/custom_screen_win.cpp):
// each destroys the screen shown and builds its own.
void OnMenuMode12(int mode);
void OnMenuMode3();
// A click on column `column` of the custom words list view (mode 3 only): flips the column's
// sort flag and sorts the rows with Mode3_CompareRows.
void Mode3_OnColumnClick(int column);
// LVM_SORTITEMS callback: the rows whose item data are `first` and `second`, compared by the
// figure in column `column` in the direction of its flag; the word column compares equal.
int CALLBACK Mode3_CompareRows(LPARAM first, LPARAM second, LPARAM column);
// The sort value of a custom words cell: "n/a" goes last in either direction, the speed column
// counts the figure in parentheses, the typed count column reads a whole number.
double Mode3_CellValue(const Text16& text, int column, bool descending);
// Blanks, an optional sign, digits and (unless `wholeNumber`) a decimal point with digits; stops
// at the first character that cannot continue the number; no number reads as 0.
double Mode3_ReadNumber(const Text16& text, bool wholeNumber);
