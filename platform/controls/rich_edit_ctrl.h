// The rich-edit control ("RichEdit20A", also registered as "RichEdit20W" and "RichEdit"): text in
// paragraphs of formatted runs (bold, italic, underline, size, colour), wrapped at the window or
// not at all, on a background colour of its own, scrolled vertically. Text comes in as plain text
// or RTF through EM_STREAMIN (replacing everything, or the selection with SFF_SELECTION, after
// which the caret stands behind the inserted text), WM_SETTEXT and EM_REPLACESEL, or as formatted
// text built by the program (replace_rich_edit_selection). Unless read-only
// it takes typed characters, Backspace, Delete, Enter and the caret keys, and tells its parent
// EN_CHANGE when the event mask asks for it.
//
// Streams are bounded: at most kMaxRichStream bytes are read; what the callback hands out beyond
// that is dropped.
#pragma once

#include "platform/base/cstring.h"
#include "platform/controls/rich_text.h"
#include "platform/framework/control_messages.h"
#include "platform/win/cwnd.h"

inline constexpr const char* RICHEDIT_CLASS = "RichEdit20A";

constexpr UINT EM_EXGETSEL = WM_USER + 52;
constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
constexpr UINT EM_EXSETSEL = WM_USER + 55;
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr UINT EM_SETTARGETDEVICE = WM_USER + 72;
constexpr UINT EM_STREAMIN = WM_USER + 73;

constexpr UINT SF_TEXT = 0x0001;
constexpr UINT SF_RTF = 0x0002;
constexpr UINT SFF_SELECTION = 0x8000;
constexpr DWORD ENM_CHANGE = 0x00000001;

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;
};

using DWORD_PTR = UINT_PTR;
using LPBYTE = BYTE*;

// Hands out up to `cb` bytes into `pbBuff` and their count in `*pcb`; a count of 0 ends the stream,
// a non-zero result stops it (and is kept in dwError).
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb);
struct EDITSTREAM {
  DWORD_PTR dwCookie = 0;
  DWORD dwError = 0;
  EDITSTREAMCALLBACK pfnCallback = nullptr;
};

namespace controls {
void register_rich_edit_control();
constexpr size_t kMaxRichStream = 1024 * 1024;
// The control's text as plain data (for tests and drawing checks); null for another window.
const RichText* rich_edit_text(HWND h);
// Puts formatted text in place of the selection, as streaming it in would, without going
// through RTF (so its text needs no escaping); the caret stands behind it. False for another
// window.
bool replace_rich_edit_selection(HWND h, const RichText& piece);
}  // namespace controls

// Makes the rich-edit window classes known; TRUE once they are.
BOOL AfxInitRichEdit();

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  // The number of characters read.
  long StreamIn(int nFormat, EDITSTREAM& es) {
    return long(SendMessage(EM_STREAMIN, WPARAM(nFormat), reinterpret_cast<LPARAM>(&es)));
  }
  // The previous background colour; with bSysColor the window colour is used.
  COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
    return COLORREF(SendMessage(EM_SETBKGNDCOLOR, WPARAM(bSysColor), LPARAM(cr)));
  }
  // Width 0 wraps lines at the window; any other width keeps each paragraph on one line.
  BOOL SetTargetDevice(HDC hDC, long lLineWidth) {
    return BOOL(SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(hDC), LPARAM(lLineWidth)));
  }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, WPARAM(bReadOnly))); }
  void SetSel(long nStartChar, long nEndChar) {
    CHARRANGE cr{LONG(nStartChar), LONG(nEndChar)};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  }
  void GetSel(long& nStartChar, long& nEndChar) const;
  void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE) {
    SendMessage(EM_REPLACESEL, WPARAM(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
  }
  long GetTextLength() const { return long(SendMessage(WM_GETTEXTLENGTH)); }
  int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
  DWORD SetEventMask(DWORD dwEventMask) { return DWORD(SendMessage(EM_SETEVENTMASK, 0, LPARAM(dwEventMask))); }
  DWORD GetEventMask() const { return DWORD(SendMessage(EM_GETEVENTMASK)); }
};
