#include "shell/view/mv_sr.h"

#include <algorithm>

#include "engine/frame/hit_marks.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/selection.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "navigation/pane_drag.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "shell/lumo_app.h"
#include "shell/view/lumo_kal_view.h"
#include "shell/view/view_rules.h"
#include "shell/view/wheel_wnd.h"

namespace {

constexpr int kEdgeOutside = 10000;

bool ShiftDown() { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

IMPLEMENT_DYNAMIC(CMvSR, CMvPane)

BEGIN_MESSAGE_MAP(CMvSR, CMvPane)
  ON_WM_VSCROLL()
  ON_WM_HSCROLL()
  ON_WM_KEYDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MBUTTONDOWN()
  ON_WM_MOUSEWHEEL()
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CMvSR::~CMvSR() { DeleteBackBuffer(); }

namespace {
// The engine's ranges: the horizontal one in the low 32 bits, the vertical one in the high.
int RangeOf(uint64_t ranges, int nBar) { return int(nBar == SB_VERT ? ranges >> 32 : ranges & 0xFFFFFFFF); }
}  // namespace

BOOL CMvSR::CanScrollV() const { return m_pViewer && RangeOf(medview::MvGetScrollRanges(m_pViewer), SB_VERT) > 1; }
BOOL CMvSR::CanScrollH() const { return m_pViewer && RangeOf(medview::MvGetScrollRanges(m_pViewer), SB_HORZ) > 1; }

void CMvSR::DeleteBackBuffer() {
  if (!m_hBackDC) return;
  ::SelectObject(m_hBackDC, m_hOldBitmap);
  ::DeleteObject(m_hBackBitmap);
  ::DeleteDC(m_hBackDC);
  m_hBackDC = nullptr;
  m_hBackBitmap = nullptr;
  m_hOldBitmap = nullptr;
}

BOOL CMvSR::Draw(CDC* pDC, const RECT* clip) {
  if (!m_pViewer || !pDC) return FALSE;
  if (!m_hBackDC) return CMvPane::Draw(pDC, clip);
  CRect client;
  GetClientRect(&client);
  const CRect area = clip ? CRect(*clip) : client;
  ::FillRect(m_hBackDC, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const BOOL painted = CMvPane::Draw(CDC::FromHandle(m_hBackDC), &area);
  ::BitBlt(pDC->m_hDC, area.left, area.top, area.Width(), area.Height(), m_hBackDC, area.left, area.top, SRCCOPY);
  return painted;
}

void CMvSR::SetScrollPage(int nBar) {
  if (!m_pViewer) return;
  const uint64_t ranges = medview::MvGetScrollRanges(m_pViewer);
  const int range = RangeOf(ranges, nBar);
  int32_t w = 0, h = 0;
  frame::MvGetEstimatedExtent(m_pViewer, &w, &h);
  const int extent = nBar == SB_VERT ? h : w;
  if (extent == 0) return;
  CRect client;
  GetClientRect(&client);
  const int page = shell::view::ScrollPage(nBar == SB_VERT ? client.Height() : client.Width(), range, extent);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nPage = UINT(page);
  info.nMax = page + range - 1;
  SetScrollInfo(nBar, &info, TRUE);
}

BOOL CMvSR::FitToContent(BOOL bRelayout) {
  DeleteBackBuffer();
  CWnd* parent = GetParent();
  if (!m_pViewer || !parent) return FALSE;
  const uint64_t before = medview::MvGetScrollRanges(m_pViewer);
  CRect client, rect;
  parent->GetClientRect(&client);
  GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  const bool text_pane = m_pOwner && &m_pOwner->GetTextPane() == this;
  const int bottom = text_pane ? client.bottom : rect.bottom;
  SetWindowPos(nullptr, rect.left, rect.top, client.Width() - rect.left, std::max(0L, long(bottom - rect.top)),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (bRelayout) Layout();
  CRect laid_for;
  GetClientRect(&laid_for);
  const uint64_t after = medview::MvGetScrollRanges(m_pViewer);
  SetScrollRange(SB_VERT, 0, RangeOf(after, SB_VERT), FALSE);
  SetScrollRange(SB_HORZ, 0, RangeOf(after, SB_HORZ), FALSE);
  SetScrollPage(SB_VERT);
  SetScrollPage(SB_HORZ);
  // A scroll bar that came or went changes the client area the text was laid out for.
  CRect now;
  GetClientRect(&now);
  if (after != before || now != laid_for) Layout();
  return TRUE;
}

void CMvSR::RefreshHorizontalRange() {
  int low = 0, high = 0;
  GetScrollRange(SB_HORZ, &low, &high);
  if (high == 100 && CanScrollH()) {
    SetScrollRange(SB_HORZ, 0, RangeOf(medview::MvGetScrollRanges(m_pViewer), SB_HORZ), FALSE);
    SetScrollPage(SB_HORZ);
    frame::MvLayoutTopic(m_pViewer, nullptr, nullptr);
  }
}

int32_t CMvSR::ScrollStep(int nBar, int code, int32_t thumb) {
  POINT move{0, 0};
  int32_t thumb_after;
  if (nBar == SB_VERT) {
    thumb_after = medview::MvScrollVertical(m_pViewer, &move, nullptr, nullptr, code, thumb, nullptr);
  } else {
    thumb_after = medview::MvScrollHorizontal(m_pViewer, &move, code, thumb, nullptr);
  }
  SetScrollPos(nBar, thumb_after, TRUE);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  return thumb_after;
}

void CMvSR::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  if (!m_pViewer || !CanScrollV() || nSBCode > 7) return;
  switch (nSBCode) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN: {
      RefreshHorizontalRange();
      POINT move{0, 0};
      int32_t top = 0, bottom = 0;
      const int32_t thumb = medview::MvScrollVertical(m_pViewer, &move, &top, &bottom, int32_t(nSBCode), 0, nullptr);
      SetScrollPos(SB_VERT, thumb, TRUE);
      ScrollWindow(move.x, move.y);
      CRect client;
      GetClientRect(&client);
      if (nSBCode == SB_LINEUP || nSBCode == SB_PAGEUP) {
        if (top > 0) InvalidateRect(CRect(0, 0, client.right, top), FALSE);
      } else if (bottom > 0) {
        InvalidateRect(CRect(0, client.bottom - bottom, client.right, client.bottom), FALSE);
      }
      UpdateWindow();
      break;
    }
    case SB_THUMBPOSITION: {
      RefreshHorizontalRange();
      if (IsSmoothScrolling()) ToggleSmoothScroll();
      POINT move{0, 0};
      const int32_t thumb =
          medview::MvScrollVertical(m_pViewer, &move, nullptr, nullptr, medview::kScrollThumb, int32_t(nPos), nullptr);
      SetScrollPos(SB_VERT, thumb, TRUE);
      RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (m_hBackDC ? RDW_NOERASE : RDW_ERASE));
      DeleteBackBuffer();
      break;
    }
    case SB_THUMBTRACK: {
      if (IsSmoothScrolling()) ToggleSmoothScroll();
      SetScrollPos(SB_VERT, int(nPos), TRUE);
      if (!m_hBackDC) {
        CRect client;
        GetClientRect(&client);
        CClientDC dc(this);
        m_hBackDC = ::CreateCompatibleDC(dc.m_hDC);
        m_hBackBitmap = ::CreateCompatibleBitmap(dc.m_hDC, std::max(1L, long(client.Width())),
                                                 std::max(1L, long(client.Height())));
        m_hOldBitmap = ::SelectObject(m_hBackDC, m_hBackBitmap);
      }
      POINT move{0, 0};
      medview::MvScrollVertical(m_pViewer, &move, nullptr, nullptr, medview::kScrollThumb, int32_t(nPos), nullptr);
      RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
      break;
    }
    default:
      RefreshHorizontalRange();
      ScrollStep(SB_VERT, int(nSBCode));
      break;
  }
  ReadSelectionRects();
}

void CMvSR::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
  if (!m_pViewer || !CanScrollH() || nSBCode > 7) return;
  const int32_t thumb = medview::MvGetHorizontalThumb(m_pViewer);
  if ((nSBCode == SB_LINERIGHT && thumb == medview::kThumbEnd) || (nSBCode == SB_LINELEFT && thumb == 0)) return;
  if (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK) {
    ScrollStep(SB_HORZ, medview::kScrollThumb, int32_t(nPos));
  } else {
    ScrollStep(SB_HORZ, int(nSBCode));
  }
  ReadSelectionRects();
}

