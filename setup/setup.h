#pragma once
// The installer's window-free rules: what it carries, where each file goes, in which order the
// files are written and how the destination path is formed. install_win.cpp carries them out.
#include <cstddef>
#include <string>
#include <vector>

#include "common/text.h"
#include "setup/payload.h"

constexpr const char kSetupRunningMessage[] = "Keyfarer is running: close it and press Install again.";
constexpr std::size_t kSetupMaxPath = 259;  // longest path the ANSI file calls take
// Each file is written under its name followed by this, and renamed once it is complete.
constexpr const char kSetupPartSuffix[] = ".part";

// Language code 1 English, 2 French, 3 Russian; nullptr for any other code.
const SetupLanguage* Setup_Language(int language);
// "English", "French", "Russian" for 1 to 3; nullptr otherwise.
const char* Setup_LanguageName(int language);
// The code of an exact, case-sensitive language name; 0 for any other text.
int Setup_LanguageCode(const std::string& name);
// The two languages the additional list shows for a default language, in list order;
// false (and nothing written) for a code outside 1 to 3.
bool Setup_AdditionalLanguages(int defaultLanguage, int additional[2]);

// Destination paths, as the user sees them in the destination box (UTF-16).
// <documents>\KFP: the user's documents folder, as the shell names it.
Text16 Setup_DefaultDestination(const Text16& documents);
// <folder>\KFP, or <folder>KFP for a folder that ends with a separator (a drive root "C:\").
Text16 Setup_BrowsedDestination(const Text16& folder);

// A typed destination as it is checked and used: blanks around it dropped, "/" made "\",
// trailing separators dropped except the one of a drive root.
Text16 Setup_TidyDestination(const Text16& typed);
// What is wrong with a tidied destination. The installer writes only where the user named:
// a full path from a drive ("C:\...") or a share ("\\server\share\..."), without characters
// a folder name cannot hold, short enough for every file below it. Whether the system's code
// page can spell it is the Win32 side's to find out (NotInCodePage).
// Windows keeps device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension) for
// itself in every folder, and drops a dot or blank that ends a name, so such a part would
// name a device or another folder; device and pipe paths ("\\.\", "\\?\") are no folders.
enum class SetupPathProblem {
  None, Empty, Relative, BadCharacter, DevicePath, ReservedName, EndsInDotOrBlank, TooLong, NotInCodePage
};
SetupPathProblem Setup_CheckDestination(const Text16& destination);
// The longest destination that leaves room for every installed file's path and its ".part".
std::size_t Setup_MaxDestination();
// The message that tells the user what is wrong with the (tidied) destination.
std::string Setup_DestinationMessage(SetupPathProblem problem, const Text16& destination);
// The message of a failed installation: the file, the system's reason, whether anything was
// changed, and what the undo could not take back (`left`), if anything.
std::string Setup_FailureMessage(const std::string& path, const std::string& reason, bool nothingInstalled,
                                 const std::vector<std::string>& left = {});
// The question after a successful installation, saying which of the user's files were kept
// and, when there is one, a `notice` (a shortcut or an entry that could not be made).
std::string Setup_SuccessMessage(const std::vector<std::string>& kept, const std::string& notice);

// One write of an installation, in order.
enum class SetupStepKind { CreateFolder, WriteResource, WriteSettings };
// When an existing file stays as the user left it: the settings whenever they exist (the tutor
// reads any older or partial document), a sample text when it differs from the carried one.
enum class SetupKeep { Never, IfPresent, IfEdited };
struct SetupStep {
  SetupStepKind kind;
  std::string folder;    // the folder created or written into
  int resource = 0;      // WriteResource: the resource number
  std::string name;      // WriteResource: the file name in the folder
  int language = 0;      // WriteSettings: the language code written
  SetupKeep keep = SetupKeep::Never;
};

// The writes of one language: its folder, "Tests", "Training Words", "Course", the four lists,
// the sample text, the manual, the course's words and their licence. Empty for a code outside 1
// to 3.
std::vector<SetupStep> Setup_LanguagePlan(const std::string& destination, int language);

// What the dialog tells the install: the selected default (0, 1, 2 or -1 for none) and the
// two items of the additional list with their state image indexes (1 is the empty box).
struct SetupChoices {
  int defaultSelection = 0;
  std::string itemText[2];
  int itemStateImage[2] = {1, 1};
};
// Every write of one installation, in order: the destination folder, "KFP.exe",
// "Uninstall.exe", "Settings.xml" (language selection + 1), the default language's data, then
// each ticked item's language.
std::vector<SetupStep> Setup_InstallPlan(const std::string& destination, const SetupChoices& choices);
// Every file any installation writes, relative to the destination ("EN\Tests\..."), in plan
// order: what a leftover ".part" may belong to and what the uninstaller may remove.
std::vector<std::string> Setup_AllInstalledFiles();

// The "Settings.xml" an installation writes: the tutor's default document with line 6 chosen
// by the language (2 or 3, anything else 1).
std::string Setup_SettingsDocument(int language);
