#include "toolkit/frame/sec_tab_ctrl.h"

#include <algorithm>
#include <cstring>

#include "platform/win/cursors.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/sec_3d_tab_ctrl.h"
#include "toolkit/frame/toolkit_globals.h"

namespace {

// The repeat of a held scroll button.
constexpr UINT_PTR kRepeatTimer = 0x5EC1;
constexpr UINT kRepeatDelay = 300;
constexpr UINT kRepeatPeriod = 20;
// Pixels one step of the previous and next buttons moves the row.
constexpr int kScrollStep = 10;
// Extra width of a flat tab beyond its label.
constexpr int kLabelMargin = 20;

constexpr UINT kButtons[] = {tabgeom::kFirst, tabgeom::kPrev, tabgeom::kNext, tabgeom::kLast};

}  // namespace

IMPLEMENT_DYNCREATE(SECTab, CObject)

// --- The base ------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECTabControlBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabControlBase, CWnd)
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabControlBase::SECTabControlBase() = default;

SECTabControlBase::~SECTabControlBase() {
  if (m_hWnd) DestroyWindow();
}

BOOL SECTabControlBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS);
  if (!CWnd::Create(cls, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID)) return FALSE;
  m_tabs.clear();
  m_hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
  Initialize(dwStyle);
  return TRUE;
}

void SECTabControlBase::Initialize(DWORD) {}

std::unique_ptr<SECTab> SECTabControlBase::CreateNewTab() const { return std::make_unique<SECTab>(); }

void SECTabControlBase::ScrollToTab(int) {}

BOOL SECTabControlBase::ReplaceTabFont(CFont& font, const LOGFONT& lf, BOOL bActiveTabFont, BOOL bRedraw) {
  LOGFONT old{};
  font.GetLogFont(&old);
  font.DeleteObject();
  if (!font.CreateFontIndirect(&lf)) {
    font.CreateFontIndirect(&old);
    return FALSE;
  }
  RecalcLayout();
  if (bRedraw && m_hWnd) {
    if (bActiveTabFont && m_bActiveTab) {
      InvalidateTab(m_nActiveTab);
    } else {
      Invalidate();
    }
  }
  return TRUE;
}

void SECTabControlBase::LoadTabIcon(int, LPCTSTR, int, int) {}
void SECTabControlBase::LoadTabIcon(int, UINT, int, int) {}
void SECTabControlBase::SetTabIcon(int, HICON) {}
void SECTabControlBase::EnsureTabVisible(int) {}
void SECTabControlBase::InvalidateTab(int) {}

void SECTabControlBase::NotifyParent(UINT message, WPARAM wParam) const {
  if (!m_hWnd) return;
  if (HWND parent = ::GetParent(m_hWnd)) ::SendMessage(parent, message, wParam, 0);
}

int SECTabControlBase::PlaceTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  std::unique_ptr<SECTab> tab = CreateNewTab();
  tab->m_csLabel = lpszLabel ? lpszLabel : "";
  tab->m_bSelected = FALSE;
  tab->m_pClient = pClient;
  tab->m_dwExtra = dwExtra;
  tab->m_dwExtra2 = dwExtra2;
  nIndex = std::clamp(nIndex, 0, GetTabCount());
  m_tabs.insert(m_tabs.begin() + nIndex, std::move(tab));
  // The active tab keeps being active when a tab goes in before it.
  if (m_bActiveTab && nIndex <= m_nActiveTab) ++m_nActiveTab;
  return nIndex;
}

SECTab* SECTabControlBase::InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  return m_tabs[size_t(PlaceTab(nIndex, lpszLabel, pClient, dwExtra, dwExtra2))].get();
}

SECTab* SECTabControlBase::AddTab(LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  const int index = PlaceTab(GetTabCount(), lpszLabel, pClient, dwExtra, dwExtra2);
  RecalcLayout();
  InvalidateTab(index);
  return m_tabs[size_t(index)].get();
}

void SECTabControlBase::InvalidateFrom(int nIndex) {
  for (int i = std::max(0, nIndex); i < GetTabCount(); ++i) InvalidateTab(i);
}

