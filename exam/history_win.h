#pragma once
// History.csv and the report's progress section, on the screen side.

#include <string>

#include "common/text.h"

#include "typing/figures.h"

// History.csv and the report's progress section (exam/history_win.cpp)
// At the stop of a test with at least one keystroke: one row for it (local time, language,
// sample file, `completed`, the figures of the statistics rows, errors and accuracy) appended to
// History.csv. A row that cannot be written leaves the test as it is and is said once per run,
// in the status bar's third part.
void Mode4_AppendHistory(const TestFigures& figures, bool completed);
// Appends `row` to the file at `path` (UTF-8) in one write, with what Mode4_HistoryAppendBytes
// puts before it (a new file's mark and header, the end of a last line that has none); earlier
// bytes are never changed, and a write cut short is taken back. False when the row is not there:
// the file is read-only, a folder, or not UTF-8 text (left untouched).
bool Mode4_AppendHistoryLine(const std::string& path, const std::string& row);
// The progress section of the report for `language` from the completed tests at the end of
// History.csv.
std::string Mode4_ProgressSection(int language);
// The name of `language` in that language, as its Language menu entry gives it.
Text16 Mode4_LanguageName(int language);
