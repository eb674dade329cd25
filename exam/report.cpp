// The HTML test report as bytes. The markup is ASCII; every text from the string tables or the
// statistics fields goes in as UTF-8. The glue writes it with the safe writer, so a report is
// never left half-written and never appended to an old one.
#include "exam/report.h"

#include "common/html.h"

namespace {

constexpr unsigned kFirstWeekdayId = 1037;

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The fetched weekday name: at most 19 units, a surrogate pair kept whole or dropped.
Text16 CutUnits(const Text16& text, size_t units) {
  if (text.size() <= units) return text;
  size_t end = units;
  if (end > 0 && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  return text.substr(0, end);
}

}  // namespace

unsigned Mode4_WeekdayStringId(int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek > 6) return 0;
  return kFirstWeekdayId + static_cast<unsigned>(dayOfWeek);
}

std::string Mode4_ReportDate(const ReportTime& time, int language) {
  const std::string month = TwoDigits(time.month);
  const std::string day = TwoDigits(time.day);
  const std::string fullYear = std::to_string(time.year);
  const std::string year = fullYear.size() > 2 ? fullYear.substr(2) : std::string();
  if (language == 2 || language == 3) return day + "/" + month + "/" + year;
  return month + "/" + day + "/" + year;
}

std::string Mode4_ReportClock(const ReportTime& time) { return TwoDigits(time.hour) + ":" + TwoDigits(time.minute); }

std::string Mode4_BuildHtmlReport(const ReportTexts& texts, const std::string& date, const std::string& clock,
                                  const std::string& siteAddress, const std::string& progressSection) {
  std::string page =
      "<html>\r\n<head>\r\n"
      "<meta http-equiv='content-type' "
      "content='text/html; charset=utf-8'>\r\n"
      "</head>\r\n<body>\r\n";
  page += "<h3 align='center'>" + Html_Text(texts.heading, kReportTextBytes) + "</h3>\r\n";
  page += "<hr>";
  const Text16 weekday = CutUnits(texts.weekday, kReportWeekdayUnits);
  page += "<p align='center'>" + Html_Escape(date, false) + ", " + Html_Text(weekday, kReportTextBytes) + ", " +
          Html_Escape(clock, false) + "</p>\r\n";
  page += "<table align='center' border = '1'><tr><td>" +
          Html_Text(texts.measureHeading, kReportColumnHeadingBytes) + "</td><td>" +
          Html_Text(texts.valueHeading, kReportColumnHeadingBytes) + "</td></tr>\r\n";
  for (int row = 0; row < kFigureRows; ++row) {
    page += "<tr><td>" + Html_Text(texts.labels[row], kReportTextBytes) + "</td><td>" +
            Html_Text(texts.values[row], kReportTextBytes) + "</td></tr>\r\n";
  }
  page += "</table><br>";
  page += "<hr>";
  page += progressSection;
  page += "<p align='center'><a href='" + Html_Escape(siteAddress, true) + "'>" + Html_Escape(siteAddress, false) +
          "</a></p>\r\n";
  page += "</body></html>";
  return page;
}
