#include "platform/framework/tool_tips.h"

#include <algorithm>

#include "platform/framework/dialog.h"
#include "platform/framework/tip_window.h"
#include "platform/res/resource_store.h"
#include "platform/win/control_state.h"
#include "platform/win/system_metrics.h"

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

bool is_tip_mouse_message(UINT message) {
  return message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK);
}

}  // namespace framework

namespace {

// Windows whose mouse messages go to tool-tip controls first (TTF_SUBCLASS): the procedure each
// window had before and the controls watching it. The window's procedure is replaced by
// relay_proc while any control watches it.
struct Relay : win::ControlState {
  WNDPROC previous = nullptr;
  std::vector<CToolTipCtrl*> controls;
};

bool watches(HWND h, const CToolTipCtrl* control) {
  const Relay* relay = win::find_control_state<Relay>(h);
  return relay && std::find(relay->controls.begin(), relay->controls.end(), control) != relay->controls.end();
}

LRESULT relay_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Relay* relay = win::find_control_state<Relay>(h);
  if (!relay) return ::DefWindowProc(h, message, wParam, lParam);
  WNDPROC previous = relay->previous;
  if (framework::is_tip_mouse_message(message)) {
    MSG msg;
    msg.hwnd = h;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetMessageTime();
    ::GetCursorPos(&msg.pt);
    // A control may stop watching while the message goes round.
    std::vector<CToolTipCtrl*> controls = relay->controls;
    for (CToolTipCtrl* control : controls) {
      if (watches(h, control)) control->RelayEvent(&msg);
    }
  } else if (message == WM_NCDESTROY) {
    std::vector<CToolTipCtrl*> controls = relay->controls;
    win::drop_control_state<Relay>(h);
    ::SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    for (CToolTipCtrl* control : controls) control->ForgetWindow(h);
  }
  return ::CallWindowProc(previous, h, message, wParam, lParam);
}

}  // namespace

CToolTipCtrl::CToolTipCtrl() = default;

CToolTipCtrl::~CToolTipCtrl() {
  tools_.clear();
  ReleaseWindows();
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
  CRect rect;
  if (lpRectTool) {
    rect = *lpRectTool;
  } else {
    pWnd->GetClientRect(&rect);
  }
  TOOLINFO info;
  info.hwnd = pWnd->m_hWnd;
  info.uId = nIDTool;
  info.rect = rect;
  info.lpszText = const_cast<LPSTR>(lpszText);
  return AddTool(info);
}

BOOL CToolTipCtrl::AddTool(const TOOLINFO& info) {
  if (!::IsWindow(info.hwnd)) return FALSE;
  if ((info.uFlags & TTF_IDISHWND) && !::IsWindow(reinterpret_cast<HWND>(info.uId))) return FALSE;
  bool callback = info.lpszText == LPSTR_TEXTCALLBACK;
  Tool tool{info.hwnd, info.uId, CRect(info.rect), callback || !info.lpszText ? CString() : CString(info.lpszText),
            callback, info.uFlags};
  if (Tool* existing = find(info.hwnd, info.uId)) {
    *existing = tool;
  } else {
    tools_.push_back(tool);
  }
  Subclass(tool);
  ReleaseWindows();
  return TRUE;
}

HWND CToolTipCtrl::WindowOf(const Tool& tool) {
  return (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.owner;
}

void CToolTipCtrl::Subclass(const Tool& tool) {
  HWND h = WindowOf(tool);
  if (!(tool.flags & TTF_SUBCLASS) || !::IsWindow(h) || watches(h, this)) return;
  Relay* relay = win::find_control_state<Relay>(h);
  if (!relay) {
    relay = &win::control_state<Relay>(h);
    relay->previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(h, GWL_WNDPROC));
    ::SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&relay_proc));
  }
  relay->controls.push_back(this);
  watched_.push_back(h);
}

void CToolTipCtrl::ReleaseWindows() {
  for (auto w = watched_.begin(); w != watched_.end();) {
    HWND h = *w;
    bool needed = std::any_of(tools_.begin(), tools_.end(),
                              [&](const Tool& t) { return (t.flags & TTF_SUBCLASS) && WindowOf(t) == h; });
    if (needed) {
      ++w;
      continue;
    }
    w = watched_.erase(w);
    Relay* relay = win::find_control_state<Relay>(h);
    if (!relay) continue;
    std::erase(relay->controls, this);
    // The old procedure comes back unless the window was subclassed again on top of the relay;
    // then the relay stays in the chain and only passes messages on.
    bool ours = !::IsWindow(h) ||
                reinterpret_cast<WNDPROC>(::GetWindowLongPtr(h, GWL_WNDPROC)) == &relay_proc;
    if (relay->controls.empty() && ours) {
      if (::IsWindow(h)) ::SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(relay->previous));
      win::drop_control_state<Relay>(h);
    }
  }
}

void CToolTipCtrl::ForgetWindow(HWND h) {
  std::erase(watched_, h);
  std::erase_if(tools_, [&](const Tool& t) { return t.owner == h || WindowOf(t) == h; });
  if (hovering_ && (hover_owner_ == h || !find(hover_owner_, hover_id_))) {
    hovering_ = false;
    Pop();
  }
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  if (!pWnd) return;
  HWND owner = pWnd->m_hWnd;
  tools_.erase(std::remove_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.owner == owner && t.id == nIDTool; }),
               tools_.end());
  ReleaseWindows();
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
    // A window tool covers its window's client area.
    if ((t.flags & TTF_IDISHWND) && reinterpret_cast<HWND>(t.id) == pWnd->m_hWnd) {
      CRect client;
      pWnd->GetClientRect(&client);
      if (client.PtInRect(point)) return &t;
    }
  }
  return nullptr;
}

LRESULT CToolTipCtrl::SendMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != TTM_ACTIVATE) return 0;
  Activate(BOOL(wParam));
  return 0;
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
  info.uFlags = tool.flags;
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
