#pragma once
// What the probe and its hook DLL share: the message that asks a control to be measured, and the
// block the measurement is left in.
#include <windows.h>

constexpr wchar_t kProbeMeasureMessage[] = L"KfProbeMeasureText";
constexpr wchar_t kProbeMeasureBlock[] = L"KfProbeMeasure";

struct ProbeMeasure {
  LONG lineWidth, lineHeight;        // the text on one line (a list box: its widest entry in sight)
  LONG wrappedWidth, wrappedHeight;  // the text wrapped in the control's client width
  LONG fontHeight;                   // the font's lfHeight
  LONG internalLeading;              // room the font keeps above its letters for accents
  BOOL ownFont;                      // the control has a font of its own (WM_GETFONT)
  BOOL done;
};
