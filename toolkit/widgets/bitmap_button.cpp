// The bitmap button: a bitmap (loaded with the system's 3-D colours) beside, above, below or
// instead of the button's text.
#include <cstdint>

#include "platform/framework/control_messages.h"
#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/widgets/owner_draw_button.h"

IMPLEMENT_DYNAMIC(SECBitmapButton, SECOwnerDrawButton)

namespace {

// The image margins every bitmap button starts with.
constexpr int kImageMargin = 5;

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

}  // namespace

namespace bitmap_button {

void Layout(CSize client, CSize bitmap, int nPosition, int nMarginX, int nMarginY, CRect& image, CRect& text) {
  const CRect area(0, 0, client.cx - 3, client.cy - 3);
  image = CRect(0, 0, bitmap.cx, bitmap.cy);
  text = area;
  const int centredX = (area.Width() - bitmap.cx) / 2;
  const int centredY = (area.Height() - bitmap.cy) / 2;
  switch (nPosition) {
    case SEC_BMP_LEFT:
      image.OffsetRect(nMarginX, centredY);
      text.left = image.right + 1;
      break;
    case SEC_BMP_RIGHT:
      image.OffsetRect(area.Width() - nMarginX - bitmap.cx, centredY);
      text.right = image.left - 1;
      break;
    case SEC_BMP_ABOVE:
      image.OffsetRect(centredX, nMarginY);
      text.top = image.bottom + 1;
      break;
    case SEC_BMP_BELOW:
      image.OffsetRect(centredX, area.Height() - nMarginY - bitmap.cy);
      text.bottom = image.top - 1;
      break;
    default:
      image.OffsetRect(centredX, centredY);
      text.SetRectEmpty();
      break;
  }
  image.IntersectRect(CRect(image), area);
  if (!text.IsRectEmpty()) text.IntersectRect(CRect(text), area);
}

}  // namespace bitmap_button

SECBitmapButton::SECBitmapButton() : m_nMarginX(kImageMargin), m_nMarginY(kImageMargin) {}

SECBitmapButton::~SECBitmapButton() = default;

BOOL SECBitmapButton::LoadBitmapResource(UINT nBitmap) {
  m_bitmap.DeleteObject();
  m_nBitmap = nBitmap;
  return nBitmap != 0 && SECLoadSysColorBitmap(m_bitmap, nBitmap);
}

BOOL SECBitmapButton::AttachBitmapItemById(UINT nID, UINT nBitmap, int nPosition, CWnd* pParent) {
  m_nImagePos = nPosition;
  if (!LoadBitmapResource(nBitmap) || !AttachDlgItem(nID, pParent)) return FALSE;
  LayoutImage();
  return TRUE;
}

BOOL SECBitmapButton::AttachBitmapItem(UINT nID, LPCTSTR lpszBitmap, int nPosition, CWnd* pParent) {
  const auto id = reinterpret_cast<std::uintptr_t>(lpszBitmap);
  if (id > 0xFFFF) return FALSE;
  return AttachBitmapItemById(nID, UINT(id), nPosition, pParent);
}

BOOL SECBitmapButton::CreateBitmapButtonById(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent,
                                             UINT nID, UINT nBitmap, int nPosition) {
  m_nImagePos = nPosition;
  if (!LoadBitmapResource(nBitmap) || !Create(lpszText, dwStyle, rect, pParent, nID)) return FALSE;
  LayoutImage();
  return TRUE;
}

BOOL SECBitmapButton::CreateBitmapButton(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParent,
                                         UINT nID, LPCTSTR lpszBitmap, int nPosition) {
  const auto id = reinterpret_cast<std::uintptr_t>(lpszBitmap);
  if (id > 0xFFFF) return FALSE;
  return CreateBitmapButtonById(lpszText, dwStyle, rect, pParent, nID, UINT(id), nPosition);
}

void SECBitmapButton::LayoutImage() {
  if (!m_hWnd) return;
  BITMAP info{};
  if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&info)) info = BITMAP{};
  CRect client;
  GetClientRect(&client);
  bitmap_button::Layout(client.Size(), CSize(info.bmWidth, info.bmHeight), m_nImagePos, m_nMarginX, m_nMarginY,
                        m_rcImage, m_rcText);
}

CFont* SECBitmapButton::TextFont() {
  if (CFont* font = GetFont()) return font;
  return CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void SECBitmapButton::DrawContent(CDC& dc, const DRAWITEMSTRUCT& item, const CRect& interior) {
  // The interior starts 2 pixels in (3 when pushed): the face follows it.
  const CPoint shift(interior.left - 2, interior.top - 2);
  if (m_bitmap.GetSafeHandle() && !m_rcImage.IsRectEmpty()) {
    CDC source;
    if (source.CreateCompatibleDC(&dc)) {
      CBitmap* old = source.SelectObject(&m_bitmap);
      dc.BitBlt(m_rcImage.left + shift.x, m_rcImage.top + shift.y, m_rcImage.Width(), m_rcImage.Height(), &source, 0,
                0, SRCCOPY);
      source.SelectObject(old);
    }
  }
  if (m_nImagePos == SEC_BMP_ONLY || m_rcText.IsRectEmpty()) return;
  CFont* font = TextFont();
  if (!font) return;
  (void)item;
  CString text;
  GetWindowText(text);
  CFont* oldFont = dc.SelectObject(font);
  dc.SetBkColor(GetColours().face);
  dc.SetTextColor(RGB(0, 0, 0));
  CRect r(m_rcText);
  r.OffsetRect(shift);
  dc.DrawText(text, &r, kTextFormat);
  dc.SelectObject(oldFont);
}

void SECBitmapButton::DrawFocusFrame(CDC& dc, const CRect&) {
  CRect r;
  if (m_nImagePos == SEC_BMP_ONLY) {
    r = m_rcImage;
    r.InflateRect(3, 3);
  } else {
    CString text;
    GetWindowText(text);
    CFont* oldFont = dc.SelectObject(TextFont());
    CRect measured(m_rcText);
    dc.DrawText(text, &measured, kTextFormat | DT_CALCRECT);
    dc.SelectObject(oldFont);
    const int left = m_rcText.left + (m_rcText.Width() - measured.Width()) / 2;
    const int top = m_rcText.top + (m_rcText.Height() - measured.Height()) / 2;
    // One pixel clear of the text on every side, so the dots never cross the Polish marks below
    // the line (ą, ę).
    r = CRect(left - 1, top - 1, left + measured.Width() + 1, top + measured.Height() + 1);
  }
  dc.DrawFocusRect(&r);
}

LRESULT SECBitmapButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT r = SECOwnerDrawButton::WindowProc(message, wParam, lParam);
      LayoutImage();
      return r;
    }
    case WM_SYSCOLORCHANGE:
      LoadBitmapResource(m_nBitmap);
      break;
    default:
      break;
  }
  return SECOwnerDrawButton::WindowProc(message, wParam, lParam);
}
