// The sample text view follows the typist: after every change of the Tests screen's typing
// area the next character to type is selected in the view (which shows its selection without the
// focus) and its line is scrolled into sight. The view never takes the focus.
#include <windows.h>

#include "app/app.h"
#include "common/modes.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "exam/sample_text.h"
#include "exam/sample_view.h"
#include "exam/sample_view_win.h"
#include "typing/typing_win.h"

namespace {

// Every new mark asks the system to repaint a piece of the sample view, which under Wine costs
// about a tenth of the keystroke itself. A keystroke therefore moves the mark at once when the
// key before it is at least this old, as it is for every key of a steady typist (1,000
// characters a minute is a key every 60 ms); a key that follows closer (key repeat, keys rolled
// over) leaves it to a timer of this length, so that a burst repaints the view once.
constexpr DWORD kFollowIntervalMs = 50;

// What the follow keeps of the sample view: its size and font never change after the screen is
// built, so its count of whole lines is measured once.
struct SampleViewFollow {
  HWND view = nullptr;
  int visibleLines = 0;      // 0: not measured yet
  DWORD lastKey = 0;         // tick of the last change of the typing area
  HWND timerOwner = nullptr; // the main window whose ID_TIMER_SAMPLE_FOLLOW will bring the view
                             // up to date, while it runs
};
SampleViewFollow s_Follow;

// Whole lines the view shows: the height of its formatting rectangle over the distance between
// the tops of its first two lines. 0 while the view holds fewer than two lines.
int VisibleLines(HWND view) {
  if (s_Follow.view == view && s_Follow.visibleLines > 0) return s_Follow.visibleLines;
  if (SendMessageW(view, EM_GETLINECOUNT, 0, 0) < 2) return 0;
  const LRESULT top0 = SendMessageW(view, EM_POSFROMCHAR, static_cast<WPARAM>(SendMessageW(view, EM_LINEINDEX, 0, 0)), 0);
  const LRESULT top1 = SendMessageW(view, EM_POSFROMCHAR, static_cast<WPARAM>(SendMessageW(view, EM_LINEINDEX, 1, 0)), 0);
  const int lineHeight = static_cast<short>(HIWORD(top1)) - static_cast<short>(HIWORD(top0));
  RECT format = {};
  SendMessageW(view, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  if (lineHeight <= 0 || format.bottom <= format.top) return 0;
  s_Follow.view = view;
  s_Follow.visibleLines = (format.bottom - format.top) / lineHeight;
  return s_Follow.visibleLines;
}

}  // namespace

void Mode4_OnTypingChanged() {
  if (g_Settings.Mode != kModeTests || !g_TypingScreen.sampleView) return;
  const DWORD now = GetTickCount();
  const bool burst = now - s_Follow.lastKey < kFollowIntervalMs;
  s_Follow.lastKey = now;
  if (s_Follow.timerOwner && s_Follow.timerOwner == g_App.mainWindow) return;
  if (burst && g_App.mainWindow && SetTimer(g_App.mainWindow, ID_TIMER_SAMPLE_FOLLOW, kFollowIntervalMs, nullptr)) {
    s_Follow.timerOwner = g_App.mainWindow;
    return;
  }
  Mode4_FollowTyping();
}

void Mode4_OnFollowTimer() {
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_SAMPLE_FOLLOW);
  s_Follow.timerOwner = nullptr;
  Mode4_FollowTyping();
}

void Mode4_FollowTyping() {
  HWND view = g_TypingScreen.sampleView;
  if (g_Settings.Mode != kModeTests || !view || !g_TypingScreen.typingArea) return;
  const Text16& sample = g_Sample.text;
  const size_t mark = Mode4_PartingPoint(sample, g_TypingHost.wholeText());
  const size_t end = mark + Mode4_MarkLength(sample, mark);

  // The scroll comes first: the selection then lies in sight and moves the view no more.
  const int markLine = static_cast<int>(SendMessageW(view, EM_LINEFROMCHAR, mark, 0));
  const int first = static_cast<int>(SendMessageW(view, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int lines = static_cast<int>(SendMessageW(view, EM_GETLINECOUNT, 0, 0));
  const int wanted = Mode4_FirstLineToShow(first, VisibleLines(view), markLine, lines);
  if (wanted != first) SendMessageW(view, EM_LINESCROLL, 0, wanted - first);

  // Selected from its end back to the mark: the edit control brings its caret end into sight,
  // and the mark's own line is in sight already, where the end may lie on the next line.
  DWORD selStart = 0, selEnd = 0;
  SendMessageW(view, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
  if (selStart != mark || selEnd != end) SendMessageW(view, EM_SETSEL, end, mark);
}
