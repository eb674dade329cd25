#pragma once
// File helpers of the core's unit tests: whole-file reads and writes through the tutor's own file
// access (UTF-8 paths on every system), and a scratch folder of each test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "common/files.h"
#include "testing/whole_files.h"

namespace kftest {

// A fresh folder under the system's temporary folder, named after the running test and a random
// number (other builds of the same tests may run at the same time). It goes with all it holds
// when the object goes, even after a test took the write permission away from it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            (prefix + (info ? info->name() : "") + "_" + std::to_string(std::random_device()()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as a UTF-8 path.
  std::string Dir() const { return path_.u8string(); }
  // The UTF-8 path of `name` inside the folder.
  std::string File(const std::string& name) const { return (path_ / std::filesystem::u8path(name)).u8string(); }
  // Writes the file `name` inside the folder and gives its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = File(name);
    EXPECT_TRUE(WriteAll(path, bytes)) << path;
    return path;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kftest
