#include "settings/options.h"

#include <gtest/gtest.h>

#include <string>

#include "common/files.h"
#include "settings/trace.h"
#include "testing/test_files.h"

namespace {

using kftest::ReadAll;
using kftest::WriteAll;

const std::string kDoc =
    "<Application>\r\n    <AlertEnabled>1</AlertEnabled>\r\n    <CourseSpeed>175</CourseSpeed>\r\n</Application>";

class OptionsDoc : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir_SetData(scratch_.Dir());
    g_Trace = TraceState{};
    ASSERT_TRUE(WriteAll(App_SettingsPath(), kDoc));
    settings.AlertEnabled = 1;
  }
  SettingsState settings;

 private:
  kftest::ScratchFolder scratch_{"kf_options_"};
};

}  // namespace

TEST(OptionsNumber, WholeNumbersInTheirRangeOnly) {
  const struct {
    const char16_t* text;
    bool ok;
    int32_t value;
  } rows[] = {
      {u"175", true, 175}, {u" 30\t", true, 30}, {u"1000", true, 1000}, {u"29", false, 0},  {u"1001", false, 0},
      {u"", false, 0},     {u"  ", false, 0},    {u"-50", false, 0},    {u"17 5", false, 0}, {u"1e3", false, 0},
      {u"99999999999999", false, 0},  // no wrap into the range
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Text_ToUtf8(row.text));
    int32_t value = 0;
    EXPECT_EQ(Options_ParseNumber(row.text, kMinCourseSpeed, kMaxCourseSpeed, value), row.ok);
    if (row.ok) {
      EXPECT_EQ(value, row.value);
    }
  }
}

TEST_F(OptionsDoc, AFieldOutOfRangeAppliesAndWritesNothing) {
  for (auto field : {OptionsField::Speed, OptionsField::Accuracy}) {
    OptionsChoice choice = Options_Of(settings);
    choice.alert = false;
    (field == OptionsField::Speed ? choice.speed : choice.accuracy) = u"20";
    const OptionsOutcome outcome = Options_Apply(settings, choice);
    EXPECT_EQ(outcome.invalid, field);
    EXPECT_EQ(settings.AlertEnabled, 1);
    EXPECT_EQ(ReadAll(App_SettingsPath()), kDoc);
  }
}

TEST_F(OptionsDoc, ChangedValuesAreAppliedAndWrittenOthersLeftAsTheyStand) {
  OptionsChoice choice = Options_Of(settings);
  choice.keyboard = false;
  choice.accuracy = u"95";
  const OptionsOutcome outcome = Options_Apply(settings, choice);
  EXPECT_EQ(outcome.invalid, OptionsField::None);
  EXPECT_TRUE(outcome.saved.ok);
  EXPECT_TRUE(outcome.keyboardChanged);
  EXPECT_TRUE(outcome.targetsChanged);
  EXPECT_EQ(settings.ShowKeyboard, 0);
  EXPECT_EQ(settings.CourseAccuracy, 95);
  EXPECT_EQ(ReadAll(App_SettingsPath()),
            "<Application>\r\n    <AlertEnabled>1</AlertEnabled>\r\n    <CourseSpeed>175</CourseSpeed>\r\n"
            "    <ShowKeyboard>0</ShowKeyboard>\r\n    <CourseAccuracy>95</CourseAccuracy>\r\n</Application>");
  // The same choice again changes nothing and writes nothing.
  const OptionsOutcome again = Options_Apply(settings, choice);
  EXPECT_FALSE(again.keyboardChanged || again.targetsChanged);
}

TEST_F(OptionsDoc, ARunOnlyAlertChangeIsWrittenAndAnUnwritableDocumentIsSaidAndKept) {
  // The alert turned off for the run with the toolbar: the dialog's choice is saved.
  settings.AlertEnabled = 0;
  EXPECT_TRUE(Options_Apply(settings, Options_Of(settings)).saved.ok);
  EXPECT_EQ(App_XMLReadValue("AlertEnabled"), "0");
  // A document that cannot be read: the run keeps the choice, the failure is told.
  ASSERT_TRUE(File_Remove(App_SettingsPath()));
  OptionsChoice choice = Options_Of(settings);
  choice.speed = u"250";
  const OptionsOutcome outcome = Options_Apply(settings, choice);
  EXPECT_FALSE(outcome.saved.ok);
  EXPECT_EQ(settings.CourseSpeed, 250);
  EXPECT_FALSE(File_Exists(App_SettingsPath()));
}
