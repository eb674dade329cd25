// Parts of the system the tutor needs only when the user asks for them (the shell, to open a
// page; the common dialogs, for File, Open) are loaded at their first use from the system
// folder: every DLL loaded at start delays the first window, under Wine most of all.
#pragma once

#include <windows.h>

#include <commdlg.h>

// ShellExecuteW of shell32.dll; SE_ERR_DLLNOTFOUND when it cannot be loaded.
HINSTANCE WINAPI App_ShellExecuteOnDemand(HWND window, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                                          LPCWSTR directory, INT show);
// GetOpenFileNameW of comdlg32.dll; FALSE (no file chosen) when it cannot be loaded.
BOOL WINAPI App_GetOpenFileNameOnDemand(LPOPENFILENAMEW request);
