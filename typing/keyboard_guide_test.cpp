// The live keyboard's guide: the keys lit for the next character, the keys to repaint, the boxes.
#include "typing/keyboard_guide.h"

#include <gtest/gtest.h>

#include <vector>

#include "typing/keystrokes.h"
#include "typing/mistake_marks.h"

namespace {

// The index of the key of `layout` that types `ch`, or of the special key.
int KeyOf(const KeyboardLayout& layout, char16_t ch, KeySpecial special = KeySpecial::None, int nth = 0) {
  for (size_t i = 0; i < layout.count; ++i) {
    const KeyCap& k = layout.keys[i];
    if (special != KeySpecial::None ? (k.special == special && nth-- == 0) : (k.normal == ch || k.shifted == ch))
      return static_cast<int>(i);
  }
  return -1;
}

TEST(KeyboardGuide, TheNextKeyItsShiftAndItsFingerAndTheWrongKey) {
  const KeyboardLayout& us = Keyboard_Of(1);
  const KeyboardLayout& fr = Keyboard_Of(2);
  const KeyboardLayout& ru = Keyboard_Of(3);
  const struct {
    const char* name;
    const KeyboardLayout& layout;
    char16_t next, wrong;
    int key, shift, hit;
    Finger finger;
  } rows[] = {
      {"a small letter: its key, no Shift", us, u'f', 0, KeyOf(us, u'f'), -1, -1, Finger::LeftIndex},
      {"a capital of the left hand: the right Shift", us, u'F', 0, KeyOf(us, u'f'), KeyOf(us, 0, KeySpecial::Shift, 1), -1,
       Finger::LeftIndex},
      {"a capital of the right hand: the left Shift", us, u'J', 0, KeyOf(us, u'j'), KeyOf(us, 0, KeySpecial::Shift, 0), -1,
       Finger::RightIndex},
      {"a digit of AZERTY is on the shift level", fr, u'2', 0, KeyOf(fr, u'2'), KeyOf(fr, 0, KeySpecial::Shift, 1), -1,
       Finger::LeftRing},
      {"a Cyrillic letter", ru, u'\u0430', 0, KeyOf(ru, u'\u0430'), -1, -1, Finger::LeftIndex},
      {"a line break: Enter", us, u'\r', 0, KeyOf(us, 0, KeySpecial::Enter), -1, -1, Finger::RightLittle},
      {"the tall Enter of AZERTY", fr, u'\r', 0, KeyOf(fr, 0, KeySpecial::EnterIso), -1, -1, Finger::RightLittle},
      {"a wrong character stands: Backspace, and the key hit", us, kBackspace, u'x', KeyOf(us, 0, KeySpecial::Backspace),
       -1, KeyOf(us, u'x'), Finger::RightLittle},
      {"the space: thumbs, no Shift", us, u' ', u'v', KeyOf(us, u' '), -1, KeyOf(us, u'v'), Finger::Thumbs},
      {"a character on no key lights nothing", us, u'\u00e9', u'\u00e9', -1, -1, -1, Finger::Thumbs},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(r.key >= 0 || r.next == u'\u00e9');
    const KeyboardGuide g = Keyboard_Guide(r.layout, r.next, r.wrong);
    EXPECT_EQ(g.next, r.key);
    EXPECT_EQ(g.shift, r.shift);
    EXPECT_EQ(g.wrong, r.hit);
    EXPECT_EQ(g.hasFinger, r.key >= 0);
    if (g.hasFinger) {
      EXPECT_EQ(g.finger, r.finger);
    }
    if (r.hit >= 0) {
      EXPECT_EQ(Keyboard_LookOf(g, r.hit), KeyLook::Wrong);
    }
  }
}

TEST(KeyboardGuide, OnlyTheKeysWhoseLookChangesAreRepainted) {
  const KeyboardLayout& us = Keyboard_Of(1);
  int16_t keys[kMaxChangedKeys];
  const KeyboardGuide f = Keyboard_Guide(us, u'f', 0), j = Keyboard_Guide(us, u'J', 0);
  ASSERT_EQ(Keyboard_ChangedKeys(f, j, keys), 3u);  // f off, j and the left Shift on
  EXPECT_EQ(std::vector<int16_t>(keys, keys + 3), (std::vector<int16_t>{f.next, j.next, j.shift}));
  EXPECT_EQ(Keyboard_ChangedKeys(j, j, keys), 0u);
  // The wrong key's moment ends: only it changes.
  const KeyboardGuide slip = Keyboard_Guide(us, kBackspace, u'x'), after = Keyboard_Guide(us, kBackspace, 0);
  ASSERT_EQ(Keyboard_ChangedKeys(slip, after, keys), 1u);
  EXPECT_EQ(keys[0], slip.wrong);
}

TEST(KeyboardGuide, KeysStandInTheirRowsWithoutOverlapInsideTheKeyboard) {
  for (int language = 1; language <= 3; ++language) {
    SCOPED_TRACE(language);
    const KeyboardLayout& layout = Keyboard_Of(language);
    std::vector<KeyBox> boxes(layout.count);
    const int width = 500, height = 130;  // flatter than natural: the rows share what there is
    Keyboard_Boxes(layout, width, height, boxes.data());
    for (size_t i = 0; i < layout.count; ++i) {
      const KeyBox& a = boxes[i];
      EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= width && a.bottom <= height && a.left < a.right && a.top < a.bottom) << i;
      for (size_t k = i + 1; k < layout.count; ++k) {
        const KeyBox& b = boxes[k];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) << i << " " << k;
      }
    }
  }
  EXPECT_EQ(Keyboard_NaturalHeight(600), 200);  // 15 letter keys across, five rows of square keys
}

