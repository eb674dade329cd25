// Settings.xml: the tutor's line-based settings document.
//
// Reading rules (the same on every build: the file is opened "rb" and split here):
// - LF ends a line; a CR right before that LF is not part of the line (a lone CR is text).
// - A line is looked at through its first 259 characters only. The rest of a longer line is
//   ignored up to the next LF, so a tag that stands after character 259 is never found.
// - A line "contains" a key when its first 259 characters hold "<key>" anywhere. Its leading
//   spaces are removed (a tab is text); of the rest R (length L), with T the length of "<key>",
//   the value is R.substr(T, L - 2T - 1), or R from T on when that length is negative. So
//   "    <Mode>4</Mode>" gives "4" and text after the closing tag becomes part of the value.
// - The last matching line wins; no matching line (or no document) gives "".
//
// Writing one key rewrites the whole document: the lines before the first matching line, one
// replacement line (the first match's leading spaces, "<key>value</key>"), then the remaining
// lines minus any further matching line, joined by CR LF with no line end after the last.
// Lines that do not hold the key are copied whole, however long. The new text is written with
// the safe writer (common/files.h), so a failure at any point (unreadable document, read-only
// document or folder, full disk) leaves the old document as it was.
// A document that cannot be opened is not created.
#include "settings/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "common/files.h"
#include "common/languages.h"
#include "settings/trace.h"

SettingsState g_Settings;

namespace {

constexpr size_t kLineView = 259;  // characters of a line the reader looks at
// A line whose first kLineHead raw bytes hold no LF is longer than kLineView characters even
// if those bytes end in CR: 259 characters, then a CR that may still come before an LF.
constexpr size_t kLineHead = kLineView + 2;

// Buffered byte source over an open file; remembers a read failure.
struct ByteSource {
  std::FILE* file;
  char buffer[1 << 14];
  size_t size = 0;
  size_t pos = 0;
  bool failed = false;
  bool ended = false;

  explicit ByteSource(std::FILE* f) : file(f) {}

  int Get() {
    if (pos == size) {
      if (ended) return EOF;
      size = std::fread(buffer, 1, sizeof buffer, file);
      pos = 0;
      if (size == 0) {
        ended = true;
        failed = std::ferror(file) != 0;
        return EOF;
      }
    }
    return static_cast<unsigned char>(buffer[pos++]);
  }
};

// One line as read: its bytes (or the first of them) and whether it goes on past them.
struct LineHead {
  std::string text;     // whole line (short line) or its first kLineHead raw bytes (long line)
  bool longLine = false;  // more bytes of this line follow in the source
};

// Reads the next line's head. Returns false when the source holds no further line.
bool ReadLineHead(ByteSource& src, LineHead& line) {
  line.text.clear();
  line.longLine = false;
  int c = src.Get();
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    line.text.push_back(static_cast<char>(c));
    if (line.text.size() == kLineHead) {
      line.longLine = true;
      return true;
    }
    c = src.Get();
  }
  if (c == '\n' && !line.text.empty() && line.text.back() == '\r') line.text.pop_back();
  return true;
}

// Skips what is left of a long line, up to and including its LF.
void SkipRestOfLine(ByteSource& src) {
  int c;
  do c = src.Get();
  while (c != EOF && c != '\n');
}

// The part of a line the reader and the writer look at.
std::string LineView(const LineHead& line) {
  return line.text.size() > kLineView ? line.text.substr(0, kLineView) : line.text;
}

size_t LeadingSpaces(const std::string& s) {
  size_t n = 0;
  while (n < s.size() && s[n] == ' ') ++n;
  return n;
}

// The rewritten document as it grows.
struct ByteSink {
  std::string& bytes;
  void Put(const char* data, size_t n) { bytes.append(data, n); }
  void Put(const std::string& s) { bytes += s; }
  void Put(char c) { bytes.push_back(c); }
};

