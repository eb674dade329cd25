// The HTML test report: date and time texts, the page byte for byte in the three languages, the
// escaping and capacities of its texts.
#include "exam/report.h"

#include <gtest/gtest.h>

namespace {

constexpr ReportTime kSaturdayEvening = {2026, 12, 5, 6, 21, 23};
constexpr ReportTime kEarlyMorning = {2009, 1, 3, 6, 0, 5};
const std::string kSite = "https://www.velmora.example/";

// The texts the tutor gathers for each language, with the figures of one finished test.
ReportTexts English() {
  ReportTexts t;
  t.heading = u"Test Report";
  t.measureHeading = u"Measure";
  t.valueHeading = u"Value";
  const char16_t* labels[6] = {u"Time spent (min): ", u"CPM: ", u"Characters: ",
                               u"Words typed: ", u"WPM: ", u"Total errors count: "};
  const char16_t* values[6] = {u"1.25", u"182.40", u"228", u"41", u"32.80", u"3"};
  for (int i = 0; i < 6; ++i) {
    t.labels[i] = labels[i];
    t.values[i] = values[i];
  }
  t.weekday = u"Saturday";
  return t;
}

ReportTexts French() {
  ReportTexts t = English();
  t.heading = u"Rapport du test";
  t.measureHeading = u"Mesure";
  t.valueHeading = u"Valeur";
  const char16_t* labels[6] = {u"Temps passé (min): ", u"CPM: ", u"Caractères: ",
                               u"Mots typés: ", u"WPM: ", u"Compte d'erreurs: "};
  for (int i = 0; i < 6; ++i) t.labels[i] = labels[i];
  t.weekday = u"samedi";
  return t;
}

ReportTexts Russian() {
  ReportTexts t = English();
  t.heading = u"Результаты теста";
  t.measureHeading = u"Показатель";
  t.valueHeading = u"Значение";
  const char16_t* labels[6] = {u"Время теста (мин): ", u"CPM: ", u"Знаков набрано: ",
                               u"Слов набрано: ", u"WPM: ", u"Кол-во ошибок: "};
  for (int i = 0; i < 6; ++i) t.labels[i] = labels[i];
  t.weekday = u"суббота";
  return t;
}

const std::string kHead =
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv='content-type' content='text/html; charset=utf-8'>\r\n"
    "</head>\r\n"
    "<body>\r\n";
const std::string kFoot =
    "</table><br><hr><p align='center'><a href='https://www.velmora.example/'>https://www.velmora.example/</a></p>\r\n"
    "</body></html>";

// ---- date and time ----

TEST(ReportDateTime, MonthFirstInEnglishDayFirstInFrenchAndRussian) {
  EXPECT_EQ(Mode4_ReportDate(kSaturdayEvening, 1), "12/05/26");
  EXPECT_EQ(Mode4_ReportDate(kSaturdayEvening, 2), "05/12/26");
  EXPECT_EQ(Mode4_ReportDate(kSaturdayEvening, 3), "05/12/26");
  EXPECT_EQ(Mode4_ReportClock(kSaturdayEvening), "21:23");
}

TEST(ReportDateTime, SingleDigitsGetALeadingZero) {
  EXPECT_EQ(Mode4_ReportDate(kEarlyMorning, 1), "01/03/09");
  EXPECT_EQ(Mode4_ReportDate(kEarlyMorning, 2), "03/01/09");
  EXPECT_EQ(Mode4_ReportDate(kEarlyMorning, 3), "03/01/09");
  EXPECT_EQ(Mode4_ReportClock(kEarlyMorning), "00:05");
  EXPECT_EQ(Mode4_ReportClock({2026, 7, 7, 2, 9, 59}), "09:59");
  EXPECT_EQ(Mode4_ReportClock({2026, 7, 7, 2, 10, 10}), "10:10");
}

TEST(ReportDateTime, YearLosesItsFirstTwoDigits) {
  EXPECT_EQ(Mode4_ReportDate({2005, 10, 31, 1, 0, 0}, 1), "10/31/05");
  EXPECT_EQ(Mode4_ReportDate({2000, 1, 1, 6, 0, 0}, 2), "01/01/00");
  EXPECT_EQ(Mode4_ReportDate({1999, 12, 31, 5, 0, 0}, 3), "31/12/99");
}

TEST(ReportDateTime, UnknownLanguageTakesTheEnglishOrder) {
  EXPECT_EQ(Mode4_ReportDate(kSaturdayEvening, 0), "12/05/26");
  EXPECT_EQ(Mode4_ReportDate(kSaturdayEvening, 4), "12/05/26");
}

TEST(ReportDateTime, WeekdayStringsRunFromSundayToSaturday) {
  EXPECT_EQ(Mode4_WeekdayStringId(0), 1037u);
  EXPECT_EQ(Mode4_WeekdayStringId(3), 1040u);
  EXPECT_EQ(Mode4_WeekdayStringId(6), 1043u);
  EXPECT_EQ(Mode4_WeekdayStringId(-1), 0u);
  EXPECT_EQ(Mode4_WeekdayStringId(7), 0u);
}

// ---- the page ----

TEST(ReportPage, EnglishPageByteForByte) {
  const std::string expected = kHead +
                               "<h3 align='center'>Test Report</h3>\r\n"
                               "<hr><p align='center'>12/05/26, Saturday, 21:23</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Measure</td><td>Value</td></tr>\r\n"
                               "<tr><td>Time spent (min): </td><td>1.25</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>182.40</td></tr>\r\n"
                               "<tr><td>Characters: </td><td>228</td></tr>\r\n"
                               "<tr><td>Words typed: </td><td>41</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>32.80</td></tr>\r\n"
                               "<tr><td>Total errors count: </td><td>3</td></tr>\r\n" +
                               kFoot;
  EXPECT_EQ(Mode4_BuildHtmlReport(English(), "12/05/26", "21:23", kSite), expected);
}

TEST(ReportPage, FrenchPageByteForByte) {
  // "passé", "Caractères" and "typés" as two-byte sequences; the apostrophe stays as stored.
  const std::string expected = kHead +
                               "<h3 align='center'>Rapport du test</h3>\r\n"
                               "<hr><p align='center'>05/12/26, samedi, 21:23</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Mesure</td><td>Valeur</td></tr>\r\n"
                               "<tr><td>Temps pass\xC3\xA9 (min): </td><td>1.25</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>182.40</td></tr>\r\n"
                               "<tr><td>Caract\xC3\xA8res: </td><td>228</td></tr>\r\n"
                               "<tr><td>Mots typ\xC3\xA9s: </td><td>41</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>32.80</td></tr>\r\n"
                               "<tr><td>Compte d'erreurs: </td><td>3</td></tr>\r\n" +
                               kFoot;
  EXPECT_EQ(Mode4_BuildHtmlReport(French(), "05/12/26", "21:23", kSite), expected);
}

TEST(ReportPage, RussianPageByteForByte) {
  const std::string expected = kHead +
                               "<h3 align='center'>Результаты теста</h3>\r\n"
                               "<hr><p align='center'>05/12/26, суббота, 21:23</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Показатель</td><td>Значение</td></tr>\r\n"
                               "<tr><td>Время теста (мин): </td><td>1.25</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>182.40</td></tr>\r\n"
                               "<tr><td>Знаков набрано: </td><td>228</td></tr>\r\n"
                               "<tr><td>Слов набрано: </td><td>41</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>32.80</td></tr>\r\n"
                               "<tr><td>Кол-во ошибок: </td><td>3</td></tr>\r\n" +
                               kFoot;
  const std::string page = Mode4_BuildHtmlReport(Russian(), "05/12/26", "21:23", kSite);
  EXPECT_EQ(page, expected);
  // Cyrillic as two-byte sequences: "Р" of the heading is D0 A0.
  EXPECT_NE(page.find("<h3 align='center'>\xD0\xA0"), std::string::npos);
}

TEST(ReportPage, NoMarkNoFinalLineBreakAndCrLfOnly) {
  const std::string page = Mode4_BuildHtmlReport(Russian(), "05/12/26", "21:23", kSite);
  EXPECT_EQ(page.compare(0, 6, "<html>"), 0);  // no byte-order mark before it
  const std::string end = "</body></html>";
  ASSERT_GE(page.size(), end.size());
  EXPECT_EQ(page.substr(page.size() - end.size()), end);
  int lines = 0;
  for (size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\n') {
      ++lines;
      ASSERT_GT(i, 0u);
      EXPECT_EQ(page[i - 1], '\r') << "bare line feed at " << i;
    } else if (page[i] == '\r') {
      ASSERT_LT(i + 1, page.size());
      EXPECT_EQ(page[i + 1], '\n') << "bare carriage return at " << i;
    }
  }
  EXPECT_EQ(lines, 15);  // sixteen lines, the last without a break
}

