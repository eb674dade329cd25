#pragma once
// The HTML test report: the page made from the six statistics rows of the Tests screen, the
// date, weekday and time of the moment, as UTF-8 bytes.
// Window-free; the glue gathers the texts (string tables, statistics fields, local clock).
#include <string>

#include "common/text.h"
#include "typing/figures.h"

// The moment a report is made (local clock); dayOfWeek 0 Sunday to 6 Saturday. Seconds are not
// used.
struct ReportTime {
  int year = 0, month = 0, day = 0, dayOfWeek = 0, hour = 0, minute = 0;
};

// Every text of the page that is not markup, as UTF-16.
struct ReportTexts {
  Text16 heading;         // string IDS_TEST_REPORT
  Text16 measureHeading;  // string IDS_MESURE, left column
  Text16 valueHeading;    // string IDS_VALUE, right column
  Text16 labels[kFigureRows];       // strings IDS_TIME_SPENT to IDS_TOTAL_ERRORS, trailing colon and blank kept
  Text16 values[kFigureRows];       // the statistics value fields, as they read
  Text16 weekday;         // string IDS_SUNDAY + day of the week
};

// Room for each text of the page, in UTF-8 bytes (headings and labels, values, weekday name)
// and, for the weekday name as fetched, in UTF-16 units.
constexpr size_t kReportTextBytes = 99;
constexpr size_t kReportColumnHeadingBytes = 49;
constexpr size_t kReportWeekdayUnits = 19;

// The string id of a weekday name: IDS_SUNDAY for Sunday (0) to IDS_SATURDAY for Saturday (6); 0 for any
// other day number.
unsigned Mode4_WeekdayStringId(int dayOfWeek);
// "MM/DD/YY" in English (language 1), "DD/MM/YY" in French and Russian (2 and 3), each part two
// digits; the year is its decimal text without the first two characters. Other language
// numbers take the English order.
std::string Mode4_ReportDate(const ReportTime& time, int language);
// "HH:MM", 24-hour clock.
std::string Mode4_ReportClock(const ReportTime& time);


// The whole page, byte for byte: head, heading, rule, date line, table with its heading row and
// the six rows, rule, `progressSection` (markup as it stands), a footer paragraph with a link to
// `siteAddress` (ASCII), and the closing tags without a line break after them. `date` and
// `clock` are ASCII as the two formatters make them.
std::string Mode4_BuildHtmlReport(const ReportTexts& texts, const std::string& date, const std::string& clock,
                                  const std::string& siteAddress,
                                  const std::string& progressSection = std::string());
