#include "exam/sample_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/files.h"
#include "testing/test_files.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "typing/words.h"

namespace fs = std::filesystem;

namespace {

// UTF-16 little-endian bytes of `text`, after the mark FF FE when `mark` is set.
std::string Le(const Text16& text, bool mark = true) {
  std::string out;
  if (mark) out += "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::string Be(const Text16& text) {
  std::string out = "\xFE\xFF";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

// A sample file of exactly `bytes` bytes: mark, then 'a' units (and one stray byte when odd).
std::string SampleOfSize(size_t bytes) {
  std::string out = Le(Text16((bytes - 2) / 2, u'a'));
  if (bytes % 2) out.push_back('z');
  return out;
}

using kftest::ReadAll;

struct TempDir : kftest::ScratchFolder {
  TempDir() : ScratchFolder("kf_sample_") {}
};

TraceTime FixedClock() { return TraceTime{2026, 1, 2, 3, 4, 5}; }

// Sends the trace to the data folder `folder`, stamped by a fixed clock, while it lives; the
// settings, the trace state and the data folder are as before afterwards.
class TraceTo {
 public:
  explicit TraceTo(const std::string& folder) : settings_(g_Settings), trace_(g_Trace), folder_(Dir_Data()) {
    g_Settings.Debug = 1;
    Dir_SetData(folder);
    g_Trace.now = FixedClock;
  }
  ~TraceTo() {
    g_Settings = settings_;
    g_Trace = trace_;
    Dir_SetData(folder_);
  }
  static std::string Log() { return Dir_DataFile("\\TraceFile.txt"); }
  TraceTo(const TraceTo&) = delete;
  TraceTo& operator=(const TraceTo&) = delete;

 private:
  const SettingsState settings_;
  const TraceState trace_;
  const std::string folder_;
};

std::vector<Text16> Words() {
  std::vector<Text16> out;
  for (const TestWordRecord& r : g_Words.testWords) out.push_back(r.word);
  return out;
}

}  // namespace

TEST(SampleDecode, MarkIsRemovedAndTextKept) {
  Text16 text = u"old";
  EXPECT_EQ(Mode4_DecodeSample(Le(u"Hello, Жук\r\n"), text), SampleLoad::Ok);
  EXPECT_EQ(text, u"Hello, Жук\r\n");
  EXPECT_EQ(Mode4_DecodeSample(Le(u""), text), SampleLoad::Ok);  // mark only
  EXPECT_EQ(text, u"");
}

TEST(SampleDecode, BigEndianFileReadsAsWritten) {
  Text16 text;
  ASSERT_EQ(Mode4_DecodeSample(Be(u"Hi Жук é"), text), SampleLoad::Ok);
  EXPECT_EQ(text, u"Hi Жук é");
}

TEST(SampleDecode, WithoutMarkIsNotUnicodeAndTextUntouched) {
  Text16 text = u"keep";
  EXPECT_EQ(Mode4_DecodeSample(Le(u"Hello", false), text), SampleLoad::NotUnicode);
  EXPECT_EQ(Mode4_DecodeSample("plain 8-bit text", text), SampleLoad::NotUnicode);
  EXPECT_EQ(Mode4_DecodeSample("\xEF\xBB\xBFutf8", text), SampleLoad::NotUnicode);
  EXPECT_EQ(Mode4_DecodeSample("", text), SampleLoad::NotUnicode);
  EXPECT_EQ(Mode4_DecodeSample("\xFF", text), SampleLoad::NotUnicode);  // half a mark
  EXPECT_EQ(text, u"keep");
}

TEST(SampleDecode, SizeLimits) {
  Text16 text = u"keep";
  ASSERT_EQ(Mode4_DecodeSample(SampleOfSize(3998), text), SampleLoad::Ok);
  EXPECT_EQ(text, Text16(1998, u'a'));
  text.clear();
  ASSERT_EQ(Mode4_DecodeSample(SampleOfSize(3999), text), SampleLoad::Ok);
  EXPECT_EQ(text, Text16(1998, u'a'));  // the odd last byte is dropped
  text = u"keep";
  EXPECT_EQ(Mode4_DecodeSample(SampleOfSize(4000), text), SampleLoad::TooBig);
  EXPECT_EQ(Mode4_DecodeSample(SampleOfSize(4001), text), SampleLoad::TooBig);
  EXPECT_EQ(Mode4_DecodeSample(std::string(4000, 'x'), text), SampleLoad::TooBig);  // size first
  EXPECT_EQ(text, u"keep");
}

TEST(SampleDecode, TextEndsAtFirstNul) {
  Text16 text;
  ASSERT_EQ(Mode4_DecodeSample(Le(Text16(u"ab c") + u'\0' + u"hidden"), text), SampleLoad::Ok);
  EXPECT_EQ(text, u"ab c");
}

TEST(SampleFile, ReadsFilesAtTheSizeLimits) {
  TempDir dir;
  Text16 text;
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("s3998.txt", SampleOfSize(3998)), text), SampleLoad::Ok);
  EXPECT_EQ(text.size(), 1998u);
  text.clear();
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("s3999.txt", SampleOfSize(3999)), text), SampleLoad::Ok);
  EXPECT_EQ(text, Text16(1998, u'a'));
  text = u"keep";
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("s4000.txt", SampleOfSize(4000)), text), SampleLoad::TooBig);
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("huge.txt", SampleOfSize(3 << 20)), text), SampleLoad::TooBig);
  EXPECT_EQ(text, u"keep");
}

