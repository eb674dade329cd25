// The course's word list and its letter model.
#include "course/course_words.h"

#include <algorithm>
#include <cstdio>

#include "common/files.h"
#include "common/languages.h"
#include "typing/keyboards.h"

namespace {

// Pronounceable words tried before one that holds the letter it must is given up.
constexpr int kMakeTries = 24;
// How much likelier the letter a word must hold is drawn while the word lacks it.
constexpr uint64_t kMustBoost = 6;

bool IsLowerLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || (c >= 0x430 && c <= 0x45F);
}

// The letter keys of the language's keyboard, in the keyboard's order.
Text16 KeyboardLetters(int language) {
  const KeyboardLayout& layout = Keyboard_Of(language);
  Text16 letters;
  for (size_t i = 0; i < layout.count; ++i) {
    if (IsLowerLetter(layout.keys[i].normal)) letters += layout.keys[i].normal;
  }
  return letters;
}

// The place of `c` among the letters, from 1; 0 for none (place 0 is a word's edge).
size_t PlaceOf(const Text16& letters, char16_t c) {
  const size_t at = letters.find(c);
  return at == Text16::npos ? 0 : at + 1;
}

std::vector<Text16> Lines(const std::string& bytes) {
  std::vector<Text16> lines;
  size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const size_t end = std::min(bytes.size(), kMaxCourseWordBytes);
  while (start < end) {
    size_t stop = bytes.find('\n', start);
    if (stop == std::string::npos || stop > end) stop = end;
    std::string line = bytes.substr(start, stop - start);
    const size_t first = line.find_first_not_of(" \t\r");
    const size_t last = line.find_last_not_of(" \t\r");
    if (first != std::string::npos) lines.push_back(Text_FromUtf8(line.substr(first, last - first + 1)));
    start = stop + 1;
  }
  return lines;
}

// The letters sorted by their counts in the words, each word's letters, and the model's counts.
void Count(CourseWords& w) {
  std::vector<uint32_t> counts(w.letters.size(), 0);
  for (const Text16& word : w.words) {
    for (char16_t c : word) ++counts[PlaceOf(w.letters, c) - 1];
  }
  std::vector<size_t> order(w.letters.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return counts[a] > counts[b]; });
  Text16 sorted;
  for (size_t i : order) {
    sorted += w.letters[i];
    w.letterCounts.push_back(counts[i]);
  }
  w.letters = sorted;
  for (const Text16& word : w.words) w.masks.push_back(Course_LetterMask(w, word));
  const size_t n = w.letters.size() + 1;
  w.triples.assign(n * n * n, 0);
  w.pairs.assign(n * n, 0);
  for (const Text16& word : w.words) {
    size_t a = 0, b = 0;
    for (size_t i = 0; i <= word.size(); ++i) {
      const size_t c = i < word.size() ? PlaceOf(w.letters, word[i]) : 0;
      ++w.triples[(a * n + b) * n + c];
      ++w.pairs[b * n + c];
      a = b;
      b = c;
    }
  }
}

// The weights of the next letter after (a, b): each allowed place, then the word's end; false
// when no allowed letter follows, which ends the try. Without words every letter is as likely.
bool Weigh(const CourseWords& w, const std::vector<size_t>& places, size_t a, size_t b, bool mayEnd,
           size_t boosted, std::vector<uint64_t>& weights) {
  const size_t n = w.letters.size() + 1;
  for (int level = w.words.empty() ? 2 : 0; level < 3 && (level < 2 || w.words.empty()); ++level) {
    uint64_t total = 0;
    weights.assign(places.size() + 1, 0);
    for (size_t i = 0; i <= places.size(); ++i) {
      const size_t c = i < places.size() ? places[i] : 0;
      if (c == 0 && !mayEnd) continue;
      uint64_t weight = level == 0 ? w.triples[(a * n + b) * n + c] : level == 1 ? w.pairs[b * n + c] : 1;
      if (c != 0 && c == boosted) weight *= kMustBoost;
      weights[i] = weight;
      total += weight;
    }
    if (total > 0) return true;
  }
  return false;
}

