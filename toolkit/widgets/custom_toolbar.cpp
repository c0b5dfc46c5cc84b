#include "toolkit/widgets/custom_toolbar.h"

#include <algorithm>

#include "platform/framework/command_ids.h"
#include "platform/framework/dock_bar.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/mini_dock_frame.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/messages.h"
#include "platform/win/mouse_tracking.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/frame/sec_dock_state.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/custom_toolbar_info.h"
#include "toolkit/widgets/toolbar_manager.h"
#include "toolkit/widgets/wnd_button.h"

IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

BOOL SECCustomToolBar::s_bCommandInProgress = FALSE;
BOOL SECCustomToolBar::s_bAltDrag = FALSE;

UINT SECNoDelayHideMessage() {
  static const UINT message = RegisterWindowMessage("WM_NODELAYHIDE");
  return message;
}

namespace {

BOOL KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

// --- Update objects ----------------------------------------------------------------------------------

void SECToolBarCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  const DWORD style = m_pBar->GetButtonStyle(int(m_nIndex));
  m_pBar->SetButtonStyle(int(m_nIndex), bOn ? style & ~SEC_TBBS_DISABLED : style | SEC_TBBS_DISABLED);
}

void SECToolBarCmdUI::SetCheck(int nCheck) {
  DWORD style = m_pBar->GetButtonStyle(int(m_nIndex));
  style = (style | SEC_TBBS_CHECKBOX) & ~(SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE);
  if (nCheck == 1) style |= SEC_TBBS_CHECKED;
  if (nCheck == 2) style |= SEC_TBBS_INDETERMINATE;
  m_pBar->SetButtonStyle(int(m_nIndex), style);
}

// --- Construction -------------------------------------------------------------------------------------

SECCustomToolBar::SECCustomToolBar() : m_pBmpMgr(SECBmpMgr::CreateShared()) {
  m_cyTopBorder = 3;
  m_cyBottomBorder = 3;
}

SECCustomToolBar::~SECCustomToolBar() {
  if (m_pManager && m_pManager->GetSelectionBar() == this) m_pManager->SetSelectionBar(nullptr);
  for (SECStdBtn* btn : m_btns) delete btn;
  m_btns.clear();
  if (m_pBmpMgr) m_pBmpMgr->Release();
}

BOOL SECCustomToolBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                              CCreateContext* pContext) {
  SetLayoutNeeded();
  if (!SECControlBar::Create(pParentWnd, lpszWindowName, dwStyle, dwExStyle | BAREX_FIXED_SIZE, nID, pContext)) {
    return FALSE;
  }
  m_dwStyle = dwStyle & CBRS_ALL;
  Tell(SEC_BARNOTIFY_CREATED);
  return TRUE;
}

BOOL SECCustomToolBar::CreateBarEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle) {
  return Create(pParentWnd, lpszTitle ? lpszTitle : "", dwStyle, dwExStyle, nID);
}

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* pBmpMgr) {
  if (!pBmpMgr || pBmpMgr == m_pBmpMgr) return;
  pBmpMgr->AddRef();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = pBmpMgr;
  ResizeButtons();
}

void SECCustomToolBar::Tell(UINT nCode) {
  if (m_pManager && m_hWnd) m_pManager->OnBarNotify(UINT(GetDlgCtrlID()), nCode);
}

BOOL SECCustomToolBar::IsUserBar() const {
  return m_hWnd && UINT(GetDlgCtrlID()) >= SEC_IDW_FIRST_USER_TOOLBAR;
}

// --- What the buttons use -------------------------------------------------------------------------------

CWnd* SECCustomToolBar::GetBarOwner() {
  CWnd* owner = GetOwner();
  return owner ? owner : GetParent();
}

int SECCustomToolBar::GetImageWidth() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cx : 16; }
int SECCustomToolBar::GetImageHeight() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cy : 15; }

BOOL SECCustomToolBar::DrawsTransparent() const {
  return (m_dwExStyle & (BAREX_FLAT | BAREX_TRANSPARENT)) == (BAREX_FLAT | BAREX_TRANSPARENT);
}

int SECCustomToolBar::ButtonIndex(const SECStdBtn* pBtn) const {
  auto it = std::find(m_btns.begin(), m_btns.end(), pBtn);
  return it == m_btns.end() ? -1 : int(it - m_btns.begin());
}

void SECCustomToolBar::RaiseWidestButton(int cx) { m_nWidestButton = std::max(m_nWidestButton, cx); }

void SECCustomToolBar::RecalcFrameLayout() {
  SetLayoutNeeded();
  if (!m_hWnd) return;
  // A floating bar's own frame first, then the main frame.
  CWnd* parent = GetParent();
  for (CWnd* w = parent; w; w = w->GetParent()) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(w)) {
      frame->RecalcLayout();
      if (!dynamic_cast<CMiniDockFrameWnd*>(frame)) break;
    }
  }
  if (m_pDockSite) m_pDockSite->RecalcLayout();
}

