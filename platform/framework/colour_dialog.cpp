#include "platform/framework/colour_dialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_cc.rgbResult = clrInit;
  m_cc.Flags = dwFlags | (clrInit != 0 ? CC_RGBINIT : 0);
  m_cc.lpCustColors = m_custColors;
  for (COLORREF& c : m_custColors) c = RGB(255, 255, 255);
}

INT_PTR CColorDialog::DoModal() {
  COLORREF colour = (m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : RGB(0, 0, 0);
  HWND owner = m_cc.hwndOwner ? m_cc.hwndOwner : OwnerWindow();
  if (!framework::prompter().choose_colour(owner, colour)) return IDCANCEL;
  m_cc.rgbResult = colour & 0x00FFFFFF;
  return IDOK;
}
