// The typing area's window procedure: every character goes through the rules of the current
// mode before the edit control inserts it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/app.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "exam/sample_text.h"
#include "typing/keyboard_guide.h"
#include "typing/keyboard_view_win.h"
#include "typing/keystrokes.h"
#include "typing/mistake_marks.h"
#include "typing/typing_win.h"
#include "typing/words.h"

TypingScreen g_TypingScreen;
WNDPROC g_TypingAreaPrevProc = nullptr;
BOOL(WINAPI* g_AlertBeep)(DWORD, DWORD) = Beep;

namespace {

// The line holding the caret, as displayed, at most 99 units.
Text16 ReadCaretLine(HWND area) {
  const WPARAM line = static_cast<WPARAM>(SendMessageW(area, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
  // EM_GETLINE takes the buffer's capacity from its first unit and adds no terminator.
  wchar_t buffer[100] = {};
  buffer[0] = 99;
  LRESULT copied = SendMessageW(area, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
  if (copied < 0) copied = 0;
  if (copied > 99) copied = 99;
  return Text16(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(copied));
}

Text16 ReadWholeText(HWND area) {
  static wchar_t buffer[kSampleCapacity];
  LRESULT copied = SendMessageW(area, WM_GETTEXT, kSampleCapacity, reinterpret_cast<LPARAM>(buffer));
  if (copied < 0) copied = 0;
  if (copied > kSampleCapacity - 1) copied = kSampleCapacity - 1;
  return Text16(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(copied));
}

Text16 WholeText() {
  HWND area = App_CurrentTypingArea();
  return area ? ReadWholeText(area) : Text16();
}

uint32_t Tick() { return GetTickCount(); }

// The typing area that has the keyboard focus, kept from its own focus messages: asking the
// system for the focus costs more than all the rules of a character together.
HWND s_FocusedArea = nullptr;

void FocusArea(HWND area) {
  if (s_FocusedArea != area) SetFocus(area);
}

// The hooks of the screen whose typing area was made last (one typing area at a time).
TypingAreaHooks s_Hooks = {};
// Which of its characters were typed wrong and still stand, and whether the last one typed is to
// be painted with its mark once the edit control has inserted it.
MistakeMarks s_Marks;
bool s_RepaintMarks = false;

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The marks follow the character about to be inserted: with the caret at the text's end, a
// Backspace after a line break takes both its units. `whole` is the text when it was read.
void NoteTyped(HWND area, char16_t ch, bool wrong, const Text16* whole, const Text16& caretLine) {
  const size_t length = whole ? whole->size() : static_cast<size_t>(GetWindowTextLengthW(area));
  DWORD start = 0, end = 0;
  SendMessageW(area, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool atEnd = start == end && end == length;
  const bool afterLineBreak = whole ? whole->size() >= 2 && whole->compare(whole->size() - 2, 2, u"\r\n") == 0
                                    : caretLine.empty() && length >= 2;
  Marks_Typed(s_Marks, ch, wrong, length, atEnd, afterLineBreak);
}

// The wrong characters that stand, drawn over the edit control's own text in the error colour,
// one run of a display line at a time.
void PaintMarks(HWND area) {
  const size_t length = static_cast<size_t>(GetWindowTextLengthW(area));
  std::vector<MarkRun> runs = Marks_Runs(s_Marks, length, nullptr, nullptr);
  // The text is read only when something is to be drawn, or found again from the sample.
  if (runs.empty() && (s_Marks.known || !Mode_IsTest(g_Settings.Mode))) return;
  const Text16 text = ReadWholeText(area);
  if (!s_Marks.known) runs = Marks_Runs(s_Marks, length, &g_Sample.text, &text);
  if (runs.empty()) return;
  HDC dc = GetDC(area);
  if (!dc) return;
  HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(area, WM_GETFONT, 0, 0)));
  SetTextColor(dc, FromRgb(kErrorInk));
  SetBkColor(dc, FromRgb(kErrorColour));
  RECT client;
  GetClientRect(area, &client);
  HideCaret(area);
  for (const MarkRun& run : runs) {
    size_t at = run.begin;
    while (at < run.end && at < text.size()) {
      // One display line's part of the run, its line breaks left out.
      const LRESULT line = SendMessageW(area, EM_LINEFROMCHAR, at, 0);
      const size_t lineEnd = static_cast<size_t>(SendMessageW(area, EM_LINEINDEX, line + 1, 0));
      size_t stop = std::min(run.end, lineEnd > at ? lineEnd : run.end);
      size_t drawn = stop;
      while (drawn > at && (text[drawn - 1] == u'\r' || text[drawn - 1] == u'\n')) --drawn;
      const LRESULT pos = SendMessageW(area, EM_POSFROMCHAR, at, 0);
      const int x = static_cast<short>(LOWORD(pos)), y = static_cast<short>(HIWORD(pos));
      if (pos != -1 && drawn > at && y >= client.top && y < client.bottom) {
        const wchar_t* part = reinterpret_cast<const wchar_t*>(text.data() + at);
        const int count = static_cast<int>(drawn - at);
        SIZE extent = {};
        GetTextExtentPoint32W(dc, part, count, &extent);
        RECT box = {x, y, std::min<LONG>(x + extent.cx, client.right), std::min<LONG>(y + extent.cy, client.bottom)};
        ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &box, part, static_cast<UINT>(count), nullptr);
      }
      at = stop > at ? stop : at + 1;
    }
  }
  ShowCaret(area);
  SelectObject(dc, previousFont);
  ReleaseDC(area, dc);
}

// What one character's step says, in its order.
void DoStep(HWND area, const KeystrokeStep& step) {
  if (step.enableClear) App_SetClearable(true);
  if (step.focusArea) FocusArea(area);
  if (step.selectList && s_Hooks.selectListEntry) s_Hooks.selectListEntry(step.selectList, step.selectEntry);
  if (step.started && s_Hooks.testStarted) s_Hooks.testStarted(*step.started);
  for (size_t i = 0; i < step.alerts.size(); ++i) App_ErrorAlert();
  if (step.stopped && s_Hooks.testCompleted) s_Hooks.testCompleted(*step.stopped);
  if (step.expandWindow && s_Hooks.widen) s_Hooks.widen();
  if (step.updateWordRow >= 0 && s_Hooks.wordRowChanged) s_Hooks.wordRowChanged(step.updateWordRow);
}

void OnTypingAreaChar(HWND area, WPARAM wParam, LPARAM lParam) {
  const int mode = g_Settings.Mode;
  // Read once, before the edit control inserts the character: the rules judge the text before it.
  // Only the Tests mode compares the whole text with the sample.
  // Modes 1 to 3 judge the caret line; the Tests mode reads its words from the whole text.
  const Text16 caretLine = Mode_IsKnown(mode) && !Mode_IsTest(mode) ? ReadCaretLine(area) : Text16();
  const Text16 wholeText = Mode_IsTest(mode) ? ReadWholeText(area) : Text16();
  const char16_t ch = static_cast<char16_t>(wParam);
  const KeystrokeInput in = {ch, HIWORD(lParam), mode, g_TypingHost.tick(), caretLine, wholeText, g_Sample.text,
                             s_Hooks.lists};
  const KeystrokeStep step = App_TypingStep(in, g_Typing, g_Words);
  // A character is wrong when its step sounded the alert, in every mode.
  const bool wrong = !step.alerts.empty() && ch != kBackspace;
  NoteTyped(area, ch, wrong, Mode_IsTest(mode) ? &wholeText : nullptr, caretLine);
  DoStep(area, step);
  if (wrong) {
    // The key it was typed for: the sample's next character before it, which the keyboard may not
    // show yet (the sample view's follow, which guides the keyboard, comes after the keystroke).
    if (Mode_IsTest(mode)) App_GuideKeyboard(Keyboard_NextInSample(g_Sample.text, wholeText), 0);
    App_GuideKeyboard(kBackspace, ch);
  }
  s_RepaintMarks = wrong;
}

}  // namespace

TypingHost g_TypingHost;

void App_InstallTypingHost() {
  TypingHost& h = g_TypingHost;
  if (!h.wholeText) h.wholeText = WholeText;
  if (!h.tick) h.tick = Tick;
}

Text16 App_GetWordInProgress(HWND area) { return area ? App_WordAfterLastSpace(ReadCaretLine(area)) : Text16(); }

void App_ErrorAlert() {
  // Synchronous: the wrong character is inserted only after the beep has ended.
  if (g_Settings.AlertEnabled && g_AlertBeep) g_AlertBeep(2000, 200);
}

LRESULT CALLBACK App_TypingAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Taken first: a command may rebuild the screen and subclass a new typing area.
  const WNDPROC previous = g_TypingAreaPrevProc;
  switch (message) {
    case WM_CHAR:
      OnTypingAreaChar(window, wParam, lParam);
      break;
    case WM_PAINT: {
      // The edit control paints its text first; the wrong characters are drawn over it.
      const LRESULT painted = previous ? CallWindowProcW(previous, window, message, wParam, lParam) : 0;
      PaintMarks(window);
      return painted;
    }
    case WM_SETTEXT:
      Marks_Clear(s_Marks);
      if (lParam && *reinterpret_cast<const wchar_t*>(lParam)) s_Marks.known = false;
      break;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_REPLACESEL:
      s_Marks.known = false;
      break;
    case WM_SETFOCUS:
      s_FocusedArea = window;
      break;
    case WM_KILLFOCUS:
    case WM_NCDESTROY:
      if (s_FocusedArea == window) s_FocusedArea = nullptr;
      break;
    default:
      break;
  }
  // A screen change or language switch destroys this control: there is no edit control left to
  // hand the message to.
  if (!IsWindow(window)) return 0;
  if (!previous) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
  // A wrong character inserted is painted again with its mark.
  if (message == WM_CHAR && s_RepaintMarks) {
    s_RepaintMarks = false;
    InvalidateRect(window, nullptr, FALSE);
  }
  return result;
}

const TypingAreaHooks& App_TypingHooks() { return s_Hooks; }

void App_SubclassTypingArea(HWND area, const TypingAreaHooks& hooks) {
  if (!area) return;
  s_Hooks = hooks;
  // The host is filled once, as each screen makes its typing area, not on every key.
  App_InstallTypingHost();
  g_TypingAreaPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(App_TypingAreaProc)));
}

HWND App_MakeTypingArea(const TypingAreaHooks& hooks) {
  Marks_Clear(s_Marks);
  HWND area = App_CreateChild(L"EDIT", kTypingAreaStyle, IDC_TYPING_AREA);
  App_SubclassTypingArea(area, hooks);
  return area;
}
