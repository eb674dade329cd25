#pragma once
// Telling Windows the program is there (setup/registration_win.cpp).
#include <string>

// After the files are in place: the Start menu shortcut (Programs\Keyfarer\Keyfarer.lnk,
// starting KFP.exe in the destination) and the entry among the installed apps
// (kSetupUninstallKey), both for the current user. Empty when both were made; otherwise what
// could not be made, for the user.
std::string Setup_RegisterProgram(const std::string& destination);
// <Programs>\Keyfarer\Keyfarer.lnk of the current user; empty when the shell has no Programs folder.
std::string Setup_ShortcutPath();
