#pragma once
// TraceFile.txt: one dated line per traced step, appended while Debug is on.
#include <string>

#include "common/clock.h"

using TraceTime = LocalTime;

struct TraceState {
  TraceTime (*now)() = nullptr;  // the machine's local clock when null; tests replace it
};

extern TraceState g_Trace;

// "MM/DD/YYYY,HH:MM:SS: message\r\n"
std::string App_FormatTraceLine(const TraceTime& time, const char* message);
// Appends one line for the current local time. Writes nothing while the trace switch is off.
void App_WriteTrace(const char* message);
// Trace point helper: App_WriteTrace when the switch is on.
void App_Trace(const char* message);
