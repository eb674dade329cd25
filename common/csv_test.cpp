// The CSV files' plumbing: figures written and read without a locale, what an append adds, and the
// append on disk.
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

TEST(CsvFigures, HundredthsAreWrittenAndReadWithoutALocale) {
  EXPECT_EQ(Csv_FormatHundredths(0), "0.00");
  EXPECT_EQ(Csv_FormatHundredths(4125), "41.25");
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
               {"1.", false, 0},       {"1,5", false, 0},       {" 1", false, 0},
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
    EXPECT_EQ(Csv_AppendBytes(c.file.size(), head, tail, kStart, row, bytes), c.appended);
    EXPECT_EQ(bytes, c.appended ? c.before + row : "");
  }
}

TEST(CsvAppend, RowsGoAfterWhatTheFileHoldsAndNothingOfTheUsersIsLost) {
  kftest::ScratchFolder scratch("kf_csv_");
  const std::string path = Path_Join(scratch.Dir(), "\\rows.csv");
  // A new file, then an empty one, start with the mark and header.
  ASSERT_TRUE(Csv_AppendRows(path, kStart, kRow));
  EXPECT_EQ(kftest::ReadAll(path), kStart + kRow);
  ASSERT_TRUE(kftest::WriteAll(path, ""));
  ASSERT_TRUE(Csv_AppendRows(path, kStart, kRow));
  EXPECT_EQ(kftest::ReadAll(path), kStart + kRow);
  // A last line without its end (edited by hand) keeps its bytes and gets a line end first.
  const std::string edited = kStart + "my own notes, kept\r\nlast line";
  ASSERT_TRUE(kftest::WriteAll(path, edited));
  ASSERT_TRUE(Csv_AppendRows(path, kStart, kRow));
  ASSERT_TRUE(Csv_AppendRows(path, kStart, kRow));
  EXPECT_EQ(kftest::ReadAll(path), edited + "\r\n" + kRow + kRow);
  // A file that is no UTF-8 text, or a folder of that name, is left as it is; a call that cannot
  // append leaves no file of its own.
  const std::string utf16("\xFF\xFE" "T\0", 4);
  ASSERT_TRUE(kftest::WriteAll(path, utf16));
  EXPECT_FALSE(Csv_AppendRows(path, kStart, kRow));
  EXPECT_EQ(kftest::ReadAll(path), utf16);
  const std::string folder = Path_Join(scratch.Dir(), "\\folder.csv");
  std::filesystem::create_directory(std::filesystem::u8path(folder));
  EXPECT_FALSE(Csv_AppendRows(folder, kStart, kRow));
  EXPECT_TRUE(Dir_Exists(folder));
  EXPECT_FALSE(Csv_AppendRows(Path_Join(scratch.Dir(), "\\missing\\rows.csv"), kStart, kRow));
  EXPECT_FALSE(Dir_Exists(Path_Join(scratch.Dir(), "\\missing")));
}

}  // namespace
