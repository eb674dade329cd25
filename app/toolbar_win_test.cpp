// The toolbar, the status bar, the program font and the View toggles, on a real main window.
#include "app/app.h"
#include "app/toolbar_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"

namespace kftest {
namespace {

class ToolbarShellTest : public ShellTest {
 protected:
  void Start(const std::string& settings) {
    ASSERT_NO_FATAL_FAILURE(ShellTest::Start(settings));
    toolbar_ = GetDlgItem(g_App.mainWindow, IDC_TOOLBAR);
    statusBar_ = GetDlgItem(g_App.mainWindow, IDC_STATUSBAR);
    ASSERT_NE(toolbar_, nullptr);
    ASSERT_NE(statusBar_, nullptr);
  }
  std::wstring ButtonText(int command) {
    wchar_t buf[128] = {};
    if (SendMessageW(toolbar_, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(buf)) < 0) return L"<none>";
    return buf;
  }
  HWND toolbar_ = nullptr;
  HWND statusBar_ = nullptr;
};

struct ExpectedButton {
  int command, image;
  BYTE state;
  const wchar_t* tipEnglish;
  const wchar_t* tipFrench;
};

const ExpectedButton kExpected[] = {
    {401, 0, TBSTATE_ENABLED, L"Open sample test file", L"Ouvrir le fichier de test"},
    {402, 1, TBSTATE_ENABLED, L"Start or stop test", L"Commencer ou cesser le test"},
    {403, 2, TBSTATE_ENABLED, L"Typing error sound alert", L"Neutraliser/actualiser l'alerte sonore"},
    {404, 3, TBSTATE_INDETERMINATE, L"Clear test area", L"Nettoyer la zone de travail"},
    {405, 4, TBSTATE_INDETERMINATE, L"Detailed statistics", L"Statistique d\u00e9taill\u00e9e"},
};

TEST_F(ToolbarShellTest, FiveButtonsWithTheirImagesStatesAndTooltipTexts) {
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings()));
  EXPECT_EQ(ClassName(toolbar_), L"ToolbarWindow32");
  EXPECT_EQ(g_App.toolbar, toolbar_);
  const LONG_PTR style = GetWindowLongPtrW(toolbar_, GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & TBSTYLE_TOOLTIPS);
  EXPECT_TRUE(IsWindowVisible(toolbar_));
  EXPECT_NE(SendMessageW(toolbar_, TB_GETTOOLTIPS, 0, 0), 0);

  ASSERT_EQ(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    TBBUTTON b = {};
    ASSERT_TRUE(SendMessageW(toolbar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)));
    EXPECT_EQ(b.idCommand, kExpected[i].command);
    EXPECT_EQ(b.iBitmap, kExpected[i].image);
    EXPECT_EQ(b.fsState & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE | TBSTATE_HIDDEN), kExpected[i].state);
    EXPECT_EQ(b.fsStyle, TBSTYLE_BUTTON);
    EXPECT_EQ(ButtonText(kExpected[i].command), kExpected[i].tipEnglish);
  }

  // The eight images of bitmap 300.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar_, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 8);
}

// An alert switched off in the settings shows so from the start, and the first click turns it on.
TEST_F(ToolbarShellTest, AlertOffAtStartShowsItsStateOnTheButtonAndTheMenu) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "AlertEnabled", "0")));
  ASSERT_EQ(g_Settings.AlertEnabled, 0);
  EXPECT_EQ(ButtonImage(IDT_ALERT), IMG_ALERT_OFF);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Enable Sound &Alert");
  Command(IDT_ALERT);
  EXPECT_EQ(g_Settings.AlertEnabled, 1);
  EXPECT_EQ(ButtonImage(IDT_ALERT), IMG_ALERT_ON);
  EXPECT_EQ(MenuText(IDM_SOUND_ALERT), L"Disable Sound &Alert");
}

// The tooltips are built in the language of the start and stay in it.
TEST_F(ToolbarShellTest, TooltipsKeepTheLanguageOfTheStart) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Language", "2")));
  for (const ExpectedButton& b : kExpected) EXPECT_EQ(ButtonText(b.command), b.tipFrench);
  Command(IDM_LANG_ENGLISH);
  ASSERT_EQ(g_Settings.Language, 1);
  for (const ExpectedButton& b : kExpected) EXPECT_EQ(ButtonText(b.command), b.tipFrench);
}

