#include "controls/cool_controls.h"

#include <functional>
#include <strings.h>
#include <thread>

#include "controls/cool_controls_geometry.h"
#include "platform/controls/date_time_ctrl.h"
#include "platform/controls/header_ctrl.h"
#include "platform/controls/slider_ctrl.h"
#include "platform/controls/spin_button_ctrl.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/tab_control_messages.h"
#include "platform/framework/tool_bar.h"
#include "platform/framework/tool_bar_layout.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/cwnd.h"
#include "platform/win/scroll_bars.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

using coolctl::SkinChildren;
using coolctl::SkinObject;

namespace {

// Hooks are kept per thread; this names the calling thread.
DWORD current_thread() {
  return static_cast<DWORD>(std::hash<std::thread::id>{}(std::this_thread::get_id()) & 0x7FFFFFFF);
}

constexpr UINT kHoverPollMs = 100;
constexpr int kSmallHeight = 30;

// --- Drawing primitives: every line one pixel, an opaque filled rectangle in a system colour ---

void fill(HDC dc, int x, int y, int cx, int cy, int colour) {
  if (cx <= 0 || cy <= 0) return;
  RECT r{x, y, x + cx, y + cy};
  FillRect(dc, &r, GetSysColorBrush(colour));
}

void frame(HDC dc, const CRect& r, int a, int b) {
  const int w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return;
  fill(dc, r.left, r.top, w - 1, 1, a);
  fill(dc, r.left, r.top, 1, h - 1, a);
  fill(dc, r.right - 1, r.top, 1, h, b);
  fill(dc, r.left, r.bottom - 1, w, 1, b);
}

void frame2(HDC dc, CRect r, int a, int b, int c, int d) {
  frame(dc, r, a, b);
  r.DeflateRect(1, 1);
  frame(dc, r, c, d);
}

void frame3(HDC dc, CRect r, int a, int b, int c, int d, int e, int f) {
  frame2(dc, r, a, b, c, d);
  r.DeflateRect(2, 2);
  frame(dc, r, e, f);
}

constexpr int kFace = COLOR_BTNFACE;
constexpr int kShadow = COLOR_BTNSHADOW;
constexpr int kHighlight = COLOR_BTNHIGHLIGHT;
constexpr int kDark = COLOR_3DDKSHADOW;
constexpr int kLight = COLOR_3DLIGHT;
constexpr int kWindow = COLOR_WINDOW;

// A raised box (arrow boxes, thumbs) when active, a flat one otherwise.
void box(HDC dc, const CRect& r, bool active) {
  if (active) {
    frame2(dc, r, kFace, kDark, kHighlight, kShadow);
  } else {
    frame2(dc, r, kHighlight, kShadow, kFace, kFace);
  }
}

DWORD style_of(HWND h) { return DWORD(GetWindowLong(h, GWL_STYLE)); }

std::string class_of(HWND h) {
  char name[64] = {};
  GetClassName(h, name, sizeof name);
  return name;
}

bool class_is(HWND h, const char* name) { return strcasecmp(class_of(h).c_str(), name) == 0; }

// Where the client area lies in window coordinates.
CPoint client_origin(HWND h) {
  POINT p{0, 0};
  ClientToScreen(h, &p);
  RECT w{};
  GetWindowRect(h, &w);
  return CPoint(p.x - w.left, p.y - w.top);
}

// The up-down control that follows `edit` and has it as its buddy, null when none does.
HWND following_up_down(HWND edit) {
  HWND next = GetWindow(edit, GW_HWNDNEXT);
  if (!next || !class_is(next, UPDOWN_CLASS)) return nullptr;
  if (reinterpret_cast<HWND>(SendMessage(next, UDM_GETBUDDY, 0, 0)) != edit) return nullptr;
  if (!(style_of(next) & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT))) return nullptr;
  return next;
}

std::unique_ptr<CCoolControlsManager::CCMControl> make_object(SkinObject kind) {
  using M = CCoolControlsManager;
  switch (kind) {
    case SkinObject::none: return nullptr;
    case SkinObject::control: return std::make_unique<M::CCMControl>();
    case SkinObject::edit: return std::make_unique<M::CCMEdit>();
    case SkinObject::edit_combo: return std::make_unique<M::CCMEditCombo>();
    case SkinObject::combo_box: return std::make_unique<M::CCMComboBox>();
    case SkinObject::date_time: return std::make_unique<M::CCMDateTime>();
    case SkinObject::push_button: return std::make_unique<M::CCMPushButton>();
    case SkinObject::check_box: return std::make_unique<M::CCMCheckBox>();
    case SkinObject::radio_button: return std::make_unique<M::CCMRadioButton>();
    case SkinObject::up_down: return std::make_unique<M::CCMUpDown>();
    case SkinObject::scroll_bar: return std::make_unique<M::CCMScrollBar>();
    case SkinObject::header: return std::make_unique<M::CCMHeaderCtrl>();
    case SkinObject::trackbar: return std::make_unique<M::CCMTrackbar>();
    case SkinObject::toolbar: return std::make_unique<M::CCMToolbar>();
    case SkinObject::tab_control: return std::make_unique<M::CCMTabControl>();
    case SkinObject::ip_address: return std::make_unique<M::CCMIPAddress>();
  }
  return nullptr;
}

}  // namespace

