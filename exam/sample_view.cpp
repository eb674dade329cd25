// The mark and the scroll position of the sample text view while the typist works.
#include "exam/sample_view.h"

#include <algorithm>

size_t Mode4_PartingPoint(const Text16& sample, const Text16& typed) {
  const size_t n = std::min(sample.size(), typed.size());
  size_t at = 0;
  while (at < n && sample[at] == typed[at]) ++at;
  // Never inside a line break or a surrogate pair: the mark covers the whole character.
  if (at > 0 && at < sample.size()) {
    const char16_t before = sample[at - 1], here = sample[at];
    if ((before == u'\r' && here == u'\n') || (before >= 0xD800 && before <= 0xDBFF && here >= 0xDC00 && here <= 0xDFFF)) {
      --at;
    }
  }
  return at;
}

size_t Mode4_MarkLength(const Text16& sample, size_t at) {
  if (at >= sample.size()) return 0;
  if (at + 1 < sample.size()) {
    const char16_t here = sample[at], next = sample[at + 1];
    if (here == u'\r' && next == u'\n') return 2;
    if (here >= 0xD800 && here <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) return 2;
  }
  return 1;
}

int Mode4_FirstLineToShow(int firstVisible, int visibleLines, int markLine, int lineCount) {
  if (visibleLines < 1) return firstVisible;
  if (markLine >= firstVisible && markLine < firstVisible + visibleLines) return firstVisible;
  int first = markLine;
  if (visibleLines >= 2 && markLine > 0) first = markLine - 1;
  // The edit control scrolls no further than to show its last line at the bottom.
  first = std::min(first, std::max(0, lineCount - visibleLines));
  return std::max(0, first);
}
