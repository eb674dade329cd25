#include "training/word_lists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/files.h"
#include "testing/test_files.h"
#include "exam/detailed_stats.h"
#include "typing/words.h"

namespace fs = std::filesystem;

namespace {

using Entries = std::vector<Text16>;

const std::string k99(99, 'a');
const std::string kMark = "\xEF\xBB\xBF";

Entries Ansi(const std::string& bytes) { return App_DecodeWordList(bytes, ListEncoding::Ansi); }
Entries Utf8(const std::string& bytes) { return App_DecodeWordList(bytes, ListEncoding::Utf8); }
Entries Russian(const std::string& bytes) { return App_DecodeWordList(bytes, ListEncoding::Utf8FirstMark); }
Text16 A(const std::string& ascii) { return Text_FromAscii(ascii); }

// A temporary data folder for the test; the previous one comes back afterwards.
class DataDirs : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Dir_Data();
    fs::create_directories(Current());
    Dir_SetData(Current().u8string());
    g_Words = WordTables();
  }
  void TearDown() override {
    Dir_SetData(saved_);
    g_Words = WordTables();
  }
  // Writes `bytes` at base/relative, where relative is written with backslashes.
  static std::string Put(const fs::path& base, const std::string& relative, const std::string& bytes) {
    std::string rel = relative.substr(1);
    for (char& c : rel) c = c == '\\' ? '/' : c;
    const fs::path file = base / fs::u8path(rel);
    fs::create_directories(file.parent_path());
    EXPECT_TRUE(kftest::WriteAll(file.u8string(), bytes)) << file.u8string();
    return file.u8string();
  }
  fs::path Current() const { return root_.Path() / "current"; }


 private:
  kftest::ScratchFolder root_{"kf_lists_"};
  std::string saved_;
};

}  // namespace

TEST(WordListNames, RelativePathsAndEncodings) {
  EXPECT_EQ(App_ListRelativePath(WordList::LeftHand, 1), "\\EN\\Training Words\\LH_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::RightHand, 2), "\\FR\\Training Words\\RH_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::LeftToRight, 1), "\\EN\\Training Words\\LTOR_Both.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::RightToLeft, 2), "\\FR\\Training Words\\RTOL_Both.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::LeftHand, 3), "\\RU\\Training Words\\LH_Words_RU_UTF8.txt");
  EXPECT_EQ(App_ListRelativePath(WordList::RightHand, 3), "\\RU\\Training Words\\RH_Words_RU_UTF8.txt");
  EXPECT_EQ(App_ListRelativePath(WordList::LeftToRight, 3), "\\RU\\Training Words\\LTOR_Words_RU_UTF8.txt");
  EXPECT_EQ(App_ListRelativePath(WordList::RightToLeft, 3), "\\RU\\Training Words\\RTOL_Words_RU_UTF8.txt");
  EXPECT_EQ(App_ListRelativePath(WordList::Custom, 1), "\\EN\\Training Words\\Custom_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::Custom, 2), "\\FR\\Training Words\\Custom_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::Custom, 3), "\\RU\\Training Words\\Custom_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::LeftHand, 0), "\\EN\\Training Words\\LH_Words.dat");
  EXPECT_EQ(App_ListRelativePath(WordList::LeftHand, 4), "\\EN\\Training Words\\LH_Words.dat");

  EXPECT_EQ(App_ListEncoding(WordList::LeftHand, 1), ListEncoding::Ansi);
  EXPECT_EQ(App_ListEncoding(WordList::RightToLeft, 2), ListEncoding::Ansi);
  EXPECT_EQ(App_ListEncoding(WordList::LeftToRight, 3), ListEncoding::Utf8FirstMark);
  EXPECT_EQ(App_ListEncoding(WordList::Custom, 1), ListEncoding::Utf8);
  EXPECT_EQ(App_ListEncoding(WordList::Custom, 2), ListEncoding::Utf8);
  EXPECT_EQ(App_ListEncoding(WordList::Custom, 3), ListEncoding::Utf8);
}

