#include "platform/controls/check_list_box.h"

#include <string>

#include "platform/framework/control_messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

namespace {
constexpr int kRowHeight = 16;
}  // namespace

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  dwStyle &= ~LBS_OWNERDRAWVARIABLE;
  return CListBox::Create(dwStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->itemHeight = kRowHeight;
    if (pResult) *pResult = TRUE;
    return TRUE;
  }
  if (message != WM_DRAWITEM) return CListBox::OnChildNotify(message, wParam, lParam, pResult);
  const auto* d = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
  CDC* dc = CDC::FromHandle(d->hDC);
  CRect row(d->rcItem);
  int index = int(d->itemID);
  int text_left = controls::draw_check_box(*dc, row, GetCheck(index));
  // The text beside the box shows the selection.
  bool selected = (d->itemState & ODS_SELECTED) != 0;
  CRect text_area(text_left, row.top, row.right, row.bottom);
  dc->FillSolidRect(&text_area, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  dc->SetBkMode(TRANSPARENT);
  CString text;
  GetText(index, text);
  std::string t = text.str();
  dc->TextOut(text_area.left + 2, row.top + 1, t.c_str(), int(t.size()));
  if (pResult) *pResult = TRUE;
  return TRUE;
}

void CCheckListBox::toggle(int index) {
  if (index < 0 || index >= GetCount()) return;
  SetCheck(index, GetCheck(index) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  CWnd* parent = GetParent();
  if (parent) {
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID()), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
  }
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point) {
  Default();  // selects the row under the pointer
  int height = GetItemHeight(0);
  int index = height > 0 && point.y >= 0 ? point.y / height : -1;
  // Only a click on the box (left of the text) turns the mark.
  if (point.x < kRowHeight) toggle(index < GetCount() ? index : -1);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == UINT(VK_SPACE)) {
    toggle(GetCurSel());
    return;
  }
  Default();
}
