// Which folder the tutor works from, with a fake disk.
#include "common/start_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

std::set<std::string> g_withLanguages;  // the folders of the fake disk that hold EN, FR or RU
bool HasLanguages(const std::string& folder) { return g_withLanguages.count(folder) > 0; }

TEST(StartFolder, CurrentFirstThenTheProgramsOwn) {
  const struct {
    const char* name;
    std::set<std::string> withLanguages;
    std::string current, program;
    StartFolder chosen;
  } kCases[] = {
      {"started in its folder", {"C:\\KFP"}, "C:\\KFP", "C:\\KFP", StartFolder::Current},
      {"another folder with languages", {"C:\\KFP", "D:\\work"}, "D:\\work", "C:\\KFP", StartFolder::Current},
      {"from a command prompt", {"C:\\KFP"}, "C:\\Users\\ann", "C:\\KFP", StartFolder::Program},
      {"neither has one", {}, "C:\\Users\\ann", "C:\\KFP", StartFolder::Neither},
      {"its own folder without languages", {}, "C:\\KFP", "C:\\KFP", StartFolder::Neither},
      {"no program folder known", {"C:\\KFP"}, "C:\\Users\\ann", "", StartFolder::Neither},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    g_withLanguages = c.withLanguages;
    EXPECT_EQ(App_ChooseStartFolder(c.current, c.program, HasLanguages), c.chosen);
  }
}

TEST(StartFolder, TheMessagesNameTheFolders) {
  EXPECT_EQ(App_StartFoldersLookedIn("C:\\Users\\ann", "C:\\KFP"), "C:\\Users\\ann\r\nC:\\KFP");
  EXPECT_EQ(App_StartFoldersLookedIn("C:\\KFP", "C:\\KFP"), "C:\\KFP");
  const std::vector<std::string> trace = App_StartFolderTrace("C:\\Users\\ann", "C:\\KFP");
  // Each folder on a line of its own: the trace cuts long lines.
  for (const char* folder : {"C:\\Users\\ann", "C:\\KFP"})
    EXPECT_EQ(std::count(trace.begin(), trace.end(), folder), 1) << folder;
}

}  // namespace
