#pragma once
// A learner typing a lesson, for the course's tests and benchmark: the key figures the Tests
// mode's keystroke step keeps for it.
#include <cstddef>
#include <cstdint>

#include "common/text.h"
#include "typing/key_stats.h"

namespace kftest {

// `text` typed at one key every `msPerKey` (240 ms: 250 characters a minute), Enter at each line
// break; every `errorEvery`-th character (0: none) is first typed wrong and mended at once.
inline KeyStats TypeLesson(const Text16& text, uint32_t msPerKey, size_t errorEvery) {
  KeyStats stats;
  Keys_Reset(stats);
  Text16 typed;
  uint32_t tick = 1000;
  size_t n = 0;
  for (char16_t c : text) {
    if (c == u'\n') continue;  // the edit control puts it in with the CR of Enter
    if (errorEvery && ++n % errorEvery == 0) {
      Keys_Record(stats, typed, text, u'#', tick += msPerKey);
      typed += u'#';
      Keys_Record(stats, typed, text, 8, tick += msPerKey);
      typed.pop_back();
    }
    Keys_Record(stats, typed, text, c, tick += msPerKey);
    typed += c == u'\r' ? Text16(u"\r\n") : Text16(1, c);
  }
  return stats;
}

}  // namespace kftest
