#include "platform/framework/dock_context.h"

#include <algorithm>
#include <cstdlib>

#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_frame.h"
#include "platform/win/message_queue.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

namespace {

bool horizontal(DWORD style) { return (style & CBRS_ORIENT_HORZ) != 0; }
bool vertical(DWORD style) { return (style & CBRS_ORIENT_VERT) != 0; }

// The frame's own dock bars: only these are remembered as a bar's last docked place.
bool is_frame_dock_bar(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }

}  // namespace

void CDockContext::BringUnderPoint(CRect& rect, CPoint pt) const {
  // A border's width from an edge it had to cross.
  int margin = GetSystemMetrics(SM_CXBORDER) * 2;
  int dx = pt.x < rect.left ? pt.x - rect.left - margin : pt.x >= rect.right ? pt.x - rect.right + 1 + margin : 0;
  int dy = pt.y < rect.top ? pt.y - rect.top - margin : pt.y >= rect.bottom ? pt.y - rect.bottom + 1 + margin : 0;
  rect.OffsetRect(dx, dy);
}

void CDockContext::FrameAround(CRect& rect) const { CMiniFrameWnd::CalcBorders(&rect); }

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

CDockContext::~CDockContext() { *m_alive = false; }

void CDockContext::InitLoop() {
  m_pDockSite = m_pBar->m_pDockSite;
  m_dwDockStyle = m_pBar->m_dwDockStyle;
  m_dwStyle = m_pBar->m_dwStyle;
  m_bFlip = ::GetKeyState(VK_SHIFT) < 0;
  m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
  m_dwOverDockStyle = 0;
  m_rectLast.SetRectEmpty();
  m_sizeLast = CSize(0, 0);
  m_bDitherLast = FALSE;
}

bool CDockContext::MayDock() const {
  if (!(m_dwStyle & CBRS_FLOATING)) return true;
  return std::abs(m_ptLast.x - m_ptStart.x) > GetSystemMetrics(SM_CXDRAG) ||
         std::abs(m_ptLast.y - m_ptStart.y) > GetSystemMetrics(SM_CYDRAG);
}

void CDockContext::StartDrag(CPoint pt) {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite) return;
  m_bDragging = TRUE;
  InitLoop();
  m_ptStart = m_ptLast = pt;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
    // The bar tells its shape docked either way and floating.
    CSize horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CSize vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    CSize floating = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectDragHorz = CRect(rect.TopLeft(), horz);
    m_rectDragVert = CRect(rect.TopLeft(), vert);
    m_rectFrameDragHorz = m_rectFrameDragVert = CRect(rect.TopLeft(), floating);
  } else if (m_dwStyle & CBRS_SIZE_FIXED) {
    m_rectFrameDragHorz = m_rectDragHorz = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK));
    m_rectFrameDragVert = m_rectDragVert = CRect(rect.TopLeft(), m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
  } else {
    // The bar keeps its shape for its own orientation; the other one is centred on the pointer.
    bool horz = horizontal(m_dwStyle);
    CSize other = m_pBar->CalcDynamicLayout(-1, horz ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK);
    if (horz) {
      m_rectDragHorz = rect;
      m_rectDragVert = CRect(CPoint(pt.x - other.cx / 2, rect.top), other);
    } else {
      m_rectDragVert = rect;
      m_rectDragHorz = CRect(CPoint(rect.left, pt.y - other.cy / 2), other);
    }
    m_rectFrameDragHorz = m_rectDragHorz;
    m_rectFrameDragVert = m_rectDragVert;
  }
  // A floating bar's outline is its frame around it.
  FrameAround(m_rectFrameDragHorz);
  FrameAround(m_rectFrameDragVert);
  for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert}) {
    BringUnderPoint(*r, pt);
  }
  m_dwOverDockStyle = m_bForceFrame || !MayDock() ? 0 : CanDock();
  DrawFocusRect();
  std::shared_ptr<bool> alive = m_alive;
  Track();
  if (*alive) m_bDragging = FALSE;
}

