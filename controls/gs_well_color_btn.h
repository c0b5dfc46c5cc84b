// CGSWellColorBtn: a colour-well push button that sits on a customizable toolbar. It starts red
// and its pop-up offers the button for other colours; while the bars are customized it is
// selected and dragged like any button and a click opens nothing.
#pragma once

#include "toolkit/widgets/owner_draw_button.h"
#include "toolkit/widgets/wnd_button.h"

class CGSWellColorBtn : public SECWellButton, public SECWndBtn {
  DECLARE_DYNAMIC(CGSWellColorBtn)

 public:
  CGSWellColorBtn();
  ~CGSWellColorBtn() override;

  static const SECButtonClass buttonClassCGSWellColorBtn;
  const SECButtonClass* GetButtonClass() const override { return &buttonClassCGSWellColorBtn; }

  CWnd* GetWnd() override { return this; }
  // The owner-drawn button, hidden and without caption, red.
  BOOL CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) override;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
