// quillsetup: program entry. One modal dialog; posting the quit message ends it and the program.
#include <windows.h>
#include <commctrl.h>

#include "setup/setup_resource.h"
#include "setup/setup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, Setup_DialogProc, 0);
  // The dialog's loop ended on the quit message and posted it again: drain it.
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
