// The keyboard drawing, the keyboard page and the report's key section, checked by what they
// hold: one drawn key per key of the table, fingers before any test and shades after, the
// weakest keys with their trend, and the confusions in the language's words.
#include "keys/keyboard_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typing/keyboards.h"

namespace {

KeyboardTexts EnglishTexts() {
  KeyboardTexts t;
  t.heading = u"Keyboard: ";
  const char16_t* fingers[5] = {u"Little finger", u"Ring finger", u"Middle finger", u"Index finger", u"Thumbs"};
  for (int i = 0; i < 5; ++i) t.fingers[i] = fingers[i];
  t.homeKeys = u"Home keys";
  t.errorScale = u"Errors:";
  t.untyped = u"not typed";
  t.speedNote = u"Speed of the last %d tests";
  t.noFigures = u"Type a test first.";
  t.sectionHeading = u"Keys: ";
  t.weakHeading = u"The weakest keys of the last %d tests";
  const char16_t* columns[4] = {u"Key", u"Errors", u"CPM", u"Trend"};
  for (int i = 0; i < 4; ++i) t.columns[i] = columns[i];
  t.better = u"better";
  t.worse = u"worse";
  t.steady = u"steady";
  t.tooFew = u"too few";
  t.noWeakKeys = u"No key has enough keystrokes.";
  t.confusionsHeading = u"Confusions";
  t.confusion = u"typed %1 for %2: %3 times";
  t.noConfusions = u"No confusion.";
  t.space = u"Space";
  t.languageName = u"English <&>";
  return t;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

KeyRow Row(int test, char16_t ch, uint32_t expected, uint32_t errors, char16_t wrong, uint32_t wrongTimes,
           uint32_t timed, uint64_t ms) {
  KeyRow row;
  row.time = {2026, 12, 1 + test, 10, 0, 0};
  row.language = "EN";
  row.ch = ch;
  row.expected = expected;
  row.errors = errors;
  row.wrong = wrong;
  row.wrongTimes = wrongTimes;
  row.timed = timed;
  row.ms = ms;
  return row;
}

// The keys drawn with an outline heavier than the plain keys' (no stroke width: one pixel).
size_t HeavyOutlines(const std::string& page) {
  size_t heavy = 0;
  for (size_t at = page.find("<g>"); at != std::string::npos; at = page.find("<g>", at + 1)) {
    const size_t end = page.find("</g>", at);
    const size_t width = page.find("stroke-width='", at);
    if (width != std::string::npos && width < end && std::stod(page.substr(width + 14)) > 1.0) ++heavy;
  }
  return heavy;
}

TEST(KeyboardPage, EveryKeyOfEachBoardWithItsFingersAndHomeKeys) {
  for (int language : {1, 2, 3}) {
    SCOPED_TRACE(language);
    KeySummary none;
    none.language = language;
    const std::string page = Mode4_BuildKeyboardPage(none, EnglishTexts());
    EXPECT_EQ(Count(page, "<g>"), Keyboard_Of(language).count);
    EXPECT_EQ(HeavyOutlines(page), 8u);  // the home keys, outlined more heavily than the others
    EXPECT_EQ(Count(page, "<svg"), Count(page, "</svg>"));
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("src="), std::string::npos);
    EXPECT_EQ(page.find("href="), std::string::npos);
    EXPECT_NE(page.find("English &lt;&amp;&gt;"), std::string::npos);
    EXPECT_NE(page.find("Type a test first."), std::string::npos);
    EXPECT_EQ(page.find("Speed of the last"), std::string::npos);
    EXPECT_EQ(page.compare(page.size() - 14, 14, "</body></html>"), 0);
  }
  // The Russian board in UTF-8; the French keys with two characters show both.
  KeySummary ru;
  ru.language = 3;
  EXPECT_NE(Mode4_BuildKeyboardPage(ru, EnglishTexts()).find(">\xD0\x99<"), std::string::npos);  // Й
  KeySummary fr;
  fr.language = 2;
  const std::string french = Mode4_BuildKeyboardPage(fr, EnglishTexts());
  EXPECT_NE(french.find(">\xC3\xA9<"), std::string::npos);  // é, below its 2
  EXPECT_NE(french.find("<path"), std::string::npos);        // the tall Enter
}

TEST(KeyboardPage, TypedKeysAreShadedByTheirErrorsAndLabelledWithTheirSpeed) {
  const KeySummary s = Mode4_SummarizeKeys({Row(0, u'q', 40, 10, u'w', 10, 30, 6000),  // 25 %: the darkest
                                            Row(0, u'a', 40, 0, 0, 0, 40, 8000)},       // 0 %: the lightest
                                           1);
  const std::string drawing = Mode4_KeyboardDrawing(s, EnglishTexts());
  EXPECT_NE(drawing.find("<title>25.0 % (10/40), 300 CPM</title>"), std::string::npos);
  EXPECT_NE(drawing.find("<title>0.0 % (0/40), 300 CPM</title>"), std::string::npos);
  EXPECT_EQ(Count(drawing, "<title>"), 3u);  // the two keys and the drawing
  EXPECT_NE(drawing.find("Speed of the last 1 tests"), std::string::npos);
  // The darkest shade is the 20 %+ one of the legend, and the q key's body.
  const size_t q = drawing.find("<title>25.0 %");
  EXPECT_LT(drawing.find("fill='#d9443a'", drawing.rfind("<g>", q)), q);
  EXPECT_NE(drawing.find("#d9443a;'></span> 20 % +"), std::string::npos);
}

TEST(KeySection, TheWeakestKeysWithTheirTrendAndTheConfusions) {
  // Four tests: r gets worse, t better, e stays; y has too few keystrokes in the older half; u is
  // never weak enough to be named among fewer than five.
  std::vector<KeyRow> rows;
  for (int test = 0; test < 4; ++test) {
    const bool newer = test >= 2;
    rows.push_back(Row(test, u' ', 50, 0, 0, 0, 50, 10000));
    rows.push_back(Row(test, u'e', 20, 2, u'w', 2, 18, 3600));
    rows.push_back(Row(test, u'r', 20, newer ? 6 : 1, u't', newer ? 6 : 1, newer ? 14 : 19, newer ? 4200 : 3800));
    rows.push_back(Row(test, u't', 20, newer ? 0 : 7, u'r', newer ? 0 : 7, newer ? 20 : 13, newer ? 4000 : 2600));
    rows.push_back(Row(test, u'y', newer ? 20 : 2, 2, u' ', 2, 0, 0));
  }
  const KeySummary s = Mode4_SummarizeKeys(rows, 1);
  const auto key = [](char16_t ch) {
    const KeyboardLayout& layout = Keyboard_Of(1);
    return static_cast<size_t>(Keyboard_KeyOf(layout, ch) - layout.keys);
  };
  struct Case {
    char16_t ch;
    KeyTrend trend;
  } cases[] = {{u'r', KeyTrend::Worse}, {u't', KeyTrend::Better}, {u'e', KeyTrend::Steady},
               {u'y', KeyTrend::TooFew}, {u' ', KeyTrend::Steady}};
  for (const Case& c : cases) EXPECT_EQ(Mode4_KeyTrend(s, key(c.ch)), c.trend) << static_cast<int>(c.ch);

  const std::string section = Mode4_BuildKeySection(s, EnglishTexts());
  EXPECT_NE(section.find("The weakest keys of the last 4 tests"), std::string::npos);
  const size_t table = section.find("class='weak-keys'");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(Count(section.substr(table), "<tr><td>"), 5u);
  EXPECT_NE(section.find("<td>R</td>"), std::string::npos);
  EXPECT_NE(section.find("worse (5.0 %"), std::string::npos);
  EXPECT_NE(section.find("better (35.0 %"), std::string::npos);
  EXPECT_NE(section.find("<td>Space</td>"), std::string::npos);
  // Confusions, most frequent first: t for r seven times in all, r for t fourteen.
  const size_t first = section.find("<li>typed <b>r</b> for <b>t</b>: 14 times</li>");
  const size_t second = section.find("<li>typed <b>t</b> for <b>r</b>: 14 times</li>");
  EXPECT_NE(first, std::string::npos);
  EXPECT_NE(second, std::string::npos);
  EXPECT_NE(section.find("typed <b>Space</b> for <b>y</b>: 8 times"), std::string::npos);
  EXPECT_EQ(section.compare(section.size() - 4, 4, "<hr>"), 0);

  // Without tests, the fingers only; with too few keystrokes, no weak key and no confusion.
  KeySummary none;
  const std::string empty = Mode4_BuildKeySection(none, EnglishTexts());
  EXPECT_NE(empty.find("Type a test first."), std::string::npos);
  EXPECT_EQ(empty.find("weak-keys"), std::string::npos);
  const std::string few = Mode4_BuildKeySection(Mode4_SummarizeKeys({Row(0, u'a', 5, 0, 0, 0, 5, 900)}, 1),
                                                EnglishTexts());
  EXPECT_NE(few.find("No key has enough keystrokes."), std::string::npos);
  EXPECT_NE(few.find("No confusion."), std::string::npos);
}

}  // namespace
