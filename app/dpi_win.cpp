// The display scale: the window's DPI and the one scaling of a 96-DPI figure. Per-monitor
// awareness itself is declared in the manifest (resources/program.manifest.in).
#include <windows.h>

#include "app/dpi.h"

namespace {

// user32's per-monitor calls (Windows 10 1607 and later), or null where the system lacks them.
struct DpiCalls {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  int(WINAPI* metricForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* parametersForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
};

template <typename Function>
void Find(HMODULE user32, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

const DpiCalls& Calls() {
  static const DpiCalls calls = [] {
    DpiCalls found;
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
      Find(user32, "GetDpiForWindow", found.dpiForWindow);
      Find(user32, "GetSystemMetricsForDpi", found.metricForDpi);
      Find(user32, "SystemParametersInfoForDpi", found.parametersForDpi);
    }
    return found;
  }();
  return calls;
}

}  // namespace

int App_WindowDpi(HWND window) {
  if (window && Calls().dpiForWindow) {
    if (const UINT dpi = Calls().dpiForWindow(window)) return static_cast<int>(dpi);
  }
  // Windows 7 and 8: one DPI for the whole system, the device context's.
  HDC dc = GetDC(window);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) ReleaseDC(window, dc);
  return dpi > 0 ? dpi : kBaseDpi;
}

int App_Scale(HWND window, int value) { return MulDiv(value, App_WindowDpi(window), kBaseDpi); }

int App_Metric(HWND window, int index) {
  if (Calls().metricForDpi) return Calls().metricForDpi(index, static_cast<UINT>(App_WindowDpi(window)));
  return GetSystemMetrics(index);
}

void App_PlaceControl(HWND control, int x, int y, int width, int height, HFONT font) {
  if (!control) return;
  HWND parent = GetParent(control);
  MoveWindow(control, App_Scale(parent, x), App_Scale(parent, y), App_Scale(parent, width), App_Scale(parent, height),
             TRUE);
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

namespace {

bool IconTitleFont(int dpi, LOGFONTW& font) {
  if (Calls().parametersForDpi)
    return Calls().parametersForDpi(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0, static_cast<UINT>(dpi)) != 0;
  return SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0) != 0;
}

// The height of a font's character cell in pixels.
int CellHeight(const LOGFONTW& description) {
  HFONT font = CreateFontIndirectW(&description);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return metrics.tmHeight;
}

}  // namespace

HFONT App_ListFont(HWND window) {
  LOGFONTW font = {}, at96 = {};
  const int dpi = App_WindowDpi(window);
  if (!IconTitleFont(dpi, font)) return nullptr;
  // A row is the text's height and a margin of fixed pixels: with letters no taller than in
  // proportion to 96 DPI, a list of a scaled height shows at least its rows at 96 DPI (a font
  // rounded up to whole pixels would cost one).
  if (dpi != kBaseDpi && IconTitleFont(kBaseDpi, at96)) {
    const int most = MulDiv(CellHeight(at96), dpi, kBaseDpi);
    const LONG sign = font.lfHeight < 0 ? -1 : 1;
    while (font.lfHeight * sign > 1 && CellHeight(font) > most) font.lfHeight -= sign;
  }
  return CreateFontIndirectW(&font);
}
