// Menu bars per language, the Language submenu and its marking, the language switch, and the
// word lists loaded into the training screens' controls.
#include "app/app.h"
#include "app/screens_win.h"
#include "app/menu_bar_win.h"
#include "app/menus_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "testing/window_test_support.h"
#include "exam/sample_text.h"
#include "exam/exam_screen_win.h"
#include "training/training_win.h"
#include "typing/typing_win.h"
#include "typing/words.h"

namespace kftest {
namespace {

using MenuTest = MainWindowTest;

std::vector<std::wstring> TopMenus() {
  std::vector<std::wstring> names;
  HMENU bar = GetMenu(g_App.mainWindow);
  for (int pos = 0; pos < GetMenuItemCount(bar); ++pos) names.push_back(MenuText(bar, pos, MF_BYPOSITION));
  return names;
}

std::vector<std::wstring> LanguageEntries(HMENU popup) {
  std::vector<std::wstring> entries;
  for (int pos = 0; pos < GetMenuItemCount(popup); ++pos) entries.push_back(MenuText(popup, pos, MF_BYPOSITION));
  return entries;
}

TEST_F(MenuTest, MenuBarFollowsTheLanguageAndViewItemsStartChecked) {
  OpenMainWindow(4, 1);
  EXPECT_EQ(TopMenus(), (std::vector<std::wstring>{L"&File", L"&View", L"&Modes", L"&Commands", L"&Help"}));
  EXPECT_EQ(MenuText(Bar(), IDM_OPEN, MF_BYCOMMAND), L"&Open ...\tCtrl+O");
  EXPECT_EQ(MenuText(Bar(), IDM_HTML_REPORT, MF_BYCOMMAND), L"&HTML Report\tF9");
  EXPECT_TRUE(Checked(IDM_VIEW_TOOLBAR));
  EXPECT_TRUE(Checked(IDM_VIEW_STATUSBAR));
  // Item 4006 is gone: the Language popup took its place, titled in the language.
  EXPECT_EQ(GetMenuState(Bar(), IDM_LANGUAGE, MF_BYCOMMAND), static_cast<UINT>(-1));
  HMENU view = GetSubMenu(Bar(), MENU_POS_VIEW);
  EXPECT_EQ(MenuText(view, GetMenuItemCount(view) - 1, MF_BYPOSITION), L"Language");

  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);
  EXPECT_EQ(TopMenus(), (std::vector<std::wstring>{L"&Fichier", L"&Vue", L"&Modes", L"&Commandes", L"&Aide"}));
  EXPECT_EQ(MenuText(Bar(), IDM_VIEW_TOOLBAR, MF_BYCOMMAND), L"&Barre d'icônes");

  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_RUSSIAN, 0);
  EXPECT_EQ(TopMenus(), (std::vector<std::wstring>{L"&Файл", L"&Вид", L"&Режимы", L"&Команды", L"&Помощь"}));
  EXPECT_EQ(MenuText(Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Начать тест\tF6");
  EXPECT_EQ(LanguageEntries(LanguageMenu()),
            (std::vector<std::wstring>{L"Английский\tCtrl+E", L"Французский\tCtrl+F", L"Русский\tCtrl+R"}));
}

TEST_F(MenuTest, LanguageSubmenuListsOnlyExistingFolders) {
  RemoveTree(dir_ + L"\\FR");
  // A plain file of a language's name is no language folder.
  ASSERT_TRUE(WriteBytes(dir_ + L"\\FR", "not a folder"));
  OpenMainWindow(4, 1);
  HMENU popup = LanguageMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(LanguageEntries(popup), (std::vector<std::wstring>{L"English\tCtrl+E", L"Russian\tCtrl+R"}));
  EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_LANG_RUSSIAN));

