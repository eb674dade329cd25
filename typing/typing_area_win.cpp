// The typing area's window procedure: every character goes through the rules of the current
// mode before the edit control inserts it.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "app/app.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "exam/sample_text.h"
#include "typing/keystrokes.h"
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
  const Text16 caretLine = Mode_IsKnown(mode) && mode != kModeTests ? ReadCaretLine(area) : Text16();
  const Text16 wholeText = mode == kModeTests ? ReadWholeText(area) : Text16();
  const KeystrokeInput in = {static_cast<char16_t>(wParam), HIWORD(lParam), mode, g_TypingHost.tick(),
                             caretLine, wholeText, g_Sample.text, s_Hooks.lists};
  DoStep(area, App_TypingStep(in, g_Typing, g_Words));
}

}  // namespace

TypingHost g_TypingHost;

void App_InstallTypingHost() {
  TypingHost& h = g_TypingHost;
  if (!h.wholeText) h.wholeText = WholeText;
  if (!h.tick) h.tick = Tick;
}

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
  return CallWindowProcW(previous, window, message, wParam, lParam);
}

void App_SubclassTypingArea(HWND area, const TypingAreaHooks& hooks) {
  if (!area) return;
  s_Hooks = hooks;
  // The host is filled once, as each screen makes its typing area, not on every key.
  App_InstallTypingHost();
  g_TypingAreaPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(App_TypingAreaProc)));
}

HWND App_MakeTypingArea(const TypingAreaHooks& hooks) {
  HWND area = App_CreateChild(L"EDIT", kTypingAreaStyle, IDC_TYPING_AREA);
  App_SubclassTypingArea(area, hooks);
  return area;
}
