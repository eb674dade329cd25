// The course's lessons: which words, how they are dressed at the later stages, and the lines.
#include "course/course_lesson.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "keys/key_practice.h"

namespace {

// Of the words that are not the focus's own, one in so many carries a mark, is a number, or
// begins with a capital, once those keys are unlocked.
constexpr uint32_t kMarkEvery = 6, kNumberEvery = 10, kCapitalEvery = 8;
constexpr uint32_t kMaxNumber = 4;  // digits of a number
constexpr int kCapitalTries = 8;    // words drawn for one that has a capital
constexpr size_t kMadeTriesPerWord = 4;
constexpr size_t kMadeGiveUp = 3;

// Words drawn in shuffled rounds, so that each comes back only when all the others have: real
// words by their place in the list, then the letter model's.
struct Pool {
  std::vector<uint32_t> real;
  std::vector<Text16> made;
  std::vector<uint32_t> order;  // the round: below real.size() a real word, else a made one
  size_t next = 0;
};

struct Builder {
  const CourseWords& words;
  int language;
  Text16 letters, marks, digits;  // the unlocked keys of each kind
  bool capitals;
  char16_t focus;
  CourseStage stage;
  std::mt19937 rng;
  Pool focusPool, otherPool;
};

// A word drawn for the lesson, as it will stand.
struct Token {
  Text16 text;
  bool made = false;
};

// The real words made of the unlocked letters that hold `must` (0: any) and lack `without`
// (0: none), then made words up to kLessonPoolWords.
Pool MakePool(Builder& b, char16_t must, char16_t without) {
  Pool pool;
  Text16 allowed;
  for (char16_t c : b.letters) {
    if (c != without) allowed += c;
  }
  const uint64_t allowedMask = Course_LetterMask(b.words, allowed);
  const uint64_t mustMask = must ? Course_LetterMask(b.words, Text16(1, must)) : 0;
  for (size_t i = 0; i < b.words.masks.size(); ++i) {
    const uint64_t mask = b.words.masks[i];
    if ((mask & ~allowedMask) == 0 && (mask & mustMask) == mustMask) pool.real.push_back(static_cast<uint32_t>(i));
  }
  // The model gives up on letters it cannot make words of: a few empty answers in a row end it.
  for (size_t tries = 0, empty = 0; pool.real.size() + pool.made.size() < kLessonPoolWords &&
                                    tries < kLessonPoolWords * kMadeTriesPerWord && empty < kMadeGiveUp;
       ++tries) {
    const Text16 w = Course_MakeWord(b.words, allowed, must, b.rng);
    empty = w.empty() ? empty + 1 : 0;
    const bool known = std::find(pool.made.begin(), pool.made.end(), w) != pool.made.end() ||
                       std::any_of(pool.real.begin(), pool.real.end(), [&](uint32_t i) { return b.words.words[i] == w; });
    if (!w.empty() && !known) pool.made.push_back(w);
  }
  for (uint32_t i = 0; i < pool.real.size() + pool.made.size(); ++i) pool.order.push_back(i);
  return pool;
}

Token Draw(Builder& b, Pool& wanted) {
  Pool& pool = wanted.order.empty() ? b.focusPool : wanted;
  if (pool.order.empty()) return Token();
  if (pool.next == pool.order.size()) pool.next = 0;
  // The round's order is shuffled as it is drawn.
  std::swap(pool.order[pool.next], pool.order[pool.next + b.rng() % (pool.order.size() - pool.next)]);
  const uint32_t at = pool.order[pool.next++];
  if (at < pool.real.size()) return {b.words.words[pool.real[at]], false};
  return {pool.made[at - pool.real.size()], true};
}

bool Capitalize(const Builder& b, Text16& word) {
  const char16_t capital = word.empty() ? char16_t(0) : Course_CapitalOf(b.language, word[0]);
  if (capital) word[0] = capital;
  return capital != 0;
}

// `word` as `mark` writes it; a second word, when the mark joins two, from the other words.
void Mark(Builder& b, char16_t mark, Text16& word) {
  const CourseMark* m = Course_MarkOf(b.language, mark);
  if (!m) return;
  Text16 out;
  bool first = true;
  for (const char16_t* p = m->pattern; *p; ++p) {
    if (*p != u'#') {
      out += *p;
    } else if (first) {
      out += word;
      first = false;
    } else {
      out += Draw(b, b.otherPool).text;
    }
  }
  word = out;
}

Text16 Number(Builder& b, char16_t must) {
  Text16 number;
  const uint32_t length = 1 + b.rng() % kMaxNumber;
  for (uint32_t i = 0; i < length; ++i) number += b.digits[b.rng() % b.digits.size()];
  if (must && number.find(must) == Text16::npos) number[b.rng() % number.size()] = must;
  return number;
}

// The word of the lesson's slot `i`: the focus's own in all but one slot of each round.
Token Word(Builder& b, size_t i, bool sentenceStart) {
  const bool own = i % kLessonRound != kLessonRound - 1;
  if (own && b.stage == CourseStage::Digits) return {Number(b, b.focus), false};
  if (!own && !b.digits.empty() && b.rng() % kNumberEvery == 0) return {Number(b, 0), false};
  Token t = Draw(b, own ? b.focusPool : b.otherPool);
  if (own && b.stage == CourseStage::Capitals) {
    for (int tries = 1; tries < kCapitalTries && !t.text.empty() && !Course_CapitalOf(b.language, t.text[0]); ++tries)
      t = Draw(b, b.focusPool);
  }
  const bool capital = b.capitals && (sentenceStart || (own && b.stage == CourseStage::Capitals) ||
                                      b.rng() % kCapitalEvery == 0);
  if (capital) Capitalize(b, t.text);
  if (own && b.stage == CourseStage::Punctuation) {
    Mark(b, b.focus, t.text);
  } else if (!b.marks.empty() && b.rng() % kMarkEvery == 0) {
    Mark(b, b.marks[b.rng() % b.marks.size()], t.text);
  }
  return t;
}

Builder MakeBuilder(const CourseWords& words, const CourseProgress& progress, char16_t focus, uint32_t seed) {
  Builder b{words, words.language, {}, {}, {}, false, focus, Course_StageOf(focus), std::mt19937(seed), {}, {}};
  for (const CourseKey& k : progress.unlocked) {
    switch (Course_StageOf(k.key)) {
      case CourseStage::Letters: b.letters += k.key; break;
      case CourseStage::Capitals: b.capitals = true; break;
      case CourseStage::Punctuation: b.marks += k.key; break;
      case CourseStage::Digits: b.digits += k.key; break;
    }
  }
  const bool letterFocus = b.stage == CourseStage::Letters;
  b.focusPool = MakePool(b, letterFocus ? focus : char16_t(0), 0);
  b.otherPool = letterFocus ? MakePool(b, 0, focus) : b.focusPool;
  return b;
}

bool EndsSentence(const Text16& word) {
  return !word.empty() && (word.back() == u'.' || word.back() == u'?' || word.back() == u'!');
}

}  // namespace

