#pragma once
// The live keyboard (window class KeyboardView) under a screen's texts: the keyboard of the
// language, each key in its finger's colour with the home keys outlined, the key of the next
// character lit with the Shift to hold, the finger named beside the space bar, and for a moment
// the key of a wrong character in the error colour. Every screen lays one out under its texts;
// View, Keyboard shows or hides it (g_Settings.ShowKeyboard).
#include <windows.h>

#include "common/fit.h"
#include "typing/keyboards.h"

// Between the texts and the keyboard, and the keyboard's least height (96 DPI).
constexpr int kKeyboardGap = 10;
constexpr int kKeyboardLeast = 90;

// The two parts a screen's column ends with: the gap above the keyboard and the keyboard under
// texts `width` wide (96 DPI), both of no height while the keyboard is hidden.
void App_KeyboardParts(int width, FitPart* gapAndKeyboard);
// Their natural height together: what the keyboard adds to the screen's window.
int App_KeyboardBlock(int width);
// Places the screen's keyboard view (IDC_KEYBOARD_VIEW, 96 DPI) in the main window, making it
// when the keyboard is shown and removing it when it is hidden: a screen's layout calls it last.
void App_PlaceKeyboardView(int x, int y, int width, int height);
// The next character to type (0: none known; Backspace: a wrong character to take back; CR:
// Enter) and the character just typed wrongly (0: none), which is lit for a moment beside the
// key it was typed for: the keys whose look changes are repainted, nothing else.
void App_GuideKeyboard(char16_t next, char16_t wrong);

// How a course shows a key: a key it has not taught yet dimmed, the key its lesson works on
// outlined, and how confident the learner is of a key it has taught, as a bar along its foot.
struct KeyCourseLook {
  bool locked = false;
  bool focus = false;
  bool taught = false;    // the bar is shown
  double confidence = 0;  // 0 to 1
};
using KeyCourseLookOf = KeyCourseLook (*)(const KeyCap& cap);
// A screen that teaches a course gives the keyboard the look of its keys (null: the plain
// keyboard again); the keyboard is painted again whole, as after a change of the course.
void App_SetKeyboardCourse(KeyCourseLookOf lookOf);
