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
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
// Neither sorted nor notifying: entries stay in file order and a click only moves the selection.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL;
constexpr int kTop = 60;
constexpr int kAreaX = 170, kAreaWidth = 505, kAreaHeight = 282;
constexpr int kLeftListX = 25, kRightListX = 700, kListWidth = 120, kListHeight = 300;

// The font of the screen shown; the previous one is deleted once its controls are gone.
HFONT s_Font = nullptr;

// Made without a size: LayOut places it.
HWND CreateChild(const wchar_t* cls, DWORD style, int id) {
  return CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, g_App.mainWindow,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
}

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
const TypingAreaHooks kTypingHooks = {&kWordLists, ListSelect, nullptr, nullptr, nullptr};

}  // namespace

void Mode12_BuildScreen(int mode) {
  if (g_App.mainWindow)
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, App_Scale(g_App.mainWindow, kWindowWidth),
                 App_Scale(g_App.mainWindow, kWindowHeight), SWP_NOMOVE | SWP_NOZORDER);

  // Modes 1 and 2 share the common typing area with the Tests screen.
  g_TypingScreen.typingArea = CreateChild(L"EDIT", kEditStyle, IDC_TYPING_AREA);
  App_SubclassTypingArea(g_TypingScreen.typingArea, kTypingHooks);
  g_Training.leftList = CreateChild(L"LISTBOX", kListStyle, IDC_LEFT_LIST);
  g_Training.rightList = CreateChild(L"LISTBOX", kListStyle, IDC_RIGHT_LIST);
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

void RelabelHands(int language) { Mode12_LoadWordLists(kModeHands, language); }
void RelabelAlternation(int language) { Mode12_LoadWordLists(kModeAlternation, language); }

}  // namespace

const ScreenOps kHandScreen = {
    kModeHands, Mode12_BuildScreen, RelabelHands, nullptr, true, Mode12_ForgetScreen, TypingArea, nullptr, 0,
    nullptr,    nullptr,            nullptr,      nullptr, nullptr, nullptr, LayOut,
};
const ScreenOps kAlternationScreen = {
    kModeAlternation, Mode12_BuildScreen, RelabelAlternation, nullptr, true, Mode12_ForgetScreen, TypingArea, nullptr, 0,
    nullptr,          nullptr,            nullptr,            nullptr, nullptr, nullptr, LayOut,
};
