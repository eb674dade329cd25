#include "common/start_folder.h"

#include "common/files.h"
#include "common/languages.h"

StartFolder App_ChooseStartFolder(const std::string& current, const std::string& program,
                                  bool (*hasLanguageFolder)(const std::string& folder)) {
  if (!program.empty() && hasLanguageFolder(program)) return StartFolder::Program;
  if (program != current && hasLanguageFolder(current)) return StartFolder::Current;
  return StartFolder::Neither;
}

bool App_HasLanguageFolder(const std::string& folder) {
  for (const LanguageFacts& language : kLanguages)
    if (Dir_Exists(Path_Join(folder, std::string("\\") + language.folder))) return true;
  return false;
}

std::vector<std::string> App_StartFolderTrace(StartFolder chosen, const std::string& current,
                                              const std::string& program) {
  if (chosen == StartFolder::Program) return {"_tWinMain: working from the program's folder:", program};
  if (chosen == StartFolder::Current)
    return {"_tWinMain: the program's folder has no language folder:", program,
            "_tWinMain: working from the current folder:", current};
  std::vector<std::string> lines = {"_tWinMain: no language folder in:", program.empty() ? current : program};
  if (!program.empty() && program != current) lines.push_back(current);
  return lines;
}

std::string App_StartFoldersLookedIn(const std::string& current, const std::string& program) {
  if (program.empty()) return current;
  return program == current ? program : program + "\r\n" + current;
}
