#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/files.h"
#include "testing/test_files.h"
#include "settings/trace.h"

namespace fs = std::filesystem;

namespace {

using kftest::ReadAll;
using kftest::WriteAll;

// Every test works in a fresh folder of its own, holding the document and the trace log.
class SettingsDoc : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = scratch_.Dir();
    g_Settings = SettingsState{};
    Dir_SetData(folder);
    g_Trace = TraceState{};
    g_Trace.now = [] { return TraceTime{2026, 3, 5, 9, 7, 3}; };
  }
  void TearDown() override {
    g_Settings = SettingsState{};
    g_Trace = TraceState{};
  }
  void Doc(const std::string& text) {
    ASSERT_TRUE(WriteAll(App_SettingsPath(), text)) << App_SettingsPath();
  }
  std::string Doc() const { return ReadAll(App_SettingsPath()); }

  std::string folder;

 private:
  kftest::ScratchFolder scratch_{"kf_settings_"};
};

const std::string kInstallerDoc = App_DefaultSettingsDocument(1);

}  // namespace

// ---- the installer's document ----

TEST(DefaultDocument, TwentyEightLinesWithCrLfBetweenAndNoneAtTheEnd) {
  for (int language : {0, 1, 2, 3, 4, -1}) {
    const std::string doc = App_DefaultSettingsDocument(language);
    size_t crlf = 0, lf = 0;
    for (size_t i = 0; i < doc.size(); ++i)
      if (doc[i] == '\n') {
        ++lf;
        if (i > 0 && doc[i - 1] == '\r') ++crlf;
      }
    EXPECT_EQ(lf, 27u);
    EXPECT_EQ(crlf, 27u);
    EXPECT_EQ(doc.substr(0, 15), "<KeyfarerPro>\r\n");
    EXPECT_EQ(doc.substr(doc.size() - 16), "\r\n</KeyfarerPro>");
    const char* expected = language == 2 ? "\r\n    <Language>2</Language>\r\n"
                           : language == 3 ? "\r\n    <Language>3</Language>\r\n"
                                           : "\r\n    <Language>1</Language>\r\n";
    EXPECT_NE(doc.find(expected), std::string::npos) << language;
  }
}

TEST(DefaultDocument, DataFileIsTheEnglishDocumentByteForByte) {
  const std::string data = ReadAll(Path_Join(KF_DATA_DIR, "\\Settings.xml"));
  ASSERT_FALSE(data.empty()) << "data/Settings.xml missing";
  EXPECT_EQ(data, App_DefaultSettingsDocument(1));
}

TEST_F(SettingsDoc, InstallerDocumentYieldsEveryValue) {
  for (int language : {1, 2, 3}) {
    Doc(App_DefaultSettingsDocument(language));
    g_Settings.Mode = 2;  // stale values must be replaced
    App_XMLReadSettings();
    EXPECT_EQ(g_Settings.Debug, 0);
    EXPECT_EQ(g_Settings.SaveLastUsed, 1);
    EXPECT_EQ(g_Settings.Mode, 4);
    EXPECT_EQ(g_Settings.StartMode, 4);
    EXPECT_EQ(g_Settings.Language, language);
    EXPECT_EQ(g_Settings.StartLanguage, language);
    EXPECT_EQ(g_Settings.AlertEnabled, 1);
    EXPECT_EQ(g_Settings.ShowURLLogo, 1);
    EXPECT_EQ(g_Settings.ShowKeyboard, 1);  // no key: shown
    EXPECT_EQ(g_Settings.BackgroundColor, App_RGB(128, 128, 128));
    EXPECT_EQ(g_Settings.BS_BackgroundColor, App_RGB(255, 255, 0));
    EXPECT_EQ(g_Settings.DS_BackgroundColor, App_RGB(236, 233, 216));
    EXPECT_EQ(g_Settings.DS_InterlacedColor, App_RGB(245, 245, 220));
    EXPECT_EQ(g_Settings.DS_LHColor, App_RGB(255, 0, 0));
    EXPECT_EQ(g_Settings.DS_RHColor, App_RGB(30, 144, 255));
    EXPECT_EQ(g_Settings.DS_L2RColor, App_RGB(255, 215, 0));
    EXPECT_EQ(g_Settings.DS_R2LColor, App_RGB(0, 250, 154));
  }
  EXPECT_FALSE(File_Exists(Dir_DataFile("\\TraceFile.txt")));
}