size_t Draw(const std::vector<uint64_t>& weights, std::mt19937& rng) {
  uint64_t total = 0;
  for (uint64_t weight : weights) total += weight;
  uint64_t r = rng() % total;
  for (size_t i = 0; i < weights.size(); ++i) {
    if (r < weights[i]) return i;
    r -= weights[i];
  }
  return weights.size() - 1;
}

}  // namespace

std::string Course_WordsRelativePath(int language) {
  return std::string("\\") + Language_Of(language).folder + "\\Course\\Words.txt";
}

CourseWords Course_DecodeWords(int language, const std::string& bytes) {
  CourseWords w;
  w.language = Language_Of(language).number;
  w.letters = KeyboardLetters(w.language);
  for (Text16& line : Lines(bytes)) {
    if (line.size() >= kMinCourseWord && line.size() <= kMaxCourseWord && Course_MadeOf(line, w.letters))
      w.words.push_back(std::move(line));
  }
  Count(w);
  return w;
}

CourseWords Course_LoadWords(int language) {
  std::string bytes;
  const std::string path = Dir_DataFile(Course_WordsRelativePath(language));
  if (!Dir_Exists(path)) {
    if (std::FILE* file = File_Open(path, "rb")) {
      char block[16384];
      size_t got;
      while (bytes.size() < kMaxCourseWordBytes && (got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
      // A file that breaks off while being read gives no words, as a word list does.
      if (std::ferror(file)) bytes.clear();
      std::fclose(file);
    }
  }
  return Course_DecodeWords(language, bytes);
}

bool Course_MadeOf(const Text16& word, const Text16& allowed) {
  return std::all_of(word.begin(), word.end(), [&](char16_t c) { return allowed.find(c) != Text16::npos; });
}

uint64_t Course_LetterMask(const CourseWords& words, const Text16& letters) {
  uint64_t mask = 0;
  for (char16_t c : letters) {
    const size_t place = PlaceOf(words.letters, c);
    if (place && place <= 64) mask |= uint64_t{1} << (place - 1);
  }
  return mask;
}

Text16 Course_MakeWord(const CourseWords& w, const Text16& allowed, char16_t must, std::mt19937& rng) {
  std::vector<size_t> places;
  for (char16_t c : allowed) {
    if (const size_t p = PlaceOf(w.letters, c)) places.push_back(p);
  }
  const size_t mustPlace = must ? PlaceOf(w.letters, must) : 0;
  if (places.empty() || (must && (mustPlace == 0 || allowed.find(must) == Text16::npos))) return Text16();
  // A letter the model seldom reaches is also begun with: after a letter it follows in the words
  // (or at a word's start), on every second try.
  std::vector<size_t> before;
  const size_t n = w.letters.size() + 1;
  if (mustPlace) {
    for (size_t p : places) {
      if (w.pairs[p * n + mustPlace] > 0) before.push_back(p);
    }
    if (w.pairs[mustPlace] > 0) before.push_back(0);
  }
  std::vector<uint64_t> weights;
  for (int attempt = 0; attempt < kMakeTries; ++attempt) {
    Text16 word;
    size_t a = 0, b = 0;
    if (!before.empty() && attempt % 2 == 1) {
      a = before[rng() % before.size()];
      b = mustPlace;
      if (a) word += w.letters[a - 1];
      word += must;
    }
    while (word.size() < kMaxMadeWord) {
      const bool lacks = must && word.find(must) == Text16::npos;
      if (!Weigh(w, places, a, b, word.size() >= kMinMadeWord, lacks ? mustPlace : 0, weights)) {
        word.clear();  // a dead end: no letter of the allowed follows here
        break;
      }
      const size_t i = Draw(weights, rng);
      if (i == places.size()) break;  // the word's end
      word += w.letters[places[i] - 1];
      a = b;
      b = places[i];
    }
    if (word.size() >= kMinMadeWord && (!must || word.find(must) != Text16::npos)) return word;
  }
  return Text16();
}
