// The live keyboard's guide: which keys are lit, and where every key stands.
#include "typing/keyboard_guide.h"

#include "typing/keystrokes.h"

namespace {

bool IsLeftHand(Finger f) { return f <= Finger::LeftIndex; }

// The key of a character: its own key, or the special key that types it.
int KeyIndexOf(const KeyboardLayout& layout, char16_t ch) {
  KeySpecial special = KeySpecial::None;
  if (ch == kBackspace) special = KeySpecial::Backspace;
  if (ch == u'\r' || ch == u'\n') special = KeySpecial::Enter;
  for (size_t i = 0; i < layout.count; ++i) {
    const KeyCap& key = layout.keys[i];
    const bool enter = key.special == KeySpecial::Enter || key.special == KeySpecial::EnterIso;
    if (special == KeySpecial::None ? (ch && (key.normal == ch || key.shifted == ch))
                                    : (key.special == special || (special == KeySpecial::Enter && enter)))
      return static_cast<int>(i);
  }
  return -1;
}

// The Shift key on the side of `left` (the first of the row's two is the left one).
int ShiftKey(const KeyboardLayout& layout, bool left) {
  int found = -1;
  for (size_t i = 0; i < layout.count; ++i) {
    if (layout.keys[i].special != KeySpecial::Shift) continue;
    found = static_cast<int>(i);
    if (left) break;
  }
  return found;
}

}  // namespace

KeyboardGuide Keyboard_Guide(const KeyboardLayout& layout, char16_t next, char16_t wrong) {
  KeyboardGuide guide;
  const int key = KeyIndexOf(layout, next);
  if (key >= 0) {
    const KeyCap& cap = layout.keys[key];
    guide.next = static_cast<int16_t>(key);
    guide.hasFinger = true;
    guide.finger = cap.finger;
    // A character of the shift level only: the other hand holds Shift down.
    if (cap.special == KeySpecial::None && cap.shifted == next && cap.normal != next && cap.finger != Finger::Thumbs)
      guide.shift = static_cast<int16_t>(ShiftKey(layout, !IsLeftHand(cap.finger)));
  }
  const int hit = wrong ? KeyIndexOf(layout, wrong) : -1;
  if (hit >= 0 && hit != key) guide.wrong = static_cast<int16_t>(hit);
  return guide;
}

KeyLook Keyboard_LookOf(const KeyboardGuide& guide, int key) {
  if (key < 0) return KeyLook::Plain;
  if (key == guide.wrong) return KeyLook::Wrong;
  if (key == guide.next || key == guide.shift) return KeyLook::Next;
  return KeyLook::Plain;
}

size_t Keyboard_ChangedKeys(const KeyboardGuide& before, const KeyboardGuide& after, int16_t* keys) {
  size_t n = 0;
  for (int16_t key : {before.next, before.shift, before.wrong, after.next, after.shift, after.wrong}) {
    if (key < 0 || Keyboard_LookOf(before, key) == Keyboard_LookOf(after, key)) continue;
    bool listed = false;
    for (size_t i = 0; i < n; ++i) listed = listed || keys[i] == key;
    if (!listed) keys[n++] = key;
  }
  return n;
}

void Keyboard_Boxes(const KeyboardLayout& layout, int width, int height, KeyBox* boxes) {
  int x[256];
  const size_t count = layout.count < 256 ? layout.count : 256;
  Keyboard_Positions(layout, x);
  for (size_t i = 0; i < count; ++i) {
    const KeyCap& key = layout.keys[i];
    // Edges from the quarters, so that neighbouring keys share them exactly.
    const int left = x[i] * width / kKeyboardQuarters, right = (x[i] + key.width) * width / kKeyboardQuarters;
    const int top = key.row * height / kKeyboardRows, bottom = (key.row + 1) * height / kKeyboardRows;
    boxes[i] = {left + 1, top + 1, right - 1, bottom - 1};
  }
  // The tall Enter reaches down through the home row, beside its last key.
  for (size_t i = 0; i < count; ++i) {
    if (layout.keys[i].special != KeySpecial::EnterIso) continue;
    for (size_t k = 0; k < count; ++k) {
      if (layout.keys[k].row == layout.keys[i].row + 1 && boxes[k].right + 2 > boxes[i].left)
        boxes[i].left = boxes[k].right + 2;
    }
    boxes[i].bottom = (layout.keys[i].row + 2) * height / kKeyboardRows - 1;
  }
}

int Keyboard_NaturalHeight(int width) { return width * kKeyQuarters * kKeyboardRows / kKeyboardQuarters; }

char16_t Keyboard_NextInSample(const Text16& sample, const Text16& typed) {
  if (typed.size() > sample.size() || sample.compare(0, typed.size(), typed) != 0) return kBackspace;
  return typed.size() < sample.size() ? sample[typed.size()] : char16_t(0);
}

char16_t Keyboard_NextInWord(const Text16& word, const Text16& target) {
  if (word.empty()) return 0;
  if (target.size() < word.size()) return kBackspace;
  return target.size() == word.size() ? u' ' : target[word.size()];
}
