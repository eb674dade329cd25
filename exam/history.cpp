// History.csv rows, their reading from the end of the file, and the progress section of the
// report. Numbers are written and read digit by digit: the tutor sets the thread locale of each
// language, and no figure in the file may follow it.
#include "exam/history.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/files.h"
#include "common/languages.h"
#include "exam/report.h"

HistoryState g_History;

std::string Mode4_HistoryPath() { return Dir_DataFile("\\History.csv"); }

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "Time,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %";
constexpr size_t kFields = 11;
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


bool ReadWhole(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > kMaxWholeDigits) return false;
  value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// A figure as the Tests screen shows it: "%.2f" or "%d" text, "." or "," before the decimals.
int64_t FigureHundredths(const Text16& shown) {
  std::string ascii;
  for (char16_t unit : shown) {
    if (unit > 0x7F) return 0;
    ascii.push_back(unit == u',' ? '.' : static_cast<char>(unit));
  }
  int64_t value = 0;
  return Mode4_ReadHundredths(ascii, value) ? value : 0;
}

// A spreadsheet runs a cell that begins with one of these as a formula.
constexpr char kFormulaStarts[] = "=+-@\t\r";

// Whether a text cell is guarded by an apostrophe: it begins with a formula character, or with an
// apostrophe before one (or before another apostrophe), so that taking one leading apostrophe
// off a guarded cell always gives the text back.
bool NeedsGuard(const std::string& text) {
  if (text.empty()) return false;
  if (std::strchr(kFormulaStarts, text[0]) && text[0] != '\0') return true;
  return text[0] == '\'' && text.size() > 1 && text[1] != '\0' &&
         (text[1] == '\'' || std::strchr(kFormulaStarts, text[1]));
}

