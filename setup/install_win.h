#pragma once
// Installing files (setup/install_win.cpp): the plans of setup.h carried out with ANSI file
// calls into g_Setup.destination, from the payload of g_Setup.payloadModule.
#include <windows.h>

#include <string>
#include <vector>

#include "setup/setup.h"

// How the last installation (or single write) ended. A failure names the file or folder and
// carries the system's error code; nothingInstalled says whether the destination was left as
// it was before.
struct SetupResult {
  bool failed = false;
  bool nothingInstalled = true;
  bool running = false;             // the tutor of the destination is running: nothing was written
  std::string path;
  DWORD error = 0;
  std::vector<std::string> left;    // what the undo of a failure could not remove
  std::vector<std::string> kept;    // the user's files that stayed as they were (relative)
  std::string notice;               // a shortcut or an uninstall entry that could not be made
};

// Carries out `steps` below `destination` ("" for a write outside any installation): every
// target is checked first, every file is written completely under a ".part" name beside its
// own, and only then are they renamed into place; a failure removes what this run wrote.
// g_Setup.result tells how it ended; true when nothing failed.
bool Setup_RunPlan(const std::vector<SetupStep>& steps, const std::string& destination);
// Installs payload resource `resource` as <folder>\<name> the same way; true when it was.
bool Setup_WriteResourceFile(int resource, const char* folder, const char* name);
// The folders and the five files of language 1 to 3 below g_Setup.destination; other codes
// do nothing.
bool Setup_WriteLanguageData(int language);

// The system's own words for an error code ("Disk full."), without the line end.
std::string Setup_SystemReason(DWORD error);
bool Setup_IsFolder(const std::string& path);
