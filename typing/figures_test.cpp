// Figures of a stopped test and of a custom word's row.
#include "typing/figures.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(TestFigures, TwoLinesCountCharactersWithCrLfAndWordsAsAReaderDoes) {
  // 'one two\r\nthree': 14 units and three words (a line break separates words like a space);
  // 10 keystrokes in 30 s.
  const TestFigures f = Mode4_ComputeFigures(1000, 31000, 10, 3, u"one two\r\nthree");
  ASSERT_EQ(f.rows, 6);
  EXPECT_EQ(f.values[0], u"0.50");
  EXPECT_EQ(f.values[1], u"20.00");
  EXPECT_EQ(f.values[2], u"14");
  EXPECT_EQ(f.values[3], u"3");
  EXPECT_EQ(f.values[4], u"6.00");
  EXPECT_EQ(f.values[5], u"3");
  for (int r = 0; r < 6; ++r) EXPECT_EQ(f.labelIds[r], kFigureLabelIds[r]);
  EXPECT_EQ(kFigureLabelIds[0], 1028);
  EXPECT_EQ(kFigureLabelIds[5], 1033);
  // Runs of blanks, tabs and empty lines separate words once; blanks at either end count none.
  EXPECT_EQ(Mode4_CountWords(u"  one\t two  \r\n\r\nthree \r\n"), 3);
  EXPECT_EQ(Mode4_CountWords(u" \r\n\t"), 0);
  EXPECT_EQ(Mode4_CountWords(u"one,two"), 1);
  // A punctuation mark standing alone is no word, as the French put a blank before ":", ";",
  // "?" and "!"; a run holding a letter or digit is one.
  EXPECT_EQ(Mode4_CountWords(u"Oui : non ; \u00E7a ? fin ! \u00AB x \u00BB - 2"), 6);
}

TEST(TestFigures, EveryRowDescribesThisTestEvenWithoutASpace) {
  // A text without a space still shows its words, WPM and errors: no row keeps an older test's.
  const TestFigures f = Mode4_ComputeFigures(0, 60000, 7, 2, u"one\r\ntwo");
  ASSERT_EQ(f.rows, 6);
  EXPECT_EQ(f.values[0], u"1.00");
  EXPECT_EQ(f.values[1], u"7.00");
  EXPECT_EQ(f.values[2], u"8");
  EXPECT_EQ(f.values[3], u"2");
  EXPECT_EQ(f.values[4], u"2.00");
  EXPECT_EQ(f.values[5], u"2");

  const TestFigures empty = Mode4_ComputeFigures(0, 60000, 0, 0, u"");
  ASSERT_EQ(empty.rows, 6);
  EXPECT_EQ(empty.values[1], u"0.00");
  EXPECT_EQ(empty.values[2], u"0");
  EXPECT_EQ(empty.values[3], u"0");
  EXPECT_EQ(empty.values[4], u"0.00");
  EXPECT_EQ(empty.values[5], u"0");
}

TEST(TestFigures, ZeroLengthTestShowsZeroRatesInsteadOfInfinity) {
  const TestFigures f = Mode4_ComputeFigures(4242, 4242, 10, 0, u"a b");
  ASSERT_EQ(f.rows, 6);
  EXPECT_EQ(f.values[0], u"0.00");
  EXPECT_EQ(f.values[1], u"0.00") << "10 keystrokes in no time";
  EXPECT_EQ(f.values[4], u"0.00") << "2 words in no time";
  const TestFigures none = Mode4_ComputeFigures(4242, 4242, 0, 0, u"");
  EXPECT_EQ(none.values[1], u"0.00") << "0 / 0";
  EXPECT_EQ(none.values[4], u"0.00");
}

