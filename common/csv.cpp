// The plumbing of the tutor's CSV files (History.csv, Keys.csv): their form, RFC 4180 fields,
// times and figures written and read digit by digit (the tutor sets the thread locale of each
// language, and no figure in a file may follow it: only the file's form decides), the bytes an
// append adds, the append itself, and the lines read back from the end of a file.
#include "common/csv.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/files.h"
#include "common/languages.h"

namespace {

constexpr size_t kMaxWholeDigits = 15;  // keeps hundredths, and ten of them added, inside 64 bits

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Padded(int value, size_t width) {
  std::string text = std::to_string(value < 0 ? 0 : value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

// A field of `width` digits at `at`.
bool Digits(const std::string& text, size_t at, size_t width, int& value) {
  value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (!IsDigit(text[i])) return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// A spreadsheet runs a cell that begins with one of these as a formula.
constexpr char kFormulaStarts[] = "=+-@\t\r";

// Whether `bytes` are UTF-8 text without a NUL. A piece cut out of a longer file may begin inside
// a sequence (`cutStart`: up to three continuation bytes are passed over) and end inside one
// (`cutEnd`: a sequence the end cuts short is taken as whole).
bool IsUtf8Text(const std::string& bytes, bool cutStart, bool cutEnd) {
  const size_t n = bytes.size();
  size_t i = 0;
  if (cutStart) {
    while (i < n && i < 3 && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) ++i;
  }
  while (i < n) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead == 0) return false;
    size_t length = 0;
    unsigned least = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, least = 0x10000;
    } else {
      return false;
    }
    unsigned value = lead & (0x7F >> length);
    size_t k = 1;
    for (; k < length && i + k < n; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      value = (value << 6) | (next & 0x3F);
    }
    if (k < length) return cutEnd;  // the piece ends inside the sequence
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Where the first line of `head` starts, after its byte-order mark.
size_t FirstLineStart(const std::string& head) { return head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; }

// The decimal sign of the first field in the whole lines of `head` from `at` on that is a
// number with decimals ("-"? digits ("," | ".") digits); 0 when there is none. A header has none.
char FirstDecimalSign(const std::string& head, size_t at, char separator) {
  for (size_t end = head.find('\n', at); end != std::string::npos; at = end + 1, end = head.find('\n', at)) {
    size_t fieldStart = at;
    for (size_t i = at; i <= end; ++i) {
      if (i < end && head[i] != separator && head[i] != '\r') continue;
      const std::string field = head.substr(fieldStart, i - fieldStart);
      const size_t sign = field.find_first_of(",.");
      int64_t ignored = 0;
      if (sign != std::string::npos && sign + 1 < field.size() && Csv_ReadHundredths(field, ignored))
        return field[sign];
      fieldStart = i + 1;
    }
  }
  return 0;
}

}  // namespace

CsvForm Csv_FormFromLocale(const std::u16string& listSeparator, const std::u16string& decimalSign) {
  CsvForm form;
  form.decimal = decimalSign == u"," ? ',' : '.';
  if (listSeparator == u";" || listSeparator == u",") {
    form.separator = static_cast<char>(listSeparator[0]);
  } else {
    form.separator = form.decimal == ',' ? ';' : ',';
  }
  if (form.separator == form.decimal) form.separator = ';';
  return form;
}

CsvForm Csv_FileForm(const std::string& head, const CsvForm& fresh) {
  const size_t start = FirstLineStart(head);
  const size_t at = head.find_first_of(",;\r\n", start);
  if (at == std::string::npos || head[at] == '\r' || head[at] == '\n') return fresh;
  CsvForm form;
  form.separator = head[at];
  if (form.separator == ';') {
    const char sign = FirstDecimalSign(head, start, ';');
    form.decimal = sign ? sign : fresh.decimal;
  }
  return form;
}

// Whether a text cell is guarded by an apostrophe: it begins with a formula character, or with an
// apostrophe before one (or before another apostrophe), so that taking one leading apostrophe
// off a guarded cell always gives the text back.
bool Csv_NeedsGuard(const std::string& text) {
  if (text.empty()) return false;
  if (std::strchr(kFormulaStarts, text[0]) && text[0] != '\0') return true;
  return text[0] == '\'' && text.size() > 1 && text[1] != '\0' &&
         (text[1] == '\'' || std::strchr(kFormulaStarts, text[1]));
}

// RFC 4180: a field is quoted when it holds a separator, a quote or a line end. A text cell that a
// spreadsheet would run as a formula is quoted with an apostrophe first, which spreadsheets read
// as "this is text"; the reader takes it off again.
std::string Csv_Field(const std::string& text, char separator) {
  const bool guard = Csv_NeedsGuard(text);
  const char specials[] = {separator, '"', '\r', '\n', '\0'};
  if (!guard && text.find_first_of(specials) == std::string::npos) return text;
  std::string quoted = guard ? "\"'" : "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

bool Csv_ReadWhole(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > kMaxWholeDigits) return false;
  value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string Csv_FormatTime(const HistoryTime& t) {
  return Padded(t.year, 4) + "-" + Padded(t.month, 2) + "-" + Padded(t.day, 2) + "T" + Padded(t.hour, 2) + ":" +
         Padded(t.minute, 2) + ":" + Padded(t.second, 2);
}

bool Csv_ReadTime(const std::string& text, HistoryTime& t) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':') {
    return false;
  }
  if (!Digits(text, 0, 4, t.year) || !Digits(text, 5, 2, t.month) || !Digits(text, 8, 2, t.day) ||
      !Digits(text, 11, 2, t.hour) || !Digits(text, 14, 2, t.minute) || !Digits(text, 17, 2, t.second)) {
    return false;
  }
  return t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
         t.hour <= 23 && t.minute <= 59 && t.second <= 59;
}

bool Csv_SplitLine(const std::string& line, std::string* fields, size_t count, char separator) {
  const size_t n = line.size();
  size_t i = 0, found = 0;
  while (true) {
    if (found == count) return false;
    std::string& field = fields[found++];
    field.clear();
    if (i < n && line[i] == '"') {
      ++i;
      while (true) {
        if (i >= n) return false;  // no closing quote
        const char c = line[i++];
        if (c != '"') {
          field += c;
        } else if (i < n && line[i] == '"') {
          field += '"';
          ++i;
        } else {
          break;
        }
      }
    } else {
      const size_t end = std::min(line.find(separator, i), n);
      field.assign(line, i, end - i);
      if (field.find_first_of("\"\r\n") != std::string::npos) return false;
      i = end;
    }
    if (i == n) return found == count;
    if (line[i] != separator) return false;  // text after a closing quote
    ++i;
  }
}

bool Csv_ReadRowStart(const std::string& line, std::string* fields, size_t count, HistoryTime& time,
                      std::string& language) {
  const size_t end = !line.empty() && line.back() == '\r' ? line.size() - 1 : line.size();
  // A row of either form: split by the other form's separator, its first field is no time.
  const std::string body = line.substr(0, end);
  const bool split = Csv_SplitLine(body, fields, count, ',') || Csv_SplitLine(body, fields, count, ';');
  if (!split || !Csv_ReadTime(fields[0], time)) return false;
  for (const LanguageFacts& known : kLanguages) {
    if (fields[1] == known.folder) {
      language = fields[1];
      return true;
    }
  }
  return false;
}

std::string Csv_FormatHundredths(int64_t hundredths, char decimal) {
  const bool negative = hundredths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  const unsigned cents = static_cast<unsigned>(magnitude % 100);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 100);
  text += decimal;
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

bool Csv_ReadHundredths(const std::string& text, int64_t& hundredths) {
  size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative) ++i;
  const size_t wholeStart = i;
  int64_t whole = 0;
  while (i < text.size() && IsDigit(text[i])) {
    if (i - wholeStart == kMaxWholeDigits) return false;
    whole = whole * 10 + (text[i++] - '0');
  }
  if (i == wholeStart) return false;
  int64_t cents = 0;
  int roundUp = 0;
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    const size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) {
      const size_t place = i - fractionStart;
      if (place < 2) cents = cents * 10 + (text[i] - '0');
      if (place == 2) roundUp = text[i] >= '5';
      ++i;
    }
    if (i == fractionStart) return false;
    if (i - fractionStart == 1) cents *= 10;
  }
  if (i != text.size()) return false;
  const int64_t value = whole * 100 + cents + roundUp;
  hundredths = negative ? -value : value;
  return true;
}

