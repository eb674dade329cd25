// The installer's window-free rules: payload table, destination paths, order of writes.
#include "setup/removal.h"
#include "setup/setup.h"
#include "course/course_progress_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// One line per step, easy to compare as a whole: "dir <folder>", "res <id> <folder>\<name>",
// "xml <language> <folder>", followed by " keep" or " keep-edited" for a file that an existing
// one of the user's may stand for.
std::vector<std::string> Describe(const std::vector<SetupStep>& steps) {
  std::vector<std::string> lines;
  for (const SetupStep& s : steps) {
    std::string line;
    switch (s.kind) {
      case SetupStepKind::CreateFolder: line = "dir " + s.folder; break;
      case SetupStepKind::WriteResource: line = "res " + std::to_string(s.resource) + " " + s.folder + "\\" + s.name; break;
      case SetupStepKind::WriteSettings: line = "xml " + std::to_string(s.language) + " " + s.folder; break;
    }
    if (s.keep == SetupKeep::IfPresent) line += " keep";
    if (s.keep == SetupKeep::IfEdited) line += " keep-edited";
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> LanguageLines(const std::string& dest, const std::string& folder, int base,
                                       const std::vector<std::string>& lists, int manual, int course) {
  const std::string lang = dest + "\\" + folder;
  std::vector<std::string> lines = {"dir " + lang, "dir " + lang + "\\Tests", "dir " + lang + "\\Training Words",
                                    "dir " + lang + "\\Course"};
  for (int i = 0; i < 4; ++i)
    lines.push_back("res " + std::to_string(base + i) + " " + lang + "\\Training Words\\" + lists[static_cast<size_t>(i)]);
  lines.push_back("res " + std::to_string(base + 4) + " " + lang + "\\Tests\\Sample_Unicode.txt keep-edited");
  lines.push_back("res " + std::to_string(manual) + " " + lang + "\\KF_Help.htm");
  lines.push_back("res " + std::to_string(course) + " " + lang + "\\Course\\Words.txt");
  lines.push_back("res " + std::to_string(course + 1) + " " + lang + "\\Course\\License.txt");
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
  return {"dir " + kDest, "res 131 " + kDest + "\\KFP.exe", "res 148 " + kDest + "\\Uninstall.exe",
          "xml " + std::to_string(language) + " " + kDest + " keep"};
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
      // The system's own name spaces.
      {u"\\\\?\\C:\\KFP", SetupPathProblem::DevicePath},
      {u"\\\\.\\pipe\\kf", SetupPathProblem::DevicePath},
      {u"\\\\.\\COM1", SetupPathProblem::DevicePath},
      {u"\\\\.server\\share\\KFP", SetupPathProblem::None},
      // Device names in any part, any case, with or without an extension or trailing blanks.
      {u"T:\\CON", SetupPathProblem::ReservedName},
      {u"T:\\a\\con\\b", SetupPathProblem::ReservedName},
      {u"T:\\NUL", SetupPathProblem::ReservedName},
      {u"T:\\Com1", SetupPathProblem::ReservedName},
      {u"T:\\lpt9.txt\\KFP", SetupPathProblem::ReservedName},
      {u"T:\\aux .old", SetupPathProblem::ReservedName},
      {u"T:\\PRN.a.b", SetupPathProblem::ReservedName},
      {u"\\\\server\\share\\nul", SetupPathProblem::ReservedName},
      {u"T:\\CONSOLE\\COM10\\LPT0\\COMA\\NULL\\xcon", SetupPathProblem::None},
      {u"T:\\a.CON\\KFP", SetupPathProblem::None},
      // A name that ends in a dot or a blank would lose it.
      {u"T:\\KFP.", SetupPathProblem::EndsInDotOrBlank},
      {u"T:\\KFP ", SetupPathProblem::EndsInDotOrBlank},
      {u"T:\\a.\\KFP", SetupPathProblem::EndsInDotOrBlank},
      {u"T:\\a \\KFP", SetupPathProblem::EndsInDotOrBlank},
      {u"T:\\a\\..\\b\\.\\KFP", SetupPathProblem::None},
      {u"T:\\.profile\\a b", SetupPathProblem::None},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Text_ToUtf8(c.path));
    EXPECT_EQ(Setup_CheckDestination(c.path), c.problem);
  }
}

