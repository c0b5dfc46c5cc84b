#include <algorithm>

#include "platform/framework/view.h"
#include "platform/win/scroll_bars.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {
// OnScroll's code: the horizontal bar's code in the low byte, the vertical one's in the high
// byte, 0xFF for a bar that does not scroll.
constexpr UINT scroll_codes(UINT horizontal, UINT vertical) { return (horizontal & 0xFF) | ((vertical & 0xFF) << 8); }
}  // namespace

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_totalDev = sizeTotal;
  m_pageDev = sizePage;
  m_lineDev = sizeLine;
  if (nMapMode != MM_TEXT && nMapMode != MM_SCALETOFIT && m_hWnd) {
    CClientDC dc(this);
    dc.SetMapMode(nMapMode);
    dc.LPtoDP(&m_totalDev);
    dc.LPtoDP(&m_pageDev);
    dc.LPtoDP(&m_lineDev);
  }
  m_totalDev = CSize(std::abs(m_totalDev.cx), std::abs(m_totalDev.cy));
  m_pageDev = CSize(std::abs(m_pageDev.cx), std::abs(m_pageDev.cy));
  m_lineDev = CSize(std::abs(m_lineDev.cx), std::abs(m_lineDev.cy));
  // Missing steps: a tenth of the total per page, a tenth of a page per line.
  if (m_pageDev.cx == 0) m_pageDev.cx = m_totalDev.cx / 10;
  if (m_pageDev.cy == 0) m_pageDev.cy = m_totalDev.cy / 10;
  if (m_lineDev.cx == 0) m_lineDev.cx = std::max(1, int(m_pageDev.cx / 10));
  if (m_lineDev.cy == 0) m_lineDev.cy = std::max(1, int(m_pageDev.cy / 10));
  if (m_hWnd) UpdateBars();
}

CPoint CScrollView::GetDeviceScrollPosition() const {
  return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const {
  CPoint pt = GetDeviceScrollPosition();
  if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT && m_hWnd) {
    CClientDC dc(const_cast<CScrollView*>(this));
    dc.SetMapMode(m_nMapMode);
    dc.DPtoLP(&pt);
  }
  return pt;
}

void CScrollView::ScrollToPosition(POINT pt) {
  CPoint dev(pt);
  if (m_nMapMode != MM_TEXT && m_nMapMode != MM_SCALETOFIT) {
    CClientDC dc(this);
    dc.SetMapMode(m_nMapMode);
    dc.LPtoDP(&dev);
  }
  CPoint old = GetDeviceScrollPosition();
  SetScrollPos(SB_HORZ, dev.x, TRUE);
  SetScrollPos(SB_VERT, dev.y, TRUE);
  CPoint now = GetDeviceScrollPosition();
  ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (m_nMapMode > 0) pDC->SetMapMode(m_nMapMode);
  if (!pDC->IsPrinting()) {
    CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
  }
  CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::UpdateBars() {
  CRect client;
  GetClientRect(&client);
  auto set = [&](int bar, int total, int page) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = total > 0 ? total - 1 : 0;
    info.nPage = UINT(std::max(0, std::min(page, total)));
    SetScrollInfo(bar, &info, TRUE);
  };
  set(SB_HORZ, m_totalDev.cx, client.Width());
  set(SB_VERT, m_totalDev.cy, client.Height());
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_nMapMode != 0) UpdateBars();
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll) {
  CSize by(0, 0);
  CRect client;
  GetClientRect(&client);
  auto step = [&](UINT code, int line, int page, int current, int track) -> int {
    switch (code) {
      case SB_TOP: return -current;
      case SB_BOTTOM: return INT32_MAX / 2;
      case SB_LINEUP: return -line;
      case SB_LINEDOWN: return line;
      case SB_PAGEUP: return -page;
      case SB_PAGEDOWN: return page;
      case SB_THUMBTRACK: return track - current;
      default: return 0;
    }
  };
  CPoint pos = GetDeviceScrollPosition();
  int page_x = m_pageDev.cx ? int(m_pageDev.cx) : client.Width();
  int page_y = m_pageDev.cy ? int(m_pageDev.cy) : client.Height();
  by.cx = step(LOBYTE(nScrollCode), int(m_lineDev.cx), page_x, pos.x, int(nPos));
  by.cy = step(HIBYTE(nScrollCode), int(m_lineDev.cy), page_y, pos.y, int(nPos));
  return OnScrollBy(by, bDoScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  CPoint old = GetDeviceScrollPosition();
  CRect client;
  GetClientRect(&client);
  int max_x = std::max(0, int(m_totalDev.cx) - client.Width());
  int max_y = std::max(0, int(m_totalDev.cy) - client.Height());
  long long x = std::clamp<long long>((long long)old.x + sizeScroll.cx, 0, max_x);
  long long y = std::clamp<long long>((long long)old.y + sizeScroll.cy, 0, max_y);
  if (x == old.x && y == old.y) return FALSE;
  if (bDoScroll) {
    SetScrollPos(SB_HORZ, int(x), TRUE);
    SetScrollPos(SB_VERT, int(y), TRUE);
    ScrollWindow(old.x - int(x), old.y - int(y));
  }
  return TRUE;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  if (nSBCode != SB_ENDSCROLL) OnScroll(scroll_codes(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  if (nSBCode != SB_ENDSCROLL) OnScroll(scroll_codes(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
  int lines = -zDelta / 120 * 3;
  return OnScrollBy(CSize(0, lines * int(m_lineDev.cy)));
}
