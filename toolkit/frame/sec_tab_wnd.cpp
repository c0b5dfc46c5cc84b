#include "toolkit/frame/sec_tab_wnd.h"

#include <algorithm>

#include "platform/controls/standard_controls.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/view.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "toolkit/frame/toolkit_globals.h"

namespace {

// The horizontal bar leaves the splitter at least this much room at the right.
constexpr int kSplitterRoom = 60;
constexpr int kSplitterWidth = 5;
// The raised strip's thickness, and the frame drawn around the page of a raised tab window.
constexpr int kRaisedStrip = 30;
constexpr int kFrame = 4;

// Moves a child when its rectangle changes.
void Place(CWnd* wnd, const CRect& r, UINT extra = 0) {
  if (!wnd || !wnd->m_hWnd) return;
  CRect now;
  wnd->GetWindowRect(&now);
  if (CWnd* parent = wnd->GetParent()) parent->ScreenToClient(&now);
  if (now == r) return;
  wnd->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | extra);
}

// The view under a page, when the page is one.
CView* ViewOf(CWnd* page) {
  return page && page->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(page) : nullptr;
}

}  // namespace

// --- The base -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECTabWndBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabWndBase, CWnd)
  ON_MESSAGE(WM_TABACTIVATE, &SECTabWndBase::OnTabActivate)
  ON_MESSAGE(WM_TABRECLICK, &SECTabWndBase::OnTabReclick)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabWndBase::SECTabWndBase() = default;

SECTabWndBase::~SECTabWndBase() {
  if (m_hWnd) DestroyWindow();
}

BOOL SECTabWndBase::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_pNotifyWnd = pParentWnd;
  dwStyle &= ~(WS_HSCROLL | WS_VSCROLL);
  if (!m_hWnd) {
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS);
    if (!CWnd::Create(cls, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  }
  BOOL made = FALSE;
  try {
    made = CreateTabCtrl(dwStyle, SEC_IDW_TABCTRL);
  } catch (...) {
    made = FALSE;
  }
  if (!made) {
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

std::unique_ptr<CScrollBar> SECTabWndBase::CreateScrollBar(DWORD dwStyle, UINT nID) {
  auto bar = std::make_unique<CScrollBar>();
  if (!bar->Create(dwStyle | WS_CHILD, CRect(0, 0, 0, 0), this, nID)) return nullptr;
  return bar;
}

BOOL SECTabWndBase::CreateTabCtrl(DWORD, UINT) { return FALSE; }

CWnd* SECTabWndBase::CreatePage(const CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nID) {
  if (!pViewClass) return nullptr;
  CWnd* page = nullptr;
  try {
    std::unique_ptr<CObject> object = pViewClass->CreateObject();
    auto* wnd = dynamic_cast<CWnd*>(object.get());
    if (!wnd) return nullptr;
    m_pWndCreating = wnd;
    if (wnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext)) {
      page = wnd;
      object.release();
      // A view ends itself with its window; other pages belong to the tab window.
      if (!ViewOf(page)) m_ownedPages.emplace_back(page);
    }
  } catch (...) {
    page = nullptr;
  }
  m_pWndCreating = nullptr;
  return page;
}

CWnd* SECTabWndBase::InsertTab(const CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel,
                               CCreateContext* pContext, UINT nID) {
  if (nID == UINT(-1)) nID = SEC_IDW_FIRSTPAGE + UINT(GetTabCount());
  CWnd* page = CreatePage(pViewClass, pContext, nID);
  if (page) InsertTab(page, nIndex, lpszLabel);
  return page;
}

CWnd* SECTabWndBase::AddTab(const CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext,
                            UINT nID) {
  if (nID == UINT(-1)) nID = SEC_IDW_FIRSTPAGE + UINT(GetTabCount());
  CWnd* page = CreatePage(pViewClass, pContext, nID);
  if (page) AddTab(page, lpszLabel);
  return page;
}

SECTab* SECTabWndBase::InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel) {
  if (!m_pTabCtrl) return nullptr;
  nIndex = std::clamp(nIndex, 0, GetTabCount());
  SECTab* tab = m_pTabCtrl->InsertTab(nIndex, lpszLabel, pWnd);
  SetTabScrollStyle(nIndex, 0);
  // Only the active page shows.
  if (pWnd && pWnd != m_pActiveWnd && pWnd->m_hWnd) pWnd->ShowWindow(SW_HIDE);
  return tab;
}

