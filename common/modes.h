#pragma once
// The five modes of the tutor, as Settings.xml stores them and every screen, rule and command
// compares them.
#include <cstdint>

constexpr int16_t kModeHands = 1;        // words for one hand
constexpr int16_t kModeAlternation = 2;  // left-to-right and right-to-left words
constexpr int16_t kModeCustom = 3;       // the user's own custom words
constexpr int16_t kModeTests = 4;        // timed tests against a sample text
constexpr int16_t kModeCourse = 5;       // the course from the home row: lessons typed as tests

// Modes 1 and 2 share one screen and one set of keystroke rules.
constexpr bool Mode_IsHandPractice(int mode) { return mode == kModeHands || mode == kModeAlternation; }
constexpr bool Mode_IsKnown(int mode) { return mode >= kModeHands && mode <= kModeCourse; }
// A lesson of the course is a test: both type a whole text against its sample, with a test's
// keystroke rules, figures and history rows.
constexpr bool Mode_IsTest(int mode) { return mode == kModeTests || mode == kModeCourse; }
