// Program-wide window state of the tutor.
#include "app/app.h"
#include "typing/typing_win.h"

AppWindows g_App;
TypingScreen g_TypingScreen;