CCoolControlsManager& GetCoolControlsManager() {
  static CCoolControlsManager manager;
  return manager;
}

CCoolControlsManager::CCoolControlsManager() = default;

CCoolControlsManager::~CCoolControlsManager() {
  for (auto& [thread, hook] : m_hooks) UnhookWindowsHookEx(hook);
  m_hooks.clear();
  if (m_uTimerID) KillTimer(nullptr, m_uTimerID);
  for (auto& [h, c] : m_controls) c->Unsubclass();
  for (auto& [h, d] : m_dialogs) d->Unsubclass();
  m_controls.clear();
  m_dialogs.clear();
}

// --- Installing -----------------------------------------------------------------------------

void CCoolControlsManager::Install(DWORD dwThreadID, int nInstallMode) {
  m_nInstallMode = nInstallMode;
  if (dwThreadID == DWORD(-1)) dwThreadID = current_thread();
  if (m_hooks.contains(dwThreadID)) return;
  if (HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, &CallWndProcHook, nullptr, dwThreadID)) {
    m_hooks[dwThreadID] = hook;
  }
}

void CCoolControlsManager::Uninstall(DWORD dwThreadID) {
  if (dwThreadID == DWORD(-1)) dwThreadID = current_thread();
  auto it = m_hooks.find(dwThreadID);
  if (it == m_hooks.end()) return;
  UnhookWindowsHookEx(it->second);
  m_hooks.erase(it);
  if (m_hooks.empty() && m_uTimerID) {
    KillTimer(nullptr, m_uTimerID);
    m_uTimerID = 0;
  }
}

LRESULT CCoolControlsManager::CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam) {
  CCoolControlsManager& m = GetCoolControlsManager();
  auto it = m.m_hooks.find(current_thread());
  if (it == m.m_hooks.end()) return 0;
  HHOOK hook = it->second;
  if (nCode == HC_ACTION && lParam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (m.m_nInstallMode == 1) {
      if (cwp->message == WM_INITDIALOG) m.SkinDialog(cwp->hwnd);
    } else if (cwp->message == WM_CREATE && (style_of(cwp->hwnd) & WS_CHILD) &&
               class_of(cwp->hwnd) != "ScrollBar") {
      m.SkinWindow(cwp->hwnd);
    }
  }
  return CallNextHookEx(hook, nCode, wParam, lParam);
}

// --- Skinning -------------------------------------------------------------------------------

void CCoolControlsManager::SkinDialog(HWND hWnd) {
  if (!IsWindow(hWnd) || m_dialogs.contains(hWnd)) return;
  auto is_control = [](HWND child) {
    return (style_of(child) & WS_CHILD) && !class_is(child, "#32770");
  };
  for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (is_control(c)) SkinWindow(c);
  }
  auto dialog = std::make_unique<CCMDialog>();
  dialog->Subclass(hWnd, &DialogWndProc);
  m_dialogs[hWnd] = std::move(dialog);
  for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (CCMControl* control = FindControl(c)) control->DrawControl();
  }
}

void CCoolControlsManager::SkinChildren(HWND hWnd, bool first_only) {
  for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    SkinWindow(c);
    if (first_only) break;
  }
}

BOOL CCoolControlsManager::SkinWindow(HWND hWnd, const char* lpszClass) {
  if (!hWnd || !IsWindow(hWnd) || m_controls.contains(hWnd)) return FALSE;
  const std::string cls = lpszClass ? std::string(lpszClass) : class_of(hWnd);
  const DWORD style = style_of(hWnd);
  HWND parent = GetParent(hWnd);
  const bool in_simple_combo =
      parent && class_is(parent, "ComboBox") && (style_of(parent) & 3) == CBS_SIMPLE;
  const coolctl::SkinChoice choice =
      coolctl::ChooseSkin(cls, style, DWORD(GetWindowLong(hWnd, GWL_EXSTYLE)), in_simple_combo);
  if (choice.children == SkinChildren::all_before || choice.children == SkinChildren::all) {
    SkinChildren(hWnd, false);
  }
  std::unique_ptr<CCMControl> control = make_object(choice.object);
  const bool made = control != nullptr;
  if (control) {
    if (style & ES_READONLY && (choice.object == SkinObject::edit || choice.object == SkinObject::edit_combo)) {
      control->m_nState |= dsReadOnly;
    }
    control->Subclass(hWnd, &ControlWndProc);
    AddControl(hWnd, std::move(control));
  }
  if (choice.children == SkinChildren::first_after) SkinChildren(hWnd, true);
  return made;
}

void CCoolControlsManager::AddControl(HWND hWnd, std::unique_ptr<CCMControl> control) {
  m_controls[hWnd] = std::move(control);
  if (!m_uTimerID) m_uTimerID = SetTimer(nullptr, 0, kHoverPollMs, &HoverTimerProc);
}