void CMvSR::ReadSelectionRects() {
  if (m_pViewer) medview::MvGetSelectionRects(m_pViewer, &m_rcSelStart, &m_rcSelEnd);
}

// --- Keys ---------------------------------------------------------------------------------------

void CMvSR::ShowSelectionEnd(UINT nKey) {
  if (!m_pViewer) return;
  if (!medview::MvHasSelection(m_pViewer)) {
    switch (nKey) {
      case VK_LEFT: ScrollStep(SB_HORZ, medview::kScrollLineUp); break;
      case VK_RIGHT: ScrollStep(SB_HORZ, medview::kScrollLineDown); break;
      case VK_UP: ScrollStep(SB_VERT, medview::kScrollLineUp); break;
      default: ScrollStep(SB_VERT, medview::kScrollLineDown); break;
    }
    return;
  }
  CRect client;
  GetClientRect(&client);
  ReadSelectionRects();
  // Each loop is bounded: the thumb must move for it to go on.
  for (int guard = 0; m_rcSelEnd.bottom == -kEdgeOutside && guard < 1000; ++guard) {
    const int32_t before = medview::MvGetVerticalThumb(m_pViewer);
    ScrollStep(SB_VERT, medview::kScrollPageDown);
    ReadSelectionRects();
    if (medview::MvGetVerticalThumb(m_pViewer) == before) break;
  }
  if (m_rcSelEnd.bottom == kEdgeOutside) {
    if (nKey != VK_DOWN) return;
    for (int guard = 0; m_rcSelEnd.bottom == kEdgeOutside && guard < 1000; ++guard) {
      if (ScrollStep(SB_VERT, medview::kScrollPageUp) == 0) break;
      ReadSelectionRects();
    }
  }
  if (nKey == VK_LEFT || nKey == VK_RIGHT) {
    if (m_rcSelEnd.left < 0) {
      ScrollStep(SB_HORZ, medview::kScrollPageUp);
    } else if (m_rcSelEnd.right > client.right) {
      ScrollStep(SB_HORZ, medview::kScrollPageDown);
    }
  }
  auto within = [](long v) { return v > -kEdgeOutside && v < kEdgeOutside; };
  if (nKey == VK_DOWN || nKey == VK_LEFT) {
    if (m_rcSelEnd.top < 0) {
      ScrollStep(SB_VERT, medview::kScrollPageUp);
    } else {
      for (int guard = 0; m_rcSelEnd.bottom > client.bottom && within(m_rcSelEnd.bottom) && guard < 1000; ++guard) {
        const int32_t before = medview::MvGetVerticalThumb(m_pViewer);
        ScrollStep(SB_VERT, medview::kScrollLineDown);
        ReadSelectionRects();
        if (medview::MvGetVerticalThumb(m_pViewer) == before) break;
      }
    }
  } else {
    if (m_rcSelEnd.bottom > client.bottom) {
      ScrollStep(SB_VERT, medview::kScrollPageDown);
    } else {
      for (int guard = 0; m_rcSelEnd.top <= 0 && within(m_rcSelEnd.top) && guard < 1000; ++guard) {
        const int32_t before = medview::MvGetVerticalThumb(m_pViewer);
        ScrollStep(SB_VERT, medview::kScrollLineUp);
        ReadSelectionRects();
        if (medview::MvGetVerticalThumb(m_pViewer) == before) break;
      }
    }
  }
}