// Copies what is left of a long line (after its head) to `out`, dropping a CR right before
// the LF that ends it. `heldCr`: the head itself ended in a CR that is not written yet.
void CopyRestOfLine(ByteSource& src, ByteSink& out, bool heldCr) {
  int c;
  while ((c = src.Get()) != EOF && c != '\n') {
    if (heldCr) out.Put('\r');
    heldCr = c == '\r';
    if (!heldCr) out.Put(static_cast<char>(c));
  }
  if (heldCr && c == EOF) out.Put('\r');  // a CR at the very end of the file is text
}

// The rewritten document in `bytes`. False when the source could not be read whole.
// Whether a line of the document holds `openTag` where the reader looks for it.
bool HoldsKey(std::FILE* in, const std::string& openTag) {
  ByteSource src(in);
  LineHead line;
  bool found = false;
  while (!found && ReadLineHead(src, line)) {
    if (line.longLine) SkipRestOfLine(src);
    found = LineView(line).find(openTag) != std::string::npos;
  }
  return found;
}

bool RewriteDocument(std::FILE* in, std::string& bytes, const std::string& key, const std::string& value) {
  const std::string openTag = "<" + key + ">";
  const std::string closeTag = "</" + key + ">";
  // A key the document lacks is added; one it has anywhere is replaced where it stands.
  const bool absent = !HoldsKey(in, openTag);
  std::rewind(in);
  ByteSource src(in);
  ByteSink out{bytes};
  bool firstLine = true;
  bool matched = false;
  LineHead line;
  auto putKey = [&](size_t indent) {
    out.Put(std::string(indent, ' '));
    out.Put(openTag);
    out.Put(value);
    out.Put(closeTag);
  };
  while (ReadLineHead(src, line)) {
    const std::string view = LineView(line);
    const bool holdsKey = view.find(openTag) != std::string::npos;
    // A key the document lacks goes at the end of the section the program's keys are in.
    if (absent && !matched && !holdsKey && view.find("</Application>") != std::string::npos) {
      if (!firstLine) out.Put("\r\n", 2);
      putKey(4);
      firstLine = false;
      matched = true;
    }
    if (holdsKey) {
      if (line.longLine) SkipRestOfLine(src);
      if (matched) continue;  // a key on several lines keeps only the first place
      matched = true;
    }
    if (!firstLine) out.Put("\r\n", 2);
    firstLine = false;
    if (holdsKey) {
      putKey(LeadingSpaces(view));
    } else if (line.longLine) {
      const bool heldCr = line.text.back() == '\r';
      out.Put(line.text.data(), line.text.size() - (heldCr ? 1 : 0));
      CopyRestOfLine(src, out, heldCr);
    } else {
      out.Put(line.text);
    }
  }
  return !src.failed;
}

// A colour value the reader accepts: "#" and six hexadecimal digits at its start.
// The installer's colour stands in for a colour key that is missing or too short to hold the
// three pairs the parser reads (fewer than five characters); anything longer is parsed as it is.
constexpr size_t kShortestColorText = 5;

// The colours of the installer's document, which also stand in for missing or malformed ones,
// in the order the reader reads them.
struct DefaultColor {
  const char* key;
  ColorRef SettingsState::*field;
  const char* text;
};
constexpr DefaultColor kDefaultColors[] = {
    {"BackgroundColor", &SettingsState::BackgroundColor, "#808080"},
    {"BS_BackgroundColor", &SettingsState::BS_BackgroundColor, "#FFFF00"},
    {"DS_BackgroundColor", &SettingsState::DS_BackgroundColor, "#ECE9D8"},
    {"DS_InterlacedColor", &SettingsState::DS_InterlacedColor, "#F5F5DC"},
    {"DS_LHColor", &SettingsState::DS_LHColor, "#FF0000"},
    {"DS_RHColor", &SettingsState::DS_RHColor, "#1E90FF"},
    {"DS_L2RColor", &SettingsState::DS_L2RColor, "#FFD700"},
    {"DS_R2LColor", &SettingsState::DS_R2LColor, "#00FA9A"},
};

