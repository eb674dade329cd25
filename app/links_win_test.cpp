// The about box, the help pages, the maker's site and the support link, on a real main window.
// Pages go to a recorder instead of the browser; the about box runs for real, driven by a timer
// from inside its own modal loop.
#include <windows.h>

#include <shellapi.h>

#include <cstring>
#include <functional>

#include "app/app.h"
#include "app/screens_win.h"
#include "app/links_win.h"
#include "keys/keys_win.h"
#include "app/main_window_win.h"
#include "app/strings_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/dialog_driver.h"
#include "testing/window_test_support.h"
#include "exam/exam_screen_win.h"
#include "typing/typing_win.h"

namespace kftest {
namespace {

const std::wstring kSite = L"https://www.velmora.example/";

// The learner's manual of a language folder, by its full path in the tutor's folder.
// The keyboard page, written beside Settings.xml in the language in force.
// The pages' full paths below the data folder (the scratch installation).
std::wstring KeyboardPage() { return kftest::ScratchPath(L"Keyboard.htm"); }

std::wstring Manual(const wchar_t* folder) { return kftest::ScratchPath(folder) + L"\\KF_Help.htm"; }

// ---- Pages handed to the shell ---------------------------------------------------------------

struct OpenedPage {
  HWND owner;
  std::wstring verb, address;
  bool hasParameters, hasDirectory;
  INT show;
};
std::vector<OpenedPage> g_Opened;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                    INT show) {
  g_Opened.push_back({owner, verb ? verb : L"<null>", file ? file : L"<null>", parameters != nullptr,
                      directory != nullptr, show});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // "success", never looked at
}

// ---- The about box, driven from its own modal loop ---------------------------------------------

struct DialogCall {
  bool made = false;
  HINSTANCE instance = nullptr;
  LPCWSTR name = nullptr;
  HWND owner = nullptr;
  DLGPROC proc = nullptr;
  INT_PTR result = -1;
};
DialogCall g_DialogCall;

// Records how the about box is asked for and shows it for real.
INT_PTR WINAPI RecordAndShowDialog(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  g_DialogCall.made = true;
  g_DialogCall.instance = instance;
  g_DialogCall.name = name;
  g_DialogCall.owner = owner;
  g_DialogCall.proc = proc;
  g_DialogCall.result = DialogBoxParamW(instance, name, owner, proc, param);
  return g_DialogCall.result;
}

bool g_ScenarioRan = false;
bool g_ForcedClose = false;

// Command 4000 at the main window, with `whileOpen` run inside the about box's loop.
void ShowAboutBoxWith(std::function<void(HWND dialog)> whileOpen) {
  g_DialogCall = DialogCall();
  const kftest::DialogScenario scenario = kftest::CommandWithDialog(IDM_ABOUT, std::move(whileOpen));
  g_ScenarioRan = scenario.ran;
  g_ForcedClose = scenario.forcedClose;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

LOGFONTW FontOf(HWND window, HFONT* handle = nullptr) {
  LOGFONTW lf = {};
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (handle) *handle = font;
  if (!font || GetObjectW(font, sizeof(lf), &lf) != static_cast<int>(sizeof(lf))) ADD_FAILURE() << "no font";
  return lf;
}

std::wstring TextOrMissing(const wchar_t* s) { return s ? s : L"<missing>"; }

// Where a child of the toolbar stands in the toolbar's client area.
RECT InToolbar(HWND child) { return RectIn(child, g_App.toolbar); }

std::vector<HWND> ToolbarStatics() {
  std::vector<HWND> found;
  for (HWND c = GetWindow(g_App.toolbar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (lstrcmpiW(ClassName(c).c_str(), L"Static") == 0) found.push_back(c);
  return found;
}

HCURSOR Hand() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)); }
HCURSOR Arrow() { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); }

