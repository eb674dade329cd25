// Keystroke rules of the four modes, run against a fake typing area that inserts each character
// after the step has seen it, as the edit control does, and does what each step says.
#include "typing/keystrokes.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/files.h"
#include "testing/scan_codes.h"
#include "exam/sample_text.h"
#include "training/word_lists.h"
#include "typing/words.h"

namespace {

using kftest::ScanCode;

// The fake screen: one typing area (caret always at the end), two word list boxes, a clock.
struct FakeScreen {
  Text16 text;
  uint32_t now = 100000;
  int alerts = 0;
  std::vector<int16_t> alertWordErrors;  // the word error count as each alert sounds
  int focusCalls = 0;
  int enableClearCalls = 0;
  int autoStarts = 0;
  int completions = 0;
  std::vector<int> expands;
  std::vector<TestFigures> shown;   // every start or stop of a test, in order
  std::vector<Text16> lists[2];
  int selectedList = 0;
  Text16 selected;
  std::vector<int16_t> updatedRows;
};

FakeScreen* g_Fake = nullptr;

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool StartsNoCase(const Text16& entry, const Text16& text) {
  if (entry.size() < text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Lower(entry[i]) != Lower(text[i])) return false;
  }
  return true;
}

Text16 FakeCaretLine() {
  const size_t lineBreak = g_Fake->text.rfind(u"\r\n");
  Text16 line = lineBreak == Text16::npos ? g_Fake->text : g_Fake->text.substr(lineBreak + 2);
  return line.substr(0, 99);
}

const WordListQuery kFakeLists = {
    [](int list, const Text16& text) {
      for (const Text16& entry : g_Fake->lists[list - 1]) {
        if (StartsNoCase(entry, text)) return true;
      }
      return false;
    },
    [](int list, const Text16& text) {
      const std::vector<Text16>& entries = g_Fake->lists[list - 1];
      for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].size() == text.size() && StartsNoCase(entries[i], text)) return static_cast<int32_t>(i);
      }
      return int32_t{-1};
    },
};

class Keystrokes : public ::testing::Test {
 protected:
  void SetUp() override {
    savedTyping_ = g_Typing;
    savedWords_ = g_Words;
    g_Typing = TypingState();
    g_Fake = &screen_;
    g_Words = WordTables();
  }
  void TearDown() override {
    g_Typing = savedTyping_;
    g_Words = savedWords_;
    g_Fake = nullptr;
  }

  // The sample and its words, cut as the Tests screen cuts them.
  void SetSample(const Text16& text) {
    sample_ = text;
    Mode4_ParseSampleText(text);
  }
  void SetCustomWords(const std::vector<Text16>& words) {
    g_Words.customWords.clear();
    for (const Text16& w : words) {
      g_Words.customWords.push_back({w, static_cast<int32_t>(w.size()), 0, 0, 0, 0, 0});
    }
  }

  // One character message: its step, what the step says done on the fake screen, then the
  // insertion the edit control makes after it.
  void Key(char16_t c, uint16_t keyWord, int mode, uint32_t advanceMs = 100) {
    const Text16 caretLine = FakeCaretLine();
    const Text16 wholeText = screen_.text.substr(0, 1999);
    const KeystrokeInput in = {c, keyWord, mode, screen_.now, caretLine, wholeText, sample_, &kFakeLists};
    const KeystrokeStep step = App_TypingStep(in, g_Typing, g_Words);
    if (step.enableClear) ++screen_.enableClearCalls;
    if (step.focusArea) ++screen_.focusCalls;
    if (step.selectList) {
      screen_.selectedList = step.selectList;
      screen_.selected = screen_.lists[step.selectList - 1].at(static_cast<size_t>(step.selectEntry));
    }
    if (step.started) {
      screen_.shown.push_back(*step.started);
      ++screen_.autoStarts;
    }
    screen_.alerts += static_cast<int>(step.alerts.size());
    screen_.alertWordErrors.insert(screen_.alertWordErrors.end(), step.alerts.begin(), step.alerts.end());
    if (step.stopped) {
      screen_.shown.push_back(*step.stopped);
      ++screen_.completions;
    }
    if (step.expandWindow) screen_.expands.push_back(1);
    if (step.updateWordRow >= 0) screen_.updatedRows.push_back(step.updateWordRow);

    if (c == 8) {
      if (!screen_.text.empty()) screen_.text.pop_back();
    } else if (c == u'\r') {
      screen_.text += u"\r\n";
    } else {
      screen_.text += c;
    }
    screen_.now += advanceMs;
  }
  void Type(const Text16& text, int mode, uint32_t advanceMs = 100) {
    for (char16_t c : text) Key(c, ScanCode(c), mode, advanceMs);
  }
  // The Start/Stop command.
  void Command() { screen_.shown.push_back(Mode4_ToggleTestState(g_Typing, screen_.now, screen_.text.substr(0, 1999))); }
  const TestWordRecord& TestWord(const Text16& word) {
    for (const TestWordRecord& r : g_Words.testWords) {
      if (r.word == word) return r;
    }
    ADD_FAILURE() << "no record";
    return g_Words.testWords.at(0);
  }

  FakeScreen screen_;
  Text16 sample_;
  TypingState savedTyping_;
  WordTables savedWords_;
};