void CMvSR::SelectionKey(UINT nKey, int code) {
  const bool shift = ShiftDown();
  if (!medview::MvHasSelection(m_pViewer) && !shift) {
    switch (nKey) {
      case VK_LEFT:
        if (medview::MvGetHorizontalThumb(m_pViewer) != 0) ScrollStep(SB_HORZ, medview::kScrollLineUp);
        break;
      case VK_RIGHT:
        if (medview::MvGetHorizontalThumb(m_pViewer) != medview::kThumbEnd) ScrollStep(SB_HORZ, medview::kScrollLineDown);
        break;
      case VK_UP:
        if (CanScrollV() && medview::MvGetVerticalThumb(m_pViewer) > 0) ScrollStep(SB_VERT, medview::kScrollLineUp);
        break;
      default:
        if (CanScrollV()) ScrollStep(SB_VERT, medview::kScrollLineDown);
        break;
    }
    return;
  }
  medview::TitleErrorCode error = 0;
  medview::MvMoveSelectionByKey(m_pViewer, code, shift, &error);
  if (error == 1032) ShowSelectionEnd(nKey);
  ReadSelectionRects();
  Invalidate();
  if (shift) {
    bool follow = true;
    if (nKey == VK_UP) follow = medview::MvGetVerticalThumb(m_pViewer) > 0;
    if (nKey == VK_RIGHT) follow = medview::MvGetHorizontalThumb(m_pViewer) < medview::kThumbEnd;
    if ((nKey == VK_LEFT || nKey == VK_RIGHT) && !CanScrollH()) follow = false;
    if (follow) ShowSelectionEnd(nKey);
  }
}

