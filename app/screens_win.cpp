// The table of the four screens, walked by the shell alone, and the one order of steps in which
// a screen is shown, relabelled and destroyed.
#include <windows.h>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/links_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "common/modes.h"
#include "exam/detailed_stats_win.h"
#include "exam/exam_screen_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "training/training_win.h"
#include "training/word_lists.h"

namespace {

const ScreenOps* const kScreens[] = {&kHandScreen, &kAlternationScreen, &kCustomScreen, &kTestsScreen};

// The Tests screen's builder is traced, as it always has been; the others are not.
void Trace(int mode, const char* line) {
  if (mode == kModeTests) App_Trace(line);
}

}  // namespace

const ScreenOps* App_ScreenOf(int mode) {
  for (const ScreenOps* screen : kScreens)
    if (screen->mode == mode) return screen;
  return nullptr;
}

const ScreenCommand* App_FindScreenCommand(int mode, UINT command) {
  const ScreenOps* screen = App_ScreenOf(mode);
  if (!screen) return nullptr;
  for (size_t i = 0; i < screen->commandCount; ++i)
    if (screen->commands[i].id == command) return &screen->commands[i];
  return nullptr;
}

bool App_ScreenCommandOwner(UINT command) {
  for (const ScreenOps* screen : kScreens)
    if (App_FindScreenCommand(screen->mode, command)) return true;
  return false;
}

HWND App_CurrentTypingArea() {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  return screen ? screen->typingArea() : nullptr;
}

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
  // An open detailed statistics window loses its list and buttons with the screen; the window
  // itself stays.
  Mode4_EmptyDetailedStatsWindow();
  if (const ScreenOps* screen = App_ScreenOf(g_Settings.Mode)) screen->forget();
}

void App_ShowScreen(int mode) {
  const ScreenOps* screen = App_ScreenOf(mode);
  if (!screen) return;
  Trace(mode, "OnMenuMode4 Entered");
  App_PlaceSupportLink(mode, 0);
  App_DestroyScreenControls();
  g_Settings.Mode = static_cast<int16_t>(mode);
  // A new screen's typing area starts empty, and a new Tests screen has no finished test yet.
  g_Ui.clearable = false;
  g_Ui.lastTestCompleted = false;
  g_Ui.customListExists = App_CustomListExists(g_Settings.Language);
  screen->build(mode);
  App_LocalizeStrings(g_Settings.Language);
  App_UpdateCommands();
  App_CenterMainWindow();
  App_FocusTypingArea(screen->typingArea());
  Trace(mode, "OnMenuMode4 Exited");
}

void OnMenuMode12(int mode) { App_ShowScreen(Mode_IsHandPractice(mode) ? mode : kModeHands); }
void OnMenuMode3() { App_ShowScreen(kModeCustom); }
void OnMenuMode4() { App_ShowScreen(kModeTests); }

void App_ScreenTimer(UINT_PTR id) {
  for (const ScreenOps* screen : kScreens)
    if (screen->timer) screen->timer(id);
}

void App_LayOutScreen() {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  if (screen && screen->layout) screen->layout();
}

void App_RelabelScreen(int language) {
  const ScreenOps* screen = App_ScreenOf(g_Settings.Mode);
  if (!screen) return;
  if (screen->relabel) screen->relabel(language);
  else App_ShowScreen(screen->mode);
}
