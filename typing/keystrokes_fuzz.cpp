// Random key sequences against a sample in the Tests mode (and, for a few inputs, the other
// modes): the keystroke rules never crash, their counters never go negative, and a character
// that completes the sample always leaves the test stopped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "tests/sample_text.h"
#include "typing/keystrokes.h"
#include "typing/words.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The typing area as the edit control keeps it: the character goes in after the rules ran.
struct FakeArea {
  Text16 text;
  uint32_t now = 1000;
};
FakeArea g_Area;

Text16 CaretLine() {
  const size_t lineBreak = g_Area.text.rfind(u"\r\n");
  const Text16 line = lineBreak == Text16::npos ? g_Area.text : g_Area.text.substr(lineBreak + 2);
  return line.substr(0, 99);
}

void InstallHost() {
  TypingHost host;
  host.caretLine = CaretLine;
  host.wholeText = [] { return g_Area.text.substr(0, 1999); };
  host.focus = [] {};
  host.tick = [] { return g_Area.now; };
  host.errorAlert = [] {};
  host.enableClear = [] {};
  host.toggleTest = [] { Mode4_ToggleTestState(); };
  host.autoStartUi = [] {};
  host.completionUi = [] {};
  host.expandWindow = [](int) {};
  host.listHasPrefix = [](int, const Text16& text) { return text.size() < 3; };
  host.listSelectExact = [](int, const Text16&) { return false; };
  host.updateWordRow = [](int16_t) {};
  g_TypingHost = host;
}

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

  g_Typing = TypingState();
  g_Words = WordTables();
  g_Sample.text = sample;
  Mode4_ParseSampleText(sample);
  for (const Text16& word : {Text16(u"ab"), Text16(u"cab")})
    g_Words.customWords.push_back({word, static_cast<int32_t>(word.size()), 0, 0, 0, 0, 0});
  g_Area = FakeArea();
  InstallHost();

  for (size_t keys = 0; at < size && keys < 4000; ++at, ++keys) {
    const uint8_t b = data[at];
    const char16_t ch = kChars[b & 7];
    // Mostly the key's own word; sometimes another key's, an auto-repeat or the keypad Enter.
    const uint16_t keyWord = (b & 0x30) == 0x30 ? static_cast<uint16_t>(kKeyWords[(b >> 3) & 7] | ((b & 0x40) ? 0x4000 : 0))
                                                : kKeyWords[b & 7];
    const bool completes = mode == 4 && Completes(g_Area.text, ch, sample);

    App_OnTypedChar(ch, keyWord, mode);

    if (ch == 8) {
      if (!g_Area.text.empty()) g_Area.text.pop_back();
    } else if (ch == u'\r') {
      g_Area.text += u"\r\n";
    } else {
      g_Area.text += ch;
    }
    g_Area.now += 1 + (b >> 6) * 40;

    Check(g_Typing.keystrokes >= 0 && g_Typing.testErrors >= 0 && g_Typing.wordErrors >= 0);
    Check(g_Typing.testRunning == 0 || g_Typing.testRunning == 1);
    if (completes) Check(g_Typing.testRunning == 0);
    for (const TestWordRecord& r : g_Words.testWords) Check(r.errors >= -1 && r.seconds >= 0.0f);
    for (const CustomWordRecord& r : g_Words.customWords) Check(r.typedCount >= 0 && r.totalErrors >= 0);
  }
  return 0;
}