CFont* SECCustomToolBar::GetFont() const { return CFont::FromHandle(HFONT(GetStockObject(DEFAULT_GUI_FONT))); }

// --- Buttons ------------------------------------------------------------------------------------------------

SECStdBtn* SECCustomToolBar::GetButton(int nIndex) const {
  return nIndex >= 0 && nIndex < int(m_btns.size()) ? m_btns[size_t(nIndex)] : nullptr;
}

int SECCustomToolBar::FindButtonByCommand(UINT nID) const {
  for (size_t i = 0; i < m_btns.size(); ++i) {
    if (m_btns[i]->m_nID == nID && !(m_btns[i]->GetStyle() & SEC_TBBS_SEPARATOR)) return int(i);
  }
  return -1;
}

UINT SECCustomToolBar::GetItemID(int nIndex) const {
  const SECStdBtn* btn = GetButton(nIndex);
  return btn ? btn->m_nID : 0;
}

CRect SECCustomToolBar::GetItemRect(int nIndex) const {
  const SECStdBtn* btn = GetButton(nIndex);
  return btn ? btn->GetRect() : CRect();
}

DWORD SECCustomToolBar::GetButtonStyle(int nIndex) const {
  const SECStdBtn* btn = GetButton(nIndex);
  return btn ? btn->GetStyle() : 0;
}

void SECCustomToolBar::SetButtonStyle(int nIndex, DWORD dwStyle) {
  SECStdBtn* btn = GetButton(nIndex);
  if (!btn || btn->GetStyle() == dwStyle) return;
  btn->SetStyle(dwStyle);
  btn->Invalidate();
}

SECStdBtn* SECCustomToolBar::CreateButton(UINT nID, SECCustomToolBar* pToolBar) {
  return SECCreateToolBarButton(nID, m_pManager ? m_pManager->GetButtonMap() : nullptr, pToolBar,
                                pToolBar->m_bCollapsed);
}

SECStdBtn* SECCustomToolBar::CreateSeparator(SECCustomToolBar* pToolBar) { return SECCreateToolBarSeparator(pToolBar); }

void SECCustomToolBar::SetLayoutNeeded() { m_bNeedFloatLayout = m_bNeedHorzLayout = m_bNeedVertLayout = TRUE; }

void SECCustomToolBar::InsertAt(int nIndex, SECStdBtn* pBtn) {
  nIndex = std::clamp(nIndex, 0, int(m_btns.size()));
  m_btns.insert(m_btns.begin() + nIndex, pBtn);
  if (m_nSelected >= nIndex) ++m_nSelected;
  if (m_nHot >= nIndex) ++m_nHot;
  if (m_nActive >= nIndex) ++m_nActive;
  if (m_nTracked >= nIndex) ++m_nTracked;
  SetLayoutNeeded();
}

void SECCustomToolBar::RemoveAt(int nIndex) {
  if (nIndex < 0 || nIndex >= int(m_btns.size())) return;
  auto follow = [nIndex](int& i) {
    if (i == nIndex) {
      i = -1;
    } else if (i > nIndex) {
      --i;
    }
  };
  if (m_nHot == nIndex && m_hWnd) KillTimer(SEC_TOOLBAR_HOT_TIMER);
  if (m_nSelected == nIndex && m_pManager && m_pManager->GetSelectionBar() == this) m_pManager->SetSelectionBar(nullptr);
  follow(m_nSelected);
  follow(m_nHot);
  follow(m_nActive);
  follow(m_nTracked);
  SECStdBtn* btn = m_btns[size_t(nIndex)];
  m_btns.erase(m_btns.begin() + nIndex);
  delete btn;
  SetLayoutNeeded();
}

void SECCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc) {
  nIndex = std::clamp(nIndex, 0, int(m_btns.size()));
  SECStdBtn* btn = bSeparator ? CreateSeparator(this) : CreateButton(nID, this);
  InsertAt(nIndex, btn);
  if (m_nMRUWidth < 0x7FFF) m_nMRUWidth += btn->m_cx;
  if (!bSeparator) UpdateButton(nIndex);
  if (bNoRecalc) return;
  RecalcFrameLayout();
  if (m_hWnd) Invalidate();
}