  // The key still switches to the language whose folder is missing.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);
  EXPECT_EQ(g_Settings.Language, 2);
  EXPECT_EQ(LanguageEntries(LanguageMenu()), (std::vector<std::wstring>{L"Anglais\tCtrl+E", L"Russe\tCtrl+R"}));
  // No entry is marked: French has none.
  for (int pos = 0; pos < 2; ++pos) EXPECT_FALSE(GetMenuState(LanguageMenu(), pos, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(MenuTest, SwitchingWhileTheCurrentLanguageFolderIsMissingMarksNothing) {
  RemoveTree(dir_ + L"\\FR");
  OpenMainWindow(4, 2);  // French saved, but its folder has gone
  HMENU popup = LanguageMenu();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(LanguageEntries(popup), (std::vector<std::wstring>{L"Anglais\tCtrl+E", L"Russe\tCtrl+R"}));
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(IDM_LANG_ENGLISH));
  EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_LANG_RUSSIAN));
  for (int pos = 0; pos < 2; ++pos) EXPECT_FALSE(GetMenuState(popup, pos, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(g_ShownMessages.empty());  // the missing sample text shows nothing
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), L"");

  // To Russian: its entry is marked, English keeps its command.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_RUSSIAN, 0);
  ASSERT_EQ(g_Settings.Language, 3);
  popup = LanguageMenu();
  ASSERT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(IDM_LANG_ENGLISH));
  EXPECT_EQ(GetMenuItemID(popup, 1), 0u);
  EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleRU));

  // Back to French by its key: both entries carry their commands again, none is marked, and
  // the earlier (Russian) sample text stays in force.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);
  ASSERT_EQ(g_Settings.Language, 2);
  popup = LanguageMenu();
  ASSERT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(IDM_LANG_ENGLISH));
  EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_LANG_RUSSIAN));
  for (int pos = 0; pos < 2; ++pos) EXPECT_FALSE(GetMenuState(popup, pos, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(LanguageEntries(popup), (std::vector<std::wstring>{L"Anglais\tCtrl+E", L"Russe\tCtrl+R"}));
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleRU));
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), L"");
  EXPECT_TRUE(IsWindow(g_TypingScreen.typingArea));
  EXPECT_TRUE(g_ShownMessages.empty());
}

TEST_F(MenuTest, CurrentLanguageIsCheckedAndCarriesNoCommand) {
  OpenMainWindow(4, 2);
  HMENU popup = LanguageMenu();
  ASSERT_EQ(GetMenuItemCount(popup), 3);
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(IDM_LANG_ENGLISH));
  EXPECT_EQ(GetMenuItemID(popup, 1), 0u);
  EXPECT_EQ(GetMenuItemID(popup, 2), static_cast<UINT>(IDM_LANG_RUSSIAN));
  EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(MenuText(popup, 1, MF_BYPOSITION), L"Français\tCtrl+F");

  // Marking another language on the same submenu moves the mark and gives the command back.
  App_MarkLanguage(3);
  EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_LANG_FRENCH));
  EXPECT_FALSE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(GetMenuItemID(popup, 2), 0u);
  EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(MenuText(popup, 2, MF_BYPOSITION), L"Russe\tCtrl+R");
}

TEST_F(MenuTest, BuildingTheSubmenuAgainReplacesIt) {
  OpenMainWindow(4, 1);
  App_BuildLanguageMenu();
  HMENU view = GetSubMenu(Bar(), MENU_POS_VIEW);
  int popups = 0;
  for (int pos = 0; pos < GetMenuItemCount(view); ++pos) popups += GetSubMenu(view, pos) ? 1 : 0;
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(GetMenuItemCount(LanguageMenu()), 3);
}

