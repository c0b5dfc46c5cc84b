#include "toolkit/widgets/toolbar_manager.h"

#include <algorithm>

#include "platform/base/profile.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"
#include "resources/resource_ids.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/frame/persistent_tree.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/widgets/custom_toolbar_info.h"
#include "toolkit/widgets/menu_bar.h"

IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

UINT SECBarNotifyMessage() {
  static const UINT message = RegisterWindowMessage("WM_BARNOTIFY");
  return message;
}

namespace {

constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC;

}  // namespace

SECToolBarManager::SECToolBarManager(CFrameWnd* pFrameWnd, CWnd* pOwner)
    : SECControlBarManager(pFrameWnd),
      m_pCmdRect(std::make_shared<SECCommandButtonRect>()),
      m_pBmpMgr(SECBmpMgr::CreateShared()),
      m_pDrawData(std::make_unique<SECBtnDrawData>()),
      m_pOwner(pOwner),
      m_pToolBarClass(RUNTIME_CLASS(SECCustomToolBar)) {}

SECToolBarManager::~SECToolBarManager() {
  // Bars that outlive the manager no longer reach it.
  for (SECCustomToolBar* bar : GetBars()) {
    if (bar->GetManager() == this) bar->SetManager(nullptr);
  }
  if (m_pBmpMgr) m_pBmpMgr->Release();
}

// --- Definitions and images -----------------------------------------------------------------------------

void SECToolBarManager::DefineToolBar(UINT nBarID, LPCTSTR lpszTitle, int nCount, const UINT* pIDs, DWORD dwDocking,
                                      UINT nDockBarID, UINT nBesideID, BOOL bDocked, BOOL bVisible) {
  auto def = std::make_unique<SECToolBarDefinition>();
  def->nBarID = nBarID;
  def->strTitle = lpszTitle ? lpszTitle : "";
  def->nCount = std::max(nCount, 0);
  def->pIDs = pIDs;
  def->dwDocking = dwDocking;
  def->nDockBarID = nDockBarID;
  def->nBesideID = nBesideID;
  def->bDocked = bDocked;
  def->bVisible = bVisible;
  m_defs.push_back(std::move(def));
}

BOOL SECToolBarManager::FindDefinition(UINT nBarID, int& nCount, const UINT*& pIDs) const {
  for (const auto& def : m_defs) {
    if (def->nBarID != nBarID) continue;
    nCount = def->nCount;
    pIDs = def->pIDs;
    return TRUE;
  }
  return FALSE;
}

BOOL SECToolBarManager::LoadToolBarBitmaps(UINT nSmallID, UINT nLargeID) {
  return m_pBmpMgr->AddToolBarResource(nSmallID, nLargeID, TRUE);
}

// --- The bars ------------------------------------------------------------------------------------------------

std::vector<SECCustomToolBar*> SECToolBarManager::GetBars() const {
  std::vector<SECCustomToolBar*> bars;
  if (!m_pFrameWnd) return bars;
  for (CControlBar* bar : m_pFrameWnd->m_listControlBars) {
    // The customize sheet's own bars are no frame bars, whatever their ids.
    if (auto* toolbar = dynamic_cast<SECCustomToolBar*>(bar); toolbar && toolbar->m_hWnd && !toolbar->IsCustomizeSheetBar()) {
      bars.push_back(toolbar);
    }
  }
  return bars;
}

SECCustomToolBar* SECToolBarManager::FindBarAt(const CRect& rectScreen) {
  for (SECCustomToolBar* bar : GetBars()) {
    if (!bar->IsWindowVisible()) continue;
    CWnd* wnd = bar;
    if (bar->IsFloating()) {
      if (CWnd* frame = bar->GetParent() ? bar->GetParent()->GetParent() : nullptr) wnd = frame;
    }
    CRect rect;
    wnd->GetWindowRect(&rect);
    CRect common;
    if (common.IntersectRect(rect, rectScreen)) return bar;
  }
  return nullptr;
}

