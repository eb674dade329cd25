// The six figures of a stopped test and the per-word figures of the custom words list.
#include "typing/figures.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The decimal digits of the whole number m * 2^shift (m below 2^63), exact at any size: the
// figures of an absurd test still print as printf's "%.2f" prints them.
std::string WholeDigits(uint64_t m, int shift) {
  // Base 10^9 limbs, least significant first.
  std::vector<uint32_t> limbs = {static_cast<uint32_t>(m % 1000000000u),
                                 static_cast<uint32_t>(m / 1000000000u % 1000000000u),
                                 static_cast<uint32_t>(m / 1000000000000000000u)};
  for (int i = 0; i < shift; ++i) {
    uint32_t carry = 0;
    for (uint32_t& limb : limbs) {
      const uint64_t doubled = static_cast<uint64_t>(limb) * 2 + carry;
      limb = static_cast<uint32_t>(doubled % 1000000000u);
      carry = static_cast<uint32_t>(doubled / 1000000000u);
    }
    if (carry) limbs.push_back(carry);
  }
  while (limbs.size() > 1 && limbs.back() == 0) limbs.pop_back();
  std::string digits = std::to_string(limbs.back());
  for (size_t i = limbs.size() - 1; i-- > 0;) {
    const std::string part = std::to_string(limbs[i]);
    digits += std::string(9 - part.size(), '0') + part;
  }
  return digits;
}

}  // namespace

Text16 App_FormatFixed2(double value) {
  // As printf's "%.2f": the exact binary value rounded to hundredths, a tie to the even one.
  // Done here rather than by the C runtime, whose formatted printing is a large part of a
  // small program.
  const bool negative = std::signbit(value);
  if (std::isnan(value)) return Text_FromAscii(negative ? "-nan" : "nan");
  if (std::isinf(value)) return Text_FromAscii(negative ? "-inf" : "inf");
  int exponent = 0;
  // value = mantissa * 2^(exponent - 53) with a whole 53-bit mantissa.
  const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(std::fabs(value), &exponent), 53));
  exponent -= 53;
  std::string digits;  // the value in hundredths
  if (exponent >= 0) {
    digits = WholeDigits(mantissa * 25, exponent + 2);  // mantissa * 100 * 2^exponent
  } else {
    const uint64_t hundredfold = mantissa * 100;
    const int shift = -exponent;
    uint64_t whole = shift < 64 ? hundredfold >> shift : 0;
    if (shift < 64) {
      const uint64_t rest = hundredfold & ((uint64_t{1} << shift) - 1);
      const uint64_t half = uint64_t{1} << (shift - 1);
      if (rest > half || (rest == half && (whole & 1))) ++whole;
    }  // else below 2^60 / 2^64 of a hundredth: rounds to 0
    digits = std::to_string(whole);
  }
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  digits.insert(digits.size() - 2, 1, '.');
  return Text_FromAscii((negative ? "-" : "") + digits);
}

Text16 App_FormatInt(long long value) { return Text_FromAscii(std::to_string(value)); }

double Mode4_TestMinutes(uint32_t startTick, uint32_t stopTick) {
  // The tick count wraps every 49.7 days; the 32-bit difference stays right across a wrap.
  const int32_t elapsed = static_cast<int32_t>(stopTick - startTick);
  return elapsed * 0.001 * 0.016666666666666666;
}

namespace {

// A count per minute; a test of no measurable length shows 0 rather than infinity.
double PerMinute(double count, double minutes) { return minutes > 0.0 ? count / minutes : 0.0; }

}  // namespace

long long Mode4_CountWords(const Text16& text) {
  long long words = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && App_IsWordBlank(text[i])) ++i;
    const size_t begin = i;
    while (i < text.size() && !App_IsWordBlank(text[i])) ++i;
    if (App_IsWordRun(text, begin, i)) ++words;
  }
  return words;
}

