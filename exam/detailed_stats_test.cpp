#include "exam/detailed_stats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "common/files.h"

namespace {

TestWordRecord Typed(int16_t index, const Text16& word, float seconds, int16_t errors) {
  return {index, word, static_cast<int32_t>(word.size()), seconds, errors};
}

TestWordRecord Untyped(int16_t index, const Text16& word) {
  return {index, word, static_cast<int32_t>(word.size()), 0.0f, -1};
}

// ---- Rows -----------------------------------------------------------------------------------

TEST(DetailedStatsRows, OnlyTypedWordsLongerThanOneLetterInTableOrder) {
  const std::vector<TestWordRecord> table = {
      Typed(0, u"quick", 1.2f, 0), Untyped(1, u"brown"), Typed(2, u"a", 0.4f, 0),
      Typed(3, u"fox", 0.9f, 2),   Typed(4, u"", 0.3f, 0),
  };
  const std::vector<DetailedStatsRow> rows = Mode4_DetailedStatsRows(table);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].index, 0);
  EXPECT_EQ(rows[0].word, u"quick");
  EXPECT_EQ(rows[0].length, u"5");
  EXPECT_EQ(rows[0].speed, u"1.20 (0.30)");
  EXPECT_EQ(rows[0].errors, u"0");
  EXPECT_EQ(rows[1].index, 3);
  EXPECT_EQ(rows[1].word, u"fox");
  EXPECT_EQ(rows[1].length, u"3");
  EXPECT_EQ(rows[1].speed, u"0.90 (0.45)");
  EXPECT_EQ(rows[1].errors, u"2");
}

TEST(DetailedStatsRows, EveryTypedOccurrenceHasItsRowAndATypingWithinATickShows) {
  // Each occurrence of a repeated word is timed on its own; a word typed within one tick of the
  // clock took 0.00 s and is typed all the same.
  const std::vector<TestWordRecord> table = {Typed(0, u"the", 0.6f, 1), Untyped(1, u"dog"), Typed(2, u"the", 0.0f, 0)};
  const std::vector<DetailedStatsRow> rows = Mode4_DetailedStatsRows(table);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].index, 0);
  EXPECT_EQ(rows[0].speed, u"0.60 (0.30)");
  EXPECT_EQ(rows[1].index, 2);
  EXPECT_EQ(rows[1].speed, u"0.00 (0.00)");
  EXPECT_EQ(rows[1].errors, u"0");
}

TEST(DetailedStatsRows, LongTimesAndTwoLetterWords) {
  const std::vector<TestWordRecord> table = {Typed(7, u"ab", 4000000.0f, 32767), Typed(8, u"xy", 0.001f, 0)};
  const std::vector<DetailedStatsRow> rows = Mode4_DetailedStatsRows(table);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].speed, u"4000000.00 (4000000.00)");
  EXPECT_EQ(rows[0].errors, u"32767");
  EXPECT_EQ(rows[1].speed, u"0.00 (0.00)");  // typed within a millisecond is still a row
}

TEST(DetailedStatsRows, SortByLengthPutsLongestFirstAndKeepsEveryRecord) {
  std::vector<TestWordRecord> table = {Typed(0, u"ab", 1, 0), Typed(1, u"abcde", 1, 0), Untyped(2, u"a"),
                                       Typed(3, u"abc", 1, 0), Untyped(4, u"abcdefg"), Typed(5, u"xyz", 2, 1)};
  Mode4_SortTestWordsByLength(table);
  ASSERT_EQ(table.size(), 6u);
  for (size_t i = 1; i < table.size(); ++i) EXPECT_GE(table[i - 1].length, table[i].length) << i;
  EXPECT_EQ(table[0].index, 4);
  EXPECT_EQ(table[0].word, u"abcdefg");
  EXPECT_EQ(table[1].index, 1);
  EXPECT_EQ(table[5].index, 2);
  // Every record keeps its own fields: the index still names the word's place in the text.
  std::set<int16_t> indexes;
  for (const TestWordRecord& r : table) {
    indexes.insert(r.index);
    if (r.index == 5) {
      EXPECT_EQ(r.word, u"xyz");
      EXPECT_EQ(r.seconds, 2.0f);
      EXPECT_EQ(r.errors, 1);
    }
  }
  EXPECT_EQ(indexes.size(), 6u);
}

// ---- Sort values ------------------------------------------------------------------------------

double Value(const Text16& cell, int column) {
  double v = -12345.0;
  EXPECT_TRUE(Mode4_CellSortValue(cell, column, v));
  return v;
}

