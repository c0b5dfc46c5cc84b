// The toolkit's drag-and-dock context: drags a bar between dock bars and floating frames, sizes a
// floating bar from its frame's edges and corners, toggles docked and floating on a double click
// and moves a bar into or out of a frame inside the main window.
//
// Over a toolkit dock bar the outline is the one the dock bar offers for the row under the mouse
// (SECDockBar::CalcTrackRect); a floating bar must first be moved by more than 4 pixels before
// it may dock. Ctrl floats, Shift turns the floating frame the other way, Escape, the right button
// or a lost mouse capture cancel. The docking itself is the dock site's: the toolkit's MDI frame
// when it is one, else the framework frame's own operations.
#pragma once

#include "platform/framework/dock_context.h"

class SECMDIFrameWnd;

class SECBarDockContext : public CDockContext {
 public:
  explicit SECBarDockContext(CControlBar* pBar);
  ~SECBarDockContext() override;

  void StartDrag(CPoint pt) override;
  void ToggleDocking() override;
  // Floats the bar in a frame inside the main window, or takes it back out to where it was.
  virtual void ToggleMDIFloat();

  void Move(CPoint pt) override;
  void Stretch(CPoint pt) override;
  void EndDrag() override;
  void EndResize() override;
  void CancelLoop() override;
  void DrawFocusRect(BOOL bRemoveRect = FALSE) override;

  // Shifts `rect` so that `pt` lies inside it: by the difference when the point lies before it,
  // by the difference plus the toolkit's border when it lies after it.
  static void AdjustRectangle(CRect& rect, CPoint pt);
  void BringUnderPoint(CRect& rect, CPoint pt) const override { AdjustRectangle(rect, pt); }
  // The mini frame's borders around a bar rectangle, less the toolkit's own border.
  void FrameAround(CRect& rect) const override;
  // Whether the drag counts as docking: the bar is docked, or it floats and the mouse has moved
  // more than 4 pixels (x and y distances added) from where the drag began.
  bool CountsAsDocking() const;

  CRect m_rectLastOutline;
  CPoint m_ptDragStart;
  CPoint m_ptLastMouse;
  int m_nLastPos = -1;
  BOOL m_bWasFloating = FALSE;
  int m_nMinFloatWidth;
  int m_nMinFloatHeight;
  int m_nMaxWidth;
  int m_nMaxHeight;

 protected:
  bool AcceptsUprightCandidate(CDockBar* dock) const override;
  // The dock site as the toolkit's MDI frame, or null.
  SECMDIFrameWnd* MDIFrame() const;
  // The remembered docked place in screen coordinates and its dock bar (null without one).
  CDockBar* RememberedDockBar(CRect& rect) const;
  // Re-docks the bar at its remembered place with its saved share and lays the frame out.
  void DockBack();
};
