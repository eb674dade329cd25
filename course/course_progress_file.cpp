// The course's progress file: its bytes, written and read back.
#include "course/course_progress_file.h"

#include <cmath>
#include <cstdio>

#include "common/csv.h"
#include "common/languages.h"

namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";
constexpr char kHeader[] = "Keyfarer course,1";
constexpr int64_t kMaxLessons = 1000000000;
constexpr double kMaxMs = 1e9;  // far beyond what kCourseWindow keystrokes can take

std::string Number(double value) { return Csv_FormatHundredths(std::llround(value * 100.0)); }

bool ReadNumber(const std::string& field, double& value) {
  int64_t hundredths = 0;
  if (!Csv_ReadHundredths(field, hundredths)) return false;
  value = static_cast<double>(hundredths) / 100.0;
  return true;
}

// The key of a Key row: one character, its spreadsheet guard taken off.
char16_t ReadKey(std::string field) {
  if (field.size() > 1 && field[0] == '\'' && Csv_NeedsGuard(field.substr(1))) field.erase(0, 1);
  const Text16 text = Text_FromUtf8(field);
  return text.size() == 1 && Text_ToUtf8(text) == field ? text[0] : char16_t(0);
}

bool ReadFigures(const std::string* f, CourseFigures& figures) {
  CourseFigures read;
  if (!ReadNumber(f[0], read.keystrokes) || !ReadNumber(f[1], read.errors) || !ReadNumber(f[2], read.timed) ||
      !ReadNumber(f[3], read.ms))
    return false;
  // The window's end allows for the rounding to hundredths.
  if (read.keystrokes < 0 || read.keystrokes > kCourseWindow + 0.01 || read.errors < 0 ||
      read.errors > read.keystrokes || read.timed < 0 || read.timed > read.keystrokes || read.ms < 0 ||
      read.ms > kMaxMs)
    return false;
  figures = read;
  return true;
}

// One line of the file into `read`; false when it is no line the writer writes.
bool ReadLine(const std::string& line, const CourseKeyOrder& order, CourseProgressRead& read) {
  std::string f[6];
  if (line == kHeader) return true;
  int64_t lessons = 0;
  if (Csv_SplitLine(line, f, 2) && f[0] == "Lessons" && Csv_ReadWhole(f[1], lessons) && lessons <= kMaxLessons) {
    read.progress.lessons = static_cast<uint32_t>(lessons);
    return true;
  }
  if (!Csv_SplitLine(line, f, 6) || f[0] != "Key") return false;
  const char16_t key = ReadKey(f[1]);
  if (!key || order.keys.find(key) == Text16::npos || Course_FiguresOf(read.progress, key)) return false;
  CourseKey k{key, {}};
  const bool whole = ReadFigures(f + 2, k.figures);
  read.progress.unlocked.push_back(k);
  ++read.keysRead;
  return whole;
}

}  // namespace

std::string Course_ProgressRelativePath(int language) {
  return std::string("\\Course_") + Language_Of(language).folder + ".csv";
}

std::string Course_ProgressBytes(const CourseProgress& progress) {
  std::string bytes = std::string(kMark) + kHeader + "\r\nLessons," + std::to_string(progress.lessons) + "\r\n";
  for (const CourseKey& k : progress.unlocked) {
    const CourseFigures& f = k.figures;
    bytes += "Key," + Csv_Field(Text_ToUtf8(Text16(1, k.key))) + "," + Number(f.keystrokes) + "," + Number(f.errors) +
             "," + Number(f.timed) + "," + Number(f.ms) + "\r\n";
  }
  return bytes;
}

CourseProgressRead Course_ParseProgress(const std::string& bytes, const CourseKeyOrder& order) {
  CourseProgressRead read;
  read.found = true;
  read.progress.language = order.language;
  read.damaged = bytes.size() > kMaxCourseProgressBytes;
  const std::string text = bytes.substr(0, kMaxCourseProgressBytes);
  size_t at = text.compare(0, 3, kMark) == 0 ? 3 : 0;
  bool header = false;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    header = header || line == kHeader;
    if (!line.empty() && !ReadLine(line, order, read)) read.damaged = true;
    at = end + 1;
  }
  read.damaged = read.damaged || !header;
  // The first lesson's keys, wherever the file left them, come first.
  CourseProgress start = Course_NewProgress(order);
  for (CourseKey& k : start.unlocked) {
    if (const CourseFigures* f = Course_FiguresOf(read.progress, k.key)) k.figures = *f;
  }
  for (const CourseKey& k : read.progress.unlocked) {
    if (!Course_FiguresOf(start, k.key)) start.unlocked.push_back(k);
  }
  read.progress.unlocked = start.unlocked;
  return read;
}

CourseProgressRead Course_LoadProgress(const CourseKeyOrder& order) {
  const std::string path = Dir_DataFile(Course_ProgressRelativePath(order.language));
  std::FILE* file = Dir_Exists(path) ? nullptr : File_Open(path, "rb");
  CourseProgressRead none;
  none.progress = Course_NewProgress(order);
  if (!file) return none;
  std::string bytes;
  char block[16384];
  size_t got;
  while (bytes.size() <= kMaxCourseProgressBytes && (got = std::fread(block, 1, sizeof block, file)) > 0)
    bytes.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    none.damaged = true;  // there, but not readable: a new course, and the file is left alone
    return none;
  }
  return Course_ParseProgress(bytes, order);
}

FileWriteResult Course_SaveProgress(const CourseProgress& progress) {
  return File_WriteSafely(Dir_DataFile(Course_ProgressRelativePath(progress.language)), Course_ProgressBytes(progress));
}