void CCoolControlsManager::RemoveControl(HWND hWnd) {
  auto it = m_controls.find(hWnd);
  if (it == m_controls.end()) return;
  it->second->Unsubclass();
  // A control that dies while hot must not stay the hot window: a later window could be given
  // the same handle.
  if (m_hotWnd == hWnd) m_hotWnd = nullptr;
  std::unique_ptr<CCMControl> dying = std::move(it->second);
  m_controls.erase(it);
  if (m_controls.empty() && m_uTimerID) {
    KillTimer(nullptr, m_uTimerID);
    m_uTimerID = 0;
  }
}

void CCoolControlsManager::RemoveDialog(HWND hWnd) {
  auto it = m_dialogs.find(hWnd);
  if (it == m_dialogs.end()) return;
  it->second->Unsubclass();
  m_dialogs.erase(it);
}

CCoolControlsManager::CCMControl* CCoolControlsManager::FindControl(HWND hWnd) const {
  if (!hWnd) return nullptr;
  auto it = m_controls.find(hWnd);
  return it == m_controls.end() ? nullptr : it->second.get();
}

LRESULT CCoolControlsManager::ControlWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (CCMControl* c = GetCoolControlsManager().FindControl(hWnd)) return c->WindowProc(uMsg, wParam, lParam);
  return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

LRESULT CCoolControlsManager::DialogWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  auto& dialogs = GetCoolControlsManager().m_dialogs;
  auto it = dialogs.find(hWnd);
  if (it != dialogs.end()) return it->second->WindowProc(uMsg, wParam, lParam);
  return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

// --- Hover tracking -------------------------------------------------------------------------

void CCoolControlsManager::HoverTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  GetCoolControlsManager().TimerProc();
}

void CCoolControlsManager::TimerProc() {
  if (m_controls.empty() || GetCapture()) return;
  POINT point{};
  GetCursorPos(&point);
  HWND under = WindowFromPoint(point);
  CCMControl* found = FindControl(under);
  if (!found && under) found = FindControl(GetParent(under));
  auto cool_down = [this] {
    if (CCMControl* hot = FindControl(m_hotWnd)) {
      hot->m_nState &= ~dsHover;
      hot->DrawControl(true);
    }
  };
  if (found) {
    if (!found->NeedsRedraw(point)) return;
    cool_down();
    found->m_nState |= dsHover;
    m_hotWnd = found->m_hWnd;
    found->DrawControl(true);
  } else if (m_hotWnd) {
    cool_down();
    m_hotWnd = nullptr;
  }
}

// --- The window objects -----------------------------------------------------------------------

void CCoolControlsManager::CCMCore::Subclass(HWND hWnd, WNDPROC wndNewProc) {
  m_hWnd = hWnd;
  m_oldWndProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wndNewProc)));
}

void CCoolControlsManager::CCMCore::Unsubclass() {
  if (m_hWnd && IsWindow(m_hWnd) && m_oldWndProc) {
    SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldWndProc));
  }
}

LRESULT CCoolControlsManager::CCMDialog::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
    GetCoolControlsManager().SkinWindow(reinterpret_cast<HWND>(lParam));
  } else if (uMsg == WM_NCDESTROY) {
    const HWND h = m_hWnd;
    LRESULT result = CallOld(uMsg, wParam, lParam);
    GetCoolControlsManager().RemoveDialog(h);
    return result;
  }
  return CallOld(uMsg, wParam, lParam);
}

LRESULT CCoolControlsManager::CCMControl::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      DrawControl();
      return CallOld(uMsg, wParam, lParam);
    case WM_ENABLE:
    case WM_PAINT:
    case WM_NCPAINT:
      CallOld(uMsg, wParam, lParam);
      DrawControl();
      return 0;
    case WM_NCDESTROY: {
      const HWND h = m_hWnd;
      LRESULT result = CallOld(uMsg, wParam, lParam);
      GetCoolControlsManager().RemoveControl(h);  // deletes this object
      return result;
    }
    default:
      return CallOld(uMsg, wParam, lParam);
  }
}

BOOL CCoolControlsManager::CCMControl::NeedsRedraw(const POINT&) {
  return m_hWnd != GetCoolControlsManager().m_hotWnd;
}

void CCoolControlsManager::CCMControl::PrepareDC(HDC& hDC, CRect& rect) {
  hDC = GetWindowDC(m_hWnd);
  GetWindowRect(m_hWnd, &rect);
  rect.OffsetRect(-rect.left, -rect.top);
}

BOOL CCoolControlsManager::CCMControl::HasFocus() { return GetFocus() == m_hWnd; }

