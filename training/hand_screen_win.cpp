// The screen of modes 1 and 2: a typing area between the two word list boxes. The list boxes are
// the only store of these word lists; the typing rules search them directly.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "common/fit.h"
#include "app/dpi.h"
#include "app/screen.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/training_win.h"
#include "typing/keyboard_guide.h"
#include "typing/keyboard_view_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

namespace {

constexpr int kWindowWidth = 860, kWindowHeight = 450;
constexpr int kSupportLinkX = 698;  // toolbar x of the support link, beside the wider window's lists
// Neither sorted nor notifying: entries stay in file order and a click only moves the selection.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL;
constexpr int kTop = 60;
constexpr int kAreaX = 170, kAreaWidth = 505, kAreaHeight = 282;
constexpr int kLeftListX = 25, kRightListX = 700, kListWidth = 120, kListHeight = 300;
constexpr int kListLeast = 120, kBottomMargin = 10;

// The font of the screen shown and the DPI it was made for; the previous one is deleted once its
// controls are gone.
HFONT s_Font = nullptr;
int s_FontDpi = 0;

// The column from the top of the client area: the lists with the typing area between them, then
// the keyboard under the typing area.
enum Part { kTopPart, kListsPart, kKeyboardGapPart, kKeyboardPart, kPartCount };
void Column(FitPart* parts) {
  parts[kTopPart] = {kTop, kTop};
  parts[kListsPart] = {kListHeight, kListLeast};
  App_KeyboardParts(kAreaWidth, &parts[kKeyboardGapPart]);
}

int LeastRoom() {
  FitPart parts[kPartCount];
  Column(parts);
  return Fit_Least(parts, kPartCount) + kBottomMargin;
}

void LayOut() {
  // The controls that used the previous font are gone or take the new one.
  HFONT previous = nullptr;
  const int dpi = App_WindowDpi(g_App.mainWindow);
  if (!s_Font || s_FontDpi != dpi) {
    previous = s_Font;
    s_Font = App_MakeTextFont(g_App.mainWindow, 20);
    s_FontDpi = dpi;
  }
  FitPart parts[kPartCount];
  Column(parts);
  int heights[kPartCount];
  Fit_Column(parts, kPartCount, App_ScreenRoom() - kBottomMargin, heights);
  const int lists = heights[kListsPart];
  App_PlaceControl(g_TypingScreen.typingArea, kAreaX, kTop, kAreaWidth, lists - (kListHeight - kAreaHeight), s_Font);
  App_PlaceControl(g_Training.leftList, kLeftListX, kTop, kListWidth, lists, s_Font);
  App_PlaceControl(g_Training.rightList, kRightListX, kTop, kListWidth, lists, s_Font);
  App_PlaceKeyboardView(kAreaX, kTop + lists + heights[kKeyboardGapPart], kAreaWidth, heights[kKeyboardPart]);
  if (previous) DeleteObject(previous);
}

HWND WordList(int list) { return list == 2 ? g_Training.rightList : g_Training.leftList; }

bool ListHasPrefix(int list, const Text16& text) {
  HWND box = WordList(list);
  if (!box) return false;
  // An empty text begins every entry, but the list box refuses to search for it.
  if (text.empty()) return SendMessageW(box, LB_GETCOUNT, 0, 0) > 0;
  return SendMessageW(box, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(W(text))) != LB_ERR;
}

int32_t ListFindExact(int list, const Text16& text) {
  HWND box = WordList(list);
  if (!box) return -1;
  const LRESULT index = SendMessageW(box, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(W(text)));
  return index == LB_ERR ? -1 : static_cast<int32_t>(index);
}

// The list word the learner is typing: the first entry of the current list, then of the other,
// that begins with the word in progress (letter case ignored); empty when none does.
Text16 TargetWord(const Text16& word) {
  const int current = g_Typing.currentWordList == 2 ? 2 : 1;
  for (int list : {current, 3 - current}) {
    HWND box = WordList(list);
    const LRESULT index =
        box ? SendMessageW(box, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(W(word))) : LB_ERR;
    const LRESULT length = index == LB_ERR ? LB_ERR : SendMessageW(box, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length > 200) continue;
    wchar_t entry[201] = {};
    SendMessageW(box, LB_GETTEXT, index, reinterpret_cast<LPARAM>(entry));
    return Text16(reinterpret_cast<const char16_t*>(entry), static_cast<size_t>(length));
  }
  return Text16();
}

// The keyboard shows the next letter of the word being typed.
void GuideKeyboard() {
  const Text16 word = App_GetWordInProgress(g_TypingScreen.typingArea);
  App_GuideKeyboard(Keyboard_NextInWord(word, word.empty() ? Text16() : TargetWord(word)), 0);
}

// The typed word's entry selected and scrolled to the top of its list.
void ListSelect(int list, int32_t index) {
  HWND box = WordList(list);
  if (!box) return;
  SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(box, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

// The typing rules search the two list boxes, the only store of these word lists.
const WordListQuery kWordLists = {ListHasPrefix, ListFindExact};
const TypingAreaHooks kTypingHooks = {.lists = &kWordLists, .selectListEntry = ListSelect};

}  // namespace

void Mode12_BuildScreen(int mode) {
  // Modes 1 and 2 share the common typing area with the Tests screen.
  g_TypingScreen.typingArea = App_MakeTypingArea(kTypingHooks);
  g_Training.leftList = App_CreateChild(L"LISTBOX", kListStyle, IDC_LEFT_LIST);
  g_Training.rightList = App_CreateChild(L"LISTBOX", kListStyle, IDC_RIGHT_LIST);
  LayOut();

  Mode12_LoadWordLists(mode, g_Settings.Language);
}

void Mode12_ForgetScreen() {
  HFONT font = g_TypingScreen.font;
  g_TypingScreen = TypingScreen();
  g_TypingScreen.font = font;  // the Tests screen's, deleted by the next one
  g_Training = TrainingScreen();
}

namespace {

HWND TypingArea() { return g_TypingScreen.typingArea; }
SIZE WindowSize() { return {kWindowWidth, kWindowHeight + App_KeyboardBlock(kAreaWidth)}; }
int SupportLinkX() { return kSupportLinkX; }

void RelabelHands(int language) { Mode12_LoadWordLists(kModeHands, language); }
void RelabelAlternation(int language) { Mode12_LoadWordLists(kModeAlternation, language); }

}  // namespace

const ScreenOps kHandScreen = {
    .mode = kModeHands,
    .firstWidth = 900,
    .windowSize = WindowSize,
    .leastRoom = LeastRoom,
    .supportLinkX = SupportLinkX,
    .build = Mode12_BuildScreen,
    .relabel = RelabelHands,
    .retitles = true,
    .forget = Mode12_ForgetScreen,
    .typingArea = TypingArea,
    .typingChanged = GuideKeyboard,
    .layout = LayOut,
};
const ScreenOps kAlternationScreen = {
    .mode = kModeAlternation,
    .windowSize = WindowSize,
    .leastRoom = LeastRoom,
    .supportLinkX = SupportLinkX,
    .build = Mode12_BuildScreen,
    .relabel = RelabelAlternation,
    .retitles = true,
    .forget = Mode12_ForgetScreen,
    .typingArea = TypingArea,
    .typingChanged = GuideKeyboard,
    .layout = LayOut,
};
