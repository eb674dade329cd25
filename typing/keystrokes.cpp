// Keystroke rules of the four modes: checks, alerts, per-word timing and the test's counters.
#include "typing/keystrokes.h"

TypingState g_Typing;

namespace {

// The Tests mode's words end where the sample's do: at a space, a line break or a tab.
bool EndsWordInTests(int32_t key) { return key == kKeySpace || key == kKeyEnter || key == kKeyTab; }
bool StartsWordInTests(int32_t previous) { return previous == kNoKey || EndsWordInTests(previous); }

// A word's time: the tick difference taken as real numbers (no wrap-around correction), in
// seconds, as the tables keep it.
float WordSeconds(uint32_t startTick, uint32_t endTick) {
  return static_cast<float>((static_cast<double>(endTick) - static_cast<double>(startTick)) * 0.001);
}

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

// One character on its way through the rules: what it reads, the state it changes and what it
// asks of the screen.
struct Key {
  const KeystrokeInput& in;
  TypingState& state;
  WordTables& words;
  KeystrokeStep& out;
  Text16 typed;    // the character as the rules check it (Enter: CR alone)
  Text16 checked;  // Tests mode: the whole text with the character
};

void Alert(Key& k) { k.out.alerts.push_back(k.state.wordErrors); }

// The caret line's text after its last space: the word typed so far.
Text16 WordInProgress(const Key& k) { return App_WordAfterLastSpace(k.in.caretLine); }

// The word typed so far with the typed character, when a word is open.
Text16 WordWithCharacter(const Key& k) {
  Text16 text = WordInProgress(k);
  if (k.state.wordInProgress) text += k.typed;
  return text;
}

// Modes 1 and 2: the current list is searched first; a word found only in the other one makes
// that one current.
int CurrentList(const Key& k) { return k.state.currentWordList == 2 ? 2 : 1; }

bool IsListPrefix(Key& k, const Text16& text) {
  if (!k.in.lists) return false;
  const int current = CurrentList(k);
  const int other = 3 - current;
  if (k.in.lists->hasPrefix(current, text)) return true;
  if (k.in.lists->hasPrefix(other, text)) {
    k.state.currentWordList = static_cast<uint16_t>(other);
    return true;
  }
  return false;
}

// At a space: the word just typed is selected in its list, or in the other list, which becomes
// current.
void FollowTypedWord(Key& k) {
  if (!k.in.lists) return;
  const Text16 word = WordInProgress(k);
  const int current = CurrentList(k);
  const int other = 3 - current;
  int32_t entry = k.in.lists->findExact(current, word);
  int list = current;
  if (entry < 0) {
    entry = k.in.lists->findExact(other, word);
    list = other;
    if (entry < 0) return;
    k.state.currentWordList = static_cast<uint16_t>(other);
  }
  k.out.selectList = list;
  k.out.selectEntry = entry;
}

void CheckListKey(Key& k) {
  if (!IsListPrefix(k, WordWithCharacter(k)) && k.in.ch != kBackspace) Alert(k);
}

void OnModes12(Key& k, int32_t previous, int32_t key) {
  if (k.in.ch == u' ') FollowTypedWord(k);
  if (previous == kNoKey || previous == kKeySpace) {
    k.state.wordInProgress = 1;
    CheckListKey(k);
  }
  if (previous != kNoKey) {
    if (previous == kKeySpace) return;
    if (key != kKeySpace) CheckListKey(k);
  }
  if (previous != kKeySpace && key == kKeySpace) {
    k.state.wordInProgress = 0;
    CheckListKey(k);
  }
}

void CheckCustomKey(Key& k) {
  if (!App_IsCustomWordPrefix(WordWithCharacter(k), k.words) && k.in.ch != kBackspace) {
    k.state.wordErrors = static_cast<int16_t>(k.state.wordErrors + 1);
    Alert(k);
  }
}

void OnMode3(Key& k, int32_t previous, int32_t key) {
  TypingState& s = k.state;
  if (previous == kNoKey || previous == kKeySpace) {
    s.wordStartTick = k.in.tick;
    s.wordInProgress = 1;
    CheckCustomKey(k);
  }
  if (previous == kKeySpace) return;  // the word has just started
  if (previous != kNoKey && key != kKeySpace) CheckCustomKey(k);
  if (key != kKeySpace) return;

  // The word ends: it is checked and looked up without the space, which is not yet inserted.
  s.wordInProgress = 0;
  CheckCustomKey(k);
  const int16_t index = Mode3_FindCustomWord(WordInProgress(k), k.words);
  if (index >= 0 && static_cast<size_t>(index) < k.words.customWords.size()) {
    CustomWordRecord& record = k.words.customWords[static_cast<size_t>(index)];
    const float seconds = WordSeconds(s.wordStartTick, k.in.tick);
    record.lastSeconds = seconds;
    record.totalSeconds += seconds;
    record.totalErrors = static_cast<int16_t>(record.totalErrors + s.wordErrors);
    record.lastErrors = s.wordErrors;
    record.typedCount = static_cast<int16_t>(record.typedCount + 1);
    k.out.updateWordRow = index;
  }
  s.wordErrors = 0;
}

// The Tests mode's check of the character against the whole sample, its final line breaks
// included. False for a wrong character (counted and alerted, Backspace excepted); a character
// that completes the sample stops a running test, with itself counted as typed, and widens the
// window.
bool CheckSampleKey(Key& k) {
  TypingState& s = k.state;
  const Text16& text = k.checked;
  const Text16& sample = k.in.sample;
  if (text.size() > sample.size() || sample.compare(0, text.size(), text) != 0) {
    if (k.in.ch == kBackspace) return false;
    s.wordErrors = static_cast<int16_t>(s.wordErrors + 1);
    s.testErrors = static_cast<int16_t>(s.testErrors + 1);
    Alert(k);
    return false;
  }
  if (!IsComplete(text, sample)) return true;
  if (s.testRunning) {
    // The edit control inserts the character right after the rules; Enter inserts CR LF.
    const Text16 inserted = k.in.ch == u'\r' ? Text16(u"\r\n") : k.typed;
    k.out.stopped = Mode4_StopTestState(s, k.in.tick, k.in.wholeText + inserted);
  }
  k.out.expandWindow = true;
  return true;
}

// The test word the character ends: the run of the typed text between blanks that ends at the
// character (a letter completing the sample belongs to it, a blank does not), found by its place
// in the sample, which the typed text equals up to here.
int16_t EndedWord(const Key& k) {
  const Text16& text = k.checked;
  size_t end = text.size();
  while (end > 0 && App_IsWordBlank(text[end - 1])) --end;
  size_t begin = end;
  while (begin > 0 && !App_IsWordBlank(text[begin - 1])) --begin;
  return Mode4_FindTestWordAt(begin, end, k.words);
}

void OnMode4(Key& k, int32_t previous, int32_t key) {
  TypingState& s = k.state;
  k.out.focusArea = true;
  k.checked = k.in.wholeText + k.typed;
  const bool completes = IsComplete(k.checked, k.in.sample);

  // Whenever no test runs, a character typed into an empty typing area starts one: the first
  // test of the run and every retake after a Clear alike. Backspace types nothing and starts
  // none. A start begins a fresh word, so this character is its first key.
  if (!s.testRunning && k.in.wholeText.empty() && k.in.ch != kBackspace) {
    k.out.started = Mode4_StartTestState(s, k.in.tick, k.words);
    previous = s.previousKey;
  }
  // A test is timed from its first key, also when the Start command began it earlier.
  if (s.testRunning && s.keystrokes == 0) s.testStartTick = k.in.tick;
  // Every character message counts, Backspace and wrong ones included, and the one that
  // completes the sample is counted before the stop divides by the count.
  ++s.keystrokes;
  if (k.in.ch == kBackspace) ++s.testBackspaces;
  if (s.testRunning) Keys_Record(s.keys, k.in.wholeText, k.in.sample, k.in.ch, k.in.tick);

  const bool afterTerminator = StartsWordInTests(previous);
  if (afterTerminator) {
    // The first key of a word. One that also completes the sample (a last word of one letter) is
    // checked and recorded below, with no time between its first key and its last.
    s.wordStartTick = k.in.tick;
    s.wordInProgress = 1;
    if (!completes) CheckSampleKey(k);
  }
  if (!afterTerminator && !EndsWordInTests(key) && !completes) CheckSampleKey(k);

  if (completes || (!afterTerminator && EndsWordInTests(key))) {
    // A wrong terminator leaves the word open with its counters.
    if (CheckSampleKey(k)) {
      // Only an open word is recorded: a line break of the sample typed after the completing
      // character ends no word again.
      const int16_t index = s.wordInProgress ? EndedWord(k) : -1;
      if (index >= 0 && static_cast<size_t>(index) < k.words.testWords.size()) {
        TestWordRecord& record = k.words.testWords[static_cast<size_t>(index)];
        record.seconds = WordSeconds(s.wordStartTick, k.in.tick);
        record.errors = s.wordErrors;
      }
      s.wordInProgress = 0;
      s.wordErrors = 0;
    }
  }
}

}  // namespace