// --- Tests mode -------------------------------------------------------------------------------

TEST_F(Keystrokes, FirstTestOfTheRunTimesEveryWordAndStopsOnTheLastCharacter) {
  SetSample(u"ab cd.");
  screen_.now = 1000;
  Key(u'a', 30, 4);  // 1000: starts the test and the first word
  ASSERT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.testStartTick, 1000u);
  EXPECT_EQ(screen_.autoStarts, 1);
  ASSERT_EQ(screen_.shown.size(), 1u);
  // The start empties every row: nothing of an earlier test stands beside this one.
  ASSERT_EQ(screen_.shown[0].rows, 6);
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(screen_.shown[0].labelIds[r], 0);
    EXPECT_TRUE(screen_.shown[0].values[r].empty());
  }

  Key(u'b', 48, 4);   // 1100
  Key(u' ', 57, 4);   // 1200: 'ab' ends
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.2f);
  EXPECT_EQ(TestWord(u"ab").errors, 0);
  EXPECT_EQ(TestWord(u"cd").errors, -1);
  Key(u'c', 46, 4);   // 1300: 'cd' starts
  Key(u'd', 32, 4);   // 1400
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_TRUE(screen_.expands.empty());
  Key(u'.', 52, 4);   // 1500: completes the sample

  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(g_Typing.testStopTick, 1500u);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.2f);
  EXPECT_EQ(TestWord(u"cd").errors, 0);
  EXPECT_EQ(screen_.text, u"ab cd.");

  // The completing full stop is part of the test: 6 characters, 6 keystrokes in 0.5 s.
  ASSERT_EQ(screen_.shown.size(), 2u);
  const TestFigures& f = screen_.shown[1];
  ASSERT_EQ(f.rows, 6);
  EXPECT_EQ(f.values[0], u"0.01");
  EXPECT_EQ(f.values[1], u"720.00");
  EXPECT_EQ(f.values[2], u"6");
  EXPECT_EQ(f.values[3], u"2");
  EXPECT_EQ(f.values[4], u"240.00");
  EXPECT_EQ(f.values[5], u"0");
  for (int r = 0; r < 6; ++r) EXPECT_EQ(f.labelIds[r], 1028 + r);
  EXPECT_EQ(g_Typing.keystrokes, 6);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_EQ(screen_.enableClearCalls, 6);
}

TEST_F(Keystrokes, FirstCharacterThatCompletesTheSampleStartsAndStopsTheTestInOneStep) {
  SetSample(u"a");
  screen_.now = 7000;
  Key(u'a', 30, 4);
  // The start first, then the stop with this one character as the whole test.
  ASSERT_EQ(screen_.shown.size(), 2u);
  EXPECT_EQ(screen_.shown[0].labelIds[0], 0);
  ASSERT_EQ(screen_.shown[1].rows, 6);
  EXPECT_EQ(screen_.shown[1].values[2], u"1");
  EXPECT_EQ(screen_.shown[1].values[3], u"1");
  EXPECT_EQ(screen_.autoStarts, 1);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(g_Typing.testStartTick, 7000u);
  EXPECT_EQ(g_Typing.testStopTick, 7000u);
}

TEST_F(Keystrokes, WrongCharacterThenBackspaceCountsOneErrorAndEveryKeystroke) {
  SetSample(u"ab cd.");
  Key(u'a', 30, 4);
  Key(u'x', 45, 4);   // wrong: one error, one alert
  EXPECT_EQ(screen_.alerts, 1);
  Key(8, 14, 4);      // Backspace: no error, no alert
  Key(u'b', 48, 4);
  Key(u' ', 57, 4);
  EXPECT_EQ(screen_.alerts, 1);
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(TestWord(u"ab").errors, 1);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.4f);
  EXPECT_EQ(g_Typing.wordErrors, 0);
  EXPECT_EQ(g_Typing.keystrokes, 5);
}

TEST_F(Keystrokes, WrongSpaceKeepsTheWordOpenAndItsErrorsCarryToTheNextWord) {
  SetSample(u"abc de.");
  Type(u"ab", 4);
  Key(u' ', 57, 4);   // the sample has 'c' here
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(g_Typing.wordErrors, 1);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
  EXPECT_EQ(TestWord(u"abc").errors, -1);

  const uint32_t restart = screen_.now;
  Key(8, 14, 4);      // after the space: a new word starts and its clock restarts
  EXPECT_EQ(g_Typing.wordStartTick, restart);
  Key(u'c', 46, 4);
  Key(u' ', 57, 4);
  EXPECT_EQ(TestWord(u"abc").errors, 1);  // carried from the wrong space
  EXPECT_FLOAT_EQ(TestWord(u"abc").seconds, 0.2f);
  EXPECT_EQ(g_Typing.testErrors, 1);
}

TEST_F(Keystrokes, SecondSpaceStartsAWordAndIsCheckedLikeAnyCharacter) {
  SetSample(u"ab  cd.");
  Type(u"ab", 4);
  Key(u' ', 57, 4);
  const uint32_t second = screen_.now;
  Key(u' ', 57, 4);
  EXPECT_EQ(g_Typing.wordStartTick, second);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
  EXPECT_EQ(g_Typing.testErrors, 0);
  Type(u"cd.", 4);
  EXPECT_EQ(g_Typing.testErrors, 0);
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.2f);  // from 'c' to the full stop
  EXPECT_EQ(g_Typing.testRunning, 0);

  // A wrong second space is one error.
  g_Typing = TypingState();
  screen_.text.clear();
  Type(u"ab ", 4);
  SetSample(u"ab cd.");
  Key(u' ', 57, 4);
  EXPECT_EQ(g_Typing.testErrors, 1);
}