TEST(WordListDecode, LinesBlankLinesAndTheLastLine) {
  EXPECT_EQ(Ansi("one\r\ntwo\r\n"), (Entries{A("one"), A("two")}));
  EXPECT_EQ(Ansi("one\r\ntwo"), (Entries{A("one"), A("two")}));  // no line end after the last
  EXPECT_EQ(Ansi("\r\n\r\none\r\n\r\n\r\ntwo\r\n\r\n"), (Entries{A("one"), A("two")}));
  EXPECT_EQ(Ansi("one\ntwo\n\nthree"), (Entries{A("one"), A("two"), A("three")}));
  EXPECT_EQ(Ansi("dup\r\nx\r\ndup\r\n"), (Entries{A("dup"), A("x"), A("dup")}));  // order, duplicates
  EXPECT_EQ(Ansi(" \r\n"), (Entries{A(" ")}));  // a blank is not an empty entry
  EXPECT_TRUE(Ansi("").empty());
  EXPECT_TRUE(Ansi("\r\n\n\r\n").empty());
}

TEST(WordListDecode, CarriageReturns) {
  EXPECT_EQ(Ansi("a\rb\r\nc\r\n"), (Entries{A("a\rb"), A("c")}));  // a lone CR stays in the entry
  EXPECT_EQ(Ansi("one\rtwo\r"), (Entries{A("one\rtwo")}));          // CR alone does not end a line
  EXPECT_EQ(Ansi("\r\r\nx"), (Entries{A("\r"), A("x")}));          // only the CR before LF goes
  EXPECT_EQ(Ansi("word\r"), (Entries{A("word")}));                  // a CR before the end of file
  EXPECT_TRUE(Ansi("\r").empty());
}

TEST(WordListDecode, LongLinesKeepTheirFirst99BytesAndReadingGoesOn) {
  EXPECT_EQ(Ansi(k99 + "\r\nnext\r\n"), (Entries{A(k99), A("next")}));
  EXPECT_EQ(Ansi(k99 + "\nnext"), (Entries{A(k99), A("next")}));
  EXPECT_EQ(Ansi(k99), (Entries{A(k99)}));
  EXPECT_EQ(Ansi(k99 + "\r"), (Entries{A(k99)}));
  // 100 bytes and more: the first 99 are the entry, the lines after it are read on.
  EXPECT_EQ(Ansi("first\r\n" + k99 + "b\r\nnext\r\n"), (Entries{A("first"), A(k99), A("next")}));
  EXPECT_EQ(Ansi(k99 + "\rx\r\nnext"), (Entries{A(k99), A("next")}));  // CR not followed by LF
  EXPECT_EQ(Ansi(std::string(98, 'a') + "\rb\r\nnext"), (Entries{A(std::string(98, 'a') + "\r"), A("next")}));
  EXPECT_EQ(Ansi(std::string(100000, 'z') + "\r\nnext"), (Entries{A(std::string(99, 'z')), A("next")}));
}

TEST(WordListDecode, CustomListReadsBackEveryWordItsWriterWrites) {
  // A 55-letter word among short ones, and words of whole characters up to the writer's limit.
  const Text16 longWord(55, u'w');
  Text16 accents(49, u'é');  // 98 bytes
  Text16 pairs(24, u'a');
  for (int i = 0; i < 18; ++i) pairs += u"\U0001F600";  // 24 + 72 = 96 bytes
  const Entries words{u"first", longWord, u"water", accents, pairs, u"great"};
  EXPECT_EQ(Utf8(Mode4_CustomListBytes(words)), words);

  // A word past the limit is written and read back cut at the same whole character.
  const Text16 tooLong(60, u'д');  // 120 bytes: 49 letters fit
  const Entries read = Utf8(Mode4_CustomListBytes({tooLong, u"after"}));
  EXPECT_EQ(read, (Entries{Text16(49, u'д'), u"after"}));
}

TEST(WordListDecode, AnsiIsWindows1252) {
  EXPECT_EQ(Ansi("\xE9l\xE8ve\r\n\x80uro\r\n\xC7" "a\r\n"),
            (Entries{u"élève", u"€uro", u"Ça"}));
  EXPECT_EQ(Ansi("a\x81" "b\r\n"), (Entries{Text16{u'a', 0xFFFD, u'b'}}));
}

