#include "toolkit/frame/sec_control_bar.h"

#include <algorithm>
#include <set>

#include "platform/framework/dock_bar.h"
#include "platform/framework/dock_context.h"
#include "platform/framework/menu.h"
#include "platform/framework/mini_frame.h"
#include "platform/res/resource_store.h"
#include "platform/win/mouse_tracking.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/control_bar_manager.h"
#include "toolkit/frame/sec_dock_bar.h"
#include "toolkit/frame/sec_dock_context.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/toolkit_globals.h"

CSize SECControlBarDefaultSize::value{300, 180};

namespace {

constexpr UINT IDS_CLOSE_TIP = 20655;
constexpr UINT IDS_EXPAND_TIP = 20657;
constexpr UINT IDS_RESTORE_TIP = 20658;

int sum(const int (&parts)[5]) {
  int total = 0;
  for (int p : parts) total += p;
  return total;
}

}  // namespace

// --- Geometry -----------------------------------------------------------------------------------

namespace barlayout {

CRect CloseButtonRect(CRect& strip, BOOL bHorz) {
  CRect button;
  if (bHorz) {
    button.left = std::max(0, int(strip.left) + 4 - 2);
    button.right = std::min(int(strip.right), int(strip.right) - 6 + 2);
    button.top = strip.top;
    button.bottom = button.top + button.Width();
    strip.top = button.bottom + 2;
  } else {
    button.top = std::max(0, int(strip.top) + 4 - 2);
    button.bottom = std::min(int(strip.bottom), int(strip.bottom) - 6 + 2);
    button.right = strip.right;
    button.left = button.right - button.Height();
    strip.right = button.left - 2;
  }
  return button;
}

CRect ScaleChild(const CRect& child, CSize reference, CSize inside, CPoint origin) {
  // Records are taken at a real size only, so the reference is never empty; a guard all the same.
  const int refX = std::max(1, int(reference.cx)), refY = std::max(1, int(reference.cy));
  return CRect(int(inside.cx) * child.left / refX + origin.x, int(inside.cy) * child.top / refY + origin.y,
               int(inside.cx) * child.right / refX + origin.x, int(inside.cy) * child.bottom / refY + origin.y);
}

int CommitLength(int nLength, DWORD nMode, float share) {
  return (nMode & LM_STRETCH) ? int(float(nLength) * share) : nLength;
}

}  // namespace barlayout

// --- Metrics --------------------------------------------------------------------------------------

SECBarMetrics::SECBarMetrics() {
  AfxLoadString(IDS_CLOSE_TIP, m_strCloseTip);
  AfxLoadString(IDS_EXPAND_TIP, m_strExpandTip);
  AfxLoadString(IDS_RESTORE_TIP, m_strRestoreTip);
}

int SECBarMetrics::GetHorzExtent() const { return sum(m_horz); }

int SECBarMetrics::GetVertExtent() const { return sum(m_vert); }

// --- The bar --------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_CONTEXTMENU()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_COMMAND(ID_SECBAR_TOGGLE_DOCKING, &SECControlBar::OnToggleDocking)
  ON_COMMAND(ID_SECBAR_HIDE, &SECControlBar::OnHideBar)
  ON_COMMAND(ID_SECBAR_FLOAT_IN_MAIN, &SECControlBar::OnFloatInMainWindow)
END_MESSAGE_MAP()

SECControlBar::SECControlBar() = default;

SECControlBar::~SECControlBar() {
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

BOOL SECControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                           CCreateContext* pContext) {
  return Create(nullptr, lpszWindowName, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd, nID, pContext);
}

BOOL SECControlBar::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  m_dwStyle = dwStyle & CBRS_ALL;
  m_dwExStyle = dwExStyle;
  if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle & ~CBRS_ALL, rect, pParentWnd, nID, pContext)) return FALSE;
  if (m_dwExStyle & BAREX_SCALE_CHILDREN) RecordChildren();
  m_szFloat = m_szHorzDock = m_szVertDock = SECControlBarDefaultSize::value;
  return TRUE;
}

