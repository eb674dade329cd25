// history_bench [rows]: the cost of writing the HTML report over a History.csv of `rows` rows
// (100,000 by default) with the progress section read from its end, once with every row in the
// report's language and once with none (the whole file read), and the cost of appending one
// test's row to that file. Runs in a scratch folder of its own; nothing is opened.
// Exit code: 0 when every report charts what the file holds and every row was appended; the
// timings are printed against their targets, never failed.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app.h"
#include "settings/settings.h"
#include "testing/percentile.h"
#include "testing/win_helpers.h"
#include "exam/history.h"
#include "exam/history_win.h"
#include "exam/report_win.h"
#include "typing/figures.h"
#include "typing/keystrokes.h"

using kftest::Percentile;
using kftest::ReadBytes;
using kftest::ScratchDataFolder;
using kftest::WriteBytes;

namespace {

constexpr size_t kDefaultRows = 100000;
constexpr int kReports = 15;
constexpr int kAppends = 500;
constexpr double kTargetAppendMs = 1.0;
constexpr double kTargetReportMs = 200.0;

HINSTANCE WINAPI NoViewer(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) { return reinterpret_cast<HINSTANCE>(33); }

// `rows` rows of one language, a test a day or so, CPM rising slowly.
std::string MakeHistory(size_t rows, const char* language) {
  std::string bytes = Mode4_HistoryFileStart();
  bytes.reserve(rows * 80);
  for (size_t i = 0; i < rows; ++i) {
    HistoryRow row;
    row.time = {2000 + static_cast<int>(i / 300 % 100), 1 + static_cast<int>(i / 25 % 12), 1 + static_cast<int>(i % 28),
                static_cast<int>(i % 24), static_cast<int>(i % 60), 0};
    row.language = language;
    row.sample = "Sample_Unicode.txt";
    row.completed = i % 4 != 0;
    row.minutes100 = 150;
    row.cpm100 = 15000 + static_cast<int64_t>(i % 1000) * 10;
    row.characters = 375;
    row.words = 70;
    row.wpm100 = 4667;
    row.errors = static_cast<int64_t>(i % 9);
    row.accuracy100 = 9800;
    bytes += Mode4_FormatHistoryRow(row);
  }
  return bytes;
}

// Milliseconds of each of `runs` reports; false when a report does not hold `points` markers.
bool TimeReports(int runs, size_t points, std::vector<double>& ms, double msPerCount) {
  LARGE_INTEGER t0, t1;
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&t0);
    Mode4_CreateHtmlReport();
    QueryPerformanceCounter(&t1);
    ms.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * msPerCount);
  }
  const std::string report = ReadBytes(L"Report.htm");
  size_t markers = 0;
  for (size_t at = report.find("<circle "); at != std::string::npos; at = report.find("<circle ", at + 1)) ++markers;
  if (markers != points) {
    std::printf("FAIL: the report holds %u markers, not %u\n", static_cast<unsigned>(markers),
                static_cast<unsigned>(points));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t rows = kDefaultRows;
  if (argc > 1) rows = static_cast<size_t>(std::strtoul(argv[1], nullptr, 10));
  if (rows < 1 || rows > 10000000) {
    std::fprintf(stderr, "usage: history_bench [rows 1..10000000]\n");
    return 2;
  }

  // A scratch folder as the current directory, as the tutor's own folder would be.
  const ScratchDataFolder scratch(L"kf_history_bench_");
  if (!scratch.entered) {
    std::fprintf(stderr, "FAIL: no scratch folder\n");
    return 1;
  }
  g_App.instance = GetModuleHandleW(nullptr);
  g_Settings.Debug = 0;
  g_Settings.Language = 1;
  g_ShellExecute = NoViewer;

  LARGE_INTEGER frequency, t0, t1;
  QueryPerformanceFrequency(&frequency);
  const double msPerCount = 1000.0 / static_cast<double>(frequency.QuadPart);
  bool ok = true;

  // The report, every row in the report's language: the last 50 are near the end.
  const std::string english = MakeHistory(rows, "EN");
  ok = WriteBytes(L"History.csv", english) && ok;
  std::vector<double> reportMs;
  ok = TimeReports(kReports, std::min<size_t>(rows, kProgressTests), reportMs, msPerCount) && ok;
  // No row in the report's language: the whole file is read to find that out.
  ok = WriteBytes(L"History.csv", MakeHistory(rows, "FR")) && ok;
  std::vector<double> wholeMs;
  ok = TimeReports(kReports, 0, wholeMs, msPerCount) && ok;

  // Appending the row of a stopped test to the large file, as the stop does.
  ok = WriteBytes(L"History.csv", english) && ok;
  TestFigures figures;
  figures.rows = 6;
  const char16_t* shown[kFigureRows] = {u"1.50", u"250.00", u"375", u"70", u"46.67", u"5"};
  for (int r = 0; r < kFigureRows; ++r) figures.values[r] = shown[r];
  g_Typing.keystrokes = 375;
  g_Typing.testErrors = 5;
  std::vector<double> appendMs;
  for (int i = 0; i < kAppends; ++i) {
    QueryPerformanceCounter(&t0);
    Mode4_AppendHistory(figures, true);
    QueryPerformanceCounter(&t1);
    appendMs.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * msPerCount);
  }
  const std::string after = ReadBytes(L"History.csv");
  const size_t lines = static_cast<size_t>(std::count(after.begin(), after.end(), '\n'));
  if (after.compare(0, english.size(), english) != 0 || lines != rows + 1 + kAppends || g_History.failureReported) {
    std::printf("FAIL: the appended rows are not all there after the earlier ones\n");
    ok = false;
  }

  const double reportMedian = Percentile(reportMs, 0.5), reportMax = Percentile(reportMs, 1.0);
  const double wholeMedian = Percentile(wholeMs, 0.5);
  const double appendMedian = Percentile(appendMs, 0.5), appendP99 = Percentile(appendMs, 0.99);
  std::printf("history_bench: History.csv of %u rows (%.1f MB)\n", static_cast<unsigned>(rows),
              static_cast<double>(english.size()) / 1e6);
  std::printf("report, rows of its language: median %.2f ms  max %.2f ms (target < %.0f ms)\n", reportMedian,
              reportMax, kTargetReportMs);
  std::printf("report, no row of its language (whole file read): median %.2f ms\n", wholeMedian);
  std::printf("append one row: median %.4f ms  p99 %.4f ms (target < %.1f ms)\n", appendMedian, appendP99,
              kTargetAppendMs);
  std::printf("%s\n", reportMax < kTargetReportMs && appendP99 < kTargetAppendMs ? "PASS" : "OVER TARGET");

  DeleteFileW(L"History.csv");
  DeleteFileW(L"Report.htm");
  return ok ? 0 : 1;
}
