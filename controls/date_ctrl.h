// CDateCtrl: a static control that shows a date (its window text) with a hand cursor; a click
// opens the calendar options ("Opcje - kalendarz").
//
// The options sheet belongs to the application, which hands the control the routine that runs it
// (SetOptionsHandler); without one a click only shows the wait cursor briefly. The dialog
// template gives the static SS_NOTIFY so that it receives the mouse.
#pragma once

#include <functional>

#include "platform/base/cstring.h"
#include "platform/controls/standard_controls.h"

class CDateCtrl : public CStatic {
  DECLARE_DYNAMIC(CDateCtrl)

 public:
  // Runs the options sheet modally: its parent, its caption and the page shown first.
  using OptionsHandler = std::function<void(CWnd* parent, const CString& caption, int first_page)>;

  CDateCtrl();

  // The routine every date control runs for its options; an empty one clears it.
  static void SetOptionsHandler(OptionsHandler handler);

 protected:
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnCalendarOptions();
  DECLARE_MESSAGE_MAP()

  HCURSOR m_hHandCursor = nullptr;
  HCURSOR m_hArrowCursor = nullptr;
};
