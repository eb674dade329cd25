// Per-key figures of one test: an open-addressed table of characters, updated in place.
#include "typing/key_stats.h"

namespace {

constexpr char16_t kBackspace = 8;

size_t Home(char16_t ch) { return (static_cast<size_t>(ch) * 40503u >> 4) % kKeySlots; }

// The slot of `ch`, taken when it is new and the table has room; none otherwise.
KeyFigure* Slot(KeyStats& keys, char16_t ch) {
  for (size_t i = Home(ch), probes = 0; probes < kKeySlots; ++probes, i = (i + 1) % kKeySlots) {
    KeyFigure& slot = keys.slots[i];
    if (slot.ch == ch) return &slot;
    if (slot.ch == 0) {
      if (keys.used >= kKeySlotsUsable) return nullptr;
      ++keys.used;
      slot.ch = ch;
      return &slot;
    }
  }
  return nullptr;
}

// Space-saving count: a new wrong key takes the place of the rarest when all places are taken.
void CountWrong(KeyFigure& figure, char16_t typed) {
  size_t rarest = 0;
  for (size_t i = 0; i < kWrongKeys; ++i) {
    if (figure.wrong[i] == typed || figure.wrong[i] == 0) {
      figure.wrong[i] = typed;
      ++figure.wrongCount[i];
      return;
    }
    if (figure.wrongCount[i] < figure.wrongCount[rarest]) rarest = i;
  }
  figure.wrong[rarest] = typed;
  ++figure.wrongCount[rarest];
}

}  // namespace

void Keys_Reset(KeyStats& keys) { keys = KeyStats(); }

void Keys_Record(KeyStats& keys, const Text16& typedText, const Text16& sample, char16_t ch, uint32_t tick) {
  const uint32_t gap = tick - keys.lastTick;  // unsigned: right across the tick count's wrap
  const bool timed = keys.lastRight && gap <= kMaxTimedGapMs;
  keys.lastTick = tick;
  keys.lastRight = false;

  const size_t at = typedText.size();
  if (ch == kBackspace || at >= sample.size()) return;
  if (sample.compare(0, at, typedText) != 0) return;  // an earlier error is still there
  const char16_t expected = sample[at];
  // A line break typed where the sample has one is right, and times the key after it.
  keys.lastRight = ch == expected;
  // Control characters (the line breaks) and halves of surrogate pairs are no key of ours.
  if (expected < 0x20 || (expected >= 0xD800 && expected <= 0xDFFF)) return;
  KeyFigure* figure = Slot(keys, expected);
  if (!figure) return;
  ++figure->expected;
  if (ch != expected) {
    ++figure->errors;
    if (ch >= 0x20 && (ch < 0xD800 || ch > 0xDFFF)) CountWrong(*figure, ch);
  } else if (timed) {
    ++figure->timed;
    figure->ms += gap;
  }
}

const KeyFigure* Keys_Find(const KeyStats& keys, char16_t ch) {
  if (ch == 0) return nullptr;
  for (size_t i = Home(ch), probes = 0; probes < kKeySlots; ++probes, i = (i + 1) % kKeySlots) {
    if (keys.slots[i].ch == ch) return &keys.slots[i];
    if (keys.slots[i].ch == 0) return nullptr;
  }
  return nullptr;
}

char16_t Keys_MostFrequentWrong(const KeyFigure& figure, uint32_t* count) {
  size_t best = 0;
  for (size_t i = 1; i < kWrongKeys; ++i) {
    if (figure.wrongCount[i] > figure.wrongCount[best]) best = i;
  }
  if (count) *count = figure.wrongCount[best];
  return figure.wrongCount[best] ? figure.wrong[best] : char16_t(0);
}