// The support link on the toolbar is coloured by the toolbar's own procedure.
TEST_F(ToolbarShellTest, SubclassColoursTheSupportLinkOnly) {
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings()));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(toolbar_, GWLP_WNDPROC)), App_ToolbarProc);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND link = CreateWindowExW(0, L"STATIC", L"link", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 400, 4, 150, 20, toolbar_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SUPPORT_LINK)), instance, nullptr);
  HWND foreign = CreateWindowExW(0, L"STATIC", L"other", WS_CHILD, 0, 0, 10, 10, g_App.mainWindow, nullptr, instance,
                                 nullptr);
  ASSERT_TRUE(link && foreign);
  g_App.supportLink = link;  // as the program's support link is known
  HDC dc = CreateCompatibleDC(nullptr);

  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  LRESULT brush = SendMessageW(toolbar_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(foreign));
  EXPECT_NE(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));

  brush = SendMessageW(toolbar_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  // A red link on the toolbar's own face: red clearly above green and blue.
  const COLORREF link_colour = GetTextColor(dc);
  EXPECT_GE(GetRValue(link_colour), 128);
  EXPECT_LE(GetGValue(link_colour) + GetBValue(link_colour), GetRValue(link_colour) / 2);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

  // A null handle goes to the toolbar class and changes nothing here.
  SetTextColor(dc, RGB(0, 0, 0));
  SendMessageW(toolbar_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));

  DeleteDC(dc);
  DestroyWindow(foreign);
}

TEST_F(ToolbarShellTest, StatusBarHasThreePartsFromTheClientWidthAtCreation) {
  const struct {
    const char* mode;
    int createdWidth;
  } cases[] = {{"4", 560}, {"1", 900}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", c.mode)));
    EXPECT_EQ(ClassName(statusBar_), L"msctls_statusbar32");
    EXPECT_EQ(g_App.statusBar, statusBar_);
    EXPECT_TRUE(IsWindowVisible(statusBar_));
    EXPECT_TRUE(GetWindowLongPtrW(statusBar_, GWL_STYLE) & SBARS_SIZEGRIP);

    // a is a third of the client width the window had when it was created.
    RECT client, outer;
    GetClientRect(g_App.mainWindow, &client);
    GetWindowRect(g_App.mainWindow, &outer);
    const int frame = (outer.right - outer.left) - (client.right - client.left);
    const int a = (c.createdWidth - frame) / 3;
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(statusBar_, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], a);
    EXPECT_EQ(edges[1], 2 * a);
    EXPECT_EQ(edges[2], 4 * a);

    // Resizing re-docks the bars but keeps the part edges.
    SetWindowPos(g_App.mainWindow, nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    ASSERT_EQ(SendMessageW(statusBar_, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], a);
    EXPECT_EQ(edges[2], 4 * a);
    RECT now, bar, tools;
    GetClientRect(g_App.mainWindow, &now);
    GetWindowRect(statusBar_, &bar);
    MapWindowPoints(HWND_DESKTOP, g_App.mainWindow, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, now.bottom);
    EXPECT_EQ(bar.right - bar.left, now.right);
    GetWindowRect(toolbar_, &tools);
    EXPECT_EQ(tools.right - tools.left, now.right);

    EndRun();
  }
}

TEST_F(ToolbarShellTest, ViewCommandsToggleTheBarsAndTheirCheckMarks) {
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings()));
  struct {
    UINT command;
    HWND bar;
  } views[] = {{IDM_VIEW_TOOLBAR, toolbar_}, {IDM_VIEW_STATUSBAR, statusBar_}};
  for (const auto& v : views) {
    SCOPED_TRACE(v.command);
    EXPECT_TRUE(IsWindowVisible(v.bar));
    EXPECT_TRUE(Checked(v.command));
    Command(v.command);
    EXPECT_FALSE(IsWindowVisible(v.bar));
    EXPECT_FALSE(Checked(v.command));
    Command(v.command);
    EXPECT_TRUE(IsWindowVisible(v.bar));
    EXPECT_TRUE(Checked(v.command));
  }
  // Each command acts on its own bar only.
  Command(IDM_VIEW_STATUSBAR);
  EXPECT_TRUE(IsWindowVisible(toolbar_));
  EXPECT_FALSE(IsWindowVisible(statusBar_));
  EXPECT_TRUE(Checked(IDM_VIEW_TOOLBAR));
}

TEST_F(ToolbarShellTest, ViewToggleCorrectsACheckMarkOutOfStep) {
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings()));
  CheckMenuItem(GetMenu(g_App.mainWindow), IDM_VIEW_TOOLBAR, MF_BYCOMMAND | MF_UNCHECKED);
  Command(IDM_VIEW_TOOLBAR);  // visible, though unchecked: hides it
  EXPECT_FALSE(IsWindowVisible(toolbar_));
  EXPECT_FALSE(Checked(IDM_VIEW_TOOLBAR));
}

TEST_F(ToolbarShellTest, HidingAndShowingTheToolbarKeepsImagesAndStates) {
  ASSERT_NO_FATAL_FAILURE(Start(DefaultSettings()));
  Command(IDT_ALERT);
  App_SetClearable(true);
  Command(IDM_VIEW_TOOLBAR);
  Command(IDM_VIEW_TOOLBAR);
  ASSERT_TRUE(IsWindowVisible(toolbar_));
  EXPECT_EQ(ButtonImage(IDT_ALERT), IMG_ALERT_OFF);
  EXPECT_EQ(ButtonState(IDT_CLEAR) & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE), TBSTATE_ENABLED);
  EXPECT_EQ(ButtonState(IDT_STATISTICS) & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE), TBSTATE_INDETERMINATE);
}

}  // namespace
}  // namespace kftest
