#pragma once
// A test's start and stop on the Tests screen (exam/start_stop_win.cpp).
#include <windows.h>

#include "common/text.h"
#include "typing/figures.h"

// Puts the texts of `figures` into the Tests screen's statistics rows (labels in the current
// language); rows without a control are skipped.
void Mode4_ShowFigures(const TestFigures& figures);
// A test's start and stop on the screen, after the typing state has changed: the commands (the
// report's greyed at a start, offered after a completed test), the statistics rows, the live
// figures and their timer, and after a stop the History.csv row (completed: the sample was typed
// to its end).
void Mode4_ShowTestStart(const TestFigures& blank);
void Mode4_ShowTestStop(const TestFigures& figures, bool completed);
// The completion step's stop, as the typing area reports it.
void Mode4_ShowTestCompleted(const TestFigures& figures);
// What the Tests screen keeps of the tests of the run: one has stopped (the statistics button
// works), the last one ran to the end of the sample on this screen, and the values the statistics
// rows show.
struct TestsState {
  bool stopped = false;
  bool lastCompleted = false;
  Text16 values[kFigureRows];
};
extern TestsState g_Tests;

// What the Tests screen's commands follow: a test has stopped in this run (the statistics
// button), the last test ran to the end of the sample on this screen (the report and F8); a new
// Tests screen forgets the last one.
bool Mode4_HasStoppedTest();
bool Mode4_LastTestCompleted();
void Mode4_ForgetLastTest();
// The value of statistics row `row` (0-5) as the Tests screen shows it; empty without a screen.
// A Tests screen that goes forgets them with its fields.
const Text16& Mode4_ShownValue(int row);
void Mode4_ForgetShownFigures();
// Command IDT_START_STOP (button, menu item IDM_START_TEST, F6): starts a test on an emptied
// typing area when none runs, else stops it.
void Mode4_OnStartStopCommand();
// Leaving a test (Clear, a language switch, a mode change, a new sample): a running test ends
// without figures or a History.csv row, and the commands show "start" again.
void Mode4_AbandonTest();
// The live figures of the status bar: elapsed time, CPM and errors, one part each. A test start
// starts the timer that refreshes them (ID_TIMER_LIVE_FIGURES, never on the keystroke path), a
// stop ends it and leaves the final figures; outside a test, and on screens other than the Tests
// screen, the parts are empty.
void Mode4_OnLiveFiguresTimer();
void Mode4_ClearLiveFigures();
