#include "toolkit/frame/drag_rect_tracker.h"

#include <algorithm>

#include "platform/win/cwnd.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"

BOOL SECDragRectTracker::TrackMove(CWnd* pWnd, CPoint point) {
  m_bFinalDraw = FALSE;
  return Track(pWnd, point, FALSE, nullptr);
}

void SECDragRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC*, CWnd* pWnd) {
  CRect rect(*lpRect);
  rect.NormalizeRect();
  if (pWnd) pWnd->ClientToScreen(&rect);
  (void)pWndClipTo;
  CSize size(0, 0);
  if (m_bFinalDraw) {
    DrawDragOutline(rect, size);
  } else {
    const int thickness = std::max(1, m_nHandleSize - 1);
    size = CSize(thickness, thickness);
    if (!m_bRecordOnly) DrawDragOutline(rect, size);
  }
  m_rectLast = rect;
  m_sizeLast = size;
}

BOOL SECDragRectTracker::TrackRightEdge(CWnd* pWnd, CPoint point) {
  m_bFinalDraw = FALSE;
  if (!pWnd || ::GetCapture()) return FALSE;
  pWnd->SetCapture();
  pWnd->UpdateWindow();
  const CRect start = m_rect;
  const int offset = point.x - m_rect.right;
  bool cancelled = false, done = false;
  MSG msg;
  while (!done && ::GetMessage(&msg, nullptr, 0, 0)) {
    if (::GetCapture() != pWnd->m_hWnd) break;
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) cancelled = done = true;
        break;
      case WM_RBUTTONDOWN:
        cancelled = done = true;
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP: {
        const CRect before = m_rect;
        CPoint at(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
        if (msg.hwnd != pWnd->m_hWnd) {
          ::ClientToScreen(msg.hwnd, &at);
          pWnd->ScreenToClient(&at);
        }
        m_rect.right = std::max(int(m_rect.left + m_sizeMin.cx), int(at.x - offset));
        AdjustRect(hitRight, &m_rect);
        const bool up = msg.message == WM_LBUTTONUP;
        if (m_rect != before || up) {
          m_bRecordOnly = TRUE;
          m_bFinalDraw = up;
          DrawTrackerRect(&before, nullptr, nullptr, pWnd);
          if (m_rect != before && !up) {
            m_bRecordOnly = FALSE;
            DrawTrackerRect(&m_rect, nullptr, nullptr, pWnd);
          }
        }
        if (up) done = true;
        break;
      }
      default:
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        break;
    }
  }
  if (cancelled) {
    m_bFinalDraw = TRUE;
    DrawTrackerRect(&m_rect, nullptr, nullptr, pWnd);
    m_rect = start;
  }
  if (::GetCapture() == pWnd->m_hWnd) ::ReleaseCapture();
  m_bFinalDraw = m_bRecordOnly = FALSE;
  return m_rect != start;
}