void SECTabControlBase::RenameTab(int nIndex, LPCTSTR lpszLabel) {
  if (!Valid(nIndex)) return;
  InvalidateFrom(nIndex);
  m_tabs[size_t(nIndex)]->m_csLabel = lpszLabel ? lpszLabel : "";
  RecalcLayout();
  InvalidateFrom(nIndex);
}

void SECTabControlBase::DeleteTab(int nIndex) {
  if (!Valid(nIndex)) return;
  InvalidateFrom(nIndex);
  m_tabs.erase(m_tabs.begin() + nIndex);
  if (m_bActiveTab) {
    if (m_tabs.empty()) {
      m_bActiveTab = FALSE;
      m_nActiveTab = 0;
    } else if (nIndex < m_nActiveTab) {
      // The same tab stays active under its new index.
      --m_nActiveTab;
    } else if (nIndex == m_nActiveTab) {
      // The tab that takes its place (or the new last tab) becomes active, and the parent hears.
      m_bActiveTab = FALSE;
      ActivateTab(std::min(nIndex, GetTabCount() - 1));
    }
  }
  InvalidateFrom(nIndex);
  RecalcLayout();
}

void SECTabControlBase::ActivateTab(int nIndex) {
  if (!Valid(nIndex)) return;
  if (m_bActiveTab && m_nActiveTab == nIndex) return;
  if (m_bActiveTab && Valid(m_nActiveTab)) {
    m_tabs[size_t(m_nActiveTab)]->m_bSelected = FALSE;
    InvalidateTab(m_nActiveTab);
  }
  m_nActiveTab = nIndex;
  m_bActiveTab = TRUE;
  m_tabs[size_t(nIndex)]->m_bSelected = TRUE;
  ScrollToTab(nIndex);
  InvalidateTab(nIndex);
  EnsureTabVisible(nIndex);
  NotifyParent(WM_TABACTIVATE, WPARAM(nIndex));
}

void SECTabControlBase::NotifyActiveTabClicked() { NotifyParent(WM_TABRECLICK, WPARAM(m_nActiveTab)); }

void SECTabControlBase::SelectTab(int nIndex) {
  if (!Valid(nIndex)) return;
  m_tabs[size_t(nIndex)]->m_bSelected = TRUE;
  InvalidateTab(nIndex);
  NotifyParent(WM_TABACTIVATE, WPARAM(m_nActiveTab));
}

void SECTabControlBase::ClearSelection() {
  for (int i = 0; i < GetTabCount(); ++i) {
    if (m_tabs[size_t(i)]->m_bSelected) {
      m_tabs[size_t(i)]->m_bSelected = FALSE;
      InvalidateTab(i);
    }
  }
  m_bActiveTab = FALSE;
  NotifyParent(WM_TABSELCLEAR, 0);
}

BOOL SECTabControlBase::GetTabInfo(int nIndex, CString& label, BOOL& bSelected, CWnd*& pClient, DWORD& dwExtra,
                                   DWORD& dwExtra2) const {
  if (!Valid(nIndex)) return FALSE;
  const SECTab* tab = m_tabs[size_t(nIndex)].get();
  const auto* raised = dynamic_cast<const SEC3DTab*>(tab);
  label = raised ? raised->m_csFullLabel : tab->m_csLabel;
  bSelected = tab->m_bSelected;
  pClient = tab->m_pClient;
  dwExtra = tab->m_dwExtra;
  dwExtra2 = tab->m_dwExtra2;
  return TRUE;
}

BOOL SECTabControlBase::FindTab(const CWnd* pClient, int& nIndex) const {
  for (int i = GetTabCount() - 1; i >= 0; --i) {
    if (m_tabs[size_t(i)]->m_pClient == pClient) {
      nIndex = i;
      return TRUE;
    }
  }
  return FALSE;
}

BOOL SECTabControlBase::GetActiveTab(int& nIndex) const {
  nIndex = m_nActiveTab;
  return m_bActiveTab;
}

