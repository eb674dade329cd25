#pragma once
// Keys.csv beside History.csv, and the key figures of the current language for the keyboard
// page, the report and the practice of weak keys.
#include <string>

#include "common/text.h"
#include "exam/history.h"
#include "exam/key_history.h"
#include "exam/keyboard_page.h"

// Whether a failed write of Keys.csv has been said in this run.
struct KeyHistoryState {
  bool failureReported = false;
};
extern KeyHistoryState g_KeyHistory;

// <folder of History.csv>\Keys.csv.
std::string Mode4_KeyHistoryPath();
// At the stop of a test with at least one keystroke, beside Mode4_AppendHistory and with the
// same `time` as its row: the rows of the test's per-key figures appended to Keys.csv in one
// write. A file that cannot be written (read-only, a folder, a full disk) leaves the test as it
// is and is said once per run, in the status bar's third part.
void Mode4_AppendKeyHistory(const HistoryTime& time);
// The key figures of the last kKeyTests tests of `language` in Keys.csv.
KeySummary Mode4_ReadKeySummary(int language);
// The texts of the keyboard page and the key section in `language`.
KeyboardTexts Mode4_KeyboardTexts(int language);
// The report's key section for `language`, to follow the progress section in Report.htm.
std::string Mode4_KeySection(int language);
