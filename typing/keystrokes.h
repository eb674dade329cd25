#pragma once
// The rules of the typing area: what every typed character means in each mode, the per-word
// timing and error counters, and the test's start and stop. Window-free: the glue
// (typing/typing_area_win.cpp, typing/start_stop_win.cpp) fills g_TypingHost with the few
// things the rules need from the screen, and the tests fill it with a fake typing area.
//
// Reads of the typing area see its text BEFORE the character being processed: the edit control
// inserts the character only after the rules have run.
#include <cstdint>

#include "common/text.h"
#include "typing/figures.h"

// Key words (high 16 bits of a character message's key data) that end a word. The whole 16-bit
// value is compared: an auto-repeated space (16441) or the keypad Enter (284) are ordinary keys.
constexpr int32_t kKeySpace = 57;
constexpr int32_t kKeyEnter = 28;
constexpr int32_t kNoKey = -1;
constexpr char16_t kBackspace = 8;

// Typing and test state, program-wide, shared by every mode. Nothing here is reset by a mode or
// language change (the Mode 3 screen alone zeroes wordErrors when it is built).
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
  int32_t testRunning = 0;       // 1 while a test runs
  uint32_t testStartTick = 0;
  uint32_t testStopTick = 0;
};

extern TypingState g_Typing;

// What the rules need from the screen. Every entry must be set before a character is processed;
// the glue sets them all (App_InstallTypingHost), the tests set their fakes.
struct TypingHost {
  // The typing area that has the character (or, outside a character, the Tests screen's).
  Text16 (*caretLine)();   // text of the line holding the caret, as displayed, at most 99 units
  Text16 (*wholeText)();   // whole text, CR LF line breaks, at most 1999 units
  void (*focus)();         // give the typing area the keyboard focus
  uint32_t (*tick)();      // millisecond tick count
  void (*errorAlert)();    // the error alert (it checks AlertEnabled itself)
  void (*enableClear)();   // menu item IDM_CLEAR and toolbar button IDT_CLEAR enabled
  // Tests mode.
  void (*toggleTest)();    // start or stop the test (Mode4_ToggleTest)
  void (*autoStartUi)();   // after an automatic start: IDT_OPEN greyed, IDT_START_STOP image 5, IDM_START_TEST "stop" text
  void (*completionUi)();  // after the completion step's stop: IDT_START_STOP image 1, IDT_OPEN/IDT_STATISTICS, IDM_START_TEST, IDM_DETAILED_STATS/IDM_HTML_REPORT
  void (*expandWindow)(int wide);
  // Modes 1/2, list 1 = left list box, 2 = right list box.
  bool (*listHasPrefix)(int list, const Text16& text);   // an entry begins with text, case ignored
  bool (*listSelectExact)(int list, const Text16& text); // entry equal to text (case ignored):
                                                          // select it, scroll it to the top
  // Mode 3: show the figures of custom word record i in its list row.
  void (*updateWordRow)(int16_t index);
};

extern TypingHost g_TypingHost;

// One character message of the typing area: runs the rules of `mode` (1, 2, 3 or 4; any other
// mode only enables Clear and remembers the key word). keyWord = high 16 bits of the key data.
void App_OnTypedChar(char16_t ch, uint16_t keyWord, int mode);

// The text after the last space of `line` (all of it when it has no space).
Text16 App_WordAfterLastSpace(const Text16& line);
// The caret line's text after its last space.
Text16 App_GetWordInProgress();
// As App_GetWordInProgress, with one trailing character of ",.?!:;)}\"]" removed.
Text16 Mode4_GetTypedWord();
Text16 Mode4_StripTrailingPunctuation(const Text16& word);

// Modes 1 and 2.
// At a space: selects the word just typed in its list, or in the other list, which becomes current.
void Mode12_FollowTypedWord();
void Mode12_CheckKey(const Text16& typed, char16_t ch);
bool Mode12_IsListPrefix(const Text16& text);
// Mode 3.
void Mode3_CheckKey(const Text16& typed, char16_t ch);
// Tests mode. The sample is complete once the typed text equals it without its final line breaks.
bool Mode4_CompletesSample(const Text16& typed);
bool Mode4_CheckKey(const Text16& typed, char16_t ch);

// The test's start or stop on the state: start sets the flag, the start tick, zeroes the counters,
// begins a fresh word and returns the row-1 blanking; stop clears the flag, takes the stop tick
// and returns the figures of the text of the typing area (with the character being processed,
// when a typed character completed the sample).
TestFigures Mode4_StartTestState(uint32_t now);
TestFigures Mode4_StopTestState(uint32_t now, const Text16& typedText);
// Start when no test runs, else stop, with the host's tick and typing area text.
TestFigures Mode4_ToggleTestState();
