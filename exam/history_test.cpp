// History.csv in the core: a row from the figures of a stop, its bytes, reading rows back (and
// skipping what is not a row), the last rows of a language read from the end of the file, and the
// progress section of the report.
#include "exam/history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/test_files.h"
#include "testing/history_reference.h"
#include "typing/keystrokes.h"

namespace {

constexpr HistoryTime kEvening = {2026, 12, 5, 21, 23, 41};

// The figures of a stop as the Tests screen shows them.
TestFigures Shown(std::vector<std::u16string> values) {
  TestFigures figures;
  figures.rows = static_cast<int>(values.size());
  for (size_t i = 0; i < values.size(); ++i) figures.values[i] = values[i];
  return figures;
}

HistoryRow Row(int day, const std::string& language, int64_t cpm100, int64_t errors) {
  HistoryRow row;
  row.time = {2026, 11, day, 10, 0, 0};
  row.language = language;
  row.sample = "Sample_Unicode.txt";
  row.completed = true;
  row.minutes100 = 100;
  row.cpm100 = cpm100;
  row.characters = 200;
  row.words = 40;
  row.wpm100 = 4000;
  row.errors = errors;
  row.accuracy100 = 9900;
  return row;
}

std::vector<HistoryRow> Tail(const std::string& bytes, const std::string& language, size_t count, size_t block,
                             uint64_t* lowestRead = nullptr) {
  if (lowestRead) *lowestRead = bytes.size();
  return Mode4_HistoryTail(
      bytes.size(),
      [&](uint64_t offset, char* out, size_t size) {
        if (lowestRead && offset < *lowestRead) *lowestRead = offset;
        bytes.copy(out, size, static_cast<size_t>(offset));
        return true;
      },
      language, count, HistoryRows::All, block);
}

ProgressTexts EnglishTexts() {
  ProgressTexts t;
  t.heading = u"Progress: English";
  t.chartCaption = u"CPM and errors of the last %d tests";
  t.cpm = u"CPM";
  t.errors = u"Errors";
  t.best = u"Best CPM of the last %d tests: ";
  t.meanCpm = u"Mean CPM of the last %d tests: ";
  t.meanErrors = u"Mean errors of the last %d tests: ";
  t.trend = u"CPM trend";
  t.testsAxis = u"Completed tests, oldest to newest (%d)";
  t.noTests = u"No test in this language in History.csv yet.";
  return t;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// ---- one row ----

TEST(HistoryRow, TheFiguresOfAStopAsBytes) {
  const HistoryRow row = Mode4_MakeHistoryRow(kEvening, 1, "Sample_Unicode.txt", true,
                                              Shown({u"0.52", u"412.50", u"213", u"38", u"73.08", u"4"}), 214, 4);
  EXPECT_EQ(Mode4_HistoryFileStart(),
            "\xEF\xBB\xBFTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %\r\n");
  // Accuracy: 210 of 214 character keys were no error.
  EXPECT_EQ(Mode4_FormatHistoryRow(row),
            "2026-12-05T21:23:41,EN,Sample_Unicode.txt,1,0.52,412.50,213,38,73.08,4,98.13\r\n");
  // Under French or Russian regional settings.
  EXPECT_EQ(Mode4_HistoryFileStart({';', ','}),
            "\xEF\xBB\xBFTime;Language;Sample;Completed;Minutes;CPM;Characters;Words;WPM;Errors;Accuracy %\r\n");
  EXPECT_EQ(Mode4_FormatHistoryRow(row, {';', ','}),
            "2026-12-05T21:23:41;EN;Sample_Unicode.txt;1;0,52;412,50;213;38;73,08;4;98,13\r\n");

  // A comma before the decimals (a C library set to a language) still gives dots; a test stopped
  // by command on a text without a space has no words figure; other language numbers.
  const HistoryRow french = Mode4_MakeHistoryRow({2009, 1, 3, 0, 5, 0}, 2, "mon texte, \"court\".txt", false,
                                                 Shown({u"1,5", u"12,25", u"6"}), 6, 9);
  EXPECT_EQ(Mode4_FormatHistoryRow(french),
            "2009-01-03T00:05:00,FR,\"mon texte, \"\"court\"\".txt\",0,1.50,12.25,6,0,0.00,9,0.00\r\n");
  EXPECT_EQ(Mode4_MakeHistoryRow(kEvening, 3, "a", true, Shown({}), 1, 0).language, "RU");
  EXPECT_EQ(Mode4_MakeHistoryRow(kEvening, 7, "a", true, Shown({}), 1, 0).language, "EN");

  // What is no plain number (a zero-length test's "inf" or "nan") counts 0.
  const HistoryRow odd = Mode4_MakeHistoryRow(kEvening, 1, "a", true,
                                              Shown({u"0.00", u"inf", u"5", u"-nan(ind)", u"1.#INF0"}), 5, 0);
  EXPECT_EQ(odd.cpm100, 0);
  EXPECT_EQ(odd.words, 0);
  EXPECT_EQ(odd.wpm100, 0);
  EXPECT_EQ(odd.accuracy100, 10000);
}

// A test typed key by key, 100 ms apart, on the Tests mode's rules (Backspace as \b), stopped
// 100 ms after its last key: its row's speed and accuracy come from what was typed.
TEST(HistoryRow, TheFiguresFollowFromTheCharactersTyped) {
  const struct {
    const char* name;
    const char16_t* keys;
    int64_t cpm100, accuracy100;
  } cases[] = {
      {"a slip and three Backspaces type nothing: no speed, nothing right", u"x\b\b\b", 0, 0},
      {"Backspaces alone: no character key", u"\b\b", 0, 0},
      {"two right keys", u"ab", 60000, 10000},
      {"a slip mended: Backspace counts for the speed, not for the accuracy", u"ax\bb", 60000, 6667},
      {"everything typed taken back again", u"ab\b\b", 0, 10000},
  };
  const Text16 sample = u"ab cd.";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TypingState state;
    WordTables words;
    Mode4_StartTestState(state, 0, words);
    Text16 text;
    uint32_t tick = 1000;
    for (const char16_t* k = c.keys; *k; ++k, tick += 100) {
      const Text16 caret = text;
      App_TypingStep({*k, 30, 4, tick, caret, text, sample, nullptr}, state, words);
      if (*k != u'\b') text += *k;
      else if (!text.empty()) text.pop_back();
    }
    const TestFigures figures = Mode4_StopTestState(state, tick, text);
    const HistoryRow row = Mode4_MakeHistoryRow(kEvening, 1, "s", false, figures,
                                                state.keystrokes - state.testBackspaces, state.testErrors);
    EXPECT_EQ(row.cpm100, c.cpm100);
    EXPECT_EQ(row.accuracy100, c.accuracy100);
  }
}

TEST(HistoryRow, RowsReadBackAndWhatIsNoRowIsSkipped) {
  HistoryRow row = Row(5, "FR", 31240, 3);
  row.sample = "a,\"b\".txt";
  HistoryRow back;
  for (const CsvForm& form : {CsvForm(), CsvForm{';', ','}, CsvForm{';', '.'}}) {
    SCOPED_TRACE(form.separator);
    const std::string line = Mode4_FormatHistoryRow(row, form);
    ASSERT_TRUE(Mode4_ParseHistoryRow(line.substr(0, line.size() - 2), back));
    EXPECT_EQ(back, row);
  }
  // Every field quoted, as a spreadsheet may save it.
  ASSERT_TRUE(Mode4_ParseHistoryRow(
      "\"2026-11-05T10:00:00\",\"FR\",\"a,\"\"b\"\".txt\",\"1\",\"1.00\",\"312.40\",\"200\",\"40\","
      "\"40.00\",\"3\",\"99.00\"",
      back));
  EXPECT_EQ(back, row);

  // Both forms, whichever the file was made in, and a decimal comma in either.
  const std::string good = "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00";
  for (const std::string& same : {good, good + "\r", std::string("2026-11-05T10:00:00;EN;s.txt;1;1,00;312,40;200;40;40,00;3;99,00"),
                                  std::string("2026-11-05T10:00:00;EN;s.txt;1;1.00;312.40;200;40;40.00;3;99.00"),
                                  std::string("2026-11-05T10:00:00,EN,s.txt,1,1.00,\"312,40\",200,40,40.00,3,99.00")}) {
    SCOPED_TRACE(same);
    ASSERT_TRUE(Mode4_ParseHistoryRow(same, back));
    EXPECT_EQ(Mode4_FormatHistoryRow(back), good + "\r\n");
  }
  const char* bad[] = {
      "Time,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %",
      "",
      "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3",          // a field short
      "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00,",   // a field more
      "2026-02-29T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",    // no such day
      "2026-11-05 10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",    // no T
      "2026-11-05T24:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",
      "11/05/2026 10:00,EN,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",       // re-dated by hand
      "2026-11-05T10:00:00,DE,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",
      "2026-11-05T10:00:00,en,s.txt,1,1.00,312.40,200,40,40.00,3,99.00",
      "2026-11-05T10:00:00,EN,s.txt,2,1.00,312.40,200,40,40.00,3,99.00",
      "2026-11-05T10:00:00;EN;s.txt;1;1,00;312,40;200;40;40,00;3",          // a field short
      "2026-11-05T10:00:00;EN;s.txt;1;1,00,312,40;200;40;40,00;3;99,00",    // the forms mixed
      "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200.5,40,40.00,3,99.00",  // characters are whole
      "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40,200,40,40.00,-3,99.00",
      "2026-11-05T10:00:00,EN,\"s.txt,1,1.00,312.40,200,40,40.00,3,99.00",  // quote never closed
      "2026-11-05T10:00:00,EN,\"s\"x.txt,1,1.00,312.40,200,40,40.00,3,99.00",
      "2026-11-05T10:00:00,EN,s\".txt,1,1.00,312.40,200,40,40.00,3,99.00",
      "2026-11-05T10:00:00,EN,s.txt,1,1.00,312.40\r,200,40,40.00,3,99.00",
  };
  for (const char* line : bad) EXPECT_FALSE(Mode4_ParseHistoryRow(line, back)) << line;
}

TEST(HistoryRow, FileNameOfAPath) {
  EXPECT_EQ(Mode4_FileNamePart("C:\\KFP\\EN\\Tests\\Sample_Unicode.txt"), "Sample_Unicode.txt");
  EXPECT_EQ(Mode4_FileNamePart("/home/u/my text.txt"), "my text.txt");
  EXPECT_EQ(Mode4_FileNamePart("plain.txt"), "plain.txt");
}

TEST(HistoryRow, FileNamesASpreadsheetWouldRunAreWrittenAsTextAndReadBackAsTheyWere) {
  struct Name {
    std::string name;
    std::string field;  // as written between the commas
  };
  const Name names[] = {
      {"=2+3", "\"'=2+3\""},         {"+1.txt", "\"'+1.txt\""}, {"-x.txt", "\"'-x.txt\""},
      {"@SUM(A1)", "\"'@SUM(A1)\""}, {"\tx", "\"'\tx\""},       {"\rx", "\"'\rx\""},
      {"'=x", "\"''=x\""},           {"''", "\"'''\""},         {"'a", "'a"},
      {"a=b", "a=b"},                {"=a,b", "\"'=a,b\""},     {"'", "'"},
  };
  for (const Name& n : names) {
    SCOPED_TRACE(n.name);
    HistoryRow row = Row(5, "EN", 31240, 3);
    row.sample = n.name;
    const std::string line = Mode4_FormatHistoryRow(row);
    EXPECT_EQ(line.substr(23, n.field.size() + 1), n.field + ",");
    HistoryRow back;
    ASSERT_TRUE(Mode4_ParseHistoryRow(line.substr(0, line.size() - 2), back));
    EXPECT_EQ(back.sample, n.name);
  }
}

// ---- reading from the end ----

TEST(HistoryTail, LastRowsOfTheLanguageOldestFirstAtAnyBlockSize) {
  std::string bytes = Mode4_HistoryFileStart();
  for (int i = 0; i < 130; ++i) {
    bytes += Mode4_FormatHistoryRow(Row(1 + i % 28, i % 3 == 0 ? "FR" : "EN", 10000 + i, i % 7));
    if (i == 40) bytes += "a line edited by hand\r\n";
    if (i == 60) bytes += std::string(kMaxHistoryLine + 10, 'x') + "\r\n";
    if (i == 80) bytes += "\r\n\n";
  }
  bytes += "2026-11-20T10:00:00,EN,s.txt,1,1.00,999.99,200,40,40.00,3,99.00";  // no line end
  const std::vector<HistoryRow> all = kftest::ForwardParse(bytes, "EN");
  ASSERT_EQ(all.size(), 87u);
  for (size_t block : {1u, 7u, 100u, 64u * 1024u}) {
    SCOPED_TRACE(block);
    const std::vector<HistoryRow> last = Tail(bytes, "EN", 50, block);
    EXPECT_EQ(last, std::vector<HistoryRow>(all.end() - 50, all.end()));
    EXPECT_EQ(last.back().cpm100, 99999);
    EXPECT_EQ(Tail(bytes, "FR", 500, block), kftest::ForwardParse(bytes, "FR"));
    EXPECT_TRUE(Tail(bytes, "RU", 50, block).empty());
  }
}

TEST(HistoryTail, StopsReadingOnceItHasTheRows) {
  std::string bytes = Mode4_HistoryFileStart();
  for (int i = 0; i < 3000; ++i) bytes += Mode4_FormatHistoryRow(Row(1 + i % 28, "EN", i, 0));
  uint64_t lowest = 0;
  const std::vector<HistoryRow> last = Tail(bytes, "EN", 50, 4096, &lowest);
  ASSERT_EQ(last.size(), 50u);
  EXPECT_EQ(last.front().cpm100, 2950);
  EXPECT_GE(lowest, bytes.size() - 2 * 4096);
}

TEST(HistoryTail, AFirstRowWithoutAHeaderAndAReadErrorOnTheWay) {
  const std::string first = Mode4_FormatHistoryRow(Row(1, "EN", 100, 0));
  const std::string bytes = "\xEF\xBB\xBF" + first + Mode4_FormatHistoryRow(Row(2, "EN", 200, 0));
  std::vector<HistoryRow> rows = Tail(bytes, "EN", 50, 16);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].cpm100, 100);

  // A block that cannot be read ends the walk: the rows after it stay, the one it cuts does not.
  rows = Mode4_HistoryTail(
      bytes.size(),
      [&](uint64_t offset, char* out, size_t size) {
        if (offset < 10) return false;
        bytes.copy(out, size, static_cast<size_t>(offset));
        return true;
      },
      "EN", 50, HistoryRows::All, 16);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].cpm100, 200);
}

