// The one table of the tutor's commands: for each command, who offers it, when it may act, what
// it does and, for the items and buttons whose look follows the state, their text, image or
// check mark. The shell installs it at start; its services (app/commands_win.cpp) decide and show
// everything from it.
#include <windows.h>

#include "app/app.h"
#include "app/command_table_win.h"
#include "app/commands_win.h"
#include "app/links_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "app/toolbar_win.h"
#include "common/modes.h"
#include "course/options_win.h"
#include "exam/detailed_stats_win.h"
#include "exam/exam_screen_win.h"
#include "exam/key_practice_win.h"
#include "exam/report_win.h"
#include "exam/start_stop_win.h"
#include "keys/keys_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/word_lists.h"
#include "typing/keyboard_view_win.h"
#include "typing/keystrokes.h"

namespace {

constexpr unsigned kTests = App_ModeBit(kModeTests);
// A test is started and stopped on the Tests screen and on the Course screen, whose lessons are tests.
constexpr unsigned kTesting = kTests | App_ModeBit(kModeCourse);

bool NoTestRunning() { return g_Typing.testRunning == 0; }
bool Clearable() { return g_Ui.clearable; }
bool CustomListExists() { return App_CustomListExists(g_Settings.Language); }
// The report and the detailed statistics describe the last finished test: offered after a
// completed one until the next start. F8 then opens and closes the window as its button does.
bool LastTestShown() { return Mode4_LastTestCompleted() && NoTestRunning(); }

int OpenImage() { return IMG_OPEN; }
int ClearImage() { return IMG_CLEAR; }
int StartStopImage() { return NoTestRunning() ? IMG_START : IMG_STOP; }
int AlertImage() { return g_Settings.AlertEnabled ? IMG_ALERT_ON : IMG_ALERT_OFF; }
int StatisticsImage() { return Mode4_DetailedStatsOpen() ? IMG_STATS_OPEN : IMG_STATS_CLOSED; }
// The two items whose text offers what their command does next.
UINT StartStopText() { return NoTestRunning() ? IDS_START_TEST : IDS_STOP_TEST; }
UINT AlertText() { return g_Settings.AlertEnabled ? IDS_DISABLE_ALERT : IDS_ENABLE_ALERT; }
bool ToolbarShown() { return g_Ui.toolbarShown; }
bool StatusBarShown() { return g_Ui.statusBarShown; }

// The alert changes for this run only; Settings.xml keeps its own value.
void ToggleAlert() {
  g_Settings.AlertEnabled = g_Settings.AlertEnabled ? 0 : 1;
  App_UpdateCommands();
}
void English() { App_SwitchLanguage(1); }
void French() { App_SwitchLanguage(2); }
void Russian() { App_SwitchLanguage(3); }
void Exit() { DestroyWindow(g_App.mainWindow); }
void ToggleToolbar() { App_ToggleBar(IDM_VIEW_TOOLBAR); }
// The status bar gives or takes the screen's room.
void ToggleStatusBar() {
  App_ToggleBar(IDM_VIEW_STATUSBAR);
  App_LayOutScreen();
}
bool KeyboardShown() { return g_Settings.ShowKeyboard != 0; }
// The live keyboard shown or hidden; the choice is kept in Settings.xml at once, so that it
// outlives the run however the run ends, and the screen makes or gives back its room.
void ToggleKeyboard() {
  g_Settings.ShowKeyboard = g_Settings.ShowKeyboard ? 0 : 1;
  App_XMLWriteValue("ShowKeyboard", g_Settings.ShowKeyboard ? "1" : "0");
  App_FitMainWindow();
  App_LayOutScreen();
  App_UpdateCommands();
}
void ShowHands() { App_ShowScreen(kModeHands); }
void ShowAlternation() { App_ShowScreen(kModeAlternation); }
void ShowCustom() { App_ShowScreen(kModeCustom); }
void ShowTests() { App_ShowScreen(kModeTests); }
void ShowCourse() { App_ShowScreen(kModeCourse); }
// The dialog's changes followed: the keyboard's room given or taken, the Course screen shown
// again for new targets or a course started again.
void ShowOptions() {
  const OptionsChanged changed = Options_Show(g_App.mainWindow);
  if (changed.keyboard) {
    App_FitMainWindow();
    App_LayOutScreen();
  }
  if (changed.course && g_Settings.Mode == kModeCourse) App_ShowScreen(kModeCourse);
  App_UpdateCommands();
}

const CommandRow kCommands[] = {
    // The toolbar's buttons; the Commands menu and its keys share their work.
    {.id = IDT_OPEN, .offeredBy = kTests, .enabled = NoTestRunning, .run = Mode4_OpenSampleFile, .image = OpenImage},
    {.id = IDT_START_STOP, .offeredBy = kTesting, .run = Mode4_OnStartStopCommand, .image = StartStopImage},
    {.id = IDT_ALERT, .offeredBy = kEveryScreen, .run = ToggleAlert, .image = AlertImage},
    {.id = IDT_CLEAR, .offeredBy = kEveryScreen, .enabled = Clearable, .run = App_ClearTypingArea, .image = ClearImage},
    {.id = IDT_STATISTICS, .offeredBy = kTests, .enabled = Mode4_HasStoppedTest, .run = Mode4_OnDetailedStatsCommand,
     .image = StatisticsImage},
    // File
    {.id = IDM_OPEN, .offeredBy = kTests, .run = Mode4_OpenSampleFile},
    {.id = IDM_EXIT, .offeredBy = kEveryScreen, .run = Exit},
    // View
    {.id = IDM_VIEW_TOOLBAR, .offeredBy = kEveryScreen, .run = ToggleToolbar, .checked = ToolbarShown},
    {.id = IDM_VIEW_STATUSBAR, .offeredBy = kEveryScreen, .run = ToggleStatusBar, .checked = StatusBarShown},
    {.id = IDM_VIEW_KEYBOARD, .offeredBy = kEveryScreen, .run = ToggleKeyboard, .checked = KeyboardShown},
    {.id = IDM_OPTIONS, .offeredBy = kEveryScreen, .run = ShowOptions},
    {.id = IDM_LANG_ENGLISH, .offeredBy = kEveryScreen, .run = English},
    {.id = IDM_LANG_FRENCH, .offeredBy = kEveryScreen, .run = French},
    {.id = IDM_LANG_RUSSIAN, .offeredBy = kEveryScreen, .run = Russian},
    // Modes: each is offered everywhere but on its own screen.
    {.id = IDM_MODE_HANDS, .offeredBy = App_AllBut(kModeHands), .run = ShowHands},
    {.id = IDM_MODE_ALTERNATION, .offeredBy = App_AllBut(kModeAlternation), .run = ShowAlternation},
    {.id = IDM_MODE_CUSTOM, .offeredBy = App_AllBut(kModeCustom), .enabled = CustomListExists, .run = ShowCustom},
    {.id = IDM_MODE_TESTS, .offeredBy = App_AllBut(kModeTests), .run = ShowTests},
    {.id = IDM_MODE_COURSE, .offeredBy = App_AllBut(kModeCourse), .run = ShowCourse},
    // Commands
    {.id = IDM_START_TEST, .offeredBy = kTesting, .run = Mode4_OnStartStopCommand, .text = StartStopText},
    {.id = IDM_SOUND_ALERT, .offeredBy = kEveryScreen, .run = ToggleAlert, .text = AlertText},
    {.id = IDM_CLEAR, .offeredBy = kEveryScreen, .enabled = Clearable, .run = App_ClearTypingArea},
    {.id = IDM_DETAILED_STATS, .offeredBy = kTests, .enabled = LastTestShown, .run = Mode4_OnDetailedStatsCommand},
    {.id = IDM_HTML_REPORT, .offeredBy = kTests, .enabled = LastTestShown, .run = Mode4_CreateHtmlReport},
    {.id = IDM_PRACTICE_WEAK_KEYS, .offeredBy = kTests, .run = Mode4_PractiseWeakKeys},
    // Help, and the support link the toolbar passes on.
    {.id = IDM_ABOUT, .offeredBy = kEveryScreen, .run = App_ShowAboutBox, .keysOnlyInMainWindow = true},
    {.id = IDM_KEYBOARD_LAYOUT, .offeredBy = kEveryScreen, .run = App_ShowKeyboardPage},
    {.id = IDM_ONLINE_HELP, .offeredBy = kEveryScreen, .run = App_OpenOnlineHelp},
    {.id = IDM_WEB_SITE, .offeredBy = kEveryScreen, .run = App_OpenMakerSite},
    {.id = IDC_SUPPORT_LINK, .offeredBy = kEveryScreen, .run = App_OpenMakerSite},
};

}  // namespace

void App_InstallCommands() { App_SetCommands({kCommands, sizeof kCommands / sizeof kCommands[0]}); }
