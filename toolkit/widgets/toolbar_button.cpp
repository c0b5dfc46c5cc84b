#include "toolkit/widgets/toolbar_button.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/win/message_queue.h"
#include "platform/win/messages.h"
#include "platform/win/window_api.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/frame/toolkit_globals.h"
#include "toolkit/widgets/button_masks.h"

IMPLEMENT_DYNAMIC(SECStdBtn, CObject)

namespace {

SECStdBtn* CreatePlainButton() { return new SECStdBtn; }

}  // namespace

const SECButtonClass SECStdBtn::buttonClassSECStdBtn = {&CreatePlainButton};

UINT SECToolBarWndNotifyMessage() {
  static const UINT message = RegisterWindowMessage("WM_SECTOOLBARWNDNOTIFY");
  return message;
}

SECStdBtn* SECButtonClass::CreateButton() const {
  if (!pfnCreateButton) return nullptr;
  try {
    return pfnCreateButton();
  } catch (...) {
    return nullptr;
  }
}

// --- Geometry --------------------------------------------------------------------------------------

namespace toolbar_button {

CSize ButtonSize(int nImgWidth, int nImgHeight) { return {nImgWidth + 7, nImgHeight + 7}; }

int SeparatorWidth(int nImgWidth) { return (nImgWidth + 8) / 3; }

CPoint ImageOrigin(const CRect& rect, int nImgWidth, int nImgHeight, BOOL bPushed) {
  CPoint p(rect.left + (rect.Width() - nImgWidth - 1) / 2, rect.top + (rect.Height() - nImgHeight) / 2);
  if (bPushed) p.Offset(1, 1);
  return p;
}

void CheckToggleBits(DWORD dwStyle, DWORD& dwSet, DWORD& dwClear) {
  if (dwStyle & SEC_TBBS_CHECKED) {
    dwSet = 0;
    dwClear = SEC_TBBS_CHECKED | SEC_TBBS_INDETERMINATE;
  } else {
    dwSet = SEC_TBBS_CHECKED;
    dwClear = SEC_TBBS_INDETERMINATE;
  }
}

}  // namespace toolbar_button

void SECDrawDragFrame(CDC& dc, const CRect& rect) {
  constexpr int kWidth = 3;
  CBrush* old = dc.SelectObject(CDC::GetHalftoneBrush());
  dc.PatBlt(rect.left, rect.top, rect.Width(), kWidth, PATINVERT);
  dc.PatBlt(rect.left, rect.bottom - kWidth, rect.Width(), kWidth, PATINVERT);
  dc.PatBlt(rect.left, rect.top + kWidth, kWidth, rect.Height() - 2 * kWidth, PATINVERT);
  dc.PatBlt(rect.right - kWidth, rect.top + kWidth, kWidth, rect.Height() - 2 * kWidth, PATINVERT);
  dc.SelectObject(old);
}

// --- Drawing context -------------------------------------------------------------------------------

SECBtnDrawData::SECBtnDrawData() { RebuildDitherBrush(); }

SECBtnDrawData::~SECBtnDrawData() { Release(); }

void SECBtnDrawData::RebuildDitherBrush() {
  const SECToolkitGlobals& g = secData();
  // The checkerboard carries its two colours itself (32-bit pixels, 0x00RRGGBB), so it does not
  // depend on the context's text and background colours.
  auto pixel = [](COLORREF c) { return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c); };
  uint32_t bits[64];
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) bits[y * 8 + x] = pixel(((x + y) & 1) ? g.clrBtnHilite : g.clrBtnFace);
  }
  CBitmap pattern;
  if (!pattern.CreateBitmap(8, 8, 1, 32, bits)) return;
  m_ditherBrush.DeleteObject();
  m_ditherBrush.CreatePatternBrush(&pattern);
}

BOOL SECBtnDrawData::Prepare(CDC* target, int cx, int cy) {
  Release();
  if (!m_monoDC.CreateCompatibleDC(target) || !m_srcDC.CreateCompatibleDC(target) ||
      !m_drawDC.CreateCompatibleDC(target)) {
    Release();
    return FALSE;
  }
  if (!m_monoBitmap.CreateBitmap(std::max(cx, 1), std::max(cy, 1), 1, 1, nullptr) ||
      !m_drawBitmap.CreateCompatibleBitmap(target, std::max(cx, 1), std::max(cy, 1))) {
    Release();
    return FALSE;
  }
  m_hOldMono = m_monoDC.SelectObject(HGDIOBJ(m_monoBitmap.GetSafeHandle()));
  m_hOldDraw = m_drawDC.SelectObject(HGDIOBJ(m_drawBitmap.GetSafeHandle()));
  m_bPrepared = TRUE;
  return TRUE;
}

