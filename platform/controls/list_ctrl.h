// The list view ("SysListView32") in report mode: a header child (id 0) with the columns, rows
// of items whose label and sub-item texts, image, indent, item data and state bits are set and read
// through LVITEM records, and the list-view messages over them.
//
// Items and notifications:
// - A text of LPSTR_TEXTCALLBACK or an image of I_IMAGECALLBACK is asked from the parent with
//   LVN_GETDISPINFO whenever it is needed; state bits in the callback mask are asked the same way.
//   An answer whose mask carries LVIF_DI_SETITEM is kept by the list from then on.
// - Owner data (LVS_OWNERDATA): the parent keeps the items; the list only knows how many there are
//   (LVM_SETITEMCOUNT) and their state bits. Texts and images always come from LVN_GETDISPINFO;
//   before rows are painted the parent hears LVN_ODCACHEHINT with the range; LVM_FINDITEM becomes
//   LVN_ODFINDITEM; a change of every item's state is one LVN_ITEMCHANGED with item -1 and a
//   Shift range is one LVN_ODSTATECHANGED.
// - A change of an item (text, image, item data, indent or state) asks LVN_ITEMCHANGING first (a
//   TRUE answer refuses it; not asked for owner data), then tells LVN_ITEMCHANGED with the old and
//   new state and the LVIF_ bits that changed. One item at most has LVIS_FOCUSED; with
//   LVS_SINGLESEL selecting one item deselects the others.
// - Mouse and keys: clicks select (Ctrl toggles, Shift extends from the selection mark), NM_CLICK,
//   NM_DBLCLK, NM_RCLICK, NM_RETURN, NM_SETFOCUS and NM_KILLFOCUS reach the parent; pressing on an
//   item and moving starts LVN_BEGINDRAG; a header click is LVN_COLUMNCLICK; the header's own
//   notifications are passed on to the parent. With LVS_EX_CHECKBOXES the state image is the check
//   box (1 unchecked, 2 checked), turned by a click on it or by Space. Typing selects the next item
//   whose label starts with the characters typed (LVN_ODFINDITEM asks the parent for owner data).
//
// In-place label editing (LVS_EDITLABELS): LVM_EDITLABEL, F2, or a click on the label of the item
// that was already focused and selected (after the double-click time, unless a double click comes)
// opens an edit (id 1) over the label. The parent hears LVN_BEGINLABELEDIT first, while
// LVM_GETEDITCONTROL already answers the edit; TRUE refuses. Enter, the edit losing the focus,
// scrolling or a column change ends it with the typed text; Escape, LVM_CANCELEDITLABEL, deleting
// the item or emptying the list ends it with a null text. LVN_ENDLABELEDIT carries that text; a
// TRUE answer has the list store it as the item's label (except with owner data, where the parent
// stores it). The image lists (LVM_SETIMAGELIST) stay the caller's.
#pragma once

#include <string>

#include "platform/base/collections.h"
#include "platform/base/cstring.h"
#include "platform/controls/image_list.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/cwnd.h"

class CEdit;
class CHeaderCtrl;

using DWORD_PTR = UINT_PTR;

inline constexpr const char* WC_LISTVIEW = "SysListView32";
constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;

// Owner-drawn list-view rows (DRAWITEMSTRUCT::CtlType).
constexpr UINT ODT_LISTVIEW = 102;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;
constexpr UINT LVIF_DI_SETITEM = 0x1000;  // in a display-info answer: keep the value

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

// A text (LPSTR_TEXTCALLBACK, shared with the tool tips) or image the parent supplies on demand.
constexpr int I_IMAGECALLBACK = -1;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_CUT = 0x0004;
constexpr UINT LVNI_DROPHILITED = 0x0008;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;
constexpr UINT LVNI_TOLEFT = 0x0400;
constexpr UINT LVNI_TORIGHT = 0x0800;

constexpr UINT LVIR_BOUNDS = 0;
constexpr UINT LVIR_ICON = 1;
constexpr UINT LVIR_LABEL = 2;
constexpr UINT LVIR_SELECTBOUNDS = 3;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;
constexpr int LVCFMT_JUSTIFYMASK = 3;
// LVM_SETCOLUMNWIDTH: as wide as the widest cell; as the header title too (the last column fills
// the rest of the list).
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

