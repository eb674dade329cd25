// The keyboard drawing, the keyboard page and the report's key section.
#include "keys/keyboard_page.h"

#include <algorithm>
#include <cmath>

#include "common/html.h"
#include "common/languages.h"
#include "typing/keyboards.h"

namespace {

// Room for a text of the tables on the page: every text they hold fits.
constexpr size_t kTextBytes = 400;

// Drawing sizes in pixels: a quarter of a letter key, the space between keys, a row.
constexpr int kQuarter = 10;
constexpr int kKeyGap = 4;
constexpr int kRowHeight = 46;
constexpr int kMargin = 8;
constexpr int kBandHeight = 7;  // the finger's colour along the bottom of a typed key
constexpr int kDrawingWidth = kKeyboardQuarters * kQuarter + 2 * kMargin;
constexpr int kDrawingHeight = kKeyboardRows * kRowHeight + 2 * kMargin;

constexpr char kUntypedColour[] = "#ffffff";
// Error shades: below 2, 5, 10 and 20 per cent, and 20 per cent or more.
constexpr double kShadeLimits[4] = {2, 5, 10, 20};
constexpr const char* kShades[5] = {"#e3f4da", "#fff1ad", "#ffc68c", "#ff8f6b", "#d9443a"};
constexpr const char* kShadeNames[5] = {"0-2 %", "2-5 %", "5-10 %", "10-20 %", "20 % +"};

// "#rrggbb" of a 0xRRGGBB colour.
std::string Hex(uint32_t colour) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex = "#";
  for (int shift = 20; shift >= 0; shift -= 4) hex += kDigits[(colour >> shift) & 0xF];
  return hex;
}

int ShadeIndex(double percent) {
  int i = 0;
  while (i < 4 && percent >= kShadeLimits[i]) ++i;
  return i;
}

std::string Page(const Text16& text) { return Html_Text(text, kTextBytes); }

std::string PageCount(const Text16& text, size_t count) {
  std::string page = Page(text);
  const size_t at = page.find("%d");
  if (at != std::string::npos) page.replace(at, 2, std::to_string(count));
  return page;
}

