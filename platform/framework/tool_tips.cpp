#include "platform/framework/tool_tips.h"

#include <algorithm>

#include "platform/framework/dialog.h"

namespace framework {

INT_PTR child_tool_hit_test(const CWnd* parent, CPoint point, TOOLINFO* pTI) {
  HWND child = ::ChildWindowFromPoint(parent->m_hWnd, point);
  if (!child || child == parent->m_hWnd || !::IsWindowVisible(child)) return -1;
  int id = ::GetDlgCtrlID(child);
  if (id == 0 || id == -1) return -1;
  if (pTI) {
    pTI->hwnd = parent->m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(child);
    pTI->uFlags |= TTF_IDISHWND | TTF_NOTBUTTON | TTF_CENTERTIP;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return id;
}

}  // namespace framework

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD) {
  parent_ = pParentWnd;
  return pParentWnd != nullptr;
}

CToolTipCtrl::Tool* CToolTipCtrl::find(HWND owner, UINT_PTR id) {
  auto it = std::find_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.owner == owner && t.id == id; });
  return it == tools_.end() ? nullptr : &*it;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  if (!pWnd || !pWnd->m_hWnd) return FALSE;
  bool callback = lpszText == LPSTR_TEXTCALLBACK;
  CRect rect;
  if (lpRectTool) {
    rect = *lpRectTool;
  } else {
    pWnd->GetClientRect(&rect);
  }
  Tool tool{pWnd->m_hWnd, nIDTool, rect, callback || !lpszText ? CString() : CString(lpszText), callback};
  if (Tool* existing = find(pWnd->m_hWnd, nIDTool)) {
    *existing = tool;
  } else {
    tools_.push_back(tool);
  }
  return TRUE;
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  if (!pWnd) return;
  HWND owner = pWnd->m_hWnd;
  tools_.erase(std::remove_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.owner == owner && t.id == nIDTool; }),
               tools_.end());
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  if (!pWnd) return;
  if (Tool* t = find(pWnd->m_hWnd, nIDTool)) {
    t->callback = lpszText == LPSTR_TEXTCALLBACK;
    t->text = t->callback || !lpszText ? CString() : CString(lpszText);
  }
}

const CToolTipCtrl::Tool* CToolTipCtrl::ToolAt(CWnd* pWnd, CPoint point) const {
  if (!active_ || !pWnd) return nullptr;
  for (const Tool& t : tools_) {
    if (t.owner == pWnd->m_hWnd && t.rect.PtInRect(point)) return &t;
  }
  return nullptr;
}
