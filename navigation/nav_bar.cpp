#include "navigation/nav_bar.h"

#include "navigation/bookmark_tab.h"
#include "navigation/custom_tab.h"
#include "navigation/du_tab.h"
#include "navigation/gtf_sheet.h"
#include "navigation/history_tab.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/framework/app.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/menu.h"
#include "platform/framework/view.h"
#include "platform/res/resource_store.h"
#include "platform/win/virtual_keys.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/printmark_tab.h"

namespace navbar {

int NextNavigatorTab(int active, int count) {
  if (count <= 0) return 0;
  return active + 1 >= count || active < 0 ? 0 : active + 1;
}

int NextIndexTab(int active) { return active == 0 ? 1 : 0; }

CRect TabWindowRect(const CRect& inside, bool floating) {
  CRect rect = inside;
  if (floating) rect.InflateRect(8, 6, 8, 10);
  return rect;
}

}  // namespace navbar

// --- What both bars share ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CNavBarBase, SECControlBar)

BEGIN_MESSAGE_MAP(CNavBarBase, SECControlBar)
  ON_WM_SIZE()
  ON_WM_CONTEXTMENU()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CNavBarBase::~CNavBarBase() = default;

int CNavBarBase::GetActiveTab() const {
  int index = -1;
  if (m_pTabWnd && m_pTabWnd->m_hWnd && !m_pTabWnd->GetActiveTabIndex(index)) index = -1;
  return index;
}

void CNavBarBase::ActivateTab(int nIndex) {
  if (!m_pTabWnd || !m_pTabWnd->m_hWnd || nIndex < 0 || nIndex >= m_pTabWnd->GetTabCount()) return;
  m_pTabWnd->ActivateTab(nIndex);
}

BOOL CNavBarBase::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) {
    if (pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
      OnCtrlTab();
      return TRUE;
    }
    if (pMsg->wParam == VK_ESCAPE) {
      FocusActiveView();
      return TRUE;
    }
  }
  return SECControlBar::PreTranslateMessage(pMsg);
}

void CNavBarBase::FocusActiveView() {
  auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  if (!main) return;
  CFrameWnd* sheet = main->GetActiveFrame();
  if (!sheet || sheet == main) return;
  if (CView* view = sheet->GetActiveView()) view->SetFocus();
}

void CNavBarBase::ExtendContextMenu(CMenu* pMenu) {
  pMenu->CheckMenuItem(ID_SECBAR_TOGGLE_DOCKING, MF_BYCOMMAND | (IsDocked() ? MF_CHECKED : MF_UNCHECKED));
  CMenu source;
  if (!source.LoadMenu(m_nIDMenu)) return;
  CMenu* popup = source.GetSubMenu(int(m_nPopup));
  if (!popup) return;
  const int count = int(popup->GetMenuItemCount());
  pMenu->InsertMenu(0, MF_BYPOSITION | MF_SEPARATOR);
  for (int i = count - 1; i >= 0; --i) {
    CString text;
    popup->GetMenuString(UINT(i), text, MF_BYPOSITION);
    pMenu->InsertMenu(0, MF_BYPOSITION | MF_STRING, popup->GetMenuItemID(i), text);
  }
}

void CNavBarBase::OnContextMenu(CWnd* pWnd, CPoint point) {
  // Only a click on the tab window itself (its strip or the bar around it) gives the bar's menu;
  // the tabs' own lists and trees have theirs.
  if (pWnd && pWnd != this && pWnd != m_pTabWnd &&
      !(m_pTabWnd && m_pTabWnd->GetTabControl() && pWnd == m_pTabWnd->GetTabControl())) {
    return;
  }
  SECControlBar::OnContextMenu(pWnd, point);
}

void CNavBarBase::PlaceTabWindow() {
  if (!m_pTabWnd || !m_pTabWnd->m_hWnd) return;
  CRect inside;
  GetInsideRect(inside);
  const CRect rect = navbar::TabWindowRect(inside, IsFloating());
  m_pTabWnd->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CNavBarBase::OnSize(UINT nType, int cx, int cy) {
  SECControlBar::OnSize(nType, cx, cy);
  PlaceTabWindow();
}

BOOL CNavBarBase::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}


// --- "Nawigator" -------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COutputWnd, CNavBarBase)

BEGIN_MESSAGE_MAP(COutputWnd, CNavBarBase)
  ON_WM_CREATE()
  ON_COMMAND_RANGE(resources::ID_PRINT_LIST_TAB, resources::ID_INDEXES_TAB, &COutputWnd::OnTabCommand)
  ON_MESSAGE(WM_TABACTIVATE, &COutputWnd::OnTabActivated)
END_MESSAGE_MAP()

COutputWnd::COutputWnd() : CNavBarBase(resources::IDR_NAVIGATOR_MENU, 0) { m_pTabWnd = &m_wndTab; }

COutputWnd::~COutputWnd() = default;

int COutputWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CNavBarBase::OnCreate(lpcs) == -1) return -1;
  if (!m_wndTab.Create(this, WS_CHILD | WS_VISIBLE, resources::IDC_NAV_TAB_WND)) return -1;
  m_wndTab.SetNotifyWnd(this);
  LOGFONT lf{};
  if (::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) && m_fontTabs.CreateFontIndirect(&lf)) {
    m_wndTab.SetNormalTabFont(&m_fontTabs, FALSE);
    m_wndTab.SetSelectedTabFont(&m_fontTabs, FALSE);
    m_wndTab.SetActiveTabFont(&m_fontTabs, FALSE);
  }
  m_pHistoryTab = std::make_unique<CHistoryTab>();
  m_pBookmarkTab = std::make_unique<CBookmarkTab>();
  m_pResultsTab = std::make_unique<CSearchresTab>();
  m_pKeywordsTab = std::make_unique<CKeywordsresTab>();
  if (!m_pHistoryTab->Create(&m_wndTab) || !m_pBookmarkTab->Create(&m_wndTab) || !m_pResultsTab->Create(&m_wndTab) ||
      !m_pKeywordsTab->Create(&m_wndTab)) {
    return -1;
  }
  CWnd* pages[] = {m_pHistoryTab.get(), m_pBookmarkTab.get(), m_pKeywordsTab.get(), m_pResultsTab.get()};
  const char* labels[] = {"Historia", "Zakładki", "Indeksy", "Rezultaty"};
  for (size_t i = 0; i < std::size(pages); ++i) m_wndTab.AddTab(pages[i], CString(base::cp1250::from_utf8(labels[i])));
  m_wndTab.ActivateTab(0);
  m_pPrintmarkTab = std::make_unique<CPrintmarkTab>();
  if (!m_pPrintmarkTab->Create(&m_wndTab)) m_pPrintmarkTab.reset();
  return 0;
}

void COutputWnd::OnCtrlTab() { ActivateTab(navbar::NextNavigatorTab(GetActiveTab(), m_wndTab.GetTabCount())); }

void COutputWnd::OnTabCommand(UINT nID) {
  switch (nID) {
    case resources::ID_HISTORY_TAB: ActivateTab(0); break;
    case resources::ID_BOOKMARKS_TAB: ActivateTab(1); break;
    case resources::ID_INDEXES_TAB: ActivateTab(2); break;
    case resources::ID_RESULTS_TAB: ActivateTab(3); break;
    case resources::ID_PRINT_LIST_TAB:
      // The print list has no tab: the main window shows it in a window of its own.
      if (CWnd* main = AfxGetMainWnd(); main && main != this) main->SendMessage(WM_COMMAND, resources::ID_PRINT_LIST, 0);
      break;
    default: break;
  }
}

LRESULT COutputWnd::OnTabActivated(WPARAM, LPARAM) { return 0; }

// --- "Spisy" -----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CIndexWnd, CNavBarBase)

BEGIN_MESSAGE_MAP(CIndexWnd, CNavBarBase)
  ON_WM_CREATE()
  ON_COMMAND_RANGE(resources::ID_LIBRARY_TAB, resources::ID_BINDER_TAB, &CIndexWnd::OnTabCommand)
  ON_MESSAGE(WM_TABACTIVATE, &CIndexWnd::OnTabActivated)
END_MESSAGE_MAP()

CIndexWnd::CIndexWnd() : CNavBarBase(resources::IDR_INDEXWND_MENU, 2) { m_pTabWnd = &m_wndTab; }

CIndexWnd::~CIndexWnd() = default;

int CIndexWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CNavBarBase::OnCreate(lpcs) == -1) return -1;
  if (!m_wndTab.Create(this, WS_CHILD | WS_VISIBLE | TWS_TABS_BELOW, resources::IDC_NAV_TAB_WND)) return -1;
  m_wndTab.SetNotifyWnd(this);
  m_pLibraryTab = std::make_unique<CDUTab>();
  m_pBinderTab = std::make_unique<CCustomTab>();
  if (!m_pLibraryTab->Create(&m_wndTab) || !m_pBinderTab->Create(&m_wndTab)) return -1;
  CWnd* pages[] = {m_pLibraryTab.get(), m_pBinderTab.get()};
  const char* labels[] = {"Biblioteka", "Segregator"};
  for (int i = 0; i < 2; ++i) {
    m_wndTab.AddTab(pages[i], CString(base::cp1250::from_utf8(labels[i])));
    m_wndTab.LoadTabIcon(i, resources::IDI_INDEXWND_TAB, 16, 16);
  }
  m_wndTab.ActivateTab(0);
  return 0;
}

CDUTree* CIndexWnd::GetLibraryTree() const { return m_pLibraryTab ? &m_pLibraryTab->GetTree() : nullptr; }

void CIndexWnd::OnCtrlTab() {
  if (CDUTree* tree = GetLibraryTree(); tree && tree->m_hWnd) tree->HideItemTip();
  ActivateTab(navbar::NextIndexTab(GetActiveTab()));
}

void CIndexWnd::OnTabCommand(UINT nID) { ActivateTab(nID == resources::ID_LIBRARY_TAB ? 0 : 1); }

engine::TopicGroup* CIndexWnd::GetShadingGroup() const {
  return m_pBinderTab && GetActiveTab() == 1 ? m_pBinderTab->GetBinderGroup() : nullptr;
}

void CIndexWnd::RefreshBinderShading() {
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->UpdateBinderShading(GetShadingGroup());
  // A binder opened or closed: the query page's "Segregator" scope follows.
  CGTFSheet::RefreshQueryScopes();
}

LRESULT CIndexWnd::OnTabActivated(WPARAM, LPARAM) {
  RefreshBinderShading();
  return 0;
}