UINT SECControlBar::GetUniqueBarId(CFrameWnd* pFrame, UINT nFirst) {
  if (!pFrame) return nFirst;
  std::set<UINT> used;
  for (CControlBar* bar : pFrame->m_listControlBars) {
    if (bar && bar->m_hWnd) used.insert(UINT(bar->GetDlgCtrlID()));
  }
  for (UINT id = nFirst; id < nFirst + 1000; ++id) {
    if (!used.count(id)) return id;
  }
  return 0;
}

SECDockBar* SECControlBar::GetSECDockBar() const { return dynamic_cast<SECDockBar*>(m_pDockBar); }

CWnd* SECControlBar::GetMDIChildFrame() const {
  const SECDockBar* dock = GetSECDockBar();
  return dock ? dock->m_pMDIChild : nullptr;
}

void SECControlBar::GetBarInfo(CControlBarInfo* pInfo) {
  CControlBar::GetBarInfo(pInfo);
  if (auto* record = dynamic_cast<SECBarStateRecord*>(pInfo)) GetBarInfoEx(record);
}

void SECControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  CControlBar::SetBarInfo(pInfo, pFrameWnd);
  if (auto* record = dynamic_cast<SECBarStateRecord*>(pInfo)) SetBarInfoEx(record, pFrameWnd);
}

void SECControlBar::GetBarInfoEx(SECBarStateRecord* pInfo) {
  if (!pInfo) return;
  pInfo->m_szHorzDock = m_szHorzDock;
  pInfo->m_szVertDock = m_szVertDock;
  pInfo->m_szFloat = m_szFloat;
  pInfo->m_dwMRUDockingState = m_dwMRUDockingState;
  pInfo->m_dwDockStyle = m_dwDockStyle;
  pInfo->m_fPctWidth = m_fPctWidth;
  pInfo->m_dwStyle = m_dwStyle;
  pInfo->m_dwExStyle = m_dwExStyle;
  pInfo->m_bPrevFloating = IsFloating();
  pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
  if (m_hWnd) GetWindowText(pInfo->m_strWindowName);
  if (pInfo->m_pManager) pInfo->m_dwTypeID = pInfo->m_pManager->GetBarTypeID(this);
}

void SECControlBar::SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd*) {
  if (!pInfo) return;
  auto keep = [](CSize& mine, CSize saved) {
    if (saved.cx > 0 && saved.cy > 0) mine = saved;
  };
  keep(m_szHorzDock, pInfo->m_szHorzDock);
  keep(m_szVertDock, pInfo->m_szVertDock);
  keep(m_szFloat, pInfo->m_szFloat);
  m_dwMRUDockingState = pInfo->m_dwMRUDockingState;
  if (pInfo->m_fPctWidth > 0.0f) m_fPctWidth = pInfo->m_fPctWidth;
  if (pInfo->m_dwDockStyle) m_dwDockStyle = pInfo->m_dwDockStyle & CBRS_ALIGN_ANY;
  m_dwExStyle = pInfo->m_dwExStyle;
}

CDockContext* SECControlBar::CreateDockContext() { return new SECBarDockContext(this); }

void SECControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext) m_pDockContext.reset(CreateDockContext());
  if (!GetOwner() && GetParent()) SetOwner(GetParent());
}

void SECControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bGripper) const {
  if (!(m_dwExStyle & BAREX_FLAT)) {
    CControlBar::CalcInsideRect(rect, bHorz);
    return;
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += 1;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += 1;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= 1;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
  const bool gripper = IsDocked() && (m_dwExStyle & BAREX_GRIPPER);
  CSize extent(0, 0);
  if (bHorz) {
    rect.left += gripper ? AddGripperExtent(extent, TRUE) : m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    // An upright bar turns its borders a quarter.
    rect.left += m_cyTopBorder;
    rect.top += gripper && bGripper ? AddGripperExtent(extent, FALSE) : m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

void SECControlBar::EraseNonClient() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  dc.ExcludeClipRect(&client);
  window.OffsetRect(-window.left, -window.top);
  DrawBorders(&dc, window);
  dc.IntersectClipRect(&window);
  SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
}

void SECControlBar::InsideOf(CSize client, CPoint& origin, CSize& inside) const {
  origin = CPoint(0, 0);
  inside = client;
  const int inset = m_metrics.m_inset;
  if (m_dwExStyle & BAREX_GRIPPER) {
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
      origin = CPoint(m_metrics.GetHorzExtent(), inset);
      inside.cx -= inset + m_metrics.GetHorzExtent();
      inside.cy -= 2 * inset;
    } else {
      origin = CPoint(inset, m_metrics.GetVertExtent());
      inside.cx -= 2 * inset;
      inside.cy -= inset + m_metrics.GetVertExtent();
    }
  } else if (m_dwExStyle & BAREX_MARGIN) {
    origin = CPoint(m_rectMargin.left, m_rectMargin.top);
    inside.cx -= m_rectMargin.left + m_rectMargin.right;
    inside.cy -= m_rectMargin.top + m_rectMargin.bottom;
  }
  inside.cx = std::max(LONG(0), inside.cx);
  inside.cy = std::max(LONG(0), inside.cy);
}

void SECControlBar::GetInsideRect(CRect& rect) const {
  GetClientRect(&rect);
  const int inset = m_metrics.m_inset;
  if (IsDocked() && (m_dwExStyle & BAREX_GRIPPER)) {
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
      rect.left += m_metrics.GetHorzExtent();
      rect.top += inset;
    } else {
      rect.top += m_metrics.GetVertExtent();
      rect.left += inset;
    }
    rect.right -= inset;
    rect.bottom -= inset;
  } else if (m_dwExStyle & BAREX_MARGIN) {
    rect.DeflateRect(m_rectMargin.left, m_rectMargin.top, m_rectMargin.right, m_rectMargin.bottom);
  }
}

void SECControlBar::RecordChildren() {
  m_children.clear();
  CRect client;
  GetClientRect(&client);
  // A bar made with an empty rectangle has no size to scale from yet: the records wait for the
  // first real size.
  m_bChildrenPending = client.IsRectEmpty();
  if (m_bChildrenPending) return;
  m_children.push_back({nullptr, client});
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CRect r;
    ::GetWindowRect(child, &r);
    ScreenToClient(&r);
    m_children.push_back({child, r});
  }
}

