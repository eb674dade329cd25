// The course's progress file: what it holds, and what survives of a damaged one.
#include "course/course_progress_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/test_files.h"

namespace {

// An order of the marks that need quoting or a guard in a field, a Cyrillic letter and capitals.
CourseKeyOrder Order() {
  CourseKeyOrder order;
  order.keys = Text16(u"asж") + kCourseCapitals + u",\"-'=";
  order.startCount = 2;
  return order;
}

std::string Keys(const CourseProgress& progress) {
  Text16 keys;
  for (const CourseKey& k : progress.unlocked) keys += k.key;
  return Text_ToUtf8(keys);
}

const std::string kStart = "\xEF\xBB\xBFKeyfarer course,1\r\nLessons,3\r\n";

}  // namespace

TEST(CourseProgressFile, EveryKeyAndFigureReadsBackAsWritten) {
  CourseProgress progress;
  progress.lessons = 41;
  const Text16 keys = Order().keys;
  for (size_t i = 0; i < keys.size(); ++i)
    progress.unlocked.push_back({keys[i], {40, 1.25 * static_cast<double>(i), 38.5, 9120.75 + static_cast<double>(i)}});
  const std::string bytes = Course_ProgressBytes(progress);
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBFKeyfarer course,1\r\nLessons,41\r\nKey,a,", 0), 0u);
  EXPECT_NE(bytes.find("Key,\"'-\",40.00,7.50,38.50,9126.75\r\n"), std::string::npos);
  const CourseProgressRead read = Course_ParseProgress(bytes, Order());
  EXPECT_FALSE(read.damaged);
  EXPECT_EQ(read.keysRead, keys.size());
  EXPECT_EQ(read.progress.lessons, 41u);
  ASSERT_EQ(Keys(read.progress), Text_ToUtf8(keys));
  for (size_t i = 0; i < keys.size(); ++i) {
    SCOPED_TRACE(i);
    const CourseFigures& f = read.progress.unlocked[i].figures;
    const CourseFigures& g = progress.unlocked[i].figures;
    EXPECT_EQ(f.keystrokes, g.keystrokes);
    EXPECT_EQ(f.errors, g.errors);
    EXPECT_EQ(f.timed, g.timed);
    EXPECT_EQ(f.ms, g.ms);
  }
}

TEST(CourseProgressFile, ADamagedFileKeepsItsWellFormedRowsAndTheFirstLessonsKeys) {
  struct Row {
    const char* what;
    std::string bytes;
    const char* keys;  // unlocked afterwards, in order
    bool damaged;
    uint32_t lessons;
  };
  const std::string good = "Key,\xD0\xB6,20.00,0.00,20.00,4000.00\r\n";
  const Row rows[] = {
      {"empty", "", "as", true, 0},
      {"whole", kStart + good, "as\xD0\xB6", false, 3},
      {"no mark, LF only", "Keyfarer course,1\nLessons,3\n" + std::string("Key,s,1.00,0.00,1.00,100.00\n"), "as", false,
       3},
      {"the first lesson's keys after others", kStart + good + "Key,s,1.00,0.00,1.00,100.00\r\n", "as\xD0\xB6", false,
       3},
      {"no header", "Lessons,3\r\n" + good, "as\xD0\xB6", true, 3},
      {"a key of no course of the language", kStart + "Key,q,1.00,0.00,1.00,100.00\r\n" + good, "as\xD0\xB6", true, 3},
      {"a key met before", kStart + good + good, "as\xD0\xB6", true, 3},
      {"more errors than keystrokes", kStart + "Key,\xD0\xB6,2.00,3.00,0.00,0.00\r\n", "as\xD0\xB6", true, 3},
      {"more keystrokes than the window", kStart + "Key,\xD0\xB6,41.00,0.00,0.00,0.00\r\n", "as\xD0\xB6", true, 3},
      {"a negative time", kStart + "Key,\xD0\xB6,2.00,0.00,1.00,-5.00\r\n", "as\xD0\xB6", true, 3},
      {"a row cut short", kStart + good + "Key,\xE2\x87\xA7,20.00,0.0", "as\xD0\xB6", true, 3},
      {"two characters as a key", kStart + "Key,ab,2.00,0.00,1.00,5.00\r\n" + good, "as\xD0\xB6", true, 3},
      {"a lesson count of letters", "Keyfarer course,1\r\nLessons,x\r\n" + good, "as\xD0\xB6", true, 0},
      {"binary", std::string("\0\xFF\xFE\x01Key,\0", 10), "as", true, 0},
      {"too big", kStart + good + std::string(kMaxCourseProgressBytes, '\n'), "as\xD0\xB6", true, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const CourseProgressRead read = Course_ParseProgress(row.bytes, Order());
    EXPECT_EQ(Keys(read.progress), row.keys);
    EXPECT_EQ(read.damaged, row.damaged);
    EXPECT_EQ(read.progress.lessons, row.lessons);
    // A key whose figures were out of bounds stays unlocked without them.
    const CourseFigures* f = Course_FiguresOf(read.progress, u'ж');
    EXPECT_TRUE(!f || f->keystrokes == 0 || f->keystrokes == 20);
  }
}

TEST(CourseProgressFile, TheFileBesideTheSettingsIsWrittenWholeAndReadBack) {
  kftest::ScratchFolder scratch("kf_course_");
  Dir_SetData(scratch.Dir());
  CourseKeyOrder order = Order();
  order.language = 3;
  const CourseProgressRead none = Course_LoadProgress(order);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(Keys(none.progress), "as");

  CourseProgress progress = none.progress;
  progress.unlocked.push_back({u'ж', {12, 1, 10, 2500}});
  ASSERT_TRUE(Course_SaveProgress(progress).ok);
  EXPECT_EQ(kftest::ReadAll(scratch.File("Course_RU.csv")), Course_ProgressBytes(progress));
  const CourseProgressRead back = Course_LoadProgress(order);
  EXPECT_TRUE(back.found);
  EXPECT_FALSE(back.damaged);
  EXPECT_EQ(Keys(back.progress), "as\xD0\xB6");

  // A folder in the file's place is no progress, and is not written over.
  order.language = 1;
  std::filesystem::create_directory(scratch.Path() / "Course_EN.csv");
  EXPECT_FALSE(Course_LoadProgress(order).found);
  progress.language = 1;
  EXPECT_FALSE(Course_SaveProgress(progress).ok);
  Dir_SetData(Dir_Current());
}
