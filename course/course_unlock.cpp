// The course's figures per key, its confidence and its unlock rule.
#include "course/course_unlock.h"

#include <algorithm>

namespace {

// Keystrokes of a lesson for one key of the course.
CourseFigures LessonFigures(int language, const KeyStats& stats, char16_t key) {
  CourseFigures f;
  for (const KeyFigure& slot : stats.slots) {
    if (slot.ch == 0) continue;
    char16_t keys[2];
    Course_KeysOfCharacter(language, slot.ch, keys);
    if (keys[0] != key && keys[1] != key) continue;
    f.keystrokes += slot.expected;
    f.errors += slot.errors;
    f.timed += slot.timed;
    f.ms += slot.ms;
  }
  return f;
}

void Scale(CourseFigures& f, double by) {
  f.keystrokes *= by;
  f.errors *= by;
  f.timed *= by;
  f.ms *= by;
}

// The newer figures after the older, the whole kept to the window.
void Merge(CourseFigures& old, CourseFigures newer) {
  if (newer.keystrokes >= kCourseWindow) {
    Scale(newer, kCourseWindow / newer.keystrokes);
    old = newer;
    return;
  }
  if (old.keystrokes + newer.keystrokes > kCourseWindow) Scale(old, (kCourseWindow - newer.keystrokes) / old.keystrokes);
  old.keystrokes += newer.keystrokes;
  old.errors += newer.errors;
  old.timed += newer.timed;
  old.ms += newer.ms;
}

}  // namespace

CourseProgress Course_NewProgress(const CourseKeyOrder& order) {
  CourseProgress progress;
  progress.language = order.language;
  for (size_t i = 0; i < order.startCount && i < order.keys.size(); ++i) progress.unlocked.push_back({order.keys[i], {}});
  return progress;
}

CourseTargets Course_TargetsOf(const SettingsState& settings) {
  return {settings.CourseSpeed, settings.CourseAccuracy};
}

CourseStanding Course_Standing(const CourseFigures& f, const CourseTargets& targets) {
  CourseStanding s;
  s.keystrokes = f.keystrokes;
  if (f.timed > 0) s.cpm = 60000.0 * f.timed / std::max(f.ms, 1.0);
  if (f.keystrokes > 0) s.accuracy = 100.0 * (1.0 - f.errors / f.keystrokes);
  const double enough = std::min(1.0, f.keystrokes / kCourseObservations);
  const double fast = std::min(1.0, s.cpm / std::max(1, targets.cpm));
  // Errors allowed against errors made, both per keystroke.
  const double allowed = (100.0 - targets.accuracy) / 100.0;
  const double made = f.keystrokes > 0 ? f.errors / f.keystrokes : 1.0;
  const double accurate = made <= allowed ? 1.0 : allowed / made;
  s.confidence = std::min({enough, fast, accurate});
  s.confident = s.confidence >= 1.0;
  return s;
}

const CourseFigures* Course_FiguresOf(const CourseProgress& progress, char16_t key) {
  for (const CourseKey& k : progress.unlocked) {
    if (k.key == key) return &k.figures;
  }
  return nullptr;
}

char16_t Course_FocusKey(const CourseProgress& progress, const CourseKeyOrder& order, const CourseTargets& targets) {
  if (progress.unlocked.empty()) return 0;
  // The first lesson's keys are all equally new: among them the weakest leads.
  const CourseKey& newest = progress.unlocked.back();
  if (progress.unlocked.size() > order.startCount && !Course_Standing(newest.figures, targets).confident)
    return newest.key;
  const CourseKey* weakest = &progress.unlocked.front();
  double least = Course_Standing(weakest->figures, targets).confidence;
  for (const CourseKey& k : progress.unlocked) {
    const double confidence = Course_Standing(k.figures, targets).confidence;
    if (confidence < least) {
      least = confidence;
      weakest = &k;
    }
  }
  return weakest->key;
}

void Course_AddLesson(CourseProgress& progress, const KeyStats& stats) {
  for (CourseKey& k : progress.unlocked) {
    const CourseFigures lesson = LessonFigures(progress.language, stats, k.key);
    if (lesson.keystrokes > 0) Merge(k.figures, lesson);
  }
  ++progress.lessons;
}

char16_t Course_UnlockNext(CourseProgress& progress, const CourseKeyOrder& order, const CourseTargets& targets) {
  for (const CourseKey& k : progress.unlocked) {
    if (!Course_Standing(k.figures, targets).confident) return 0;
  }
  for (char16_t key : order.keys) {
    if (!Course_FiguresOf(progress, key)) {
      progress.unlocked.push_back({key, {}});
      return key;
    }
  }
  return 0;
}

double Course_Pace(const CourseProgress& progress, const CourseTargets& targets) {
  double timed = 0, ms = 0;
  for (const CourseKey& k : progress.unlocked) {
    if (k.key == kCourseCapitals) continue;  // its keystrokes are its letters' too
    timed += k.figures.timed;
    ms += k.figures.ms;
  }
  return timed >= kCourseObservations ? 60000.0 * timed / std::max(ms, 1.0) : static_cast<double>(targets.cpm);
}
