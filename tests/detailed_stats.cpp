// Rows, sort values and the custom words list of the detailed statistics window.
#include "tests/detailed_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/files.h"
#include "training/word_lists.h"

void Mode4_SortTestWordsByLength(std::vector<TestWordRecord>& table) {
  std::sort(table.begin(), table.end(),
            [](const TestWordRecord& a, const TestWordRecord& b) { return a.length > b.length; });
}

std::vector<DetailedStatsRow> Mode4_DetailedStatsRows(const std::vector<TestWordRecord>& table) {
  std::vector<DetailedStatsRow> rows;
  for (const TestWordRecord& record : table) {
    // Never typed, or no step between two letters to time.
    if (record.seconds == 0.0f || record.length <= 1) continue;
    const float perStep = record.seconds / static_cast<float>(record.length - 1);
    // Two "%.2f" of the largest float fit many times over.
    char speed[200];
    std::snprintf(speed, sizeof speed, "%.2f (%.2f)", record.seconds, perStep);
    char length[16], errors[16];
    std::snprintf(length, sizeof length, "%d", static_cast<int>(record.length));
    std::snprintf(errors, sizeof errors, "%d", static_cast<int>(record.errors));
    rows.push_back({record.index, record.word, Text_FromAscii(length), Text_FromAscii(speed), Text_FromAscii(errors)});
  }
  return rows;
}

namespace {

// The cells hold figures only; anything past the 7-bit range ends the number.
std::string Narrow(const Text16& text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == 0 || unit > 0x7F) break;
    out.push_back(static_cast<char>(unit));
  }
  return out;
}

}  // namespace

bool Mode4_CellSortValue(const Text16& cell, int column, double& value) {
  const std::string text = Narrow(cell);
  switch (column) {
    case 1:
      value = std::strtod(text.c_str(), nullptr);
      return true;
    case 2: {
      // "1.50 (0.30)": the figure between the first "(" and the closing bracket. A cell without
      // a bracket has no per-step figure and reads 0.
      const size_t open = text.find('(');
      std::string inner = open == std::string::npos ? std::string() : text.substr(open + 1);
      if (!inner.empty()) inner.pop_back();
      value = std::strtod(inner.c_str(), nullptr);
      return true;
    }
    case 3:
      value = static_cast<double>(std::strtol(text.c_str(), nullptr, 10));
      return true;
    default:
      value = 0.0;
      return false;
  }
}

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::string Mode4_CustomListBytes(const std::vector<Text16>& words) {
  std::string bytes;
  for (const Text16& word : words) {
    Text16 kept = word.substr(0, kCustomWordUnits);
    // A cut between the two halves of a surrogate pair would leave half a character.
    if (kept.size() < word.size() && !kept.empty() && IsHighSurrogate(kept.back())) kept.pop_back();
    bytes += App_CutListEntry(Text_ToUtf8(kept), ListEncoding::Utf8);
    bytes += "\r\n";
  }
  return bytes;
}

std::string Mode4_CustomListPath(const std::string& base, int language) {
  return Path_Join(base, App_ListRelativePath(WordList::Custom, language));
}
