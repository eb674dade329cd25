// The installer's window-free rules: payload table, destination paths, order of writes.
#include "setup/setup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One line per step, easy to compare as a whole: "dir <folder>", "res <id> <folder>\<name>",
// "xml <language> <folder>".
std::vector<std::string> Describe(const std::vector<SetupStep>& steps) {
  std::vector<std::string> lines;
  for (const SetupStep& s : steps) {
    switch (s.kind) {
      case SetupStepKind::CreateFolder: lines.push_back("dir " + s.folder); break;
      case SetupStepKind::WriteResource:
        lines.push_back("res " + std::to_string(s.resource) + " " + s.folder + "\\" + s.name);
        break;
      case SetupStepKind::WriteSettings:
        lines.push_back("xml " + std::to_string(s.language) + " " + s.folder);
        break;
    }
  }
  return lines;
}

std::vector<std::string> LanguageLines(const std::string& dest, const std::string& folder, int base,
                                       const std::vector<std::string>& lists) {
  const std::string lang = dest + "\\" + folder;
  std::vector<std::string> lines = {"dir " + lang, "dir " + lang + "\\Tests", "dir " + lang + "\\Training Words"};
  for (int i = 0; i < 4; ++i)
    lines.push_back("res " + std::to_string(base + i) + " " + lang + "\\Training Words\\" + lists[static_cast<size_t>(i)]);
  lines.push_back("res " + std::to_string(base + 4) + " " + lang + "\\Tests\\Sample_Unicode.txt");
  return lines;
}

const std::string kDest = "C:\\Users\\ann\\Documents\\KFP";
const std::vector<std::string> kAnsiLists = {"LH_Words.dat", "RH_Words.dat", "LTOR_Both.dat", "RTOL_Both.dat"};
const std::vector<std::string> kRussianLists = {"LH_Words_RU_UTF8.txt", "RH_Words_RU_UTF8.txt",
                                                "LTOR_Words_RU_UTF8.txt", "RTOL_Words_RU_UTF8.txt"};

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::vector<std::string> Head(int language) {
  return {"dir " + kDest, "res 131 " + kDest + "\\KFP.exe", "xml " + std::to_string(language) + " " + kDest};
}

SetupChoices Choices(int selection, const std::string& item0, int state0, const std::string& item1, int state1) {
  SetupChoices c;
  c.defaultSelection = selection;
  c.itemText[0] = item0;
  c.itemText[1] = item1;
  c.itemStateImage[0] = state0;
  c.itemStateImage[1] = state1;
  return c;
}

TEST(SetupLanguages, NamesCodesAndAdditionalLists) {
  EXPECT_STREQ(Setup_LanguageName(1), "English");
  EXPECT_STREQ(Setup_LanguageName(2), "French");
  EXPECT_STREQ(Setup_LanguageName(3), "Russian");
  EXPECT_EQ(Setup_LanguageName(0), nullptr);
  EXPECT_EQ(Setup_LanguageName(4), nullptr);
  EXPECT_EQ(Setup_LanguageCode("French"), 2);
  EXPECT_EQ(Setup_LanguageCode("Russian"), 3);
  // Exact and case-sensitive.
  EXPECT_EQ(Setup_LanguageCode("french"), 0);
  EXPECT_EQ(Setup_LanguageCode("English "), 0);
  EXPECT_EQ(Setup_LanguageCode(""), 0);

  const int expected[3][2] = {{2, 3}, {1, 3}, {1, 2}};
  for (int language = 1; language <= 3; ++language) {
    int additional[2] = {-7, -7};
    ASSERT_TRUE(Setup_AdditionalLanguages(language, additional));
    EXPECT_EQ(additional[0], expected[language - 1][0]) << language;
    EXPECT_EQ(additional[1], expected[language - 1][1]) << language;
  }
  int untouched[2] = {-7, -7};
  EXPECT_FALSE(Setup_AdditionalLanguages(0, untouched));
  EXPECT_FALSE(Setup_AdditionalLanguages(4, untouched));
  EXPECT_EQ(untouched[0], -7);
}

