#include "setup/setup.h"

#include <algorithm>

#include "settings/settings.h"

namespace {

const char* const kLanguageNames[3] = {"English", "French", "Russian"};
const char* const kReservedNames[] = {"CON", "PRN", "AUX", "NUL"};

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

SetupStep Folder(const std::string& folder) { return {SetupStepKind::CreateFolder, folder, 0, "", 0}; }

SetupStep Resource(int id, const std::string& folder, const char* name, SetupKeep keep = SetupKeep::Never) {
  return {SetupStepKind::WriteResource, folder, id, name, 0, keep};
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

// The name Windows keeps for a device that `part` stands for ("COM1" for "com1.txt"), or empty.
// The stem before the first dot counts, blanks at its end dropped, as Windows reads it.
std::string ReservedStem(const Text16& part) {
  Text16 stem = part.substr(0, part.find(u'.'));
  while (!stem.empty() && stem.back() == u' ') stem.pop_back();
  if (stem.size() != 3 && stem.size() != 4) return "";
  std::string upper;
  for (char16_t c : stem) {
    if (c > 0x7F) return "";
    upper += static_cast<char>(Upper(c));
  }
  for (const char* name : kReservedNames)
    if (upper == name) return upper;
  if (upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) && upper[3] >= '1' &&
      upper[3] <= '9')
    return upper;
  return "";
}

// The folder names of a destination below its root ("C:\" or "\\server\"), in order.
std::vector<Text16> Parts(const Text16& destination) {
  std::vector<Text16> parts;
  const bool fromDrive = destination.size() >= 2 && destination[1] == u':';
  size_t at = fromDrive ? 3 : 2;
  while (at <= destination.size()) {
    size_t end = destination.find_first_of(u"\\/", at);
    if (end == Text16::npos) end = destination.size();
    if (end > at) parts.push_back(destination.substr(at, end - at));
    at = end + 1;
  }
  return parts;
}

std::string FirstReservedStem(const Text16& destination) {
  for (const Text16& part : Parts(destination)) {
    const std::string stem = ReservedStem(part);
    if (!stem.empty()) return stem;
  }
  return "";
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\r\n" + line;
  return text;
}

void Append(std::vector<SetupStep>& to, const std::vector<SetupStep>& steps) {
  to.insert(to.end(), steps.begin(), steps.end());
}

}  // namespace

const SetupLanguage* Setup_Language(int language) {
  return language >= 1 && language <= 3 ? &kSetupLanguages[language - 1] : nullptr;
}

const char* Setup_LanguageName(int language) {
  return language >= 1 && language <= 3 ? kLanguageNames[language - 1] : nullptr;
}

int Setup_LanguageCode(const std::string& name) {
  for (int code = 1; code <= 3; ++code)
    if (name == kLanguageNames[code - 1]) return code;
  return 0;
}

bool Setup_AdditionalLanguages(int defaultLanguage, int additional[2]) {
  if (defaultLanguage < 1 || defaultLanguage > 3) return false;
  int n = 0;
  for (int code = 1; code <= 3; ++code)
    if (code != defaultLanguage) additional[n++] = code;
  return true;
}

Text16 Setup_DefaultDestination(const Text16& documents) { return Setup_BrowsedDestination(documents); }

Text16 Setup_BrowsedDestination(const Text16& folder) {
  return folder + (!folder.empty() && IsSeparator(folder.back()) ? u"KFP" : u"\\KFP");
}

Text16 Setup_TidyDestination(const Text16& typed) {
  const size_t first = typed.find_first_not_of(u" \t");
  if (first == Text16::npos) return Text16();
  Text16 path = typed.substr(first, typed.find_last_not_of(u" \t") - first + 1);
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  // "C:\" keeps its separator: without it, "C:" would mean the drive's current folder.
  const size_t keep = path.size() >= 3 && path[1] == u':' ? 3 : 1;
  while (path.size() > keep && path.back() == u'\\') path.pop_back();
  return path;
}

