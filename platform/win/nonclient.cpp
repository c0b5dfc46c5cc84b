// The non-client area of windows without a desktop frame: borders, caption and scroll-bar strips
// computed from the styles, hit-tested and painted in the classic look. A top-level overlapped
// window keeps the desktop's frame, so its non-client size is zero.
#include <QFont>
#include <QPainter>

#include "platform/base/cp1250.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_internal.h"

namespace win {
namespace {

struct Frame {
  int border = 0;   // on every side
  int caption = 0;  // below the top border
  int edge = 0;     // client edge inside the caption and border
  int vscroll = 0;  // right, inside the edge
  int hscroll = 0;  // bottom, inside the edge
  bool sizing = false;
};

Frame frame_of(DWORD style, DWORD ex_style, bool native) {
  Frame f;
  if (native) return f;
  if (style & WS_THICKFRAME) {
    f.border = GetSystemMetrics(SM_CXFRAME);
    f.sizing = true;
  } else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) {
    f.border = GetSystemMetrics(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    f.border = GetSystemMetrics(SM_CXBORDER);
  }
  if ((style & WS_CAPTION) == WS_CAPTION) {
    f.caption = GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  }
  if (ex_style & WS_EX_CLIENTEDGE) f.edge = GetSystemMetrics(SM_CXEDGE);
  if (ex_style & WS_EX_STATICEDGE) f.edge += GetSystemMetrics(SM_CXBORDER);
  if (style & WS_VSCROLL) f.vscroll = GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) f.hscroll = GetSystemMetrics(SM_CYHSCROLL);
  return f;
}

Frame frame_of(const Window& w) { return frame_of(w.style, w.ex_style, has_native_frame(w)); }

QColor color(int index) {
  COLORREF c = GetSysColor(index);
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// A rectangle outline with one colour for the top and left sides and one for the bottom and right.
void edge(QPainter& p, QRect r, int top_left, int bottom_right) {
  p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), color(top_left));
  p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), color(top_left));
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color(bottom_right));
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color(bottom_right));
}