void SECBtnDrawData::SelectSource(HBITMAP hBitmap) {
  if (hBitmap == m_hSrcBitmap || !m_srcDC.GetSafeHdc()) return;
  HGDIOBJ old = m_srcDC.SelectObject(HGDIOBJ(hBitmap));
  if (!m_hOldSrc) m_hOldSrc = old;
  m_hSrcBitmap = hBitmap;
}

void SECBtnDrawData::Release() {
  if (m_monoDC.GetSafeHdc() && m_hOldMono) m_monoDC.SelectObject(m_hOldMono);
  if (m_drawDC.GetSafeHdc() && m_hOldDraw) m_drawDC.SelectObject(m_hOldDraw);
  if (m_srcDC.GetSafeHdc() && m_hOldSrc) m_srcDC.SelectObject(m_hOldSrc);
  m_hOldMono = m_hOldDraw = m_hOldSrc = nullptr;
  m_hSrcBitmap = nullptr;
  if (m_monoDC.GetSafeHdc()) m_monoDC.DeleteDC();
  if (m_srcDC.GetSafeHdc()) m_srcDC.DeleteDC();
  if (m_drawDC.GetSafeHdc()) m_drawDC.DeleteDC();
  m_monoBitmap.DeleteObject();
  m_drawBitmap.DeleteObject();
  m_bPrepared = FALSE;
}

// --- The plain button --------------------------------------------------------------------------------

SECStdBtn::SECStdBtn() = default;
SECStdBtn::~SECStdBtn() = default;

int SECStdBtn::ImageWidth() const { return m_pToolBar ? m_pToolBar->GetImageWidth() : 16; }
int SECStdBtn::ImageHeight() const { return m_pToolBar ? m_pToolBar->GetImageHeight() : 15; }

void SECStdBtn::SetCollapsed(BOOL) {}

void SECStdBtn::SetPos(int x, int y) {
  m_x = x;
  m_y = y;
}

void SECStdBtn::Invalidate(BOOL bErase) {
  if (!m_pToolBar) return;
  CWnd* bar = m_pToolBar->GetBarWnd();
  if (!bar || !bar->m_hWnd) return;
  CRect r = GetRect();
  bar->InvalidateRect(&r, bErase);
}

void SECStdBtn::Init(SECToolBarButtonOwner* pToolBar, const UINT*) {
  m_pToolBar = pToolBar;
  RecalcSize();
}

void SECStdBtn::RecalcSize() {
  const CSize size = toolbar_button::ButtonSize(ImageWidth(), ImageHeight());
  m_cx = (m_nStyle & SEC_TBBS_SEPARATOR) ? toolbar_button::SeparatorWidth(ImageWidth()) : size.cx;
  m_cy = size.cy;
  if (m_pToolBar) m_pToolBar->RaiseWidestButton(m_cx);
}

void SECStdBtn::Draw(CDC& dc, SECBtnDrawData& data) {
  const CRect rect = GetRect();
  if (!dc.RectVisible(&rect)) return;
  if (DrawSeparator(dc)) return;
  m_bHasImage = SelectImage(data);
  DrawButton(data);
  DrawTransparent(dc, data);
  BlitToTarget(dc, data);
  DrawSelection(dc);
}

BOOL SECStdBtn::DrawSeparator(CDC& dc) {
  if (!(m_nStyle & SEC_TBBS_SEPARATOR)) return FALSE;
  if (!m_pToolBar || !m_pToolBar->IsCoolLook() || (m_nStyle & SEC_TBBS_WRAPPED)) return TRUE;
  const SECToolkitGlobals& g = secData();
  if (!m_pToolBar->DrawsTransparent()) dc.FillSolidRect(m_x, m_y, m_cx, m_cy, g.clrBtnFace);
  const int x = m_x + (ImageWidth() + 8) / 6;
  dc.FillSolidRect(x, m_y, 1, m_cy, g.clrBtnShadow);
  dc.FillSolidRect(x + 1, m_y, 1, m_cy, g.clrBtnHilite);
  return TRUE;
}

BOOL SECStdBtn::SelectImage(SECBtnDrawData& data) {
  SECBmpMgr* mgr = m_pToolBar ? m_pToolBar->GetBmpMgr() : nullptr;
  HBITMAP bitmap = nullptr;
  int index = -1;
  if (!mgr || !m_nID || !mgr->GetImage(m_nID, bitmap, index, FALSE) || !bitmap) {
    m_nImage = -1;
    return FALSE;
  }
  m_nImage = index;
  data.SelectSource(bitmap);
  return TRUE;
}