// RFC 4180: a field is quoted when it holds a separator, a quote or a line end. A text cell that a
// spreadsheet would run as a formula is quoted with an apostrophe first, which spreadsheets read
// as "this is text"; the reader takes it off again.
std::string CsvField(const std::string& text) {
  const bool guard = NeedsGuard(text);
  if (!guard && text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = guard ? "\"'" : "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}


// a / b rounded half away from zero; b > 0.
int64_t RoundedDivide(int64_t a, int64_t b) {
  return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

ReportTime AsReportTime(const HistoryTime& t) { return {t.year, t.month, t.day, 0, t.hour, t.minute}; }

// A text of the string tables for the page, its "%d" replaced by `count`.
std::string PageText(const Text16& text, size_t count) {
  std::string page = Mode4_ReportText(text, kReportTextBytes);
  const size_t at = page.find("%d");
  if (at != std::string::npos) page.replace(at, 2, std::to_string(count));
  return page;
}

// A coordinate in tenths of a pixel, as text; values are small and never negative here.
std::string Coord(double value) {
  const long long tenths = std::llround(value * 10.0);
  const long long whole = tenths / 10, tenth = tenths % 10;
  return std::to_string(whole) + (tenth ? "." + std::to_string(tenth < 0 ? -tenth : tenth) : "");
}

// The smallest of 1, 2, 5 times a power of ten at or above `value`, and at least `least`.
int64_t NiceCeiling(double value, int64_t least) {
  int64_t power = 1;
  while (true) {
    for (int64_t m : {1, 2, 5}) {
      const int64_t candidate = m * power;
      if (candidate >= least && static_cast<double>(candidate) >= value) return candidate;
    }
    if (power > INT64_MAX / 100) return 5 * power;
    power *= 10;
  }
}

// The chart's frame, in pixels.
constexpr int kWidth = 640, kHeight = 300;
constexpr double kLeft = 64, kRight = 576, kTop = 40, kBottom = 256;
constexpr int kGridSteps = 5;
constexpr char kCpmColour[] = "#1f5fbf";
constexpr char kErrorColour[] = "#c0392b";
constexpr char kTrendColour[] = "#6c8ebf";

double PlotY(double value, int64_t top) {
  const double share = std::min(1.0, std::max(0.0, value / static_cast<double>(top)));
  return kBottom - share * (kBottom - kTop);
}

double PlotX(size_t index, size_t count) {
  if (count < 2) return (kLeft + kRight) / 2;
  return kLeft + (kRight - kLeft) * static_cast<double>(index) / static_cast<double>(count - 1);
}

std::string Svg(const std::vector<HistoryRow>& rows, const ProgressTexts& texts, int language) {
  const std::string cpmText = PageText(texts.cpm, 0);
  const std::string errorText = PageText(texts.errors, 0);
  const std::string trendText = PageText(texts.trend, 0);
  double trendFirst = 0, trendLast = 0;
  Mode4_CpmTrend(rows, trendFirst, trendLast);
  // The scales hold what is drawn: the tests and the trend line's ends.
  double topCpm = std::max(trendFirst, trendLast) / 100.0, topErrors = 0;
  for (const HistoryRow& row : rows) {
    topCpm = std::max(topCpm, row.cpm100 / 100.0);
    topErrors = std::max(topErrors, static_cast<double>(row.errors));
  }
  const int64_t cpmScale = NiceCeiling(topCpm, 10);
  const int64_t errorScale = NiceCeiling(topErrors, 5);

  std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='" + std::to_string(kWidth) + "' height='" +
                    std::to_string(kHeight) + "' viewBox='0 0 " + std::to_string(kWidth) + " " +
                    std::to_string(kHeight) + "' font-family='Arial, sans-serif' font-size='12'>\r\n";
  svg += "<title>" + PageText(texts.chartCaption, kProgressTests) + "</title>\r\n";
  svg += "<rect x='0.5' y='0.5' width='" + std::to_string(kWidth - 1) + "' height='" +
         std::to_string(kHeight - 1) + "' fill='#ffffff' stroke='#cccccc'/>\r\n";
  // Legend.
  svg += "<line x1='200' y1='18' x2='230' y2='18' stroke='" + std::string(kCpmColour) + "' stroke-width='2'/>";
  svg += "<text x='236' y='22' fill='" + std::string(kCpmColour) + "'>" + cpmText + "</text>\r\n";
  svg += "<line x1='340' y1='18' x2='370' y2='18' stroke='" + std::string(kErrorColour) +
         "' stroke-width='2' stroke-dasharray='6 4'/>";
  svg += "<text x='376' y='22' fill='" + std::string(kErrorColour) + "'>" + errorText + "</text>\r\n";
  svg += "<line x1='460' y1='18' x2='490' y2='18' stroke='" + std::string(kTrendColour) +
         "' stroke-width='2' stroke-dasharray='2 3'/>";
  svg += "<text x='496' y='22' fill='" + std::string(kTrendColour) + "'>" + trendText + "</text>\r\n";
  // Axis titles: CPM up the left scale, errors up the right one, the tests in order along the bottom.
  const std::string middle = Coord((kTop + kBottom) / 2);
  svg += "<text class='axis' x='16' y='" + middle + "' transform='rotate(-90 16 " + middle +
         ")' text-anchor='middle' fill='" + kCpmColour + "'>" + cpmText + "</text>";
  svg += "<text class='axis' x='" + Coord(kWidth - 12) + "' y='" + middle + "' transform='rotate(90 " +
         Coord(kWidth - 12) + " " + middle + ")' text-anchor='middle' fill='" + kErrorColour + "'>" + errorText +
         "</text>";
  svg += "<text class='axis' x='" + Coord((kLeft + kRight) / 2) + "' y='" + Coord(kBottom + 38) +
         "' text-anchor='middle'>" + PageText(texts.testsAxis, rows.size()) + "</text>\r\n";
  // Grid with the CPM scale on the left and the errors scale on the right.
  for (int step = 0; step <= kGridSteps; ++step) {
    const double y = kBottom - (kBottom - kTop) * step / kGridSteps;
    svg += "<line x1='" + Coord(kLeft) + "' y1='" + Coord(y) + "' x2='" + Coord(kRight) + "' y2='" + Coord(y) +
           "' stroke='" + (step ? "#e4e4e4" : "#888888") + "'/>";
    svg += "<text x='" + Coord(kLeft - 6) + "' y='" + Coord(y + 4) + "' text-anchor='end' fill='" + kCpmColour +
           "'>" + std::to_string(cpmScale / kGridSteps * step) + "</text>";
    svg += "<text x='" + Coord(kRight + 6) + "' y='" + Coord(y + 4) + "' fill='" + kErrorColour + "'>" +
           std::to_string(errorScale / kGridSteps * step) + "</text>\r\n";
  }
  svg += "<line x1='" + Coord(kLeft) + "' y1='" + Coord(kTop) + "' x2='" + Coord(kLeft) + "' y2='" +
         Coord(kBottom) + "' stroke='#888888'/>\r\n";
  // The dates of the first and the last test under the axis.
  if (!rows.empty()) {
    svg += "<text x='" + Coord(PlotX(0, rows.size())) + "' y='" + Coord(kBottom + 20) + "' text-anchor='" +
           (rows.size() < 2 ? "middle" : "start") + "'>" + Mode4_ReportDate(AsReportTime(rows.front().time), language) +
           "</text>";
    if (rows.size() > 1) {
      svg += "<text x='" + Coord(kRight) + "' y='" + Coord(kBottom + 20) + "' text-anchor='end'>" +
             Mode4_ReportDate(AsReportTime(rows.back().time), language) + "</text>";
    }
    svg += "\r\n";
  }
  // The two lines, then one marker per test with its figures as a tooltip.
  std::string cpmPoints, errorPoints;
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string x = Coord(PlotX(i, rows.size()));
    cpmPoints += (i ? " " : "") + x + "," + Coord(PlotY(rows[i].cpm100 / 100.0, cpmScale));
    errorPoints += (i ? " " : "") + x + "," + Coord(PlotY(static_cast<double>(rows[i].errors), errorScale));
  }
  svg += "<polyline class='errors' points='" + errorPoints + "' fill='none' stroke='" + kErrorColour +
         "' stroke-width='2' stroke-dasharray='6 4'/>\r\n";
  svg += "<polyline class='cpm' points='" + cpmPoints + "' fill='none' stroke='" + kCpmColour +
         "' stroke-width='2'/>\r\n";
  svg += "<line class='trend' x1='" + Coord(PlotX(0, rows.size())) + "' y1='" +
         Coord(PlotY(trendFirst / 100.0, cpmScale)) + "' x2='" + Coord(PlotX(rows.size() - 1, rows.size())) +
         "' y2='" + Coord(PlotY(trendLast / 100.0, cpmScale)) + "' stroke='" + kTrendColour +
         "' stroke-width='2' stroke-dasharray='2 3'/>\r\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    const HistoryRow& row = rows[i];
    const double x = PlotX(i, rows.size());
    const ReportTime moment = AsReportTime(row.time);
    const std::string tip = "<title>" + Mode4_ReportDate(moment, language) + " " + Mode4_ReportClock(moment) +
                            ": " + cpmText + " " + Mode4_FormatHundredths(row.cpm100) + ", " + errorText + " " +
                            std::to_string(row.errors) + "</title>";
    const double errorY = PlotY(static_cast<double>(row.errors), errorScale);
    svg += "<rect class='errors' x='" + Coord(x - 3) + "' y='" + Coord(errorY - 3) +
           "' width='6' height='6' fill='" + kErrorColour + "'>" + tip + "</rect>";
    svg += "<circle class='cpm' cx='" + Coord(x) + "' cy='" + Coord(PlotY(row.cpm100 / 100.0, cpmScale)) +
           "' r='4' fill='" + kCpmColour + "'>" + tip + "</circle>\r\n";
  }
  svg += "</svg>";
  return svg;
}

}  // namespace