BOOL SECTabControlBase::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(m_hcurArrow);
  return TRUE;
}

void SECTabControlBase::OnDestroy() {
  m_tabs.clear();
  m_bActiveTab = FALSE;
  DestroyGdiObjects();
  CWnd::OnDestroy();
}

// --- Geometry of the flat strip ------------------------------------------------------------------------------

namespace tabgeom {

int TabLeft(const std::vector<int>& widths, int nIndex, int areaLeft, int offset) {
  int x = areaLeft + offset;
  for (int i = 0; i < nIndex && i < int(widths.size()); ++i) x += widths[size_t(i)] - kOverlap;
  return x;
}

std::vector<POINT> TabPolygon(int x, int width, int top, int bottom) {
  return {{x, top}, {x + kSlant, bottom}, {x + width - kSlant, bottom}, {x + width, top}};
}

ScrollState UpdateScroll(int offset, int tabCount, int lastRight, int clientRight) {
  if (tabCount <= 0) return {offset, kFirst | kPrev | kNext | kLast};
  UINT disabled = 0;
  if (lastRight + offset <= clientRight) {
    // Everything from the offset on fits: scroll back until the last tab ends at the edge, or to
    // the start.
    offset = std::min(0, clientRight - lastRight);
    disabled |= kNext | kLast;
  }
  if (offset >= 0) {
    offset = 0;
    disabled |= kFirst | kPrev;
  }
  return {offset, disabled};
}

int ButtonOffset(UINT button, int offset, int lastRight, int areaRight) {
  switch (button) {
    case kFirst: return 0;
    case kPrev: return offset + kScrollStep;
    case kNext: return offset - kScrollStep;
    case kLast: return offset + (areaRight - (lastRight + offset));
    default: return offset;
  }
}

int EnsureVisibleOffset(int offset, int left, int right, int areaLeft, int areaRight) {
  const int margin = (right - left) + 20 < areaRight - areaLeft ? 20 : 0;
  if (right + offset > areaRight) offset -= right + offset - (areaRight - margin);
  if (left + offset < areaLeft) offset += areaLeft + margin - (left + offset);
  return offset;
}

}  // namespace tabgeom

// --- The flat tab control ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SECTabControl, SECTabControlBase)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

SECTabControl::SECTabControl() = default;

SECTabControl::~SECTabControl() {
  if (m_hWnd) DestroyWindow();
}

void SECTabControl::Initialize(DWORD dwStyle) {
  m_nButtonMask = (dwStyle & TWS_SCROLL_ALL) ? (tabgeom::kFirst | tabgeom::kPrev | tabgeom::kNext | tabgeom::kLast)
                  : (dwStyle & TWS_SCROLL_PREVNEXT) ? (tabgeom::kPrev | tabgeom::kNext)
                                                     : 0;
  m_nTabHeight = m_cxButton = m_cyButton = ::GetSystemMetrics(SM_CYHSCROLL) + 1;
  DestroyGdiObjects();
  MakeFonts();
  m_brushes[0].CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  m_brushes[1].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
  m_brushes[2].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
  for (CPen& pen : m_pens) pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  for (COLORREF& c : m_clrText) c = RGB(0, 0, 0);
  m_nPressedButton = 0;
  m_nDisabledButtons = 0;
  UpdateScrollButtons();
}

void SECTabControl::MakeFonts() {
  LOGFONT lf{};
  lf.lfHeight = -(::GetSystemMetrics(SM_CYHSCROLL) - 1);
  lf.lfCharSet = EASTEUROPE_CHARSET;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(lf.lfFaceName, "Arial CE");
  for (int kind = 0; kind < 3; ++kind) {
    lf.lfWeight = kind == 2 ? FW_BOLD : FW_NORMAL;
    m_fonts[kind].CreateFontIndirect(&lf);
  }
}

void SECTabControl::DestroyGdiObjects() {
  for (CFont& f : m_fonts) f.DeleteObject();
  for (CPen& p : m_pens) p.DeleteObject();
  m_penShadow.DeleteObject();
  for (CBrush& b : m_brushes) b.DeleteObject();
}

