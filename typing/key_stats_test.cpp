// Per-key figures of a test: what each keystroke is charged to, which times are kept, the most
// frequent wrong key, and the Tests mode's step keeping them for the running test only.
#include "typing/key_stats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typing/keystrokes.h"
#include "typing/words.h"

namespace {

// A keystroke on a typing area whose text the test holds: `ch` typed at `tick`; Backspace takes
// the last character away, any other is inserted after the step as the edit control does.
struct Stroke {
  char16_t ch;
  uint32_t tick;
};

KeyStats Typed(const Text16& sample, const std::vector<Stroke>& strokes) {
  KeyStats keys;
  Text16 text;
  for (const Stroke& s : strokes) {
    Keys_Record(keys, text, sample, s.ch, s.tick);
    if (s.ch == 8) {
      if (!text.empty()) text.pop_back();
    } else {
      text += s.ch;
    }
  }
  return keys;
}

struct Expect {
  char16_t ch;
  uint32_t expected, errors, timed, ms;
  char16_t wrong;
  uint32_t wrongTimes;
};

TEST(KeyStats, EachKeystrokeIsChargedToTheCharacterItWasFor) {
  struct Case {
    const char* name;
    Text16 sample;
    std::vector<Stroke> strokes;
    std::vector<Expect> figures;  // every character with a figure; the others have none
  } cases[] = {
      {"the first key is not timed; the others from the keystroke before",
       u"abc", {{'a', 1000}, {'b', 1200}, {'c', 1500}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 1, 0, 1, 200, 0, 0}, {'c', 1, 0, 1, 300, 0, 0}}},
      {"a pause over two seconds is not timed, two seconds are",
       u"abc", {{'a', 0}, {'b', 2000}, {'c', 4001}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 1, 0, 1, 2000, 0, 0}, {'c', 1, 0, 0, 0, 0, 0}}},
      {"a slip mended at once: the right key counts, untimed; the key after it is timed from it",
       u"abc", {{'a', 0}, {'x', 100}, {8, 120}, {'b', 140}, {'c', 300}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 2, 1, 0, 0, 'x', 1}, {'c', 1, 0, 1, 160, 0, 0}}},
      {"a slip mended after a pause: the same",
       u"ab", {{'a', 0}, {'x', 700}, {8, 1400}, {'b', 1420}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 2, 1, 0, 0, 'x', 1}}},
      {"a slip left standing, mended keys later: only the slip and the key typed after it count",
       u"abcd", {{'a', 0}, {'x', 100}, {'c', 200}, {8, 300}, {8, 400}, {'b', 500}, {'c', 600}, {'d', 700}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 2, 1, 0, 0, 'x', 1}, {'c', 1, 0, 1, 100, 0, 0},
        {'d', 1, 0, 1, 100, 0, 0}}},
      {"a Backspace on a right text: the key typed again is not timed",
       u"ab", {{'a', 0}, {8, 100}, {'a', 200}, {'b', 300}},
       {{'a', 2, 0, 0, 0, 0, 0}, {'b', 1, 0, 1, 100, 0, 0}}},
      {"keys after an uncorrected error are charged to nothing",
       u"abcd", {{'a', 0}, {'x', 100}, {'c', 200}, {'d', 300}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 1, 1, 0, 0, 'x', 1}}},
      {"a right line break is no key, but times the key after it; past the end nothing counts",
       u"a\r\nb", {{'a', 0}, {'\r', 100}, {'\n', 150}, {'b', 250}, {'z', 300}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 1, 0, 1, 100, 0, 0}}},
      {"a control character typed for a letter is an error without a wrong key",
       u"ab", {{'\r', 0}, {8, 50}, {'a', 80}},
       {{'a', 2, 1, 0, 0, 0, 0}}},
      {"the tick count's wrap-around",
       u"ab", {{'a', 0xFFFFFF00u}, {'b', 0x40}},
       {{'a', 1, 0, 0, 0, 0, 0}, {'b', 1, 0, 1, 0x140, 0, 0}}},
      {"the most frequent of more wrong keys than are remembered",
       u"t", {{'a', 0}, {8, 1}, {'b', 2}, {8, 3}, {'c', 4}, {8, 5}, {'r', 6}, {8, 7}, {'r', 8}, {8, 9},
              {'d', 10}, {8, 11}, {'e', 12}, {8, 13}, {'r', 14}, {8, 15}, {'t', 16}},
       {{'t', 9, 8, 0, 0, 'r', 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KeyStats keys = Typed(c.sample, c.strokes);
    EXPECT_EQ(keys.used, c.figures.size());
    for (const Expect& e : c.figures) {
      SCOPED_TRACE(static_cast<int>(e.ch));
      const KeyFigure* f = Keys_Find(keys, e.ch);
      ASSERT_NE(f, nullptr);
      EXPECT_EQ(f->expected, e.expected);
      EXPECT_EQ(f->errors, e.errors);
      EXPECT_EQ(f->timed, e.timed);
      EXPECT_EQ(f->ms, e.ms);
      uint32_t times = 99;
      EXPECT_EQ(Keys_MostFrequentWrong(*f, &times), e.wrong);
      EXPECT_EQ(times, e.wrongTimes);
    }
  }
}

TEST(KeyStats, AFullTableCountsNoMoreCharactersAndLosesNone) {
  Text16 sample;
  for (char16_t c = 0x4E00; c < 0x4E00 + kKeySlots; ++c) sample += c;
  KeyStats keys;
  for (size_t i = 0; i < sample.size(); ++i) Keys_Record(keys, sample.substr(0, i), sample, sample[i], 10 * i);
  EXPECT_EQ(keys.used, kKeySlotsUsable);
  for (size_t i = 0; i < sample.size(); ++i) {
    const KeyFigure* f = Keys_Find(keys, sample[i]);
    EXPECT_EQ(f != nullptr, i < kKeySlotsUsable) << i;
    if (f) {
      EXPECT_EQ(f->expected, 1u);
    }
  }
}

// The Tests mode's step keeps the figures of the running test: a start empties them, and keys
// typed while no test runs count nowhere.
TEST(KeyStats, TheTestsModeKeepsTheRunningTestsFigures) {
  const TypingState saved = g_Typing;
  g_Typing = TypingState();
  WordTables words;
  const Text16 sample = u"ab ab";
  Text16 text;
  uint32_t tick = 5000;
  auto type = [&](char16_t ch) {
    const Text16 caret = text;
    KeystrokeInput in{ch, static_cast<uint16_t>(ch == u' ' ? kKeySpace : 30), 4, tick, caret, text, sample, nullptr};
    App_TypingStep(in, g_Typing, words);
    text += ch;
    tick += 100;
  };
  type(u'a');  // the automatic start
  type(u'b');
  ASSERT_NE(Keys_Find(g_Typing.keys, u'b'), nullptr);
  EXPECT_EQ(Keys_Find(g_Typing.keys, u'b')->ms, 100u);
  Mode4_StopTestState(g_Typing, tick, text);
  type(u' ');  // typed while idle
  EXPECT_EQ(Keys_Find(g_Typing.keys, u' '), nullptr);
  Mode4_StartTestState(g_Typing, tick);
  EXPECT_EQ(g_Typing.keys.used, 0u);
  EXPECT_EQ(Keys_Find(g_Typing.keys, u'a'), nullptr);
  g_Typing = saved;
}

}  // namespace
