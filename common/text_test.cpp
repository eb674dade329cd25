#include "common/text.h"

#include <gtest/gtest.h>

TEST(TextUtf8, DecodesAndEncodesEveryPlane) {
  const std::string utf8 = "a\xC3\xA9\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é Ж € 😀
  const Text16 text = Text_FromUtf8(utf8);
  EXPECT_EQ(text, (Text16{u'a', 0xE9, 0x416, 0x20AC, 0xD83D, 0xDE00}));
  EXPECT_EQ(Text_ToUtf8(text), utf8);
}

TEST(TextUtf8, InvalidBytesBecomeReplacementAndDecodingGoesOn) {
  EXPECT_EQ(Text_FromUtf8("a\xFF" "b"), (Text16{u'a', 0xFFFD, u'b'}));
  EXPECT_EQ(Text_FromUtf8("\xC3"), (Text16{0xFFFD}));                   // truncated at the end
  EXPECT_EQ(Text_FromUtf8("\xC3" "a"), (Text16{0xFFFD, u'a'}));          // broken sequence
  EXPECT_EQ(Text_FromUtf8("\xC0\xAF"), (Text16{0xFFFD, 0xFFFD}));         // overlong
  EXPECT_EQ(Text_FromUtf8("\xED\xA0\x80"), (Text16{0xFFFD}));            // encoded surrogate
  EXPECT_EQ(Text_FromUtf8("\x80x"), (Text16{0xFFFD, u'x'}));              // stray continuation
}

TEST(TextUtf8, UnpairedSurrogateIsNotWrittenAsIs) {
  EXPECT_EQ(Text_ToUtf8(Text16{0xD800, u'a'}), "\xEF\xBF\xBD" "a");
}

TEST(TextCp1252, AccentsAndTheHighControlRange) {
  EXPECT_EQ(Text_FromCp1252("\xE9t\xE9"), (Text16{0xE9, u't', 0xE9}));
  EXPECT_EQ(Text_FromCp1252("\x80\x81\x9F"), (Text16{0x20AC, 0xFFFD, 0x178}));
}

TEST(TextUtf8, PlaneLimitsAndTruncatedSequences) {
  EXPECT_EQ(Text_FromUtf8("\xF4\x8F\xBF\xBF"), (Text16{0xDBFF, 0xDFFF}));   // U+10FFFF, the last
  EXPECT_EQ(Text_FromUtf8("\xF4\x90\x80\x80" "a"), (Text16{0xFFFD, u'a'}));  // beyond U+10FFFF
  EXPECT_EQ(Text_FromUtf8("\xEF\xBB\xBF"), (Text16{0xFEFF}));               // a mark is a character
  EXPECT_EQ(Text_FromUtf8("\xE2\x82"), (Text16{0xFFFD}));                   // cut at the end
  EXPECT_EQ(Text_FromUtf8("\xE2\x82" "a\xE2\x82\xAC"), (Text16{0xFFFD, u'a', 0x20AC}));
  EXPECT_EQ(Text_FromUtf8("\xF0\x9F\x98\r\n"), (Text16{0xFFFD, u'\r', u'\n'}));  // line end survives
  EXPECT_EQ(Text_FromUtf8("\xF8\x88\x80\x80\x80"), Text16(5, 0xFFFD));     // no 5-byte forms
  EXPECT_EQ(Text_FromUtf8(std::string("a\0b", 3)), (Text16{u'a', 0, u'b'}));
}

TEST(TextUtf8, RoundTripOfEveryBmpCharacterOutsideSurrogates) {
  Text16 all;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
  }
  EXPECT_EQ(Text_FromUtf8(Text_ToUtf8(all)), all);
  EXPECT_EQ(Text_ToUtf8(Text16{0xDC00}), "\xEF\xBF\xBD");        // lone low surrogate
  EXPECT_EQ(Text_ToUtf8(Text16{u'a', 0xD83D}), "a\xEF\xBF\xBD");  // high surrogate at the end
}

TEST(TextCp1252, LatinOneRangeIsIdentityAndEveryUndefinedByteIsReplaced) {
  for (int b = 0; b < 256; ++b) {
    const Text16 t = Text_FromCp1252(std::string(1, static_cast<char>(b)));
    ASSERT_EQ(t.size(), 1u) << b;
    if (b < 0x80 || b >= 0xA0) {
      EXPECT_EQ(t[0], static_cast<char16_t>(b)) << b;
    }
  }
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(Text_FromCp1252(std::string(1, static_cast<char>(b))), (Text16{0xFFFD})) << int(b);
  }
  EXPECT_EQ(Text_FromCp1252("\x8A\x9A\x8C\x9C\x99"), (Text16{0x160, 0x161, 0x152, 0x153, 0x2122}));
}

TEST(TextFill, MarkersTakeTheirValuesOnce) {
  const struct {
    const char16_t* pattern;
    const char16_t* expected;
  } rows[] = {
      {u"Speed: %1 of %2 CPM", u"Speed: 120 of 175 CPM"},
      {u"%2 before %1", u"175 before 120"},
      {u"%3 stays, 100 % too", u"%3 stays, 100 % too"},  // no third value; a lone "%"
      {u"end %", u"end %"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Text_ToUtf8(row.pattern));
    EXPECT_EQ(Text_Fill(row.pattern, {u"120", u"175"}), row.expected);
  }
  // A value holding a marker is not filled again.
  EXPECT_EQ(Text_Fill(u"%1 %2", {u"%2", u"x"}), u"%2 x");
}
