// Telling the user that a file of theirs could not be written: which file, and why in the
// system's own words, in the interface language where the system has that language.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "common/files.h"
#include "common/text.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

// The system's text for `error`, without its line end; "" when the system has none.
std::wstring SystemReason(FileError error) {
  wchar_t text[512] = {};
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD n = FormatMessageW(flags, nullptr, error, App_LangId(g_Settings.Language), text, 512, nullptr);
  if (n == 0) n = FormatMessageW(flags, nullptr, error, 0, text, 512, nullptr);
  std::wstring reason(text, n < 512 ? n : 511);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' '))
    reason.pop_back();
  return reason;
}

}  // namespace

void App_ShowWriteFailure(HWND owner, const std::string& path, FileError error) {
  std::wstring text = W(App_StringText(IDS_WRITE_FAILED, g_Settings.Language));
  text += L"\r\n";
  text += W(Text_FromUtf8(path));
  std::wstring reason = SystemReason(error);
  if (reason.empty()) reason = L"(" + std::wstring(W(Text_FromAscii(std::to_string(error)))) + L")";
  text += L"\r\n\r\n" + reason;
  const std::wstring caption = W(App_StringText(IDS_TITLE, g_Settings.Language));
  g_MessageBox(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

void App_WritePageAndOpen(const std::string& path, const std::string& page) {
  const FileWriteResult written = File_WriteSafely(path, page);
  if (written.ok) {
    g_ShellExecute(g_App.mainWindow, L"open", W(Text_FromUtf8(path)), nullptr, nullptr, SW_SHOWNORMAL);
  } else {
    App_ShowWriteFailure(g_App.mainWindow, path, written.error);
  }
}
