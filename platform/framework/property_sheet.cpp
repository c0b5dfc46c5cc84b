#include "platform/framework/property_sheet.h"

#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

namespace {
constexpr int kMargin = 7;
constexpr int kTabHeight = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
}  // namespace

// --- CPropertyPage ----------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate, nullptr) {
  if (nIDCaption) {
    AfxLoadString(nIDCaption, m_strCaption);
  } else if (const res::DialogResource* t = res::find_dialog(nIDTemplate); t && t->utf8_caption) {
    m_strCaption = t->utf8_caption;
  }
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }
BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }
void CPropertyPage::OnOK() { m_bModified = FALSE; }
void CPropertyPage::OnCancel() {}
BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}
void CPropertyPage::OnReset() {}
BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bModified = bChanged;
  if (m_pSheet) m_pSheet->UpdateApplyButton();
}

void CPropertyPage::CancelToClose() {
  if (!m_pSheet || !m_pSheet->m_hWnd) return;
  // The changes are made: OK becomes "Zamknij" and Cancel is no longer offered.
  if (HWND ok = ::GetDlgItem(m_pSheet->m_hWnd, IDOK)) ::SetWindowText(ok, "Zamknij");
  if (HWND cancel = ::GetDlgItem(m_pSheet->m_hWnd, IDCANCEL)) ::EnableWindow(cancel, FALSE);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header && header->code == PSN_KILLACTIVE) {
    *pResult = OnKillActive() ? FALSE : TRUE;
    return TRUE;
  }
  if (header && header->code == PSN_SETACTIVE) {
    *pResult = OnSetActive() ? 0 : -1;
    return TRUE;
  }
  if (header && (header->code == PSN_WIZBACK || header->code == PSN_WIZNEXT)) {
    *pResult = header->code == PSN_WIZBACK ? OnWizardBack() : OnWizardNext();
    return TRUE;
  }
  if (header && header->code == PSN_WIZFINISH) {
    *pResult = OnWizardFinish() ? 0 : 1;
    return TRUE;
  }
  if (header && header->code == PSN_HELP) {
    // Help for the page goes the way of the help command.
    SendMessage(WM_COMMAND, ID_HELP);
    *pResult = 0;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // Enter and Esc belong to the sheet's buttons.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == WPARAM(VK_RETURN) || pMsg->wParam == WPARAM(VK_ESCAPE))) {
    return FALSE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

// --- CPropertySheet ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(PSM_GETTABCONTROL, &CPropertySheet::OnGetTabControl)
  ON_MESSAGE(PSM_SETWIZBUTTONS, &CPropertySheet::OnSetWizButtons)
  ON_MESSAGE(PSM_SETFINISHTEXT, &CPropertySheet::OnSetFinishText)
END_MESSAGE_MAP()

namespace {

// Inserts the tab of a page into the sheet's tab control.
void insert_tab(HWND tabs, int at, const CString& caption) {
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(static_cast<const char*>(caption));
  ::SendMessage(tabs, TCM_INSERTITEM, WPARAM(at), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CDialog(0, pParentWnd), m_strCaption(pszCaption ? pszCaption : ""), m_nStartPage(iSelectPage) {}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CDialog(0, pParentWnd), m_nStartPage(iSelectPage) {
  AfxLoadString(nIDCaption, m_strCaption);
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (!pPage) return;
  pPage->m_pSheet = this;
  m_pages.push_back(pPage);
  if (m_hWndTab) insert_tab(m_hWndTab, GetPageCount() - 1, pPage->GetCaption());
  if (m_hWnd && m_nActive < 0) SetActivePage(0);
}

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  CPropertyPage* page = m_pages[size_t(nPage)];
  if (page->m_hWnd) page->DestroyWindow();
  page->m_pSheet = nullptr;
  m_pages.erase(m_pages.begin() + nPage);
  if (m_hWndTab) ::SendMessage(m_hWndTab, TCM_DELETEITEM, WPARAM(nPage), 0);
  if (m_nActive == nPage) {
    m_nActive = -1;
    if (!m_pages.empty()) SetActivePage(std::min(nPage, GetPageCount() - 1));
  } else if (m_nActive > nPage) {
    --m_nActive;
  }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[size_t(nPage)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_nActive); }

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  auto it = std::find(m_pages.begin(), m_pages.end(), pPage);
  return it == m_pages.end() ? -1 : int(it - m_pages.begin());
}

CRect CPropertySheet::GetTabRect(int nPage) const {
  RECT r{0, 0, 0, 0};
  if (!m_hWndTab || !::SendMessage(m_hWndTab, TCM_GETITEMRECT, WPARAM(nPage), reinterpret_cast<LPARAM>(&r))) {
    return CRect();
  }
  ::MapWindowPoints(m_hWndTab, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  return CRect(r);
}

CWnd* CPropertySheet::GetTabControl() const { return m_hWndTab ? CWnd::FromHandle(m_hWndTab) : nullptr; }

LRESULT CPropertySheet::OnGetTabControl(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hWndTab); }

BOOL CPropertySheet::EnsurePage(int nPage) {
  CPropertyPage* page = GetPage(nPage);
  if (!page) return FALSE;
  if (page->m_hWnd) return TRUE;
  if (!page->CreateFromTemplate(this, TRUE)) return FALSE;
  if (IsWizard()) {
    CRect area = GetWizardPageRect(page);
    page->MoveWindow(area.left, area.top, area.Width(), area.Height(), FALSE);
    return TRUE;
  }
  page->MoveWindow(kMargin + 2, kMargin + kTabHeight + 2, m_pageSize.cx, m_pageSize.cy, FALSE);
  return TRUE;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (nPage == m_nActive) return TRUE;
  CPropertyPage* old = GetActivePage();
  // A page with bad values keeps the sheet on it.
  if (old && old->m_hWnd && !old->OnKillActive()) return FALSE;
  if (!m_hWnd) {
    m_nStartPage = UINT(nPage);
    return TRUE;
  }
  if (!ShowPage(nPage)) return FALSE;
  if (m_hWndTab) ::SendMessage(m_hWndTab, TCM_SETCURSEL, WPARAM(nPage), 0);
  return TRUE;
}

BOOL CPropertySheet::ShowPage(int nPage) {
  CPropertyPage* old = GetActivePage();
  if (!EnsurePage(nPage)) return FALSE;
  CPropertyPage* page = GetPage(nPage);
  if (!page->OnSetActive()) return FALSE;
  if (old && old != page && old->m_hWnd) old->ShowWindow(SW_HIDE);
  m_nActive = nPage;
  // The page lies over the tab control's display area.
  page->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  if (HWND first = GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE)) ::SetFocus(first);
  return TRUE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText) {
  m_strCaption = lpszText ? lpszText : "";
  if (m_hWnd) SetWindowText(m_strCaption);
}

BOOL CPropertySheet::CreateDialogWindow(CWnd* pOwner) { return BuildSheet(pOwner); }

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD, DWORD) {
  m_bModal = FALSE;
  if (!BuildSheet(pParentWnd)) return FALSE;
  ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CPropertySheet::BuildSheet(CWnd* pParentWnd) {
  if (m_pages.empty()) return FALSE;
  if (IsWizard()) return BuildWizard(pParentWnd);
  // The page area fits the largest page.
  m_pageSize = CSize(0, 0);
  for (CPropertyPage* page : m_pages) {
    if (const res::DialogResource* t = res::find_dialog(page->m_nIDTemplate)) {
      RECT r{0, 0, t->rect.right - t->rect.left, t->rect.bottom - t->rect.top};
      MapTemplateRect(*t, &r);
      m_pageSize.cx = std::max(m_pageSize.cx, r.right);
      m_pageSize.cy = std::max(m_pageSize.cy, r.bottom);
    }
  }
  // OK and Cancel, then Apply unless PSH_NOAPPLYNOW, then Help with PSH_HASHELP, along the
  // bottom's right edge.
  struct Button {
    int id;
    const char* utf8;
    DWORD style;
  };
  std::vector<Button> buttons = {{IDOK, "OK", BS_DEFPUSHBUTTON}, {IDCANCEL, "Anuluj", BS_PUSHBUTTON}};
  if (!(m_psh.dwFlags & PSH_NOAPPLYNOW)) buttons.push_back({int(ID_APPLY_NOW), "&Zastosuj", BS_PUSHBUTTON});
  if (m_psh.dwFlags & PSH_HASHELP) buttons.push_back({IDHELP, "Pomoc", BS_PUSHBUTTON});
  const int count = int(buttons.size());
  int width = std::max(int(m_pageSize.cx) + 2 * kMargin + 4, count * kButtonWidth + (count + 1) * kMargin);
  int buttons_top = kMargin + kTabHeight + int(m_pageSize.cy) + 4 + kMargin;
  int height = buttons_top + kButtonHeight + kMargin;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  RECT window{0, 0, width, height};
  AdjustWindowRectEx(&window, style, FALSE, WS_EX_DLGMODALFRAME);
  int ww = window.right - window.left, wh = window.bottom - window.top;
  RECT over{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (pParentWnd && pParentWnd->m_hWnd) ::GetWindowRect(pParentWnd->m_hWnd, &over);
  int x = over.left + ((over.right - over.left) - ww) / 2, y = over.top + ((over.bottom - over.top) - wh) / 2;
  if (!CreateEx(WS_EX_DLGMODALFRAME, DIALOG_CLASS, m_strCaption, style, x, y, ww, wh,
                pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, nullptr)) {
    return FALSE;
  }
  // The tab control holds the tabs and draws the frame around the page area.
  m_hWndTab = CreateWindowEx(0, WC_TABCONTROL, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, kMargin,
                             kMargin, int(m_pageSize.cx) + 4, kTabHeight + int(m_pageSize.cy) + 4, m_hWnd,
                             reinterpret_cast<HMENU>(std::uintptr_t(AFX_IDC_TAB_CONTROL)), nullptr);
  if (!m_hWndTab) {
    DestroyWindow();
    return FALSE;
  }
  for (int i = 0; i < GetPageCount(); ++i) insert_tab(m_hWndTab, i, m_pages[size_t(i)]->GetCaption());
  int bx = width - count * (kButtonWidth + kMargin);
  for (const Button& b : buttons) {
    HWND h = CreateWindowEx(0, "Button", base::cp1250::from_utf8(b.utf8).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | b.style, bx, buttons_top, kButtonWidth,
                            kButtonHeight, m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(b.id)), nullptr);
    if (!h) {
      DestroyWindow();
      return FALSE;
    }
    bx += kButtonWidth + kMargin;
  }
  ::EnableWindow(::GetDlgItem(m_hWnd, int(ID_APPLY_NOW)), FALSE);
  SendMessage(WM_INITDIALOG, 0, 0);
  return m_hWnd != nullptr;
}

BOOL CPropertySheet::OnInitDialog() {
  int start = int(m_nStartPage) < GetPageCount() ? int(m_nStartPage) : 0;
  m_nActive = -1;
  return SetActivePage(start) ? FALSE : TRUE;
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // The tab control (or a window that subclassed it) answers its own notices first.
  if (CDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || !m_hWndTab || header->hwndFrom != m_hWndTab) return FALSE;
  if (header->code == TCN_SELCHANGING) {
    // A page with bad values keeps its tab.
    CPropertyPage* active = GetActivePage();
    *pResult = active && active->m_hWnd && !active->OnKillActive();
    return TRUE;
  }
  if (header->code == TCN_SELCHANGE) {
    int chosen = int(::SendMessage(m_hWndTab, TCM_GETCURSEL, 0, 0));
    if (chosen != m_nActive && !ShowPage(chosen)) ::SendMessage(m_hWndTab, TCM_SETCURSEL, WPARAM(m_nActive), 0);
    *pResult = 0;
    return TRUE;
  }
  return FALSE;
}

void CPropertySheet::UpdateApplyButton() {
  if (!m_hWnd) return;
  bool changed = std::any_of(m_pages.begin(), m_pages.end(), [](CPropertyPage* p) { return p->IsModified(); });
  ::EnableWindow(::GetDlgItem(m_hWnd, int(ID_APPLY_NOW)), changed);
}

BOOL CPropertySheet::Apply() {
  CPropertyPage* active = GetActivePage();
  if (active && active->m_hWnd && !active->OnKillActive()) return FALSE;
  for (CPropertyPage* page : m_pages) {
    if (page->m_hWnd && !page->OnApply()) {
      SetActivePage(page);
      return FALSE;
    }
  }
  UpdateApplyButton();
  return TRUE;
}

void CPropertySheet::OnOK() {
  CPropertyPage* active = GetActivePage();
  if (active && active->m_hWnd && !active->OnKillActive()) return;
  for (CPropertyPage* page : m_pages) {
    if (page->m_hWnd) page->OnOK();
  }
  EndDialog(IDOK);
}

void CPropertySheet::OnCancel() {
  CPropertyPage* active = GetActivePage();
  if (active && active->m_hWnd && !active->OnQueryCancel()) return;
  for (CPropertyPage* page : m_pages) {
    if (page->m_hWnd) page->OnCancel();
  }
  EndDialog(IDCANCEL);
}

BOOL CPropertySheet::PressButton(int nButton) {
  switch (nButton) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    case int(ID_WIZBACK):
    case int(ID_WIZNEXT):
    case int(ID_WIZFINISH): return IsWizard() && WizardStep(UINT(nButton));
    default: return nButton == int(ID_APPLY_NOW) && Apply();
  }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED || !lParam) {
    UINT id = LOWORD(wParam);
    if (IsWizard() && OnWizardCommand(id)) return TRUE;
    if (id == UINT(IDOK) || id == UINT(IDCANCEL) || id == ID_APPLY_NOW) {
      PressButton(int(id));
      return TRUE;
    }
    if (id == UINT(IDHELP)) {
      // The active page is asked for its help.
      if (CPropertyPage* page = GetActivePage(); page && page->m_hWnd) {
        NMHDR help{m_hWnd, UINT_PTR(GetDlgCtrlID()), PSN_HELP};
        page->SendMessage(WM_NOTIFY, help.idFrom, reinterpret_cast<LPARAM>(&help));
      }
      return TRUE;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == WPARAM(VK_TAB) && (GetKeyState(VK_CONTROL) & 0x8000) &&
      !IsWizard()) {
    // Ctrl+Tab (with Shift: backwards) moves between pages.
    int n = GetPageCount();
    if (n > 1) SetActivePage((m_nActive + ((GetKeyState(VK_SHIFT) & 0x8000) ? n - 1 : 1)) % n);
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU && m_hWnd) {
    HWND about = reinterpret_cast<HWND>(wParam);
    bool own = about == m_hWnd;
    if (!own && about && ::GetParent(about) == m_hWnd) {
      own = std::none_of(m_pages.begin(), m_pages.end(), [about](CPropertyPage* p) { return p->m_hWnd == about; });
    }
    if (own) return 1;
  }
  return CDialog::DefWindowProc(message, wParam, lParam);
}

void CPropertySheet::OnLButtonDown(UINT nFlags, CPoint point) {
  // A press over a tab is the tab control's, wherever it was sent.
  if (!m_hWndTab) return;
  POINT p = point;
  ::MapWindowPoints(m_hWnd, m_hWndTab, &p, 1);
  ::SendMessage(m_hWndTab, WM_LBUTTONDOWN, WPARAM(nFlags), MAKE_POINT_LPARAM(p.x, p.y));
}
