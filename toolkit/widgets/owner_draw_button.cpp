#include "toolkit/widgets/owner_draw_button.h"

#include <algorithm>

#include "platform/framework/control_messages.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_styles.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/button_masks.h"

IMPLEMENT_DYNAMIC(SECOwnerDrawButton, CButton)

namespace {

SECOwnerDrawButton::Colours& Cache() {
  static SECOwnerDrawButton::Colours colours{};
  return colours;
}

}  // namespace

const SECOwnerDrawButton::Colours& SECOwnerDrawButton::GetColours() { return Cache(); }

void SECOwnerDrawButton::RefreshColours() {
  Cache() = {GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT),
             GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW)};
}

SECOwnerDrawButton::SECOwnerDrawButton() {
  RefreshColours();
  m_bNewShell = secData().bWin4;
}

SECOwnerDrawButton::~SECOwnerDrawButton() = default;

BOOL SECOwnerDrawButton::AttachDlgItem(UINT nID, CWnd* pParent) {
  if (!pParent || !SubclassDlgItem(nID, pParent)) return FALSE;
  SetOwnerDrawStyle(GetStyle(), FALSE);
  return TRUE;
}

BOOL SECOwnerDrawButton::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID) {
  return CButton::Create(lpszText, (dwStyle & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW, rect, pParent, nID);
}

void SECOwnerDrawButton::SetOwnerDrawStyle(DWORD dwStyle, BOOL bRedraw) {
  const DWORD before = GetStyle();
  const DWORD after = (before & ~DWORD(0xFFFF)) | (dwStyle & 0xFFFF & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
  if (after == before) return;
  ::SetWindowLongPtr(m_hWnd, GWL_STYLE, LONG_PTR(after));
  if (bRedraw) Invalidate();
}

void SECOwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (!lpDIS) return;
  const UINT action = lpDIS->itemAction;
  if (!(action & (ODA_DRAWENTIRE | ODA_SELECT | ODA_FOCUS))) return;
  CDC* screen = CDC::FromHandle(lpDIS->hDC);
  if (action & (ODA_DRAWENTIRE | ODA_SELECT)) {
    const CRect r(lpDIS->rcItem);
    CDC memory;
    CBitmap bitmap;
    if (memory.CreateCompatibleDC(screen) && bitmap.CreateCompatibleBitmap(screen, r.Width(), r.Height())) {
      CBitmap* old = memory.SelectObject(&bitmap);
      DRAWITEMSTRUCT local = *lpDIS;
      local.hDC = memory.GetSafeHdc();
      local.rcItem = CRect(0, 0, r.Width(), r.Height());
      PreparePalette(screen, &memory);
      DrawSteps(memory, local, TRUE);
      screen->BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, 0, 0, SRCCOPY);
      RestorePalette(screen, &memory);
      memory.SelectObject(old);
    } else {
      PreparePalette(screen, nullptr);
      DrawSteps(*screen, *lpDIS, FALSE);
      RestorePalette(screen, nullptr);
    }
  }
  DrawFocusState(*screen, *lpDIS);
}

void SECOwnerDrawButton::DrawSteps(CDC& dc, const DRAWITEMSTRUCT& item, BOOL bDisabledLook) {
  const CRect interior = DrawFrame(dc, item);
  DrawContent(dc, item, interior);
  if (bDisabledLook && (item.itemState & ODS_DISABLED)) {
    const CRect r(item.rcItem);
    DrawDisabled(dc, r.Width(), r.Height());
  }
}