void CMvSR::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (!m_pViewer) return;
  // Shift with the page keys belongs to the accelerators (previous and next page): never scroll.
  const bool shift = ShiftDown();
  const bool may_scroll = CanScrollV() && !shift;
  const int32_t thumb = medview::MvGetVerticalThumb(m_pViewer);
  switch (nChar) {
    case VK_CANCEL:
      if (IsSmoothScrolling()) ToggleSmoothScroll();
      break;
    case VK_PRIOR:
      if (may_scroll && thumb > 0) OnVScroll(SB_PAGEUP, 0, nullptr);
      break;
    case VK_NEXT:
      if (may_scroll) OnVScroll(SB_PAGEDOWN, 0, nullptr);
      break;
    case VK_END:
      if (may_scroll) OnVScroll(SB_BOTTOM, 0, nullptr);
      break;
    case VK_HOME:
      if (may_scroll && thumb > 0) OnVScroll(SB_TOP, 0, nullptr);
      break;
    case VK_LEFT:
      if (!IsSmoothScrolling()) SelectionKey(nChar, medview::kKeyLeft);
      break;
    case VK_RIGHT:
      if (!IsSmoothScrolling()) SelectionKey(nChar, medview::kKeyRight);
      break;
    case VK_UP:
      if (IsSmoothScrolling()) {
        m_nSmoothDirection = 0;
      } else {
        SelectionKey(nChar, medview::kKeyUp);
      }
      break;
    case VK_DOWN:
      if (IsSmoothScrolling()) {
        m_nSmoothDirection = 1;
      } else {
        SelectionKey(nChar, medview::kKeyDown);
      }
      break;
    case VK_ADD:
      if (IsSmoothScrolling() && m_nSmoothSpeed < 100) m_nSmoothSpeed = std::min(150, m_nSmoothSpeed + int(nRepCnt));
      break;
    case VK_SUBTRACT:
      if (IsSmoothScrolling() && m_nSmoothSpeed > 1) m_nSmoothSpeed = std::max(2, m_nSmoothSpeed - int(nRepCnt));
      break;
    default:
      break;
  }
  CMvPane::OnKeyDown(nChar, nRepCnt, nFlags);
}

