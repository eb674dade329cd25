// keys_bench [rows]: the cost of the key figures over a Keys.csv of `rows` rows (400,000 by
// default): appending one test's rows at its stop, the report's key section and the keyboard
// page (once with the language's tests at the end of the file, once with none of them, the whole
// file read), and a practice text built from five lists of 20,000 words (the builder alone, and
// the whole command with its lists read from disk). Runs in a scratch folder of its own; nothing
// is opened.
// Exit code: 0 when every run gives what the file holds; the timings are printed against their
// targets, never failed.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "settings/settings.h"
#include "testing/percentile.h"
#include "testing/win_helpers.h"
#include "exam/history.h"
#include "keys/key_history.h"
#include "keys/keys_win.h"
#include "keys/key_practice.h"
#include "exam/key_practice_win.h"
#include "keys/keys_win.h"
#include "exam/sample_text.h"
#include "training/word_lists.h"
#include "typing/keyboards.h"
#include "typing/keystrokes.h"

using kftest::Percentile;
using kftest::ReadBytes;
using kftest::ScratchDataFolder;
using kftest::WriteBytes;

namespace {

constexpr size_t kDefaultRows = 400000;
constexpr size_t kListWords = 20000;
constexpr int kRuns = 15;
constexpr int kAppends = 300;
constexpr double kTargetAppendMs = 1.0;
constexpr double kTargetPageMs = 200.0;
constexpr double kTargetPracticeMs = 100.0;

HINSTANCE WINAPI NoViewer(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) { return reinterpret_cast<HINSTANCE>(33); }
int WINAPI NoMessage(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }

double g_MsPerCount = 0;
double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_MsPerCount;
}

// `rows` rows of `language`, forty characters a test, a test every few minutes.
std::string MakeKeys(size_t rows, const char* language) {
  // Forty characters, one per row of a test.
  const char16_t letters[41] = u"etaoinshrdlcumwfgypbvkjxqz ,.ETAOINSHRDL";
  std::string bytes = Mode4_KeyFileStart();
  bytes.reserve(rows * 48);
  KeyRow row;
  row.language = language;
  for (size_t i = 0; i < rows; ++i) {
    const size_t test = i / 40;
    row.time = {2000 + static_cast<int>(test / 20000 % 100), 1 + static_cast<int>(test / 1500 % 12),
                1 + static_cast<int>(test / 50 % 28), static_cast<int>(test % 24), static_cast<int>(test % 60), 0};
    row.ch = letters[i % 40];
    row.expected = 5 + static_cast<uint32_t>(i % 17);
    row.errors = static_cast<uint32_t>(i % 3);
    row.wrong = row.errors ? u'x' : 0;
    row.wrongTimes = row.errors;
    row.timed = row.expected - row.errors;
    row.ms = row.timed * (150 + i % 90);
    bytes += Mode4_FormatKeyRow(row);
  }
  return bytes;
}

// A made-up word list of `count` distinct words of three to ten letters.
std::string MakeList(size_t count, uint32_t seed) {
  std::string bytes;
  uint32_t x = seed;
  for (size_t i = 0; i < count; ++i) {
    x = x * 1103515245u + 12345u;
    const size_t length = 3 + (x >> 16) % 8;
    std::string word;
    for (size_t j = 0; j < length; ++j) {
      x = x * 1103515245u + 12345u;
      word += static_cast<char>('a' + (x >> 16) % 26);
    }
    bytes += word + "\r\n";
  }
  return bytes;
}

template <typename F>
std::vector<double> Time(int runs, F f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const double t0 = Now();
    f();
    ms.push_back(Now() - t0);
  }
  return ms;
}

void Print(const char* what, const std::vector<double>& ms, double target) {
  std::printf("%-58s median %8.2f ms  max %8.2f ms (target < %.0f ms)\n", what, Percentile(ms, 0.5),
              Percentile(ms, 1.0), target);
}

}  // namespace