bool Course_WordHolds(int language, const Text16& word, char16_t key) {
  for (char16_t c : word) {
    char16_t keys[2];
    Course_KeysOfCharacter(language, c, keys);
    if (key != 0 && (keys[0] == key || keys[1] == key)) return true;
  }
  return false;
}

CourseLesson Course_BuildLesson(const CourseWords& words, const CourseKeyOrder& order,
                                const CourseProgress& progress, const CourseTargets& targets, uint32_t seed) {
  CourseLesson lesson;
  lesson.focus = Course_FocusKey(progress, order, targets);
  if (!lesson.focus) return lesson;
  Builder b = MakeBuilder(words, progress, lesson.focus, seed);
  const double pace = std::round(Course_Pace(progress, targets));
  const size_t wanted = std::clamp(static_cast<size_t>(std::max(pace, 0.0)), kMinLessonChars, kMaxLessonChars);
  Text16 line;
  size_t length = 0;
  bool sentenceStart = true;
  for (size_t i = 0; length < wanted; ++i) {
    const Token t = Word(b, i, sentenceStart);
    if (t.text.empty()) break;
    sentenceStart = EndsSentence(t.text);
    ++lesson.words;
    lesson.focusWords += Course_WordHolds(b.language, t.text, lesson.focus);
    lesson.madeWords += t.made;
    if (!line.empty() && line.size() + 1 + t.text.size() > kPracticeLineUnits) {
      lesson.text += (lesson.text.empty() ? u"" : u"\r\n") + line;
      line.clear();
    }
    length += t.text.size() + (length ? 1 : 0);
    line += (line.empty() ? u"" : u" ") + t.text;
  }
  if (!line.empty()) lesson.text += (lesson.text.empty() ? u"" : u"\r\n") + line;
  return lesson;
}