void CCoolControlsManager::CCMControl::DrawControl(bool hover_poll) {
  if (!IsWindow(m_hWnd)) return;
  HDC dc = nullptr;
  CRect rect;
  PrepareDC(dc, rect);
  if (!dc) return;
  if (GetWindowLong(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    if (client_origin(m_hWnd).x == 3) rect.DeflateRect(1, 1);
  }
  if (HasFocus()) {
    m_nState |= dsFocus;
  } else {
    m_nState &= ~dsFocus;
  }
  if (rect.Height() < kSmallHeight) {
    m_nState |= dsAlternate;
  } else {
    m_nState &= ~dsAlternate;
  }
  // A hover poll leaves a control alone that stays raised; a paint always needs the skin back.
  const bool stays_hot = (m_nOldState & dsHover) && (m_nState & dsHover);
  const bool stays_focused = (m_nOldState & dsFocus) && (m_nState & dsFocus);
  if (!(hover_poll && (stays_hot || stays_focused))) Draw(dc, rect);
  m_nOldState = m_nState;
  ReleaseDC(m_hWnd, dc);
}

void CCoolControlsManager::CCMControl::Draw(HDC hDC, const CRect& rect) {
  const bool small = (m_nState & dsAlternate) != 0;
  int a = small ? kHighlight : kLight, b = kLight;
  if (IsActive()) {
    a = kDark;
    b = kLight;
  } else if (!IsWindowEnabled(m_hWnd) || (m_nState & dsReadOnly)) {
    a = b = kFace;
  }
  frame2(hDC, rect, kShadow, kHighlight, a, b);
  DrawScrollBars(hDC, rect);
}

void CCoolControlsManager::CCMControl::DrawScrollBars(HDC hDC, const CRect& rect) {
  const DWORD style = style_of(m_hWnd);
  if (!(style & (WS_HSCROLL | WS_VSCROLL))) return;
  const int thick = GetSystemMetrics(SM_CXHSCROLL);
  CRect inner(rect);
  inner.DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CXEDGE));
  const bool both = (style & WS_HSCROLL) && (style & WS_VSCROLL);
  const bool enabled = IsWindowEnabled(m_hWnd) != 0;
  auto one = [&](int bar, const CRect& r) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(m_hWnd, bar, &si)) return;
    DrawScrollBar(hDC, r, si.nMin, si.nMax, int(si.nPage), si.nPos, bar == SB_VERT, enabled, true);
  };
  if (style & WS_VSCROLL) {
    one(SB_VERT, CRect(inner.right - thick, inner.top, inner.right, inner.bottom - (both ? thick : 0)));
  }
  if (style & WS_HSCROLL) {
    one(SB_HORZ, CRect(inner.left, inner.bottom - thick, inner.right - (both ? thick : 0), inner.bottom));
  }
  if (both) fill(hDC, inner.right - thick, inner.bottom - thick, thick, thick, kFace);
}

void CCoolControlsManager::CCMControl::DrawScrollBar(HDC hDC, const CRect& bar, int nMin, int nMax,
                                                     int nPage, int nPos, bool vertical, bool enabled,
                                                     bool thumb) {
  const int length = vertical ? bar.Height() : bar.Width();
  const int thickness = vertical ? bar.Width() : bar.Height();
  const coolctl::ScrollBarParts parts = coolctl::ScrollBarLayout(
      length, thickness, nMin, nMax, nPage, nPos, GetSystemMetrics(SM_CXHTHUMB));
  auto part = [&](int offset, int size) {
    return vertical ? CRect(bar.left, bar.top + offset, bar.right, bar.top + offset + size)
                    : CRect(bar.left + offset, bar.top, bar.left + offset + size, bar.bottom);
  };
  // Frames only: the arrows, the track and the thumb's face are the bar's own drawing.
  const bool active = IsActive();
  box(hDC, part(0, parts.arrow), active);
  box(hDC, part(length - parts.arrow, parts.arrow), active);
  if (thumb && enabled && parts.thumb_length > 0) box(hDC, part(parts.thumb_start, parts.thumb_length), active);
}

// Edits: an up-down control that belongs to the edit is drawn inside its frame.
LRESULT CCoolControlsManager::CCMEdit::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CCMControl::WindowProc(uMsg, wParam, lParam);
  if (uMsg == WM_ENABLE) {
    if (HWND spin = following_up_down(m_hWnd)) InvalidateRect(spin, nullptr, TRUE);
  }
  return result;
}

void CCoolControlsManager::CCMEdit::Draw(HDC hDC, const CRect& rect) {
  if (style_of(m_hWnd) & ES_READONLY) {
    m_nState |= dsReadOnly;
  } else {
    m_nState &= ~dsReadOnly;
  }
  CRect r(rect);
  if (HWND spin = following_up_down(m_hWnd)) {
    RECT s{};
    GetWindowRect(spin, &s);
    if (style_of(spin) & UDS_ALIGNLEFT) {
      r.left -= s.right - s.left;
    } else {
      r.right += s.right - s.left;
    }
  }
  CCMControl::Draw(hDC, r);
}

void CCoolControlsManager::CCMEditCombo::PrepareDC(HDC& hDC, CRect& rect) {
  HWND combo = GetParent(m_hWnd);
  hDC = GetWindowDC(combo);
  RECT c{};
  GetWindowRect(combo, &c);
  GetWindowRect(m_hWnd, &rect);
  rect.InflateRect(3, 3);
  rect.OffsetRect(-c.left, -c.top);
}

// Combo boxes: the frame and a drop button.
LRESULT CCoolControlsManager::CCMComboBox::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if ((uMsg == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS) || (uMsg == WM_LBUTTONUP && lParam == -1)) {
    DrawControl();
    return CallOld(uMsg, wParam, lParam);
  }
  return CCMControl::WindowProc(uMsg, wParam, lParam);
}

BOOL CCoolControlsManager::CCMComboBox::HasFocus() {
  HWND focus = GetFocus();
  return focus && (focus == m_hWnd || IsChild(m_hWnd, focus));
}

