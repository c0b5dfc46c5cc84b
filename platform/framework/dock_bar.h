// The frame's dock bars: one control bar along each edge of a frame that holds the frame's
// docked control bars in rows. A top or bottom dock bar stacks its rows downwards and lines the
// bars of a row up from left to right; a left or right dock bar does the same turned a quarter.
// An empty dock bar takes no room in the frame's layout.
#pragma once

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
  // Docked bars, row by row.
  const std::vector<std::vector<CControlBar*>>& Rows() const { return m_rows; }
  int GetDockedCount() const;
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

  // The room the visible bars take: rows' depths added up, the longest row's length.
  CSize RowsExtent() const;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();

  // Size of `pBar` docked on this side.
  CSize BarSize(CControlBar* pBar) const;
  // Places the visible bars in rows within the client area.
  void LayoutBars();

  std::vector<std::vector<CControlBar*>> m_rows;

  DECLARE_MESSAGE_MAP()
};