TEST_F(Keystrokes, EnterAtALineEndEndsTheWordAndIsCheckedOnce) {
  SetSample(u"ab\r\ncd.");
  Type(u"ab", 4);
  Key(u'\r', 28, 4);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.2f);
  EXPECT_EQ(TestWord(u"ab").errors, 0);
  EXPECT_EQ(g_Typing.wordInProgress, 0);
  Type(u"cd.", 4);
  EXPECT_EQ(g_Typing.testErrors, 0);
  EXPECT_EQ(TestWord(u"cd").errors, 0);
  EXPECT_EQ(screen_.completions, 1);

  // A wrong Enter counts one error, not two.
  g_Typing = TypingState();
  screen_.text.clear();
  SetSample(u"ab cd.");
  Type(u"ab", 4);
  Key(u'\r', 28, 4);
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(screen_.alerts, 1);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
}

TEST_F(Keystrokes, SampleEndingWithLineBreaksIsCompleteWithoutThem) {
  SetSample(u"ab\r\ncd\r\n\r\n");
  Type(u"ab\rcd", 4);
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.1f);
  EXPECT_EQ(TestWord(u"cd").errors, 0);
  EXPECT_EQ(screen_.shown.back().values[2], u"6");  // 'ab', CR LF, 'cd'
  EXPECT_EQ(screen_.shown.back().values[3], u"2");

  // The sample's own line breaks typed afterwards are no errors and time no word again.
  screen_.now += 5000;
  Key(u'\r', 28, 4);
  Key(u'\r', 28, 4);
  EXPECT_EQ(g_Typing.testErrors, 0);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.1f);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  Key(u'\r', 28, 4);  // one more is past the end
  EXPECT_EQ(g_Typing.testErrors, 1);
}

TEST_F(Keystrokes, CompletingLetterRecordsTheWordItCompletesWithItsOwnTimeAndErrors) {
  SetSample(u"go ab abc");
  screen_.now = 1000;
  Type(u"go ab ", 4, 10);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.02f);
  const uint32_t lastWordStart = screen_.now;
  Key(u'a', 30, 4, 10);
  Key(u'x', 45, 4, 10);  // wrong, then mended
  Key(8, 14, 4, 10);
  Key(u'b', 48, 4, 10);
  screen_.now += 2000;   // a pause before the last letter
  const uint32_t last = screen_.now;
  Key(u'c', 46, 4);
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.02f);  // untouched by the last word
  EXPECT_EQ(TestWord(u"ab").errors, 0);
  EXPECT_FLOAT_EQ(TestWord(u"abc").seconds, (last - lastWordStart) * 0.001f);
  EXPECT_EQ(TestWord(u"abc").errors, 1);
  EXPECT_EQ(g_Typing.wordInProgress, 0);
  EXPECT_EQ(g_Typing.wordErrors, 0);
  const TestFigures& f = screen_.shown.back();
  EXPECT_EQ(f.values[2], u"9");
  EXPECT_EQ(f.values[3], u"3");

  // A final space of the sample completes it and is counted as a space; the word before it is
  // recorded without it.
  g_Typing = TypingState();
  screen_ = FakeScreen();
  SetSample(u"ab cd ");
  Type(u"ab cd ", 4);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.2f);
  EXPECT_EQ(TestWord(u"cd").errors, 0);
  EXPECT_EQ(screen_.shown.back().values[1], u"720.00");  // 6 keystrokes in 0.5 s
  EXPECT_EQ(screen_.shown.back().values[2], u"6");
  EXPECT_EQ(screen_.shown.back().values[3], u"2");

  // A last word of one letter is typed too: its only key completes the sample.
  g_Typing = TypingState();
  screen_ = FakeScreen();
  SetSample(u"ab c");
  Type(u"ab c", 4);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_FLOAT_EQ(TestWord(u"c").seconds, 0.0f);
  EXPECT_EQ(TestWord(u"c").errors, 0);
}

TEST_F(Keystrokes, TestsModeLetterCaseMatters) {
  SetSample(u"was.");
  Key(u'W', 17, 4);
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(screen_.alerts, 1);
}

TEST_F(Keystrokes, AutoRepeatedSpaceAndKeypadEnterAreOrdinaryCharacters) {
  SetSample(u"ab cd.");
  screen_.now = 0;
  Type(u"ab", 4);
  Key(u' ', 16441, 4);  // right character, but no word end
  EXPECT_EQ(TestWord(u"ab").errors, -1);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
  Key(u'c', 46, 4);     // not a word start either: the clock still runs from 'a'
  EXPECT_EQ(g_Typing.wordStartTick, 0u);
  Type(u"d.", 4);
  EXPECT_FLOAT_EQ(TestWord(u"cd").seconds, 0.5f);

  g_Typing = TypingState();
  screen_ = FakeScreen();
  SetSample(u"ab\r\ncd.");
  Type(u"ab", 4);
  Key(u'\r', 284, 4);
  EXPECT_EQ(TestWord(u"ab").errors, -1);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
}