void SECStdBtn::DrawButton(SECBtnDrawData& data) {
  CRect rect(0, 0, m_cx, m_cy);
  const BOOL customizing = m_pToolBar && m_pToolBar->InCustomizeMode();
  if (customizing) {
    DrawFace(data, TRUE, rect);
    return;
  }
  DrawFace(data, FALSE, rect);
  if (m_nStyle & SEC_TBBS_PRESSED) return;
  if (m_nStyle & SEC_TBBS_DISABLED) {
    DrawDisabled(data, rect);
  } else if (m_nStyle & SEC_TBBS_CHECKED) {
    DrawChecked(data, rect);
  } else if (m_nStyle & SEC_TBBS_INDETERMINATE) {
    DrawIndeterminate(data, rect);
  }
}

void SECStdBtn::DrawFace(SECBtnDrawData& data, BOOL bNoBorder, CRect& rect, int nImgWidth) {
  const SECToolkitGlobals& g = secData();
  CDC& dc = data.m_drawDC;
  const int imgWidth = nImgWidth < 0 ? ImageWidth() : nImgWidth;
  const int imgHeight = ImageHeight();
  const BOOL cool = m_pToolBar && m_pToolBar->IsCoolLook();
  const BOOL pushed = !bNoBorder && (m_nStyle & (SEC_TBBS_CHECKED | SEC_TBBS_PRESSED)) != 0;
  dc.FillSolidRect(&rect, g.clrBtnFace);
  CRect edge(rect);
  if (pushed) {
    dc.Draw3dRect(&edge, cool ? g.clrBtnShadow : g.clrWindowFrame, g.clrBtnHilite);
    if (!cool) {
      edge.DeflateRect(1, 1);
      dc.Draw3dRect(&edge, g.clrBtnShadow, g.clrBtnFace);
    }
  } else if (cool) {
    if (!bNoBorder && (m_nStyle & SEC_TBBS_HOT)) dc.Draw3dRect(&edge, g.clrBtnHilite, g.clrBtnShadow);
  } else if (!bNoBorder) {
    dc.Draw3dRect(&edge, g.clrBtnHilite, g.clrWindowFrame);
    edge.DeflateRect(1, 1);
    dc.Draw3dRect(&edge, g.clrBtnFace, g.clrBtnShadow);
  }
  const CPoint origin = toolbar_button::ImageOrigin(rect, imgWidth, imgHeight, pushed);
  rect.DeflateRect(2, 2);
  if (m_bHasImage && m_nImage >= 0) BlitImage(data, origin.x, origin.y, imgWidth, imgHeight);
}

void SECStdBtn::BlitImage(SECBtnDrawData& data, int x, int y, int nImgWidth, int nImgHeight) {
  data.m_drawDC.BitBlt(x, y, nImgWidth, nImgHeight, &data.m_srcDC, m_nImage * nImgWidth, 0, SRCCOPY);
}

void SECStdBtn::CreateMask(SECBtnDrawData& data, const CRect& rect) {
  const SECToolkitGlobals& g = secData();
  data.m_monoDC.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
  button_masks::MakeFaceMask(data.m_monoDC, rect.TopLeft(), data.m_drawDC, rect, g.clrBtnFace, g.clrBtnHilite);
}

namespace {

// Paints `brush` into the composition through the mask, shifted by (d, d).
void PaintThroughMask(SECBtnDrawData& data, CBrush* brush, const CRect& rect, int d, DWORD rop) {
  const CRect to(rect.left + d, rect.top + d, rect.right, rect.bottom);
  button_masks::PaintThroughMask(data.m_drawDC, to, data.m_monoDC, rect.TopLeft(), brush, rop);
}

}  // namespace

void SECStdBtn::DrawDisabled(SECBtnDrawData& data, const CRect& rect) {
  const SECToolkitGlobals& g = secData();
  CreateMask(data, rect);
  data.m_drawDC.FillSolidRect(&rect, g.clrBtnFace);
  CBrush hilite(g.clrBtnHilite);
  CBrush shadow(g.clrBtnShadow);
  PaintThroughMask(data, &hilite, rect, 1, button_masks::kBrushWhereImage);
  PaintThroughMask(data, &shadow, rect, 0, button_masks::kBrushWhereImage);
  if (m_nStyle & SEC_TBBS_CHECKED) {
    // The checkerboard only where the face shows both in place and one pixel on.
    data.m_monoDC.BitBlt(rect.left + 1, rect.top + 1, rect.Width() - 1, rect.Height() - 1, &data.m_monoDC, rect.left,
                         rect.top, SRCAND);
    PaintThroughMask(data, &data.m_ditherBrush, rect, 0, button_masks::kBrushWhereFace);
  }
}

