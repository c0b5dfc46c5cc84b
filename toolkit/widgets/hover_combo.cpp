#include "toolkit/widgets/hover_combo.h"

#include "platform/framework/control_messages.h"
#include "platform/win/messages.h"
#include "platform/win/mouse_tracking.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/toolkit_globals.h"

IMPLEMENT_DYNAMIC(SECHoverComboBox, CComboBox)
IMPLEMENT_DYNAMIC(SECToolBarComboHost, SECWndBtn)

SECHoverComboBox* SECHoverComboBox::s_pFocused = nullptr;

namespace hover_combo {

std::vector<BorderRect> BorderRects(SECHoverBorder kind, const CRect& client, int buttonWidth, BOOL bEnabled) {
  const SECToolkitGlobals& g = secData();
  std::vector<BorderRect> out;
  if (kind == SECHoverBorder::flat) {
    out.push_back({client, g.clrBtnFace, g.clrBtnFace});
  } else {
    out.push_back({client, g.clrBtnShadow, g.clrBtnHilite});
  }
  CRect ring(client);
  ring.DeflateRect(1, 1);
  const COLORREF inner = bEnabled ? g.clrBtnFace : g.clrBtnHilite;
  out.push_back({ring, inner, inner});
  // The drop-down button's own bevels give way to the face.
  CRect button(ring.right - 1 - buttonWidth, ring.top + 1, ring.right - 1, ring.bottom - 1);
  out.push_back({button, g.clrBtnFace, g.clrBtnFace});
  CRect inside(button);
  inside.DeflateRect(1, 1);
  out.push_back({inside, g.clrBtnFace, g.clrBtnFace});
  if (!bEnabled) return out;
  CRect around(button.left, button.top - 1, button.right, button.bottom + 1);
  switch (kind) {
    case SECHoverBorder::flat: {
      out.push_back({around, g.clrBtnHilite, g.clrBtnHilite});
      CRect wider(around);
      wider.left -= 1;
      out.push_back({wider, g.clrBtnHilite, g.clrBtnHilite});
      break;
    }
    case SECHoverBorder::raised:
      out.push_back({around, g.clrBtnHilite, g.clrBtnShadow});
      break;
    case SECHoverBorder::pressed:
      around.OffsetRect(1, 1);
      out.push_back({around, g.clrBtnShadow, g.clrBtnHilite});
      break;
  }
  return out;
}

}  // namespace hover_combo

// --- The hover combo box ---------------------------------------------------------------------------

SECHoverComboBox::SECHoverComboBox() = default;

SECHoverComboBox::~SECHoverComboBox() {
  if (s_pFocused == this) s_pFocused = nullptr;
}

SECHoverBorder SECHoverComboBox::CurrentBorder() const {
  if (m_bLBtnDown && m_bHovered) return SECHoverBorder::pressed;
  if (m_bHovered || s_pFocused == this) return SECHoverBorder::raised;
  return SECHoverBorder::flat;
}

void SECHoverComboBox::DrawBorder(SECHoverBorder kind) {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  CClientDC dc(this);
  for (const hover_combo::BorderRect& r : hover_combo::BorderRects(kind, client, GetSystemMetrics(SM_CXVSCROLL),
                                                                    IsWindowEnabled())) {
    dc.Draw3dRect(&r.rect, r.topLeft, r.bottomRight);
  }
}

void SECHoverComboBox::OnHoverMove(HWND from) {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, from, 0};
  TrackMouseEvent(&track);
  if (m_bHovered) return;
  m_bHovered = TRUE;
  DrawBorder(CurrentBorder());
}

void SECHoverComboBox::OnHoverLeave() {
  if (!m_bHovered || !m_hWnd) return;
  // Moving between the box and its edit field leaves one window for the other.
  POINT cursor;
  GetCursorPos(&cursor);
  CRect window;
  GetWindowRect(&window);
  if (window.PtInRect(cursor)) return;
  m_bHovered = FALSE;
  DrawBorder(CurrentBorder());
}

void SECHoverComboBox::SetButtonDown(BOOL bDown) {
  m_bLBtnDown = bDown;
  DrawBorder(CurrentBorder());
}

BOOL SECHoverComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    const UINT code = HIWORD(wParam);
    if (code == CBN_SETFOCUS) {
      s_pFocused = this;
      DrawBorder(SECHoverBorder::raised);
    } else if (code == CBN_KILLFOCUS) {
      if (s_pFocused == this) s_pFocused = nullptr;
      DrawBorder(CurrentBorder());
    }
  }
  // The parent sees the notification too.
  return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT SECHoverComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      OnHoverMove(m_hWnd);
      break;
    case WM_MOUSELEAVE:
      OnHoverLeave();
      return 0;
    case WM_LBUTTONDOWN: {
      LRESULT r = CComboBox::WindowProc(message, wParam, lParam);
      if (m_hWnd) SetButtonDown(TRUE);
      return r;
    }
    case WM_LBUTTONUP: {
      m_bLBtnDown = FALSE;
      LRESULT r = CComboBox::WindowProc(message, wParam, lParam);
      if (m_hWnd) Invalidate(FALSE);
      return r;
    }
    case WM_PAINT: {
      LRESULT r = CComboBox::WindowProc(message, wParam, lParam);
      DrawBorder(CurrentBorder());
      return r;
    }
    case WM_DESTROY:
      if (s_pFocused == this) s_pFocused = nullptr;
      m_bHovered = m_bLBtnDown = FALSE;
      break;
    default:
      break;
  }
  return CComboBox::WindowProc(message, wParam, lParam);
}

