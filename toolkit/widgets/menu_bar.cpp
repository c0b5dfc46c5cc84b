#include "toolkit/widgets/menu_bar.h"

#include <optional>

#include "platform/framework/control_messages.h"
#include "platform/framework/mdi.h"
#include "platform/gdi/core/icons.h"
#include "platform/res/icon_loading.h"
#include "platform/res/resource_store.h"
#include "platform/win/hooks.h"
#include "platform/win/messages.h"
#include "platform/win/window_dc.h"
#include "platform/win/system_metrics.h"
#include "platform/win/system_parameters.h"
#include "platform/win/virtual_keys.h"
#include "resources/toolkit_ids.h"
#include "toolkit/frame/doc_template_lookup.h"
#include "toolkit/frame/sec_mdi_frame.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/toolbar_manager.h"

UINT SECMenuProdMessage() {
  static const UINT message = RegisterWindowMessage("WM_SEC_MENUPROD");
  return message;
}

UINT SECGetMenuMessage() {
  static const UINT message = RegisterWindowMessage("WM_SECGETMENU");
  return message;
}

namespace {

const UINT WM_SEC_MENUPROD = SECMenuProdMessage();
constexpr UINT kMouseMenu = 0xF093;

// One bar pop-up at a time in the process.
struct Tracking {
  HWND hBar = nullptr;
  SECMenuBarTracker* tracker = nullptr;
  std::optional<SECMenuBarRequest> pending;
  POINT lastMouse{0, 0};
  HHOOK hook = nullptr;
  BOOL sysMenu = FALSE;
};
Tracking g_track;

LRESULT MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_MENU && msg && g_track.tracker) {
    SECMenuBarTracker* tracker = g_track.tracker;
    const UINT message = msg->message;
    if (g_track.sysMenu && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && tracker->HitSysMenuArea(msg)) {
      return 1;
    }
    if (message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
      tracker->ProdMenu(msg->wParam == VK_RIGHT ? 1 : 0);
    }
    if (message == WM_MOUSEMOVE) {
      if (msg->pt.x == g_track.lastMouse.x && msg->pt.y == g_track.lastMouse.y) return 1;
      g_track.lastMouse = msg->pt;
    }
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN) {
      auto* bar = dynamic_cast<SECMenuBar*>(CWnd::FromHandlePermanent(g_track.hBar));
      CRect area;
      if (bar && bar->m_hWnd) {
        bar->GetWindowRect(&area);
        if (area.PtInRect(msg->pt)) {
          MSG screen = *msg;
          screen.lParam = MAKELPARAM(msg->pt.x, msg->pt.y);
          if (bar->OnTrackingMouse(&screen)) return 1;
        }
      }
    }
  }
  return CallNextHookEx(g_track.hook, code, wParam, lParam);
}

// The mnemonic of a menu text: the byte after the first '&', lower-cased; 0 for none.
char MnemonicOf(const CString& text) { return char(framework::menu_text_mnemonic(text.str())); }

CFont* DefaultBarFont() {
  // Kept for the whole run (the drawing objects' table may go first at exit).
  static CFont& font = *new CFont;
  if (!font.GetSafeHandle()) font.CreateStockObject(DEFAULT_GUI_FONT);
  return &font;
}

}  // namespace

// --- SECMenuBarButton ---------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuBarButton, SECStdBtn)

const SECButtonClass SECMenuBarButton::buttonClassSECMenuBarButton = {[]() -> SECStdBtn* { return new SECMenuBarButton; }};

SECMenuBarButton::SECMenuBarButton() {
  m_nType = SEC_BTNTYPE_MENU_ITEM;
  m_nStyle = SEC_TBBS_NODISABLE;
}

void SECMenuBarButton::SetInfo(UINT nMenuID, int nItem, const CString& strText) {
  m_nMenuID = nMenuID;
  m_nItem = nItem;
  m_strText = strText;
  m_cMnemonic = MnemonicOf(strText);
  RecalcSize();
}

