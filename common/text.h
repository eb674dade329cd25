#pragma once
// UTF-16 text on every build. The tutor keeps all user-visible text as UTF-16 code units;
// std::u16string means the same on Linux (where wchar_t is 32-bit) and on Windows.
#include <initializer_list>
#include <string>

using Text16 = std::u16string;

// Widens 7-bit text unit by unit (labels, formatted figures, fixed messages).
Text16 Text_FromAscii(const std::string& ascii);
// UTF-8 to UTF-16; every invalid or truncated sequence becomes U+FFFD and decoding goes on.
Text16 Text_FromUtf8(const std::string& utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Text_ToUtf8(const Text16& text);
// Windows-1252 to UTF-16; the five bytes the code page leaves undefined become U+FFFD.
Text16 Text_FromCp1252(const std::string& bytes);
// A text of the string tables with "%1" to "%9" replaced by `values` (the first for "%1"); a
// marker without its value, and the values' own text, are left as they are.
Text16 Text_Fill(const Text16& pattern, std::initializer_list<Text16> values);
