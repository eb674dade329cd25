// Random key sequences against a random sample in the Tests mode (and, for a few inputs, the
// other modes), each character one step of the rules on a fake typing area, now and then a Clear
// that abandons the test: the step never crashes, the counters never go negative, a test starts
// only in an empty area, and a character that completes the sample always leaves the test stopped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exam/sample_text.h"
#include "typing/keystrokes.h"
#include "typing/words.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The line of the typing area's last CR LF, where the caret stays.
Text16 CaretLine(const Text16& text) {
  const size_t lineBreak = text.rfind(u"\r\n");
  const Text16 line = lineBreak == Text16::npos ? text : text.substr(lineBreak + 2);
  return line.substr(0, 99);
}

// Two word lists: every text of fewer than three units begins an entry, and none is one.
const WordListQuery kLists = {
    [](int, const Text16& text) { return text.size() < 3; },
    [](int, const Text16&) { return int32_t{-1}; },
};

// The characters and key words the sequences are made of: letters of the samples, blanks, line
// breaks, punctuation, Backspace; the key word of each as a keyboard sends it, or another one.
constexpr char16_t kChars[] = {u'a', u'b', u'c', u' ', u'\r', u'.', u',', 8};
constexpr uint16_t kKeyWords[] = {30, 48, 46, 57, 28, 52, 51, 14};

// Whether typing `ch` after `text` completes `sample`: everything but its final line breaks.
bool Completes(const Text16& text, char16_t ch, const Text16& sample) {
  size_t n = sample.size();
  while (n > 0 && (sample[n - 1] == u'\r' || sample[n - 1] == u'\n')) --n;
  const Text16 typed = text + Text16(1, ch);
  return n > 0 && typed.size() == n && sample.compare(0, n, typed) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // First byte: the mode (mostly the Tests mode) and the sample's length; the next bytes the
  // sample, then one byte per key.
  const int mode = (data[0] & 0xC0) == 0 ? 1 + (data[0] & 3) : 4;
  const size_t sampleLength = 1 + (data[0] & 0x3F) % 24;
  size_t at = 1;
  Text16 sample;
  for (; at < size && sample.size() < sampleLength; ++at) sample += kChars[data[at] % 7];  // no Backspace
  for (size_t i = 0; i < sample.size(); ++i)
    if (sample[i] == u'\r') sample.insert(++i, 1, u'\n');

  TypingState state;
  g_Words = WordTables();
  Mode4_ParseSampleText(sample);
  WordTables& words = g_Words;
  for (const Text16& word : {Text16(u"ab"), Text16(u"cab")})
    words.customWords.push_back({word, static_cast<int32_t>(word.size()), 0, 0, 0, 0, 0});
  Text16 area;  // the typing area as the edit control keeps it: the character goes in after the step
  uint32_t now = 1000;

  for (size_t keys = 0; at < size && keys < 4000; ++at, ++keys) {
    const uint8_t b = data[at];
    if (b == 0xFF) {
      // Leaving the test (Clear, a language switch, ...): the area is emptied, the test abandoned.
      Mode4_AbandonTestState(state);
      area.clear();
      Check(state.testRunning == 0 && state.wordErrors == 0 && state.previousKey == kNoKey);
      continue;
    }
    const char16_t ch = kChars[b & 7];
    // Mostly the key's own word; sometimes another key's, an auto-repeat or the keypad Enter.
    const uint16_t keyWord = (b & 0x30) == 0x30 ? static_cast<uint16_t>(kKeyWords[(b >> 3) & 7] | ((b & 0x40) ? 0x4000 : 0))
                                                : kKeyWords[b & 7];
    const bool completes = mode == 4 && Completes(area, ch, sample);
    const bool wasRunning = state.testRunning != 0;
    const bool wasEmpty = area.empty();

    const Text16 caretLine = CaretLine(area);
    const Text16 wholeText = area.substr(0, 1999);
    const KeystrokeInput in = {ch, keyWord, mode, now, caretLine, wholeText, sample, &kLists};
    const KeystrokeStep step = App_TypingStep(in, state, words);

    if (ch == 8) {
      if (!area.empty()) area.pop_back();
    } else if (ch == u'\r') {
      area += u"\r\n";
    } else {
      area += ch;
    }
    now += 1 + (b >> 6) * 40;

    Check(state.keystrokes >= 0 && state.testErrors >= 0 && state.wordErrors >= 0);
    Check(state.testRunning == 0 || state.testRunning == 1);
    if (completes) Check(state.testRunning == 0 && step.expandWindow);
    // A stop is only ever the completion of a running test, and it says so with the six figures.
    Check(!step.stopped || (completes && step.stopped->rows == 6));
    // A test starts only on a key typed into an empty area while none runs.
    Check(!step.started || (!wasRunning && wasEmpty && mode == 4));
    for (int16_t errors : step.alerts) Check(errors >= 0);
    for (const TestWordRecord& r : words.testWords) Check(r.errors >= -1 && r.seconds >= 0.0f);
    for (const CustomWordRecord& r : words.customWords) Check(r.typedCount >= 0 && r.totalErrors >= 0);
  }
  return 0;
}