TEST(SetupMessages, SayWhatIsWrongAndWhatWasChanged) {
  const struct {
    SetupPathProblem problem;
    Text16 destination;
    const char* says;
  } kReasons[] = {
      {SetupPathProblem::Empty, u"", "enter the folder"},
      {SetupPathProblem::Relative, u"KFP", "full path"},
      {SetupPathProblem::BadCharacter, u"C:\\a|b", "cannot hold"},
      {SetupPathProblem::TooLong, u"C:\\" + Text16(297, u'x'), "it has 300 characters, and at most 213"},
      {SetupPathProblem::NotInCodePage, u"C:\\x", "code page"},
      {SetupPathProblem::DevicePath, u"\\\\.\\pipe\\kf", "device or pipe path"},
      // The device name as Windows reads it: the stem, in capitals.
      {SetupPathProblem::ReservedName, u"T:\\a\\com3 .txt\\b", "the name \"COM3\", which Windows keeps for a device"},
      {SetupPathProblem::EndsInDotOrBlank, u"T:\\KFP.", "ends with a dot or a blank"},
  };
  for (const auto& r : kReasons) {
    SCOPED_TRACE(r.says);
    EXPECT_NE(Setup_DestinationMessage(r.problem, r.destination).find(r.says), std::string::npos);
  }

  EXPECT_EQ(Setup_FailureMessage("D:\\KFP\\KFP.exe", "Disk full.", true),
            "Keyfarer could not be installed.\r\n\r\nD:\\KFP\\KFP.exe\r\nDisk full.\r\n\r\n"
            "Nothing was installed: the destination is as it was before.");
  EXPECT_NE(Setup_FailureMessage("D:\\KFP\\RU", "Access denied.", false).find("Only part of Keyfarer was installed"),
            std::string::npos);
  // An undo that could not take everything back says what it left, and claims nothing more.
  const std::string left = Setup_FailureMessage("D:\\KFP\\KFP.exe", "Disk full.", true, {"D:\\KFP\\EN", "D:\\KFP"});
  EXPECT_EQ(left.find("as it was before"), std::string::npos);
  EXPECT_NE(left.find("could not remove what it had written here:\r\nD:\\KFP\\EN\r\nD:\\KFP"), std::string::npos);

  // Success names what of the user's was kept; a fresh installation asks just as before.
  EXPECT_EQ(Setup_SuccessMessage({}, ""), "Keyfarer has been installed successfully. Open destination folder?");
  const std::string kept = Setup_SuccessMessage({"Settings.xml", "FR\\Tests\\Sample_Unicode.txt"}, "No shortcut.");
  EXPECT_NE(kept.find("kept as they were:\r\nSettings.xml\r\nFR\\Tests\\Sample_Unicode.txt"), std::string::npos);
  EXPECT_NE(kept.find("No shortcut.\r\n\r\nOpen destination folder?"), std::string::npos);

}

