// Sample texts of the Tests mode: reading and checking a sample file, and cutting the text into
// the test words table.
#include "exam/sample_text.h"

#include <cstdio>

#include "common/files.h"
#include "common/languages.h"
#include "settings/trace.h"
#include "typing/words.h"

SampleState g_Sample;

namespace {

constexpr char16_t kMark = 0xFEFF;
constexpr char16_t kSwappedMark = 0xFFFE;
// A file of this many bytes already holds kSampleCapacity units: too big, whatever follows.
constexpr size_t kMaxReadBytes = static_cast<size_t>(kSampleCapacity) * 2;

// The text ends at its first NUL, as in the tutor's sample buffer.
Text16 UpToNul(const Text16& text) {
  const size_t nul = text.find(u'\0');
  return nul == Text16::npos ? text : text.substr(0, nul);
}

}  // namespace

SampleLoad Mode4_DecodeSample(const std::string& bytes, Text16& text) {
  const size_t n = bytes.size() / 2;  // an odd last byte is dropped
  if (n >= static_cast<size_t>(kSampleCapacity)) return SampleLoad::TooBig;

  Text16 units(n, u'\0');
  for (size_t i = 0; i < n; ++i) {
    const unsigned lo = static_cast<unsigned char>(bytes[2 * i]);
    const unsigned hi = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(lo | (hi << 8));
  }
  if (n == 0 || (units[0] != kMark && units[0] != kSwappedMark)) return SampleLoad::NotUnicode;

  if (units[0] == kSwappedMark) {
    // Bytes FE FF: a big-endian file. Swapping every unit makes it read as written.
    for (char16_t& u : units) u = static_cast<char16_t>((u >> 8) | (u << 8));
  }
  text = UpToNul(units.substr(1));
  return SampleLoad::Ok;
}

SampleLoad Mode4_ReadSampleFile(const std::string& path, Text16& text) {
  App_Trace("Mode4_LoadFile Entered");
  std::FILE* file = File_Open(path, "rb");
  if (!file) {
    App_Trace("Mode4_LoadFile Exited");
    return SampleLoad::CannotOpen;
  }
  // Reading one byte past the largest accepted file is enough to tell a file too big, so a huge
  // file is never read whole.
  std::string bytes(kMaxReadBytes, '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    const size_t r = std::fread(&bytes[got], 1, bytes.size() - got, file);
    if (r == 0) break;
    got += r;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    // The file opened but could not be read (a folder, a device error): the same as a file that
    // cannot be opened, so nothing changes and nothing is shown.
    App_Trace("Mode4_LoadFile Exited");
    return SampleLoad::CannotOpen;
  }
  bytes.resize(got);
  return Mode4_DecodeSample(bytes, text);
}

std::string Mode4_DefaultSamplePath(const std::string& base, int language) {
  return Path_Join(base, std::string("\\") + Language_Of(language).folder + "\\Tests\\Sample_Unicode.txt");
}

void Mode4_ParseSampleText(const Text16& sample) {
  App_Trace("Mode4_ParseSampleText Entered");
  g_Words.testWords.clear();
  const Text16 text = UpToNul(sample);
  // A word is what the typist ends with a blank: each run between spaces, tabs and line breaks,
  // without the punctuation at either end ("Hello," is "Hello", "(word)" is "word"). A run of
  // punctuation alone is no word. Each record keeps where it begins, which is how a typing finds it.
  size_t pos = 0;
  while (pos < text.size() && g_Words.testWords.size() < kMaxTableRecords) {
    while (pos < text.size() && App_IsWordBlank(text[pos])) ++pos;
    size_t end = pos;
    while (end < text.size() && !App_IsWordBlank(text[end])) ++end;
    size_t first = pos, last = end;
    while (first < last && App_IsPunctuation(text[first])) ++first;
    while (last > first && App_IsPunctuation(text[last - 1])) --last;
    pos = end;
    if (first == last) continue;
    // A word longer than the parser's old word buffer is kept whole: cutting it would make a word
    // the typed text can never equal.
    TestWordRecord record;
    record.index = static_cast<int16_t>(g_Words.testWords.size());
    record.word = text.substr(first, last - first);
    record.length = static_cast<int32_t>(record.word.size());
    record.seconds = 0.0f;
    record.errors = kNotTyped;
    record.offset = static_cast<int32_t>(first);
    g_Words.testWords.push_back(std::move(record));
  }
  App_Trace("Mode4_ParseSampleText Exited");
}
