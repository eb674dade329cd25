#pragma once
// Settings.xml: read once at start, at most Mode and Language written back at exit.
// The document is line-based 8-bit text that looks like XML (see settings.cpp for the rules).
#include <cstdint>
#include <string>

#include "common/files.h"

using ColorRef = uint32_t;  // red in the low byte, then green, then blue; high byte 0

// The course's targets, CourseSpeed (characters a minute) and CourseAccuracy (percent): a
// missing or unreadable value reads as the default, one out of its range as the range's end.
constexpr int32_t kDefaultCourseSpeed = 175, kMinCourseSpeed = 30, kMaxCourseSpeed = 1000;
constexpr int32_t kDefaultCourseAccuracy = 97, kMinCourseAccuracy = 50, kMaxCourseAccuracy = 100;

struct SettingsState {
  int32_t Debug = 0;          // trace switch
  int32_t SaveLastUsed = 0;
  int16_t Mode = 0;           // current mode (changes during the run)
  int16_t Language = 0;       // current language (changes during the run)
  int16_t StartMode = 0;      // as read at start; only App_SaveLastUsed compares against them
  int16_t StartLanguage = 0;
  int32_t AlertEnabled = 0;   // changed for the run by the alert command, never saved
  int32_t ShowURLLogo = 0;
  int32_t ShowKeyboard = 1;   // the live keyboard under the texts; a missing key reads as shown
  ColorRef BackgroundColor = 0;
  ColorRef BS_BackgroundColor = 0;
  ColorRef DS_BackgroundColor = 0;
  ColorRef DS_InterlacedColor = 0;
  ColorRef DS_LHColor = 0;
  ColorRef DS_RHColor = 0;
  ColorRef DS_L2RColor = 0;
  ColorRef DS_R2LColor = 0;
  int32_t CourseSpeed = kDefaultCourseSpeed;
  int32_t CourseAccuracy = kDefaultCourseAccuracy;
};

extern SettingsState g_Settings;

constexpr ColorRef App_RGB(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Settings.xml in the data folder.
std::string App_SettingsPath();
// Value of `key` (text between its tags on the last line holding "<key>"), or "".
std::string App_XMLReadValue(const std::string& key);
// Rewrites the document with the line of `key` replaced (a key it lacks is added at the end of
// its <Application> section); never loses or empties the document. Not ok when the document
// could not be read or written.
FileWriteResult App_XMLWriteValue(const std::string& key, const std::string& value);
// "#RRGGBB" -> three integers, strtol-style per pair (no digit gives 0).
void App_ParseColor(const char* text, int& red, int& green, int& blue);
// atoi rules: leading blanks, optional sign, digits; anything else gives 0.
int32_t App_AtoI(const std::string& text);
// Reads every key, Debug first, into g_Settings.
void App_XMLReadSettings();
// Writes Mode and Language back when they changed and SaveLastUsed is on.
void App_SaveLastUsed();

// The document the installer writes (28 lines, CR LF between lines, none after the last);
// language 2 or 3 gives that language, anything else 1.
std::string App_DefaultSettingsDocument(int language);
