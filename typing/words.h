#pragma once
// Word records and the two word tables, their lookups, and the hand class of a word.
#include <cstdint>
#include <vector>

#include "common/text.h"

struct TestWordRecord {
  int16_t index;     // position among the words of the sample text
  Text16 word;
  int32_t length;    // UTF-16 units of word
  float seconds;     // last completed typing (0.0 for a word typed within one tick of the clock)
  int16_t errors;    // errors of the last completed typing; kNotTyped until typed
  int32_t offset = -1;  // UTF-16 unit of the sample where the word begins: what a typing is found by
};

// The errors of a test word that has not been typed since the sample was read or a test began.
constexpr int16_t kNotTyped = -1;

struct CustomWordRecord {
  Text16 word;
  int32_t length;
  float lastSeconds;
  float totalSeconds;
  int16_t lastErrors;
  int16_t totalErrors;
  int16_t typedCount;
};

struct WordTables {
  std::vector<TestWordRecord> testWords;
  std::vector<CustomWordRecord> customWords;
};

extern WordTables g_Words;

// Largest number of records a table holds: indexes are 16-bit.
constexpr size_t kMaxTableRecords = 32767;

enum WordCategory : int16_t {
  kWordNone = 0,
  kWordLeftHand = 1,
  kWordRightHand = 2,
  kWordLeftToRight = 3,
  kWordRightToLeft = 4,
  kWordCustom = 5,
};

// The letters of each hand in one interface language (strings IDS_LEFT_HAND_LETTERS and IDS_RIGHT_HAND_LETTERS).
struct HandLetters {
  Text16 left;
  Text16 right;
};


// What separates words in a sample and in a typed text: space, tab and line breaks.
bool App_IsWordBlank(char16_t unit);
// Punctuation that is no part of a word at either end of it, and no word on its own (the French
// " :" or " !"): sentence marks, quotes, brackets, dashes.
bool App_IsPunctuation(char16_t unit);
// Whether a run of text between blanks is a word: it holds something besides punctuation.
bool App_IsWordRun(const Text16& text, size_t begin, size_t end);

// The test word that begins at a unit of the sample in [begin, end): one typed run between
// blanks holds at most one word, so each occurrence of a repeated word is found by its own place.
// The table is in the order of the text (the parser's), so the search halves it.
int16_t Mode4_FindTestWordAt(size_t begin, size_t end, const WordTables& words = g_Words);
int16_t Mode3_FindCustomWord(const Text16& text, const WordTables& words = g_Words);
bool App_IsCustomWordPrefix(const Text16& text, const WordTables& words = g_Words);
// The first custom word that begins with `text` (the one the learner is typing), or none.
const CustomWordRecord* Mode3_FirstWordWithPrefix(const Text16& text, const WordTables& words = g_Words);
int16_t Mode4_ClassifyWord(const Text16& word, const HandLetters& letters);
