#pragma once
// The Tests screen and its sample texts.
#include <windows.h>

#include <commdlg.h>

#include "common/text.h"

// Tests screen and sample texts (exam/exam_screen_win.cpp, exam/sample_file_win.cpp)
void OnMenuMode4();
int Mode4_LoadFile(Text16& text, const wchar_t* fileName);
void Mode4_OpenSampleFile();
// The open-file dialog of Mode4_OpenSampleFile goes through this pointer so that the window tests
// can answer it; it is GetOpenFileNameW, loaded at first use, in the program.
extern BOOL(WINAPI* g_GetOpenFileName)(LPOPENFILENAMEW);
// After a successful load: the text becomes the sample text, is shown in the sample text view
// (IDC_SAMPLE_VIEW) and is cut into the test words table.
void Mode4_UseSampleText(const Text16& text);