SECTab* SECTabWndBase::AddTab(CWnd* pWnd, LPCTSTR lpszLabel) {
  if (!m_pTabCtrl) return nullptr;
  SECTab* tab = m_pTabCtrl->AddTab(lpszLabel, pWnd);
  SetTabScrollStyle(GetTabCount() - 1, 0);
  if (pWnd && pWnd != m_pActiveWnd && pWnd->m_hWnd) pWnd->ShowWindow(SW_HIDE);
  return tab;
}

void SECTabWndBase::LoadTabIcon(int nIndex, LPCTSTR lpszResource, int cx, int cy) {
  if (m_pTabCtrl) m_pTabCtrl->LoadTabIcon(nIndex, lpszResource, cx, cy);
}

void SECTabWndBase::LoadTabIcon(int nIndex, UINT nIDResource, int cx, int cy) {
  if (m_pTabCtrl) m_pTabCtrl->LoadTabIcon(nIndex, nIDResource, cx, cy);
}

void SECTabWndBase::SetTabIcon(int nIndex, HICON hIcon) {
  if (m_pTabCtrl) m_pTabCtrl->SetTabIcon(nIndex, hIcon);
}

void SECTabWndBase::SetTabScrollStyle(int, DWORD) {}

void SECTabWndBase::DeleteTab(int nIndex) {
  if (!m_pTabCtrl || nIndex < 0 || nIndex >= GetTabCount()) return;
  CWnd* page = m_pTabCtrl->GetTab(nIndex)->m_pClient;
  if (page && page == m_pActiveWnd) m_pActiveWnd = nullptr;
  // The page leaves with its tab; another tab's page is shown in its place.
  if (page && page->m_hWnd) page->ShowWindow(SW_HIDE);
  m_pTabCtrl->DeleteTab(nIndex);
  if (!m_pActiveWnd) Invalidate();
}

void SECTabWndBase::DeleteTab(CWnd* pWnd) {
  int index;
  if (FindTab(pWnd, index)) DeleteTab(index);
}

void SECTabWndBase::RenameTab(int nIndex, LPCTSTR lpszLabel) {
  if (m_pTabCtrl) m_pTabCtrl->RenameTab(nIndex, lpszLabel);
}

void SECTabWndBase::RenameTab(CWnd* pWnd, LPCTSTR lpszLabel) {
  int index;
  if (FindTab(pWnd, index)) RenameTab(index, lpszLabel);
}

void SECTabWndBase::ActivateTab(int nIndex) {
  if (!m_pTabCtrl || nIndex < 0 || nIndex >= GetTabCount()) return;
  ActivateTab(m_pTabCtrl->GetTab(nIndex)->m_pClient, nIndex);
}

void SECTabWndBase::ActivateTab(CWnd* pWnd) {
  int index;
  if (FindTab(pWnd, index)) ActivateTab(pWnd, index);
}

void SECTabWndBase::ActivateTab(CWnd* pWnd, int nIndex) {
  if (!m_pTabCtrl || !pWnd || nIndex < 0 || nIndex >= GetTabCount() || pWnd == m_pActiveWnd) return;
  int active = 0;
  if (!m_pTabCtrl->GetActiveTab(active) || active != nIndex) {
    // The control's notification comes back here and finishes the activation.
    m_pTabCtrl->ActivateTab(nIndex);
    if (m_pActiveWnd == pWnd) return;
  }
  CWnd* previous = m_pActiveWnd;
  m_pActiveWnd = pWnd;
  if (previous && previous->m_hWnd) previous->ShowWindow(SW_HIDE);
  if (pWnd->m_hWnd) {
    pWnd->ShowWindow(SW_SHOW);
    SetFocus();
    pWnd->SetFocus();
  }
  if (CView* view = ViewOf(pWnd)) {
    if (CFrameWnd* frame = view->GetParentFrame()) frame->SetActiveView(view, TRUE);
  }
  RecalcLayout();
  Invalidate(TRUE);
}

void SECTabWndBase::ClearSelection() {
  if (m_pTabCtrl) m_pTabCtrl->ClearSelection();
}

void SECTabWndBase::EnsureTabVisible(int nIndex) {
  if (m_pTabCtrl) m_pTabCtrl->EnsureTabVisible(nIndex);
}