TEST(KeyboardGuide, TheNextCharacterOfTheSampleOrOfTheWordInProgress) {
  EXPECT_EQ(Keyboard_NextInSample(u"ab\r\ncd", u"ab"), u'\r');
  EXPECT_EQ(Keyboard_NextInSample(u"ab", u""), u'a');
  EXPECT_EQ(Keyboard_NextInSample(u"ab", u"ab"), 0);
  EXPECT_EQ(Keyboard_NextInSample(u"ab", u"ax"), kBackspace);
  EXPECT_EQ(Keyboard_NextInSample(u"ab", u"abc"), kBackspace);
  EXPECT_EQ(Keyboard_NextInWord(u"", u""), 0);
  EXPECT_EQ(Keyboard_NextInWord(u"wa", u"was"), u's');
  EXPECT_EQ(Keyboard_NextInWord(u"was", u"was"), u' ');
  EXPECT_EQ(Keyboard_NextInWord(u"wx", u""), kBackspace);
}

// The marks follow the text key by key: '~' is a key typed wrong, '#' Backspace, '/' Enter, '@'
// a key typed with the caret away from the end; the runs of wrong units after the script.
TEST(MistakeMarks, WrongCharactersStandUntilTheyAreTakenBack) {
  const struct {
    const char* name;
    const char16_t* script;
    std::vector<MarkRun> runs;
  } rows[] = {
      {"a wrong key stands", u"ab~c", {{2, 3}}},
      {"taken back, it goes", u"ab~#c", {}},
      {"wrong keys after it stand with it", u"a~x~y~z", {{1, 4}}},
      {"Enter adds a line break's two units, Backspace takes both back", u"a~b/#", {{1, 2}}},
      {"a wrong Enter marks both units", u"a~/", {{1, 3}}},
      {"a key typed away from the end: unknown, nothing marked", u"a~@b", {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    MistakeMarks marks;
    Text16 text;
    bool wrongNext = false;
    for (const char16_t* c = r.script; *c; ++c) {
      if (*c == u'~') {
        wrongNext = true;
        continue;
      }
      const bool atEnd = *c != u'@';
      const char16_t ch = *c == u'#' ? kBackspace : *c == u'/' ? u'\r' : *c == u'@' ? u'z' : *c;
      const bool lineBreak = text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0;
      Marks_Typed(marks, ch, wrongNext, text.size(), atEnd, lineBreak);
      if (ch == kBackspace) text.resize(text.size() - (lineBreak ? 2 : 1));
      else text += ch == u'\r' ? Text16(u"\r\n") : Text16(1, ch);
      wrongNext = false;
    }
    const std::vector<MarkRun> runs = Marks_Runs(marks, text.size(), nullptr, nullptr);
    ASSERT_EQ(runs.size(), r.runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
      EXPECT_EQ(runs[i].begin, r.runs[i].begin);
      EXPECT_EQ(runs[i].end, r.runs[i].end);
    }
  }
  // Unknown marks on the Tests screen are found again from the sample; an emptied area follows
  // its text again.
  MistakeMarks lost;
  lost.known = false;
  const Text16 sample = u"abc", text = u"axc";
  const std::vector<MarkRun> fromSample = Marks_Runs(lost, 3, &sample, &text);
  ASSERT_EQ(fromSample.size(), 1u);
  EXPECT_EQ(fromSample[0].begin, 1u);
  EXPECT_EQ(fromSample[0].end, 3u);
  Marks_Typed(lost, u'a', true, 0, true, false);
  EXPECT_TRUE(lost.known);
  EXPECT_EQ(Marks_Runs(lost, 1, nullptr, nullptr).size(), 1u);
}

}  // namespace
