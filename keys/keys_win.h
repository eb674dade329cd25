#pragma once
// The key figures on disk and on screen (keys/key_history_win.cpp, keys/keyboard_page_win.cpp):
// Keys.csv beside History.csv, the key figures of a language for the keyboard page, the report
// and the practice of weak keys, and the keyboard page itself.
#include <string>

#include "common/csv.h"
#include "common/text.h"
#include "keys/key_history.h"
#include "keys/keyboard_page.h"

// Whether a failed write of Keys.csv has been said in this run.
struct KeyHistoryState {
  bool failureReported = false;
};
extern KeyHistoryState g_KeyHistory;

// Keys.csv in the data folder.
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

// The keyboard page of the Help menu's Show Keyboard Layout (Ctrl+L): Keyboard.htm in the data
// folder in the current language (the keyboard with the learner's key figures) written with the
// safe writer and opened with the shell's "open" verb and its full path. A page that could not be
// written is not opened; a message box says which file and why.
void App_ShowKeyboardPage();
// Keyboard.htm in the data folder.
std::string App_KeyboardPagePath();
