// Which folder the tutor works from, with a fake disk.
#include "common/start_folder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::set<std::string> g_withLanguages;  // the folders of the fake disk that hold EN, FR or RU
bool HasLanguages(const std::string& folder) { return g_withLanguages.count(folder) > 0; }

using Lines = std::vector<std::string>;

TEST(StartFolder, ItsOwnFolderFirstThenTheCurrentOne) {
  const struct {
    const char* name;
    std::set<std::string> withLanguages;
    std::string current, program;
    StartFolder chosen;
    Lines trace;
  } kCases[] = {
      {"started in its folder", {"C:\\KFP"}, "C:\\KFP", "C:\\KFP", StartFolder::Program,
       {"_tWinMain: working from the program's folder:", "C:\\KFP"}},
      {"a shortcut's start folder with data of its own", {"C:\\KFP", "D:\\work"}, "D:\\work", "C:\\KFP",
       StartFolder::Program, {"_tWinMain: working from the program's folder:", "C:\\KFP"}},
      {"from a command prompt", {"C:\\KFP"}, "C:\\Users\\ann", "C:\\KFP", StartFolder::Program,
       {"_tWinMain: working from the program's folder:", "C:\\KFP"}},
      {"a portable copy of the program alone", {"D:\\work"}, "D:\\work", "E:\\bin", StartFolder::Current,
       {"_tWinMain: the program's folder has no language folder:", "E:\\bin",
        "_tWinMain: working from the current folder:", "D:\\work"}},
      {"neither has one", {}, "C:\\Users\\ann", "C:\\KFP", StartFolder::Neither,
       {"_tWinMain: no language folder in:", "C:\\KFP", "C:\\Users\\ann"}},
      {"its own folder without languages", {}, "C:\\KFP", "C:\\KFP", StartFolder::Neither,
       {"_tWinMain: no language folder in:", "C:\\KFP"}},
      {"no program folder known", {"D:\\work"}, "D:\\work", "", StartFolder::Current,
       {"_tWinMain: the program's folder has no language folder:", "",
        "_tWinMain: working from the current folder:", "D:\\work"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    g_withLanguages = c.withLanguages;
    const StartFolder chosen = App_ChooseStartFolder(c.current, c.program, HasLanguages);
    EXPECT_EQ(chosen, c.chosen);
    // Each folder on a line of its own: the trace cuts long lines.
    EXPECT_EQ(App_StartFolderTrace(chosen, c.current, c.program), c.trace);
  }
}

TEST(StartFolder, TheMessageNamesTheFoldersInTheOrderLookedIn) {
  EXPECT_EQ(App_StartFoldersLookedIn("C:\\Users\\ann", "C:\\KFP"), "C:\\KFP\r\nC:\\Users\\ann");
  EXPECT_EQ(App_StartFoldersLookedIn("C:\\KFP", "C:\\KFP"), "C:\\KFP");
  EXPECT_EQ(App_StartFoldersLookedIn("C:\\Users\\ann", ""), "C:\\Users\\ann");
}

}  // namespace
