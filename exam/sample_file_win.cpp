// Sample texts of the Tests mode: the default file of the language or one the user picks,
// with the two messages of a refused file.
#include <windows.h>

#include <commdlg.h>

#include <cwchar>
#include <string>

#include "app/app.h"
#include "app/on_demand.h"
#include "app/wide_text.h"
#include "common/files.h"
#include "common/languages.h"
#include "common/text.h"
#include "settings/settings.h"
#include "exam/history.h"
#include "exam/sample_text.h"
#include "exam/sample_view_win.h"
#include "exam/start_stop_win.h"
#include "exam/exam_screen_win.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

BOOL(WINAPI* g_GetOpenFileName)(LPOPENFILENAMEW) = App_GetOpenFileNameOnDemand;

namespace {

constexpr int kFileNameUnits = 520;

}  // namespace

// Reads a sample file into `text` (without its mark). No file name: the language's default
// file below the current directory. Returns 1 on success; 0 with the file's message, or none
// when it cannot be opened, and `text` untouched.
int Mode4_LoadFile(Text16& text, const wchar_t* fileName) {
  std::string path = fileName ? Text_ToUtf8(T16(fileName))
                              : Mode4_DefaultSamplePath(Dir_Data(), g_Settings.Language);
  Text16 loaded;
  switch (Mode4_ReadSampleFile(path, loaded)) {
    case SampleLoad::Ok:
      text = loaded;
      // Every caller makes the loaded text the sample; History.csv names its file.
      g_Sample.fileName = Mode4_FileNamePart(path);
      return 1;
    case SampleLoad::TooBig: {
      const Text16 message = u"The maximum number of characters is: " + Text_FromAscii(std::to_string(kSampleCapacity));
      g_MessageBox(nullptr, W(message), L"The file is too big!", MB_OK);
      return 0;
    }
    case SampleLoad::NotUnicode:
      g_MessageBox(nullptr, L"The UNICODE files only are compatible with KFP.", L"The text is not UNICODE text!",
                   MB_OK);
      return 0;
    case SampleLoad::CannotOpen:
      break;
  }
  return 0;
}

void Mode4_UseSampleText(const Text16& text) {
  // The parser works on its own copy; the sample text keeps the whole text.
  Text16 local = text;
  g_Sample.text = text;
  if (g_TypingScreen.sampleView)
    SendMessageW(g_TypingScreen.sampleView, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(g_Sample.text)));
  Mode4_ParseSampleText(local);
  // A test of the old text is left; the mark starts where the typing area stands; the last test's
  // figures go with the old text.
  Mode4_AbandonTest();
  Mode4_FollowTyping();
  Mode4_ClearLiveFigures();
}

bool Mode4_OpenSample(const wchar_t* path) {
  Text16 text;
  if (!Mode4_LoadFile(text, path)) return false;
  Mode4_UseSampleText(text);
  // The new sample is typed from the start, and its first key starts its test.
  App_ClearTypingArea();
  return true;
}

void Mode4_OpenSampleFile() {
  const int language = g_Settings.Language;
  const Text16 initialDir =
      Text_FromUtf8(Dir_DataFile(std::string("\\") + Language_Of(language).folder + "\\Tests"));

  wchar_t fileName[kFileNameUnits] = {};
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = g_App.mainWindow;
  ofn.lpstrFilter = L"All\0*.*\0Text\0*.TXT\0\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = fileName;
  ofn.nMaxFile = kFileNameUnits;
  ofn.lpstrInitialDir = W(initialDir);
  // Files are found through the data folder, not the working directory; the dialog leaves it as
  // it found it all the same.
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;

  if (g_GetOpenFileName(&ofn)) Mode4_OpenSample(fileName);
}