// ---- reading ----

TEST_F(SettingsDoc, ModeTagNeverMatchesTheModeSections) {
  Doc("<Mode1>7</Mode1>\r\n<Mode2>8</Mode2>\r\n<Mode3></Mode3>\r\n<Mode4>\r\n");
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
  Doc(kInstallerDoc);
  EXPECT_EQ(App_XMLReadValue("Mode"), "4");
  EXPECT_EQ(App_XMLReadValue("Mode4"), "");  // "<Mode4>" alone on its line: L - 2T - 1 < 0
  EXPECT_EQ(App_XMLReadValue("Mode1"), "");
  EXPECT_EQ(App_XMLReadValue("DS_Custom"), "#FF8C00");
}

TEST_F(SettingsDoc, LastMatchWinsAndMissingGivesEmpty) {
  Doc("<Mode>1</Mode>\r\n  <Mode>3</Mode>\r\n<Other>x</Other>");
  EXPECT_EQ(App_XMLReadValue("Mode"), "3");
  EXPECT_EQ(App_XMLReadValue("Language"), "");
  EXPECT_EQ(App_XMLReadValue("mode"), "");  // case-sensitive
}

TEST_F(SettingsDoc, MissingDocumentGivesEmptyValuesAndIsNotCreated) {
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.Mode, 0);
  EXPECT_EQ(g_Settings.Debug, 0);
  EXPECT_EQ(g_Settings.SaveLastUsed, 0);
  EXPECT_EQ(g_Settings.BackgroundColor, App_RGB(128, 128, 128));  // colours fall back
  EXPECT_EQ(g_Settings.DS_R2LColor, App_RGB(0, 250, 154));
  EXPECT_FALSE(File_Exists(App_SettingsPath()));
}

TEST_F(SettingsDoc, LineRulesLfOnlyTabsAndTrailingText) {
  Doc("<A>\n    <Mode>2</Mode>\n\t<Language>3</Language>\n<Alert>1</Alert>junk\n<B>x</B>\r");
  EXPECT_EQ(App_XMLReadValue("Mode"), "2");
  // A tab is text: R keeps it, so the piece starts one character early.
  EXPECT_EQ(App_XMLReadValue("Language"), ">3");
  // Text after the closing tag becomes part of the value.
  EXPECT_EQ(App_XMLReadValue("Alert"), "1</Al");
  // A CR that does not stand before an LF is text (without it the value would be "x").
  EXPECT_EQ(App_XMLReadValue("B"), "x<");
  // Tag without closing tag: the rest from the tag's end.
  Doc("  <Mode>12\r\n");
  EXPECT_EQ(App_XMLReadValue("Mode"), "12");
  Doc("<Mode>");
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
  // Tag not at the line start: the piece is counted from the start of R, as the rule says.
  Doc("x<Mode>4</Mode>");
  EXPECT_EQ(App_XMLReadValue("Mode"), ">4");
}

TEST_F(SettingsDoc, ReaderLooksAtTheFirst259CharactersOfALine) {
  const std::string pad(259 - 15, ' ');
  Doc(pad + "<Mode>3</Mode>XYZ\r\n" + std::string(259, 'y') + "<Mode>9</Mode>\r\n");
  // First line: 259 characters are seen (R = "<Mode>3</Mode>X", whole line would give "3</M");
  // the tag of the second line stands after character 259 and is never found.
  EXPECT_EQ(App_XMLReadValue("Mode"), "3<");
  Doc("<Mode>5</Mode>\n" + std::string(300, 'z') + "<Mode>9</Mode>\n");
  EXPECT_EQ(App_XMLReadValue("Mode"), "5");  // the tail of the long line is not a line of its own
  Doc(std::string(245, ' ') + "<Mode>3</Mode>\r\n");  // 259 characters and CR LF: all seen
  EXPECT_EQ(App_XMLReadValue("Mode"), "3");
  Doc(std::string(258, ' ') + "<Mode>1</Mode>\r\n");  // tag cut: "<" only
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
}