void SECControlBar::ScaleChildren(CPoint origin, CSize inside) {
  const CSize reference = m_children.front().rect.Size();
  for (size_t i = 1; i < m_children.size(); ++i) {
    if (!::IsWindow(m_children[i].hWnd)) continue;
    CRect r = barlayout::ScaleChild(m_children[i].rect, reference, inside, origin);
    if (m_dwExStyle & BAREX_MARGIN) r.OffsetRect(m_rectMargin.left, m_rectMargin.top);
    ::SetWindowPos(m_children[i].hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (IsFloating()) Invalidate();
}

void SECControlBar::OnSize(UINT nType, int cx, int cy) {
  if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) {
    if ((m_dwExStyle & BAREX_SCALE_CHILDREN) && m_bChildrenPending) RecordChildren();
    CPoint origin;
    CSize inside;
    InsideOf(CSize(cx, cy), origin, inside);
    if ((m_dwExStyle & BAREX_SCALE_CHILDREN) && !m_children.empty()) {
      ScaleChildren(origin, inside);
    } else if ((m_dwExStyle & BAREX_FIT_CHILD) && !IsFloating()) {
      if (HWND child = ::GetWindow(m_hWnd, GW_CHILD)) {
        ::SetWindowPos(child, nullptr, origin.x, origin.y, inside.cx, inside.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  }
  Default();
}

void SECControlBar::SetExStyle(DWORD dwExStyle, BOOL bRecalc) {
  if (IsFloating()) {
    if (CWnd* frame = m_pDockBar ? m_pDockBar->GetParent() : nullptr) {
      if (dwExStyle & BAREX_FIXED_SIZE) {
        frame->ModifyStyle(MFS_THICKFRAME | WS_THICKFRAME, MFS_4THICKFRAME);
      } else {
        frame->ModifyStyle(MFS_4THICKFRAME, MFS_THICKFRAME | WS_THICKFRAME);
      }
    }
  }
  const bool had = (m_dwExStyle & BAREX_SCALE_CHILDREN) != 0, has = (dwExStyle & BAREX_SCALE_CHILDREN) != 0;
  if (had != has && m_hWnd) {
    if (has) {
      m_dwExStyle = dwExStyle;
      RecordChildren();
    } else {
      m_children.clear();
      m_bChildrenPending = false;
    }
  }
  if (dwExStyle != m_dwExStyle && bRecalc && m_hWnd) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_dwExStyle = dwExStyle;
}

void SECControlBar::ModifyExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRecalc) {
  SetExStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRecalc);
}

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL bHorz) { return bHorz ? m_szHorzDock : m_szVertDock; }

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nMode & LM_COMMIT) {
    const int length = barlayout::CommitLength(nLength, nMode, m_fPctWidth);
    CSize& size = (nMode & LM_HORZDOCK) ? m_szHorzDock : (nMode & LM_VERTDOCK) ? m_szVertDock : m_szFloat;
    if (nMode & LM_LENGTHY) {
      size.cy = length;
    } else {
      size.cx = length;
      if (!(nMode & (LM_HORZDOCK | LM_VERTDOCK))) m_nMRUWidth = length;
    }
  }
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout(nMode & LM_STRETCH, (nMode & LM_HORZ) != 0);
  return m_szFloat;
}

int SECControlBar::AddGripperExtent(CSize& size, BOOL bHorz) const {
  const int amount = bHorz ? m_metrics.GetHorzExtent() : m_metrics.GetVertExtent();
  (bHorz ? size.cx : size.cy) += amount;
  return amount;
}

// --- Painting -------------------------------------------------------------------------------------

void SECControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if (IsFloating()) return;
  CRect strip = rect;
  strip.DeflateRect(1, 1);
  const int inset = m_metrics.m_inset;
  const COLORREF light = secData().clrBtnHilite, dark = secData().clrBtnShadow;
  const BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  if (horz) {
    strip.right = strip.left + m_metrics.GetHorzExtent();
    strip.DeflateRect(0, inset);
  } else {
    strip.bottom = strip.top + m_metrics.GetVertExtent();
    strip.DeflateRect(inset, 0);
  }
  if (m_dwExStyle & BAREX_CLOSE_BUTTON) LayoutCloseButton(pDC, strip, horz);
  if (m_dwExStyle & BAREX_EXPAND_BUTTON) LayoutExpandButton(pDC, strip, horz);
  if (strip.IsRectEmpty()) return;
  if (horz) {
    pDC->Draw3dRect(strip.left + 4, strip.top, 3, strip.Height(), light, dark);
    pDC->Draw3dRect(strip.left + 8, strip.top, 3, strip.Height(), light, dark);
  } else {
    pDC->Draw3dRect(strip.left, strip.top + 4, strip.Width(), 3, light, dark);
    pDC->Draw3dRect(strip.left, strip.top + 8, strip.Width(), 3, light, dark);
  }
}

void SECControlBar::LayoutCloseButton(CDC* pDC, CRect& strip, BOOL bHorz) {
  m_rectClose = barlayout::CloseButtonRect(strip, bHorz);
  DrawCloseButton(pDC);
}

void SECControlBar::LayoutExpandButton(CDC* pDC, CRect& strip, BOOL bHorz) {
  m_rectExpand = barlayout::CloseButtonRect(strip, bHorz);
  UpdateExpandButton(bHorz);
  DrawExpandButton(pDC);
}