// --- Mouse --------------------------------------------------------------------------------------

void CMvSR::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_pViewer) return;
  if (medview::MvHasSelection(m_pViewer) && IsPointInSelection(point.x, point.y)) {
    SetTimer(kSelectionDragTimer, 300);
    return;
  }
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  const bool on_hotspot = medview::MvHotspotFromPoint(m_pViewer, point.x, point.y, &info, &target, nullptr) &&
                          info.kind != medview::kHotspotNothing;
  if (!on_hotspot) {
    medview::MvClearSelection(m_pViewer, nullptr);
    Invalidate();
    SetCapture();
    medview::MvSelectAt(m_pViewer, medview::kSelectPoint, point.x, point.y, FALSE, nullptr);
  }
  CMvPane::OnLButtonDown(nFlags, point);
  if (!on_hotspot && CWnd::GetCapture() != this) SetCapture();
  if (!on_hotspot) SetFocus();
}

void CMvSR::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_nDragTimer) {
    KillTimer(kDragScrollTimer);
    m_nDragTimer = 0;
  }
  KillTimer(kSelectionDragTimer);
  CMvPane::OnLButtonUp(nFlags, point);
  ReadSelectionRects();
}

void CMvSR::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_pViewer && CWnd::GetCapture() == this && nFlags != MK_MBUTTON && medview::MvHasSelection(m_pViewer)) {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) && !m_nDragTimer) m_nDragTimer = SetTimer(kDragScrollTimer, 100);
  }
  CMvPane::OnMouseMove(nFlags, point);
}

void CMvSR::OnMButtonDown(UINT nFlags, CPoint point) {
  if (nFlags == MK_MBUTTON) StartWheelScrolling(this, point);
}

BOOL CMvSR::OnMouseWheel(UINT nFlags, short zDelta, CPoint) {
  if (!m_pViewer) return TRUE;
  if (nFlags == MK_CONTROL) return TRUE;
  if (nFlags == MK_SHIFT) {
    SetZoom(1.0);
    Layout();
    Invalidate();
    return TRUE;
  }
  const int lines = shell::view::WheelLines(zDelta);
  for (int i = 0; i < std::abs(lines); ++i) {
    const int32_t thumb = medview::MvGetVerticalThumb(m_pViewer);
    if (!CanScrollV()) break;
    if (lines > 0 && thumb > 0) {
      OnVScroll(SB_LINEUP, 0, nullptr);
    } else if (lines < 0 && thumb < medview::kThumbEnd) {
      OnVScroll(SB_LINEDOWN, 0, nullptr);
    }
  }
  return TRUE;
}

void CMvSR::OnSelectionDragTimer() {
  KillTimer(kSelectionDragTimer);
  if ((::GetKeyState(VK_LBUTTON) & 0x8000) == 0) return;  // released before the drag began
  topicdrag::DragSelection(m_pViewer);
}

void CMvSR::OnTimer(UINT_PTR nIDEvent) {
  if (!m_pViewer) {
    CMvPane::OnTimer(nIDEvent);
    return;
  }
  if (nIDEvent == kDragScrollTimer) {
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
      const int32_t thumb = medview::MvGetVerticalThumb(m_pViewer);
      if (point.y < client.top) {
        if (CanScrollV() && thumb > 0) OnVScroll(SB_LINEUP, 0, nullptr);
        point.y = client.top;
      } else if (point.y >= client.bottom) {
        if (thumb < medview::kThumbEnd) OnVScroll(SB_LINEDOWN, 0, nullptr);
        point.y = client.bottom - 1;
      } else if (point.x < client.left) {
        OnHScroll(SB_LINELEFT, 0, nullptr);
        point.x = client.left;
      } else {
        OnHScroll(SB_LINERIGHT, 0, nullptr);
        point.x = client.right - 1;
      }
    }
    if (CWnd::GetCapture() == this && medview::MvHasSelection(m_pViewer)) {
      medview::MvSelectAt(m_pViewer, medview::kSelectPoint, point.x, point.y, TRUE, nullptr);
      Invalidate();
    }
    return;
  }
  if (nIDEvent == kSelectionDragTimer) {
    OnSelectionDragTimer();
    return;
  }
  if (nIDEvent == kSmoothTimer) {
    if (!CanScrollV()) {
      ToggleSmoothScroll();
      return;
    }
    m_nSmoothAccumulator += m_nSmoothSpeed;
    if (m_nSmoothAccumulator > 500) {
      const int32_t before = medview::MvGetVerticalThumb(m_pViewer);
      OnVScroll(m_nSmoothDirection ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
      if (medview::MvGetVerticalThumb(m_pViewer) == before) {
        if (++m_nSmoothStuck > 10) ToggleSmoothScroll();
        return;
      }
      m_nSmoothAccumulator = 0;
    }
    return;
  }
  CMvPane::OnTimer(nIDEvent);
}

