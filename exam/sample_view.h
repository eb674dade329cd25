#pragma once
// How the sample text view guides the typist during a test: the next character to type is
// marked, and the view scrolls so that its line stays in sight. Window-free: the glue
// (exam/sample_view_win.cpp) reads the view's lines and applies the answer.
#include <cstddef>

#include "common/text.h"

// Where the sample and the typed text part: the index in the sample of the next character to
// type, which is also where a wrong character leaves the mark (the sample's length once the
// whole sample has been typed).
size_t Mode4_PartingPoint(const Text16& sample, const Text16& typed);

// The units of the sample the mark covers at `at`: one character, that is two units for a line
// break (CR LF) or a surrogate pair; none at the end of the sample.
size_t Mode4_MarkLength(const Text16& sample, size_t at);

// The first line the view should show so that `markLine` is in sight, given the line shown
// first now, the number of whole lines the view shows and the view's line count. A line already
// in sight moves nothing; otherwise the mark's line comes second, under one line of context,
// when there is a line above it and room for two; the view never scrolls past the last line.
// A view that shows no whole line is left where it is.
int Mode4_FirstLineToShow(int firstVisible, int visibleLines, int markLine, int lineCount);
