#pragma once
// The sample view of the Tests screen and its mark.
#include <windows.h>

// The sample view (IDC_SAMPLE_VIEW) with `style`, made without a size: besides its selection at
// the next character, it paints the place of a standing error in the error colour and, when the
// next character is a line break, a return sign at the line's end.
HWND Mode4_MakeSampleView(DWORD style);

// The sample view's guidance (exam/sample_view_win.cpp): the next character to type is selected
// in the sample view and its line scrolled into sight, without moving the focus, and the live
// keyboard shows its key.
// Now: after a new sample and after the typing area is cleared.
void Mode4_FollowTyping();
// After each change of the typing area's text (the keystroke path): at once, or, for a key that
// follows the one before within 50 ms, once the burst ends (ID_TIMER_SAMPLE_FOLLOW,
// Mode4_OnFollowTimer).
void Mode4_OnTypingChanged();
void Mode4_OnFollowTimer();
