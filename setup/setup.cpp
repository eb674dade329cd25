#include "setup/setup.h"

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

std::string Fitting(std::string path) { return path.size() <= kSetupMaxPath ? path : std::string(); }

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

std::string Setup_DefaultDestination(const std::string& profile) {
  return Fitting(profile + "\\My Documents\\KFP");
}

std::string Setup_BrowsedDestination(const std::string& folder) {
  return Fitting(folder + (folder.size() == 3 ? "KFP" : "\\KFP"));
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