TEST(SampleFile, MarkOnlyBigEndianAndUnmarkedFiles) {
  TempDir dir;
  Text16 text = u"x";
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("mark.txt", "\xFF\xFE"), text), SampleLoad::Ok);
  EXPECT_EQ(text, u"");
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("be.txt", Be(u"Да, é.")), text), SampleLoad::Ok);
  EXPECT_EQ(text, u"Да, é.");
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("plain.txt", "Hello"), text), SampleLoad::NotUnicode);
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Write("empty.txt", ""), text), SampleLoad::NotUnicode);
  EXPECT_EQ(text, u"Да, é.");
}

TEST(SampleFile, MissingFileOrFolderCannotBeOpened) {
  TempDir dir;
  Text16 text = u"keep";
  EXPECT_EQ(Mode4_ReadSampleFile(dir.File("missing.txt"), text), SampleLoad::CannotOpen);
  EXPECT_EQ(Mode4_ReadSampleFile(dir.Dir(), text), SampleLoad::CannotOpen);
  EXPECT_EQ(Mode4_ReadSampleFile("", text), SampleLoad::CannotOpen);
  EXPECT_EQ(text, u"keep");
}

#ifndef _WIN32
TEST(SampleFile, EndlessFileIsTooBigWithoutReadingItAll) {
  Text16 text;
  EXPECT_EQ(Mode4_ReadSampleFile("/dev/zero", text), SampleLoad::TooBig);  // would never end
}
#endif

TEST(SampleFile, PathWithNonAsciiFolder) {
  TempDir dir;
  const fs::path sub = fs::u8path(dir.Dir()) / fs::u8path("Тесты é");
  fs::create_directories(sub);
  const std::string path = (sub / "s.txt").u8string();
  ASSERT_TRUE(kftest::WriteAll(path, Le(u"ok")));
  Text16 text;
  EXPECT_EQ(Mode4_ReadSampleFile(path, text), SampleLoad::Ok);
  EXPECT_EQ(text, u"ok");
}

TEST(SampleFile, TracesEnteredAndExitedOnlyWhenTheFileCannotOpen) {
  TempDir dir;
  std::string afterOk, afterMissing;
  {
    const TraceTo tracing(dir.Dir());
    Text16 text;
    Mode4_ReadSampleFile(dir.Write("ok.txt", Le(u"a")), text);
    afterOk = ReadAll(TraceTo::Log());
    Mode4_ReadSampleFile(dir.File("missing.txt"), text);
    afterMissing = ReadAll(TraceTo::Log());
  }

  EXPECT_NE(afterOk.find("Mode4_LoadFile Entered"), std::string::npos);
  EXPECT_EQ(afterOk.find("Mode4_LoadFile Exited"), std::string::npos);
  const std::string added = afterMissing.substr(afterOk.size());
  EXPECT_NE(added.find("Mode4_LoadFile Entered"), std::string::npos);
  EXPECT_NE(added.find("Mode4_LoadFile Exited"), std::string::npos);
  EXPECT_LT(added.find("Entered"), added.find("Exited"));
}

TEST(SampleFile, DefaultPathPerLanguage) {
  const std::string s(1, kPathSep);
  EXPECT_EQ(Mode4_DefaultSamplePath("base", 1), "base" + s + "EN" + s + "Tests" + s + "Sample_Unicode.txt");
  EXPECT_EQ(Mode4_DefaultSamplePath("base", 2), "base" + s + "FR" + s + "Tests" + s + "Sample_Unicode.txt");
  EXPECT_EQ(Mode4_DefaultSamplePath("base", 3), "base" + s + "RU" + s + "Tests" + s + "Sample_Unicode.txt");
  EXPECT_EQ(Mode4_DefaultSamplePath("base", 0), Mode4_DefaultSamplePath("base", 1));
  EXPECT_EQ(Mode4_DefaultSamplePath("base", 4), Mode4_DefaultSamplePath("base", 1));
}

