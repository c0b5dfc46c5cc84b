#include "toolkit/widgets/bmp_menu_plugin.h"

#include <algorithm>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/res/system_bitmaps.h"
#include "platform/win/bitmap_loading.h"
#include "platform/win/messages.h"
#include "platform/win/window_dc.h"
#include "platform/win/system_metrics.h"
#include "platform/win/system_parameters.h"
#include "resources/toolkit_ids.h"
#include "toolkit/frame/bmp_mgr.h"
#include "toolkit/widgets/button_masks.h"
#include "toolkit/widgets/toolbar_button.h"

namespace bmpmenu {

SplitText Split(const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

CSize ItemSize(CSize text, CSize image, int cyMenu) {
  return CSize(text.cx + image.cx + 30, std::max({text.cy, image.cy + 4, cyMenu}));
}

ItemLayout Layout(const CRect& item, int cxImage, int cyImage) {
  ItemLayout out;
  CRect inner = item;
  inner.left += 1;
  const int boxHeight = cyImage + 4;
  const int top = inner.top + (inner.Height() - boxHeight) / 2;
  out.box = CRect(inner.left, top, inner.left + cxImage + 4, top + boxHeight);
  out.column = CRect(out.box.right, inner.top, out.box.right + 1, inner.bottom);
  out.textArea = CRect(out.column.right, inner.top, inner.right, inner.bottom);
  out.text = CRect(out.textArea.left + 1, inner.top, item.right - 23, inner.bottom);
  return out;
}

LRESULT MenuCharAnswer(const std::vector<CharItem>& items, char ch) {
  std::vector<int> matches;
  int highlighted = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].highlighted) highlighted = int(i);
    if (items[i].ours && ch && items[i].mnemonic == ch) matches.push_back(int(i));
  }
  if (matches.empty()) return 0;
  if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
  const auto next = std::find_if(matches.begin(), matches.end(), [&](int m) { return m > highlighted; });
  return MAKELRESULT(next != matches.end() ? *next : matches.front(), MNC_SELECT);
}

}  // namespace bmpmenu

namespace {

// The menu colours every bitmap menu draws with, refreshed on construction and colour changes.
struct MenuColours {
  COLORREF text, hiliteText, grayText, menu, hilite, btnShadow, btnHilite, btnFace;
};
MenuColours g_colours;

void RefreshColours() {
  g_colours = {GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_GRAYTEXT),
               GetSysColor(COLOR_MENU),     GetSysColor(COLOR_HIGHLIGHT),     GetSysColor(COLOR_BTNSHADOW),
               GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE)};
}

// The toolkit's radio dot: 16 x 15, white with a black dot in rows 4 to 8, columns 6 to 9.
HBITMAP RadioDot() {
  // Kept for the whole run (the drawing objects' table may go first at exit).
  static CBitmap& dot = *new CBitmap;
  if (!dot.GetSafeHandle()) {
    uint8_t bits[15 * 2];
    const uint16_t rows[5] = {6, 15, 15, 15, 6};
    for (int y = 0; y < 15; ++y) {
      const uint16_t row = (y >= 4 && y <= 8) ? uint16_t(~(rows[y - 4] << 6)) : uint16_t(0xFFFF);
      bits[y * 2] = uint8_t(row >> 8);
      bits[y * 2 + 1] = uint8_t(row & 0xFF);
    }
    if (!dot.CreateBitmap(16, 15, 1, 1, bits)) return static_cast<HBITMAP>(::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_MNARROW)));
  }
  return static_cast<HBITMAP>(dot.GetSafeHandle());
}

}  // namespace

IMPLEMENT_DYNAMIC(SECBmpMenuItemInfo, CObject)

SECBmpMenuItemInfo::SECBmpMenuItemInfo(UINT nID, const CString& strText) : m_nID(nID), m_strText(strText) {
  m_cMnemonic = char(framework::menu_text_mnemonic(strText.str()));
}

