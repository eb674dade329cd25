// Practice of the weak keys: when there is none yet, which words a text and a list give, and the
// practice texts made from the installed lists and samples of each language.
#include "keys/key_practice.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/files.h"
#include "exam/sample_text.h"
#include "training/word_lists.h"

namespace {

KeyRow Row(int test, char16_t ch, uint32_t expected, uint32_t errors, uint32_t timed, uint64_t ms) {
  KeyRow row;
  row.time = {2026, 12, 1 + test, 10, 0, 0};
  row.ch = ch;
  row.expected = expected;
  row.errors = errors;
  row.timed = timed;
  row.ms = ms;
  return row;
}

// The installed lists and sample of a language, as the glue gathers them.
std::vector<Text16> InstalledWords(int language, Text16& sample) {
  std::vector<Text16> words;
  for (WordList list : {WordList::LeftHand, WordList::RightHand, WordList::LeftToRight, WordList::RightToLeft}) {
    for (const Text16& entry : App_ReadWordList(Path_Join(KF_DATA_DIR, App_ListRelativePath(list, language)),
                                                App_ListEncoding(list, language))) {
      Mode4_CollectWords(entry, words);
    }
  }
  EXPECT_EQ(Mode4_ReadSampleFile(Mode4_DefaultSamplePath(KF_DATA_DIR, language), sample), SampleLoad::Ok);
  Mode4_CollectWords(sample, words);
  return words;
}

std::vector<Text16> Split(const Text16& text, char16_t at) {
  std::vector<Text16> parts;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == at) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

TEST(KeyPractice, WordsOfATextOrListEntry) {
  struct Case {
    Text16 text;
    std::vector<Text16> words;
  } cases[] = {
      {u"Good typing, starts.", {u"Good", u"typing", u"starts"}},
      {u"l'\u00E9t\u00E9 a x2y", {u"\u00E9t\u00E9"}},  // one letter and digits part words
      {u"\u0436\u0438\u0437\u043D\u044C\r\n\u0451\u0436", {u"\u0436\u0438\u0437\u043D\u044C", u"\u0451\u0436"}},
      {u"abcdefghijklmno abcdefghijklmn", {u"abcdefghijklmn"}},  // fifteen letters are too many
  };
  for (const Case& c : cases) {
    std::vector<Text16> words;
    Mode4_CollectWords(c.text, words);
    EXPECT_EQ(words, c.words);
  }
  EXPECT_EQ(Mode4_PracticeFileBytes(u"a\r\n\u0436"), std::string("\xFF\xFE" "a\0\r\0\n\0\x36\x04", 10));
}

TEST(KeyPractice, NothingBeforeTheKeysCanBeJudged) {
  const std::vector<Text16> words = {u"quiz", u"quay", u"aqua"};
  struct Case {
    const char* name;
    std::vector<KeyRow> rows;
    PracticeResult result;
  } cases[] = {
      {"199 keystrokes", {Row(0, u'q', 20, 10, 10, 5000), Row(0, u'a', 179, 0, 179, 30000)},
       PracticeResult::NeedsTests},
      {"200 keystrokes, no key with twenty", {Row(0, u'q', 19, 9, 10, 5000), Row(0, u'\u00E9', 181, 0, 181, 30000)},
       PracticeResult::NeedsTests},
      {"no word holds a judged key", {Row(0, u'x', 100, 30, 70, 30000), Row(0, u'1', 100, 0, 100, 20000)},
       PracticeResult::NoWords},
      {"200 keystrokes", {Row(0, u'q', 20, 10, 10, 5000), Row(0, u'a', 180, 0, 180, 30000)}, PracticeResult::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<KeyRow> rows = c.rows;
    for (KeyRow& row : rows) row.language = "EN";
    const Practice p = Mode4_BuildPractice(Mode4_SummarizeKeys(rows, 1), words, u"a quiet text", 1);
    EXPECT_EQ(p.result, c.result);
    EXPECT_EQ(p.text.empty(), c.result != PracticeResult::Ok);
  }
}

TEST(KeyPractice, TextsOfTheWeakKeysFromTheInstalledWords) {
  struct Case {
    int language;
    std::u16string weak;  // slow and often wrong, weakest first
    std::u16string fine;  // typed well
  } cases[] = {
      {1, u"kpe", u"asdfjlotrnih "},
      {2, u"mzu", u"asdfjkloetrni "},
      {3, u"\u0448\u0436\u0438", u"\u0444\u044B\u0432\u0430\u043E\u043B\u0434\u0435\u043D\u0442 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    std::vector<KeyRow> rows;
    for (int test = 0; test < 4; ++test) {
      for (size_t i = 0; i < c.weak.size(); ++i) {
        rows.push_back(Row(test, c.weak[i], 30, static_cast<uint32_t>(12 - 3 * i), 18, 18 * 450));
      }
      for (char16_t ch : c.fine) rows.push_back(Row(test, ch, 30, 0, 30, 30 * 180));
    }
    for (KeyRow& row : rows) row.language = c.language == 1 ? "EN" : c.language == 2 ? "FR" : "RU";
    const KeySummary summary = Mode4_SummarizeKeys(rows, c.language);
    Text16 sample;
    const std::vector<Text16> words = InstalledWords(c.language, sample);
    const KeyboardLayout& layout = Keyboard_Of(c.language);

    const Practice p = Mode4_BuildPractice(summary, words, sample, 20261208);
    ASSERT_EQ(p.result, PracticeResult::Ok);
    ASSERT_FALSE(p.keys.empty());
    EXPECT_EQ(layout.keys[p.keys[0]].normal, c.weak[0]);  // the weakest key always
    for (size_t key : p.keys) {
      SCOPED_TRACE(static_cast<int>(layout.keys[key].normal));
      EXPECT_NE(c.weak.find(layout.keys[key].normal), std::u16string::npos);
      EXPECT_GE(Mode4_KeyRate(layout.keys[key], p.text), kPracticeBoost * Mode4_KeyRate(layout.keys[key], sample));
    }
    // At most ten lines (fewer when the short installed lists run out of words), of words from
    // the lists, none more than twice.
    const std::vector<Text16> lines = Split(p.text, u'\n');
    EXPECT_GE(lines.size(), kPracticeLines / 2);
    EXPECT_LE(lines.size(), kPracticeLines);
    std::map<Text16, int> uses;
    const std::set<Text16> known(words.begin(), words.end());
    for (size_t i = 0; i < lines.size(); ++i) {
      Text16 line = lines[i];
      if (i + 1 < lines.size()) {
        ASSERT_EQ(line.back(), u'\r');
        line.pop_back();
      }
      EXPECT_LE(line.size(), kPracticeLineUnits);
      for (const Text16& word : Split(line, u' ')) {
        EXPECT_EQ(known.count(word), 1u);
        EXPECT_LE(++uses[word], kPracticeWordUses);
      }
    }
    // A new text for another seed, the same for the same one.
    EXPECT_NE(Mode4_BuildPractice(summary, words, sample, 20261209).text, p.text);
    EXPECT_EQ(Mode4_BuildPractice(summary, words, sample, 20261208).text, p.text);
  }
}

}  // namespace
