#include "setup/setup.h"

#include <cstdio>

#include "settings/settings.h"

namespace {

const SetupLanguage kLanguages[3] = {
    {"\\EN", 133, {"LH_Words.dat", "RH_Words.dat", "LTOR_Both.dat", "RTOL_Both.dat"}},
    {"\\FR", 138, {"LH_Words.dat", "RH_Words.dat", "LTOR_Both.dat", "RTOL_Both.dat"}},
    {"\\RU", 143,
     {"LH_Words_RU_UTF8.txt", "RH_Words_RU_UTF8.txt", "LTOR_Words_RU_UTF8.txt",
      "RTOL_Words_RU_UTF8.txt"}},
};
const char* const kLanguageNames[3] = {"English", "French", "Russian"};

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

SetupStep Folder(const std::string& folder) { return {SetupStepKind::CreateFolder, folder, 0, "", 0}; }

SetupStep Resource(int id, const std::string& folder, const char* name) {
  return {SetupStepKind::WriteResource, folder, id, name, 0};
}

void Append(std::vector<SetupStep>& to, const std::vector<SetupStep>& steps) {
  to.insert(to.end(), steps.begin(), steps.end());
}

}  // namespace

const SetupLanguage* Setup_Language(int language) {
  return language >= 1 && language <= 3 ? &kLanguages[language - 1] : nullptr;
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
  if (destination.size() > Setup_MaxDestination()) return SetupPathProblem::TooLong;
  return SetupPathProblem::None;
}

std::size_t Setup_MaxDestination() {
  // Every file of an installation with all three languages, below an empty destination.
  SetupChoices all;
  all.itemText[0] = kLanguageNames[1];
  all.itemText[1] = kLanguageNames[2];
  all.itemStateImage[0] = all.itemStateImage[1] = 2;
  std::size_t longest = 0;
  for (const SetupStep& step : Setup_InstallPlan("", all)) {
    const std::size_t length = step.folder.size() + 1 + step.name.size();
    if (step.kind != SetupStepKind::CreateFolder && length > longest) longest = length;
  }
  return kSetupMaxPath - longest - (sizeof kSetupPartSuffix - 1);
}

std::string Setup_DestinationMessage(SetupPathProblem problem, std::size_t length) {
  char text[400] = "";
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
    case SetupPathProblem::TooLong:
      std::snprintf(text, sizeof text,
                    "The destination is too long: it has %zu characters, and at most %zu leave room for the "
                    "files installed below it.",
                    length, Setup_MaxDestination());
      break;
    case SetupPathProblem::NotInCodePage:
      return "The destination contains letters that the system's code page cannot spell, so the installer "
             "cannot write there. Please choose a folder whose path uses other letters.";
  }
  return text;
}

std::string Setup_FailureMessage(const std::string& path, const std::string& reason, bool nothingInstalled) {
  return "Keyfarer could not be installed.\r\n\r\n" + path + "\r\n" + reason + "\r\n\r\n" +
         (nothingInstalled ? "Nothing was installed: the destination is as it was before."
                           : "Only part of Keyfarer was installed: the files before this one were replaced.");
}

std::vector<SetupStep> Setup_LanguagePlan(const std::string& destination, int language) {
  const SetupLanguage* data = Setup_Language(language);
  if (!data) return {};
  const std::string languageFolder = destination + data->folder;
  const std::string testsFolder = languageFolder + "\\Tests";
  const std::string wordsFolder = languageFolder + "\\Training Words";
  std::vector<SetupStep> steps = {Folder(languageFolder), Folder(testsFolder), Folder(wordsFolder)};
  for (int i = 0; i < 4; ++i) steps.push_back(Resource(data->baseResource + i, wordsFolder, data->listNames[i]));
  steps.push_back(Resource(data->baseResource + 4, testsFolder, "Sample_Unicode.txt"));
  return steps;
}

std::vector<SetupStep> Setup_InstallPlan(const std::string& destination, const SetupChoices& choices) {
  std::vector<SetupStep> steps = {Folder(destination),
                                  Resource(kSetupProgramResource, destination, kSetupProgramName)};
  steps.push_back({SetupStepKind::WriteSettings, destination, 0, kSetupSettingsName,
                   choices.defaultSelection + 1});
  // Selection 0, 1, 2 is language 1, 2, 3; none (-1) installs no default-language data.
  if (choices.defaultSelection >= 0 && choices.defaultSelection <= 2)
    Append(steps, Setup_LanguagePlan(destination, choices.defaultSelection + 1));
  for (int item = 0; item < 2; ++item) {
    const int code = Setup_LanguageCode(choices.itemText[item]);
    if (code != 0 && choices.itemStateImage[item] != 1) Append(steps, Setup_LanguagePlan(destination, code));
  }
  return steps;
}

std::string Setup_SettingsDocument(int language) { return App_DefaultSettingsDocument(language); }