void CCoolControlsManager::CCMComboBox::Draw(HDC hDC, const CRect& rect) {
  CCMControl::Draw(hDC, rect);
  CRect inner(rect);
  inner.DeflateRect(2, 2);
  // Only the button's frames: the arrow inside is the combo box's own.
  CRect button(inner.right - GetSystemMetrics(SM_CXHSCROLL), inner.top, inner.right, inner.bottom);
  if (!IsWindowEnabled(m_hWnd)) {
    frame2(hDC, button, kFace, kFace, kFace, kFace);
  } else {
    box(hDC, button, IsActive());
  }
}

void CCoolControlsManager::CCMDateTime::Draw(HDC hDC, const CRect& rect) {
  if (style_of(m_hWnd) & DTS_UPDOWN) {
    CCMControl::Draw(hDC, rect);
  } else {
    CCMComboBox::Draw(hDC, rect);
  }
}

// Buttons.
LRESULT CCoolControlsManager::CCMPushButton::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_SETTEXT || uMsg == BM_SETCHECK) {
    LRESULT result = CallOld(uMsg, wParam, lParam);
    DrawControl();
    return result;
  }
  return CCMControl::WindowProc(uMsg, wParam, lParam);
}

void CCoolControlsManager::CCMPushButton::Draw(HDC hDC, const CRect& rect) {
  const bool active = IsActive();
  const int s = active ? kDark : kShadow, l = active ? kLight : kFace, f = active ? kShadow : kFace;
  const UINT state = UINT(SendMessage(m_hWnd, BM_GETSTATE, 0, 0));
  if ((style_of(m_hWnd) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsWindowEnabled(m_hWnd)) {
    frame3(hDC, rect, kDark, kDark, kHighlight, s, l, f);
  } else if (state & (BST_CHECKED | BST_PUSHED)) {
    frame2(hDC, rect, s, kHighlight, f, l);
  } else {
    frame3(hDC, rect, kHighlight, s, l, f, kFace, kFace);
  }
}

void CCoolControlsManager::CCMCheckBox::Draw(HDC hDC, const CRect& rect) {
  const DWORD style = style_of(m_hWnd);
  if (style & BS_PUSHLIKE) {
    CCMPushButton::Draw(hDC, rect);
    return;
  }
  const CRect b = coolctl::CheckBoxRect(rect, style);
  if (m_nState & dsHover) {
    frame2(hDC, b, kDark, kHighlight, kShadow, kFace);
  } else if (!IsWindowEnabled(m_hWnd)) {
    frame2(hDC, b, kShadow, kHighlight, kFace, kFace);
  } else {
    const bool indeterminate = SendMessage(m_hWnd, BM_GETCHECK, 0, 0) == BST_INDETERMINATE;
    const int inner = indeterminate ? kHighlight : kWindow;
    frame2(hDC, b, kShadow, kHighlight, inner, inner);
  }
}

void CCoolControlsManager::CCMRadioButton::Draw(HDC hDC, const CRect& rect) {
  const DWORD style = style_of(m_hWnd);
  if (style & BS_PUSHLIKE) {
    CCMPushButton::Draw(hDC, rect);
    return;
  }
  using coolctl::RadioArc;
  const bool hot = (m_nState & dsHover) != 0, enabled = IsWindowEnabled(m_hWnd) != 0;
  struct ArcColour {
    RadioArc arc;
    int hot, enabled, disabled;
  };
  static constexpr ArcColour kArcs[] = {
      {RadioArc::outer_upper_left, kShadow, kShadow, kShadow},
      {RadioArc::inner_upper_left, kDark, kWindow, kFace},
      {RadioArc::inner_lower_right, kFace, kFace, kFace},
      {RadioArc::outer_lower_right, kWindow, kWindow, kHighlight},
  };
  const CPoint origin = coolctl::RadioOrigin(rect, style);
  for (const ArcColour& a : kArcs) {
    const COLORREF c = GetSysColor(hot ? a.hot : enabled ? a.enabled : a.disabled);
    for (const POINT& p : coolctl::RadioArcPoints(a.arc)) SetPixel(hDC, origin.x + p.x, origin.y + p.y, c);
  }
}

// Up-down controls: two halves, joined to the frame of the buddy they serve.
void CCoolControlsManager::CCMUpDown::Draw(HDC hDC, const CRect& rect) {
  CCoolControlsManager& m = GetCoolControlsManager();
  const DWORD style = style_of(m_hWnd);
  HWND buddy = reinterpret_cast<HWND>(SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0));
  CCMControl* skinned_buddy = m.FindControl(buddy);
  const bool joined = buddy && (style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT));
  const bool enabled = IsWindowEnabled(buddy ? buddy : m_hWnd) != 0;
  bool active = IsActive() || (skinned_buddy && skinned_buddy->IsActive());
  CRect r(rect);
  if (joined) {
    const int inner = enabled ? kLight : kFace;
    const int inner_top = !enabled ? kFace : active ? kDark : (m_nState & dsAlternate) ? kHighlight : kLight;
    if (style & UDS_ALIGNLEFT) {
      fill(hDC, r.left, r.top, r.Width(), 1, kShadow);
      fill(hDC, r.left, r.top, 1, r.Height(), kShadow);
      fill(hDC, r.left + 1, r.top + 1, r.Width() - 1, 1, inner_top);
      fill(hDC, r.left + 1, r.top + 1, 1, r.Height() - 2, inner_top);
      fill(hDC, r.left, r.bottom - 1, r.Width(), 1, kHighlight);
      fill(hDC, r.left + 1, r.bottom - 2, r.Width() - 1, 1, inner);
      r.DeflateRect(2, 2, 0, 2);
    } else {
      fill(hDC, r.left, r.top, r.Width(), 1, kShadow);
      fill(hDC, r.left, r.top + 1, r.Width() - 1, 1, inner_top);
      fill(hDC, r.right - 1, r.top, 1, r.Height(), kHighlight);
      fill(hDC, r.left, r.bottom - 1, r.Width(), 1, kHighlight);
      fill(hDC, r.right - 2, r.top + 1, 1, r.Height() - 2, inner);
      fill(hDC, r.left, r.bottom - 2, r.Width() - 1, 1, inner);
      r.DeflateRect(0, 2, 2, 2);
    }
  }
  const bool raised = enabled && active;
  if (style & UDS_HORZ) {
    const int half = r.Width() / 2;
    box(hDC, CRect(r.left, r.top, r.left + half, r.bottom), raised);
    box(hDC, CRect(r.left + half, r.top, r.right, r.bottom), raised);
  } else {
    const int half = r.Height() / 2;
    box(hDC, CRect(r.left, r.top, r.right, r.top + half), raised);
    box(hDC, CRect(r.left, r.top + half, r.right, r.bottom), raised);
  }
  // The hot state goes on to the buddy (or, without one, the parent) when that is skinned.
  CCMControl* partner = buddy ? skinned_buddy : m.FindControl(GetParent(m_hWnd));
  if (partner && partner != this && IsWindowEnabled(partner->m_hWnd)) {
    const WORD hot = m_nState & dsHover;
    if ((partner->m_nState & dsHover) != hot) {
      partner->m_nState = WORD((partner->m_nState & ~dsHover) | hot);
      partner->DrawControl();
    }
  }
}

