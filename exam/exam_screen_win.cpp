// The Tests screen: typing area, sample text view and the twelve statistics fields.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "common/fit.h"
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
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace {

// The sample view shows its selection, the next character to type, while the typing area has the
// focus; the style cannot be added once the control exists.
constexpr DWORD kSampleViewStyle = kTypingAreaStyle | ES_NOHIDESEL;
constexpr int kAreaX = 25, kTypingY = 60, kSampleY = 395, kAreaWidth = 500, kAreaHeight = 320;
// The least the texts are given on a small display: three lines to type in, five of the sample.
constexpr int kTypingLeast = 64, kSampleLeast = 100;
constexpr int kBottomMargin = 10;
constexpr int kLabelX = 575, kValueX = 700, kRowTop = 150, kRowHeight = 20, kFieldWidth = 200;
constexpr int kLabelGap = 2;  // between a label's closing blank and its value
// The rounded statistics panel painted behind the statistics fields.
constexpr RECT kStatsPanel = {555, 120, 770, 305};
constexpr int kStatsPanelCorner = 40;
// The window's two forms: narrow while the statistics panel is hidden, wide (its height kept)
// once a completed test uncovers it; the support link stands further right in the wide form.
constexpr SIZE kNarrowSize = {560, 820};
constexpr SIZE kWideSize = {kTestsWideWidth, 0};
constexpr int kNarrowLinkX = 400, kWideLinkX = 600;

// Whether the screen is in its wide form (a completed test's figures uncovered).
bool s_Wide = false;
int s_FontDpi = 0;  // the DPI the screen's font was made for
bool s_FieldsPlaced = false;  // the statistics fields of the screen shown have their places
int s_ValuesRight = 0;        // where the values end (96 DPI); 0: kFieldWidth wide

SIZE WindowSize() {
  if (s_Wide) return kWideSize;
  return {kNarrowSize.cx, kNarrowSize.cy + App_KeyboardBlock(kAreaWidth)};
}

// The column of the screen from the top of the client area: the typing area, the sample view and
// the keyboard under them.
enum Part { kTopPart, kTypingPart, kBetweenPart, kSamplePart, kKeyboardGapPart, kKeyboardPart, kPartCount };
void Column(FitPart* parts) {
  parts[kTopPart] = {kTypingY, kTypingY};
  parts[kTypingPart] = {kAreaHeight, kTypingLeast};
  parts[kBetweenPart] = {kSampleY - kTypingY - kAreaHeight, kSampleY - kTypingY - kAreaHeight};
  parts[kSamplePart] = {kAreaHeight, kSampleLeast};
  App_KeyboardParts(kAreaWidth, &parts[kKeyboardGapPart]);
}

int SupportLinkX() { return s_Wide ? kWideLinkX : kNarrowLinkX; }

void Widen() { Mode4_ShowWideForm(true); }


// The value column stands after the widest of the six labels in the current language, a few
// pixels beyond its closing blank: at x 700 where every label fits before it (English), further
// right where one does not.
const TypingAreaHooks kTypingHooks = {
    .testStarted = Mode4_ShowTestStart, .testCompleted = Mode4_ShowTestCompleted, .widen = Widen};

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

}  // namespace

int Mode4_LeastRoom() {
  FitPart parts[kPartCount];
  Column(parts);
  return Fit_Least(parts, kPartCount) + kBottomMargin;
}

int Mode4_WideLinkX() { return kWideLinkX; }

SIZE Mode4_WideSize() { return {kWideSize.cx, kNarrowSize.cy + App_KeyboardBlock(kAreaWidth)}; }

// The controls for the room the window has, at its DPI, with the screen's font made for it once
// per DPI.
void Mode4_LayOutControls() {
  HFONT previous = nullptr;
  const int dpi = App_WindowDpi(g_App.mainWindow);
  const bool remade = !g_TypingScreen.font || s_FontDpi != dpi;
  if (remade) {
    previous = g_TypingScreen.font;
    g_TypingScreen.font = App_MakeTextFont(g_App.mainWindow, 16);
    s_FontDpi = dpi;
  }
  FitPart parts[kPartCount];
  Column(parts);
  int heights[kPartCount];
  Fit_Column(parts, kPartCount, App_ScreenRoom() - kBottomMargin, heights);
  const int sampleY = kTypingY + heights[kTypingPart] + heights[kBetweenPart];
  App_PlaceControl(g_TypingScreen.typingArea, kAreaX, kTypingY, kAreaWidth, heights[kTypingPart], g_TypingScreen.font);
  App_PlaceControl(g_TypingScreen.sampleView, kAreaX, sampleY, kAreaWidth, heights[kSamplePart], g_TypingScreen.font);
  App_PlaceKeyboardView(kAreaX, sampleY + heights[kSamplePart] + heights[kKeyboardGapPart], kAreaWidth,
                        heights[kKeyboardPart]);
  // The statistics fields stand on their panel whatever the room: placed again only for a new
  // font, and then painted again with the panel behind them (they let it show through).
  if (!remade && s_FieldsPlaced) return;
  s_FieldsPlaced = true;
  const int valueX = ValueColumnX();
  for (int row = 0; row < kFigureRows; ++row) {
    const int y = kRowTop + kRowHeight * row;
    App_PlaceControl(g_TypingScreen.labels[row], kLabelX, y, kFieldWidth, kRowHeight, g_TypingScreen.font);
    // The value column is found in pixels; its row and size are 96-DPI figures.
    if (HWND value = g_TypingScreen.values[row]) {
      HWND window = g_App.mainWindow;
      // A screen whose values must end at a given edge is given it (see Mode4_MakeControls).
      const int edge = s_ValuesRight ? App_Scale(window, s_ValuesRight) : 0;
      const int width = edge > valueX ? edge - valueX : App_Scale(window, kFieldWidth);
      MoveWindow(value, valueX, App_Scale(window, y), width, App_Scale(window, kRowHeight), TRUE);
      SendMessageW(value, WM_SETFONT, reinterpret_cast<WPARAM>(g_TypingScreen.font), TRUE);
    }
  }
  HWND window = g_App.mainWindow;
  RECT panel = {App_Scale(window, kStatsPanel.left), App_Scale(window, kStatsPanel.top),
                App_Scale(window, kStatsPanel.right), App_Scale(window, kStatsPanel.bottom)};
  RedrawWindow(window, &panel, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  // The previous Tests font is used by no control any more.
  if (previous) DeleteObject(previous);
}

void Mode4_ShowWideForm(bool wide) {
  s_Wide = wide;
  App_FitMainWindow();
}

void Mode4_MakeControls(const TypingAreaHooks& hooks, int valuesRight) {
  s_FieldsPlaced = false;
  s_ValuesRight = valuesRight;
  Mode4_ForgetLastTest();
  g_TypingScreen.typingArea = App_MakeTypingArea(hooks);
  g_TypingScreen.sampleView = Mode4_MakeSampleView(kSampleViewStyle);
  for (int row = 0; row < kFigureRows; ++row) {
    g_TypingScreen.labels[row] = App_CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, 0);
    g_TypingScreen.values[row] = App_CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, 0);
  }
}

