#include "toolkit/frame/sec_dock_context.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/framework/app.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_frame.h"
#include "platform/win/system_metrics.h"
#include "resources/toolkit_ids.h"
#include "toolkit/frame/sec_control_bar.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/toolkit_globals.h"

namespace {

bool horizontal(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool vertical(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }
bool is_frame_dock_bar(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }

void tell_status(UINT nID) {
  if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) main->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

}  // namespace

SECBarDockContext::SECBarDockContext(CControlBar* pBar)
    : CDockContext(pBar),
      m_nMinFloatWidth(GetSystemMetrics(SM_CXMENUSIZE) + 2 * (GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXBORDER))),
      m_nMinFloatHeight(GetSystemMetrics(SM_CYSMCAPTION) + 2 * (GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYBORDER))),
      m_nMaxWidth(GetSystemMetrics(SM_CXFULLSCREEN)),
      m_nMaxHeight(GetSystemMetrics(SM_CYFULLSCREEN)) {}

SECBarDockContext::~SECBarDockContext() {
  // The bar leaves its dock bar before the context goes.
  if (CDockBar* dock = m_pBar->m_pDockBar) {
    if (auto* sec = dynamic_cast<SECDockBar*>(dock)) {
      sec->RemoveControlBar(m_pBar, -1, 0);
    } else {
      dock->RemoveControlBar(m_pBar, -1, 0);
    }
    m_pBar->m_pDockBar = nullptr;
  }
}

SECMDIFrameWnd* SECBarDockContext::MDIFrame() const { return dynamic_cast<SECMDIFrameWnd*>(m_pDockSite); }

void SECBarDockContext::AdjustRectangle(CRect& rect, CPoint pt) {
  const int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right + secData().cxBorder : 0;
  const int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom + secData().cyBorder : 0;
  rect.OffsetRect(dx, dy);
}

bool SECBarDockContext::CountsAsDocking() const {
  if (!(m_dwStyle & CBRS_FLOATING)) return true;
  return std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y) > 4;
}

bool SECBarDockContext::AcceptsUprightCandidate(CDockBar* dock) const {
  CRect area;
  dock->GetWindowRect(&area);
  // An empty dock bar is a line along its edge.
  if (area.Width() == 0) ++area.right;
  if (area.Height() == 0) ++area.bottom;
  return area.PtInRect(m_ptLast) != FALSE;
}

void SECBarDockContext::FrameAround(CRect& rect) const {
  CMiniFrameWnd::CalcBorders(&rect, WS_THICKFRAME | WS_CAPTION);
  rect.DeflateRect(secData().cxBorder, secData().cyBorder);
}

void SECBarDockContext::StartDrag(CPoint pt) {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite) return;
  m_nLastPos = -1;
  m_ptDragStart = m_ptLastMouse = pt;
  tell_status(resources::IDS_HOLD_CTRL_TO_FLOAT);
  // The framework's drag rectangles with the toolkit's frame and shift; its loop with this
  // context's steps.
  CDockContext::StartDrag(pt);
}

void SECBarDockContext::Move(CPoint pt) {
  const CSize delta = pt - m_ptLast;
  for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert}) r->OffsetRect(delta);
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawFocusRect();
}

void SECBarDockContext::DrawFocusRect(BOOL bRemoveRect) {
  CRect rect;
  CSize size(1, 1);
  bool halftone = false;
  const bool docking = m_bDragging && m_dwOverDockStyle && CountsAsDocking();
  if (docking) {
    rect = vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
    if (auto* dock = dynamic_cast<SECDockBar*>(GetDockBar(m_dwOverDockStyle))) {
      rect = dock->CalcTrackRect(m_pBar, rect, m_ptLast, m_nLastPos, m_rectLastOutline, m_ptLastMouse);
    }
  } else {
    size = CSize(GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1);
    halftone = true;
    const bool horzFrame = !m_bDragging || (horizontal(m_dwStyle) != (m_bFlip != FALSE));
    rect = horzFrame ? m_rectFrameDragHorz : m_rectFrameDragVert;
    m_nLastPos = -1;
  }
  if (m_dwOverDockStyle && m_bDragging && secData().bWin4) rect.DeflateRect(1, 1);
  if (bRemoveRect) size = CSize(0, 0);
  m_outline.Draw(rect, size, halftone);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = halftone;
}

