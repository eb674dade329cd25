// The Course screen: each lesson built for the learner's progress, typed as a test; a completed
// lesson's key figures go to the course, which may unlock the next key, and the next lesson
// follows at once.
#include <windows.h>

#include <cmath>
#include <string>

#include "app/app.h"
#include "app/dpi.h"
#include "app/strings_win.h"
#include "app/wide_text.h"
#include "common/modes.h"
#include "course/course.h"
#include "exam/course_screen_win.h"
#include "exam/exam_screen_win.h"
#include "exam/sample_text.h"
#include "exam/sample_view_win.h"
#include "exam/start_stop_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/figures.h"
#include "typing/keyboard_view_win.h"
#include "typing/typing_win.h"

namespace {

// The progress panel under the statistics panel (96 DPI), and the least of it a small display
// keeps; the progress text stands inside it.
constexpr RECT kProgressPanel = {555, 320, 770, 570};
constexpr int kProgressLeast = 150;
constexpr int kProgressPad = 12, kBottomMargin = 10;
// Where the statistics values end: inside the client area of the wide form (807 less its frame).
constexpr int kValuesRight = 785;
// The lesson's last key is in the typing area by then: the next lesson replaces it.
constexpr UINT kNextLessonMs = 50;

struct CourseScreenState {
  HWND progress = nullptr;  // IDC_COURSE_PROGRESS
  HBRUSH panel = nullptr;   // the progress text's background: the panel's colour
  int panelBottom = kProgressPanel.bottom;
  CourseView view;          // the course as the last lesson left it
  char16_t newKey = 0;      // the key the last lesson unlocked
  bool notSaved = false;    // the last lesson's progress could not be written
};
CourseScreenState s_Screen;

Text16 Number(double value) { return App_FormatInt(std::llround(value)); }

Text16 KeyText(char16_t key, int language) {
  return key == kCourseCapitals ? App_StringText(IDS_COURSE_CAPITALS, language) : Text16(1, key);
}

// The progress, a fact a line: the lesson, the keys taught, the focus key against the targets,
// the key just unlocked, and what became of the progress file.
Text16 ProgressText(int language) {
  if (g_Course.words.words.empty()) return App_StringText(IDS_COURSE_NO_WORDS, language);
  const CourseView& v = s_Screen.view;
  auto line = [&](UINT id, std::initializer_list<Text16> values) {
    return Text_Fill(App_StringText(id, language), values) + u"\r\n";
  };
  Text16 text = line(IDS_COURSE_LESSON, {Number(v.lessons + 1)});
  text += line(IDS_COURSE_KEYS, {Number(static_cast<double>(v.unlocked)), Number(static_cast<double>(v.keys.size()))});
  Text16 keys;
  for (const CourseKeyView& k : v.keys)
    if (k.unlocked) keys += (keys.empty() ? u"" : u" ") + KeyText(k.key, language);
  text += keys + u"\r\n";
  if (v.focus) {
    const CourseStanding& s = v.standing;
    text += App_StringText(IDS_COURSE_FOCUS, language) + KeyText(v.focus, language) + u"\r\n";
    text += line(IDS_COURSE_SPEED, {Number(s.cpm), Number(v.targets.cpm)});
    text += line(IDS_COURSE_ACCURACY, {Number(s.accuracy), Number(v.targets.accuracy)});
    text += line(IDS_COURSE_KEYSTROKES, {Number(std::floor(s.keystrokes)), Number(kCourseObservations)});
  }
  if (s_Screen.newKey) text += App_StringText(IDS_COURSE_NEW_KEY, language) + KeyText(s_Screen.newKey, language) + u"\r\n";
  if (v.unlocked == v.keys.size()) text += App_StringText(IDS_COURSE_ALL_KEYS, language) + u"\r\n";
  if (g_Course.unreadable) text += App_StringText(IDS_COURSE_UNREADABLE, language) + u"\r\n";
  else if (g_Course.damaged) text += App_StringText(IDS_COURSE_DAMAGED, language) + u"\r\n";
  if (s_Screen.notSaved) text += App_StringText(IDS_COURSE_NOT_SAVED, language) + u"\r\n";
  return text;
}

void ShowProgress(int language) {
  if (s_Screen.progress) SetWindowTextW(s_Screen.progress, W(ProgressText(language)));
}

KeyCourseLook LookOf(const KeyCap& cap) {
  // Space, Enter, Backspace, Tab and Caps Lock are no keys of the course and keep their look.
  if (!cap.normal && !cap.shifted && cap.special != KeySpecial::Shift) return {};
  const CourseKeyView k = Course_ViewOfCap(s_Screen.view, cap);
  return {!k.unlocked, k.focus, k.unlocked, k.confidence};
}

// The next lesson of the course as the sample, named as History.csv keeps it.
void LoadLesson() {
  // Without its words the language has no lesson to give: the screen says so and shows none.
  const CourseLesson lesson =
      g_Course.words.words.empty() ? CourseLesson() : Course_NextLesson(g_Course, GetTickCount());
  g_Sample.fileName = "Lesson " + std::to_string(Course_LessonNumber(g_Course));
  Mode4_UseSampleText(lesson.text);
  s_Screen.view = Course_View(g_Course);
  ShowProgress(g_Settings.Language);
  App_SetKeyboardCourse(LookOf);
}

// A completed lesson: its test's stop, then its key figures to the course; the next lesson comes
// once the edit control has put the last key in.
void OnLessonCompleted(const TestFigures& figures) {
  Mode4_ShowTestStop(figures, true);
  const CourseLessonDone done = Course_FinishLesson(g_Course, g_Typing.keys);
  s_Screen.newKey = done.unlocked;
  s_Screen.notSaved = !done.saved.ok;
  if (g_App.mainWindow) SetTimer(g_App.mainWindow, ID_TIMER_NEXT_LESSON, kNextLessonMs, nullptr);
}

// The statistics panel is always in sight on this screen: its labels stay while a lesson runs.
TestFigures Labelled(const TestFigures& figures) {
  TestFigures labelled = figures;
  labelled.rows = kFigureRows;
  for (int row = 0; row < kFigureRows; ++row) labelled.labelIds[row] = kFigureLabelIds[row];
  return labelled;
}

void OnLessonStarted(const TestFigures& blank) { Mode4_ShowTestStart(Labelled(blank)); }

const TypingAreaHooks kHooks = {.testStarted = OnLessonStarted, .testCompleted = OnLessonCompleted};

void OnTimer(UINT_PTR id) {
  if (id != ID_TIMER_NEXT_LESSON) return;
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_NEXT_LESSON);
  if (g_Settings.Mode != kModeCourse || !s_Screen.progress) return;
  LoadLesson();
  App_ClearTypingArea();
}