SECCustomToolBar* SECToolBarManager::FindBarByID(UINT nID) {
  for (SECCustomToolBar* bar : GetBars()) {
    if (UINT(bar->GetDlgCtrlID()) == nID) return bar;
  }
  return nullptr;
}

SECCustomToolBar* SECToolBarManager::CreateToolBar(UINT nID, LPCTSTR lpszTitle) {
  if (!m_pFrameWnd || !m_pToolBarClass || !m_pToolBarClass->IsDerivedFrom(RUNTIME_CLASS(SECCustomToolBar))) {
    return nullptr;
  }
  std::unique_ptr<CObject> made = m_pToolBarClass->CreateObject();
  auto* bar = dynamic_cast<SECCustomToolBar*>(made.get());
  if (!bar) return nullptr;
  bar->SetManager(this);
  bar->SetBmpMgr(m_pBmpMgr);
  bar->m_bAutoDelete = TRUE;
  DWORD style = kToolBarStyle;
  if (m_bFlyBy) style |= CBRS_FLYBY;
  if (m_bToolTips) style |= CBRS_TOOLTIPS;
  const DWORD exStyle = m_bCoolLook ? BAREX_FLAT | BAREX_GRIPPER : 0;
  if (!bar->CreateBarEx(exStyle, m_pFrameWnd, style, nID, lpszTitle)) return nullptr;
  made.release();  // the bar ends with its window
  if (m_pOwner) bar->SetOwner(m_pOwner);
  bar->SetCustomizeMode(m_bBarsCustomize);
  bar->ResizeButtons();
  bar->EnableDocking(CBRS_ALIGN_ANY);
  return bar;
}

void SECToolBarManager::CreateDefaultBars() {
  if (!m_pFrameWnd) return;
  for (const auto& def : m_defs) {
    SECCustomToolBar* bar = CreateToolBar(def->nBarID, def->strTitle);
    if (!bar) return;
    bar->SetButtons(def->pIDs, def->nCount);
    bar->EnableDocking(def->dwDocking);
    SECCustomToolBar* beside = def->nBesideID ? FindBarByID(def->nBesideID) : nullptr;
    if (beside) {
      // Into the same row, just after (or below) the bar it goes beside.
      m_pFrameWnd->RecalcLayout();
      CRect rect;
      beside->GetWindowRect(&rect);
      const bool horz = def->nDockBarID == AFX_IDW_DOCKBAR_TOP || def->nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
      rect.OffsetRect(horz ? 1 : 0, horz ? 0 : 1);
      m_pFrameWnd->DockControlBar(bar, def->nDockBarID, &rect);
    } else {
      m_pFrameWnd->DockControlBar(bar, def->nDockBarID);
    }
  }
  m_pFrameWnd->RecalcLayout();
  for (const auto& def : m_defs) {
    SECCustomToolBar* bar = FindBarByID(def->nBarID);
    if (!bar) continue;
    if (!def->bVisible) m_pFrameWnd->ShowControlBar(bar, FALSE, FALSE);
    if (!def->bDocked) {
      CRect frame;
      m_pFrameWnd->GetWindowRect(&frame);
      m_pFrameWnd->FloatControlBar(bar, frame.TopLeft() + CPoint(40, 80), CBRS_ALIGN_TOP);
    }
  }
}

void SECToolBarManager::AttachBars() {
  const std::vector<SECCustomToolBar*> bars = GetBars();
  if (bars.empty()) {
    CreateDefaultBars();
    return;
  }
  for (SECCustomToolBar* bar : bars) {
    bar->SetManager(this);
    bar->SetBmpMgr(m_pBmpMgr);
    bar->SetCustomizeMode(m_bBarsCustomize);
    bar->Invalidate();
  }
}

