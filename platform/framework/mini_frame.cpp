#include "platform/framework/mini_frame.h"

#include <algorithm>
#include <cstring>

#include "platform/win/message_queue.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_MESSAGE(WM_NCCALCSIZE, &CMiniFrameWnd::OnNcCalcSize)
  ON_MESSAGE(WM_NCHITTEST, &CMiniFrameWnd::OnNcHitTest)
  ON_MESSAGE(WM_NCPAINT, &CMiniFrameWnd::OnNcPaint)
  ON_MESSAGE(WM_NCACTIVATE, &CMiniFrameWnd::OnNcActivate)
  ON_MESSAGE(WM_NCLBUTTONDOWN, &CMiniFrameWnd::OnNcLButtonDown)
  ON_MESSAGE(WM_SETTEXT, &CMiniFrameWnd::OnSetText)
  ON_MESSAGE(WM_SYSCOMMAND, &CMiniFrameWnd::OnSysCommand)
  ON_MESSAGE(WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus)
END_MESSAGE_MAP()

namespace {

// The widths of a mini frame's non-client parts.
struct Frame {
  int border = 0;   // on every side
  int caption = 0;  // below the top border
};

Frame frame_of(DWORD style) {
  Frame f;
  bool thick = (style & (WS_THICKFRAME | MFS_THICKFRAME | MFS_4THICKFRAME | MFS_MOVEFRAME)) != 0;
  if (thick) {
    f.border = GetSystemMetrics(SM_CXFRAME);
  } else if (style & (WS_BORDER | WS_DLGFRAME)) {
    f.border = GetSystemMetrics(SM_CXBORDER);
  }
  if ((style & WS_CAPTION) == WS_CAPTION) f.caption = GetSystemMetrics(SM_CYSMCAPTION);
  return f;
}

// The hit code of a point on the border ring of a frame `size` big.
int border_hit(DWORD style, int border, CSize size, CPoint p) {
  if (style & MFS_MOVEFRAME) return HTCAPTION;
  bool corners = (style & (MFS_THICKFRAME | WS_THICKFRAME)) && !(style & MFS_4THICKFRAME);
  if (!corners && !(style & MFS_4THICKFRAME)) return HTBORDER;
  bool top = p.y < border, bottom = p.y >= size.cy - border;
  bool left = p.x < border;
  if (corners) {
    // Corners reach along the sides as far as a small caption is high.
    int reach = GetSystemMetrics(SM_CYSMCAPTION) + border;
    bool near_left = p.x < reach, near_right = p.x >= size.cx - reach;
    bool near_top = p.y < reach, near_bottom = p.y >= size.cy - reach;
    if (top) return near_left ? HTTOPLEFT : near_right ? HTTOPRIGHT : HTTOP;
    if (bottom) return near_left ? HTBOTTOMLEFT : near_right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return near_top ? HTTOPLEFT : near_bottom ? HTBOTTOMLEFT : HTLEFT;
    return near_top ? HTTOPRIGHT : near_bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  // The four edges only: a corner belongs to the side the point is nearer to.
  if (top || bottom) {
    int side = std::min(p.x, int(size.cx) - 1 - p.x);
    int across = top ? p.y : int(size.cy) - 1 - p.y;
    if (side <= across) return p.x < size.cx / 2 ? HTLEFT : HTRIGHT;
    return top ? HTTOP : HTBOTTOM;
  }
  return left ? HTLEFT : HTRIGHT;
}

}  // namespace

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT) {
  DWORD style = (dwStyle & ~WS_CHILD) | WS_POPUP;
  if (style & MFS_THICKFRAME) style |= WS_THICKFRAME;
  return CFrameWnd::Create(lpClassName, lpWindowName, style, rect, pParentWnd, nullptr,
                           dwExStyle | WS_EX_TOOLWINDOW, nullptr);
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD) {
  if (!lpClientRect) return;
  Frame f = frame_of(dwStyle);
  lpClientRect->left -= f.border;
  lpClientRect->right += f.border;
  lpClientRect->top -= f.border + f.caption;
  lpClientRect->bottom += f.border;
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT) { CalcBorders(lpClientRect, GetStyle(), GetExStyle()); }

CRect CMiniFrameWnd::GetCaptionRect() const {
  Frame f = frame_of(GetStyle());
  if (!f.caption) return CRect();
  CRect window;
  GetWindowRect(&window);
  return CRect(f.border, f.border, window.Width() - f.border, f.border + f.caption);
}

CRect CMiniFrameWnd::GetCloseButtonRect() const {
  CRect band = GetCaptionRect();
  if (band.IsRectEmpty() || !(GetStyle() & WS_SYSMENU)) return CRect();
  int cx = GetSystemMetrics(SM_CXSMSIZE) - 2;
  int cy = band.Height() - 4;
  return CRect(band.right - 2 - cx, band.top + 2, band.right - 2, band.top + 2 + cy);
}

BOOL CMiniFrameWnd::IsCaptionActive() const {
  if (!(GetStyle() & MFS_SYNCACTIVE)) return m_bActive;
  // Active along with the owner frame and the owner's other floating windows.
  HWND active = ::GetActiveWindow();
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (!active) return FALSE;
  return active == m_hWnd || (owner && (active == owner || ::GetWindow(active, GW_OWNER) == owner));
}

LRESULT CMiniFrameWnd::OnNcCalcSize(WPARAM, LPARAM lParam) {
  // Both forms of the message start with the rectangle that becomes the client area.
  auto* rect = reinterpret_cast<RECT*>(lParam);
  if (!rect) return 0;
  Frame f = frame_of(GetStyle());
  rect->left += f.border;
  rect->right -= f.border;
  rect->top += f.border + f.caption;
  rect->bottom -= f.border;
  rect->right = std::max(rect->right, rect->left);
  rect->bottom = std::max(rect->bottom, rect->top);
  return 0;
}