TEST(HistoryTail, FromAFile) {
  kftest::ScratchFolder folder("history_");
  const std::string path = folder.File("History.csv");
  EXPECT_TRUE(Mode4_ReadHistoryTail(path, "EN", 50, HistoryRows::All).empty());  // no file yet
  HistoryRow stopped = Row(4, "EN", 4500000, 0);
  stopped.completed = false;  // "The" typed in a burst and stopped
  ASSERT_TRUE(kftest::WriteAll(path, Mode4_HistoryFileStart() + Mode4_FormatHistoryRow(Row(3, "EN", 12345, 2)) +
                                         Mode4_FormatHistoryRow(stopped)));
  EXPECT_EQ(Mode4_ReadHistoryTail(path, "EN", 50, HistoryRows::All),
            (std::vector<HistoryRow>{Row(3, "EN", 12345, 2), stopped}));
  // The progress section counts completed tests only; the file keeps every row.
  EXPECT_EQ(Mode4_ReadHistoryTail(path, "EN", 50, HistoryRows::Completed),
            std::vector<HistoryRow>{Row(3, "EN", 12345, 2)});
}

// ---- the progress section ----

TEST(ProgressSection, BestWithItsFirstDateAndTheMeansOfTheLastTen) {
  std::vector<HistoryRow> rows;
  for (int i = 0; i < 12; ++i) rows.push_back(Row(1 + i, "EN", 10000 + 100 * (i % 5), i));
  const ProgressSummary s = Mode4_SummarizeProgress(rows);
  EXPECT_EQ(s.tests, 12u);
  EXPECT_EQ(s.bestCpm100, 10400);
  EXPECT_EQ(s.bestTime.day, 5);  // the first of the two tests that reached it
  EXPECT_EQ(s.meanOf, 10u);
  // Tests 3 to 12: CPM 102, 103, 104, 100, ... and errors 2 to 11.
  EXPECT_EQ(s.meanCpm100, 10200);
  EXPECT_EQ(s.meanErrors100, 650);

  rows.resize(3);
  const ProgressSummary few = Mode4_SummarizeProgress(rows);
  EXPECT_EQ(few.meanOf, 3u);
  EXPECT_EQ(few.meanCpm100, 10100);
  EXPECT_EQ(few.meanErrors100, 100);
}

