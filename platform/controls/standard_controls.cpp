#include "platform/controls/standard_controls.h"

#include <string>

#include "platform/controls/standard_controls_common.h"
#include "platform/controls/tab_ctrl.h"

namespace controls {
void register_standard_controls() {
  standard::register_static_control();
  standard::register_button_control();
  standard::register_edit_control();
  standard::register_list_box_control();
  standard::register_combo_box_control();
  standard::register_scroll_bar_control();
  // The framework's property sheets put their pages under a tab control.
  register_tab_control();
}
}  // namespace controls

// --- Framework classes ----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ComboBox", nullptr, style | WS_CHILD, rect, parent, id);
}

void CComboBox::GetLBText(int i, CString& out) const {
  int n = int(SendMessage(CB_GETLBTEXTLEN, WPARAM(i)));
  if (n < 0) {
    out.Empty();
    return;
  }
  std::string buffer(size_t(n) + 1, '\0');
  SendMessage(CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(size_t(n));
  out = CString(buffer);
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ScrollBar", nullptr, style | WS_CHILD, rect, parent, id);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) {
  SendMessage(SBM_SETRANGE, WPARAM(nMinPos), LPARAM(nMaxPos));
  if (bRedraw) Invalidate();
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) const {
  lpScrollInfo->fMask = nMask;
  return BOOL(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo)));
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Static", text, style | WS_CHILD, rect, parent, id);
}

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Button", caption, style | WS_CHILD, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("Edit", nullptr, style | WS_CHILD, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const {
  DWORD a = 0, b = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  start = int(a);
  end = int(b);
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  controls::register_standard_controls();
  return CWnd::Create("ListBox", nullptr, style | WS_CHILD, rect, parent, id);
}

void CListBox::GetText(int i, CString& out) const {
  int n = GetTextLen(i);
  if (n < 0) {
    out.Empty();
    return;
  }
  std::string buffer(size_t(n) + 1, '\0');
  SendMessage(LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(size_t(n));
  out = CString(buffer);
}
