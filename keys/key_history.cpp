// Keys.csv rows, their reading from the end of the file, and the key figures of the last tests.
// Numbers are written and read digit by digit, as in History.csv: no locale reaches them.
#include "keys/key_history.h"

#include <algorithm>
#include <map>
#include <utility>

#include "common/languages.h"
#include "typing/keyboards.h"

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "Time,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds";
constexpr size_t kFields = 9;
constexpr size_t kTimeLength = 19;  // YYYY-MM-DDTHH:MM:SS
constexpr size_t kMaxDigits = 12;   // counts far beyond any test, and still summed safely in 64 bits

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SameTime(const HistoryTime& a, const HistoryTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

template <typename Number>
bool ReadCount(const std::string& text, Number& value) {
  if (text.empty() || text.size() > kMaxDigits) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v > static_cast<uint64_t>(static_cast<Number>(~Number(0)))) return false;
  value = static_cast<Number>(v);
  return true;
}

// A character field: one UTF-16 unit that is neither a control character nor half a pair.
bool IsKeyCharacter(char16_t ch) { return ch >= 0x20 && (ch < 0xD800 || ch > 0xDFFF); }

// The field of a character, quoted when it is the separator, a quote or a blank.
std::string CharacterField(char16_t ch, char separator) {
  const std::string text = Text_ToUtf8(Text16(1, ch));
  if (ch == static_cast<unsigned char>(separator) || ch == u' ') return "\"" + text + "\"";
  if (ch == u'"') return "\"\"\"\"";
  return text;
}

bool ReadCharacter(const std::string& field, char16_t& ch, bool emptyAllowed) {
  if (field.empty()) {
    ch = 0;
    return emptyAllowed;
  }
  if (field.size() > 3) return false;
  const Text16 text = Text_FromUtf8(field);
  if (text.size() != 1 || !IsKeyCharacter(text[0]) || text[0] == 0xFFFD) return false;
  // Only the shortest form reads back: anything else is no field the writer made.
  if (Text_ToUtf8(text) != field) return false;
  ch = text[0];
  return true;
}


// Quick look at a line before it is parsed: rows of other languages are passed over at once.
bool MayBeRowOf(const std::string& line, const std::string& language) {
  if (line.size() <= kTimeLength + language.size() + 1) return false;
  const char separator = line[kTimeLength];
  return (separator == ',' || separator == ';') && line.compare(kTimeLength + 1, language.size(), language) == 0 &&
         line[kTimeLength + 1 + language.size()] == separator;
}

void Add(KeyTally& tally, const KeyRow& row) {
  tally.expected += row.expected;
  tally.errors += row.errors;
  tally.timed += row.timed;
  tally.ms += row.ms;
}

}  // namespace

bool operator==(const KeyRow& a, const KeyRow& b) {
  return SameTime(a.time, b.time) && a.language == b.language && a.ch == b.ch && a.expected == b.expected &&
         a.errors == b.errors && a.wrong == b.wrong && a.wrongTimes == b.wrongTimes && a.timed == b.timed &&
         a.ms == b.ms;
}

std::string Mode4_KeyFileStart(const CsvForm& form) {
  std::string header = kHeader;
  std::replace(header.begin(), header.end(), ',', form.separator);
  return std::string(kBom) + header + "\r\n";
}

std::string Mode4_FormatKeyRow(const KeyRow& row, const CsvForm& form) {
  const char c = form.separator;
  const std::string s(1, c);
  return Csv_FormatTime(row.time) + s + row.language + s + CharacterField(row.ch, c) + s + std::to_string(row.expected) +
         s + std::to_string(row.errors) + s + (row.wrong ? CharacterField(row.wrong, c) : std::string()) + s +
         std::to_string(row.wrongTimes) + s + std::to_string(row.timed) + s + std::to_string(row.ms) + "\r\n";
}

std::string Mode4_FormatKeyRows(const HistoryTime& time, int language, const KeyStats& keys, const CsvForm& form) {
  std::vector<const KeyFigure*> figures;
  for (const KeyFigure& slot : keys.slots) {
    if (slot.ch != 0 && slot.expected > 0) figures.push_back(&slot);
  }
  std::sort(figures.begin(), figures.end(), [](const KeyFigure* a, const KeyFigure* b) { return a->ch < b->ch; });
  std::string rows;
  KeyRow row;
  row.time = time;
  row.language = Language_Of(language).folder;
  for (const KeyFigure* f : figures) {
    row.ch = f->ch;
    row.expected = f->expected;
    row.errors = f->errors;
    row.wrong = Keys_MostFrequentWrong(*f, &row.wrongTimes);
    row.timed = f->timed;
    row.ms = f->ms;
    rows += Mode4_FormatKeyRow(row, form);
  }
  return rows;
}

