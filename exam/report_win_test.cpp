// The HTML report on the tutor's real window: the page written from the statistics fields in the
// three languages for a fixed moment, the page opened through the shell, the trace lines, the F9
// key from the main window and from the typing area, and folders where the report cannot be
// written.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/screens_win.h"
#include "app/main_window_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "testing/window_test_support.h"
#include "keys/keys_win.h"
#include "exam/report_win.h"
#include "typing/typing_win.h"

namespace {

struct ViewerStart {
  std::wstring verb, file;
  INT show;
  std::string fileAtStart;  // the opened file as it stood when the page was opened
};
std::vector<ViewerStart> g_Viewers;
SYSTEMTIME g_Clock = {};

HINSTANCE WINAPI RecordViewer(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT show) {
  g_Viewers.push_back({verb ? verb : L"", file ? file : L"", show, kftest::ReadBytes(file ? file : L"")});
  return reinterpret_cast<HINSTANCE>(33);  // above 32: opened
}

void WINAPI FixedLocalTime(LPSYSTEMTIME time) { *time = g_Clock; }

// wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds
constexpr SYSTEMTIME kSaturdayEvening = {2026, 12, 6, 5, 21, 23, 41, 500};
constexpr SYSTEMTIME kEarlyMorning = {2009, 1, 6, 3, 0, 5, 0, 0};

TraceTime FixedTraceTime() { return {2026, 12, 5, 21, 23, 41}; }

const std::string kHead =
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv='content-type' content='text/html; charset=utf-8'>\r\n"
    "</head>\r\n"
    "<body>\r\n";
// The end of the page: the rule under the table, the progress section of a folder without
// History.csv, and the footer.
// The end of a report with no test in History.csv and none in Keys.csv: the progress section,
// then the key section of the language in force as the key section's own tests pin it.
std::string Foot(const std::string& progress, const std::string& noTests) {
  return "</table><br><hr>"
         "\r\n<h3 align='center'>" + progress + "</h3>\r\n<p align='center'>" + noTests + "</p>\r\n<hr>" +
         Mode4_KeySection(g_Settings.Language) +
         "<p align='center'><a href='https://www.velmora.example/'>https://www.velmora.example/</a></p>\r\n"
         "</body></html>";
}

// The figures of one finished test as the statistics fields show them.
const wchar_t* const kFigures[6] = {L"0.52", L"412.50", L"213", L"38", L"73.08", L"4"};

class ReportTest : public kftest::MainWindowTest {
 protected:
  void SetUp() override {
    kftest::MainWindowTest::SetUp();
    g_Viewers.clear();
    g_Clock = kSaturdayEvening;
    g_ShellExecute = RecordViewer;
    g_GetLocalTime = FixedLocalTime;
  }
  void TearDown() override {
    g_ShellExecute = ShellExecuteW;
    g_GetLocalTime = GetLocalTime;
    g_Settings.Debug = 0;
    g_Trace.now = nullptr;
    kftest::MainWindowTest::TearDown();
  }

  // The six figures of a stop, as the Tests screen shows them; `changed` replaces some.
  static void ShowFigures(const std::vector<std::pair<int, std::wstring>>& changed = {}) {
    TestFigures figures;
    figures.rows = 6;
    for (int row = 0; row < 6; ++row) figures.values[row] = T16(kFigures[row]);
    for (const auto& change : changed) figures.values[change.first] = T16(change.second.c_str());
    Mode4_ShowFigures(figures);
  }
  // The HTML Report command as a finished test leaves it: enabled.
  static void MakeReport() {
    g_Tests.lastCompleted = true;
    App_UpdateCommands();
    kftest::Command(IDM_HTML_REPORT);
  }
  std::wstring Path(const wchar_t* name) const { return dir_ + L"\\" + name; }
  std::string Report() const { return kftest::ReadBytes(Path(L"Report.htm")); }
  bool Exists(const wchar_t* name) const { return GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES; }


