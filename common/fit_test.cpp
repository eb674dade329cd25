// The column of parts fitted into the room there is.
#include "common/fit.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Fit, PartsKeepTheirHeightWhileTheyFitAndShareTheShortfallByWhatTheyCanGive) {
  // A gap, a text of 320 (least 60), a gap, a text of 320 (least 100), a keyboard of 167 (least 90).
  const std::vector<FitPart> column = {{60, 60}, {320, 60}, {15, 15}, {320, 100}, {167, 90}};
  const struct {
    const char* name;
    int room;
    std::vector<int> heights;
  } rows[] = {
      {"room to spare: the natural heights, the rest left empty", 1000, {60, 320, 15, 320, 167}},
      {"exactly the natural column", 882, {60, 320, 15, 320, 167}},
      {"short by 277 of the 557 the parts can give: each gives about half of its part", 605,
       {60, 191, 15, 211, 128}},
      {"below the least: every part at its least", 200, {60, 60, 15, 100, 90}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<int> heights(column.size());
    Fit_Column(column.data(), column.size(), r.room, heights.data());
    EXPECT_EQ(heights, r.heights);
    int sum = 0;
    for (int h : heights) sum += h;
    if (r.room <= 882 && r.room >= Fit_Least(column.data(), column.size())) {
      EXPECT_EQ(sum, r.room) << "fills the room";
    }
  }
  EXPECT_EQ(Fit_Least(column.data(), column.size()), 325);
}
