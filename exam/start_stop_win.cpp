// A test's start and stop on the screen: toolbar images and states, menu texts, the six
// statistics rows, the live figures of the status bar, the history row of a stopped test.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "exam/history_win.h"
#include "exam/start_stop_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

namespace {

// Four refreshes a second: the elapsed time never lags a second behind.
constexpr UINT kLiveFiguresPeriodMs = 250;

// The status bar part and label of each live figure.
struct LivePart {
  int part;
  UINT label;
  Text16 LiveFigures::*value;
};
const LivePart kLiveParts[] = {
    {SB_PART_LIVE_TIME, IDS_LIVE_TIME, &LiveFigures::elapsed},
    {SB_PART_LIVE_CPM, IDS_LIVE_CPM, &LiveFigures::cpm},
    {SB_PART_LIVE_ERRORS, IDS_LIVE_ERRORS, &LiveFigures::errors},
};

// The texts the status bar parts show, so that a tick repaints only the parts that change.
struct LiveFiguresShown {
  HWND bar = nullptr;  // the status bar they are shown in
  Text16 texts[sizeof kLiveParts / sizeof kLiveParts[0]];
};
LiveFiguresShown s_Shown;


// The live figures in their status bar parts, labelled in the current language; none, or a
// screen other than the Tests screen, empties the parts.
void ShowLiveFigures(const LiveFigures* live) {
  if (!g_App.statusBar) return;
  if (s_Shown.bar != g_App.statusBar) s_Shown = LiveFiguresShown{g_App.statusBar, {}};
  for (size_t i = 0; i < sizeof kLiveParts / sizeof kLiveParts[0]; ++i) {
    const LivePart& p = kLiveParts[i];
    Text16 text;
    if (live && Mode_IsTest(g_Settings.Mode)) text = App_StringText(p.label, g_Settings.Language) + live->*p.value;
    if (text == s_Shown.texts[i]) continue;
    App_SetStatusText(p.part, W(text));
    s_Shown.texts[i] = text;
  }
}

// The running test's figures up to now, from the same figures the stop shows; on another
// screen, none.
void ShowRunningFigures() {
  if (!Mode_IsTest(g_Settings.Mode)) {
    ShowLiveFigures(nullptr);
    return;
  }
  const uint32_t now = g_TypingHost.tick();
  const TestFigures soFar = Mode4_ComputeFigures(g_Typing.testStartTick, now, g_Typing.keystrokes,
                                                 g_Typing.testErrors, g_TypingHost.wholeText());
  const LiveFigures live = Mode4_LiveFigures(soFar, g_Typing.testStartTick, now, g_Typing.testErrors);
  ShowLiveFigures(&live);
}

}  // namespace

TestsState g_Tests;

void Mode4_OnLiveFiguresTimer() {
  if (!g_Typing.testRunning) {
    if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_LIVE_FIGURES);
    return;
  }
  ShowRunningFigures();
}

void Mode4_ClearLiveFigures() { ShowLiveFigures(nullptr); }

void Mode4_ShowFigures(const TestFigures& figures) {
  RECT changed = {};
  for (int row = 0; row < figures.rows && row < kFigureRows; ++row) {
    Text16 label;
    if (figures.labelIds[row]) {
      // Copied at once: the string lookup reuses one buffer.
      label = App_StringText(figures.labelIds[row], g_Settings.Language);
    }
    g_Tests.values[row] = figures.values[row];
    for (HWND field : {g_TypingScreen.labels[row], g_TypingScreen.values[row]}) {
      if (!field) continue;
      SetWindowTextW(field, W(field == g_TypingScreen.labels[row] ? label : figures.values[row]));
      RECT rc;
      GetWindowRect(field, &rc);
      MapWindowPoints(nullptr, g_App.mainWindow, reinterpret_cast<POINT*>(&rc), 2);
      UnionRect(&changed, &changed, &rc);
    }
  }
  // The fields let the painted panel show through and never erase their background: the panel
  // behind them is painted again, or a new figure would stand over the old one.
  if (!IsRectEmpty(&changed)) {
    RedrawWindow(g_App.mainWindow, &changed, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

bool Mode4_HasStoppedTest() { return g_Tests.stopped; }

bool Mode4_LastTestCompleted() { return g_Tests.lastCompleted; }

void Mode4_ForgetLastTest() { g_Tests.lastCompleted = false; }

const Text16& Mode4_ShownValue(int row) {
  static const Text16 none;
  return row >= 0 && row < kFigureRows ? g_Tests.values[row] : none;
}

void Mode4_ForgetShownFigures() {
  for (Text16& value : g_Tests.values) value.clear();
}

void Mode4_ShowTestStart(const TestFigures& blank) {
  // The report and the detailed statistics describe the last finished test only.
  g_Tests.lastCompleted = false;
  App_UpdateCommands();
  Mode4_ShowFigures(blank);
  // The last test's figures go; the first tick brings this test's, a quarter second in, so
  // that the start (the first keystroke, for the automatic one) does no more than this.
  ShowLiveFigures(nullptr);
  if (g_App.mainWindow) SetTimer(g_App.mainWindow, ID_TIMER_LIVE_FIGURES, kLiveFiguresPeriodMs, nullptr);
}

void Mode4_ShowTestStop(const TestFigures& figures, bool completed) {
  g_Tests.stopped = true;
  g_Tests.lastCompleted = completed;
  App_UpdateCommands();
  Mode4_ShowFigures(figures);
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_LIVE_FIGURES);
  // The final figures are the stop's own, as the statistics panel shows them.
  const LiveFigures last = Mode4_LiveFigures(figures, g_Typing.testStartTick, g_Typing.testStopTick, g_Typing.testErrors);
  ShowLiveFigures(&last);
  // After them: a History.csv that cannot be written is said in the last part.
  Mode4_AppendHistory(figures, completed);
}

void Mode4_ShowTestCompleted(const TestFigures& figures) { Mode4_ShowTestStop(figures, true); }

void Mode4_AbandonTest() {
  if (!Mode4_AbandonTestState(g_Typing)) return;
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_LIVE_FIGURES);
  ShowLiveFigures(nullptr);
  App_UpdateCommands();
}

// The Start/Stop command; its stop is never the completion of the sample. A start begins on an
// empty typing area, as a retake typed into an emptied one does.
void Mode4_OnStartStopCommand() {
  if (!g_Typing.testRunning) App_ClearTypingArea();
  const TestFigures figures = Mode4_ToggleTestState(g_Typing, g_TypingHost.tick(), g_TypingHost.wholeText());
  const TypingAreaHooks& hooks = App_TypingHooks();
  if (g_Typing.testRunning) (hooks.testStarted ? hooks.testStarted : Mode4_ShowTestStart)(figures);
  else Mode4_ShowTestStop(figures, false);
}
