#include "common/text.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(Text16& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

Text16 Text_FromAscii(const std::string& ascii) {
  Text16 out;
  out.reserve(ascii.size());
  for (unsigned char c : ascii) out.push_back(c);
  return out;
}

Text16 Text_FromUtf8(const std::string& utf8) {
  Text16 out;
  out.reserve(utf8.size());
  const size_t n = utf8.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    int extra;
    char32_t cp;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1; cp = b & 0x1F; min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2; cp = b & 0x0F; min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3; cp = b & 0x07; min = 0x10000;
    } else {
      out.push_back(kReplacement);  // stray continuation byte, C0/C1 or F5..FF
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= n || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
    }
    if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // One replacement for the maximal bad prefix; decoding resumes at the byte that broke it.
      out.push_back(kReplacement);
      i = ok ? j : (j > i + 1 ? j : i + 1);
      continue;
    }
    AppendCodePoint(out, cp);
    i = j;
  }
  return out;
}

std::string Text_ToUtf8(const Text16& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

Text16 Text_FromCp1252(const std::string& bytes) {
  // 0x80..0x9F of Windows-1252; 0 marks the five undefined bytes.
  static const char16_t kHigh[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  Text16 out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    if (b >= 0x80 && b <= 0x9F) {
      const char16_t c = kHigh[b - 0x80];
      out.push_back(c ? c : kReplacement);
    } else {
      out.push_back(b);
    }
  }
  return out;
}

Text16 Text_Fill(const Text16& pattern, std::initializer_list<Text16> values) {
  Text16 out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const size_t n = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - u'1') : values.size();
    if (c == u'%' && n < values.size() && pattern[i + 1] >= u'1') {
      out += values.begin()[n];
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
