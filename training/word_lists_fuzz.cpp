// Arbitrary bytes as a word list file, read with each encoding; and the same bytes as words that
// the custom list writer writes and the custom list reader reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exam/detailed_stats.h"
#include "training/word_lists.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Words as the detailed statistics list can hold them: text without line breaks or NUL (the
// sample's words are split at line breaks; a list view cell ends at NUL), one word per LF of the
// input, valid UTF-16.
std::vector<Text16> WordsOf(const std::string& bytes) {
  std::vector<Text16> words(1);
  for (char16_t unit : Text_FromUtf8(bytes)) {
    if (unit == u'\n') {
      words.emplace_back();
    } else if (unit != u'\r' && unit != 0) {
      words.back().push_back(unit);
    }
  }
  return words;
}

// Writing then reading gives every written word back: whole when it fits, else the longest
// start of whole characters that fits; only empty words are left out, and none after a long one.
void CheckRoundTrip(const std::string& bytes) {
  const std::vector<Text16> words = WordsOf(bytes);
  const std::string file = Mode4_CustomListBytes(words);
  const std::vector<Text16> read = App_DecodeWordList(file, ListEncoding::Utf8);
  size_t r = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    const Text16& word = words[i];
    // A U+FEFF at the very start of the file is taken for an editor's byte-order mark.
    const size_t mark = (i == 0 && !word.empty() && word[0] == 0xFEFF) ? 1 : 0;
    if (word.size() == mark) continue;
    Check(r < read.size());
    const Text16 kept = word.substr(0, mark) + read[r++];
    if (Text_ToUtf8(word).size() <= kMaxEntryBytes) {
      Check(kept == word);
    } else {
      Check(kept.size() < word.size() && word.compare(0, kept.size(), kept) == 0);
      Check(Text_ToUtf8(kept).size() <= kMaxEntryBytes);
      // The next whole character would not have fitted.
      const char16_t next = word[kept.size()];
      const size_t units = (next >= 0xD800 && next <= 0xDBFF) ? 2 : 1;
      Check(Text_ToUtf8(word.substr(0, kept.size() + units)).size() > kMaxEntryBytes);
    }
  }
  Check(r == read.size());
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
      // Never more than the entry limit: one unit per byte at most, whatever the decoding.
      Check(entry.size() <= kMaxEntryBytes);
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
  CheckRoundTrip(bytes);
  return 0;
}
