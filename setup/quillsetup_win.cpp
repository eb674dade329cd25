// quillsetup: program entry. One modal dialog; posting the quit message ends it and the program.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "setup/setup_resource.h"
#include "setup/setup_win.h"
#include "setup/uninstall_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Setup_HardenDllSearch();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, Setup_DialogProc, 0) == -1) {
    // No window at all: say so rather than wait for a quit message that never comes.
    const std::string text = "The setup window could not be opened.\r\n" + Setup_SystemReason(GetLastError());
    MessageBoxA(nullptr, text.c_str(), kSetupTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  // The dialog's loop ended on the quit message and posted it again: take it off the queue.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  return 0;
}
