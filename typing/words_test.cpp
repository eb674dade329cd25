#include "typing/words.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TestWordRecord TestWord(int16_t index, const Text16& word) {
  return TestWordRecord{index, word, static_cast<int32_t>(word.size()), 0.0f, -1};
}

CustomWordRecord CustomWord(const Text16& word) {
  return CustomWordRecord{word, static_cast<int32_t>(word.size()), 0, 0, 0, 0, 0};
}

class WordTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { g_Words = WordTables(); }
  void TearDown() override { g_Words = WordTables(); }
  void SetCustomWords(std::initializer_list<Text16> words) {
    g_Words.customWords.clear();
    for (const Text16& w : words) g_Words.customWords.push_back(CustomWord(w));
  }
};

// The hand letters of the three string tables, as the classification examples use them.
const HandLetters kEnglish = {u"qwertasdfgzxcvbQWERTASDFDGZXCVB", u"yuiophjklnmYUIOPHJKLNM"};
const HandLetters kFrench = {u"éazertqsdfgwxcvbÉAZERTQSDFGWXCVB", u"èçàyuiophjklnmÈÀYUIOPHJKLNM"};
const HandLetters kRussian = {u"ёйцукефывапячсмиЁЙЦУКЕФЫВАПЯЧСМИ", u"нгшщзхъролджэтьбюНГШЩЗХРОЛДЖЭТЬБЮ"};

}  // namespace

TEST_F(WordTablesTest, FindTestWordAtFindsTheWordThatBeginsInTheRun) {
  EXPECT_EQ(Mode4_FindTestWordAt(0, 5), -1);  // empty table
  // "the cat, the dog": each occurrence of "the" by its own place.
  for (const auto& [index, word, offset] : {std::tuple<int16_t, const char16_t*, int32_t>{0, u"the", 0},
                                            {1, u"cat", 4}, {2, u"the", 9}, {3, u"dog", 13}}) {
    g_Words.testWords.push_back(TestWord(index, word));
    g_Words.testWords.back().offset = offset;
  }
  const struct {
    size_t begin, end;
    int16_t found;
  } runs[] = {{0, 3, 0}, {4, 8, 1}, {3, 8, 1}, {9, 12, 2}, {13, 16, 3}, {8, 9, -1}, {17, 20, -1}, {1, 4, -1}};
  for (const auto& run : runs) {
    SCOPED_TRACE(testing::Message() << run.begin << "-" << run.end);
    EXPECT_EQ(Mode4_FindTestWordAt(run.begin, run.end), run.found);
  }
}

TEST_F(WordTablesTest, FindCustomWordIsExactCaseSensitiveAndFirstHit) {
  EXPECT_EQ(Mode3_FindCustomWord(u"x"), -1);
  SetCustomWords({u"été", u"Été", u"été", u"дом"});
  EXPECT_EQ(Mode3_FindCustomWord(u"été"), 0);
  EXPECT_EQ(Mode3_FindCustomWord(u"Été"), 1);
  EXPECT_EQ(Mode3_FindCustomWord(u"дом"), 3);
  EXPECT_EQ(Mode3_FindCustomWord(u"Дом"), -1);
  EXPECT_EQ(Mode3_FindCustomWord(u"ét"), -1);
}

TEST_F(WordTablesTest, PrefixTerminatorRule) {
  EXPECT_FALSE(App_IsCustomWordPrefix(u""));  // empty table matches nothing
  EXPECT_FALSE(App_IsCustomWordPrefix(u"a"));
  SetCustomWords({u"ab", u"inside"});
  EXPECT_TRUE(App_IsCustomWordPrefix(u""));   // empty text: the first record
  EXPECT_TRUE(App_IsCustomWordPrefix(u"a"));
  EXPECT_TRUE(App_IsCustomWordPrefix(u"ab"));  // the whole word
  EXPECT_FALSE(App_IsCustomWordPrefix(u"abc"));  // longer than every word
  EXPECT_TRUE(App_IsCustomWordPrefix(u"ins"));   // second record
  EXPECT_FALSE(App_IsCustomWordPrefix(u"In"));   // case counts
  EXPECT_FALSE(App_IsCustomWordPrefix(u"side"));  // inside the word, not at its start
}

TEST_F(WordTablesTest, ClassifyEnglishExamples) {
  EXPECT_EQ(Mode4_ClassifyWord(u"aq", kEnglish), kWordLeftHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"ah", kEnglish), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"ha", kEnglish), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"h", kEnglish), kWordRightHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"", kEnglish), kWordLeftHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"a1", kEnglish), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"table", kEnglish), kWordNone);  // l then e: no single switch
  EXPECT_EQ(Mode4_ClassifyWord(u"Stop", kEnglish), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"ahh", kEnglish), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"aah", kEnglish), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"hha", kEnglish), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"aha", kEnglish), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"hah", kEnglish), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"a-h", kEnglish), kWordNone);  // hyphen is in neither set
  EXPECT_EQ(Mode4_ClassifyWord(u"don't", kEnglish), kWordNone);
}

TEST_F(WordTablesTest, ClassifyCustomClassComesLast) {
  SetCustomWords({u"a1bc"});
  EXPECT_EQ(Mode4_ClassifyWord(u"a1", kEnglish), kWordCustom);
  EXPECT_EQ(Mode4_ClassifyWord(u"a1bcd", kEnglish), kWordNone);  // longer than the custom word
  EXPECT_EQ(Mode4_ClassifyWord(u"A1", kEnglish), kWordNone);

  SetCustomWords({u"inside", u"tables", u"aq"});
  EXPECT_EQ(Mode4_ClassifyWord(u"table", kEnglish), kWordCustom);
  EXPECT_EQ(Mode4_ClassifyWord(u"in", kEnglish), kWordRightHand);   // hands before custom
  EXPECT_EQ(Mode4_ClassifyWord(u"aq", kEnglish), kWordLeftHand);    // custom of left letters only
  EXPECT_EQ(Mode4_ClassifyWord(u"", kEnglish), kWordLeftHand);
}

TEST_F(WordTablesTest, ClassifyFrenchAndRussian) {
  // é is a left-hand letter in French, è and à right-hand ones; none is in the English sets.
  EXPECT_EQ(Mode4_ClassifyWord(u"été", kFrench), kWordLeftHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"été", kEnglish), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"à", kFrench), kWordRightHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"déjà", kFrench), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"lève", kFrench), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"élève", kFrench), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"mer", kFrench), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"Ça", kFrench), kWordNone);  // Ç is in neither French set

  EXPECT_EQ(Mode4_ClassifyWord(u"мука", kRussian), kWordLeftHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"два", kRussian), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"нож", kRussian), kWordRightHand);
  EXPECT_EQ(Mode4_ClassifyWord(u"вход", kRussian), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"молок", kRussian), kWordNone);
  EXPECT_EQ(Mode4_ClassifyWord(u"сон", kRussian), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"Рак", kRussian), kWordRightToLeft);
  EXPECT_EQ(Mode4_ClassifyWord(u"ёж", kRussian), kWordLeftToRight);
  EXPECT_EQ(Mode4_ClassifyWord(u"два", kEnglish), kWordNone);
  SetCustomWords({u"молоко"});
  EXPECT_EQ(Mode4_ClassifyWord(u"молок", kRussian), kWordCustom);
}
