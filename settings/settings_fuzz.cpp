// Fuzzes the settings document: the input is the document, preceded by a key and a value
// (each ended by a NUL byte); byte 1 and a count in the document stand for a run of 'x'. Checks that writing never loses a line that does not hold the
// key, that the written value reads back, and that reading never fails.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/files.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "testing/whole_files.h"

namespace {

using kftest::ReadAll;
using kftest::WriteAll;

// Lines as text mode sees them: LF ends a line, a CR before it is dropped, no empty last piece.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool ended = end != std::string::npos;
    if (!ended) end = text.size();
    std::string line = text.substr(start, end - start);
    if (ended && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The lines the writer must keep: those whose first 259 characters do not hold the tag.
// Empty lines are left out: the format cannot keep an empty last line (no final line end).
std::vector<std::string> KeptLines(const std::string& text, const std::string& tag) {
  std::vector<std::string> kept;
  for (const std::string& line : Lines(text))
    if (!line.empty() && line.substr(0, 259).find(tag) == std::string::npos) kept.push_back(line);
  return kept;
}

std::string TakeField(const uint8_t*& data, size_t& size, size_t limit) {
  std::string field;
  while (size > 0 && *data != 0 && field.size() < limit) {
    field.push_back(static_cast<char>(*data));
    ++data, --size;
  }
  if (size > 0) ++data, --size;  // the NUL
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A data folder of this run's own: the document is its Settings.xml (the trace stays off).
  static const std::string folder = [] {
    const std::string made = "/tmp/kf_settings_fuzz_" + std::to_string(getpid());
    mkdir(made.c_str(), 0700);
    return made;
  }();
  static const std::string path = (Dir_SetData(folder), App_SettingsPath());
  g_Settings = SettingsState{};

  std::string key = TakeField(data, size, 20);
  std::string value = TakeField(data, size, 40);
  // Byte 1 followed by a count n stands for 2n + 2 'x', so long lines are easy to reach.
  std::string doc;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 1 && i + 1 < size) doc.append(2 * size_t{data[++i]} + 2, 'x');
    else doc.push_back(static_cast<char>(data[i]));
  }
  if (key.empty()) key = "Mode";
  for (char& c : key)
    if (c == '\n' || c == '\r') c = '_';
  for (char& c : value)
    if (c == '\n' || c == '\r') c = '_';
  const std::string tag = "<" + key + ">";

  if (!WriteAll(path, doc)) std::abort();
  App_XMLReadValue("Mode");
  App_XMLReadValue(key);
  App_XMLReadSettings();
  g_Settings.Debug = 0;

  App_XMLWriteValue(key, value);
  const std::string after = ReadAll(path);
  if (KeptLines(after, tag) != KeptLines(doc, tag)) std::abort();  // a user's line was lost or changed
  if (File_Exists(path + ".tmp")) std::abort();

  bool holdsKey = false;
  size_t indent = 0;
  for (const std::string& line : Lines(doc)) {
    const std::string view = line.substr(0, 259);
    if (view.find(tag) != std::string::npos) {
      holdsKey = true;
      while (view[indent] == ' ') ++indent;
      break;
    }
  }
  if (holdsKey) {
    // The replacement line is the only one with the tag now; within the line limit it reads back.
    if (indent + 2 * tag.size() + 1 + value.size() <= 259 && App_XMLReadValue(key) != value) std::abort();
    std::string expectedLine(indent, ' ');
    expectedLine += tag + value + "</" + key + ">";
    bool found = false;
    for (const std::string& line : Lines(after)) found = found || line == expectedLine;
    if (!found) std::abort();
  }
  File_Remove(path);
  return 0;
}