CRect SECOwnerDrawButton::DrawFrame(CDC& dc, const DRAWITEMSTRUCT& item) {
  const Colours& c = GetColours();
  CRect r(item.rcItem);
  const BOOL pushed = (item.itemState & ODS_SELECTED) != 0;
  dc.FillSolidRect(&r, c.face);
  if (m_bNewShell) {
    if (pushed) {
      dc.Draw3dRect(&r, c.frame, c.hilite);
      r.DeflateRect(1, 1);
      dc.Draw3dRect(&r, c.shadow, c.face);
    } else {
      dc.Draw3dRect(&r, c.hilite, c.frame);
      r.DeflateRect(1, 1);
      dc.Draw3dRect(&r, c.face, c.shadow);
    }
    r.DeflateRect(1, 1);
  } else {
    // A frame-coloured border without its four corner pixels, then two 3-D rings.
    dc.FillSolidRect(r.left + 1, r.top, r.Width() - 2, 1, c.frame);
    dc.FillSolidRect(r.left + 1, r.bottom - 1, r.Width() - 2, 1, c.frame);
    dc.FillSolidRect(r.left, r.top + 1, 1, r.Height() - 2, c.frame);
    dc.FillSolidRect(r.right - 1, r.top + 1, 1, r.Height() - 2, c.frame);
    for (int ring = 0; ring < 2; ++ring) {
      r.DeflateRect(1, 1);
      if (pushed) {
        dc.Draw3dRect(&r, c.shadow, c.hilite);
      } else {
        dc.Draw3dRect(&r, c.hilite, c.shadow);
      }
    }
    r.DeflateRect(1, 1);
  }
  if (pushed) {
    r.OffsetRect(1, 1);
  } else {
    r.right -= 1;
    r.bottom -= 1;
  }
  return r;
}

void SECOwnerDrawButton::DrawDisabled(CDC& dc, int cx, int cy) {
  if (cx < 4 || cy < 4) return;
  const Colours& c = GetColours();
  CDC mono;
  CBitmap maskBitmap;
  if (!mono.CreateCompatibleDC(&dc) || !maskBitmap.CreateBitmap(cx - 3, cy - 3, 1, 1, nullptr)) return;
  CBitmap* old = mono.SelectObject(&maskBitmap);
  button_masks::MakeFaceMask(mono, CPoint(0, 0), dc, CRect(1, 1, cx - 2, cy - 2), c.face, c.hilite);
  CBrush hilite(c.hilite);
  CBrush shadow(c.shadow);
  button_masks::PaintThroughMask(dc, CRect(2, 2, cx - 2, cy - 2), mono, CPoint(0, 0), &hilite,
                                 button_masks::kBrushWhereImage);
  button_masks::PaintThroughMask(dc, CRect(1, 1, cx - 2, cy - 2), mono, CPoint(0, 0), &shadow,
                                 button_masks::kBrushWhereImage);
  mono.SelectObject(old);
}

void SECOwnerDrawButton::DrawFocusState(CDC& dc, const DRAWITEMSTRUCT& item) {
  if (!(item.itemState & ODS_FOCUS)) return;
  CRect r(item.rcItem);
  const int inset = m_bNewShell ? 1 : 2;
  r.DeflateRect(inset, inset);
  if (item.itemState & ODS_SELECTED) {
    r.OffsetRect(1, 1);
  } else {
    r.right -= 1;
    r.bottom -= 1;
  }
  dc.SetBkColor(GetColours().face);
  DrawFocusFrame(dc, r);
}

LRESULT SECOwnerDrawButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP: {
      CRect client;
      GetClientRect(&client);
      const BOOL click = client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) &&
                         (GetState() & BST_PUSHED) && CWnd::GetCapture() == this;
      // The release handling lets the capture go; the click runs afterwards, so that a popup it
      // opens keeps the capture it takes.
      const LRESULT r = CButton::WindowProc(message, wParam, lParam);
      if (click && m_hWnd) OnClicked();
      return r;
    }
    case WM_KEYUP: {
      const LRESULT r = CButton::WindowProc(message, wParam, lParam);
      if (wParam == WPARAM(VK_SPACE) && m_hWnd) OnClicked();
      return r;
    }
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case BM_SETSTYLE:
      SetOwnerDrawStyle(DWORD(wParam), BOOL(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      RefreshColours();
      Invalidate();
      break;
    default:
      break;
  }
  return CButton::WindowProc(message, wParam, lParam);
}
