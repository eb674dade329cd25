#pragma once
// History.csv and the report's progress section, on the screen side.

#include <string>

#include "typing/figures.h"

// History.csv and the report's progress section (exam/history_win.cpp)
// At the stop of a test with at least one keystroke: one row for it (local time, language,
// sample file, `completed`, the figures of the statistics rows, errors and accuracy) appended to
// History.csv. A row that cannot be written leaves the test as it is and is said once per run,
// in the status bar's third part.
void Mode4_AppendHistory(const TestFigures& figures, bool completed);
// The progress section of the report for `language` from the completed tests at the end of
// History.csv.
std::string Mode4_ProgressSection(int language);
