#include "platform/controls/tab_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/image_list.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

struct Tab {
  std::string text;
  int image = -1;
  LPARAM data = 0;
};

struct Tabs : win::ControlState {
  std::vector<Tab> items;
  int selected = -1;
  CImageList* images = nullptr;
  HFONT font = nullptr;  // null: the default interface font
};

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

int image_width(const Tabs& t, const Tab& tab) {
  int cx = 0, cy = 0;
  if (tab.image < 0 || !t.images || !t.images->GetIconSize(cx, cy)) return 0;
  return cx + 2;
}

HGDIOBJ font_of(const Tabs& t) { return t.font ? HGDIOBJ(t.font) : GetStockObject(DEFAULT_GUI_FONT); }

// The tab row runs along the top, or along the bottom with TCS_BOTTOM; each tab is as wide as its
// label in the control's font.
RECT tab_rect(HWND h, const Tabs& t, int index) {
  if (index < 0 || index >= int(t.items.size())) return RECT{0, 0, 0, 0};
  int top = 2;
  if (style_of(h) & TCS_BOTTOM) {
    RECT client;
    GetClientRect(h, &client);
    top = client.bottom - controls::kTabHeight;
  }
  CClientDC dc(CWnd::FromHandle(h));
  dc.SelectObject(font_of(t));
  int x = 2;
  for (int i = 0;; ++i) {
    const Tab& tab = t.items[size_t(i)];
    int width = dc.GetTextExtent(tab.text.c_str(), int(tab.text.size())).cx + 12 + image_width(t, tab);
    if (i == index) return RECT{x, top, x + width, top + controls::kTabHeight - 2};
    x += width;
  }
}