void SECBarDockContext::CancelLoop() {
  CDockContext::CancelLoop();
  tell_status(AFX_IDS_IDLEMESSAGE);
}

void SECBarDockContext::EndDrag() {
  CancelLoop();
  if (m_dwOverDockStyle && CountsAsDocking()) {
    CDockBar* dock = GetDockBar(m_dwOverDockStyle);
    const CRect rect = vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
    if (dock) {
      if (is_frame_dock_bar(UINT(dock->GetDlgCtrlID()))) {
        m_uMRUDockID = UINT(dock->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
        dock->ScreenToClient(&m_rectMRUDockPos);
      }
      auto* sec = dynamic_cast<SECDockBar*>(dock);
      if (sec && m_pBar->IsFloating()) sec->SetChangedBar(m_pBar);
      if (SECMDIFrameWnd* mdi = MDIFrame()) {
        mdi->DockControlBarInto(m_pBar, dock, &rect);
      } else {
        m_pDockSite->DockControlBar(m_pBar, dock, &rect);
      }
      m_pDockSite->RecalcLayout();
      m_bDragging = FALSE;
      return;
    }
  }
  const bool horzFrame = (m_dwStyle & CBRS_SIZE_DYNAMIC) || horizontal(m_dwStyle) != (m_bFlip != FALSE);
  m_dwMRUFloatStyle = (horzFrame ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
  m_ptMRUFloatPos = (horzFrame ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
  m_bDragging = FALSE;
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void SECBarDockContext::Stretch(CPoint pt) {
  const auto* sec = dynamic_cast<SECControlBar*>(m_pBar);
  if (!sec || (sec->m_dwExStyle & BAREX_FIXED_SIZE)) {
    CDockContext::Stretch(pt);
    return;
  }
  CRect& requested = m_rectDragHorz;
  CRect& actual = m_rectDragVert;
  CRect& frame = m_rectFrameDragHorz;
  const CRect& borders = m_rectFrameDragVert;
  const int hit = m_nHitTest;
  const bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
  const bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
  const bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
  const bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
  CPoint last = m_ptLast;
  if (left || right) {
    CRect tried = requested;
    (left ? tried.left : tried.right) += pt.x - m_ptLast.x;
    if (tried.Width() >= m_nMinFloatWidth && tried.Width() <= m_nMaxWidth) {
      requested = tried;
      last.x = pt.x;
    }
  }
  if (top || bottom) {
    CRect tried = requested;
    (top ? tried.top : tried.bottom) += pt.y - m_ptLast.y;
    if (tried.Height() >= m_nMinFloatHeight && tried.Height() <= m_nMaxHeight) {
      requested = tried;
      last.y = pt.y;
    }
  }
  m_pBar->CalcDynamicLayout(requested.Width(), LM_HORZ | LM_COMMIT);
  m_pBar->CalcDynamicLayout(requested.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
  const CSize size = m_pBar->CalcDynamicLayout(-1, LM_HORZ);
  const int frameCx = size.cx + borders.right - borders.left;
  const int frameCy = size.cy + borders.bottom - borders.top;
  if (left) {
    actual.left = actual.right - size.cx;
    frame.left = frame.right - frameCx;
  } else {
    actual.right = actual.left + size.cx;
    frame.right = frame.left + frameCx;
  }
  if (top) {
    actual.top = actual.bottom - size.cy;
    frame.top = frame.bottom - frameCy;
  } else {
    actual.bottom = actual.top + size.cy;
    frame.bottom = frame.top + frameCy;
  }
  m_ptLast = last;
  DrawFocusRect();
}

void SECBarDockContext::EndResize() {
  CancelLoop();
  const CRect& actual = m_rectDragVert;
  const CRect& frame = m_rectFrameDragHorz;
  m_pBar->CalcDynamicLayout(actual.Width(), LM_HORZ | LM_COMMIT);
  const auto* sec = dynamic_cast<SECControlBar*>(m_pBar);
  if (sec && !(sec->m_dwExStyle & BAREX_FIXED_SIZE)) m_pBar->CalcDynamicLayout(actual.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, frame.TopLeft(), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

CDockBar* SECBarDockContext::RememberedDockBar(CRect& rect) const {
  rect = m_rectMRUDockPos;
  auto* dock = m_uMRUDockID ? dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID)) : nullptr;
  if (dock) dock->ClientToScreen(&rect);
  return dock;
}

void SECBarDockContext::DockBack() {
  if (auto* sec = dynamic_cast<SECControlBar*>(m_pBar)) sec->m_fPctWidth = sec->m_fSavedPctWidth;
  CRect rect;
  CDockBar* dock = RememberedDockBar(rect);
  if (m_pBar->m_dwStyle & CBRS_BORDER_TOP) rect.right += 1;
  if (SECMDIFrameWnd* mdi = MDIFrame()) {
    mdi->ReDockControlBar(m_pBar, dock, dock ? &rect : nullptr);
  } else {
    m_pDockSite->ReDockControlBar(m_pBar, dock, dock ? static_cast<LPCRECT>(&rect) : nullptr);
  }
  m_pDockSite->RecalcLayout();
}

void SECBarDockContext::ToggleDocking() {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite) return;
  m_pDockSite = m_pBar->m_pDockSite;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    DockBack();
    return;
  }
  if (auto* sec = dynamic_cast<SECControlBar*>(m_pBar)) sec->m_fSavedPctWidth = sec->m_fPctWidth;
  CPoint point = m_ptMRUFloatPos;
  DWORD style = m_dwMRUFloatStyle;
  if (point.x < 0 || point.y < 0) {
    CRect rect = m_rectMRUDockPos;
    if (CWnd* parent = m_pBar->GetParent()) parent->ClientToScreen(&rect);
    point = rect.TopLeft();
  }
  if (!(style & CBRS_ALIGN_ANY)) {
    style = (horizontal(m_pBar->m_dwStyle) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
  }
  m_pDockSite->FloatControlBar(m_pBar, point, style);
}

void SECBarDockContext::ToggleMDIFloat() {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite) return;
  m_pDockSite = m_pBar->m_pDockSite;
  SECMDIFrameWnd* mdi = MDIFrame();
  if (!mdi) return;
  auto* sec = dynamic_cast<SECControlBar*>(m_pBar);
  mdi->m_bTogglingMDIFloat = TRUE;
  CPoint point = m_ptMRUFloatPos;
  DWORD style = m_dwMRUFloatStyle;
  if (!(style & CBRS_ALIGN_ANY)) {
    style = (horizontal(m_pBar->m_dwStyle) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
  }
  if (!sec || !sec->GetMDIChildFrame()) {
    if (sec) sec->m_fSavedPctWidth = sec->m_fPctWidth;
    m_bWasFloating = m_pBar->IsFloating();
    // Back where its frame inside the main window was last, when it was there before.
    const CPoint inside = sec ? sec->m_ptMDIFloat : CPoint(-1, -1);
    const CPoint at = inside.x >= 0 && inside.y >= 0 ? inside : point;
    mdi->FloatControlBarInMDIChild(m_pBar, at.x, at.y, style);
  } else if (m_bWasFloating) {
    sec->m_fPctWidth = sec->m_fSavedPctWidth;
    if (point.x < 0 || point.y < 0) point = CPoint(0, 0);
    mdi->FloatControlBarAt(m_pBar, point, style);
  } else if (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) {
    DockBack();
  }
  mdi->m_bTogglingMDIFloat = FALSE;
}
