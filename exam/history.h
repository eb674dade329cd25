#pragma once
// History.csv, the learner's record of every test, and the progress section of the HTML report.
//
// One row per test that stopped with at least one keystroke, appended and never rewritten:
//   Time,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %
//   2026-12-05T21:23:41,EN,Sample_Unicode.txt,1,0.52,412.50,213,38,73.08,4,98.14
// or, in a file made under French or Russian regional settings,
//   2026-12-05T21:23:41;FR;Sample_Unicode.txt;1;0,52;412,50;213;38;73,08;4;98,14
// The file's plumbing and its form are common/csv.h's. Numbers are kept as whole hundredths, so that neither
// writing nor reading them depends on a locale. Window-free; the glue (exam/history_win.cpp)
// gathers the figures, the clock and the strings and does the append.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/csv.h"
#include "common/text.h"
#include "typing/figures.h"

// History.csv in the data folder, and whether a failed write has been reported in this run.
std::string Mode4_HistoryPath();

struct HistoryState {
  bool failureReported = false;
};

extern HistoryState g_History;

// The progress section charts this many tests of the current language and gives the mean of the
// last few of them.
constexpr size_t kProgressTests = 50;
constexpr size_t kProgressMeanTests = 10;
// Longer lines are no rows of ours (a hand-edited file); they are skipped unread.
constexpr size_t kMaxHistoryLine = 4096;

// One test. Fractional figures are whole hundredths (4125 is 41.25).
struct HistoryRow {
  HistoryTime time;
  std::string language;  // "EN", "FR" or "RU"
  std::string sample;    // the sample's file name, UTF-8
  bool completed = false;
  int64_t minutes100 = 0;
  int64_t cpm100 = 0;
  int64_t characters = 0;
  int64_t words = 0;
  int64_t wpm100 = 0;
  int64_t errors = 0;
  int64_t accuracy100 = 0;  // per cent
};

bool operator==(const HistoryRow& a, const HistoryRow& b);

// The file name of a path: what follows its last "\" or "/".
std::string Mode4_FileNamePart(const std::string& path);

// A row from the figures the Tests screen shows at a stop (time, CPM, characters, words, WPM:
// rows 1 to 5 of `figures`, read as they are written there, with "." or "," before the decimals;
// a row the stop left unset or that holds no plain number counts 0) and the test's own counters:
// errors, and accuracy = right keys / character keys, the character keys being the keystrokes
// that typed a character (every one but Backspace) and the right ones those that were no error.
// No character key gives an accuracy of 0. `language` 2 FR, 3 RU, else EN.
HistoryRow Mode4_MakeHistoryRow(const HistoryTime& time, int language, const std::string& sample, bool completed,
                                const TestFigures& figures, int32_t characterKeys, int32_t errors);

// The byte-order mark and the header line that start a new History.csv of a form.
std::string Mode4_HistoryFileStart(const CsvForm& form = CsvForm());
// One row of a form with its CR LF; the file name is quoted when it holds the separator, a quote
// or a line end,
// and quoted with an apostrophe before it when a spreadsheet would take it for a formula (it
// begins with =, +, -, @, a tab or a CR, or with an apostrophe before one of these or another
// apostrophe). The numbers are plain numbers, which spreadsheets read as numbers.
std::string Mode4_FormatHistoryRow(const HistoryRow& row, const CsvForm& form = CsvForm());
// One line without its line end (a trailing CR is allowed). False, with `row` unspecified, for
// the header and for anything that is not a row as Mode4_FormatHistoryRow writes one in either
// form: 11 fields,
// a real date and time, EN/FR/RU, 0/1, plain numbers, whole numbers where they are whole. The
// file name comes back as it was before its apostrophe.
bool Mode4_ParseHistoryRow(const std::string& line, HistoryRow& row);

// Which rows a reading takes: all of them, or only the tests that were typed to the end of the
// sample (the progress section's: a test stopped after a burst of three letters is no measure).
enum class HistoryRows { All, Completed };

// The last `count` rows of `language` in a history of `totalBytes`, oldest first, reading
// blocks of `blockBytes` from the end and stopping as soon as it has them. Lines that are not
// rows are skipped, and so are stopped tests when only completed ones are asked for; a read
// error ends the walk with what was found after it.
std::vector<HistoryRow> Mode4_HistoryTail(uint64_t totalBytes, const CsvBlockReader& read,
                                          const std::string& language, size_t count, HistoryRows which,
                                          size_t blockBytes = 64 * 1024);
// The same on a file; empty when it cannot be opened.
std::vector<HistoryRow> Mode4_ReadHistoryTail(const std::string& path, const std::string& language,
                                              size_t count, HistoryRows which);

// Texts of the progress section, as the string tables hold them; "%d" in a text stands for the
// number of tests it speaks of.
struct ProgressTexts {
  Text16 heading;       // "Progress: " with the language's name after it
  Text16 chartCaption;  // "CPM and errors of the last %d tests"
  Text16 cpm;           // legend and the title of the left axis
  Text16 errors;        // legend and the title of the right axis
  Text16 trend;         // legend of the CPM trend line
  Text16 testsAxis;     // title of the bottom axis: the tests in the order taken, evenly spaced
  Text16 best;          // "Best CPM of the last %d tests: "
  Text16 meanCpm;       // "Mean CPM of the last %d tests: "
  Text16 meanErrors;    // "Mean errors of the last %d tests: "
  Text16 noTests;       // shown instead of the chart when there is no row
};

// The figures the section gives for `rows` (oldest first): the best CPM and the first test that
// reached it, and the means over the last kProgressMeanTests, in hundredths.
struct ProgressSummary {
  size_t tests = 0;
  int64_t bestCpm100 = 0;
  HistoryTime bestTime;
  size_t meanOf = 0;
  int64_t meanCpm100 = 0;
  int64_t meanErrors100 = 0;
};
ProgressSummary Mode4_SummarizeProgress(const std::vector<HistoryRow>& rows);

// The straight line that fits the CPM of `rows` best (least squares over the tests in order):
// its CPM, in hundredths, at the first and at the last test. A single test gives its own CPM twice.
void Mode4_CpmTrend(const std::vector<HistoryRow>& rows, double& first100, double& last100);

// The progress section, ASCII markup with UTF-8 texts: heading, an inline SVG line chart of CPM
// (left axis) and errors (right axis) with one marker per test, spaced evenly by test from the
// oldest to the newest (the bottom axis says so and gives the first and last dates), the CPM trend
// line, scales from the figures shown; then a table with the best CPM and its date and the two
// means. Dates are written as the report writes its own date for `language`. Well-formed XML
// inside the <svg> element; no script, nothing outside the page.
std::string Mode4_BuildProgressSection(const std::vector<HistoryRow>& rows, const ProgressTexts& texts,
                                       int language);