void Mode4_BuildScreen(int) {
  // A new Tests screen is narrow and has no finished test yet.
  s_Wide = false;
  Mode4_MakeControls(kTypingHooks);
  Mode4_LayOutControls();

  // A default file that cannot be used leaves the view empty and keeps the earlier sample text
  // and test words.
  Text16 text;
  if (Mode4_LoadFile(text, nullptr)) Mode4_UseSampleText(text);

  Mode4_LoadCustomWords(g_Settings.Language);
}

void Mode4_ForgetControls() {
  // A test does not outlive its screen; an open statistics window loses its list and buttons
  // with it and stays, empty, until the learner leaves the screen.
  Mode4_AbandonTest();
  Mode4_ForgetShownFigures();
  Mode4_EmptyDetailedStatsWindow();
  HFONT font = g_TypingScreen.font;
  g_TypingScreen = TypingScreen();
  g_TypingScreen.font = font;  // deleted by the next Tests screen once no control uses it
  // The last test's live figures go with its screen; a running test's come back with the timer.
  Mode4_ClearLiveFigures();
}

HWND Mode4_TypingArea() { return g_TypingScreen.typingArea; }

void Mode4_PaintPanel(HDC dc, const RECT& panel) {
  HBRUSH brush = CreateSolidBrush(g_Settings.BS_BackgroundColor);
  HGDIOBJ previous = SelectObject(dc, brush);
  HWND window = g_App.mainWindow;
  RoundRect(dc, App_Scale(window, panel.left), App_Scale(window, panel.top), App_Scale(window, panel.right),
            App_Scale(window, panel.bottom), App_Scale(window, kStatsPanelCorner), App_Scale(window, kStatsPanelCorner));
  SelectObject(dc, previous);
  DeleteObject(brush);
}

// The rounded statistics panel behind the statistics fields.
void Mode4_PaintStatsPanel(HDC dc) { Mode4_PaintPanel(dc, kStatsPanel); }

// The statistics fields let the painted panel show through.
HBRUSH Mode4_ColorStatic(HWND control, HDC dc) {
  for (int row = 0; row < kFigureRows; ++row) {
    if (control && (control == g_TypingScreen.labels[row] || control == g_TypingScreen.values[row])) {
      SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
  }
  return nullptr;
}

// Clear and a language switch empty the typing area: a running test is left.
void Mode4_OnTypingReset() {
  Mode4_AbandonTest();
  Mode4_FollowTyping();
}

void Mode4_OnTimer(UINT_PTR id) {
  if (id == ID_TIMER_LIVE_FIGURES) Mode4_OnLiveFiguresTimer();
  else if (id == ID_TIMER_SAMPLE_FOLLOW) Mode4_OnFollowTimer();
}

const ScreenOps kTestsScreen = {
    .mode = kModeTests,
    .firstWidth = kNarrowSize.cx,
    .windowSize = WindowSize,
    .leastRoom = Mode4_LeastRoom,
    .supportLinkX = SupportLinkX,
    .build = Mode4_BuildScreen,
    .localize = Mode4_LocalizeDetailedStats,
    .forget = Mode4_ForgetControls,
    .left = Mode4_CloseDetailedStats,
    .typingArea = Mode4_TypingArea,
    .paint = Mode4_PaintStatsPanel,
    .colorStatic = Mode4_ColorStatic,
    .typingChanged = Mode4_OnTypingChanged,
    .typingReset = Mode4_OnTypingReset,
    .layout = Mode4_LayOutControls,
    .timer = Mode4_OnTimer,
    .mainWindowMoved = Mode4_DockDetailedStats,
    .dockedWidth = Mode4_DetailedStatsWidth,
};