  // The page opened once, by its full path, with the shell's "open" verb.
  void ExpectOneViewer() const {
    ASSERT_EQ(g_Viewers.size(), 1u);
    EXPECT_EQ(g_Viewers[0].verb, L"open");
    EXPECT_EQ(g_Viewers[0].file, Path(L"Report.htm"));
    EXPECT_EQ(g_Viewers[0].show, SW_SHOWNORMAL);
  }

  // One message box over the main window that names Report.htm and gives a reason after it, in
  // the interface language.
  void ExpectWriteFailureMessage() const {
    ASSERT_EQ(kftest::g_ShownMessages.size(), 1u);
    const kftest::ShownMessage& shown = kftest::g_ShownMessages[0];
    EXPECT_EQ(shown.owner, g_App.mainWindow);
    const std::wstring opening = App_LoadString(IDS_WRITE_FAILED, g_Settings.Language);
    const std::wstring path = Path(L"Report.htm");
    EXPECT_EQ(shown.text.compare(0, opening.size(), opening), 0);
    const size_t at = shown.text.find(path);
    ASSERT_NE(at, std::wstring::npos);
    EXPECT_GT(shown.text.size(), at + path.size() + 4);  // the system's reason follows
    EXPECT_TRUE(shown.type & MB_ICONWARNING);
  }
};

// ---- the page in each language ----

TEST_F(ReportTest, EnglishReportByteForByte) {
  OpenMainWindow(4, 1);
  ShowFigures();
  MakeReport();
  const std::string expected = kHead +
                               "<h3 align='center'>Test Report</h3>\r\n"
                               "<hr><p align='center'>12/05/26, Saturday, 21:23</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Measure</td><td>Value</td></tr>\r\n"
                               "<tr><td>Time spent (min): </td><td>0.52</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>412.50</td></tr>\r\n"
                               "<tr><td>Characters: </td><td>213</td></tr>\r\n"
                               "<tr><td>Words typed: </td><td>38</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>73.08</td></tr>\r\n"
                               "<tr><td>Total errors count: </td><td>4</td></tr>\r\n" +
                               Foot("Progress: English", "No test in this language in History.csv yet.");
  EXPECT_EQ(Report(), expected);
  ExpectOneViewer();
  // The viewer is started once the whole report is on disk.
  EXPECT_EQ(g_Viewers[0].fileAtStart, expected);
  EXPECT_FALSE(Exists(L"Report.htm.tmp"));
}

TEST_F(ReportTest, FrenchReportByteForByte) {
  OpenMainWindow(4, 2);
  ShowFigures();
  MakeReport();
  const std::string expected = kHead +
                               "<h3 align='center'>Rapport du test</h3>\r\n"
                               "<hr><p align='center'>05/12/26, samedi, 21:23</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Mesure</td><td>Valeur</td></tr>\r\n"
                               "<tr><td>Temps pass\xC3\xA9 (min): </td><td>0.52</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>412.50</td></tr>\r\n"
                               "<tr><td>Caract\xC3\xA8res: </td><td>213</td></tr>\r\n"
                               "<tr><td>Mots typ\xC3\xA9s: </td><td>38</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>73.08</td></tr>\r\n"
                               "<tr><td>Compte d'erreurs: </td><td>4</td></tr>\r\n" +
                               Foot("Progression: Français", "Aucun test dans cette langue dans History.csv.");
  EXPECT_EQ(Report(), expected);
  ExpectOneViewer();
}

TEST_F(ReportTest, RussianReportByteForByte) {
  OpenMainWindow(4, 3);
  ShowFigures();
  g_Clock = kEarlyMorning;
  MakeReport();
  const std::string expected = kHead +
                               "<h3 align='center'>Результаты теста</h3>\r\n"
                               "<hr><p align='center'>03/01/09, суббота, 00:05</p>\r\n"
                               "<table align='center' border = '1'><tr><td>Показатель</td><td>Значение</td></tr>\r\n"
                               "<tr><td>Время теста (мин): </td><td>0.52</td></tr>\r\n"
                               "<tr><td>CPM: </td><td>412.50</td></tr>\r\n"
                               "<tr><td>Знаков набрано: </td><td>213</td></tr>\r\n"
                               "<tr><td>Слов набрано: </td><td>38</td></tr>\r\n"
                               "<tr><td>WPM: </td><td>73.08</td></tr>\r\n"
                               "<tr><td>Кол-во ошибок: </td><td>4</td></tr>\r\n" +
                               Foot("Прогресс: Русский", "В History.csv ещё нет тестов на этом языке.");
  const std::string report = Report();
  EXPECT_EQ(report, expected);
  // UTF-8 without a byte-order mark: "Р" is D0 A0.
  EXPECT_EQ(report.compare(0, 6, "<html>"), 0);
  EXPECT_NE(report.find("<h3 align='center'>\xD0\xA0"), std::string::npos);
  ExpectOneViewer();
}

TEST_F(ReportTest, WeekdayNamesOfEveryDayInEveryLanguage) {
  OpenMainWindow(4, 1);
  const wchar_t* names[3][7] = {
      {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"},
      {L"dimanche", L"lundi", L"mardi", L"mercredi", L"jeudi", L"vendredi", L"samedi"},
      {L"воскресенье", L"понедельник", L"вторник", L"среда", L"четверг", L"пятница", L"суббота"}};
  for (int language = 1; language <= 3; ++language) {
    for (WORD day = 0; day < 7; ++day) {
      SCOPED_TRACE(testing::Message() << "language " << language << ", day " << day);
      g_Clock = kSaturdayEvening;
      g_Clock.wDayOfWeek = day;
      g_Clock.wDay = static_cast<WORD>(day + 6);  // 6 December 2026 is a Sunday
      std::string date, time;
      Text16 weekday;
      Mode4_FormatReportDateTime(language, date, weekday, time);
      EXPECT_EQ(kftest::Wide(weekday), names[language - 1][day]);
      const std::string dd = (day + 6 < 10 ? "0" : "") + std::to_string(day + 6);
      EXPECT_EQ(date, language == 1 ? "12/" + dd + "/26" : dd + "/12/26");
      EXPECT_EQ(time, "21:23");
    }
  }
}

TEST_F(ReportTest, LanguageSwitchRelabelsTheNextReport) {
  OpenMainWindow(4, 1);
  kftest::Command(IDM_LANG_FRENCH);  // rebuilds the Tests screen: empty fields
  ASSERT_EQ(g_Settings.Language, 2);
  MakeReport();
  const std::string report = Report();
  EXPECT_NE(report.find("<h3 align='center'>Rapport du test</h3>"), std::string::npos);
  EXPECT_NE(report.find("05/12/26, samedi, 21:23"), std::string::npos);
}

// ---- what the report reads ----

TEST_F(ReportTest, BeforeAnyTestEveryValueCellIsEmpty) {
  OpenMainWindow(4, 1);
  MakeReport();
  EXPECT_NE(Report().find("<tr><td>Time spent (min): </td><td></td></tr>\r\n"
                          "<tr><td>CPM: </td><td></td></tr>\r\n"
                          "<tr><td>Characters: </td><td></td></tr>\r\n"
                          "<tr><td>Words typed: </td><td></td></tr>\r\n"
                          "<tr><td>WPM: </td><td></td></tr>\r\n"
                          "<tr><td>Total errors count: </td><td></td></tr>\r\n</table>"),
            std::string::npos);
  ExpectOneViewer();
}

TEST_F(ReportTest, FieldsAreReadAsTheyStandWithinHundredUnits) {
  OpenMainWindow(4, 1);
  ShowFigures({{0, std::wstring(150, L'9')}, {1, L"inf"}, {5, L"<b>1</b> & 2"}, {3, L"сорок"}});
  MakeReport();
  const std::string report = Report();
  EXPECT_NE(report.find("<td>Time spent (min): </td><td>" + std::string(99, '9') + "</td>"), std::string::npos);
  EXPECT_NE(report.find("<td>CPM: </td><td>inf</td>"), std::string::npos);
  EXPECT_NE(report.find("<td>Words typed: </td><td>сорок</td>"), std::string::npos);
  EXPECT_NE(report.find("<td>Total errors count: </td><td>&lt;b&gt;1&lt;/b&gt; &amp; 2</td>"), std::string::npos);
  EXPECT_EQ(report.find("<b>"), std::string::npos);
}

TEST_F(ReportTest, WithoutATestsScreenTheValueCellsAreEmpty) {
  OpenMainWindow(4, 1);
  ShowFigures();
  App_DestroyScreenControls();  // as another mode's screen does
  MakeReport();
  const std::string report = Report();
  EXPECT_NE(report.find("<tr><td>Time spent (min): </td><td></td></tr>"), std::string::npos);
  EXPECT_EQ(report.find("412.50"), std::string::npos);
  ExpectOneViewer();
}

TEST_F(ReportTest, AnOldReportIsReplacedWhole) {
  OpenMainWindow(4, 1);
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Report.htm"), std::string(6000, '#')));
  ShowFigures();
  MakeReport();
  const std::string report = Report();
  EXPECT_EQ(report.compare(0, 6, "<html>"), 0);
  EXPECT_EQ(report.find("######"), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 14), "</body></html>");
}

// ---- the footer link ----

std::wstring g_OpenedSite;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
  g_OpenedSite = file ? file : L"";
  return reinterpret_cast<HINSTANCE>(33);
}