TEST_F(SettingsDoc, BinaryAndHugeDocumentsAreReadWithoutHarm) {
  std::string junk;
  std::mt19937 rng(7);
  for (int i = 0; i < 200000; ++i) junk.push_back(static_cast<char>(rng()));
  Doc(junk + "\n<Mode>2</Mode>\n" + std::string(1 << 20, 'q'));
  EXPECT_EQ(App_XMLReadValue("Mode"), "2");
  Doc(std::string("<Mode>\0x</Mode>", 15));
  EXPECT_EQ(App_XMLReadValue("Mode"), std::string("\0x", 2));
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.Mode, 0);
}

TEST_F(SettingsDoc, DocumentThatIsAFolderReadsAsMissing) {
  fs::create_directory(fs::u8path(App_SettingsPath()));
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
  App_XMLWriteValue("Mode", "2");
  EXPECT_TRUE(Dir_Exists(App_SettingsPath()));
  EXPECT_FALSE(File_Exists(App_SettingsPath() + ".tmp"));
}

// ---- conversions ----

TEST(SettingsConvert, AtoIRules) {
  EXPECT_EQ(App_AtoI("4"), 4);
  EXPECT_EQ(App_AtoI("  \t-12x"), -12);
  EXPECT_EQ(App_AtoI("+7"), 7);
  EXPECT_EQ(App_AtoI(""), 0);
  EXPECT_EQ(App_AtoI("x1"), 0);
  EXPECT_EQ(App_AtoI("- 1"), 0);
  EXPECT_EQ(App_AtoI("1 2"), 1);
  EXPECT_EQ(App_AtoI("\r\n 3"), 3);
  EXPECT_EQ(App_AtoI("0009"), 9);
  // Beyond the 32-bit range: clamped, never wrapped.
  EXPECT_EQ(App_AtoI("2147483647"), 2147483647);
  EXPECT_EQ(App_AtoI("2147483648"), 2147483647);
  EXPECT_EQ(App_AtoI("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(App_AtoI("-2147483649"), -2147483647 - 1);
  EXPECT_EQ(App_AtoI("99999999999999999999999999"), 2147483647);
}

TEST(SettingsConvert, ParseColorPairsInTheMannerOfStrtol) {
  int r = -1, g = -1, b = -1;
  App_ParseColor("#808080", r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{128, 128, 128}));
  App_ParseColor("#1E90FF", r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{30, 144, 255}));
  App_ParseColor("X1e90ff", r, g, b);  // the first character is not checked; lower case is hex
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{30, 144, 255}));
  App_ParseColor("#G1F" "Z12", r, g, b);  // stops at the first non-digit; no digit gives 0
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0, 15, 18}));
  App_ParseColor("#8080", r, g, b);  // short: the missing pair gives 0, nothing past the end is read
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{128, 128, 0}));
  App_ParseColor("#8", r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{8, 0, 0}));
  App_ParseColor("", r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0, 0, 0}));
  App_ParseColor(nullptr, r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0, 0, 0}));
}