TEST(DetailedStatsSort, ColumnValues) {
  EXPECT_EQ(Value(u"12", 1), 12.0);
  EXPECT_EQ(Value(u"1.50", 1), 1.5);
  // The Speed column compares the seconds per letter step, not the seconds for the word.
  EXPECT_DOUBLE_EQ(Value(u"9.00 (0.25)", 2), 0.25);
  EXPECT_DOUBLE_EQ(Value(u"0.50 (12.75)", 2), 12.75);
  EXPECT_EQ(Value(u"3", 3), 3.0);
  EXPECT_EQ(Value(u"0", 3), 0.0);
  EXPECT_EQ(Value(u"-1", 3), -1.0);
}

TEST(DetailedStatsSort, OddCellsReadAsNumbersAsFarAsTheyGo) {
  EXPECT_EQ(Value(u"3.00 (n/a)", 2), 0.0);  // a one-letter custom word has no per-step figure
  EXPECT_EQ(Value(u"n/a", 2), 0.0);         // no bracket at all
  EXPECT_EQ(Value(u"1.00 (", 2), 0.0);      // nothing inside the bracket
  EXPECT_EQ(Value(u"1.00 (2.50)(7)", 2), 2.5);
  EXPECT_EQ(Value(u"", 1), 0.0);
  EXPECT_EQ(Value(u"é", 1), 0.0);
  EXPECT_EQ(Value(u"4.9", 3), 4.0);  // errors are read as an integer first
  EXPECT_TRUE(std::isinf(Value(u"inf (inf)", 2)));
  EXPECT_TRUE(std::isnan(Value(u"1.00 (nan)", 2)));
}

TEST(DetailedStatsSort, WordColumnAndUnknownColumnsHaveNoValue) {
  double v = 5.0;
  EXPECT_FALSE(Mode4_CellSortValue(u"42", 0, v));
  EXPECT_FALSE(Mode4_CellSortValue(u"42", 4, v));
  EXPECT_FALSE(Mode4_CellSortValue(u"42", -1, v));
}

// ---- Custom list bytes ---------------------------------------------------------------------

TEST(CustomListBytes, Utf8WordsEachEndedByCrLf) {
  EXPECT_EQ(Mode4_CustomListBytes({u"café", u"naïve", u"été"}),
            "caf\xC3\xA9\r\nna\xC3\xAFve\r\n\xC3\xA9t\xC3\xA9\r\n");
  EXPECT_EQ(Mode4_CustomListBytes({u"лиса"}), "\xD0\xBB\xD0\xB8\xD1\x81\xD0\xB0\r\n");
  EXPECT_EQ(Mode4_CustomListBytes({}), "");
  // No byte-order mark, and words keep their order and repeats.
  EXPECT_EQ(Mode4_CustomListBytes({u"b", u"a", u"b"}), "b\r\na\r\nb\r\n");
}

TEST(CustomListBytes, LongWordsAreCutAtAWholeCharacter) {
  const Text16 longAscii(150, u'a');
  EXPECT_EQ(Mode4_CustomListBytes({longAscii}), std::string(kCustomWordUnits, 'a') + "\r\n");

  // 60 two-byte letters: 49 of them fit in 99 bytes, half a letter never.
  const Text16 accents(60, u'é');
  std::string expected;
  for (int i = 0; i < 49; ++i) expected += "\xC3\xA9";
  EXPECT_EQ(Mode4_CustomListBytes({accents}), expected + "\r\n");

  // A character outside the basic plane that does not fit whole is left out, not halved.
  Text16 pairAtUnitLimit(98, u'a');
  pairAtUnitLimit += u"\U0001F600";
  EXPECT_EQ(Mode4_CustomListBytes({pairAtUnitLimit}), std::string(98, 'a') + "\r\n");
  Text16 pairAtByteLimit(97, u'a');
  pairAtByteLimit += u"\U0001F600";
  EXPECT_EQ(Mode4_CustomListBytes({pairAtByteLimit}), std::string(97, 'a') + "\r\n");
  Text16 pairThatFits(95, u'a');
  pairThatFits += u"\U0001F600";
  EXPECT_EQ(Mode4_CustomListBytes({pairThatFits}), std::string(95, 'a') + "\xF0\x9F\x98\x80\r\n");
}

// ---- Where the file goes ------------------------------------------------------------------------

TEST(CustomListPath, LanguageFolderBelowTheBase) {
  const std::string sep(1, kPathSep);
  EXPECT_EQ(Mode4_CustomListPath("base", 1), "base" + sep + "EN" + sep + "Training Words" + sep + "Custom_Words.dat");
  EXPECT_EQ(Mode4_CustomListPath("base", 2), "base" + sep + "FR" + sep + "Training Words" + sep + "Custom_Words.dat");
  EXPECT_EQ(Mode4_CustomListPath("base", 3), "base" + sep + "RU" + sep + "Training Words" + sep + "Custom_Words.dat");
  EXPECT_EQ(Mode4_CustomListPath("base", 9), Mode4_CustomListPath("base", 1));
}

}  // namespace
