// Keys.csv in the core: a test's rows as bytes, reading rows back (and skipping what is not a
// row), the rows of the last tests of a language read from the end, and the key figures made of
// them: keys of both shift levels, halves, confusions and the weakest keys.
#include "keys/key_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/key_history_reference.h"
#include "testing/test_files.h"
#include "typing/keyboards.h"

namespace {

KeyRow Row(int second, const std::string& language, char16_t ch, uint32_t expected, uint32_t errors,
           char16_t wrong = 0, uint32_t wrongTimes = 0, uint32_t timed = 0, uint64_t ms = 0) {
  KeyRow row;
  row.time = {2026, 12, 5, 21, 23, second};
  row.language = language;
  row.ch = ch;
  row.expected = expected;
  row.errors = errors;
  row.wrong = wrong;
  row.wrongTimes = wrongTimes;
  row.timed = timed;
  row.ms = ms;
  return row;
}

std::vector<KeyRow> Tail(const std::string& bytes, const std::string& language, size_t tests, size_t block,
                         uint64_t* lowestRead = nullptr) {
  if (lowestRead) *lowestRead = bytes.size();
  return Mode4_KeyHistoryTail(
      bytes.size(),
      [&](uint64_t offset, char* out, size_t size) {
        if (lowestRead && offset < *lowestRead) *lowestRead = offset;
        bytes.copy(out, size, static_cast<size_t>(offset));
        return true;
      },
      language, tests, block);
}

size_t KeyIndex(int language, char16_t ch) {
  const KeyboardLayout& layout = Keyboard_Of(language);
  return static_cast<size_t>(Keyboard_KeyOf(layout, ch) - layout.keys);
}

TEST(KeyRows, ATestsRowsAsBytes) {
  // "a, b" typed with a wrong key for "b" twice and a pause of over two seconds before the ",".
  const Text16 sample = u"a, \"b";
  KeyStats keys;
  const struct {
    char16_t ch;
    uint32_t tick;
  } strokes[] = {{'a', 0}, {',', 3000}, {' ', 3100}, {'"', 3300}, {'v', 3400}, {8, 3450}, {'v', 3500}, {8, 3550},
                 {'b', 3700}};
  Text16 text;
  for (const auto& s : strokes) {
    Keys_Record(keys, text, sample, s.ch, s.tick);
    if (s.ch == 8) {
      text.pop_back();
    } else {
      text += s.ch;
    }
  }
  EXPECT_EQ(Mode4_KeyFileStart(),
            "\xEF\xBB\xBFTime,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds\r\n");
  EXPECT_EQ(Mode4_FormatKeyRows({2026, 12, 5, 21, 23, 41}, 2, keys),
            "2026-12-05T21:23:41,FR,\" \",1,0,,0,1,100\r\n"
            "2026-12-05T21:23:41,FR,\"\"\"\",1,0,,0,1,200\r\n"
            "2026-12-05T21:23:41,FR,\",\",1,0,,0,0,0\r\n"
            "2026-12-05T21:23:41,FR,a,1,0,,0,0,0\r\n"
            "2026-12-05T21:23:41,FR,b,3,2,v,2,0,0\r\n");
  // Under French or Russian regional settings a semicolon separates, and a comma needs no quotes.
  EXPECT_EQ(Mode4_KeyFileStart({';', ','}),
            "\xEF\xBB\xBFTime;Language;Character;Expected;Errors;Wrong key;Wrong key times;Timed;Milliseconds\r\n");
  EXPECT_EQ(Mode4_FormatKeyRows({2026, 12, 5, 21, 23, 41}, 2, keys, {';', ','}),
            "2026-12-05T21:23:41;FR;\" \";1;0;;0;1;100\r\n"
            "2026-12-05T21:23:41;FR;\"\"\"\";1;0;;0;1;200\r\n"
            "2026-12-05T21:23:41;FR;,;1;0;;0;0;0\r\n"
            "2026-12-05T21:23:41;FR;a;1;0;;0;0;0\r\n"
            "2026-12-05T21:23:41;FR;b;3;2;v;2;0;0\r\n");
  EXPECT_EQ(Mode4_FormatKeyRow(Row(1, "FR", u';', 4, 1, u',', 1, 3, 600), {';', ','}),
            "2026-12-05T21:23:01;FR;\";\";4;1;,;1;3;600\r\n");
  EXPECT_EQ(Mode4_FormatKeyRows({2026, 12, 5, 21, 23, 41}, 1, KeyStats()), "");
  // Cyrillic goes in as UTF-8.
  EXPECT_EQ(Mode4_FormatKeyRow(Row(1, "RU", u'\u0436', 4, 1, u'\u044D', 1, 3, 600)),
            "2026-12-05T21:23:01,RU,\xD0\xB6,4,1,\xD1\x8D,1,3,600\r\n");
}

TEST(KeyRows, RowsReadBackAndWhatIsNoRowIsSkipped) {
  struct Case {
    std::string line;
    bool ok;
  } cases[] = {
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11,2450", true},
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11,2450\r", true},
      {"2026-12-05T21:23:41,RU,\xD0\xB6,4,0,,0,3,600", true},
      {"2026-12-05T21:23:41,EN,\" \",4,0,,0,3,600", true},
      {"2026-12-05T21:23:41,EN, ,4,0,,0,3,600", true},  // a space read as the writer would quote it
      {"2026-12-05T21:23:41;EN;t;14;2;r;2;11;2450", true},  // the form of French and Russian settings
      {"2026-12-05T21:23:41;FR;\";\";4;0;,;0;3;600", false},  // a wrong key more often than errors
      {"2026-12-05T21:23:41;FR;\";\";4;1;,;1;3;600", true},
      {"2026-12-05T21:23:41;EN,t,14,2,r,2,11,2450", false},  // the forms mixed
      {"Time,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds", false},
      {"", false},
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11", false},           // cut short
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11,2450,7", false},    // a field too many
      {"2026-13-05T21:23:41,EN,t,14,2,r,2,11,2450", false},      // no such month
      {"2026-12-05 21:23:41,EN,t,14,2,r,2,11,2450", false},
      {"2026-12-05T21:23:41,DE,t,14,2,r,2,11,2450", false},
      {"2026-12-05T21:23:41,EN,tt,14,2,r,2,11,2450", false},     // two characters
      {"2026-12-05T21:23:41,EN,,14,2,r,2,11,2450", false},       // none
      {"2026-12-05T21:23:41,EN,\xFF,14,2,r,2,11,2450", false},   // no UTF-8
      {"2026-12-05T21:23:41,EN,\xC1\xB4,14,2,r,2,11,2450", false},  // an overlong form
      {"2026-12-05T21:23:41,EN,\t,14,2,r,2,11,2450", false},     // a control character
      {"2026-12-05T21:23:41,EN,t,14,15,r,2,11,2450", false},     // more errors than keystrokes
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,13,2450", false},      // more timed than right keys
      {"2026-12-05T21:23:41,EN,t,14,2,r,3,11,2450", false},      // a wrong key more often than errors
      {"2026-12-05T21:23:41,EN,t,14,2,,2,11,2450", false},       // a count without its key
      {"2026-12-05T21:23:41,EN,t,0,0,,0,0,0", false},
      {"2026-12-05T21:23:41,EN,t,-1,0,,0,0,0", false},
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11,9999999999999", false},  // beyond any test
      {"2026-12-05T21:23:41,EN,\"t,14,2,r,2,11,2450", false},    // an open quote
      {"2026-12-05T21:23:41,EN,\"t\"x,14,2,r,2,11,2450", false},
      {"2026-12-05T21:23:41,EN,t,14,2,r,2,11,2" + std::string(300, '0'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    KeyRow row;
    ASSERT_EQ(Mode4_ParseKeyRow(c.line, row), c.ok);
    if (!c.ok) continue;
    // What reads back writes the same row again.
    const std::string again = Mode4_FormatKeyRow(row);
    KeyRow back;
    EXPECT_TRUE(Mode4_ParseKeyRow(again.substr(0, again.size() - 2), back));
    EXPECT_TRUE(back == row);
  }
}

// Four tests of English and French, interleaved, with damaged lines between them.
std::string MixedHistory() {
  std::string bytes = Mode4_KeyFileStart();
  for (int test = 0; test < 4; ++test) {
    bytes += Mode4_FormatKeyRow(Row(test, "EN", u'a', 10 + test, 1, u's', 1, 8, 1600));
    bytes += "garbage,\"\r\n";
    bytes += Mode4_FormatKeyRow(Row(test, "EN", u'b', 5, 0, 0, 0, 4, 800));
    bytes += Mode4_FormatKeyRow(Row(test, "FR", u'q', 7, 0));
    bytes += "2026-12-05T21:23:0" + std::to_string(test) + ",EN,c,3\r\n";  // cut short
    bytes += std::string(600, 'x') + "\r\n";
  }
  return bytes;
}

TEST(KeyTail, TheLastTestsOfTheLanguageOldestFirstAtAnyBlockSize) {
  const std::string bytes = MixedHistory();
  for (size_t tests : {1u, 2u, 4u, 9u}) {
    for (size_t block : {1u, 7u, 64u, 100000u}) {
      SCOPED_TRACE(std::to_string(tests) + " tests, blocks of " + std::to_string(block));
      const std::vector<KeyRow> en = Tail(bytes, "EN", tests, block);
      EXPECT_EQ(en, kftest::ForwardKeyTail(bytes, "EN", tests));
      EXPECT_EQ(en.size(), 2 * std::min<size_t>(tests, 4));
      EXPECT_EQ(en.back().ch, u'b');
      EXPECT_EQ(en.back().time.second, 3);
      EXPECT_EQ(Tail(bytes, "FR", tests, block).size(), std::min<size_t>(tests, 4));
      EXPECT_TRUE(Tail(bytes, "RU", tests, block).empty());
    }
  }
  // The reader stops once an older test begins: a long history is read from its end only.
  std::string longer;
  for (int i = 0; i < 20000; ++i) longer += Mode4_FormatKeyRow(Row(i % 60, "EN", u'x', 1, 0));
  longer += bytes;
  uint64_t lowest = 0;
  EXPECT_EQ(Tail(longer, "EN", 2, 4096, &lowest).size(), 4u);
  EXPECT_GT(lowest, longer.size() - 8192);
  EXPECT_TRUE(Tail("", "EN", 20, 64).empty());
}

TEST(KeyTail, AReadErrorEndsTheWalkWithTheRowsAfterIt) {
  const std::string bytes = MixedHistory();
  const std::vector<KeyRow> rows = Mode4_KeyHistoryTail(
      bytes.size(),
      [&](uint64_t offset, char* out, size_t size) {
        if (offset < bytes.size() / 2) return false;
        bytes.copy(out, size, static_cast<size_t>(offset));
        return true;
      },
      "EN", 20, 256);
  ASSERT_FALSE(rows.empty());
  EXPECT_LT(rows.size(), 8u);
  EXPECT_EQ(rows.back().time.second, 3);
}

TEST(KeyTail, HostileFiles) {
  kftest::ScratchFolder folder("kf_keys_");
  const std::string good = MixedHistory();
  struct Case {
    const char* name;
    std::string bytes;  // none: a folder of that name
    bool folder;
    size_t rows;
  } cases[] = {
      {"garbage", std::string("\x00\xFF\r\n,,,\"\r\n\n\n", 12) + std::string(5000, '\x07'), false, 0},
      {"a row cut short at the end", good + "2026-12-05T21:23:09,EN,z,1", false, 8},
      {"five megabytes of one line before the rows", std::string(5 << 20, 'k') + "\r\n" + good, false, 8},
      {"a folder named Keys.csv", "", true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(std::string(c.name) + ".csv");
    if (c.folder) {
      std::filesystem::create_directory(path);
    } else {
      folder.Write(std::string(c.name) + ".csv", c.bytes);
    }
    EXPECT_EQ(Mode4_ReadKeyHistoryTail(path, "EN", kKeyTests).size(), c.rows);
  }
  EXPECT_TRUE(Mode4_ReadKeyHistoryTail(folder.File("missing.csv"), "EN", kKeyTests).empty());
}

TEST(KeySummary, KeysOfBothShiftLevelsHalvesAndConfusions) {
  const std::vector<KeyRow> rows = {
      // Test 0 (older half): t typed for 10, 4 errors, r three times among them.
      Row(0, "EN", u't', 10, 4, u'r', 3, 6, 1800),
      Row(0, "EN", u'T', 2, 0, 0, 0, 2, 400),
      Row(0, "EN", u'\u00E9', 5, 1, u'e', 1, 4, 800),  // not on the US board: counted, no key
      // Test 1 (newer half).
      Row(1, "EN", u't', 10, 1, u'r', 1, 9, 1800),
      Row(1, "EN", u'e', 30, 2, u'r', 2, 28, 5600),
  };
  const KeySummary s = Mode4_SummarizeKeys(rows, 1);
  EXPECT_EQ(s.tests, 2u);
  EXPECT_EQ(s.keystrokes, 57u);
  const size_t t = KeyIndex(1, u't');
  EXPECT_EQ(s.all[t].expected, 22u);
  EXPECT_EQ(s.all[t].errors, 5u);
  EXPECT_EQ(s.older[t].expected, 12u);
  EXPECT_EQ(s.newer[t].expected, 10u);
  EXPECT_EQ(s.all[t].ms, 4000u);
  EXPECT_DOUBLE_EQ(Mode4_KeyCpm(s.all[t]), 60000.0 * 17 / 4000);
  EXPECT_DOUBLE_EQ(Mode4_ErrorPercent(s.all[t]), 100.0 * 5 / 22);
  ASSERT_EQ(s.confusions.size(), 3u);
  EXPECT_EQ(s.confusions[0].expected, u't');
  EXPECT_EQ(s.confusions[0].typed, u'r');
  EXPECT_EQ(s.confusions[0].times, 4u);
  EXPECT_EQ(s.confusions[1].expected, u'e');  // two, before é's one
  EXPECT_EQ(s.confusions[2].expected, u'\u00E9');
}

TEST(KeySummary, ScoresAndTheWeakestKeys) {
  // Mean time over all keys: 200 ms.
  KeyTally overall{100, 0, 100, 20000};
  struct Case {
    KeyTally key;
    double score;
  } cases[] = {
      {{50, 0, 50, 10000}, 1.0},   // mean speed, no error
      {{50, 5, 45, 9000}, 2.0},    // one error in ten weighs as much as
      {{50, 0, 50, 20000}, 2.0},   // taking twice the mean time
      {{50, 0, 0, 0}, 1.0},        // never timed: mean speed
      {{0, 0, 0, 0}, 1.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Mode4_KeyScore(c.key, overall), c.score) << c.key.errors;

  // Keys below twenty keystrokes are never weak; the rest weakest first.
  std::vector<KeyRow> rows = {
      Row(0, "EN", u'a', 40, 0, 0, 0, 40, 8000),
      Row(0, "EN", u's', 20, 4, u'a', 4, 16, 3200),
      Row(0, "EN", u'd', 19, 19, u'f', 19, 0, 0),
      Row(0, "EN", u'f', 30, 0, 0, 0, 30, 12000),
  };
  const KeySummary s = Mode4_SummarizeKeys(rows, 1);
  const std::vector<size_t> weakest = Mode4_WeakestKeys(s, 5);
  ASSERT_EQ(weakest.size(), 3u);
  EXPECT_EQ(weakest[0], KeyIndex(1, u's'));
  EXPECT_EQ(weakest[1], KeyIndex(1, u'f'));
  EXPECT_EQ(weakest[2], KeyIndex(1, u'a'));
  EXPECT_EQ(Mode4_WeakestKeys(s, 1).size(), 1u);
  EXPECT_EQ(Mode4_WeakestKeys(s, 5, [&](size_t k) { return k != KeyIndex(1, u's'); }).front(), KeyIndex(1, u'f'));
}

}  // namespace