constexpr UINT LVM_GETBKCOLOR = 0x1000;
constexpr UINT LVM_SETBKCOLOR = 0x1001;
constexpr UINT LVM_GETIMAGELIST = 0x1002;
constexpr UINT LVM_SETIMAGELIST = 0x1003;  // lParam: a CImageList*
constexpr UINT LVM_GETITEMCOUNT = 0x1004;
constexpr UINT LVM_GETITEM = 0x1005;
constexpr UINT LVM_SETITEM = 0x1006;
constexpr UINT LVM_INSERTITEM = 0x1007;
constexpr UINT LVM_DELETEITEM = 0x1008;
constexpr UINT LVM_DELETEALLITEMS = 0x1009;
constexpr UINT LVM_GETCALLBACKMASK = 0x100A;
constexpr UINT LVM_SETCALLBACKMASK = 0x100B;
constexpr UINT LVM_GETNEXTITEM = 0x100C;
constexpr UINT LVM_FINDITEM = 0x100D;
constexpr UINT LVM_GETITEMRECT = 0x100E;  // the code goes in, the rectangle comes back in lParam
constexpr UINT LVM_HITTEST = 0x1012;
constexpr UINT LVM_ENSUREVISIBLE = 0x1013;
constexpr UINT LVM_SCROLL = 0x1014;  // lParam: pixels down (whole rows are scrolled)
constexpr UINT LVM_REDRAWITEMS = 0x1015;
constexpr UINT LVM_EDITLABEL = 0x1017;
constexpr UINT LVM_GETEDITCONTROL = 0x1018;
constexpr UINT LVM_GETCOLUMN = 0x1019;
constexpr UINT LVM_SETCOLUMN = 0x101A;
constexpr UINT LVM_INSERTCOLUMN = 0x101B;
constexpr UINT LVM_DELETECOLUMN = 0x101C;
constexpr UINT LVM_GETCOLUMNWIDTH = 0x101D;
constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;
constexpr UINT LVM_GETHEADER = 0x101F;
constexpr UINT LVM_GETTEXTCOLOR = 0x1023;
constexpr UINT LVM_SETTEXTCOLOR = 0x1024;
constexpr UINT LVM_GETTEXTBKCOLOR = 0x1025;
constexpr UINT LVM_SETTEXTBKCOLOR = 0x1026;
constexpr UINT LVM_GETTOPINDEX = 0x1027;
constexpr UINT LVM_GETCOUNTPERPAGE = 0x1028;
constexpr UINT LVM_SETITEMSTATE = 0x102B;
constexpr UINT LVM_GETITEMSTATE = 0x102C;
constexpr UINT LVM_GETITEMTEXT = 0x102D;  // returns the length copied
constexpr UINT LVM_SETITEMTEXT = 0x102E;
constexpr UINT LVM_SETITEMCOUNT = 0x102F;
constexpr UINT LVM_SORTITEMS = 0x1030;  // wParam: the value handed on, lParam: the comparison
constexpr UINT LVM_GETSELECTEDCOUNT = 0x1032;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;  // wParam: the bits to change (0: all)
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = 0x1037;
constexpr UINT LVM_GETSUBITEMRECT = 0x1038;  // lParam: rectangle with top = sub-item, left = code
constexpr UINT LVM_SUBITEMHITTEST = 0x1039;
constexpr UINT LVM_GETSELECTIONMARK = 0x1042;
constexpr UINT LVM_SETSELECTIONMARK = 0x1043;
constexpr UINT LVM_CANCELEDITLABEL = 0x10B3;
// Colour values meaning "the system's colour" and "no fill behind the text" (CLR_DEFAULT,
// CLR_NONE) come with the image lists.

constexpr UINT NM_CLICK = UINT(-2);
constexpr UINT NM_DBLCLK = UINT(-3);
constexpr UINT NM_RETURN = UINT(-4);
constexpr UINT NM_RCLICK = UINT(-5);
constexpr UINT NM_SETFOCUS = UINT(-7);
constexpr UINT NM_KILLFOCUS = UINT(-8);
constexpr UINT LVN_ITEMCHANGING = UINT(-100);
constexpr UINT LVN_ITEMCHANGED = UINT(-101);
constexpr UINT LVN_INSERTITEM = UINT(-102);
constexpr UINT LVN_DELETEITEM = UINT(-103);
constexpr UINT LVN_BEGINLABELEDIT = UINT(-105);
constexpr UINT LVN_ENDLABELEDIT = UINT(-106);
constexpr UINT LVN_COLUMNCLICK = UINT(-108);
constexpr UINT LVN_BEGINDRAG = UINT(-109);
constexpr UINT LVN_BEGINRDRAG = UINT(-111);
constexpr UINT LVN_ODCACHEHINT = UINT(-113);
constexpr UINT LVN_ODSTATECHANGED = UINT(-115);
constexpr UINT LVN_GETDISPINFO = UINT(-150);
constexpr UINT LVN_SETDISPINFO = UINT(-151);
constexpr UINT LVN_ODFINDITEM = UINT(-152);
constexpr UINT LVN_KEYDOWN = UINT(-155);

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
  int iIndent = 0;
};