void raised(QPainter& p, QRect r) {
  edge(p, r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
  edge(p, r.adjusted(1, 1, -1, -1), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void sunken(QPainter& p, QRect r) {
  edge(p, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  edge(p, r.adjusted(1, 1, -1, -1), COLOR_3DDKSHADOW, COLOR_3DLIGHT);
}

// The close box at the right end of a caption band.
QRect close_box(const QRect& caption) {
  int size = caption.height() - 4;
  return QRect(caption.right() - 1 - size - 1, caption.top() + 2, size + 2, size);
}

// The help box of a window with WS_EX_CONTEXTHELP: left of the close box, or at the right end.
QRect help_box(const Window& w, const QRect& caption) {
  QRect box = close_box(caption);
  if (w.style & WS_SYSMENU) box.translate(-box.width() - 2, 0);
  return box;
}

bool has_help_box(const Window& w) { return (w.ex_style & WS_EX_CONTEXTHELP) != 0; }

void paint_caption(QPainter& p, const Window& w, QRect band) {
  int fill = w.nc_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
  int fill_end = w.nc_active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION;
  QLinearGradient gradient(band.topLeft(), band.topRight());
  gradient.setColorAt(0, color(fill));
  gradient.setColorAt(1, color(fill_end));
  p.fillRect(band.adjusted(0, 0, 0, -1), gradient);
  p.fillRect(QRect(band.left(), band.bottom(), band.width(), 1), color(COLOR_BTNFACE));
  QRect text_area = band.adjusted(3, 0, -3, -1);
  if (w.style & WS_SYSMENU) {
    QRect box = close_box(band);
    text_area.setRight(box.left() - 2);
    p.fillRect(box, color(COLOR_BTNFACE));
    raised(p, box);
    QPen pen(color(COLOR_BTNTEXT));
    pen.setWidth(2);
    p.setPen(pen);
    QRect cross = box.adjusted(4, 3, -5, -4);
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.topRight(), cross.bottomLeft());
  }
  if (has_help_box(w)) {
    QRect box = help_box(w, band);
    text_area.setRight(box.left() - 2);
    p.fillRect(box, color(COLOR_BTNFACE));
    raised(p, box);
    QFont mark("Liberation Sans");
    mark.setPixelSize(box.height() - 3);
    mark.setBold(true);
    p.setFont(mark);
    p.setPen(color(COLOR_BTNTEXT));
    p.drawText(box.adjusted(0, 0, -1, -1), Qt::AlignCenter, QStringLiteral("?"));
  }
  QFont font("Liberation Sans");
  font.setPixelSize((w.ex_style & WS_EX_TOOLWINDOW) ? 10 : 11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(color(w.nc_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  p.drawText(text_area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
             QString::fromStdU16String(base::cp1250::to_utf16(w.text)));
}

void arrow(QPainter& p, QRect box, bool vertical, bool first, bool enabled) {
  QPoint c = box.center();
  QPolygon triangle;
  if (vertical) {
    int dir = first ? -1 : 1;
    triangle << QPoint(c.x() - 3, c.y() - dir) << QPoint(c.x() + 3, c.y() - dir) << QPoint(c.x(), c.y() + 2 * dir);
  } else {
    int dir = first ? -1 : 1;
    triangle << QPoint(c.x() - dir, c.y() - 3) << QPoint(c.x() - dir, c.y() + 3) << QPoint(c.x() + 2 * dir, c.y());
  }
  p.setPen(Qt::NoPen);
  p.setBrush(color(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  p.drawPolygon(triangle);
}

void paint_scroll_bar(QPainter& p, const Window& w, int bar) {
  ScrollGeometry g = scroll_geometry(w, bar);
  if (g.strip.isEmpty()) return;
  p.fillRect(g.strip, color(COLOR_SCROLLBAR));
  bool enabled = w.scroll[bar].enabled && !g.thumb.isEmpty();
  for (QRect button : {g.first_arrow, g.last_arrow}) {
    p.fillRect(button, color(COLOR_BTNFACE));
    raised(p, button);
    arrow(p, button, g.vertical, button == g.first_arrow, enabled);
  }
  if (!g.thumb.isEmpty()) {
    p.fillRect(g.thumb, color(COLOR_BTNFACE));
    raised(p, g.thumb);
  }
}

}  // namespace

QRect scroll_strip(const Window& w, int bar) {
  Frame f = frame_of(w);
  const QRect& c = w.client_rect;
  if (bar == SB_VERT && f.vscroll) return QRect(c.right() + 1, c.top(), f.vscroll, c.height());
  if (bar == SB_HORZ && f.hscroll) return QRect(c.left(), c.bottom() + 1, c.width(), f.hscroll);
  return QRect();
}

LRESULT default_nccalcsize(Window& w, RECT* r) {
  Frame f = frame_of(w);
  r->left += f.border + f.edge;
  r->top += f.border + f.caption + f.edge;
  r->right -= f.border + f.edge + f.vscroll;
  r->bottom -= f.border + f.edge + f.hscroll;
  if (r->right < r->left) r->right = r->left;
  if (r->bottom < r->top) r->bottom = r->top;
  return 0;
}

int default_nchittest(Window& w, POINT screen) {
  QPoint p = QPoint(screen.x, screen.y) - window_origin_on_screen(w);
  QRect whole(QPoint(0, 0), w.window_rect.size());
  if (!whole.contains(p)) return HTNOWHERE;
  if (w.client_rect.contains(p)) return HTCLIENT;
  Frame f = frame_of(w);
  QRect inner = whole.adjusted(f.border, f.border, -f.border, -f.border);
  if (!inner.contains(p)) {
    if (!f.sizing) return HTBORDER;
    // Corners reach along the sides as far as a caption is high.
    int corner = GetSystemMetrics(SM_CYCAPTION) + f.border;
    bool left = p.x() < corner, right = p.x() >= whole.width() - corner;
    bool top = p.y() < corner, bottom = p.y() >= whole.height() - corner;
    if (p.y() < f.border) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (p.y() >= whole.height() - f.border) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (p.x() < f.border) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
    return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
  }
  if (f.caption && p.y() < f.border + f.caption) {
    QRect band(inner.left(), inner.top(), inner.width(), f.caption);
    if ((w.style & WS_SYSMENU) && close_box(band).contains(p)) return HTCLOSE;
    if (has_help_box(w) && help_box(w, band).contains(p)) return HTHELP;
    return HTCAPTION;
  }
  QRect client = w.client_rect;
  if (f.vscroll && p.x() >= client.right() + 1 && p.y() >= client.top() && p.y() <= client.bottom()) {
    return HTVSCROLL;
  }
  if (f.hscroll && p.y() >= client.bottom() + 1 && p.x() >= client.left() && p.x() <= client.right()) {
    return HTHSCROLL;
  }
  return HTBORDER;
}

void default_ncpaint(Window& w) {
  Frame f = frame_of(w);
  QRect whole(QPoint(0, 0), w.window_rect.size());
  if (whole.isEmpty() || w.client_rect == whole) return;
  {
    QPainter p(&current_surface(w));
    QRegion frame_area = QRegion(whole) - w.client_rect;
    p.setClipRegion(frame_area);
    QRect r = whole;
    if (f.border) {
      if (f.border == GetSystemMetrics(SM_CXBORDER)) {
        edge(p, r, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
      } else {
        p.fillRect(r, color(w.nc_active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER));
        raised(p, r);
      }
      r.adjust(f.border, f.border, -f.border, -f.border);
    }
    if (f.caption) {
      paint_caption(p, w, QRect(r.left(), r.top(), r.width(), f.caption));
      r.setTop(r.top() + f.caption);
    }
    if (f.edge) {
      if (f.edge >= 2) {
        sunken(p, r);
      } else {
        edge(p, r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      }
      r.adjust(f.edge, f.edge, -f.edge, -f.edge);
    }
    QRect client = w.client_rect;
    paint_scroll_bar(p, w, SB_VERT);
    paint_scroll_bar(p, w, SB_HORZ);
    if (f.vscroll && f.hscroll) {
      p.fillRect(QRect(client.right() + 1, client.bottom() + 1, f.vscroll, f.hscroll), color(COLOR_BTNFACE));
    }
  }
  surface_changed(w, whole);
}

}  // namespace win

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD ex_style) {
  if (!rect) return FALSE;
  bool native = win::native_frame_style(style);
  win::Frame f = win::frame_of(style & ~(WS_VSCROLL | WS_HSCROLL), ex_style, native);
  rect->left -= f.border + f.edge;
  rect->top -= f.border + f.caption + f.edge + (menu && !native ? GetSystemMetrics(SM_CYMENU) : 0);
  rect->right += f.border + f.edge;
  rect->bottom += f.border + f.edge;
  return TRUE;
}
