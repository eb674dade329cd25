#pragma once
// The uninstaller's Win32 side (setup/uninstall_win.cpp): taking away one installation of
// Keyfarer for the current user. Character arrays and plain Win32 only, so that the uninstaller
// stays small; the installer shares the shortcut's place and the DLL search with it.
#include <windows.h>

constexpr const char kSetupUninstallTitle[] = "Keyfarer Uninstall";
constexpr const char kSetupUninstallRunning[] = "Keyfarer is running: close it and start the uninstaller again.";

// Before any other DLL is loaded: DLLs come from the system folder only, never from the folder
// the program was downloaded to or the current one (both programs call it first).
void Setup_HardenDllSearch();
// <Programs>\Keyfarer\Keyfarer.lnk of the current user; false when the shell has no Programs folder.
bool Setup_ShortcutFile(char (&path)[MAX_PATH]);
// Whether the tutor in `folder` is running (the system holds its program file).
bool Setup_TutorRunning(const char* folder);
// Removes from `folder` what Setup_ForEachRemoval names (the learner's files only when
// `keepLearnersFiles` is false), then the folder itself when nothing is left in it, and the
// Start menu shortcut and the installed apps entry when they belong to this folder. Appends
// to `left` (terminated, of `room` characters) one line "\r\n<name>" for each thing that could
// not be removed; returns how many there were. The running uninstaller (`ownFileLater`) leaves
// its own file and so the folder to Setup_RemoveWhenEnded.
int Setup_RemoveInstallation(const char* folder, bool keepLearnersFiles, char* left, int room,
                             bool ownFileLater = false);
// Whether the command processor can be handed the folder's name: it would expand a "%" in it.
bool Setup_CanRemoveWhenEnded(const char* folder);
// Starts the system's command processor, without a window and in the system folder, to remove
// <folder>\Uninstall.exe once the running uninstaller has ended (two seconds on), then the
// folder when that leaves it empty; false when it cannot be started.
bool Setup_RemoveWhenEnded(const char* folder);
// The uninstaller's question (Yes keeps the learner's files, No removes them too, Cancel
// removes nothing) and its closing message, into `text` of `room` characters.
void Setup_UninstallQuestion(const char* folder, char* text, int room);
void Setup_UninstallDone(const char* folder, bool kept, const char* left, char* text, int room);
