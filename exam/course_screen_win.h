#pragma once
// The Course screen (mode 5): a lesson of the course typed as a test on the Tests screen's texts,
// its figures in the statistics panel, the course's progress under them, and the live keyboard
// showing the keys taught, the focus key and each key's confidence.
#include "app/screen.h"

extern const ScreenOps kCourseScreen;