BOOL SECCustomToolBar::RemoveButton(int nIndex, BOOL bNoRecalc) {
  if (nIndex < 0 || nIndex >= int(m_btns.size())) return FALSE;
  RemoveAt(nIndex);
  // A separator left first, last, or beside another goes with the button.
  const auto sep = [this](int i) { return i >= 0 && i < int(m_btns.size()) && (m_btns[size_t(i)]->GetStyle() & SEC_TBBS_SEPARATOR); };
  const int n = int(m_btns.size());
  if (n > 0) {
    if (nIndex == 0 && sep(0)) {
      RemoveAt(0);
    } else if (nIndex == n && sep(n - 1)) {
      RemoveAt(n - 1);
    } else if (sep(nIndex - 1) && sep(nIndex)) {
      RemoveAt(nIndex);
    }
  }
  const BOOL remain = !m_btns.empty();
  if (bNoRecalc) return remain;
  if (!remain && IsUserBar()) {
    DestroyWindow();
    return FALSE;
  }
  RecalcFrameLayout();
  if (m_hWnd) Invalidate();
  return remain;
}

void SECCustomToolBar::RemoveAllButtons() {
  while (!m_btns.empty()) RemoveAt(int(m_btns.size()) - 1);
}

void SECCustomToolBar::SetButtons(const UINT* pIDs, int nCount) {
  Deselect(FALSE);
  RemoveAllButtons();
  for (int i = 0; pIDs && i < nCount; ++i) {
    m_btns.push_back(pIDs[i] ? CreateButton(pIDs[i], this) : CreateSeparator(this));
  }
  SetLayoutNeeded();
}

void SECCustomToolBar::AddButtons(int nCount, const TBBUTTON* pButtons) {
  for (int i = 0; pButtons && i < nCount; ++i) {
    const TBBUTTON& b = pButtons[i];
    const BOOL separator = b.idCommand == 0 || (b.fsStyle & TBSTYLE_SEP);
    InsertButton(GetBtnCount(), UINT(b.idCommand), separator, i + 1 < nCount);
    SECStdBtn* btn = m_btns.back();
    btn->SetStyle(btn->GetStyle() | DWORD(b.fsState) << 16 | b.fsStyle);
  }
}

int SECCustomToolBar::HitTest(int x, int y, CRect* pRect) const {
  const int rowHeight = GetImageHeight() + 7;
  for (size_t i = 0; i < m_btns.size(); ++i) {
    const SECStdBtn* btn = m_btns[i];
    if (btn->GetStyle() & SEC_TBBS_HIDDEN) continue;
    if (y < btn->m_y || y > btn->m_y + std::max(rowHeight, btn->m_cy)) continue;
    if (x < btn->m_x || x > btn->m_x + btn->m_cx) continue;
    if (btn->GetStyle() & SEC_TBBS_SEPARATOR) return -1;
    if (pRect) *pRect = btn->GetRect();
    return int(i);
  }
  return -1;
}

void SECCustomToolBar::ResizeButtons() {
  m_nWidestButton = 0;
  for (SECStdBtn* btn : m_btns) btn->RecalcSize();
  SetLayoutNeeded();
}

void SECCustomToolBar::SendToButtons(UINT nID, UINT nCode, void* pData, BOOL bThroughManager) {
  if (bThroughManager && m_pManager) {
    m_pManager->BroadcastToBars(nID, nCode, pData);
    return;
  }
  // A bar of its own still reaches its own buttons.
  for (SECStdBtn* btn : std::vector<SECStdBtn*>(m_btns)) {
    if (btn->m_nID == nID && ButtonIndex(btn) >= 0) btn->Notify(nCode, pData);
  }
}

// --- Layout --------------------------------------------------------------------------------------------