TEST_F(SettingsDoc, ShortOrMissingColoursTakeTheInstallerColourOthersAreParsedAsTheyStand) {
  Doc("<BackgroundColor>#123456</BackgroundColor>\r\n"
      "<BS_BackgroundColor>#12345</BS_BackgroundColor>\r\n"        // blue pair is "5"
      "<DS_BackgroundColor>123456</DS_BackgroundColor>\r\n"        // position 0 is not looked at
      "<DS_InterlacedColor>#12G456</DS_InterlacedColor>\r\n"       // "G4" has no digit
      "<DS_LHColor>#12</DS_LHColor>\r\n"                           // too short: installer's
      "<DS_RHColor>#0a0B0c and more text</DS_RHColor>\r\n"        // only the first 7 count
      "<DS_L2RColor>#123456</DS_L2RColor>trailing\r\n");           // text after the tag
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.BackgroundColor, App_RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(g_Settings.BS_BackgroundColor, App_RGB(0x12, 0x34, 0x05));
  EXPECT_EQ(g_Settings.DS_BackgroundColor, App_RGB(0x23, 0x45, 0x06));
  EXPECT_EQ(g_Settings.DS_InterlacedColor, App_RGB(0x12, 0, 0x56));
  EXPECT_EQ(g_Settings.DS_LHColor, App_RGB(255, 0, 0));
  EXPECT_EQ(g_Settings.DS_RHColor, App_RGB(10, 11, 12));
  EXPECT_EQ(g_Settings.DS_L2RColor, App_RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(g_Settings.DS_R2LColor, App_RGB(0, 250, 154));  // missing
}

TEST_F(SettingsDoc, ModeAndLanguageOutOfRangeAreClampedNotWrapped) {
  Doc("<Mode>65540</Mode>\r\n<Language>-70000</Language>\r\n<Debug>x</Debug>");
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.Mode, 32767);
  EXPECT_EQ(g_Settings.StartMode, 32767);
  EXPECT_EQ(g_Settings.Language, -32768);
  EXPECT_EQ(g_Settings.Debug, 0);
}

TEST_F(SettingsDoc, CourseTargetsReadAsTheDefaultWhenMissingOrUnreadableAndClampedToTheirRange) {
  struct Row {
    const char* line;  // "" for no line at all
    int32_t speed, accuracy;
  };
  const Row rows[] = {
      {"", 175, 97},
      {"<CourseSpeed></CourseSpeed>\r\n<CourseAccuracy>x9</CourseAccuracy>", 175, 97},
      {"<CourseSpeed> 240</CourseSpeed>\r\n<CourseAccuracy>+95</CourseAccuracy>", 240, 95},
      {"<CourseSpeed>5</CourseSpeed>\r\n<CourseAccuracy>-3</CourseAccuracy>", 30, 50},
      {"<CourseSpeed>99999999999</CourseSpeed>\r\n<CourseAccuracy>101</CourseAccuracy>", 1000, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    Doc(kInstallerDoc + "\r\n" + row.line);
    App_XMLReadSettings();
    EXPECT_EQ(g_Settings.CourseSpeed, row.speed);
    EXPECT_EQ(g_Settings.CourseAccuracy, row.accuracy);
  }
}

// ---- writing ----

TEST_F(SettingsDoc, RewriteReplacesOneLineKeepsIndentationAndEverythingElse) {
  Doc(kInstallerDoc);
  App_XMLWriteValue("Mode", "2");
  std::string expected = kInstallerDoc;
  expected.replace(expected.find("    <Mode>4</Mode>"), 18, "    <Mode>2</Mode>");
  EXPECT_EQ(Doc(), expected);
  EXPECT_FALSE(File_Exists(App_SettingsPath() + ".tmp"));

  Doc("<A>\n      <Language>1</Language>  \n\t<Mode>1</Mode>\n</A>\n");
  App_XMLWriteValue("Language", "3");
  EXPECT_EQ(Doc(), "<A>\r\n      <Language>3</Language>\r\n\t<Mode>1</Mode>\r\n</A>");
  App_XMLWriteValue("Mode", "4");  // a tab is not indentation: the line loses it
  EXPECT_EQ(Doc(), "<A>\r\n      <Language>3</Language>\r\n<Mode>4</Mode>\r\n</A>");
}

TEST_F(SettingsDoc, TextAfterTheClosingTagIsLostOnRewrite) {
  Doc("  <Mode>4</Mode> note\r\n<X/>");
  EXPECT_EQ(App_XMLReadValue("Mode"), "4</Mod");
  App_XMLWriteValue("Mode", "1");
  EXPECT_EQ(Doc(), "  <Mode>1</Mode>\r\n<X/>");
}

TEST_F(SettingsDoc, AbsentKeyJoinsTheApplicationSectionOrTheLinesStayAsTheyWere) {
  Doc("<Application>\n    <Mode>4</Mode>\n</Application>\n<Mode4>");
  App_XMLWriteValue("ShowKeyboard", "0");
  EXPECT_EQ(Doc(), "<Application>\r\n    <Mode>4</Mode>\r\n    <ShowKeyboard>0</ShowKeyboard>\r\n</Application>\r\n<Mode4>");
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.ShowKeyboard, 0);
  // A key the document has, even after the section, is replaced where it stands.
  Doc("<Application>\r\n</Application>\r\n  <ShowKeyboard>0</ShowKeyboard>");
  App_XMLWriteValue("ShowKeyboard", "1");
  EXPECT_EQ(Doc(), "<Application>\r\n</Application>\r\n  <ShowKeyboard>1</ShowKeyboard>");
  Doc("a\nb\r\n\r\n c \n\nlast");
  App_XMLWriteValue("Mode", "1");
  EXPECT_EQ(Doc(), "a\r\nb\r\n\r\n c \r\n\r\nlast");
  Doc("one\r\ntwo\r\n");  // the final line end goes
  App_XMLWriteValue("Mode", "1");
  EXPECT_EQ(Doc(), "one\r\ntwo");
  Doc("");
  App_XMLWriteValue("Mode", "1");
  EXPECT_TRUE(File_Exists(App_SettingsPath()));
  EXPECT_EQ(Doc(), "");
}

