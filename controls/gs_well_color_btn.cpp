#include "controls/gs_well_color_btn.h"

#include "platform/win/messages.h"
#include "platform/win/window_api.h"

IMPLEMENT_DYNAMIC(CGSWellColorBtn, SECWellButton)

namespace {

SECStdBtn* CreateWell() { return new CGSWellColorBtn; }

}  // namespace

const SECButtonClass CGSWellColorBtn::buttonClassCGSWellColorBtn = {&CreateWell};

CGSWellColorBtn::CGSWellColorBtn() = default;

CGSWellColorBtn::~CGSWellColorBtn() {
  if (m_hWnd) DestroyWindow();
}

BOOL CGSWellColorBtn::CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) {
  if (!SECWellButton::Create("", dwStyle & ~WS_VISIBLE, rect, pParentBar, nID)) return FALSE;
  SetColor(RGB(255, 0, 0));
  SetOtherColorsButton(TRUE);
  return TRUE;
}

LRESULT CGSWellColorBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      if (OnHostedLButtonDown(UINT(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      // While the bars are customized a click neither pushes the button nor opens the colours.
      if (IsBarCustomizing()) return 0;
      break;
    case WM_MOUSEMOVE:
      return 0;
    case WM_PAINT: {
      InvalidateHostedWnd();
      const LRESULT r = SECWellButton::WindowProc(message, wParam, lParam);
      DrawSizingFrame();
      return r;
    }
    case WM_SETCURSOR: {
      POINT p;
      ::GetCursorPos(&p);
      ScreenToClient(&p);
      if (HandleSetCursor(p)) return TRUE;
      break;
    }
    default:
      break;
  }
  return SECWellButton::WindowProc(message, wParam, lParam);
}
