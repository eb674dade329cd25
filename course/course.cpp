// The course as the screen uses it.
#include "course/course.h"

#include <algorithm>

CourseState g_Course;

namespace {

FileWriteResult Save(const CourseState& course) {
  if (course.unreadable) return FileWriteResult{false, 0};
  return Course_SaveProgress(course.progress);
}

}  // namespace

void Course_Open(CourseState& course, int language, const CourseTargets& targets) {
  course.words = Course_LoadWords(language);
  course.order = Course_KeyOrder(course.words);
  const CourseProgressRead read = Course_LoadProgress(course.order);
  course.progress = read.progress;
  course.damaged = read.damaged;
  course.unreadable = read.damaged && !read.found;
  course.targets = targets;
}

void Course_SetTargets(CourseState& course, const CourseTargets& targets) { course.targets = targets; }

CourseLesson Course_NextLesson(const CourseState& course, uint32_t seed) {
  return Course_BuildLesson(course.words, course.order, course.progress, course.targets, seed);
}

uint32_t Course_LessonNumber(const CourseState& course) { return course.progress.lessons + 1; }

CourseLessonDone Course_FinishLesson(CourseState& course, const KeyStats& stats) {
  CourseLessonDone done;
  Course_AddLesson(course.progress, stats);
  done.unlocked = Course_UnlockNext(course.progress, course.order, course.targets);
  done.saved = Save(course);
  return done;
}

FileWriteResult Course_Reset(CourseState& course) {
  course.progress = Course_NewProgress(course.order);
  course.unreadable = false;  // the learner asked for the file to start again
  course.damaged = false;
  return Save(course);
}

CourseView Course_View(const CourseState& course) {
  CourseView view;
  view.targets = course.targets;
  view.lessons = course.progress.lessons;
  view.focus = Course_FocusKey(course.progress, course.order, course.targets);
  for (char16_t key : course.order.keys) {
    CourseKeyView k;
    k.key = key;
    if (const CourseFigures* figures = Course_FiguresOf(course.progress, key)) {
      const CourseStanding standing = Course_Standing(*figures, course.targets);
      k.unlocked = true;
      k.confidence = standing.confidence;
      ++view.unlocked;
      if (key == view.focus) view.standing = standing;
    }
    k.focus = key == view.focus;
    view.keys.push_back(k);
  }
  return view;
}

CourseKeyView Course_ViewOfCap(const CourseView& view, const KeyCap& cap) {
  CourseKeyView shown;
  const char16_t keys[2] = {cap.special == KeySpecial::Shift ? kCourseCapitals : cap.normal,
                            cap.special == KeySpecial::Shift ? char16_t(0) : cap.shifted};
  for (char16_t key : keys) {
    const CourseKeyView* k = key ? Course_ViewOf(view, key) : nullptr;
    if (!k) continue;
    if (!shown.key) shown.key = k->key;
    shown.focus = shown.focus || k->focus;
    if (!k->unlocked) continue;
    shown.confidence = shown.unlocked ? std::min(shown.confidence, k->confidence) : k->confidence;
    shown.unlocked = true;
  }
  return shown;
}

const CourseKeyView* Course_ViewOf(const CourseView& view, char16_t key) {
  for (const CourseKeyView& k : view.keys) {
    if (k.key == key) return &k;
  }
  return nullptr;
}
