#pragma once
// Heights that fit a column of parts into the room a window has: every part keeps its natural
// height while the column fits; when the room is short, the parts that can give up height (texts,
// lists, the keyboard) give it up in proportion to what each can give, none below its least, so
// that a small display shows every control, only with fewer lines. A room larger than the
// column leaves the rest empty: at a large display the parts stand where they always stood.
// Window-free.
#include <cstddef>

struct FitPart {
  int natural;
  int least;  // equal to natural for a part that keeps its height (a gap, a fixed control)
};

// The height of each of `count` parts in `room` (written to `heights`); below the sum of the
// least heights every part has its least.
void Fit_Column(const FitPart* parts, size_t count, int room, int* heights);
// The sum of the least heights: the room the column needs at the least.
int Fit_Least(const FitPart* parts, size_t count);
