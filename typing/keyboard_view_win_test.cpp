// The live keyboard on the screens: under their texts, inside the window, hidden and shown again
// by View, Keyboard (kept in Settings.xml), and a small window that cuts no control.
#include <string>
#include <vector>

#include "app/app.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"

namespace kftest {
namespace {

class KeyboardViewTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    showKeyboard_ = 1;
  }
  static HWND Keyboard() { return GetDlgItem(g_App.mainWindow, IDC_KEYBOARD_VIEW); }
  // The screen's texts, lists and keyboard, in client coordinates (the statistics fields of the
  // Tests screen stand on their panel, beside them).
  static std::vector<RECT> Controls() {
    std::vector<RECT> rects;
    for (HWND c = GetWindow(g_App.mainWindow, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (IsWindowVisible(c) && c != g_App.toolbar && c != g_App.statusBar && ClassName(c) != L"Static")
        rects.push_back(RectIn(c, g_App.mainWindow));
    return rects;
  }
  // Every control inside the client area above the status bar, none over another.
  static void ExpectLaidOut() {
    RECT client, bar;
    GetClientRect(g_App.mainWindow, &client);
    GetWindowRect(g_App.statusBar, &bar);
    const LONG bottom = client.bottom - (bar.bottom - bar.top);
    const std::vector<RECT> rects = Controls();
    for (size_t i = 0; i < rects.size(); ++i) {
      EXPECT_TRUE(rects[i].left >= 0 && rects[i].right <= client.right && rects[i].bottom <= bottom) << i;
      for (size_t k = i + 1; k < rects.size(); ++k) {
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &rects[i], &rects[k])) << i << " " << k;
      }
    }
  }
};

TEST_F(KeyboardViewTest, EveryScreenShowsItUnderItsTextsAndTheCommandHidesItForGood) {
  for (int mode : {4, 1, 3}) {
    SCOPED_TRACE(mode);
    OpenMainWindow(mode, 1);
    HWND keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(ClassName(keyboard), L"KeyboardView");
    const RECT area = RectIn(App_CurrentTypingArea(), g_App.mainWindow);
    const RECT keys = RectIn(keyboard, g_App.mainWindow);
    EXPECT_GT(keys.top, area.bottom);
    EXPECT_GE(keys.left, area.left);
    ExpectLaidOut();
    EXPECT_TRUE(Checked(IDM_VIEW_KEYBOARD));
    const LONG shownHeight = WindowRect(g_App.mainWindow).bottom - WindowRect(g_App.mainWindow).top;

    Command(IDM_VIEW_KEYBOARD);
    EXPECT_EQ(Keyboard(), nullptr);
    EXPECT_FALSE(Checked(IDM_VIEW_KEYBOARD));
    EXPECT_LT(WindowRect(g_App.mainWindow).bottom - WindowRect(g_App.mainWindow).top, shownHeight);
    EXPECT_EQ(App_XMLReadValue("ShowKeyboard"), "0");
    Command(IDM_VIEW_KEYBOARD);
    EXPECT_NE(Keyboard(), nullptr);
    EXPECT_EQ(App_XMLReadValue("ShowKeyboard"), "1");
    CloseMainWindow();
  }
}

TEST_F(KeyboardViewTest, ASmallWindowGivesTheTextsAndTheKeyboardLessHeightAndCutsNoControl) {
  for (int mode : {4, 1, 3}) {
    SCOPED_TRACE(mode);
    OpenMainWindow(mode, 1);
    const LONG natural = RectIn(Keyboard(), g_App.mainWindow).bottom - RectIn(Keyboard(), g_App.mainWindow).top;
    const RECT window = WindowRect(g_App.mainWindow);
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, window.right - window.left, 560, SWP_NOMOVE | SWP_NOZORDER);
    ExpectLaidOut();
    const RECT keys = RectIn(Keyboard(), g_App.mainWindow);
    EXPECT_LT(keys.bottom - keys.top, natural);
    EXPECT_GE(keys.bottom - keys.top, kKeyboardLeast);
    // No lower than what the screen needs at the least.
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, window.right - window.left, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(WindowRect(g_App.mainWindow).bottom - WindowRect(g_App.mainWindow).top, 200);
    ExpectLaidOut();
    CloseMainWindow();
  }
}

}  // namespace
}  // namespace kftest
