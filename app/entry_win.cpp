// The tutor's entry point: start-up, the message loop and the end of the run.
#include <windows.h>

#include <tchar.h>

#include "app/app.h"
#include "app/main_window_win.h"
#include "resources/resource.h"
#include "settings/trace.h"

int WINAPI _tWinMain(HINSTANCE instance, HINSTANCE, LPTSTR, int showCommand) {
  // Settings, entry trace, thread locale, title and class name, in that order.
  App_PrepareStart();

  App_RegisterClass(instance);
  if (!App_InitInstance(instance, showCommand)) return 0;

  g_App.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  const int exitCode = App_MessageLoop(g_App.accelerators);

  App_Trace("_tWinMain Exited");
  return exitCode;
}
