// The CSV files' plumbing: the files' forms, figures written and read without a locale, what an
// append adds, and the append on disk.
#include "common/csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "common/files.h"
#include "testing/test_files.h"

namespace {

const std::string kStart = "\xEF\xBB\xBFTime,Language,Value\r\n";
const std::string kRow = "2026-12-05T21:23:41,EN,1.25\r\n";

// A file of three fields in any form: its header, and its row of 1.25.
std::string Start(const CsvForm& form) { return form.separator == ',' ? kStart : "\xEF\xBB\xBFTime;Language;Value\r\n"; }
std::string Row(const CsvForm& form) {
  const std::string s(1, form.separator);
  return "2026-12-05T21:23:41" + s + "EN" + s + Csv_FormatHundredths(125, form.decimal) + "\r\n";
}
bool Append(const std::string& path, const CsvForm& fresh = CsvForm()) { return Csv_AppendRows(path, fresh, Start, Row); }

TEST(CsvForm, ANewFileTakesTheRegionalSettingsAnOldOneItsOwn) {
  const struct {
    const char* what;
    std::u16string list, decimal;
    char separator, sign;
  } kLocales[] = {
      {"English", u",", u".", ',', '.'},
      {"French and Russian", u";", u",", ';', ','},
      {"a semicolon and a point", u";", u".", ';', '.'},
      {"a comma both ways is no form", u",", u",", ';', ','},
      {"a tab between fields", u"\t", u".", ',', '.'},
      {"another separator, a decimal comma", u"|", u",", ';', ','},
      {"an Arabic decimal sign", u";", u"\u066B", ';', '.'},
      {"nothing said", u"", u"", ',', '.'},
  };
  for (const auto& c : kLocales) {
    SCOPED_TRACE(c.what);
    const CsvForm form = Csv_FormFromLocale(c.list, c.decimal);
    EXPECT_EQ(std::string() + form.separator + form.decimal, std::string() + c.separator + c.sign);
  }
  const CsvForm french = {';', ','};
  const struct {
    const char* what;
    std::string head;
    CsvForm fresh;
    char separator, sign;
  } kFiles[] = {
      {"an English file stays English", kStart + kRow, french, ',', '.'},
      {"a French file stays French", Start(french) + Row(french), CsvForm(), ';', ','},
      {"semicolons with points", Start(french) + Row({';', '.'}), french, ';', '.'},
      {"a row without its header", Row(french), CsvForm(), ';', ','},
      {"a header alone says no decimal sign", Start(french), {';', '.'}, ';', '.'},
      {"an unfinished last line is not looked at", Start(french) + "2026-12-05T21:23:41;EN;1,2", {';', '.'}, ';', '.'},
      {"no separator at all", "\xEF\xBB\xBFnotes\r\n", french, ';', ','},
  };
  for (const auto& c : kFiles) {
    SCOPED_TRACE(c.what);
    const CsvForm form = Csv_FileForm(c.head, c.fresh);
    EXPECT_EQ(std::string() + form.separator + form.decimal, std::string() + c.separator + c.sign);
  }
}

TEST(CsvForm, FieldsSplitAndQuoteByTheFilesSeparator) {
  const struct {
    std::string text;
    char separator;
    std::string field;
  } kFields[] = {
      {"a,b", ',', "\"a,b\""}, {"a,b", ';', "a,b"}, {"a;b", ';', "\"a;b\""}, {"a;b", ',', "a;b"},
      {"x\"y", ';', "\"x\"\"y\""},
  };
  for (const auto& c : kFields) {
    SCOPED_TRACE(c.text + " " + c.separator);
    EXPECT_EQ(Csv_Field(c.text, c.separator), c.field);
    std::string back[2];
    EXPECT_TRUE(Csv_SplitLine(Csv_Field(c.text, c.separator) + c.separator + "z", back, 2, c.separator));
    EXPECT_EQ(back[0], c.text);
  }
  // Rows of both forms begin alike; a line that mixes them is no row.
  std::string f[3];
  HistoryTime time;
  std::string language;
  for (const char* line : {"2026-12-05T21:23:41,EN,1.25\r", "2026-12-05T21:23:41;EN;1,25", "2026-12-05T21:23:41;FR;\"a;b\""}) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(Csv_ReadRowStart(line, f, 3, time, language));
  }
  for (const char* line : {"2026-12-05T21:23:41,EN;1.25", "2026-12-05T21:23:41;EN,1,25", "2026-12-05T21:23:41\tEN\t1"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(Csv_ReadRowStart(line, f, 3, time, language));
  }
}

TEST(CsvFigures, HundredthsAreWrittenAndReadWithoutALocale) {
  EXPECT_EQ(Csv_FormatHundredths(0), "0.00");
  EXPECT_EQ(Csv_FormatHundredths(4125), "41.25");
  EXPECT_EQ(Csv_FormatHundredths(-5, ','), "-0,05");
  EXPECT_EQ(Csv_FormatHundredths(-5), "-0.05");
  EXPECT_EQ(Csv_FormatHundredths(INT64_MIN), "-92233720368547758.08");
  struct Case {
    const char* text;
    bool ok;
    int64_t hundredths;
  } cases[] = {{"0", true, 0},         {"12", true, 1200},      {"1.5", true, 150},
               {"1.005", true, 101},   {"2.994", true, 299},    {"-0.05", true, -5},
               {"999999999999999.99", true, 99999999999999999}, {"1000000000000000", false, 0},
               {"", false, 0},         {"-", false, 0},         {".5", false, 0},
               {"1.", false, 0},       {"1,5", true, 150},      {" 1", false, 0},
               {"1,", false, 0},       {",5", false, 0},        {"1,2.3", false, 0},
               {"1e3", false, 0},      {"+1", false, 0}};
  for (const Case& c : cases) {
    int64_t value = -1;
    EXPECT_EQ(Csv_ReadHundredths(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.hundredths) << c.text;
    }
  }
}

TEST(CsvAppend, WhatAnAppendAddsAndWhatItLeavesAlone) {
  const std::string row = kRow;
  const std::string start = kStart;
  const std::string big(kCsvCheckBytes + 100, 'a');
  struct Case {
    const char* what;
    std::string file;
    bool appended;
    std::string before;  // what comes before the row
  };
  const Case cases[] = {
      {"a new file gets its mark and header", "", true, start},
      {"after a whole last line, the row alone", start, true, ""},
      {"a last line without its end is ended", start + "x", true, "\r\n"},
      {"a bare CR at the end gets its LF, no empty record", start + "x\r", true, "\n"},
      {"a lone LF ends a line", start + "x\n", true, ""},
      {"UTF-16 with its mark is left alone", std::string("\xFF\xFE" "T\0i\0", 6), false, ""},
      {"big-endian UTF-16 too", std::string("\xFE\xFF\0T\0i", 6), false, ""},
      {"invalid UTF-8", start + "caf\xE9\r\n", false, ""},
      {"an overlong sequence", start + "\xC0\xAF\r\n", false, ""},
      {"a NUL", start + std::string("a\0b\r\n", 5), false, ""},
      {"Cyrillic and a four-byte character are text", start + "\xD0\x94\xF0\x9F\x98\x80\r\n", true, ""},
      {"a big file is judged by its two ends", start + "\xD0\x94" + big + "\xD0\x94\r\n", true, ""},
      {"invalid UTF-8 near a big file's end", start + big + "\xE9\r\n", false, ""},
      // The first and last kCsvCheckBytes of this file each cut a two-byte character in two.
      {"a character cut at the edge of either end is no fault",
       start + std::string(kCsvCheckBytes - start.size() - 1, 'a') + "\xD0\x94" +
           std::string(kCsvCheckBytes - 2, 'b') + "\xD0\x94" + "\r\n",
       true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const size_t headBytes = std::min(c.file.size(), kCsvCheckBytes);
    const std::string head = c.file.substr(0, headBytes);
    const size_t tailBytes = std::min(c.file.size() - headBytes, kCsvCheckBytes);
    const std::string tail = c.file.substr(c.file.size() - tailBytes);
    std::string bytes = "stale";
    EXPECT_EQ(Csv_AppendBytes(c.file.size(), head, tail, CsvForm(), Start, Row, bytes), c.appended);
    EXPECT_EQ(bytes, c.appended ? c.before + row : "");
  }
}

TEST(CsvAppend, RowsGoAfterWhatTheFileHoldsAndNothingOfTheUsersIsLost) {
  kftest::ScratchFolder scratch("kf_csv_");
  const std::string path = Path_Join(scratch.Dir(), "\\rows.csv");
  // A new file, then an empty one, start with the mark and header of the fresh form; the rows
  // after them keep the file's form whatever the regional settings say by then.
  const CsvForm french = {';', ','};
  ASSERT_TRUE(Append(path, french));
  ASSERT_TRUE(Append(path));
  EXPECT_EQ(kftest::ReadAll(path), Start(french) + Row(french) + Row(french));
  ASSERT_TRUE(kftest::WriteAll(path, ""));
  ASSERT_TRUE(Append(path));
  ASSERT_TRUE(Append(path, french));
  EXPECT_EQ(kftest::ReadAll(path), kStart + kRow + kRow);
  // A last line without its end (edited by hand) keeps its bytes and gets a line end first.
  const std::string edited = kStart + "my own notes, kept\r\nlast line";
  ASSERT_TRUE(kftest::WriteAll(path, edited));
  ASSERT_TRUE(Append(path));
  ASSERT_TRUE(Append(path));
  EXPECT_EQ(kftest::ReadAll(path), edited + "\r\n" + kRow + kRow);
  // A file that is no UTF-8 text, or a folder of that name, is left as it is; a call that cannot
  // append leaves no file of its own.
  const std::string utf16("\xFF\xFE" "T\0", 4);
  ASSERT_TRUE(kftest::WriteAll(path, utf16));
  EXPECT_FALSE(Append(path));
  EXPECT_EQ(kftest::ReadAll(path), utf16);
  const std::string folder = Path_Join(scratch.Dir(), "\\folder.csv");
  std::filesystem::create_directory(std::filesystem::u8path(folder));
  EXPECT_FALSE(Append(folder));
  EXPECT_TRUE(Dir_Exists(folder));
  EXPECT_FALSE(Append(Path_Join(scratch.Dir(), "\\missing\\rows.csv")));
  EXPECT_FALSE(Dir_Exists(Path_Join(scratch.Dir(), "\\missing")));
}

}  // namespace
