// The tutor's entry point: start-up, the message loop and the end of the run.
#include <windows.h>

#include <tchar.h>

#include <string>

#include "app/app.h"
#include "app/main_window_win.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/start_folder.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"

namespace {

// The folder of the program file, in UTF-8; empty when the system does not say.
std::string ProgramFolder() {
  wchar_t path[MAX_PATH * 4] = L"";
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return "";
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
  return Text_ToUtf8(T16(folder.c_str()));
}

// A string of the interface language (the lookup's buffer is shared: copied at once).
std::wstring String(UINT id) {
  const wchar_t* text = App_LoadString(id, g_Settings.Language);
  return text ? text : L"";
}

}  // namespace

int WINAPI _tWinMain(HINSTANCE instance, HINSTANCE, LPTSTR, int showCommand) {
  // The tutor works from its own folder; from the current one only when its own has no data.
  const std::string current = Dir_Current(), program = ProgramFolder();
  const StartFolder start = App_ChooseStartFolder(current, program, App_HasLanguageFolder);
  Dir_SetData(start == StartFolder::Program ? program : current);

  // Settings, entry trace, thread locale, title and class name, in that order.
  App_PrepareStart();
  for (const std::string& line : App_StartFolderTrace(start, current, program)) App_Trace(line.c_str());
  if (start == StartFolder::Neither) {
    // An empty window would say nothing: the user is told what is missing and where it was sought.
    std::wstring text = String(IDS_NO_LANGUAGE_FOLDER) + L"\r\n\r\n" + String(IDS_LOOKED_IN) + L"\r\n";
    text += W(Text_FromUtf8(App_StartFoldersLookedIn(current, program)));
    text += L"\r\n\r\n" + String(IDS_INSTALL_AGAIN);
    g_MessageBox(nullptr, text.c_str(), g_App.title, MB_OK | MB_ICONERROR);
    App_Trace("_tWinMain Exited");
    return 1;
  }

  App_RegisterClass(instance);
  if (!App_InitInstance(instance, showCommand)) return 0;

  g_App.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  const int exitCode = App_MessageLoop(g_App.accelerators);

  App_Trace("_tWinMain Exited");
  return exitCode;
}
