// The live keyboard: a child window that paints the keyboard of the language and repaints only
// the keys whose look changes as the learner types.
#include <windows.h>

#include <algorithm>

#include "app/app.h"
#include "app/dpi.h"
#include "app/strings_win.h"
#include "app/toolbar_win.h"
#include "app/wide_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/keyboard_guide.h"
#include "typing/keyboard_view_win.h"
#include "typing/mistake_marks.h"

namespace {

constexpr wchar_t kClassName[] = L"KeyboardView";
constexpr UINT kWrongKeyMs = 1000;  // how long a wrong key stays lit
constexpr COLORREF kBackground = RGB(96, 96, 96);
constexpr COLORREF kEdge = RGB(60, 60, 60);
constexpr COLORREF kInk = RGB(17, 17, 17);
constexpr COLORREF kLitKey = RGB(31, 78, 156);
constexpr COLORREF kLitInk = RGB(255, 255, 255);
constexpr size_t kMaxKeys = 80;

struct KeyboardViewState {
  HWND window = nullptr;
  int language = 0;                  // the layout drawn
  KeyboardGuide guide;
  char16_t next = 0;                 // what the guide shows the way to
  char16_t wrong = 0;                // a wrong character whose key is lit for a moment
  char16_t right = 0;                // the character it was typed for, lit beside it meanwhile
  KeyBox boxes[kMaxKeys] = {};
  SIZE size = {};                    // of the client area the boxes were made for
  HFONT letters = nullptr, small = nullptr;
};
KeyboardViewState s_View;
// The look of each key in a course, kept apart from the view: it outlives a view that is made
// again (a hidden keyboard shown, a new size).
KeyCourseLookOf s_CourseLook = nullptr;
constexpr COLORREF kFocusEdge = RGB(255, 170, 0);
constexpr COLORREF kBarTrack = RGB(70, 70, 70);
constexpr COLORREF kBarFill = RGB(60, 190, 80);
constexpr COLORREF kLockedInk = RGB(120, 120, 120);

const KeyboardLayout& Layout() { return Keyboard_Of(s_View.language); }

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

HFONT MakeFont(int pixels, int weight) {
  LOGFONTW lf = {};
  lf.lfHeight = -pixels;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, kTextFace, LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

// The boxes and fonts for the client area and the language, made again when either changed.
void Measure() {
  RECT rc;
  GetClientRect(s_View.window, &rc);
  const SIZE size = {rc.right, rc.bottom};
  if (s_View.language == g_Settings.Language && size.cx == s_View.size.cx && size.cy == s_View.size.cy) return;
  s_View.language = g_Settings.Language;
  s_View.size = size;
  const KeyboardLayout& layout = Layout();
  if (layout.count <= kMaxKeys) Keyboard_Boxes(layout, size.cx, size.cy, s_View.boxes);
  const int row = size.cy / kKeyboardRows;
  for (HFONT font : {s_View.letters, s_View.small})
    if (font) DeleteObject(font);
  s_View.letters = MakeFont(row * 9 / 20, FW_SEMIBOLD);
  s_View.small = MakeFont(row * 7 / 20, FW_NORMAL);
}

RECT BoxRect(const KeyBox& b) { return {b.left, b.top, b.right, b.bottom}; }

// The space bar's row left and right of the bar: where the finger of the next key is named.
RECT FingerArea(bool left) {
  const KeyboardLayout& layout = Layout();
  for (size_t i = 0; i < layout.count && i < kMaxKeys; ++i) {
    if (layout.keys[i].special != KeySpecial::Space) continue;
    const KeyBox& b = s_View.boxes[i];
    return left ? RECT{2, b.top, b.left - 4, b.bottom} : RECT{b.right + 4, b.top, s_View.size.cx - 2, b.bottom};
  }
  return RECT{};
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// An arrow from (x1, y1) to (x2, y2) with its head at the end.
void Arrow(HDC dc, int x1, int y1, int x2, int y2, int head) {
  Line(dc, x1, y1, x2, y2);
  const int dx = x2 > x1 ? -head : x2 < x1 ? head : 0, dy = y2 > y1 ? -head : y2 < y1 ? head : 0;
  Line(dc, x2, y2, x2 + dx + dy, y2 + dy + dx);
  Line(dc, x2, y2, x2 + dx - dy, y2 + dy - dx);
}

// The symbol of a key without a character: drawn with lines, so that no font needs to have it.
void DrawSymbol(HDC dc, KeySpecial special, const RECT& r, COLORREF ink) {
  HPEN pen = CreatePen(PS_SOLID, 2, ink);
  HGDIOBJ previous = SelectObject(dc, pen);
  // The tall Enter's symbol stands in its upper row.
  const int h = (r.bottom - r.top) / (special == KeySpecial::EnterIso ? 2 : 1);
  const int cx = (r.left + r.right) / 2, cy = r.top + h / 2, head = h / 8 + 1;
  const int half = h / 4;
  switch (special) {
    case KeySpecial::Backspace: Arrow(dc, cx + half, cy, cx - half, cy, head); break;
    case KeySpecial::Tab: Arrow(dc, cx - half, cy, cx + half, cy, head); Line(dc, cx + half + 2, cy - head, cx + half + 2, cy + head + 1); break;
    case KeySpecial::Caps: Arrow(dc, cx, cy + half, cx, cy - half, head); Line(dc, cx - head, cy + half + 3, cx + head + 1, cy + half + 3); break;
    case KeySpecial::Shift: Arrow(dc, cx, cy + half, cx, cy - half, head + 1); break;
    case KeySpecial::Enter:
    case KeySpecial::EnterIso: {
      const int right = r.right - h / 3, y = cy;
      Line(dc, right, y - half, right, y);
      Arrow(dc, right, y, right - 2 * half, y, head);
      break;
    }
    default: break;
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// A key's labels: a letter's capital, or the two characters of its levels, or its symbol.
void DrawLabels(HDC dc, const KeyCap& key, const RECT& r, COLORREF ink) {
  if (key.special != KeySpecial::None && key.special != KeySpecial::Space) {
    DrawSymbol(dc, key.special, r, ink);
    return;
  }
  if (key.special == KeySpecial::Space) return;
  SetTextColor(dc, ink);
  const int pad = (r.bottom - r.top) / 8 + 2;
  RECT inner = {r.left + pad, r.top + 1, r.right - 1, r.bottom - pad / 2};
  if (key.shifted && Keyboard_Capital(key.normal) == key.shifted) {
    SelectObject(dc, s_View.letters);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(&key.shifted), 1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return;
  }
  SelectObject(dc, s_View.small);
  if (key.shifted) DrawTextW(dc, reinterpret_cast<const wchar_t*>(&key.shifted), 1, &inner, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
  if (key.normal) DrawTextW(dc, reinterpret_cast<const wchar_t*>(&key.normal), 1, &inner, DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
}

// A colour a third of the way from the keyboard's background to `colour`: a locked key.
COLORREF Dimmed(COLORREF colour) {
  auto mix = [](int from, int to) { return from + (to - from) / 3; };
  return RGB(mix(GetRValue(kBackground), GetRValue(colour)), mix(GetGValue(kBackground), GetGValue(colour)),
             mix(GetBValue(kBackground), GetBValue(colour)));
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// The course's marks over a key: the focus key's outline inside its edge, a taught key's bar.
void PaintCourseMarks(HDC dc, const RECT& r, const KeyCourseLook& course) {
  const int h = r.bottom - r.top, w = r.right - r.left;
  if (course.focus) {
    HPEN pen = CreatePen(PS_SOLID, 3, kFocusEdge);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2, h / 5, h / 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
  }
  if (!course.taught) return;
  const int pad = w / 6 + 1, bar = std::max(2, h / 10);
  const RECT track = {r.left + pad, r.bottom - 3 - bar, r.right - pad, r.bottom - 3};
  Fill(dc, track, kBarTrack);
  const double c = std::clamp(course.confidence, 0.0, 1.0);
  const RECT filled = {track.left, track.top, track.left + static_cast<LONG>((track.right - track.left) * c), track.bottom};
  if (filled.right > filled.left) Fill(dc, filled, kBarFill);
}

void PaintKey(HDC dc, size_t i) {
  const KeyCap& key = Layout().keys[i];
  const RECT r = BoxRect(s_View.boxes[i]);
  const KeyLook look = Keyboard_LookOf(s_View.guide, static_cast<int>(i));
  const bool character = key.normal || key.shifted;
  const KeyCourseLook course = s_CourseLook ? s_CourseLook(key) : KeyCourseLook();
  const COLORREF plain =
      FromRgb(character ? kFingerColours[Keyboard_FingerColourIndex(key.finger)] : kSpecialKeyColour);
  const COLORREF body = look == KeyLook::Wrong ? FromRgb(kErrorColour)
                        : look == KeyLook::Next ? kLitKey
                        : course.locked         ? Dimmed(plain)
                                                : plain;
  HBRUSH brush = CreateSolidBrush(body);
  // The home keys are outlined, as on the keyboard page.
  HPEN pen = CreatePen(PS_SOLID, key.home ? 3 : 1, key.home ? kInk : kEdge);
  HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
  const int corner = (r.bottom - r.top) / 5;
  RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  DrawLabels(dc, key, r, look != KeyLook::Plain ? kLitInk : course.locked ? kLockedInk : kInk);
  PaintCourseMarks(dc, r, course);
}

// The finger of the next key, beside the space bar on its hand's side (a thumb's on the right).
void PaintFinger(HDC dc) {
  if (!s_View.guide.hasFinger) return;
  const Finger finger = s_View.guide.finger;
  const Text16 name = App_StringText(IDS_FINGER_FIRST + static_cast<UINT>(finger), g_Settings.Language);
  RECT area = FingerArea(finger < Finger::Thumbs);
  SelectObject(dc, s_View.small);
  SetTextColor(dc, kLitInk);
  const UINT side = finger <= Finger::LeftIndex ? DT_RIGHT : DT_LEFT;
  DrawTextW(dc, W(name), static_cast<int>(name.size()), &area, DT_WORDBREAK | DT_NOPREFIX | side);
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  Measure();
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &ps.rcPaint, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(dc, s_View.small);
  const KeyboardLayout& layout = Layout();
  for (size_t i = 0; i < layout.count && i < kMaxKeys; ++i) {
    const RECT r = BoxRect(s_View.boxes[i]);
    RECT overlap;
    if (IntersectRect(&overlap, &r, &ps.rcPaint)) PaintKey(dc, i);
  }
  PaintFinger(dc);
  SelectObject(dc, previous);
  EndPaint(window, &ps);
  return 0;
}


// A key as its window text names it: its character (a letter's capital), or the name of a key
// without one.
Text16 KeyName(int16_t key) {
  if (key < 0) return Text16();
  const KeyCap& cap = Layout().keys[key];
  switch (cap.special) {
    case KeySpecial::Backspace: return u"Backspace";
    case KeySpecial::Tab: return u"Tab";
    case KeySpecial::Caps: return u"Caps Lock";
    case KeySpecial::Enter: case KeySpecial::EnterIso: return u"Enter";
    case KeySpecial::Shift: return u"Shift";
    case KeySpecial::Space: return App_StringText(IDS_KEYS_SPACE, g_Settings.Language);
    case KeySpecial::None: break;
  }
  const char16_t capital = Keyboard_Capital(cap.normal);
  return Text16(1, capital && capital == cap.shifted ? capital : cap.normal);
}

// The window's text says what the keyboard shows, for a screen reader: "H + Shift, Right index
// finger", and the key hit wrongly after a "!". Made when asked for, not stored on every key.
Text16 Name() {
  const KeyboardGuide& g = s_View.guide;
  Text16 text = KeyName(g.next);
  if (g.shift >= 0) text += u" + " + KeyName(g.shift);
  if (g.hasFinger) text += u", " + App_StringText(IDS_FINGER_FIRST + static_cast<UINT>(g.finger), g_Settings.Language);
  if (g.wrong >= 0) text += u" ! " + KeyName(g.wrong);
  return text;
}

LRESULT OnGetText(WPARAM capacity, LPARAM buffer, bool lengthOnly) {
  const Text16 text = Name();
  if (lengthOnly) return static_cast<LRESULT>(text.size());
  if (!buffer || capacity == 0) return 0;
  const size_t n = std::min<size_t>(text.size(), capacity - 1);
  wchar_t* out = reinterpret_cast<wchar_t*>(buffer);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(text[i]);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

// The guide to the next character, with the keys whose look changed repainted (all of them when
// the language changed).
void Refresh() {
  const bool relaid = s_View.language != g_Settings.Language;
  Measure();
  const KeyboardGuide guide = Keyboard_Guide(Layout(), s_View.wrong ? s_View.right : s_View.next, s_View.wrong);
  int16_t keys[kMaxChangedKeys];
  const size_t changed = Keyboard_ChangedKeys(s_View.guide, guide, keys);
  const bool fingerChanged = guide.hasFinger != s_View.guide.hasFinger || guide.finger != s_View.guide.finger;
  s_View.guide = guide;
  if (relaid) {
    InvalidateRect(s_View.window, nullptr, FALSE);
    return;
  }
  // One region for all that changed: each invalidation is a round trip to the window system.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  auto add = [&](const RECT& r) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  };
  for (size_t i = 0; i < changed; ++i)
    if (keys[i] >= 0 && static_cast<size_t>(keys[i]) < kMaxKeys) add(BoxRect(s_View.boxes[keys[i]]));
  if (fingerChanged) {
    for (bool left : {true, false}) add(FingerArea(left));
  }
  if (changed || fingerChanged) InvalidateRgn(s_View.window, region, FALSE);
  DeleteObject(region);
}

LRESULT CALLBACK KeyboardViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint(window);
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return OnGetText(wParam, lParam, message == WM_GETTEXTLENGTH);
    case WM_SIZE:
      Measure();
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_TIMER:
      if (wParam == ID_TIMER_WRONG_KEY) {
        KillTimer(window, ID_TIMER_WRONG_KEY);
        s_View.wrong = 0;
        Refresh();
      }
      return 0;
    case WM_NCDESTROY:
      for (HFONT font : {s_View.letters, s_View.small})
        if (font) DeleteObject(font);
      if (s_View.window == window) s_View = KeyboardViewState();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

namespace {

// The view, made when the keyboard is first shown on a screen.
HWND MakeView() {
  static ATOM registered = 0;
  if (!registered) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = KeyboardViewProc;
    wc.hInstance = g_App.instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.lpszClassName = kClassName;
    registered = RegisterClassExW(&wc);
  }
  s_View = KeyboardViewState();
  s_View.window = CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 0, 0, g_App.mainWindow,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_KEYBOARD_VIEW)), g_App.instance,
                                  nullptr);
  return s_View.window;
}

}  // namespace

void App_KeyboardParts(int width, FitPart* gapAndKeyboard) {
  const bool shown = g_Settings.ShowKeyboard != 0;
  const int natural = Keyboard_NaturalHeight(width);
  gapAndKeyboard[0] = shown ? FitPart{kKeyboardGap, kKeyboardGap} : FitPart{0, 0};
  gapAndKeyboard[1] = shown ? FitPart{natural, std::min(natural, kKeyboardLeast)} : FitPart{0, 0};
}

int App_KeyboardBlock(int width) { return g_Settings.ShowKeyboard ? kKeyboardGap + Keyboard_NaturalHeight(width) : 0; }

void App_PlaceKeyboardView(int x, int y, int width, int height) {
  // The view exists only while it is shown: a hidden keyboard leaves the screen as it was.
  if (!g_Settings.ShowKeyboard || height <= 0) {
    if (s_View.window) DestroyWindow(s_View.window);
    return;
  }
  if (!s_View.window && !MakeView()) return;
  App_PlaceControl(s_View.window, x, y, width, height);
  ShowWindow(s_View.window, SW_SHOWNA);
}

void App_SetKeyboardCourse(KeyCourseLookOf lookOf) {
  s_CourseLook = lookOf;
  if (s_View.window) InvalidateRect(s_View.window, nullptr, FALSE);
}

void App_GuideKeyboard(char16_t next, char16_t wrong) {
  if (!s_View.window) return;
  // A wrong key stays lit for its moment beside the key it was typed for (the one lit before
  // it), whatever the next characters' guides say meanwhile.
  if (wrong) {
    if (!s_View.wrong) s_View.right = s_View.next;
    s_View.wrong = wrong;
    SetTimer(s_View.window, ID_TIMER_WRONG_KEY, kWrongKeyMs, nullptr);
  }
  s_View.next = next;
  Refresh();
}