TEST_F(Keystrokes, CommandStartZeroesTheCountersAndStopShowsFigures) {
  SetSample(u"ab cd.");
  Type(u"ax", 4);
  Command();  // stop
  screen_.now = 5000;
  Command();  // start
  EXPECT_EQ(g_Typing.keystrokes, 0);
  EXPECT_EQ(g_Typing.testErrors, 0);
  EXPECT_EQ(g_Typing.testStartTick, 5000u);
  Key(8, 14, 4);
  screen_.now = 5000 + 30000;
  Command();  // stop after 30 s: 1 keystroke
  const TestFigures& f = screen_.shown.back();
  EXPECT_EQ(f.values[0], u"0.50");
  EXPECT_EQ(f.values[1], u"2.00");
  EXPECT_EQ(f.values[2], u"1");
  // 'a' holds no space and is still one word; the error before the start is not this test's.
  ASSERT_EQ(f.rows, 6);
  EXPECT_EQ(f.values[3], u"1");
  EXPECT_EQ(f.values[4], u"2.00");
  EXPECT_EQ(f.values[5], u"0");
}

TEST_F(Keystrokes, EveryTestStartBeginsAFreshWord) {
  SetSample(u"ab cd.");
  Type(u"ab cd.", 4);  // the first test, completed
  ASSERT_EQ(screen_.completions, 1);

  // Clear, a 3 s wait, the Start command: the first word is timed from its own first key.
  screen_.text.clear();
  screen_.now += 3000;
  Command();
  ASSERT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.previousKey, kNoKey);
  Type(u"ab ", 4, 50);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.1f);
  EXPECT_EQ(TestWord(u"ab").errors, 0);

  // An abandoned attempt full of errors leaves none of them to the next test's first word.
  Command();  // stop
  screen_.text.clear();
  Command();  // start
  Type(u"xxxx", 4);
  EXPECT_EQ(g_Typing.wordErrors, 4);
  Command();  // stop
  screen_.text.clear();
  screen_.now += 10000;
  Command();  // start
  Type(u"ab ", 4, 50);
  EXPECT_EQ(TestWord(u"ab").errors, 0);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.1f);

  // The automatic start too: errors and the open word of another mode stay behind.
  g_Typing = TypingState();
  screen_ = FakeScreen();
  SetCustomWords({});
  Type(u"wx", 3);  // no custom word: two errors in an open word
  ASSERT_EQ(g_Typing.wordErrors, 2);
  screen_.text.clear();
  screen_.now += 3000;
  const uint32_t first = screen_.now;
  Type(u"ab ", 4);
  EXPECT_EQ(screen_.autoStarts, 1);
  EXPECT_EQ(g_Typing.wordStartTick, first);
  EXPECT_EQ(TestWord(u"ab").errors, 0);
  EXPECT_FLOAT_EQ(TestWord(u"ab").seconds, 0.2f);
}

// Every attempt at a sample, however it begins and ends, is measured on its own. A script is
// typed key by key, `ms` apart: '|' is the Clear command or any other way of leaving a test (a
// language switch, File Open, a mode change, a new sample: the screen empties the typing area and
// abandons the test), '^' the Start/Stop command (a start empties the typing area first), '~' a
// 3 s pause, '#' Backspace; any other character is typed with its own key.
struct StopFigures {
  const char16_t* cpm;
  const char16_t* words;
  const char16_t* errors;
};
struct WordTiming {
  size_t record;  // in text order: repeated words are told apart by their place
  float seconds;
  int16_t errors;
};
struct AttemptRow {
  const char* rule;
  const char16_t* sample;
  const char16_t* script;
  uint32_t ms;
  int starts;                       // tests begun by a key
  std::vector<StopFigures> stops;   // every stop, in order
  std::vector<WordTiming> words;    // records after the script; the others untyped unless allTyped
  bool allTyped;
};