TEST(WordListDecode, Utf8AndInvalidBytes) {
  EXPECT_EQ(Utf8("\xC3\xA9l\xC3\xA8ve\r\n\xD0\xB4\xD0\xBE\xD0\xBC\r\n"), (Entries{u"élève", u"дом"}));
  EXPECT_EQ(Utf8("a\xFF" "b\r\n\xFF\r\nok\r\n"),
            (Entries{Text16{u'a', 0xFFFD, u'b'}, Text16{0xFFFD}, u"ok"}));
  EXPECT_EQ(Utf8("\xE9t\xE9\r\n"), (Entries{Text16{0xFFFD, u't', 0xFFFD}}));  // 1252 bytes in UTF-8
  // The custom list has no first-line rule: an empty first line is skipped.
  EXPECT_EQ(Utf8("\r\nword\r\n"), (Entries{u"word"}));
  // A mark an editor put at the start is no part of the first word; elsewhere it stays text.
  EXPECT_EQ(Utf8("\xEF\xBB\xBF" "word\r\nnext\r\n"), (Entries{u"word", u"next"}));
  EXPECT_EQ(Utf8("\xEF\xBB\xBF\r\nword\r\n"), (Entries{u"word"}));
  EXPECT_EQ(Utf8("a\r\n\xEF\xBB\xBF" "b\r\n"), (Entries{u"a", Text16{0xFEFF, u'b'}}));
  // 50 Cyrillic letters are 100 bytes: 49 whole letters are kept, never half of the 50th.
  std::string letters;
  for (int i = 0; i < 50; ++i) letters += "\xD0\xB4";
  EXPECT_EQ(Utf8(letters + "\r\nnext\r\n"), (Entries{Text16(49, u'д'), u"next"}));
  // A run of stray continuation bytes is no character: it is cut at the limit.
  EXPECT_EQ(Utf8(std::string(120, '\x80')), (Entries{Text16(99, 0xFFFD)}));
}

TEST(WordListDecode, CutsAtAWholeCharacter) {
  EXPECT_EQ(App_CutListEntry(k99, ListEncoding::Utf8), k99);
  EXPECT_EQ(App_CutListEntry(k99 + "b", ListEncoding::Ansi), k99);
  // A four-byte character at bytes 97 to 100 is left out whole.
  const std::string pair = std::string(97, 'a') + "\xF0\x9F\x98\x80";
  EXPECT_EQ(App_CutListEntry(pair, ListEncoding::Utf8), std::string(97, 'a'));
  EXPECT_EQ(App_CutListEntry(pair, ListEncoding::Utf8FirstMark), std::string(97, 'a'));
  EXPECT_EQ(App_CutListEntry(pair, ListEncoding::Ansi), pair.substr(0, 99));  // bytes are characters
  const std::string fits = std::string(95, 'a') + "\xF0\x9F\x98\x80" + "b";
  EXPECT_EQ(App_CutListEntry(fits, ListEncoding::Utf8), fits.substr(0, 99));
}

TEST(WordListDecode, EntryEndsAtNul) {
  EXPECT_EQ(Ansi(std::string("ab\0cd\r\n\0x\r\nef", 13)), (Entries{A("ab"), A("ef")}));
  EXPECT_EQ(Utf8(std::string("\xC3\xA9\0z\r\n", 6)), (Entries{u"é"}));
}

TEST(WordListDecode, RussianFirstLineRule) {
  EXPECT_EQ(Russian(kMark + "дом\r\nкот\r\n"), (Entries{u"дом", u"кот"}));
  // Without the mark the first word keeps its first letter.
  EXPECT_EQ(Russian("дом\r\nкот\r\n"), (Entries{u"дом", u"кот"}));
  // A first line holding the mark only, or nothing, is still an entry; later blank lines are not.
  EXPECT_EQ(Russian(kMark + "\r\nкот\r\n\r\n"), (Entries{u"", u"кот"}));
  EXPECT_EQ(Russian("\r\nкот\r\n"), (Entries{u"", u"кот"}));
  EXPECT_EQ(Russian(kMark), (Entries{u""}));
  EXPECT_TRUE(Russian("").empty());
  // Only a whole mark at the very start is removed.
  EXPECT_EQ(Russian("\xEF\xBB" "a\r\n"), (Entries{Text16{0xFFFD, u'a'}}));
  EXPECT_EQ(Russian("x\r\n" + kMark + "y\r\n"), (Entries{u"x", Text16{0xFEFF, u'y'}}));
  // The mark is no part of the first entry's 99 bytes.
  std::string letters;
  for (int i = 0; i < 49; ++i) letters += "\xD0\xB4";
  EXPECT_EQ(Russian(letters + "\r\nnext"), (Entries{Text16(49, u'д'), u"next"}));
  EXPECT_EQ(Russian(kMark + letters + "\r\nnext"), (Entries{Text16(49, u'д'), u"next"}));
  EXPECT_EQ(Russian(kMark + letters + "\xD0\xB4\r\nnext"), (Entries{Text16(49, u'д'), u"next"}));
}

