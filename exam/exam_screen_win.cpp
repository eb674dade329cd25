// The Tests screen: typing area, sample text view and the twelve statistics fields.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/menus_win.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/exam_screen_win.h"
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

void OnMenuMode4() {
  App_Trace("OnMenuMode4 Entered");

  if (g_App.supportLink) SetWindowPos(g_App.supportLink, nullptr, 400, 4, 150, 20, SWP_NOZORDER | SWP_NOREDRAW);

  App_SetScreenCommands(4);

  // Whatever screen is shown goes, and an open detailed statistics window loses its list and
  // buttons (the window itself stays).
  App_DestroyScreenControls();

  g_Settings.Mode = 4;
  App_ExpandWindow(0);

  // The previous Tests font is used by no control any more.
  if (g_TypingScreen.font) DeleteObject(g_TypingScreen.font);
  g_TypingScreen.font = App_MakeFont(L"Arial", 16);

  g_TypingScreen.typingArea = CreateChild(L"EDIT", kEditStyle, kAreaX, kTypingY, kAreaWidth, kAreaHeight, IDC_TYPING_AREA);
  SetFont(g_TypingScreen.typingArea);
  App_SubclassTypingArea(g_TypingScreen.typingArea);
  g_TypingScreen.sampleView = CreateChild(L"EDIT", kSampleViewStyle, kAreaX, kSampleY, kAreaWidth, kAreaHeight, IDC_SAMPLE_VIEW);
  SetFont(g_TypingScreen.sampleView);

  // A default file that cannot be used leaves the view empty and keeps the earlier sample text
  // and test words.
  Text16 text;
  if (Mode4_LoadFile(text, nullptr)) Mode4_UseSampleText(text);

  const int valueX = ValueColumnX();
  for (int row = 0; row < 6; ++row) {
    const int y = kRowTop + kRowHeight * row;
    g_TypingScreen.labels[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, kLabelX, y, kFieldWidth, kRowHeight, 0);
    SetFont(g_TypingScreen.labels[row]);
    g_TypingScreen.values[row] = CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE, valueX, y, kFieldWidth, kRowHeight, 0);
    SetFont(g_TypingScreen.values[row]);
  }

  App_LocalizeStrings(g_Settings.Language);

  g_Words.customWords.clear();
  Mode4_LoadCustomWords(g_Settings.Language);

  App_FocusTypingArea(g_TypingScreen.typingArea);
  App_Trace("OnMenuMode4 Exited");
}
