#include "platform/framework/rect_tracker.h"

#include <algorithm>

#include "platform/win/message_queue.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"

namespace {

// Which edges each handle moves: left, top, right, bottom.
struct Edges {
  bool left, top, right, bottom;
};
constexpr Edges kEdges[9] = {
    {true, true, false, false},   // top left
    {false, true, true, false},   // top right
    {false, false, true, true},   // bottom right
    {true, false, false, true},   // bottom left
    {false, true, false, false},  // top
    {false, false, true, false},  // right
    {false, false, false, true},  // bottom
    {true, false, false, false},  // left
    {true, true, true, true},     // middle: all four, which moves the rectangle
};

const char* cursor_of(int handle) {
  switch (handle) {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight: return IDC_SIZENWSE;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft: return IDC_SIZENESW;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom: return IDC_SIZENS;
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight: return IDC_SIZEWE;
    default: return IDC_SIZEALL;
  }
}

}  // namespace

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(*lpSrcRect), m_nStyle(nStyle) {}

UINT CRectTracker::GetHandleMask() const {
  // Sides only when the rectangle is large enough to show them apart from the corners.
  UINT mask = 0x0F;
  CRect r = m_rect;
  r.NormalizeRect();
  int size = m_nHandleSize * 3;
  if (r.Width() > size) mask |= 0x50;
  if (r.Height() > size) mask |= 0xA0;
  return mask;
}

CRect CRectTracker::GetHandleRect(int nHandle) const {
  CRect r = m_rect;
  r.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
  int size = m_nHandleSize;
  // Handles lie inside the rectangle's corners, or around them with resizeOutside.
  if (m_nStyle & resizeOutside) r.InflateRect(size - 1, size - 1);
  int xs[3] = {r.left, (r.left + r.right - size) / 2, r.right - size};
  int ys[3] = {r.top, (r.top + r.bottom - size) / 2, r.bottom - size};
  static const int kColumn[8] = {0, 2, 2, 0, 1, 2, 1, 0};
  static const int kRow[8] = {0, 0, 2, 2, 0, 1, 2, 1};
  if (nHandle < 0 || nHandle > 7) return CRect();
  int x = xs[kColumn[nHandle]], y = ys[kRow[nHandle]];
  return CRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
  CRect r = m_rect;
  r.NormalizeRect();
  int grow = (m_nStyle & (resizeOutside | hatchedBorder)) ? m_nHandleSize - 1 : 0;
  r.InflateRect(grow, grow);
  if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
  *lpTrueRect = r;
}

void CRectTracker::Draw(CDC* pDC) const {
  CRect r = m_rect;
  r.NormalizeRect();
  COLORREF ink = GetSysColor(COLOR_WINDOWFRAME);
  if (m_nStyle & (solidLine | dottedLine)) {
    CPen pen((m_nStyle & dottedLine) ? PS_DOT : PS_SOLID, 1, ink);
    CPen* old_pen = pDC->SelectObject(&pen);
    CGdiObject* old_brush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
    pDC->SelectObject(old_pen);
    pDC->SelectObject(old_brush);
  }
  if (m_nStyle & (hatchedBorder | hatchInside)) {
    CRect outer = r;
    int band = m_nHandleSize - 1;
    if (m_nStyle & hatchedBorder) outer.InflateRect(band, band);
    pDC->SetTextColor(ink);
    pDC->SetBkColor(GetSysColor(COLOR_WINDOW));
    CBrush* old = pDC->SelectObject(CDC::GetHalftoneBrush());
    if (m_nStyle & hatchInside) pDC->PatBlt(r.left, r.top, r.Width(), r.Height(), PATCOPY);
    if (m_nStyle & hatchedBorder) {
      pDC->PatBlt(outer.left, outer.top, outer.Width(), band, PATCOPY);
      pDC->PatBlt(outer.left, r.bottom, outer.Width(), band, PATCOPY);
      pDC->PatBlt(outer.left, r.top, band, r.Height(), PATCOPY);
      pDC->PatBlt(r.right, r.top, band, r.Height(), PATCOPY);
    }
    pDC->SelectObject(old);
  }
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if (mask & (1u << i)) {
        CRect h = GetHandleRect(i);
        pDC->FillSolidRect(&h, ink);
      }
    }
  }
}

int CRectTracker::HitTest(CPoint point) const {
  CRect true_rect;
  GetTrueRect(&true_rect);
  if (!true_rect.PtInRect(point)) return hitNothing;
  if (m_nStyle & (resizeInside | resizeOutside)) {
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
      if ((mask & (1u << i)) && GetHandleRect(i).PtInRect(point)) return i;
    }
  }
  CRect r = m_rect;
  r.NormalizeRect();
  return r.PtInRect(point) || (m_nStyle & hatchedBorder) ? hitMiddle : hitNothing;
}

