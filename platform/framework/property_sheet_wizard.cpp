// Property sheets in wizard mode: the page area, the wizard buttons and the steps between pages.
#include <algorithm>

#include "platform/base/cp1250.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/control_messages.h"
#include "platform/framework/property_sheet.h"
#include "platform/win/system_metrics.h"

namespace {
constexpr int kMargin = 7;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kLineHeight = 2;

// Asks the page for its step with a notification; the answer as the page gives it.
LRESULT ask_page(CPropertySheet& sheet, CPropertyPage& page, UINT code) {
  NMHDR header{sheet.m_hWnd, UINT_PTR(sheet.GetDlgCtrlID()), code};
  return page.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void show_button(HWND sheet, UINT id, bool shown, bool enabled) {
  HWND button = ::GetDlgItem(sheet, int(id));
  if (!button) return;
  ::ShowWindow(button, shown ? SW_SHOWNA : SW_HIDE);
  ::EnableWindow(button, shown && enabled);
}
}  // namespace

// --- Pages ------------------------------------------------------------------------------------------

LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

// --- The sheet --------------------------------------------------------------------------------------

void CPropertySheet::SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }

void CPropertySheet::SetWizardButtons(DWORD dwFlags) {
  m_dwWizardButtons = dwFlags;
  if (m_hWnd) SendMessage(PSM_SETWIZBUTTONS, 0, LPARAM(dwFlags));
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText) {
  if (m_hWnd) SendMessage(PSM_SETFINISHTEXT, 0, reinterpret_cast<LPARAM>(lpszText));
}

LRESULT CPropertySheet::OnSetWizButtons(WPARAM, LPARAM lParam) {
  DWORD flags = DWORD(lParam);
  m_dwWizardButtons = flags;
  bool finish = m_bFinishText || (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH));
  show_button(m_hWnd, ID_WIZBACK, !m_bFinishText, (flags & PSWIZB_BACK) != 0);
  show_button(m_hWnd, ID_WIZNEXT, !finish, (flags & PSWIZB_NEXT) != 0);
  show_button(m_hWnd, ID_WIZFINISH, finish, m_bFinishText || (flags & PSWIZB_FINISH));
  // The button in the Next place is the default one; the focus leaves a button that went away.
  UINT default_id = finish ? ID_WIZFINISH : ID_WIZNEXT;
  SendMessage(DM_SETDEFID, default_id);
  for (UINT id : {ID_WIZNEXT, ID_WIZFINISH}) {
    if (HWND button = ::GetDlgItem(m_hWnd, int(id)))
      ::SendMessage(button, BM_SETSTYLE, id == default_id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  HWND focus = ::GetFocus();
  if (focus && ::GetParent(focus) == m_hWnd && (!::IsWindowVisible(focus) || !::IsWindowEnabled(focus))) {
    HWND next = ::GetDlgItem(m_hWnd, int(default_id));
    ::SetFocus(next && ::IsWindowEnabled(next) ? next : ::GetDlgItem(m_hWnd, IDCANCEL));
  }
  return 0;
}

LRESULT CPropertySheet::OnSetFinishText(WPARAM, LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  if (HWND finish = ::GetDlgItem(m_hWnd, int(ID_WIZFINISH)); finish && text) ::SetWindowText(finish, text);
  m_bFinishText = TRUE;
  OnSetWizButtons(0, LPARAM(m_dwWizardButtons));
  return 0;
}

CRect CPropertySheet::GetWizardPageRect(CPropertyPage*) const {
  int top = GetWizardHeaderHeight() + kMargin;
  return CRect(kMargin, top, kMargin + int(m_pageSize.cx), top + int(m_pageSize.cy));
}

BOOL CPropertySheet::BuildWizard(CWnd* pParentWnd) {
  // The page area fits the largest page.
  m_pageSize = CSize(0, 0);
  for (CPropertyPage* page : m_pages) {
    if (const res::DialogResource* t = res::find_dialog(page->m_nIDTemplate)) {
      RECT r{0, 0, t->rect.right - t->rect.left, t->rect.bottom - t->rect.top};
      ::MapDialogRect(nullptr, &r);
      m_pageSize.cx = std::max(m_pageSize.cx, r.right);
      m_pageSize.cy = std::max(m_pageSize.cy, r.bottom);
    }
  }
  // Back and Next side by side, Finish in Next's place, then Cancel and Help, along the bottom's
  // right edge under an etched line.
  bool help = (m_psh.dwFlags & PSH_HASHELP) != 0;
  int row = 3 * kButtonWidth + (help ? kButtonWidth + kMargin : 0) + kMargin;
  int width = std::max(int(m_pageSize.cx) + 2 * kMargin, row + 2 * kMargin);
  int line_top = GetWizardHeaderHeight() + kMargin + int(m_pageSize.cy) + kMargin;
  int buttons_top = line_top + kLineHeight + kMargin;
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
  HWND line = CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, line_top, width, kLineHeight,
                             m_hWnd, nullptr, nullptr);
  struct Button {
    UINT id;
    const char* utf8;
    int x;
  };
  int bx = width - kMargin - row;
  const Button buttons[] = {
      {ID_WIZBACK, "< &Wstecz", bx},
      {ID_WIZNEXT, "&Dalej >", bx + kButtonWidth},
      {ID_WIZFINISH, "Zakończ", bx + kButtonWidth},
      {UINT(IDCANCEL), "Anuluj", bx + 2 * kButtonWidth + kMargin},
      {UINT(IDHELP), "Pomoc", bx + 3 * kButtonWidth + 2 * kMargin},
  };
  bool made = line != nullptr;
  for (const Button& b : buttons) {
    if (b.id == UINT(IDHELP) && !help) continue;
    DWORD shown = b.id == ID_WIZFINISH ? 0 : WS_VISIBLE;
    made = made && CreateWindowEx(0, "Button", base::cp1250::from_utf8(b.utf8).c_str(),
                                  WS_CHILD | WS_TABSTOP | shown | BS_PUSHBUTTON, b.x, buttons_top, kButtonWidth,
                                  kButtonHeight, m_hWnd, reinterpret_cast<HMENU>(std::uintptr_t(b.id)), nullptr);
  }
  if (!made) {
    DestroyWindow();
    return FALSE;
  }
  OnSetWizButtons(0, LPARAM(m_dwWizardButtons));
  SendMessage(WM_INITDIALOG, 0, 0);
  if (m_hWnd) UpdateWizardTitle();
  return m_hWnd != nullptr;
}