void SECTabWndBase::EnsureTabVisible(CWnd* pWnd) {
  int index;
  if (FindTab(pWnd, index)) EnsureTabVisible(index);
}

void SECTabWndBase::FocusActivePage() {
  int index;
  if (!GetActiveTabIndex(index) || !m_pActiveWnd || !m_pActiveWnd->m_hWnd) return;
  if (CView* view = ViewOf(m_pActiveWnd)) {
    if (CFrameWnd* frame = view->GetParentFrame()) {
      frame->SetActiveView(view, TRUE);
      return;
    }
  }
  SetFocus();
  m_pActiveWnd->SetFocus();
}

void SECTabWndBase::SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd ? pWnd : GetParent(); }

void SECTabWndBase::GetInsideRect(CRect& rect) const { GetClientRect(&rect); }

BOOL SECTabWndBase::GetTabInfo(int nIndex, CString& label, BOOL& bSelected, CWnd*& pWnd, DWORD& dwExtra,
                               DWORD& dwExtra2) const {
  return m_pTabCtrl && m_pTabCtrl->GetTabInfo(nIndex, label, bSelected, pWnd, dwExtra, dwExtra2);
}

BOOL SECTabWndBase::FindTab(const CWnd* pWnd, int& nIndex) const {
  return m_pTabCtrl && pWnd && m_pTabCtrl->FindTab(pWnd, nIndex);
}

BOOL SECTabWndBase::GetActiveTabWindow(CWnd*& pWnd) const {
  int index;
  if (!GetActiveTabIndex(index)) return FALSE;
  pWnd = m_pTabCtrl->GetTab(index)->m_pClient;
  return pWnd != nullptr;
}

BOOL SECTabWndBase::GetActiveTabIndex(int& nIndex) const {
  return m_pTabCtrl && m_pTabCtrl->GetActiveTab(nIndex) && nIndex >= 0 && nIndex < GetTabCount();
}

void SECTabWndBase::NotifyActivated(int nIndex) {
  if (m_pNotifyWnd && m_pNotifyWnd->m_hWnd) m_pNotifyWnd->SendMessage(WM_TABACTIVATE, WPARAM(nIndex));
}

LRESULT SECTabWndBase::OnTabActivate(WPARAM wParam, LPARAM) {
  const int index = int(wParam);
  if (m_pTabCtrl && index >= 0 && index < GetTabCount()) ActivateTab(m_pTabCtrl->GetTab(index)->m_pClient, index);
  return 0;
}

LRESULT SECTabWndBase::OnTabReclick(WPARAM, LPARAM) {
  FocusActivePage();
  return 0;
}

void SECTabWndBase::OnDestroy() {
  if (m_pTabCtrl) {
    if (m_pTabCtrl->m_hWnd) m_pTabCtrl->DestroyWindow();
    m_pTabCtrl.reset();
  }
  m_pActiveWnd = nullptr;
  for (auto& page : m_ownedPages) {
    if (page->m_hWnd) page->DestroyWindow();
  }
  m_ownedPages.clear();
  CWnd::OnDestroy();
}

// --- Layout of the tab windows ----------------------------------------------------------------------

