// The colour well button: a swatch of its colour with a drop-down arrow; a click opens the popup
// well below it, and the colour chosen there (or in the colour chooser behind "&Inny...") becomes
// the button's colour and is reported to its parent.
#include "platform/framework/colour_dialog.h"
#include "platform/framework/control_messages.h"
#include "platform/win/window_api.h"
#include "toolkit/widgets/owner_draw_button.h"

IMPLEMENT_DYNAMIC(SECWellButton, SECOwnerDrawButton)

SECWellButton::SECWellButton() : m_popup(std::make_unique<SECPopupColorWell>()) { CreateWellPalette(); }

SECWellButton::~SECWellButton() {
  if (m_popup && m_popup->m_hWnd) m_popup->Close();
}

void SECWellButton::CreateWellPalette() {
  m_palette.DeleteObject();
  LOGPALETTE log{0x300, 1, {{GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour), 0}}};
  m_palette.CreatePalette(&log);
}

void SECWellButton::SetColor(COLORREF colour) {
  m_colour = colour;
  CreateWellPalette();
  if (m_hWnd) Invalidate();
}

CRect SECWellButton::SwatchRect(const CRect& interior) {
  return CRect(interior.left + 3, interior.top + 2, interior.right - 13, interior.bottom - 2);
}

void SECWellButton::PreparePalette(CDC* pScreen, CDC* pMemory) {
  if (!m_bPaletteMode || !m_palette.GetSafeHandle()) return;
  m_pOldScreenPalette = pScreen ? pScreen->SelectPalette(&m_palette, FALSE) : nullptr;
  if (pScreen) pScreen->RealizePalette();
  m_pOldMemoryPalette = pMemory ? pMemory->SelectPalette(&m_palette, FALSE) : nullptr;
  if (pMemory) pMemory->RealizePalette();
}

void SECWellButton::RestorePalette(CDC* pScreen, CDC* pMemory) {
  if (pScreen && m_pOldScreenPalette) pScreen->SelectPalette(m_pOldScreenPalette, FALSE);
  if (pMemory && m_pOldMemoryPalette) pMemory->SelectPalette(m_pOldMemoryPalette, FALSE);
  m_pOldScreenPalette = m_pOldMemoryPalette = nullptr;
}

void SECWellButton::DrawContent(CDC& dc, const DRAWITEMSTRUCT& item, const CRect& r) {
  const Colours& c = GetColours();
  // The arrow: 5 pixels wide at the base, 3 high, pointing down.
  const int left = r.right - 7;
  const int top = r.top + (r.Height() - 3) / 2;
  for (int row = 0; row < 3; ++row) dc.FillSolidRect(left + row, top + row, 5 - 2 * row, 1, RGB(0, 0, 0));
  dc.FillSolidRect(r.right - 10, r.top + 2, 1, r.Height() - 4, c.separator);
  dc.FillSolidRect(r.right - 9, r.top + 2, 1, r.Height() - 4, c.hilite);
  if (item.itemState & ODS_DISABLED) return;
  CRect swatch = SwatchRect(r);
  dc.Draw3dRect(&swatch, RGB(0, 0, 0), RGB(0, 0, 0));
  swatch.DeflateRect(1, 1);
  // In palette mode the swatch shows palette entry 0 as realised, which is the colour itself.
  dc.FillSolidRect(&swatch, m_colour);
}

void SECWellButton::DrawFocusFrame(CDC& dc, const CRect& rect) {
  CRect r(rect);
  r.DeflateRect(1, 1);
  dc.DrawFocusRect(&r);
}

void SECWellButton::OnClicked() {
  if (!m_popup->IsPoppedUp()) ShowPopup();
}

void SECWellButton::ShowPopup() {
  m_popup->Reset();
  CRect r;
  GetWindowRect(&r);
  if (!m_popup->Popup(WS_VISIBLE, r, GetParent(), m_bOtherColors)) return;
  m_popup->SelectColor(m_colour);
  m_popup->SetPaletteMode(m_bPaletteMode);
  m_popup->SetNotifyWnd(this);
}

void SECWellButton::OnColourChosen(COLORREF colour) {
  SetColor(colour);
  if (m_hWnd) UpdateWindow();
  if (CWnd* parent = GetParent()) parent->SendMessage(SEC_WM_COLORSELECTED, WPARAM(GetDlgCtrlID()), LPARAM(colour));
}

LRESULT SECWellButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case SEC_WM_COLORSELECTED:
      OnColourChosen(COLORREF(lParam));
      return 0;
    case SEC_WM_OTHERCOLOR: {
      CColorDialog dlg(m_colour, GetColorDialogFlags(), this);
      if (dlg.DoModal() == IDOK) OnColourChosen(dlg.GetColor());
      return 0;
    }
    default:
      return SECOwnerDrawButton::WindowProc(message, wParam, lParam);
  }
}
