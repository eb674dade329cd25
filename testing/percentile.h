#pragma once
// The nearest-rank percentile the benchmarks print (fraction 0.5: the median, 0.99: p99).
#include <algorithm>
#include <cstddef>
#include <vector>

namespace kftest {

inline double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t rank = static_cast<size_t>(fraction * values.size() + 0.999999);
  if (rank < 1) rank = 1;
  if (rank > values.size()) rank = values.size();
  return values[rank - 1];
}

}  // namespace kftest