TEST_F(MenuTest, FrenchSwitchRelabelsReloadsAndClears) {
  OpenMainWindow(4, 1);
  ASSERT_EQ(Wide(g_Sample.text), Wide(kSampleEN));
  SendMessageW(g_TypingScreen.typingArea, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"The qu"));
  App_SetClearable(true);

  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);  // Ctrl+F
  EXPECT_EQ(g_Settings.Language, 2);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer (Version Française)");
  EXPECT_EQ(MenuText(Bar(), MENU_POS_FILE, MF_BYPOSITION), L"&Fichier");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleFR));
  EXPECT_EQ(WindowText(g_TypingScreen.sampleView), Wide(kSampleFR));
  ASSERT_EQ(g_Words.testWords.size(), 5u);
  EXPECT_EQ(Wide(g_Words.testWords[4].word), L"Été");
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"");
  EXPECT_TRUE(Grayed(IDM_CLEAR));
  EXPECT_EQ(SendMessageW(g_App.toolbar, TB_GETSTATE, IDT_CLEAR, 0) & TBSTATE_ENABLED, 0);
  EXPECT_EQ(LOWORD(GetThreadLocale()), 1036);

  // Ctrl+F again while French is current: the whole switch runs again (new menu bar, typing
  // area emptied).
  HMENU before = Bar();
  SendMessageW(g_TypingScreen.typingArea, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Le"));
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);
  EXPECT_NE(Bar(), before);
  EXPECT_FALSE(IsMenu(before));
  EXPECT_EQ(WindowText(g_TypingScreen.typingArea), L"");
  EXPECT_EQ(GetMenuItemID(LanguageMenu(), 1), 0u);
}

TEST_F(MenuTest, ChoosingTheMarkedEntryDoesNothing) {
  OpenMainWindow(4, 2);
  HMENU bar = Bar();
  HWND typing = g_TypingScreen.typingArea;
  SendMessageW(typing, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Le ren"));
  // The marked entry sends its own identifier, 0, which no command handles.
  SendMessageW(g_App.mainWindow, WM_COMMAND, GetMenuItemID(LanguageMenu(), 1), 0);
  EXPECT_EQ(Bar(), bar);
  EXPECT_EQ(g_TypingScreen.typingArea, typing);
  EXPECT_EQ(WindowText(typing), L"Le ren");
  EXPECT_EQ(g_Settings.Language, 2);
}

TEST_F(MenuTest, EnglishTitleInTestsModeButPlainTitleInTrainingModes) {
  OpenMainWindow(4, 3);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer (Русская версия)");
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_ENGLISH, 0);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer (English Version)");
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleEN));

  // Mode 1 with its two word lists: the switch reloads them in the new language, and the
  // relabelling gives the plain title.
  App_DestroyScreenControls();
  g_Settings.Mode = 1;
  g_Training.leftList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, g_App.mainWindow,
                                        reinterpret_cast<HMENU>(IDC_LEFT_LIST), nullptr, nullptr);
  g_Training.rightList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, g_App.mainWindow,
                                         reinterpret_cast<HMENU>(IDC_RIGHT_LIST), nullptr, nullptr);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_ENGLISH, 0);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer");
  EXPECT_EQ(SendMessageW(g_Training.leftList, LB_GETCOUNT, 0, 0), 2);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_FRENCH, 0);
  EXPECT_EQ(WindowText(g_App.mainWindow), L"Keyfarer (Version Française)");
  ASSERT_EQ(SendMessageW(g_Training.leftList, LB_GETCOUNT, 0, 0), 3);
  wchar_t first[32] = {};
  SendMessageW(g_Training.leftList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
  EXPECT_STREQ(first, L"été");
  ASSERT_EQ(SendMessageW(g_Training.rightList, LB_GETCOUNT, 0, 0), 1);
}

TEST_F(MenuTest, LanguageOutsideTheThreeBehavesAsEnglishWithoutRewritingIt) {
  OpenMainWindow(4, 7);
  EXPECT_EQ(g_Settings.Language, 7);
  EXPECT_EQ(MenuText(Bar(), MENU_POS_FILE, MF_BYPOSITION), L"&File");
  HMENU popup = LanguageMenu();
  ASSERT_EQ(GetMenuItemCount(popup), 3);
  EXPECT_EQ(GetMenuItemID(popup, 0), 0u);
  EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(IDM_LANG_FRENCH));
  EXPECT_EQ(Wide(g_Sample.text), Wide(kSampleEN));
}

