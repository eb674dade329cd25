#pragma once
// What the uninstaller takes away from an installation folder, relative to it: the files every
// installation writes, the tutor's trace log and what a cut-off write of the tutor left, the
// learner's files only when they are not kept, and then the folders an installation makes, each after those below it (each is removed
// only when it is empty by then). Nothing else is ever named, so nothing outside the folder and
// no file of the user's is touched, and a folder holding such a file stays with it.
// Window-free and without library types: the uninstaller calls it as the tests do.

// Called once per entry, in order: files first, then folders.
using SetupRemovalVisit = void (*)(const char* relative, bool isFolder, void* context);
void Setup_ForEachRemoval(bool keepLearnersFiles, SetupRemovalVisit visit, void* context);
