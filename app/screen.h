#pragma once
// What a screen offers the shell: one ScreenOps per screen, in one table that only the shell
// walks (app/screens_win.cpp). Everything the shell does for a screen goes through these
// operations: building, relabelling and destroying it, its size and the support link's place,
// the messages that are its own, a DPI change and a move of the main window. A screen owns its
// controls and their state; filled with designated names, an operation a screen lacks is null.
#include <windows.h>

struct ScreenOps {
  int mode = 0;  // the mode it shows (modes 1 and 2 share the controls of one screen)
  // The main window's first width when the program starts in this mode, before the screen is
  // built (96 DPI).
  int firstWidth = 600;
  // The main window's size for the screen as it stands (96 DPI); a height of 0 keeps the
  // window's height. The shell sizes, centres and places the support link after a build and
  // whenever the screen asks (App_FitMainWindow).
  SIZE (*windowSize)() = nullptr;
  // The least room (96 DPI, from the client area's top down to the status bar) its controls need
  // with every text and list at its least height: the main window is sized no lower.
  int (*leastRoom)() = nullptr;
  // The support link's x on the toolbar for the screen as it stands (96 DPI).
  int (*supportLinkX)() = nullptr;
  // Makes and fills the screen's controls; the shell has destroyed the previous screen and set
  // the mode before, and sizes, labels, sets the commands, centres and focuses after.
  void (*build)(int mode) = nullptr;
  // After a language switch: the screen's lists and headings in `language`. A screen without it
  // is built again.
  void (*relabel)(int language) = nullptr;
  // The screen's texts in `language`, as it is built and after a language switch.
  void (*localize)(int language) = nullptr;
  // The main window's title is set from the string table as the screen is labelled.
  bool retitles = false;
  // Forgets the handles of its controls (the shell has destroyed the windows) and what goes
  // with them.
  void (*forget)() = nullptr;
  // Another screen is shown in its place: what it keeps beyond its controls (a window of its
  // own) goes, before its controls do.
  void (*left)() = nullptr;
  HWND (*typingArea)() = nullptr;
  // Painting behind the controls, a static's colours, notifications of its controls, its typing
  // area's changes (EN_CHANGE) and a text set from outside.
  void (*paint)(HDC dc) = nullptr;
  HBRUSH (*colorStatic)(HWND control, HDC dc) = nullptr;
  LRESULT (*notify)(const NMHDR* header) = nullptr;
  void (*typingChanged)() = nullptr;
  void (*typingReset)() = nullptr;
  // Places the controls and gives them fonts for the main window's DPI: as the screen is built,
  // and again after a DPI change (nothing else of the screen changes).
  void (*layout)() = nullptr;
  // Asked of every screen, shown or not: a timer or a window of a screen may outlive it. A timer
  // of the main window; the main window moved; the width of a window docked beside the main
  // window, which is centred together with it (0 for none).
  void (*timer)(UINT_PTR id) = nullptr;
  void (*mainWindowMoved)() = nullptr;
  int (*dockedWidth)() = nullptr;
};

// The screens of the run, as the shell installs them at start (app/screens_win.cpp).
struct ScreenList {
  const ScreenOps* const* screens = nullptr;
  size_t count = 0;
};