bool Mode4_ParseKeyRow(const std::string& line, KeyRow& row) {
  const size_t end = !line.empty() && line.back() == '\r' ? line.size() - 1 : line.size();
  if (end > kMaxKeyLine) return false;
  std::string f[kFields];
  if (!Csv_ReadRowStart(line, f, kFields, row.time, row.language)) return false;
  if (!ReadCharacter(f[2], row.ch, false) || !ReadCount(f[3], row.expected) || !ReadCount(f[4], row.errors) ||
      !ReadCharacter(f[5], row.wrong, true) || !ReadCount(f[6], row.wrongTimes) || !ReadCount(f[7], row.timed) ||
      !ReadCount(f[8], row.ms)) {
    return false;
  }
  // Counts that could not come from one test: more errors than keystrokes, more timed keys than
  // right ones, a wrong key's count without the key or above the errors.
  return row.errors <= row.expected && row.timed <= row.expected - row.errors && row.wrongTimes <= row.errors &&
         (row.wrong != 0) == (row.wrongTimes != 0) && row.expected > 0;
}

std::vector<KeyRow> Mode4_KeyHistoryTail(uint64_t totalBytes, const CsvBlockReader& read,
                                         const std::string& language, size_t tests, size_t blockBytes) {
  std::vector<KeyRow> found;  // newest first until the end
  if (tests == 0) return found;
  size_t testsSeen = 0;
  // Ends when an older test than the ones wanted begins.
  Csv_WalkLinesBackward(totalBytes, read, blockBytes, kMaxKeyLine + 1, [&](const std::string& line, bool firstLine) {
    const bool marked = firstLine && line.compare(0, 3, kBom) == 0;
    const std::string text = marked ? line.substr(3) : std::string();
    const std::string& candidate = marked ? text : line;
    KeyRow row;
    if (!MayBeRowOf(candidate, language) || !Mode4_ParseKeyRow(candidate, row)) return false;
    if (testsSeen == 0 || !SameTime(row.time, found.back().time)) ++testsSeen;
    if (testsSeen > tests) return true;
    found.push_back(std::move(row));
    return false;
  });
  std::reverse(found.begin(), found.end());
  return found;
}

std::vector<KeyRow> Mode4_ReadKeyHistoryTail(const std::string& path, const std::string& language, size_t tests) {
  std::vector<KeyRow> rows;
  Csv_ReadFileBlocks(path, [&](uint64_t size, const CsvBlockReader& read) {
    rows = Mode4_KeyHistoryTail(size, read, language, tests);
  });
  return rows;
}

KeySummary Mode4_SummarizeKeys(const std::vector<KeyRow>& rows, int language) {
  KeySummary s;
  s.language = language;
  const KeyboardLayout& layout = Keyboard_Of(language);
  s.all.assign(layout.count, KeyTally());
  s.older = s.all;
  s.newer = s.all;
  // Tests, in order: a row with another time than the one before begins the next test.
  std::vector<size_t> testOf(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i == 0 || !SameTime(rows[i].time, rows[i - 1].time)) ++s.tests;
    testOf[i] = s.tests - 1;
  }
  const size_t firstNewer = s.tests / 2;
  std::map<std::pair<char16_t, char16_t>, uint64_t> confusions;
  for (size_t i = 0; i < rows.size(); ++i) {
    const KeyRow& row = rows[i];
    s.keystrokes += row.expected;
    Add(s.overall, row);
    if (row.wrong) confusions[{row.ch, row.wrong}] += row.wrongTimes;
    const KeyCap* key = Keyboard_KeyOf(layout, row.ch);
    if (!key) continue;
    const size_t index = static_cast<size_t>(key - layout.keys);
    Add(s.all[index], row);
    Add(testOf[i] < firstNewer ? s.older[index] : s.newer[index], row);
  }
  for (const auto& c : confusions) s.confusions.push_back({c.first.first, c.first.second, c.second});
  std::stable_sort(s.confusions.begin(), s.confusions.end(),
                   [](const Confusion& a, const Confusion& b) { return a.times > b.times; });
  return s;
}

double Mode4_ErrorPercent(const KeyTally& key) {
  return key.expected ? 100.0 * static_cast<double>(key.errors) / static_cast<double>(key.expected) : 0.0;
}

double Mode4_KeyCpm(const KeyTally& key) {
  return key.ms ? 60000.0 * static_cast<double>(key.timed) / static_cast<double>(key.ms) : 0.0;
}

double Mode4_KeyScore(const KeyTally& key, const KeyTally& overall) {
  const double errorRate = key.expected ? static_cast<double>(key.errors) / static_cast<double>(key.expected) : 0.0;
  double slowness = 1.0;
  if (key.timed && overall.timed && overall.ms) {
    const double mean = static_cast<double>(overall.ms) / static_cast<double>(overall.timed);
    slowness = static_cast<double>(key.ms) / static_cast<double>(key.timed) / mean;
  }
  return kErrorWeight * errorRate + slowness;
}

std::vector<size_t> Mode4_WeakestKeys(const KeySummary& summary, size_t count,
                                      const std::function<bool(size_t)>& wanted) {
  std::vector<std::pair<double, size_t>> scored;
  for (size_t i = 0; i < summary.all.size(); ++i) {
    if (summary.all[i].expected < kMinKeyObservations) continue;
    if (wanted && !wanted(i)) continue;
    scored.push_back({Mode4_KeyScore(summary.all[i], summary.overall), i});
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const std::pair<double, size_t>& a, const std::pair<double, size_t>& b) {
                     return a.first > b.first;
                   });
  std::vector<size_t> keys;
  for (size_t i = 0; i < scored.size() && i < count; ++i) keys.push_back(scored[i].second);
  return keys;
}
