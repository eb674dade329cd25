// Word list files of the training modes and the custom list: where they lie and how they read.
#include "training/word_lists.h"

#include <cstdio>

#include "common/files.h"
#include "common/languages.h"
#include "typing/words.h"

// No development folder is compiled in; the glue or a test may set one.

namespace {

// The longest full path the tutor opens, in UTF-16 units; a longer one counts as missing.
constexpr size_t kMaxPathUnits = 259;
// The reader looks at no more bytes than kMaxListEntries full lines: a file that is no word list
// at all stops there.
constexpr size_t kMaxListBytes = kMaxListEntries * (kMaxEntryBytes + 2);

bool PathTooLong(const std::string& path) { return Text_FromUtf8(path).size() > kMaxPathUnits; }

// A file that opens for reading (a folder does not count, on any build).
bool CanOpen(const std::string& path) {
  return !PathTooLong(path) && File_Exists(path) && !Dir_Exists(path);
}

// Byte sources for the line reader: a string in memory, or an open file read in blocks.
class StringSource {
 public:
  explicit StringSource(const std::string& bytes) : bytes_(bytes) {}
  int Peek() const { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_]) : -1; }
  void Skip() { ++pos_; }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
};

class FileSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  int Peek() {
    if (pos_ == len_ && !Fill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
  }
  void Skip() { ++pos_; }
  bool Failed() const { return failed_; }

 private:
  bool Fill() {
    if (total_ >= kMaxListBytes || failed_) return false;
    len_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (len_ == 0) {
      failed_ = std::ferror(file_) != 0;
      return false;
    }
    total_ += len_;
    return true;
  }
  std::FILE* file_;
  char buffer_[4096];
  size_t pos_ = 0;
  size_t len_ = 0;
  size_t total_ = 0;
  bool failed_ = false;
};

Text16 DecodeEntry(const std::string& bytes, ListEncoding encoding) {
  Text16 text = encoding == ListEncoding::Ansi ? Text_FromCp1252(bytes) : Text_FromUtf8(bytes);
  // The list boxes and the tables hold C strings: an entry ends at a NUL byte.
  const size_t nul = text.find(u'\0');
  if (nul != Text16::npos) text.resize(nul);
  return text;
}

// The reading rules of every list: a line is the bytes up to LF, a CR right before the LF (or
// right before the end of the file) is no part of it, and an entry keeps at most kMaxEntryBytes
// of it (App_CutListEntry); the rest of a longer line is skipped and reading goes on. Empty
// entries are skipped, except the first line of a Russian installed list, which is always one.
template <typename Source>
std::vector<Text16> ReadEntries(Source& src, ListEncoding encoding) {
  // A line keeps enough bytes to take off a mark and a CR and still hold a whole entry.
  constexpr size_t kKeptBytes = kMaxEntryBytes + 4;
  std::vector<Text16> entries;
  bool firstLine = true;
  std::string line;
  while (entries.size() < kMaxListEntries && src.Peek() >= 0) {
    line.clear();
    bool whole = true;  // the line fits the bytes kept
    for (int c = src.Peek(); c >= 0; c = src.Peek()) {
      src.Skip();
      if (c == '\n') break;
      if (line.size() < kKeptBytes) {
        line.push_back(static_cast<char>(c));
      } else {
        whole = false;
      }
    }
    // The CR of a long line's CR LF lies past the bytes kept, and past any cut.
    if (whole && !line.empty() && line.back() == '\r') line.pop_back();

    const bool hasMark = line.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (firstLine && encoding == ListEncoding::Utf8FirstMark) {
      // Only a real mark is removed: a list saved without one keeps its first letter.
      if (hasMark) line.erase(0, 3);
      entries.push_back(DecodeEntry(App_CutListEntry(std::move(line), encoding), encoding));
    } else {
      // A custom list saved again by a text editor may start with a mark; U+FEFF could never be
      // typed, so it is no part of the first word.
      if (firstLine && encoding == ListEncoding::Utf8 && hasMark) line.erase(0, 3);
      Text16 entry = DecodeEntry(App_CutListEntry(std::move(line), encoding), encoding);
      if (!entry.empty()) entries.push_back(std::move(entry));
    }
    firstLine = false;
  }
  return entries;
}

}  // namespace

std::string App_CutListEntry(std::string bytes, ListEncoding encoding) {
  if (bytes.size() <= kMaxEntryBytes) return bytes;
  size_t end = kMaxEntryBytes;
  if (encoding != ListEncoding::Ansi) {
    // Back up to the first byte of the character that does not fit whole; a character has at
    // most three bytes after its first, so a longer run is no character and is cut anywhere.
    size_t back = 0;
    while (back < 3 && (static_cast<unsigned char>(bytes[end - back]) & 0xC0) == 0x80) ++back;
    if ((static_cast<unsigned char>(bytes[end - back]) & 0xC0) != 0x80) end -= back;
  }
  bytes.resize(end);
  return bytes;
}

std::string App_ListRelativePath(WordList list, int language) {
  const bool russian = language == 3;
  const char* name = "Custom_Words.dat";
  switch (list) {
    case WordList::LeftHand:
      name = russian ? "LH_Words_RU_UTF8.txt" : "LH_Words.dat";
      break;
    case WordList::RightHand:
      name = russian ? "RH_Words_RU_UTF8.txt" : "RH_Words.dat";
      break;
    case WordList::LeftToRight:
      name = russian ? "LTOR_Words_RU_UTF8.txt" : "LTOR_Both.dat";
      break;
    case WordList::RightToLeft:
      name = russian ? "RTOL_Words_RU_UTF8.txt" : "RTOL_Both.dat";
      break;
    case WordList::Custom:
      break;
  }
  return std::string("\\") + Language_Of(language).folder + "\\Training Words\\" + name;
}

ListEncoding App_ListEncoding(WordList list, int language) {
  if (list == WordList::Custom) return ListEncoding::Utf8;
  return language == 3 ? ListEncoding::Utf8FirstMark : ListEncoding::Ansi;
}


std::vector<Text16> App_DecodeWordList(const std::string& bytes, ListEncoding encoding) {
  StringSource src(bytes);
  return ReadEntries(src, encoding);
}

std::vector<Text16> App_ReadWordList(const std::string& path, ListEncoding encoding) {
  if (PathTooLong(path) || Dir_Exists(path)) return {};
  std::FILE* file = File_Open(path, "rb");
  if (!file) return {};
  FileSource src(file);
  std::vector<Text16> entries = ReadEntries(src, encoding);
  const bool failed = src.Failed();
  std::fclose(file);  // a failure while closing changes nothing
  // A file that breaks off while being read counts as unreadable: its list stays empty.
  if (failed) return {};
  return entries;
}

std::vector<Text16> App_LoadWordList(WordList list, int language) {
  return App_ReadWordList(Dir_DataFile(App_ListRelativePath(list, language)),
                          App_ListEncoding(list, language));
}

void Mode4_LoadCustomWords(int language) {
  g_Words.customWords.clear();
  for (Text16& word : App_LoadWordList(WordList::Custom, language)) {
    if (g_Words.customWords.size() >= kMaxTableRecords) break;
    CustomWordRecord record{};
    record.length = static_cast<int32_t>(word.size());
    record.word = std::move(word);
    g_Words.customWords.push_back(std::move(record));
  }
}

bool App_CustomListExists(int language) {
  return CanOpen(Dir_DataFile(App_ListRelativePath(WordList::Custom, language)));
}