TEST_F(ReportTest, FooterLinksToThePageTheSiteCommandOpens) {
  OpenMainWindow(4, 1);
  g_ShellExecute = RecordShellExecute;
  g_OpenedSite.clear();
  kftest::Command(IDM_WEB_SITE);
  g_ShellExecute = RecordViewer;
  ASSERT_FALSE(g_OpenedSite.empty());
  MakeReport();
  const std::string site(g_OpenedSite.begin(), g_OpenedSite.end());  // an ASCII address
  EXPECT_NE(Report().find("<a href='" + site + "'>"), std::string::npos) << "the site opens " << site;
}

// ---- trace lines ----

TEST_F(ReportTest, TracedWhenTheSwitchIsOn) {
  OpenMainWindow(4, 1);
  DeleteFileW(Path(L"TraceFile.txt").c_str());
  g_Trace.now = FixedTraceTime;
  g_Settings.Debug = 1;
  MakeReport();
  EXPECT_EQ(kftest::ReadBytes(Path(L"TraceFile.txt")),
            "12/05/2026,21:23:41: Mode4_CreateHtmlReport Entered\r\n"
            "12/05/2026,21:23:41: Mode4_CreateHtmlReport Exited\r\n");

  // Also when the report cannot be written.
  DeleteFileW(Path(L"TraceFile.txt").c_str());
  DeleteFileW(Path(L"Report.htm").c_str());
  ASSERT_TRUE(CreateDirectoryW(Path(L"Report.htm").c_str(), nullptr));
  MakeReport();
  EXPECT_EQ(kftest::ReadBytes(Path(L"TraceFile.txt")),
            "12/05/2026,21:23:41: Mode4_CreateHtmlReport Entered\r\n"
            "12/05/2026,21:23:41: Mode4_CreateHtmlReport Exited\r\n");

  g_Settings.Debug = 0;
  DeleteFileW(Path(L"TraceFile.txt").c_str());
  MakeReport();
  EXPECT_FALSE(Exists(L"TraceFile.txt"));
}