TEST_F(DataDirs, ReadMissingFolderAndAccentedCustomWords) {
  EXPECT_TRUE(App_ReadWordList((Current() / "missing.dat").u8string(), ListEncoding::Ansi).empty());
  EXPECT_TRUE(App_ReadWordList(Current().u8string(), ListEncoding::Utf8).empty());
  EXPECT_TRUE(App_ReadWordList("", ListEncoding::Utf8).empty());

  const Entries words{u"élève", u"ça", u"ÉTÉ", u"дом", u"a😀"};
  std::string bytes;
  for (const Text16& w : words) bytes += Text_ToUtf8(w) + "\r\n";
  const std::string path = Put(Current(), "\\FR\\Training Words\\Custom_Words.dat", bytes);
  EXPECT_EQ(App_ReadWordList(path, ListEncoding::Utf8), words);
}

TEST_F(DataDirs, ReadLongFileStreamsTheRules) {
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "w" + std::to_string(i) + "\r\n";
  bytes += k99 + std::string(5000, 'X') + "\r\nafter\r\n";
  const std::string path = Put(Current(), "\\EN\\Training Words\\LH_Words.dat", bytes);
  const Entries entries = App_ReadWordList(path, ListEncoding::Ansi);
  ASSERT_EQ(entries.size(), 3002u);
  EXPECT_EQ(entries[0], u"w0");
  EXPECT_EQ(entries[2999], u"w2999");
  EXPECT_EQ(entries[3000], A(k99));
  EXPECT_EQ(entries[3001], u"after");
  EXPECT_EQ(entries, Ansi(bytes));  // the file reader and the decoder agree
}

#ifndef _WIN32
TEST_F(DataDirs, EndlessFileEndsAtTheFirstLine) {
  // NUL bytes and no line end: one line up to the reader's bound, an empty entry.
  EXPECT_TRUE(App_ReadWordList("/dev/zero", ListEncoding::Utf8).empty());
  EXPECT_EQ(App_ReadWordList("/dev/zero", ListEncoding::Utf8FirstMark), (Entries{u""}));
}

TEST_F(DataDirs, OverlongPathCountsAsMissing) {
  fs::path deep = Current();
  while (deep.u8string().size() < 300) deep /= "sub-folder-name";
  const std::string path = Put(deep, "\\list.dat", "word\r\n");
  EXPECT_TRUE(App_ReadWordList(path, ListEncoding::Ansi).empty());
}
#endif

TEST_F(DataDirs, ListsAreFoundInTheDataFolderOnly) {
  const std::string rel = App_ListRelativePath(WordList::LeftHand, 1);
  EXPECT_TRUE(App_LoadWordList(WordList::LeftHand, 1).empty());
  Put(Current(), rel, "here\r\n");
  EXPECT_EQ(App_LoadWordList(WordList::LeftHand, 1), (Entries{u"here"}));
  // The working directory plays no part.
  const fs::path elsewhere = Current().parent_path() / "elsewhere";
  Put(elsewhere, rel, "elsewhere\r\n");
  const fs::path saved = fs::current_path();
  fs::current_path(elsewhere);
  EXPECT_EQ(App_LoadWordList(WordList::LeftHand, 1), (Entries{u"here"}));
  fs::current_path(saved);
  // A folder of that name does not count as the file.
  fs::create_directories(Current() / "EN" / "Training Words" / "RH_Words.dat");
  EXPECT_TRUE(App_LoadWordList(WordList::RightHand, 1).empty());
}

