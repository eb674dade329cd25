// Arbitrary bytes as History.csv: the reader from the end, at any block size, finds exactly the
// rows a plain reading from the start finds; every row it returns writes and reads back the same;
// the progress section draws one marker per row; an append judges the file by its two ends alike
// wherever they are cut, and a row it adds is read back as the file's last.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exam/history.h"

#include "testing/history_reference.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t block = 1 + data[0] % 64;
  const size_t count = data[1] % 60;
  // Bytes 1 and 2 stand for a whole row of each language, so that runs of real rows between
  // damaged lines come up at once.
  std::string bytes;
  for (size_t i = 2; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == 1) bytes += "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00\r\n";
    else if (c == 2) bytes += "2026-02-28T23:59:59,FR,\"a,\"\"b\"\"\",0,0.50,12.25,6,1,2.00,0,100.00\r\n";
    else bytes += c;
  }

  for (const char* language : {"EN", "FR"}) {
    const std::vector<HistoryRow> tail = Mode4_HistoryTail(
        bytes.size(),
        [&](uint64_t offset, char* out, size_t n) {
          Check(offset + n <= bytes.size());
          bytes.copy(out, n, static_cast<size_t>(offset));
          return true;
        },
        language, count, HistoryRows::All, block);
    const std::vector<HistoryRow> all = kftest::ForwardParse(bytes, language);
    const size_t expected = all.size() < count ? all.size() : count;
    Check(tail == std::vector<HistoryRow>(all.end() - static_cast<std::ptrdiff_t>(expected), all.end()));

    for (const HistoryRow& row : tail) {
      const std::string line = Mode4_FormatHistoryRow(row);
      Check(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
      HistoryRow back;
      Check(Mode4_ParseHistoryRow(line.substr(0, line.size() - 2), back));
      Check(back == row);
    }
    ProgressTexts texts;
    texts.cpm = u"CPM";
    texts.errors = u"<&>";
    const std::string section = Mode4_BuildProgressSection(tail, texts, 1);
    Check(Count(section, "<circle ") == tail.size());
    Check(section.find("<&>") == std::string::npos);
  }
  // The append: a file judged whole, and the same file judged by two ends of `cut` bytes.
  const std::string row = "2026-11-05T10:00:00,EN,\"'=x\",1,1.00,312.40,200,40,40.00,3,99.00\r\n";
  std::string whole, byEnds;
  const CsvWriting start = [](const CsvForm& form) { return Mode4_HistoryFileStart(form); };
  const CsvWriting rows = [&row](const CsvForm&) { return row; };
  const bool ok = Csv_AppendBytes(bytes.size(), bytes, bytes, CsvForm(), start, rows, whole);
  const size_t cut = 4 + data[0] % 16;
  if (bytes.size() > cut) {
    const bool okByEnds = Csv_AppendBytes(bytes.size(), bytes.substr(0, cut), bytes.substr(bytes.size() - cut),
                                          CsvForm(), start, rows, byEnds);
    // Text that is UTF-8 throughout is UTF-8 at both ends, wherever they cut a character.
    Check(!ok || (okByEnds && byEnds == whole));
  }
  if (ok) {
    Check(whole.size() >= row.size() && whole.compare(whole.size() - row.size(), row.size(), row) == 0);
    const std::vector<HistoryRow> after = kftest::ForwardParse(bytes + whole, "EN");
    HistoryRow written;
    Check(Mode4_ParseHistoryRow(row.substr(0, row.size() - 2), written) && written.sample == "=x");
    Check(!after.empty() && after.back() == written);
  }
  return 0;
}
