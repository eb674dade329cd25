#pragma once
// Glue of the typing rules (typing/keystrokes.h) to the screens: the typing area's window
// procedure, which reads what a character's step needs and does what the step says, the steps of a
// test's start, stop and completion.
#include <windows.h>

#include <cstdint>

#include "common/text.h"
#include "typing/figures.h"

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

// Puts the texts of `figures` into the Tests screen's statistics rows (labels in the current
// language); rows without a control are skipped.
void Mode4_ShowFigures(const TestFigures& figures);
// After the stop of the completion step: button IDT_START_STOP image 1, buttons IDT_OPEN and IDT_STATISTICS enabled,
// menu item IDM_START_TEST "start" text, menu items IDM_DETAILED_STATS and IDM_HTML_REPORT enabled.
void Mode4_CompletionUi();

// Typing area and tests (typing/typing_area_win.cpp, typing/start_stop_win.cpp)
LRESULT CALLBACK App_TypingAreaProc(HWND, UINT, WPARAM, LPARAM);
extern WNDPROC g_TypingAreaPrevProc;
// Puts App_TypingAreaProc in front of a screen's new typing area, keeping the edit control's own,
// and fills the host (App_InstallTypingHost) once for the screen.
void App_SubclassTypingArea(HWND area);
void App_ErrorAlert();
// A test's start and stop on the screen, after the typing state has changed: the statistics rows,
// the report commands (greyed at a start), the live figures and their timer, and after a stop the
// History.csv row (completed: the sample was typed to its end).
void Mode4_ShowTestStart(const TestFigures& blank);
void Mode4_ShowTestStop(const TestFigures& figures, bool completed);
void Mode4_OnStartStopCommand();  // command IDT_START_STOP
// The live figures of the status bar: elapsed time, CPM and errors, one part each. A test start
// starts the timer that refreshes them (ID_TIMER_LIVE_FIGURES, never on the keystroke path), a
// stop ends it and leaves the final figures; outside a test, and on screens other than the Tests
// screen, the parts are empty.
void Mode4_OnLiveFiguresTimer();
void Mode4_ClearLiveFigures();
