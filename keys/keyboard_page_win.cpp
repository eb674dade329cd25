// The keyboard page: written beside Settings.xml from Keys.csv and opened in the browser, the
// way the report is opened.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "common/files.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "keys/keyboard_page.h"
#include "keys/keys_win.h"

namespace {

constexpr char kPageFile[] = "\\Keyboard.htm";

}  // namespace

std::string App_KeyboardPagePath() { return Dir_DataFile(kPageFile); }

void App_ShowKeyboardPage() {
  App_Trace("App_ShowKeyboardPage Entered");
  const int language = g_Settings.Language;
  App_WritePageAndOpen(App_KeyboardPagePath(),
                       Mode4_BuildKeyboardPage(Mode4_ReadKeySummary(language), Mode4_KeyboardTexts(language)));
  App_Trace("App_ShowKeyboardPage Exited");
}
