#pragma once
// Driving a modal dialog of the tutor from inside its own loop, for the window tests: a command
// sent to the main window, and a scenario run once the dialog shows (a timer of the thread finds
// it); a scenario that fails to end it does not hang the run.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/app.h"

namespace kftest {

struct DialogScenario {
  bool ran = false;          // the dialog showed and the scenario ran in it
  bool forcedClose = false;  // the scenario left it open: ended after 8 s
};

inline std::function<void(HWND dialog)> g_DialogWhileOpen;
inline DialogScenario g_DialogScenario;
inline UINT_PTR g_DialogTimer = 0, g_DialogSafetyTimer = 0;

inline BOOL CALLBACK FindDialogOfThread(HWND window, LPARAM param) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog of this thread, or nullptr.
inline HWND OpenDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialogOfThread, reinterpret_cast<LPARAM>(&found));
  return found;
}

inline void CALLBACK RunDialogScenario(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = OpenDialog();
  if (!dialog) return;  // not up yet: the timer comes again
  KillTimer(nullptr, g_DialogTimer);
  g_DialogTimer = 0;
  g_DialogScenario.ran = true;
  if (g_DialogWhileOpen) g_DialogWhileOpen(dialog);
}

inline void CALLBACK ForceDialogClosed(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, g_DialogSafetyTimer);
  g_DialogSafetyTimer = 0;
  if (HWND dialog = OpenDialog()) {
    g_DialogScenario.forcedClose = true;
    EndDialog(dialog, 99);
  }
}

// Command `command` at the main window, with `whileOpen` run inside the dialog it shows.
inline DialogScenario CommandWithDialog(UINT command, std::function<void(HWND dialog)> whileOpen) {
  g_DialogWhileOpen = std::move(whileOpen);
  g_DialogScenario = DialogScenario();
  g_DialogTimer = SetTimer(nullptr, 0, 30, RunDialogScenario);
  g_DialogSafetyTimer = SetTimer(nullptr, 0, 8000, ForceDialogClosed);
  SendMessageW(g_App.mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  if (g_DialogTimer) KillTimer(nullptr, g_DialogTimer);
  if (g_DialogSafetyTimer) KillTimer(nullptr, g_DialogSafetyTimer);
  g_DialogTimer = g_DialogSafetyTimer = 0;
  g_DialogWhileOpen = nullptr;
  return g_DialogScenario;
}

}  // namespace kftest
