#include "platform/framework/dock_context.h"

#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"

namespace {
constexpr UINT kDockBars[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                              AFX_IDW_DOCKBAR_RIGHT};
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

CDockBar* CDockContext::DockBarAt(const CRect& rect) const {
  if (!m_pDockSite) return nullptr;
  CRect client;
  m_pDockSite->GetClientRect(&client);
  m_pDockSite->ClientToScreen(&client);
  for (UINT id : kDockBars) {
    auto* dock = dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(id));
    if (!dock || !(m_pBar->m_dwDockStyle & dock->m_dwStyle & CBRS_ALIGN_ANY)) continue;
    // The dock bar's area spans the frame's side and reaches one bar depth into the frame, so an
    // empty dock bar (no room in the layout) can be hit too.
    CRect area;
    dock->GetWindowRect(&area);
    if (dock->IsHorz()) {
      area.left = client.left;
      area.right = client.right;
    } else {
      area.top = client.top;
      area.bottom = client.bottom;
    }
    CSize size = m_pBar->CalcFixedLayout(FALSE, dock->IsHorz());
    if (dock->m_dwStyle & CBRS_ALIGN_TOP) area.bottom += size.cy;
    if (dock->m_dwStyle & CBRS_ALIGN_BOTTOM) area.top -= size.cy;
    if (dock->m_dwStyle & CBRS_ALIGN_LEFT) area.right += size.cx;
    if (dock->m_dwStyle & CBRS_ALIGN_RIGHT) area.left -= size.cx;
    if (rect.left < area.right && rect.right > area.left && rect.top < area.bottom && rect.bottom > area.top) {
      return dock;
    }
  }
  return nullptr;
}

void CDockContext::StartDrag(CPoint pt) {
  if (!m_pDockSite || !m_pBar->m_hWnd) return;
  HWND bar = m_pBar->m_hWnd;
  m_pBar->GetWindowRect(&m_rectLast);
  m_ptLast = pt;
  m_bDragging = TRUE;
  bool drop = false;
  ::SetCapture(bar);
  MSG msg;
  while (::IsWindow(bar) && ::GetCapture() == bar) {
    if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      m_rectLast.OffsetRect(msg.pt.x - m_ptLast.x, msg.pt.y - m_ptLast.y);
      m_ptLast = CPoint(msg.pt);
      if (msg.message == WM_LBUTTONUP) {
        drop = true;
        break;
      }
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else if (msg.message != WM_KEYUP && msg.message != WM_CHAR) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
  if (::GetCapture() == bar) ::ReleaseCapture();
  m_bDragging = FALSE;
  if (!drop || !::IsWindow(bar)) return;
  if (CDockBar* dock = DockBarAt(m_rectLast)) {
    m_pDockSite->DockControlBar(m_pBar, dock, &m_rectLast);
  } else {
    m_pDockSite->FloatControlBar(m_pBar, m_rectLast.TopLeft(), CBRS_ALIGN_TOP);
  }
}