int SECCustomToolBar::AddGripperExtent(CSize& size, BOOL bHorz) const {
  int amount = SECControlBar::AddGripperExtent(size, bHorz);
  if (m_dwExStyle & BAREX_FIXED_SIZE) {
    (bHorz ? size.cx : size.cy) += 2;
    amount += 2;
  }
  return amount;
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode) {
  const bool horzDock = (dwMode & LM_HORZDOCK) != 0;
  const bool vertDock = (dwMode & LM_VERTDOCK) != 0;
  const bool floating = !horzDock && !vertDock;
  const bool horz = horzDock || (floating && (dwMode & LM_HORZ));
  const bool lengthY = (dwMode & LM_LENGTHY) != 0;
  const int bw = GetImageWidth() + 7;
  const int bh = GetImageHeight() + 7;

  // Window buttons give up their windows on a bar standing upright.
  const BOOL collapse = vertDock;
  if (collapse != m_bCollapsed) {
    m_bCollapsed = collapse;
    for (SECStdBtn* btn : m_btns) btn->SetCollapsed(collapse);
  }

  CRect inside(0, 0, 10000, 10000);
  CalcInsideRect(inside, horz);
  const CRect insets(inside.left, inside.top, 10000 - inside.right, 10000 - inside.bottom);

  // Hidden buttons take no part.
  std::vector<int> shown;
  std::vector<toolbar_layout::Item> items;
  for (size_t i = 0; i < m_btns.size(); ++i) {
    const SECStdBtn* btn = m_btns[i];
    if (btn->GetStyle() & SEC_TBBS_HIDDEN) continue;
    shown.push_back(int(i));
    items.push_back({btn->m_cx, btn->m_cy, (btn->GetStyle() & SEC_TBBS_SEPARATOR) != 0,
                     (btn->GetStyle() & SEC_TBBS_VCENTER) != 0});
  }

  int stretchLength = -1;
  if ((m_dwExStyle & BAREX_OWN_ROW) && !floating && GetParent()) {
    CRect parent;
    GetParent()->GetClientRect(&parent);
    stretchLength = horzDock ? parent.Width() : (nLength < 0 ? parent.Height() : -1);
  }

  CSize size;
  if (items.empty()) {
    m_rows.clear();
    size = CSize(bw + insets.left + insets.right, bh + insets.top + insets.bottom);
  } else {
    int length = nLength;
    if ((dwMode & LM_STRETCH) && length >= 0) length = barlayout::CommitLength(length, dwMode, m_fPctWidth);
    if (m_dwStyle & CBRS_SIZE_FIXED) length = 0x7FFF;
    int wrap;
    bool byHeight = false;
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) {
      wrap = vertDock ? 0 : 0x7FFF;
    } else if (dwMode & LM_MRUWIDTH) {
      wrap = m_nMRUWidth;
    } else if (length >= 0) {
      byHeight = lengthY;
      wrap = lengthY ? length - insets.top - insets.bottom : length - insets.left - insets.right;
    } else if (floating) {
      wrap = m_nMRUWidth;
    } else {
      wrap = vertDock ? 0 : 0x7FFF;
    }
    m_rows = toolbar_layout::WrapLayout(items, std::max(wrap, 0), byHeight, GetImageWidth(), GetImageHeight());
    // The wrap bits mark each row's last button but the bar's last.
    for (SECStdBtn* btn : m_btns) btn->SetStyle(btn->GetStyle() & ~SEC_TBBS_WRAPPED);
    for (size_t r = 0; r + 1 < m_rows.size(); ++r) {
      SECStdBtn* btn = m_btns[size_t(shown[size_t(m_rows[r].last)])];
      btn->SetStyle(btn->GetStyle() | SEC_TBBS_WRAPPED);
    }
    const std::vector<CPoint> at =
        toolbar_layout::Place(items, m_rows, CPoint(insets.left, insets.top), m_nSepWidth);
    for (size_t i = 0; i < shown.size(); ++i) m_btns[size_t(shown[i])]->SetPos(at[i].x, at[i].y);
    const CSize content = toolbar_layout::CalcSize(m_rows, m_nSepWidth);
    size = CSize(content.cx + insets.left + insets.right, content.cy + insets.top + insets.bottom);
    if (floating && !lengthY) m_nMRUWidth = content.cx;
  }
  if (stretchLength >= 0) {
    (horzDock ? size.cx : size.cy) = std::max<LONG>(horzDock ? size.cx : size.cy, stretchLength);
    // A caption button keeps to the bar's far end.
    if (!m_btns.empty() && m_btns.back()->m_nType == SEC_BTNTYPE_CAPTION) {
      SECStdBtn* last = m_btns.back();
      if (horzDock) {
        last->SetPos(size.cx - last->m_cx - 2, last->m_y);
      } else {
        last->SetPos(last->m_x, size.cy - last->m_cy - 2);
      }
    }
  }
  if (horzDock) {
    m_szHorz = m_szHorzDock = size;
    m_bNeedHorzLayout = FALSE;
  } else if (vertDock) {
    m_szVert = m_szVertDock = size;
    m_bNeedVertLayout = FALSE;
  } else {
    m_szFloating = m_szFloat = size;
    m_bNeedFloatLayout = FALSE;
  }
  return size;
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  return CalcLayout(-1, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  const bool horzDock = (nMode & LM_HORZDOCK) != 0;
  const bool vertDock = (nMode & LM_VERTDOCK) != 0;
  if (nMode & LM_COMMIT) {
    // A docked bar's thickness is its own.
    if ((horzDock && (nMode & LM_LENGTHY)) || (vertDock && !(nMode & LM_LENGTHY))) {
      return vertDock ? m_szVert : m_szHorz;
    }
    return CalcLayout(nLength, nMode);
  }
  if (horzDock) return m_bNeedHorzLayout ? CalcLayout(0x7FFF, nMode | LM_COMMIT) : m_szHorz;
  // Measured upright: one button per row (the 0 is a width).
  if (vertDock) return m_bNeedVertLayout ? CalcLayout(0, (nMode & ~LM_LENGTHY) | LM_COMMIT) : m_szVert;
  if (m_bNeedFloatLayout || (nMode & LM_MRUWIDTH)) return CalcLayout(nLength, nMode | LM_COMMIT);
  return m_szFloating;
}

