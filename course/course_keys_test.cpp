// The course's order of keys on each language's keyboard, the keys a character is made with,
// and the shipped word lists the order is counted from.
#include "course/course_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/files.h"
#include "testing/whole_files.h"
#include "typing/keyboards.h"

namespace {

std::string Bytes(int language) {
  return kftest::ReadAll(Path_Join(KF_DATA_DIR, Course_WordsRelativePath(language)));
}

}  // namespace

TEST(CourseKeys, TheHomeRowsLettersComeFirstThenEveryOtherLetterThenCapitalsMarksAndDigits) {
  for (int language = 1; language <= 3; ++language) {
    SCOPED_TRACE(language);
    const CourseWords words = Course_DecodeWords(language, Bytes(language));
    const CourseKeyOrder order = Course_KeyOrder(words);
    const KeyboardLayout& layout = Keyboard_Of(language);
    size_t homeLetters = 0;
    for (size_t i = 0; i < layout.count; ++i) {
      const KeyCap& key = layout.keys[i];
      if (!key.home || words.letters.find(key.normal) == Text16::npos) continue;
      ++homeLetters;
      EXPECT_LT(order.keys.find(key.normal), order.startCount);
    }
    EXPECT_GE(homeLetters, 7u);
    // Every letter once; the letters after the home row's by their counts in the words.
    EXPECT_EQ(order.keys.find(kCourseCapitals), words.letters.size());
    for (size_t i = homeLetters + 1; i < words.letters.size(); ++i) {
      const size_t a = words.letters.find(order.keys[i - 1]), b = words.letters.find(order.keys[i]);
      EXPECT_LE(words.letterCounts[b], words.letterCounts[a]) << i;
    }
    // The first lesson's letters make enough real words, and no fewer letters of the order do.
    size_t made = 0, madeBefore = 0;
    for (const Text16& w : words.words) {
      made += Course_MadeOf(w, order.keys.substr(0, order.startCount));
      madeBefore += Course_MadeOf(w, order.keys.substr(0, order.startCount - 1));
    }
    EXPECT_GE(made, kCourseStartWords);
    EXPECT_TRUE(order.startCount == homeLetters || madeBefore < kCourseStartWords);
    CourseStage last = CourseStage::Letters;
    for (char16_t key : order.keys) {
      SCOPED_TRACE(Text_ToUtf8(Text16(1, key)));
      EXPECT_EQ(order.keys.find(key), order.keys.rfind(key));
      EXPECT_GE(static_cast<int>(Course_StageOf(key)), static_cast<int>(last));
      last = Course_StageOf(key);
      EXPECT_TRUE(key == kCourseCapitals || Keyboard_KeyOf(layout, key));
      if (const CourseMark* mark = Course_MarkOf(language, key)) {
        for (const char16_t* p = mark->pattern; *p; ++p) {
          EXPECT_TRUE(*p == u'#' || *p == key || order.keys.find(*p) < order.keys.find(key));
        }
      }
    }
    EXPECT_EQ(last, CourseStage::Digits);
  }
}

TEST(CourseKeys, EveryLineOfTheShippedListsIsAWordOfTheLanguagesKeys) {
  for (int language = 1; language <= 3; ++language) {
    SCOPED_TRACE(language);
    const std::string bytes = Bytes(language);
    const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    const CourseWords words = Course_DecodeWords(language, bytes);
    EXPECT_GT(words.words.size(), 3000u);
    EXPECT_EQ(words.words.size(), lines);  // the tool and the tutor agree on what a word is
    EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  }
}

TEST(CourseKeys, DecodingKeepsOnlyWordsOfTheLanguagesLettersAndLengths) {
  const CourseWords words =
      Course_DecodeWords(3, "\xEF\xBB\xBF\xD0\xB4\xD0\xB0\r\n  \xD0\xB4\xD0\xBE\xD0\xBC \n\xD0\x94\xD0\xB0\n"
                            "da\n\xD0\xB4\n\xFF\xFE\n\r\n\xD0\xB2\xD0\xBE\xD0\xB4\xD0\xB0");
  EXPECT_EQ(words.words, (std::vector<Text16>{u"да", u"дом", u"вода"}));
  EXPECT_EQ(words.letters.size(), 33u);
  EXPECT_EQ(words.letters.substr(0, 2), u"да");  // the most frequent first
  EXPECT_TRUE(Course_DecodeWords(1, std::string(kMaxCourseWordBytes, 'a') + "\nsea\n").words.empty());
}

TEST(CourseKeys, ACharacterIsMadeWithItsOwnKeyAndACapitalAlsoWithTheShiftKeys) {
  struct Row {
    int language;
    char16_t ch;
    char16_t first, second;
  };
  const Row rows[] = {
      {1, u'a', u'a', 0},  {1, u'A', u'a', kCourseCapitals}, {1, u'.', u'.', 0}, {1, u'7', u'7', 0},
      {1, u' ', 0, 0},     {1, u'é', 0, 0},                  {2, u'é', u'é', 0}, {2, u'É', 0, 0},
      {2, u'1', u'1', 0},  {2, u'Q', u'q', kCourseCapitals}, {3, u'Ж', u'ж', kCourseCapitals},
      {3, u',', u',', 0},  {3, u'q', 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Text_ToUtf8(Text16(1, row.ch)) + " in " + std::to_string(row.language));
    char16_t keys[2];
    Course_KeysOfCharacter(row.language, row.ch, keys);
    EXPECT_EQ(keys[0], row.first);
    EXPECT_EQ(keys[1], row.second);
  }
}