void CDockContext::StartResize(int nHitTest, CPoint pt) {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT) return;
  m_bDragging = FALSE;
  InitLoop();
  m_ptStart = m_ptLast = pt;
  m_nHitTest = nHitTest;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  // Requested size, actual size, actual frame and the frame's borders.
  m_rectDragHorz = m_rectDragVert = m_rectFrameDragHorz = CRect(rect.TopLeft(), size);
  FrameAround(m_rectFrameDragHorz);
  m_rectFrameDragVert = CRect(m_rectFrameDragHorz.left - m_rectDragVert.left, m_rectFrameDragHorz.top - m_rectDragVert.top,
                              m_rectFrameDragHorz.right - m_rectDragVert.right,
                              m_rectFrameDragHorz.bottom - m_rectDragVert.bottom);
  Stretch(pt);
  Track();
}

void CDockContext::Move(CPoint pt) {
  CSize delta = pt - m_ptLast;
  for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert}) {
    r->OffsetRect(delta);
  }
  m_ptLast = pt;
  m_dwOverDockStyle = m_bForceFrame || !MayDock() ? 0 : CanDock();
  DrawFocusRect();
}

void CDockContext::Stretch(CPoint pt) {
  CRect& requested = m_rectDragHorz;
  CRect& actual = m_rectDragVert;
  CRect& frame = m_rectFrameDragHorz;
  const CRect& borders = m_rectFrameDragVert;
  CSize delta = pt - m_ptLast;
  // The left or right edge asks for a width; any other edge for a height.
  bool across = m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT;
  bool leading = m_nHitTest == HTLEFT || m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
  DWORD mode = LM_HORZ;
  int length;
  if (across) {
    (m_nHitTest == HTLEFT ? requested.left : requested.right) += delta.cx;
    length = requested.Width();
  } else {
    mode |= LM_LENGTHY;
    (leading ? requested.top : requested.bottom) += delta.cy;
    length = requested.Height();
  }
  CSize size = m_pBar->CalcDynamicLayout(std::max(length, 0), mode);
  int frame_cx = size.cx + borders.right - borders.left;
  int frame_cy = size.cy + borders.bottom - borders.top;
  // The bar keeps the edge opposite the one dragged.
  bool left_edge = across ? m_nHitTest == HTLEFT : leading;
  if (left_edge) {
    actual.left = actual.right - size.cx;
    actual.top = actual.bottom - size.cy;
    frame.left = frame.right - frame_cx;
    frame.top = frame.bottom - frame_cy;
  } else {
    actual.right = actual.left + size.cx;
    actual.bottom = actual.top + size.cy;
    frame.right = frame.left + frame_cx;
    frame.bottom = frame.top + frame_cy;
  }
  m_ptLast = pt;
  DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown) {
  if (nChar == VK_CONTROL) {
    m_bForceFrame = bDown;
  } else if (nChar == VK_SHIFT) {
    m_bFlip = bDown;
  } else {
    return;
  }
  Move(m_ptLast);
}