LRESULT CMiniFrameWnd::OnNcHitTest(WPARAM, LPARAM lParam) {
  CRect window;
  GetWindowRect(&window);
  CPoint p(GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top);
  if (p.x < 0 || p.y < 0 || p.x >= window.Width() || p.y >= window.Height()) return HTNOWHERE;
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  if (client.PtInRect(p)) return HTCLIENT;
  DWORD style = GetStyle();
  Frame f = frame_of(style);
  CRect inner(f.border, f.border, window.Width() - f.border, window.Height() - f.border);
  if (!inner.PtInRect(p)) return border_hit(style, f.border, window.Size(), p);
  if (GetCloseButtonRect().PtInRect(p)) return HTCLOSE;
  if (GetCaptionRect().PtInRect(p)) return HTCAPTION;
  return HTBORDER;
}

void CMiniFrameWnd::PaintNonClient(bool closePushed) {
  CRect window;
  GetWindowRect(&window);
  if (window.IsRectEmpty()) return;
  CWindowDC dc(this);
  DWORD style = GetStyle();
  Frame f = frame_of(style);
  bool active = IsCaptionActive() != FALSE;
  CRect whole(0, 0, window.Width(), window.Height());
  if (f.border > 1) {
    // A raised frame in the border colour.
    for (int i = 0; i < f.border; ++i) {
      CRect ring(whole);
      ring.DeflateRect(i, i);
      dc.Draw3dRect(&ring, GetSysColor(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER),
                    GetSysColor(active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
    }
    dc.Draw3dRect(&whole, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    CRect inside(whole);
    inside.DeflateRect(1, 1);
    dc.Draw3dRect(&inside, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  } else if (f.border == 1) {
    dc.Draw3dRect(&whole, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
  }
  CRect band = GetCaptionRect();
  if (band.IsRectEmpty()) return;
  // The band, its last line in the face colour as a separator from the client area.
  dc.FillSolidRect(band.left, band.top, band.Width(), band.Height() - 1,
                   GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  dc.FillSolidRect(band.left, band.bottom - 1, band.Width(), 1, GetSysColor(COLOR_BTNFACE));
  CRect text_area(band.left + 2, band.top, band.right - 2, band.bottom - 1);
  CRect close = GetCloseButtonRect();
  if (!close.IsRectEmpty()) {
    text_area.right = close.left - 2;
    dc.DrawFrameControl(&close, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closePushed ? DFCS_PUSHED : 0));
  }
  // The title in the small caption font.
  LOGFONT lf{};
  lf.lfHeight = -(band.Height() - 5);
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  std::strcpy(lf.lfFaceName, "MS Sans Serif");
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  CString title;
  GetWindowText(title);
  dc.DrawText(title, &text_area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  dc.SelectObject(old);
}

LRESULT CMiniFrameWnd::OnNcPaint(WPARAM, LPARAM) {
  PaintNonClient(false);
  return 0;
}

LRESULT CMiniFrameWnd::OnNcActivate(WPARAM wParam, LPARAM) {
  m_bActive = wParam != 0;
  PaintNonClient(false);
  if (GetStyle() & MFS_SYNCACTIVE) {
    // The owner frame stays active while it or one of its floating windows is the active one.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(owner))) {
      HWND active = ::GetActiveWindow();
      const BOOL keep = active && active != owner && (active == m_hWnd || ::GetWindow(active, GW_OWNER) == owner);
      if (frame->m_bStayActive != keep) {
        frame->m_bStayActive = keep;
        if (active != owner) frame->SendMessage(WM_NCACTIVATE, keep, 0);
      }
    }
  }
  return TRUE;
}

LRESULT CMiniFrameWnd::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  PaintNonClient(false);
  return result;
}

LRESULT CMiniFrameWnd::OnNcLButtonDown(WPARAM wParam, LPARAM lParam) {
  if (wParam != HTCLOSE) return Default();
  if (TrackCloseButton()) SendMessage(WM_SYSCOMMAND, SC_CLOSE, lParam);
  return 0;
}

bool CMiniFrameWnd::TrackCloseButton() {
  HWND self = m_hWnd;
  CRect button = GetCloseButtonRect();
  if (button.IsRectEmpty() || ::GetCapture()) return false;
  bool pushed = true;
  PaintNonClient(pushed);
  ::SetCapture(self);
  bool released_over = false;
  MSG msg;
  while (::IsWindow(self) && ::GetCapture() == self) {
    if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) ::PostQuitMessage(int(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CRect window;
      GetWindowRect(&window);
      bool over = button.PtInRect(CPoint(msg.pt.x - window.left, msg.pt.y - window.top));
      if (msg.message == WM_LBUTTONUP) {
        released_over = over;
        break;
      }
      if (over != pushed) PaintNonClient(pushed = over);
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
  if (!::IsWindow(self)) return false;
  if (::GetCapture() == self) ::ReleaseCapture();
  PaintNonClient(false);
  return released_over;
}

LRESULT CMiniFrameWnd::OnSysCommand(WPARAM wParam, LPARAM) {
  // Without a system menu there is nothing for the keyboard to open.
  if ((wParam & 0xFFF0) == SC_KEYMENU && (GetStyle() & MFS_BLOCKSYSMENU)) return 0;
  return Default();
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (wParam & (FS_SHOW | FS_HIDE)) {
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
  // The owner's activation changed: the caption follows it.
  if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) PaintNonClient(false);
  return (wParam & FS_SYNCACTIVE) && (GetStyle() & MFS_SYNCACTIVE) ? 1 : 0;
}