namespace tabwnd {

CRect FlatInside(const CRect& client, int stripHeight, int cxVScroll, DWORD pageScroll) {
  CRect r = client;
  r.bottom = std::max(r.top, r.bottom - stripHeight);
  if (pageScroll & WS_VSCROLL) r.right = std::max(r.left, r.right - cxVScroll);
  return r;
}

FlatLayout LayoutFlat(const CRect& page, int stripHeight, int cxVScroll, DWORD pageScroll, int splitter) {
  FlatLayout out{page, CRect(), CRect(), CRect(), splitter};
  int tabsWidth = page.Width();
  if (pageScroll & WS_HSCROLL) {
    out.splitter = std::max(0, std::min(splitter, page.Width() - kSplitterRoom));
    out.hscroll = CRect(page.left + out.splitter + kSplitterWidth, page.bottom, page.right + 1, page.bottom + stripHeight);
    tabsWidth = out.splitter;
  }
  out.tabs = CRect(page.left, page.bottom, page.left + tabsWidth, page.bottom + stripHeight);
  if (pageScroll & WS_VSCROLL) out.vscroll = CRect(page.right, page.top, page.right + cxVScroll, page.bottom);
  return out;
}

CRect SplitterRect(const CRect& page, int splitter, int stripHeight) {
  return CRect(page.left + splitter, page.bottom, page.left + splitter + kSplitterWidth, page.bottom + stripHeight);
}

int SizedSplitter(int splitter, int width, bool first, bool hscroll) {
  if (!hscroll) return first ? width : splitter;
  const int most = std::max(0, width - kSplitterRoom);
  if (first) return most;
  return std::max(0, std::min(splitter, most));
}

CRect RaisedInside(const CRect& client, DWORD position) {
  const int strip = kRaisedStrip + 1;
  switch (position) {
    case TWS_TABS_BELOW: return CRect(client.left + 6, client.top + 4, client.right - 7, client.bottom - strip);
    case TWS_TABS_ABOVE: return CRect(client.left + 6, client.top + strip, client.right - 7, client.bottom - 4);
    case TWS_TABS_LEFT: return CRect(client.left + strip, client.top + 4, client.right - 7, client.bottom - 6);
    default: return CRect(client.left + 6, client.top + 4, client.right - strip, client.bottom - 6);
  }
}

CRect RaisedStrip(const CRect& client, const CRect& page, DWORD position) {
  switch (position) {
    case TWS_TABS_BELOW: return CRect(page.left, page.bottom + 1, page.right, client.bottom);
    case TWS_TABS_ABOVE: return CRect(page.left, client.top, page.right, page.top);
    case TWS_TABS_LEFT: return CRect(client.left, page.top, page.left, page.bottom);
    default: return CRect(page.right, client.top, client.right, client.top + page.Height());
  }
}

}  // namespace tabwnd

// --- The flat tab window -------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECTabWnd, SECTabWndBase)
IMPLEMENT_DYNCREATE(SEC2DTabWnd, SECTabWnd)

BEGIN_MESSAGE_MAP(SECTabWnd, SECTabWndBase)
  ON_WM_NCCREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETCURSOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_MESSAGE(WM_TABACTIVATE, &SECTabWnd::OnTabActivate)
END_MESSAGE_MAP()

SECTabWnd::SECTabWnd() = default;

SECTabWnd::~SECTabWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL SECTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwTabCtrlStyle = (dwStyle & TWS_SCROLL_ALL) ? TWS_SCROLL_ALL : (dwStyle & TWS_SCROLL_PREVNEXT);
  if (!SECTabWndBase::Create(pParentWnd, dwStyle & ~(TWS_SCROLL_ALL | TWS_SCROLL_PREVNEXT), nID)) return FALSE;
  secData().LoadSplitterCursors();
  m_hcurSplit = secData().hcurSplitVert;
  m_hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
  m_pHScroll = CreateScrollBar(SBS_HORZ, SEC_IDW_HSCROLL);
  m_pVScroll = CreateScrollBar(SBS_VERT, SEC_IDW_VSCROLL);
  // Without its shared bars the window cannot work: it goes, and the caller hears of it.
  if (!m_pHScroll || !m_pVScroll) {
    DestroyWindow();
    return FALSE;
  }
  m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
  m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL) + 1;
  return TRUE;
}

BOOL SECTabWnd::CreateTabCtrl(DWORD, UINT nID) {
  auto control = std::make_unique<SECTabControl>();
  if (!control->Create(m_dwTabCtrlStyle | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID)) return FALSE;
  m_pTabCtrl = std::move(control);
  return TRUE;
}

BOOL SECTabWnd::OnNcCreate(LPCREATESTRUCT lpcs) {
  const BOOL result = CWnd::OnNcCreate(lpcs);
  if (CWnd* parent = GetParent()) parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  ModifyStyleEx(0, WS_EX_CLIENTEDGE);
  return result;
}

DWORD SECTabWnd::GetTabScrollStyle(int nIndex) const {
  return nIndex >= 0 && nIndex < int(m_scrollStyles.size()) ? m_scrollStyles[size_t(nIndex)] : 0;
}

DWORD SECTabWnd::ScrollStyleOf(const CWnd* pWnd) const {
  int index;
  return FindTab(pWnd, index) ? GetTabScrollStyle(index) : 0;
}

