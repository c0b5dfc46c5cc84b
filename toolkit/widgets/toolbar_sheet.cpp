#include "toolkit/widgets/toolbar_sheet.h"

#include <algorithm>

#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_frame.h"
#include "platform/res/resource_store.h"
#include "platform/win/message_queue.h"
#include "platform/win/messages.h"
#include "platform/win/window_dc.h"
#include "platform/win/system_metrics.h"
#include "resources/toolkit_ids.h"
#include "toolkit/widgets/toolbar_manager.h"

UINT SECToolBarStyleChangingMessage() {
  static const UINT message = RegisterWindowMessage("WM_TOOLBARSTYLECHANGING");
  return message;
}

namespace {

constexpr DWORD kCategoryBarStyle = 0x50000085;  // child, visible, 3-D border, dynamic size, floating
constexpr DWORD kCoolBits = BAREX_FLAT | BAREX_GRIPPER;

// Dialog units to pixels with the window's font: horizontal units are the average character width
// / 4, vertical units the line height / 8 (the system's dialog base units without a font).
CSize DialogUnitsToPixels(CWnd* wnd, int cx, int cy) {
  CFont* font = wnd->GetFont();
  int baseX = LOWORD(GetDialogBaseUnits());
  int baseY = HIWORD(GetDialogBaseUnits());
  if (font) {
    CClientDC dc(wnd);
    CFont* old = dc.SelectObject(font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const CSize extent = dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52);
    dc.SelectObject(old);
    baseX = (extent.cx + 26) / 52;
    baseY = tm.tmHeight + tm.tmExternalLeading;
  }
  return CSize(MulDiv(cx, baseX, 4), MulDiv(cy, baseY, 8));
}

}  // namespace

// --- SECCustomizeToolBar --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECCustomizeToolBar, SECCustomToolBar)

void SECCustomizeToolBar::Tell(UINT nCode) {
  if (nCode == SEC_BARNOTIFY_SELECTION) SECCustomToolBar::Tell(nCode);
}

LRESULT SECCustomizeToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = SECCustomToolBar::WindowProc(message, wParam, lParam);
  // The frame the sheet belongs to took the bar for one of its own: it is not, so it is neither
  // laid out nor saved with the frame's bars, and no frame bar is ever taken for it.
  if (message == WM_CREATE && m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  return result;
}

// --- Categories -----------------------------------------------------------------------------------

SECToolBarCategoryBase::~SECToolBarCategoryBase() = default;

SECToolBarCategory::SECToolBarCategory(LPCTSTR lpszName, int nCount, const UINT* pIDs)
    : m_nCount(std::max(nCount, 0)), m_pIDs(pIDs) {
  m_strName = lpszName ? lpszName : "";
}

BOOL SECToolBarCategory::Create(SECToolBarCmdPage* pPage, SECToolBarManager* pManager, UINT nID) {
  m_pWnd = std::make_unique<SECCustomizeToolBar>();
  DWORD style = kCategoryBarStyle;
  DWORD exStyle = 0;
  if (pManager) {
    if (pManager->IsFlyBy()) style |= CBRS_FLYBY;
    if (pManager->IsCoolLook()) exStyle |= kCoolBits;
    m_pWnd->SetManager(pManager);
    m_pWnd->SetBmpMgr(pManager->GetBmpMgr());
  }
  if (!m_pWnd->CreateBarEx(exStyle, pPage, style, nID, m_strName)) {
    m_pWnd.reset();
    return FALSE;
  }
  if (pManager && pManager->GetFrame()) m_pWnd->SetOwner(pManager->GetFrame());
  if (m_pIDs && m_nCount > 0) m_pWnd->SetButtons(m_pIDs, m_nCount);
  m_pWnd->ResizeButtons();
  return TRUE;
}

void SECToolBarCategory::Layout(const CRect& rect) {
  if (!m_pWnd || !m_pWnd->m_hWnd) return;
  m_pWnd->m_nMRUWidth = rect.Width();
  const CSize size = m_pWnd->CalcDynamicLayout(rect.Width(), LM_HORZ | LM_COMMIT);
  m_pWnd->MoveWindow(rect.left, rect.top, rect.Width(), std::min<int>(size.cy, rect.Height()));
}

void SECToolBarCategory::SetCustomizeMode(BOOL bOn) {
  if (m_pWnd) m_pWnd->SetCustomizeMode(bOn);
}

// --- SECToolBarCmdPage ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECToolBarCmdPage, CGSPropertyPage)

SECToolBarCmdPage::SECToolBarCmdPage() : SECToolBarCmdPage(resources::IDD_TOOLBAR_CMD_PAGE, 0) {}

SECToolBarCmdPage::SECToolBarCmdPage(UINT nIDTemplate, UINT nIDCaption) : CGSPropertyPage(nIDTemplate, nIDCaption) {}

SECToolBarCmdPage::~SECToolBarCmdPage() {
  if (m_pManager) {
    m_pManager->RemoveListener(this);
    m_pManager->SetConfigWindow(nullptr);
  }
  m_categories.clear();
}

