// TraceFile.txt: while the trace switch is on, each traced step appends one dated line,
// "MM/DD/YYYY,HH:MM:SS: message" and CR LF. The file is opened and closed for every line so
// that each line is on disk when the call returns; a file that cannot be opened or written
// loses the line silently.
#include "settings/trace.h"

#include <cstdio>

#include "common/files.h"
#include "settings/settings.h"

TraceState g_Trace;

namespace {

// A line holds at most 100 bytes: 21 for the date, the time and the separators, 2 for CR LF,
// so a message is cut after 76 characters. This keeps every line ending in CR LF.
constexpr size_t kMaxMessage = 76;

std::string TwoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

std::string App_FormatTraceLine(const TraceTime& time, const char* message) {
  const std::string date = TwoDigits(time.month) + "/" + TwoDigits(time.day) + "/" + std::to_string(time.year);
  const std::string clock = TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
  size_t length = 0;
  while (message && length < kMaxMessage && message[length] != '\0') ++length;
  const std::string text = message ? std::string(message, length) : std::string();
  return date + "," + clock + ": " + text + "\r\n";
}

void App_WriteTrace(const char* message) {
  if (g_Settings.Debug == 0) return;
  const TraceTime now = g_Trace.now ? g_Trace.now() : Clock_LocalNow();
  const std::string line = App_FormatTraceLine(now, message);
  std::FILE* f = File_Open(Dir_DataFile("\\TraceFile.txt"), "ab");
  if (!f) return;
  std::fwrite(line.data(), 1, line.size(), f);
  std::fclose(f);
}

void App_Trace(const char* message) {
  if (g_Settings.Debug != 0) App_WriteTrace(message);
}