// The fresh menu bar of a switch greys and enables every item as the screen shown did before the
// switch; only the Custom item follows the new language's custom list (French has none here).
TEST_F(MenuTest, SwitchKeepsEveryItemsStateOnTheTrainingScreens) {
  WriteList(L"EN", L"Custom_Words.dat", "war\r\n");
  OpenMainWindow(4, 1);
  const UINT items[] = {IDM_OPEN,       IDM_EXIT,         IDM_VIEW_TOOLBAR, IDM_VIEW_STATUSBAR, IDM_MODE_HANDS,
                        IDM_MODE_ALTERNATION, IDM_MODE_CUSTOM, IDM_MODE_TESTS, IDM_START_TEST, IDM_SOUND_ALERT,
                        IDM_CLEAR,      IDM_DETAILED_STATS, IDM_HTML_REPORT, IDM_KEYBOARD_LAYOUT, IDM_ONLINE_HELP,
                        IDM_WEB_SITE,   IDM_ABOUT};
  auto greyed = [&] {
    std::vector<bool> states;
    for (UINT id : items) states.push_back(Grayed(id));
    return states;
  };
  for (UINT screen : {IDM_MODE_HANDS, IDM_MODE_ALTERNATION, IDM_MODE_CUSTOM}) {
    SCOPED_TRACE(screen);
    Command(screen);
    const std::vector<bool> english = greyed();
    ASSERT_TRUE(Grayed(IDM_HTML_REPORT));
    Command(IDM_LANG_FRENCH);
    std::vector<bool> french = greyed();
    EXPECT_TRUE(Grayed(IDM_MODE_CUSTOM));  // no French custom list, and never on its own screen
    french[6] = english[6];
    EXPECT_EQ(french, english);
    Command(IDM_LANG_ENGLISH);
    EXPECT_EQ(greyed(), english);
  }
}

TEST_F(MenuTest, ViewChecksFollowTheBarsAfterASwitch) {
  OpenMainWindow(4, 1);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_VIEW_TOOLBAR, 0);
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_RUSSIAN, 0);
  EXPECT_FALSE(Checked(IDM_VIEW_TOOLBAR));
  EXPECT_TRUE(Checked(IDM_VIEW_STATUSBAR));
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_VIEW_TOOLBAR, 0);
  EXPECT_TRUE(Checked(IDM_VIEW_TOOLBAR));
  EXPECT_TRUE(IsWindowVisible(g_App.toolbar));
}