void CMvSR::ToggleSmoothScroll() {
  if (m_nSmoothTimer) {
    KillTimer(kSmoothTimer);
    m_nSmoothTimer = 0;
    m_nSmoothStuck = 0;
  } else {
    m_nSmoothTimer = SetTimer(kSmoothTimer, 10);
  }
}

void CMvSR::OnKillFocus(CWnd* pNewWnd) {
  DeleteBackBuffer();
  CMvPane::OnKillFocus(pNewWnd);
}

void CMvSR::OnDestroy() {
  KillTimer(kDragScrollTimer);
  KillTimer(kSmoothTimer);
  m_nDragTimer = m_nSmoothTimer = 0;
  DeleteBackBuffer();
  CWnd::OnDestroy();
}

// --- Selection tests ---------------------------------------------------------------------------

BOOL CMvSR::IsPointInSelection(int x, int y) {
  if (!m_pViewer || !medview::MvHasSelection(m_pViewer)) return FALSE;
  ReadSelectionRects();
  RECT end = m_rcSelEnd;
  if (end.top == -kEdgeOutside && end.bottom == -kEdgeOutside) {
    CRect client;
    GetClientRect(&client);
    end = {client.right, client.bottom, client.right, client.bottom};
  }
  const RECT& start = m_rcSelStart;
  // After the start in reading order...
  const bool after_start = y >= start.bottom || (y >= start.top && x >= start.left);
  // ...and before the end.
  const bool before_end = y < end.top || (y < end.bottom && x < end.right);
  return after_start && before_end;
}

BOOL CMvSR::IsPointBelowSelectionStart(int x, int y) {
  ReadSelectionRects();
  return y > m_rcSelStart.bottom || (y > m_rcSelStart.top && x > m_rcSelStart.right);
}

// --- Found words -------------------------------------------------------------------------------

fts::TopicHitListPtr CMvSR::HitsOfTopic() const {
  if (!m_pViewer || !m_pOwner) return nullptr;
  fts::HitHighlightHandle source = m_pOwner->GetFoundWordSource();
  if (!source) return nullptr;
  return medview::MvGetTopicHits(source, uint32_t(frame::MvGetCurrentTopic(m_pViewer)));
}

int CMvSR::ScrollToFirstHit(BOOL bSelect) {
  m_nCurrentHit = -1;
  fts::TopicHitListPtr hits = HitsOfTopic();
  const int count = medview::MvGetHitCount(hits.get());
  if (count <= 0) return 0;
  for (int n = 0; n < count; ++n) {
    const int64_t address = medview::MvGetHitPosition(hits.get(), n);
    if (address >= 0 && medview::MvScrollToPosition(m_pViewer, int32_t(address), nullptr)) {
      m_nCurrentHit = n;
      break;
    }
  }
  const int32_t thumb = medview::MvGetVerticalThumb(m_pViewer);
  if (GetScrollPos(SB_VERT) != thumb) {
    SetScrollPos(SB_VERT, thumb, TRUE);
    Invalidate();
  }
  if (bSelect) {
    for (int n = 0; n < count; ++n) {
      RECT rect;
      if (medview::MvGetHitRect(m_pViewer, n, &rect)) {
        medview::MvSelectAt(m_pViewer, medview::kSelectWord, rect.left + 2, rect.top + 2, FALSE, nullptr);
        Invalidate();
        break;
      }
    }
  }
  return count;
}