DWORD CDockContext::CanDock() {
  if (!m_pDockSite) return 0;
  // The bar's own orientation first (the other one with Shift), then, unless Shift is held,
  // either orientation when both drag rectangles find the same dock bar.
  bool horz = horizontal(m_dwStyle) != (m_bFlip != FALSE);
  auto side_of = [](CDockBar* dock, DWORD style) { return dock ? dock->m_dwStyle & style & CBRS_ALIGN_ANY : 0; };
  DWORD horz_sides = m_dwDockStyle & CBRS_ORIENT_HORZ;
  DWORD vert_sides = m_dwDockStyle & CBRS_ORIENT_VERT;
  DWORD side = 0;
  if (horz && horz_sides) {
    side = side_of(DockBarUnder(m_rectDragHorz, horz_sides), horz_sides);
  } else if (vert_sides) {
    CDockBar* dock = DockBarUnder(m_rectDragVert, vert_sides);
    if (dock && AcceptsUprightCandidate(dock)) side = side_of(dock, vert_sides);
  }
  if (m_bFlip) return side;
  if (!side && horz_sides) {
    CDockBar* dock = DockBarUnder(m_rectDragHorz, horz_sides);
    if (dock && dock == DockBarUnder(m_rectDragVert, horz_sides)) side = side_of(dock, horz_sides);
  }
  if (!side && vert_sides) {
    CDockBar* dock = DockBarUnder(m_rectDragVert, vert_sides);
    if (dock && dock == DockBarUnder(m_rectDragHorz, vert_sides)) side = side_of(dock, vert_sides);
  }
  return side;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  if (horizontal(dwOverDockStyle)) return DockBarUnder(m_rectDragHorz, dwOverDockStyle & CBRS_ORIENT_HORZ);
  if (vertical(dwOverDockStyle)) return DockBarUnder(m_rectDragVert, dwOverDockStyle & CBRS_ORIENT_VERT);
  return nullptr;
}