void SECTabWnd::SetTabScrollStyle(int nIndex, DWORD dwStyle) {
  if (nIndex < 0) return;
  if (nIndex < int(m_scrollStyles.size())) {
    m_scrollStyles[size_t(nIndex)] = dwStyle;
  } else {
    m_scrollStyles.push_back(dwStyle);
    m_hState.push_back(SCROLLINFO{});
    m_vState.push_back(SCROLLINFO{});
  }
  if (m_pActiveWnd && ScrollStyleOf(m_pActiveWnd) != 0) RecalcLayout();
}

CWnd* SECTabWnd::InsertTab(const CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel, CCreateContext* pContext,
                           UINT nID) {
  return SECTabWndBase::InsertTab(pViewClass, nIndex, lpszLabel, pContext, nID);
}

SECTab* SECTabWnd::InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel) {
  nIndex = std::clamp(nIndex, 0, GetTabCount());
  // The new page's scroll state goes in at its own place, so every page keeps its own.
  const size_t at = std::min(size_t(nIndex), m_scrollStyles.size());
  m_scrollStyles.insert(m_scrollStyles.begin() + ptrdiff_t(at), 0);
  m_hState.insert(m_hState.begin() + ptrdiff_t(at), SCROLLINFO{});
  m_vState.insert(m_vState.begin() + ptrdiff_t(at), SCROLLINFO{});
  return SECTabWndBase::InsertTab(pWnd, nIndex, lpszLabel);
}

void SECTabWnd::DeleteTab(int nIndex) {
  if (nIndex < 0 || nIndex >= GetTabCount()) return;
  if (nIndex < int(m_scrollStyles.size())) {
    m_scrollStyles.erase(m_scrollStyles.begin() + nIndex);
    m_hState.erase(m_hState.begin() + nIndex);
    m_vState.erase(m_vState.begin() + nIndex);
  }
  SECTabWndBase::DeleteTab(nIndex);
  if (!m_pActiveWnd) {
    if (m_pHScroll) m_pHScroll->ShowWindow(SW_HIDE);
    if (m_pVScroll) m_pVScroll->ShowWindow(SW_HIDE);
    RecalcLayout();
  }
}

void SECTabWnd::ActivateTab(int nIndex) { SECTabWndBase::ActivateTab(nIndex); }

void SECTabWnd::ActivateTab(CWnd* pWnd) { SECTabWndBase::ActivateTab(pWnd); }

void SECTabWnd::ActivateTab(CWnd* pWnd, int nIndex) {
  if (!m_pTabCtrl || !pWnd || pWnd == m_pActiveWnd || nIndex < 0 || nIndex >= GetTabCount()) return;
  int active = 0;
  if (!m_pTabCtrl->GetActiveTab(active) || active != nIndex) {
    // The control's notification comes back here and switches the bars once.
    m_pTabCtrl->ActivateTab(nIndex);
    if (m_pActiveWnd == pWnd) return;
  }
  {
    int old;
    if (m_pActiveWnd && FindTab(m_pActiveWnd, old) && old < int(m_scrollStyles.size())) {
      const DWORD style = m_scrollStyles[size_t(old)];
      if ((style & WS_HSCROLL) && m_pHScroll) {
        m_hState[size_t(old)].cbSize = sizeof(SCROLLINFO);
        m_pHScroll->GetScrollInfo(&m_hState[size_t(old)], SIF_ALL);
      }
      if ((style & WS_VSCROLL) && m_pVScroll) {
        m_vState[size_t(old)].cbSize = sizeof(SCROLLINFO);
        m_pVScroll->GetScrollInfo(&m_vState[size_t(old)], SIF_ALL);
      }
    }
    const DWORD style = GetTabScrollStyle(nIndex);
    auto apply = [&](CScrollBar* bar, bool used, std::vector<SCROLLINFO>& states) {
      if (!bar) return;
      if (used && nIndex < int(states.size())) {
        SCROLLINFO info = states[size_t(nIndex)];
        info.cbSize = sizeof(SCROLLINFO);
        info.fMask = SIF_ALL;
        bar->SetScrollInfo(&info, TRUE);
        bar->ShowWindow(SW_SHOW);
      } else {
        bar->ShowWindow(SW_HIDE);
      }
    };
    apply(m_pHScroll.get(), (style & WS_HSCROLL) != 0, m_hState);
    apply(m_pVScroll.get(), (style & WS_VSCROLL) != 0, m_vState);
  }
  SECTabWndBase::ActivateTab(pWnd, nIndex);
}