TEST(ProgressSection, TrendOfCpmFitsTheTestsInOrder) {
  struct Case {
    const char* what;
    std::vector<int64_t> cpm100;
    double first100, last100;
  };
  const Case cases[] = {
      {"no test", {}, 0, 0},
      {"one test is its own trend", {31240}, 31240, 31240},
      {"two tests are joined", {31240, 28000}, 31240, 28000},
      {"a line through three, past the highest", {0, 1000, 1000}, 1000.0 / 6, 7000.0 / 6},
      {"a steady learner", {20000, 20000, 20000, 20000}, 20000, 20000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<HistoryRow> rows;
    for (int64_t cpm : c.cpm100) rows.push_back(Row(1, "EN", cpm, 0));
    double first = -1, last = -1;
    Mode4_CpmTrend(rows, first, last);
    EXPECT_NEAR(first, c.first100, 1e-6);
    EXPECT_NEAR(last, c.last100, 1e-6);
  }
}

TEST(ProgressSection, NoRowsSaysSo) {
  EXPECT_EQ(Mode4_BuildProgressSection({}, EnglishTexts(), 1),
            "\r\n<h3 align='center'>Progress: English</h3>\r\n"
            "<p align='center'>No test in this language in History.csv yet.</p>\r\n<hr>");
}

TEST(ProgressSection, ChartAndFiguresOfTwoTests) {
  HistoryRow first = Row(5, "EN", 31240, 4);
  HistoryRow second = Row(6, "EN", 28000, 1);
  second.time.hour = 21;
  second.time.minute = 7;
  ProgressTexts texts = EnglishTexts();
  texts.errors = u"Errors <&>";
  const std::string section = Mode4_BuildProgressSection({first, second}, texts, 1);

  const std::string head = "\r\n<h3 align='center'>Progress: English</h3>\r\n";
  EXPECT_EQ(section.compare(0, head.size(), head), 0);
  EXPECT_NE(section.find("<p align='center'>CPM and errors of the last 50 tests</p>"), std::string::npos);
  const size_t svg = section.find("<div align='center'><svg xmlns='http://www.w3.org/2000/svg' ");
  const size_t svgEnd = section.find("</svg></div>\r\n");
  ASSERT_NE(svg, std::string::npos);
  ASSERT_NE(svgEnd, std::string::npos);
  const std::string chart = section.substr(svg, svgEnd - svg);
  EXPECT_EQ(Count(chart, "<circle class='cpm'"), 2u);
  EXPECT_EQ(Count(chart, "<rect class='errors'"), 2u);
  // CPM scale 0 to 500 and errors 0 to 5 over y 256 (bottom) to 40 (top), x from 64 to 576.
  EXPECT_NE(chart.find("<polyline class='cpm' points='64,121 576,135'"), std::string::npos);
  EXPECT_NE(chart.find("<polyline class='errors' points='64,83.2 576,212.8'"), std::string::npos);
  EXPECT_NE(chart.find(">500</text>"), std::string::npos);
  EXPECT_NE(chart.find("<line class='trend' x1='64' y1='121' x2='576' y2='135'"), std::string::npos);
  EXPECT_NE(chart.find(">CPM trend</text>"), std::string::npos);
  // The axes say what they show: CPM up the left, errors up the right, the tests along the bottom.
  EXPECT_NE(chart.find("<text class='axis' x='16' y='148' transform='rotate(-90 16 148)'"), std::string::npos);
  EXPECT_NE(chart.find("transform='rotate(90 628 148)' text-anchor='middle' fill='#c0392b'>Errors &lt;&amp;&gt;</text>"),
            std::string::npos);
  EXPECT_NE(chart.find(">Completed tests, oldest to newest (2)</text>"), std::string::npos);
  EXPECT_NE(chart.find("<title>11/06/26 21:07: CPM 280.00, Errors &lt;&amp;&gt; 1</title>"), std::string::npos);
  EXPECT_EQ(chart.find("<script"), std::string::npos);
  EXPECT_EQ(chart.find("href"), std::string::npos);

  EXPECT_EQ(section.substr(svgEnd + 14),
            "<table align='center' border = '1'>"
            "<tr><td>Best CPM of the last 50 tests: </td><td>312.40 (11/05/26)</td></tr>\r\n"
            "<tr><td>Mean CPM of the last 10 tests: </td><td>296.20</td></tr>\r\n"
            "<tr><td>Mean errors of the last 10 tests: </td><td>2.50</td></tr>\r\n"
            "</table><br><hr>");
  // French and Russian dates put the day first, as the report's own date does.
  EXPECT_NE(Mode4_BuildProgressSection({first}, texts, 2).find("312.40 (05/11/26)"), std::string::npos);
}

}  // namespace