void SECStdBtn::DrawChecked(SECBtnDrawData& data, const CRect& rect) {
  CreateMask(data, rect);
  PaintThroughMask(data, &data.m_ditherBrush, rect, 0, button_masks::kBrushWhereFace);
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawData& data, const CRect& rect) {
  const SECToolkitGlobals& g = secData();
  CreateMask(data, rect);
  CBrush shadow(g.clrBtnShadow);
  PaintThroughMask(data, &shadow, rect, 0, button_masks::kBrushWhereImage);
  PaintThroughMask(data, &data.m_ditherBrush, rect, 0, button_masks::kBrushWhereFace);
}

void SECStdBtn::DrawTransparent(CDC& dc, SECBtnDrawData& data) {
  if (!m_pToolBar || !m_pToolBar->DrawsTransparent()) return;
  const SECToolkitGlobals& g = secData();
  CDC& draw = data.m_drawDC;
  CDC& mono = data.m_monoDC;
  // The mask is 1 where the composed button shows the face.
  const COLORREF oldBk = draw.SetBkColor(g.clrBtnFace);
  mono.BitBlt(0, 0, m_cx, m_cy, &draw, 0, 0, SRCCOPY);
  draw.SetBkColor(oldBk);
  // Face pixels become what the target shows: D ^ T, cleared under the mask, ^ T again.
  draw.BitBlt(0, 0, m_cx, m_cy, &dc, m_x, m_y, SRCINVERT);
  const COLORREF oldText = draw.SetTextColor(RGB(0, 0, 0));
  draw.SetBkColor(RGB(255, 255, 255));
  // Source 1 (face) gives 0, source 0 keeps the destination: DSna.
  draw.BitBlt(0, 0, m_cx, m_cy, &mono, 0, 0, 0x00220326);
  draw.SetTextColor(oldText);
  draw.SetBkColor(oldBk);
  draw.BitBlt(0, 0, m_cx, m_cy, &dc, m_x, m_y, SRCINVERT);
}

void SECStdBtn::DrawSelection(CDC& dc) {
  if (m_nStyle & SEC_TBBS_SELECTED) DrawSelectionFrame(dc, GetRect());
}

void SECStdBtn::DrawSelectionFrame(CDC& dc, const CRect& rect) { SECDrawDragFrame(dc, rect); }

void SECStdBtn::BlitToTarget(CDC& dc, SECBtnDrawData& data) {
  dc.BitBlt(m_x, m_y, m_cx, m_cy, &data.m_drawDC, 0, 0, SRCCOPY);
}

// --- Mouse -------------------------------------------------------------------------------------------

BOOL SECStdBtn::OnPress(int, int) {
  if (m_nStyle & SEC_TBBS_DISABLED) return FALSE;
  if (m_nStyle & SEC_TBBS_DROPDOWN) {
    m_nStyle |= SEC_TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar && m_pToolBar->GetBarWnd()) m_pToolBar->GetBarWnd()->UpdateWindow();
    if (m_pToolBar) m_pToolBar->SetCommandInProgress(TRUE);
    SendNotify(SEC_TBN_DROPDOWN);
    if (m_pToolBar) m_pToolBar->SetCommandInProgress(FALSE);
    m_nStyle &= ~SEC_TBBS_PRESSED;
    Invalidate();
    if (m_pToolBar) {
      if (m_pToolBar->GetBarWnd()) m_pToolBar->GetBarWnd()->UpdateWindow();
      m_pToolBar->TrackHotButton(FALSE);
    }
    return FALSE;
  }
  m_nStyle |= SEC_TBBS_PRESSED;
  return TRUE;
}

void SECStdBtn::OnPressMove(int x, int y) {
  const BOOL inside = x >= m_x && x <= m_x + m_cx && y >= m_y && y <= m_y + m_cy;
  if (inside) {
    m_nStyle |= SEC_TBBS_PRESSED;
  } else {
    m_nStyle &= ~SEC_TBBS_PRESSED;
  }
}

void SECStdBtn::OnPressCancel() {
  m_nStyle &= ~SEC_TBBS_PRESSED;
  Invalidate();
}

