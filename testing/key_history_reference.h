#pragma once
// Keys.csv parsed from the start: the plain reading that the reader from the end must agree
// with (unit tests and the fuzz target). The rows of the last `tests` tests of `language`.
#include <string>
#include <vector>

#include "keys/key_history.h"

namespace kftest {

inline bool SameTest(const KeyRow& a, const KeyRow& b) {
  const HistoryTime &s = a.time, &t = b.time;
  return s.year == t.year && s.month == t.month && s.day == t.day && s.hour == t.hour && s.minute == t.minute &&
         s.second == t.second;
}

inline std::vector<KeyRow> ForwardKeyTail(const std::string& bytes, const std::string& language, size_t tests) {
  std::vector<KeyRow> rows;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (start == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    KeyRow row;
    if (Mode4_ParseKeyRow(line, row) && row.language == language) rows.push_back(row);
    start = end + 1;
  }
  // Back from the end to the first row of the oldest test wanted.
  size_t first = rows.size(), seen = 0;
  while (first > 0) {
    if (first == rows.size() || !SameTest(rows[first - 1], rows[first])) {
      if (++seen > tests) break;
    }
    --first;
  }
  return std::vector<KeyRow>(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end());
}

}  // namespace kftest
