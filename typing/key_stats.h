#pragma once
// Per-key figures of the test being typed, kept by the Tests mode's keystroke step: for each
// character of the sample the typist was to type, how often a keystroke was made for it, how
// often that keystroke was a wrong key (and which keys, enough to name the most frequent), and
// the time of its right key. Window-free; a fixed table, so that a
// keystroke costs a few array updates and never an allocation.
#include <cstddef>
#include <cstdint>

#include "common/text.h"

// A right key more than this long after the keystroke before it was a pause, not typing: its
// time is left out (it is still counted as expected and right).
constexpr uint32_t kMaxTimedGapMs = 2000;
// Distinct characters one test keeps: a sample holds far fewer. Characters beyond them are
// counted nowhere.
constexpr size_t kKeySlots = 256;
constexpr size_t kKeySlotsUsable = kKeySlots * 3 / 4;  // the open table stays a quarter empty
// Wrong keys remembered per character: the most frequent is exact unless a character draws more
// than this many different wrong keys in one test.
constexpr size_t kWrongKeys = 4;

// One character of the sample in one test.
struct KeyFigure {
  char16_t ch = 0;          // 0: slot unused
  uint32_t expected = 0;    // keystrokes made where this character was to be typed
  uint32_t errors = 0;      // of them, wrong keys
  uint32_t timed = 0;       // right keys whose time is kept
  uint32_t ms = 0;          // their times together
  char16_t wrong[kWrongKeys] = {};      // wrong keys typed in its place (printable ones)
  uint32_t wrongCount[kWrongKeys] = {};
};

struct KeyStats {
  KeyFigure slots[kKeySlots];  // open addressing by character
  uint32_t used = 0;
  uint32_t lastTick = 0;       // tick of the test's previous keystroke
  bool lastRight = false;      // it was a right key (none yet: false)
};

// Empties the figures: a test starts.
void Keys_Reset(KeyStats& keys);
// One keystroke of a running test: `ch` typed at the end of `typedText` (the typing area's text
// before it) against `sample`. The character was to type is sample[typedText.size()], when
// everything before it is right; a keystroke after an uncorrected error, past the sample's end,
// a Backspace, or for a line break or other control character of the sample is charged to no
// character. A right key is timed from the keystroke before it only when that one was a right
// key too: a key typed after a wrong key or a Backspace counts, but its time would be the
// correction's, not the key's own.
void Keys_Record(KeyStats& keys, const Text16& typedText, const Text16& sample, char16_t ch, uint32_t tick);
// The figure of `ch`, or none.
const KeyFigure* Keys_Find(const KeyStats& keys, char16_t ch);
// The most frequent wrong key of a figure (0 for none) and how often it was typed.
char16_t Keys_MostFrequentWrong(const KeyFigure& figure, uint32_t* count = nullptr);