CScrollBar* SECTabWnd::GetScrollBar(int nBar, const CWnd* pWnd) const {
  const DWORD style = ScrollStyleOf(pWnd ? pWnd : m_pActiveWnd);
  if (nBar == 0 && (style & WS_HSCROLL)) return m_pHScroll.get();
  if (nBar == 1 && (style & WS_VSCROLL)) return m_pVScroll.get();
  return nullptr;
}

void SECTabWnd::SetNormalTabFont(CFont* pFont, BOOL bRedraw) {
  if (auto* flat = dynamic_cast<SECTabControl*>(m_pTabCtrl.get())) flat->SetTabFont(pFont, 0, bRedraw);
}

void SECTabWnd::SetSelectedTabFont(CFont* pFont, BOOL bRedraw) {
  if (auto* flat = dynamic_cast<SECTabControl*>(m_pTabCtrl.get())) flat->SetTabFont(pFont, 1, bRedraw);
}

void SECTabWnd::SetActiveTabFont(CFont* pFont, BOOL bRedraw) {
  if (auto* flat = dynamic_cast<SECTabControl*>(m_pTabCtrl.get())) flat->SetTabFont(pFont, 2, bRedraw);
}

void SECTabWnd::GetInsideRect(CRect& rect) const {
  CRect client;
  GetClientRect(&client);
  rect = tabwnd::FlatInside(client, m_cyHScroll, m_cxVScroll, ScrollStyleOf(m_pActiveWnd));
}

CRect SECTabWnd::GetSplitterRect() const {
  CRect page;
  GetInsideRect(page);
  return tabwnd::SplitterRect(page, m_nSplitterPos, m_cyHScroll);
}

void SECTabWnd::RecalcLayout() {
  if (!m_hWnd || !m_pTabCtrl) return;
  CRect page;
  GetInsideRect(page);
  const DWORD style = ScrollStyleOf(m_pActiveWnd);
  const tabwnd::FlatLayout layout = tabwnd::LayoutFlat(page, m_cyHScroll, m_cxVScroll, style, m_nSplitterPos);
  m_nSplitterPos = layout.splitter;
  auto border = [](CScrollBar* bar, const CRect& r) {
    if (!bar || !bar->m_hWnd) return;
    const bool tiny = r.Width() < 2 || r.Height() < 2;
    bar->ModifyStyle(tiny ? 0 : WS_BORDER, tiny ? WS_BORDER : 0);
  };
  if (style & WS_HSCROLL) {
    border(m_pHScroll.get(), layout.hscroll);
    Place(m_pHScroll.get(), layout.hscroll);
  }
  Place(m_pTabCtrl.get(), layout.tabs, SWP_NOREDRAW);
  if (!m_bTracking) {
    if (style & WS_VSCROLL) {
      border(m_pVScroll.get(), layout.vscroll);
      Place(m_pVScroll.get(), layout.vscroll);
    }
    Place(m_pActiveWnd, layout.page);
  }
}

void SECTabWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
  CRect page;
  GetInsideRect(page);
  const bool hscroll = (ScrollStyleOf(m_pActiveWnd) & WS_HSCROLL) != 0;
  m_nSplitterPos = tabwnd::SizedSplitter(m_nSplitterPos, hscroll ? cx : page.Width(), m_bFirstSize, hscroll);
  m_bFirstSize = false;
  RecalcLayout();
  if (m_pTabCtrl) m_pTabCtrl->Invalidate();
  if (hscroll) {
    CRect splitter = GetSplitterRect();
    InvalidateRect(&splitter);
  }
}

void SECTabWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_pTabCtrl && m_pTabCtrl->m_hWnd) m_pTabCtrl->Invalidate(FALSE);
  if (!(ScrollStyleOf(m_pActiveWnd) & WS_HSCROLL)) return;
  const CRect r = GetSplitterRect();
  const SECToolkitGlobals& g = secData();
  const COLORREF columns[kSplitterWidth] = {RGB(0, 0, 0), g.clrBtnHilite, g.clrBtnFace, g.clrBtnShadow, RGB(0, 0, 0)};
  for (int i = 0; i < kSplitterWidth; ++i) dc.FillSolidRect(r.left + i, r.top, 1, r.Height(), columns[i]);
}