class LinksTest : public ShellTest {
 protected:
  void SetUp() override {
    g_Opened.clear();
    g_ShellExecute = RecordShellExecute;
  }
  void TearDown() override {
    ShellTest::TearDown();
    g_ShellExecute = ShellExecuteW;
    g_DialogBoxParam = DialogBoxParamW;
  }
  void Start(const std::string& settings) {
    ASSERT_NO_FATAL_FAILURE(ShellTest::Start(settings));
    ASSERT_NE(g_App.toolbar, nullptr);
  }
  void StartIn(int language) {
    Start(WithSetting(DefaultSettings(), "Language", std::to_string(language)));
  }
  // The one page opened since the last call, or a failure.
  static std::wstring TakeOpened() {
    if (g_Opened.size() != 1) {
      ADD_FAILURE() << g_Opened.size() << " pages opened instead of one";
      g_Opened.clear();
      return L"";
    }
    const OpenedPage page = g_Opened[0];
    g_Opened.clear();
    EXPECT_TRUE(page.owner == nullptr || page.owner == g_App.mainWindow);
    EXPECT_EQ(page.verb, L"open");
    EXPECT_FALSE(page.hasParameters);
    EXPECT_FALSE(page.hasDirectory);
    EXPECT_EQ(page.show, SW_SHOWNORMAL);
    EXPECT_LE(page.address.size(), 259u);
    return page.address;
  }
};

// ---- Help pages and the maker's site ------------------------------------------------------------

TEST_F(LinksTest, HelpCommandsOpenThePagesOfTheInterfaceLanguage) {
  ASSERT_NO_FATAL_FAILURE(StartIn(2));
  Command(IDM_ONLINE_HELP);
  EXPECT_EQ(TakeOpened(), Manual(L"FR"));
  Command(IDM_KEYBOARD_LAYOUT);
  EXPECT_EQ(TakeOpened(), KeyboardPage());

  // Each call builds its address anew from the language in force.
  Command(IDM_LANG_RUSSIAN);
  ASSERT_EQ(g_Settings.Language, 3);
  Command(IDM_KEYBOARD_LAYOUT);
  EXPECT_EQ(TakeOpened(), KeyboardPage());
  Command(IDM_ONLINE_HELP);
  EXPECT_EQ(TakeOpened(), Manual(L"RU"));

  Command(IDM_LANG_ENGLISH);
  Command(IDM_ONLINE_HELP);
  EXPECT_EQ(TakeOpened(), Manual(L"EN"));
  Command(IDM_KEYBOARD_LAYOUT);
  EXPECT_EQ(TakeOpened(), KeyboardPage());
}

TEST_F(LinksTest, AnUnknownLanguageOpensTheEnglishHelp) {
  ASSERT_NO_FATAL_FAILURE(StartIn(1));
  for (int16_t language : {0, 4, -1, 1033}) {
    SCOPED_TRACE(language);
    g_Settings.Language = language;
    App_OpenOnlineHelp();
    EXPECT_EQ(TakeOpened(), Manual(L"EN"));
    App_ShowKeyboardPage();
    EXPECT_EQ(TakeOpened(), KeyboardPage());
  }
  g_Settings.Language = 1;
}

// F1 and Ctrl+L reach whichever window has the key: the main window's command table or the
// typing area's own procedure; both open the same pages.
TEST_F(LinksTest, HelpKeysOpenTheSamePagesFromTheMainWindowAndTheTypingArea) {
  ASSERT_NO_FATAL_FAILURE(StartIn(2));
  // A language switch rebuilds the Tests screen: the typing area is looked up after it.
  auto target = [](bool typingArea) { return typingArea ? g_TypingScreen.typingArea : g_App.mainWindow; };
  for (bool typingArea : {false, true}) {
    SCOPED_TRACE(typingArea ? "typing area" : "main window");
    Command(IDM_LANG_FRENCH);
    ASSERT_NE(target(typingArea), nullptr);
    kftest::PressKey(target(typingArea), VK_F1, false);
    EXPECT_EQ(TakeOpened(), Manual(L"FR"));
    kftest::PressKey(target(typingArea), 'L', true);
    EXPECT_EQ(TakeOpened(), KeyboardPage());

    Command(IDM_LANG_RUSSIAN);
    kftest::PressKey(target(typingArea), 'L', true);
    EXPECT_EQ(TakeOpened(), KeyboardPage());
    kftest::PressKey(target(typingArea), VK_F1, false);
    EXPECT_EQ(TakeOpened(), Manual(L"RU"));
  }
  // The help keys typed nothing into the typing area.
  EXPECT_EQ(GetWindowTextLengthW(g_TypingScreen.typingArea), 0);

  // A plain L is no command.
  kftest::PressKey(g_App.mainWindow, 'L', false);
  EXPECT_TRUE(g_Opened.empty());

}

