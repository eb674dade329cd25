#pragma once
// Practice of the weak keys: a text of real words made for the keys that hold the learner back
// most, from the language's word lists and sample texts. Window-free; the glue gathers the
// words, the key figures and the clock's seed, writes the text to Practice.txt and loads it.
#include <cstdint>
#include <vector>

#include "common/text.h"
#include "keys/key_history.h"
#include "typing/keyboards.h"

// Before this many keystrokes of the language are recorded, no key can be judged fairly.
constexpr uint64_t kMinPracticeKeystrokes = 200;
constexpr size_t kPracticeKeys = 3;          // weak keys one text trains at most
constexpr size_t kPracticeLines = 10;
constexpr size_t kPracticeLineUnits = 56;    // what the sample view shows on one line
constexpr int kPracticeWordUses = 2;         // no word more often in one text
constexpr double kPracticeBoost = 3.0;       // each weak key at least this many times its base rate
constexpr size_t kMinPracticeWord = 2, kMaxPracticeWord = 14;

enum class PracticeResult {
  Ok,
  NeedsTests,  // fewer than kMinPracticeKeystrokes, or no key with enough keystrokes
  NoWords,     // no word of the lists holds a weak key
};

struct Practice {
  PracticeResult result = PracticeResult::NeedsTests;
  Text16 text;               // lines of words, CR LF between them, none after the last
  std::vector<size_t> keys;  // the keys trained, by index into the layout's keys
};

// The words of a text or list entry: runs of letters (Latin, Latin-1 and extended Latin,
// Cyrillic) of kMinPracticeWord to kMaxPracticeWord units; anything else separates them.
void Mode4_CollectWords(const Text16& text, std::vector<Text16>& words);
// How often the key's characters (both shift levels) come per character of `text`, line breaks
// not counted.
double Mode4_KeyRate(const KeyCap& key, const Text16& text);
// A practice text for the weakest keys of `summary` (the weakest first, as many as the words can
// carry at kPracticeBoost times their rate in `baseText`, the language's own sample), made of
// `words` (duplicates allowed), each used at most kPracticeWordUses times, drawn with `seed`.
Practice Mode4_BuildPractice(const KeySummary& summary, const std::vector<Text16>& words, const Text16& baseText,
                             uint32_t seed);
// The bytes of Practice.txt: UTF-16 little-endian with its byte-order mark, as sample files are.
std::string Mode4_PracticeFileBytes(const Text16& text);
