// History.csv rows, their reading from the end of the file, and the progress section of the
// report. Numbers are written and read digit by digit: the tutor sets the thread locale of each
// language, and no figure in the file may follow it.
#include "exam/history.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/files.h"
#include "common/html.h"
#include "common/languages.h"
#include "exam/report.h"

HistoryState g_History;

std::string Mode4_HistoryPath() { return Dir_DataFile("\\History.csv"); }

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "Time,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %";
constexpr size_t kFields = 11;








// A figure as the Tests screen shows it: "%.2f" or "%d" text, "." or "," before the decimals.
int64_t FigureHundredths(const Text16& shown) {
  std::string ascii;
  for (char16_t unit : shown) {
    if (unit > 0x7F) return 0;
    ascii.push_back(unit == u',' ? '.' : static_cast<char>(unit));
  }
  int64_t value = 0;
  return Csv_ReadHundredths(ascii, value) ? value : 0;
}





// a / b rounded half away from zero; b > 0.
int64_t RoundedDivide(int64_t a, int64_t b) {
  return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

ReportTime AsReportTime(const HistoryTime& t) { return {t.year, t.month, t.day, 0, t.hour, t.minute}; }

// A text of the string tables for the page, its "%d" replaced by `count`.
std::string PageText(const Text16& text, size_t count) {
  std::string page = Html_Text(text, kReportTextBytes);
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

// The chart's frame: its title, the legend, the axis titles, the grid with both scales and the
// dates of the first and the last test under the axis.
std::string ChartFrame(const std::vector<HistoryRow>& rows, const ProgressTexts& texts, int language,
                       int64_t cpmScale, int64_t errorScale) {
  const std::string cpmText = PageText(texts.cpm, 0);
  const std::string errorText = PageText(texts.errors, 0);
  std::string svg = "<title>" + PageText(texts.chartCaption, kProgressTests) + "</title>\r\n";
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
  svg += "<text x='496' y='22' fill='" + std::string(kTrendColour) + "'>" + PageText(texts.trend, 0) + "</text>\r\n";
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
  return svg;
}

// The two lines and the trend, then one marker per test with its figures as a tooltip.
std::string ChartLines(const std::vector<HistoryRow>& rows, const ProgressTexts& texts, int language,
                       int64_t cpmScale, int64_t errorScale, double trendFirst, double trendLast) {
  const std::string cpmText = PageText(texts.cpm, 0);
  const std::string errorText = PageText(texts.errors, 0);
  std::string svg, cpmPoints, errorPoints;
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
                            ": " + cpmText + " " + Csv_FormatHundredths(row.cpm100) + ", " + errorText + " " +
                            std::to_string(row.errors) + "</title>";
    const double errorY = PlotY(static_cast<double>(row.errors), errorScale);
    svg += "<rect class='errors' x='" + Coord(x - 3) + "' y='" + Coord(errorY - 3) +
           "' width='6' height='6' fill='" + kErrorColour + "'>" + tip + "</rect>";
    svg += "<circle class='cpm' cx='" + Coord(x) + "' cy='" + Coord(PlotY(row.cpm100 / 100.0, cpmScale)) +
           "' r='4' fill='" + kCpmColour + "'>" + tip + "</circle>\r\n";
  }
  return svg;
}

std::string Svg(const std::vector<HistoryRow>& rows, const ProgressTexts& texts, int language) {
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
  return "<svg xmlns='http://www.w3.org/2000/svg' width='" + std::to_string(kWidth) + "' height='" +
         std::to_string(kHeight) + "' viewBox='0 0 " + std::to_string(kWidth) + " " + std::to_string(kHeight) +
         "' font-family='Arial, sans-serif' font-size='12'>\r\n" +
         ChartFrame(rows, texts, language, cpmScale, errorScale) +
         ChartLines(rows, texts, language, cpmScale, errorScale, trendFirst, trendLast) + "</svg>";
}

}  // namespace




