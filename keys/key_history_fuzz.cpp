// Arbitrary bytes as Keys.csv: the reader from the end, at any block size, finds exactly the
// rows of the last tests that a plain reading from the start finds; every row it returns writes
// and reads back the same; the key figures, the keyboard page, the key section and a practice
// text are made of them without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "keys/key_history.h"
#include "keys/key_practice.h"
#include "keys/keyboard_page.h"

#include "testing/key_history_reference.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t block = 1 + data[0] % 64;
  const size_t tests = data[1] % 8;
  // Bytes 1 to 4 stand for whole rows, of two tests and two languages, so that runs of real rows
  // between damaged lines come up at once.
  std::string bytes;
  for (size_t i = 2; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == 1) bytes += "2026-11-05T10:00:00,EN,t,30,6,r,4,20,4000\r\n";
    else if (c == 2) bytes += "2026-11-05T10:00:01,EN,\" \",30,1,\",\",1,25,3000\r\n";
    else if (c == 3) bytes += "2026-11-05T10:00:01,RU,\xD0\xB6,300,0,,0,200,40000\r\n";
    else if (c == 4) bytes += "2026-11-05T10:00:02,EN,\xC3\xA9,300,30,e,30,200,90000\r\n";
    else bytes += c;
  }

  const char* languages[3] = {"EN", "FR", "RU"};
  for (int language = 1; language <= 3; ++language) {
    const std::string code = languages[language - 1];
    const std::vector<KeyRow> tail = Mode4_KeyHistoryTail(
        bytes.size(),
        [&](uint64_t offset, char* out, size_t n) {
          Check(offset + n <= bytes.size());
          bytes.copy(out, n, static_cast<size_t>(offset));
          return true;
        },
        code, tests, block);
    Check(tail == kftest::ForwardKeyTail(bytes, code, tests));
    for (const KeyRow& row : tail) {
      const std::string line = Mode4_FormatKeyRow(row);
      Check(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
      KeyRow back;
      Check(Mode4_ParseKeyRow(line.substr(0, line.size() - 2), back) && back == row);
    }
    const KeySummary summary = Mode4_SummarizeKeys(tail, language);
    Check(summary.tests <= tests);
    KeyboardTexts texts;
    texts.confusion = u"%1 %2 %3";
    texts.space = u"<&>";
    const std::string section = Mode4_BuildKeySection(summary, texts);
    Check(section.find("<&>") == std::string::npos);
    Check(Mode4_BuildKeyboardPage(summary, texts).find("<script") == std::string::npos);
    const Practice practice = Mode4_BuildPractice(summary, {u"test", u"tort", u"été", u"жжж"}, u"a test", 7);
    Check((practice.result == PracticeResult::Ok) == !practice.text.empty());
  }
  return 0;
}
