// Dragging a control bar with the mouse. A nested loop follows the mouse and shows where the bar
// would go: over a dock bar that takes the bar's alignment a thin outline of the bar docked there,
// elsewhere a thick halftone outline of the floating frame it would get. Ctrl keeps the bar from
// docking, Shift turns a floating bar's frame the other way, Escape or the right button leave
// everything as it was. On release the bar docks at the outline (row and place in the row) or
// floats there. The same loop sizes a floating frame from its edges, and a double click switches
// a bar between its last docked place and its last floating place.
//
// The four drag rectangles are the bar docked horizontally, docked vertically, and floating in a
// frame either way (screen coordinates). While sizing a floating frame they serve as the requested
// bar size, the actual bar size, the actual frame rectangle and the frame's borders, in that order.
#pragma once

#include <memory>

#include "platform/framework/control_bar.h"
#include "platform/framework/drag_outline.h"

class CDockContext {
 public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext();
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // Drags the bar from screen point `pt` (where the left button went down) until release.
  virtual void StartDrag(CPoint pt);
  // Sizes the bar's floating frame by the edge `nHitTest` (HTLEFT..HTBOTTOMRIGHT) from `pt`.
  virtual void StartResize(int nHitTest, CPoint pt);
  // A docked bar floats at its last floating place; a floating one docks at its last docked place.
  virtual void ToggleDocking();

  // --- The drag loop's steps (a derived context may take any of them over) ---
  virtual void Move(CPoint pt);
  virtual void Stretch(CPoint pt);
  void OnKey(int nChar, BOOL bDown);
  virtual void EndDrag();
  virtual void EndResize();
  // Removes the outline and releases the mouse.
  virtual void CancelLoop();
  // Follows the mouse until release (TRUE) or cancel (FALSE): Escape, the right button, WM_QUIT
  // (posted again) or the mouse capture lost to another window cancel.
  BOOL Track();
  // Shows the outline for the current state; with `bRemoveRect` removes it.
  virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);
  // The side (CBRS_ALIGN_ bit) of the dock bar the drag rectangles would dock into, 0 for none.
  DWORD CanDock();
  // The dock bar of the side CanDock found, or null.
  CDockBar* GetDockBar(DWORD dwOverDockStyle);

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  // The drag's state.
  CPoint m_ptStart;  // where the drag began
  CPoint m_ptLast;
  CRect m_rectLast;  // the outline shown, screen coordinates
  CSize m_sizeLast;
  BOOL m_bDitherLast = FALSE;
  CRect m_rectDragHorz;
  CRect m_rectDragVert;
  CRect m_rectFrameDragHorz;
  CRect m_rectFrameDragVert;
  DWORD m_dwDockStyle = 0;      // the sides the bar may dock on, at the drag's start
  DWORD m_dwOverDockStyle = 0;  // the side it would dock on now
  DWORD m_dwStyle = 0;          // the bar's style at the drag's start
  BOOL m_bFlip = FALSE;         // Shift: the floating frame turned the other way
  BOOL m_bForceFrame = FALSE;   // Ctrl: no docking
  BOOL m_bDragging = FALSE;     // dragging (TRUE) or sizing (FALSE)
  int m_nHitTest = 0;
  // Where the bar last was: docked (dock bar id, rectangle in the dock bar's client coordinates)
  // and floating (frame style, frame's screen point; negative until it has floated).
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos{-1, -1};

  // The outline on the screen.
  framework::DragOutline m_outline;

 protected:
  void InitLoop();
  // Whether the drag may dock: a floating bar must first be moved by more than a click's jitter,
  // so a click or a double click on its caption does not dock it where it floats.
  bool MayDock() const;
  // Remembers where the bar is docked now, before it floats.
  void RememberDockedPlace();
  // The dock bar of the dock site under `rect` that takes one of `dwDockStyle`'s sides.
  CDockBar* DockBarUnder(const CRect& rect, DWORD dwDockStyle) const;
  // Whether the dock bar the bar's own upright rectangle found first may take it (any, here).
  virtual bool AcceptsUprightCandidate(CDockBar*) const { return true; }
  // Grows a bar rectangle to the floating frame around it.
  virtual void FrameAround(CRect& rect) const;
  // Shifts a drag rectangle so that the drag's starting point lies inside it.
  virtual void BringUnderPoint(CRect& rect, CPoint pt) const;

  // False once the context is gone: the loop stops touching it when a message it dispatched
  // ended the bar.
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
