// Word lists into the screens: the two list boxes of modes 1 and 2, the custom words list view
// of mode 3, and the Custom mode command's enabled state.
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "app/wide_text.h"
#include "common/modes.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "training/training_win.h"
#include "training/word_lists.h"
#include "typing/words.h"

TrainingScreen g_Training;

namespace {

// A visible list that repaints after every new entry takes seconds for a few thousand: lists are
// filled with redrawing off and repainted once.
void StopRedraw(HWND list) { SendMessageW(list, WM_SETREDRAW, FALSE, 0); }
void Redraw(HWND list) {
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void FillListBox(HWND listBox, WordList list, int language) {
  if (!listBox) return;
  const std::vector<Text16> entries = App_LoadWordList(list, language);
  StopRedraw(listBox);
  SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  SendMessageW(listBox, LB_INITSTORAGE, entries.size(), entries.size() * 16 * sizeof(wchar_t));
  for (const Text16& entry : entries) SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(entry)));
  Redraw(listBox);
}

}  // namespace

void Mode12_LoadWordLists(int mode, int language) {
  if (!Mode_IsHandPractice(mode)) return;
  // Each list box is emptied, then filled, by FillListBox.
  FillListBox(g_Training.leftList, mode == kModeHands ? WordList::LeftHand : WordList::LeftToRight, language);
  FillListBox(g_Training.rightList, mode == kModeHands ? WordList::RightHand : WordList::RightToLeft, language);
}