// ---- the F9 key ----

// F9 follows the HTML Report item whether the main window or the typing area has the focus: while
// it is greyed (no completed test since the screen was built) nothing is written or opened.
TEST_F(ReportTest, F9FollowsTheMenuItemFromTheMainWindowAndTheTypingArea) {
  OpenMainWindow(4, 1);
  ShowFigures();
  ASSERT_TRUE(kftest::Grayed(IDM_HTML_REPORT));
  ASSERT_NE(g_TypingScreen.typingArea, nullptr);
  kftest::PressKey(g_App.mainWindow, VK_F9);
  kftest::PressKey(g_TypingScreen.typingArea, VK_F9);
  EXPECT_TRUE(g_Viewers.empty());
  EXPECT_FALSE(Exists(L"Report.htm"));

  g_Tests.lastCompleted = true;
  App_UpdateCommands();
  kftest::PressKey(g_TypingScreen.typingArea, VK_F9);
  ExpectOneViewer();
  EXPECT_NE(Report().find("<td>CPM: </td><td>412.50</td>"), std::string::npos);
  EXPECT_EQ(GetWindowTextLengthW(g_TypingScreen.typingArea), 0);  // the key typed nothing
  kftest::PressKey(g_App.mainWindow, VK_F9);
  EXPECT_EQ(g_Viewers.size(), 2u);
}

