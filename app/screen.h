#pragma once
// What a screen offers the shell: one ScreenOps per screen, in one table that only the shell
// walks (app/screens_win.cpp). A screen owns its controls and their state; the shell builds,
// relabels and destroys it through these operations and hands it the messages that are its own.
#include <windows.h>

#include <cstddef>

// A command of a screen's own (a menu item, key or toolbar button only that screen has).
struct ScreenCommand {
  UINT id;
  void (*run)();
};

struct ScreenOps {
  int mode;  // the mode it shows (modes 1 and 2 share one screen)
  // Sizes the main window for the screen and makes and fills its controls; the shell has
  // destroyed the previous screen and set the mode before, and relabels, sets the commands,
  // centres and focuses after.
  void (*build)(int mode);
  // After a language switch: the screen's lists and headings in `language`. A screen without it
  // is built again.
  void (*relabel)(int language);
  // Optional: the screen's texts in `language`, as it is built and after a language switch.
  void (*localize)(int language);
  // The main window's title is set from the string table as the screen is labelled.
  bool retitles;
  // Forgets the handles of its controls (the shell has destroyed the windows) and what goes
  // with them.
  void (*forget)();
  HWND (*typingArea)();
  const ScreenCommand* commands;
  size_t commandCount;
  // Optional: painting behind the controls, a static's colours, notifications of its controls,
  // its typing area's changes (EN_CHANGE) and a text set from outside, and its timers (every
  // screen is asked: a timer may outlive the screen that set it).
  void (*paint)(HDC dc);
  HBRUSH (*colorStatic)(HWND control, HDC dc);
  LRESULT (*notify)(const NMHDR* header);
  void (*typingChanged)();
  void (*typingReset)();
  void (*timer)(UINT_PTR id);
  // Places the controls and gives them fonts for the main window's DPI: as the screen is built,
  // and again after a DPI change (nothing else of the screen changes).
  void (*layout)();
};
