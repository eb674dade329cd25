#pragma once
#include <string>

// The keyboard page of the Help menu's Show Keyboard Layout (Ctrl+L).

// Writes Keyboard.htm beside Settings.xml in the current language (the keyboard with the
// learner's key figures, exam/keyboard_page.h) with the safe writer and opens it with the
// shell's "open" verb and its full path. A page that could not be written is not opened; a
// message box says which file and why.
void App_ShowKeyboardPage();
// <folder of Settings.xml>\Keyboard.htm.
std::string App_KeyboardPagePath();
