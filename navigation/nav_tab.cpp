#include "navigation/nav_tab.h"

#include <algorithm>

#include "platform/framework/app.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/tool_tips.h"
#include "platform/res/resource_store.h"

IMPLEMENT_DYNAMIC(CNavTab, CDialog)

BEGIN_MESSAGE_MAP(CNavTab, CDialog)
  ON_MESSAGE(WM_SETMESSAGESTRING, &CNavTab::OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, &CNavTab::OnPopMessageString)
  ON_WM_MENUSELECT()
  ON_WM_ENTERIDLE()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// The system command ids of a menu selection as the frames show their prompts.
UINT PromptIdOf(UINT nItemID, UINT nFlags) {
  if (nFlags & (MF_SEPARATOR | MF_POPUP)) return 0;
  if (nItemID >= 0xF000 && nItemID < 0xF1F0) return 0xEF00 + (nItemID - 0xF000) / 16;
  return nItemID;
}

constexpr int kTipLimit = 80;

}  // namespace

CNavTab::~CNavTab() = default;

BOOL CNavTab::CreateTab(UINT nIDTemplate, CWnd* pTabWnd) {
  if (!Create(nIDTemplate, pTabWnd)) return FALSE;
  ShowWindow(SW_HIDE);
  return TRUE;
}

CWnd* CNavTab::GetBar() const {
  CWnd* tabs = GetParent();
  return tabs ? tabs->GetParent() : nullptr;
}

BOOL CNavTab::PreTranslateMessage(MSG* pMsg) {
  if (CWnd* bar = GetBar(); bar && bar->PreTranslateMessage(pMsg)) return TRUE;
  return CDialog::PreTranslateMessage(pMsg);
}

void CNavTab::SplitPrompt(UINT nID, CString& prompt, CString& tip) {
  prompt.Empty();
  tip.Empty();
  CString text;
  if (!AfxLoadString(nID, text)) return;
  if (text.GetLength() > 256) text = text.Left(256);
  const int line = text.Find('\n');
  if (line < 0) {
    prompt = text;
    return;
  }
  prompt = text.Left(line);
  tip = text.Mid(line + 1);
  if (tip.GetLength() > kTipLimit) tip = tip.Left(kTipLimit);
}

void CNavTab::ShowPrompt(LPCTSTR lpszText) {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CNavTab::ShowPrompt(UINT nID) {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void CNavTab::FitList(CGSListCtrl& list) {
  if (!list.m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  CRect rect;
  list.GetWindowRect(&rect);
  ScreenToClient(&rect);
  rect.left = 0;
  rect.right = client.right;
  rect.bottom = client.bottom;
  list.MoveWindow(&rect);
  list.StretchLastColumn(rect.Width(), 0);
}

BOOL CNavTab::CreateTabToolBar(UINT nIDResource) {
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
      !m_wndToolBar.LoadToolBar(nIDResource)) {
    return FALSE;
  }
  m_wndToolBar.SetSizes(CSize(21, 20), CSize(14, 14));
  m_wndToolBar.SetHeight(21);
  m_wndToolBar.SetOwner(this);
  const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
  m_wndToolBar.SetWindowPos(nullptr, 0, -2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

int CNavTab::ToolBarBottom() const {
  if (!m_wndToolBar.m_hWnd) return 0;
  CRect rect;
  m_wndToolBar.GetWindowRect(&rect);
  ScreenToClient(&rect);
  return std::max(0, int(rect.bottom));
}

BOOL CNavTab::AnswerToolTip(LPARAM lParam, LRESULT* pResult) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (!header || header->code != TTN_NEEDTEXT) return FALSE;
  auto* info = reinterpret_cast<TOOLTIPTEXT*>(lParam);
  UINT id = UINT(header->idFrom);
  if (info->uFlags & TTF_IDISHWND) id = UINT(::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom)));
  if (id != 0) {
    CString prompt, tip;
    SplitPrompt(id, prompt, tip);
    const int n = std::min(tip.GetLength(), int(sizeof(info->szText)) - 1);
    std::copy_n(static_cast<LPCTSTR>(tip), n, info->szText);
    info->szText[n] = '\0';
    info->lpszText = info->szText;
    ShowPrompt(prompt);
    if (header->hwndFrom) {
      ::SetWindowPos(header->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  if (pResult) *pResult = 0;
  return TRUE;
}

BOOL CNavTab::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (AnswerToolTip(lParam, pResult)) return TRUE;
  return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CNavTab::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  if (lParam) {
    ShowPrompt(reinterpret_cast<LPCTSTR>(lParam));
  } else {
    ShowPrompt(UINT(wParam));
    m_nIDLastMessage = UINT(wParam);
  }
  return 0;
}

LRESULT CNavTab::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CNavTab::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && !hSysMenu) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    ShowPrompt(m_nIDTracking);
    m_nIDLastMessage = m_nIDTracking;
    return;
  }
  m_nIDTracking = PromptIdOf(nItemID, nFlags);
}

void CNavTab::OnEnterIdle(UINT nWhy, CWnd*) {
  if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage) return;
  ShowPrompt(m_nIDTracking);
  m_nIDLastMessage = m_nIDTracking;
}

BOOL CNavTab::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}
