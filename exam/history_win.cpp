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
#include "exam/key_history_win.h"
#include "exam/report_win.h"
#include "exam/sample_text.h"
#include "typing/keystrokes.h"

namespace {

// The status bar's third and widest part, where the live errors figure stood at the stop; the
// next test's live figures take it back.
constexpr int kHistoryStatusPart = SB_PART_LIVE_ERRORS;


}  // namespace

void Mode4_SayNotWritten(bool& reported, UINT text) {
  if (reported) return;
  reported = true;
  if (!g_App.statusBar) return;
  const Text16 said = App_StringText(text, g_Settings.Language);
  SendMessageW(g_App.statusBar, SB_SETTEXTW, kHistoryStatusPart, reinterpret_cast<LPARAM>(W(said)));
}

namespace {

// `count` bytes of `file` from `offset`; false when they cannot be read.
bool ReadAt(HANDLE file, uint64_t offset, size_t count, std::string& out) {
  out.assign(count, '\0');
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  DWORD got = 0;
  return count == 0 || (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                        ReadFile(file, &out[0], static_cast<DWORD>(count), &got, nullptr) && got == count);
}

}  // namespace

bool Mode4_AppendCsvRows(const std::string& path, const std::string& fileStart, const std::string& rows) {
  const Text16 widePath = Text_FromUtf8(path);
  // Wine opens a read-only file for writing all the same; the user's read-only file stays as it is.
  const DWORD attributes = GetFileAttributesW(W(widePath));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  HANDLE file = CreateFileW(W(widePath), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool created = GetLastError() != ERROR_ALREADY_EXISTS;

  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) != FALSE;
  // Both ends of the file tell whether it is the UTF-8 text a row may be added to, and how its last
  // line ends; a file that is something else is left as it is.
  const uint64_t total = ok ? static_cast<uint64_t>(size.QuadPart) : 0;
  const size_t headBytes = static_cast<size_t>(std::min<uint64_t>(total, kHistoryCheckBytes));
  std::string head, tail, bytes;
  ok = ok && ReadAt(file, 0, headBytes, head);
  if (ok && total > headBytes) {
    const size_t tailBytes = static_cast<size_t>(std::min<uint64_t>(total - headBytes, kHistoryCheckBytes));
    ok = ReadAt(file, total - tailBytes, tailBytes, tail);
  }
  ok = ok && Mode4_CsvAppendBytes(total, head, tail, fileStart, rows, bytes);
  if (ok) {
    DWORD written = 0;
    ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) &&
         WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
    if (!ok) {
      // Part of a row on a full disk is taken back: the file ends where it ended.
      SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
    }
  }
  CloseHandle(file);
  if (!ok && created) DeleteFileW(W(widePath));
  return ok;
}

void Mode4_AppendHistory(const TestFigures& figures, bool completed) {
  if (g_Typing.keystrokes < 1) return;
  SYSTEMTIME now = {};
  g_GetLocalTime(&now);
  const HistoryTime time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  const HistoryRow row = Mode4_MakeHistoryRow(time, g_Settings.Language, g_Sample.fileName, completed, figures,
                                              g_Typing.keystrokes, g_Typing.testErrors);
  if (!Mode4_AppendCsvRows(Mode4_HistoryPath(), Mode4_HistoryFileStart(), Mode4_FormatHistoryRow(row)))
    Mode4_SayNotWritten(g_History.failureReported, IDS_HISTORY_NOT_WRITTEN);
  // The test's key figures, with the same time as its row.
  Mode4_AppendKeyHistory(time);
}

Text16 Mode4_LanguageName(int language) {
  const Text16 entry = App_StringText(Language_Of(language).entryString, language);
  return entry.substr(0, entry.find(u'\t'));
}

std::string Mode4_ProgressSection(int language) {
  ProgressTexts texts;
  texts.heading = App_StringText(IDS_PROGRESS, language) + Mode4_LanguageName(language);
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
