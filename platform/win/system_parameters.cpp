#include "platform/win/system_parameters.h"

#include <cstring>

#include "platform/win/system_metrics.h"

namespace {

// The interface font of the classic look: 8-point sans serif, bold for captions.
LOGFONT interface_font(LONG weight) {
  LOGFONT f{};
  f.lfHeight = -11;
  f.lfWeight = weight;
  f.lfCharSet = EASTEUROPE_CHARSET;
  f.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(f.lfFaceName, "MS Sans Serif");
  return f;
}

}  // namespace

BOOL SystemParametersInfo(UINT uiAction, UINT, void* pvParam, UINT) {
  if (!pvParam) return FALSE;
  switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(pvParam);
      if (m->cbSize != sizeof(NONCLIENTMETRICS)) return FALSE;
      m->iBorderWidth = GetSystemMetrics(SM_CXBORDER);
      m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
      m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
      m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
      m->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
      m->lfCaptionFont = interface_font(FW_BOLD);
      m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
      m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
      m->lfSmCaptionFont = interface_font(FW_BOLD);
      m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
      m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
      m->lfMenuFont = interface_font(FW_NORMAL);
      m->lfStatusFont = interface_font(FW_NORMAL);
      m->lfMessageFont = interface_font(FW_NORMAL);
      return TRUE;
    }
    case SPI_GETWORKAREA:
      *static_cast<RECT*>(pvParam) = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: *static_cast<UINT*>(pvParam) = 4; return TRUE;
    case SPI_GETMOUSEHOVERTIME: *static_cast<UINT*>(pvParam) = 400; return TRUE;
    default: return FALSE;
  }
}
