#pragma once
// The keyboard each language's learners type on, in one table: the Windows layouts US QWERTY
// (English), AZERTY (French) and ЙЦУКЕН (Russian), each key with its characters on both shift
// levels, its row, its place in the row and the finger that strikes it in touch typing. The
// keyboard page, the report's key section and the practice of weak keys all draw from it.
#include <cstddef>
#include <cstdint>

enum class Finger : uint8_t {
  LeftLittle, LeftRing, LeftMiddle, LeftIndex, Thumbs, RightIndex, RightMiddle, RightRing, RightLittle,
};

// Keys without a character of their own; EnterIso is the tall Enter of the AZERTY board, set in
// the top letter row and reaching down into the home row.
enum class KeySpecial : uint8_t { None, Backspace, Tab, Caps, Enter, EnterIso, Shift, Space };

// Widths and gaps in quarters of a letter key; each row runs 60 quarters (the space bar's row
// is centred under the letters by its gap).
constexpr int kKeyQuarters = 4;
constexpr int kKeyboardQuarters = 60;
constexpr int kKeyboardRows = 5;  // digits, top letters, home row, bottom letters, space bar

struct KeyCap {
  uint8_t row;        // 0 to 4
  uint8_t gapBefore;  // quarters left empty before the key
  uint8_t width;      // quarters
  char16_t normal;    // unshifted character, 0 for none
  char16_t shifted;   // with Shift, 0 for none
  Finger finger;
  bool home;          // a home key: where the finger rests
  KeySpecial special;
};

struct KeyboardLayout {
  const char* name;  // as the page names it: "US QWERTY"
  const KeyCap* keys;
  size_t count;
};

// Finger colours as 0xRRGGBB, the same finger of both hands alike: little, ring, middle, index,
// thumbs; and the colour of the keys without a character of their own. The keyboard page and the
// live keyboard paint with them.
constexpr uint32_t kFingerColours[5] = {0xe7a1c4, 0xf3c969, 0x8fd19e, 0x7fb2e5, 0xc2b3e6};
constexpr uint32_t kSpecialKeyColour = 0xe4e4e4;
int Keyboard_FingerColourIndex(Finger finger);
// The capital of a small letter of the three alphabets (0 for anything else): a letter key shows
// its capital, as the keys of a real keyboard do.
char16_t Keyboard_Capital(char16_t c);

// The layout of language 1, 2 or 3 (any other number: English).
const KeyboardLayout& Keyboard_Of(int language);
// The key that types `ch` on either shift level, or none (a character made with a dead key or
// AltGr, or of another alphabet).
const KeyCap* Keyboard_KeyOf(const KeyboardLayout& layout, char16_t ch);
// The left edge of each key in quarters, in table order (`x` holds layout.count values).
void Keyboard_Positions(const KeyboardLayout& layout, int* x);
