// A test's start and stop on the screen: toolbar images and states, menu texts, the six
// statistics rows, the history row of a stopped test; and the row figures of the custom words
// list.
#include "settings/settings.h"
#include "typing/keystrokes.h"
#include "typing/typing_win.h"

#include <commctrl.h>

namespace {

void SetCellText(HWND list, int row, int column, const Text16& text) {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(W(text));
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void Mode4_ShowFigures(const TestFigures& figures) {
  for (int row = 0; row < figures.rows && row < 6; ++row) {
    Text16 label;
    if (figures.labelIds[row]) {
      // Copied at once: the string lookup reuses one buffer.
      label = T16(App_LoadString(figures.labelIds[row], g_Settings.Language));
    }
    if (g_Mode4.labels[row]) SetWindowTextW(g_Mode4.labels[row], W(label));
    if (g_Mode4.values[row]) SetWindowTextW(g_Mode4.values[row], W(figures.values[row]));
  }
}

namespace {

// Every start and stop of a test on the screen passes here. The typing rules stop a test only
// when the sample is complete; the Start/Stop command stops it before.
void ToggleTest(bool completes) {
  App_InstallTypingHost();
  const bool stopping = g_Typing.testRunning != 0;
  if (!stopping) {
    // The report and the detailed statistics describe the last finished test only.
    App_EnableMenuCommand(IDM_DETAILED_STATS, false);
    App_EnableMenuCommand(IDM_HTML_REPORT, false);
  }
  const TestFigures figures = Mode4_ToggleTestState();
  Mode4_ShowFigures(figures);
  if (stopping) Mode4_AppendHistory(figures, completes);
}

}  // namespace

void Mode4_ToggleTest() { ToggleTest(true); }

void Mode4_OnStartStopCommand() {
  App_InstallTypingHost();
  // The button's image tells whether a test runs.
  const int image = App_GetButtonImage(IDT_START_STOP);
  if (image == IMG_START) {
    App_SetButtonImage(IDT_START_STOP, IMG_STOP);
    App_SetButtonState(IDT_OPEN, TBSTATE_INDETERMINATE);
    ToggleTest(false);
    g_Typing.testRunning = 1;
    App_SetMenuText(IDM_START_TEST, IDS_STOP_TEST);
  } else if (image == IMG_STOP) {
    App_SetButtonImage(IDT_START_STOP, IMG_START);
    App_SetButtonState(IDT_OPEN, TBSTATE_ENABLED);
    App_SetButtonState(IDT_STATISTICS, TBSTATE_ENABLED);
    ToggleTest(false);
    g_Typing.testRunning = 0;
    App_SetMenuText(IDM_START_TEST, IDS_START_TEST);
  }
}

void Mode4_CompletionUi() {
  App_SetButtonImage(IDT_START_STOP, IMG_START);
  App_SetButtonState(IDT_OPEN, TBSTATE_ENABLED);
  App_SetButtonState(IDT_STATISTICS, TBSTATE_ENABLED);
  App_SetMenuText(IDM_START_TEST, IDS_START_TEST);
  App_EnableMenuCommand(IDM_DETAILED_STATS, true);
  App_EnableMenuCommand(IDM_HTML_REPORT, true);
}

void Mode3_UpdateWordRow(int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= g_Words.customWords.size()) return;
  HWND list = g_Training.customList;
  if (!list) return;
  const CustomWordRecord& record = g_Words.customWords[static_cast<size_t>(index)];
  // The first row showing the word, letter case ignored.
  LVFINDINFOW find = {};
  find.flags = LVFI_STRING;
  find.psz = W(record.word);
  const LRESULT row = SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
  if (row < 0) return;
  WordRowFigures figures;
  if (!Mode3_WordRowFigures(record, figures)) return;
  SetCellText(list, static_cast<int>(row), 2, figures.speed);
  SetCellText(list, static_cast<int>(row), 3, figures.errors);
  SetCellText(list, static_cast<int>(row), 4, figures.count);
}
