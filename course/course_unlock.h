#pragma once
// The course's progress in one language and its rules: the keys unlocked, each with its figures
// over about its last kCourseWindow keystrokes, how confident each is, which key a lesson works
// on, and when the next key is unlocked. Window-free.
//
// A key's figures: the keystrokes made where it was to be typed, the wrong ones among them, and
// the right ones that were timed with their time (a key typed after a wrong key or a Backspace,
// or after a pause, is counted but not timed). A finished lesson adds its figures; when they and
// the older ones come to more than kCourseWindow keystrokes, the older are scaled down so that
// the whole is kCourseWindow again, so the figures follow the learner's recent typing.
//
// The next key of the order is unlocked when every unlocked key has at least
// kCourseObservations keystrokes and meets both the target speed and the target accuracy; an
// unlocked key is never locked again.
#include <cstdint>
#include <vector>

#include "common/text.h"
#include "course/course_keys.h"
#include "settings/settings.h"
#include "typing/key_stats.h"

constexpr double kCourseWindow = 40;        // keystrokes a key's figures speak of
constexpr double kCourseObservations = 20;  // keystrokes a key needs before it is judged

struct CourseTargets {
  int32_t cpm = kDefaultCourseSpeed;          // characters a minute
  int32_t accuracy = kDefaultCourseAccuracy;  // percent of right keys
};

struct CourseFigures {
  double keystrokes = 0;
  double errors = 0;
  double timed = 0;
  double ms = 0;
};

struct CourseKey {
  char16_t key = 0;
  CourseFigures figures;
};

struct CourseProgress {
  int language = 1;
  uint32_t lessons = 0;              // lessons finished
  std::vector<CourseKey> unlocked;   // in the order they were unlocked; never fewer than the start
};

// Where a key stands against the targets.
struct CourseStanding {
  double keystrokes = 0;  // of kCourseObservations needed
  double cpm = 0;         // its speed: 0 before any timed keystroke
  double accuracy = 0;    // percent of right keys: 0 before any keystroke
  double confidence = 0;  // 0 to 1: the least of keystrokes, speed and accuracy against their needs
  bool confident = false; // enough keystrokes, and both targets met (confidence 1)
};

// A new course of the order's language: its first lesson's keys unlocked.
CourseProgress Course_NewProgress(const CourseKeyOrder& order);
// The targets from the settings.
CourseTargets Course_TargetsOf(const SettingsState& settings);
// A key's figures against the targets. Accuracy counts for as much as its errors allow: at 97 %
// a key with twice the allowed 3 % errors has half the confidence.
CourseStanding Course_Standing(const CourseFigures& figures, const CourseTargets& targets);
// The figures of `key`; none for a locked key.
const CourseFigures* Course_FiguresOf(const CourseProgress& progress, char16_t key);
// The key a lesson works on: the newest key (unlocked after the first lesson's) until it is
// confident, else the unlocked key of least confidence (the earliest unlocked of equals).
char16_t Course_FocusKey(const CourseProgress& progress, const CourseKeyOrder& order, const CourseTargets& targets);
// A finished lesson's figures (`stats` of the lesson's text) added to the unlocked keys: a
// capital counts for its letter's key and for the capitals. The lesson is counted.
void Course_AddLesson(CourseProgress& progress, const KeyStats& stats);
// Unlocks the next key of the order when every unlocked key is confident: the key, or 0.
char16_t Course_UnlockNext(CourseProgress& progress, const CourseKeyOrder& order, const CourseTargets& targets);
// The learner's speed over the unlocked keys' timed keystrokes, in characters a minute; the
// target speed until kCourseObservations keystrokes are timed.
double Course_Pace(const CourseProgress& progress, const CourseTargets& targets);
