// The Tests screen: typing area, sample text view and the twelve statistics fields.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/dpi.h"
#include "app/screen.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "common/modes.h"
#include "exam/detailed_stats_win.h"
#include "exam/exam_screen_win.h"
#include "exam/key_practice_win.h"
#include "exam/report_win.h"
#include "exam/sample_view_win.h"
#include "exam/start_stop_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/word_lists.h"
#include "typing/figures.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace {

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
// The sample view shows its selection, the next character to type, while the typing area has the
// focus; the style cannot be added once the control exists.
constexpr DWORD kSampleViewStyle = kEditStyle | ES_NOHIDESEL;
constexpr int kAreaX = 25, kTypingY = 60, kSampleY = 395, kAreaWidth = 500, kAreaHeight = 320;
constexpr int kLabelX = 575, kValueX = 700, kRowTop = 150, kRowHeight = 20, kFieldWidth = 200;
constexpr int kLabelGap = 4;  // between a label's closing blank and its value
// The rounded statistics panel painted behind the statistics fields.
constexpr RECT kStatsPanel = {555, 120, 770, 305};
constexpr int kStatsPanelCorner = 40;

// Made without a size: LayOut places it.
HWND CreateChild(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, g_App.mainWindow,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
}

// The value column stands after the widest of the six labels in the current language, a few
// pixels beyond its closing blank: at x 700 where every label fits before it (English), further
// right where one does not.
const TypingAreaHooks kTypingHooks = {nullptr, nullptr, Mode4_ShowTestStart, Mode4_ShowTestCompleted, nullptr};

int ValueColumnX() {
  const int valueX = App_Scale(g_App.mainWindow, kValueX);
  HDC dc = GetDC(g_App.mainWindow);
  if (!dc) return valueX;
  HGDIOBJ previous = SelectObject(dc, g_TypingScreen.font);
  int widest = 0;
  for (uint16_t id : kFigureLabelIds) {
    const wchar_t* label = App_LoadString(id, g_Settings.Language);
    SIZE size = {};
    if (label && GetTextExtentPoint32W(dc, label, lstrlenW(label), &size) && size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, previous);
  ReleaseDC(g_App.mainWindow, dc);
  // In pixels at the window's DPI, as the labels' widths are.
  const int after = App_Scale(g_App.mainWindow, kLabelX) + widest + App_Scale(g_App.mainWindow, kLabelGap);
  return after > valueX ? after : valueX;
}

// The controls at the window's DPI with the screen's font made for it.
void LayOut() {
  HFONT previous = g_TypingScreen.font;
  g_TypingScreen.font = App_MakeTextFont(g_App.mainWindow, 16);
  App_PlaceControl(g_TypingScreen.typingArea, kAreaX, kTypingY, kAreaWidth, kAreaHeight, g_TypingScreen.font);
  App_PlaceControl(g_TypingScreen.sampleView, kAreaX, kSampleY, kAreaWidth, kAreaHeight, g_TypingScreen.font);
  const int valueX = ValueColumnX();
  for (int row = 0; row < kFigureRows; ++row) {
    const int y = kRowTop + kRowHeight * row;
    App_PlaceControl(g_TypingScreen.labels[row], kLabelX, y, kFieldWidth, kRowHeight, g_TypingScreen.font);
    // The value column is found in pixels; its row and size are 96-DPI figures.
    if (HWND value = g_TypingScreen.values[row]) {
      HWND window = g_App.mainWindow;
      MoveWindow(value, valueX, App_Scale(window, y), App_Scale(window, kFieldWidth), App_Scale(window, kRowHeight),
                 TRUE);
      SendMessageW(value, WM_SETFONT, reinterpret_cast<WPARAM>(g_TypingScreen.font), TRUE);
    }
  }
  // The previous Tests font is used by no control any more.
  if (previous) DeleteObject(previous);
}

}  // namespace

void Mode4_BuildScreen(int) {
  App_ExpandWindow(0);

  g_TypingScreen.typingArea = CreateChild(L"EDIT", kEditStyle, IDC_TYPING_AREA);
  App_SubclassTypingArea(g_TypingScreen.typingArea, kTypingHooks);
  g_TypingScreen.sampleView = CreateChild(L"EDIT", kSampleViewStyle, IDC_SAMPLE_VIEW);
  for (int row = 0; row < kFigureRows; ++row) {
    g_TypingScreen.labels[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, 0);
    g_TypingScreen.values[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, 0);
  }
  LayOut();

  // A default file that cannot be used leaves the view empty and keeps the earlier sample text
  // and test words.
  Text16 text;
  if (Mode4_LoadFile(text, nullptr)) Mode4_UseSampleText(text);

  Mode4_LoadCustomWords(g_Settings.Language);
}

namespace {

void ForgetScreen() {
  // A test does not outlive its screen.
  Mode4_AbandonTest();
  HFONT font = g_TypingScreen.font;
  g_TypingScreen = TypingScreen();
  g_TypingScreen.font = font;  // deleted by the next Tests screen once no control uses it
  // The last test's live figures go with its screen; a running test's come back with the timer.
  Mode4_ClearLiveFigures();
}

HWND TypingArea() { return g_TypingScreen.typingArea; }

// The rounded statistics panel behind the statistics fields.
void PaintPanel(HDC dc) {
  HBRUSH panel = CreateSolidBrush(g_Settings.BS_BackgroundColor);
  HGDIOBJ previous = SelectObject(dc, panel);
  HWND window = g_App.mainWindow;
  RoundRect(dc, App_Scale(window, kStatsPanel.left), App_Scale(window, kStatsPanel.top),
            App_Scale(window, kStatsPanel.right), App_Scale(window, kStatsPanel.bottom),
            App_Scale(window, kStatsPanelCorner), App_Scale(window, kStatsPanelCorner));
  SelectObject(dc, previous);
  DeleteObject(panel);
}

// The statistics fields let the painted panel show through.
HBRUSH ColorStatic(HWND control, HDC dc) {
  for (int row = 0; row < kFigureRows; ++row) {
    if (control && (control == g_TypingScreen.labels[row] || control == g_TypingScreen.values[row])) {
      SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
  }
  return nullptr;
}

// Clear and a language switch empty the typing area: a running test is left.
void OnTypingReset() {
  Mode4_AbandonTest();
  Mode4_FollowTyping();
}

void OnTimer(UINT_PTR id) {
  if (id == ID_TIMER_LIVE_FIGURES) Mode4_OnLiveFiguresTimer();
  else if (id == ID_TIMER_SAMPLE_FOLLOW) Mode4_OnFollowTimer();
}

const ScreenCommand kCommands[] = {
    {IDT_OPEN, Mode4_OpenSampleFile},
    {IDM_OPEN, Mode4_OpenSampleFile},
    {IDT_START_STOP, Mode4_OnStartStopCommand},
    {IDM_START_TEST, Mode4_OnStartStopCommand},
    {IDT_STATISTICS, Mode4_OnDetailedStatsCommand},
    {IDM_DETAILED_STATS, Mode4_OnDetailedStatsCommand},
    {IDM_HTML_REPORT, Mode4_CreateHtmlReport},
    {IDM_PRACTICE_WEAK_KEYS, Mode4_PractiseWeakKeys},
};

}  // namespace

const ScreenOps kTestsScreen = {
    kModeTests, Mode4_BuildScreen, nullptr, Mode4_LocalizeDetailedStats, false, ForgetScreen, TypingArea,
    kCommands,  sizeof kCommands / sizeof kCommands[0], PaintPanel, ColorStatic, nullptr,
    Mode4_OnTypingChanged, OnTypingReset, OnTimer, LayOut,
};
