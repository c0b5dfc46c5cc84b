// The tab control ("SysTabControl32"): a row of labelled tabs above a display area. A click on a
// tab asks the parent first (TCN_SELCHANGING, which may refuse), then selects it and tells the
// parent (TCN_SELCHANGE). Tabs are laid out left to right, each as wide as its label.
#pragma once

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"

inline constexpr const char* WC_TABCONTROL = "SysTabControl32";
constexpr UINT TCN_SELCHANGE = UINT(-551);
constexpr UINT TCN_SELCHANGING = UINT(-552);

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
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  // Selects without telling the parent; returns the previous selection.
  int SetCurSel(int nItem);
  CString GetItemText(int nItem) const;
  LPARAM GetItemData(int nItem) const;
  BOOL GetItemRect(int nItem, LPRECT lpRect) const;
  int HitTest(CPoint pt) const;
  // With bLarger false: the display area inside a window rectangle; true: the reverse.
  void AdjustRect(BOOL bLarger, LPRECT lpRect) const;
};
