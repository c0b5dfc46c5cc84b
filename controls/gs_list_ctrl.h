// CGSListCtrl: the owner-drawn report list of the index dialogs and the list tabs. Each row is
// drawn by the list itself: the selection reaches the right edge of the client area, cell texts
// end in an ellipsis when cut, rows whose column 1 contains the highlight text lie on yellow, and
// a title tip (CGSTitleTip) shows the whole text of a cut-off cell under the resting mouse. The
// last column fills the width left by the others. The owner fills rows and columns through the
// CListCtrl operations (owner data included) and hears the list's notifications; a plain click
// also sends it WM_NOTIFY with the code kListClickNotify.
//
// CGSHeaderCtrl is a header for such lists that has its parent list stretch the last column
// when a divider is released.
#pragma once

#include <memory>

#include "controls/gs_title_tip.h"
#include "platform/base/cstring.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/list_ctrl.h"

// The notification code of a plain left click (after the list's own handling).
constexpr UINT kListClickNotify = 4096;

class CGSListCtrl : public CListCtrl {
  DECLARE_DYNCREATE(CGSListCtrl)

 public:
  CGSListCtrl();
  ~CGSListCtrl() override;

  // Rows whose column 1 text contains m_strHighlight (compared with case) are drawn on yellow
  // while m_bHighlight is on.
  CString m_strHighlight;
  int m_bHighlight = 0;
  // The selection of a row reaches the right edge of the client area.
  int m_bFullWidth = 1;
  // The owner's sorting by column headers: the column (-1 none) and the direction.
  int m_nSortColumn = -1;
  int m_bSortAscending = 1;

  // With the switch on, Enter and Escape reach the list inside a dialog.
  void SetWantAllKeys(BOOL bWant) { m_bWantAllKeys = bWant; }
  // Gives the last column `nTotalWidth` less the other columns' widths (and less a vertical
  // scroll bar when the list scrolls) when more than 10 pixels remain. `nColumn` must be 0 or
  // more and says nothing else.
  void StretchLastColumn(int nTotalWidth, int nColumn);

  // The cell under a client point in report view: its row, column and rectangle (cut at the
  // client area's right edge); false when the point is on none.
  BOOL CellFromPoint(CPoint point, int& nRow, int& nColumn, CRect* pCell = nullptr) const;

  CGSTitleTip* GetTitleTip() const { return m_pTitleTip.get(); }
  COLORREF GetListTextColor() const { return m_clrText; }
  COLORREF GetListTextBkColor() const { return m_clrTextBk; }
  COLORREF GetListBkColor() const { return m_clrBk; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetTextBkColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Shows the title tip for the cell under a client point, if its text is cut off.
  void ShowTitleTip(CPoint point);
  void HideTitleTip();
  // Fills the client width with the last column (what resizing and a released divider do).
  void FillClientWidth(int nClientWidth);
  // The column under `x` by the header's display order (the Alt+click that edits a label).
  int ColumnByOrder(int x) const;

  std::unique_ptr<CGSTitleTip> m_pTitleTip;
  int m_bWantAllKeys = 1;
  COLORREF m_clrText;
  COLORREF m_clrTextBk;
  COLORREF m_clrBk;
};

class CGSHeaderCtrl : public CHeaderCtrl {
  DECLARE_DYNAMIC(CGSHeaderCtrl)

 protected:
  afx_msg void OnEndTrack(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
