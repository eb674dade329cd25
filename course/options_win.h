#pragma once
// The Options dialog (View, Options): the error sound, the live keyboard, the course's target
// speed and accuracy, and a reset of the course in the current language.
#include <windows.h>

// What the dialog changed, for the shell to follow: the keyboard shown or hidden, the course's
// targets or progress.
struct OptionsChanged {
  bool keyboard = false;
  bool course = false;
};

// The modal dialog owned by `owner`, in the current language. OK applies the choices to the run
// and writes them to Settings.xml (a document that cannot be written is said); a number out of
// its range is said and the dialog stays. The reset, once confirmed, happens at once and stays
// whatever button closes the dialog.
OptionsChanged Options_Show(HWND owner);
