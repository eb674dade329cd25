// The keyboard table: each board's shape, that every character has one key, the home keys under
// the eight fingers, and each language's letters on its board.
#include "typing/keyboards.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

TEST(Keyboards, EachBoardIsWholeAndTypesItsLanguage) {
  struct Case {
    int language;
    std::u16string letters;  // every letter of the language's words typed without a dead key
    bool isoEnter;           // the tall Enter of the top and home rows
  } cases[] = {
      {1, u"abcdefghijklmnopqrstuvwxyz", false},
      {2, u"abcdefghijklmnopqrstuvwxyz\u00E9\u00E8\u00E7\u00E0\u00F9", true},
      {3, u"\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u0439\u043A\u043B\u043C\u043D\u043E\u043F"
          u"\u0440\u0441\u0442\u0443\u0444\u0445\u0446\u0447\u0448\u0449\u044A\u044B\u044C\u044D\u044E\u044F\u0451",
       false},
  };
  const Finger kHomeFingers[8] = {Finger::LeftLittle,  Finger::LeftRing,  Finger::LeftMiddle, Finger::LeftIndex,
                                  Finger::RightIndex, Finger::RightMiddle, Finger::RightRing, Finger::RightLittle};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    const KeyboardLayout& layout = Keyboard_Of(c.language);
    std::vector<int> x(layout.count);
    Keyboard_Positions(layout, x.data());

    // Rows fill the board's width; the home row leaves the tall Enter's lower part free.
    std::map<int, int> rowEnd;
    for (size_t i = 0; i < layout.count; ++i) rowEnd[layout.keys[i].row] = x[i] + layout.keys[i].width;
    EXPECT_EQ(rowEnd.size(), static_cast<size_t>(kKeyboardRows));
    for (int row : {0, 1, 3}) EXPECT_EQ(rowEnd[row], kKeyboardQuarters) << row;
    EXPECT_EQ(rowEnd[2], c.isoEnter ? kKeyboardQuarters - 5 : kKeyboardQuarters);
    const KeyCap* space = Keyboard_KeyOf(layout, u' ');
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->finger, Finger::Thumbs);
    const int spaceX = x[static_cast<size_t>(space - layout.keys)];

    // One key for each character; the letters of the language all have one, the capitals on the
    // same key.
    std::map<char16_t, int> keysOf;
    for (size_t i = 0; i < layout.count; ++i) {
      for (char16_t ch : {layout.keys[i].normal, layout.keys[i].shifted}) {
        if (ch && ch != u' ') ++keysOf[ch];
      }
    }
    for (const auto& k : keysOf) EXPECT_EQ(k.second, 1) << static_cast<int>(k.first);
    for (char16_t letter : c.letters) {
      const KeyCap* key = Keyboard_KeyOf(layout, letter);
      ASSERT_NE(key, nullptr) << static_cast<int>(letter);
      EXPECT_EQ(key->normal, letter);
      EXPECT_NE(key->shifted, 0) << static_cast<int>(letter);
    }

    // Eight home keys in the home row, one under each finger from left to right, with the two
    // index fingers' keys one key apart (G and H between them).
    std::vector<size_t> home;
    for (size_t i = 0; i < layout.count; ++i) {
      if (layout.keys[i].home) home.push_back(i);
    }
    ASSERT_EQ(home.size(), 8u);
    for (size_t f = 0; f < 8; ++f) {
      EXPECT_EQ(layout.keys[home[f]].row, 2);
      EXPECT_EQ(layout.keys[home[f]].finger, kHomeFingers[f]) << f;
    }
    EXPECT_EQ(x[home[4]] - x[home[3]], 3 * kKeyQuarters);
    // The space bar lies under both index fingers, for either thumb.
    EXPECT_LE(spaceX, x[home[3]]);
    EXPECT_GE(spaceX + space->width, x[home[4]] + kKeyQuarters);
  }
  EXPECT_EQ(&Keyboard_Of(9), &Keyboard_Of(1));
}

}  // namespace