IMPLEMENT_DYNCREATE(SECBmpMenuPlugIn, SECWndPlugIn)

BEGIN_MESSAGE_MAP(SECBmpMenuPlugIn, SECWndPlugIn)
  ON_MESSAGE(WM_MEASUREITEM, &SECBmpMenuPlugIn::OnMeasureItemMsg)
  ON_MESSAGE(WM_DRAWITEM, &SECBmpMenuPlugIn::OnDrawItemMsg)
  ON_MESSAGE(WM_MENUCHAR, &SECBmpMenuPlugIn::OnMenuCharMsg)
  ON_MESSAGE(WM_INITMENUPOPUP, &SECBmpMenuPlugIn::OnInitMenuPopupMsg)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, &SECBmpMenuPlugIn::OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETTINGCHANGE, &SECBmpMenuPlugIn::OnSettingChangeMsg)
  ON_MESSAGE(WM_SYSCOLORCHANGE, &SECBmpMenuPlugIn::OnSysColorChangeMsg)
END_MESSAGE_MAP()

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL bOwnCheckImages) : m_bOwnCheckImages(bOwnCheckImages) {
  RefreshColours();
  if (m_bOwnCheckImages) RadioDot();
  m_pBmpMgr = SECBmpMgr::CreateShared();
  m_pBmpMgr->SetKeepSmallImages(TRUE);
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn() {
  // Every item still in a live menu becomes a plain string item again.
  for (auto& [hMenu, record] : m_menus) {
    if (!::IsMenu(hMenu)) continue;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii;
      mii.fMask = MIIM_TYPE | MIIM_DATA;
      if (!::GetMenuItemInfo(hMenu, UINT(i), TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW)) continue;
      SECBmpMenuItemInfo* info = OurInfo(hMenu, mii.dwItemData);
      if (!info) continue;
      std::string text = info->m_strText.str();
      MENUITEMINFO plain;
      plain.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
      plain.fType = (mii.fType & ~MFT_OWNERDRAW) | MFT_STRING;
      plain.dwTypeData = text.data();
      plain.dwItemData = 0;
      ::SetMenuItemInfo(hMenu, UINT(i), TRUE, &plain);
    }
  }
  m_menus.clear();
  m_foreign.clear();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = nullptr;
  m_hWnd = nullptr;
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* pMgr) {
  if (!pMgr) return;
  pMgr->AddRef();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = pMgr;
  m_pBmpMgr->SetKeepSmallImages(TRUE);
}

void SECBmpMenuPlugIn::AddForeignId(UINT nID) { m_foreign[nID] = nID; }