void SECControlBar::UpdateExpandButton(BOOL bHorz) {
  m_bButtonsHorz = bHorz;
  SECDockBar* dock = GetSECDockBar();
  m_bNotExpanded = dock ? !dock->IsBarExpanded(this) : TRUE;
  m_bExpandEnabled = dock ? !dock->IsBarAloneInRow(this) : FALSE;
}

void SECControlBar::DrawCloseButton(CDC* pDC) {
  CRect r = m_rectClose;
  pDC->DrawFrameControl(&r, DFC_CAPTION, DFCS_CAPTIONCLOSE | (m_bClosePressed ? DFCS_PUSHED : 0));
}

void SECControlBar::DrawCloseButtonPressed(CDC* pDC) { DrawCloseButton(pDC); }

void SECControlBar::DrawExpandButton(CDC* pDC) {
  CRect r = m_rectExpand;
  r.left -= 1;
  r.top -= 1;
  UINT state = m_bButtonsHorz ? (m_bNotExpanded ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                              : (m_bNotExpanded ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
  if (!m_bExpandEnabled) {
    state |= DFCS_INACTIVE;
  } else if (m_bExpandPressed) {
    state |= DFCS_PUSHED;
  }
  pDC->DrawFrameControl(&r, DFC_SCROLL, state);
}

void SECControlBar::DrawExpandButtonPressed(CDC* pDC) { DrawExpandButton(pDC); }

void SECControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  const DWORD borders = m_dwStyle & CBRS_BORDER_ANY;
  if (!borders) return;
  const SECToolkitGlobals& g = secData();
  if (m_dwExStyle & BAREX_FLAT) {
    if (borders & CBRS_BORDER_LEFT) rect.left += 1;
    if (borders & CBRS_BORDER_TOP) rect.top += 1;
    if (borders & CBRS_BORDER_RIGHT) rect.right -= 1;
    if (borders & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
    if (m_dwExStyle & BAREX_GRIPPER) DrawGripper(pDC, rect);
    return;
  }
  const bool fixedRow = (m_dwExStyle & BAREX_FIXED_ROW) != 0;
  const COLORREF dark = fixedRow ? (g.bWin4 ? g.clrBtnShadow : g.clrWindowFrame) : g.clrBtnFace;
  const COLORREF light = fixedRow ? g.clrBtnHilite : g.clrBtnFace;
  const bool threeD = (m_dwStyle & CBRS_BORDER_3D) != 0;
  const int right = rect.right - (threeD ? 1 : 0), bottom = rect.bottom - (threeD ? 1 : 0);
  if (borders & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), dark);
  if (borders & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, dark);
  if (borders & CBRS_BORDER_RIGHT) pDC->FillSolidRect(right - 1, rect.top, 1, rect.Height(), dark);
  if (borders & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, bottom - 1, rect.Width(), 1, dark);
  if (threeD) {
    if (borders & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
    if (borders & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
    if (borders & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
    if (borders & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
  }
  if (borders & CBRS_BORDER_LEFT) rect.left += g.cxBorder;
  if (borders & CBRS_BORDER_TOP) rect.top += g.cyBorder;
  if (borders & CBRS_BORDER_RIGHT) rect.right -= g.cxBorder;
  if (borders & CBRS_BORDER_BOTTOM) rect.bottom -= g.cyBorder;
}

void SECControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  if (!(m_dwExStyle & BAREX_FLAT) && (m_dwExStyle & BAREX_GRIPPER)) DrawGripper(pDC, rect);
  if (m_hWndRepaint && ::IsWindow(m_hWndRepaint)) {
    ::RedrawWindow(m_hWndRepaint, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

BOOL SECControlBar::OnEraseBkgnd(CDC* pDC) {
  // The face colour under the children, the margin and the gripper alike.
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, secData().clrBtnFace);
  return TRUE;
}

void SECControlBar::RedrawButtons() {
  if (!IsDocked() || !(m_dwExStyle & BAREX_GRIPPER)) return;
  CClientDC dc(this);
  if (m_dwExStyle & BAREX_CLOSE_BUTTON) DrawCloseButton(&dc);
  if ((m_dwExStyle & BAREX_EXPAND_BUTTON) && !m_rectExpand.IsRectEmpty()) DrawExpandButton(&dc);
}

// --- Mouse ----------------------------------------------------------------------------------------

void SECControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const bool onClose = (m_dwExStyle & BAREX_CLOSE_BUTTON) && m_rectClose.PtInRect(point);
  const bool onExpand = (m_dwExStyle & BAREX_EXPAND_BUTTON) && m_bExpandEnabled && m_rectExpand.PtInRect(point);
  if (onClose || onExpand) {
    BOOL& pressed = onClose ? m_bClosePressed : m_bExpandPressed;
    if (IsFloating()) {
      pressed = FALSE;
    } else if (!pressed && (onClose ? CanClose() : CanExpand())) {
      pressed = TRUE;
      RedrawButtons();
      SetCapture();
    }
    return;
  }
  if (m_bClosePressed || m_bExpandPressed) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    RedrawButtons();
  }
  if (m_pDockContext && (IsDocked() || IsFloating())) {
    CControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  Default();
}

void SECControlBar::OnLButtonUp(UINT, CPoint point) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (m_bClosePressed && m_rectClose.PtInRect(point)) {
    m_bClosePressed = FALSE;
    RedrawButtons();
    SendMessage(WM_COMMAND, ID_SECBAR_HIDE);
    return;
  }
  if (m_bExpandPressed && m_bExpandEnabled && m_rectExpand.PtInRect(point)) {
    m_bExpandPressed = FALSE;
    RedrawButtons();
    if (SECDockBar* dock = GetSECDockBar()) dock->ExpandBar(this, m_bNotExpanded ? 1 : 2);
    return;
  }
  if (m_bClosePressed || m_bExpandPressed) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    RedrawButtons();
  }
  Default();
}

void SECControlBar::OnMouseMove(UINT, CPoint point) {
  // A held button shows pressed only while the mouse is over it.
  if (::GetCapture() == m_hWnd && (m_bClosePressed || m_bExpandPressed)) {
    CClientDC dc(this);
    // Drawn released while the mouse is off the held button; the press itself stays.
    BOOL& held = m_bClosePressed ? m_bClosePressed : m_bExpandPressed;
    const CRect& button = m_bClosePressed ? m_rectClose : m_rectExpand;
    held = button.PtInRect(point);
    if (&held == &m_bClosePressed) {
      DrawCloseButton(&dc);
    } else {
      DrawExpandButton(&dc);
    }
    held = TRUE;
  } else if (!m_bTrackingLeave && (m_dwExStyle & (BAREX_CLOSE_BUTTON | BAREX_EXPAND_BUTTON))) {
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    m_bTrackingLeave = ::TrackMouseEvent(&tme) != FALSE;
  }
  Default();
}

void SECControlBar::OnMouseLeave() {
  m_bTrackingLeave = false;
  // A press that lost its capture (another window took the mouse) leaves the buttons released.
  if (::GetCapture() != m_hWnd && (m_bClosePressed || m_bExpandPressed)) {
    m_bClosePressed = m_bExpandPressed = FALSE;
    RedrawButtons();
  }
}

void SECControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const bool onClose = (m_dwExStyle & BAREX_CLOSE_BUTTON) && m_rectClose.PtInRect(point);
  const bool onExpand = (m_dwExStyle & BAREX_EXPAND_BUTTON) && m_rectExpand.PtInRect(point);
  if (onClose || onExpand) return;
  if (m_pDockContext && (IsDocked() || IsFloating())) {
    CControlBar::OnLButtonDblClk(nFlags, point);
    return;
  }
  Default();
}

INT_PTR SECControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (!(m_dwStyle & CBRS_TOOLTIPS)) return -1;
  INT_PTR hit = CControlBar::OnToolHitTest(point, pTI);
  if (hit != -1 || !IsDocked()) return hit;
  const CString* tip = nullptr;
  CRect rect;
  UINT id = 0;
  if ((m_dwExStyle & BAREX_CLOSE_BUTTON) && m_rectClose.PtInRect(point)) {
    tip = &m_metrics.m_strCloseTip;
    rect = m_rectClose;
    id = SECBAR_CLOSE_TOOL;
  } else if ((m_dwExStyle & BAREX_EXPAND_BUTTON) && m_rectExpand.PtInRect(point)) {
    tip = m_bNotExpanded ? &m_metrics.m_strExpandTip : &m_metrics.m_strRestoreTip;
    rect = m_rectExpand;
    id = SECBAR_EXPAND_TOOL;
  }
  if (!tip) return -1;
  if (pTI) {
    pTI->hwnd = m_hWnd;
    pTI->uId = id;
    pTI->rect = rect;
    pTI->lpszText = const_cast<char*>(static_cast<const char*>(*tip));
  }
  return INT_PTR(id);
}

// --- Context menu and commands --------------------------------------------------------------------

void SECControlBar::ExtendContextMenu(CMenu*) {}

void SECControlBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (!(m_dwExStyle & BAREX_CONTEXT_MENU)) {
    Default();
    return;
  }
  CMenu menu;
  if (!menu.CreatePopupMenu()) return;
  CString dock, hide;
  AfxLoadString(ID_SECBAR_TOGGLE_DOCKING, dock);
  AfxLoadString(ID_SECBAR_HIDE, hide);
  menu.AppendMenu(MF_STRING | ((m_dwDockStyle & CBRS_ALIGN_ANY) ? MF_CHECKED : 0), ID_SECBAR_TOGGLE_DOCKING, dock);
  menu.AppendMenu(MF_STRING, ID_SECBAR_HIDE, hide);
  ExtendContextMenu(&menu);
  if (m_pDockContext && m_pDockContext->m_pDockSite) {
    m_pDockContext->m_pDockSite->SendMessage(WM_SECBAR_CONTEXTMENU, WPARAM(this), LPARAM(&menu));
  }
  if (point.x == -1 && point.y == -1) {
    CWnd* clicked = pWnd ? pWnd : this;
    CRect client;
    clicked->GetClientRect(&client);
    point = CPoint(client.Width() / 4, 10);
    clicked->ClientToScreen(&point);
  }
  menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void SECControlBar::OnToggleDocking() {
  if (m_dwDockStyle & CBRS_ALIGN_ANY) {
    m_dwMRUDockingState = m_dwDockStyle;
    if (m_pDockContext && IsDocked()) m_pDockContext->ToggleDocking();
    EnableDocking(0);
  } else {
    EnableDocking(m_dwMRUDockingState);
  }
}

void SECControlBar::OnHideBar() {
  if (CFrameWnd* frame = GetDockingFrame()) {
    frame->ShowControlBar(this, FALSE, FALSE);
  } else {
    ShowWindow(SW_HIDE);
  }
}

void SECControlBar::OnFloatInMainWindow() {
  if (auto* context = dynamic_cast<SECBarDockContext*>(m_pDockContext.get())) context->ToggleMDIFloat();
}

// --- Life ---------------------------------------------------------------------------------------

void SECControlBar::RequestFrameLayout() {
  CFrameWnd* frame = GetDockingFrame();
  // No layout is asked of a frame that is going away with its bars.
  if (frame && frame->m_hWnd && !::IsWindowBeingDestroyed(frame->m_hWnd)) frame->DelayRecalcLayout();
}

void SECControlBar::OnDestroy() {
  if (!dynamic_cast<CDockBar*>(this)) {
    if (SECDockBar* dock = GetSECDockBar()) dock->ForgetPendingBar(this);
  }
  m_children.clear();
  CControlBar::OnDestroy();
  RequestFrameLayout();
}