// Scroll-bar controls.
LRESULT CCoolControlsManager::CCMScrollBar::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const bool redraws = (uMsg == SBM_SETPOS && lParam) || uMsg == SBM_SETRANGEREDRAW ||
                       (uMsg == SBM_SETSCROLLINFO && wParam);
  if (redraws) {
    LRESULT result = CallOld(uMsg, wParam, lParam);
    DrawControl();
    return result;
  }
  return CCMControl::WindowProc(uMsg, wParam, lParam);
}

void CCoolControlsManager::CCMScrollBar::Draw(HDC hDC, const CRect& rect) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  SendMessage(m_hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
  const bool enabled = IsWindowEnabled(m_hWnd) != 0;
  DrawScrollBar(hDC, rect, si.nMin, si.nMax, int(si.nPage), si.nPos, (style_of(m_hWnd) & SBS_VERT) != 0,
                enabled, enabled);
}

// Header controls: the item under the cursor is raised.
namespace {

int header_item_at(HWND h, const POINT& screen) {
  POINT p = screen;
  ScreenToClient(h, &p);
  const int count = int(SendMessage(h, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (SendMessage(h, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)) && CRect(r).PtInRect(p)) return i;
  }
  return -1;
}

bool in_parent_client(HWND h, const POINT& screen) {
  HWND parent = GetParent(h);
  if (!parent) return false;
  POINT p = screen;
  ScreenToClient(parent, &p);
  RECT c{};
  GetClientRect(parent, &c);
  return CRect(c).PtInRect(p);
}

}  // namespace

BOOL CCoolControlsManager::CCMHeaderCtrl::NeedsRedraw(const POINT& point) {
  return CCMControl::NeedsRedraw(point) || header_item_at(m_hWnd, point) != m_nOldItem;
}

void CCoolControlsManager::CCMHeaderCtrl::Draw(HDC hDC, const CRect& rect) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const int hot = (m_nState & dsHover) && in_parent_client(m_hWnd, cursor) ? header_item_at(m_hWnd, cursor) : -1;
  const CPoint origin = client_origin(m_hWnd);
  const int count = int(SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
  int end = 0;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessage(m_hWnd, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
    CRect item(r);
    item.OffsetRect(origin.x, origin.y);
    end = std::max(end, int(item.right));
    if (i == hot) {
      frame2(hDC, item, kHighlight, kDark, kLight, kShadow);
    } else {
      frame2(hDC, item, kHighlight, kShadow, kFace, kFace);
    }
  }
  if (end < rect.right) frame2(hDC, CRect(end, rect.top, rect.right, rect.bottom), kHighlight, kShadow, kFace, kFace);
  m_nOldItem = hot;
  // The list the header belongs to looks hot while one of its items is.
  if (CCMControl* list = GetCoolControlsManager().FindControl(GetParent(m_hWnd)); list && hot >= 0) {
    if (!(list->m_nState & dsHover)) {
      list->m_nState |= dsHover;
      list->DrawControl();
    }
  }
}