TEST(SetupPaths, DefaultAndBrowsedDestinations) {
  EXPECT_EQ(Setup_DefaultDestination(u"C:\\Users\\ann\\Documents"), u"C:\\Users\\ann\\Documents\\KFP");
  EXPECT_EQ(Setup_DefaultDestination(u"D:\\Dokumente"), u"D:\\Dokumente\\KFP");
  EXPECT_EQ(Setup_BrowsedDestination(u"D:\\"), u"D:\\KFP");
  EXPECT_EQ(Setup_BrowsedDestination(u"D:\\Apps"), u"D:\\Apps\\KFP");
  EXPECT_EQ(Setup_BrowsedDestination(u"D:\\My Apps\\x"), u"D:\\My Apps\\x\\KFP");
}

TEST(SetupPaths, TypedDestinationsAreTidiedAndChecked) {
  EXPECT_EQ(Setup_TidyDestination(u"  C:/Apps/KFP/ \t"), u"C:\\Apps\\KFP");
  EXPECT_EQ(Setup_TidyDestination(u"C:\\\\"), u"C:\\");
  EXPECT_EQ(Setup_TidyDestination(u"\\\\server\\share\\"), u"\\\\server\\share");
  EXPECT_EQ(Setup_TidyDestination(u" \t "), u"");

  // The longest file below a destination: "\RU\Training Words\LTOR_Words_RU_UTF8.txt" and ".part".
  EXPECT_EQ(Setup_MaxDestination(), 259u - 41u - 5u);
  const Text16 longest = u"C:\\" + Text16(Setup_MaxDestination() - 3, u'a');
  const struct {
    Text16 path;
    SetupPathProblem problem;
  } kCases[] = {
      {u"C:\\Keyfarer", SetupPathProblem::None},
      {u"c:\\", SetupPathProblem::None},
      {u"\\\\server\\share\\KFP", SetupPathProblem::None},
      {u"C:\\\u00C9t\u00E9 \u041A\u043B\u0430\u0432\u0438\\KFP", SetupPathProblem::None},  // the code page is the glue's
      {longest, SetupPathProblem::None},
      {longest + u"a", SetupPathProblem::TooLong},
      {u"", SetupPathProblem::Empty},
      {u"KFP", SetupPathProblem::Relative},
      {u"relative dir\\KFP", SetupPathProblem::Relative},
      {u"\\KFP", SetupPathProblem::Relative},
      {u"C:KFP", SetupPathProblem::Relative},
      {u"1:\\KFP", SetupPathProblem::Relative},
      {u"\\\\\\KFP", SetupPathProblem::Relative},
      {u"C:\\a:b", SetupPathProblem::BadCharacter},
      {u"C:\\what?", SetupPathProblem::BadCharacter},
      {u"C:\\\"quoted\"", SetupPathProblem::BadCharacter},
      {u"C:\\tab\there", SetupPathProblem::BadCharacter},
      {u"\\\\?\\C:\\KFP", SetupPathProblem::BadCharacter},
  };
  for (const auto& c : kCases) EXPECT_EQ(Setup_CheckDestination(c.path), c.problem) << Text_ToUtf8(c.path);
}

TEST(SetupMessages, SayWhatIsWrongAndWhatWasChanged) {
  EXPECT_NE(Setup_DestinationMessage(SetupPathProblem::Relative, 3).find("full path"), std::string::npos);
  EXPECT_NE(Setup_DestinationMessage(SetupPathProblem::TooLong, 300).find("it has 300 characters, and at most 213"),
            std::string::npos);
  EXPECT_NE(Setup_DestinationMessage(SetupPathProblem::NotInCodePage, 9).find("code page"), std::string::npos);
  for (auto problem : {SetupPathProblem::Empty, SetupPathProblem::BadCharacter})
    EXPECT_FALSE(Setup_DestinationMessage(problem, 0).empty());

  EXPECT_EQ(Setup_FailureMessage("D:\\KFP\\KFP.exe", "Disk full.", true),
            "Keyfarer could not be installed.\r\n\r\nD:\\KFP\\KFP.exe\r\nDisk full.\r\n\r\n"
            "Nothing was installed: the destination is as it was before.");
  EXPECT_NE(Setup_FailureMessage("D:\\KFP\\RU", "Access denied.", false).find("Only part of Keyfarer was installed"),
            std::string::npos);
}

