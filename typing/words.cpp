// The two word tables, the lookups the keystroke processing uses, and the hand class of a word.
#include "typing/words.h"

#include <algorithm>

WordTables g_Words;

namespace {

// First record whose word equals `text`; indexes are 16-bit, so only the first
// kMaxTableRecords records can be reached.
template <typename Record>
int16_t FindWord(const std::vector<Record>& table, const Text16& text) {
  const size_t n = std::min(table.size(), kMaxTableRecords);
  for (size_t i = 0; i < n; ++i) {
    if (table[i].word == text) return static_cast<int16_t>(i);
  }
  return -1;
}

bool IsIn(char16_t c, const Text16& set) { return set.find(c) != Text16::npos; }

bool AllIn(const Text16& word, const Text16& set) {
  for (char16_t c : word) {
    if (!IsIn(c, set)) return false;
  }
  return true;
}

// One or more letters of `first` followed by one or more letters of `second`. Once a letter
// outside `first` has been seen, every later letter must be in `second`.
bool RunsFromTo(const Text16& word, const Text16& first, const Text16& second) {
  bool switched = false;
  for (char16_t c : word) {
    if (!switched && IsIn(c, first)) continue;
    switched = true;
    if (!IsIn(c, second)) return false;
  }
  return true;
}

}  // namespace


bool App_IsWordBlank(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n'; }

bool App_IsPunctuation(char16_t unit) {
  static const Text16 kPunctuation =
      u".,;:!?\"'()[]{}<>\u00AB\u00BB\u2039\u203A\u201C\u201D\u201E\u2018\u2019\u201A-\u2010\u2011\u2012\u2013\u2014"
      u"\u2015\u2026/\\*\u00A1\u00BF\u00B7";
  return kPunctuation.find(unit) != Text16::npos;
}

bool App_IsWordRun(const Text16& text, size_t begin, size_t end) {
  for (size_t i = begin; i < end && i < text.size(); ++i) {
    if (!App_IsPunctuation(text[i]) && !App_IsWordBlank(text[i])) return true;
  }
  return false;
}

int16_t Mode4_FindTestWordAt(size_t begin, size_t end, const WordTables& words) {
  const size_t n = std::min(words.testWords.size(), kMaxTableRecords);
  const auto first = words.testWords.begin(), last = first + static_cast<std::ptrdiff_t>(n);
  const auto at = std::lower_bound(first, last, begin, [](const TestWordRecord& r, size_t place) {
    return r.offset < 0 || static_cast<size_t>(r.offset) < place;
  });
  if (at == last || at->offset < 0 || static_cast<size_t>(at->offset) >= end) return -1;
  return static_cast<int16_t>(at - first);
}

int16_t Mode3_FindCustomWord(const Text16& text, const WordTables& words) {
  return FindWord(words.customWords, text);
}

const CustomWordRecord* Mode3_FirstWordWithPrefix(const Text16& text, const WordTables& words) {
  // The word's terminator counts as a unit, so a word shorter than the text never matches;
  // an empty text matches the first record there is.
  for (const CustomWordRecord& record : words.customWords) {
    if (record.word.size() >= text.size() && record.word.compare(0, text.size(), text) == 0) return &record;
  }
  return nullptr;
}

bool App_IsCustomWordPrefix(const Text16& text, const WordTables& words) {
  return Mode3_FirstWordWithPrefix(text, words) != nullptr;
}

int16_t Mode4_ClassifyWord(const Text16& word, const HandLetters& letters) {
  // The order of the tests settles overlaps: a custom word of left-hand letters only is class 1.
  if (word.empty() || AllIn(word, letters.left)) return kWordLeftHand;
  if (AllIn(word, letters.right)) return kWordRightHand;
  if (RunsFromTo(word, letters.left, letters.right)) return kWordLeftToRight;
  if (RunsFromTo(word, letters.right, letters.left)) return kWordRightToLeft;
  return App_IsCustomWordPrefix(word) ? kWordCustom : kWordNone;
}
