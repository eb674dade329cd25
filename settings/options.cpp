// The Options dialog's choices: checked, applied, and written as the document lacks them.
#include "settings/options.h"

#include <string>

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Writes `value` for `key` unless the document holds it already; the first failure is kept.
void WriteIfChanged(const char* key, int32_t value, FileWriteResult& saved) {
  const std::string text = std::to_string(value);
  if (!saved.ok || App_XMLReadValue(key) == text) return;
  saved = App_XMLWriteValue(key, text);
}

}  // namespace

OptionsChoice Options_Of(const SettingsState& settings) {
  return {settings.AlertEnabled != 0, settings.ShowKeyboard != 0, Text_FromAscii(std::to_string(settings.CourseSpeed)),
          Text_FromAscii(std::to_string(settings.CourseAccuracy))};
}

bool Options_ParseNumber(const Text16& text, int32_t min, int32_t max, int32_t& value) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  if (i == end || end - i > 9) return false;
  int32_t number = 0;
  for (; i < end; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
    number = number * 10 + (text[i] - u'0');
  }
  if (number < min || number > max) return false;
  value = number;
  return true;
}

OptionsOutcome Options_Apply(SettingsState& settings, const OptionsChoice& choice) {
  OptionsOutcome outcome;
  int32_t speed = 0, accuracy = 0;
  if (!Options_ParseNumber(choice.speed, kMinCourseSpeed, kMaxCourseSpeed, speed)) {
    outcome.invalid = OptionsField::Speed;
    return outcome;
  }
  if (!Options_ParseNumber(choice.accuracy, kMinCourseAccuracy, kMaxCourseAccuracy, accuracy)) {
    outcome.invalid = OptionsField::Accuracy;
    return outcome;
  }
  outcome.keyboardChanged = (settings.ShowKeyboard != 0) != choice.keyboard;
  outcome.targetsChanged = settings.CourseSpeed != speed || settings.CourseAccuracy != accuracy;
  settings.AlertEnabled = choice.alert ? 1 : 0;
  settings.ShowKeyboard = choice.keyboard ? 1 : 0;
  settings.CourseSpeed = speed;
  settings.CourseAccuracy = accuracy;
  WriteIfChanged("AlertEnabled", settings.AlertEnabled, outcome.saved);
  WriteIfChanged("ShowKeyboard", settings.ShowKeyboard, outcome.saved);
  WriteIfChanged("CourseSpeed", speed, outcome.saved);
  WriteIfChanged("CourseAccuracy", accuracy, outcome.saved);
  return outcome;
}
