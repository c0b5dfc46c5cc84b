// The frame's dock bars: one control bar along each edge of a frame that holds the frame's
// docked control bars in rows. A top or bottom dock bar stacks its rows downwards and lines the
// bars of a row up from left to right; a left or right dock bar does the same turned a quarter.
// An empty dock bar takes no room in the frame's layout: it is a line along its edge.
//
// A bar dropped onto a dock bar (DockControlBar with a rectangle) goes into the row under the
// rectangle's middle, or into a new first row when the middle lies before the first row, or a new
// last row when it lies after the last; within the row it goes before the first bar that starts
// after the rectangle, and keeps the rectangle's start as its place along the row. The layout
// puts each bar at its place unless the bar before it reaches further (bars never overlap), and
// moves bars back from the far end when the row is longer than the dock bar.
#pragma once

#include <map>
#include <vector>

#include "platform/framework/control_bar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)

 public:
  CDockBar() = default;

  // Makes the dock bar along the edge `dwStyle` names (CBRS_ALIGN_TOP, ...) of `pParentWnd`.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  // Adds `pBar` to this dock bar: into the row that `lpRect` (screen coordinates) touches, or a
  // new last row when no rectangle is given or none touches.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes `pBar` out of its row; an emptied row goes. Whether the bar was here.
  BOOL RemoveControlBar(CControlBar* pBar);
  // Shows or hides every bar docked here (through its frame).
  void ShowAll(BOOL bShow);
  // A floating dock bar shows its frame while it holds a visible bar and hides it otherwise.
  void SyncFloatingFrame();
  // Docked bars, row by row.
  const std::vector<std::vector<CControlBar*>>& Rows() const { return m_rows; }
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

  // The room the visible bars take: rows' depths added up, the longest row's length.
  CSize RowsExtent() const;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // The dock bar of a floating frame (AFX_IDW_DOCKBAR_FLOAT): its bars float.
  BOOL m_bFloating = FALSE;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();

  // Size of `pBar` docked on this side.
  CSize BarSize(CControlBar* pBar) const;
  // Places the visible bars in rows within the client area.
  void LayoutBars();
  // The thickness of row `row` across the dock bar: its deepest visible bar.
  int RowDepth(size_t row) const;

  std::vector<std::vector<CControlBar*>> m_rows;
  // Where bars dropped onto this dock bar asked to start along their row (client coordinates).
  std::map<const CControlBar*, int> m_along;

  DECLARE_MESSAGE_MAP()
};