size_t SECBmpMenuPlugIn::ItemCount(HMENU hMenu) const {
  const auto it = m_menus.find(hMenu);
  return it == m_menus.end() ? 0 : it->second->items.size();
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::OurInfo(HMENU hMenu, UINT_PTR data) const {
  if (!data) return nullptr;
  auto holds = [data](const MenuRecord& record) -> SECBmpMenuItemInfo* {
    for (const auto& info : record.items) {
      if (UINT_PTR(info.get()) == data) return info.get();
    }
    return nullptr;
  };
  if (hMenu) {
    const auto it = m_menus.find(hMenu);
    return it == m_menus.end() ? nullptr : holds(*it->second);
  }
  for (const auto& [h, record] : m_menus) {
    if (SECBmpMenuItemInfo* info = holds(*record)) return info;
  }
  return nullptr;
}

void SECBmpMenuPlugIn::InitMenuPopup(WPARAM wParam, LPARAM lParam) {
  const auto hMenu = reinterpret_cast<HMENU>(wParam);
  if (!hMenu || HIWORD(lParam) || framework::is_system_menu(hMenu) || !::IsMenu(hMenu)) return;
  auto& record = m_menus[hMenu];
  if (!record) {
    record = std::make_unique<MenuRecord>();
    record->hMenu = hMenu;
  }
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    char text[257] = {};
    MENUITEMINFO mii;
    mii.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA | MIIM_SUBMENU;
    mii.dwTypeData = text;
    mii.cch = sizeof(text);
    if (!::GetMenuItemInfo(hMenu, UINT(i), TRUE, &mii)) continue;
    const UINT id = mii.hSubMenu ? 0 : mii.wID;
    const bool system = id >= 0xF000 && id <= 0xFEFF;
    if (mii.fType & MFT_OWNERDRAW) {
      // Somebody else's owner-drawn item is learnt once and left alone from then on.
      if (!IsForeignId(id) && !OurInfo(hMenu, mii.dwItemData)) AddForeignId(id);
      continue;
    }
    if ((mii.fType & (MFT_BITMAP | MFT_SEPARATOR)) || system || IsForeignId(id)) continue;
    auto info = std::make_unique<SECBmpMenuItemInfo>(id, CString(text));
    // The item keeps its text: its mnemonic and GetMenuString go on working (the shortcut table
    // and the command catalogue read the menus' texts).
    MENUITEMINFO drawn;
    drawn.fMask = MIIM_FTYPE | MIIM_DATA;
    drawn.fType = mii.fType | MFT_OWNERDRAW;
    drawn.dwItemData = UINT_PTR(info.get());
    if (::SetMenuItemInfo(hMenu, UINT(i), TRUE, &drawn)) record->items.push_back(std::move(info));
  }
}

LRESULT SECBmpMenuPlugIn::OnInitMenuPopupMsg(WPARAM wParam, LPARAM lParam) {
  InitMenuPopup(wParam, lParam);
  return 0;
}

CSize SECBmpMenuPlugIn::ImageSize() const { return m_pBmpMgr ? m_pBmpMgr->GetSmallImageSize() : CSize(16, 15); }

BOOL SECBmpMenuPlugIn::CreateMenuFont(CFont& font) {
  NONCLIENTMETRICS ncm;
  if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return FALSE;
  return font.CreateFontIndirect(&ncm.lfMenuFont);
}

BOOL SECBmpMenuPlugIn::CreateBoldMenuFont(CFont& font) {
  NONCLIENTMETRICS ncm;
  if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return FALSE;
  ncm.lfMenuFont.lfWeight = 700;
  return font.CreateFontIndirect(&ncm.lfMenuFont);
}

CFont* SECBmpMenuPlugIn::MenuFont(BOOL bBold) {
  CFont& font = bBold ? m_boldFont : m_font;
  if (!font.GetSafeHandle()) {
    if (!(bBold ? CreateBoldMenuFont(font) : CreateMenuFont(font))) return nullptr;
  }
  return &font;
}

