#pragma once
// A lesson of the course: about a minute of text at the learner's pace, made only of the keys
// unlocked, with the focus key in at least 70 % of its words. Its words are real words of the
// language made of the unlocked letters; when fewer than kLessonPoolWords such words hold the
// focus letter (or lack it), pronounceable words from the letter model fill the pool. Once
// unlocked, capitals begin the lesson, each sentence and some words; marks follow or join words
// as the language writes them; digits make numbers. Lines as a sample's: words separated by one
// space, CR LF between lines, none after the last. Window-free.
#include <cstddef>
#include <cstdint>

#include "common/text.h"
#include "course/course_keys.h"
#include "course/course_unlock.h"
#include "course/course_words.h"

// Characters of a lesson: the learner's pace over one minute, within these bounds.
constexpr size_t kMinLessonChars = 100, kMaxLessonChars = 600;
// Distinct words a lesson draws its focus words (and its other words) from, at the least.
constexpr size_t kLessonPoolWords = 24;
// Of every kLessonRound words, all but one hold the focus key: 80 %.
constexpr size_t kLessonRound = 5;

struct CourseLesson {
  Text16 text;
  char16_t focus = 0;     // the key it works on
  size_t words = 0;       // its words: the runs between blanks
  size_t focusWords = 0;  // of them, those that hold the focus key
  size_t madeWords = 0;   // of them, pronounceable words of the letter model
};

// The lesson for `progress` (the keys unlocked, the focus), drawn with `seed`.
CourseLesson Course_BuildLesson(const CourseWords& words, const CourseKeyOrder& order,
                                const CourseProgress& progress, const CourseTargets& targets, uint32_t seed);
// Whether a word of a lesson holds the course key `key` (the capitals: a capital letter).
bool Course_WordHolds(int language, const Text16& word, char16_t key);
