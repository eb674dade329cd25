// The screen of modes 1 and 2: a typing area between the two word list boxes. The list boxes are
// the only store of these word lists; the typing rules search them directly.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/dpi.h"
#include "app/screen.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/training_win.h"
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

// The font of the screen shown; the previous one is deleted once its controls are gone.
HFONT s_Font = nullptr;

void LayOut() {
  // The controls that used the previous font are gone or take the new one.
  HFONT previous = s_Font;
  s_Font = App_MakeTextFont(g_App.mainWindow, 20);
  App_PlaceControl(g_TypingScreen.typingArea, kAreaX, kTop, kAreaWidth, kAreaHeight, s_Font);
  App_PlaceControl(g_Training.leftList, kLeftListX, kTop, kListWidth, kListHeight, s_Font);
  App_PlaceControl(g_Training.rightList, kRightListX, kTop, kListWidth, kListHeight, s_Font);
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
SIZE WindowSize() { return {kWindowWidth, kWindowHeight}; }
int SupportLinkX() { return kSupportLinkX; }

void RelabelHands(int language) { Mode12_LoadWordLists(kModeHands, language); }
void RelabelAlternation(int language) { Mode12_LoadWordLists(kModeAlternation, language); }

}  // namespace

const ScreenOps kHandScreen = {
    .mode = kModeHands,
    .firstWidth = 900,
    .windowSize = WindowSize,
    .supportLinkX = SupportLinkX,
    .build = Mode12_BuildScreen,
    .relabel = RelabelHands,
    .retitles = true,
    .forget = Mode12_ForgetScreen,
    .typingArea = TypingArea,
    .layout = LayOut,
};
const ScreenOps kAlternationScreen = {
    .mode = kModeAlternation,
    .windowSize = WindowSize,
    .supportLinkX = SupportLinkX,
    .build = Mode12_BuildScreen,
    .relabel = RelabelAlternation,
    .retitles = true,
    .forget = Mode12_ForgetScreen,
    .typingArea = TypingArea,
    .layout = LayOut,
};
