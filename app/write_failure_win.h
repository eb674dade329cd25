#pragma once
// Telling the user that a file of theirs could not be written (app/write_failure_win.cpp).
#include <windows.h>

#include <string>

#include "common/files.h"

// A message box owned by `owner` that names the file at `path` (UTF-8) that could not be written
// and the system's text for `error`, in the current language.
void App_ShowWriteFailure(HWND owner, const std::string& path, FileError error);
