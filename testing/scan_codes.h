#pragma once
// The set-1 scan code of a key of the US layout, as the key data of WM_CHAR carries it, for the
// tests and benchmarks that type: letters (either case), space 57, Enter 28, tab 15, backspace 14, "."
// 52, "," 51; 12 for a character without a key of its own (12 ends no word).
#include <cstdint>

namespace kftest {

inline uint16_t ScanCode(char16_t c) {
  static const char kTop[] = "qwertyuiop", kHome[] = "asdfghjkl", kLow[] = "zxcvbnm";
  const char16_t l = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  for (int i = 0; kTop[i]; ++i) if (l == static_cast<char16_t>(kTop[i])) return static_cast<uint16_t>(16 + i);
  for (int i = 0; kHome[i]; ++i) if (l == static_cast<char16_t>(kHome[i])) return static_cast<uint16_t>(30 + i);
  for (int i = 0; kLow[i]; ++i) if (l == static_cast<char16_t>(kLow[i])) return static_cast<uint16_t>(44 + i);
  switch (c) {
    case u' ': return 57;
    case u'\r': return 28;
    case u'\t': return 15;
    case 8: return 14;
    case u'.': return 52;
    case u',': return 51;
    default: return 12;
  }
}

}  // namespace kftest