void CMvSR::ScrollToNextHit() {
  if (!m_pViewer) return;
  if (medview::MvHasSelection(m_pViewer)) {
    ShowSelectionEnd(VK_DOWN);
    medview::MvClearSelection(m_pViewer, nullptr);
  }
  fts::TopicHitListPtr hits = HitsOfTopic();
  const int count = medview::MvGetHitCount(hits.get());
  if (count <= 0) return;
  const int bar = GetScrollPos(SB_VERT);
  if (bar > medview::MvGetVerticalThumb(m_pViewer)) {
    ScrollToPreviousHit();
    return;
  }
  for (int n = std::max(0, m_nCurrentHit + 1); n < count; ++n) {
    const int64_t address = medview::MvGetHitPosition(hits.get(), n);
    if (address < 0 || !medview::MvScrollToPosition(m_pViewer, int32_t(address), nullptr)) continue;
    if (medview::MvGetVerticalThumb(m_pViewer) > bar || n > m_nCurrentHit) {
      m_nCurrentHit = n;
      break;
    }
  }
  const int32_t thumb = medview::MvGetVerticalThumb(m_pViewer);
  if (thumb != bar) SetScrollPos(SB_VERT, thumb, TRUE);
  Invalidate();
}

void CMvSR::ScrollToPreviousHit() {
  if (!m_pViewer) return;
  if (medview::MvHasSelection(m_pViewer)) {
    ShowSelectionEnd(VK_UP);
    medview::MvClearSelection(m_pViewer, nullptr);
  }
  fts::TopicHitListPtr hits = HitsOfTopic();
  const int count = medview::MvGetHitCount(hits.get());
  if (count <= 0) return;
  const int start = m_nCurrentHit < 0 ? count - 1 : m_nCurrentHit - 1;
  for (int n = start; n >= 0; --n) {
    const int64_t address = medview::MvGetHitPosition(hits.get(), n);
    if (address >= 0 && medview::MvScrollToPosition(m_pViewer, int32_t(address), nullptr)) {
      m_nCurrentHit = n;
      break;
    }
  }
  SetScrollPos(SB_VERT, medview::MvGetVerticalThumb(m_pViewer), TRUE);
  Invalidate();
}

int CMvSR::SetHits(fts::HitHighlightHandle hits, BOOL bOn) {
  const int count = CMvPane::SetHits(hits, bOn);
  const CLumoApp* app = LumoApp();
  if (m_nCurrentHit < 0 && bOn && count > 0 && app && const_cast<CLumoApp*>(app)->GetUserData().m_bFirstFoundWord) {
    ScrollToFirstHit(FALSE);
  }
  return count;
}

// --- Wheel target -------------------------------------------------------------------------------

CWnd* CMvSR::TargetWindow() { return this; }
BOOL CMvSR::WheelCanScrollH() { return CanScrollH(); }
BOOL CMvSR::WheelCanScrollV() { return CanScrollV(); }

void CMvSR::WheelScroll(shell::view::WheelDirection direction, int) {
  using shell::view::WheelDirection;
  switch (direction) {
    case WheelDirection::left: if (CanScrollH()) OnHScroll(SB_LINELEFT, 0, nullptr); break;
    case WheelDirection::right: if (CanScrollH()) OnHScroll(SB_LINERIGHT, 0, nullptr); break;
    case WheelDirection::up: if (CanScrollV()) OnVScroll(SB_LINEUP, 0, nullptr); break;
    case WheelDirection::down: if (CanScrollV()) OnVScroll(SB_LINEDOWN, 0, nullptr); break;
    case WheelDirection::none: break;
  }
}
