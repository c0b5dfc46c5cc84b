#include "platform/controls/tab_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win/system_metrics.h"

namespace {

struct Tab {
  std::string text;
  LPARAM data;
};

struct Tabs {
  std::vector<Tab> items;
  int selected = -1;
};

std::map<HWND, Tabs>& tabs() {
  static std::map<HWND, Tabs> t;
  return t;
}

constexpr int kCharWidth = 6;  // the dialog font's average width

RECT tab_rect(const Tabs& t, int index) {
  int x = 2;
  for (int i = 0; i < int(t.items.size()); ++i) {
    int width = int(t.items[size_t(i)].text.size()) * kCharWidth + 12;
    if (i == index) return RECT{x, 2, x + width, controls::kTabHeight};
    x += width;
  }
  return RECT{0, 0, 0, 0};
}

int hit(HWND h, POINT p) {
  const Tabs& t = tabs()[h];
  for (int i = 0; i < int(t.items.size()); ++i) {
    RECT r = tab_rect(t, i);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

LRESULT notify(HWND h, UINT code) {
  NMHDR header{h, UINT_PTR(GetDlgCtrlID(h)), code};
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

LRESULT tab_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      int to = hit(h, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (to < 0 || to == tabs()[h].selected) return 0;
      // The parent may keep the current tab (a page with bad values).
      if (notify(h, TCN_SELCHANGING)) return 0;
      if (!IsWindow(h)) return 0;
      tabs()[h].selected = to;
      InvalidateRect(h, nullptr, TRUE);
      notify(h, TCN_SELCHANGE);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(h, &ps);
      CDC dc;
      dc.Attach(hdc);
      dc.SetBkMode(TRANSPARENT);
      const Tabs& t = tabs()[h];
      RECT client;
      GetClientRect(h, &client);
      CRect area(client.left, controls::kTabHeight, client.right, client.bottom);
      dc.Draw3dRect(&area, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
      for (int i = 0; i < int(t.items.size()); ++i) {
        CRect r(tab_rect(t, i));
        if (i != t.selected) r.top += 2;
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        const std::string& text = t.items[size_t(i)].text;
        dc.DrawText(text.c_str(), int(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      }
      dc.Detach();
      EndPaint(h, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      tabs().erase(h);
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
  if (nItem < 0) return -1;
  Tabs& t = tabs()[m_hWnd];
  int at = std::min(nItem, int(t.items.size()));
  t.items.insert(t.items.begin() + at, Tab{text ? text : "", lParam});
  // The first tab is selected; a tab inserted before the selection keeps the same one selected.
  if (t.selected < 0) {
    t.selected = 0;
  } else if (at <= t.selected) {
    ++t.selected;
  }
  Invalidate();
  return at;
}

BOOL CTabCtrl::DeleteItem(int nItem) {
  Tabs& t = tabs()[m_hWnd];
  if (nItem < 0 || nItem >= int(t.items.size())) return FALSE;
  t.items.erase(t.items.begin() + nItem);
  if (t.selected == nItem) {
    t.selected = -1;
  } else if (t.selected > nItem) {
    --t.selected;
  }
  Invalidate();
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  tabs()[m_hWnd] = Tabs();
  Invalidate();
  return TRUE;
}

int CTabCtrl::GetItemCount() const { return int(tabs()[m_hWnd].items.size()); }
int CTabCtrl::GetCurSel() const { return tabs()[m_hWnd].selected; }

int CTabCtrl::SetCurSel(int nItem) {
  Tabs& t = tabs()[m_hWnd];
  if (nItem < 0 || nItem >= int(t.items.size())) return -1;
  int old = t.selected;
  t.selected = nItem;
  Invalidate();
  return old;
}

CString CTabCtrl::GetItemText(int nItem) const {
  const Tabs& t = tabs()[m_hWnd];
  return nItem >= 0 && nItem < int(t.items.size()) ? CString(t.items[size_t(nItem)].text) : CString();
}

LPARAM CTabCtrl::GetItemData(int nItem) const {
  const Tabs& t = tabs()[m_hWnd];
  return nItem >= 0 && nItem < int(t.items.size()) ? t.items[size_t(nItem)].data : 0;
}

BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
  const Tabs& t = tabs()[m_hWnd];
  if (nItem < 0 || nItem >= int(t.items.size()) || !lpRect) return FALSE;
  *lpRect = tab_rect(t, nItem);
  return TRUE;
}

int CTabCtrl::HitTest(CPoint pt) const { return hit(m_hWnd, pt); }

void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT r) const {
  // The display area lies under the tab row, inside a two-pixel border.
  int d = bLarger ? -1 : 1;
  r->left += 2 * d;
  r->right -= 2 * d;
  r->top += (controls::kTabHeight + 2) * d;
  r->bottom -= 2 * d;
}
