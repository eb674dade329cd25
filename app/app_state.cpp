// Program-wide window state of the tutor, and the system calls the window tests replace.
#include <windows.h>

#include "app/app.h"
#include "app/on_demand.h"

AppWindows g_App;

int(WINAPI* g_MessageBox)(HWND, LPCWSTR, LPCWSTR, UINT) = MessageBoxW;
HINSTANCE(WINAPI* g_ShellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = App_ShellExecuteOnDemand;
INT_PTR(WINAPI* g_DialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM) = DialogBoxParamW;