BOOL SECTabControl::SetTabFont(CFont* pFont, int nKind, BOOL bRedraw) {
  if (nKind < 0 || nKind > 2 || !pFont) return FALSE;
  LOGFONT lf{};
  if (!pFont->GetLogFont(&lf)) return FALSE;
  return ReplaceTabFont(m_fonts[nKind], lf, nKind == 2, bRedraw);
}

void SECTabControl::RecalcLayout() {
  if (!m_tabs.empty()) {
    CClientDC dc(m_hWnd ? this : nullptr);
    CFont* old = dc.SelectObject(&m_fonts[2]);
    for (auto& tab : m_tabs) tab->m_nWidth = int(dc.GetTextExtent(tab->m_csLabel).cx) + kLabelMargin;
    dc.SelectObject(old);
  }
  UpdateScrollButtons();
}

SECTab* SECTabControl::InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pClient, DWORD dwExtra, DWORD dwExtra2) {
  const int index = PlaceTab(nIndex, lpszLabel, pClient, dwExtra, dwExtra2);
  RecalcLayout();
  InvalidateFrom(index);
  return m_tabs[size_t(index)].get();
}

std::vector<int> SECTabControl::Widths() const {
  std::vector<int> widths;
  widths.reserve(m_tabs.size());
  for (const auto& tab : m_tabs) widths.push_back(tab->m_nWidth);
  return widths;
}

CRect SECTabControl::GetTabArea() const {
  CRect area;
  GetClientRect(&area);
  int buttons = 0;
  for (UINT b : kButtons) {
    if (m_nButtonMask & b) ++buttons;
  }
  area.left += buttons * m_cxButton;
  return area;
}

CRect SECTabControl::GetButtonRect(UINT nButton) const {
  CRect client;
  GetClientRect(&client);
  int x = client.left;
  for (UINT b : kButtons) {
    if (!(m_nButtonMask & b)) continue;
    if (b == nButton) return CRect(x, client.top, x + m_cxButton, client.bottom);
    x += m_cxButton;
  }
  return CRect();
}

int SECTabControl::TabX(int nIndex) const {
  return tabgeom::TabLeft(Widths(), nIndex, GetTabArea().left, m_nScrollOffset);
}

int SECTabControl::LastRight() const {
  if (m_tabs.empty()) return GetTabArea().left;
  const int last = GetTabCount() - 1;
  return tabgeom::TabLeft(Widths(), last, GetTabArea().left, 0) + m_tabs.back()->m_nWidth;
}

BOOL SECTabControl::GetTabRgn(int nIndex, CRgn& rgn) const {
  if (!Valid(nIndex)) return FALSE;
  const CRect area = GetTabArea();
  const std::vector<POINT> poly =
      tabgeom::TabPolygon(TabX(nIndex), m_tabs[size_t(nIndex)]->m_nWidth, area.top, area.bottom);
  return rgn.CreatePolygonRgn(poly.data(), int(poly.size()), ALTERNATE);
}

int SECTabControl::TabFromPoint(CPoint point) const {
  if (!GetTabArea().PtInRect(point)) return -1;
  for (int i = 0; i < GetTabCount(); ++i) {
    CRgn rgn;
    if (GetTabRgn(i, rgn) && rgn.PtInRegion(point)) return i;
  }
  return -1;
}

void SECTabControl::InvalidateTab(int nIndex) {
  if (!m_hWnd) return;
  CRgn rgn;
  if (!GetTabRgn(nIndex, rgn)) return;
  CRect box;
  rgn.GetRgnBox(&box);
  // The outline's right column lies on the polygon's edge.
  box.InflateRect(0, 0, 1, 1);
  InvalidateRect(&box, TRUE);
}