void SECCustomToolBar::FitToParent(CRect& rect) {
  if (m_pDockContext || !m_hWnd) return;
  CRect window;
  GetWindowRect(&window);
  if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT)) {
    m_szVertDock = CSize(window.Width(), rect.Height());
  } else {
    m_szHorzDock = CSize(rect.Width(), window.Height());
  }
}

// --- Painting -------------------------------------------------------------------------------------------

SECBtnDrawData& SECCustomToolBar::DrawData() {
  if (m_pManager) return m_pManager->GetDrawData();
  if (!m_pOwnDrawData) m_pOwnDrawData = std::make_unique<SECBtnDrawData>();
  return *m_pOwnDrawData;
}

void SECCustomToolBar::DoPaint(CDC* pDC) {
  SECControlBar::DoPaint(pDC);
  if (m_btns.empty()) return;
  SECBtnDrawData& data = DrawData();
  if (!data.Prepare(pDC, std::max(m_nWidestButton, GetImageWidth() + 7), GetImageHeight() + 7)) return;
  for (SECStdBtn* btn : m_btns) {
    if (!(btn->GetStyle() & SEC_TBBS_HIDDEN)) btn->Draw(*pDC, data);
  }
  data.Release();
}

void SECCustomToolBar::DrawBorders(CDC* pDC, CRect& rect) {
  if ((m_dwStyle & CBRS_BORDER_ANY) && IsCoolLook()) {
    const SECToolkitGlobals& g = secData();
    const COLORREF lead = (m_dwStyle & CBRS_BORDER_3D) ? g.clrBtnHilite : g.clrBtnShadow;
    if (m_dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), lead);
    if (m_dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, lead);
    if (m_dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), g.clrBtnShadow);
    if (m_dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, g.clrBtnShadow);
    if (!m_pDockContext) {
      pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, g.clrBtnShadow);
      pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, g.clrBtnHilite);
    }
  }
  SECControlBar::DrawBorders(pDC, rect);
}

// --- Command UI -------------------------------------------------------------------------------------------

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  SECToolBarCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nIndexMax = UINT(m_btns.size());
  for (size_t i = 0; i < m_btns.size() && i < state.m_nIndexMax; ++i) {
    const SECStdBtn* btn = m_btns[i];
    if (btn->GetStyle() & SEC_TBBS_SEPARATOR) continue;
    state.m_nIndex = UINT(i);
    state.m_nID = btn->m_nID;
    state.m_bEnableChanged = FALSE;
    state.DoUpdate(pTarget, (btn->GetStyle() & SEC_TBBS_NODISABLE) ? FALSE : bDisableIfNoHndler);
    state.m_nIndexMax = UINT(m_btns.size());
  }
}

void SECCustomToolBar::UpdateButton(int nIndex) {
  const SECStdBtn* btn = GetButton(nIndex);
  if (!btn || (btn->GetStyle() & SEC_TBBS_SEPARATOR) || !m_hWnd) return;
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(GetOwner());
  if (!frame) frame = m_pDockSite;
  if (!frame) return;
  SECToolBarCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nIndex = UINT(nIndex);
  state.m_nIndexMax = UINT(m_btns.size());
  state.m_nID = btn->m_nID;
  state.DoUpdate(frame, (btn->GetStyle() & SEC_TBBS_NODISABLE) ? FALSE : frame->m_bAutoMenuEnable);
}

void SECCustomToolBar::DelayShow(BOOL bShow) {
  SECControlBar::DelayShow(bShow);
  // The customize sheet keeps the idle pass from running: a floating bar hides at once.
  if (!bShow && m_pManager && m_pManager->IsConfigMode() && IsFloating() && m_hWnd) {
    m_bDelayHidePending = TRUE;
    PostMessage(SECNoDelayHideMessage());
  }
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const INT_PTR hit = SECControlBar::OnToolHitTest(point, pTI);
  if (hit >= 0) return hit;
  const int index = HitTest(point.x, point.y);
  if (index < 0) return -1;
  return m_btns[size_t(index)]->GetToolInfo(point.x, point.y, pTI);
}

// --- Customizing --------------------------------------------------------------------------------------

void SECCustomToolBar::SetCustomizeMode(BOOL bCustomize) {
  if (bCustomize == m_bCustomize) return;
  Deselect(FALSE);
  m_bCustomize = bCustomize;
  if (m_hWnd) Invalidate();
}

