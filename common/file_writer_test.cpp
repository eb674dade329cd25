// The safe writer that Settings.xml, Custom_Words.dat and Report.htm all go through.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/files.h"
#include "testing/test_files.h"

namespace {

namespace fs = std::filesystem;

class SafeWriter : public ::testing::Test {
 protected:
  kftest::ScratchFolder root_{"kf_writer_"};
  std::string path_ = root_.File("Report.htm");

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_.Path())) names.insert(entry.path().filename().u8string());
    return names;
  }

  static void MakeReadOnly(const std::string& path, bool readOnly) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(fs::u8path(path), write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
  }
};

TEST_F(SafeWriter, CreatesAndReplacesWholeFilesAndLeavesNothingBeside) {
  ASSERT_TRUE(File_WriteSafely(path_, "first\r\nsecond\r\n").ok);
  EXPECT_EQ(kftest::ReadAll(path_), "first\r\nsecond\r\n");
  // A shorter file leaves nothing of the longer one behind; an empty one is still a file.
  ASSERT_TRUE(File_WriteSafely(path_, "x\r\n").ok);
  EXPECT_EQ(kftest::ReadAll(path_), "x\r\n");
  ASSERT_TRUE(File_WriteSafely(path_, "").ok);
  EXPECT_TRUE(File_Exists(path_));
  EXPECT_EQ(fs::file_size(fs::u8path(path_)), 0u);
  // The stale temporary file of a crash is taken over.
  root_.Write("Report.htm.tmp", "stale bytes of a crash");
  ASSERT_TRUE(File_WriteSafely(path_, "new").ok);
  EXPECT_EQ(kftest::ReadAll(path_), "new");
  EXPECT_EQ(Names(), std::set<std::string>({"Report.htm"}));
}

TEST_F(SafeWriter, ReadOnlyFileKeepsItsBytesAndItsAttribute) {
  root_.Write("Report.htm", "the user's own");
  MakeReadOnly(path_, true);
  ASSERT_TRUE(File_IsReadOnly(path_));
  const FileWriteResult result = File_WriteSafely(path_, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, kFileErrorReadOnly);
  EXPECT_TRUE(File_IsReadOnly(path_));
  MakeReadOnly(path_, false);
  EXPECT_EQ(kftest::ReadAll(path_), "the user's own");
  EXPECT_EQ(Names(), std::set<std::string>({"Report.htm"}));
}

TEST_F(SafeWriter, FailuresSayWhyAndLeaveTheOldFileAndWhatIsNotTheirs) {
  // A folder in the way of the temporary file: the old file stays, the folder too.
  root_.Write("Report.htm", "old");
  fs::create_directory(fs::u8path(path_ + ".tmp"));
  FileWriteResult result = File_WriteSafely(path_, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error, 0u);
  EXPECT_EQ(kftest::ReadAll(path_), "old");
  EXPECT_TRUE(Dir_Exists(path_ + ".tmp"));
  fs::remove(fs::u8path(path_ + ".tmp"));

  // A folder where the file should be: nothing takes its place, nothing stays beside it.
  const std::string folder = root_.File("Custom_Words.dat");
  fs::create_directories(fs::u8path(folder) / "inside");
  result = File_WriteSafely(folder, "new");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error, 0u);
  EXPECT_TRUE(Dir_Exists(folder));
  EXPECT_FALSE(File_IsReadOnly(folder));

  // A missing folder: nothing is made.
  const std::string missing = root_.File("RU") + kPathSep + "Custom_Words.dat";
  result = File_WriteSafely(missing, "word\r\n");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error, 0u);
  EXPECT_EQ(Names(), std::set<std::string>({"Report.htm", "Custom_Words.dat"}));
}

}  // namespace