void SECTabControl::UpdateScrollButtons() {
  if (!m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const tabgeom::ScrollState state =
      tabgeom::UpdateScroll(m_nScrollOffset, GetTabCount(), LastRight(), int(client.right));
  const UINT changed = state.disabled ^ m_nDisabledButtons;
  m_nDisabledButtons = state.disabled;
  for (UINT b : kButtons) {
    if ((changed & b) && (m_nButtonMask & b)) {
      CRect r = GetButtonRect(b);
      InvalidateRect(&r, FALSE);
    }
  }
  ScrollTo(state.offset);
}

void SECTabControl::ScrollTo(int offset) {
  if (offset == m_nScrollOffset) return;
  m_nScrollOffset = offset;
  if (!m_hWnd) return;
  CRect area = GetTabArea();
  InvalidateRect(&area, TRUE);
  UpdateWindow();
}

void SECTabControl::EnsureTabVisible(int nIndex) {
  if (!Valid(nIndex) || !m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  const CRect area = GetTabArea();
  const int left = tabgeom::TabLeft(Widths(), nIndex, area.left, 0);
  m_nScrollOffset = tabgeom::EnsureVisibleOffset(m_nScrollOffset, left, left + m_tabs[size_t(nIndex)]->m_nWidth,
                                                 area.left, area.right);
  Invalidate();
  UpdateScrollButtons();
}

UINT SECTabControl::ButtonFromPoint(CPoint point) const {
  for (UINT b : kButtons) {
    if ((m_nButtonMask & b) && GetButtonRect(b).PtInRect(point)) return b;
  }
  return 0;
}

void SECTabControl::StepButton(UINT nButton) {
  CRect client;
  GetClientRect(&client);
  const int wanted = tabgeom::ButtonOffset(nButton, m_nScrollOffset, LastRight(), int(GetTabArea().right));
  const tabgeom::ScrollState state = tabgeom::UpdateScroll(wanted, GetTabCount(), LastRight(), int(client.right));
  const UINT changed = state.disabled ^ m_nDisabledButtons;
  m_nDisabledButtons = state.disabled;
  for (UINT b : kButtons) {
    if (changed & b) {
      CRect r = GetButtonRect(b);
      InvalidateRect(&r, FALSE);
    }
  }
  ScrollTo(state.offset);
}

void SECTabControl::ScrollButtonAction(UINT nButton) {
  if (m_nDisabledButtons & nButton) return;
  StepButton(nButton);
  const bool repeats = nButton == tabgeom::kPrev || nButton == tabgeom::kNext;
  const HWND self = m_hWnd;
  SetCapture();
  // The timer also wakes the loop, so a capture taken away is noticed even when no message comes.
  ::SetTimer(self, kRepeatTimer, kRepeatDelay, nullptr);
  bool first = true;
  MSG msg;
  while (::IsWindow(self) && ::GetCapture() == self) {
    if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP) break;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == WPARAM(VK_ESCAPE)) break;
    if (msg.message == WM_TIMER && msg.hwnd == self && msg.wParam == kRepeatTimer) {
      if (first) {
        ::SetTimer(self, kRepeatTimer, kRepeatPeriod, nullptr);
        first = false;
      }
      if (repeats && !(m_nDisabledButtons & nButton)) StepButton(nButton);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (!::IsWindow(self)) return;
  ::KillTimer(self, kRepeatTimer);
  if (::GetCapture() == self) ::ReleaseCapture();
  if (m_nPressedButton) {
    CRect r = GetButtonRect(m_nPressedButton);
    m_nPressedButton = 0;
    InvalidateRect(&r, FALSE);
  }
}

void SECTabControl::PressButton(UINT nButton) {
  m_nPressedButton = nButton;
  CRect r = GetButtonRect(nButton);
  InvalidateRect(&r, FALSE);
  UpdateWindow();
  ScrollButtonAction(nButton);
}

void SECTabControl::ClickTab(int nIndex, UINT nFlags) {
  if (m_bMultiSelect && (nFlags & MK_CONTROL)) {
    SECTab* tab = m_tabs[size_t(nIndex)].get();
    tab->m_bSelected = !tab->m_bSelected;
    if (!tab->m_bSelected && m_bActiveTab && m_nActiveTab == nIndex) m_bActiveTab = FALSE;
    InvalidateTab(nIndex);
    return;
  }
  // A range needs an active tab to start from; without one the click is a plain one.
  if (m_bMultiSelect && (nFlags & MK_SHIFT) && m_bActiveTab) {
    const int from = std::min(m_nActiveTab, nIndex), to = std::max(m_nActiveTab, nIndex);
    for (int i = 0; i < GetTabCount(); ++i) {
      const BOOL selected = i >= from && i <= to;
      if (m_tabs[size_t(i)]->m_bSelected != selected) {
        m_tabs[size_t(i)]->m_bSelected = selected;
        InvalidateTab(i);
      }
    }
    m_bActiveTab = FALSE;
    ActivateTab(nIndex);
    return;
  }
  if (m_bActiveTab && m_nActiveTab == nIndex) {
    NotifyActiveTabClicked();
    return;
  }
  for (int i = 0; i < GetTabCount(); ++i) {
    if (m_tabs[size_t(i)]->m_bSelected) {
      m_tabs[size_t(i)]->m_bSelected = FALSE;
      InvalidateTab(i);
    }
  }
  ActivateTab(nIndex);
}

void SECTabControl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (UINT button = ButtonFromPoint(point)) {
    PressButton(button);
    return;
  }
  const int index = TabFromPoint(point);
  if (index < 0) {
    Default();
    return;
  }
  ClickTab(index, nFlags);
}

void SECTabControl::OnLButtonUp(UINT, CPoint) {
  if (m_nPressedButton) {
    CRect r = GetButtonRect(m_nPressedButton);
    m_nPressedButton = 0;
    InvalidateRect(&r, FALSE);
  }
}

void SECTabControl::OnLButtonDblClk(UINT, CPoint point) {
  if (UINT button = ButtonFromPoint(point)) {
    PressButton(button);
    return;
  }
  const int index = TabFromPoint(point);
  if (index >= 0) NotifyParent(WM_TABDBLCLK, WPARAM(index));
}

void SECTabControl::OnSize(UINT nType, int cx, int cy) {
  UpdateScrollButtons();
  CWnd::OnSize(nType, cx, cy);
}

BOOL SECTabControl::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillRect(&client, &m_brushes[0]);
  return TRUE;
}