// Track bars: a flat channel and a flat or pointed thumb.
void CCoolControlsManager::CCMTrackbar::Draw(HDC hDC, const CRect&) {
  const DWORD style = style_of(m_hWnd);
  const CPoint origin = client_origin(m_hWnd);
  RECT reported{}, t{};
  SendMessage(m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
  SendMessage(m_hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
  CRect thumb(t);
  CRect channel = (style & TBS_VERT) ? coolctl::UprightChannel(CRect(reported), thumb, style) : CRect(reported);
  channel.OffsetRect(origin.x, origin.y);
  thumb.OffsetRect(origin.x, origin.y);
  const bool active = IsActive();
  frame2(hDC, channel, kShadow, kHighlight, active ? kDark : kFace, active ? kLight : kFace);
  if (style & TBS_NOTHUMB) return;
  fill(hDC, thumb.left, thumb.top, thumb.Width(), thumb.Height(), kFace);
  if (style & TBS_BOTH) {
    if (active) {
      frame2(hDC, thumb, kHighlight, kDark, kLight, kShadow);
    } else {
      frame2(hDC, thumb, kHighlight, kShadow, kFace, kFace);
    }
    return;
  }
  // The pointed thumb: light on the sides facing up or left and the slope beside them.
  const bool vertical = (style & TBS_VERT) != 0;
  auto outline = [&](const CRect& r, int light, int dark) {
    std::vector<POINT> p = coolctl::PointedThumb(r, style);
    const int cx = (r.left + r.right - 1) / 2, cy = (r.top + r.bottom - 1) / 2;
    for (size_t i = 0; i < p.size(); ++i) {
      const POINT a = p[i], b = p[(i + 1) % p.size()];
      const int mx2 = a.x + b.x, my2 = a.y + b.y;
      bool lit = vertical ? (my2 < 2 * cy || (a.x == b.x && mx2 < 2 * cx))
                          : (mx2 < 2 * cx || (a.y == b.y && my2 < 2 * cy));
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(lit ? light : dark));
      HGDIOBJ old = SelectObject(hDC, pen);
      MoveToEx(hDC, a.x, a.y, nullptr);
      LineTo(hDC, b.x, b.y);
      SelectObject(hDC, old);
      DeleteObject(pen);
    }
  };
  outline(thumb, kHighlight, active ? kDark : kShadow);
  CRect inner(thumb);
  inner.DeflateRect(1, 1);
  outline(inner, active ? kLight : kFace, active ? kShadow : kFace);
}

// Tab controls.
LRESULT CCoolControlsManager::CCMTabControl::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_PAINT || uMsg == WM_NCPAINT) m_nOldItem = -1;
  return CCMControl::WindowProc(uMsg, wParam, lParam);
}

int CCoolControlsManager::CCMTabControl::ItemFromPoint(const POINT& point) {
  POINT p = point;
  ScreenToClient(m_hWnd, &p);
  const int count = int(SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (SendMessage(m_hWnd, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)) && CRect(r).PtInRect(p)) return i;
  }
  return -1;
}

BOOL CCoolControlsManager::CCMTabControl::NeedsRedraw(const POINT& point) {
  return CCMControl::NeedsRedraw(point) || ItemFromPoint(point) != m_nOldItem;
}

