// course_bench [lessons] [data folder]: the time to read a language's course words (the list,
// its letter counts and model, the order of keys) and to build a lesson from them at each stage
// of the course (the first lesson's keys, a few more letters, every letter, capitals and marks,
// everything), `lessons` lessons a stage (200 by default), in each language, from the shipped
// data. Window-free: both builds make it.
// Exit code: 0 when every lesson is built; the timings are printed against the target of
// 20 ms a lesson, never failed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/files.h"
#include "course/course.h"
#include "testing/percentile.h"

namespace {

constexpr int kDefaultLessons = 200;
constexpr double kTargetLessonMs = 20.0;

double Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

CourseProgress Stage(const CourseKeyOrder& order, size_t keys) {
  CourseProgress progress = Course_NewProgress(order);
  for (size_t i = progress.unlocked.size(); i < keys && i < order.keys.size(); ++i)
    progress.unlocked.push_back({order.keys[i], {}});
  return progress;
}

}  // namespace

int main(int argc, char** argv) {
  const int lessons = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultLessons;
  Dir_SetData(argc > 2 ? argv[2] : KF_DATA_DIR);
  const char* names[] = {"EN", "FR", "RU"};
  bool ok = true;
  double worst = 0;
  for (int language = 1; language <= 3; ++language) {
    const double start = Now();
    const CourseWords words = Course_LoadWords(language);
    const CourseKeyOrder order = Course_KeyOrder(words);
    const double readMs = Now() - start;
    if (words.words.empty()) {
      std::printf("%s: no course words in %s\n", names[language - 1], Dir_Data().c_str());
      return 1;
    }
    const size_t capitals = order.keys.find(kCourseCapitals);
    const size_t stages[] = {order.startCount, order.startCount + 4, capitals, capitals + 4, order.keys.size()};
    std::printf("%s: %zu words read and counted in %.1f ms\n", names[language - 1], words.words.size(), readMs);
    for (size_t keys : stages) {
      const CourseProgress progress = Stage(order, keys);
      std::vector<double> times;
      for (int i = 0; i < lessons; ++i) {
        const double t = Now();
        const CourseLesson lesson = Course_BuildLesson(words, order, progress, {}, static_cast<uint32_t>(i + 1));
        times.push_back(Now() - t);
        ok = ok && !lesson.text.empty() && lesson.focusWords * 10 >= lesson.words * 7;
      }
      const double p99 = kftest::Percentile(times, 0.99);
      worst = std::max(worst, p99);
      std::printf("  %2zu keys: a lesson in %.2f ms median, %.2f ms p99\n", keys, kftest::Percentile(times, 0.5), p99);
    }
  }
  std::printf("course lesson: %.2f ms at the worst p99 (target %.0f ms): %s\n", worst, kTargetLessonMs,
              worst < kTargetLessonMs ? "within" : "OVER");
  if (!ok) std::printf("FAIL: a lesson was empty or held its focus key in fewer than 70 %% of its words\n");
  return ok ? 0 : 1;
}