TEST_F(MenuTest, MenuTextChangesKeepTheItemState) {
  OpenMainWindow(4, 2);
  EnableMenuItem(Bar(), IDM_START_TEST, MF_BYCOMMAND | MF_GRAYED);
  App_SetMenuText(IDM_START_TEST, IDS_STOP_TEST);
  EXPECT_EQ(MenuText(Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Cesser le test\tF6");
  EXPECT_TRUE(Grayed(IDM_START_TEST));
  EnableMenuItem(Bar(), IDM_START_TEST, MF_BYCOMMAND | MF_ENABLED);
  EXPECT_FALSE(Grayed(IDM_START_TEST));
  App_SetMenuText(IDM_START_TEST, IDS_START_TEST);
  EXPECT_EQ(MenuText(Bar(), IDM_START_TEST, MF_BYCOMMAND), L"&Commencer le test\tF6");
}

TEST_F(MenuTest, LocalizeStringsLabelsTheDetailedStatisticsButtons) {
  OpenMainWindow(4, 1);
  // Without the statistics window the texts go nowhere.
  App_LocalizeStrings(1);
  Mode4_ShowDetailedStats();
  HWND stats = Mode4_DetailedStatsWindow();
  HWND create = GetDlgItem(stats, IDC_DS_CREATE_LIST);
  HWND checkAll = GetDlgItem(stats, IDC_DS_CHECK_ALL);
  App_LocalizeStrings(3);
  EXPECT_EQ(WindowText(create), L"Создать список");
  EXPECT_EQ(WindowText(checkAll), L"Пометить все");
  const std::wstring title = WindowText(g_App.mainWindow);
  App_LocalizeStrings(2);
  EXPECT_EQ(WindowText(create), L"Créer la liste");
  EXPECT_EQ(WindowText(g_App.mainWindow), title);  // mode 4 leaves the title alone
  // Rebuilding the Tests screen empties the statistics window but leaves it open.
  App_ShowScreen(kModeTests);
  EXPECT_TRUE(IsWindow(stats));
  EXPECT_FALSE(IsWindow(create));
  EXPECT_FALSE(IsWindow(checkAll));
}

HWND MakeCustomListView() {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_OWNERDATA, 0, 0, 300, 300, g_App.mainWindow,
                              reinterpret_cast<HMENU>(IDC_CUSTOM_LIST), nullptr, nullptr);
  for (int c = 0; c < 5; ++c) {
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 50;
    col.pszText = const_cast<wchar_t*>(L"?");
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  return list;
}

std::wstring ColumnTitle(HWND list, int column) {
  wchar_t buf[64] = {};
  LVCOLUMNW col = {};
  col.mask = LVCF_TEXT;
  col.pszText = buf;
  col.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
  return buf;
}

TEST_F(MenuTest, CustomWordsFillListViewAndTable) {
  OpenMainWindow(4, 2);
  WriteList(L"FR", L"Custom_Words.dat", "\xC3\xA9t\xC3\xA9\r\n\r\nbonjour\r\nbonjour\r\nfin");
  App_DestroyScreenControls();
  g_Settings.Mode = 3;
  g_Training.customList = MakeCustomListView();
  HWND list = g_Training.customList;
  App_SetListColumns();
  EXPECT_EQ(ColumnTitle(list, 0), L"Mot");
  EXPECT_EQ(ColumnTitle(list, 4), L"Comte");

  g_Words.customWords.push_back(CustomWordRecord{u"old", 3, 1.0f, 1.0f, 1, 1, 1});
  Mode3_LoadCustomWords(2);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4);
  const wchar_t* words[] = {L"été", L"bonjour", L"bonjour", L"fin"};
  const wchar_t* lengths[] = {L"3", L"7", L"7", L"3"};
  ASSERT_EQ(g_Words.customWords.size(), 4u);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(ListCell(list, row, 0), words[row]);
    EXPECT_EQ(ListCell(list, row, 1), lengths[row]);
    for (int c = 2; c <= 4; ++c) EXPECT_EQ(ListCell(list, row, c), L"n/a");
    EXPECT_EQ(g_Training.customRows.at(static_cast<size_t>(row)).record, row);
    const CustomWordRecord& r = g_Words.customWords[row];
    EXPECT_EQ(Wide(r.word), words[row]);
    EXPECT_EQ(r.length, static_cast<int32_t>(Wide(r.word).size()));
    EXPECT_EQ(r.typedCount, 0);
    EXPECT_EQ(r.totalSeconds, 0.0f);
  }

  // Switching in mode 3 reloads from the new language's list: English has none.
  SendMessageW(g_App.mainWindow, WM_COMMAND, IDM_LANG_ENGLISH, 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(g_Words.customWords.empty());
  EXPECT_EQ(ColumnTitle(list, 0), L"Word");
  EXPECT_EQ(ColumnTitle(list, 3), L"Typing Errors");
}

TEST_F(MenuTest, WordListsWithoutControlsTouchNothing) {
  OpenMainWindow(4, 1);
  App_DestroyScreenControls();
  g_Settings.Mode = 2;
  Mode12_LoadWordLists(2, 1);  // no list boxes: nothing to fill, no crash
  g_Training.leftList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, g_App.mainWindow,
                                        reinterpret_cast<HMENU>(IDC_LEFT_LIST), nullptr, nullptr);
  g_Training.rightList = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, g_App.mainWindow,
                                         reinterpret_cast<HMENU>(IDC_RIGHT_LIST), nullptr, nullptr);
  SendMessageW(g_Training.leftList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"stale"));
  Mode12_LoadWordLists(2, 1);
  ASSERT_EQ(SendMessageW(g_Training.leftList, LB_GETCOUNT, 0, 0), 1);
  wchar_t text[32] = {};
  SendMessageW(g_Training.leftList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"wash");
  SendMessageW(g_Training.rightList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"oily");
  // Mode 1 lists differ from mode 2's.
  Mode12_LoadWordLists(1, 1);
  SendMessageW(g_Training.leftList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"war");
}

}  // namespace
}  // namespace kftest
