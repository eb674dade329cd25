#pragma once
// The keyboard drawn for the learner: the page that Show Keyboard Layout (Ctrl+L) opens and the
// report's key section. The keyboard of the language is an inline SVG drawing, each key in its
// finger's colour with the home keys marked; once the learner has typed, each key is shaded by
// its error rate and labelled with its speed over the last tests. Window-free; ASCII markup with
// UTF-8 texts, no script and nothing outside the page.
#include <string>

#include "common/text.h"
#include "keys/key_history.h"

// Every text of the page and the section, as the string tables hold them. "%d" stands for a
// number of tests; in `confusion` "%1" is the key typed, "%2" the one to type, "%3" how often.
struct KeyboardTexts {
  Text16 heading;            // page heading: "Keyboard: " and the language's name follow
  Text16 fingers[5];         // little, ring, middle, index fingers, thumbs
  Text16 homeKeys;           // legend of the marked home keys
  Text16 errorScale;         // legend of the shades
  Text16 untyped;            // legend: a key not typed yet
  Text16 speedNote;          // "The number on a key: its speed in characters per minute, last %d tests"
  Text16 noFigures;          // before any test of the language
  Text16 sectionHeading;     // report: "Keys: " and the language's name follow
  Text16 weakHeading;        // "The five weakest keys of the last %d tests"
  Text16 columns[4];         // key, errors, speed (CPM), trend
  Text16 better, worse, steady, tooFew;  // trend of the newer half of the tests against the older
  Text16 noWeakKeys;         // no key has enough keystrokes yet
  Text16 confusionsHeading;  // "The five most frequent confusions"
  Text16 confusion;          // "typed %1 for %2: %3 times"
  Text16 noConfusions;
  Text16 space;              // the space bar's name in a confusion or the weak keys
  Text16 languageName;       // the language's name, after the two headings
};

// How the newer half of the tests compares with the older for one key.
enum class KeyTrend { TooFew, Better, Steady, Worse };
// Each half needs this many keystrokes of the key to be compared.
constexpr uint64_t kMinTrendObservations = 10;
// A score that changed by less than a tenth is steady.
KeyTrend Mode4_KeyTrend(const KeySummary& summary, size_t key);

// The keyboard of `summary.language` as an <svg> element followed by its legend; without tests
// (summary.tests 0) the keys show their fingers only.
std::string Mode4_KeyboardDrawing(const KeySummary& summary, const KeyboardTexts& texts);
// The whole Keyboard.htm page.
std::string Mode4_BuildKeyboardPage(const KeySummary& summary, const KeyboardTexts& texts);
// The report's key section: heading, the keyboard, the five weakest keys with their error rate,
// speed and trend, the five most frequent confusions, and a rule.
std::string Mode4_BuildKeySection(const KeySummary& summary, const KeyboardTexts& texts);
