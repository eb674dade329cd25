// Arbitrary bytes as a sample file: decoding and parsing never crash, and every record is a
// proper word of the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exam/sample_text.h"
#include "typing/words.h"

namespace {

const Text16 kDelimiters = u" .,;:!?\r\n";

void Check(bool ok) {
  if (!ok) std::abort();
}

// The records cut from `text`: non-empty, in order, without NUL or delimiter (the first may hold
// any delimiter but the space), indexed 0..n-1, each found in the text after the previous one.
void CheckRecords(const Text16& text) {
  const Text16 visible = text.substr(0, text.find(u'\0'));
  size_t from = 0;
  for (size_t i = 0; i < g_Words.testWords.size(); ++i) {
    const TestWordRecord& r = g_Words.testWords[i];
    Check(r.index == static_cast<int16_t>(i));
    Check(!r.word.empty());
    Check(r.length == static_cast<int32_t>(r.word.size()));
    Check(r.seconds == 0.0f && r.errors == -1);
    Check(r.word.find(u'\0') == Text16::npos);
    const Text16& forbidden = i == 0 ? Text16(u" ") : kDelimiters;
    Check(r.word.find_first_of(forbidden) == Text16::npos);
    const size_t at = visible.find(r.word, from);
    Check(at != Text16::npos);
    // What lies between two words is delimiters only.
    const Text16 gap = visible.substr(from, at - from);
    Check(gap.find_first_not_of(i == 0 ? Text16(u" ") : kDelimiters) == Text16::npos);
    from = at + r.word.size();
    // The word ends at a delimiter of its own call (only a space for the first) or the end.
    Check(from == visible.size() || forbidden.find(visible[from]) != Text16::npos);
  }
  if (g_Words.testWords.size() < kMaxTableRecords) {
    Check(visible.substr(from).find_first_not_of(kDelimiters) == Text16::npos);  // nothing left over
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Text16 text = u"unchanged";
  const SampleLoad result = Mode4_DecodeSample(bytes, text);
  if (result == SampleLoad::Ok) {
    Check(size / 2 < static_cast<size_t>(kSampleCapacity));
    Check(text.size() + 1 <= size / 2);  // the mark is gone
    Check(text.find(u'\0') == Text16::npos);
    Mode4_ParseSampleText(text);
    CheckRecords(text);
  } else {
    Check(text == u"unchanged");
    Check(result != SampleLoad::TooBig || size / 2 >= static_cast<size_t>(kSampleCapacity));
  }

  // The same bytes taken directly as UTF-16 units, NULs and any length included.
  Text16 units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  Mode4_ParseSampleText(units);
  CheckRecords(units);
  return 0;
}
