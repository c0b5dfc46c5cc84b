#include "platform/framework/property_sheet_ex.h"

#include "platform/framework/command_ids.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNAMIC(CPropertyPageEx, CPropertyPage)
IMPLEMENT_DYNAMIC(CPropertySheetEx, CPropertySheet)

namespace {
constexpr int kMargin = 7;
constexpr int kTitleLeft = 22;
constexpr int kSubtitleLeft = 44;
}  // namespace

CPropertyPageEx::CPropertyPageEx(UINT nIDTemplate, UINT nIDCaption, UINT nIDHeaderTitle, UINT nIDHeaderSubTitle)
    : CPropertyPage(nIDTemplate, nIDCaption) {
  if (nIDHeaderTitle && AfxLoadString(nIDHeaderTitle, m_strHeaderTitle)) m_psp.dwFlags |= PSP_USEHEADERTITLE;
  if (nIDHeaderSubTitle && AfxLoadString(nIDHeaderSubTitle, m_strHeaderSubTitle))
    m_psp.dwFlags |= PSP_USEHEADERSUBTITLE;
}

BEGIN_MESSAGE_MAP(CPropertySheetEx, CPropertySheet)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPropertySheetEx::CPropertySheetEx(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                   HPALETTE, HBITMAP hbmHeader)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
  init_bitmaps(hbmWatermark, hbmHeader);
}

CPropertySheetEx::CPropertySheetEx(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage, HBITMAP hbmWatermark,
                                   HPALETTE, HBITMAP hbmHeader)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {
  init_bitmaps(hbmWatermark, hbmHeader);
}

void CPropertySheetEx::init_bitmaps(HBITMAP watermark, HBITMAP header) {
  m_hbmWatermark = watermark;
  m_hbmHeader = header;
  if (watermark) m_psh.dwFlags |= PSH_WATERMARK;
  if (header) m_psh.dwFlags |= PSH_HEADER;
}

bool CPropertySheetEx::has_header(CPropertyPage* page) {
  auto* ex = dynamic_cast<CPropertyPageEx*>(page);
  return !ex || !(ex->m_psp.dwFlags & PSP_HIDEHEADER);
}

int CPropertySheetEx::GetWizardHeaderHeight() const { return later_style() ? kHeaderHeight : 0; }

CRect CPropertySheetEx::GetWizardPageRect(CPropertyPage* pPage) const {
  CRect inner = CPropertySheet::GetWizardPageRect(pPage);
  if (!later_style() || has_header(pPage)) return inner;
  // An outer page covers the header band and the margins, right of the watermark.
  BITMAP watermark{};
  int left = (m_psh.dwFlags & PSH_WATERMARK) && m_hbmWatermark && GetObject(m_hbmWatermark, sizeof watermark, &watermark)
                 ? int(watermark.bmWidth)
                 : 0;
  return CRect(left, 0, inner.right + kMargin, inner.bottom + kMargin);
}

void CPropertySheetEx::OnPaint() {
  CPaintDC dc(this);
  if (!later_style()) return;
  CRect client;
  GetClientRect(&client);
  CPropertyPage* page = GetActivePage();
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  if (!has_header(page)) {
    // The watermark down the left edge of an outer page, on the page's own face colour.
    CRect area = GetWizardPageRect(page);
    CRect strip(0, 0, area.left, area.bottom);
    dc.FillSolidRect(&strip, GetSysColor(COLOR_3DFACE));
    if ((m_psh.dwFlags & PSH_WATERMARK) && m_hbmWatermark) {
      BITMAP info{};
      GetObject(m_hbmWatermark, sizeof info, &info);
      CBitmap* old = memory.SelectObject(CBitmap::FromHandle(m_hbmWatermark));
      dc.BitBlt(0, 0, int(info.bmWidth), std::min(int(info.bmHeight), area.bottom), &memory, 0, 0, SRCCOPY);
      memory.SelectObject(old);
    }
    return;
  }
  // The header band: white, the texts at the left, the header bitmap at the right, a line below.
  CRect band(0, 0, client.right, kHeaderHeight);
  dc.FillSolidRect(&band, RGB(255, 255, 255));
  if ((m_psh.dwFlags & PSH_HEADER) && m_hbmHeader) {
    BITMAP info{};
    GetObject(m_hbmHeader, sizeof info, &info);
    int w = int(info.bmWidth), h = std::min(int(info.bmHeight), kHeaderHeight);
    CBitmap* old = memory.SelectObject(CBitmap::FromHandle(m_hbmHeader));
    dc.BitBlt(band.right - w - kMargin, (kHeaderHeight - h) / 2, w, h, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  dc.DrawEdge(CRect(0, kHeaderHeight - 2, client.right, kHeaderHeight), EDGE_ETCHED, BF_BOTTOM);
  auto* ex = dynamic_cast<CPropertyPageEx*>(page);
  if (!ex) return;
  LOGFONT lf{};
  CFont* dialog_font = GetFont();
  if (!dialog_font || !dialog_font->GetLogFont(&lf)) GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  CFont normal, bold;
  normal.CreateFontIndirect(&lf);
  lf.lfWeight = FW_BOLD;
  bold.CreateFontIndirect(&lf);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  CFont* old_font = dc.SelectObject(&bold);
  if (ex->m_psp.dwFlags & PSP_USEHEADERTITLE) dc.TextOut(kTitleLeft, 10, ex->m_strHeaderTitle);
  dc.SelectObject(&normal);
  if (ex->m_psp.dwFlags & PSP_USEHEADERSUBTITLE) dc.TextOut(kSubtitleLeft, 28, ex->m_strHeaderSubTitle);
  dc.SelectObject(old_font);
}