SECCustomToolBar* SECToolBarManager::CreateUserBar(LPCTSTR lpszTitle) {
  if (!m_pFrameWnd) return nullptr;
  UINT id = SEC_IDW_FIRST_USER_TOOLBAR;
  const std::vector<SECCustomToolBar*> bars = GetBars();
  while (id <= SEC_IDW_LAST_USER_TOOLBAR &&
         std::any_of(bars.begin(), bars.end(), [id](SECCustomToolBar* b) { return UINT(b->GetDlgCtrlID()) == id; })) {
    ++id;
  }
  if (id > SEC_IDW_LAST_USER_TOOLBAR) return nullptr;
  CString title;
  if (lpszTitle && *lpszTitle) {
    // The new-toolbar dialog lets 128 characters through: all of them are kept.
    title = CString(lpszTitle).Left(128);
  } else {
    CString format;
    if (!AfxLoadString(resources::IDS_TOOLBAR_TITLE, format)) format = "ToolBar%d";
    title.Format(format, int(id - (SEC_IDW_FIRST_USER_TOOLBAR - 1)));
  }
  SECCustomToolBar* bar = CreateToolBar(id, title);
  if (!bar) return nullptr;
  bar->ShowWindow(SW_HIDE);
  return bar;
}

void SECToolBarManager::BroadcastToBars(UINT nID, UINT nCode, void* pData) {
  for (SECCustomToolBar* bar : GetBars()) bar->SendToButtons(nID, nCode, pData, FALSE);
}

BOOL SECToolBarManager::GetCommandButtonRect(CRect& rect) const {
  if (!m_pCmdRect->bValid) return FALSE;
  rect = m_pCmdRect->rect;
  return TRUE;
}

// --- Settings -----------------------------------------------------------------------------------------------

void SECToolBarManager::SetToolTips(BOOL bOn) {
  bOn = bOn != FALSE;
  if (bOn == m_bToolTips) return;
  m_bToolTips = bOn;
  for (SECCustomToolBar* bar : GetBars()) {
    bar->SetBarStyle(bOn ? bar->GetBarStyle() | CBRS_TOOLTIPS : bar->GetBarStyle() & ~CBRS_TOOLTIPS);
  }
}

void SECToolBarManager::EnableCoolLook(BOOL bOn, DWORD dwExStyle) {
  bOn = bOn != FALSE;
  if (bOn == m_bCoolLook) return;
  m_bCoolLook = bOn;
  for (SECCustomToolBar* bar : GetBars()) {
    bar->ModifyExStyle(bOn ? 0 : dwExStyle, bOn ? dwExStyle : 0, FALSE);
    bar->ResizeButtons();
    if (dwExStyle & BAREX_FLAT) bar->Invalidate();
  }
  if (m_pFrameWnd && m_pFrameWnd->m_hWnd) m_pFrameWnd->DelayRecalcLayout();
}

void SECToolBarManager::SetLargeButtons(BOOL bOn) {
  bOn = bOn != FALSE;
  if (bOn == m_bLargeButtons) return;
  m_bLargeButtons = bOn;
  ApplyLargeButtons();
}

void SECToolBarManager::ApplyLargeButtons() {
  m_pBmpMgr->SetSmallImagesOnly(!m_bLargeButtons);
  const std::vector<SECCustomToolBar*> bars = GetBars();
  for (SECCustomToolBar* bar : bars) {
    bar->ResizeButtons();
    bar->Invalidate();
    if (bar->IsFloating()) {
      if (auto* frame = dynamic_cast<CFrameWnd*>(bar->GetParent() ? bar->GetParent()->GetParent() : nullptr)) {
        frame->RecalcLayout();
      }
    }
  }
  if (!bars.empty() && m_pFrameWnd && m_pFrameWnd->m_hWnd) m_pFrameWnd->DelayRecalcLayout();
}

void SECToolBarManager::ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLarge) {
  SetToolTips(bToolTips);
  EnableCoolLook(bCoolLook, BAREX_FLAT | BAREX_GRIPPER);
  SetLargeButtons(bLarge);
}

// --- Configure mode ---------------------------------------------------------------------------------------

