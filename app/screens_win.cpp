// The table of the four screens, installed for the shell at start, and the one order of steps in
// which a screen is shown, relabelled and destroyed.
#include <windows.h>

#include "app/app.h"
#include "app/screens_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "exam/course_screen_win.h"
#include "exam/exam_screen_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "training/training_win.h"
#include "typing/keystrokes.h"

namespace {

const ScreenOps* const kScreens[] = {&kHandScreen, &kAlternationScreen, &kCustomScreen, &kTestsScreen, &kCourseScreen};

// The Tests screen's builder is traced, as it always has been; the others are not.
void Trace(int mode, const char* line) {
  if (mode == kModeTests) App_Trace(line);
}

}  // namespace

void App_InstallScreens() { App_SetScreens({kScreens, sizeof kScreens / sizeof kScreens[0]}); }

void App_DestroyScreenControls() {
  if (g_App.mainWindow) {
    // Collect first: destroying while enumerating would skip windows.
    HWND children[512];
    int count = 0;
    for (HWND child = GetWindow(g_App.mainWindow, GW_CHILD); child && count < 512;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (child == g_App.toolbar || child == g_App.statusBar) continue;
      children[count++] = child;
    }
    for (int i = 0; i < count; ++i) DestroyWindow(children[i]);
  }
  if (const ScreenOps* screen = App_ScreenOf(g_Settings.Mode)) screen->forget();
}

void App_ShowScreen(int mode) {
  const ScreenOps* screen = App_ScreenOf(mode);
  if (!screen) return;
  Trace(mode, "OnMenuMode4 Entered");
  const ScreenOps* shown = App_ScreenOf(g_Settings.Mode);
  if (shown && shown != screen && shown->left) shown->left();
  App_DestroyScreenControls();
  g_Settings.Mode = static_cast<int16_t>(mode);
  // A new screen's typing area starts empty, and its first key begins a word of its own.
  g_Ui.clearable = false;
  App_BeginFreshWord(g_Typing);
  screen->build(mode);
  App_FitMainWindow();
  App_LocalizeStrings(g_Settings.Language);
  App_UpdateCommands();
  App_FocusTypingArea(screen->typingArea());
  Trace(mode, "OnMenuMode4 Exited");
}

void App_LocalizeStrings(int language) {
  App_Trace("App_LocalizeStrings Entered");
  if (const ScreenOps* screen = App_ScreenOf(g_Settings.Mode)) {
    if (screen->retitles) {
      Text16 title = App_StringText(IDS_TITLE, language);
      SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));
    }
    if (screen->localize) screen->localize(language);
  }
  App_Trace("App_LocalizeStrings Exited");
}

void App_ScreenTimer(UINT_PTR id) {
  for (const ScreenOps* screen : kScreens)
    if (screen->timer) screen->timer(id);
}

void App_MainWindowMoved() {
  for (const ScreenOps* screen : kScreens)
    if (screen->mainWindowMoved) screen->mainWindowMoved();
}

void App_LayOutScreen() {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  // Not while the window is being made, before the screen has its controls.
  if (screen && screen->layout && screen->typingArea && screen->typingArea()) screen->layout();
}

void App_RelabelScreen(int language) {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  if (!screen) return;
  if (screen->relabel) screen->relabel(language);
  else App_ShowScreen(screen->mode);
}