int CRectTracker::NormalizeHit(int nHandle) const {
  if (nHandle < 0 || nHandle == hitMiddle) return nHandle;
  // Swap left and right, then top and bottom, as the rectangle is turned over.
  static const int kMirrorX[8] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight, hitTop, hitLeft, hitBottom, hitRight};
  static const int kMirrorY[8] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft, hitBottom, hitRight, hitTop, hitLeft};
  if (m_rect.Width() < 0) nHandle = kMirrorX[nHandle];
  if (m_rect.Height() < 0) nHandle = kMirrorY[nHandle];
  return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
  if (!pWnd || nHitTest != HTCLIENT) return FALSE;
  POINT p;
  GetCursorPos(&p);
  pWnd->ScreenToClient(&p);
  int handle = NormalizeHit(HitTest(p));
  if (handle < 0) return FALSE;
  ::SetCursor(LoadCursor(nullptr, cursor_of(handle)));
  return TRUE;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int handle = HitTest(point);
  if (handle < 0) return FALSE;
  m_bAllowInvert = bAllowInvert;
  return TrackHandle(handle, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
  m_bAllowInvert = bAllowInvert;
  m_rect.SetRect(point.x, point.y, point.x, point.y);
  return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo) {
  // Another loop already holds the mouse.
  if (!pWnd || !pWnd->m_hWnd || ::GetCapture()) return FALSE;
  pWnd->SetCapture();
  pWnd->UpdateWindow();
  const CRect saved = m_rect;
  const Edges edges = kEdges[nHandle];
  // Each moved edge keeps its distance from the mouse as it was at the press.
  const CRect offset(point.x - m_rect.left, point.y - m_rect.top, point.x - m_rect.right, point.y - m_rect.bottom);
  bool cancelled = false;
  m_bErase = m_bFinalErase = FALSE;
  CClientDC dc(pWnd);
  MSG msg;
  for (;;) {
    if (::GetCapture() != pWnd->m_hWnd) {
      cancelled = true;
      break;
    }
    BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(int(msg.wParam));
      cancelled = true;
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      POINT at = msg.pt;
      pWnd->ScreenToClient(&at);
      CRect old = m_rect;
      CRect wanted = m_rect;
      if (edges.left) wanted.left = at.x - offset.left;
      if (edges.top) wanted.top = at.y - offset.top;
      if (edges.right) wanted.right = at.x - offset.right;
      if (edges.bottom) wanted.bottom = at.y - offset.bottom;
      if (!m_bAllowInvert && nHandle != hitMiddle) {
        // Edges stop at the minimum size instead of crossing.
        if (edges.left) wanted.left = std::min<LONG>(wanted.left, wanted.right - m_sizeMin.cx);
        if (edges.right) wanted.right = std::max<LONG>(wanted.right, wanted.left + m_sizeMin.cx);
        if (edges.top) wanted.top = std::min<LONG>(wanted.top, wanted.bottom - m_sizeMin.cy);
        if (edges.bottom) wanted.bottom = std::max<LONG>(wanted.bottom, wanted.top + m_sizeMin.cy);
      }
      m_rect = wanted;
      AdjustRect(nHandle, &m_rect);
      bool up = msg.message == WM_LBUTTONUP;
      if (m_rect != old || up) {
        m_bFinalErase = up;
        DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
        m_bErase = !up;
        if (m_rect != old) OnChangedRect(old);
      }
      if (up) break;
      continue;
    }
    if ((msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) || msg.message == WM_RBUTTONDOWN) {
      cancelled = true;
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (m_bErase) {
    m_bFinalErase = TRUE;
    DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
  }
  if (cancelled) m_rect = saved;
  m_bErase = m_bFinalErase = FALSE;
  if (::GetCapture() == pWnd->m_hWnd) ::ReleaseCapture();
  return !cancelled && m_rect != saved;
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC*, CWnd* pWnd) {
  if (m_bFinalErase) {
    DrawDragOutline(CRect(), CSize(0, 0));
    return;
  }
  CRect r(*lpRect);
  r.NormalizeRect();
  if (pWnd) pWnd->ClientToScreen(&r);
  int thickness = std::max(1, m_nHandleSize - 1);
  DrawDragOutline(r, CSize(thickness, thickness));
}

void CRectTracker::DrawDragOutline(const CRect& screen, CSize size) {
  if (size.cx <= 0 && size.cy <= 0) {
    m_outline.Remove();
  } else {
    m_outline.Draw(screen, size, true);
  }
}

void CRectTracker::AdjustRect(int, LPRECT) {}
void CRectTracker::OnChangedRect(const CRect&) {}