TEST_F(SettingsDoc, KeyOnSeveralLinesKeepsOnePlaceAtTheFirst) {
  Doc("<R>\n  <Mode>1</Mode>\nmid\n        <Mode>2</Mode>\n<Mode>3</Mode>\nend");
  EXPECT_EQ(App_XMLReadValue("Mode"), "3");
  App_XMLWriteValue("Mode", "4");
  EXPECT_EQ(Doc(), "<R>\r\n  <Mode>4</Mode>\r\nmid\r\nend");
  EXPECT_EQ(App_XMLReadValue("Mode"), "4");
}

TEST_F(SettingsDoc, LongLinesWithoutTheKeyAreCopiedWhole) {
  const std::string longA(5000, 'a');
  std::string longB(300, 'b');
  longB += "\r\r";                           // ends in CRs that are text except the last
  const std::string longC = std::string(270, 'c') + "\r";  // last line, CR at the end of the file
  const std::string tailTag = std::string(259, 'd') + "<Mode>7</Mode>";  // tag beyond the view
  const std::string edge259(259, 'f'), edge260(260, 'e');  // around the length where lines get long
  Doc(longA + "\n" + longB + "\n" + tailTag + "\r\n<Mode>1</Mode>\r\n" + edge259 + "\r\n" + edge260 + "\r\n" +
      longC);
  App_XMLWriteValue("Mode", "2");
  EXPECT_EQ(Doc(), longA + "\r\n" + longB.substr(0, 301) + "\r\n" + tailTag + "\r\n<Mode>2</Mode>\r\n" + edge259 +
                       "\r\n" + edge260 + "\r\n" + longC);
}

TEST_F(SettingsDoc, LongLineHoldingTheKeyIsReplacedWhole) {
  Doc("x\r\n  <Mode>1</Mode>" + std::string(400, 'n') + "\r\ny");
  App_XMLWriteValue("Mode", "3");
  EXPECT_EQ(Doc(), "x\r\n  <Mode>3</Mode>\r\ny");
}