void CCoolControlsManager::CCMTabControl::Draw(HDC hDC, const CRect&) {
  using coolctl::TabSide;
  const DWORD style = style_of(m_hWnd);
  if (style & TCS_BUTTONS) return;
  const TabSide side = coolctl::TabOrientation(style);
  const CPoint origin = client_origin(m_hWnd);
  RECT client{};
  GetClientRect(m_hWnd, &client);
  RECT display = client;
  SendMessage(m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  CRect body = coolctl::TabBody(CRect(display), side);
  body.OffsetRect(origin.x, origin.y);

  const int count = int(SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
  const int selected = int(SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0));
  auto item_rect = [&](int i) {
    RECT r{};
    SendMessage(m_hWnd, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    CRect c(r);
    c.OffsetRect(origin.x, origin.y);
    return c;
  };
  CRect sel = selected >= 0 && selected < count ? item_rect(selected) : CRect();
  sel.InflateRect(2, 2);

  // Shadow lines inside the body's bottom and right edges; right and bottom tabs leave a gap
  // beside the selected tab.
  auto line_with_gap = [&](int x, int y, int cx, int cy, bool gap, int from, int to, bool horizontal) {
    if (!gap || sel.IsRectEmpty()) {
      fill(hDC, x, y, cx, cy, kShadow);
    } else if (horizontal) {
      fill(hDC, x, y, from - x, cy, kShadow);
      fill(hDC, to, y, x + cx - to, cy, kShadow);
    } else {
      fill(hDC, x, y, cx, from - y, kShadow);
      fill(hDC, x, to, cx, y + cy - to, kShadow);
    }
  };
  line_with_gap(body.left, body.bottom - 1, body.Width(), 1, side == TabSide::bottom, sel.left, sel.right, true);
  line_with_gap(body.right - 1, body.top, 1, body.Height(), side == TabSide::right, sel.top, sel.bottom, false);
  CRect face(body);
  face.DeflateRect(1, 1);
  frame(hDC, face, kFace, kFace);

  POINT cursor{};
  GetCursorPos(&cursor);
  const int under = (m_nState & dsHover) ? ItemFromPoint(cursor) : -1;
  m_nOldItem = under;

  auto outline = [&](const CRect& r, bool hot, bool leading, bool trailing) {
    const bool across = side == TabSide::top || side == TabSide::bottom;
    const int len = across ? r.Width() : r.Height(), depth = across ? r.Height() : r.Width();
    auto put = [&](int u, int v, int cu, int cv, int colour) {
      switch (side) {
        case TabSide::top: fill(hDC, r.left + u, r.top + v, cu, cv, colour); break;
        case TabSide::bottom: fill(hDC, r.left + u, r.bottom - v - cv, cu, cv, colour); break;
        case TabSide::left: fill(hDC, r.left + v, r.top + u, cv, cu, colour); break;
        case TabSide::right: fill(hDC, r.right - v - cv, r.top + u, cv, cu, colour); break;
      }
    };
    const int lead_outer = kHighlight, lead_inner = hot ? kLight : kFace;
    const int trail_outer = hot ? kDark : kShadow, trail_inner = hot ? kShadow : kFace;
    const bool end_like_leading = side == TabSide::top || side == TabSide::left;
    put(2, 0, len - 4, 1, end_like_leading ? lead_outer : trail_outer);
    put(2, 1, len - 4, 1, end_like_leading ? lead_inner : trail_inner);
    if (leading) {
      put(0, 2, 1, depth - 2, lead_outer);
      put(1, 2, 1, depth - 2, lead_inner);
      put(1, 1, 1, 1, lead_outer);
    }
    if (trailing) {
      put(len - 1, 2, 1, depth - 2, trail_outer);
      put(len - 2, 2, 1, depth - 2, trail_inner);
      put(len - 2, 1, 1, 1, trail_outer);
    }
  };
  for (int i = 0; i < count; ++i) {
    if (i == selected) continue;
    outline(item_rect(i), i == under, i != selected + 1, i != selected - 1);
  }
  if (!sel.IsRectEmpty()) {
    outline(sel, selected == under, true, true);
    if (selected > 0 && (side == TabSide::top || side == TabSide::bottom)) {
      const int h = sel.Height() + 2;
      const int top = side == TabSide::top ? origin.y + client.top : origin.y + client.bottom - h;
      fill(hDC, origin.x + client.left, top, 2, h, kFace);
    }
  }
}

// Toolbars without the flat style: the framework's tool bar tells its buttons.
namespace {
CToolBar* tool_bar_of(HWND h) { return dynamic_cast<CToolBar*>(CWnd::FromHandlePermanent(h)); }
}  // namespace

int CCoolControlsManager::CCMToolbar::ItemFromPoint(const POINT& point) {
  CToolBar* bar = tool_bar_of(m_hWnd);
  if (!bar) return -1;
  POINT p = point;
  ScreenToClient(m_hWnd, &p);
  for (int i = 0; i < bar->GetCount(); ++i) {
    if (bar->GetButtonStyle(i) & TBBS_SEPARATOR) continue;
    RECT r{};
    bar->GetItemRect(i, &r);
    if (CRect(r).PtInRect(p)) return i;
  }
  return -1;
}

BOOL CCoolControlsManager::CCMToolbar::NeedsRedraw(const POINT& point) {
  return CCMTabControl::NeedsRedraw(point);
}

void CCoolControlsManager::CCMToolbar::Draw(HDC hDC, const CRect&) {
  CToolBar* bar = tool_bar_of(m_hWnd);
  if (!bar) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const int under = (m_nState & dsHover) ? ItemFromPoint(cursor) : -1;
  m_nOldItem = under;
  const CPoint origin = client_origin(m_hWnd);
  for (int i = 0; i < bar->GetCount(); ++i) {
    const UINT style = bar->GetButtonStyle(i);
    if (style & TBBS_SEPARATOR) continue;
    RECT r{};
    bar->GetItemRect(i, &r);
    CRect item(r);
    item.OffsetRect(origin.x, origin.y);
    const bool checked = (style & TBBS_CHECKED) != 0, hot = i == under;
    if (checked && !hot) {
      frame2(hDC, item, kShadow, kHighlight, kFace, kFace);
    } else if (checked) {
      frame2(hDC, item, kDark, kHighlight, kShadow, kShadow);
    } else if (hot && !(style & TBBS_DISABLED)) {
      frame2(hDC, item, kHighlight, kDark, kLight, kShadow);
    } else {
      frame2(hDC, item, kHighlight, kShadow, kFace, kFace);
    }
  }
}

// Address fields: the focus of any field counts.
LRESULT CCoolControlsManager::CCMIPAddress::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_COMMAND && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS)) {
    DrawControl();
    return CallOld(uMsg, wParam, lParam);
  }
  return CCMControl::WindowProc(uMsg, wParam, lParam);
}

BOOL CCoolControlsManager::CCMIPAddress::HasFocus() {
  HWND focus = GetFocus();
  return focus && (focus == m_hWnd || IsChild(m_hWnd, focus));
}