TEST(ReportPage, EmptyFieldsGiveEmptyCells) {
  ReportTexts t = English();
  for (Text16& v : t.values) v.clear();
  const std::string page = Mode4_BuildHtmlReport(t, "12/05/26", "21:23", kSite);
  EXPECT_NE(page.find("<tr><td>Time spent (min): </td><td></td></tr>\r\n"
                      "<tr><td>CPM: </td><td></td></tr>\r\n"
                      "<tr><td>Characters: </td><td></td></tr>\r\n"
                      "<tr><td>Words typed: </td><td></td></tr>\r\n"
                      "<tr><td>WPM: </td><td></td></tr>\r\n"
                      "<tr><td>Total errors count: </td><td></td></tr>\r\n</table>"),
            std::string::npos);
}

TEST(ReportPage, MissingStringsGiveEmptyTexts) {
  ReportTexts t;  // no string found in the tables, no figures
  const std::string page = Mode4_BuildHtmlReport(t, "12/05/26", "21:23", kSite);
  EXPECT_NE(page.find("<h3 align='center'></h3>\r\n<hr><p align='center'>12/05/26, , 21:23</p>\r\n"
                      "<table align='center' border = '1'><tr><td></td><td></td></tr>\r\n"),
            std::string::npos);
}

TEST(ReportPage, FieldTextsCannotOpenMarkup) {
  ReportTexts t = English();
  t.values[0] = u"<script>alert(1)</script>";
  t.values[1] = u"a & b";
  t.labels[2] = u"</td></tr></table>";
  t.heading = u"R&D <Report>";
  const std::string page = Mode4_BuildHtmlReport(t, "12/05/26", "21:23", kSite);
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>a &amp; b</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<h3 align='center'>R&amp;D &lt;Report&gt;</h3>"), std::string::npos);
  // The table still closes once, where the page closes it.
  EXPECT_EQ(page.find("</table>"), page.rfind("</table>"));
}