void SECToolBarManager::EnterConfigMode() {
  if (m_bConfigMode || !m_pFrameWnd || !m_pFrameWnd->m_hWnd) return;
  m_bConfigMode = TRUE;
  m_pFrameWnd->EnableWindow(TRUE);
  // Only the bars stay usable: views, the status bar and other bars are shut while the sheet is up.
  for (CWnd* child = m_pFrameWnd->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    if (!child->IsWindowEnabled()) continue;
    if (dynamic_cast<CDockBar*>(CWnd::FromHandlePermanent(child->m_hWnd))) continue;
    child->EnableWindow(FALSE);
    m_disabled.push_back(child->m_hWnd);
  }
}

void SECToolBarManager::LeaveConfigMode() {
  if (!m_bConfigMode) return;
  m_bConfigMode = FALSE;
  if (m_pFrameWnd && m_pFrameWnd->m_hWnd) m_pFrameWnd->EnableWindow(FALSE);
  for (HWND h : m_disabled) {
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  }
  m_disabled.clear();
}

CRect SECToolBarManager::GetConfigWindowRect() const {
  CRect rect(0, 0, 0, 0);
  if (m_pConfigWnd && m_pConfigWnd->m_hWnd) m_pConfigWnd->GetWindowRect(&rect);
  return rect;
}

void SECToolBarManager::SetBarsCustomizeMode(BOOL bOn) {
  bOn = bOn != FALSE;
  if (bOn == m_bBarsCustomize) return;
  m_bBarsCustomize = bOn;
  for (SECCustomToolBar* bar : GetBars()) bar->SetCustomizeMode(bOn);
}

void SECToolBarManager::Deselect(BOOL bRepaint) {
  if (SECCustomToolBar* bar = m_pSelectionBar) bar->Deselect(bRepaint);
  m_pSelectionBar = nullptr;
}

// --- Listeners ------------------------------------------------------------------------------------------------

void SECToolBarManager::AddListener(CWnd* pWnd) {
  if (pWnd && pWnd->m_hWnd && std::find(m_listeners.begin(), m_listeners.end(), pWnd->m_hWnd) == m_listeners.end()) {
    m_listeners.push_back(pWnd->m_hWnd);
  }
}

void SECToolBarManager::RemoveListener(CWnd* pWnd) {
  if (!pWnd) return;
  m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), pWnd->m_hWnd), m_listeners.end());
}

void SECToolBarManager::OnBarNotify(UINT nBarID, UINT nCode) {
  for (HWND h : std::vector<HWND>(m_listeners)) {
    if (::IsWindow(h)) ::SendMessage(h, SECBarNotifyMessage(), nBarID, nCode);
  }
}

// --- Saved settings and bars --------------------------------------------------------------------------------

void SECToolBarManager::LoadState(LPCTSTR lpszPrefix) {
  CString section;
  section.Format("%s-ToolBarManager", lpszPrefix ? lpszPrefix : "");
  const base::Profile& profile = base::Profile::app();
  ApplySettings(profile.GetProfileInt(section, "ToolTips", m_bToolTips) != 0,
                profile.GetProfileInt(section, "CoolLook", m_bCoolLook) != 0,
                profile.GetProfileInt(section, "LargeButtons", m_bLargeButtons) != 0);
  AttachBars();
}

void SECToolBarManager::SaveState(LPCTSTR lpszPrefix) {
  CString section;
  section.Format("%s-ToolBarManager", lpszPrefix ? lpszPrefix : "");
  base::Profile& profile = base::Profile::app();
  profile.WriteProfileInt(section, "ToolTips", m_bToolTips ? 1 : 0);
  profile.WriteProfileInt(section, "CoolLook", m_bCoolLook ? 1 : 0);
  profile.WriteProfileInt(section, "LargeButtons", m_bLargeButtons ? 1 : 0);
}

