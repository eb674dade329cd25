// The colour legend of the detailed statistics (dialog IDD_COLOR_LEGEND, a double click on the
// list), and the colours of the hands' word classes it explains.
#include <windows.h>

#include <cstdint>

#include "app/strings_win.h"
#include "app/wide_text.h"
#include "exam/detailed_stats_win.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "typing/words.h"

namespace {

constexpr COLORREF kCustomWordColor = RGB(255, 215, 174);

// The colour legend's swatches and their brushes while the dialog is shown.
struct LegendBrushes {
  HBRUSH brush[5] = {};
};
LegendBrushes s_Legend;

constexpr struct {
  int caption;
  UINT text;
  int swatch;
  int16_t category;
} kLegendRows[5] = {
    {IDC_LEGEND_CUSTOM_TEXT, IDS_LEGEND_CUSTOM, IDC_LEGEND_CUSTOM_COLOR, kWordCustom},
    {IDC_LEGEND_LH_TEXT, IDS_LEGEND_LH, IDC_LEGEND_LH_COLOR, kWordLeftHand},
    {IDC_LEGEND_L2R_TEXT, IDS_LEGEND_L2R, IDC_LEGEND_L2R_COLOR, kWordLeftToRight},
    {IDC_LEGEND_R2L_TEXT, IDS_LEGEND_R2L, IDC_LEGEND_R2L_COLOR, kWordRightToLeft},
    {IDC_LEGEND_RH_TEXT, IDS_LEGEND_RH, IDC_LEGEND_RH_COLOR, kWordRightHand},
};

void DeleteLegendBrushes() {
  for (HBRUSH& brush : s_Legend.brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
}

}  // namespace

COLORREF Mode4_ClassColor(int16_t category) {
  switch (category) {
    case kWordLeftHand: return g_Settings.DS_LHColor;
    case kWordRightHand: return g_Settings.DS_RHColor;
    case kWordLeftToRight: return g_Settings.DS_L2RColor;
    case kWordRightToLeft: return g_Settings.DS_R2LColor;
    default: return kCustomWordColor;
  }
}

INT_PTR CALLBACK Mode4_ColorLegendProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      Text16 title = App_StringText(IDS_COLOR_LEGEND, g_Settings.Language);
      SetWindowTextW(dialog, W(title));
      DeleteLegendBrushes();
      for (int i = 0; i < 5; ++i) {
        Text16 caption = App_StringText(kLegendRows[i].text, g_Settings.Language);
        SetDlgItemTextW(dialog, kLegendRows[i].caption, W(caption));
        s_Legend.brush[i] = CreateSolidBrush(Mode4_ClassColor(kLegendRows[i].category));
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      for (int i = 0; i < 5; ++i) {
        if (id == kLegendRows[i].swatch && s_Legend.brush[i]) return reinterpret_cast<INT_PTR>(s_Legend.brush[i]);
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      DeleteLegendBrushes();
      return FALSE;
    default:
      return FALSE;
  }
}