void SECCustomToolBar::SelectButton(int nIndex, BOOL bRepaint) {
  SECStdBtn* btn = GetButton(nIndex);
  if (!btn) return;
  if (m_pManager) {
    m_pManager->Deselect(bRepaint);
    m_pManager->SetSelectionBar(this);
  } else {
    Deselect(bRepaint);
  }
  m_nSelected = nIndex;
  btn->SetStyle(btn->GetStyle() | SEC_TBBS_SELECTED);
  if (bRepaint) {
    btn->Invalidate();
    if (auto* wnd = dynamic_cast<SECWndBtn*>(btn)) wnd->InvalidateHostedWnd();
  }
  Tell(SEC_BARNOTIFY_SELECTION);
}

void SECCustomToolBar::Deselect(BOOL bRepaint) {
  if (m_pManager && m_pManager->GetSelectionBar() == this) m_pManager->SetSelectionBar(nullptr);
  SECStdBtn* btn = GetButton(m_nSelected);
  m_nSelected = -1;
  if (!btn) return;
  btn->SetStyle(btn->GetStyle() & ~SEC_TBBS_SELECTED);
  if (bRepaint) {
    btn->Invalidate();
    if (auto* wnd = dynamic_cast<SECWndBtn*>(btn)) wnd->InvalidateHostedWnd();
    if (m_hWnd) Invalidate();
  }
  Tell(SEC_BARNOTIFY_SELECTION);
}

BOOL SECCustomToolBar::IsCopyDrag() const { return KeyHeld(VK_CONTROL); }

BOOL SECCustomToolBar::DragButton(int nIndex, CPoint point) {
  return DragToolBarButton(m_pManager, GetButton(nIndex), nIndex, point, this, this, IsCopyDrag());
}

// --- Hot tracking and the mouse --------------------------------------------------------------------------

void SECCustomToolBar::TrackHotButton(BOOL bUpdateNow) {
  if (!IsCoolLook() || s_bAltDrag || s_bCommandInProgress || !m_hWnd) return;
  if (m_nTracked >= 0 && m_nTracked == m_nHot) return;
  if (m_nActive >= 0) return;
  int candidate = m_nTracked;
  if (candidate < 0 && !m_bCustomize) {
    POINT cursor;
    GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) == m_hWnd) {
      ScreenToClient(&cursor);
      candidate = HitTest(cursor.x, cursor.y);
    }
  }
  if (const SECStdBtn* btn = GetButton(candidate); btn && (btn->GetStyle() & (SEC_TBBS_DISABLED | SEC_TBBS_SEPARATOR))) {
    candidate = -1;
  }
  if (candidate == m_nHot) return;
  if (SECStdBtn* old = GetButton(m_nHot)) {
    old->SetStyle(old->GetStyle() & ~SEC_TBBS_HOT);
    old->Invalidate();
  }
  m_nHot = candidate;
  if (SECStdBtn* btn = GetButton(m_nHot)) {
    btn->SetStyle(btn->GetStyle() | SEC_TBBS_HOT);
    btn->Invalidate();
    // The bar hears when the mouse leaves it; no polling.
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&track);
  }
  if (bUpdateNow) UpdateWindow();
}

void SECCustomToolBar::SetPrompt(UINT nID) {
  CWnd* owner = GetBarOwner();
  if (owner && owner->m_hWnd) owner->SendMessage(WM_SETMESSAGESTRING, nID);
}

