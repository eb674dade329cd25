// Program-wide window state of the tutor.
#include "app/app.h"

AppWindows g_App;
TypingScreen g_TypingScreen;
