#pragma once
// Every line of a History.csv, parsed from the start: the plain reading that the reader from
// the end must agree with (unit tests and the fuzz target).
#include <string>
#include <vector>

#include "exam/history.h"

namespace kftest {

inline std::vector<HistoryRow> ForwardParse(const std::string& bytes, const std::string& language) {
  std::vector<HistoryRow> rows;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (start == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    HistoryRow row;
    if (line.size() <= kMaxHistoryLine && Mode4_ParseHistoryRow(line, row) && row.language == language)
      rows.push_back(row);
    start = end + 1;
  }
  return rows;
}

}  // namespace kftest