TEST_F(LinksTest, SiteCommandsOpenTheMakersHomePageInEveryLanguage) {
  ASSERT_NO_FATAL_FAILURE(StartIn(3));
  Command(IDM_WEB_SITE);
  EXPECT_EQ(TakeOpened(), kSite);
  Command(IDC_SUPPORT_LINK);
  EXPECT_EQ(TakeOpened(), kSite);
  Command(IDM_LANG_FRENCH);
  Command(IDM_WEB_SITE);
  EXPECT_EQ(TakeOpened(), kSite);
}

// ---- The about box --------------------------------------------------------------------------------

struct AboutSeen {
  std::wstring title, maker, product, terms, notice, button;
  LOGFONTW makerFont = {}, productFont = {}, termsFont = {}, noticeFont = {};
  HFONT plain = nullptr, underlined = nullptr;
  bool makerSubclassed = false;
  bool ownerDisabled = false;
  HCURSOR cursorOverMaker = nullptr;
};

AboutSeen LookAt(HWND dialog) {
  AboutSeen seen;
  seen.title = WindowText(dialog);
  seen.maker = ItemText(dialog, IDC_ABOUT_MAKER);
  seen.product = ItemText(dialog, IDC_ABOUT_PRODUCT);
  seen.terms = ItemText(dialog, IDC_ABOUT_TERMS);
  seen.notice = ItemText(dialog, IDC_ABOUT_NOTICE);
  seen.button = ItemText(dialog, IDOK);
  seen.makerFont = FontOf(GetDlgItem(dialog, IDC_ABOUT_MAKER), &seen.underlined);
  seen.productFont = FontOf(GetDlgItem(dialog, IDC_ABOUT_PRODUCT), &seen.plain);
  seen.termsFont = FontOf(GetDlgItem(dialog, IDC_ABOUT_TERMS));
  seen.noticeFont = FontOf(GetDlgItem(dialog, IDC_ABOUT_NOTICE));
  seen.makerSubclassed = GetWindowLongPtrW(GetDlgItem(dialog, IDC_ABOUT_MAKER), GWLP_WNDPROC) ==
                         reinterpret_cast<LONG_PTR>(&App_LinkCursorProc<LINK_ABOUT_MAKER>);
  seen.ownerDisabled = !IsWindowEnabled(g_App.mainWindow);
  SetCursor(Arrow());
  SendDlgItemMessageW(dialog, IDC_ABOUT_MAKER, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  seen.cursorOverMaker = GetCursor();
  return seen;
}

void PressInDialog(HWND dialog, UINT key) {
  HWND focus = GetFocus();
  PostMessageW(focus && IsChild(dialog, focus) ? focus : dialog, WM_KEYDOWN, key, 1);
}

TEST_F(LinksTest, AboutBoxShowsTheLanguagesTextsWithItsFontsAndEndsWithEnter) {
  const struct {
    int language;
    const wchar_t* product;
  } cases[] = {{1, L"Keyfarer, version 1.0."},
               {2, L"Keyfarer, version 1.0."},
               {3, L"Keyfarer, \u0432\u0435\u0440\u0441\u0438\u044f 1.0."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    ASSERT_NO_FATAL_FAILURE(StartIn(c.language));
    const std::wstring terms = TextOrMissing(App_LoadString(IDS_ABOUT_TERMS, c.language));
    const std::wstring notice = TextOrMissing(App_LoadString(IDS_ABOUT_NOTICE, c.language));
    if (c.language != 1) {
      // The terms differ between languages, so the English ones would be caught here.
      EXPECT_NE(terms, TextOrMissing(App_LoadString(IDS_ABOUT_TERMS, 1)));
    }
    g_DialogBoxParam = RecordAndShowDialog;
    AboutSeen seen;
    ShowAboutBoxWith([&](HWND dialog) {
      seen = LookAt(dialog);
      PressInDialog(dialog, VK_RETURN);
    });
    ASSERT_TRUE(g_DialogCall.made);
    ASSERT_TRUE(g_ScenarioRan) << "the about box never showed";
    EXPECT_FALSE(g_ForcedClose) << "Enter did not end the about box";
    EXPECT_EQ(g_DialogCall.result, IDOK);
    EXPECT_EQ(g_DialogCall.instance, g_App.instance);
    EXPECT_EQ(g_DialogCall.name, MAKEINTRESOURCEW(IDD_ABOUT));
    EXPECT_EQ(g_DialogCall.owner, g_App.mainWindow);
    EXPECT_EQ(g_DialogCall.proc, App_AboutDialogProc);
    EXPECT_TRUE(seen.ownerDisabled) << "not modal";
    EXPECT_TRUE(IsWindowEnabled(g_App.mainWindow));

    EXPECT_EQ(seen.title, L"About");
    EXPECT_EQ(seen.maker, L"Velmora");
    EXPECT_EQ(seen.button, L"OK");
    EXPECT_EQ(seen.product, c.product);
    EXPECT_EQ(seen.terms, terms);
    EXPECT_EQ(seen.notice, notice);

    EXPECT_STREQ(seen.makerFont.lfFaceName, L"Arial");
    EXPECT_EQ(seen.makerFont.lfHeight, 16);
    EXPECT_TRUE(seen.makerFont.lfUnderline);
    EXPECT_EQ(seen.makerFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(seen.makerFont.lfWeight, 0);
    for (const LOGFONTW* lf : {&seen.productFont, &seen.termsFont, &seen.noticeFont}) {
      EXPECT_STREQ(lf->lfFaceName, L"Arial");
      EXPECT_EQ(lf->lfHeight, 16);
      EXPECT_FALSE(lf->lfUnderline);
      EXPECT_FALSE(lf->lfItalic);
      EXPECT_EQ(lf->lfCharSet, DEFAULT_CHARSET);
    }
    EXPECT_NE(seen.plain, seen.underlined);
    EXPECT_TRUE(seen.makerSubclassed);
    EXPECT_EQ(seen.cursorOverMaker, Hand());
    // The dialog's fonts go with it.
    EXPECT_EQ(GetObjectType(seen.plain), 0u);
    EXPECT_EQ(GetObjectType(seen.underlined), 0u);
    EXPECT_TRUE(g_Opened.empty());

    EndRun();
  }
}

TEST_F(LinksTest, EscapeAndTheCloseBoxEndTheAboutBoxAsCancel) {
  ASSERT_NO_FATAL_FAILURE(StartIn(1));
  g_DialogBoxParam = RecordAndShowDialog;

  ShowAboutBoxWith([](HWND dialog) { PressInDialog(dialog, VK_ESCAPE); });
  ASSERT_TRUE(g_ScenarioRan);
  EXPECT_FALSE(g_ForcedClose) << "Escape did not end the about box";
  EXPECT_EQ(g_DialogCall.result, IDCANCEL);

  ShowAboutBoxWith([](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
  ASSERT_TRUE(g_ScenarioRan);
  EXPECT_FALSE(g_ForcedClose) << "the close box did not end the about box";
  EXPECT_EQ(g_DialogCall.result, IDCANCEL);

  // A click on OK itself.
  ShowAboutBoxWith([](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); });
  ASSERT_TRUE(g_ScenarioRan);
  EXPECT_FALSE(g_ForcedClose) << "OK did not end the about box";
  EXPECT_EQ(g_DialogCall.result, IDOK);
  EXPECT_TRUE(g_Opened.empty());
}

// Clicking the maker's name opens the order page, in English whatever the interface language,
// and the about box stays open; the name is blue on a see-through background.
TEST_F(LinksTest, MakersNameOpensTheEnglishOrderPageAndKeepsTheBoxOpen) {
  for (int language : {2, 3}) {
    SCOPED_TRACE(language);
    ASSERT_NO_FATAL_FAILURE(StartIn(language));
    g_DialogBoxParam = RecordAndShowDialog;
    bool openAfterClick = false, openAfterCommand = false;
    std::vector<std::wstring> opened;
    COLORREF makerColour = 0, otherColour = 0;
    int makerMode = 0;
    LRESULT makerBrush = 0, otherBrush = 0;
    ShowAboutBoxWith([&](HWND dialog) {
      // A real click: the static tells the dialog (SS_NOTIFY).
      HWND maker = GetDlgItem(dialog, IDC_ABOUT_MAKER);
      SendMessageW(maker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
      SendMessageW(maker, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
      openAfterClick = IsWindow(dialog) && IsWindowVisible(dialog);
      // The command itself, whatever its notification code, also leaves the box open.
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAKER, STN_DBLCLK), reinterpret_cast<LPARAM>(maker));
      openAfterCommand = IsWindow(dialog) && IsWindowVisible(dialog);
      for (const OpenedPage& p : g_Opened) opened.push_back(p.address);

      HDC dc = CreateCompatibleDC(nullptr);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkMode(dc, OPAQUE);
      makerBrush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(maker));
      makerColour = GetTextColor(dc);
      makerMode = GetBkMode(dc);
      SetTextColor(dc, RGB(0, 0, 0));
      otherBrush = SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_PRODUCT)));
      otherColour = GetTextColor(dc);
      DeleteDC(dc);
      PressInDialog(dialog, VK_ESCAPE);
    });
    ASSERT_TRUE(g_ScenarioRan);
    EXPECT_FALSE(g_ForcedClose);
    EXPECT_TRUE(openAfterClick);
    EXPECT_TRUE(openAfterCommand);
    ASSERT_EQ(opened.size(), 2u);
    for (const std::wstring& address : opened) {
      EXPECT_EQ(address.rfind(L"https://www.velmora.example/", 0), 0u) << address;
      EXPECT_NE(address.find(L"?"), std::wstring::npos) << address;
      EXPECT_NE(address.find(L"lang=en"), std::wstring::npos) << address;
      EXPECT_EQ(address.find(L"lang=fr"), std::wstring::npos) << address;
      EXPECT_EQ(address.find(L"lang=ru"), std::wstring::npos) << address;
      EXPECT_NE(address, kSite);  // the order page, not the home page
    }
    EXPECT_EQ(opened[0], opened[1]);
    const OpenedPage first = g_Opened[0];
    EXPECT_EQ(first.verb, L"open");
    EXPECT_EQ(first.show, SW_SHOWNORMAL);
    g_Opened.clear();

    EXPECT_EQ(makerBrush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(makerColour, static_cast<COLORREF>(0xFF0000));
    EXPECT_EQ(makerMode, TRANSPARENT);
    EXPECT_NE(otherBrush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_NE(otherColour, static_cast<COLORREF>(0xFF0000));

    EndRun();
  }
}

// ---- The support link --------------------------------------------------------------------------------

TEST_F(LinksTest, SupportLinkIsARedUnderlinedVerdanaStaticOnTheToolbar) {
  ASSERT_NO_FATAL_FAILURE(StartIn(1));
  const std::vector<HWND> statics = ToolbarStatics();
  ASSERT_EQ(statics.size(), 1u);
  HWND link = statics[0];
  EXPECT_EQ(g_App.supportLink, link);
  EXPECT_EQ(GetDlgCtrlID(link), IDC_SUPPORT_LINK);
  EXPECT_EQ(GetParent(link), g_App.toolbar);
  EXPECT_EQ(WindowText(link), L"Help keep KF free!");
  const LONG style = GetWindowLongW(link, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | SS_NOTIFY), static_cast<LONG>(WS_CHILD | WS_VISIBLE | SS_NOTIFY));
  EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(style & WS_BORDER, 0);
  EXPECT_EQ(GetWindowLongW(link, GWL_EXSTYLE), 0);
  EXPECT_TRUE(IsWindowVisible(link));
  EXPECT_TRUE(IsWindowVisible(g_App.toolbar));

  const RECT rc = InToolbar(link);
  EXPECT_EQ(rc.left, 400);
  EXPECT_EQ(rc.top, 4);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, 20);

  const LOGFONTW lf = FontOf(link);
  EXPECT_STREQ(lf.lfFaceName, L"Verdana");
  EXPECT_EQ(lf.lfHeight, 14);
  EXPECT_EQ(lf.lfWeight, 1000);
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_FALSE(lf.lfItalic);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

  EXPECT_EQ(GetWindowLongPtrW(link, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&App_LinkCursorProc<LINK_SUPPORT>));
  SetCursor(Arrow());
  SendMessageW(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCursor(), Hand());
  // The subclass passes messages on: the static still answers as a static.
  EXPECT_EQ(SendMessageW(link, WM_GETTEXTLENGTH, 0, 0), 18);

  // The toolbar's procedure gives it red text on the toolbar's own background.
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  const LRESULT brush = SendMessageW(g_App.toolbar, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  DeleteDC(dc);

  // And on the screen: red pixels of the text and its underline inside the link's place.
  RedrawWindow(g_App.toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  HDC screen = GetDC(g_App.toolbar);
  int red = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if (GetPixel(screen, x, y) == RGB(255, 0, 0)) ++red;
    }
  }
  const COLORREF face = GetPixel(screen, rc.right - 2, rc.top + 1);  // right of the text
  const COLORREF outside = GetPixel(screen, rc.left - 10, rc.top + 1);  // bare toolbar
  ReleaseDC(g_App.toolbar, screen);
  EXPECT_GT(red, 20);
  EXPECT_EQ(face, outside) << "the link paints over the toolbar's face";
}