void SECCustomToolBar::OnButtonDown(UINT nFlags, CPoint point, BOOL bDouble) {
  const int index = HitTest(point.x, point.y);
  SECStdBtn* btn = GetButton(index);
  const BOOL alt = KeyHeld(VK_MENU);
  const bool toBase = !btn || s_bCommandInProgress ||
                      (bDouble && (m_bCustomize || alt)) ||
                      (!m_bCustomize && !alt && (btn->GetStyle() & SEC_TBBS_DISABLED));
  if (toBase) {
    SECControlBar::WindowProc(bDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
    return;
  }
  if (m_bCustomize && m_pManager) {
    if (btn->CanDrag()) DragButton(index, point);
    return;
  }
  if (alt && m_pManager) {
    s_bAltDrag = TRUE;
    const BOOL ok = DragButton(index, point);
    s_bAltDrag = FALSE;
    if (ok) m_pManager->Deselect(TRUE);
    return;
  }
  UpdateButton(index);
  if (!btn->OnPress(point.x, point.y)) return;
  // The press may have changed the bar (a drop-down's notification); find the button again.
  const int now = ButtonIndex(btn);
  if (now < 0) return;
  m_nActive = now;
  btn->Invalidate();
  SetCapture();
  SetPrompt(btn->m_nID);
}

void SECCustomToolBar::CancelPress() {
  SECStdBtn* btn = GetButton(m_nActive);
  m_nActive = -1;
  if (btn) btn->OnPressCancel();
  if (GetCapture() == this) ReleaseCapture();
  SetPrompt(AFX_IDS_IDLEMESSAGE);
}

void SECCustomToolBar::OnButtonMove(CPoint point) {
  if (m_bCustomize || s_bCommandInProgress) return;
  SECStdBtn* btn = GetButton(m_nActive);
  if (!btn) {
    TrackHotButton(FALSE);
    return;
  }
  if (GetCapture() != this) {
    CancelPress();
    return;
  }
  const DWORD before = btn->GetStyle();
  btn->OnPressMove(point.x, point.y);
  if (btn->GetStyle() != before) btn->Invalidate();
}

void SECCustomToolBar::OnButtonUp(CPoint point) {
  SECStdBtn* btn = GetButton(m_nActive);
  const int index = m_nActive;
  m_nActive = -1;
  if (GetCapture() == this) ReleaseCapture();
  const UINT cmd = btn->OnPressUp(point.x, point.y);
  SetPrompt(AFX_IDS_IDLEMESSAGE);
  // A check button's notice may have gone round the bars; the button is still this one.
  if (ButtonIndex(btn) == index) {
    UpdateButton(index);
    btn->Invalidate();
  }
  if (cmd) {
    CWnd* owner = GetBarOwner();
    std::shared_ptr<SECCommandButtonRect> published;
    if (m_pManager) {
      SECCommandButtonRect& record = m_pManager->CommandButtonRect();
      record.rect = btn->GetRect();
      ClientToScreen(&record.rect);
      record.bValid = TRUE;
    }
    const HWND self = m_hWnd;
    s_bCommandInProgress = TRUE;
    if (owner && owner->m_hWnd) owner->SendMessage(WM_COMMAND, cmd);
    s_bCommandInProgress = FALSE;
    // The command may have ended the bar.
    if (!::IsWindow(self)) return;
    if (m_pManager) m_pManager->CommandButtonRect().bValid = FALSE;
  }
  TrackHotButton(FALSE);
}

LRESULT SECCustomToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_LBUTTONDOWN:
      OnButtonDown(UINT(wParam), point, FALSE);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnButtonDown(UINT(wParam), point, TRUE);
      return 0;
    case WM_MOUSEMOVE:
      OnButtonMove(point);
      break;
    case WM_LBUTTONUP:
      if (m_bCustomize || m_nActive < 0) break;
      OnButtonUp(point);
      return 0;
    case WM_MOUSELEAVE:
      TrackHotButton(FALSE);
      break;
    case WM_CANCELMODE:
      if (!m_bCustomize && !s_bAltDrag && m_nActive >= 0) CancelPress();
      break;
    case WM_MOUSEACTIVATE:
      if (m_bCustomize && !IsFloating()) return MA_NOACTIVATE;
      break;
    case WM_SHOWWINDOW:
      Tell(wParam ? SEC_BARNOTIFY_SHOWN : SEC_BARNOTIFY_HIDDEN);
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos && (pos->flags & SWP_SHOWWINDOW)) Tell(SEC_BARNOTIFY_SHOWN);
      if (pos && (pos->flags & SWP_HIDEWINDOW)) Tell(SEC_BARNOTIFY_HIDDEN);
      if (pos && !(pos->flags & SWP_NOSIZE) && (m_dwStyle & CBRS_SIZE_DYNAMIC)) Invalidate();
      break;
    }
    case WM_SIZEPARENT: {
      auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
      if (layout) FitToParent(*reinterpret_cast<CRect*>(&layout->rect));
      break;
    }
    case WM_SYSCOLORCHANGE:
      DrawData().RebuildDitherBrush();
      if (m_pBmpMgr) m_pBmpMgr->ReloadBitmaps();
      break;
    case TB_ADDBUTTONS:
      AddButtons(int(wParam), reinterpret_cast<const TBBUTTON*>(lParam));
      return TRUE;
    case TB_DELETEBUTTON:
      return RemoveButton(int(wParam));
    case WM_DESTROY:
      Tell(SEC_BARNOTIFY_DESTROYED);
      Deselect(FALSE);
      break;
    default:
      if (message == SECNoDelayHideMessage()) {
        if (m_bDelayHidePending && m_bCustomize && IsFloating()) {
          if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
        }
        m_bDelayHidePending = FALSE;
        return 0;
      }
      break;
  }
  return SECControlBar::WindowProc(message, wParam, lParam);
}

// --- Menu tracking --------------------------------------------------------------------------------------

namespace {

bool IsMenuButton(const SECStdBtn* btn) {
  return btn && (btn->m_nType == SEC_BTNTYPE_MENU_ITEM || btn->m_nType == SEC_BTNTYPE_SYSMENU) &&
         !(btn->GetStyle() & SEC_TBBS_HIDDEN);
}

}  // namespace