UINT SECStdBtn::OnPressUp(int x, int y) {
  m_nStyle &= ~SEC_TBBS_PRESSED;
  if (!GetRect().PtInRect(CPoint(x, y))) return 0;
  if ((m_nStyle & SEC_TBBS_DISABLED) || !(m_nStyle & SEC_TBBS_CHECKBOX)) return m_nID;
  DWORD bits[2] = {0, 0};
  toolbar_button::CheckToggleBits(m_nStyle, bits[0], bits[1]);
  if (m_pToolBar) {
    m_pToolBar->SendToButtons(m_nID, SEC_BTN_NOTIFY_STYLE, bits);
  } else {
    Notify(SEC_BTN_NOTIFY_STYLE, bits);
  }
  return m_nID;
}

void SECStdBtn::Notify(UINT nCode, void* pData) {
  if (nCode != SEC_BTN_NOTIFY_STYLE || !pData) return;
  const DWORD* bits = static_cast<const DWORD*>(pData);
  SetStyle((GetStyle() & ~bits[1]) | bits[0]);
  Invalidate();
}

LRESULT SECStdBtn::SendNotify(UINT nCode, LPARAM lParam1, LPARAM lParam2) {
  if (!m_pToolBar) return 0;
  CWnd* bar = m_pToolBar->GetBarWnd();
  CWnd* owner = m_pToolBar->GetBarOwner();
  if (!bar || !owner || !owner->m_hWnd) return 0;
  SECBtnNotify record{};
  record.hdr.hwndFrom = bar->m_hWnd;
  record.hdr.idFrom = UINT_PTR(bar->GetDlgCtrlID());
  record.hdr.code = nCode;
  record.iItem = int(m_nID);
  record.nIndex = m_pToolBar->ButtonIndex(this);
  record.lParam1 = lParam1;
  record.lParam2 = lParam2;
  return owner->SendMessage(WM_NOTIFY, WPARAM(record.hdr.idFrom), reinterpret_cast<LPARAM>(&record));
}

INT_PTR SECStdBtn::GetToolInfo(int, int, TOOLINFO* pTI) {
  if (pTI) {
    pTI->uFlags = 0;
    CWnd* bar = m_pToolBar ? m_pToolBar->GetBarWnd() : nullptr;
    pTI->hwnd = bar ? bar->m_hWnd : nullptr;
    pTI->uId = m_nID;
    pTI->rect = GetRect();
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return INT_PTR(m_nID);
}

// --- Creation by command -----------------------------------------------------------------------------

namespace {

void LookUpImage(SECStdBtn& btn, SECToolBarButtonOwner* pToolBar) {
  btn.m_nImage = -1;
  if (btn.m_nType == SEC_BTNTYPE_MENU_ITEM || btn.m_nType == SEC_BTNTYPE_COMBO) {
    btn.m_nImage = 0;
    return;
  }
  SECBmpMgr* mgr = pToolBar ? pToolBar->GetBmpMgr() : nullptr;
  HBITMAP bitmap = nullptr;
  int index = -1;
  if (mgr && mgr->GetImage(btn.m_nID, bitmap, index, FALSE)) btn.m_nImage = index;
}

}  // namespace

SECStdBtn* SECCreateToolBarButton(UINT nID, const SECButtonMapEntry* pMap, SECToolBarButtonOwner* pToolBar,
                                  BOOL bCollapsed) {
  const SECButtonMapEntry* row = nullptr;
  for (const SECButtonMapEntry* e = pMap; e && e->pClass; ++e) {
    if (e->nID == nID) {
      row = e;
      break;
    }
  }
  std::unique_ptr<SECStdBtn> btn;
  if (row) btn.reset(row->pClass->CreateButton());
  // A class that cannot make its button still leaves the command on the bar, as a plain button.
  if (!btn) {
    btn = std::make_unique<SECStdBtn>();
    row = nullptr;
  }
  btn->SetStyle(row ? row->dwStyle : 0);
  btn->m_nID = nID;
  LookUpImage(*btn, pToolBar);
  btn->Init(pToolBar, row ? row->params : nullptr);
  btn->SetCollapsed(bCollapsed);
  return btn.release();
}

SECStdBtn* SECCreateToolBarSeparator(SECToolBarButtonOwner* pToolBar) {
  auto btn = std::make_unique<SECStdBtn>();
  btn->SetStyle(SEC_TBBS_SEPARATOR);
  btn->m_nID = 0;
  btn->m_nImage = 0;
  btn->Init(pToolBar, nullptr);
  return btn.release();
}
