// The screen of modes 1 and 2: a typing area between the two word list boxes. The list boxes are
// the only store of these word lists; the typing rules search them directly.
#include <windows.h>

#include <cstdint>

#include "app/app.h"
#include "app/commands_win.h"
#include "app/links_win.h"
#include "app/menus_win.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/training_win.h"
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

HWND CreateChild(const wchar_t* cls, DWORD style, int x, int width, int height, int id) {
  HWND child = CreateWindowExW(0, cls, L"", style, x, kTop, width, height, g_App.mainWindow,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_App.instance, nullptr);
  if (child && s_Font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(s_Font), TRUE);
  return child;
}

}  // namespace

void OnMenuMode12(int mode) {
  App_PlaceSupportLink(mode, 0);

  App_DestroyScreenControls();
  g_Settings.Mode = static_cast<int16_t>(mode);

  App_SetScreenCommands(mode);

  if (g_App.mainWindow)
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, kWindowWidth, kWindowHeight, SWP_NOMOVE | SWP_NOZORDER);

  // The controls that used the previous font are gone.
  if (s_Font) DeleteObject(s_Font);
  s_Font = App_MakeFont(L"MS Shell Dlg", 20);

  // Modes 1 and 2 share the common typing area with the Tests screen.
  g_TypingScreen.typingArea = CreateChild(L"EDIT", kEditStyle, kAreaX, kAreaWidth, kAreaHeight, IDC_TYPING_AREA);
  App_SubclassTypingArea(g_TypingScreen.typingArea);
  g_Training.leftList = CreateChild(L"LISTBOX", kListStyle, kLeftListX, kListWidth, kListHeight, IDC_LEFT_LIST);
  g_Training.rightList = CreateChild(L"LISTBOX", kListStyle, kRightListX, kListWidth, kListHeight, IDC_RIGHT_LIST);

  Mode12_LoadWordLists(mode, g_Settings.Language);
  App_LocalizeStrings(g_Settings.Language);

  App_CenterMainWindow();
  App_FocusTypingArea(g_TypingScreen.typingArea);
}
