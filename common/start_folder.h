#pragma once
// Which folder the tutor works from. It keeps its settings, word lists, samples and files in
// the folder it runs in; started from another folder (a shortcut without a start folder, a
// command prompt), it works from its own program folder instead, when the current folder holds
// no language folder and its own does.
#include <string>
#include <vector>

enum class StartFolder { Current, Program, Neither };

// `hasLanguageFolder` answers whether a folder holds EN, FR or RU (the glue asks the disk).
StartFolder App_ChooseStartFolder(const std::string& current, const std::string& program,
                                  bool (*hasLanguageFolder)(const std::string& folder));
// Whether `folder` holds one of the language folders of common/languages.h.
bool App_HasLanguageFolder(const std::string& folder);
// The trace lines of a start from the program's folder (each folder on a line of its own, since
// the trace cuts long lines), and the folders a start that found none looked in, one per line
// (the program's only when it is another folder).
std::vector<std::string> App_StartFolderTrace(const std::string& current, const std::string& program);
std::string App_StartFoldersLookedIn(const std::string& current, const std::string& program);
