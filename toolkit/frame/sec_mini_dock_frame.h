// The floating frame of toolkit bars: the framework's mini dock frame with a floating SECDockBar
// in place of its own dock bar, so floating bars keep the toolkit's rows and dragging. Its caption
// drags the bar (unless it holds several), its edges size it, a double click on the caption docks
// the bar again, and closing it hides its bars. Its system menu offers only moving and "&Hide".
#pragma once

#include "platform/framework/mini_dock_frame.h"
#include "toolkit/frame/sec_dock_bar.h"

class SECMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(SECMiniDockFrameWnd)

 public:
  SECMiniDockFrameWnd();

  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  // Lays the bars out (the frame sized around them when it snaps to its bars) and takes the dock
  // bar's title.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // Lays the bars out and moves the frame to screen `point` with the size they need.
  virtual void RecalcLayoutAt(CPoint point, BOOL bNotify = TRUE);

  SECDockBar m_wndSECDockBar;

 protected:
  // The title follows the dock bar's text.
  void TakeTitle();
  void ActivateOwner();

  afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  afx_msg void OnClose();

  DECLARE_MESSAGE_MAP()
};