Text16 App_WordAfterLastSpace(const Text16& line) {
  const size_t space = line.rfind(u' ');
  return space == Text16::npos ? line : line.substr(space + 1);
}

KeystrokeStep App_TypingStep(const KeystrokeInput& in, TypingState& state, WordTables& words) {
  KeystrokeStep out;
  Key k{in, state, words, out, Text16(1, in.ch), Text16()};
  out.enableClear = true;
  const int32_t previous = state.previousKey;
  const int32_t key = in.keyWord;
  switch (in.mode) {
    case 1:
    case 2:
      OnModes12(k, previous, key);
      break;
    case 3:
      OnMode3(k, previous, key);
      break;
    case 4:
    case 5:
      OnMode4(k, previous, key);
      break;
    default:
      break;
  }
  state.previousKey = key;
  return out;
}

TestFigures Mode4_StartTestState(TypingState& state, uint32_t now, WordTables& words) {
  state.testRunning = 1;
  state.testStartTick = now;
  state.keystrokes = 0;
  state.testErrors = 0;
  state.testBackspaces = 0;
  Keys_Reset(state.keys);
  App_BeginFreshWord(state);
  // Fresh words: the detailed statistics describe this test's typings only.
  for (TestWordRecord& record : words.testWords) {
    record.seconds = 0.0f;
    record.errors = kNotTyped;
  }
  // Every row emptied: nothing of the last test stands beside this one.
  TestFigures blank;
  blank.rows = kFigureRows;
  return blank;
}

TestFigures Mode4_StopTestState(TypingState& state, uint32_t now, const Text16& typedText) {
  state.testRunning = 0;
  state.testStopTick = now;
  return Mode4_ComputeFigures(state.testStartTick, state.testStopTick, state.keystrokes, state.testErrors,
                              typedText);
}

TestFigures Mode4_ToggleTestState(TypingState& state, uint32_t now, const Text16& typedText, WordTables& words) {
  if (!state.testRunning) return Mode4_StartTestState(state, now, words);
  return Mode4_StopTestState(state, now, typedText);
}

bool Mode4_AbandonTestState(TypingState& state) {
  const bool wasRunning = state.testRunning != 0;
  state.testRunning = 0;
  state.keystrokes = 0;
  state.testErrors = 0;
  state.testBackspaces = 0;
  App_BeginFreshWord(state);
  return wasRunning;
}

void App_BeginFreshWord(TypingState& state) {
  state.previousKey = kNoKey;
  state.wordInProgress = 0;
  state.wordErrors = 0;
}