TEST(TestFigures, TickDifferenceIsTakenIn32BitsAcrossTheWrap) {
  // 0xFFFFF000 -> 0x0000EA60 + 0x1000: 60 s across the wrap of the tick count.
  const uint32_t start = 0xFFFFF000u;
  const uint32_t stop = start + 60000u;
  EXPECT_DOUBLE_EQ(Mode4_TestMinutes(start, stop), 1.0);
  EXPECT_EQ(Mode4_ComputeFigures(start, stop, 90, 0, u"x").values[1], u"90.00");
  // A stop tick before the start reads as negative time, not as 49 days.
  EXPECT_LT(Mode4_TestMinutes(2000, 1000), 0.0);
}

TEST(TestFigures, FormattingRoundsToTwoDecimalsAndPrintsWholeNumbers) {
  EXPECT_EQ(App_FormatFixed2(2.0 / 3.0), u"0.67");
  EXPECT_EQ(App_FormatFixed2(-1.004), u"-1.00");
  EXPECT_EQ(App_FormatFixed2(1e20), u"100000000000000000000.00");
  EXPECT_EQ(App_FormatFixed2(1e300).size(), 304u);  // never cut short
  // The exact binary value decides, a tie going to the even hundredth, as printf's "%.2f" does.
  const struct {
    double value;
    const char16_t* shown;
  } exact[] = {{0.125, u"0.12"}, {0.375, u"0.38"}, {2.675, u"2.67"}, {1.005, u"1.00"}, {-0.0, u"-0.00"},
               {-1e-300, u"-0.00"}, {4503599627370495.5, u"4503599627370495.50"}, {1.0 / 0.0, u"inf"}};
  for (const auto& row : exact) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(App_FormatFixed2(row.value), row.shown);
  }
  EXPECT_EQ(App_FormatInt(-32768), u"-32768");
  EXPECT_EQ(App_FormatInt(2147483647), u"2147483647");
}

TEST(LiveFigures, ElapsedMinutesAndSecondsWithTheCpmAndErrorsOfTheStatisticsRows) {
  // 75.9 s: whole seconds only; 10 keystrokes in 75.9 s.
  const TestFigures soFar = Mode4_ComputeFigures(1000, 76900, 10, 2, u"one two");
  const LiveFigures live = Mode4_LiveFigures(soFar, 1000, 76900, 2);
  EXPECT_EQ(live.elapsed, u"1:15");
  EXPECT_EQ(live.cpm, soFar.values[1]);
  EXPECT_EQ(live.cpm, u"7.91");
  EXPECT_EQ(live.errors, u"2");
  EXPECT_EQ(Mode4_FormatElapsed(0, 999), u"0:00");
  EXPECT_EQ(Mode4_FormatElapsed(0, 600000), u"10:00");
  EXPECT_EQ(Mode4_FormatElapsed(0xFFFFF000u, 0xFFFFF000u + 61000u), u"1:01");  // across the wrap
  EXPECT_EQ(Mode4_FormatElapsed(2000, 1000), u"0:00");
}

CustomWordRecord Word(const Text16& w, float total, int16_t errors, int16_t count) {
  return {w, static_cast<int32_t>(w.size()), 0.0f, total, 0, errors, count};
}

TEST(WordRowFigures, MeanTimeMeanStepMeanErrorsAndCount) {
  WordRowFigures row;
  ASSERT_TRUE(Mode3_WordRowFigures(Word(u"word", 1.2f, 3, 2), row));
  EXPECT_EQ(row.speed, u"0.60 (0.20)");
  EXPECT_EQ(row.errors, u"1.50");  // a real mean, not an integer division
  EXPECT_EQ(row.count, u"2");
}

TEST(WordRowFigures, OneLetterWordHasNoStepFigureAndUntypedWordShowsNothing) {
  WordRowFigures row;
  ASSERT_TRUE(Mode3_WordRowFigures(Word(u"a", 0.9f, 0, 3), row));
  EXPECT_EQ(row.speed, u"0.30 (n/a)");
  EXPECT_EQ(row.errors, u"0.00");
  EXPECT_EQ(row.count, u"3");

  row = WordRowFigures();
  EXPECT_FALSE(Mode3_WordRowFigures(Word(u"word", 0.0f, 0, 0), row));
  EXPECT_TRUE(row.speed.empty());
}

}  // namespace
