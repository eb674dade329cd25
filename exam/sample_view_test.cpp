// The mark and the line the sample view shows while the typist works through the sample.
#include "exam/sample_view.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleViewMark, StandsWhereTheSampleAndTheTypedTextPart) {
  const Text16 sample = u"ab cd.\r\nef";
  EXPECT_EQ(Mode4_PartingPoint(sample, u""), 0u);
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab c"), 4u);
  // A wrong character leaves the mark on the character that should have come.
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab x"), 3u);
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab xyz"), 3u);
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab cd.\r\nef"), sample.size());
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab cd.\r\nefgh"), sample.size());
  // A lone CR stops before the line break, which the mark covers whole.
  EXPECT_EQ(Mode4_PartingPoint(sample, u"ab cd.\r"), 6u);
  EXPECT_EQ(Mode4_MarkLength(sample, 6), 2u);
  EXPECT_EQ(Mode4_MarkLength(sample, 3), 1u);
  EXPECT_EQ(Mode4_MarkLength(sample, sample.size()), 0u);
  // A surrogate pair is one character.
  const Text16 clef = u"a\U0001D11Eb";
  EXPECT_EQ(Mode4_PartingPoint(clef, Text16(u"a") + clef[1]), 1u);
  EXPECT_EQ(Mode4_MarkLength(clef, 1), 2u);
  EXPECT_EQ(Mode4_MarkLength(clef, 3), 1u);
}

TEST(SampleViewScroll, NeverMovesWhileTheMarkIsInSight) {
  // Lines 0 to 19 shown of 32.
  for (int line : {0, 1, 10, 19}) EXPECT_EQ(Mode4_FirstLineToShow(0, 20, line, 32), 0) << line;
  // Lines 12 to 31 shown: the first and the last shown line keep the view where it is.
  EXPECT_EQ(Mode4_FirstLineToShow(12, 20, 12, 32), 12);
  EXPECT_EQ(Mode4_FirstLineToShow(12, 20, 31, 32), 12);
}

TEST(SampleViewScroll, BringsTheMarkInUnderOneLineOfContext) {
  // Past the last shown line: the mark's line comes second.
  EXPECT_EQ(Mode4_FirstLineToShow(0, 20, 20, 60), 19);
  EXPECT_EQ(Mode4_FirstLineToShow(0, 20, 25, 60), 24);
  // Back above the first shown line (Backspace, Clear): the same.
  EXPECT_EQ(Mode4_FirstLineToShow(19, 20, 10, 60), 9);
  // No line above the first one.
  EXPECT_EQ(Mode4_FirstLineToShow(19, 20, 0, 60), 0);
  // No room for context in a view of one line.
  EXPECT_EQ(Mode4_FirstLineToShow(0, 1, 5, 60), 5);
}

TEST(SampleViewScroll, StopsWithTheLastLineAtTheBottom) {
  // 32 lines, 20 shown: the view goes no further than lines 12 to 31.
  EXPECT_EQ(Mode4_FirstLineToShow(0, 20, 20, 32), 12);
  EXPECT_EQ(Mode4_FirstLineToShow(0, 20, 31, 32), 12);
  // A view that holds every line shows its top; a view that shows no whole line stays put.
  EXPECT_EQ(Mode4_FirstLineToShow(3, 20, 1, 10), 0);
  EXPECT_EQ(Mode4_FirstLineToShow(4, 0, 30, 32), 4);
}

}  // namespace
