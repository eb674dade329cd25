#pragma once
// The tutor's Win32 layer: state of the windows and the operations the screens share.
// Everything that needs no window lives in the core (settings/, typing/, tests/, training/).
#include <windows.h>

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
  HWND toolbar = nullptr;        // control 400
  HWND statusBar = nullptr;      // control 334
  HWND supportLink = nullptr;    // control 606, child of the toolbar, when ShowURLLogo is on
  HWND detailedStats = nullptr;  // the detailed statistics window when open
  HFONT programFont = nullptr;
  HACCEL accelerators = nullptr;
  wchar_t title[100] = {};
  wchar_t className[100] = {};
};
extern AppWindows g_App;

// Controls of the Tests screen while it is shown.
struct Mode4Screen {
  HWND typingArea = nullptr;    // 613
  HWND sampleView = nullptr;    // 621
  HWND labels[6] = {};          // statistics rows 1-6, label
  HWND values[6] = {};          // statistics rows 1-6, value
  HFONT font = nullptr;
};
extern Mode4Screen g_Mode4;

// The typing area of the screen shown (modes 1, 2 and 4 share one; mode 3 has its own).
HWND App_CurrentTypingArea();

// String tables (strings_win.cpp)
// The string `id` in `language` (1 EN, 2 FR, 3 RU, anything else EN) in one shared 102-unit
// buffer, or nullptr when that language's table has no such string.
const wchar_t* App_LoadString(UINT id, int language);
// LANGID of a language number: 1036, 1049, else 1033.
LANGID App_LangId(int language);
// The left- and right-hand letters (1026, 1027) of the current language.
HandLetters App_HandLetters();

// Main window (main_window_win.cpp)
BOOL App_InitInstance(HINSTANCE instance, int showCommand);
ATOM App_RegisterClass(HINSTANCE instance);
LRESULT CALLBACK App_WndProc(HWND, UINT, WPARAM, LPARAM);
void App_CenterWindow(HWND window, HWND reference, int leftShift);
void App_ExpandWindow(int wide);

// Toolbar and status bar (toolbar_win.cpp)
void App_CreateFont();
void App_CreateToolbar();
void App_CreateStatusBar();
int App_GetButtonImage(int command);
void App_SetButtonImage(int command, int image);
void App_SetButtonState(int command, BYTE state);

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

// Typing area and tests (typing/typing_area_win.cpp, typing/test_timing_win.cpp)
LRESULT CALLBACK App_TypingAreaProc(HWND, UINT, WPARAM, LPARAM);
extern WNDPROC g_TypingAreaPrevProc;
void App_ErrorAlert();
void Mode4_ToggleTest();
void Mode4_OnStartStopCommand();  // command 402

// Tests screen and sample texts (tests/tests_screen_win.cpp, tests/sample_file_win.cpp)
void OnMenuMode4();
int Mode4_LoadFile(Text16& text, const wchar_t* fileName);
void Mode4_OpenSampleFile();
