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
#include "exam/history.h"
#include "exam/key_history.h"
#include "exam/history_win.h"
#include "exam/key_history_win.h"
#include "typing/keystrokes.h"

KeyHistoryState g_KeyHistory;

namespace {

constexpr char kKeyFile[] = "Keys.csv";
// The status bar part where History.csv's failure is said too: the live errors figure of the
// stopped test stood there, and the next test's figures take it back.
constexpr int kKeysStatusPart = SB_PART_LIVE_ERRORS;


void ReportNotWritten() {
  if (g_KeyHistory.failureReported) return;
  g_KeyHistory.failureReported = true;
  if (!g_App.statusBar) return;
  const Text16 text = App_StringText(IDS_KEYS_NOT_WRITTEN, g_Settings.Language);
  SendMessageW(g_App.statusBar, SB_SETTEXTW, kKeysStatusPart, reinterpret_cast<LPARAM>(W(text)));
}

}  // namespace

std::string Mode4_KeyHistoryPath() {
  const std::string& history = g_History.path;
  const size_t cut = history.find_last_of("\\/");
  return cut == std::string::npos ? std::string(kKeyFile) : history.substr(0, cut + 1) + kKeyFile;
}

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
  std::string bytes;
  if (ok && size.QuadPart == 0) {
    bytes = fileStart;
  } else if (ok) {
    // A last line without its end (a file cut short or edited by hand) is ended first.
    LARGE_INTEGER last;
    last.QuadPart = size.QuadPart - 1;
    char byte = 0;
    DWORD got = 0;
    ok = SetFilePointerEx(file, last, nullptr, FILE_BEGIN) && ReadFile(file, &byte, 1, &got, nullptr) && got == 1;
    if (byte != '\n') bytes = "\r\n";
  }
  bytes += rows;
  if (ok) {
    DWORD written = 0;
    ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) &&
         WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
    if (!ok) {
      // Part of the rows on a full disk is taken back: the file ends where it ended.
      SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
    }
  }
  CloseHandle(file);
  if (!ok && created) DeleteFileW(W(widePath));
  return ok;
}

void Mode4_AppendKeyHistory(const HistoryTime& time) {
  if (g_Typing.keystrokes < 1) return;
  const std::string rows = Mode4_FormatKeyRows(time, g_Settings.Language, g_Typing.keys);
  // A test of Backspaces and line breaks only has no character to keep.
  if (rows.empty()) return;
  if (!Mode4_AppendCsvRows(Mode4_KeyHistoryPath(), Mode4_KeyFileStart(), rows)) ReportNotWritten();
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
  t.languageName = Mode4_LanguageName(language);
  return t;
}

std::string Mode4_KeySection(int language) {
  return Mode4_BuildKeySection(Mode4_ReadKeySummary(language), Mode4_KeyboardTexts(language));
}