// --- The toolbar's combo box -------------------------------------------------------------------------

namespace {

SECStdBtn* CreateComboHost() { return new SECToolBarComboHost; }

bool IsMouseClick(UINT message) {
  switch (message) {
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

}  // namespace

const SECButtonClass SECToolBarComboHost::buttonClassSECToolBarComboHost = {&CreateComboHost};

SECToolBarComboHost::SECToolBarComboHost() : m_combo(this), m_edit(this) { m_nType = SEC_BTNTYPE_COMBO; }

SECToolBarComboHost::~SECToolBarComboHost() {
  if (m_edit.m_hWnd) m_edit.UnsubclassWindow();
  if (m_combo.m_hWnd) m_combo.DestroyWindow();
}

BOOL SECToolBarComboHost::CreateWnd(CWnd* pParentBar, DWORD dwStyle, const CRect& rect, UINT nID) {
  if (!(dwStyle & 0x3)) dwStyle |= CBS_DROPDOWNLIST;
  if (!m_combo.Create(dwStyle, rect, pParentBar, nID)) return FALSE;
  if (!(dwStyle & CBS_DROPDOWN)) return TRUE;
  CWnd* edit = m_combo.GetWindow(GW_CHILD);
  if (!edit || !edit->m_hWnd) return TRUE;
  m_edit.SubclassWindow(edit->m_hWnd);
  SetDefaultFont();
  RecalcSize();
  return TRUE;
}

void SECToolBarComboHost::SetDefaultFont() {
  m_font.DeleteObject();
  if (!m_font.CreatePointFont(80, "MS Sans Serif")) return;
  m_combo.SetFont(&m_font, TRUE);
}

void SECToolBarComboHost::SendKeyNotice(UINT nCode) {
  CWnd* owner = m_pToolBar ? m_pToolBar->GetBarOwner() : nullptr;
  if (!owner || !owner->m_hWnd) return;
  owner->SendMessage(SECToolBarWndNotifyMessage(), MAKEWPARAM(m_combo.GetDlgCtrlID(), nCode),
                     reinterpret_cast<LPARAM>(m_combo.m_hWnd));
}

BOOL SECToolBarComboHost::HostedMessage(CWnd* pFrom, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  if (message == WM_LBUTTONDOWN) {
    CPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (pFrom != &m_combo) pFrom->MapWindowPoints(&m_combo, &p, 1);
    return OnHostedLButtonDown(UINT(wParam), p.x, p.y);
  }
  if (IsMouseClick(message)) return IsBarCustomizing();
  if (message == WM_SETCURSOR) {
    POINT p;
    GetCursorPos(&p);
    m_combo.ScreenToClient(&p);
    result = HandleSetCursor(p);
    return BOOL(result);
  }
  // Enter and Escape go to the bar's owner, unless they close the dropped list.
  const bool key = message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE);
  const bool typed = message == WM_CHAR && (wParam == '\r' || wParam == 0x1B);
  if ((key || typed) && !m_combo.SendMessage(CB_GETDROPPEDSTATE)) {
    const bool repeat = (lParam & 0x40000000) != 0;
    if (key && wParam == VK_ESCAPE) {
      SendKeyNotice(SEC_COMBO_ESCAPE);
    } else if (key && !repeat) {
      SendKeyNotice(SEC_COMBO_ENTER);
    }
    return TRUE;
  }
  return FALSE;
}

LRESULT SECToolBarComboHost::HostedCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (m_pHost->HostedMessage(this, message, wParam, lParam, result)) return result;
  if (message == WM_PAINT) {
    const BOOL selected = (m_pHost->GetStyle() & SEC_TBBS_SELECTED) != 0;
    if (selected) m_pHost->InvalidateHostedWnd();
    LRESULT r = SECHoverComboBox::WindowProc(message, wParam, lParam);
    if (selected) m_pHost->DrawSizingFrame();
    return r;
  }
  return SECHoverComboBox::WindowProc(message, wParam, lParam);
}

LRESULT SECComboEditSubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (m_pHost->HostedMessage(this, message, wParam, lParam, result)) return result;
  SECHoverComboBox& combo = m_pHost->Combo();
  if (message == WM_MOUSEMOVE) combo.OnHoverMove(m_hWnd);
  if (message == WM_MOUSELEAVE) {
    combo.OnHoverLeave();
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