LRESULT SECBmpMenuPlugIn::OnMeasureItemMsg(WPARAM, LPARAM lParam) {
  auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
  if (!mis || mis->CtlType != ODT_MENU || IsForeignId(mis->itemID)) return 0;
  SECBmpMenuItemInfo* info = OurInfo(nullptr, mis->itemData);
  if (!info) return 0;
  CWindowDC dc(nullptr);
  CFont* old = dc.SelectObject(MenuFont(FALSE));
  CRect text(0, 0, 0, 0);
  const std::string whole = info->m_strText.str();
  dc.DrawText(whole.c_str(), int(whole.size()), &text, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  dc.SelectObject(old);
  const CSize size = bmpmenu::ItemSize(text.Size(), ImageSize(), GetSystemMetrics(SM_CYMENU));
  mis->itemWidth = UINT(size.cx);
  mis->itemHeight = UINT(size.cy);
  m_bExitDefault = TRUE;
  SetWndMsgResult(1);
  return 1;
}

void SECBmpMenuPlugIn::CreateImageMask(CDC& source, CDC& mask, CBitmap& bitmap, int cx, int cy, int x) {
  bitmap.CreateBitmap(cx, cy, 1, 1, nullptr);
  mask.SelectObject(&bitmap);
  button_masks::MakeFaceMask(mask, CPoint(0, 0), source, CRect(x, 0, x + cx, cy), g_colours.btnFace,
                             g_colours.btnHilite);
}

void SECBmpMenuPlugIn::DrawDisabledImage(CDC& dc, CDC& mask, const CRect& image) {
  CBrush hilite(g_colours.btnHilite);
  CBrush shadow(g_colours.btnShadow);
  CRect moved = image;
  moved.OffsetRect(1, 1);
  button_masks::PaintThroughMask(dc, moved, mask, CPoint(0, 0), &hilite, button_masks::kBrushWhereImage);
  button_masks::PaintThroughMask(dc, image, mask, CPoint(0, 0), &shadow, button_masks::kBrushWhereImage);
}

void SECBmpMenuPlugIn::DrawCheckedBackground(CDC& dc, CDC& mask, const CRect& image) {
  if (!m_pDither) m_pDither = std::make_unique<SECBtnDrawData>();
  button_masks::PaintThroughMask(dc, image, mask, CPoint(0, 0), &m_pDither->m_ditherBrush,
                                 button_masks::kBrushWhereFace);
}

void SECBmpMenuPlugIn::DrawImageBox(CDC& dc, const DRAWITEMSTRUCT& dis, const CRect& boxIn, HBITMAP hImage, int nImage) {
  const BOOL selected = (dis.itemState & ODS_SELECTED) != 0;
  const BOOL checked = (dis.itemState & ODS_CHECKED) != 0;
  const BOOL disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  CRect box = boxIn;
  if (!hImage) {
    // A check mark (the item's own, the toolkit's or the system's) or an empty box.
    HBITMAP mark = nullptr;
    HBITMAP made = nullptr;
    const auto hMenu = reinterpret_cast<HMENU>(dis.hwndItem);
    MENUITEMINFO mii;
    mii.fMask = MIIM_CHECKMARKS | MIIM_TYPE;
    const BOOL known = hMenu && ::GetMenuItemInfo(hMenu, dis.itemID, FALSE, &mii);
    if (checked) {
      mark = known ? mii.hbmpChecked : nullptr;
      if (!mark && m_bOwnCheckImages) {
        made = (known && (mii.fType & MFT_RADIOCHECK)) ? nullptr
                                                       : ::CreateMappedBitmap(nullptr, resources::IDB_MENU_CHECK, 0, nullptr, 0);
        mark = made ? made : RadioDot();
      }
      if (!mark) mark = static_cast<HBITMAP>(::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK)));
    } else if (known) {
      mark = mii.hbmpUnchecked;
    }
    dc.FillSolidRect(&box, selected && !mark ? g_colours.hilite : g_colours.menu);
    if (mark) {
      BITMAP bm{};
      ::GetObject(mark, sizeof(bm), &bm);
      CDC src;
      src.CreateCompatibleDC(&dc);
      HGDIOBJ old = ::SelectObject(src.GetSafeHdc(), mark);
      const int x = box.left + (box.Width() - bm.bmWidth) / 2;
      const int y = dis.rcItem.top + (CRect(dis.rcItem).Height() - bm.bmHeight) / 2;
      const COLORREF oldText = dc.SetTextColor(g_colours.text);
      const COLORREF oldBk = dc.SetBkColor(g_colours.menu);
      dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &src, 0, 0, SRCCOPY);
      dc.SetTextColor(oldText);
      dc.SetBkColor(oldBk);
      ::SelectObject(src.GetSafeHdc(), old);
    }
    if (made) ::DeleteObject(made);
    return;
  }
  const CSize image = ImageSize();
  dc.FillSolidRect(&box, g_colours.menu);
  if (checked) {
    dc.DrawEdge(&box, BDR_SUNKENOUTER, BF_RECT);
  } else if (selected && !disabled) {
    dc.DrawEdge(&box, BDR_RAISEDINNER, BF_RECT);
  }
  box.DeflateRect(1, 1);
  box.left += 1;
  box.top += 1;
  const CRect at(box.left, box.top, box.left + image.cx, box.top + image.cy);
  CDC src;
  src.CreateCompatibleDC(&dc);
  HGDIOBJ oldSrc = ::SelectObject(src.GetSafeHdc(), hImage);
  const int sx = nImage * image.cx;
  if (disabled || (checked && !selected)) {
    CDC mask;
    mask.CreateCompatibleDC(&dc);
    CBitmap maskBitmap;
    CreateImageMask(src, mask, maskBitmap, image.cx, image.cy, sx);
    if (disabled) {
      DrawDisabledImage(dc, mask, at);
    } else {
      dc.BitBlt(at.left, at.top, image.cx, image.cy, &src, sx, 0, SRCCOPY);
      DrawCheckedBackground(dc, mask, at);
    }
  } else {
    dc.BitBlt(at.left, at.top, image.cx, image.cy, &src, sx, 0, SRCCOPY);
  }
  ::SelectObject(src.GetSafeHdc(), oldSrc);
}