// The default document's line of a colour key: "    <key>#RRGGBB</key>".
std::string DefaultColorLine(const std::string& key) {
  for (const DefaultColor& color : kDefaultColors)
    if (key == color.key) return "    <" + key + ">" + color.text + "</" + key + ">";
  return std::string();
}

ColorRef ReadColor(const char* key, const char* fallback) {
  const std::string value = App_XMLReadValue(key);
  char buffer[12] = {};  // at most 11 characters of the value are looked at
  std::strncpy(buffer, value.c_str(), sizeof buffer - 1);
  const char* text = std::strlen(buffer) >= kShortestColorText ? buffer : fallback;
  int red = 0, green = 0, blue = 0;
  App_ParseColor(text, red, green, blue);
  return App_RGB(red, green, blue);
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }  // as isspace in the C locale

int16_t ToInt16(int32_t v) {
  // Out-of-range numbers stay out of range (clamped) instead of wrapping into a valid mode.
  if (v > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  if (v < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  return static_cast<int16_t>(v);
}


}  // namespace

std::string App_SettingsPath() { return Dir_DataFile("\\Settings.xml"); }

namespace {

std::string ReadValue(const std::string& key, bool traced) {
  if (traced) App_WriteTrace("App_XMLReadValue Entered");
  const std::string openTag = "<" + key + ">";
  std::string value;
  if (std::FILE* f = File_Open(App_SettingsPath(), "rb")) {
    ByteSource src(f);
    LineHead line;
    while (ReadLineHead(src, line)) {
      if (line.longLine) SkipRestOfLine(src);
      const std::string view = LineView(line);
      if (view.find(openTag) == std::string::npos) continue;
      const std::string rest = view.substr(LeadingSpaces(view));
      const long length = static_cast<long>(rest.size()) - 2 * static_cast<long>(openTag.size()) - 1;
      // The tag is in `rest`, so rest.size() >= openTag.size().
      value = length < 0 ? rest.substr(openTag.size()) : rest.substr(openTag.size(), static_cast<size_t>(length));
    }
    std::fclose(f);  // a read failure ends the scan; what was found up to then counts
  }
  if (traced) App_WriteTrace("App_XMLReadValue Exited");
  return value;
}

// A number key with a default and a range: a value without a number (nothing, or no digit after
// the blanks and the sign) is the default. Read without a trace line, as the keys the start's
// trace has not always listed are.
int32_t ReadBounded(const char* key, int32_t fallback, int32_t low, int32_t high) {
  const std::string value = ReadValue(key, false);
  size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) ++i;
  if (i == value.size() || value[i] < '0' || value[i] > '9') return fallback;
  return std::min(high, std::max(low, App_AtoI(value)));
}

}  // namespace

std::string App_XMLReadValue(const std::string& key) { return ReadValue(key, g_Settings.Debug == 1 && key != "Debug"); }

FileWriteResult App_XMLWriteValue(const std::string& key, const std::string& value) {
  App_Trace("App_XMLWriteValue Entered");
  // ERROR_FILE_NOT_FOUND and ENOENT alike: a document that cannot be read is not written.
  constexpr FileError kNotRead = 2;
  FileWriteResult result{false, kNotRead};
  const std::string path = App_SettingsPath();
  if (std::FILE* in = File_Open(path, "rb")) {
    std::string bytes;
    const bool read = RewriteDocument(in, bytes, key, value);
    std::fclose(in);
    if (read) result = File_WriteSafely(path, bytes);
  }
  App_Trace("App_XMLWriteValue Exited");
  return result;
}

void App_ParseColor(const char* text, int& red, int& green, int& blue) {
  int* parts[3] = {&red, &green, &blue};
  size_t pos = 1;  // position 0, the "#", is not checked
  const size_t length = text ? std::strlen(text) : 0;
  for (int* part : parts) {
    char pair[3] = {};
    for (int i = 0; i < 2; ++i, ++pos)
      if (pos < length) pair[i] = text[pos];
    *part = static_cast<int>(std::strtol(pair, nullptr, 16));
  }
}

