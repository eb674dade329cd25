#include "common/html.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HtmlText, CutsOnWholeCharactersThenEscapes) {
  std::string cyrillic49, surrogate;
  for (int i = 0; i < 49; ++i) cyrillic49 += "Ж";
  Text16 withNul = u"12";
  withNul += u'\0';
  withNul += u"<b>";
  const struct {
    const char* what;
    Text16 text;
    std::string page;
  } rows[] = {
      {"fits whole", Text16(99, u'7'), std::string(99, '7')},
      {"cut at the capacity", Text16(120, u'7'), std::string(99, '7')},
      {"a two-byte letter is never split", Text16(60, u'Ж'), cyrillic49},
      {"a four-byte character across the limit goes whole", Text16(97, u'a') + u"\U0001F600", std::string(97, 'a')},
      {"a lone surrogate becomes U+FFFD", Text16(1, char16_t(0xD800)), "\xEF\xBF\xBD"},
      {"ends at a NUL as a string would", withNul, "12"},
      {"escaped after the cut, so an entity stays whole", Text16(98, u'x') + u"&", std::string(98, 'x') + "&amp;"},
      {"markup cannot open", u"<i>d'a</i>", "&lt;i&gt;d'a&lt;/i&gt;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Html_Text(row.text, 99), row.page);
  }
  EXPECT_EQ(Html_Escape("a'b&", true), "a&#39;b&amp;");
}

}  // namespace