TEST(SetupPlan, LanguageWritesFoldersThenListsThenSample) {
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 1)), LanguageLines(kDest, "EN", 133, kAnsiLists));
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 2)), LanguageLines(kDest, "FR", 138, kAnsiLists));
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 3)), LanguageLines(kDest, "RU", 143, kRussianLists));
  EXPECT_TRUE(Setup_LanguagePlan(kDest, 0).empty());
  EXPECT_TRUE(Setup_LanguagePlan(kDest, 4).empty());
  EXPECT_TRUE(Setup_LanguagePlan(kDest, -1).empty());
}

TEST(SetupPlan, EveryPayloadResourceIsWrittenOnceWithAllLanguages) {
  const auto steps = Setup_InstallPlan(kDest, Choices(0, "French", 2, "Russian", 2));
  std::vector<int> resources;
  for (const SetupStep& s : steps)
    if (s.kind == SetupStepKind::WriteResource) resources.push_back(s.resource);
  std::vector<int> expected = {131};
  for (int id = 133; id <= 147; ++id) expected.push_back(id);
  EXPECT_EQ(resources, expected);
}

TEST(SetupPlan, OrderOfAnInstallation) {
  const auto en = LanguageLines(kDest, "EN", 133, kAnsiLists);
  const auto fr = LanguageLines(kDest, "FR", 138, kAnsiLists);
  const auto ru = LanguageLines(kDest, "RU", 143, kRussianLists);

  // English default with both others ticked: EN, FR, RU.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(0, "French", 2, "Russian", 2))), Concat({Head(1), en, fr, ru}));
  // French default, nothing ticked: only FR, language 2.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(1, "English", 1, "Russian", 1))), Concat({Head(2), fr}));
  // Russian default with English ticked.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(2, "English", 2, "French", 1))), Concat({Head(3), ru, en}));
  // Ticked items follow list order, not language order.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(1, "Russian", 2, "English", 2))), Concat({Head(2), fr, ru, en}));
  // Nothing selected: language 0 is written (the document then says 1) and only ticks give data.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(-1, "French", 1, "Russian", 2))), Concat({Head(0), ru}));
  // Any state image but 1 counts as ticked; 0 (no image) included.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(0, "French", 0, "Russian", 1))), Concat({Head(1), en, fr}));
  // Texts that are no exact language name install nothing, ticked or not; an empty list neither.
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(0, "french", 2, "Klingon", 2))), Concat({Head(1), en}));
  EXPECT_EQ(Describe(Setup_InstallPlan(kDest, Choices(0, "", 2, "", 2))), Concat({Head(1), en}));
}

TEST(SetupSettings, DocumentLineSixFollowsTheLanguage) {
  for (int language : {-1, 0, 1, 2, 3, 4, 99}) {
    const std::string doc = Setup_SettingsDocument(language);
    const char* code = language == 2 ? "2" : language == 3 ? "3" : "1";
    // Line 6 of the CR LF document.
    size_t at = 0;
    for (int line = 1; line < 6; ++line) at = doc.find("\r\n", at) + 2;
    EXPECT_EQ(doc.substr(at, doc.find("\r\n", at) - at), std::string("    <Language>") + code + "</Language>") << language;
    EXPECT_EQ(doc.substr(0, 15), "<KeyfarerPro>\r\n");
    ASSERT_GE(doc.size(), 14u);
    EXPECT_EQ(doc.substr(doc.size() - 16), "\r\n</KeyfarerPro>");
  }
}

}  // namespace