BOOL SECToolBarManager::LoadState(SECPersistentTreeNode* pNode) {
  SECPersistentTreeNode* node = pNode ? pNode->FindChild("ToolBarMgr") : nullptr;
  if (node) {
    int tips = m_bToolTips, cool = m_bCoolLook, large = m_bLargeButtons;
    node->GetInt("ToolTips", tips, tips);
    node->GetInt("CoolLook", cool, cool);
    node->GetInt("LargeButtons", large, large);
    ApplySettings(tips != 0, cool != 0, large != 0);
  } else {
    m_bToolTips = TRUE;
    m_bCoolLook = TRUE;
    m_bLargeButtons = FALSE;
  }
  AttachBars();
  return pNode != nullptr;
}

BOOL SECToolBarManager::SaveState(SECPersistentTreeNode* pNode) {
  if (!pNode) return FALSE;
  SECPersistentTreeNode* node = pNode->FindChild("ToolBarMgr");
  if (!node) node = pNode->AddChild("ToolBarMgr", pNode);
  if (!node) return FALSE;
  node->SetInt("ToolTips", m_bToolTips ? 1 : 0);
  node->SetInt("CoolLook", m_bCoolLook ? 1 : 0);
  node->SetInt("LargeButtons", m_bLargeButtons ? 1 : 0);
  return TRUE;
}

void SECToolBarManager::LoadStateFromProfile(LPCTSTR lpszPrefix) {
  if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(m_pFrameWnd)) {
    // Bars the saved layout names are made again (CreateBarByType) before the settings attach
    // them; without a saved layout the settings make the default bars.
    CString summary;
    summary.Format("%s-Summary", lpszPrefix ? lpszPrefix : "");
    if (base::Profile::app().GetProfileInt(summary, "Bars", 0) > 0) mdi->LoadBarState(lpszPrefix);
  }
  LoadState(lpszPrefix);
  // Floating frames take their captions from the titles the bars got back.
  for (SECCustomToolBar* bar : GetBars()) {
    if (!bar->IsFloating()) continue;
    if (auto* frame = dynamic_cast<CFrameWnd*>(bar->GetParent() ? bar->GetParent()->GetParent() : nullptr)) {
      frame->RecalcLayout();
      frame->Invalidate();
    }
  }
}

void SECToolBarManager::SaveStateToProfile(LPCTSTR lpszPrefix) {
  SaveState(lpszPrefix);
  if (auto* mdi = dynamic_cast<SECMDIFrameWnd*>(m_pFrameWnd)) mdi->SaveBarState(lpszPrefix);
}

DWORD SECToolBarManager::GetBarTypeID(CControlBar* pBar) {
  // The menu bar is saved as one: its buttons are never read back as a toolbar's.
  if (dynamic_cast<SECMenuBar*>(pBar)) return SEC_BARTYPE_MENUBAR;
  if (dynamic_cast<SECCustomToolBar*>(pBar)) return SEC_BARTYPE_TOOLBAR;
  return SECControlBarManager::GetBarTypeID(pBar);
}

SECControlBarInfoEx* SECToolBarManager::CreateBarInfoEx(CControlBarInfo* pInfo) {
  auto* record = dynamic_cast<SECBarStateRecord*>(pInfo);
  if (record && (record->m_dwTypeID == SEC_BARTYPE_TOOLBAR || record->m_dwTypeID == SEC_BARTYPE_MENUBAR)) {
    return new SECCustomToolBarInfoEx;
  }
  return SECControlBarManager::CreateBarInfoEx(pInfo);
}

CControlBar* SECToolBarManager::CreateBarByType(CControlBarInfo* pInfo) {
  auto* record = dynamic_cast<SECBarStateRecord*>(pInfo);
  if (!record || record->m_dwTypeID != SEC_BARTYPE_TOOLBAR) return SECControlBarManager::CreateBarByType(pInfo);
  // Only ids a toolbar may carry: a saved layout names no other window into being.
  if (record->m_nBarID == 0 || record->m_nBarID > 0xFFFF) return nullptr;
  return CreateToolBar(record->m_nBarID, nullptr);
}
