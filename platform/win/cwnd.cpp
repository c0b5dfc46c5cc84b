#include "platform/win/cwnd.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/win/cmd_ui.h"
#include "platform/win/message_loop.h"
#include "platform/win/window_table.h"
#include "platform/win/system_metrics.h"

namespace {

std::unordered_map<HWND, CWnd*>& permanent_map() {
  static std::unordered_map<HWND, CWnd*> m;
  return m;
}

std::map<HWND, std::unique_ptr<CWnd>>& temporary_map() {
  static std::map<HWND, std::unique_ptr<CWnd>> m;
  return m;
}

// Attaches the object being created to its window before the window's first message.
void attach_on_create(HWND h, void* context) { static_cast<CWnd*>(context)->SubclassWindow(h); }

void register_default_class() {
  WNDCLASS wc;
  if (GetClassInfo(AFX_WND_CLASS, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = AFX_WND_CLASS;
  RegisterClass(&wc);
}

}  // namespace

LRESULT AfxWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(h);
  if (!wnd) return ::DefWindowProc(h, message, wParam, lParam);
  return wnd->WindowProc(message, wParam, lParam);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static std::set<std::string> names;
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%x:%lx:%lx:%lx", nClassStyle,
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hCursor)),
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hbrBackground)),
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hIcon)));
  auto [it, fresh] = names.insert(name);
  if (fresh) {
    WNDCLASS wc;
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = it->c_str();
    RegisterClass(&wc);
  }
  return it->c_str();
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    HWND h = m_hWnd;
    // The window must not reach this object again once it is gone.
    Detach();
    if (::IsWindow(h)) {
      if (m_pfnSuper) SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
      ::DestroyWindow(h);
    }
  }
}

// --- Objects and handles ---------------------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND h) {
  auto it = permanent_map().find(h);
  return it == permanent_map().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND h) {
  if (!h) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(h)) return permanent;
  if (!::IsWindow(h)) return nullptr;
  auto& temps = temporary_map();
  auto& slot = temps[h];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = h;
  }
  return slot.get();
}

void CWnd::DeleteTempMap() {
  for (auto& [h, wnd] : temporary_map()) wnd->m_hWnd = nullptr;
  temporary_map().clear();
}

BOOL CWnd::Attach(HWND h) {
  if (!h || m_hWnd || FromHandlePermanent(h)) return FALSE;
  m_hWnd = h;
  permanent_map()[h] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h) {
    auto it = permanent_map().find(h);
    if (it != permanent_map().end() && it->second == this) permanent_map().erase(it);
  }
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND h) {
  if (!Attach(h)) return FALSE;
  PreSubclassWindow();
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWL_WNDPROC));
  if (old != &AfxWndProc) {
    m_pfnSuper = old;
    SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  }
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND control = pParent ? ::GetDlgItem(pParent->m_hWnd, int(nID)) : nullptr;
  return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

// --- Creation --------------------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) {
    register_default_class();
    cs.lpszClass = AFX_WND_CLASS;
  }
  return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                  pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  HMENU id_or_menu = reinterpret_cast<HMENU>(std::uintptr_t(nID));
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr, id_or_menu, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
  CREATESTRUCT cs{lpParam, nIDorHMenu, hWndParent, nHeight, nWidth, y, x, LONG(dwStyle),
                  lpszWindowName, lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  win::set_creation_hook(&attach_on_create, this);
  HWND h = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y,
                            cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.lpCreateParams);
  // Unused when the class was unknown.
  win::set_creation_hook(nullptr, nullptr);
  return h != nullptr;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

// --- Message handling ------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  BOOL handled = FALSE;
  if (message == WM_COMMAND) {
    handled = OnCommand(wParam, lParam);
    result = 1;
  } else if (message == WM_NOTIFY) {
    handled = OnNotify(wParam, lParam, &result);
  } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    handled = OnCtlColorMessage(message, wParam, lParam, &result);
  } else {
    // Scroll bars and controls may handle their own notices first.
    HWND control = nullptr;
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
      control = reinterpret_cast<HWND>(lParam);
    } else if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) && wParam) {
      control = ::GetDlgItem(m_hWnd, int(wParam));
    }
    if (control && ReflectLastMsg(control, &result)) {
      handled = TRUE;
    } else if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0)) {
      // The handler may end this object (WM_NCDESTROY); nothing of it is touched afterwards.
      handled = e->pfn(this, wParam, lParam, nullptr, &result);
    }
  }
  if (handled && pResult) *pResult = result;
  return handled;
}

