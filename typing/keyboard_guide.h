#pragma once
// What the live keyboard shows while the learner types: the key of the next character lit, with
// the Shift key of the other hand when the character is on the shift level, the finger that
// strikes it, and for a moment after a wrong key the key that was hit. Where each key stands in
// a keyboard of a given size. Window-free: the view (typing/keyboard_view_win.cpp) paints what
// this says and repaints only the keys whose look changed.
#include <cstddef>
#include <cstdint>

#include "common/text.h"
#include "typing/keyboards.h"

enum class KeyLook : uint8_t { Plain, Next, Wrong };

struct KeyboardGuide {
  int16_t next = -1;   // the key of the next character (index into the layout's keys), -1 none
  int16_t shift = -1;  // the Shift key to hold with it
  int16_t wrong = -1;  // the key just hit in its place
  bool hasFinger = false;
  Finger finger = Finger::Thumbs;  // the finger of `next`
};

// The guide to `next` (0: nothing known; Backspace: a wrong character to take back; CR: Enter)
// after `wrong`, the character just typed wrongly (0: none). A character on no key of the
// layout (made with a dead key, or of another alphabet) lights nothing.
KeyboardGuide Keyboard_Guide(const KeyboardLayout& layout, char16_t next, char16_t wrong);
KeyLook Keyboard_LookOf(const KeyboardGuide& guide, int key);
// The keys whose look differs between two guides (at most six), written to `keys`; their count.
constexpr size_t kMaxChangedKeys = 6;
size_t Keyboard_ChangedKeys(const KeyboardGuide& before, const KeyboardGuide& after, int16_t* keys);

// A key's box in pixels.
struct KeyBox {
  int left, top, right, bottom;
};
// The box of every key of `layout` (in table order) in a keyboard `width` by `height` pixels:
// rows of equal height, keys as wide as their quarters, a gap of one pixel around each.
void Keyboard_Boxes(const KeyboardLayout& layout, int width, int height, KeyBox* boxes);
// The keyboard's natural height for `width`: keys as tall as a letter key is wide.
int Keyboard_NaturalHeight(int width);

// The next character the learner is to type on the Tests screen: the sample's character after
// the typed text while the text is the sample's beginning (0 at its end), Backspace while a
// wrong character stands.
char16_t Keyboard_NextInSample(const Text16& sample, const Text16& typed);
// On a training screen: the next letter of `target`, the first list word beginning with the
// word in progress (empty when none does), after `word`: a space once the word is whole,
// Backspace when no word begins with it, nothing before a word is begun.
char16_t Keyboard_NextInWord(const Text16& word, const Text16& target);
