// Program-wide window state of the tutor.
#include "app/app.h"

AppWindows g_App;
Mode4Screen g_Mode4;
