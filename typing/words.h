#pragma once
// Word records and the two word tables, their lookups, and the hand class of a word.
#include <cstdint>
#include <vector>

#include "common/text.h"

struct TestWordRecord {
  int16_t index;     // position among the words of the sample text
  Text16 word;
  int32_t length;    // UTF-16 units of word
  float seconds;     // last completed typing; 0.0 until typed
  int16_t errors;    // errors of the last completed typing; -1 until typed
};

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

// The sets the string tables hold, for the window-free tests and tools; language 2 French,
// 3 Russian, anything else English.
HandLetters App_BuiltInHandLetters(int language);

int16_t Mode4_FindTestWord(const Text16& text, const WordTables& words = g_Words);
int16_t Mode3_FindCustomWord(const Text16& text, const WordTables& words = g_Words);
bool App_IsCustomWordPrefix(const Text16& text, const WordTables& words = g_Words);
int16_t Mode4_ClassifyWord(const Text16& word, const HandLetters& letters);
