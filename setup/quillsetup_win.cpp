// quillsetup: program entry. One modal dialog; posting the quit message ends it and the program.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "setup/setup_resource.h"
#include "setup/setup_win.h"

namespace {

// Before any other DLL is loaded: DLLs come from the system folder only, never from the folder
// the installer was downloaded to or the current one. Looked up, since Windows 7 has the call
// only with an update; there, the current folder at least leaves the search.
void Setup_HardenDllSearch() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void (*)()>(found));
  if (!setDirectories || !setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

}  // namespace

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