TEST_F(Keystrokes, EveryAttemptIsMeasuredOnItsOwnAndEveryWordAsTheTextHasIt) {
  const AttemptRow rows[] = {
      {"the first test is timed from its first key", u"ab cd.", u"ab cd.", 100, 1,
       {{u"720.00", u"2", u"0"}}, {{0, 0.2f, 0}, {1, 0.2f, 0}}, false},
      {"Clear then a slower retake with a mistake is a test of its own, fresh words included",
       u"ab cd.", u"ab cd.|~ab cx#d.", 100, 2,
       {{u"720.00", u"2", u"0"}, {u"685.71", u"2", u"1"}}, {{0, 0.2f, 0}, {1, 0.4f, 1}}, false},
      {"typing on after a stop without Clear starts nothing", u"ab cd.", u"ab cd.~ab", 100, 1,
       {{u"720.00", u"2", u"0"}}, {}, true},
      {"a retake by the Start command after a pause is timed from its first key as the first was",
       u"ab cd.", u"ab cd.^~ab cd.", 100, 1,
       {{u"720.00", u"2", u"0"}, {u"720.00", u"2", u"0"}}, {}, true},
      {"leaving a test mid-word leaves no figures and the next attempt a fresh word",
       u"alpha beta.", u"alx|alpha beta.", 100, 2,
       {{u"660.00", u"2", u"0"}}, {{0, 0.5f, 0}, {1, 0.4f, 0}}, false},
      {"Backspace in an empty typing area starts no test", u"ab cd.", u"#ab cd.", 100, 1,
       {{u"720.00", u"2", u"0"}}, {}, true},
      {"a one-word first line and the first word are words", u"Title\r\nThe text.", u"Title\rThe text.", 100, 1,
       {{u"642.86", u"3", u"0"}}, {{0, 0.5f, 0}, {1, 0.3f, 0}, {2, 0.4f, 0}}, false},
      {"each occurrence of a repeated word keeps its own time", u"Hello, world. Hello again!",
       u"Hello, world. Hel~lo again!", 100, 1,
       {{u"283.64", u"4", u"0"}}, {{0, 0.6f, 0}, {1, 0.6f, 0}, {2, 3.5f, 0}, {3, 0.5f, 0}}, false},
      {"tabs separate words as spaces do", u"one\ttwo three.", u"one\ttwo three.", 100, 1,
       {{u"646.15", u"3", u"0"}}, {{0, 0.3f, 0}, {1, 0.3f, 0}, {2, 0.5f, 0}}, false},
      {"a stand-alone punctuation mark is no word", u"Oui : non ; si !", u"Oui : non ; si !", 100, 1,
       {{u"640.00", u"3", u"0"}}, {{0, 0.3f, 0}, {1, 0.3f, 0}, {2, 0.2f, 0}}, false},
      {"words typed within one tick of the clock are typed", u"ab cd.", u"ab cd.", 0, 1,
       {{u"0.00", u"2", u"0"}}, {{0, 0.0f, 0}, {1, 0.0f, 0}}, false},
  };
  for (const AttemptRow& row : rows) {
    SCOPED_TRACE(row.rule);
    g_Typing = TypingState();
    screen_ = FakeScreen();
    SetSample(row.sample);
    for (const char16_t* c = row.script; *c; ++c) {
      switch (*c) {
        case u'|':
          Mode4_AbandonTestState(g_Typing);
          screen_.text.clear();
          break;
        case u'^':
          if (!g_Typing.testRunning) screen_.text.clear();
          Command();
          break;
        case u'~':
          screen_.now += 3000;
          break;
        case u'#':
          Key(8, 14, 4, row.ms);
          break;
        default:
          Key(*c, ScanCode(*c), 4, row.ms);
          break;
      }
    }
    EXPECT_EQ(screen_.autoStarts, row.starts);
    std::vector<const TestFigures*> stops;
    for (const TestFigures& f : screen_.shown)
      if (f.labelIds[0] != 0) stops.push_back(&f);  // a start shows no label
    ASSERT_EQ(stops.size(), row.stops.size());
    for (size_t i = 0; i < stops.size(); ++i) {
      EXPECT_EQ(stops[i]->values[1], row.stops[i].cpm) << "stop " << i;
      EXPECT_EQ(stops[i]->values[3], row.stops[i].words) << "stop " << i;
      EXPECT_EQ(stops[i]->values[5], row.stops[i].errors) << "stop " << i;
    }
    std::vector<bool> checked(g_Words.testWords.size(), false);
    for (const WordTiming& w : row.words) {
      ASSERT_LT(w.record, g_Words.testWords.size());
      const TestWordRecord& r = g_Words.testWords[w.record];
      EXPECT_NEAR(r.seconds, w.seconds, 1e-4) << "record " << w.record;
      EXPECT_EQ(r.errors, w.errors) << "record " << w.record;
      checked[w.record] = true;
    }
    for (size_t i = 0; i < g_Words.testWords.size(); ++i) {
      if (!checked[i]) {
        EXPECT_EQ(g_Words.testWords[i].errors == kNotTyped, !row.allTyped) << "record " << i;
      }
    }
  }
}

// A start, by command or by the first key of a retake, forgets what earlier tests left in the
// words: the detailed statistics describe this test only.
TEST_F(Keystrokes, EveryStartMarksEveryWordUntyped) {
  for (bool byCommand : {true, false}) {
    SCOPED_TRACE(byCommand);
    g_Typing = TypingState();
    screen_ = FakeScreen();
    SetSample(u"ab cd.");
    Type(u"ab cd.", 4);  // a whole test: both words timed
    ASSERT_EQ(TestWord(u"cd").errors, 0);
    screen_.text.clear();
    if (byCommand) Command();
    else Key(u'x', 45, 4);  // the retake's first key, a wrong one
    for (const TestWordRecord& r : g_Words.testWords) {
      EXPECT_EQ(r.errors, kNotTyped);
      EXPECT_EQ(r.seconds, 0.0f);
    }
  }
}

TEST_F(Keystrokes, WordsPastTheDisplayedLineAreRecordedWhereverTheLineWraps) {
  // 137 units of narrow words on one line: the displayed caret line holds 99 of them at most, and
  // the words are found from the whole text all the same.
  Text16 sample;
  for (int i = 0; i < 33; ++i) sample += u"ill ";
  sample += u"illi.";
  ASSERT_EQ(sample.size(), 137u);
  SetSample(sample);
  Type(sample, 4);
  ASSERT_EQ(screen_.completions, 1);
  ASSERT_EQ(g_Words.testWords.size(), 34u);
  for (const TestWordRecord& r : g_Words.testWords) {
    SCOPED_TRACE(r.offset);
    EXPECT_EQ(r.errors, 0);
    EXPECT_NEAR(r.seconds, r.length * 0.1f, 1e-4);  // from its first letter to the key after its last
  }
}