int32_t App_AtoI(const std::string& text) {
  // atoi rules; numbers beyond the 32-bit range are clamped to its ends.
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) {
      magnitude = limit;
      break;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

void App_XMLReadSettings() {
  g_Settings.Debug = App_AtoI(App_XMLReadValue("Debug"));
  App_Trace("App_XMLReadSettings Entered");
  g_Settings.SaveLastUsed = App_AtoI(App_XMLReadValue("SaveLastUsed"));
  g_Settings.Mode = g_Settings.StartMode = ToInt16(App_AtoI(App_XMLReadValue("Mode")));
  g_Settings.Language = g_Settings.StartLanguage = ToInt16(App_AtoI(App_XMLReadValue("Language")));
  g_Settings.AlertEnabled = App_AtoI(App_XMLReadValue("AlertEnabled"));
  g_Settings.ShowURLLogo = App_AtoI(App_XMLReadValue("ShowURLLogo"));
  // Read without a trace line: the start's trace keeps the lines it has always had.
  const std::string keyboard = ReadValue("ShowKeyboard", false);
  g_Settings.ShowKeyboard = keyboard.empty() || App_AtoI(keyboard) != 0 ? 1 : 0;
  // A missing or malformed colour takes the colour of the installer's document.
  for (const DefaultColor& color : kDefaultColors) g_Settings.*color.field = ReadColor(color.key, color.text);
  g_Settings.CourseSpeed = ReadBounded("CourseSpeed", kDefaultCourseSpeed, kMinCourseSpeed, kMaxCourseSpeed);
  g_Settings.CourseAccuracy =
      ReadBounded("CourseAccuracy", kDefaultCourseAccuracy, kMinCourseAccuracy, kMaxCourseAccuracy);
  App_Trace("App_XMLReadSettings Exited");
}

void App_SaveLastUsed() {
  if (g_Settings.SaveLastUsed == 0) return;
  // Written at exit, when nobody could be told: a failure keeps the old document silently.
  if (g_Settings.Mode != g_Settings.StartMode) App_XMLWriteValue("Mode", std::to_string(g_Settings.Mode));
  if (g_Settings.Language != g_Settings.StartLanguage)
    App_XMLWriteValue("Language", std::to_string(g_Settings.Language));
}

std::string App_DefaultSettingsDocument(int language) {
  const std::string code = std::to_string(Language_Of(language).number);
  const std::string lines[] = {
      "<KeyfarerPro>",
      "",
      "<Application>",
      "    <SaveLastUsed>1</SaveLastUsed>",
      "    <Mode>4</Mode>",
      "    <Language>" + code + "</Language>",
      DefaultColorLine("BackgroundColor"),
      "    <AlertEnabled>1</AlertEnabled>",
      "    <ShowURLLogo>1</ShowURLLogo>",
      "    <Debug>0</Debug>",
      "</Application>",
      "",
      "<Mode1></Mode1>",
      "<Mode2></Mode2>",
      "<Mode3></Mode3>",
      "",
      "<Mode4>",
      DefaultColorLine("BS_BackgroundColor"),
      DefaultColorLine("DS_BackgroundColor"),
      DefaultColorLine("DS_InterlacedColor"),
      "    <DS_Custom>#FF8C00</DS_Custom>",
      DefaultColorLine("DS_LHColor"),
      DefaultColorLine("DS_L2RColor"),
      DefaultColorLine("DS_R2LColor"),
      DefaultColorLine("DS_RHColor"),
      "</Mode4>",
      "",
      "</KeyfarerPro>",
  };
  std::string doc;
  bool first = true;
  for (const std::string& line : lines) {
    if (!first) doc += "\r\n";
    first = false;
    doc += line;
  }
  return doc;
}
