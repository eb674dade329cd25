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
