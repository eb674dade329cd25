#pragma once
// Which characters of a typing area were typed wrong and still stand: the typing area shows
// them in the error colour until they are taken back. Kept beside the text, one flag per UTF-16
// unit, from each character's step (a character is wrong when its step sounded the alert);
// anything else that changes the text (a paste, a click moving the caret) leaves the marks
// unknown, and the screen then marks nothing, or, on the Tests screen, everything from the first
// place where the text leaves the sample. Window-free.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/text.h"

// The error colour (0xRRGGBB) and its ink: a wrong character in the typing area, the place of a
// standing error in the sample view and a wrong key on the live keyboard.
constexpr uint32_t kErrorColour = 0xd9362b;
constexpr uint32_t kErrorInk = 0xffffff;

struct MistakeMarks {
  std::vector<uint8_t> wrong;  // per unit of the text: 1 typed wrong
  bool known = true;           // false: the flags no longer follow the text
};

// The area was emptied.
void Marks_Clear(MistakeMarks& marks);
// One character typed into a text of `length` units (before the character), with the caret at
// its end or not, and the text ending in a line break or not: Backspace takes back one unit, or
// a line break's two; Enter adds a line break's two; anything else one. Typed anywhere but at
// the end, the marks become unknown.
void Marks_Typed(MistakeMarks& marks, char16_t ch, bool wrong, size_t length, bool atEnd, bool afterLineBreak);
// The runs of wrong units, [begin, end) pairs in text order, for a text of `length` units. On the
// Tests screen unknown marks are found again from the sample: every unit from the first one that
// leaves it.
struct MarkRun {
  size_t begin, end;
};
std::vector<MarkRun> Marks_Runs(MistakeMarks& marks, size_t length, const Text16* sample, const Text16* text);