TEST(ReportPage, FooterAddressIsQuotedSafely) {
  const std::string page = Mode4_BuildHtmlReport(English(), "12/05/26", "21:23", "http://x.example/?a=1&b='2'");
  EXPECT_NE(page.find("<a href='http://x.example/?a=1&amp;b=&#39;2&#39;'>"), std::string::npos);
}

// ---- capacities ----

TEST(ReportPage, ColumnHeadingsHoldFortyNineBytesWeekdayNineteenUnits) {
  ReportTexts t = English();
  t.measureHeading = Text16(80, u'm');
  t.valueHeading = Text16(30, u'Я');  // 60 bytes: 24 letters fit in 49
  t.weekday = Text16(30, u'w');
  const std::string page = Mode4_BuildHtmlReport(t, "12/05/26", "21:23", kSite);
  std::string ya;
  for (int i = 0; i < 24; ++i) ya += "Я";
  EXPECT_NE(page.find("<tr><td>" + std::string(49, 'm') + "</td><td>" + ya + "</td></tr>\r\n"), std::string::npos);
  EXPECT_NE(page.find("12/05/26, " + std::string(19, 'w') + ", 21:23"), std::string::npos);
  // A surrogate pair at the 19-unit limit is not split.
  t.weekday = Text16(18, u'w') + u"\U0001F600";
  const std::string paired = Mode4_BuildHtmlReport(t, "12/05/26", "21:23", kSite);
  EXPECT_NE(paired.find("12/05/26, " + std::string(18, 'w') + ", 21:23"), std::string::npos);
}

}  // namespace
