// The floating frame of a control bar: a small tool window the main frame owns, holding one dock
// bar (AFX_IDW_DOCKBAR_FLOAT) with the floating bars. It sizes itself around its bars, takes its
// title from its first bar and goes away when its last bar docks again.
//
// Its caption drags the bar (through the bar's dock context) unless the dock bar holds several
// bars (CBRS_FLOAT_MULTI), when the frame moves as a window; a double click on the caption docks
// the bar again. A bar that sizes itself (CBRS_SIZE_DYNAMIC) gets sizing edges, any other bar's
// frame moves by its edges too. Closing the frame hides its bars, which hides the frame.
#pragma once

#include "platform/framework/dock_bar.h"
#include "platform/framework/mini_frame.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)

 public:
  // Makes the frame owned by `pParent` (the docking frame), with its float dock bar; the CBRS_
  // bits of `dwBarStyle` line the bars up and say whether they size themselves.
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // Fits the frame's client area to its bars.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // The bar the caption acts for: the first one docked here, or null.
  CControlBar* GetFirstBar() const;
  // The dock bar the bars float in: the child of id AFX_IDW_DOCKBAR_FLOAT (a derived frame may
  // make a dock bar of its own kind under that id), else `m_wndDockBar`.
  CDockBar* GetFloatDockBar() const;

  CDockBar m_wndDockBar;

 protected:
  afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnClose();

  DECLARE_MESSAGE_MAP()
};
