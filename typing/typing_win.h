#pragma once
// Glue of the typing rules (typing/keystrokes.h) to the screens: the typing area's window
// procedure, which reads what a character's step needs and does what the step says, the steps of a
// test's start, stop and completion.
#include <windows.h>

#include <cstdint>

#include "common/text.h"
#include "typing/figures.h"
#include "typing/keystrokes.h"

// Controls of the typing screens while shown: the typing area of modes 1, 2 and 4 (mode 3 has its
// own, in TrainingScreen), and the sample view and statistics rows of the Tests screen.
struct TypingScreen {
  HWND typingArea = nullptr;    // IDC_TYPING_AREA
  HWND sampleView = nullptr;    // IDC_SAMPLE_VIEW
  HWND labels[kFigureRows] = {};          // statistics rows 1-6, label
  HWND values[kFigureRows] = {};          // statistics rows 1-6, value
  HFONT font = nullptr;
};
extern TypingScreen g_TypingScreen;

// What the glue reads besides a character's own step: the screen's typing area text (the sample
// view's mark, the live figures, the Start/Stop command's figures) and the clock, which the window
// tests replace.
struct TypingHost {
  Text16 (*wholeText)();  // the screen's typing area, CR LF line breaks, at most 1999 units
  uint32_t (*tick)();     // millisecond tick count
};
extern TypingHost g_TypingHost;

// Fills every entry of g_TypingHost that is still empty with the program's own: the typing
// area's edit control and GetTickCount. Entries a test has set are kept.
void App_InstallTypingHost();

// The sound of the error alert: Beep in the program; the window tests replace it to observe it.
extern BOOL(WINAPI* g_AlertBeep)(DWORD frequency, DWORD duration);

// What the screen of a typing area does with a step's results that are its own: the word lists
// that modes 1 and 2 search, a test's start and completion on the Tests screen, a custom word's
// row in mode 3. Entries a screen does not have are null.
struct TypingAreaHooks {
  const WordListQuery* lists = nullptr;
  void (*selectListEntry)(int list, int32_t index) = nullptr;
  void (*testStarted)(const TestFigures& blank) = nullptr;
  void (*testCompleted)(const TestFigures& figures) = nullptr;
  void (*widen)() = nullptr;  // the completed sample's figures uncovered
  void (*wordRowChanged)(int16_t record) = nullptr;
};

// The typing area (typing/typing_area_win.cpp)
constexpr DWORD kTypingAreaStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
// A screen's typing area (IDC_TYPING_AREA, made without a size) with App_TypingAreaProc in front
// of it and the screen's hooks.
HWND App_MakeTypingArea(const TypingAreaHooks& hooks);
LRESULT CALLBACK App_TypingAreaProc(HWND, UINT, WPARAM, LPARAM);
// The hooks of the screen whose typing area was made last: a test started by command starts as
// one started by a key does.
const TypingAreaHooks& App_TypingHooks();
extern WNDPROC g_TypingAreaPrevProc;
// Puts App_TypingAreaProc in front of a screen's new typing area, keeping the edit control's own,
// with the screen's hooks, and fills the host (App_InstallTypingHost) once for the screen.
void App_SubclassTypingArea(HWND area, const TypingAreaHooks& hooks);
void App_ErrorAlert();
// The caret line's text after its last space (the whole line when it has none): the word in
// progress of a training screen's typing area.
Text16 App_GetWordInProgress(HWND area);
