#pragma once
// The HTML report of the Tests screen.
#include <windows.h>

#include <string>

#include "common/text.h"

// HTML report (exam/report_win.cpp): command IDM_HTML_REPORT, F9. Writes Report.htm in the data
// folder from the statistics rows as shown, with the clock of g_GetLocalTime, and opens it with
// g_ShellExecute's "open" verb; a report that could not be written is not opened, and a message
// box says which file and why.
void Mode4_CreateHtmlReport();
// The date ("MM/DD/YY" in English, "DD/MM/YY" in French and Russian), the weekday name of
// `language` and the time ("HH:MM") of the local clock.
void Mode4_FormatReportDateTime(int language, std::string& date, Text16& weekday, std::string& time);
