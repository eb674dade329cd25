// Loads a system DLL at the first call of one of its functions (see on_demand.h).
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <cwchar>

#include "app/on_demand.h"

namespace {

// The function `name` of `dll` from the system folder only (never the program's or the current
// folder); the DLL stays loaded for the rest of the run.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 1 + std::wcslen(dll) >= MAX_PATH) return nullptr;
  path[length] = L'\\';
  std::wcscpy(path + length + 1, dll);
  HMODULE module = LoadLibraryW(path);
  if (!module) return nullptr;
  // Through void (*)(): the type every function pointer may be cast to and from.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

HINSTANCE WINAPI App_ShellExecuteOnDemand(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                          LPCWSTR directory, INT show) {
  static const auto shellExecute = SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) return reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
  return shellExecute(window, verb, file, parameters, directory, show);
}

BOOL WINAPI App_GetOpenFileNameOnDemand(LPOPENFILENAMEW request) {
  static const auto getOpenFileName =
      SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return getOpenFileName ? getOpenFileName(request) : FALSE;
}