LRESULT SECBmpMenuPlugIn::OnDrawItemMsg(WPARAM, LPARAM lParam) {
  auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
  if (!dis || dis->CtlType != ODT_MENU || IsForeignId(dis->itemID)) return 0;
  SECBmpMenuItemInfo* info = OurInfo(nullptr, dis->itemData);
  if (!info) return 0;
  CDC* dc = CDC::FromHandle(dis->hDC);
  const bmpmenu::SplitText split = bmpmenu::Split(info->m_strText.str());
  HBITMAP hImage = nullptr;
  int nImage = -1;
  if (!m_pBmpMgr || !m_pBmpMgr->GetImage(info->m_nID, hImage, nImage, TRUE)) hImage = nullptr;
  const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
  const BOOL disabled = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  CFont* old = dc->SelectObject(MenuFont((dis->itemState & ODS_DEFAULT) != 0));
  const CSize image = ImageSize();
  const bmpmenu::ItemLayout layout = bmpmenu::Layout(CRect(dis->rcItem), image.cx, image.cy);
  // The box spans the item's height while it is only filled.
  CRect box = layout.box;
  if (!hImage) box = CRect(layout.box.left, dis->rcItem.top, layout.box.right, dis->rcItem.bottom);
  DrawImageBox(*dc, *dis, box, hImage, nImage);
  CRect column = layout.column;
  dc->FillSolidRect(&column, selected && !hImage ? g_colours.hilite : g_colours.menu);
  CRect area = layout.textArea;
  dc->FillSolidRect(&area, selected ? g_colours.hilite : g_colours.menu);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  auto draw = [&](CRect rect, COLORREF colour) {
    dc->SetTextColor(colour);
    dc->DrawText(split.label.c_str(), int(split.label.size()), &rect, DT_SINGLELINE | DT_VCENTER);
    if (!split.shortcut.empty()) {
      dc->DrawText(split.shortcut.c_str(), int(split.shortcut.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
  };
  if (disabled && !selected) {
    CRect embossed = layout.text;
    embossed.OffsetRect(1, 1);
    draw(embossed, g_colours.btnHilite);
    draw(layout.text, g_colours.grayText);
  } else if (disabled) {
    draw(layout.text, g_colours.grayText);
  } else {
    draw(layout.text, selected ? g_colours.hiliteText : g_colours.text);
  }
  dc->SetBkMode(oldMode);
  dc->SelectObject(old);
  m_bExitDefault = TRUE;
  SetWndMsgResult(TRUE);
  return TRUE;
}

LRESULT SECBmpMenuPlugIn::OnMenuCharMsg(WPARAM wParam, LPARAM lParam) {
  const auto hMenu = reinterpret_cast<HMENU>(lParam);
  if (!hMenu || !::IsMenu(hMenu)) return 0;
  char ch = char(LOWORD(wParam));
  ch = char(framework::menu_text_mnemonic(std::string("&") + ch));
  std::vector<bmpmenu::CharItem> items;
  const int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFO mii;
    mii.fMask = MIIM_TYPE | MIIM_DATA | MIIM_STATE | MIIM_ID;
    bmpmenu::CharItem item;
    if (::GetMenuItemInfo(hMenu, UINT(i), TRUE, &mii)) {
      item.highlighted = (mii.fState & MFS_HILITE) != 0;
      SECBmpMenuItemInfo* info = (mii.fType & MFT_OWNERDRAW) ? OurInfo(hMenu, mii.dwItemData) : nullptr;
      if (info && !IsForeignId(info->m_nID)) {
        item.ours = true;
        item.mnemonic = info->m_cMnemonic;
      }
    }
    items.push_back(item);
  }
  const LRESULT answer = bmpmenu::MenuCharAnswer(items, ch);
  if (!answer) return 0;
  m_bExitDefault = TRUE;
  SetWndMsgResult(answer);
  return answer;
}

void SECBmpMenuPlugIn::PurgeMenuRecords() {
  for (auto it = m_menus.begin(); it != m_menus.end();) {
    if (!::IsMenu(it->first)) {
      it = m_menus.erase(it);
      continue;
    }
    // Infos no live owner-drawn item points to any more go.
    MenuRecord& record = *it->second;
    std::vector<UINT_PTR> live;
    const int count = ::GetMenuItemCount(record.hMenu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii;
      mii.fMask = MIIM_TYPE | MIIM_DATA | MIIM_ID;
      if (::GetMenuItemInfo(record.hMenu, UINT(i), TRUE, &mii) && (mii.fType & MFT_OWNERDRAW) && !IsForeignId(mii.wID)) {
        live.push_back(mii.dwItemData);
      }
    }
    std::erase_if(record.items, [&](const std::unique_ptr<SECBmpMenuItemInfo>& info) {
      return std::find(live.begin(), live.end(), UINT_PTR(info.get())) == live.end();
    });
    ++it;
  }
}

LRESULT SECBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  PurgeMenuRecords();
  return 0;
}

LRESULT SECBmpMenuPlugIn::OnSysColorChangeMsg(WPARAM, LPARAM) {
  RefreshColours();
  m_pDither.reset();
  if (m_pBmpMgr) m_pBmpMgr->ReloadBitmaps();
  return 0;
}

LRESULT SECBmpMenuPlugIn::OnSettingChangeMsg(WPARAM, LPARAM) {
  m_font.DeleteObject();
  m_boldFont.DeleteObject();
  if (m_pBmpMgr) m_pBmpMgr->ReloadBitmaps();
  PurgeMenuRecords();
  // Each converted item becomes a string and owner-drawn again, so that it is measured anew.
  for (auto& [hMenu, record] : m_menus) {
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
      MENUITEMINFO mii;
      mii.fMask = MIIM_TYPE | MIIM_DATA;
      if (!::GetMenuItemInfo(hMenu, UINT(i), TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW)) continue;
      SECBmpMenuItemInfo* info = OurInfo(hMenu, mii.dwItemData);
      if (!info) continue;
      MENUITEMINFO step;
      step.fMask = MIIM_FTYPE;
      step.fType = mii.fType & ~MFT_OWNERDRAW;
      ::SetMenuItemInfo(hMenu, UINT(i), TRUE, &step);
      step.fMask = MIIM_FTYPE | MIIM_DATA;
      step.fType = mii.fType;
      step.dwItemData = mii.dwItemData;
      ::SetMenuItemInfo(hMenu, UINT(i), TRUE, &step);
    }
  }
  return 0;
}