BOOL CWnd::OnCtlColorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto control = reinterpret_cast<HWND>(lParam);
  // The control answers first; then the parent's merged WM_CTLCOLOR handler.
  if (control && control != m_hWnd && ReflectLastMsg(control, pResult)) return TRUE;
  if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0)) {
    return e->pfn(this, wParam, lParam, nullptr, pResult);
  }
  UINT kind = message - WM_CTLCOLORMSGBOX;
  if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_CTLCOLOR, 0, 0)) {
    return e->pfn(this, wParam, lParam, &kind, pResult);
  }
  return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* m = ::GetCurrentMessage();
  return DefWindowProc(m->message, m->wParam, m->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h && h != hWndStop; h = ::GetParent(h)) {
    if (CWnd* wnd = FromHandlePermanent(h); wnd && wnd->PreTranslateMessage(pMsg)) return TRUE;
    // Owned top-level windows end the walk; their owner sees its own messages.
    if (!(GetWindowLongPtr(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  auto control = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  if (!control) {
    // A menu or accelerator command whose item is disabled is not run.
    CTestCmdUI state;
    state.m_nID = id;
    OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    code = CN_COMMAND;
  } else {
    if (ReflectLastMsg(control)) return TRUE;
    if (id == 0) return FALSE;
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header) return FALSE;
  if (ReflectLastMsg(header->hwndFrom, pResult)) return TRUE;
  AFX_NOTIFY notify{pResult, header};
  return OnCmdMsg(UINT(header->idFrom), MAKELONG(WORD(header->code), WORD(WM_NOTIFY)), &notify,
                  nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    int code = HIWORD(wParam);
    if (CCmdTarget::OnCmdMsg(0, MAKELONG(WORD(code), WORD(WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                             nullptr)) {
      if (pResult) *pResult = 1;
      return TRUE;
    }
    return FALSE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT ignored = 0;
    AFX_NOTIFY notify{pResult ? pResult : &ignored, header};
    return CCmdTarget::OnCmdMsg(0, MAKELONG(WORD(header->code), WORD(WM_REFLECT_BASE + WM_NOTIFY)),
                                &notify, nullptr);
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    UINT kind = message - WM_CTLCOLORMSGBOX;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
    LRESULT ignored = 0;
    return e && e->pfn(this, wParam, lParam, &kind, pResult ? pResult : &ignored);
  }
  return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  if (!child) return FALSE;
  const MSG* m = ::GetCurrentMessage();
  return child->OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

void CWnd::PostNcDestroy() {}
void CWnd::PreSubclassWindow() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
  AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

void CWnd::OnNcDestroy() {
  HWND h = m_hWnd;
  if (m_pfnSuper) {
    WNDPROC super = m_pfnSuper;
    m_pfnSuper = nullptr;
    ::CallWindowProc(super, h, WM_NCDESTROY, 0, 0);
  }
  Detach();
  // May delete this object.
  PostNcDestroy();
}

// --- Relations -------------------------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const {
  return m_hWndOwner && ::IsWindow(m_hWndOwner) ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(GetAncestorTopLevel(m_hWnd)); }
CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
CWnd* CWnd::GetNextWindow(UINT nFlag) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == nID) {
      CWnd* found = bOnlyPerm ? FromHandlePermanent(child) : FromHandle(child);
      if (found) return found;
    }
  }
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CWnd* wrapper = FromHandle(child);
    if (CWnd* found = wrapper ? wrapper->GetDescendantWindow(nID, bOnlyPerm) : nullptr) return found;
  }
  return nullptr;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int nID) { return int(SetWindowLongPtr(m_hWnd, GWL_ID, nID)); }
CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
  return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
}
CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
  std::vector<HWND> children;
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  for (HWND child : children) {
    if (!::IsWindow(child)) continue;
    if (!bOnlyPerm || FromHandlePermanent(child)) ::SendMessage(child, message, wParam, lParam);
    if (bDeep && ::IsWindow(child)) {
      if (CWnd* wrapper = FromHandle(child)) {
        wrapper->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
      }
    }
  }
}

// --- State -----------------------------------------------------------------------------------------