void SECTabControl::DrawScrollButton(CDC* pDC, UINT nButton) {
  CRect r = GetButtonRect(nButton);
  if (r.IsRectEmpty()) return;
  const SECToolkitGlobals& g = secData();
  pDC->FillSolidRect(&r, g.clrBtnFace);
  CBrush frame(g.clrWindowFrame);
  pDC->FrameRect(&r, &frame);
  CRect inner = r;
  inner.DeflateRect(1, 1);
  const bool pressed = m_nPressedButton == nButton;
  if (pressed) {
    pDC->FillSolidRect(inner.left, inner.top, inner.Width(), 1, g.clrBtnShadow);
    pDC->FillSolidRect(inner.left, inner.top, 1, inner.Height(), g.clrBtnShadow);
  } else {
    pDC->FillSolidRect(inner.left, inner.top, inner.Width(), 1, g.clrBtnHilite);
    pDC->FillSolidRect(inner.left, inner.top, 1, inner.Height(), g.clrBtnHilite);
    pDC->FillSolidRect(inner.left, inner.bottom - 2, inner.Width(), 2, g.clrBtnShadow);
    pDC->FillSolidRect(inner.right - 1, inner.top, 1, inner.Height(), g.clrBtnShadow);
  }
  // A filled triangle 0.3 of the button wide and 0.55 high, with a bar at its flat side for the
  // first and last buttons.
  const int w = std::max(2, int(r.Width() * 0.3)), h = std::max(3, int(r.Height() * 0.55)) | 1;
  const int shift = pressed ? 1 : 0;
  const int cx = r.left + r.Width() / 2 + shift, cy = r.top + r.Height() / 2 + shift;
  const bool left = nButton == tabgeom::kFirst || nButton == tabgeom::kPrev;
  const COLORREF colour = (m_nDisabledButtons & nButton) ? g.clrBtnShadow : RGB(0, 0, 0);
  CPen pen(PS_SOLID, 1, colour);
  CBrush brush(colour);
  CPen* oldPen = pDC->SelectObject(&pen);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  const int x0 = cx - w / 2, x1 = x0 + w;
  POINT tri[3];
  if (left) {
    tri[0] = {x1, cy - h / 2};
    tri[1] = {x1, cy + h / 2};
    tri[2] = {x0, cy};
  } else {
    tri[0] = {x0, cy - h / 2};
    tri[1] = {x0, cy + h / 2};
    tri[2] = {x1, cy};
  }
  pDC->Polygon(tri, 3);
  if (nButton == tabgeom::kFirst) pDC->FillSolidRect(x0 - 2, cy - h / 2, 1, h, colour);
  if (nButton == tabgeom::kLast) pDC->FillSolidRect(x1 + 2, cy - h / 2, 1, h, colour);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

void SECTabControl::DrawTab(CDC* pDC, int nIndex, CRgn& tabRgn) {
  const SECTab* tab = m_tabs[size_t(nIndex)].get();
  const CRect area = GetTabArea();
  const int x = TabX(nIndex), w = tab->m_nWidth;
  const int top = area.top, bottom = area.bottom;
  CBrush* brush = CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(pDC->m_hDC, OBJ_BRUSH)));
  pDC->FillRgn(&tabRgn, brush);
  pDC->MoveTo(x, top);
  pDC->LineTo(x + tabgeom::kSlant, bottom - 1);
  CPen* current = pDC->SelectObject(&m_penShadow);
  pDC->LineTo(x + w - 8, bottom - 1);
  pDC->LineTo(x + w - 2, top);
  pDC->SelectObject(current);
  pDC->MoveTo(x + w - 7, bottom - 1);
  pDC->LineTo(x + w - 1, top);
  CRect text(x + tabgeom::kSlant, top, x + w - tabgeom::kSlant, bottom);
  pDC->DrawText(tab->m_csLabel, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SECTabControl::OnPaint() {
  CPaintDC dc(this);
  CRect clip;
  dc.GetClipBox(&clip);
  dc.SetBkMode(TRANSPARENT);
  for (UINT b : kButtons) {
    CRect r = GetButtonRect(b), meet;
    if ((m_nButtonMask & b) && meet.IntersectRect(r, clip)) DrawScrollButton(&dc, b);
  }
  const CRect area = GetTabArea();
  const int saved = dc.SaveDC();
  dc.IntersectClipRect(&area);
  // Normal tabs first, then the selected ones, then the active tab over them.
  auto draw = [&](int kind, auto wanted) {
    dc.SetTextColor(m_clrText[kind]);
    dc.SelectObject(&m_brushes[kind]);
    dc.SelectObject(&m_fonts[kind]);
    dc.SelectObject(&m_pens[kind]);
    for (int i = 0; i < GetTabCount(); ++i) {
      if (!wanted(i)) continue;
      CRgn rgn;
      if (GetTabRgn(i, rgn) && rgn.RectInRegion(&clip)) DrawTab(&dc, i, rgn);
    }
  };
  const auto active = [&](int i) { return m_bActiveTab && i == m_nActiveTab; };
  draw(0, [&](int i) { return !active(i) && !m_tabs[size_t(i)]->m_bSelected; });
  draw(1, [&](int i) { return !active(i) && m_tabs[size_t(i)]->m_bSelected; });
  draw(2, active);
  // The line along the top, open above the active tab so that it joins its page.
  dc.SelectObject(&m_pens[0]);
  if (m_bActiveTab && Valid(m_nActiveTab)) {
    const int x = TabX(m_nActiveTab);
    if (x > area.left) {
      dc.MoveTo(area.left, area.top);
      dc.LineTo(x, area.top);
    }
    dc.MoveTo(x + m_tabs[size_t(m_nActiveTab)]->m_nWidth - 1, area.top);
    dc.LineTo(area.right, area.top);
  } else {
    dc.MoveTo(area.left, area.top);
    dc.LineTo(area.right, area.top);
  }
  dc.RestoreDC(saved);
}
