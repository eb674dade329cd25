// The course as the screen uses it, with a simulated learner typing its lessons in each
// language: clean typing unlocks the keys in the language's order, inaccurate typing unlocks
// none, the progress survives a new start and a reset begins again.
#include "course/course.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/course_typist.h"
#include "testing/test_files.h"

namespace {

class Course : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* language : {"EN", "FR", "RU"}) {
      std::filesystem::create_directories(scratch_.Path() / language / "Course");
      const std::string relative = std::string("/") + language + "/Course/Words.txt";
      scratch_.Write(relative.substr(1), kftest::ReadAll(std::string(KF_DATA_DIR) + relative));
    }
    Dir_SetData(scratch_.Dir());
  }
  void TearDown() override { Dir_SetData(Dir_Current()); }

  // Lessons typed at one key every `msPerKey`, every `errorEvery`-th key first wrong.
  void Learn(CourseState& course, int lessons, uint32_t msPerKey, size_t errorEvery) {
    for (int i = 0; i < lessons; ++i) {
      const CourseLesson lesson = Course_NextLesson(course, static_cast<uint32_t>(i + 1));
      const CourseLessonDone done = Course_FinishLesson(course, kftest::TypeLesson(lesson.text, msPerKey, errorEvery));
      EXPECT_TRUE(done.saved.ok);
    }
  }

  kftest::ScratchFolder scratch_{"kf_course_"};
};

Text16 Unlocked(const CourseState& course) {
  Text16 keys;
  for (const CourseKey& k : course.progress.unlocked) keys += k.key;
  return keys;
}

}  // namespace

TEST_F(Course, CleanTypingUnlocksTheKeysInOrderAndInaccurateTypingNone) {
  struct Row {
    uint32_t msPerKey;
    size_t errorEvery;
    bool unlocks;
  };
  const Row rows[] = {{240, 0, true}, {240, 10, false}, {400, 0, false}};
  for (int language = 1; language <= 3; ++language) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::to_string(language) + ": " + std::to_string(row.msPerKey) + " ms a key, every " +
                   std::to_string(row.errorEvery) + "th wrong");
      CourseState course;
      Course_Open(course, language, {});
      ASSERT_TRUE(Course_Reset(course).ok);
      Learn(course, 12, row.msPerKey, row.errorEvery);
      const Text16 unlocked = Unlocked(course);
      EXPECT_EQ(unlocked, course.order.keys.substr(0, unlocked.size()));
      if (row.unlocks) {
        EXPECT_GE(unlocked.size(), course.order.startCount + 8);
      } else {
        EXPECT_EQ(unlocked.size(), course.order.startCount);
      }
      EXPECT_EQ(Course_LessonNumber(course), 13u);
    }
  }
}

TEST_F(Course, TheProgressSurvivesANewStartAndAResetBeginsAgain) {
  CourseState course;
  Course_Open(course, 2, {});
  Learn(course, 4, 240, 0);
  const Text16 unlocked = Unlocked(course);
  ASSERT_GT(unlocked.size(), course.order.startCount);

  CourseState again;
  Course_Open(again, 2, {});
  EXPECT_EQ(Unlocked(again), unlocked);
  EXPECT_FALSE(again.damaged);
  const CourseView view = Course_View(again);
  EXPECT_EQ(view.unlocked, unlocked.size());
  EXPECT_EQ(view.keys.size(), again.order.keys.size());
  EXPECT_EQ(view.focus, Course_FocusKey(again.progress, again.order, again.targets));
  ASSERT_TRUE(Course_ViewOf(view, view.focus));
  EXPECT_TRUE(Course_ViewOf(view, view.focus)->focus);
  EXPECT_FALSE(Course_ViewOf(view, again.order.keys.back())->unlocked);
  EXPECT_EQ(Course_ViewOf(view, again.order.keys.back())->confidence, 0);

  ASSERT_TRUE(Course_Reset(again).ok);
  CourseState reset;
  Course_Open(reset, 2, {});
  EXPECT_EQ(Unlocked(reset), reset.order.keys.substr(0, reset.order.startCount));
  EXPECT_EQ(Course_LessonNumber(reset), 1u);
}

TEST(CourseView, TheLiveKeyboardShowsEachKeyCapByTheCourseKeysOnIt) {
  CourseView view;
  view.keys = {{u';', true, false, 0.5}, {u'.', true, true, 0.25}, {kCourseCapitals, true, false, 1.0},
               {u'1', false, false, 0}, {u'q', true, false, 0.75}};
  struct Row {
    const char* what;
    KeyCap cap;
    CourseKeyView shown;
  };
  const Row rows[] = {
      {"two marks: the focus, the less confident", {3, 0, 4, u';', u'.', Finger::RightMiddle, false, KeySpecial::None},
       {u';', true, true, 0.25}},
      {"a locked digit on a shift level", {0, 0, 4, u'&', u'1', Finger::LeftLittle, false, KeySpecial::None},
       {u'1', false, false, 0}},
      {"the Shift keys", {3, 0, 9, 0, 0, Finger::LeftLittle, false, KeySpecial::Shift}, {kCourseCapitals, true, false, 1}},
      {"a letter", {2, 0, 4, u'q', u'Q', Finger::LeftLittle, true, KeySpecial::None}, {u'q', true, false, 0.75}},
      {"no key of the course", {1, 0, 6, 0, 0, Finger::LeftLittle, false, KeySpecial::Tab}, {0, false, false, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const CourseKeyView shown = Course_ViewOfCap(view, row.cap);
    EXPECT_EQ(shown.key, row.shown.key);
    EXPECT_EQ(shown.unlocked, row.shown.unlocked);
    EXPECT_EQ(shown.focus, row.shown.focus);
    EXPECT_EQ(shown.confidence, row.shown.confidence);
  }
}

TEST_F(Course, AnUnreadableProgressFileIsNeverWrittenOver) {
  std::filesystem::create_directory(scratch_.Path() / "Course_RU.csv");
  CourseState course;
  Course_Open(course, 3, {});
  EXPECT_EQ(Unlocked(course), course.order.keys.substr(0, course.order.startCount));
  const CourseLesson lesson = Course_NextLesson(course, 1);
  EXPECT_FALSE(Course_FinishLesson(course, kftest::TypeLesson(lesson.text, 240, 0)).saved.ok);
  EXPECT_TRUE(std::filesystem::is_directory(scratch_.Path() / "Course_RU.csv"));
}
