// A list box with a check box at the left of each row. A click on the box or the space key turns the
// selected row's mark, and the parent hears CLBN_CHKCHANGE through WM_COMMAND.
#pragma once

#include "platform/controls/standard_controls.h"

constexpr WORD CLBN_CHKCHANGE = 40;

class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)

 public:
  // Makes an owner-drawn list box of rows of one height that keeps its texts.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCheck(int nIndex) const { return int(SendMessage(LB_GETCHECKMARK, WPARAM(nIndex))); }
  void SetCheck(int nIndex, int nCheck) { SendMessage(LB_SETCHECKMARK, WPARAM(nIndex), LPARAM(nCheck)); }

 protected:
  // Draws its own rows (the parent's WM_DRAWITEM and WM_MEASUREITEM come back here).
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  // Turns row `index` checked/unchecked and tells the parent.
  void toggle(int index);
};
