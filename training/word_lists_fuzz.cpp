// Arbitrary bytes as a word list file, read with each encoding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "training/word_lists.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  size_t lines = 1;
  for (char c : bytes) lines += c == '\n';

  const ListEncoding encodings[] = {ListEncoding::Ansi, ListEncoding::Utf8, ListEncoding::Utf8FirstMark};
  std::vector<Text16> results[3];
  for (int e = 0; e < 3; ++e) {
    results[e] = App_DecodeWordList(bytes, encodings[e]);
    const std::vector<Text16>& entries = results[e];
    Check(entries.size() <= lines);
    for (size_t i = 0; i < entries.size(); ++i) {
      const Text16& entry = entries[i];
      const bool russianFirst = encodings[e] == ListEncoding::Utf8FirstMark && i == 0;
      Check(!entry.empty() || russianFirst);
      // Never more than 49 bytes: one unit per byte at most, whatever the decoding.
      Check(entry.size() <= static_cast<size_t>(kMaxEntryBytes));
      Check(entry.find(u'\0') == Text16::npos);
      Check(entry.find(u'\n') == Text16::npos);
    }
  }
  // Splitting is done on bytes before decoding, so both decodings give the same number of
  // entries, but for a first line that holds nothing after a UTF-8 mark (dropped from the
  // UTF-8 list, three letters in Windows-1252); the first-line rule differs from plain UTF-8 only in its
  // first entry.
  const bool startsWithMark = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  Check(results[0].size() == results[1].size() ||
        (startsWithMark && results[0].size() == results[1].size() + 1));
  if (!results[2].empty()) {
    const size_t rest = results[2].size() - 1;
    Check(rest == results[1].size() || rest + 1 == results[1].size());
  }
  Check(results[2].empty() == (size == 0));  // any byte at all makes a first line
  return 0;
}