int LeastRoom() {
  const int progress = kProgressPanel.top + kProgressLeast + kBottomMargin;
  const int texts = Mode4_LeastRoom();
  return texts > progress ? texts : progress;
}

int SupportLinkX() { return Mode4_WideLinkX(); }

void LayOut() {
  Mode4_LayOutControls();
  // The panel ends where the room does on a small display, never under its least.
  const int room = App_ScreenRoom() - kBottomMargin;
  int bottom = kProgressPanel.bottom < room ? kProgressPanel.bottom : room;
  if (bottom < kProgressPanel.top + kProgressLeast) bottom = kProgressPanel.top + kProgressLeast;
  // The panel's old and new extent are painted again: its bottom follows the room.
  const int painted = bottom > s_Screen.panelBottom ? bottom : s_Screen.panelBottom;
  s_Screen.panelBottom = bottom;
  App_PlaceControl(s_Screen.progress, kProgressPanel.left + kProgressPad, kProgressPanel.top + kProgressPad,
                   kProgressPanel.right - kProgressPanel.left - 2 * kProgressPad, bottom - kProgressPanel.top - 2 * kProgressPad,
                   g_TypingScreen.font);
  HWND window = g_App.mainWindow;
  const RECT panel = {App_Scale(window, kProgressPanel.left), App_Scale(window, kProgressPanel.top),
                      App_Scale(window, kProgressPanel.right), App_Scale(window, painted)};
  RedrawWindow(window, &panel, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void BuildScreen(int) {
  Mode4_MakeControls(kHooks, kValuesRight);
  s_Screen.progress = App_CreateChild(L"STATIC", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, IDC_COURSE_PROGRESS);
  s_Screen.panel = CreateSolidBrush(g_Settings.BS_BackgroundColor);
  LayOut();
  Course_Open(g_Course, g_Settings.Language, Course_TargetsOf(g_Settings));
  s_Screen.newKey = 0;
  s_Screen.notSaved = false;
  LoadLesson();
  Mode4_ShowFigures(Labelled(TestFigures()));
}

void Forget() {
  if (g_App.mainWindow) KillTimer(g_App.mainWindow, ID_TIMER_NEXT_LESSON);
  Mode4_ForgetControls();
  App_SetKeyboardCourse(nullptr);
  if (s_Screen.panel) DeleteObject(s_Screen.panel);
  s_Screen = CourseScreenState();
}

void Paint(HDC dc) {
  Mode4_PaintStatsPanel(dc);
  RECT panel = kProgressPanel;
  panel.bottom = s_Screen.panelBottom;
  Mode4_PaintPanel(dc, panel);
}

HBRUSH ColorStatic(HWND control, HDC dc) {
  if (control && control == s_Screen.progress) {
    SetBkColor(dc, static_cast<COLORREF>(g_Settings.BS_BackgroundColor));
    return s_Screen.panel;
  }
  return Mode4_ColorStatic(control, dc);
}

void Localize(int language) { ShowProgress(language); }

HWND TypingArea() { return Mode4_TypingArea(); }

}  // namespace

const ScreenOps kCourseScreen = {
    .mode = kModeCourse,
    .firstWidth = kTestsWideWidth,
    .windowSize = Mode4_WideSize,
    .leastRoom = LeastRoom,
    .supportLinkX = SupportLinkX,
    .build = BuildScreen,
    .localize = Localize,
    .forget = Forget,
    .typingArea = TypingArea,
    .paint = Paint,
    .colorStatic = ColorStatic,
    .typingChanged = Mode4_OnTypingChanged,
    .typingReset = Mode4_OnTypingReset,
    .layout = LayOut,
    .timer = OnTimer,
};
