#include "platform/controls/header_ctrl.h"
#include "platform/controls/control_class.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/window_font.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

struct Column {
  int width = 0;
  std::string text;
  int format = HDF_LEFT | HDF_STRING;
  LPARAM data = 0;
};

struct Header : win::ControlState {
  std::vector<Column> items;
  int tracking = -1;  // the column whose divider is being dragged
  int pressed = -1;   // the title pressed as a button
};

int count(HWND h) { return int(win::control_state<Header>(h).items.size()); }

RECT item_rect(HWND h, int index) {
  const Header& t = win::control_state<Header>(h);
  RECT client;
  GetClientRect(h, &client);
  int x = 0;
  for (int i = 0; i < index; ++i) x += t.items[size_t(i)].width;
  return RECT{x, 0, x + t.items[size_t(index)].width, client.bottom};
}

// The column whose divider lies within the grip of `x`, the last such one for zero-width columns.
int divider_at(HWND h, int x) {
  int found = -1;
  for (int i = 0; i < count(h); ++i) {
    if (std::abs(item_rect(h, i).right - x) <= controls::kHeaderDividerGrip) found = i;
  }
  return found;
}

int item_at(HWND h, POINT p) {
  for (int i = 0; i < count(h); ++i) {
    RECT r = item_rect(h, i);
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return i;
  }
  return -1;
}

LRESULT notify(HWND h, UINT code, int index, HDITEM* item) {
  NMHEADER n{{h, UINT_PTR(GetDlgCtrlID(h)), code}, index, 0, item};
  HWND parent = GetParent(h);
  return parent ? SendMessage(parent, WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n)) : 0;
}

// Changes the fields the mask names once the parent allows it.
BOOL change_item(HWND h, int index, const HDITEM& change) {
  if (index < 0 || index >= count(h)) return FALSE;
  HDITEM asked = change;
  if (notify(h, HDN_ITEMCHANGING, index, &asked)) return FALSE;
  if (!IsWindow(h) || index >= count(h)) return FALSE;
  Column& c = win::control_state<Header>(h).items[size_t(index)];
  if (change.mask & HDI_WIDTH) c.width = std::max(0, change.cxy);
  if (change.mask & HDI_TEXT) c.text = change.pszText ? change.pszText : "";
  if (change.mask & HDI_FORMAT) c.format = change.fmt;
  if (change.mask & HDI_LPARAM) c.data = change.lParam;
  InvalidateRect(h, nullptr, TRUE);
  HDITEM told = change;
  notify(h, HDN_ITEMCHANGED, index, &told);
  return TRUE;
}

// The width the tracked divider has with the mouse at `x`.
HDITEM tracked_width(HWND h, int index, int x) {
  HDITEM item;
  item.mask = HDI_WIDTH;
  item.cxy = std::max(0, x - int(item_rect(h, index).left));
  return item;
}

void paint(HWND h) {
  CPaintDC dc(h);
  win::WindowFontScope font(dc.GetSafeHdc(), h);
  dc.SetBkMode(TRANSPARENT);
  for (int i = 0; i < count(h); ++i) {
    CRect r(item_rect(h, i));
    const Column& c = win::control_state<Header>(h).items[size_t(i)];
    dc.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    CRect text = r;
    text.DeflateRect(4, 0);
    UINT align = (c.format & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT : (c.format & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER : DT_LEFT;
    dc.DrawText(c.text.c_str(), int(c.text.size()), &text, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  }
}

LRESULT header_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; win::handle_font_message(h, message, wParam, lParam, r)) return r;
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case HDM_GETITEMCOUNT: return count(h);
    case HDM_INSERTITEM: {
      auto* item = reinterpret_cast<const HDITEM*>(lParam);
      if (!item || int(wParam) < 0) return -1;
      Column c;
      if (item->mask & HDI_WIDTH) c.width = std::max(0, item->cxy);
      if ((item->mask & HDI_TEXT) && item->pszText) c.text = item->pszText;
      if (item->mask & HDI_FORMAT) c.format = item->fmt;
      if (item->mask & HDI_LPARAM) c.data = item->lParam;
      auto& items = win::control_state<Header>(h).items;
      int at = std::min(int(wParam), int(items.size()));
      items.insert(items.begin() + at, c);
      InvalidateRect(h, nullptr, TRUE);
      return at;
    }
    case HDM_DELETEITEM: {
      auto& items = win::control_state<Header>(h).items;
      if (int(wParam) < 0 || int(wParam) >= int(items.size())) return FALSE;
      items.erase(items.begin() + int(wParam));
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case HDM_GETITEM: {
      auto* item = reinterpret_cast<HDITEM*>(lParam);
      if (!item || int(wParam) < 0 || int(wParam) >= count(h)) return FALSE;
      const Column& c = win::control_state<Header>(h).items[wParam];
      if (item->mask & HDI_WIDTH) item->cxy = c.width;
      if (item->mask & HDI_FORMAT) item->fmt = c.format;
      if (item->mask & HDI_LPARAM) item->lParam = c.data;
      if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        size_t n = std::min(c.text.size(), size_t(item->cchTextMax - 1));
        std::memcpy(item->pszText, c.text.data(), n);
        item->pszText[n] = 0;
      }
      return TRUE;
    }
    case HDM_SETITEM: {
      auto* item = reinterpret_cast<const HDITEM*>(lParam);
      return item ? change_item(h, int(wParam), *item) : FALSE;
    }
    case HDM_GETITEMRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (!r || int(wParam) < 0 || int(wParam) >= count(h)) return FALSE;
      *r = item_rect(h, int(wParam));
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      int divider = divider_at(h, p.x);
      if (divider >= 0) {
        HDITEM item = tracked_width(h, divider, p.x);
        if (notify(h, HDN_BEGINTRACK, divider, &item) || !IsWindow(h)) return 0;
        win::control_state<Header>(h).tracking = divider;
        SetCapture(h);
        return 0;
      }
      int pressed = item_at(h, p);
      if (pressed >= 0 && (GetWindowLong(h, GWL_STYLE) & HDS_BUTTONS)) {
        win::control_state<Header>(h).pressed = pressed;
        SetCapture(h);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      int tracking = win::control_state<Header>(h).tracking;
      if (tracking < 0) return 0;
      HDITEM item = tracked_width(h, tracking, p.x);
      notify(h, HDN_TRACK, tracking, &item);
      return 0;
    }
    case WM_LBUTTONUP: {
      Header& t = win::control_state<Header>(h);
      int tracking = t.tracking, pressed = t.pressed;
      t.tracking = t.pressed = -1;
      if (GetCapture() == h) ReleaseCapture();
      if (tracking >= 0 && tracking < count(h)) {
        HDITEM item = tracked_width(h, tracking, p.x);
        change_item(h, tracking, item);
        if (IsWindow(h)) notify(h, HDN_ENDTRACK, tracking, &item);
      } else if (pressed >= 0 && item_at(h, p) == pressed) {
        notify(h, HDN_ITEMCLICK, pressed, nullptr);
      }
      return 0;
    }
    case WM_CAPTURECHANGED: {
      // Losing the mouse to another window ends a drag or press without a change.
      Header& t = win::control_state<Header>(h);
      if (HWND(lParam) != h) t.tracking = t.pressed = -1;
      return 0;
    }
    case WM_PAINT:
      paint(h);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<Header>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default:
      return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_header_control() {
  register_control_class(WC_HEADER, header_proc, CS_DBLCLKS, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_header_control();
  return CWnd::Create(WC_HEADER, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}
