// CGSToolBar: a framework toolbar that brings its buttons up to date against its parent window
// on idle, so that a bar on a dialog or a navigator tab is enabled and checked by that window's
// update handlers (the framework's toolbar asks the frame it is docked in). Such a bar is laid
// out by the window that holds it: it is not one of the frame's control bars, so the frame's
// saved layout and its look-ups of bars by id never meet it.
#pragma once

#include "platform/framework/tool_bar.h"

class CGSToolBar : public CToolBar {
  DECLARE_DYNAMIC(CGSToolBar)

 public:
  CGSToolBar();
  ~CGSToolBar() override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  // wParam: disable buttons whose command has no handler.
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
