// A rectangle tracker whose outline is drawn over the whole screen: moving a rectangle, and
// dragging only its right edge (a window button's width in a toolbar being customized).
#pragma once

#include "platform/framework/rect_tracker.h"

class SECDragRectTracker : public CRectTracker {
 public:
  explicit SECDragRectTracker(const CRect& rect) : CRectTracker(&rect, hatchedBorder) {}

  // Moves the whole rectangle from `point` (client coordinates of `pWnd`); nonzero when dropped.
  BOOL TrackMove(CWnd* pWnd, CPoint point);
  // Drags the right edge from `point`; nonzero when the rectangle changed. Escape or the right
  // button restore the starting rectangle; a capture lost to another window ends the drag where
  // it stands. Refused (0) while another window holds the mouse.
  BOOL TrackRightEdge(CWnd* pWnd, CPoint point);
  void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;

  BOOL m_bFinalDraw = FALSE;
  BOOL m_bRecordOnly = FALSE;
  CRect m_rectLast;
  CSize m_sizeLast;
};
