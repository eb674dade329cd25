#pragma once
// The rules of the typing area: what every typed character means in each mode, the per-word
// timing and error counters, and the test's start and stop. Window-free: one character is one
// step that takes what the screen shows (the typing area's texts, the sample, the tick, answers
// about the word lists) and says what the screen must do; the glue (typing/typing_area_win.cpp,
// typing/start_stop_win.cpp) reads the screen, runs the step and does it, the tests run it on a
// fake typing area.
#include <cstdint>
#include <optional>
#include <vector>

#include "common/text.h"
#include "typing/figures.h"
#include "typing/key_stats.h"
#include "typing/words.h"

// Key words (high 16 bits of a character message's key data) that end a word: space in every
// mode, Enter and Tab in the Tests mode too. The whole 16-bit value is compared: an auto-repeated
// space (16441) or the keypad Enter (284) are ordinary keys.
constexpr int32_t kKeySpace = 57;
constexpr int32_t kKeyEnter = 28;
constexpr int32_t kKeyTab = 15;
constexpr int32_t kNoKey = -1;
constexpr char16_t kBackspace = 8;

// Typing and test state, program-wide, shared by every mode. Leaving a test (Mode4_AbandonTestState),
// a new screen and an emptied typing area begin a fresh word (App_BeginFreshWord).
struct TypingState {
  // Key word of the previous character message in any mode; kNoKey only before the first
  // character of the run. Held in 32 bits so that no real key word (0..65535) reads as "none".
  int32_t previousKey = kNoKey;
  uint16_t wordInProgress = 0;   // 1 from the first key of a word to its terminator
  int16_t wordErrors = 0;        // errors of the open word (Modes 3 and 4)
  uint32_t wordStartTick = 0;    // tick of the first key of the open word (Modes 3 and 4)
  uint16_t currentWordList = 1;  // Modes 1/2: 1 left list box (IDC_LEFT_LIST), 2 right (IDC_RIGHT_LIST); searched first
  int32_t keystrokes = 0;        // Tests mode: character messages since the last test start
  int16_t testErrors = 0;        // Tests mode: errors since the last test start
  int32_t testBackspaces = 0;    // Tests mode: the Backspaces among the keystrokes
  int32_t testRunning = 0;       // 1 while a test runs
  uint32_t testStartTick = 0;
  uint32_t testStopTick = 0;
  KeyStats keys;                 // Tests mode: per-key figures of the running test
};

extern TypingState g_Typing;

// Modes 1 and 2 ask the two word list boxes (1 left, 2 right); letter case is ignored.
struct WordListQuery {
  bool (*hasPrefix)(int list, const Text16& text);    // an entry begins with text
  int32_t (*findExact)(int list, const Text16& text); // index of the first entry equal to text, or -1
};

// One character message of the typing area, with the texts the area shows BEFORE it: the edit
// control inserts the character only after the step.
struct KeystrokeInput {
  char16_t ch;
  uint16_t keyWord;            // high 16 bits of the key data
  int mode;                    // 1, 2, 3 or 4; any other mode only enables Clear and keeps the key word
  uint32_t tick;               // millisecond tick count of the message
  const Text16& caretLine;     // the line holding the caret, as displayed, at most 99 units (modes 1-3)
  const Text16& wholeText;     // the whole text, CR LF line breaks, at most 1999 units (mode 4: the
                               // word a terminator ends is read from it, not from the caret line)
  const Text16& sample;        // the sample the Tests mode checks against
  const WordListQuery* lists;  // modes 1 and 2; none answers "no entry"
};

// What the screen must do after one step, in this order: enable Clear; give the typing area the
// focus; select the typed word in its list; show a test's start with the automatic-start steps;
// sound the alerts; show the stop of the completed sample with the completion steps; widen the
// window; show a custom word's row. The step itself has already changed the typing state and
// written the word records (test word seconds and errors, custom word figures).
struct KeystrokeStep {
  bool enableClear = false;
  bool focusArea = false;                  // Tests mode
  int selectList = 0;                      // Modes 1/2: list whose entry selectEntry is selected and
  int32_t selectEntry = -1;                // scrolled to the top (0: none)
  std::optional<TestFigures> started;      // the automatic start: the six rows emptied
  // One entry per error alert, in order: the open word's error count as it sounds (the error is
  // counted before its alert).
  std::vector<int16_t> alerts;
  std::optional<TestFigures> stopped;      // the completion step's stop: the test's six figures
  bool expandWindow = false;               // the sample is complete: the wide window
  int16_t updateWordRow = -1;              // Mode 3: custom word record whose row shows its figures
};

// The rules of one character on `state` and `words`.
KeystrokeStep App_TypingStep(const KeystrokeInput& in, TypingState& state, WordTables& words);

// The text after the last space of `line` (all of it when it has no space).
Text16 App_WordAfterLastSpace(const Text16& line);

// The typing area is empty (a screen is built, Clear, a test starts or is left): its next key is
// the first key of a word, timed from itself, with no errors of an earlier word, whatever screen
// or key came before.
void App_BeginFreshWord(TypingState& state);

// The test's start or stop on the state. Start sets the flag and the start tick, zeroes the
// counters, begins a fresh word and marks every test word not typed, and returns all six rows
// emptied; its clock is set again at the test's first keystroke, so a test started by command
// and one started by its first key are timed alike. Stop clears the flag, takes the stop tick and
// returns the figures of `typedText`, the typing area's text (with the character being processed,
// when a typed character completed the sample).
TestFigures Mode4_StartTestState(TypingState& state, uint32_t now, WordTables& words = g_Words);
TestFigures Mode4_StopTestState(TypingState& state, uint32_t now, const Text16& typedText);
// Start when no test runs, else stop (the Start/Stop command).
TestFigures Mode4_ToggleTestState(TypingState& state, uint32_t now, const Text16& typedText,
                                  WordTables& words = g_Words);
// Leaving a test (Clear, a language switch, File Open, a mode change, a new sample): a running test
// ends without figures or a History.csv row, and the next key begins a fresh word with no errors.
// True when a test was running, so that the screen shows "start" again.
bool Mode4_AbandonTestState(TypingState& state);
