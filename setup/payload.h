#pragma once
// What an installation puts into its folder, as plain constant tables: the installer's plan
// (setup.cpp) and the uninstaller's removal (removal.cpp) are both made from them. No library
// types, so that the small uninstaller carries no C++ runtime.

// One installed language: its folder below the destination ("\EN"), the first of its five
// resources and the names of its four word lists (left-hand, right-hand, left-to-right,
// right-to-left); the sample text, resource base + 4, is "Tests\Sample_Unicode.txt"; the
// manual, manualResource, lies in the language folder itself; the course's word list and its
// licence, courseResource and the one after it, in "Course".
struct SetupLanguage {
  const char* folder;
  int baseResource;
  const char* listNames[4];
  int manualResource;
  int courseResource;
};

constexpr SetupLanguage kSetupLanguages[3] = {
    {"\\EN", 133, {"LH_Words.dat", "RH_Words.dat", "LTOR_Both.dat", "RTOL_Both.dat"}, 149, 152},
    {"\\FR", 138, {"LH_Words.dat", "RH_Words.dat", "LTOR_Both.dat", "RTOL_Both.dat"}, 150, 154},
    {"\\RU", 143,
     {"LH_Words_RU_UTF8.txt", "RH_Words_RU_UTF8.txt", "LTOR_Words_RU_UTF8.txt", "RTOL_Words_RU_UTF8.txt"},
     151, 156},
};

constexpr int kSetupProgramResource = 131;  // the tutor program, installed as "KFP.exe"
constexpr const char kSetupProgramName[] = "KFP.exe";
constexpr const char kSetupSettingsName[] = "Settings.xml";
constexpr int kSetupUninstallerResource = 148;  // the uninstaller, installed as "Uninstall.exe"
constexpr const char kSetupUninstallerName[] = "Uninstall.exe";
constexpr const char kSetupTestsFolder[] = "\\Tests";
constexpr const char kSetupWordsFolder[] = "\\Training Words";
constexpr const char kSetupSampleName[] = "Sample_Unicode.txt";
// The learner's manual of each language, in the language folder (F1 opens it).
constexpr const char kSetupManualName[] = "KF_Help.htm";
// The course's words of each language and the licence they come under.
constexpr const char kSetupCourseFolder[] = "\\Course";
constexpr const char kSetupCourseWordsName[] = "Words.txt";
constexpr const char kSetupCourseLicenseName[] = "License.txt";

// The tutor's own files beside its settings: the learner's (asked about before they are
// removed: the settings, the histories, the course's progress, and the pages and practice text
// made from them) and its trace log (the program's).
constexpr const char* const kSetupLearnersRootFiles[] = {
    "Settings.xml",  "History.csv",   "Keys.csv",      "Report.htm",   "Keyboard.htm",
    "Practice.txt",  "Course_EN.csv", "Course_FR.csv", "Course_RU.csv"};
// What a write through a temporary file that was cut off (a crash, a full disk) may leave
// beside one of them or a custom list: the program's, never the learner's.
constexpr const char kSetupTemporarySuffix[] = ".tmp";
constexpr const char kSetupCustomWordsName[] = "Custom_Words.dat";  // in each language's word folder
constexpr const char kSetupTraceName[] = "TraceFile.txt";

// Where Windows lists the program among the installed apps: below HKEY_CURRENT_USER, so that
// installing and removing it needs no elevation.
constexpr const char kSetupUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Keyfarer";
// The Start menu shortcut, below the user's Programs folder.
constexpr const char kSetupShortcutFolder[] = "Keyfarer";
constexpr const char kSetupShortcutName[] = "Keyfarer.lnk";
