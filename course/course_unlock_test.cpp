// The course's rules per key: standing against the targets, the window of figures, the focus and
// the unlocking of the next key.
#include "course/course_unlock.h"

#include <gtest/gtest.h>

#include "testing/course_typist.h"

namespace {

// An order of five keys, two of them the first lesson's.
CourseKeyOrder Order() {
  CourseKeyOrder order;
  order.keys = u"asdfj";
  order.startCount = 2;
  return order;
}

CourseFigures Figures(double keystrokes, double errors, double timed, double ms) {
  return {keystrokes, errors, timed, ms};
}

}  // namespace

TEST(CourseUnlock, StandingNeedsEnoughKeystrokesAndBothTargets) {
  struct Row {
    const char* what;
    CourseFigures figures;
    CourseTargets targets;
    bool confident;
    double confidence;
  };
  const Row rows[] = {
      {"clean at 250 CPM", Figures(20, 0, 20, 20 * 240), {}, true, 1.0},
      {"one keystroke short", Figures(19, 0, 19, 19 * 240), {}, false, 0.95},
      {"97.5 % right", Figures(40, 1, 39, 39 * 240), {}, true, 1.0},
      {"exactly the target accuracy", Figures(100, 3, 97, 97 * 240), {}, true, 1.0},
      {"95 %: 5 % errors of 3 % allowed", Figures(40, 2, 38, 38 * 240), {}, false, 0.6},
      {"150 CPM of 175", Figures(40, 0, 40, 40 * 400), {}, false, 150.0 / 175.0},
      {"no keystroke timed", Figures(40, 0, 0, 0), {}, false, 0.0},
      {"a lower target speed", Figures(40, 0, 40, 40 * 400), {150, 97}, true, 1.0},
      {"every key right at 100 %", Figures(40, 0, 40, 40 * 240), {175, 100}, true, 1.0},
      {"one error at 100 %", Figures(40, 1, 39, 39 * 240), {175, 100}, false, 0.0},
      {"nothing typed", Figures(0, 0, 0, 0), {}, false, 0.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const CourseStanding s = Course_Standing(row.figures, row.targets);
    EXPECT_EQ(s.confident, row.confident);
    EXPECT_NEAR(s.confidence, row.confidence, 1e-9);
  }
}

TEST(CourseUnlock, ALessonsFiguresJoinTheOlderWithinTheWindow) {
  struct Row {
    const char* what;
    CourseFigures before, lesson, after;
  };
  const Row rows[] = {
      {"room for both", Figures(10, 2, 8, 800), Figures(10, 0, 10, 1000), Figures(20, 2, 18, 1800)},
      {"the older scaled to make room", Figures(40, 4, 36, 3600), Figures(20, 0, 20, 2000),
       Figures(40, 2, 38, 3800)},
      {"a lesson of more than the window", Figures(40, 4, 36, 3600), Figures(80, 8, 72, 7200),
       Figures(40, 4, 36, 3600)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CourseProgress progress = Course_NewProgress(Order());
    progress.unlocked[0].figures = row.before;
    KeyStats stats;
    Keys_Reset(stats);
    KeyFigure& slot = stats.slots[0];
    slot = KeyFigure{};
    slot.ch = u'a';
    slot.expected = static_cast<uint32_t>(row.lesson.keystrokes);
    slot.errors = static_cast<uint32_t>(row.lesson.errors);
    slot.timed = static_cast<uint32_t>(row.lesson.timed);
    slot.ms = static_cast<uint32_t>(row.lesson.ms);
    Course_AddLesson(progress, stats);
    const CourseFigures& f = progress.unlocked[0].figures;
    EXPECT_NEAR(f.keystrokes, row.after.keystrokes, 1e-9);
    EXPECT_NEAR(f.errors, row.after.errors, 1e-9);
    EXPECT_NEAR(f.timed, row.after.timed, 1e-9);
    EXPECT_NEAR(f.ms, row.after.ms, 1e-9);
    EXPECT_EQ(progress.lessons, 1u);
  }
}

TEST(CourseUnlock, CapitalsCountForTheirLetterAndForTheShiftKeys) {
  CourseProgress progress;
  progress.unlocked = {{u'a', {}}, {kCourseCapitals, {}}, {u'b', {}}};
  Course_AddLesson(progress, kftest::TypeLesson(u"Aa Ab", 240, 0));
  EXPECT_EQ(Course_FiguresOf(progress, u'a')->keystrokes, 3);
  EXPECT_EQ(Course_FiguresOf(progress, kCourseCapitals)->keystrokes, 2);
  EXPECT_EQ(Course_FiguresOf(progress, u'b')->keystrokes, 1);
}

TEST(CourseUnlock, TheNextKeyComesWhenEveryKeyIsConfidentAndNoKeyIsEverLockedAgain) {
  const CourseKeyOrder order = Order();
  const CourseFigures good = Figures(40, 0, 40, 40 * 240), weak = Figures(40, 4, 36, 36 * 240);
  const CourseFigures few = Figures(10, 0, 10, 10 * 240);
  struct Row {
    const char* what;
    std::vector<CourseFigures> figures;  // of the keys unlocked, in order
    char16_t unlocked;
  };
  const Row rows[] = {
      {"both confident", {good, good}, u'd'},
      {"one key too inaccurate", {good, weak}, 0},
      {"one key with too few keystrokes", {few, good}, 0},
      {"three confident", {good, good, good}, u'f'},
      {"the newest not yet typed", {good, good, Figures(0, 0, 0, 0)}, 0},
      {"the whole order unlocked", {good, good, good, good, good}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CourseProgress progress;
    for (size_t i = 0; i < row.figures.size(); ++i) progress.unlocked.push_back({order.keys[i], row.figures[i]});
    const size_t before = progress.unlocked.size();
    EXPECT_EQ(Course_UnlockNext(progress, order, {}), row.unlocked);
    EXPECT_EQ(progress.unlocked.size(), before + (row.unlocked ? 1 : 0));
    // Poor lessons afterwards lower the figures, never the keys unlocked.
    for (int lesson = 0; lesson < 3; ++lesson) Course_AddLesson(progress, kftest::TypeLesson(u"asdfj asdfj", 900, 2));
    EXPECT_EQ(Course_UnlockNext(progress, order, {}), 0);
    EXPECT_EQ(progress.unlocked.size(), before + (row.unlocked ? 1 : 0));
  }
}

TEST(CourseUnlock, TheFocusIsTheNewestUntilConfidentThenTheWeakest) {
  const CourseKeyOrder order = Order();
  const CourseFigures good = Figures(40, 0, 40, 40 * 240), slow = Figures(40, 0, 40, 40 * 400);
  const CourseFigures slower = Figures(40, 0, 40, 40 * 600);
  struct Row {
    const char* what;
    std::vector<CourseFigures> figures;
    char16_t focus;
  };
  const Row rows[] = {
      {"the first lesson's keys: the weakest", {good, slow}, u's'},
      {"the first lesson's keys alike: the first", {Figures(0, 0, 0, 0), Figures(0, 0, 0, 0)}, u'a'},
      {"the newest, not yet confident", {slower, good, slow}, u'd'},
      {"the newest confident: the weakest", {slower, good, good}, u'a'},
      {"every key confident: the first", {good, good, good}, u'a'},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CourseProgress progress;
    for (size_t i = 0; i < row.figures.size(); ++i) progress.unlocked.push_back({order.keys[i], row.figures[i]});
    EXPECT_EQ(Course_FocusKey(progress, order, {}), row.focus);
  }
}

TEST(CourseUnlock, ThePaceIsTheTimedSpeedOnceEnoughIsTimed) {
  struct Row {
    const char* what;
    CourseFigures figures;
    double pace;
  };
  const Row rows[] = {
      {"nothing timed: the target", Figures(0, 0, 0, 0), 175},
      {"too little timed: the target", Figures(19, 0, 19, 19 * 1000), 175},
      {"300 CPM", Figures(40, 0, 40, 40 * 200), 300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CourseProgress progress;
    progress.unlocked = {{u'a', row.figures}, {kCourseCapitals, Figures(40, 0, 40, 40)}};
    EXPECT_NEAR(Course_Pace(progress, {}), row.pace, 1e-9);
  }
}
