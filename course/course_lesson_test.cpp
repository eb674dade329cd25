// The lessons of the course, built from the shipped word lists at each stage of each language.
#include "course/course_lesson.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/files.h"
#include "exam/sample_text.h"
#include "keys/key_practice.h"
#include "testing/scan_codes.h"
#include "testing/whole_files.h"
#include "typing/keystrokes.h"

namespace {

CourseWords Shipped(int language) {
  return Course_DecodeWords(language, kftest::ReadAll(Path_Join(KF_DATA_DIR, Course_WordsRelativePath(language))));
}

// The first `keys` keys of the order unlocked, none typed yet: the newest is the focus (the
// first key when only the first lesson's are unlocked).
CourseProgress Stage(const CourseKeyOrder& order, size_t keys) {
  CourseProgress progress = Course_NewProgress(order);
  for (size_t i = progress.unlocked.size(); i < keys && i < order.keys.size(); ++i)
    progress.unlocked.push_back({order.keys[i], {}});
  return progress;
}

std::vector<Text16> Words(const Text16& text) {
  std::vector<Text16> words;
  Text16 word;
  for (char16_t c : text + u" ") {
    if (c != u' ' && c != u'\r' && c != u'\n') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// The lesson typed through the Tests mode's keystroke rules, each key right: errors and alerts.
void ExpectTypedWhole(const Text16& lesson) {
  const TypingState savedTyping = g_Typing;
  const WordTables savedWords = g_Words;
  g_Typing = TypingState();
  Mode4_ParseSampleText(lesson);
  Text16 typed;
  uint32_t tick = 5000;
  bool stopped = false;
  for (char16_t c : lesson) {
    if (c == u'\n') continue;
    const Text16 caret = typed.substr(typed.rfind(u'\n') == Text16::npos ? 0 : typed.rfind(u'\n') + 1);
    const KeystrokeInput in = {c, kftest::ScanCode(c), 4, tick += 150, caret, typed, lesson, nullptr};
    const KeystrokeStep step = App_TypingStep(in, g_Typing, g_Words);
    EXPECT_TRUE(step.alerts.empty()) << typed.size();
    stopped = stopped || step.stopped.has_value();
    typed += c == u'\r' ? Text16(u"\r\n") : Text16(1, c);
  }
  EXPECT_TRUE(stopped);
  EXPECT_EQ(g_Typing.testErrors, 0);
  for (const TestWordRecord& r : g_Words.testWords) EXPECT_EQ(r.errors, 0);
  g_Typing = savedTyping;
  g_Words = savedWords;
}

}  // namespace

TEST(CourseLesson, EveryStageUsesOnlyItsKeysHoldsTheFocusInMostWordsAndIsTypedWhole) {
  for (int language = 1; language <= 3; ++language) {
    const CourseWords words = Shipped(language);
    const CourseKeyOrder order = Course_KeyOrder(words);
    const size_t capitals = order.keys.find(kCourseCapitals);
    ASSERT_NE(capitals, Text16::npos);
    const size_t stages[] = {order.startCount,    order.startCount + 1, order.startCount + 6, capitals,
                             capitals + 1,        capitals + 2,         capitals + 5,         order.keys.size() - 5,
                             order.keys.size()};
    for (size_t keys : stages) {
      for (uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(std::to_string(language) + " with " + std::to_string(keys) + " keys, seed " + std::to_string(seed));
        const CourseProgress progress = Stage(order, keys);
        const CourseLesson lesson = Course_BuildLesson(words, order, progress, {}, seed);
        ASSERT_FALSE(lesson.text.empty());
        EXPECT_EQ(lesson.focus, order.keys[keys == order.startCount ? 0 : keys - 1]);
        for (size_t i = 0; i < lesson.text.size(); ++i) {
          const char16_t c = lesson.text[i];
          if (c == u' ' || (c == u'\r' && lesson.text[i + 1] == u'\n') || (c == u'\n' && lesson.text[i - 1] == u'\r'))
            continue;
          char16_t made[2];
          Course_KeysOfCharacter(language, c, made);
          ASSERT_TRUE(made[0] && Course_FiguresOf(progress, made[0])) << Text_ToUtf8(Text16(1, c));
          ASSERT_TRUE(!made[1] || Course_FiguresOf(progress, made[1])) << Text_ToUtf8(Text16(1, c));
        }
        const std::vector<Text16> tokens = Words(lesson.text);
        size_t holding = 0;
        for (const Text16& w : tokens) holding += Course_WordHolds(language, w, lesson.focus);
        EXPECT_EQ(tokens.size(), lesson.words);
        EXPECT_EQ(holding, lesson.focusWords);
        EXPECT_GE(holding * 10, tokens.size() * 7) << Text_ToUtf8(lesson.text);
        // Lines as a sample's: one space between words, none at the ends, short enough to show.
        size_t start = 0;
        while (start <= lesson.text.size()) {
          size_t end = lesson.text.find(u"\r\n", start);
          if (end == Text16::npos) end = lesson.text.size();
          const Text16 line = lesson.text.substr(start, end - start);
          EXPECT_TRUE(!line.empty() && line.size() <= kPracticeLineUnits && line.front() != u' ' &&
                      line.back() != u' ' && line.find(u"  ") == Text16::npos);
          start = end + 2;
        }
        EXPECT_GE(lesson.text.size(), kMinLessonChars);
        EXPECT_LT(lesson.text.size(), static_cast<size_t>(kSampleCapacity));
        ExpectTypedWhole(lesson.text);
      }
    }
  }
}

TEST(CourseLesson, TooFewRealWordsAreFilledWithWordsThatFollowTheLetterModel) {
  const std::string list = "sale\r\nfalse\r\nlake\r\nfake\r\ndesk\r\njade\r\nasked\r\nleads\r\nseal\r\nflask\r\n";
  const CourseWords words = Course_DecodeWords(1, list);
  const CourseKeyOrder order = Course_KeyOrder(words);
  std::set<Text16> real(words.words.begin(), words.words.end()), pairs;
  for (const Text16& w : words.words) {
    for (size_t i = 1; i < w.size(); ++i) pairs.insert(w.substr(i - 1, 2));
  }
  const CourseLesson lesson = Course_BuildLesson(words, order, Course_NewProgress(order), {}, 9);
  size_t made = 0;
  for (const Text16& w : Words(lesson.text)) {
    if (real.count(w)) continue;
    ++made;
    SCOPED_TRACE(Text_ToUtf8(w));
    EXPECT_GE(w.size(), kMinMadeWord);
    for (size_t i = 1; i < w.size(); ++i) EXPECT_TRUE(pairs.count(w.substr(i - 1, 2)));
  }
  EXPECT_GT(made, 0u);
  EXPECT_EQ(made, lesson.madeWords);
}

TEST(CourseLesson, EachSeedGivesItsOwnLessonAndTheLengthFollowsThePace) {
  const CourseWords words = Shipped(1);
  const CourseKeyOrder order = Course_KeyOrder(words);
  std::set<Text16> texts;
  for (uint32_t seed = 1; seed <= 5; ++seed) texts.insert(Course_BuildLesson(words, order, Stage(order, 12), {}, seed).text);
  EXPECT_EQ(texts.size(), 5u);
  EXPECT_EQ(Course_BuildLesson(words, order, Stage(order, 12), {}, 4).text,
            Course_BuildLesson(words, order, Stage(order, 12), {}, 4).text);
  struct Row {
    double msPerKey;  // 0: nothing timed yet
    size_t chars;
  };
  const Row rows[] = {{0, 175}, {200, 300}, {1000, kMinLessonChars}, {20, kMaxLessonChars}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.msPerKey);
    CourseProgress progress = Stage(order, 12);
    if (row.msPerKey > 0) progress.unlocked[0].figures = {40, 0, 40, 40 * row.msPerKey};
    const Text16 text = Course_BuildLesson(words, order, progress, {}, 1).text;
    const size_t breaks = static_cast<size_t>(std::count(text.begin(), text.end(), u'\n'));
    EXPECT_GE(text.size() - breaks, row.chars);
    EXPECT_LE(text.size() - breaks, row.chars + kMaxCourseWord + 1);
  }
}
