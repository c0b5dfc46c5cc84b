// The rectangle tracker: a rectangle with a border style and eight resize handles that the user
// moves or resizes with the mouse. Track runs its own loop from a press on a handle (or inside, to
// move) until the button comes up (TRUE when the rectangle changed), Esc or the right button
// (FALSE, the rectangle as it was). While it runs, the outline is shown over the desktop and every
// new rectangle passes AdjustRect (where a derived tracker may snap or limit it) and
// OnChangedRect. Rectangles are in the tracking window's client coordinates.
#pragma once

#include "platform/framework/drag_outline.h"
#include "platform/win/cwnd.h"

class CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1,
    dottedLine = 2,
    hatchedBorder = 4,
    resizeInside = 8,
    resizeOutside = 16,
    hatchInside = 32,
  };
  enum TrackerHit {
    hitNothing = -1,
    hitTopLeft = 0,
    hitTopRight = 1,
    hitBottomRight = 2,
    hitBottomLeft = 3,
    hitTop = 4,
    hitRight = 5,
    hitBottom = 6,
    hitLeft = 7,
    hitMiddle = 8,
  };

  CRectTracker() = default;
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
  virtual ~CRectTracker() = default;
  CRectTracker(const CRectTracker&) = delete;
  CRectTracker& operator=(const CRectTracker&) = delete;

  // Draws the border and, with a resize style, the handles.
  void Draw(CDC* pDC) const;
  // The rectangle with the handles and the hatched border around it.
  void GetTrueRect(LPRECT lpTrueRect) const;
  // The handle (or hitMiddle inside, hitNothing outside) under a client point.
  int HitTest(CPoint point) const;
  // The handle's opposite when the rectangle is inverted, so that the cursor shows the right way.
  int NormalizeHit(int nHandle) const;
  // Shows the sizing cursor of the handle under the cursor; FALSE when the cursor is elsewhere.
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;

  // Moves or resizes from a press at `point`; with bAllowInvert the edges may cross.
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
  // Draws a new rectangle from `point`, as its bottom-right handle.
  BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

  // Shows the outline of `lpRect` while tracking; the default draws it over the desktop with the
  // handle size less one as thickness (a later call replaces the earlier outline).
  virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
  // Lets a derived tracker change the rectangle the mouse asks for.
  virtual void AdjustRect(int nHandle, LPRECT lpRect);
  virtual void OnChangedRect(const CRect& rectOld);
  virtual UINT GetHandleMask() const;

  CRect m_rect;
  UINT m_nStyle = 0;
  int m_nHandleSize = 4;
  CSize m_sizeMin{0, 0};

 protected:
  // The outline of a screen rectangle with edges `size` thick; a zero size removes it.
  void DrawDragOutline(const CRect& screen, CSize size);
  // Rectangle of handle `nHandle` around m_rect.
  CRect GetHandleRect(int nHandle) const;

  BOOL m_bAllowInvert = FALSE;
  BOOL m_bErase = FALSE;       // an outline is shown
  BOOL m_bFinalErase = FALSE;  // the next draw only removes it

 private:
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo);

  framework::DragOutline m_outline;
};
