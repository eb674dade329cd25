#pragma once
// The course from the home row, as the Course screen uses it: one state per language shown, the
// lesson to type, the figures of a finished lesson in, and what to show. Window-free; the parts
// are course_words.h (word data), course_keys.h (the order of keys), course_unlock.h (figures,
// confidence, focus, unlocking), course_lesson.h (the lesson builder) and
// course_progress_file.h (the progress file).
//
// The screen, in order:
//   Course_Open(g_Course, language, Course_TargetsOf(g_Settings));   // at its build, a language switch
//   lesson = Course_NextLesson(g_Course, seed);   // its text is the sample, "Lesson" Course_LessonNumber
//   ... the lesson is typed as a test ...
//   done = Course_FinishLesson(g_Course, g_Typing.keys);   // at the test's stop: figures in, saved
//   view = Course_View(g_Course);   // keys unlocked, focus, its distance to the targets, confidences
// and Course_Reset for the Options dialog's reset, Course_SetTargets when the targets change.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/files.h"
#include "course/course_keys.h"
#include "course/course_lesson.h"
#include "course/course_progress_file.h"
#include "course/course_unlock.h"
#include "course/course_words.h"
#include "typing/key_stats.h"
#include "typing/keyboards.h"

struct CourseState {
  CourseWords words;
  CourseKeyOrder order;
  CourseProgress progress;
  CourseTargets targets;
  bool damaged = false;     // the progress file had rows that were left out: the screen may say so
  bool unreadable = false;  // it could not be read: it is never written over in this run
};

extern CourseState g_Course;

// One key as the screen and the live keyboard show it.
struct CourseKeyView {
  char16_t key = 0;  // a letter, kCourseCapitals (the Shift keys), a mark or a digit
  bool unlocked = false;
  bool focus = false;
  double confidence = 0;  // 0 to 1; 0 for a locked key
};

struct CourseView {
  std::vector<CourseKeyView> keys;  // every key of the course, in its order
  size_t unlocked = 0;              // how many of them
  char16_t focus = 0;
  CourseStanding standing;          // how far the focus key is from the targets
  CourseTargets targets;
  uint32_t lessons = 0;             // lessons finished
};

struct CourseLessonDone {
  char16_t unlocked = 0;   // the key unlocked by this lesson, or 0
  FileWriteResult saved;   // the progress file's write (not ok: the screen says it)
};

// Reads the course of `language`: its words, the order of its keys, the learner's progress.
void Course_Open(CourseState& course, int language, const CourseTargets& targets);
void Course_SetTargets(CourseState& course, const CourseTargets& targets);
// A new lesson for the progress; `seed` makes each one different (the glue's tick count).
CourseLesson Course_NextLesson(const CourseState& course, uint32_t seed);
// The number of the lesson to type next, from 1.
uint32_t Course_LessonNumber(const CourseState& course);
// The figures of a finished lesson (its test's key figures): added, the next key unlocked when
// every key has earned it, the progress saved.
CourseLessonDone Course_FinishLesson(CourseState& course, const KeyStats& stats);
// Starts the language's course again from its first lesson's keys, and saves that.
FileWriteResult Course_Reset(CourseState& course);
CourseView Course_View(const CourseState& course);
// The view of one key of the course; none for a character that is no key of it.
const CourseKeyView* Course_ViewOf(const CourseView& view, char16_t key);
// How the live keyboard shows a key of the layout: the Shift keys as the capitals; a key with
// two keys of the course (AZERTY's ";" and "."), unlocked when either is, the focus when either
// is, as confident as the less confident unlocked one. A key of none (Tab, "=") stays locked,
// `key` 0.
CourseKeyView Course_ViewOfCap(const CourseView& view, const KeyCap& cap);
