#pragma once
// Keys.csv, the per-key record beside History.csv, and the key figures drawn from its end.
//
// One row per character of the sample per test that stopped with at least one keystroke,
// all rows of a test appended in one write, never rewritten:
//   Time,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds
//   2026-12-05T21:23:41,EN,t,14,2,r,2,11,2450
// (with ";" between the fields in a file made under French or Russian regional settings: the
// form is common/csv.h's). Time is the test's History.csv time; Expected the keystrokes made where the character was to
// be typed, Errors the wrong ones among them, Wrong key the most frequent wrong key (empty for
// none) and how often it was typed there, Timed the right keys whose time from the keystroke
// before was kept (not the test's first key, no pause over 2 s) and Milliseconds their times
// together. RFC 4180 fields, UTF-8 with a byte-order mark, CR LF line ends. Window-free; the glue
// (exam/key_history_win.cpp) appends and reads the file.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/text.h"
#include "common/csv.h"
#include "typing/key_stats.h"

// The key figures speak of this many tests of the current language.
constexpr size_t kKeyTests = 20;
// Longer lines are no rows of ours; they are skipped unread.
constexpr size_t kMaxKeyLine = 256;

struct KeyRow {
  HistoryTime time;
  std::string language;  // "EN", "FR" or "RU"
  char16_t ch = 0;
  uint32_t expected = 0;
  uint32_t errors = 0;
  char16_t wrong = 0;  // 0: none
  uint32_t wrongTimes = 0;
  uint32_t timed = 0;
  uint64_t ms = 0;
};

bool operator==(const KeyRow& a, const KeyRow& b);

// The byte-order mark and the header line that start a new Keys.csv of a form.
std::string Mode4_KeyFileStart(const CsvForm& form = CsvForm());
// One row of a form with its CR LF; the character fields are quoted when they are the
// separator, a quote or a space.
std::string Mode4_FormatKeyRow(const KeyRow& row, const CsvForm& form = CsvForm());
// The rows of one test, in character order, each with its CR LF; empty when no character was
// to be typed. `language` 2 FR, 3 RU, else EN.
std::string Mode4_FormatKeyRows(const HistoryTime& time, int language, const KeyStats& keys,
                                const CsvForm& form = CsvForm());
// One line without its line end (a trailing CR is allowed). False for the header and for
// anything that is not a row as the writer writes one in either form.
bool Mode4_ParseKeyRow(const std::string& line, KeyRow& row);

// The rows of the last `tests` tests of `language` (rows sharing one time are one test) in a
// key history of `totalBytes`, oldest first, reading blocks from the end and stopping as soon as
// an older test begins. Lines that are not rows are skipped; a read error ends the walk with what
// was found after it.
std::vector<KeyRow> Mode4_KeyHistoryTail(uint64_t totalBytes, const CsvBlockReader& read,
                                         const std::string& language, size_t tests,
                                         size_t blockBytes = 64 * 1024);
// The same on a file; empty when it cannot be opened or is a folder.
std::vector<KeyRow> Mode4_ReadKeyHistoryTail(const std::string& path, const std::string& language, size_t tests);

// Counts of one key, or of one character.
struct KeyTally {
  uint64_t expected = 0, errors = 0, timed = 0, ms = 0;
};

// A wrong key typed in place of a character, over the tests read.
struct Confusion {
  char16_t expected = 0;
  char16_t typed = 0;
  uint64_t times = 0;
};

// The figures of the tests read, by key of the language's keyboard (both shift levels
// together), for all tests and for the older and the newer half of them.
struct KeySummary {
  int language = 1;
  size_t tests = 0;
  uint64_t keystrokes = 0;  // every keystroke charged to a character, on the keyboard or not
  KeyTally overall;         // the same, for the mean speed the slowness of a key is measured by
  std::vector<KeyTally> all, older, newer;  // by index into the layout's keys
  std::vector<Confusion> confusions;        // most frequent first, then by character
};

KeySummary Mode4_SummarizeKeys(const std::vector<KeyRow>& rows, int language);

// A key with fewer keystrokes than this has no score and is never called weak.
constexpr uint64_t kMinKeyObservations = 20;
// One error in ten keystrokes weighs as much as taking twice the mean time.
constexpr double kErrorWeight = 10.0;
// The weakness of a key: its error rate times kErrorWeight plus its mean time over the mean
// time of all keys (1 for a key of mean speed; without timed keys, 1).
double Mode4_KeyScore(const KeyTally& key, const KeyTally& overall);
// Error rate in per cent and speed in characters per minute of a tally (speed 0: not timed).
double Mode4_ErrorPercent(const KeyTally& key);
double Mode4_KeyCpm(const KeyTally& key);
// Keys of the layout with at least kMinKeyObservations keystrokes, weakest first (ties by
// table order), at most `count`; `wanted` may leave out keys (null: any key with a character).
std::vector<size_t> Mode4_WeakestKeys(const KeySummary& summary, size_t count,
                                      const std::function<bool(size_t)>& wanted = nullptr);
