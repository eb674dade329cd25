#pragma once
// History.csv, the learner's record of every test, and the progress section of the HTML report.
//
// One row per test that stopped with at least one keystroke, appended and never rewritten:
//   Time,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %
//   2026-12-05T21:23:41,EN,Sample_Unicode.txt,1,0.52,412.50,213,38,73.08,4,98.14
// RFC 4180 fields, UTF-8 with a byte-order mark, CR LF line ends, a dot before the decimals in
// every language. Numbers are kept as whole hundredths, so that neither writing nor reading
// them depends on a locale. Window-free; the glue (exam/history_win.cpp) gathers the figures,
// the clock and the strings and does the append.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/text.h"
#include "typing/figures.h"

// Where History.csv lives, and whether a failed write has been reported in this run.
// History.csv in the data folder.
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

// Local date and time, to the second.
struct HistoryTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

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

// A test's time as History.csv and Keys.csv write it, "YYYY-MM-DDTHH:MM:SS", and read back: a
// date that exists and a time of the day.
std::string Mode4_FormatHistoryTime(const HistoryTime& time);
bool Mode4_ReadHistoryTime(const std::string& text, HistoryTime& time);
// The `count` fields of one RFC 4180 line (no line end) into fields[0..count); false when the
// line is no such record or has another number of fields.
bool Mode4_SplitCsvLine(const std::string& line, std::string* fields, size_t count);

// Hundredths as decimal text with two decimals: 4125 -> "41.25", -5 -> "-0.05".
std::string Mode4_FormatHundredths(int64_t hundredths);
// A plain decimal number ("-"? digits ("." digits)?, at most 15 digits before the point) as
// hundredths, rounded half away from zero; false for anything else.
bool Mode4_ReadHundredths(const std::string& text, int64_t& hundredths);

// The file name of a path: what follows its last "\" or "/".
std::string Mode4_FileNamePart(const std::string& path);

// A row from the figures the Tests screen shows at a stop (time, CPM, characters, words, WPM:
// rows 1 to 5 of `figures`, read as they are written there, with "." or "," before the decimals;
// a row the stop left unset or that holds no plain number counts 0) and the test's own counters:
// errors, and accuracy = correct keystrokes / all keystrokes, correct ones being the keystrokes
// that were not errors (keystrokes - errors, never below 0). `language` 2 FR, 3 RU, else EN.
HistoryRow Mode4_MakeHistoryRow(const HistoryTime& time, int language, const std::string& sample, bool completed,
                                const TestFigures& figures, int32_t keystrokes, int32_t errors);

// The byte-order mark and the header line that start a new History.csv.
std::string Mode4_HistoryFileStart();
// One row with its CR LF; the file name is quoted when it holds a comma, a quote or a line end,
// and quoted with an apostrophe before it when a spreadsheet would take it for a formula (it
// begins with =, +, -, @, a tab or a CR, or with an apostrophe before one of these or another
// apostrophe). The numbers are plain numbers, which spreadsheets read as numbers.
std::string Mode4_FormatHistoryRow(const HistoryRow& row);
// One line without its line end (a trailing CR is allowed). False, with `row` unspecified, for
// the header and for anything that is not a row as Mode4_FormatHistoryRow writes one: 11 fields,
// a real date and time, EN/FR/RU, 0/1, plain numbers, whole numbers where they are whole. The
// file name comes back as it was before its apostrophe.
bool Mode4_ParseHistoryRow(const std::string& line, HistoryRow& row);

// How many bytes at each end of an existing History.csv an append looks at.
constexpr size_t kHistoryCheckBytes = 64 * 1024;

// The bytes to append to a CSV file of ours (History.csv, Keys.csv) of `size` bytes whose first
// and last bytes (at most kHistoryCheckBytes each, the whole file when it is smaller) are `head`
// and `tail`: a new file's `fileStart` (mark and header) before the rows, or a line end first
// after a last line without one (a bare CR at the end is completed with its LF, so no empty record
// comes between). False, with nothing to append, when the file is not UTF-8 text (a UTF-16 mark, a
// NUL, an invalid sequence), which the append leaves as it is.
bool Mode4_CsvAppendBytes(uint64_t size, const std::string& head, const std::string& tail,
                          const std::string& fileStart, const std::string& rows, std::string& bytes);

// Reads `size` bytes at `offset` into `out`; false when they cannot be read.
using HistoryBlockReader = std::function<bool(uint64_t offset, char* out, size_t size)>;
// Opens the file at `path` for reading (not a folder) and hands `use` its size and a reader of
// its blocks; false when it cannot be opened or sized.
bool Mode4_ReadFileBlocks(const std::string& path,
                          const std::function<void(uint64_t size, const HistoryBlockReader& read)>& use);
// Hands the lines of a file of `totalBytes` to `take` from the last to the first (without their
// LF; `firstLine` for the file's first), reading blocks of `blockBytes` from the end; a line of
// more than `maxLine` bytes is skipped, and the walk ends when `take` says so, at the start of the
// file, or at a block that cannot be read.
void Mode4_WalkLinesBackward(uint64_t totalBytes, const HistoryBlockReader& read, size_t blockBytes, size_t maxLine,
                             const std::function<bool(const std::string& line, bool firstLine)>& take);

// Which rows a reading takes: all of them, or only the tests that were typed to the end of the
// sample (the progress section's: a test stopped after a burst of three letters is no measure).
enum class HistoryRows { All, Completed };

// The last `count` rows of `language` in a history of `totalBytes`, oldest first, reading
// blocks of `blockBytes` from the end and stopping as soon as it has them. Lines that are not
// rows are skipped, and so are stopped tests when only completed ones are asked for; a read
// error ends the walk with what was found after it.
std::vector<HistoryRow> Mode4_HistoryTail(uint64_t totalBytes, const HistoryBlockReader& read,
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
