#include "platform/framework/menu_popup.h"

#include <algorithm>
#include <string>

#include "platform/framework/menu.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_dc.h"

namespace framework {
namespace {

// The raised edge round the items and the gap inside it.
constexpr int kFrame = 3;
// The column left of the text that holds the check mark, and the one right of it that holds a
// pop-up's arrow.
constexpr int kCheckColumn = 18;
constexpr int kArrowColumn = 16;
// Space between the widest label and the shortcuts.
constexpr int kShortcutGap = 20;
constexpr int kSeparatorHeight = 8;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

// A text item's label and shortcut (the part after the first tab).
struct ItemTexts {
  std::string label;
  std::string shortcut;
};

ItemTexts split_texts(const std::string& text) {
  size_t tab = text.find('\t');
  if (tab == std::string::npos) return {text, {}};
  return {text.substr(0, tab), text.substr(tab + 1)};
}

// The menu font, in bold for default items; the caller deletes a bold font.
HFONT item_font(bool bold) {
  HFONT normal = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!bold) return normal;
  LOGFONT lf{};
  GetObject(normal, sizeof lf, &lf);
  lf.lfWeight = 700;
  return CreateFontIndirect(&lf);
}

// Selects the item font into a context for the scope and puts the old one back.
class ItemFontScope {
 public:
  ItemFontScope(HDC dc, bool bold) : dc_(dc), font_(item_font(bold)), bold_(bold) {
    old_ = SelectObject(dc, font_);
  }
  ~ItemFontScope() {
    SelectObject(dc_, old_);
    if (bold_) DeleteObject(font_);
  }
  ItemFontScope(const ItemFontScope&) = delete;
  ItemFontScope& operator=(const ItemFontScope&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  bool bold_;
  HGDIOBJ old_;
};

int text_width(HDC dc, const std::string& text) {
  std::string plain = menu_plain_text(text);
  SIZE size{0, 0};
  GetTextExtentPoint32(dc, plain.c_str(), int(plain.size()), &size);
  return size.cx;
}

// A pen and a brush of one colour selected for the scope (marks and arrows).
class SolidScope {
 public:
  SolidScope(HDC dc, COLORREF colour)
      : dc_(dc), pen_(CreatePen(PS_SOLID, 1, colour)), brush_(CreateSolidBrush(colour)) {
    old_pen_ = SelectObject(dc, pen_);
    old_brush_ = SelectObject(dc, brush_);
  }
  ~SolidScope() {
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  SolidScope(const SolidScope&) = delete;
  SolidScope& operator=(const SolidScope&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ old_pen_;
  HGDIOBJ old_brush_;
};

// The check column's mark: the item's own bitmap when it has one, else a tick (or a dot for a
// radio item) when it is checked.
void draw_mark(HDC dc, HMENU menu, int position, UINT flags, const RECT& column, COLORREF colour) {
  MENUITEMINFO info;
  info.fMask = MIIM_CHECKMARKS;
  GetMenuItemInfo(menu, UINT(position), TRUE, &info);
  bool checked = flags & MF_CHECKED;
  int cx = (column.left + column.right) / 2;
  int cy = (column.top + column.bottom) / 2;
  if (HBITMAP bitmap = checked ? info.hbmpChecked : info.hbmpUnchecked) {
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, cx - bm.bmWidth / 2, cy - bm.bmHeight / 2, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return;
  }
  if (!checked) return;
  SolidScope solid(dc, colour);
  if (flags & MFT_RADIOCHECK) {
    Ellipse(dc, cx - 3, cy - 3, cx + 3, cy + 3);
    return;
  }
  // Three strokes of a tick, one pixel apart.
  for (int dy = 0; dy < 3; ++dy) {
    POINT tick[3] = {{cx - 3, cy - 1 + dy}, {cx - 1, cy + 1 + dy}, {cx + 4, cy - 4 + dy}};
    Polyline(dc, tick, 3);
  }
}

// The arrow of an item that opens a pop-up.
void draw_arrow(HDC dc, const RECT& column, COLORREF colour) {
  SolidScope solid(dc, colour);
  int x = column.left + 4;
  int cy = (column.top + column.bottom) / 2;
  POINT arrow[3] = {{x, cy - 4}, {x + 4, cy}, {x, cy + 4}};
  Polygon(dc, arrow, 3);
}

void draw_texts(HDC dc, const ItemTexts& texts, RECT r, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawText(dc, texts.label.c_str(), int(texts.label.size()), &r, kTextFormat);
  if (!texts.shortcut.empty()) {
    DrawText(dc, texts.shortcut.c_str(), int(texts.shortcut.size()), &r, kTextFormat | DT_RIGHT);
  }
}

// A text item: highlighted when selected, grey and embossed when disabled, with its check mark,
// label, right-aligned shortcut and pop-up arrow.
void draw_text_item(HDC dc, HMENU menu, int position, const MenuItemView& item, const RECT& r, bool selected) {
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  bool disabled = item.flags & (MF_GRAYED | MF_DISABLED);
  COLORREF colour = GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  ItemFontScope font(dc, item.flags & MF_DEFAULT);
  SetBkMode(dc, TRANSPARENT);
  ItemTexts texts = split_texts(item.text);
  RECT text_rect{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
  if (disabled && !selected) {
    CRect shadow(text_rect);
    shadow.OffsetRect(1, 1);
    draw_texts(dc, texts, shadow, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  draw_texts(dc, texts, text_rect, colour);
  draw_mark(dc, menu, position, item.flags, RECT{r.left, r.top, r.left + kCheckColumn, r.bottom}, colour);
  if (item.popup) draw_arrow(dc, RECT{r.right - kArrowColumn, r.top, r.right, r.bottom}, colour);
}

void draw_separator(HDC dc, const RECT& r) {
  FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
  int middle = (r.top + r.bottom) / 2 - 1;
  RECT line{r.left + 1, middle, r.right - 1, middle + 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

}  // namespace

MenuPopupLayout layout_menu_popup(HMENU menu, HWND owner, HDC dc) {
  std::vector<MenuItemView> items = menu_items(menu);
  TEXTMETRIC tm{};
  {
    ItemFontScope font(dc, false);
    GetTextMetrics(dc, &tm);
  }
  int text_height = std::max(int(GetSystemMetrics(SM_CYMENU)), int(tm.tmHeight) + 4);
  // Labels share one column and shortcuts another, so the shortcuts line up.
  int label_width = 0;
  int shortcut_width = 0;
  bool any_text = false;
  int width = 0;
  std::vector<int> heights(items.size(), 0);
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItemView& item = items[i];
    if (item.flags & MF_SEPARATOR) {
      heights[i] = kSeparatorHeight;
    } else if (item.flags & MF_OWNERDRAW) {
      SIZE size = measure_menu_item(owner, menu, int(i));
      width = std::max(width, int(size.cx));
      heights[i] = std::max(0, int(size.cy));
    } else {
      ItemFontScope font(dc, item.flags & MF_DEFAULT);
      ItemTexts texts = split_texts(item.text);
      label_width = std::max(label_width, text_width(dc, texts.label));
      shortcut_width = std::max(shortcut_width, text_width(dc, texts.shortcut));
      heights[i] = text_height;
      any_text = true;
    }
  }
  if (any_text) {
    int columns = kCheckColumn + label_width + (shortcut_width ? kShortcutGap + shortcut_width : 0) + kArrowColumn;
    width = std::max(width, columns);
  }
  MenuPopupLayout layout;
  int y = kFrame;
  for (int height : heights) {
    layout.items.push_back(RECT{kFrame, y, kFrame + width, y + height});
    y += height;
  }
  layout.size = SIZE{width + 2 * kFrame, y + kFrame};
  return layout;
}

POINT place_menu_popup(SIZE size, POINT at, UINT flags, const RECT& exclude, const RECT& screen) {
  int x = at.x;
  int y = at.y;
  if (flags & TPM_CENTERALIGN) {
    x -= size.cx / 2;
  } else if (flags & TPM_RIGHTALIGN) {
    x -= size.cx;
  }
  if (flags & TPM_VCENTERALIGN) {
    y -= size.cy / 2;
  } else if (flags & TPM_BOTTOMALIGN) {
    y -= size.cy;
  }
  bool has_exclude = exclude.right > exclude.left && exclude.bottom > exclude.top;
  if (x + size.cx > screen.right) {
    // A sub-menu that opened right of its item opens left of it instead.
    x = has_exclude && at.x >= exclude.right ? exclude.left - size.cx : screen.right - size.cx;
  }
  if (y + size.cy > screen.bottom) {
    // A pop-up that opened below its bar item opens above it instead.
    y = has_exclude && at.y >= exclude.bottom ? exclude.top - size.cy : screen.bottom - size.cy;
  }
  x = std::max(x, int(screen.left));
  y = std::max(y, int(screen.top));
  bool covers = has_exclude && x < exclude.right && x + size.cx > exclude.left && y < exclude.bottom &&
                y + size.cy > exclude.top;
  if (covers && (flags & TPM_VERTICAL)) {
    // Below the rectangle when there is room, else above it.
    y = exclude.bottom + size.cy <= screen.bottom ? int(exclude.bottom) : std::max(int(exclude.top) - size.cy, int(screen.top));
  } else if (covers) {
    x = exclude.right + size.cx <= screen.right ? int(exclude.right) : std::max(int(exclude.left) - size.cx, int(screen.left));
  }
  return POINT{x, y};
}

BEGIN_MESSAGE_MAP(MenuPopupWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

bool MenuPopupWnd::Open(HMENU menu, HWND owner, POINT at, UINT flags, const RECT& exclude) {
  menu_ = menu;
  owner_ = owner;
  selected_ = -1;
  // A menu never takes activation or the keyboard from the window it belongs to.
  DWORD ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  if (!CreateEx(ex_style, nullptr, "", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0)) return false;
  {
    CClientDC dc(this);
    layout_ = layout_menu_popup(menu, owner, dc.m_hDC);
  }
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  POINT corner = place_menu_popup(layout_.size, at, flags, exclude, screen);
  MoveWindow(corner.x, corner.y, layout_.size.cx, layout_.size.cy, FALSE);
  ShowWindow(SW_SHOWNOACTIVATE);
  // A menu shows at once, before the loop waits for the next key.
  UpdateWindow();
  return ::IsWindow(m_hWnd) != FALSE;
}

void MenuPopupWnd::Select(int position) {
  if (position == selected_) return;
  int old = selected_;
  selected_ = position;
  if (!m_hWnd || !::IsWindow(m_hWnd)) return;
  CClientDC dc(this);
  if (old >= 0) DrawItem(dc.m_hDC, old, ODA_SELECT);
  if (position >= 0) DrawItem(dc.m_hDC, position, ODA_SELECT);
}

int MenuPopupWnd::ItemAt(POINT screen) const {
  ::ScreenToClient(m_hWnd, &screen);
  for (size_t i = 0; i < layout_.items.size(); ++i) {
    if (CRect(layout_.items[i]).PtInRect(screen)) {
      return IsMenuSeparatorState(::GetMenuState(menu_, UINT(i), MF_BYPOSITION)) ? -1 : int(i);
    }
  }
  return -1;
}

bool MenuPopupWnd::Contains(POINT screen) const {
  CRect window;
  ::GetWindowRect(m_hWnd, &window);
  return window.PtInRect(screen);
}

RECT MenuPopupWnd::ItemRect(int position) const {
  if (position < 0 || size_t(position) >= layout_.items.size()) return RECT{0, 0, 0, 0};
  RECT r = layout_.items[size_t(position)];
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void MenuPopupWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_MENU));
  ::DrawEdge(dc.m_hDC, &client, EDGE_RAISED, BF_RECT);
  for (size_t i = 0; i < layout_.items.size(); ++i) DrawItem(dc.m_hDC, int(i), ODA_DRAWENTIRE);
}

void MenuPopupWnd::DrawItem(HDC dc, int position, UINT action) {
  std::vector<MenuItemView> items = menu_items(menu_);
  if (position < 0 || size_t(position) >= items.size() || size_t(position) >= layout_.items.size()) return;
  const MenuItemView& item = items[size_t(position)];
  const RECT& r = layout_.items[size_t(position)];
  bool selected = position == selected_;
  // Whatever the drawing leaves selected in the context stays inside this item.
  int saved = SaveDC(dc);
  if (item.flags & MF_SEPARATOR) {
    draw_separator(dc, r);
  } else if (item.flags & MF_OWNERDRAW) {
    draw_menu_item(owner_, menu_, position, dc, r, selected ? ODS_SELECTED : 0, action);
  } else {
    draw_text_item(dc, menu_, position, item, r, selected);
  }
  RestoreDC(dc, saved);
}

}  // namespace framework
