#pragma once
// The course's progress of one language beside Settings.xml: Course_EN.csv, Course_FR.csv,
// Course_RU.csv. UTF-8 with a byte-order mark, CR LF line ends, RFC 4180 fields, a dot before
// the decimals:
//   Keyfarer course,1
//   Lessons,12
//   Key,a,40.00,1.00,38.00,9120.00
// one Key row per unlocked key in the order they were unlocked: the key, then its keystrokes,
// errors, timed keystrokes and their milliseconds (course/course_unlock.h). The file is written
// whole through a temporary file that replaces it, so it is never left half-written.
//
// Read back tolerantly: every well-formed row survives; a row that is not (a key that is no key
// of the language's course, one met before, figures out of their bounds, a line of anything
// else) is left out and the file counts as damaged; a key whose figures are out of bounds stays
// unlocked with no figures. The first lesson's keys are unlocked whatever the file says.
// Window-free.
#include <cstddef>
#include <string>

#include "common/files.h"
#include "course/course_keys.h"
#include "course/course_unlock.h"

// Bytes of a progress file that are read at most; a whole course takes about 3 KB.
constexpr size_t kMaxCourseProgressBytes = 256 * 1024;

struct CourseProgressRead {
  CourseProgress progress;
  bool found = false;    // the file was there and could be read
  bool damaged = false;  // something in it was left out
  size_t keysRead = 0;   // Key rows taken
};

// "\Course_EN.csv" (FR for 2, RU for 3, EN for any other language).
std::string Course_ProgressRelativePath(int language);
// The bytes of the file.
std::string Course_ProgressBytes(const CourseProgress& progress);
// The progress in a file's bytes, for the order's language.
CourseProgressRead Course_ParseProgress(const std::string& bytes, const CourseKeyOrder& order);
// The file of the order's language in the data folder; none (not found) starts a new course.
CourseProgressRead Course_LoadProgress(const CourseKeyOrder& order);
// Writes the progress to its language's file; the old file stays whole when that fails.
FileWriteResult Course_SaveProgress(const CourseProgress& progress);