int SECCustomToolBar::GetFirstMenuButton() const {
  for (int i = 0; i < GetBtnCount(); ++i) {
    if (IsMenuButton(m_btns[size_t(i)])) return i;
  }
  return -1;
}

int SECCustomToolBar::GetLastMenuButton() const {
  for (int i = GetBtnCount() - 1; i >= 0; --i) {
    if (IsMenuButton(m_btns[size_t(i)])) return i;
  }
  return -1;
}

int SECCustomToolBar::GetNextMenuButton(BOOL bForward) const {
  if (m_nTracked < 0) return bForward ? GetFirstMenuButton() : GetLastMenuButton();
  const int step = bForward ? 1 : -1;
  for (int i = m_nTracked + step; i >= 0 && i < GetBtnCount(); i += step) {
    if (IsMenuButton(m_btns[size_t(i)])) return i;
  }
  return -1;
}

void SECCustomToolBar::DropButtonMenu(SECStdBtn* pBtn, UINT nMenuID, int nItem) {
  m_nTracked = ButtonIndex(pBtn);
  if (m_nTracked < 0) return;
  TrackHotButton(FALSE);
  pBtn->SendNotify(SEC_TBN_MENU_DROPDOWN, LPARAM(nMenuID), LPARAM(nItem));
}

void SECCustomToolBar::SwitchTrackedButton(int nIndex) {
  SECStdBtn* next = GetButton(nIndex);
  if (!IsMenuButton(next)) return;
  if (SECStdBtn* tracked = GetButton(m_nTracked)) tracked->OnPressCancel();
  next->OnPress(next->m_x, next->m_y);
}

BOOL SECCustomToolBar::FilterTrackingMessage(MSG* pMsg) {
  SECStdBtn* tracked = GetButton(m_nTracked);
  if (!tracked || !pMsg || !m_hWnd) return FALSE;
  CPoint p(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
  ScreenToClient(&p);
  const int index = HitTest(p.x, p.y);
  if (pMsg->message == WM_MOUSEMOVE) {
    if (index < 0 || index == m_nTracked) return TRUE;
    if (IsMenuButton(m_btns[size_t(index)])) {
      SwitchTrackedButton(index);
      return TRUE;
    }
    tracked->SendNotify(SEC_TBN_MENU_CLOSE);
    return TRUE;
  }
  if (pMsg->message == WM_LBUTTONDOWN && index == m_nTracked) {
    tracked->SendNotify(SEC_TBN_MENU_CLOSE);
    return TRUE;
  }
  return FALSE;
}

void SECCustomToolBar::EndTracking() {
  if (SECStdBtn* tracked = GetButton(m_nTracked)) tracked->OnPressCancel();
  m_nTracked = -1;
  TrackHotButton(FALSE);
}

// --- The saved layout -----------------------------------------------------------------------------------

void SECCustomToolBar::GetBarInfoEx(SECBarStateRecord* pInfo) {
  SECControlBar::GetBarInfoEx(pInfo);
  if (!pInfo) return;
  if (!pInfo->m_pBarInfoEx) pInfo->m_pBarInfoEx = new SECCustomToolBarInfoEx;
  auto* info = dynamic_cast<SECCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx);
  if (!info) return;
  if (m_hWnd) GetWindowText(info->m_strTitle);
  info->m_buttons.clear();
  for (SECStdBtn* btn : m_btns) {
    SECToolBarButtonRecord record;
    record.nID = (btn->GetStyle() & SEC_TBBS_SEPARATOR) ? 0 : btn->m_nID;
    BYTE length = 0;
    BYTE* bytes = nullptr;
    btn->GetSavedData(length, bytes);
    if (length && bytes) record.data.assign(bytes, bytes + length);
    info->m_buttons.push_back(std::move(record));
  }
}

void SECCustomToolBar::SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd* pFrameWnd) {
  SECControlBar::SetBarInfoEx(pInfo, pFrameWnd);
  m_dwExStyle |= BAREX_FIXED_SIZE;
  auto* info = pInfo ? dynamic_cast<SECCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx) : nullptr;
  if (!info) return;
  Deselect(FALSE);
  RemoveAllButtons();
  if (!info->m_strTitle.IsEmpty() && m_hWnd) {
    SetWindowText(info->m_strTitle);
    // A floating frame's caption is its dock bar's text.
    if (IsFloating() && m_pDockBar && m_pDockBar->m_hWnd) m_pDockBar->SetWindowText(info->m_strTitle);
  }
  for (const SECToolBarButtonRecord& record : info->m_buttons) {
    SECStdBtn* btn = record.nID ? CreateButton(record.nID, this) : CreateSeparator(this);
    btn->SetSavedData(BYTE(record.data.size()), record.data.empty() ? nullptr : record.data.data());
    m_btns.push_back(btn);
  }
  ResizeButtons();
  if (m_hWnd) Invalidate();
}