int hit(HWND h, POINT p) {
  const Tabs& t = win::control_state<Tabs>(h);
  for (int i = 0; i < int(t.items.size()); ++i) {
    RECT r = tab_rect(h, t, i);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

LRESULT notify(HWND h, UINT code) {
  NMHDR header{h, UINT_PTR(GetDlgCtrlID(h)), code};
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

// A change the user asks for: the parent may refuse it; the tab is selected through TCM_SETCURSEL.
void select_by_user(HWND h, int to) {
  if (to < 0 || to >= int(win::control_state<Tabs>(h).items.size()) || to == win::control_state<Tabs>(h).selected) return;
  if (notify(h, TCN_SELCHANGING) || !IsWindow(h)) return;
  if (SendMessage(h, TCM_SETCURSEL, WPARAM(to), 0) < 0 && win::control_state<Tabs>(h).selected != to) return;
  notify(h, TCN_SELCHANGE);
}

void adjust(HWND h, BOOL larger, RECT* r) {
  // The display area lies beside the tab row, inside a two-pixel border.
  int d = larger ? -1 : 1;
  bool bottom = style_of(h) & TCS_BOTTOM;
  r->left += 2 * d;
  r->right -= 2 * d;
  r->top += (bottom ? 2 : controls::kTabHeight + 2) * d;
  r->bottom -= (bottom ? controls::kTabHeight + 2 : 2) * d;
}

void paint(HWND h) {
  CPaintDC dc(h);
  dc.SetBkMode(TRANSPARENT);
  const Tabs& t = win::control_state<Tabs>(h);
  dc.SelectObject(font_of(t));
  DWORD style = style_of(h);
  bool bottom = style & TCS_BOTTOM, buttons = style & TCS_BUTTONS;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  RECT client;
  GetClientRect(h, &client);
  if (!buttons) {
    CRect area(client);
    adjust(h, FALSE, &area);
    area.InflateRect(2, 2);
    dc.Draw3dRect(&area, light, shadow);
  }
  for (int i = 0; i < int(t.items.size()); ++i) {
    const Tab& tab = t.items[size_t(i)];
    CRect r(tab_rect(h, t, i));
    bool selected = i == t.selected;
    // The selected tab stands two pixels taller and joins the display area; a selected button
    // is pressed in.
    if (!selected && !buttons) (bottom ? r.bottom : r.top) += bottom ? -2 : 2;
    if (buttons && selected) {
      dc.Draw3dRect(&r, shadow, light);
    } else {
      dc.Draw3dRect(&r, light, shadow);
    }
    CRect face = r;
    face.DeflateRect(1, 1);
    if (style & TCS_OWNERDRAWFIXED) {
      DRAWITEMSTRUCT d{ODT_TAB, UINT(GetDlgCtrlID(h)), UINT(i), ODA_DRAWENTIRE,
                       selected ? ODS_SELECTED : 0U, h, dc.GetSafeHdc(), face, UINT_PTR(tab.data)};
      if (HWND parent = GetParent(h)) SendMessage(parent, WM_DRAWITEM, WPARAM(GetDlgCtrlID(h)), reinterpret_cast<LPARAM>(&d));
      continue;
    }
    int icon = image_width(t, tab);
    if (icon) {
      int cx = 0, cy = 0;
      t.images->GetIconSize(cx, cy);
      t.images->Draw(&dc, tab.image, POINT{face.left + 4, face.top + (face.Height() - cy) / 2}, ILD_NORMAL);
      face.left += icon;
    }
    dc.DrawText(tab.text.c_str(), int(tab.text.size()), &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void read_item(const Tab& tab, TCITEM* item) {
  if (item->mask & TCIF_TEXT) {
    if (item->pszText && item->cchTextMax > 0) {
      size_t n = std::min(tab.text.size(), size_t(item->cchTextMax) - 1);
      std::memcpy(item->pszText, tab.text.data(), n);
      item->pszText[n] = '\0';
    }
  }
  if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
  if (item->mask & TCIF_PARAM) item->lParam = tab.data;
}

void write_item(Tab& tab, const TCITEM* item) {
  if (item->mask & TCIF_TEXT) tab.text = item->pszText ? item->pszText : "";
  if (item->mask & TCIF_IMAGE) tab.image = item->iImage;
  if (item->mask & TCIF_PARAM) tab.data = item->lParam;
}

LRESULT tab_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  Tabs& t = win::control_state<Tabs>(h);
  int count = int(t.items.size());
  int index = int(wParam);
  bool valid = index >= 0 && index < count;
  switch (message) {
    case TCM_GETITEMCOUNT: return count;
    case TCM_GETCURSEL: return t.selected;
    case TCM_SETCURSEL: {
      if (!valid) return -1;
      int old = t.selected;
      t.selected = index;
      InvalidateRect(h, nullptr, TRUE);
      return old;
    }
    case TCM_INSERTITEM: {
      const auto* item = reinterpret_cast<const TCITEM*>(lParam);
      if (index < 0 || !item) return -1;
      int at = std::min(index, count);
      Tab tab;
      write_item(tab, item);
      t.items.insert(t.items.begin() + at, std::move(tab));
      // The first tab is selected; a tab inserted before the selection keeps the same one selected.
      if (t.selected < 0) {
        t.selected = 0;
      } else if (at <= t.selected) {
        ++t.selected;
      }
      InvalidateRect(h, nullptr, TRUE);
      return at;
    }
    case TCM_GETITEM:
    case TCM_SETITEM: {
      auto* item = reinterpret_cast<TCITEM*>(lParam);
      if (!valid || !item) return FALSE;
      if (message == TCM_GETITEM) {
        read_item(t.items[size_t(index)], item);
      } else {
        write_item(t.items[size_t(index)], item);
        InvalidateRect(h, nullptr, TRUE);
      }
      return TRUE;
    }
    case TCM_DELETEITEM:
      if (!valid) return FALSE;
      t.items.erase(t.items.begin() + index);
      if (t.selected == index) {
        t.selected = -1;
      } else if (t.selected > index) {
        --t.selected;
      }
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case TCM_DELETEALLITEMS:
      t.items.clear();
      t.selected = -1;
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    case TCM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!valid || !r) return FALSE;
      *r = tab_rect(h, t, index);
      return TRUE;
    }
    case TCM_HITTEST: {
      auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
      if (!info) return -1;
      int found = hit(h, info->pt);
      info->flags = found < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
      return found;
    }
    case TCM_ADJUSTRECT:
      if (lParam) adjust(h, BOOL(wParam), reinterpret_cast<RECT*>(lParam));
      return 0;
    case TCM_SETIMAGELIST: {
      CImageList* old = t.images;
      t.images = reinterpret_cast<CImageList*>(lParam);
      InvalidateRect(h, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST: return reinterpret_cast<LRESULT>(t.images);
    case WM_SETFONT:
      t.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t.font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (count > 0 && (wParam == WPARAM(VK_LEFT) || wParam == WPARAM(VK_RIGHT))) {
        int step = wParam == WPARAM(VK_LEFT) ? -1 : 1;
        select_by_user(h, std::clamp(t.selected + step, 0, count - 1));
      }
      return 0;
    case WM_LBUTTONDOWN:
      select_by_user(h, hit(h, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<Tabs>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_tab_control() {
  register_control_class(WC_TABCONTROL, tab_proc, CS_DBLCLKS, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_tab_control();
  return CWnd::Create(WC_TABCONTROL, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CTabCtrl::InsertItem(int nItem, LPCTSTR text, LPARAM lParam) {
  TCITEM item;
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = const_cast<char*>(text ? text : "");
  item.lParam = lParam;
  return InsertItem(nItem, &item);
}

int CTabCtrl::InsertItem(int nItem, TCITEM* item) {
  return int(SendMessage(TCM_INSERTITEM, WPARAM(nItem), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* item) const {
  return BOOL(SendMessage(TCM_GETITEM, WPARAM(nItem), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* item) {
  return BOOL(SendMessage(TCM_SETITEM, WPARAM(nItem), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::DeleteItem(int nItem) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return int(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return int(SendMessage(TCM_SETCURSEL, WPARAM(nItem))); }

CString CTabCtrl::GetItemText(int nItem) const {
  char buffer[256] = "";
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = int(sizeof buffer);
  return GetItem(nItem, &item) ? CString(buffer) : CString();
}

LPARAM CTabCtrl::GetItemData(int nItem) const {
  TCITEM item;
  item.mask = TCIF_PARAM;
  return GetItem(nItem, &item) ? item.lParam : 0;
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
  return BOOL(SendMessage(TCM_GETITEMRECT, WPARAM(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

int CTabCtrl::HitTest(CPoint pt) const {
  TCHITTESTINFO info{pt, 0};
  return HitTest(&info);
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
  return int(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT r) const {
  SendMessage(TCM_ADJUSTRECT, WPARAM(bLarger), reinterpret_cast<LPARAM>(r));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList) {
  return reinterpret_cast<CImageList*>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList)));
}

CImageList* CTabCtrl::GetImageList() const { return reinterpret_cast<CImageList*>(SendMessage(TCM_GETIMAGELIST)); }

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult) *pResult = TRUE;
  return TRUE;
}