int main(int argc, char** argv) {
  size_t rows = kDefaultRows;
  if (argc > 1) rows = static_cast<size_t>(std::strtoul(argv[1], nullptr, 10));
  if (rows < 1 || rows > 10000000) {
    std::fprintf(stderr, "usage: keys_bench [rows 1..10000000]\n");
    return 2;
  }
  const ScratchDataFolder scratch(L"kf_keys_bench_");
  if (!scratch.entered) {
    std::fprintf(stderr, "FAIL: no scratch folder\n");
    return 1;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  g_MsPerCount = 1000.0 / static_cast<double>(frequency.QuadPart);
  g_App.instance = GetModuleHandleW(nullptr);
  g_Settings.Debug = 0;
  g_Settings.Language = 1;
  g_ShellExecute = NoViewer;
  g_MessageBox = NoMessage;
  bool ok = true;

  // The key section and the page: the language's tests at the end, then none of them.
  const std::string english = MakeKeys(rows, "EN");
  ok = WriteBytes(L"Keys.csv", english) && ok;
  std::string section;
  const std::vector<double> sectionMs = Time(kRuns, [&] { section = Mode4_KeySection(1); });
  const std::vector<double> pageMs = Time(kRuns, [] { App_ShowKeyboardPage(); });
  if (Mode4_ReadKeySummary(1).tests != std::min<size_t>(kKeyTests, (rows + 39) / 40) ||
      section.find("weak-keys") == std::string::npos || ReadBytes(L"Keyboard.htm").find("CPM</title>") == std::string::npos) {
    std::printf("FAIL: the key section or the page does not show the last tests\n");
    ok = false;
  }
  ok = WriteBytes(L"Keys.csv", MakeKeys(rows, "FR")) && ok;
  const std::vector<double> wholeMs = Time(kRuns, [&] { section = Mode4_KeySection(1); });
  if (section.find("weak-keys") != std::string::npos) {
    std::printf("FAIL: English figures from a French history\n");
    ok = false;
  }

  // A test's rows appended to the large file at its stop.
  ok = WriteBytes(L"Keys.csv", english) && ok;
  const Text16 sample = u"The quick brown fox jumps over the lazy dog, and the typist follows it again.";
  g_Typing = TypingState();
  g_Typing.keystrokes = static_cast<int32_t>(sample.size());
  for (size_t i = 0; i < sample.size(); ++i) Keys_Record(g_Typing.keys, sample.substr(0, i), sample, sample[i], 180 * i);
  const std::string testRows = Mode4_FormatKeyRows({2026, 12, 8, 12, 0, 0}, 1, g_Typing.keys);
  const std::vector<double> appendMs = Time(kAppends, [] { Mode4_AppendKeyHistory({2026, 12, 8, 12, 0, 0}); });
  const std::string after = ReadBytes(L"Keys.csv");
  if (after.size() != english.size() + kAppends * testRows.size() || g_KeyHistory.failureReported) {
    std::printf("FAIL: the appended rows are not all there after the earlier ones\n");
    ok = false;
  }

  // Practice: five lists of 20,000 words, the figures of a weak "q" and "z".
  CreateDirectoryW(L"EN", nullptr);
  CreateDirectoryW(L"EN\\Training Words", nullptr);
  CreateDirectoryW(L"EN\\Tests", nullptr);
  std::vector<Text16> words;
  for (WordList list : {WordList::LeftHand, WordList::RightHand, WordList::LeftToRight, WordList::RightToLeft,
                        WordList::Custom}) {
    const std::string bytes = MakeList(kListWords, 7 + static_cast<uint32_t>(list));
    const std::string relative = App_ListRelativePath(list, 1).substr(1);
    ok = WriteBytes(std::wstring(relative.begin(), relative.end()), bytes) && ok;
    for (Text16& entry : App_DecodeWordList(bytes, App_ListEncoding(list, 1))) words.push_back(std::move(entry));
  }
  std::string sampleFile = "\xFF\xFE";
  for (char16_t c : sample) sampleFile += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  ok = WriteBytes(L"EN\\Tests\\Sample_Unicode.txt", sampleFile) && ok;
  std::string keys = Mode4_KeyFileStart();
  KeyRow row;
  row.language = "EN";
  for (int test = 0; test < 20; ++test) {
    row.time = {2026, 12, 8, 10, test, 0};
    for (char16_t c : Text16(u"etaoinshrdlcumqz ")) {
      row.ch = c;
      row.expected = 20;
      row.errors = (c == u'q' || c == u'z') ? 4 : 0;
      row.wrong = row.errors ? u'a' : 0;
      row.wrongTimes = row.errors;
      row.timed = row.expected - row.errors;
      row.ms = row.timed * ((c == u'q' || c == u'z') ? 400 : 180);
      keys += Mode4_FormatKeyRow(row);
    }
  }
  ok = WriteBytes(L"Keys.csv", keys) && ok;
  const KeySummary summary = Mode4_ReadKeySummary(1);
  Practice practice;
  uint32_t seed = 1;
  const std::vector<double> buildMs =
      Time(kRuns, [&] { practice = Mode4_BuildPractice(summary, words, sample, seed++); });
  if (practice.result != PracticeResult::Ok || practice.keys.size() != 2) {
    std::printf("FAIL: no practice of the two weak keys\n");
    ok = false;
  }
  const std::vector<double> commandMs = Time(kRuns, [] { Mode4_PractiseWeakKeys(); });
  if (g_Sample.fileName != "Practice.txt") {
    std::printf("FAIL: the practice text is not the sample\n");
    ok = false;
  }

  std::printf("keys_bench: Keys.csv of %u rows (%.1f MB)\n", static_cast<unsigned>(rows),
              static_cast<double>(english.size()) / 1e6);
  Print("key section, the language's tests at the end", sectionMs, kTargetPageMs);
  Print("keyboard page written, the language's tests at the end", pageMs, kTargetPageMs);
  Print("key section, no test of the language (whole file read)", wholeMs, kTargetPageMs);
  std::printf("%-58s median %8.2f ms  p99 %8.2f ms (target < %.0f ms)\n", "append one test's rows",
              Percentile(appendMs, 0.5), Percentile(appendMs, 0.99), kTargetAppendMs);
  Print("practice text from 5 lists of 20,000 words (builder)", buildMs, kTargetPracticeMs);
  Print("Practise Weak Keys, lists read from disk", commandMs, kTargetPracticeMs);
  const bool inTarget = Percentile(sectionMs, 1.0) < kTargetPageMs && Percentile(pageMs, 1.0) < kTargetPageMs &&
                        Percentile(appendMs, 0.99) < kTargetAppendMs && Percentile(buildMs, 1.0) < kTargetPracticeMs;
  std::printf("%s\n", inTarget ? "PASS" : "OVER TARGET");

  for (const wchar_t* file : {L"Keys.csv", L"Keyboard.htm", L"Practice.txt", L"EN\\Tests\\Sample_Unicode.txt"})
    DeleteFileW(file);
  for (WordList list : {WordList::LeftHand, WordList::RightHand, WordList::LeftToRight, WordList::RightToLeft,
                        WordList::Custom}) {
    const std::string relative = App_ListRelativePath(list, 1).substr(1);
    DeleteFileW(std::wstring(relative.begin(), relative.end()).c_str());
  }
  RemoveDirectoryW(L"EN\\Training Words");
  RemoveDirectoryW(L"EN\\Tests");
  RemoveDirectoryW(L"EN");
  return ok ? 0 : 1;
}