TEST_F(Keystrokes, AbandoningSaysWhetherATestRan) {
  SetSample(u"ab cd.");
  EXPECT_FALSE(Mode4_AbandonTestState(g_Typing));
  Type(u"ab", 4);
  EXPECT_TRUE(Mode4_AbandonTestState(g_Typing));
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(g_Typing.previousKey, kNoKey);
  EXPECT_EQ(g_Typing.wordInProgress, 0);
}

TEST_F(Keystrokes, TypingPastACompletedSampleCountsEveryExtraCharacterButNotBackspace) {
  SetSample(u"ab.");
  Type(u"ab.", 4);
  ASSERT_EQ(g_Typing.testRunning, 0);
  ASSERT_EQ(screen_.completions, 1);
  ASSERT_EQ(g_Typing.testErrors, 0);
  ASSERT_EQ(g_Typing.wordErrors, 0);

  Key(u'x', 45, 4);
  EXPECT_EQ(g_Typing.wordErrors, 1);
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(screen_.alerts, 1);
  Key(u'y', 21, 4);
  EXPECT_EQ(g_Typing.wordErrors, 2);
  EXPECT_EQ(g_Typing.testErrors, 2);
  EXPECT_EQ(screen_.alerts, 2);
  Key(8, 14, 4);  // Backspace past the end: nothing counted, no alert
  EXPECT_EQ(g_Typing.wordErrors, 2);
  EXPECT_EQ(g_Typing.testErrors, 2);
  EXPECT_EQ(screen_.alerts, 2);
  // A space past the end is a wrong terminator: one error, and the word's count is kept.
  Key(u' ', 57, 4);
  EXPECT_EQ(g_Typing.wordErrors, 3);
  EXPECT_EQ(g_Typing.testErrors, 3);
  EXPECT_EQ(screen_.alerts, 3);
  // Nothing of this restarts, stops or completes anything.
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.autoStarts, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  EXPECT_EQ(g_Typing.testRunning, 0);
  EXPECT_EQ(g_Typing.keystrokes, 7);
  EXPECT_EQ(TestWord(u"ab").errors, 0);  // the finished word keeps its record
}

TEST_F(Keystrokes, StartAndStopByCommandBeforeAnyKeystrokeLeaveTheAutomaticStart) {
  SetSample(u"ab cd.");
  screen_.now = 3000;
  Command();  // Start by command
  ASSERT_EQ(g_Typing.testRunning, 1);
  screen_.now = 4000;
  Command();  // Stop by command, no key typed
  ASSERT_EQ(g_Typing.testRunning, 0);
  ASSERT_EQ(g_Typing.keystrokes, 0);
  const size_t shownBefore = screen_.shown.size();

  // Keystroke count 0 and no test running: the first character starts a test.
  screen_.now = 9000;
  Key(u'a', 30, 4);
  EXPECT_EQ(screen_.autoStarts, 1);
  EXPECT_EQ(g_Typing.testRunning, 1);
  EXPECT_EQ(g_Typing.testStartTick, 9000u);
  ASSERT_EQ(screen_.shown.size(), shownBefore + 1);
  EXPECT_EQ(screen_.shown.back().labelIds[0], 0);  // a start, not a stop
  EXPECT_EQ(g_Typing.keystrokes, 1);
  // Once counted, the next key does not start again.
  Key(u'b', 48, 4);
  EXPECT_EQ(screen_.autoStarts, 1);
  EXPECT_EQ(g_Typing.testRunning, 1);
}

TEST_F(Keystrokes, SampleOfTheWholeCapacityCompletesWhenTypedWhole) {
  // 1999 units: the most the typing area's text can hold beside its terminator.
  Text16 sample;
  while (sample.size() < static_cast<size_t>(kSampleCapacity - 1)) sample += u"ab ";
  sample.resize(kSampleCapacity - 2);
  sample += u'.';
  ASSERT_EQ(sample.size(), 1999u);
  SetSample(sample);
  Type(sample, 4, 10);
  EXPECT_EQ(screen_.text, sample);
  EXPECT_EQ(g_Typing.testErrors, 0);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_EQ(screen_.completions, 1);
  EXPECT_EQ(screen_.expands, std::vector<int>{1});
  EXPECT_EQ(g_Typing.testRunning, 0);
  ASSERT_EQ(screen_.shown.back().rows, 6);
  EXPECT_EQ(screen_.shown.back().values[2], u"1999");  // the completing full stop counts
  EXPECT_EQ(g_Typing.keystrokes, 1999);

  // One more character is past the end of the sample: an error, no second completion.
  Key(u'x', 45, 4);
  EXPECT_EQ(g_Typing.testErrors, 1);
  EXPECT_EQ(screen_.completions, 1);
}