void SECToolBarCmdPage::AddCategory(LPCTSTR lpszName, int nCount, const UINT* pIDs) {
  m_categories.push_back(std::make_unique<SECToolBarCategory>(lpszName, nCount, pIDs));
}

void SECToolBarCmdPage::SetManager(SECToolBarManager* pManager) {
  if (m_pManager && m_pManager != pManager) m_pManager->RemoveListener(this);
  m_pManager = pManager;
  if (m_pManager && m_hWnd) m_pManager->AddListener(this);
}

SECToolBarCategoryBase* SECToolBarCmdPage::GetCategory(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCategoryCount() ? m_categories[size_t(nIndex)].get() : nullptr;
}

void SECToolBarCmdPage::ShowDescription(int nID) {
  CString text;
  if (nID != -1 && nID > 0) {
    CString full;
    if (AfxLoadString(UINT(nID), full)) {
      const int end = full.Find('\n');
      text = end >= 0 ? full.Left(end) : full;
    }
  }
  if (CWnd* description = GetDlgItem(resources::IDC_TB_DESCRIPTION)) description->SetWindowText(text);
}

BOOL SECToolBarCmdPage::OnInitDialog() {
  CGSPropertyPage::OnInitDialog();
  if (m_pManager) m_pManager->AddListener(this);
  m_rectArea.SetRectEmpty();
  if (CWnd* group = GetDlgItem(resources::IDC_TB_BUTTONS_GROUP)) {
    group->GetWindowRect(&m_rectArea);
    ScreenToClient(&m_rectArea);
    const CSize inset = DialogUnitsToPixels(this, 6, 8);
    m_rectArea.DeflateRect(inset.cx, inset.cy);
  }
  CWnd* list = GetDlgItem(resources::IDC_TB_LIST);
  UINT nID = SEC_IDW_FIRST_CATEGORY_BAR;
  for (size_t i = 0; i < m_categories.size(); ++i, --nID) {
    SECToolBarCategoryBase* category = m_categories[i].get();
    if (!category->Create(this, m_pManager, nID)) return FALSE;
    category->Layout(m_rectArea);
    if (i > 0) category->m_pWnd->ShowWindow(SW_HIDE);
    if (list) list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(category->m_strName)));
  }
  m_nCurrent = -1;
  if (!m_categories.empty()) {
    if (list) list->SendMessage(LB_SETCURSEL, 0);
    m_nCurrent = 0;
  }
  return TRUE;
}

void SECToolBarCmdPage::SelectCategory(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCategoryCount()) return;
  if (CWnd* list = GetDlgItem(resources::IDC_TB_LIST)) list->SendMessage(LB_SETCURSEL, WPARAM(nIndex));
  if (nIndex != m_nCurrent) {
    if (SECToolBarCategoryBase* old = GetCategory(m_nCurrent)) old->SetCustomizeMode(FALSE);
  }
  for (int i = 0; i < GetCategoryCount(); ++i) {
    SECCustomizeToolBar* bar = m_categories[size_t(i)]->m_pWnd.get();
    if (!bar || !bar->m_hWnd) continue;
    bar->ShowWindow(i == nIndex ? SW_SHOW : SW_HIDE);
  }
  m_nCurrent = nIndex;
  m_categories[size_t(nIndex)]->SetCustomizeMode(TRUE);
}

BOOL SECToolBarCmdPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == resources::IDC_TB_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
    if (CWnd* list = GetDlgItem(resources::IDC_TB_LIST)) SelectCategory(int(list->SendMessage(LB_GETCURSEL)));
    return TRUE;
  }
  return CGSPropertyPage::OnCommand(wParam, lParam);
}

BOOL SECToolBarCmdPage::OnSetActive() {
  if (m_pManager) {
    m_pManager->SetBarsCustomizeMode(TRUE);
    m_pManager->EnterConfigMode();
    m_pManager->SetConfigWindow(GetParent());
  }
  if (SECToolBarCategoryBase* shown = GetCategory(m_nCurrent)) shown->SetCustomizeMode(TRUE);
  return CGSPropertyPage::OnSetActive();
}

void SECToolBarCmdPage::EndConfigure() {
  if (!m_pManager) return;
  m_pManager->SetBarsCustomizeMode(FALSE);
  m_pManager->LeaveConfigMode();
}

BOOL SECToolBarCmdPage::OnKillActive() {
  if (m_pManager) {
    EndConfigure();
    if (CWnd* sheet = GetParent()) sheet->EnableWindow(TRUE);
  }
  if (SECToolBarCategoryBase* shown = GetCategory(m_nCurrent)) shown->SetCustomizeMode(FALSE);
  return CGSPropertyPage::OnKillActive();
}

void SECToolBarCmdPage::OnReset() {
  if (m_pManager) {
    EndConfigure();
    m_pManager->SetConfigWindow(nullptr);
  }
  CGSPropertyPage::OnReset();
}

