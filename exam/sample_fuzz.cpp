// Arbitrary bytes as a sample file: decoding and parsing never crash, and every record is a
// proper word of the text, where the text has it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exam/sample_text.h"
#include "typing/words.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The records cut from `text`: one for each run between blanks that holds more than punctuation,
// in order, indexed 0..n-1, each the run less the punctuation at its ends, standing in the text
// at its offset.
void CheckRecords(const Text16& text) {
  const Text16 visible = text.substr(0, text.find(u'\0'));
  size_t from = 0;
  for (size_t i = 0; i < g_Words.testWords.size(); ++i) {
    const TestWordRecord& r = g_Words.testWords[i];
    Check(r.index == static_cast<int16_t>(i));
    Check(!r.word.empty());
    Check(r.length == static_cast<int32_t>(r.word.size()));
    Check(r.seconds == 0.0f && r.errors == kNotTyped);
    Check(r.offset >= 0 && static_cast<size_t>(r.offset) >= from);
    const size_t at = static_cast<size_t>(r.offset);
    Check(visible.compare(at, r.word.size(), r.word) == 0);
    Check(!App_IsPunctuation(r.word.front()) && !App_IsPunctuation(r.word.back()));
    for (char16_t unit : r.word) Check(!App_IsWordBlank(unit));
    // Before the word: its own leading punctuation back to a blank (or the start); a blank always
    // lies between two words.
    size_t runStart = at;
    while (runStart > 0 && !App_IsWordBlank(visible[runStart - 1])) {
      --runStart;
      Check(App_IsPunctuation(visible[runStart]));
    }
    Check(i == 0 || runStart > from);
    from = at + r.word.size();
    for (size_t k = from; k < visible.size() && !App_IsWordBlank(visible[k]); ++k) Check(App_IsPunctuation(visible[k]));
  }
  if (g_Words.testWords.size() < kMaxTableRecords) {
    // Nothing left over: every run between blanks that is a word has its record.
    size_t runs = 0, i = 0;
    while (i < visible.size()) {
      while (i < visible.size() && App_IsWordBlank(visible[i])) ++i;
      const size_t begin = i;
      while (i < visible.size() && !App_IsWordBlank(visible[i])) ++i;
      if (App_IsWordRun(visible, begin, i)) ++runs;
    }
    Check(runs == g_Words.testWords.size());
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