DWORD CWnd::GetStyle() const { return DWORD(GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return DWORD(GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL modify(HWND h, int index, DWORD remove, DWORD add, UINT flags) {
  DWORD old = DWORD(GetWindowLongPtr(h, index));
  DWORD now = (old & ~remove) | add;
  if (old == now) return FALSE;
  SetWindowLongPtr(h, index, LONG_PTR(now));
  if (flags) SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(HWND h, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return modify(h, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(HWND h, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return modify(h, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
  return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}
void CWnd::GetWindowText(CString& rString) const { rString = CString(GetWindowTextString(m_hWnd)); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
void CWnd::SetRedraw(BOOL bRedraw) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
HMENU CWnd::GetMenuHandle() const { return ::GetMenu(m_hWnd); }

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
  ::SetWindowText(::GetDlgItem(m_hWnd, nID), lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString = CString(GetWindowTextString(::GetDlgItem(m_hWnd, nID)));
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr),
                bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

namespace {
// The window a scroll call on bar `bar` reaches: the stand-in control (as SB_CTL) or the window.
HWND scroll_target(const CWnd* wnd, int& bar) {
  // A scroll-bar control's window object adds nothing to CWnd's.
  if (const CWnd* control = reinterpret_cast<const CWnd*>(wnd->GetScrollBarCtrl(bar))) {
    bar = SB_CTL;
    return control->m_hWnd;
  }
  return wnd->m_hWnd;
}
}  // namespace

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
  HWND target = scroll_target(this, nBar);
  return ::SetScrollPos(target, nBar, nPos, bRedraw);
}
int CWnd::GetScrollPos(int nBar) const {
  HWND target = scroll_target(this, nBar);
  return ::GetScrollPos(target, nBar);
}
void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
  HWND target = scroll_target(this, nBar);
  ::SetScrollRange(target, nBar, nMinPos, nMaxPos, bRedraw);
}
void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
  HWND target = scroll_target(this, nBar);
  ::GetScrollRange(target, nBar, lpMinPos, lpMaxPos);
}
BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  if (!lpScrollInfo) return FALSE;
  HWND target = scroll_target(this, nBar);
  ::SetScrollInfo(target, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}
BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  if (!lpScrollInfo) return FALSE;
  lpScrollInfo->fMask = nMask;
  HWND target = scroll_target(this, nBar);
  return ::GetScrollInfo(target, nBar, lpScrollInfo);
}
// The largest position the bar can reach: the range's end less the page.
int CWnd::GetScrollLimit(int nBar) {
  SCROLLINFO info;
  if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  return info.nMax - std::max(int(info.nPage) - 1, 0);
}
void CWnd::ShowScrollBar(UINT nBar, BOOL bShow) { ::ShowScrollBar(m_hWnd, int(nBar), bShow); }
BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags) {
  return ::EnableScrollBar(m_hWnd, UINT(nSBFlags), nArrowFlags);
}

// --- Geometry --------------------------------------------------------------------------------------

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
  ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
  MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
             bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                        nFlags);
}
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(lpRect), 2);
}
void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(lpRect), 2);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
  ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}
void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
  ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, reinterpret_cast<POINT*>(lpRect), 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  CRect area;
  HWND center_on = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetParent(m_hWnd);
  bool child = (GetStyle() & WS_CHILD) != 0;
  if (child && center_on) {
    ::GetClientRect(center_on, area);
  } else if (center_on) {
    ::GetWindowRect(center_on, area);
  } else {
    area = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  }
  CRect mine;
  GetWindowRect(mine);
  int x = area.left + (area.Width() - mine.Width()) / 2;
  int y = area.top + (area.Height() - mine.Height()) / 2;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Focus, activation, capture --------------------------------------------------------------------

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

// --- Painting --------------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  HRGN region = prgnUpdate ? static_cast<HRGN>(prgnUpdate->GetSafeHandle()) : nullptr;
  return ::RedrawWindow(m_hWnd, lpRectUpdate, region, flags);
}
BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect, LPCRECT lpClipRect) {
  ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
}

// --- Modal loops ----------------------------------------------------------------------------------

int CWnd::RunModalLoop(DWORD dwFlags) {
  HWND h = m_hWnd;
  win::WindowGuard guard(h);
  m_bContinueModal = true;
  m_nModalResult = -1;
  bool idle = true;
  bool shown = (GetStyle() & WS_VISIBLE) != 0;
  MSG msg;
  for (;;) {
    // Idle while nothing waits: show the window once, let the owner know it waits.
    while (idle && guard.alive() && !PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if ((dwFlags & MLF_SHOWONIDLE) && !shown) {
        ::ShowWindow(h, SW_SHOWNORMAL);
        shown = true;
      }
      if (!(dwFlags & MLF_NOIDLEMSG)) {
        if (HWND owner = ::GetParent(h)) {
          ::SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(h));
        }
      }
      idle = false;
    }
    if (!guard.alive() || !ContinueModal()) break;
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(int(msg.wParam));
      break;
    }
    win::process_message(msg);
    if (!guard.alive() || !ContinueModal()) break;
    idle = true;
  }
  // The guard keeps this object alive until the function returns, even when the window went.
  return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return m_bContinueModal; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  m_bContinueModal = false;
}

// --- Messages and timers ---------------------------------------------------------------------------

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()) : 0; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}
UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
  return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
const MSG* CWnd::GetCurrentMessage() { return ::GetCurrentMessage(); }

// --- Default handlers ------------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return BOOL(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return BOOL(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return BOOL(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return int(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnNcMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return BOOL(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
UINT CWnd::OnGetDlgCode() { return UINT(Default()); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return BOOL(Default()); }
