#include "toolkit/frame/sec_dialog_bar.h"

#include "platform/framework/dialog.h"
#include "platform/framework/dock_state.h"
#include "platform/res/resource_store.h"
#include "platform/win/cmd_ui.h"
#include "toolkit/frame/sec_dock_state.h"

IMPLEMENT_SERIAL(SECDialogBar, SECControlBar, 1)

BEGIN_MESSAGE_MAP(SECDialogBar, SECControlBar)
  ON_MESSAGE(WM_GETFONT, &SECDialogBar::OnGetFont)
  ON_MESSAGE(WM_INITDIALOG, &SECDialogBar::OnInitDialog)
END_MESSAGE_MAP()

SECDialogBar::SECDialogBar() = default;
SECDialogBar::~SECDialogBar() = default;

BOOL SECDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID) {
  const res::DialogResource* dialog = res::find_dialog(nIDTemplate);
  if (!dialog || !pParentWnd) return FALSE;
  m_dwStyle = nStyle & CBRS_ALL;
  m_dwExStyle = dwExStyle;
  CREATESTRUCT cs{};
  cs.style = (nStyle & ~CBRS_ALL) | WS_CHILD;
  cs.hMenu = reinterpret_cast<HMENU>(std::uintptr_t(nID));
  cs.hwndParent = pParentWnd->m_hWnd;
  if (!PreCreateWindow(cs)) return FALSE;
  m_nIDTemplate = m_nIDLoading = nIDTemplate;
  m_hFont = DialogTemplateFont(*dialog);
  CRect size(0, 0, dialog->rect.right - dialog->rect.left, dialog->rect.bottom - dialog->rect.top);
  MapTemplateRect(*dialog, &size);
  m_sizeTemplate = size.Size();
  // Made hidden; shown at the end only when the style asks for it.
  const DWORD style = ((cs.style & ~(WS_VISIBLE | WS_CAPTION)) | WS_CLIPSIBLINGS);
  if (!CWnd::Create(nullptr, CString(), style, size, pParentWnd, nID)) {
    m_nIDLoading = 0;
    return FALSE;
  }
  m_nIDLoading = 0;
  if (!CreateDialogControls(m_hWnd, *dialog)) {
    DestroyWindow();
    return FALSE;
  }
  SendMessage(WM_INITDIALOG, 0, 0);
  RecordChildren();
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_szFloat = m_szHorzDock = m_szVertDock = m_sizeTemplate;
  return TRUE;
}

BOOL SECDialogBar::SetOccDialogInfo(void* pOccDialogInfo) {
  m_pOccDialogInfo = pOccDialogInfo;
  return TRUE;
}

LRESULT SECDialogBar::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hFont); }

LRESULT SECDialogBar::OnInitDialog(WPARAM, LPARAM) {
  // No embedded controls of another kind exist here: nothing more to make.
  return TRUE;
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  if (!pTarget || !m_hWnd) return;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    if (id <= 0) continue;
    CCmdUI state;
    state.m_nID = UINT(id);
    state.m_pOther = CWnd::FromHandle(child);
    // Only buttons without a handler are disabled; fields and labels stay as they are.
    const bool button = (::SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
    state.DoUpdate(pTarget, bDisableIfNoHndler && button);
  }
}

void SECDialogBar::GetBarInfo(CControlBarInfo* pInfo) {
  if (auto* record = dynamic_cast<SECBarStateRecord*>(pInfo)) record->m_nResourceID = m_nIDTemplate;
  SECControlBar::GetBarInfo(pInfo);
}