TestFigures Mode4_ComputeFigures(uint32_t startTick, uint32_t stopTick, int32_t keystrokes,
                                 int16_t testErrors, const Text16& typedText) {
  TestFigures figures;
  const double minutes = Mode4_TestMinutes(startTick, stopTick);
  const long long words = Mode4_CountWords(typedText);
  figures.rows = 6;
  for (int r = 0; r < kFigureRows; ++r) figures.labelIds[r] = kFigureLabelIds[r];
  figures.values[0] = App_FormatFixed2(minutes);
  // Keys that leave nothing typed (a slip and its Backspace) are no speed.
  figures.values[1] = App_FormatFixed2(PerMinute(typedText.empty() ? 0 : keystrokes, minutes));
  figures.values[2] = App_FormatInt(static_cast<long long>(typedText.size()));
  figures.values[3] = App_FormatInt(words);
  figures.values[4] = App_FormatFixed2(PerMinute(static_cast<double>(words), minutes));
  figures.values[5] = App_FormatInt(testErrors);
  return figures;
}

Text16 Mode4_FormatElapsed(uint32_t startTick, uint32_t nowTick) {
  const int32_t elapsed = static_cast<int32_t>(nowTick - startTick);
  const long long seconds = elapsed > 0 ? elapsed / 1000 : 0;
  const long long rest = seconds % 60;
  return App_FormatInt(seconds / 60) + (rest < 10 ? u":0" : u":") + App_FormatInt(rest);
}

LiveFigures Mode4_LiveFigures(const TestFigures& figures, uint32_t startTick, uint32_t nowTick, int16_t testErrors) {
  LiveFigures live;
  live.elapsed = Mode4_FormatElapsed(startTick, nowTick);
  live.cpm = figures.values[1];
  live.errors = App_FormatInt(testErrors);
  return live;
}

bool Mode3_WordRowFigures(const CustomWordRecord& record, WordRowFigures& out) {
  if (record.typedCount == 0) return false;
  const float perTyping = record.totalSeconds / record.typedCount;
  if (record.length > 1) {
    const float perStep = record.totalSeconds / static_cast<float>(record.length - 1) /
                          record.typedCount;
    out.speed = App_FormatFixed2(perTyping) + u" (" + App_FormatFixed2(perStep) + u")";
  } else {
    out.speed = App_FormatFixed2(perTyping) + u" (n/a)";
  }
  out.errors = App_FormatFixed2(static_cast<double>(record.totalErrors) / record.typedCount);
  out.count = App_FormatInt(record.typedCount);
  return true;
}

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// The blanks strtod skips: space, tab, line breaks, vertical tab and form feed.
bool IsLeadingSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Whether `text` continues at `at` with `word` (lower case), letter case ignored.
bool ContinuesWith(const Text16& text, size_t at, const char* word) {
  for (; *word; ++word, ++at) {
    if (at >= text.size() || (text[at] | 0x20) != *word) return false;
  }
  return true;
}

}  // namespace

double App_ReadFigure(const Text16& text, bool wholeNumber, bool exponentsAndSpecials) {
  size_t i = 0;
  while (i < text.size() && IsLeadingSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  if (exponentsAndSpecials && ContinuesWith(text, i, "inf")) return negative ? -HUGE_VAL : HUGE_VAL;
  if (exponentsAndSpecials && ContinuesWith(text, i, "nan")) return std::nan("");
  double digits = 0.0;
  int scale = 0;  // the power of ten the digits are to be multiplied by
  bool any = false;
  for (; i < text.size() && IsDigit(text[i]); ++i, any = true) digits = digits * 10.0 + (text[i] - u'0');
  if (!wholeNumber && i < text.size() && text[i] == u'.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, any = true, --scale) digits = digits * 10.0 + (text[i] - u'0');
  }
  if (!any) return 0.0;
  if (exponentsAndSpecials && i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t e = i + 1;
    const bool negativeExponent = text[e] == u'-';
    if (text[e] == u'+' || text[e] == u'-') ++e;
    int exponent = 0;
    for (; e < text.size() && IsDigit(text[e]); ++e) exponent = std::min(exponent * 10 + (text[e] - u'0'), 9999);
    if (e > i + 1 && IsDigit(text[e - 1])) scale += negativeExponent ? -exponent : exponent;
  }
  double power = 1.0;
  for (int k = 0; k < (scale < 0 ? -scale : scale) && power < HUGE_VAL; ++k) power *= 10.0;
  const double value = scale < 0 ? digits / power : digits * power;
  return negative ? -value : value;
}

Text16 App_StepFigureText(const Text16& cell) {
  const size_t open = cell.find(u'(');
  if (open == Text16::npos) return Text16();
  Text16 inner = cell.substr(open + 1);
  if (!inner.empty()) inner.pop_back();
  return inner;
}
