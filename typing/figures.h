#pragma once
// The figures the tutor shows: the six statistics rows of a finished test and the per-word row
// of the custom words list. Window-free; the glue only puts the texts into the controls.
#include <cstdint>

#include "common/text.h"
#include "resources/resource.h"
#include "typing/words.h"

// The statistics rows of a finished test: time, CPM, characters, words, WPM, errors.
constexpr int kFigureRows = 6;
// Their label strings.
constexpr uint16_t kFigureLabelIds[kFigureRows] = {IDS_TIME_SPENT, IDS_CPM,  IDS_CHARACTERS,
                                                   IDS_WORDS_TYPED, IDS_WPM, IDS_TOTAL_ERRORS};

// Texts for the first `rows` statistics rows, from the top; the rows below keep their texts.
// labelIds[r] == 0 means an empty label.
struct TestFigures {
  int rows = 0;
  uint16_t labelIds[kFigureRows] = {};
  Text16 values[kFigureRows];
};

// A shown figure read back, as the two report lists compare their cells: blanks, a sign, digits
// and, unless `wholeNumber`, a decimal point with digits; with `exponentsAndSpecials` also an
// exponent, "inf" and "nan", as strtod reads them. The digits are gathered as a whole number and
// divided once by the power of ten, so a figure such as "1.50" reads as the nearest double.
// Nothing readable gives 0.
double App_ReadFigure(const Text16& text, bool wholeNumber, bool exponentsAndSpecials);
// The text in the parentheses of a speed cell ("1.50 (0.30)" gives "0.30": what follows the first
// "(", less its last character); empty when the cell has no "(".
Text16 App_StepFigureText(const Text16& cell);

// As "%.2f" prints `value` (the exact value rounded to hundredths, a tie to the even one; "inf",
// "nan"), without the C runtime's formatted printing.
Text16 App_FormatFixed2(double value);
Text16 App_FormatInt(long long value);

// Minutes of a test from its two ticks: the 32-bit difference read as signed milliseconds.
double Mode4_TestMinutes(uint32_t startTick, uint32_t stopTick);

// Words as a reader counts them, and as the sample's words are cut: runs of text between blanks,
// tabs and line breaks, a run of punctuation alone (the French " :") counting none.
long long Mode4_CountWords(const Text16& text);

// The six figures of a stopped test, every one of this test: minutes, keystrokes per minute
// (Backspaces and slips included; 0 when nothing stands typed), UTF-16 units of the typed text (a
// line break counts 2), words, words per minute, errors. A test that stopped in the tick it
// started shows rates of 0.00.
TestFigures Mode4_ComputeFigures(uint32_t startTick, uint32_t stopTick, int32_t keystrokes,
                                 int16_t testErrors, const Text16& typedText);

// The three figures the status bar shows of a running test, and of a stopped one until the
// next screen or sample: the time since the start as "m:ss", and the CPM and error count of the
// statistics rows, so that the status bar and the statistics panel never disagree.
struct LiveFigures {
  Text16 elapsed;
  Text16 cpm;
  Text16 errors;
};

// "m:ss" of the milliseconds between two ticks (the 32-bit difference read as signed, as the
// test's minutes are); a negative time reads "0:00".
Text16 Mode4_FormatElapsed(uint32_t startTick, uint32_t nowTick);
// `figures` are Mode4_ComputeFigures of the test up to `nowTick`: the running test's so far, or
// the stopped test's own.
LiveFigures Mode4_LiveFigures(const TestFigures& figures, uint32_t startTick, uint32_t nowTick, int16_t testErrors);

// Columns 2 to 4 of a custom word's row after a typing.
struct WordRowFigures {
  Text16 speed;   // "%.2f (%.2f)": mean seconds per typing (mean seconds per letter step)
  Text16 errors;  // "%.2f": mean errors per typing
  Text16 count;   // "%d": typings
};

// The word's row texts; false (nothing to show) while the word has not been typed. A word of one
// letter has no step between letters: its per-step figure reads "n/a", as before any typing.
bool Mode3_WordRowFigures(const CustomWordRecord& record, WordRowFigures& out);