TEST_F(LinksTest, ClickingTheSupportLinkOpensTheMakersSite) {
  ASSERT_NO_FATAL_FAILURE(StartIn(2));
  ASSERT_NE(g_App.supportLink, nullptr);
  SendMessageW(g_App.supportLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(g_App.supportLink, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_EQ(TakeOpened(), kSite);
}

TEST_F(LinksTest, SupportLinkStandsAtThePlaceOfTheModeAtStart) {
  const struct {
    const char* mode;
    int x;
  } cases[] = {{"1", 698}, {"2", 698}, {"3", 400}, {"4", 400}, {"0", 400}, {"9", 400}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "Mode", c.mode)));
    ASSERT_EQ(ToolbarStatics().size(), 1u);
    ASSERT_NE(g_App.supportLink, nullptr);
    const RECT rc = InToolbar(g_App.supportLink);
    EXPECT_EQ(rc.left, c.x);
    EXPECT_EQ(rc.top, 4);
    EXPECT_EQ(rc.right - rc.left, 150);
    EXPECT_EQ(rc.bottom - rc.top, 20);
    EndRun();
  }
}

TEST_F(LinksTest, SupportLinkFollowsTheTestsScreenAndSpeaksTheLanguage) {
  ASSERT_NO_FATAL_FAILURE(StartIn(1));
  HWND link = g_App.supportLink;
  ASSERT_NE(link, nullptr);
  Mode4_ShowWideForm(true);
  EXPECT_EQ(InToolbar(link).left, 600);
  App_ShowScreen(kModeTests);  // rebuilt in the narrow form
  EXPECT_EQ(InToolbar(link).left, 400);
  Mode4_ShowWideForm(true);
  Command(IDM_LANG_RUSSIAN);
  EXPECT_EQ(WindowText(link), L"\u041F\u043E\u0434\u0434\u0435\u0440\u0436\u0438\u0442\u0435 KF!");
  Command(IDM_LANG_FRENCH);
  EXPECT_EQ(g_App.supportLink, link);
  EXPECT_TRUE(IsWindow(link));
  EXPECT_EQ(WindowText(link), L"Gardez KF gratuit !");
  EXPECT_EQ(FontOf(link).lfHeight, 14);
  EXPECT_EQ(ToolbarStatics().size(), 1u);

  // Each screen's place: beside the wider window's lists in modes 1 and 2, else 400.
  for (const auto& place : {std::pair<int, LONG>{kModeHands, 698}, {kModeAlternation, 698}, {kModeCustom, 400},
                            {kModeTests, 400}}) {
    SCOPED_TRACE(place.first);
    App_ShowScreen(place.first);
    EXPECT_EQ(InToolbar(link).left, place.second);
    EXPECT_EQ(InToolbar(link).top, 4);
  }

  // Asked again, it makes no second link.
  App_CreateSupportLink();
  EXPECT_EQ(g_App.supportLink, link);
  EXPECT_EQ(ToolbarStatics().size(), 1u);
}

TEST_F(LinksTest, WithoutShowURLLogoThereIsNoLinkAndNothingMoves) {
  ASSERT_NO_FATAL_FAILURE(Start(WithSetting(DefaultSettings(), "ShowURLLogo", "0")));
  EXPECT_EQ(g_App.supportLink, nullptr);
  EXPECT_TRUE(ToolbarStatics().empty());
  EXPECT_EQ(GetDlgItem(g_App.toolbar, IDC_SUPPORT_LINK), nullptr);

  Mode4_ShowWideForm(true);
  Mode4_ShowWideForm(false);
  Command(IDM_MODE_TESTS);
  App_PlaceSupportLink(698);
  Command(IDM_LANG_FRENCH);
  EXPECT_EQ(g_App.supportLink, nullptr);
  EXPECT_TRUE(ToolbarStatics().empty());
  EXPECT_TRUE(IsWindow(g_App.mainWindow));
  // The site stays reachable from the Help menu.
  Command(IDM_WEB_SITE);
  EXPECT_EQ(TakeOpened(), kSite);
}

}  // namespace
}  // namespace kftest