CDockBar* CDockContext::DockBarUnder(const CRect& rect, DWORD dwDockStyle) const {
  if (!m_pDockSite) return nullptr;
  for (CControlBar* bar : m_pDockSite->m_listControlBars) {
    auto* dock = dynamic_cast<CDockBar*>(bar);
    if (!dock || dock->m_bFloating || !dock->IsWindowVisible()) continue;
    if (!(dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    // An empty dock bar is a line along its edge: it counts one pixel deep.
    CRect area;
    dock->GetWindowRect(&area);
    if (area.Width() == 0) ++area.right;
    if (area.Height() == 0) ++area.bottom;
    CRect common;
    if (common.IntersectRect(area, rect)) return dock;
  }
  return nullptr;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect) {
  CRect rect;
  CSize size(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
  bool halftone = false;
  if (m_bDragging && horizontal(m_dwOverDockStyle)) {
    rect = m_rectDragHorz;
  } else if (m_bDragging && vertical(m_dwOverDockStyle)) {
    rect = m_rectDragVert;
  } else {
    // The floating frame, with a thick border.
    size = CSize(GetSystemMetrics(SM_CXFRAME) - 1, GetSystemMetrics(SM_CYFRAME) - 1);
    halftone = true;
    bool horz_frame = !m_bDragging || (horizontal(m_dwStyle) != (m_bFlip != FALSE));
    rect = horz_frame ? m_rectFrameDragHorz : m_rectFrameDragVert;
  }
  if (m_dwOverDockStyle && m_bDragging) rect.DeflateRect(1, 1);
  if (bRemoveRect) size = CSize(0, 0);
  m_outline.Draw(rect, size, halftone);
  m_rectLast = rect;
  m_sizeLast = size;
  m_bDitherLast = halftone;
}

void CDockContext::RememberDockedPlace() {
  CDockBar* dock = m_pBar->m_pDockBar;
  if (!dock || dock->m_bFloating || !is_frame_dock_bar(UINT(dock->GetDlgCtrlID()))) return;
  m_uMRUDockID = UINT(dock->GetDlgCtrlID());
  m_pBar->GetWindowRect(&m_rectMRUDockPos);
  dock->ScreenToClient(&m_rectMRUDockPos);
}

void CDockContext::EndDrag() {
  CancelLoop();
  if (m_dwOverDockStyle) {
    CDockBar* dock = GetDockBar(m_dwOverDockStyle);
    CRect rect = vertical(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
    if (dock) {
      if (is_frame_dock_bar(UINT(dock->GetDlgCtrlID()))) {
        m_uMRUDockID = UINT(dock->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
        dock->ScreenToClient(&m_rectMRUDockPos);
      }
      m_pDockSite->DockControlBar(m_pBar, dock, &rect);
      m_pDockSite->RecalcLayout();
      return;
    }
  }
  RememberDockedPlace();
  bool horz_frame = (m_dwStyle & CBRS_SIZE_DYNAMIC) || horizontal(m_dwStyle) != (m_bFlip != FALSE);
  m_dwMRUFloatStyle = (horz_frame ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
  m_ptMRUFloatPos = (horz_frame ? m_rectFrameDragHorz : m_rectFrameDragVert).TopLeft();
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::EndResize() {
  CancelLoop();
  const CRect& actual = m_rectDragVert;
  const CRect& frame = m_rectFrameDragHorz;
  m_pBar->CalcDynamicLayout(actual.Width(), LM_HORZ | LM_COMMIT);
  m_pDockSite->FloatControlBar(m_pBar, frame.TopLeft(),
                               CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
  // Moving a bar's own frame keeps its size: lay it out for the committed size.
  if (m_pBar->m_pDockBar) {
    if (auto* floating = dynamic_cast<CFrameWnd*>(m_pBar->m_pDockBar->GetParent())) floating->RecalcLayout();
  }
}

void CDockContext::CancelLoop() {
  DrawFocusRect(TRUE);
  if (m_pBar->m_hWnd && ::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
}

BOOL CDockContext::Track() {
  HWND bar = m_pBar->m_hWnd;
  if (!bar || ::GetCapture()) {
    CancelLoop();
    return FALSE;
  }
  std::shared_ptr<bool> alive = m_alive;
  ::SetCapture(bar);
  MSG msg;
  while (::GetCapture() == bar) {
    if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) ::PostQuitMessage(int(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP:
        // The keys held with the mouse count as well as the key messages.
        if (m_bDragging) {
          m_bForceFrame = (msg.wParam & MK_CONTROL) != 0;
          m_bFlip = (msg.wParam & MK_SHIFT) != 0;
          Move(CPoint(msg.pt));
        } else {
          Stretch(CPoint(msg.pt));
        }
        if (msg.message == WM_LBUTTONUP) {
          if (m_bDragging) {
            EndDrag();
          } else {
            EndResize();
          }
          return TRUE;
        }
        break;
      case WM_KEYUP:
      case WM_KEYDOWN:
        if (m_bDragging) OnKey(int(msg.wParam), msg.message == WM_KEYDOWN);
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
          CancelLoop();
          return FALSE;
        }
        break;
      case WM_RBUTTONDOWN:
        CancelLoop();
        return FALSE;
      default:
        ::DispatchMessage(&msg);
        // What was dispatched may have ended the bar and this context with it.
        if (!*alive) return FALSE;
        break;
    }
  }
  CancelLoop();
  return FALSE;
}

void CDockContext::ToggleDocking() {
  if (!m_pBar->m_hWnd || !m_pBar->m_pDockSite) return;
  m_pDockSite = m_pBar->m_pDockSite;
  if (m_pBar->IsFloating()) {
    if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    auto* dock = m_uMRUDockID ? dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID)) : nullptr;
    if (dock && (dock->m_dwStyle & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY)) {
      // Back at its place in its row (the dock bar kept it) and along the row.
      CRect rect = m_rectMRUDockPos;
      dock->ClientToScreen(&rect);
      m_pDockSite->ReDockControlBar(m_pBar, dock, &rect);
    } else {
      // Never docked by hand: the first side the bar may dock on.
      m_pDockSite->DockControlBar(m_pBar);
    }
    m_pDockSite->RecalcLayout();
    return;
  }
  RememberDockedPlace();
  CPoint point = m_ptMRUFloatPos;
  DWORD style = m_dwMRUFloatStyle;
  if (point.x < 0 || point.y < 0) {
    // Never floated: the frame goes where the bar is, the bar staying in place.
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    CMiniFrameWnd::CalcBorders(&rect);
    point = rect.TopLeft();
  }
  if (!(style & CBRS_ALIGN_ANY)) {
    style = (horizontal(m_pBar->m_dwStyle) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
  }
  m_pDockSite->FloatControlBar(m_pBar, point, style);
}
