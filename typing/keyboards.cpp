// The three keyboards, key by key, in the order of their rows from left to right.
#include "typing/keyboards.h"

namespace {

constexpr KeyCap kEnglishUs[] = {
    {0, 0, 4, u'`', u'~', Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'1', u'!', Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'2', u'@', Finger::LeftRing, false, KeySpecial::None},
    {0, 0, 4, u'3', u'#', Finger::LeftMiddle, false, KeySpecial::None},
    {0, 0, 4, u'4', u'$', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'5', u'%', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'6', u'^', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'7', u'&', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'8', u'*', Finger::RightMiddle, false, KeySpecial::None},
    {0, 0, 4, u'9', u'(', Finger::RightRing, false, KeySpecial::None},
    {0, 0, 4, u'0', u')', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u'-', u'_', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u'=', u'+', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 8, 0, 0, Finger::RightLittle, false, KeySpecial::Backspace},
    {1, 0, 6, 0, 0, Finger::LeftLittle, false, KeySpecial::Tab},
    {1, 0, 4, u'q', u'Q', Finger::LeftLittle, false, KeySpecial::None},
    {1, 0, 4, u'w', u'W', Finger::LeftRing, false, KeySpecial::None},
    {1, 0, 4, u'e', u'E', Finger::LeftMiddle, false, KeySpecial::None},
    {1, 0, 4, u'r', u'R', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u't', u'T', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u'y', u'Y', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'u', u'U', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'i', u'I', Finger::RightMiddle, false, KeySpecial::None},
    {1, 0, 4, u'o', u'O', Finger::RightRing, false, KeySpecial::None},
    {1, 0, 4, u'p', u'P', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u'[', u'{', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u']', u'}', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 6, u'\\', u'|', Finger::RightLittle, false, KeySpecial::None},
    {2, 0, 7, 0, 0, Finger::LeftLittle, false, KeySpecial::Caps},
    {2, 0, 4, u'a', u'A', Finger::LeftLittle, true, KeySpecial::None},
    {2, 0, 4, u's', u'S', Finger::LeftRing, true, KeySpecial::None},
    {2, 0, 4, u'd', u'D', Finger::LeftMiddle, true, KeySpecial::None},
    {2, 0, 4, u'f', u'F', Finger::LeftIndex, true, KeySpecial::None},
    {2, 0, 4, u'g', u'G', Finger::LeftIndex, false, KeySpecial::None},
    {2, 0, 4, u'h', u'H', Finger::RightIndex, false, KeySpecial::None},
    {2, 0, 4, u'j', u'J', Finger::RightIndex, true, KeySpecial::None},
    {2, 0, 4, u'k', u'K', Finger::RightMiddle, true, KeySpecial::None},
    {2, 0, 4, u'l', u'L', Finger::RightRing, true, KeySpecial::None},
    {2, 0, 4, u';', u':', Finger::RightLittle, true, KeySpecial::None},
    {2, 0, 4, u'\'', u'"', Finger::RightLittle, false, KeySpecial::None},
    {2, 0, 9, 0, 0, Finger::RightLittle, false, KeySpecial::Enter},
    {3, 0, 9, 0, 0, Finger::LeftLittle, false, KeySpecial::Shift},
    {3, 0, 4, u'z', u'Z', Finger::LeftLittle, false, KeySpecial::None},
    {3, 0, 4, u'x', u'X', Finger::LeftRing, false, KeySpecial::None},
    {3, 0, 4, u'c', u'C', Finger::LeftMiddle, false, KeySpecial::None},
    {3, 0, 4, u'v', u'V', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'b', u'B', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'n', u'N', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u'm', u'M', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u',', u'<', Finger::RightMiddle, false, KeySpecial::None},
    {3, 0, 4, u'.', u'>', Finger::RightRing, false, KeySpecial::None},
    {3, 0, 4, u'/', u'?', Finger::RightLittle, false, KeySpecial::None},
    {3, 0, 11, 0, 0, Finger::RightLittle, false, KeySpecial::Shift},
    {4, 15, 25, u' ', u' ', Finger::Thumbs, false, KeySpecial::Space},
};

constexpr KeyCap kFrenchAzerty[] = {
    {0, 0, 4, u'²', 0, Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'&', u'1', Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'é', u'2', Finger::LeftRing, false, KeySpecial::None},
    {0, 0, 4, u'"', u'3', Finger::LeftMiddle, false, KeySpecial::None},
    {0, 0, 4, u'\'', u'4', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'(', u'5', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'-', u'6', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'è', u'7', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'_', u'8', Finger::RightMiddle, false, KeySpecial::None},
    {0, 0, 4, u'ç', u'9', Finger::RightRing, false, KeySpecial::None},
    {0, 0, 4, u'à', u'0', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u')', u'°', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u'=', u'+', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 8, 0, 0, Finger::RightLittle, false, KeySpecial::Backspace},
    {1, 0, 6, 0, 0, Finger::LeftLittle, false, KeySpecial::Tab},
    {1, 0, 4, u'a', u'A', Finger::LeftLittle, false, KeySpecial::None},
    {1, 0, 4, u'z', u'Z', Finger::LeftRing, false, KeySpecial::None},
    {1, 0, 4, u'e', u'E', Finger::LeftMiddle, false, KeySpecial::None},
    {1, 0, 4, u'r', u'R', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u't', u'T', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u'y', u'Y', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'u', u'U', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'i', u'I', Finger::RightMiddle, false, KeySpecial::None},
    {1, 0, 4, u'o', u'O', Finger::RightRing, false, KeySpecial::None},
    {1, 0, 4, u'p', u'P', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u'^', u'¨', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u'$', u'£', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 6, 0, 0, Finger::RightLittle, false, KeySpecial::EnterIso},
    {2, 0, 7, 0, 0, Finger::LeftLittle, false, KeySpecial::Caps},
    {2, 0, 4, u'q', u'Q', Finger::LeftLittle, true, KeySpecial::None},
    {2, 0, 4, u's', u'S', Finger::LeftRing, true, KeySpecial::None},
    {2, 0, 4, u'd', u'D', Finger::LeftMiddle, true, KeySpecial::None},
    {2, 0, 4, u'f', u'F', Finger::LeftIndex, true, KeySpecial::None},
    {2, 0, 4, u'g', u'G', Finger::LeftIndex, false, KeySpecial::None},
    {2, 0, 4, u'h', u'H', Finger::RightIndex, false, KeySpecial::None},
    {2, 0, 4, u'j', u'J', Finger::RightIndex, true, KeySpecial::None},
    {2, 0, 4, u'k', u'K', Finger::RightMiddle, true, KeySpecial::None},
    {2, 0, 4, u'l', u'L', Finger::RightRing, true, KeySpecial::None},
    {2, 0, 4, u'm', u'M', Finger::RightLittle, true, KeySpecial::None},
    {2, 0, 4, u'ù', u'%', Finger::RightLittle, false, KeySpecial::None},
    {2, 0, 4, u'*', u'µ', Finger::RightLittle, false, KeySpecial::None},
    {3, 0, 5, 0, 0, Finger::LeftLittle, false, KeySpecial::Shift},
    {3, 0, 4, u'<', u'>', Finger::LeftLittle, false, KeySpecial::None},
    {3, 0, 4, u'w', u'W', Finger::LeftLittle, false, KeySpecial::None},
    {3, 0, 4, u'x', u'X', Finger::LeftRing, false, KeySpecial::None},
    {3, 0, 4, u'c', u'C', Finger::LeftMiddle, false, KeySpecial::None},
    {3, 0, 4, u'v', u'V', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'b', u'B', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'n', u'N', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u',', u'?', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u';', u'.', Finger::RightMiddle, false, KeySpecial::None},
    {3, 0, 4, u':', u'/', Finger::RightRing, false, KeySpecial::None},
    {3, 0, 4, u'!', u'§', Finger::RightLittle, false, KeySpecial::None},
    {3, 0, 11, 0, 0, Finger::RightLittle, false, KeySpecial::Shift},
    {4, 15, 25, u' ', u' ', Finger::Thumbs, false, KeySpecial::Space},
};

constexpr KeyCap kRussianJcuken[] = {
    {0, 0, 4, u'ё', u'Ё', Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'1', u'!', Finger::LeftLittle, false, KeySpecial::None},
    {0, 0, 4, u'2', u'"', Finger::LeftRing, false, KeySpecial::None},
    {0, 0, 4, u'3', u'№', Finger::LeftMiddle, false, KeySpecial::None},
    {0, 0, 4, u'4', u';', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'5', u'%', Finger::LeftIndex, false, KeySpecial::None},
    {0, 0, 4, u'6', u':', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'7', u'?', Finger::RightIndex, false, KeySpecial::None},
    {0, 0, 4, u'8', u'*', Finger::RightMiddle, false, KeySpecial::None},
    {0, 0, 4, u'9', u'(', Finger::RightRing, false, KeySpecial::None},
    {0, 0, 4, u'0', u')', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u'-', u'_', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 4, u'=', u'+', Finger::RightLittle, false, KeySpecial::None},
    {0, 0, 8, 0, 0, Finger::RightLittle, false, KeySpecial::Backspace},
    {1, 0, 6, 0, 0, Finger::LeftLittle, false, KeySpecial::Tab},
    {1, 0, 4, u'й', u'Й', Finger::LeftLittle, false, KeySpecial::None},
    {1, 0, 4, u'ц', u'Ц', Finger::LeftRing, false, KeySpecial::None},
    {1, 0, 4, u'у', u'У', Finger::LeftMiddle, false, KeySpecial::None},
    {1, 0, 4, u'к', u'К', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u'е', u'Е', Finger::LeftIndex, false, KeySpecial::None},
    {1, 0, 4, u'н', u'Н', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'г', u'Г', Finger::RightIndex, false, KeySpecial::None},
    {1, 0, 4, u'ш', u'Ш', Finger::RightMiddle, false, KeySpecial::None},
    {1, 0, 4, u'щ', u'Щ', Finger::RightRing, false, KeySpecial::None},
    {1, 0, 4, u'з', u'З', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u'х', u'Х', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 4, u'ъ', u'Ъ', Finger::RightLittle, false, KeySpecial::None},
    {1, 0, 6, u'\\', u'/', Finger::RightLittle, false, KeySpecial::None},
    {2, 0, 7, 0, 0, Finger::LeftLittle, false, KeySpecial::Caps},
    {2, 0, 4, u'ф', u'Ф', Finger::LeftLittle, true, KeySpecial::None},
    {2, 0, 4, u'ы', u'Ы', Finger::LeftRing, true, KeySpecial::None},
    {2, 0, 4, u'в', u'В', Finger::LeftMiddle, true, KeySpecial::None},
    {2, 0, 4, u'а', u'А', Finger::LeftIndex, true, KeySpecial::None},
    {2, 0, 4, u'п', u'П', Finger::LeftIndex, false, KeySpecial::None},
    {2, 0, 4, u'р', u'Р', Finger::RightIndex, false, KeySpecial::None},
    {2, 0, 4, u'о', u'О', Finger::RightIndex, true, KeySpecial::None},
    {2, 0, 4, u'л', u'Л', Finger::RightMiddle, true, KeySpecial::None},
    {2, 0, 4, u'д', u'Д', Finger::RightRing, true, KeySpecial::None},
    {2, 0, 4, u'ж', u'Ж', Finger::RightLittle, true, KeySpecial::None},
    {2, 0, 4, u'э', u'Э', Finger::RightLittle, false, KeySpecial::None},
    {2, 0, 9, 0, 0, Finger::RightLittle, false, KeySpecial::Enter},
    {3, 0, 9, 0, 0, Finger::LeftLittle, false, KeySpecial::Shift},
    {3, 0, 4, u'я', u'Я', Finger::LeftLittle, false, KeySpecial::None},
    {3, 0, 4, u'ч', u'Ч', Finger::LeftRing, false, KeySpecial::None},
    {3, 0, 4, u'с', u'С', Finger::LeftMiddle, false, KeySpecial::None},
    {3, 0, 4, u'м', u'М', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'и', u'И', Finger::LeftIndex, false, KeySpecial::None},
    {3, 0, 4, u'т', u'Т', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u'ь', u'Ь', Finger::RightIndex, false, KeySpecial::None},
    {3, 0, 4, u'б', u'Б', Finger::RightMiddle, false, KeySpecial::None},
    {3, 0, 4, u'ю', u'Ю', Finger::RightRing, false, KeySpecial::None},
    {3, 0, 4, u'.', u',', Finger::RightLittle, false, KeySpecial::None},
    {3, 0, 11, 0, 0, Finger::RightLittle, false, KeySpecial::Shift},
    {4, 15, 25, u' ', u' ', Finger::Thumbs, false, KeySpecial::Space},
};

template <size_t N>
constexpr KeyboardLayout Layout(const char* name, const KeyCap (&keys)[N]) {
  return {name, keys, N};
}

const KeyboardLayout kLayouts[3] = {
    Layout("US QWERTY", kEnglishUs),
    Layout("AZERTY", kFrenchAzerty),
    Layout("\xD0\x99\xD0\xA6\xD0\xA3\xD0\x9A\xD0\x95\xD0\x9D", kRussianJcuken),  // ЙЦУКЕН in UTF-8
};

}  // namespace

