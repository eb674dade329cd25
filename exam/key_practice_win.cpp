// Practise Weak Keys: the words of the language, the key figures and the clock into a practice
// text, written to Practice.txt and loaded as the sample.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "common/files.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/trace.h"
#include "exam/exam_screen_win.h"
#include "keys/keys_win.h"
#include "keys/key_practice.h"
#include "exam/key_practice_win.h"
#include "exam/sample_text.h"
#include "training/word_lists.h"

namespace {

constexpr char kPracticeFile[] = "Practice.txt";


void Say(UINT id, int language) {
  const Text16 text = App_StringText(id, language);
  const Text16 caption = App_StringText(IDS_PRACTICE_CAPTION, language);
  g_MessageBox(g_App.mainWindow, W(text), W(caption), MB_OK | MB_ICONINFORMATION);
}

// Every word the language offers: its four training lists, its custom list and its sample
// texts (the installed one, and the current one unless it is an earlier practice text), whose
// words are cut out of their lines.
void GatherWords(int language, std::vector<Text16>& words, Text16& ownSample) {
  for (WordList list : {WordList::LeftHand, WordList::RightHand, WordList::LeftToRight, WordList::RightToLeft,
                        WordList::Custom}) {
    // An entry is one word; one that is not (a hand-made list) is left out by the builder.
    for (Text16& entry : App_LoadWordList(list, language)) words.push_back(std::move(entry));
  }
  if (Mode4_ReadSampleFile(Mode4_DefaultSamplePath(Dir_Data(), language), ownSample) == SampleLoad::Ok) {
    Mode4_CollectWords(ownSample, words);
  }
  if (g_Sample.fileName != kPracticeFile) Mode4_CollectWords(g_Sample.text, words);
}

uint32_t ClockSeed() {
  LARGE_INTEGER counter = {};
  QueryPerformanceCounter(&counter);
  return static_cast<uint32_t>(counter.QuadPart) ^ static_cast<uint32_t>(counter.QuadPart >> 32) ^ GetTickCount();
}

}  // namespace

std::string Mode4_PracticePath() { return Dir_DataFile(std::string("\\") + kPracticeFile); }

void Mode4_PractiseWeakKeys() {
  App_Trace("Mode4_PractiseWeakKeys Entered");
  const int language = g_Settings.Language;
  const KeySummary summary = Mode4_ReadKeySummary(language);
  std::vector<Text16> words;
  Text16 ownSample;
  // The lists are read only once there are figures to practise.
  if (summary.keystrokes >= kMinPracticeKeystrokes) GatherWords(language, words, ownSample);
  const Practice practice = Mode4_BuildPractice(summary, words, ownSample, ClockSeed());
  if (practice.result != PracticeResult::Ok) {
    Say(practice.result == PracticeResult::NoWords ? IDS_PRACTICE_NO_WORDS : IDS_PRACTICE_NEEDS_TESTS, language);
    App_Trace("Mode4_PractiseWeakKeys Exited");
    return;
  }
  const std::string path = Mode4_PracticePath();
  const FileWriteResult written = File_WriteSafely(path, Mode4_PracticeFileBytes(practice.text));
  if (!written.ok) {
    App_ShowWriteFailure(g_App.mainWindow, path, written.error);
  } else {
    // As File, Open: the file read back becomes the sample, shown and cut into words.
    Mode4_OpenSample(W(Text_FromUtf8(path)));
  }
  App_Trace("Mode4_PractiseWeakKeys Exited");
}