BOOL SECTabWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  if (!m_pActiveWnd) {
    // No page covers the client: what a deleted page left there goes.
    pDC->FillSolidRect(&client, secData().clrBtnFace);
  } else if (ScrollStyleOf(m_pActiveWnd) & (WS_HSCROLL | WS_VSCROLL)) {
    pDC->FillSolidRect(client.right - m_cxVScroll, client.top, m_cxVScroll, client.Height(), secData().clrBtnFace);
  }
  return TRUE;
}

void SECTabWnd::OnLButtonDown(UINT, CPoint point) {
  if (!(ScrollStyleOf(m_pActiveWnd) & WS_HSCROLL) || !GetSplitterRect().PtInRect(point)) {
    Default();
    return;
  }
  m_bTracking = true;
  m_nTrackOffset = point.x - GetSplitterRect().left;
  SetCapture();
}

void SECTabWnd::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking) {
    m_bOverSplitter = (ScrollStyleOf(m_pActiveWnd) & WS_HSCROLL) && GetSplitterRect().PtInRect(point);
    return;
  }
  CRect page;
  GetInsideRect(page);
  const int wanted = point.x - page.left - m_nTrackOffset - 1;
  if (wanted == m_nSplitterPos) return;
  const CRect before = GetSplitterRect();
  m_nSplitterPos = wanted;
  RecalcLayout();
  CRect after = GetSplitterRect(), strip;
  strip.UnionRect(before, after);
  InvalidateRect(&strip);
  if (m_pTabCtrl) m_pTabCtrl->Invalidate();
  UpdateWindow();
}

void SECTabWnd::OnLButtonUp(UINT, CPoint) {
  if (!m_bTracking) {
    Default();
    return;
  }
  m_bTracking = false;
  if (GetCapture() == this) ::ReleaseCapture();
  RecalcLayout();
}

void SECTabWnd::OnCaptureChanged(CWnd*) {
  if (!m_bTracking) return;
  m_bTracking = false;
  RecalcLayout();
}

// The window's class has no cursor: the splitter's cursor over the splitter, the arrow elsewhere.
BOOL SECTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this) {
    HCURSOR cursor = (m_bOverSplitter || m_bTracking) && m_hcurSplit ? m_hcurSplit : m_hcurArrow;
    if (cursor) {
      ::SetCursor(cursor);
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// The shared bars speak for the active page; with none there is nobody to tell.
void SECTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (!m_pActiveWnd || !m_pActiveWnd->m_hWnd) return;
  m_pActiveWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), reinterpret_cast<LPARAM>(pScrollBar ? pScrollBar->m_hWnd : nullptr));
}

void SECTabWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (!m_pActiveWnd || !m_pActiveWnd->m_hWnd) return;
  m_pActiveWnd->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), reinterpret_cast<LPARAM>(pScrollBar ? pScrollBar->m_hWnd : nullptr));
}

LRESULT SECTabWnd::OnTabActivate(WPARAM wParam, LPARAM lParam) {
  SECTabWndBase::OnTabActivate(wParam, lParam);
  NotifyActivated(int(wParam));
  return 0;
}

// --- The raised tab window ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SEC3DTabWnd, SECTabWndBase)

BEGIN_MESSAGE_MAP(SEC3DTabWnd, SECTabWndBase)
  ON_WM_NCCREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_TABACTIVATE, &SEC3DTabWnd::OnTabActivate)
END_MESSAGE_MAP()

SEC3DTabWnd::SEC3DTabWnd() = default;

SEC3DTabWnd::~SEC3DTabWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL SEC3DTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwTabCtrlStyle = ((dwStyle & TWS_SCROLL_ALL) ? TWS_SCROLL_ALL : (dwStyle & TWS_SCROLL_PREVNEXT)) | (dwStyle & 0xFF0);
  // The tab window keeps the tab control's bits in the control only.
  m_pNotifyWnd = pParentWnd;
  dwStyle &= ~(WS_HSCROLL | WS_VSCROLL | 0x0FF3);
  if (!m_hWnd) {
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS);
    if (!CWnd::Create(cls, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  }
  return SECTabWndBase::Create(pParentWnd, dwStyle, nID);
}

