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
// Appends `rows` to a CSV file of ours at `path` (UTF-8: History.csv, Keys.csv) in one write, with
// what Mode4_CsvAppendBytes puts before them (a new file's `fileStart`, the end of a last line that
// has none); earlier bytes are never changed, and a write cut short is taken back. False when the
// rows are not there: the file is read-only, a folder, or not UTF-8 text (left untouched).
bool Mode4_AppendCsvRows(const std::string& path, const std::string& fileStart, const std::string& rows);
// Says once per run (`reported`) in the status bar's third part that a file could not be written:
// string `text` of the current language.
void Mode4_SayNotWritten(bool& reported, UINT text);
// The progress section of the report for `language` from the completed tests at the end of
// History.csv.
std::string Mode4_ProgressSection(int language);
// The name of `language` in that language, as its Language menu entry gives it.
Text16 Mode4_LanguageName(int language);