bool Csv_AppendBytes(uint64_t size, const std::string& head, const std::string& tail, const CsvForm& fresh,
                     const CsvWriting& fileStart, const CsvWriting& rows, std::string& bytes) {
  bytes.clear();
  if (size == 0) {
    bytes = fileStart(fresh) + rows(fresh);
    return true;
  }
  // A UTF-16 file (marked FF FE or FE FF) is no UTF-8 text: a UTF-8 row would spoil it.
  const bool utf16Mark = head.size() >= 2 && ((head[0] == '\xFF' && head[1] == '\xFE') ||
                                              (head[0] == '\xFE' && head[1] == '\xFF'));
  const bool whole = head.size() >= size;
  if (utf16Mark || !IsUtf8Text(head, false, !whole) || (!whole && !IsUtf8Text(tail, true, false))) return false;
  const std::string& end = whole ? head : tail;
  const char last = end.empty() ? '\n' : end.back();
  // A last line without its end (a file cut short or edited by hand) is ended first, so that the
  // new row stands on a line of its own; a CR waiting for its LF gets just that.
  if (last == '\r') {
    bytes = "\n";
  } else if (last != '\n') {
    bytes = "\r\n";
  }
  bytes += rows(Csv_FileForm(head, fresh));
  return true;
}

bool Csv_AppendRows(const std::string& path, const CsvForm& fresh, const CsvWriting& fileStart,
                    const CsvWriting& rows) {
  // Wine opens a read-only file for writing all the same; the user's read-only file, or a folder of
  // that name, stays as it is.
  if (Dir_Exists(path) || File_IsReadOnly(path)) return false;
  const bool existed = File_Exists(path);
  // Appending: an existing file is never emptied, whatever happens below.
  std::FILE* file = File_Open(path, "a+b");
  if (!file) return false;
  uint64_t size = 0;
  bool ok = File_Size(file, size);
  // Both ends of the file tell whether it is the UTF-8 text a row may be added to, and how its last
  // line ends; a file that is something else is left as it is.
  std::string head, tail, bytes;
  const auto readAt = [file](uint64_t offset, size_t count, std::string& out) {
    out.assign(count, '\0');
    return count == 0 || (File_SeekTo(file, offset) && std::fread(&out[0], 1, count, file) == count);
  };
  const size_t headBytes = static_cast<size_t>(std::min<uint64_t>(size, kCsvCheckBytes));
  ok = ok && readAt(0, headBytes, head);
  if (ok && size > headBytes) {
    const size_t tailBytes = static_cast<size_t>(std::min<uint64_t>(size - headBytes, kCsvCheckBytes));
    ok = readAt(size - tailBytes, tailBytes, tail);
  }
  ok = ok && Csv_AppendBytes(size, head, tail, fresh, fileStart, rows, bytes);
  if (ok) {
    // The flush tells of a full disk; the close would not.
    ok = File_SeekTo(file, size) && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
         std::fflush(file) == 0;
    // Part of a row on a full disk is taken back: the file ends where it ended.
    if (!ok) File_Truncate(file, size);
  }
  std::fclose(file);
  if (!ok && !existed) File_Remove(path);
  return ok;
}

