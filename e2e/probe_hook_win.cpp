// kfprobehook.dll: the probe hooks the tutor's thread with it (WH_CALLWNDPROC), so that Windows
// loads it into the tutor's process, where a control's font can be used: on the registered
// message "KfProbeMeasureText" it measures the control's text with the control's own font, as
// the control draws it, and leaves the sizes in the shared block "KfProbeMeasure" for the probe.
#include <windows.h>

#include "e2e/probe_measure.h"

namespace {

void Measure(HWND control) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kProbeMeasureBlock);
  if (!mapping) return;
  auto* out = static_cast<ProbeMeasure*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeMeasure)));
  if (out) {
    wchar_t text[1024] = {};
    const int length = GetWindowTextW(control, text, 1024);
    wchar_t cls[64] = {};
    GetClassNameW(control, cls, 64);
    // Statics and buttons show "&" as the underline of the next letter; edits show it.
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool isStatic = lstrcmpiW(cls, L"Static") == 0;
    const UINT prefix = lstrcmpiW(cls, L"Edit") == 0 || (isStatic && (style & SS_NOPREFIX)) ? DT_NOPREFIX : 0;
    RECT client = {};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    RECT line = {0, 0, 0, 0};
    DrawTextW(dc, text, length, &line, DT_CALCRECT | DT_SINGLELINE | prefix);
    // A list box: its widest entry in sight instead (its window has no text).
    if (lstrcmpiW(cls, L"ListBox") == 0) {
      const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
      const LRESULT itemHeight = SendMessageW(control, LB_GETITEMHEIGHT, 0, 0);
      const LRESULT top = SendMessageW(control, LB_GETTOPINDEX, 0, 0);
      const LRESULT shown = itemHeight > 0 ? (client.bottom - client.top) / itemHeight + 1 : 0;
      for (LRESULT i = top; i >= 0 && i < count && i < top + shown; ++i) {
        wchar_t entry[256] = {};
        if (SendMessageW(control, LB_GETTEXTLEN, i, 0) >= 256) continue;
        const int entryLength = static_cast<int>(SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry)));
        RECT size = {0, 0, 0, 0};
        DrawTextW(dc, entry, entryLength, &size, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        if (size.right > line.right) line = size;
      }
    }
    RECT wrapped = {0, 0, client.right - client.left, 0};
    DrawTextW(dc, text, length, &wrapped, DT_CALCRECT | DT_WORDBREAK | prefix);
    LOGFONTW description = {};
    if (font) GetObjectW(font, sizeof(description), &description);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    out->lineWidth = line.right - line.left;
    out->lineHeight = line.bottom - line.top;
    out->wrappedWidth = wrapped.right - wrapped.left;
    out->wrappedHeight = wrapped.bottom - wrapped.top;
    out->fontHeight = description.lfHeight;
    out->internalLeading = metrics.tmInternalLeading;
    out->ownFont = font != nullptr;
    out->done = TRUE;
    UnmapViewOfFile(out);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KfProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT message = RegisterWindowMessageW(kProbeMeasureMessage);
  if (code == HC_ACTION && lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == message) Measure(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
