// The Options dialog: its texts in the current language, the choices in and out, the reset.
#include <windows.h>

#include "app/app.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "app/write_failure_win.h"
#include "course/course.h"
#include "course/options_win.h"
#include "resources/resource.h"
#include "settings/options.h"
#include "settings/settings.h"
#include "typing/figures.h"

namespace {

// What this showing of the dialog has changed so far.
OptionsChanged s_Changed;

void SetText(HWND dialog, int id, UINT string) {
  SetDlgItemTextW(dialog, id, W(App_StringText(string, g_Settings.Language)));
}

Text16 ItemText(HWND dialog, int id) {
  wchar_t buffer[32] = {};
  GetDlgItemTextW(dialog, id, buffer, 32);
  return Text16(reinterpret_cast<const char16_t*>(buffer));
}

void OnInit(HWND dialog) {
  const int language = g_Settings.Language;
  SetWindowTextW(dialog, W(App_StringText(IDS_OPTIONS_CAPTION, language)));
  SetText(dialog, IDC_OPTIONS_ALERT, IDS_OPTIONS_ALERT);
  SetText(dialog, IDC_OPTIONS_KEYBOARD, IDS_OPTIONS_KEYBOARD);
  SetText(dialog, IDC_OPTIONS_COURSE, IDS_OPTIONS_COURSE);
  SetText(dialog, IDC_OPTIONS_SPEED_TEXT, IDS_OPTIONS_SPEED);
  SetText(dialog, IDC_OPTIONS_ACCURACY_TEXT, IDS_OPTIONS_ACCURACY);
  SetText(dialog, IDCANCEL, IDS_OPTIONS_CANCEL);
  const Text16 reset = Text_Fill(App_StringText(IDS_OPTIONS_RESET, language), {App_LanguageName(language)});
  SetDlgItemTextW(dialog, IDC_OPTIONS_RESET, W(reset));
  const OptionsChoice choice = Options_Of(g_Settings);
  CheckDlgButton(dialog, IDC_OPTIONS_ALERT, choice.alert ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_OPTIONS_KEYBOARD, choice.keyboard ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextW(dialog, IDC_OPTIONS_SPEED, W(choice.speed));
  SetDlgItemTextW(dialog, IDC_OPTIONS_ACCURACY, W(choice.accuracy));
  SendDlgItemMessageW(dialog, IDC_OPTIONS_SPEED, EM_LIMITTEXT, 6, 0);
  SendDlgItemMessageW(dialog, IDC_OPTIONS_ACCURACY, EM_LIMITTEXT, 6, 0);
}

// A number out of its range: said, and the field selected for another try.
void SayRange(HWND dialog, int id, int32_t min, int32_t max) {
  const int language = g_Settings.Language;
  const Text16 text = Text_Fill(App_StringText(IDS_OPTIONS_RANGE, language), {App_FormatInt(min), App_FormatInt(max)});
  g_MessageBox(dialog, W(text), W(App_StringText(IDS_OPTIONS_CAPTION, language)), MB_OK | MB_ICONEXCLAMATION);
  HWND field = GetDlgItem(dialog, id);
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
}

void OnOk(HWND dialog) {
  OptionsChoice choice;
  choice.alert = IsDlgButtonChecked(dialog, IDC_OPTIONS_ALERT) == BST_CHECKED;
  choice.keyboard = IsDlgButtonChecked(dialog, IDC_OPTIONS_KEYBOARD) == BST_CHECKED;
  choice.speed = ItemText(dialog, IDC_OPTIONS_SPEED);
  choice.accuracy = ItemText(dialog, IDC_OPTIONS_ACCURACY);
  const OptionsOutcome outcome = Options_Apply(g_Settings, choice);
  if (outcome.invalid == OptionsField::Speed) return SayRange(dialog, IDC_OPTIONS_SPEED, kMinCourseSpeed, kMaxCourseSpeed);
  if (outcome.invalid == OptionsField::Accuracy)
    return SayRange(dialog, IDC_OPTIONS_ACCURACY, kMinCourseAccuracy, kMaxCourseAccuracy);
  if (!outcome.saved.ok) App_ShowWriteFailure(dialog, App_SettingsPath(), outcome.saved.error);
  if (outcome.targetsChanged) Course_SetTargets(g_Course, Course_TargetsOf(g_Settings));
  s_Changed.keyboard = outcome.keyboardChanged;
  s_Changed.course = s_Changed.course || outcome.targetsChanged;
  EndDialog(dialog, IDOK);
}

// The course of the current language starts again, once the learner has said yes.
void OnReset(HWND dialog) {
  const int language = g_Settings.Language;
  const Text16 ask = Text_Fill(App_StringText(IDS_OPTIONS_RESET_ASK, language), {App_LanguageName(language)});
  if (g_MessageBox(dialog, W(ask), W(App_StringText(IDS_OPTIONS_CAPTION, language)), MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return;
  // The course held may be another language's, or none yet.
  if (g_Course.order.language != language || g_Course.order.keys.empty())
    Course_Open(g_Course, language, Course_TargetsOf(g_Settings));
  const FileWriteResult saved = Course_Reset(g_Course);
  if (!saved.ok) App_ShowWriteFailure(dialog, Dir_DataFile(Course_ProgressRelativePath(language)), saved.error);
  s_Changed.course = true;
  SetText(dialog, IDC_OPTIONS_RESET, IDS_OPTIONS_RESET_DONE);
  EnableWindow(GetDlgItem(dialog, IDC_OPTIONS_RESET), FALSE);
  SetFocus(GetDlgItem(dialog, IDOK));
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        case IDC_OPTIONS_RESET: OnReset(dialog); return TRUE;
        default: return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

OptionsChanged Options_Show(HWND owner) {
  s_Changed = OptionsChanged();
  DialogBoxParamW(g_App.instance, MAKEINTRESOURCEW(IDD_OPTIONS), owner, OptionsProc, 0);
  return s_Changed;
}
