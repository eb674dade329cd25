// History.csv on disk: the row of each stopped test appended in one write, a failed write (a
// read-only file, a folder, a file that is not UTF-8 text) said once in the status bar, and the
// report's progress section of completed tests with the texts of the language.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/languages.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "exam/history.h"
#include "exam/history_win.h"
#include "keys/keys_win.h"
#include "exam/sample_text.h"
#include "typing/keystrokes.h"

void Mode4_AppendHistory(const TestFigures& figures, bool completed) {
  // A test of Backspaces only typed nothing to measure.
  const int32_t characterKeys = g_Typing.keystrokes - g_Typing.testBackspaces;
  if (characterKeys < 1) return;
  SYSTEMTIME now = {};
  g_GetLocalTime(&now);
  const HistoryTime time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  const HistoryRow row = Mode4_MakeHistoryRow(time, g_Settings.Language, g_Sample.fileName, completed, figures,
                                              characterKeys, g_Typing.testErrors);
  const auto start = [](const CsvForm& form) { return Mode4_HistoryFileStart(form); };
  const auto rows = [&row](const CsvForm& form) { return Mode4_FormatHistoryRow(row, form); };
  if (!Csv_AppendRows(Mode4_HistoryPath(), Csv_UserForm(), start, rows))
    App_SayOnce(g_History.failureReported, IDS_HISTORY_NOT_WRITTEN);
  // The test's key figures, with the same time as its row.
  Mode4_AppendKeyHistory(time);
}


std::string Mode4_ProgressSection(int language) {
  ProgressTexts texts;
  texts.heading = App_StringText(IDS_PROGRESS, language) + App_LanguageName(language);
  texts.chartCaption = App_StringText(IDS_PROGRESS_CHART, language);
  texts.cpm = App_StringText(IDS_PROGRESS_CPM, language);
  texts.errors = App_StringText(IDS_PROGRESS_ERRORS, language);
  texts.trend = App_StringText(IDS_PROGRESS_TREND, language);
  texts.testsAxis = App_StringText(IDS_PROGRESS_TESTS_AXIS, language);
  texts.best = App_StringText(IDS_PROGRESS_BEST, language);
  texts.meanCpm = App_StringText(IDS_PROGRESS_MEAN_CPM, language);
  texts.meanErrors = App_StringText(IDS_PROGRESS_MEAN_ERRORS, language);
  texts.noTests = App_StringText(IDS_PROGRESS_NONE, language);
  const std::vector<HistoryRow> rows =
      Mode4_ReadHistoryTail(Mode4_HistoryPath(), Language_Of(language).folder, kProgressTests, HistoryRows::Completed);
  return Mode4_BuildProgressSection(rows, texts, language);
}