// `value` with one decimal and a dot, whatever the locale.
std::string Tenths(double value) {
  const long long tenths = std::llround(value * 10.0);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string Cpm(const KeyTally& t) { return t.ms ? std::to_string(std::llround(Mode4_KeyCpm(t))) : "-"; }

// The capital of a letter's small form, for the letters of the three keyboards.
std::string Glyph(char16_t ch) { return Html_Text(Text16(1, ch), 8); }

// A character as the tables name it: the space by its name, any other as it is.
std::string CharacterName(char16_t ch, const KeyboardTexts& texts) {
  return ch == u' ' ? Page(texts.space) : Glyph(ch);
}

std::string KeyName(const KeyCap& key, const KeyboardTexts& texts) {
  if (key.special == KeySpecial::Space) return Page(texts.space);
  if (Keyboard_Capital(key.normal) && Keyboard_Capital(key.normal) == key.shifted) return Glyph(key.shifted);
  std::string name = key.normal ? Glyph(key.normal) : std::string();
  if (key.shifted) name += (name.empty() ? "" : " ") + Glyph(key.shifted);
  return name;
}

const char* SpecialSymbol(KeySpecial special) {
  switch (special) {
    case KeySpecial::Backspace: return "\xE2\x9F\xB5";  // ⟵
    case KeySpecial::Tab: return "\xE2\x86\xB9";        // ↹
    case KeySpecial::Caps: return "\xE2\x87\xAA";       // ⇪
    case KeySpecial::Enter: case KeySpecial::EnterIso: return "\xE2\x86\xB5";  // ↵
    case KeySpecial::Shift: return "\xE2\x87\xA7";      // ⇧
    default: return "";
  }
}

std::string Num(int value) { return std::to_string(value); }

std::string Rect(int x, int y, int w, int h, const std::string& fill, const std::string& extra = std::string()) {
  return "<rect x='" + Num(x) + "' y='" + Num(y) + "' width='" + Num(w) + "' height='" + Num(h) + "' rx='4' fill='" +
         fill + "'" + extra + "/>";
}

std::string Text(int x, int y, const std::string& text, const std::string& extra = std::string()) {
  return "<text x='" + Num(x) + "' y='" + Num(y) + "'" + extra + ">" + text + "</text>";
}

// One key: its body, the finger band once the learner has typed, the labels and the home mark.
std::string DrawKey(const KeyCap& key, int quarterX, const KeyTally& tally, bool typed) {
  const int x = kMargin + quarterX * kQuarter + kKeyGap / 2;
  const int y = kMargin + key.row * kRowHeight + kKeyGap / 2;
  const int w = key.width * kQuarter - kKeyGap;
  const int h = kRowHeight - kKeyGap;
  const std::string finger = Hex(kFingerColours[Keyboard_FingerColourIndex(key.finger)]);
  const std::string special = Hex(kSpecialKeyColour);
  const std::string outline = key.home ? " stroke='#222222' stroke-width='2.5'" : " stroke='#7a7a7a'";
  std::string svg = "<g>";
  if (key.special == KeySpecial::EnterIso) {
    // The tall Enter: one row wide at the top, a quarter narrower in the home row below.
    const int x2 = x + w, inner = x + kQuarter, bottom = y + 2 * kRowHeight - kKeyGap;
    svg += "<path d='M" + Num(x) + " " + Num(y) + "H" + Num(x2) + "V" + Num(bottom) + "H" + Num(inner) + "V" +
           Num(y + h) + "H" + Num(x) + "Z' fill='" + special + "'" + outline + "/>";
    svg += Text(x2 - 14, y + 26, SpecialSymbol(key.special), " text-anchor='middle' font-size='16'");
    return svg + "</g>";
  }
  const bool hasCharacter = key.normal != 0 || key.shifted != 0;
  const bool shaded = typed && hasCharacter && tally.expected > 0;
  const double percent = Mode4_ErrorPercent(tally);
  const std::string body = !hasCharacter && key.special != KeySpecial::Space ? special
                           : !typed                                          ? finger
                           : shaded                                          ? std::string(kShades[ShadeIndex(percent)])
                                                                             : std::string(kUntypedColour);
  svg += Rect(x, y, w, h, body, outline);
  if (typed && (hasCharacter || key.special == KeySpecial::Space)) {
    svg += Rect(x + 3, y + h - kBandHeight - 2, w - 6, kBandHeight, finger);
  }
  const char* ink = shaded && ShadeIndex(percent) == 4 ? "#ffffff" : "#111111";
  const std::string fill = std::string(" fill='") + ink + "'";
  if (!hasCharacter) {
    svg += Text(x + w / 2, y + 26, SpecialSymbol(key.special), " text-anchor='middle' font-size='16'");
  } else if (Keyboard_Capital(key.normal) && Keyboard_Capital(key.normal) == key.shifted) {
    svg += Text(x + 6, y + 19, Glyph(key.shifted), fill + " font-size='16'");
  } else {
    if (key.shifted) svg += Text(x + 6, y + 15, Glyph(key.shifted), fill + " font-size='12'");
    if (key.normal) svg += Text(x + 6, y + 31, Glyph(key.normal), fill + " font-size='14'");
  }
  // The home key's bump, under its letter.
  if (key.home) svg += Rect(x + 6, y + 23, 11, 2, "#222222");
  if (shaded && tally.ms) {
    svg += Text(x + w - 3, y + h - kBandHeight - 4, Cpm(tally), fill + " font-size='10' text-anchor='end'");
  }
  if (shaded) {
    svg += "<title>" + Tenths(percent) + " % (" + std::to_string(tally.errors) + "/" +
           std::to_string(tally.expected) + "), " + Cpm(tally) + " CPM</title>";
  }
  return svg + "</g>";
}

std::string Swatch(const char* colour, const std::string& extra = std::string()) {
  return "<span style='display:inline-block;width:14px;height:14px;vertical-align:middle;border:1px solid "
         "#7a7a7a;background:" +
         std::string(colour) + ";" + extra + "'></span>";
}

std::string Legend(const KeySummary& summary, const KeyboardTexts& texts) {
  std::string legend = "<p align='center' style='font-family:Arial,sans-serif;font-size:13px'>";
  for (int i = 0; i < 5; ++i) legend += Swatch(Hex(kFingerColours[i]).c_str()) + " " + Page(texts.fingers[i]) + " &nbsp; ";
  legend += Swatch("#ffffff", "border:2.5px solid #222222;") + " " + Page(texts.homeKeys) + "</p>\r\n";
  legend += "<p align='center' style='font-family:Arial,sans-serif;font-size:13px'>";
  if (summary.tests == 0) return legend + Page(texts.noFigures) + "</p>\r\n";
  legend += Page(texts.errorScale) + " ";
  for (int i = 0; i < 5; ++i) legend += Swatch(kShades[i]) + " " + kShadeNames[i] + " &nbsp; ";
  legend += Swatch(kUntypedColour) + " " + Page(texts.untyped) + "<br>" + PageCount(texts.speedNote, summary.tests) +
            "</p>\r\n";
  return legend;
}

std::string LanguageTag(int language) {
  std::string tag = Language_Of(language).folder;
  for (char& c : tag) c = static_cast<char>(c - 'A' + 'a');
  return tag;
}

std::string TrendText(KeyTrend trend, const KeyboardTexts& texts) {
  switch (trend) {
    case KeyTrend::Better: return "\xE2\x96\xB2 " + Page(texts.better);  // ▲
    case KeyTrend::Worse: return "\xE2\x96\xBC " + Page(texts.worse);    // ▼
    case KeyTrend::Steady: return "= " + Page(texts.steady);
    case KeyTrend::TooFew: break;
  }
  return Page(texts.tooFew);
}

std::string Replace(std::string text, const std::string& mark, const std::string& by) {
  const size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

}  // namespace

KeyTrend Mode4_KeyTrend(const KeySummary& summary, size_t key) {
  if (key >= summary.older.size() || key >= summary.newer.size()) return KeyTrend::TooFew;
  const KeyTally& older = summary.older[key];
  const KeyTally& newer = summary.newer[key];
  if (older.expected < kMinTrendObservations || newer.expected < kMinTrendObservations) return KeyTrend::TooFew;
  const double before = Mode4_KeyScore(older, summary.overall);
  const double after = Mode4_KeyScore(newer, summary.overall);
  if (after < before * 0.9) return KeyTrend::Better;
  if (after > before * 1.1) return KeyTrend::Worse;
  return KeyTrend::Steady;
}

std::string Mode4_KeyboardDrawing(const KeySummary& summary, const KeyboardTexts& texts) {
  const KeyboardLayout& layout = Keyboard_Of(summary.language);
  std::vector<int> x(layout.count);
  Keyboard_Positions(layout, x.data());
  const bool typed = summary.tests > 0;
  std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='" + Num(kDrawingWidth) + "' height='" +
                    Num(kDrawingHeight) + "' viewBox='0 0 " + Num(kDrawingWidth) + " " + Num(kDrawingHeight) +
                    "' font-family='Arial, sans-serif'>\r\n";
  svg += "<title>" + std::string(layout.name) + "</title>\r\n";
  for (size_t i = 0; i < layout.count; ++i) {
    const KeyTally tally = i < summary.all.size() ? summary.all[i] : KeyTally();
    svg += DrawKey(layout.keys[i], x[i], tally, typed) + "\r\n";
  }
  svg += "</svg>";
  return "<div align='center'>" + svg + "</div>\r\n" + Legend(summary, texts);
}

std::string Mode4_BuildKeyboardPage(const KeySummary& summary, const KeyboardTexts& texts) {
  const std::string title = Page(texts.heading) + Page(texts.languageName);
  std::string page = "<!DOCTYPE html>\r\n<html lang='" + LanguageTag(summary.language) + "'>\r\n<head>\r\n";
  page += "<meta http-equiv='content-type' content='text/html; charset=utf-8'>\r\n";
  page += "<title>" + title + "</title>\r\n</head>\r\n<body>\r\n";
  page += "<h3 align='center' style='font-family:Arial,sans-serif'>" + title + " (" +
          Keyboard_Of(summary.language).name + ")</h3>\r\n";
  page += Mode4_KeyboardDrawing(summary, texts);
  page += "</body></html>";
  return page;
}

std::string Mode4_BuildKeySection(const KeySummary& summary, const KeyboardTexts& texts) {
  std::string section = "\r\n<h3 align='center'>" + Page(texts.sectionHeading) + Page(texts.languageName) + " (" +
                        Keyboard_Of(summary.language).name + ")</h3>\r\n";
  section += Mode4_KeyboardDrawing(summary, texts);
  if (summary.tests == 0) return section + "<hr>";

  const KeyboardLayout& layout = Keyboard_Of(summary.language);
  section += "<p align='center'>" + PageCount(texts.weakHeading, summary.tests) + "</p>\r\n";
  const std::vector<size_t> weakest = Mode4_WeakestKeys(summary, 5);
  if (weakest.empty()) {
    section += "<p align='center'>" + Page(texts.noWeakKeys) + "</p>\r\n";
  } else {
    section += "<table align='center' border = '1' class='weak-keys'><tr>";
    for (const Text16& column : texts.columns) section += "<th>" + Page(column) + "</th>";
    section += "</tr>\r\n";
    for (size_t key : weakest) {
      const KeyTally& t = summary.all[key];
      const KeyTally &older = summary.older[key], &newer = summary.newer[key];
      const KeyTrend trend = Mode4_KeyTrend(summary, key);
      std::string trendCell = TrendText(trend, texts);
      if (trend != KeyTrend::TooFew) {
        trendCell += " (" + Tenths(Mode4_ErrorPercent(older)) + " %, " + Cpm(older) + " &#8594; " +
                     Tenths(Mode4_ErrorPercent(newer)) + " %, " + Cpm(newer) + ")";
      }
      section += "<tr><td>" + KeyName(layout.keys[key], texts) + "</td><td>" + Tenths(Mode4_ErrorPercent(t)) +
                 " % (" + std::to_string(t.errors) + "/" + std::to_string(t.expected) + ")</td><td>" + Cpm(t) +
                 "</td><td>" + trendCell + "</td></tr>\r\n";
    }
    section += "</table>\r\n";
  }
  section += "<p align='center'>" + Page(texts.confusionsHeading) + "</p>\r\n";
  if (summary.confusions.empty()) return section + "<p align='center'>" + Page(texts.noConfusions) + "</p>\r\n<hr>";
  section += "<ul class='confusions' style='width:22em;margin:0 auto'>\r\n";
  for (size_t i = 0; i < summary.confusions.size() && i < 5; ++i) {
    const Confusion& c = summary.confusions[i];
    std::string line = Page(texts.confusion);
    line = Replace(line, "%1", "<b>" + CharacterName(c.typed, texts) + "</b>");
    line = Replace(line, "%2", "<b>" + CharacterName(c.expected, texts) + "</b>");
    line = Replace(line, "%3", std::to_string(c.times));
    section += "<li>" + line + "</li>\r\n";
  }
  return section + "</ul>\r\n<hr>";
}
