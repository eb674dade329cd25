#pragma once
// The shell of the tutor's Win32 layer (app/): the windows that live for the whole run, the screen
// state the features share, and what the shell offers them (strings, main window, toolbar and
// status bar, each screen's commands, menus and languages, links). Each feature declares its own
// operations in a header beside its code (tests/*_win.h, training/training_win.h,
// typing/typing_win.h, app/list_sort.h); everything that needs no window lives in the core.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "common/files.h"
#include "common/text.h"
#include "resources/resource.h"
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

// Message boxes and the open-file dialog go through these pointers so that the window tests
// can answer them; they are MessageBoxW and GetOpenFileNameW (loaded at first use) in the program.
extern int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
extern BOOL(WINAPI* g_GetOpenFileName)(LPOPENFILENAMEW);

// The typing area of the screen shown (modes 1, 2 and 4 share one; mode 3 has its own).
HWND App_CurrentTypingArea();
// Gives a screen's new typing area the keyboard focus; at start, while the main window is being
// built out of sight, App_InitInstance gives it when the window is shown.
void App_FocusTypingArea(HWND area);

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
// DrawMenuBar of the main window, when it is in sight.
void App_RedrawMenuBar();
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
// addresses and drive the dialog; they are ShellExecuteW (loaded at first use) and
// DialogBoxParamW in the program.
extern HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
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
