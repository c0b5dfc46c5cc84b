#include "platform/framework/drag_outline.h"

#include <algorithm>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"

namespace framework {
namespace {

constexpr const char* kEdgeClass = "LumoDragOutline";
// GWLP_USERDATA of an edge window: 1 when it is drawn in the halftone pattern.
constexpr LONG_PTR kHalftone = 1;

LRESULT edge_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(h, &ps);
      RECT client;
      GetClientRect(h, &client);
      if (GetWindowLongPtr(h, GWLP_USERDATA) == kHalftone) {
        // Every other pixel dark: what inverting the screen through the halftone brush shows.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWFRAME));
        SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &client, HBRUSH(*CDC::GetHalftoneBrush()));
      } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
      }
      EndPaint(h, &ps);
      return 0;
    }
    default: return DefWindowProc(h, message, wParam, lParam);
  }
}

const char* edge_class() {
  WNDCLASS wc;
  if (!GetClassInfo(kEdgeClass, &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = edge_proc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kEdgeClass;
    RegisterClass(&wc);
  }
  return kEdgeClass;
}

}  // namespace

DragOutline::~DragOutline() { Remove(); }

void DragOutline::Draw(const CRect& rect, CSize size, bool halftone) {
  if (size.cx <= 0 || size.cy <= 0 || rect.IsRectEmpty()) {
    Remove();
    return;
  }
  if (visible() && m_rect.EqualRect(rect) && m_size.cx == size.cx && m_size.cy == size.cy && halftone == m_halftone) {
    return;
  }
  m_rect = rect;
  m_size = size;
  m_halftone = halftone;
  // Top and bottom span the whole width; left and right fill in between.
  int cx = std::min(int(size.cx), rect.Width() / 2 + 1);
  int cy = std::min(int(size.cy), rect.Height() / 2 + 1);
  const CRect parts[4] = {CRect(rect.left, rect.top, rect.right, rect.top + cy),
                          CRect(rect.left, rect.bottom - cy, rect.right, rect.bottom),
                          CRect(rect.left, rect.top + cy, rect.left + cx, rect.bottom - cy),
                          CRect(rect.right - cx, rect.top + cy, rect.right, rect.bottom - cy)};
  for (size_t i = 0; i < m_edges.size(); ++i) {
    HWND& edge = m_edges[i];
    if (!IsWindow(edge)) {
      edge = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, edge_class(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            nullptr);
      if (!edge) continue;
    }
    SetWindowLongPtr(edge, GWLP_USERDATA, halftone ? kHalftone : 0);
    const CRect& part = parts[i];
    UINT show = part.IsRectEmpty() ? SWP_HIDEWINDOW : SWP_SHOWWINDOW;
    SetWindowPos(edge, HWND_TOPMOST, part.left, part.top, part.Width(), part.Height(), SWP_NOACTIVATE | show);
    InvalidateRect(edge, nullptr, FALSE);
    UpdateWindow(edge);
  }
}

void DragOutline::Remove() {
  for (HWND& edge : m_edges) {
    if (IsWindow(edge)) DestroyWindow(edge);
    edge = nullptr;
  }
  m_rect.SetRectEmpty();
  m_size = CSize(0, 0);
  m_halftone = false;
}

}  // namespace framework