TEST_F(SettingsDoc, ReadBackAfterWriteGivesTheSameValues) {
  Doc(App_DefaultSettingsDocument(3));
  App_XMLReadSettings();
  const SettingsState before = g_Settings;
  App_XMLWriteValue("Mode", "4");
  App_XMLWriteValue("Language", "3");
  App_XMLWriteValue("DS_Custom", "#000000");
  App_XMLReadSettings();
  EXPECT_EQ(g_Settings.Mode, before.Mode);
  EXPECT_EQ(g_Settings.Language, before.Language);
  EXPECT_EQ(g_Settings.SaveLastUsed, before.SaveLastUsed);
  EXPECT_EQ(g_Settings.DS_RHColor, before.DS_RHColor);
  EXPECT_EQ(App_XMLReadValue("DS_Custom"), "#000000");
  for (const std::string& value : {std::string("with spaces"), std::string(""), std::string("<b>")}) {
    App_XMLWriteValue("ShowURLLogo", value);
    EXPECT_EQ(App_XMLReadValue("ShowURLLogo"), value);
  }
}

TEST_F(SettingsDoc, MissingDocumentIsNotCreated) {
  App_XMLWriteValue("Mode", "2");
  EXPECT_FALSE(File_Exists(App_SettingsPath()));
  EXPECT_FALSE(File_Exists(App_SettingsPath() + ".tmp"));
  Dir_SetData(Path_Join(folder, "\\no such folder"));
  App_XMLWriteValue("Mode", "2");
  EXPECT_FALSE(Dir_Exists(Path_Join(folder, "\\no such folder")));
}

TEST_F(SettingsDoc, ReadOnlyFolderKeepsTheDocument) {
  Doc(kInstallerDoc);
  fs::permissions(fs::u8path(folder), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const std::string probe = Path_Join(folder, "\\probe");
  if (std::FILE* f = File_Open(probe, "wb")) {
    std::fclose(f);
    File_Remove(probe);
    GTEST_SKIP() << "the folder stays writable for this user (running as root?)";
  }
  g_Settings.SaveLastUsed = 1;
  g_Settings.StartMode = 4;
  g_Settings.Mode = 2;
  App_SaveLastUsed();
  EXPECT_EQ(Doc(), kInstallerDoc);
  EXPECT_FALSE(File_Exists(App_SettingsPath() + ".tmp"));
}

TEST_F(SettingsDoc, TemporaryFileThatCannotBeCreatedKeepsTheDocument) {
  // A folder in the way of the temporary file makes its creation fail, for every user.
  Doc(kInstallerDoc);
  const std::string blocker = App_SettingsPath() + ".tmp";
  fs::create_directory(fs::u8path(blocker));
  App_XMLWriteValue("Mode", "2");
  EXPECT_EQ(Doc(), kInstallerDoc);
  EXPECT_TRUE(Dir_Exists(blocker));  // what is not the writer's own is left alone
}

// ---- saving the last used mode and language ----

TEST_F(SettingsDoc, SaveLastUsedOffNeverWrites) {
  std::string doc = kInstallerDoc;
  doc.replace(doc.find("<SaveLastUsed>1"), 15, "<SaveLastUsed>0");
  doc += "\r\n";  // a rewrite would drop this line end
  Doc(doc);
  App_XMLReadSettings();
  ASSERT_EQ(g_Settings.SaveLastUsed, 0);
  g_Settings.Mode = 2;
  g_Settings.Language = 2;
  App_SaveLastUsed();
  EXPECT_EQ(Doc(), doc);
}

TEST_F(SettingsDoc, SaveLastUsedWritesExactlyTheChangedLines) {
  const std::string doc = kInstallerDoc + "\r\n";  // the final line end shows whether a rewrite happened
  Doc(doc);
  App_XMLReadSettings();
  App_SaveLastUsed();  // unchanged mode and language: nothing written
  EXPECT_EQ(Doc(), doc);

  g_Settings.Mode = 2;
  g_Settings.Language = 2;
  App_SaveLastUsed();
  std::string expected = kInstallerDoc;
  expected.replace(expected.find("<Mode>4</Mode>"), 14, "<Mode>2</Mode>");
  expected.replace(expected.find("<Language>1</Language>"), 22, "<Language>2</Language>");
  EXPECT_EQ(Doc(), expected);

  // Only the language changed: the mode line keeps what is in the document.
  Doc(doc);
  g_Settings.Mode = g_Settings.StartMode;
  g_Settings.Language = 3;
  App_SaveLastUsed();
  expected = kInstallerDoc;
  expected.replace(expected.find("<Language>1</Language>"), 22, "<Language>3</Language>");
  EXPECT_EQ(Doc(), expected);

  g_Settings.Mode = -5;  // numbers are written as "%d"
  g_Settings.Language = g_Settings.StartLanguage;
  App_SaveLastUsed();
  EXPECT_EQ(App_XMLReadValue("Mode"), "-5");
}

// ---- trace points of the settings ----

namespace {

std::vector<std::string> TraceMessages(const std::string& path) {
  const std::string text = ReadAll(path);
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      out.push_back("<unterminated>" + text.substr(start));
      break;
    }
    const std::string line = text.substr(start, end - start);
    out.push_back(line.compare(0, 21, "03/05/2026,09:07:03: ") == 0 ? line.substr(21) : "<bad prefix>" + line);
    start = end + 2;
  }
  return out;
}

