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
#include "typing/keyboard_guide.h"
#include "typing/keyboard_view_win.h"
#include "typing/keystrokes.h"
#include "typing/mistake_marks.h"
#include "typing/typing_win.h"

namespace {

// Every new mark asks the system to repaint a piece of the sample view and lights the next key of
// the live keyboard, which under Wine costs about a fifth of the keystroke itself. Neither is done
// inside a keystroke: while the learner types, a timer of the main window brings the view and the
// keyboard up to date every kFollowTickMs, once for all the keys since its last tick (a burst
// repaints once); it stops after kFollowIdleMs without a key and the next key starts it again.
constexpr UINT kFollowTickMs = 15;
constexpr DWORD kFollowIdleMs = 1000;

// What the follow keeps of the sample view: its size and font never change after the screen is
// built, so its count of whole lines is measured once.
struct SampleViewFollow {
  HWND view = nullptr;
  int visibleLines = 0;      // 0: not measured yet
  DWORD lastKey = 0;         // tick of the last change of the typing area
  bool behind = false;       // the typing area changed since the view last followed it
  HWND timerOwner = nullptr; // the main window whose ID_TIMER_SAMPLE_FOLLOW runs
  size_t mark = 0;           // where the mark stands
  bool error = false;        // a wrong character stands in the typing area
  WNDPROC editProc = nullptr;
};
SampleViewFollow s_Follow;

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The box the mark's overlay takes: the marked character, or a return sign's room after a line's
// end; empty when the mark is out of sight.
RECT MarkBox(HWND view, HDC dc, size_t mark) {
  RECT box = {};
  const Text16& sample = g_Sample.text;
  const LRESULT pos = SendMessageW(view, EM_POSFROMCHAR, mark, 0);
  if (pos == -1 || mark >= sample.size()) return box;
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const int x = static_cast<short>(LOWORD(pos)), y = static_cast<short>(HIWORD(pos));
  SIZE extent = {metrics.tmHeight, metrics.tmHeight};
  if (sample[mark] != u'\r') GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(&sample[mark]), 1, &extent);
  box = {x, y, x + extent.cx, y + metrics.tmHeight};
  return box;
}

// A return sign in `box`: down, then left to an arrow head.
void ReturnSign(HDC dc, const RECT& box, COLORREF ink) {
  HPEN pen = CreatePen(PS_SOLID, 2, ink);
  HGDIOBJ previous = SelectObject(dc, pen);
  const int h = box.bottom - box.top, right = box.right - h / 4, left = box.left + h / 5, y = box.top + h * 3 / 5;
  MoveToEx(dc, right, box.top + h / 4, nullptr);
  LineTo(dc, right, y);
  LineTo(dc, left, y);
  MoveToEx(dc, left + h / 5, y - h / 5, nullptr);
  LineTo(dc, left, y);
  LineTo(dc, left + h / 5, y + h / 5);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

bool HasOverlay(size_t mark, bool error) {
  return mark < g_Sample.text.size() && (error || g_Sample.text[mark] == u'\r');
}

// Over the edit control's own painting: the error colour at a standing error's place, or the
// return sign when the next character is a line break.
void PaintMark(HWND view) {
  const Text16& sample = g_Sample.text;
  const size_t mark = s_Follow.mark;
  if (!HasOverlay(mark, s_Follow.error)) return;
  HDC dc = GetDC(view);
  if (!dc) return;
  HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(view, WM_GETFONT, 0, 0)));
  const RECT box = MarkBox(view, dc, mark);
  if (box.right > box.left) {
    HBRUSH fill = CreateSolidBrush(s_Follow.error ? FromRgb(kErrorColour) : GetSysColor(COLOR_HIGHLIGHT));
    FillRect(dc, &box, fill);
    DeleteObject(fill);
    const COLORREF ink = s_Follow.error ? FromRgb(kErrorInk) : GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (sample[mark] == u'\r') {
      ReturnSign(dc, box, ink);
    } else {
      SetTextColor(dc, ink);
      SetBkMode(dc, TRANSPARENT);
      TextOutW(dc, box.left, box.top, reinterpret_cast<const wchar_t*>(&sample[mark]), 1);
    }
  }
  SelectObject(dc, previousFont);
  ReleaseDC(view, dc);
}

// The overlay's place is painted again when the mark moves or an error comes or goes.
void InvalidateMark(HWND view, size_t mark) {
  HDC dc = GetDC(view);
  if (!dc) return;
  HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(view, WM_GETFONT, 0, 0)));
  RECT box = MarkBox(view, dc, mark);
  SelectObject(dc, previousFont);
  ReleaseDC(view, dc);
  if (box.right > box.left) InvalidateRect(view, &box, TRUE);
}

LRESULT CALLBACK SampleViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC edit = s_Follow.editProc;
  if (!edit) return DefWindowProcW(view, message, wParam, lParam);
  const LRESULT result = CallWindowProcW(edit, view, message, wParam, lParam);
  if (message == WM_PAINT) PaintMark(view);
  return result;
}

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
  if (!Mode_IsTest(g_Settings.Mode) || !g_TypingScreen.sampleView) return;
  s_Follow.lastKey = GetTickCount();
  s_Follow.behind = true;
  HWND window = g_App.mainWindow;
  if (s_Follow.timerOwner && s_Follow.timerOwner == window) return;
  if (window && SetTimer(window, ID_TIMER_SAMPLE_FOLLOW, kFollowTickMs, nullptr)) {
    s_Follow.timerOwner = window;
    return;
  }
  Mode4_FollowTyping();
}

void Mode4_OnFollowTimer() {
  if (s_Follow.behind) {
    Mode4_FollowTyping();
    return;
  }
  if (GetTickCount() - s_Follow.lastKey < kFollowIdleMs) return;
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_SAMPLE_FOLLOW);
  s_Follow.timerOwner = nullptr;
}

void Mode4_FollowTyping() {
  s_Follow.behind = false;
  HWND view = g_TypingScreen.sampleView;
  if (!Mode_IsTest(g_Settings.Mode) || !view || !g_TypingScreen.typingArea) return;
  const Text16& sample = g_Sample.text;
  const Text16 typed = g_TypingHost.wholeText();
  const size_t mark = Mode4_PartingPoint(sample, typed);
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

  const char16_t next = Keyboard_NextInSample(sample, typed);
  const bool error = next == kBackspace;
  if (mark != s_Follow.mark || error != s_Follow.error) {
    // Only a mark with an overlay (an error, a line end) has a place to paint again.
    if (HasOverlay(s_Follow.mark, s_Follow.error)) InvalidateMark(view, s_Follow.mark);
    s_Follow.mark = mark;
    s_Follow.error = error;
    if (HasOverlay(mark, error)) InvalidateMark(view, mark);
  }
  App_GuideKeyboard(next, 0);
}

HWND Mode4_MakeSampleView(DWORD style) {
  HWND view = App_CreateChild(L"EDIT", style, IDC_SAMPLE_VIEW);
  s_Follow.mark = 0;
  s_Follow.error = false;
  if (view)
    s_Follow.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SampleViewProc)));
  return view;
}
