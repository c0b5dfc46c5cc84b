#include "platform/framework/tool_tips.h"

#include "platform/framework/tip_window.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"

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

CToolTipCtrl::CToolTipCtrl() = default;

CToolTipCtrl::~CToolTipCtrl() {
  if (tip_ && tip_->m_hWnd) tip_->DestroyWindow();
}

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

void CToolTipCtrl::Activate(BOOL bActivate) {
  active_ = bActivate != FALSE;
  if (!active_) {
    Pop();
    hovering_ = false;
  }
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
  if (dwDuration == TTDT_INITIAL || dwDuration == TTDT_AUTOMATIC) initial_ms_ = std::max(0, iTime);
}

HWND CToolTipCtrl::GetTipWnd() const { return tip_ ? tip_->m_hWnd : nullptr; }

bool CToolTipCtrl::IsTipShown() const { return tip_ && tip_->IsShown(); }

void CToolTipCtrl::Pop() {
  if (tip_) tip_->HideTip();
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
  if (!pMsg || !::IsWindow(pMsg->hwnd)) return;
  switch (pMsg->message) {
    case WM_MOUSEMOVE: {
      CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
      const Tool* tool = ToolAt(CWnd::FromHandle(pMsg->hwnd), point);
      if (tool && hovering_ && tool->owner == hover_owner_ && tool->id == hover_id_) return;
      Pop();
      hovering_ = tool != nullptr;
      if (!tool) return;
      hover_owner_ = tool->owner;
      hover_id_ = tool->id;
      // The tip goes below the cursor, clear of its arrow.
      POINT screen = point;
      ::ClientToScreen(pMsg->hwnd, &screen);
      hover_screen_ = POINT{screen.x, screen.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4};
      if (initial_ms_ == 0) {
        ShowHovered();
        return;
      }
      if (!tip_) {
        tip_ = std::make_unique<framework::TipWindow>();
        tip_->on_show_timer = [this] { ShowHovered(); };
      }
      if (tip_->Ensure()) tip_->SetTimer(framework::TipWindow::kShowTimer, UINT(initial_ms_));
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_NCMOUSEMOVE:
      // The tip stays away until the mouse moves onto another tool.
      Pop();
      return;
    default:
      return;
  }
}

void CToolTipCtrl::ShowHovered() {
  if (!active_ || !hovering_) return;
  const Tool* tool = find(hover_owner_, hover_id_);
  if (!tool) return;
  CString text = TextOf(*tool);
  if (text.IsEmpty()) return;
  if (!tip_) {
    tip_ = std::make_unique<framework::TipWindow>();
    tip_->on_show_timer = [this] { ShowHovered(); };
  }
  tip_->ShowText(text, hover_screen_);
}

CString CToolTipCtrl::TextOf(const Tool& tool) {
  if (!tool.callback) return tool.text;
  HWND owner = tool.owner;
  if (!::IsWindow(owner)) return CString();
  TOOLTIPTEXT info{};
  info.hdr.hwndFrom = GetTipWnd();
  info.hdr.idFrom = tool.id;
  info.hdr.code = TTN_NEEDTEXT;
  ::SendMessage(owner, WM_NOTIFY, WPARAM(tool.id), reinterpret_cast<LPARAM>(&info));
  info.szText[sizeof info.szText - 1] = '\0';
  auto value = reinterpret_cast<uintptr_t>(info.lpszText);
  if (info.lpszText == LPSTR_TEXTCALLBACK) return CString();
  if (info.lpszText && value <= 0xFFFF) {
    // A string resource id.
    CString loaded;
    AfxLoadString(UINT(value), loaded);
    return loaded;
  }
  return CString(info.lpszText ? info.lpszText : info.szText);
}
