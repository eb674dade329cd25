// The menu bar attached at start and the language switch.
#include <windows.h>

#include "app/app.h"
#include "app/menu_bar_win.h"
#include "app/links_win.h"
#include "app/menus_win.h"
#include "app/screens_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/languages.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"

void App_AttachMenu() {
  if (App_AttachMenuBar(g_Settings.Language)) App_UpdateCommands();
}

void App_SwitchLanguage(int language) {
  g_Settings.Language = static_cast<int16_t>(language);

  Text16 title = (App_LanguageCommand(language) == IDM_LANG_ENGLISH) ? Text16(u"Keyfarer (English Version)")
                                                                     : App_StringText(IDS_TITLE, language);
  SendMessageW(g_App.mainWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(title)));

  SetThreadLocale(App_LangId(language));

  App_AttachMenuBar(language);
  App_BuildLanguageMenu();

  // The screen's lists and headings in the new language, or the screen built again.
  App_RelabelScreen(language);
  App_LocalizeStrings(language);
  App_RelabelSupportLink(language);
  App_ClearTypingArea();
  // The fresh menu bar's items, texts and check marks follow the state as the old bar's did.
  App_UpdateCommands();
}