void SECToolBarCmdPage::OnCancel() {
  OnReset();
  CGSPropertyPage::OnCancel();
}

void SECToolBarCmdPage::OnBarNotify(UINT, UINT nCode) {
  if (!m_pManager || nCode != SEC_BARNOTIFY_SELECTION) return;
  // Category bars take ids in the user toolbars' range: the bar holding the selection is known by
  // the object the manager keeps, never looked up by id.
  SECCustomToolBar* bar = m_pManager->GetSelectionBar();
  const int index = bar ? bar->GetSelectedIndex() : -1;
  ShowDescription(index >= 0 ? int(bar->GetItemID(index)) : -1);
}

void SECToolBarCmdPage::OnToolBarStyleChanging(WPARAM what) {
  if (!m_pManager) return;
  for (const auto& category : m_categories) {
    SECCustomizeToolBar* bar = category->m_pWnd.get();
    if (!bar || !bar->m_hWnd) continue;
    if (what == SEC_TBSTYLE_LARGE_BUTTONS) bar->ResizeButtons();
    if (what == SEC_TBSTYLE_COOL_LOOK) {
      bar->ModifyExStyle(m_pManager->IsCoolLook() ? 0 : kCoolBits, m_pManager->IsCoolLook() ? kCoolBits : 0, FALSE);
    }
    CRect rect;
    bar->GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.bottom = m_rectArea.bottom;
    category->Layout(rect);
    bar->Invalidate();
  }
}

LRESULT SECToolBarCmdPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECBarNotifyMessage()) {
    OnBarNotify(UINT(wParam), UINT(lParam));
    return 0;
  }
  if (message == SECToolBarStyleChangingMessage()) {
    OnToolBarStyleChanging(wParam);
    return 0;
  }
  return CGSPropertyPage::WindowProc(message, wParam, lParam);
}

// --- SECToolBarSheet ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECToolBarSheet, CGSPropertySheet)

BEGIN_MESSAGE_MAP(SECToolBarSheet, CGSPropertySheet)
  ON_WM_ACTIVATE()
  ON_MESSAGE(WM_FLOATSTATUS, &SECToolBarSheet::OnFloatStatus)
END_MESSAGE_MAP()

SECToolBarSheet::SECToolBarSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CGSPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

SECToolBarSheet::SECToolBarSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CGSPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

SECToolBarSheet::~SECToolBarSheet() = default;

BOOL SECToolBarSheet::OnCommand(WPARAM wParam, LPARAM lParam) { return CGSPropertySheet::OnCommand(wParam, lParam) ? TRUE : FALSE; }

void SECToolBarSheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CGSPropertySheet::OnActivate(nState, pWndOther, bMinimized);
  // The frame's floating bars show their captions as the sheet is.
  CFrameWnd* frame = nullptr;
  for (CWnd* w = GetOwner() ? GetOwner() : GetParent(); w && !frame; w = w->GetParent()) frame = dynamic_cast<CFrameWnd*>(w);
  if (!frame) return;
  const WPARAM status = nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE;
  for (HWND h : frame->FloatingWindows()) ::SendMessage(h, WM_FLOATSTATUS, status, 0);
}

LRESULT SECToolBarSheet::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) ? TRUE : FALSE);
  return 0;
}

// --- SECMenuListBox -------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuListBox, CListBox)

BEGIN_MESSAGE_MAP(SECMenuListBox, CListBox)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

int SECMenuListBox::ItemFromPointScan(CPoint point) const {
  const int count = GetCount();
  if (count <= 0) return -1;
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) return -1;
  int last = -1;
  for (int i = std::max(GetTopIndex(), 0); i < count; ++i) {
    CRect item;
    if (GetItemRect(i, &item) == LB_ERR) break;
    if (item.top >= client.bottom) break;
    if (item.PtInRect(point)) return i;
    // Several columns: only items of the point's column count as above it.
    if (item.left <= point.x && point.x < item.right && item.top <= point.y) last = i;
  }
  return last;
}

void SECMenuListBox::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  int index = -1;
  if (m_bOwnHitTest) {
    index = ItemFromPointScan(point);
  } else {
    BOOL outside = TRUE;
    const UINT hit = ItemFromPoint(point, outside);
    if (!outside) index = int(hit);
  }
  if (index < 0 || index >= GetCount()) return;
  SetCurSel(index);
  const int nID = int(GetItemData(index));
  if (!m_pManager || nID == -1 || nID == 0) return;
  if (auto* page = dynamic_cast<SECToolBarCmdPage*>(GetParent())) page->ShowDescription(nID);
  // A plain button for the command stands in for the dragged one.
  SECStdBtn button;
  button.m_nID = UINT(nID);
  button.m_x = point.x;
  button.m_y = point.y;
  button.m_cx = 23;
  button.m_cy = 22;
  PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x - 1, point.y - 1));
  DragToolBarButton(m_pManager, &button, -1, point, nullptr, this, TRUE);
}
