// Rows, sort values and the custom words list of the detailed statistics window.
#include "exam/detailed_stats.h"

#include <algorithm>

#include "common/files.h"
#include "training/word_lists.h"
#include "typing/figures.h"

void Mode4_SortTestWordsByLength(std::vector<TestWordRecord>& table) {
  std::sort(table.begin(), table.end(),
            [](const TestWordRecord& a, const TestWordRecord& b) { return a.length > b.length; });
}

std::vector<DetailedStatsRow> Mode4_DetailedStatsRows(const std::vector<TestWordRecord>& table) {
  std::vector<DetailedStatsRow> rows;
  for (const TestWordRecord& record : table) {
    // Never typed, or no step between two letters to time. A word typed within one tick of the
    // clock is typed: its 0.00 s is shown.
    if (record.errors == kNotTyped || record.length <= 1) continue;
    const float perStep = record.seconds / static_cast<float>(record.length - 1);
    const Text16 speed = App_FormatFixed2(record.seconds) + u" (" + App_FormatFixed2(perStep) + u")";
    rows.push_back({record.index, record.word, App_FormatInt(record.length), speed, App_FormatInt(record.errors)});
  }
  return rows;
}

namespace {

// The cells hold figures only; anything past the 7-bit range ends the number.
Text16 AsciiPrefix(const Text16& text) {
  size_t n = 0;
  while (n < text.size() && text[n] != 0 && text[n] <= 0x7F) ++n;
  return text.substr(0, n);
}

}  // namespace

bool Mode4_CellSortValue(const Text16& cell, int column, double& value) {
  const Text16 text = AsciiPrefix(cell);
  switch (column) {
    case 1:
      value = App_ReadFigure(text, false, true);
      return true;
    case 2:
      // "1.50 (0.30)": the per-step figure; a cell without a bracket has none and reads 0.
      value = App_ReadFigure(App_StepFigureText(text), false, true);
      return true;
    case 3:
      value = App_ReadFigure(text, true, false);
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