// What the uninstaller may take: the files installations write, the tutor's log and cut-off
// writes, the learner's files only when not kept, and the folders an installation makes, each after those
// below it. Every entry is relative and stays inside the folder.
TEST(SetupRemoval, TakesWhatWasInstalledAndTheLearnersFilesOnlyWhenAsked) {
  const struct {
    const char* file;
    bool removedWhenKept, removedOtherwise;
  } kFiles[] = {
      {"KFP.exe", true, true},
      {"Uninstall.exe", true, true},
      {"TraceFile.txt", true, true},
      {"EN\\KF_Help.htm", true, true},
      {"RU\\Training Words\\LTOR_Words_RU_UTF8.txt", true, true},
      {"FR\\Tests\\Sample_Unicode.txt", true, true},
      {"RU\\Course\\Words.txt", true, true},
      {"EN\\Course\\License.txt", true, true},
      {"Settings.xml", false, true},
      {"History.csv", false, true},
      {"Keys.csv", false, true},
      {"Report.htm", false, true},
      {"Keyboard.htm", false, true},
      {"Practice.txt", false, true},
      {"Settings.xml.tmp", true, true},  // what a write that was cut off left
      {"Course_RU.csv.tmp", true, true},
      {"EN\\Training Words\\Custom_Words.dat.tmp", true, true},
      {"Course_FR.csv", false, true},
      {"FR\\Training Words\\Custom_Words.dat", false, true},
      {"Custom_Words.dat", false, false},  // not where the tutor keeps it: the user's own
      {"notes.txt", false, false},
      {"EN\\Tests\\my sample.txt", false, false},
  };
  struct Removal {
    std::vector<std::string> files, folders;
  };
  auto plan = [](bool keep) {
    Removal removal;
    Setup_ForEachRemoval(
        keep,
        [](const char* relative, bool isFolder, void* context) {
          Removal& r = *static_cast<Removal*>(context);
          (isFolder ? r.folders : r.files).push_back(relative);
        },
        &removal);
    return removal;
  };
  const Removal kept = plan(true), all = plan(false);
  auto has = [](const std::vector<std::string>& list, const std::string& item) {
    return std::count(list.begin(), list.end(), item) == 1;
  };
  for (const auto& f : kFiles) {
    SCOPED_TRACE(f.file);
    EXPECT_EQ(has(kept.files, f.file), f.removedWhenKept);
    EXPECT_EQ(has(all.files, f.file), f.removedOtherwise);
  }
  EXPECT_EQ(all.files.size(), kept.files.size() + 12u) << "twelve files of the learner's";
  // The course's progress files are where the tutor keeps them.
  for (int language = 1; language <= 3; ++language) EXPECT_TRUE(has(all.files, Course_ProgressRelativePath(language).substr(1)));
  for (const auto* plan : {&kept, &all}) {
    for (const std::string& path : plan->files) {
      EXPECT_TRUE(path.find("..") == std::string::npos && path.find(':') == std::string::npos && path[0] != '\\')
          << path;
    }
  }
  const std::vector<std::string> folders = {"RU\\Course", "RU\\Training Words", "RU\\Tests", "RU",
                                            "FR\\Course", "FR\\Training Words", "FR\\Tests", "FR",
                                            "EN\\Course", "EN\\Training Words", "EN\\Tests", "EN"};
  EXPECT_EQ(kept.folders, folders);
  EXPECT_EQ(all.folders, folders);
  // Every installed file, once: what a leftover ".part" may belong to.
  const std::vector<std::string> installed = Setup_AllInstalledFiles();
  EXPECT_EQ(installed.size(), 3u + 3u * 8u);
  for (const std::string& file : installed) EXPECT_TRUE(has(all.files, file)) << file;
}

TEST(SetupPlan, LanguageWritesFoldersThenListsThenSample) {
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 1)), LanguageLines(kDest, "EN", 133, kAnsiLists, 149, 152));
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 2)), LanguageLines(kDest, "FR", 138, kAnsiLists, 150, 154));
  EXPECT_EQ(Describe(Setup_LanguagePlan(kDest, 3)), LanguageLines(kDest, "RU", 143, kRussianLists, 151, 156));
  EXPECT_TRUE(Setup_LanguagePlan(kDest, 0).empty());
  EXPECT_TRUE(Setup_LanguagePlan(kDest, 4).empty());
  EXPECT_TRUE(Setup_LanguagePlan(kDest, -1).empty());
}

TEST(SetupPlan, EveryPayloadResourceIsWrittenOnceWithAllLanguages) {
  const auto steps = Setup_InstallPlan(kDest, Choices(0, "French", 2, "Russian", 2));
  std::vector<int> resources;
  for (const SetupStep& s : steps)
    if (s.kind == SetupStepKind::WriteResource) resources.push_back(s.resource);
  std::sort(resources.begin(), resources.end());
  std::vector<int> expected = {131};
  for (int id = 133; id <= 157; ++id) expected.push_back(id);
  EXPECT_EQ(resources, expected);
}

TEST(SetupPlan, OrderOfAnInstallation) {
  const auto en = LanguageLines(kDest, "EN", 133, kAnsiLists, 149, 152);
  const auto fr = LanguageLines(kDest, "FR", 138, kAnsiLists, 150, 154);
  const auto ru = LanguageLines(kDest, "RU", 143, kRussianLists, 151, 156);

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
