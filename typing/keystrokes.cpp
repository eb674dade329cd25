// Keystroke rules of the four modes: checks, alerts, per-word timing and the test's counters.
#include "typing/keystrokes.h"

#include "tests/sample_text.h"
#include "typing/words.h"

TypingState g_Typing;
TypingHost g_TypingHost;

namespace {

// The character being processed, as the edit control will insert it right after the rules: a
// test that stops inside them (the completion step) counts it as typed.
Text16 s_Inserting;

bool EndsWordInTests(int32_t key) { return key == kKeySpace || key == kKeyEnter; }
bool StartsWordInTests(int32_t previous) {
  return previous == kNoKey || previous == kKeyEnter || previous == kKeySpace;
}

// A word's time: the tick difference taken as real numbers (no wrap-around correction), in
// seconds, as the tables keep it.
float WordSeconds(uint32_t startTick, uint32_t endTick) {
  return static_cast<float>((static_cast<double>(endTick) - static_cast<double>(startTick)) * 0.001);
}

// The word typed so far with the typed character, when a word is open.
Text16 WordWithCharacter(const Text16& typed) {
  Text16 text = App_GetWordInProgress();
  if (g_Typing.wordInProgress) text += typed;
  return text;
}

void OnModes12(const Text16& typed, char16_t ch, int32_t previous, int32_t key) {
  if (ch == u' ') Mode12_FollowTypedWord();
  if (previous == kNoKey || previous == kKeySpace) {
    g_Typing.wordInProgress = 1;
    Mode12_CheckKey(typed, ch);
  }
  if (previous != kNoKey) {
    if (previous == kKeySpace) return;
    if (key != kKeySpace) Mode12_CheckKey(typed, ch);
  }
  if (previous != kKeySpace && key == kKeySpace) {
    g_Typing.wordInProgress = 0;
    Mode12_CheckKey(typed, ch);
  }
}

void OnMode3(const Text16& typed, char16_t ch, int32_t previous, int32_t key) {
  if (previous == kNoKey || previous == kKeySpace) {
    g_Typing.wordStartTick = g_TypingHost.tick();
    g_Typing.wordInProgress = 1;
    Mode3_CheckKey(typed, ch);
  }
  if (previous == kKeySpace) return;  // the word has just started
  if (previous != kNoKey && key != kKeySpace) Mode3_CheckKey(typed, ch);
  if (key != kKeySpace) return;

  // The word ends: it is checked and looked up without the space, which is not yet inserted.
  const uint32_t endTick = g_TypingHost.tick();
  g_Typing.wordInProgress = 0;
  Mode3_CheckKey(typed, ch);
  const int16_t index = Mode3_FindCustomWord(App_GetWordInProgress());
  if (index >= 0 && static_cast<size_t>(index) < g_Words.customWords.size()) {
    CustomWordRecord& record = g_Words.customWords[index];
    const float seconds = WordSeconds(g_Typing.wordStartTick, endTick);
    record.lastSeconds = seconds;
    record.totalSeconds += seconds;
    record.totalErrors = static_cast<int16_t>(record.totalErrors + g_Typing.wordErrors);
    record.lastErrors = g_Typing.wordErrors;
    record.typedCount = static_cast<int16_t>(record.typedCount + 1);
    g_TypingHost.updateWordRow(index);
  }
  g_Typing.wordErrors = 0;
}

// The word that the character completing the sample finishes: the caret line's word with that
// character, unless it is the space after the word.
Text16 CompletedWord(const Text16& typed, char16_t ch) {
  if (ch == u' ') return Mode4_GetTypedWord();
  return Mode4_StripTrailingPunctuation(App_WordAfterLastSpace(g_TypingHost.caretLine() + typed));
}

void OnMode4(const Text16& typed, char16_t ch, int32_t previous, int32_t key) {
  const bool completes = Mode4_CompletesSample(typed);

  // The first character of the run starts the first test; later tests start by command. A start
  // begins a fresh word, so this character is its first key.
  if (g_Typing.keystrokes == 0 && !g_Typing.testRunning) {
    g_TypingHost.toggleTest();
    g_TypingHost.autoStartUi();
    previous = g_Typing.previousKey;
  }
  // Every character message counts, Backspace and wrong ones included, and the one that
  // completes the sample is counted before the stop divides by the count.
  ++g_Typing.keystrokes;

  const bool afterTerminator = StartsWordInTests(previous);
  if (afterTerminator && !completes) {
    g_Typing.wordStartTick = g_TypingHost.tick();
    g_Typing.wordInProgress = 1;
    Mode4_CheckKey(typed, ch);
  }
  if (!afterTerminator && !EndsWordInTests(key) && !completes) Mode4_CheckKey(typed, ch);

  if (completes || (!afterTerminator && EndsWordInTests(key))) {
    const uint32_t endTick = g_TypingHost.tick();
    // Read before the check: completing the sample stops the test inside it.
    const Text16 word = completes ? CompletedWord(typed, ch) : Mode4_GetTypedWord();
    // A wrong terminator leaves the word open with its counters.
    if (Mode4_CheckKey(typed, ch)) {
      // Only an open word is recorded: a line break of the sample typed after the completing
      // character ends no word again.
      const int16_t index = g_Typing.wordInProgress ? Mode4_FindTestWord(word) : -1;
      if (index >= 0 && static_cast<size_t>(index) < g_Words.testWords.size()) {
        TestWordRecord& record = g_Words.testWords[index];
        record.seconds = WordSeconds(g_Typing.wordStartTick, endTick);
        record.errors = g_Typing.wordErrors;
      }
      g_Typing.wordInProgress = 0;
      g_Typing.wordErrors = 0;
    }
  }
}

}  // namespace

