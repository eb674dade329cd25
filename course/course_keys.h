#pragma once
// The order in which the course gives a language's keys, on the language's own keyboard: the
// home row's letters first, then the other letters, the most frequent in the language's words
// first; then capitals (the Shift keys), then the punctuation marks and last the digits. The
// first lesson has the home row's letters, and the next letters too while fewer than
// kCourseStartWords real words are made of them. Window-free.
#include <cstddef>
#include <vector>

#include "common/text.h"
#include "course/course_words.h"

// The capitals stand in the order as one key: the arrow of the Shift keys.
constexpr char16_t kCourseCapitals = u'\u21E7';
// Real words the first lesson's letters make at least, where the language has them.
constexpr size_t kCourseStartWords = 20;

enum class CourseStage { Letters, Capitals, Punctuation, Digits };

// How a punctuation mark stands in a lesson: `pattern` with '#' for a word ("#," after a word,
// "#-#" between two, "l'#" before one); its other characters are keys of earlier stages.
struct CourseMark {
  char16_t mark;
  const char16_t* pattern;
};

struct CourseKeyOrder {
  int language = 1;
  Text16 keys;            // every key of the course, in the order they are unlocked
  size_t startCount = 0;  // keys[0, startCount) are unlocked from the first lesson
};

// The order of the words' language (their letters and counts).
CourseKeyOrder Course_KeyOrder(const CourseWords& words);
// The stage a key of the course belongs to.
CourseStage Course_StageOf(char16_t key);
// How the mark stands in a lesson of `language`; none for a key that is no mark of it.
const CourseMark* Course_MarkOf(int language, char16_t key);
// The keys of the course a typed character was made with: a lower-case letter, a mark or a digit
// its own key; a capital its letter's key and the capitals; 0 for none (`keys` holds two).
void Course_KeysOfCharacter(int language, char16_t ch, char16_t keys[2]);
// The capital of a letter on the language's keyboard (Shift with the letter's key), 0 for none.
char16_t Course_CapitalOf(int language, char16_t letter);
