// The standard controls: static texts, buttons (push, check, radio, group, owner-drawn), edits
// (single and multi-line, limits, selection), list boxes, drop-down lists and scroll bars, as
// window classes "Static", "Button", "Edit", "ListBox", "ComboBox" and "ScrollBar" whose
// procedures keep the control's state and paint it, plus the framework's classes over them. Controls tell their parent through WM_COMMAND with the
// notification code in the high word.
//
// Edits draw a sunken frame, except a read-only edit without WS_BORDER or WS_EX_CLIENTEDGE: that one
// is a line of text on the face (an information field), placed by ES_CENTER or ES_RIGHT.
//
// register_standard_controls() registers the classes, and the tab control's that property sheets
// need (once; the program calls it at start, before any dialog is made).
#pragma once

#include "platform/base/cstring.h"
#include "platform/framework/control_messages.h"
#include "platform/win/cwnd.h"
#include "platform/win/scroll_bars.h"

namespace controls {
void register_standard_controls();
// Draws a check box (BST_ state `check`) centred in height at the left of `area`; returns the left
// edge for the text beside it.
int draw_check_box(CDC& dc, const CRect& area, int check);
// Draws a round radio button, marked when `checked`, the same way; returns the text's left edge.
int draw_radio_button(CDC& dc, const CRect& area, bool checked);
}  // namespace controls

constexpr WORD STN_CLICKED = 0;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;

// List-box styles and the item-height messages of owner-drawn list boxes. Without LBS_HASSTRINGS an
// owner-drawn list box keeps the added value as the item's data, not as text.
constexpr DWORD LBS_NOTIFY = 0x0001;
// LB_ADDSTRING puts a text row where it belongs in Polish alphabetical order (LB_INSERTSTRING
// still puts it where it is told).
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
// Multiple selection: a click or Space toggles a row (LBS_MULTIPLESEL); a click selects one row,
// Ctrl+click toggles, Shift+click and Shift+arrows select from the anchor (LBS_EXTENDEDSEL).
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
// Selection of multiple-selection list boxes: LB_SETSEL (wParam TRUE/FALSE, lParam the row, -1
// every row), LB_GETSEL (wParam the row), LB_GETSELCOUNT, LB_GETSELITEMS (wParam the room, lParam
// the int array), the caret row (LB_GETCURSEL answers it in these lists; LB_SETCURSEL fails).
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETSELITEMS = 0x0191;
constexpr UINT LB_SETANCHORINDEX = 0x019C;
constexpr UINT LB_GETANCHORINDEX = 0x019D;
constexpr UINT LB_SETCARETINDEX = 0x019E;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_GETITEMRECT = 0x0198;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
// The check mark a list box keeps per row for check list boxes (wParam the row, lParam the mark).
constexpr UINT LB_GETCHECKMARK = 0x0480;
constexpr UINT LB_SETCHECKMARK = 0x0481;

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
};

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
  void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }
  UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, WPARAM(bHighlight)); }
  UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFF); }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
  // Owner-drawn buttons draw themselves here when the parent passes WM_DRAWITEM back.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, WPARAM(nStartChar), LPARAM(nEndChar));
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
  }
  // A single-line edit's first visible character (0 for a multi-line one).
  int GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE)); }
  void GetSel(int& nStartChar, int& nEndChar) const;
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) {
    SendMessage(EM_REPLACESEL, WPARAM(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
  }
  void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, WPARAM(nChars)); }
  UINT GetLimitText() const { return UINT(SendMessage(EM_GETLIMITTEXT)); }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, WPARAM(bReadOnly))); }
  BOOL GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, WPARAM(bModified)); }
  int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
};

// A drop-down list: items, the chosen one shown as the control's text, arrow keys to move.
class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int AddString(LPCTSTR s) { return int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  int InsertString(int i, LPCTSTR s) { return int(SendMessage(CB_INSERTSTRING, WPARAM(i), reinterpret_cast<LPARAM>(s))); }
  int DeleteString(UINT i) { return int(SendMessage(CB_DELETESTRING, i)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int i) { return int(SendMessage(CB_SETCURSEL, WPARAM(i))); }
  void GetLBText(int i, CString& out) const;
  int FindStringExact(int start, LPCTSTR s) const {
    return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(start), reinterpret_cast<LPARAM>(s)));
  }
  UINT_PTR GetItemData(int i) const { return UINT_PTR(SendMessage(CB_GETITEMDATA, WPARAM(i))); }
  int SetItemData(int i, UINT_PTR data) { return int(SendMessage(CB_SETITEMDATA, WPARAM(i), LPARAM(data))); }
};

// A scroll-bar control with the scroll-info rules: the position stays within
// [nMin, nMax - max(nPage - 1, 0)].
class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetScrollPos() const { return int(SendMessage(SBM_GETPOS)); }
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return int(SendMessage(SBM_SETPOS, WPARAM(nPos), bRedraw)); }
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    SendMessage(SBM_SETSCROLLINFO, WPARAM(bRedraw), reinterpret_cast<LPARAM>(lpScrollInfo));
    return TRUE;
  }
  BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
};

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int AddString(LPCTSTR s) { return int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  int InsertString(int i, LPCTSTR s) { return int(SendMessage(LB_INSERTSTRING, WPARAM(i), reinterpret_cast<LPARAM>(s))); }
  int DeleteString(UINT i) { return int(SendMessage(LB_DELETESTRING, i)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int i) { return int(SendMessage(LB_SETCURSEL, WPARAM(i))); }
  // Multiple-selection lists: `i` -1 selects or clears every row.
  int SetSel(int i, BOOL bSelect = TRUE) { return int(SendMessage(LB_SETSEL, WPARAM(bSelect), LPARAM(i))); }
  int GetSel(int i) const { return int(SendMessage(LB_GETSEL, WPARAM(i))); }
  int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
  int GetSelItems(int nMaxItems, LPINT rgIndex) const {
    return int(SendMessage(LB_GETSELITEMS, WPARAM(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
  }
  int GetCaretIndex() const { return int(SendMessage(LB_GETCARETINDEX)); }
  int SetCaretIndex(int i, BOOL bScroll = TRUE) { return int(SendMessage(LB_SETCARETINDEX, WPARAM(i), LPARAM(bScroll))); }
  int GetAnchorIndex() const { return int(SendMessage(LB_GETANCHORINDEX)); }
  void SetAnchorIndex(int i) { SendMessage(LB_SETANCHORINDEX, WPARAM(i)); }
  void GetText(int i, CString& out) const;
  int GetTextLen(int i) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(i))); }
  UINT_PTR GetItemData(int i) const { return UINT_PTR(SendMessage(LB_GETITEMDATA, WPARAM(i))); }
  int SetItemData(int i, UINT_PTR data) { return int(SendMessage(LB_SETITEMDATA, WPARAM(i), LPARAM(data))); }
  int GetItemHeight(int i) const { return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(i))); }
  // LB_ERR for a row that does not exist.
  int GetItemRect(int i, LPRECT lpRect) const {
    return int(SendMessage(LB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(lpRect)));
  }
  int SetItemHeight(int i, UINT cyItemHeight) { return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(i), LPARAM(cyItemHeight))); }
  // The first row shown; rows above it are scrolled out of sight.
  int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int i) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(i))); }
  // The row nearest to a client point; bOutside is set when the point lies below the last row
  // or outside the client area.
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const {
    DWORD r = DWORD(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(WORD(short(pt.x)), WORD(short(pt.y)))));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
  }
};
