// Dragging a control bar with the mouse: a nested loop follows the mouse with the drag rectangle
// (the bar's outline moved with the pointer) until the button is released, then docks the bar
// into the dock bar the rectangle touches or floats it at the rectangle. Escape leaves it be.
#pragma once

#include "platform/framework/control_bar.h"

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext() = default;

  // Follows the mouse from screen point `pt` (where the button went down on the bar).
  virtual void StartDrag(CPoint pt);
  // The dock bar the rectangle (screen coordinates) would dock into; null: the bar floats there.
  CDockBar* DockBarAt(const CRect& rect) const;

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  CPoint m_ptLast;
  CRect m_rectLast;  // the drag rectangle, screen coordinates
  BOOL m_bDragging = FALSE;
};
