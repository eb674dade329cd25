// The column of parts fitted into the room there is.
#include "common/fit.h"

void Fit_Column(const FitPart* parts, size_t count, int room, int* heights) {
  long long natural = 0, give = 0;
  for (size_t i = 0; i < count; ++i) {
    heights[i] = parts[i].natural;
    natural += parts[i].natural;
    if (parts[i].natural > parts[i].least) give += parts[i].natural - parts[i].least;
  }
  const long long short_ = natural - room;
  if (short_ <= 0 || give <= 0) return;
  if (short_ >= give) {
    for (size_t i = 0; i < count; ++i) heights[i] = parts[i].least < parts[i].natural ? parts[i].least : parts[i].natural;
    return;
  }
  // Each part gives its share of the shortfall; what rounding leaves over goes to the last part
  // that can give, so the column fills the room exactly.
  long long given = 0;
  size_t last = count;
  for (size_t i = 0; i < count; ++i) {
    const long long can = parts[i].natural - parts[i].least;
    if (can <= 0) continue;
    const long long share = short_ * can / give;
    heights[i] = static_cast<int>(parts[i].natural - share);
    given += share;
    last = i;
  }
  if (last < count) heights[last] -= static_cast<int>(short_ - given);
}

int Fit_Least(const FitPart* parts, size_t count) {
  int least = 0;
  for (size_t i = 0; i < count; ++i) least += parts[i].least < parts[i].natural ? parts[i].least : parts[i].natural;
  return least;
}
