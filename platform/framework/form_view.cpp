#include "platform/framework/data_exchange.h"
#include "platform/framework/dialog.h"
#include "platform/framework/view.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BOOL CFormView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  const res::DialogResource* dialog = res::find_dialog(m_nIDTemplate);
  if (!dialog) return FALSE;
  if (!CScrollView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) {
    return FALSE;
  }
  if (!CreateDialogControls(m_hWnd, *dialog)) return FALSE;
  // The form scrolls over the template's size.
  CRect size(0, 0, dialog->rect.right - dialog->rect.left, dialog->rect.bottom - dialog->rect.top);
  ::MapDialogRect(m_hWnd, &size);
  SetScrollSizes(MM_TEXT, CSize(size.Width(), size.Height()));
  return TRUE;
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
  if (CScrollView::PreTranslateMessage(pMsg)) return TRUE;
  // Tab and mnemonics move among the form's controls.
  return IsChild(CWnd::FromHandle(pMsg->hwnd)) && IsDialogMessage(m_hWnd, pMsg);
}

void CFormView::DoDataExchange(CDataExchange*) {}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}