void CPropertySheet::UpdateWizardTitle() {
  CPropertyPage* page = GetActivePage();
  const CString& title = page && !page->GetCaption().IsEmpty() ? page->GetCaption() : m_strCaption;
  SetWindowText(title);
}

BOOL CPropertySheet::OnWizardCommand(UINT nID) {
  if (nID == ID_WIZBACK || nID == ID_WIZNEXT || nID == ID_WIZFINISH) {
    WizardStep(nID);
    return TRUE;
  }
  if (nID == UINT(IDOK)) {
    // Enter: the button in the Next place, when it is offered.
    for (UINT id : {ID_WIZFINISH, ID_WIZNEXT}) {
      HWND button = ::GetDlgItem(m_hWnd, int(id));
      if (button && ::IsWindowVisible(button)) {
        if (::IsWindowEnabled(button)) WizardStep(id);
        break;
      }
    }
    return TRUE;
  }
  return FALSE;
}

BOOL CPropertySheet::WizardStep(UINT nID) {
  CPropertyPage* page = GetActivePage();
  if (!page || !page->m_hWnd) return FALSE;
  HWND button = ::GetDlgItem(m_hWnd, int(nID));
  if (button && !::IsWindowEnabled(button)) return FALSE;
  if (nID == ID_WIZFINISH) {
    if (!page->OnKillActive() || ask_page(*this, *page, PSN_WIZFINISH) != 0) return FALSE;
    EndDialog(int(ID_WIZFINISH));
    return TRUE;
  }
  bool back = nID == ID_WIZBACK;
  // Next has the page agree to be left before it is asked for the step; Back asks first.
  if (!back && !page->OnKillActive()) return FALSE;
  LRESULT step = ask_page(*this, *page, back ? PSN_WIZBACK : PSN_WIZNEXT);
  if (step == -1) return FALSE;
  if (back && !page->OnKillActive()) return FALSE;
  int target = m_nActive + (back ? -1 : 1);
  if (step != 0) {
    auto it = std::find_if(m_pages.begin(), m_pages.end(),
                           [&](CPropertyPage* p) { return LRESULT(p->m_nIDTemplate) == step; });
    if (it == m_pages.end()) return FALSE;
    target = int(it - m_pages.begin());
  }
  // A page that refuses to be shown is passed over, in the direction of the step.
  int direction = back ? -1 : 1;
  for (; target >= 0 && target < GetPageCount(); target += direction) {
    if (target != m_nActive && ShowPage(target)) {
      UpdateWizardTitle();
      Invalidate();
      return TRUE;
    }
    if (step != 0) break;
  }
  return FALSE;
}
