// The floating frame of a control bar: a small tool window the main frame owns, holding one dock
// bar (AFX_IDW_DOCKBAR_FLOAT) with the floating bars. It sizes itself around its bars and goes
// away when its last bar docks again.
#pragma once

#include "platform/framework/dock_bar.h"
#include "platform/framework/mini_frame.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)

 public:
  // Makes the frame owned by `pParent` (the docking frame), with its float dock bar.
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // Fits the frame's client area to its bars.
  void RecalcLayout(BOOL bNotify = TRUE) override;

  CDockBar m_wndDockBar;
};