void SECMenuBarButton::RecalcSize() {
  auto* bar = m_pToolBar ? dynamic_cast<SECMenuBar*>(m_pToolBar->GetBarWnd()) : nullptr;
  CWindowDC dc(nullptr);
  CFont* old = dc.SelectObject(bar ? bar->GetFont() : DefaultBarFont());
  CRect text(0, 0, 0, 0);
  const std::string s = m_strText.str();
  dc.DrawText(s.c_str(), int(s.size()), &text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  dc.SelectObject(old);
  m_cx = text.Width() + 10;
  m_cy = text.Height() + 6;
  if (m_pToolBar) m_pToolBar->RaiseWidestButton(m_cx);
}

BOOL SECMenuBarButton::OnPress(int, int) {
  if (m_nStyle & SEC_TBBS_DISABLED) return FALSE;
  m_nStyle |= SEC_TBBS_PRESSED;
  Invalidate();
  CWnd* wnd = m_pToolBar ? m_pToolBar->GetBarWnd() : nullptr;
  if (wnd) wnd->UpdateWindow();
  if (auto* bar = dynamic_cast<SECMenuBar*>(wnd)) bar->DropButtonMenu(this, m_nMenuID, m_nItem);
  // The pop-up was tracked (or handed on) inside the press: the bar holds no capture for it.
  return FALSE;
}

void SECMenuBarButton::Draw(CDC& dc, SECBtnDrawData&) {
  const SECToolkitGlobals& g = secData();
  CRect rect = GetRect();
  if (!dc.RectVisible(&rect)) return;
  auto* bar = m_pToolBar ? dynamic_cast<SECMenuBar*>(m_pToolBar->GetBarWnd()) : nullptr;
  const BOOL cool = m_pToolBar && m_pToolBar->IsCoolLook();
  dc.FillSolidRect(&rect, g.clrBtnFace);
  int dx = 4;
  int dy = 3;
  if (m_nStyle & (SEC_TBBS_PRESSED | SEC_TBBS_CHECKED)) {
    dc.Draw3dRect(&rect, cool ? g.clrBtnShadow : g.clrWindowFrame, g.clrBtnHilite);
    if (!cool) {
      CRect inner = rect;
      inner.DeflateRect(1, 1);
      dc.Draw3dRect(&inner, g.clrBtnShadow, g.clrBtnFace);
    }
    dx = 5;
    dy = 4;
  } else if (cool) {
    if (m_nStyle & SEC_TBBS_HOT) dc.Draw3dRect(&rect, g.clrBtnHilite, g.clrBtnShadow);
  } else {
    dc.Draw3dRect(&rect, g.clrBtnHilite, g.clrWindowFrame);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    dc.Draw3dRect(&inner, g.clrBtnFace, g.clrBtnShadow);
  }
  CFont* old = dc.SelectObject(bar ? bar->GetFont() : DefaultBarFont());
  dc.SetTextColor(GetSysColor(COLOR_MENUTEXT));
  dc.SetBkColor(g.clrBtnFace);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  CRect text(rect.left + dx, rect.top + dy, rect.right, rect.bottom);
  const std::string s = m_strText.str();
  dc.DrawText(s.c_str(), int(s.size()), &text, DT_SINGLELINE);
  dc.SetBkMode(oldMode);
  dc.SelectObject(old);
}

// --- SECMenuBarSysButton ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuBarSysButton, SECStdBtn)

const SECButtonClass SECMenuBarSysButton::buttonClassSECMenuBarSysButton = {
    []() -> SECStdBtn* { return new SECMenuBarSysButton; }};

SECMenuBarSysButton::SECMenuBarSysButton() {
  m_nType = SEC_BTNTYPE_SYSMENU;
  m_nStyle = SEC_TBBS_NODISABLE;
  m_cx = 16;
  m_cy = 16;
}

BOOL SECMenuBarSysButton::OnPress(int, int) {
  auto* bar = m_pToolBar ? dynamic_cast<SECMenuBar*>(m_pToolBar->GetBarWnd()) : nullptr;
  if (!bar) return FALSE;
  bar->DropButtonMenu(this, 0, -1);
  return FALSE;
}

void SECMenuBarSysButton::Draw(CDC& dc, SECBtnDrawData&) {
  CRect rect = GetRect();
  if (!dc.RectVisible(&rect)) return;
  dc.FillSolidRect(&rect, secData().clrBtnFace);
  auto* bar = m_pToolBar ? dynamic_cast<SECMDIMenuBar*>(m_pToolBar->GetBarWnd()) : nullptr;
  CWnd* child = bar ? bar->MaximisedChild() : nullptr;
  auto* frame = dynamic_cast<CFrameWnd*>(child);
  HICON icon = frame && frame->m_nIDHelp ? ::LoadIcon(nullptr, MAKEINTRESOURCE(frame->m_nIDHelp)) : nullptr;
  if (icon) ::DrawIconEx(dc.GetSafeHdc(), rect.left, rect.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

// --- SECMenuBarCaptionButton ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuBarCaptionButton, SECStdBtn)

const SECButtonClass SECMenuBarCaptionButton::buttonClassSECMenuBarCaptionButton = {
    []() -> SECStdBtn* { return new SECMenuBarCaptionButton; }};

SECMenuBarCaptionButton::SECMenuBarCaptionButton() {
  m_nType = SEC_BTNTYPE_CAPTION;
  m_nStyle = SEC_TBBS_NODISABLE;
  RecalcSize();
}

void SECMenuBarCaptionButton::RecalcSize() {
  m_cx = 3 * (GetSystemMetrics(SM_CXSIZE) - 2) + 2;
  m_cy = GetSystemMetrics(SM_CYSIZE) - 4;
}

CRect SECMenuBarCaptionButton::PartRect(int nPart) const {
  const int w = GetSystemMetrics(SM_CXSIZE) - 2;
  const int h = GetSystemMetrics(SM_CYSIZE) - 4;
  const int left = m_x + nPart * w + (nPart == 2 ? 2 : 0);
  return CRect(left, m_y, left + w, m_y + h);
}

CWnd* SECMenuBarCaptionButton::Child() const {
  auto* bar = m_pToolBar ? dynamic_cast<SECMDIMenuBar*>(m_pToolBar->GetBarWnd()) : nullptr;
  return bar ? bar->MaximisedChild() : nullptr;
}

int SECMenuBarCaptionButton::HitPart(int x, int y) const {
  if (m_nStyle & SEC_TBBS_HIDDEN) return -1;
  CWnd* child = Child();
  const DWORD style = child ? child->GetStyle() : 0;
  for (int part = 0; part < 3; ++part) {
    if (!PartRect(part).PtInRect(CPoint(x, y))) continue;
    if (part == 0 && !(style & WS_MINIMIZEBOX)) return -1;
    if (part == 1 && !(style & WS_MAXIMIZEBOX)) return -1;
    return part;
  }
  return -1;
}

BOOL SECMenuBarCaptionButton::OnPress(int x, int y) {
  if (m_nStyle & SEC_TBBS_DISABLED) return FALSE;
  const int part = HitPart(x, y);
  if (part < 0) return FALSE;
  m_nPart = part;
  m_nStyle |= SEC_TBBS_PRESSED;
  Invalidate();
  return TRUE;
}

void SECMenuBarCaptionButton::OnPressMove(int x, int y) {
  const BOOL over = m_nPart >= 0 && HitPart(x, y) == m_nPart;
  const DWORD before = m_nStyle;
  m_nStyle = over ? (m_nStyle | SEC_TBBS_PRESSED) : (m_nStyle & ~SEC_TBBS_PRESSED);
  if (before != m_nStyle) Invalidate();
}

UINT SECMenuBarCaptionButton::OnPressUp(int x, int y) {
  const int part = m_nPart;
  if (part >= 0 && HitPart(x, y) == part) {
    if (CWnd* child = Child()) {
      static const UINT commands[3] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
      CPoint screen(x, y);
      if (m_pToolBar && m_pToolBar->GetBarWnd()) m_pToolBar->GetBarWnd()->ClientToScreen(&screen);
      child->PostMessage(WM_SYSCOMMAND, commands[part], MAKELPARAM(screen.x, screen.y));
    }
  }
  m_nPart = -1;
  m_nStyle &= ~SEC_TBBS_PRESSED;
  Invalidate();
  return 0;
}

void SECMenuBarCaptionButton::OnPressCancel() {
  m_nPart = -1;
  SECStdBtn::OnPressCancel();
}

void SECMenuBarCaptionButton::Draw(CDC& dc, SECBtnDrawData&) {
  CRect rect = GetRect();
  if (!dc.RectVisible(&rect)) return;
  dc.FillSolidRect(&rect, secData().clrBtnFace);
  CWnd* child = Child();
  const DWORD style = child ? child->GetStyle() : 0;
  static const UINT kinds[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  for (int part = 0; part < 3; ++part) {
    UINT state = kinds[part];
    if ((part == 0 && !(style & WS_MINIMIZEBOX)) || (part == 1 && !(style & WS_MAXIMIZEBOX))) state |= DFCS_INACTIVE;
    if (part == m_nPart && (m_nStyle & SEC_TBBS_PRESSED)) state |= DFCS_PUSHED;
    CRect r = PartRect(part);
    dc.DrawFrameControl(&r, DFC_CAPTION, state);
  }
}

// --- SECMenuBarTracker ---------------------------------------------------------------------------------

SECMenuBarTracker::~SECMenuBarTracker() {
  if (g_track.tracker == this) {
    g_track.tracker = nullptr;
    g_track.hBar = nullptr;
  }
}

BOOL SECMenuBarTracker::IsTracking() { return g_track.hBar != nullptr; }

CRect SECMenuBarTracker::SysMenuBox(CWnd* pWnd) {
  CRect rect(0, 0, 0, 0);
  if (!pWnd || !pWnd->m_hWnd) return rect;
  pWnd->GetWindowRect(&rect);
  if (pWnd->GetStyle() & WS_THICKFRAME) rect.DeflateRect(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
  return CRect(rect.left, rect.top, rect.left + GetSystemMetrics(SM_CXSIZE), rect.top + GetSystemMetrics(SM_CYSIZE));
}

CWnd* SECMenuBarTracker::SysMenuOwner() {
  CWnd* owner = m_pBar ? m_pBar->GetSysMenuWnd() : nullptr;
  return owner ? owner : GetHostWnd();
}

void SECMenuBarTracker::ProdMenu(int nDirection) {
  m_bSelectionSeen = FALSE;
  m_nProdArg = nDirection;
  if (CWnd* host = GetHostWnd(); host && host->m_hWnd) host->PostMessage(WM_SEC_MENUPROD, 0, 0);
}

void SECMenuBarTracker::CancelMenu() {
  if (g_track.hBar) GetHostWnd()->SendMessage(WM_CANCELMODE);
}

void SECMenuBarTracker::SwitchMenu(UINT nMenuID) {
  if (!m_pBar || !m_pBar->m_hWnd) return;
  m_pBar->SwitchMenu(nMenuID);
  if (CFrameWnd* frame = m_pBar->GetHostFrame()) {
    if (dynamic_cast<SECMDIFrameWnd*>(frame)) {
      frame->DelayRecalcLayout();
    } else {
      frame->RecalcLayout();
    }
  }
  m_pBar->Invalidate();
}

BOOL SECMenuBarTracker::HitSysMenuArea(const MSG* pMsg) {
  if (!pMsg || (pMsg->message != WM_LBUTTONDOWN && pMsg->message != WM_LBUTTONDBLCLK)) return FALSE;
  CWnd* owner = SysMenuOwner();
  if (!SysMenuBox(owner).PtInRect(pMsg->pt)) return FALSE;
  CWnd* host = GetHostWnd();
  host->PostMessage(WM_CANCELMODE);
  if (pMsg->message == WM_LBUTTONDBLCLK) {
    HMENU menu = ::GetSystemMenu(owner->m_hWnd, FALSE);
    const UINT item = menu ? ::GetMenuDefaultItem(menu, FALSE, 0) : UINT(-1);
    if (item != UINT(-1)) owner->PostMessage(WM_SYSCOMMAND, item, 0);
  }
  return TRUE;
}

void SECMenuBarTracker::SetMenuHook(BOOL bOn) {
  if (bOn && !g_track.hook) {
    g_track.hook = SetWindowsHookEx(WH_MSGFILTER, &MenuFilter, nullptr, 0);
  } else if (!bOn && g_track.hook) {
    UnhookWindowsHookEx(g_track.hook);
    g_track.hook = nullptr;
  }
}

void SECMenuBarTracker::TrackBarPopup(SECMenuBar* pBar, HMENU hMenu, const SECMenuBarRequest&) {
  CRect rect = pBar->GetItemRect(pBar->GetTrackedIndex());
  pBar->ClientToScreen(&rect);
  SetMenuHook(TRUE);
  TPMPARAMS params;
  params.rcExclude = rect;
  ::TrackPopupMenuEx(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, rect.left, rect.bottom, GetHostWnd()->m_hWnd,
                     &params);
  SetMenuHook(FALSE);
}

void SECMenuBarTracker::TrackSysMenu(SECMenuBar*, HMENU hMenu, const SECMenuBarRequest&) {
  CWnd* owner = SysMenuOwner();
  const CRect box = SysMenuBox(owner);
  SetMenuHook(TRUE);
  g_track.sysMenu = TRUE;
  TPMPARAMS params;
  params.rcExclude = box;
  const UINT chosen = UINT(::TrackPopupMenuEx(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_RETURNCMD,
                                              box.left, box.bottom, GetHostWnd()->m_hWnd, &params));
  g_track.sysMenu = FALSE;
  if (chosen && owner->m_hWnd) owner->PostMessage(WM_SYSCOMMAND, chosen, 0);
  SetMenuHook(FALSE);
}

BOOL SECMenuBarTracker::PreTranslateMenuKey(MSG* pMsg) {
  if (!m_pBar || !m_pBar->m_hWnd || !pMsg || pMsg->message != WM_SYSCHAR) return FALSE;
  const char ch = char(pMsg->wParam);
  if (ch == ' ') {
    m_bKeyboardOpened = TRUE;
    m_pBar->DropSysMenu();
    return TRUE;
  }
  const int index = m_pBar->FindMnemonic(char(framework::menu_text_mnemonic(std::string("&") + ch)));
  if (SECStdBtn* btn = m_pBar->GetButton(index)) {
    m_bKeyboardOpened = TRUE;
    btn->OnPress(btn->m_x, btn->m_y);
  }
  // Every Alt+character is the bar's: none beeps.
  return TRUE;
}

BOOL SECMenuBarTracker::OnMenuSelect() {
  if (m_pBar) m_bSelectionSeen = TRUE;
  return FALSE;
}

BOOL SECMenuBarTracker::OnMenuProd() {
  if (!m_pBar || m_bSelectionSeen) return FALSE;
  m_bKeyboardOpened = TRUE;
  m_pBar->OpenMenu(m_nProdArg);
  return TRUE;
}

BOOL SECMenuBarTracker::OnInitPopup() {
  if (!m_bKeyboardOpened) return FALSE;
  if (CWnd* host = GetHostWnd(); host && host->m_hWnd) host->PostMessage(WM_KEYDOWN, VK_DOWN, 0);
  m_bKeyboardOpened = FALSE;
  return FALSE;
}

BOOL SECMenuBarTracker::OnSysCommand(UINT nID) {
  if (!m_pBar || nID != kMouseMenu) return FALSE;
  m_pBar->DropSysMenu();
  return TRUE;
}

BOOL SECMenuBarTracker::OnBarNotify(const SECMenuBarRequest& request) {
  if (request.nCode != SEC_TBN_MENU_DROPDOWN && request.nCode != SEC_TBN_MENU_CLOSE) return FALSE;
  CWnd* host = GetHostWnd();
  if (!host || !host->m_hWnd || !m_pBar) return FALSE;
  // The pop-up a request asks for, and whether it is a system menu.
  auto menuFor = [&](const SECMenuBarRequest& r, BOOL& sys) -> HMENU {
    sys = FALSE;
    if (r.nCode != SEC_TBN_MENU_DROPDOWN) return nullptr;
    if (r.nMenuID) return reinterpret_cast<HMENU>(host->SendMessage(SECGetMenuMessage(), r.nMenuID, r.nItem));
    if (r.nItem != -1) return nullptr;
    CWnd* owner = SysMenuOwner();
    HMENU menu = ::GetSystemMenu(owner->m_hWnd, FALSE);
    if (menu && ::GetMenuDefaultItem(menu, FALSE, 0) == UINT(-1)) ::SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    sys = TRUE;
    return menu;
  };
  BOOL sys = FALSE;
  HMENU menu = menuFor(request, sys);
  if (!menu) {
    if (g_track.hBar) {
      host->SendMessage(WM_CANCELMODE);
      return TRUE;
    }
    m_pBar->ReleaseButton();
    return TRUE;
  }
  if (g_track.hBar) {
    // One pop-up at a time: this one opens when the current one has closed.
    host->SendMessage(WM_CANCELMODE);
    g_track.pending = request;
    return TRUE;
  }
  SECMenuBarRequest current = request;
  const HWND bar = m_pBar->m_hWnd;
  while (menu) {
    g_track.tracker = this;
    g_track.hBar = bar;
    if (sys) {
      TrackSysMenu(m_pBar, menu, current);
    } else {
      TrackBarPopup(m_pBar, menu, current);
    }
    g_track.hBar = nullptr;
    g_track.tracker = nullptr;
    if (!g_track.pending || !::IsWindow(bar) || !host->m_hWnd) break;
    current = *g_track.pending;
    g_track.pending.reset();
    menu = menuFor(current, sys);
  }
  g_track.pending.reset();
  if (::IsWindow(bar)) m_pBar->ReleaseButton();
  return TRUE;
}

// --- SECMenuBarFeature ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECMenuBarFeature, SECBmpMenuPlugIn)

BEGIN_MESSAGE_MAP(SECMenuBarFeature, SECBmpMenuPlugIn)
  ON_MESSAGE(WM_MENUSELECT, &SECMenuBarFeature::OnMenuSelectMsg)
  ON_REGISTERED_MESSAGE(WM_SEC_MENUPROD, &SECMenuBarFeature::OnMenuProdMsg)
  ON_MESSAGE(WM_INITMENUPOPUP, &SECMenuBarFeature::OnInitMenuPopupBar)
  ON_MESSAGE(WM_SYSCOMMAND, &SECMenuBarFeature::OnSysCommandMsg)
  ON_MESSAGE(WM_NCACTIVATE, &SECMenuBarFeature::OnNcActivateMsg)
END_MESSAGE_MAP()

SECMenuBarFeature::SECMenuBarFeature() : SECBmpMenuPlugIn(TRUE) {}

SECMenuBarFeature::~SECMenuBarFeature() = default;

BOOL SECMenuBarFeature::PreTranslateMessage(MSG* pMsg) {
  if (m_tracker.PreTranslateMenuKey(pMsg)) return TRUE;
  return SECBmpMenuPlugIn::PreTranslateMessage(pMsg);
}

BOOL SECMenuBarFeature::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  const auto* record = reinterpret_cast<const SECBtnNotify*>(lParam);
  SECMenuBar* bar = m_tracker.m_pBar;
  if (!record || !bar || record->hdr.hwndFrom != bar->m_hWnd) return FALSE;
  SECMenuBarRequest request;
  request.nCode = record->hdr.code;
  request.nMenuID = UINT(record->lParam1);
  request.nItem = int(record->lParam2);
  request.hBar = record->hdr.hwndFrom;
  if (!m_tracker.OnBarNotify(request)) return FALSE;
  m_bExitDefault = TRUE;
  if (pResult) *pResult = 1;
  return TRUE;
}

LRESULT SECMenuBarFeature::OnMenuSelectMsg(WPARAM, LPARAM) {
  if (m_tracker.OnMenuSelect()) m_bExitDefault = TRUE;
  return 0;
}

LRESULT SECMenuBarFeature::OnMenuProdMsg(WPARAM, LPARAM) {
  m_tracker.OnMenuProd();
  m_bExitDefault = TRUE;
  return 0;
}

LRESULT SECMenuBarFeature::OnInitMenuPopupBar(WPARAM wParam, LPARAM lParam) {
  if (m_tracker.OnInitPopup()) m_bExitDefault = TRUE;
  InitMenuPopup(wParam, lParam);
  return 0;
}

LRESULT SECMenuBarFeature::OnSysCommandMsg(WPARAM wParam, LPARAM) {
  if (m_tracker.OnSysCommand(UINT(wParam))) m_bExitDefault = TRUE;
  return 0;
}

LRESULT SECMenuBarFeature::OnNcActivateMsg(WPARAM, LPARAM) {
  if (m_tracker.OnNcActivate()) m_bExitDefault = TRUE;
  return 0;
}

// --- SECMenuBar ------------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(SECMenuBar, SECCustomToolBar)

SECMenuBar::SECMenuBar() { m_nSepWidth = 8; }

SECMenuBar::~SECMenuBar() = default;

BOOL SECMenuBar::CreateMenuBar(CFrameWnd* pFrame, SECToolBarManager* pManager) {
  auto* mdi = dynamic_cast<SECMDIFrameWnd*>(pFrame);
  if (!mdi || !mdi->m_hWnd) return FALSE;
  m_pFrame = pFrame;
  if (pManager) {
    SetManager(pManager);
    SetBmpMgr(pManager->GetBmpMgr());
  }
  CString title;
  if (!AfxLoadString(resources::IDS_MENU_BAR, title)) title = "Menu";
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC | CBRS_BORDER_3D;
  // The bar takes a row of its own along the whole side.
  const DWORD exStyle = BAREX_OWN_ROW | (pManager && pManager->IsCoolLook() ? BAREX_FLAT | BAREX_GRIPPER : 0);
  if (!CreateBarEx(exStyle, pFrame, style, SEC_IDW_MENUBAR, title)) return FALSE;
  SetOwner(pFrame);
  EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  // Above every other bar of the top side.
  mdi->DockControlBar(this, SECDockBarInsertRecord{-1, 0, 0}, AFX_IDW_DOCKBAR_TOP, SECDockInfo{});
  mdi->SetMenuBar(this);
  return TRUE;
}

void SECMenuBar::MakeMenuFont() {
  m_menuFont.DeleteObject();
  NONCLIENTMETRICS ncm;
  if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) m_menuFont.CreateFontIndirect(&ncm.lfMenuFont);
}

CFont* SECMenuBar::GetFont() const {
  if (!m_menuFont.GetSafeHandle()) const_cast<SECMenuBar*>(this)->MakeMenuFont();
  return m_menuFont.GetSafeHandle() ? &m_menuFont : SECCustomToolBar::GetFont();
}

void SECMenuBar::RaiseWidestButton(int cx) {
  m_nLargest = std::max(m_nLargest, cx);
  SECCustomToolBar::RaiseWidestButton(cx);
}

BOOL SECMenuBar::SwitchMenu(UINT nMenuID) {
  auto it = m_menus.find(nMenuID);
  if (it == m_menus.end() && nMenuID == SEC_IDR_MAINMENU && m_pFrame) {
    SECDocTemplateLookup lookup;
    it = m_menus.find(lookup.GetMenuKey(m_pFrame));
  }
  if (it == m_menus.end() || !::IsMenu(it->second)) return FALSE;
  LoadMenuButtons(it->second, it->first);
  m_nCurrentMenu = nMenuID;
  return TRUE;
}

void SECMenuBar::ResetMenus() {
  auto* mdi = dynamic_cast<SECMDIFrameWnd*>(m_pFrame);
  if (mdi) mdi->RefreshMenuBar(UINT(-1));
}

void SECMenuBar::LoadMenuButtons(HMENU hMenu, UINT nMenuID) {
  RemoveAllButtons();
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    CString text;
    char buffer[257] = {};
    ::GetMenuString(hMenu, UINT(i), buffer, sizeof(buffer), MF_BYPOSITION);
    text = buffer;
    auto* btn = new SECMenuBarButton;
    btn->m_pToolBar = this;
    btn->m_nID = SEC_IDW_MENUBAR;
    btn->SetInfo(nMenuID, i, text);
    InsertAt(GetBtnCount(), btn);
  }
  SetLayoutNeeded();
  RecalcFrameLayout();
  if (m_hWnd) Invalidate();
}

int SECMenuBar::FindMnemonic(char ch) const {
  if (!ch) return -1;
  for (int i = 0; i < GetBtnCount(); ++i) {
    const auto* btn = dynamic_cast<const SECMenuBarButton*>(GetButton(i));
    if (btn && !(btn->GetStyle() & SEC_TBBS_HIDDEN) && btn->m_cMnemonic == ch) return i;
  }
  return -1;
}

void SECMenuBar::OpenMenu(int nArg) {
  int index = GetNextMenuButton(nArg == 1);
  if (index < 0) index = nArg == 1 ? GetFirstMenuButton() : GetLastMenuButton();
  if (index < 0) {
    DropSysMenu();
    return;
  }
  if (GetTrackedIndex() >= 0) {
    SwitchTrackedButton(index);
    return;
  }
  SECStdBtn* btn = GetButton(index);
  btn->OnPress(btn->m_x, btn->m_y);
}

void SECMenuBar::DropSysMenu() {
  ReleaseButton();
  CWnd* parent = m_pFrame ? static_cast<CWnd*>(m_pFrame) : GetDockingFrame();
  if (!parent || !m_hWnd) return;
  SECBtnNotify record{};
  record.hdr.hwndFrom = m_hWnd;
  record.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
  record.hdr.code = SEC_TBN_MENU_DROPDOWN;
  record.iItem = -1;
  record.nIndex = -1;
  record.lParam1 = 0;
  record.lParam2 = -1;
  parent->SendMessage(WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

CWnd* SECMenuBar::GetSysMenuWnd() { return m_pFrame; }

void SECMenuBar::GetBarInfoEx(SECBarStateRecord* pInfo) { SECControlBar::GetBarInfoEx(pInfo); }

void SECMenuBar::SetBarInfoEx(SECBarStateRecord* pInfo, CFrameWnd* pFrameWnd) {
  SECControlBar::SetBarInfoEx(pInfo, pFrameWnd);
  m_dwExStyle |= BAREX_FIXED_SIZE;
}

LRESULT SECMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTINGCHANGE) {
    MakeMenuFont();
    m_nLargest = 0;
    for (int i = 0; i < GetBtnCount(); ++i) GetButton(i)->RecalcSize();
    SetLayoutNeeded();
    if (m_pFrame) m_pFrame->RecalcLayout();
    Invalidate();
  }
  return SECCustomToolBar::WindowProc(message, wParam, lParam);
}

// --- SECMDIMenuBar ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

CWnd* SECMDIMenuBar::MaximisedChild() const {
  auto* mdi = dynamic_cast<CMDIFrameWnd*>(m_pFrame);
  BOOL maximised = FALSE;
  CMDIChildWnd* child = mdi ? mdi->MDIGetActive(&maximised) : nullptr;
  return child && maximised ? child : nullptr;
}

CWnd* SECMDIMenuBar::GetSysMenuWnd() {
  CWnd* child = MaximisedChild();
  return child ? child : m_pFrame;
}

void SECMDIMenuBar::LoadMenuButtons(HMENU hMenu, UINT nMenuID) {
  SECMenuBar::LoadMenuButtons(hMenu, nMenuID);
  CWnd* child = MaximisedChild();
  m_hShownChild = child ? child->m_hWnd : nullptr;
  if (!child) return;
  auto* sys = new SECMenuBarSysButton;
  sys->m_pToolBar = this;
  InsertAt(0, sys);
  auto* caption = new SECMenuBarCaptionButton;
  caption->m_pToolBar = this;
  InsertAt(GetBtnCount(), caption);
  SetLayoutNeeded();
  RecalcFrameLayout();
}

void SECMDIMenuBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CWnd* child = MaximisedChild();
  if ((child ? child->m_hWnd : nullptr) != m_hShownChild && GetTrackedIndex() < 0) SwitchMenu(m_nCurrentMenu);
  SECCustomToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}
