// The Course screen on the tutor's window: a lesson is the sample and a test, its completion
// writes its rows and the course's progress and brings the next lesson; the screen's commands.
#include <string>

#include "app/app.h"
#include "app/commands_win.h"
#include "common/modes.h"
#include "course/course.h"
#include "exam/sample_text.h"
#include "resources/resource.h"
#include "testing/window_test_support.h"
#include "typing/typing_win.h"

namespace {

class CourseScreenTest : public kftest::TypingWindowTest {
 protected:
  void SetUp() override {
    kftest::TypingWindowTest::SetUp();
    // The shipped English words; the other languages have none in this folder.
    ASSERT_TRUE(CreateDirectoryW((dir_ + L"\\EN\\Course").c_str(), nullptr));
    ASSERT_TRUE(kftest::WriteBytes(dir_ + L"\\EN\\Course\\Words.txt",
                                   kftest::ReadBytes(kftest::DataDir() + L"\\EN\\Course\\Words.txt")));
    now = 50000;
  }
  static std::wstring Progress() { return kftest::WindowText(GetDlgItem(g_App.mainWindow, IDC_COURSE_PROGRESS)); }
  static bool Shows(const std::wstring& text, const wchar_t* what) { return text.find(what) != std::wstring::npos; }
};

// Enter types a line break: the edit control puts CR LF in for its CR.
std::wstring AsTyped(const std::wstring& text) {
  std::wstring typed;
  for (wchar_t c : text)
    if (c != L'\n') typed += c;
  return typed;
}

}  // namespace

TEST_F(CourseScreenTest, ALessonTypedToItsEndIsATestAndTheNextLessonFollows) {
  OpenMainWindow(kModeCourse, 1);
  HWND area = g_TypingScreen.typingArea;
  const std::wstring lesson = kftest::WindowText(g_TypingScreen.sampleView);
  ASSERT_FALSE(lesson.empty());
  EXPECT_EQ(lesson, kftest::Wide(g_Sample.text));
  EXPECT_TRUE(Shows(Progress(), L"Lesson 1\r\n"));
  // A test's commands, but no sample file of the user's and no other language's words.
  EXPECT_TRUE(App_CommandAvailable(IDT_START_STOP));
  EXPECT_FALSE(App_ScreenOffers(kModeCourse, IDM_OPEN));
  EXPECT_TRUE(kftest::Grayed(IDM_MODE_COURSE));

  TypeTo(area, AsTyped(lesson));
  EXPECT_EQ(g_Typing.testRunning, 0);
  const std::string history = kftest::ReadBytes(dir_ + L"\\History.csv");
  EXPECT_NE(history.find(",EN,Lesson 1,1,"), std::string::npos) << history;
  EXPECT_NE(kftest::ReadBytes(dir_ + L"\\Keys.csv"), "");
  EXPECT_NE(kftest::ReadBytes(dir_ + L"\\Course_EN.csv"), "");
  // The last key stays in until the next lesson replaces it.
  EXPECT_EQ(kftest::WindowText(area), lesson);
  SendMessageW(g_App.mainWindow, WM_TIMER, ID_TIMER_NEXT_LESSON, 0);
  EXPECT_EQ(kftest::WindowText(area), L"");
  EXPECT_TRUE(Shows(Progress(), L"Lesson 2\r\n"));
  EXPECT_EQ(g_Sample.fileName, "Lesson 2");
  // A lesson started by command keeps the statistics panel labelled, as one started by a key.
  kftest::Command(IDT_START_STOP);
  ASSERT_EQ(g_Typing.testRunning, 1);
  EXPECT_NE(kftest::WindowText(g_TypingScreen.labels[0]), L"");
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.values[0]), L"");
}

TEST_F(CourseScreenTest, ALanguageWithoutItsWordsSaysSoAndOffersNoLesson) {
  OpenMainWindow(kModeCourse, 2);
  EXPECT_EQ(kftest::WindowText(g_TypingScreen.sampleView), L"");
  EXPECT_TRUE(Shows(Progress(), App_LoadString(IDS_COURSE_NO_WORDS, 2)));
}
