// Keys.csv on disk: the rows of each stopped test appended in one write, a failed write said
// once in the status bar, and the key figures read from its end with the texts of the language.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/languages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "keys/key_history.h"
#include "keys/keys_win.h"
#include "typing/keystrokes.h"

KeyHistoryState g_KeyHistory;

namespace {

constexpr char kKeyFile[] = "\\Keys.csv";

}  // namespace

std::string Mode4_KeyHistoryPath() { return Dir_DataFile(kKeyFile); }

void Mode4_AppendKeyHistory(const HistoryTime& time) {
  if (g_Typing.keystrokes < 1) return;
  // A test of Backspaces and line breaks only has no character to keep.
  if (Mode4_FormatKeyRows(time, g_Settings.Language, g_Typing.keys).empty()) return;
  const auto start = [](const CsvForm& form) { return Mode4_KeyFileStart(form); };
  const auto rows = [&time](const CsvForm& form) {
    return Mode4_FormatKeyRows(time, g_Settings.Language, g_Typing.keys, form);
  };
  if (!Csv_AppendRows(Mode4_KeyHistoryPath(), Csv_UserForm(), start, rows))
    App_SayOnce(g_KeyHistory.failureReported, IDS_KEYS_NOT_WRITTEN);
}

KeySummary Mode4_ReadKeySummary(int language) {
  const int known = Language_Of(language).number;
  return Mode4_SummarizeKeys(Mode4_ReadKeyHistoryTail(Mode4_KeyHistoryPath(), Language_Of(known).folder, kKeyTests),
                             known);
}

KeyboardTexts Mode4_KeyboardTexts(int language) {
  KeyboardTexts t;
  t.heading = App_StringText(IDS_KEYS_PAGE_HEADING, language);
  for (int i = 0; i < 5; ++i) t.fingers[i] = App_StringText(IDS_KEYS_LITTLE + i, language);
  t.homeKeys = App_StringText(IDS_KEYS_HOME, language);
  t.errorScale = App_StringText(IDS_KEYS_ERROR_SCALE, language);
  t.untyped = App_StringText(IDS_KEYS_UNTYPED, language);
  t.speedNote = App_StringText(IDS_KEYS_SPEED_NOTE, language);
  t.noFigures = App_StringText(IDS_KEYS_NO_FIGURES, language);
  t.sectionHeading = App_StringText(IDS_KEYS_SECTION, language);
  t.weakHeading = App_StringText(IDS_KEYS_WEAK, language);
  for (int i = 0; i < 4; ++i) t.columns[i] = App_StringText(IDS_KEYS_COL_KEY + i, language);
  t.better = App_StringText(IDS_KEYS_BETTER, language);
  t.worse = App_StringText(IDS_KEYS_WORSE, language);
  t.steady = App_StringText(IDS_KEYS_STEADY, language);
  t.tooFew = App_StringText(IDS_KEYS_TOO_FEW, language);
  t.noWeakKeys = App_StringText(IDS_KEYS_NO_WEAK, language);
  t.confusionsHeading = App_StringText(IDS_KEYS_CONFUSIONS, language);
  t.confusion = App_StringText(IDS_KEYS_CONFUSION, language);
  t.noConfusions = App_StringText(IDS_KEYS_NO_CONFUSIONS, language);
  t.space = App_StringText(IDS_KEYS_SPACE, language);
  t.languageName = App_LanguageName(language);
  return t;
}

std::string Mode4_KeySection(int language) {
  return Mode4_BuildKeySection(Mode4_ReadKeySummary(language), Mode4_KeyboardTexts(language));
}