SetupPathProblem Setup_CheckDestination(const Text16& destination) {
  if (destination.empty()) return SetupPathProblem::Empty;
  // "\\.\pipe\x", "\\?\C:\x", "\\.\COM1": the system's own name spaces, not a share's folder.
  if (destination.size() >= 3 && IsSeparator(destination[0]) && IsSeparator(destination[1]) &&
      (destination[2] == u'.' || destination[2] == u'?') && (destination.size() == 3 || IsSeparator(destination[3])))
    return SetupPathProblem::DevicePath;
  const bool fromDrive = destination.size() >= 3 && IsDriveLetter(destination[0]) && destination[1] == u':' &&
                         IsSeparator(destination[2]);
  const bool fromShare = destination.size() >= 3 && IsSeparator(destination[0]) && IsSeparator(destination[1]) &&
                         !IsSeparator(destination[2]);
  if (!fromDrive && !fromShare) return SetupPathProblem::Relative;
  for (size_t i = fromDrive ? 2 : 0; i < destination.size(); ++i) {
    const char16_t c = destination[i];
    if (c < 32 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' || c == u'*')
      return SetupPathProblem::BadCharacter;
  }
  if (!FirstReservedStem(destination).empty()) return SetupPathProblem::ReservedName;
  for (const Text16& part : Parts(destination)) {
    // "." and ".." are resolved before the install; any other name loses its last dot or blank.
    if (part != u"." && part != u".." && (part.back() == u'.' || part.back() == u' '))
      return SetupPathProblem::EndsInDotOrBlank;
  }
  if (destination.size() > Setup_MaxDestination()) return SetupPathProblem::TooLong;
  return SetupPathProblem::None;
}

std::size_t Setup_MaxDestination() {
  // Every file of an installation with all three languages, below the destination's separator.
  std::size_t longest = 0;
  for (const std::string& file : Setup_AllInstalledFiles()) longest = std::max(longest, 1 + file.size());
  return kSetupMaxPath - longest - (sizeof kSetupPartSuffix - 1);
}

std::string Setup_DestinationMessage(SetupPathProblem problem, const Text16& destination) {
  switch (problem) {
    case SetupPathProblem::None:
      break;
    case SetupPathProblem::Empty:
      return "Please enter the folder to install Keyfarer into, or choose one with the \"...\" button.";
    case SetupPathProblem::Relative:
      return "The destination must be a full path that starts with a drive, such as C:\\Keyfarer, or with a "
             "network share, such as \\\\server\\share\\Keyfarer.";
    case SetupPathProblem::BadCharacter:
      return "The destination contains a character that a folder name cannot hold: < > : \" | ? * or a "
             "control character.";
    case SetupPathProblem::DevicePath:
      return "The destination is a device or pipe path (it starts with \\\\.\\ or \\\\?\\). Please name a "
             "folder on a drive, such as C:\\Keyfarer, or on a network share.";
    case SetupPathProblem::ReservedName:
      return "The destination holds the name \"" + FirstReservedStem(destination) +
             "\", which Windows keeps for a device (as it keeps CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to "
             "LPT9, with or without an extension): no folder can have it. Please choose another name.";
    case SetupPathProblem::EndsInDotOrBlank:
      return "A folder name in the destination ends with a dot or a blank, which Windows drops: Keyfarer would "
             "go into another folder than the one named. Please remove the dot or blank.";
    case SetupPathProblem::TooLong:
      return "The destination is too long: it has " + std::to_string(destination.size()) +
             " characters, and at most " + std::to_string(Setup_MaxDestination()) +
             " leave room for the files installed below it.";
    case SetupPathProblem::NotInCodePage:
      return "The destination contains letters that the system's code page cannot spell, so the installer "
             "cannot write there. Please choose a folder whose path uses other letters.";
  }
  return std::string();
}

std::string Setup_FailureMessage(const std::string& path, const std::string& reason, bool nothingInstalled,
                                 const std::vector<std::string>& left) {
  std::string text = "Keyfarer could not be installed.\r\n\r\n" + path + "\r\n" + reason + "\r\n\r\n";
  if (!nothingInstalled) text += "Only part of Keyfarer was installed: the files before this one were replaced.";
  else if (left.empty()) text += "Nothing was installed: the destination is as it was before.";
  else text += "Nothing was installed.";
  if (!left.empty()) text += "\r\n\r\nThe installer could not remove what it had written here:" + JoinLines(left);
  return text;
}

std::string Setup_SuccessMessage(const std::vector<std::string>& kept, const std::string& notice) {
  std::string text = "Keyfarer has been installed successfully. ";
  if (!kept.empty()) text += "Your own files were kept as they were:" + JoinLines(kept) + "\r\n\r\n";
  if (!notice.empty()) text += notice + "\r\n\r\n";
  return text + "Open destination folder?";
}

std::vector<SetupStep> Setup_LanguagePlan(const std::string& destination, int language) {
  const SetupLanguage* data = Setup_Language(language);
  if (!data) return {};
  const std::string languageFolder = destination + data->folder;
  const std::string testsFolder = languageFolder + kSetupTestsFolder;
  const std::string wordsFolder = languageFolder + kSetupWordsFolder;
  const std::string courseFolder = languageFolder + kSetupCourseFolder;
  std::vector<SetupStep> steps = {Folder(languageFolder), Folder(testsFolder), Folder(wordsFolder),
                                  Folder(courseFolder)};
  for (int i = 0; i < 4; ++i) steps.push_back(Resource(data->baseResource + i, wordsFolder, data->listNames[i]));
  steps.push_back(Resource(data->baseResource + 4, testsFolder, kSetupSampleName, SetupKeep::IfEdited));
  steps.push_back(Resource(data->manualResource, languageFolder, kSetupManualName));
  steps.push_back(Resource(data->courseResource, courseFolder, kSetupCourseWordsName));
  steps.push_back(Resource(data->courseResource + 1, courseFolder, kSetupCourseLicenseName));
  return steps;
}

std::vector<SetupStep> Setup_InstallPlan(const std::string& destination, const SetupChoices& choices) {
  std::vector<SetupStep> steps = {Folder(destination),
                                  Resource(kSetupProgramResource, destination, kSetupProgramName),
                                  Resource(kSetupUninstallerResource, destination, kSetupUninstallerName)};
  steps.push_back({SetupStepKind::WriteSettings, destination, 0, kSetupSettingsName,
                   choices.defaultSelection + 1, SetupKeep::IfPresent});
  // Selection 0, 1, 2 is language 1, 2, 3; none (-1) installs no default-language data.
  if (choices.defaultSelection >= 0 && choices.defaultSelection <= 2)
    Append(steps, Setup_LanguagePlan(destination, choices.defaultSelection + 1));
  for (int item = 0; item < 2; ++item) {
    const int code = Setup_LanguageCode(choices.itemText[item]);
    if (code != 0 && choices.itemStateImage[item] != 1) Append(steps, Setup_LanguagePlan(destination, code));
  }
  return steps;
}

namespace {

// The plan of an installation with all three languages, below an empty destination: its steps
// name every folder and file as "\EN\Tests" and so on.
std::vector<SetupStep> FullPlan() {
  SetupChoices all;
  all.itemText[0] = kLanguageNames[1];
  all.itemText[1] = kLanguageNames[2];
  all.itemStateImage[0] = all.itemStateImage[1] = 2;
  return Setup_InstallPlan("", all);
}

std::string Relative(const std::string& path) { return path.substr(path.find_first_not_of('\\')); }

}  // namespace

std::vector<std::string> Setup_AllInstalledFiles() {
  std::vector<std::string> files;
  for (const SetupStep& step : FullPlan())
    if (step.kind != SetupStepKind::CreateFolder) files.push_back(Relative(step.folder + "\\" + step.name));
  return files;
}

std::string Setup_SettingsDocument(int language) { return App_DefaultSettingsDocument(language); }