// Orders two items by their item data: below 0 when the first goes first.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

struct LVHITTESTINFO {
  POINT pt{0, 0};
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};

struct LVFINDINFO {
  UINT flags = 0;
  LPCTSTR psz = nullptr;
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

// NM_CLICK, NM_DBLCLK and NM_RCLICK: NMLISTVIEW followed by the keys held.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};

struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};

struct NMLVCACHEHINT {
  NMHDR hdr;
  int iFrom;
  int iTo;
};

struct NMLVODSTATECHANGE {
  NMHDR hdr;
  int iFrom;
  int iTo;
  UINT uNewState;
  UINT uOldState;
};

// LVN_ODFINDITEM: the parent answers the found item or -1.
struct NMLVFINDITEM {
  NMHDR hdr;
  int iStart;
  LVFINDINFO lvfi;
};

namespace controls {
void register_list_view();
// Height of one row in pixels (rows start below the header).
constexpr int kListRowHeight = 17;
constexpr int kListHeaderHeight = 20;
// Width of a state image (check box) and the room left of a label's text.
constexpr int kListStateWidth = 16;
constexpr int kListLabelMargin = 4;
}  // namespace controls

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // --- Styles, header, images ---
  DWORD GetExtendedStyle() const { return DWORD(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) { return DWORD(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(dwNewStyle))); }
  CHeaderCtrl* GetHeaderCtrl() const;
  CImageList* GetImageList(int nImageList) const {
    return reinterpret_cast<CImageList*>(SendMessage(LVM_GETIMAGELIST, WPARAM(nImageList)));
  }
  CImageList* SetImageList(CImageList* pImageList, int nImageList) {
    return reinterpret_cast<CImageList*>(SendMessage(LVM_SETIMAGELIST, WPARAM(nImageList), reinterpret_cast<LPARAM>(pImageList)));
  }
  UINT GetCallbackMask() const { return UINT(SendMessage(LVM_GETCALLBACKMASK)); }
  BOOL SetCallbackMask(UINT nMask) { return BOOL(SendMessage(LVM_SETCALLBACKMASK, nMask)); }

  // --- Columns ---
  // `nSubItem` -1: the column's own index.
  int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  int InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    return int(SendMessage(LVM_INSERTCOLUMN, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn)));
  }
  BOOL DeleteColumn(int nCol) { return BOOL(SendMessage(LVM_DELETECOLUMN, WPARAM(nCol))); }
  BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const {
    return BOOL(SendMessage(LVM_GETCOLUMN, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn)));
  }
  BOOL SetColumn(int nCol, const LVCOLUMN* pColumn) {
    return BOOL(SendMessage(LVM_SETCOLUMN, WPARAM(nCol), reinterpret_cast<LPARAM>(pColumn)));
  }
  int GetColumnWidth(int nCol) const { return int(SendMessage(LVM_GETCOLUMNWIDTH, WPARAM(nCol))); }
  BOOL SetColumnWidth(int nCol, int cx) { return BOOL(SendMessage(LVM_SETCOLUMNWIDTH, WPARAM(nCol), LPARAM(cx))); }
  int GetColumnCount() const;

  // --- Items ---
  int InsertItem(const LVITEM* pItem) { return int(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
  int InsertItem(int nItem, LPCTSTR lpszItem);
  int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
  int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  BOOL DeleteItem(int nItem) { return BOOL(SendMessage(LVM_DELETEITEM, WPARAM(nItem))); }
  BOOL DeleteAllItems() { return BOOL(SendMessage(LVM_DELETEALLITEMS)); }
  int GetItemCount() const { return int(SendMessage(LVM_GETITEMCOUNT)); }
  // Owner data: the number of rows.
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, WPARAM(nItems)); }
  BOOL GetItem(LVITEM* pItem) const { return BOOL(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
  BOOL SetItem(const LVITEM* pItem) { return BOOL(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem))); }
  BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
               LPARAM lParam);
  BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
  // For owner data and callback texts the parent's answer to LVN_GETDISPINFO.
  CString GetItemText(int nItem, int nSubItem) const;
  int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  BOOL SetItemState(int nItem, LVITEM* pItem) {
    return BOOL(SendMessage(LVM_SETITEMSTATE, WPARAM(nItem), reinterpret_cast<LPARAM>(pItem)));
  }
  UINT GetItemState(int nItem, UINT nMask) const { return UINT(SendMessage(LVM_GETITEMSTATE, WPARAM(nItem), LPARAM(nMask))); }
  // The check box of LVS_EX_CHECKBOXES: state image 2 is checked.
  BOOL GetCheck(int nItem) const { return (GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) == 2; }
  BOOL SetCheck(int nItem, BOOL bCheck = TRUE) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
  }

  // --- Finding and selection ---
  // The next item after `nItem` (-1: from the start) with every LVNI_ state bit asked, searching
  // down unless LVNI_ABOVE / LVNI_TOLEFT; -1 when none.
  int GetNextItem(int nItem, int nFlags) const { return int(SendMessage(LVM_GETNEXTITEM, WPARAM(nItem), LPARAM(nFlags))); }
  int GetSelectedCount() const { return int(SendMessage(LVM_GETSELECTEDCOUNT)); }
  // Walks the selected items: the position is the item's index plus 1, null after the last.
  POSITION GetFirstSelectedItemPosition() const { return position_after(-1); }
  int GetNextSelectedItem(POSITION& pos) const {
    int item = int(reinterpret_cast<UINT_PTR>(pos)) - 1;
    pos = position_after(item);
    return item;
  }
  int GetSelectionMark() const { return int(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int iIndex) { return int(SendMessage(LVM_SETSELECTIONMARK, 0, LPARAM(iIndex))); }
  int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const {
    return int(SendMessage(LVM_FINDITEM, WPARAM(nStart), reinterpret_cast<LPARAM>(pFindInfo)));
  }
  // Puts the items in the comparison's order (items it finds equal keep theirs); their states
  // go with them. Not for owner data.
  BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return BOOL(SendMessage(LVM_SORTITEMS, WPARAM(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
  }

  // --- Geometry and scrolling ---
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  int HitTest(LVHITTESTINFO* pHitTestInfo) const {
    return int(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
  }
  int SubItemHitTest(LVHITTESTINFO* pInfo) { return int(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo))); }
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
    return BOOL(SendMessage(LVM_ENSUREVISIBLE, WPARAM(nItem), LPARAM(bPartialOK)));
  }
  int GetTopIndex() const { return int(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return int(SendMessage(LVM_GETCOUNTPERPAGE)); }
  BOOL Scroll(CSize size) { return BOOL(SendMessage(LVM_SCROLL, WPARAM(size.cx), LPARAM(size.cy))); }
  BOOL RedrawItems(int nFirst, int nLast) { return BOOL(SendMessage(LVM_REDRAWITEMS, WPARAM(nFirst), LPARAM(nLast))); }

  // --- Colours ---
  COLORREF GetBkColor() const { return COLORREF(SendMessage(LVM_GETBKCOLOR)); }
  BOOL SetBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETBKCOLOR, 0, LPARAM(cr))); }
  COLORREF GetTextColor() const { return COLORREF(SendMessage(LVM_GETTEXTCOLOR)); }
  BOOL SetTextColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTCOLOR, 0, LPARAM(cr))); }
  COLORREF GetTextBkColor() const { return COLORREF(SendMessage(LVM_GETTEXTBKCOLOR)); }
  BOOL SetTextBkColor(COLORREF cr) { return BOOL(SendMessage(LVM_SETTEXTBKCOLOR, 0, LPARAM(cr))); }

  // --- Label editing ---
  // Opens the edit over the item's label (the list takes the focus first); null when the parent
  // refuses or the item does not exist. -1 ends an open edit as if cancelled.
  CEdit* EditLabel(int nItem);
  CEdit* GetEditControl() const;
  BOOL CancelEditLabel() { return BOOL(SendMessage(LVM_CANCELEDITLABEL)); }

  // Owner-drawn rows (LVS_OWNERDRAWFIXED) are drawn here when the parent passes its WM_DRAWITEM
  // back to the list; by default the rows are left to the parent's own handler.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  bool m_bRowsLeftToParent = false;
  POSITION position_after(int nItem) const {
    return reinterpret_cast<POSITION>(UINT_PTR(GetNextItem(nItem, LVNI_SELECTED) + 1));
  }
};
