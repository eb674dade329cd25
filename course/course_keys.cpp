// The course's order of keys.
#include "course/course_keys.h"

#include <algorithm>

#include "common/languages.h"
#include "typing/keyboards.h"

namespace {

// The marks of each language in the order the course gives them, as they stand in a text. On
// AZERTY the apostrophe elides ("l'eau"); in English it makes a possessive.
constexpr CourseMark kEnglishMarks[] = {{u'.', u"#."}, {u',', u"#,"}, {u'\'', u"#'s"}, {u'-', u"#-#"},
                                        {u'?', u"#?"}, {u'!', u"#!"}, {u';', u"#;"},   {u':', u"#:"}};
constexpr CourseMark kFrenchMarks[] = {{u',', u"#,"}, {u'.', u"#."}, {u'\'', u"l'#"}, {u'-', u"#-#"},
                                       {u'?', u"#?"}, {u'!', u"#!"}, {u';', u"#;"},   {u':', u"#:"}};
constexpr CourseMark kRussianMarks[] = {{u'.', u"#."}, {u',', u"#,"}, {u'-', u"#-#"}, {u'?', u"#?"},
                                        {u'!', u"#!"}, {u';', u"#;"}, {u':', u"#:"}};
constexpr char16_t kDigits[] = u"1234567890";  // as the digit row runs

struct Marks {
  const CourseMark* marks;
  size_t count;
};

Marks MarksOf(int language) {
  switch (Language_Of(language).number) {
    case 2: return {kFrenchMarks, sizeof kFrenchMarks / sizeof kFrenchMarks[0]};
    case 3: return {kRussianMarks, sizeof kRussianMarks / sizeof kRussianMarks[0]};
    default: return {kEnglishMarks, sizeof kEnglishMarks / sizeof kEnglishMarks[0]};
  }
}

bool IsUpperLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x400 && c <= 0x42F);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

size_t RealWordsOf(const CourseWords& words, const Text16& letters) {
  size_t n = 0;
  for (const Text16& word : words.words) n += Course_MadeOf(word, letters);
  return n;
}

}  // namespace

CourseKeyOrder Course_KeyOrder(const CourseWords& words) {
  CourseKeyOrder order;
  order.language = words.language;
  const KeyboardLayout& layout = Keyboard_Of(words.language);
  for (char16_t c : words.letters) {
    const KeyCap* key = Keyboard_KeyOf(layout, c);
    if (key && key->home) order.keys += c;
  }
  order.startCount = order.keys.size();
  for (char16_t c : words.letters) {
    if (order.keys.find(c) == Text16::npos) order.keys += c;
  }
  const size_t wanted = std::min(kCourseStartWords, words.words.size());
  while (order.startCount < words.letters.size() && RealWordsOf(words, order.keys.substr(0, order.startCount)) < wanted)
    ++order.startCount;
  if (std::any_of(words.letters.begin(), words.letters.end(),
                  [&](char16_t c) { return Course_CapitalOf(words.language, c) != 0; }))
    order.keys += kCourseCapitals;
  const Marks marks = MarksOf(words.language);
  for (size_t i = 0; i < marks.count; ++i) {
    if (Keyboard_KeyOf(layout, marks.marks[i].mark)) order.keys += marks.marks[i].mark;
  }
  for (const char16_t* d = kDigits; *d; ++d) {
    if (Keyboard_KeyOf(layout, *d)) order.keys += *d;
  }
  return order;
}

CourseStage Course_StageOf(char16_t key) {
  if (key == kCourseCapitals) return CourseStage::Capitals;
  if (IsDigit(key)) return CourseStage::Digits;
  for (int language = 1; language <= kLanguageCount; ++language) {
    if (Course_MarkOf(language, key)) return CourseStage::Punctuation;
  }
  return CourseStage::Letters;
}

const CourseMark* Course_MarkOf(int language, char16_t key) {
  const Marks marks = MarksOf(language);
  for (size_t i = 0; i < marks.count; ++i) {
    if (marks.marks[i].mark == key) return &marks.marks[i];
  }
  return nullptr;
}

char16_t Course_CapitalOf(int language, char16_t letter) {
  const KeyCap* key = Keyboard_KeyOf(Keyboard_Of(language), letter);
  return key && key->normal == letter && IsUpperLetter(key->shifted) ? key->shifted : char16_t(0);
}

void Course_KeysOfCharacter(int language, char16_t ch, char16_t keys[2]) {
  keys[0] = keys[1] = 0;
  const KeyCap* key = Keyboard_KeyOf(Keyboard_Of(language), ch);
  if (!key || ch == u' ') return;
  if (IsUpperLetter(ch)) {
    if (key->shifted == ch && Course_CapitalOf(language, key->normal) == ch) {
      keys[0] = key->normal;
      keys[1] = kCourseCapitals;
    }
    return;
  }
  if (IsDigit(ch) || Course_MarkOf(language, ch) || key->normal == ch) keys[0] = ch;
}
