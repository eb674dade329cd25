// The HTML report of the Tests screen (command IDM_HTML_REPORT, F9): the six statistics rows as shown,
// labelled in the interface language, with the date and time of the moment, written to
// Report.htm in the data folder with the safe writer and opened in the default browser through
// the shell's "open" verb.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "app/strings_win.h"
#include "common/web_addresses.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "common/files.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/history_win.h"
#include "keys/keys_win.h"
#include "exam/report.h"
#include "exam/report_win.h"
#include "exam/start_stop_win.h"
#include "typing/figures.h"
#include "typing/typing_win.h"

namespace {

constexpr char kReportFile[] = "\\Report.htm";

}  // namespace

void Mode4_FormatReportDateTime(int language, std::string& date, Text16& weekday, std::string& time) {
  SYSTEMTIME now = {};
  g_GetLocalTime(&now);
  const ReportTime moment = {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute};
  const unsigned weekdayId = Mode4_WeekdayStringId(moment.dayOfWeek);
  weekday = weekdayId ? App_StringText(weekdayId, language) : Text16();
  date = Mode4_ReportDate(moment, language);
  time = Mode4_ReportClock(moment);
}

void Mode4_CreateHtmlReport() {
  App_Trace("Mode4_CreateHtmlReport Entered");
  const int language = g_Settings.Language;

  ReportTexts texts;
  texts.heading = App_StringText(IDS_TEST_REPORT, language);
  texts.measureHeading = App_StringText(IDS_MESURE, language);
  texts.valueHeading = App_StringText(IDS_VALUE, language);
  for (int row = 0; row < kFigureRows; ++row) {
    texts.labels[row] = App_StringText(kFigureLabelIds[row], language);
    texts.values[row] = Mode4_ShownValue(row);
  }
  std::string date, time;
  Mode4_FormatReportDateTime(language, date, texts.weekday, time);

  App_WritePageAndOpen(Dir_DataFile(kReportFile),
                       Mode4_BuildHtmlReport(texts, date, time, kMakerSite,
                                             Mode4_ProgressSection(language) + Mode4_KeySection(language)));

  App_Trace("Mode4_CreateHtmlReport Exited");
}