BOOL SEC3DTabWnd::CreateTabCtrl(DWORD, UINT nID) {
  auto control = std::make_unique<SEC3DTabControl>();
  if (!control->Create(m_dwTabCtrlStyle | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID)) return FALSE;
  m_pTabCtrl = std::move(control);
  return TRUE;
}

DWORD SEC3DTabWnd::TabPosition() const {
  const DWORD position = m_dwTabCtrlStyle & TWS_TABS_POSITION;
  switch (position) {
    case TWS_TABS_BELOW:
    case TWS_TABS_ABOVE:
    case TWS_TABS_LEFT: return position;
    default: return TWS_TABS_RIGHT;
  }
}

BOOL SEC3DTabWnd::OnNcCreate(LPCREATESTRUCT lpcs) {
  const BOOL result = CWnd::OnNcCreate(lpcs);
  if (CWnd* parent = GetParent()) parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return result;
}

void SEC3DTabWnd::GetInsideRect(CRect& rect) const {
  CRect client;
  GetClientRect(&client);
  rect = tabwnd::RaisedInside(client, TabPosition());
}

void SEC3DTabWnd::RecalcLayout() {
  if (!m_hWnd || !m_pTabCtrl) return;
  const DWORD position = TabPosition();
  const bool horizontal = position == TWS_TABS_BELOW || position == TWS_TABS_ABOVE;
  m_cyStrip = horizontal ? kRaisedStrip : 0;
  m_cxStrip = horizontal ? 0 : kRaisedStrip;
  CRect client, page;
  GetClientRect(&client);
  GetInsideRect(page);
  Place(m_pTabCtrl.get(), tabwnd::RaisedStrip(client, page, position), SWP_NOREDRAW);
  CRect inner = page;
  inner.right = std::max(inner.left, inner.right - 1);
  Place(m_pActiveWnd, inner);
}

void SEC3DTabWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
  RecalcLayout();
  if (m_pTabCtrl) m_pTabCtrl->Invalidate();
  Invalidate();
}

void SEC3DTabWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_pTabCtrl && m_pTabCtrl->m_hWnd) m_pTabCtrl->Invalidate(FALSE);
  CRect page;
  GetInsideRect(page);
  const SECToolkitGlobals& g = secData();
  const COLORREF rings[kFrame] = {RGB(255, 255, 255), g.clrBtnFace, g.clrBtnShadow, RGB(0, 0, 0)};
  const int height = page.Height() + 2 * kFrame;
  for (int i = 0; i < kFrame; ++i) {
    // Columns left and right of the page, rows above and below, their ends meeting the columns.
    dc.FillSolidRect(page.left - kFrame + i, page.top - kFrame, 1, height, rings[i]);
    dc.FillSolidRect(page.right + i, page.top - kFrame, 1, height, rings[i]);
    dc.FillSolidRect(page.left - kFrame + i + 1, page.top - kFrame + i, page.Width() + 2 * kFrame - 2 * i - 2, 1,
                     rings[i]);
    dc.FillSolidRect(page.left - kFrame + i + 1, page.bottom + 1 + i, page.Width() + 2 * kFrame - 2 * i - 2, 1,
                     rings[i]);
  }
}

BOOL SEC3DTabWnd::OnEraseBkgnd(CDC* pDC) {
  CRect client, page;
  GetClientRect(&client);
  GetInsideRect(page);
  const COLORREF face = secData().clrBtnFace;
  const CRect strip = m_pTabCtrl ? tabwnd::RaisedStrip(client, page, TabPosition()) : CRect();
  const int saved = pDC->SaveDC();
  pDC->ExcludeClipRect(&strip);
  pDC->FillSolidRect(client.left, client.top, client.Width(), page.top - client.top, face);
  pDC->FillSolidRect(client.left, page.top, page.left - client.left, page.Height(), face);
  pDC->FillSolidRect(page.right - 1, page.top, client.right - page.right + 1, page.Height(), face);
  pDC->FillSolidRect(client.left, page.bottom, client.Width(), client.bottom - page.bottom, face);
  pDC->RestoreDC(saved);
  return TRUE;
}

LRESULT SEC3DTabWnd::OnTabActivate(WPARAM wParam, LPARAM lParam) {
  SECTabWndBase::OnTabActivate(wParam, lParam);
  NotifyActivated(int(wParam));
  Invalidate();
  return 0;
}