class SampleParse : public ::testing::Test {
 protected:
  void SetUp() override { g_Words = WordTables(); }
  void TearDown() override { g_Words = WordTables(); }
};

TEST_F(SampleParse, WordsAreTheRunsBetweenBlanksWithoutTheirPunctuation) {
  struct Row {
    const char* rule;
    Text16 text;
    std::vector<Text16> words;
    std::vector<int32_t> offsets;  // where each word begins in the text
  };
  const Row rows[] = {
      {"the first word loses its punctuation as every word does", u"Hello, world. Hello!",
       {u"Hello", u"world", u"Hello"}, {0, 7, 14}},
      {"a one-word first line is a word", u"Title\r\nThe text", {u"Title", u"The", u"text"}, {0, 7, 11}},
      {"tabs, runs of blanks and blank lines separate words once", u"  a\tb  \r\n\r\nc ",
       {u"a", u"b", u"c"}, {2, 4, 11}},
      {"quotes and brackets at either end are left out, inner marks kept", u"(word) \u00ABmot\u00BB don't well-known",
       {u"word", u"mot", u"don't", u"well-known"}, {1, 8, 13, 19}},
      {"marks between letters keep a run whole", u"Two,,three;:four", {u"Two,,three;:four"}, {0}},
      {"a stand-alone punctuation mark is no word", u"Oui : non ; \u00E7a ! - fin ?", {u"Oui", u"non", u"\u00E7a", u"fin"},
       {0, 6, 12, 19}},
      {"Cyrillic words", u"\u0414\u0430, \u043D\u0435\u0442", {u"\u0414\u0430", u"\u043D\u0435\u0442"}, {0, 4}},
      {"nothing but blanks and punctuation gives no word", u" \r\n., !", {}, {}},
      {"no text gives no word", u"", {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rule);
    Mode4_ParseSampleText(u"stale words");
    Mode4_ParseSampleText(row.text);
    EXPECT_EQ(Words(), row.words);
    ASSERT_EQ(g_Words.testWords.size(), row.offsets.size());
    for (size_t i = 0; i < row.offsets.size(); ++i) {
      const TestWordRecord& r = g_Words.testWords[i];
      EXPECT_EQ(r.index, static_cast<int16_t>(i));
      EXPECT_EQ(r.offset, row.offsets[i]);
      EXPECT_EQ(r.length, static_cast<int32_t>(r.word.size()));
      EXPECT_EQ(r.errors, kNotTyped);
      EXPECT_EQ(r.seconds, 0.0f);
    }
  }
}

TEST_F(SampleParse, LongTokenIsKeptWhole) {
  const Text16 longWord(150, u'x');
  Mode4_ParseSampleText(u"a " + longWord + u" b");
  ASSERT_EQ(g_Words.testWords.size(), 3u);
  EXPECT_EQ(g_Words.testWords[1].word, longWord);
  EXPECT_EQ(g_Words.testWords[1].length, 150);
  EXPECT_EQ(g_Words.testWords[2].word, u"b");
  EXPECT_EQ(g_Words.testWords[2].index, 2);
}

TEST_F(SampleParse, TextEndsAtNulAndTableIsBounded) {
  Mode4_ParseSampleText(Text16(u"ab cd") + u'\0' + u"ef gh");
  EXPECT_EQ(Words(), (std::vector<Text16>{u"ab", u"cd"}));

  Text16 many;
  for (int i = 0; i < 40000; ++i) many += u"w ";
  Mode4_ParseSampleText(many);
  ASSERT_EQ(g_Words.testWords.size(), kMaxTableRecords);
  EXPECT_EQ(g_Words.testWords.back().index, static_cast<int16_t>(kMaxTableRecords - 1));
}

TEST_F(SampleParse, RepeatedWordsKeepDistinctRecordsAndLookupFindsTheFirst) {
  Mode4_ParseSampleText(u"the cat and the dog");
  ASSERT_EQ(g_Words.testWords.size(), 5u);
  EXPECT_EQ(g_Words.testWords[3].word, u"the");
  EXPECT_EQ(g_Words.testWords[3].index, 3);
  EXPECT_EQ(Mode4_FindTestWordAt(12, 15), 3);
}

TEST_F(SampleParse, TracesEnteredAndExited) {
  TempDir dir;
  std::string trace;
  {
    const TraceTo tracing(dir.Dir());
    Mode4_ParseSampleText(u"a b");
    trace = ReadAll(TraceTo::Log());
  }
  const size_t entered = trace.find("Mode4_ParseSampleText Entered");
  const size_t exited = trace.find("Mode4_ParseSampleText Exited");
  ASSERT_NE(entered, std::string::npos);
  ASSERT_NE(exited, std::string::npos);
  EXPECT_LT(entered, exited);
}