bool operator==(const HistoryRow& a, const HistoryRow& b) {
  const HistoryTime &s = a.time, &t = b.time;
  return s.year == t.year && s.month == t.month && s.day == t.day && s.hour == t.hour && s.minute == t.minute &&
         s.second == t.second && a.language == b.language && a.sample == b.sample && a.completed == b.completed &&
         a.minutes100 == b.minutes100 && a.cpm100 == b.cpm100 && a.characters == b.characters &&
         a.words == b.words && a.wpm100 == b.wpm100 && a.errors == b.errors && a.accuracy100 == b.accuracy100;
}



std::string Mode4_FileNamePart(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

HistoryRow Mode4_MakeHistoryRow(const HistoryTime& time, int language, const std::string& sample, bool completed,
                                const TestFigures& figures, int32_t characterKeys, int32_t errors) {
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
  if (characterKeys > 0) {
    const int64_t right = std::max<int64_t>(0, static_cast<int64_t>(characterKeys) - errors);
    row.accuracy100 = RoundedDivide(right * 10000, characterKeys);
  }
  return row;
}

std::string Mode4_HistoryFileStart(const CsvForm& form) {
  std::string header = kHeader;
  std::replace(header.begin(), header.end(), ',', form.separator);
  return std::string(kBom) + header + "\r\n";
}

std::string Mode4_FormatHistoryRow(const HistoryRow& row, const CsvForm& form) {
  const std::string s(1, form.separator);
  const auto figure = [&form](int64_t hundredths) { return Csv_FormatHundredths(hundredths, form.decimal); };
  return Csv_FormatTime(row.time) + s + row.language + s + Csv_Field(row.sample, form.separator) + s +
         (row.completed ? "1" : "0") + s + figure(row.minutes100) + s + figure(row.cpm100) + s +
         std::to_string(row.characters) + s + std::to_string(row.words) + s + figure(row.wpm100) + s +
         std::to_string(row.errors) + s + figure(row.accuracy100) + "\r\n";
}

bool Mode4_ParseHistoryRow(const std::string& line, HistoryRow& row) {
  std::string f[kFields];
  if (!Csv_ReadRowStart(line, f, kFields, row.time, row.language)) return false;
  row.sample = f[2];
  if (row.sample.size() > 1 && row.sample[0] == '\'' && Csv_NeedsGuard(row.sample.substr(1))) row.sample.erase(0, 1);
  if (f[3] != "0" && f[3] != "1") return false;
  row.completed = f[3] == "1";
  return Csv_ReadHundredths(f[4], row.minutes100) && Csv_ReadHundredths(f[5], row.cpm100) &&
         Csv_ReadWhole(f[6], row.characters) && Csv_ReadWhole(f[7], row.words) && Csv_ReadHundredths(f[8], row.wpm100) &&
         Csv_ReadWhole(f[9], row.errors) && Csv_ReadHundredths(f[10], row.accuracy100);
}


std::vector<HistoryRow> Mode4_HistoryTail(uint64_t totalBytes, const CsvBlockReader& read,
                                          const std::string& language, size_t count, HistoryRows which,
                                          size_t blockBytes) {
  std::vector<HistoryRow> found;  // newest first until the end
  if (count == 0) return found;
  Csv_WalkLinesBackward(totalBytes, read, blockBytes, kMaxHistoryLine, [&](const std::string& line, bool firstLine) {
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


std::vector<HistoryRow> Mode4_ReadHistoryTail(const std::string& path, const std::string& language, size_t count,
                                              HistoryRows which) {
  std::vector<HistoryRow> rows;
  Csv_ReadFileBlocks(path, [&](uint64_t size, const CsvBlockReader& read) {
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
             Csv_FormatHundredths(summary.bestCpm100) + " (" +
             Mode4_ReportDate(AsReportTime(summary.bestTime), language) + ")</td></tr>\r\n";
  section += "<tr><td>" + PageText(texts.meanCpm, kProgressMeanTests) + "</td><td>" +
             Csv_FormatHundredths(summary.meanCpm100) + "</td></tr>\r\n";
  section += "<tr><td>" + PageText(texts.meanErrors, kProgressMeanTests) + "</td><td>" +
             Csv_FormatHundredths(summary.meanErrors100) + "</td></tr>\r\n";
  section += "</table><br><hr>";
  return section;
}