std::string Mode4_FormatHistoryTime(const HistoryTime& t) {
  return Padded(t.year, 4) + "-" + Padded(t.month, 2) + "-" + Padded(t.day, 2) + "T" + Padded(t.hour, 2) + ":" +
         Padded(t.minute, 2) + ":" + Padded(t.second, 2);
}

bool Mode4_ReadHistoryTime(const std::string& text, HistoryTime& t) {
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

bool Mode4_SplitCsvLine(const std::string& line, std::string* fields, size_t count) {
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
      const size_t end = std::min(line.find(',', i), n);
      field.assign(line, i, end - i);
      if (field.find_first_of("\"\r\n") != std::string::npos) return false;
      i = end;
    }
    if (i == n) return found == count;
    if (line[i] != ',') return false;  // text after a closing quote
    ++i;
  }
}

bool operator==(const HistoryRow& a, const HistoryRow& b) {
  const HistoryTime &s = a.time, &t = b.time;
  return s.year == t.year && s.month == t.month && s.day == t.day && s.hour == t.hour && s.minute == t.minute &&
         s.second == t.second && a.language == b.language && a.sample == b.sample && a.completed == b.completed &&
         a.minutes100 == b.minutes100 && a.cpm100 == b.cpm100 && a.characters == b.characters &&
         a.words == b.words && a.wpm100 == b.wpm100 && a.errors == b.errors && a.accuracy100 == b.accuracy100;
}

