// Rows, sort values and the custom words list of the detailed statistics window.
#include "tests/detailed_stats.h"

#include <algorithm>
#include <cmath>
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

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Whether `text` continues at `at` with `word` (lower case), letter case ignored.
bool ContinuesWith(const std::string& text, size_t at, const char* word) {
  for (; *word; ++word, ++at) {
    if (at >= text.size() || (text[at] | 0x20) != *word) return false;
  }
  return true;
}

// A cell's figure as far as it reads as one, as strtod reads a decimal number: blanks, a sign,
// digits with a decimal point and an exponent, or "inf" and "nan"; nothing readable gives 0. The
// digits are gathered as a whole number and divided once by the power of ten, so a figure of the
// list ("1.50") reads as the nearest double. (strtod's own is several kilobytes of the program.)
double ReadFigure(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (ContinuesWith(text, i, "inf")) return negative ? -HUGE_VAL : HUGE_VAL;
  if (ContinuesWith(text, i, "nan")) return std::nan("");
  double digits = 0.0;
  int scale = 0;  // the power of ten the digits are to be multiplied by
  bool any = false;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i, any = true) digits = digits * 10.0 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsAsciiDigit(text[i]); ++i, any = true, --scale) digits = digits * 10.0 + (text[i] - '0');
  }
  if (!any) return 0.0;
  if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    const bool negativeExponent = text[e] == '-';
    if (text[e] == '+' || text[e] == '-') ++e;
    int exponent = 0;
    for (; e < text.size() && IsAsciiDigit(text[e]); ++e) exponent = std::min(exponent * 10 + (text[e] - '0'), 9999);
    if (e > i + 1 && IsAsciiDigit(text[e - 1])) scale += negativeExponent ? -exponent : exponent;
  }
  double power = 1.0;
  for (int k = 0; k < (scale < 0 ? -scale : scale) && power < HUGE_VAL; ++k) power *= 10.0;
  const double value = scale < 0 ? digits / power : digits * power;
  return negative ? -value : value;
}

}  // namespace

bool Mode4_CellSortValue(const Text16& cell, int column, double& value) {
  const std::string text = Narrow(cell);
  switch (column) {
    case 1:
      value = ReadFigure(text);
      return true;
    case 2: {
      // "1.50 (0.30)": the figure between the first "(" and the closing bracket. A cell without
      // a bracket has no per-step figure and reads 0.
      const size_t open = text.find('(');
      std::string inner = open == std::string::npos ? std::string() : text.substr(open + 1);
      if (!inner.empty()) inner.pop_back();
      value = ReadFigure(inner);
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