TEST_F(DataDirs, LoadsEachLanguagesListWithItsEncoding) {
  Put(Current(), "\\EN\\Training Words\\RTOL_Both.dat", "hat\r\nhas\r\n");
  Put(Current(), "\\FR\\Training Words\\LH_Words.dat", "\xE9t\xE9\r\n");
  Put(Current(), "\\RU\\Training Words\\LH_Words_RU_UTF8.txt", kMark + "\xD0\xB2\xD0\xB0\r\n\r\n");
  Put(Current(), "\\RU\\Training Words\\Custom_Words.dat", "\r\n\xD0\xB2\xD0\xB0\r\n");
  EXPECT_EQ(App_LoadWordList(WordList::RightToLeft, 1), (Entries{u"hat", u"has"}));
  EXPECT_EQ(App_LoadWordList(WordList::LeftHand, 2), (Entries{u"été"}));
  EXPECT_EQ(App_LoadWordList(WordList::LeftHand, 3), (Entries{u"ва"}));
  EXPECT_EQ(App_LoadWordList(WordList::Custom, 3), (Entries{u"ва"}));
  EXPECT_TRUE(App_LoadWordList(WordList::LeftHand, 1).empty());
}

TEST_F(DataDirs, CustomWordsReplaceTheTableWithZeroStatistics) {
  Put(Current(), "\\FR\\Training Words\\Custom_Words.dat", Text_ToUtf8(u"élève\r\n\r\na😀\r\nélève"));
  g_Words.customWords.push_back(CustomWordRecord{u"kept", 4, 1.5f, 3.0f, 1, 2, 2});
  Mode4_LoadCustomWords(2);
  ASSERT_EQ(g_Words.customWords.size(), 3u);
  const CustomWordRecord& r = g_Words.customWords[0];
  EXPECT_EQ(r.word, u"élève");
  EXPECT_EQ(r.length, 5);
  EXPECT_EQ(r.lastSeconds, 0.0f);
  EXPECT_EQ(r.totalSeconds, 0.0f);
  EXPECT_EQ(r.lastErrors, 0);
  EXPECT_EQ(r.totalErrors, 0);
  EXPECT_EQ(r.typedCount, 0);
  EXPECT_EQ(g_Words.customWords[1].word, u"a😀");
  EXPECT_EQ(g_Words.customWords[1].length, 3);  // UTF-16 units
  EXPECT_EQ(g_Words.customWords[2].word, u"élève");
  EXPECT_EQ(Mode3_FindCustomWord(u"élève"), 0);

  Mode4_LoadCustomWords(1);  // no English list: an empty table
  EXPECT_TRUE(g_Words.customWords.empty());
}

// A list gives no more entries than a screen can sensibly take, whatever the file holds.
TEST_F(DataDirs, ListsAndTheCustomWordsTableAreBounded) {
  std::string bytes;
  for (size_t i = 0; i < kMaxTableRecords + 10; ++i) bytes += "w\r\n";
  Put(Current(), "\\EN\\Training Words\\Custom_Words.dat", bytes);
  Put(Current(), "\\EN\\Training Words\\LH_Words.dat", bytes);
  Mode4_LoadCustomWords(1);
  EXPECT_EQ(g_Words.customWords.size(), kMaxListEntries);
  EXPECT_EQ(App_LoadWordList(WordList::Custom, 1).size(), kMaxListEntries);
  EXPECT_EQ(App_LoadWordList(WordList::LeftHand, 1).size(), kMaxListEntries);
  EXPECT_LT(kMaxListEntries, kMaxTableRecords);
}

TEST_F(DataDirs, CustomListExistsForItsLanguage) {
  EXPECT_FALSE(App_CustomListExists(1));
  Put(Current(), "\\EN\\Training Words\\Custom_Words.dat", "");
  EXPECT_TRUE(App_CustomListExists(1));
  EXPECT_FALSE(App_CustomListExists(2));
  Put(Current(), "\\RU\\Training Words\\Custom_Words.dat", "x\r\n");
  EXPECT_TRUE(App_CustomListExists(3));
}