const KeyboardLayout& Keyboard_Of(int language) {
  return language >= 1 && language <= 3 ? kLayouts[language - 1] : kLayouts[0];
}

int Keyboard_FingerColourIndex(Finger finger) {
  switch (finger) {
    case Finger::LeftLittle: case Finger::RightLittle: return 0;
    case Finger::LeftRing: case Finger::RightRing: return 1;
    case Finger::LeftMiddle: case Finger::RightMiddle: return 2;
    case Finger::LeftIndex: case Finger::RightIndex: return 3;
    case Finger::Thumbs: return 4;
  }
  return 4;
}

char16_t Keyboard_Capital(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0x430 && c <= 0x44F)) return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  return 0;
}

const KeyCap* Keyboard_KeyOf(const KeyboardLayout& layout, char16_t ch) {
  if (ch == 0) return nullptr;
  for (size_t i = 0; i < layout.count; ++i) {
    if (layout.keys[i].normal == ch || layout.keys[i].shifted == ch) return &layout.keys[i];
  }
  return nullptr;
}

void Keyboard_Positions(const KeyboardLayout& layout, int* x) {
  int row = -1, at = 0;
  for (size_t i = 0; i < layout.count; ++i) {
    const KeyCap& key = layout.keys[i];
    if (key.row != row) {
      row = key.row;
      at = 0;
    }
    at += key.gapBefore;
    x[i] = at;
    at += key.width;
  }
}