// The shipped files, read as a user's file is read and typed whole by their rules: each sample
// completes without an error, and every word of each list is found in its list.
TEST_F(Keystrokes, ShippedSamplesAndWordListsAreTypedWholeByTheirRules) {
  for (int language : {1, 2, 3}) {
    SCOPED_TRACE(language);
    screen_ = FakeScreen();
    g_Typing = TypingState();
    Text16 sample;
    ASSERT_EQ(Mode4_ReadSampleFile(Mode4_DefaultSamplePath(KF_DATA_DIR, language), sample), SampleLoad::Ok);
    SetSample(sample);
    Text16 keys = sample;  // Enter types the line break the sample holds as CR LF
    for (size_t at = keys.find(u"\r\n"); at != Text16::npos; at = keys.find(u"\r\n", at)) keys.erase(at + 1, 1);
    Type(keys, 4, 10);
    EXPECT_EQ(screen_.text, sample);
    EXPECT_EQ(g_Typing.testErrors, 0);
    EXPECT_EQ(screen_.completions, 1);
    for (const TestWordRecord& r : g_Words.testWords) EXPECT_EQ(r.errors, 0) << r.word.size();

    const WordList lists[] = {WordList::LeftHand, WordList::RightHand, WordList::LeftToRight, WordList::RightToLeft};
    for (int pair = 0; pair < 2; ++pair) {
      for (int side = 0; side < 2; ++side) {
        const WordList list = lists[2 * pair + side];
        screen_.lists[side] = App_ReadWordList(Path_Join(KF_DATA_DIR, App_ListRelativePath(list, language)),
                                               App_ListEncoding(list, language));
      }
      for (int side = 0; side < 2; ++side) {
        ASSERT_FALSE(screen_.lists[side].empty());
        for (const Text16& word : screen_.lists[side]) {
          screen_.text.clear();
          const int alertsBefore = screen_.alerts;
          Type(word + u" ", pair + 1);
          EXPECT_EQ(screen_.alerts, alertsBefore);
          EXPECT_EQ(screen_.selected, word);
        }
      }
    }
  }
}

// --- Modes 1 and 2 ----------------------------------------------------------------------------

TEST_F(Keystrokes, HandModesIgnoreLetterCaseAndFollowTheOtherList) {
  screen_.lists[0] = {u"was", u"we"};
  screen_.lists[1] = {u"you", u"yolk"};
  Type(u"Was ", 1);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_EQ(screen_.selectedList, 1);
  EXPECT_EQ(screen_.selected, u"was");
  EXPECT_EQ(g_Typing.currentWordList, 1);
  Key(u'y', 21, 2);  // only the right list continues: it becomes the current one
  EXPECT_EQ(g_Typing.currentWordList, 2);
  Type(u"ou ", 2);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_EQ(screen_.selected, u"you");
  EXPECT_EQ(screen_.enableClearCalls, 8);
  EXPECT_EQ(g_Typing.keystrokes, 0);  // nothing counted outside the Tests mode
}

TEST_F(Keystrokes, HandModesAlertOnWrongKeysButNeverOnBackspace) {
  screen_.lists[0] = {u"was"};
  Type(u"wx", 1);
  EXPECT_EQ(screen_.alerts, 1);
  Key(8, 14, 1);
  EXPECT_EQ(screen_.alerts, 1);
  EXPECT_EQ(g_Typing.wordErrors, 0);
  Type(u"as ", 1);
  EXPECT_EQ(screen_.alerts, 1);
  Key(u' ', 57, 1);  // a second space: no listed word begins with a space
  EXPECT_EQ(screen_.alerts, 2);
}

TEST_F(Keystrokes, HandModesTreatAnAutoRepeatedSpaceAsPartOfTheWord) {
  screen_.lists[0] = {u"ab"};
  Type(u"ab", 1);
  Key(u' ', 57, 1);
  EXPECT_EQ(screen_.alerts, 0);
  EXPECT_EQ(g_Typing.wordInProgress, 0);
  Type(u"ab", 1);
  Key(u' ', 16441, 1);  // 'ab ' begins no entry
  EXPECT_EQ(screen_.alerts, 1);
  // Enter does not end a word outside the Tests mode.
  Key(u'\r', 28, 1);
  EXPECT_EQ(screen_.alerts, 2);
}

TEST_F(Keystrokes, HandModesFirstKeyOfTheRunBeingASpaceAlertsOnceAndEndsNoWord) {
  screen_.lists[0] = {u"was"};
  screen_.lists[1] = {u"you"};
  ASSERT_EQ(g_Typing.previousKey, kNoKey);
  Key(u' ', 57, 1);
  EXPECT_EQ(screen_.alerts, 1);  // no listed word begins with a space
  EXPECT_EQ(g_Typing.wordInProgress, 0);
  EXPECT_EQ(g_Typing.previousKey, 57);
  // The next word starts normally and is checked without the space.
  Type(u"was", 2);
  EXPECT_EQ(screen_.alerts, 1);
  EXPECT_EQ(g_Typing.wordInProgress, 1);
}

// --- Mode 3 -----------------------------------------------------------------------------------

