#pragma once
// Telling the user that a file of theirs could not be written (app/write_failure_win.cpp).
#include <windows.h>

#include <string>

#include "common/files.h"

// A message box owned by `owner` that names the file at `path` (UTF-8) that could not be written
// and the system's text for `error`, in the current language.
void App_ShowWriteFailure(HWND owner, const std::string& path, FileError error);
// A page of the tutor's (the report, the keyboard page): written to `path` with the safe writer
// and opened in the browser by its full path, so that it opens whatever folder the browser starts
// in. A page that is not on disk is not opened (the browser would show an older one or none): the
// user is told which file could not be written and why.
void App_WritePageAndOpen(const std::string& path, const std::string& page);