// ---- folders where the report cannot be written: the old report stays, nothing is opened,
// and a message box says which file and why ----

TEST_F(ReportTest, AReportThatCannotBeReplacedStartsNoViewer) {
  OpenMainWindow(4, 1);
  ShowFigures();
  ASSERT_TRUE(CreateDirectoryW(Path(L"Report.htm").c_str(), nullptr));  // in the way
  MakeReport();
  EXPECT_TRUE(g_Viewers.empty());
  EXPECT_FALSE(Exists(L"Report.htm.tmp"));
  ExpectWriteFailureMessage();
}

TEST_F(ReportTest, ATemporaryFileThatCannotBeMadeKeepsTheOldReport) {
  OpenMainWindow(4, 1);
  ShowFigures();
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Report.htm"), "old report"));
  ASSERT_TRUE(CreateDirectoryW(Path(L"Report.htm.tmp").c_str(), nullptr));
  MakeReport();
  EXPECT_TRUE(g_Viewers.empty());
  EXPECT_EQ(Report(), "old report");
  ExpectWriteFailureMessage();
}

// Windows refuses to replace a read-only file and Wine would replace it: the tutor never does,
// and says so in the interface language.
TEST_F(ReportTest, AReadOnlyReportKeepsItsBytesAndAttributeAndTheUserIsTold) {
  OpenMainWindow(4, 2);
  ShowFigures();
  ASSERT_TRUE(kftest::WriteBytes(Path(L"Report.htm"), "old report"));
  ASSERT_TRUE(SetFileAttributesW(Path(L"Report.htm").c_str(), FILE_ATTRIBUTE_READONLY));
  MakeReport();
  const DWORD attributes = GetFileAttributesW(Path(L"Report.htm").c_str());
  SetFileAttributesW(Path(L"Report.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Report(), "old report");
  EXPECT_TRUE(g_Viewers.empty());
  EXPECT_FALSE(Exists(L"Report.htm.tmp"));
  ExpectWriteFailureMessage();
  EXPECT_EQ(kftest::g_ShownMessages[0].text.find(L"The file"), std::wstring::npos);  // French, not English
}

TEST_F(ReportTest, AMissingDataFolderStartsNoViewer) {
  OpenMainWindow(4, 1);
  ShowFigures();
  // A data folder that has gone (or cannot be written): a folder of the scratch folder taken as
  // the data folder and then removed under the program where the system allows it.
  const std::wstring gone = Path(L"gone");
  ASSERT_TRUE(CreateDirectoryW(gone.c_str(), nullptr));
  const std::string data = Dir_Data();
  Dir_SetData(Text_ToUtf8(T16(gone.c_str())));
  const bool removed = RemoveDirectoryW(gone.c_str()) != FALSE;
  MakeReport();
  Dir_SetData(data);
  if (removed) {
    EXPECT_TRUE(g_Viewers.empty());
    EXPECT_EQ(kftest::g_ShownMessages.size(), 1u);
  } else {
    // The system keeps a current directory alive: the report is written there as usual.
    EXPECT_EQ(g_Viewers.size(), 1u);
    EXPECT_TRUE(kftest::g_ShownMessages.empty());
  }
}

}  // namespace
