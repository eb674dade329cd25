#include "common/start_folder.h"

#include "common/files.h"
#include "common/languages.h"

StartFolder App_ChooseStartFolder(const std::string& current, const std::string& program,
                                  bool (*hasLanguageFolder)(const std::string& folder)) {
  if (hasLanguageFolder(current)) return StartFolder::Current;
  if (!program.empty() && program != current && hasLanguageFolder(program)) return StartFolder::Program;
  return StartFolder::Neither;
}

bool App_HasLanguageFolder(const std::string& folder) {
  for (const LanguageFacts& language : kLanguages)
    if (Dir_Exists(Path_Join(folder, std::string("\\") + language.folder))) return true;
  return false;
}

std::vector<std::string> App_StartFolderTrace(const std::string& current, const std::string& program) {
  return {"_tWinMain: the current folder has no language folder:", current,
          "_tWinMain: working from the program's folder:", program};
}

std::string App_StartFoldersLookedIn(const std::string& current, const std::string& program) {
  return program.empty() || program == current ? current : current + "\r\n" + program;
}
