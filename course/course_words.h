#pragma once
// The course's word data of one language: its list of real words (<language>\Course\Words.txt,
// one lower-case word a line, UTF-8) and the letter model made from it, which makes pronounceable
// words of any set of letters when too few real words are made of them. Window-free.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/text.h"

// Bytes of a word file that are read at most: the shipped lists take about 45 KB.
constexpr size_t kMaxCourseWordBytes = 4 * 1024 * 1024;
// Letters of a word of the list, and of a pronounceable word.
constexpr size_t kMinCourseWord = 2, kMaxCourseWord = 10;
constexpr size_t kMinMadeWord = 3, kMaxMadeWord = 8;

struct CourseWords {
  int language = 1;
  // The language's letters: the keyboard's keys whose unshifted character is a lower-case
  // letter, the most frequent in the words first (the keyboard's order between equals).
  Text16 letters;
  std::vector<uint32_t> letterCounts;  // occurrences in the words, by place in `letters`
  std::vector<Text16> words;           // the list's words made only of `letters`, in file order
  std::vector<uint64_t> masks;         // each word's letters, a bit for each place in `letters`
  // The letter model: how often each letter follows each pair (a word's edges as place 0,
  // letters from 1), and each single letter; indexes (a * n + b) * n + c with n letters + 1.
  std::vector<uint32_t> triples;
  std::vector<uint32_t> pairs;
};

// "\EN\Course\Words.txt" (FR for 2, RU for 3, EN for any other language).
std::string Course_WordsRelativePath(int language);
// The words of a word file's bytes (a UTF-8 mark, CR LF or LF line ends, blanks around a word
// allowed); lines that are no lower-case word of the language's letters, or of another length,
// are left out, and so is everything past kMaxCourseWordBytes.
CourseWords Course_DecodeWords(int language, const std::string& bytes);
// The word file of `language` in the data folder; a missing or unreadable file gives no words
// (and the letters in the keyboard's order).
CourseWords Course_LoadWords(int language);

// Whether `word` is made only of `allowed` letters.
bool Course_MadeOf(const Text16& word, const Text16& allowed);
// The bits of `letters` among the words' letters (a keyboard has fewer than 64 letter keys).
uint64_t Course_LetterMask(const CourseWords& words, const Text16& letters);
// A pronounceable word of kMinMadeWord to kMaxMadeWord letters, each of `allowed`, drawn letter
// by letter from the model: what follows the last two letters in the words, else what follows
// the last one (without words, any allowed letter). With `must` (0 for none), only a word that
// holds it; empty when none comes in a few tries.
Text16 Course_MakeWord(const CourseWords& words, const Text16& allowed, char16_t must, std::mt19937& rng);
