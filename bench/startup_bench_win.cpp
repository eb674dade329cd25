// startup_bench <install folder> <work folder> <bare_window.exe> [pairs] [scenario ...]
// Times the tutor's start against the least Win32 program that shows a window. For each
// scenario (the tutor's mode and language, optionally with a 20,000-word custom list) it lays a
// copy of the install folder in the work folder, then starts the tutor and the bare program
// alternately, `pairs` times each, and measures from process creation to the first visible
// top-level window and to input idle (both reached). Each program is closed with WM_CLOSE.
// Scenario "bare+controls" starts bare_controls.exe (beside the bare program: the same with the
// common controls library loaded first, as the tutor loads it) instead of the tutor: the least
// ratio any tutor start can have.
// Prints per scenario the medians of both and the median of the per-pair ratios of the idle
// times, and the machine's load average before and after the table: other work on the machine
// slows both programs and shrinks the ratios, so figures are comparable only from a quiet
// machine (load below 0.5). Exit code 0 when every start reached a visible idle window and closed; the figures are
// information, not a verdict.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "testing/win_helpers.h"

namespace {

using kftest::CopyTree;
using kftest::ReadBytes;
using kftest::VisibleWindowOf;
using kftest::WriteBytes;

constexpr DWORD kStartLimitMs = 15000;
constexpr DWORD kCloseLimitMs = 10000;
constexpr int kCustomWords = 20000;

struct Scenario {
  const wchar_t* name;
  int mode;
  int language;
  bool bigCustomList;
};

// Mode 0: the bare program with the common controls library in the tutor's place.
const Scenario kScenarios[] = {
    {L"bare+controls", 0, 0, false},
    {L"mode4-EN", 4, 1, false}, {L"mode4-FR", 4, 2, false}, {L"mode4-RU", 4, 3, false},
    {L"mode1-EN", 1, 1, false}, {L"mode1-FR", 1, 2, false}, {L"mode1-RU", 1, 3, false},
    {L"mode2-EN", 2, 1, false}, {L"mode2-FR", 2, 2, false}, {L"mode2-RU", 2, 3, false},
    {L"mode3-EN", 3, 1, false}, {L"mode3-FR", 3, 2, false}, {L"mode3-RU", 3, 3, false},
    {L"mode3-EN-20k", 3, 1, true}, {L"mode4-EN-20k", 4, 1, true},
};

const wchar_t* const kFolders[] = {L"EN", L"FR", L"RU"};

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Replaces the value between <key> and </key> of the settings document.
void SetValue(std::string& document, const std::string& key, int value) {
  const std::string open = "<" + key + ">", close = "</" + key + ">";
  const size_t start = document.find(open);
  if (start == std::string::npos) return;
  const size_t from = start + open.size();
  const size_t end = document.find(close, from);
  if (end == std::string::npos) return;
  document.replace(from, end - from, std::to_string(value));
}

// Distinct lower-case words of 3 to 12 letters, one per CR LF line.
std::string CustomList(int count) {
  std::string list;
  unsigned state = 2024;
  for (int i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    const int length = 3 + static_cast<int>((state >> 16) % 10);
    std::string word;
    int n = i;
    for (int k = 0; k < length; ++k) {
      word += static_cast<char>('a' + (k < 4 ? n % 26 : (state >> (k % 16)) % 26));
      if (k < 4) n /= 26;
    }
    list += word + "\r\n";
  }
  return list;
}

bool PrepareFolder(const std::wstring& install, const std::wstring& folder, const Scenario& scenario) {
  if (scenario.mode == 0) return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
  if (!CopyTree(install, folder)) return false;
  std::string settings = ReadBytes(folder + L"\\Settings.xml");
  if (settings.empty()) return false;
  SetValue(settings, "Mode", scenario.mode);
  SetValue(settings, "Language", scenario.language);
  SetValue(settings, "Debug", 0);
  if (!WriteBytes(folder + L"\\Settings.xml", settings)) return false;
  const std::wstring custom =
      folder + L"\\" + kFolders[scenario.language - 1] + L"\\Training Words\\Custom_Words.dat";
  if (scenario.bigCustomList) return WriteBytes(custom, CustomList(kCustomWords));
  DeleteFileW(custom.c_str());
  return true;
}

struct Start {
  bool ok;
  double visibleMs;
  double idleMs;
};

// Starts `program` in `folder`, waits for a visible top-level window and input idle, closes it.
Start TimeOneStart(const std::wstring& program, const std::wstring& folder) {
  Start result = {false, 0, 0};
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::wstring commandLine = L"\"" + program + L"\"";
  const double t0 = NowMs();
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return result;
  }
  HWND window = nullptr;
  bool idle = false;
  while (NowMs() - t0 < kStartLimitMs && !(window && idle)) {
    if (!window) {
      window = VisibleWindowOf(process.dwProcessId);
      if (window) result.visibleMs = NowMs() - t0;
    }
    if (!idle && WaitForInputIdle(process.hProcess, 0) == 0) idle = true;
    if (window && idle) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;  // ended early
  }
  result.idleMs = NowMs() - t0;
  result.ok = window && idle;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, kCloseLimitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    result.ok = false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

// The load average of the machine the bench runs on: Linux's /proc/loadavg, which Wine shows
// on drive Z:, or KF_LOADAVG when the runner passes it; "unknown" on Windows itself.
std::wstring LoadAverage() {
  std::string text = ReadBytes(L"Z:\\proc\\loadavg");
  if (text.empty()) {
    char passed[128] = "";
    const DWORD n = GetEnvironmentVariableA("KF_LOADAVG", passed, sizeof passed);
    if (n > 0 && n < sizeof passed) text = passed;
  }
  // The three averages (1, 5 and 15 minutes) are the first three fields.
  std::wstring shown;
  int fields = 0;
  for (size_t i = 0; i < text.size() && fields < 3; ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (!shown.empty() && shown.back() != L' ') {
        shown += L' ';
        ++fields;
      }
    } else if ((c >= '0' && c <= '9') || c == '.') {
      shown += static_cast<wchar_t>(c);
    } else {
      break;
    }
  }
  while (!shown.empty() && shown.back() == L' ') shown.pop_back();
  return shown.empty() ? L"unknown" : shown;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fwprintf(stderr, L"usage: startup_bench <install folder> <work folder> <bare_window.exe> [pairs] "
                          L"[scenario ...]\n");
    return 2;
  }
  const std::wstring install = argv[1], work = argv[2], bare = argv[3];
  const int pairs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 21;
  std::vector<const wchar_t*> wanted(argv + std::min(argc, 5), argv + argc);
  CreateDirectoryW(work.c_str(), nullptr);

  std::wprintf(L"start-up: creation to a visible, input-idle window; %d alternating pairs per scenario\n", pairs);
  std::wprintf(L"load average (1, 5, 15 min) before: %ls\n", LoadAverage().c_str());
  std::wprintf(L"%-14ls %12ls %12ls %12ls %14ls\n", L"scenario", L"visible ms", L"idle ms", L"bare ms",
               L"ratio (pairs)");
  bool allOk = true;
  for (const Scenario& scenario : kScenarios) {
    if (!wanted.empty() && std::none_of(wanted.begin(), wanted.end(), [&](const wchar_t* name) {
          return std::wcscmp(name, scenario.name) == 0;
        })) {
      continue;
    }
    const std::wstring folder = work + L"\\" + scenario.name;
    if (!PrepareFolder(install, folder, scenario)) {
      std::wprintf(L"%-14ls cannot prepare %ls\n", scenario.name, folder.c_str());
      allOk = false;
      continue;
    }
    const std::wstring tutor =
        scenario.mode == 0 ? bare.substr(0, bare.find_last_of(L"\\/") + 1) + L"bare_controls.exe" : folder + L"\\KFP.exe";
    std::vector<double> visible, idle, bareIdle, ratios;
    for (int i = 0; i < pairs; ++i) {
      // Alternate which program goes first, so neither always follows the other's exit.
      Start t, b;
      if (i % 2 == 0) {
        t = TimeOneStart(tutor, folder);
        b = TimeOneStart(bare, folder);
      } else {
        b = TimeOneStart(bare, folder);
        t = TimeOneStart(tutor, folder);
      }
      if (!t.ok || !b.ok) {
        allOk = false;
        continue;
      }
      visible.push_back(t.visibleMs);
      idle.push_back(t.idleMs);
      bareIdle.push_back(b.idleMs);
      ratios.push_back(t.idleMs / b.idleMs);
    }
    if (ratios.empty()) {
      std::wprintf(L"%-14ls no start reached a visible idle window\n", scenario.name);
      continue;
    }
    std::wprintf(L"%-14ls %12.1f %12.1f %12.1f %14.2f\n", scenario.name, Median(visible), Median(idle),
                 Median(bareIdle), Median(ratios));
    std::fflush(stdout);
  }
  std::wprintf(L"load average (1, 5, 15 min) after: %ls\n", LoadAverage().c_str());
  return allOk ? 0 : 1;
}
