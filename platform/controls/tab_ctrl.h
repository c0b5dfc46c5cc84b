// The tab control ("SysTabControl32"): a row of labelled tabs (with an optional image from an
// image list) above a display area, or below it with TCS_BOTTOM. A click on a tab, or Left/Right
// while the control has the focus, asks the parent first (TCN_SELCHANGING, which may refuse),
// then selects the tab and tells the parent (TCN_SELCHANGE); TCM_SETCURSEL selects without
// asking. Tabs are laid out left to right, each as wide as its label. With TCS_OWNERDRAWFIXED the
// parent draws each tab's face (WM_DRAWITEM, ODT_TAB, the tab's lParam as item data) inside the
// border the control draws. Everything goes through the TCM_ messages, so a window that
// subclasses the control sees every request.
#pragma once

#include "platform/base/cstring.h"
#include "platform/framework/tab_control_messages.h"
#include "platform/win/cwnd.h"

class CImageList;

namespace controls {
void register_tab_control();
constexpr int kTabHeight = 20;
}  // namespace controls

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // Inserts a tab before `nItem` (at the end past it); returns its index or -1.
  int InsertItem(int nItem, LPCTSTR lpszItem, LPARAM lParam = 0);
  int InsertItem(int nItem, TCITEM* pTabCtrlItem);
  BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
  BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  // Selects without telling the parent; returns the previous selection (-1 for a bad index).
  int SetCurSel(int nItem);
  CString GetItemText(int nItem) const;
  LPARAM GetItemData(int nItem) const;
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
  int HitTest(CPoint pt) const;
  int HitTest(TCHITTESTINFO* pHitTestInfo) const;
  // With bLarger false: the display area inside a window rectangle; true: the reverse.
  void AdjustRect(BOOL bLarger, LPRECT lpRect) const;
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;
  // Owner-drawn tabs (TCS_OWNERDRAWFIXED) draw themselves here when the parent passes the request
  // back; the default draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