Text16 App_WordAfterLastSpace(const Text16& line) {
  const size_t space = line.rfind(u' ');
  return space == Text16::npos ? line : line.substr(space + 1);
}

Text16 App_GetWordInProgress() { return App_WordAfterLastSpace(g_TypingHost.caretLine()); }

Text16 Mode4_StripTrailingPunctuation(const Text16& word) {
  static const Text16 kTrailing = u",.?!:;)}\"]";
  if (!word.empty() && kTrailing.find(word.back()) != Text16::npos) {
    return word.substr(0, word.size() - 1);
  }
  return word;
}

Text16 Mode4_GetTypedWord() { return Mode4_StripTrailingPunctuation(App_GetWordInProgress()); }

void Mode12_FollowTypedWord() {
  const Text16 word = App_GetWordInProgress();
  const int current = g_Typing.currentWordList == 2 ? 2 : 1;
  const int other = 3 - current;
  if (g_TypingHost.listSelectExact(current, word)) return;
  if (g_TypingHost.listSelectExact(other, word)) g_Typing.currentWordList = static_cast<uint16_t>(other);
}

bool Mode12_IsListPrefix(const Text16& text) {
  const int current = g_Typing.currentWordList == 2 ? 2 : 1;
  const int other = 3 - current;
  if (g_TypingHost.listHasPrefix(current, text)) return true;
  if (g_TypingHost.listHasPrefix(other, text)) {
    g_Typing.currentWordList = static_cast<uint16_t>(other);
    return true;
  }
  return false;
}

void Mode12_CheckKey(const Text16& typed, char16_t ch) {
  const Text16 text = WordWithCharacter(typed);
  if (!Mode12_IsListPrefix(text) && ch != kBackspace) g_TypingHost.errorAlert();
}

void Mode3_CheckKey(const Text16& typed, char16_t ch) {
  const Text16 text = WordWithCharacter(typed);
  if (!App_IsCustomWordPrefix(text) && ch != kBackspace) {
    g_Typing.wordErrors = static_cast<int16_t>(g_Typing.wordErrors + 1);
    g_TypingHost.errorAlert();
  }
}

namespace {

// A sample is complete once everything but its final line breaks is typed: Enter inserts CR LF
// only after the check, so a typed text could never end like such a sample.
size_t CompletionLength(const Text16& sample) {
  size_t n = sample.size();
  while (n > 0 && (sample[n - 1] == u'\r' || sample[n - 1] == u'\n')) --n;
  return n;
}

bool IsComplete(const Text16& text, const Text16& sample) {
  const size_t n = CompletionLength(sample);
  return n > 0 && text.size() == n && sample.compare(0, n, text) == 0;
}

}  // namespace

bool Mode4_CompletesSample(const Text16& typed) {
  g_TypingHost.focus();
  return IsComplete(g_TypingHost.wholeText() + typed, g_Sample.text);
}

bool Mode4_CheckKey(const Text16& typed, char16_t ch) {
  g_TypingHost.focus();
  const Text16 text = g_TypingHost.wholeText() + typed;
  const Text16& sample = g_Sample.text;
  // Checked against the whole sample, its final line breaks included.
  if (text.size() > sample.size() || sample.compare(0, text.size(), text) != 0) {
    if (ch == kBackspace) return false;
    g_Typing.wordErrors = static_cast<int16_t>(g_Typing.wordErrors + 1);
    g_Typing.testErrors = static_cast<int16_t>(g_Typing.testErrors + 1);
    g_TypingHost.errorAlert();
    return false;
  }
  if (!IsComplete(text, sample)) return true;
  // The sample is complete.
  if (g_Typing.testRunning) {
    g_TypingHost.toggleTest();
    g_TypingHost.completionUi();
  }
  g_TypingHost.expandWindow(1);
  return true;
}

void App_OnTypedChar(char16_t ch, uint16_t keyWord, int mode) {
  const Text16 typed(1, ch);
  // Enter inserts a line break, CR LF.
  s_Inserting = ch == u'\r' ? Text16(u"\r\n") : typed;
  g_TypingHost.enableClear();
  const int32_t previous = g_Typing.previousKey;
  const int32_t key = keyWord;
  switch (mode) {
    case 1:
    case 2:
      OnModes12(typed, ch, previous, key);
      break;
    case 3:
      OnMode3(typed, ch, previous, key);
      break;
    case 4:
      OnMode4(typed, ch, previous, key);
      break;
    default:
      break;
  }
  g_Typing.previousKey = key;
  s_Inserting.clear();
}

TestFigures Mode4_StartTestState(uint32_t now) {
  g_Typing.testRunning = 1;
  g_Typing.testStartTick = now;
  g_Typing.keystrokes = 0;
  g_Typing.testErrors = 0;
  // A fresh word: the next key is judged as the first key of the run, with no errors of an
  // earlier test or attempt.
  g_Typing.previousKey = kNoKey;
  g_Typing.wordErrors = 0;
  g_Typing.wordInProgress = 0;
  TestFigures blank;
  blank.rows = 1;  // row 1 label and value emptied
  return blank;
}

TestFigures Mode4_StopTestState(uint32_t now, const Text16& typedText) {
  g_Typing.testRunning = 0;
  g_Typing.testStopTick = now;
  return Mode4_ComputeFigures(g_Typing.testStartTick, g_Typing.testStopTick, g_Typing.keystrokes,
                              g_Typing.testErrors, typedText);
}

TestFigures Mode4_ToggleTestState() {
  if (!g_Typing.testRunning) return Mode4_StartTestState(g_TypingHost.tick());
  const uint32_t now = g_TypingHost.tick();
  return Mode4_StopTestState(now, g_TypingHost.wholeText() + s_Inserting);
}
