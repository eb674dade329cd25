// The Options dialog on the tutor's window: its texts in the current language, a number out of
// range said with the dialog kept, OK applying and writing the choices, the reset of the course.
#include <string>

#include "app/app.h"
#include "app/strings_win.h"
#include "course/course.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/dialog_driver.h"
#include "testing/window_test_support.h"

namespace {

using OptionsTest = kftest::MainWindowTest;

int WINAPI AnswerYes(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  kftest::g_ShownMessages.push_back({text ? text : L"", caption ? caption : L"", nullptr, type});
  return IDYES;
}

std::wstring ItemText(HWND dialog, int id) { return kftest::WindowText(GetDlgItem(dialog, id)); }

}  // namespace

TEST_F(OptionsTest, OkAppliesAndWritesTheChoicesANumberOutOfRangeIsSaidFirst) {
  OpenMainWindow(4, 2);
  const kftest::DialogScenario scenario = kftest::CommandWithDialog(IDM_OPTIONS, [](HWND dialog) {
    EXPECT_EQ(kftest::WindowText(dialog), App_LoadString(IDS_OPTIONS_CAPTION, 2));
    EXPECT_EQ(ItemText(dialog, IDC_OPTIONS_SPEED), L"175");
    EXPECT_EQ(ItemText(dialog, IDC_OPTIONS_ACCURACY), L"97");
    SetDlgItemTextW(dialog, IDC_OPTIONS_SPEED, L"20");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(kftest::g_ShownMessages.size(), 1u);
    EXPECT_NE(kftest::g_ShownMessages[0].text.find(L"30"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays for another try";
    SetDlgItemTextW(dialog, IDC_OPTIONS_SPEED, L"250");
    CheckDlgButton(dialog, IDC_OPTIONS_KEYBOARD, BST_UNCHECKED);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(scenario.ran);
  EXPECT_FALSE(scenario.forcedClose);
  EXPECT_EQ(g_Settings.CourseSpeed, 250);
  EXPECT_EQ(g_Settings.ShowKeyboard, 0);
  EXPECT_EQ(App_XMLReadValue("CourseSpeed"), "250");
  EXPECT_EQ(App_XMLReadValue("ShowKeyboard"), "0");
  EXPECT_EQ(g_Course.targets.cpm, 250);
}

TEST_F(OptionsTest, TheResetStartsTheCourseOfTheLanguageAgainOnceConfirmed) {
  ASSERT_TRUE(CreateDirectoryW((dir_ + L"\\RU\\Course").c_str(), nullptr));
  ASSERT_TRUE(kftest::WriteBytes(dir_ + L"\\RU\\Course\\Words.txt",
                                 kftest::ReadBytes(kftest::DataDir() + L"\\RU\\Course\\Words.txt")));
  OpenMainWindow(1, 3);
  g_MessageBox = AnswerYes;
  const kftest::DialogScenario scenario = kftest::CommandWithDialog(IDM_OPTIONS, [](HWND dialog) {
    EXPECT_NE(ItemText(dialog, IDC_OPTIONS_RESET).find(kftest::Wide(App_LanguageName(3))), std::wstring::npos);
    SendMessageW(dialog, WM_COMMAND, IDC_OPTIONS_RESET, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_OPTIONS_RESET)));
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_TRUE(scenario.ran);
  EXPECT_FALSE(scenario.forcedClose);
  EXPECT_EQ(kftest::g_ShownMessages.size(), 1u) << "the reset is asked first";
  EXPECT_EQ(g_Course.order.language, 3);
  EXPECT_EQ(kftest::ReadBytes(dir_ + L"\\Course_RU.csv"), Course_ProgressBytes(Course_NewProgress(g_Course.order)));
}
