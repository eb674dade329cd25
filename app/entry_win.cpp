#include <tchar.h>
#include "app/app.h"

int WINAPI _tWinMain(HINSTANCE, HINSTANCE, LPTSTR, int) { return 0; }
