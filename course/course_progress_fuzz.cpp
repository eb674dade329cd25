// Arbitrary bytes as a course progress file: what is read keeps the first lesson's keys first,
// holds each key of the order once with figures in their bounds, writes and reads back the same,
// and the rules and a lesson take it without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "course/course_lesson.h"
#include "course/course_progress_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

const CourseWords& Words() {
  static const CourseWords words = Course_DecodeWords(1, "sale\nfalse\nlake\ndesk\njade\nflask\nread\ntire\n");
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Byte 1 stands for a whole row, so that runs of real rows between damaged lines come up.
  std::string bytes;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 1) bytes += "Key,e,20.00,1.00,19.00,4000.00\r\n";
    else bytes += static_cast<char>(data[i]);
  }
  static const CourseKeyOrder order = Course_KeyOrder(Words());
  const CourseProgressRead read = Course_ParseProgress(bytes, order);
  const CourseProgress& p = read.progress;
  Check(p.unlocked.size() >= order.startCount);
  for (size_t i = 0; i < p.unlocked.size(); ++i) {
    const CourseKey& k = p.unlocked[i];
    Check(i >= order.startCount || k.key == order.keys[i]);
    Check(order.keys.find(k.key) != Text16::npos && Course_FiguresOf(p, k.key) == &k.figures);
    Check(k.figures.errors <= k.figures.keystrokes && k.figures.timed <= k.figures.keystrokes);
    Check(k.figures.keystrokes <= kCourseWindow + 0.01 && k.figures.ms >= 0);
  }
  const CourseProgressRead back = Course_ParseProgress(Course_ProgressBytes(p), order);
  Check(!back.damaged && back.progress.lessons == p.lessons && back.progress.unlocked.size() == p.unlocked.size());
  for (size_t i = 0; i < p.unlocked.size(); ++i) Check(back.progress.unlocked[i].key == p.unlocked[i].key);
  if (size % 4 != 0) return 0;  // a lesson for a quarter of the inputs keeps the runs many
  CourseProgress next = p;
  Course_UnlockNext(next, order, {});
  const CourseLesson lesson = Course_BuildLesson(Words(), order, next, {}, static_cast<uint32_t>(size));
  Check(lesson.text.size() < 2000);
  return 0;
}