std::string Mode4_FormatHundredths(int64_t hundredths) {
  const bool negative = hundredths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  const unsigned cents = static_cast<unsigned>(magnitude % 100);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 100);
  text += '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

bool Mode4_ReadHundredths(const std::string& text, int64_t& hundredths) {
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
  if (i < text.size() && text[i] == '.') {
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

std::string Mode4_FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

HistoryRow Mode4_MakeHistoryRow(const HistoryTime& time, int language, const std::string& sample, bool completed,
                                const TestFigures& figures, int32_t keystrokes, int32_t errors) {
  HistoryRow row;
  row.time = time;
  row.language = Language_Of(language).folder;
  row.sample = sample;
  row.completed = completed;
  int64_t shown[5] = {};
  for (int r = 0; r < 5 && r < figures.rows; ++r) shown[r] = FigureHundredths(figures.values[r]);
  row.minutes100 = shown[0];
  row.cpm100 = shown[1];
  row.characters = RoundedDivide(shown[2], 100);
  row.words = RoundedDivide(shown[3], 100);
  row.wpm100 = shown[4];
  row.errors = errors;
  if (keystrokes > 0) {
    const int64_t correct = std::max<int64_t>(0, static_cast<int64_t>(keystrokes) - errors);
    row.accuracy100 = RoundedDivide(correct * 10000, keystrokes);
  }
  return row;
}

std::string Mode4_HistoryFileStart() { return std::string(kBom) + kHeader + "\r\n"; }

namespace {

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

}  // namespace

bool Mode4_CsvAppendBytes(uint64_t size, const std::string& head, const std::string& tail,
                          const std::string& fileStart, const std::string& rows, std::string& bytes) {
  bytes.clear();
  if (size == 0) {
    bytes = fileStart + rows;
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
  bytes += rows;
  return true;
}

std::string Mode4_FormatHistoryRow(const HistoryRow& row) {
  return Mode4_FormatHistoryTime(row.time) + "," + row.language + "," + CsvField(row.sample) + "," + (row.completed ? "1" : "0") +
         "," + Mode4_FormatHundredths(row.minutes100) + "," + Mode4_FormatHundredths(row.cpm100) + "," +
         std::to_string(row.characters) + "," + std::to_string(row.words) + "," +
         Mode4_FormatHundredths(row.wpm100) + "," + std::to_string(row.errors) + "," +
         Mode4_FormatHundredths(row.accuracy100) + "\r\n";
}

bool Mode4_ParseHistoryRow(const std::string& line, HistoryRow& row) {
  const size_t end = !line.empty() && line.back() == '\r' ? line.size() - 1 : line.size();
  std::string f[kFields];
  if (!Mode4_SplitCsvLine(line.substr(0, end), f, kFields)) return false;
  if (!Mode4_ReadHistoryTime(f[0], row.time)) return false;
  bool known = false;
  for (const LanguageFacts& language : kLanguages) known = known || f[1] == language.folder;
  if (!known) return false;
  row.language = f[1];
  row.sample = f[2];
  if (row.sample.size() > 1 && row.sample[0] == '\'' && NeedsGuard(row.sample.substr(1))) row.sample.erase(0, 1);
  if (f[3] != "0" && f[3] != "1") return false;
  row.completed = f[3] == "1";
  return Mode4_ReadHundredths(f[4], row.minutes100) && Mode4_ReadHundredths(f[5], row.cpm100) &&
         ReadWhole(f[6], row.characters) && ReadWhole(f[7], row.words) && Mode4_ReadHundredths(f[8], row.wpm100) &&
         ReadWhole(f[9], row.errors) && Mode4_ReadHundredths(f[10], row.accuracy100);
}

void Mode4_WalkLinesBackward(uint64_t totalBytes, const HistoryBlockReader& read, size_t blockBytes, size_t maxLine,
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

std::vector<HistoryRow> Mode4_HistoryTail(uint64_t totalBytes, const HistoryBlockReader& read,
                                          const std::string& language, size_t count, HistoryRows which,
                                          size_t blockBytes) {
  std::vector<HistoryRow> found;  // newest first until the end
  if (count == 0) return found;
  Mode4_WalkLinesBackward(totalBytes, read, blockBytes, kMaxHistoryLine, [&](const std::string& line, bool firstLine) {
    const bool marked = firstLine && line.compare(0, 3, kBom) == 0;
    HistoryRow row;
    if (Mode4_ParseHistoryRow(marked ? line.substr(3) : line, row) && row.language == language &&
        (which == HistoryRows::All || row.completed)) {
      found.push_back(std::move(row));
    }
    return found.size() >= count;
  });
  std::reverse(found.begin(), found.end());
  return found;
}

bool Mode4_ReadFileBlocks(const std::string& path,
                          const std::function<void(uint64_t size, const HistoryBlockReader& read)>& use) {
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

std::vector<HistoryRow> Mode4_ReadHistoryTail(const std::string& path, const std::string& language, size_t count,
                                              HistoryRows which) {
  std::vector<HistoryRow> rows;
  Mode4_ReadFileBlocks(path, [&](uint64_t size, const HistoryBlockReader& read) {
    rows = Mode4_HistoryTail(size, read, language, count, which);
  });
  return rows;
}

void Mode4_CpmTrend(const std::vector<HistoryRow>& rows, double& first100, double& last100) {
  first100 = last100 = 0;
  if (rows.empty()) return;
  const double n = static_cast<double>(rows.size());
  double meanX = 0, meanY = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    meanX += static_cast<double>(i);
    meanY += static_cast<double>(rows[i].cpm100);
  }
  meanX /= n;
  meanY /= n;
  double sxy = 0, sxx = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const double dx = static_cast<double>(i) - meanX;
    sxy += dx * (static_cast<double>(rows[i].cpm100) - meanY);
    sxx += dx * dx;
  }
  const double slope = sxx > 0 ? sxy / sxx : 0.0;
  first100 = meanY - slope * meanX;
  last100 = meanY + slope * (n - 1 - meanX);
}

ProgressSummary Mode4_SummarizeProgress(const std::vector<HistoryRow>& rows) {
  ProgressSummary summary;
  summary.tests = rows.size();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i == 0 || rows[i].cpm100 > summary.bestCpm100) {
      summary.bestCpm100 = rows[i].cpm100;
      summary.bestTime = rows[i].time;
    }
  }
  summary.meanOf = std::min(rows.size(), kProgressMeanTests);
  if (summary.meanOf == 0) return summary;
  int64_t cpm = 0, errors = 0;
  for (size_t i = rows.size() - summary.meanOf; i < rows.size(); ++i) {
    cpm += rows[i].cpm100;
    errors += rows[i].errors * 100;
  }
  const int64_t n = static_cast<int64_t>(summary.meanOf);
  summary.meanCpm100 = RoundedDivide(cpm, n);
  summary.meanErrors100 = RoundedDivide(errors, n);
  return summary;
}

std::string Mode4_BuildProgressSection(const std::vector<HistoryRow>& rows, const ProgressTexts& texts,
                                       int language) {
  std::string section = "\r\n<h3 align='center'>" + PageText(texts.heading, 0) + "</h3>\r\n";
  if (rows.empty()) return section + "<p align='center'>" + PageText(texts.noTests, 0) + "</p>\r\n<hr>";
  const ProgressSummary summary = Mode4_SummarizeProgress(rows);
  section += "<p align='center'>" + PageText(texts.chartCaption, kProgressTests) + "</p>\r\n";
  section += "<div align='center'>" + Svg(rows, texts, language) + "</div>\r\n";
  section += "<table align='center' border = '1'>";
  section += "<tr><td>" + PageText(texts.best, kProgressTests) + "</td><td>" +
             Mode4_FormatHundredths(summary.bestCpm100) + " (" +
             Mode4_ReportDate(AsReportTime(summary.bestTime), language) + ")</td></tr>\r\n";
  section += "<tr><td>" + PageText(texts.meanCpm, kProgressMeanTests) + "</td><td>" +
             Mode4_FormatHundredths(summary.meanCpm100) + "</td></tr>\r\n";
  section += "<tr><td>" + PageText(texts.meanErrors, kProgressMeanTests) + "</td><td>" +
             Mode4_FormatHundredths(summary.meanErrors100) + "</td></tr>\r\n";
  section += "</table><br><hr>";
  return section;
}