void Csv_WalkLinesBackward(uint64_t totalBytes, const CsvBlockReader& read, size_t blockBytes, size_t maxLine,
                             const std::function<bool(const std::string& line, bool firstLine)>& take) {
  if (blockBytes == 0) return;
  std::string line;  // the end of the line being gathered backwards
  bool tooLong = false;
  // Hands on the gathered line (a line too long is none); true when the walk is to end.
  auto give = [&](bool firstLine) {
    const bool done = !tooLong && take(line, firstLine);
    line.clear();
    tooLong = false;
    return done;
  };
  std::string block;
  uint64_t position = totalBytes;
  while (position > 0) {
    const size_t size = static_cast<size_t>(std::min<uint64_t>(blockBytes, position));
    position -= size;
    block.resize(size);
    // A line cut by a read error is no row: the walk ends with the lines after it.
    if (!read(position, &block[0], size)) return;
    size_t end = size;
    while (true) {
      const size_t newline = end == 0 ? std::string::npos : block.rfind('\n', end - 1);
      const size_t start = newline == std::string::npos ? 0 : newline + 1;
      if (!tooLong) {
        if (line.size() + (end - start) > maxLine) {
          tooLong = true;
          line.clear();
        } else {
          line.insert(0, block, start, end - start);
        }
      }
      if (newline == std::string::npos) break;
      if (give(false)) return;
      end = newline;
    }
  }
  give(true);
}

bool Csv_ReadFileBlocks(const std::string& path,
                          const std::function<void(uint64_t size, const CsvBlockReader& read)>& use) {
  if (Dir_Exists(path)) return false;
  std::FILE* file = File_Open(path, "rb");
  if (!file) return false;
  uint64_t size = 0;
  const bool sized = File_Size(file, size);
  if (sized) {
    use(size, [file](uint64_t offset, char* out, size_t bytes) {
      return File_SeekTo(file, offset) && std::fread(out, 1, bytes, file) == bytes;
    });
  }
  std::fclose(file);
  return sized;
}
