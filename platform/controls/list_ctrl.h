// The list view ("SysListView32") in report mode: columns, rows of texts with item data and
// selection state, owner data (LVS_OWNERDATA: the parent supplies texts through LVN_GETDISPINFO
// for as many rows as SetItemCount says) and owner draw (LVS_OWNERDRAWFIXED: the parent draws
// each row through WM_DRAWITEM). Selection changes reach the parent as LVN_ITEMCHANGED, clicks
// as NM_CLICK and NM_DBLCLK. The rows are kept by the control's window; CListCtrl reads and
// changes them directly, and the window answers the list-view messages for counts, emptying,
// scrolling and colours.
#pragma once

#include <string>

#include "platform/base/cstring.h"
#include "platform/win/cwnd.h"

using DWORD_PTR = UINT_PTR;

inline constexpr const char* WC_LISTVIEW = "SysListView32";
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;

// Owner-drawn list-view rows (DRAWITEMSTRUCT::CtlType).
constexpr UINT ODT_LISTVIEW = 102;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

constexpr UINT LVM_SETBKCOLOR = 0x1001;
constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
constexpr UINT LVM_SCROLL = 0x1014;  // lParam: pixels down (whole rows are scrolled)
constexpr UINT LVM_SETTEXTCOLOR = 0x1024;
constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;
constexpr UINT LVM_GETTOPINDEX = 0x1027;
constexpr UINT LVM_SETITEMCOUNT = 0x102F;
// Colour values meaning "the system's colour" and "no fill behind the text".
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;

constexpr UINT NM_CLICK = UINT(-2);
constexpr UINT NM_DBLCLK = UINT(-3);
constexpr UINT LVN_ITEMCHANGED = UINT(-101);
constexpr UINT LVN_GETDISPINFO = UINT(-150);

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = LVCFMT_LEFT;
  int cx = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
};

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
};

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};

struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};

namespace controls {
void register_list_view();
// Height of one row in pixels (rows start below the header).
constexpr int kListRowHeight = 17;
constexpr int kListHeaderHeight = 20;
}  // namespace controls

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
  int GetColumnCount() const;
  int InsertItem(int nItem, LPCTSTR lpszItem);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  // For owner data the parent's answer to LVN_GETDISPINFO.
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL DeleteItem(int nItem);
  BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
  int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
  // Owner data: the number of rows.
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, WPARAM(nItems)); }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const;
  // The next item after `nItem` (-1: from the start) with the LVNI_ state.
  int GetNextItem(int nItem, int nFlags) const;
  int GetSelectedCount() const;
  int HitTest(CPoint pt) const;
  BOOL EnsureVisible(int nItem, BOOL bPartialOK);
  int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
  BOOL Scroll(CSize size) { return BOOL(SendMessage(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }
  BOOL SetBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(cr))); }
  BOOL SetTextColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(cr))); }
  BOOL SetTextBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTBKCOLOR, 0, LPARAM(cr))); }
};