TEST_F(Keystrokes, CustomWordsAreTimedCountedAndShown) {
  SetCustomWords({u"zap", u"was", u"was"});
  screen_.now = 2000;
  Type(u"wxs", 3, 250);  // 'x' is wrong
  EXPECT_EQ(g_Typing.wordErrors, 2);  // 'wx' and 'wxs' begin no custom word
  Key(u' ', 57, 3);
  // 'wxs' is no custom word: nothing recorded, the word's errors cleared.
  EXPECT_TRUE(screen_.updatedRows.empty());
  EXPECT_EQ(g_Typing.wordErrors, 0);

  screen_.text.clear();
  Type(u"was", 3, 250);
  Key(u' ', 57, 3);
  ASSERT_EQ(screen_.updatedRows, std::vector<int16_t>{1});  // the first 'was'
  const CustomWordRecord& was = g_Words.customWords[1];
  EXPECT_FLOAT_EQ(was.lastSeconds, 0.75f);
  EXPECT_FLOAT_EQ(was.totalSeconds, 0.75f);
  EXPECT_EQ(was.typedCount, 1);
  EXPECT_EQ(was.lastErrors, 0);
  EXPECT_EQ(g_Words.customWords[2].typedCount, 0);

  Type(u"wAs", 3, 100);  // case matters: 'wA' is an error
  Key(u' ', 57, 3);
  EXPECT_EQ(was.typedCount, 1);  // 'wAs' is no custom word
  Type(u"was", 3, 100);
  EXPECT_EQ(g_Typing.wordErrors, 0);
  Key(u' ', 57, 3);
  EXPECT_EQ(was.typedCount, 2);
  EXPECT_FLOAT_EQ(was.lastSeconds, 0.3f);
  EXPECT_FLOAT_EQ(was.totalSeconds, 1.05f);
  EXPECT_EQ(g_Typing.keystrokes, 0);
}

// A new screen and Clear begin a fresh word: the custom screen's first word is timed from its own
// first key and carries no errors, whatever was typed before and however long ago.
TEST_F(Keystrokes, AFreshWordIsTimedFromItsOwnFirstKeyWhateverCameBefore) {
  const struct {
    const char* cameFrom;
    int mode;
    const char16_t* typed;
  } rows[] = {
      {"a hand screen, a word left open", 1, u"as"},
      {"the Tests screen, a wrong word left open", 4, u"xy"},
      {"Clear on the custom screen, a wrong word left open", 3, u"wx"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cameFrom);
    g_Typing = TypingState();
    screen_ = FakeScreen();
    SetSample(u"ab cd.");
    SetCustomWords({u"was"});
    Type(row.typed, row.mode);
    screen_.text.clear();
    App_BeginFreshWord(g_Typing);
    screen_.now += 3000;
    Type(u"was ", 3);
    EXPECT_FLOAT_EQ(g_Words.customWords[0].lastSeconds, 0.3f);
    EXPECT_EQ(g_Words.customWords[0].lastErrors, 0);
  }
}

TEST_F(Keystrokes, CustomModeCountsASecondSpaceAsAnError) {
  SetCustomWords({u"was"});
  Type(u"was ", 3);
  EXPECT_EQ(screen_.alerts, 0);
  Key(u' ', 57, 3);
  EXPECT_EQ(screen_.alerts, 1);
  EXPECT_EQ(g_Typing.wordErrors, 1);
  Type(u"was ", 3);
  EXPECT_EQ(g_Words.customWords[0].typedCount, 2);
  EXPECT_EQ(g_Words.customWords[0].lastErrors, 1);  // the extra space belongs to this word
  EXPECT_EQ(g_Words.customWords[0].totalErrors, 1);
}

TEST_F(Keystrokes, CustomModeCountsTheTerminatorOfAWordThatIsNoCustomWord) {
  SetCustomWords({u"was"});
  Type(u"wx", 3);
  ASSERT_EQ(screen_.alerts, 1);
  ASSERT_EQ(g_Typing.wordErrors, 1);
  // The space checks 'wx' once more: a second error, counted before its alert.
  Key(u' ', 57, 3);
  EXPECT_EQ(screen_.alerts, 2);
  EXPECT_EQ(screen_.alertWordErrors, (std::vector<int16_t>{1, 2}));
  EXPECT_EQ(g_Typing.wordErrors, 0);  // cleared: the word is in no record
  EXPECT_TRUE(screen_.updatedRows.empty());
  EXPECT_EQ(g_Words.customWords[0].typedCount, 0);

  // A finished word that only begins a custom word is no error at its terminator.
  Type(u"wa ", 3);
  EXPECT_EQ(screen_.alerts, 2);
  EXPECT_TRUE(screen_.updatedRows.empty());
  EXPECT_EQ(g_Words.customWords[0].totalErrors, 0);
}

TEST_F(Keystrokes, PreviousKeyIsKeptAcrossModesAndUnknownModes) {
  Key(u'a', 30, 0);
  EXPECT_EQ(g_Typing.previousKey, 30);
  EXPECT_EQ(screen_.enableClearCalls, 1);
  Key(u' ', 57, 7);
  EXPECT_EQ(g_Typing.previousKey, 57);
  // The next Tests-mode key is judged by the space typed in another mode: it starts a word.
  SetSample(u"ab");
  screen_.text.clear();
  const uint32_t t = screen_.now;
  Key(u'a', 30, 4);
  EXPECT_EQ(g_Typing.wordStartTick, t);
  Key(u'x', 0xFFFF, 4);  // a key word that would read as -1 in 16 bits is still a key
  EXPECT_EQ(g_Typing.previousKey, 0xFFFF);
  EXPECT_NE(g_Typing.previousKey, kNoKey);
}

}  // namespace
