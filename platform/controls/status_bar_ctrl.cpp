#include "platform/controls/status_bar_ctrl.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/controls/control_class.h"
#include "platform/framework/status_bar.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"
#include "platform/win/control_state.h"

namespace {

using controls::kMaxStatusParts;
using controls::kStatusBorderX;
using controls::kStatusBorderY;
using controls::kStatusSpacing;

struct Part {
  int edge = -1;          // right edge in client coordinates, -1 to the end
  UINT type = 0;          // SBT_ drawing type
  CString text;           // not for owner-drawn parts
  UINT_PTR data = 0;      // owner-drawn parts: the value handed to the parent
};

struct StatusBar : win::ControlState {
  std::vector<Part> parts = std::vector<Part>(1);
  HFONT font = nullptr;
  int min_height = 0;
};

DWORD style_of(HWND h) { return DWORD(GetWindowLongPtr(h, GWL_STYLE)); }

CRect client_of(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  return CRect(r);
}

// The size grip's square at the bottom right, empty when the bar shows none (no SBARS_SIZEGRIP,
// or a maximised parent that cannot be sized).
CRect grip_rect(HWND h) {
  HWND parent = GetParent(h);
  if (!(style_of(h) & SBARS_SIZEGRIP) || (parent && IsZoomed(parent))) return CRect();
  CRect c = client_of(h);
  int size = std::min(GetSystemMetrics(SM_CXVSCROLL), c.Height());
  return CRect(c.right - size, c.bottom - size, c.right, c.bottom);
}

// Part `i`'s box (its border included): from the previous edge plus the gap (the horizontal
// border for the first) to its own edge; a part running to the end stops before the grip.
CRect part_rect(HWND h, const StatusBar& bar, size_t i) {
  CRect c = client_of(h);
  int left = i == 0 ? kStatusBorderX : bar.parts[i - 1].edge + kStatusSpacing;
  if (i > 0 && bar.parts[i - 1].edge < 0) left = c.right;
  int right = bar.parts[i].edge;
  if (right < 0) {
    CRect grip = grip_rect(h);
    right = (grip.IsRectEmpty() ? c.right : grip.left) - kStatusBorderX;
  }
  right = std::min(right, int(c.right));
  return CRect(std::min(left, right), kStatusBorderY, right, c.bottom);
}

int text_height(HWND h, const StatusBar& bar) {
  CClientDC dc(CWnd::FromHandle(h));
  if (bar.font) dc.SelectObject(HGDIOBJ(bar.font));
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  return tm.tmHeight;
}

// Unless told not to, the bar follows its parent's width along the bottom (or top) edge at the
// height its font and minimum height ask for.
void align_to_parent(HWND h, const StatusBar& bar) {
  DWORD style = style_of(h);
  HWND parent = GetParent(h);
  if ((style & CCS_NORESIZE) || !parent) return;
  int height = std::max(text_height(h, bar), bar.min_height) + 2 * kStatusBorderY + 2;
  RECT own;
  GetWindowRect(h, &own);
  if (style & CCS_NOPARENTALIGN) {
    POINT origin{own.left, own.top};
    ScreenToClient(parent, &origin);
    MoveWindow(h, origin.x, origin.y, own.right - own.left, height, TRUE);
    return;
  }
  CRect pc = client_of(parent);
  int y = (style & CCS_BOTTOM) == CCS_TOP ? pc.top : pc.bottom - height;
  MoveWindow(h, pc.left, y, pc.Width(), height, TRUE);
}

// The text of a part split at its tabs: left, centred and right-aligned pieces.
void draw_text(CDC& dc, const CString& text, CRect area) {
  static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  area.DeflateRect(2, 0);
  int start = 0;
  for (int piece = 0; piece < 3 && start <= text.GetLength(); ++piece) {
    int tab = piece < 2 ? text.Find('\t', start) : -1;
    int end = tab < 0 ? text.GetLength() : tab;
    if (end > start) {
      CRect r = area;
      dc.DrawText(static_cast<const char*>(text) + start, end - start, &r,
                  kAlign[piece] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (tab < 0) break;
    start = tab + 1;
  }
}

void paint(HWND h, const StatusBar& bar) {
  CPaintDC dc(h);
  CRect c = client_of(h);
  dc.FillSolidRect(&c, GetSysColor(COLOR_BTNFACE));
  if (bar.font) dc.SelectObject(HGDIOBJ(bar.font));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  HWND parent = GetParent(h);
  UINT id = UINT(GetDlgCtrlID(h));
  for (size_t i = 0; i < bar.parts.size(); ++i) {
    const Part& part = bar.parts[i];
    CRect box = part_rect(h, bar, i);
    if (box.IsRectEmpty()) continue;
    if (!(part.type & SBT_NOBORDERS)) {
      COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
      bool raised = part.type & SBT_POPOUT;
      dc.Draw3dRect(&box, raised ? light : shadow, raised ? shadow : light);
    }
    CRect inside = box;
    inside.DeflateRect(1, 1);
    if (part.type & SBT_OWNERDRAW) {
      DRAWITEMSTRUCT dis{0, id, UINT(i), ODA_DRAWENTIRE, 0, h, dc.GetSafeHdc(), inside, part.data};
      if (parent) SendMessage(parent, WM_DRAWITEM, WPARAM(id), reinterpret_cast<LPARAM>(&dis));
    } else {
      draw_text(dc, part.text, inside);
    }
  }
  CRect grip = grip_rect(h);
  if (!grip.IsRectEmpty()) framework::draw_size_grip(dc, grip);
}

void invalidate_part(HWND h, const StatusBar& bar, size_t i) {
  CRect r = part_rect(h, bar, i);
  InvalidateRect(h, &r, FALSE);
}

// Copies `text` into a caller's buffer of `size` bytes (terminated, cut to fit); the count copied.
LRESULT copy_out(const CString& text, char* buffer, size_t size) {
  if (!buffer || size == 0) return 0;
  size_t n = std::min(size_t(text.GetLength()), size - 1);
  std::memcpy(buffer, static_cast<const char*>(text), n);
  buffer[n] = '\0';
  return LRESULT(n);
}

LRESULT set_text(HWND h, StatusBar& bar, WPARAM wParam, LPARAM lParam) {
  size_t i = LOBYTE(wParam);
  if (i >= bar.parts.size()) return FALSE;
  Part& part = bar.parts[i];
  part.type = UINT(wParam & 0xFF00);
  if (part.type & SBT_OWNERDRAW) {
    part.data = UINT_PTR(lParam);
    part.text.Empty();
  } else {
    part.data = 0;
    part.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  }
  invalidate_part(h, bar, i);
  return TRUE;
}

LRESULT status_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  StatusBar& bar = win::control_state<StatusBar>(h);
  switch (message) {
    case SB_SETTEXT: return set_text(h, bar, wParam, lParam);
    case SB_GETTEXT:
    case SB_GETTEXTLENGTH: {
      if (wParam >= bar.parts.size()) return 0;
      const Part& part = bar.parts[wParam];
      if (part.type & SBT_OWNERDRAW) return message == SB_GETTEXT ? LRESULT(part.data) : MAKELRESULT(0, part.type);
      if (message == SB_GETTEXT && lParam) {
        char* out = reinterpret_cast<char*>(lParam);
        std::memcpy(out, static_cast<const char*>(part.text), size_t(part.text.GetLength()) + 1);
      }
      return MAKELRESULT(WORD(part.text.GetLength()), WORD(part.type));
    }
    case SB_SETPARTS: {
      int count = int(wParam);
      const int* edges = reinterpret_cast<const int*>(lParam);
      if (count <= 0 || count > kMaxStatusParts || !edges) return FALSE;
      bar.parts.resize(size_t(count));
      for (int i = 0; i < count; ++i) bar.parts[size_t(i)].edge = edges[i];
      InvalidateRect(h, nullptr, TRUE);
      return TRUE;
    }
    case SB_GETPARTS: {
      if (int* out = reinterpret_cast<int*>(lParam)) {
        size_t n = std::min(size_t(wParam), bar.parts.size());
        for (size_t i = 0; i < n; ++i) out[i] = bar.parts[i].edge;
      }
      return LRESULT(bar.parts.size());
    }
    case SB_GETBORDERS: {
      int* out = reinterpret_cast<int*>(lParam);
      if (!out) return FALSE;
      out[0] = kStatusBorderX;
      out[1] = kStatusBorderY;
      out[2] = kStatusSpacing;
      return TRUE;
    }
    case SB_SETMINHEIGHT:
      bar.min_height = std::max(0, int(wParam));
      return 0;
    case SB_GETRECT: {
      RECT* out = reinterpret_cast<RECT*>(lParam);
      if (wParam >= bar.parts.size()) {
        if (out) *out = RECT{};
        return FALSE;
      }
      if (out) *out = part_rect(h, bar, wParam);
      return TRUE;
    }
    // The window text is the first part's text.
    case WM_SETTEXT: return set_text(h, bar, 0, lParam);
    case WM_GETTEXT: return copy_out(bar.parts[0].text, reinterpret_cast<char*>(lParam), size_t(wParam));
    case WM_GETTEXTLENGTH: return bar.parts[0].text.GetLength();
    case WM_SETFONT:
      bar.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(bar.font);
    case WM_SIZE:
      align_to_parent(h, bar);
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_NCHITTEST: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(h, &p);
      return grip_rect(h).PtInRect(p) ? HTBOTTOMRIGHT : HTCLIENT;
    }
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT:
      paint(h, bar);
      return 0;
    case WM_NCDESTROY:
      win::drop_control_state<StatusBar>(h);
      return DefWindowProc(h, message, wParam, lParam);
    default: return DefWindowProc(h, message, wParam, lParam);
  }
}

}  // namespace

namespace controls {
void register_status_bar_control() {
  register_control_class(STATUSCLASSNAME, status_proc, CS_DBLCLKS, COLOR_BTNFACE);
}
}  // namespace controls

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  controls::register_status_bar_control();
  return CWnd::Create(STATUSCLASSNAME, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::GetBorders(int& nHorz, int& nVert, int& nSpacing) const {
  int borders[3] = {};
  BOOL ok = BOOL(SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
  nHorz = borders[0];
  nVert = borders[1];
  nSpacing = borders[2];
  return ok;
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const {
  LRESULT length = SendMessage(SB_GETTEXTLENGTH, WPARAM(nPane));
  if (pType) *pType = HIWORD(length);
  if (HIWORD(length) & SBT_OWNERDRAW) return CString();
  std::vector<char> buffer(size_t(LOWORD(length)) + 1);
  SendMessage(SB_GETTEXT, WPARAM(nPane), reinterpret_cast<LPARAM>(buffer.data()));
  return CString(buffer.data());
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const {
  LRESULT length = SendMessage(SB_GETTEXTLENGTH, WPARAM(nPane));
  if (pType) *pType = HIWORD(length);
  return LOWORD(length);
}
