#pragma once
// The Options dialog's choices and what becomes of them: the error sound, the live keyboard and
// the course's targets, checked and applied to the settings and written to Settings.xml.
// Window-free; the dialog is course/options_win.cpp.
#include <cstdint>

#include "common/files.h"
#include "common/text.h"
#include "settings/settings.h"

struct OptionsChoice {
  bool alert = false;
  bool keyboard = true;
  Text16 speed;     // the target speed as typed, characters a minute
  Text16 accuracy;  // the target accuracy as typed, percent
};

enum class OptionsField { None, Speed, Accuracy };

struct OptionsOutcome {
  // The field whose text is no whole number in its range: nothing is applied or written.
  OptionsField invalid = OptionsField::None;
  bool keyboardChanged = false;
  bool targetsChanged = false;
  // The write of the values that differ from the document's; ok when none did. The run keeps
  // the choices even when the document could not be written.
  FileWriteResult saved{true, 0};
};

OptionsChoice Options_Of(const SettingsState& settings);
// A whole number from `min` to `max`, blanks around it allowed; false for anything else.
bool Options_ParseNumber(const Text16& text, int32_t min, int32_t max, int32_t& value);
// Checks the choice, applies it to `settings` and writes to Settings.xml each of its four values
// that the document does not already hold (the alert's run-only changes included).
OptionsOutcome Options_Apply(SettingsState& settings, const OptionsChoice& choice);