std::string WithDebug(const char* value) {
  std::string doc = kInstallerDoc;
  doc.replace(doc.find("<Debug>0</Debug>"), 16, std::string("<Debug>") + value + "</Debug>");
  return doc;
}

}  // namespace

TEST_F(SettingsDoc, DebugOneGivesTheExactStartSequence) {
  Doc(WithDebug("1"));
  App_XMLReadSettings();
  ASSERT_EQ(g_Settings.Debug, 1);
  std::vector<std::string> expected{"App_XMLReadSettings Entered"};
  for (int i = 0; i < 13; ++i) {
    expected.push_back("App_XMLReadValue Entered");
    expected.push_back("App_XMLReadValue Exited");
  }
  expected.push_back("App_XMLReadSettings Exited");
  EXPECT_EQ(TraceMessages(Dir_DataFile("\\TraceFile.txt")), expected);
}

TEST_F(SettingsDoc, DebugTwoSkipsOnlyTheReadValueLines) {
  Doc(WithDebug(" 2"));
  App_XMLReadSettings();
  ASSERT_EQ(g_Settings.Debug, 2);
  g_Settings.Mode = 1;
  App_SaveLastUsed();
  EXPECT_EQ(App_XMLReadValue("Mode"), "1");
  EXPECT_EQ(TraceMessages(Dir_DataFile("\\TraceFile.txt")),
            (std::vector<std::string>{"App_XMLReadSettings Entered", "App_XMLReadSettings Exited",
                                      "App_XMLWriteValue Entered", "App_XMLWriteValue Exited"}));
}

TEST_F(SettingsDoc, DebugOffCreatesNoTraceFile) {
  for (const char* value : {"0", "", "off"}) {
    Doc(WithDebug(value));
    App_XMLReadSettings();
    EXPECT_EQ(g_Settings.Debug, 0) << value;
    g_Settings.Mode = 1;
    App_SaveLastUsed();
    App_WriteTrace("direct");
  }
  EXPECT_FALSE(File_Exists(Dir_DataFile("\\TraceFile.txt")));
}

TEST_F(SettingsDoc, WriterTracesEvenWhenTheDocumentIsMissing) {
  g_Settings.Debug = 1;
  App_XMLWriteValue("Mode", "1");
  EXPECT_EQ(App_XMLReadValue("Mode"), "");
  App_XMLReadValue("Debug");  // reading Debug itself is never traced
  EXPECT_EQ(TraceMessages(Dir_DataFile("\\TraceFile.txt")),
            (std::vector<std::string>{"App_XMLWriteValue Entered", "App_XMLWriteValue Exited",
                                      "App_XMLReadValue Entered", "App_XMLReadValue Exited"}));
}
