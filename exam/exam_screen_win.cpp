// The Tests screen: typing area, sample text view and the twelve statistics fields.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
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

HWND CreateChild(const wchar_t* cls, DWORD style, int x, int y, int w, int h, int id) {
  return CreateWindowExW(0, cls, L"", style, x, y, w, h, g_App.mainWindow,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
}

void SetFont(HWND control) {
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_TypingScreen.font), TRUE);
}

// The value column stands after the widest of the six labels in the current language, a few
// pixels beyond its closing blank: at x 700 where every label fits before it (English), further
// right where one does not.
const TypingAreaHooks kTypingHooks = {nullptr, nullptr, Mode4_ShowTestStart, Mode4_ShowTestCompleted, nullptr};

int ValueColumnX() {
  HDC dc = GetDC(g_App.mainWindow);
  if (!dc) return kValueX;
  HGDIOBJ previous = SelectObject(dc, g_TypingScreen.font);
  int widest = 0;
  for (uint16_t id : kFigureLabelIds) {
    const wchar_t* label = App_LoadString(id, g_Settings.Language);
    SIZE size = {};
    if (label && GetTextExtentPoint32W(dc, label, lstrlenW(label), &size) && size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, previous);
  ReleaseDC(g_App.mainWindow, dc);
  const int after = kLabelX + widest + kLabelGap;
  return after > kValueX ? after : kValueX;
}

}  // namespace

void Mode4_BuildScreen(int) {
  App_ExpandWindow(0);

  // The previous Tests font is used by no control any more.
  if (g_TypingScreen.font) DeleteObject(g_TypingScreen.font);
  g_TypingScreen.font = App_MakeFont(L"Arial", 16);

  g_TypingScreen.typingArea = CreateChild(L"EDIT", kEditStyle, kAreaX, kTypingY, kAreaWidth, kAreaHeight, IDC_TYPING_AREA);
  SetFont(g_TypingScreen.typingArea);
  App_SubclassTypingArea(g_TypingScreen.typingArea, kTypingHooks);
  g_TypingScreen.sampleView = CreateChild(L"EDIT", kSampleViewStyle, kAreaX, kSampleY, kAreaWidth, kAreaHeight, IDC_SAMPLE_VIEW);
  SetFont(g_TypingScreen.sampleView);

  // A default file that cannot be used leaves the view empty and keeps the earlier sample text
  // and test words.
  Text16 text;
  if (Mode4_LoadFile(text, nullptr)) Mode4_UseSampleText(text);

  const int valueX = ValueColumnX();
  for (int row = 0; row < kFigureRows; ++row) {
    const int y = kRowTop + kRowHeight * row;
    g_TypingScreen.labels[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, kLabelX, y, kFieldWidth, kRowHeight, 0);
    SetFont(g_TypingScreen.labels[row]);
    g_TypingScreen.values[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, valueX, y, kFieldWidth, kRowHeight, 0);
    SetFont(g_TypingScreen.values[row]);
  }

  g_Words.customWords.clear();
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
  RoundRect(dc, kStatsPanel.left, kStatsPanel.top, kStatsPanel.right, kStatsPanel.bottom, kStatsPanelCorner,
            kStatsPanelCorner);
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
    Mode4_OnTypingChanged, OnTypingReset, OnTimer,
};
