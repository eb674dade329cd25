#pragma once
// The Tests screen and its sample texts.
#include <windows.h>

#include <commdlg.h>

#include "app/screen.h"
#include "common/text.h"
#include "typing/typing_win.h"

// The width of the Tests screen's wide form, where the statistics panel shows (96 DPI).
constexpr int kTestsWideWidth = 807;

// The Tests screen as the shell's screen table holds it (exam/exam_screen_win.cpp).
extern const ScreenOps kTestsScreen;
// Its build step: the window narrow, the typing area, the sample view with the language's
// sample, the six statistics rows and the custom words table.
void Mode4_BuildScreen(int mode);
// The Tests screen's parts that the Course screen shares (exam/course_screen_win.cpp): the typing
// area with a screen's hooks, the sample view and the statistics rows; their layout for the room
// the window has, the least room they need, the wide form's size with the narrow form's height,
// the statistics panel, the fields' colours, the typing area, a reset of the typing area, the
// timers, and forgetting them as the screen goes. `valuesRight` (96 DPI, 0 for none) ends the
// statistics values there: the Tests screen's reach past its wide form, where the narrow form
// hides them. A rounded panel in the statistics' colour at `panel` (96 DPI).
void Mode4_MakeControls(const TypingAreaHooks& hooks, int valuesRight = 0);
void Mode4_PaintPanel(HDC dc, const RECT& panel);
void Mode4_LayOutControls();
int Mode4_LeastRoom();
int Mode4_WideLinkX();
SIZE Mode4_WideSize();
void Mode4_PaintStatsPanel(HDC dc);
HBRUSH Mode4_ColorStatic(HWND control, HDC dc);
HWND Mode4_TypingArea();
void Mode4_OnTypingReset();
void Mode4_OnTimer(UINT_PTR id);
void Mode4_ForgetControls();
// The window in the screen's wide form, where the statistics panel is uncovered (a completed
// test), or its narrow form, centred, the support link in its place.
void Mode4_ShowWideForm(bool wide);

// Sample texts (exam/sample_file_win.cpp)
int Mode4_LoadFile(Text16& text, const wchar_t* fileName);
void Mode4_OpenSampleFile();
// Reads the sample file at `path` (messages as Mode4_LoadFile's) and, when it can be used, makes it
// the sample and empties the typing area for it, as File, Open does; false when it cannot.
bool Mode4_OpenSample(const wchar_t* path);
// The open-file dialog of Mode4_OpenSampleFile goes through this pointer so that the window tests
// can answer it; it is GetOpenFileNameW, loaded at first use, in the program.
extern BOOL(WINAPI* g_GetOpenFileName)(LPOPENFILENAMEW);
// After a successful load: the text becomes the sample text, is shown in the sample text view
// (IDC_SAMPLE_VIEW) and is cut into the test words table.
void Mode4_UseSampleText(const Text16& text);
