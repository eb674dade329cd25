#pragma once
// Which folder the tutor works from: its own installation folder, the folder of KFP.exe, holds
// the settings, word lists, samples and files it uses, whatever folder it is started in (a
// shortcut with another start folder, a command prompt). Only when its own folder holds no
// language folder (a portable copy of the program alone) does it work from the current folder.
#include <string>
#include <vector>

enum class StartFolder { Current, Program, Neither };

// `hasLanguageFolder` answers whether a folder holds EN, FR or RU (the glue asks the disk).
StartFolder App_ChooseStartFolder(const std::string& current, const std::string& program,
                                  bool (*hasLanguageFolder)(const std::string& folder));
// Whether `folder` holds one of the language folders of common/languages.h.
bool App_HasLanguageFolder(const std::string& folder);
// The trace lines that say which folder a start chose, and why when it is not the program's
// (each folder on a line of its own, since the trace cuts long lines); and the folders a start
// that found none looked in, one per line (the current one only when it is another folder).
std::vector<std::string> App_StartFolderTrace(StartFolder chosen, const std::string& current,
                                              const std::string& program);
std::string App_StartFoldersLookedIn(const std::string& current, const std::string& program);
