#include "platform/framework/menu_bar.h"

#include <string>

#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/win/system_metrics.h"

namespace framework {
namespace {

// Space left and right of an item's text.
constexpr int kItemMargin = 6;

HMENU bar_menu(HWND h) {
  if (!IsWindow(h) || (DWORD(GetWindowLong(h, GWL_STYLE)) & WS_CHILD)) return nullptr;
  HMENU menu = GetMenu(h);
  return IsMenu(menu) ? menu : nullptr;
}

// The strip in window coordinates: the width of the client area, right above it.
RECT strip_of(HWND h) {
  RECT window{};
  GetWindowRect(h, &window);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  RECT client{};
  GetClientRect(h, &client);
  int left = origin.x - window.left;
  int top = origin.y - window.top;
  return RECT{left, top - menu_bar_height(h), left + client.right, top};
}

// What an item of the bar shows besides text: the system menu and window buttons an MDI frame
// puts there for its maximised child are drawn as shapes.
enum class BarGlyph { none, system_menu, minimize, restore, close };

BarGlyph bar_glyph(const MenuItemView& item) {
  if (item.popup) {
    // The maximised child's system menu: a pop-up of window commands.
    for (const MenuItemView& sub : menu_items(item.popup)) {
      if (sub.id == SC_CLOSE) return BarGlyph::system_menu;
    }
    return BarGlyph::none;
  }
  if (!(item.flags & MF_RIGHTJUSTIFY)) return BarGlyph::none;
  switch (item.id) {
    case SC_MINIMIZE: return BarGlyph::minimize;
    case SC_RESTORE: return BarGlyph::restore;
    case SC_CLOSE: return BarGlyph::close;
    default: return BarGlyph::none;
  }
}

// The child window's icon: a small sheet with a title band.
void draw_child_icon(HDC dc, const RECT& r) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  RECT sheet{cx - 7, cy - 6, cx + 7, cy + 6};
  FillRect(dc, &sheet, GetSysColorBrush(COLOR_WINDOWFRAME));
  RECT inside{sheet.left + 1, sheet.top + 1, sheet.right - 1, sheet.bottom - 1};
  FillRect(dc, &inside, GetSysColorBrush(COLOR_WINDOW));
  RECT band{inside.left, inside.top, inside.right, inside.top + 3};
  FillRect(dc, &band, GetSysColorBrush(COLOR_ACTIVECAPTION));
  for (int y = band.bottom + 2; y + 1 < inside.bottom; y += 2) {
    RECT line{inside.left + 2, y, inside.right - 3, y + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
  }
}

void draw_bar_glyph(HDC dc, const RECT& r, BarGlyph glyph, bool pushed) {
  if (glyph == BarGlyph::system_menu) {
    draw_child_icon(dc, r);
    return;
  }
  // A small caption button, centred in the item.
  int cx = GetSystemMetrics(SM_CXMENUSIZE) - 2, cy = GetSystemMetrics(SM_CYMENUSIZE) - 4;
  int left = r.left + (r.right - r.left - cx) / 2, top = r.top + (r.bottom - r.top - cy) / 2;
  RECT button{left, top, left + cx, top + cy};
  UINT kind = glyph == BarGlyph::minimize ? DFCS_CAPTIONMIN : glyph == BarGlyph::restore ? DFCS_CAPTIONRESTORE
                                                                                         : DFCS_CAPTIONCLOSE;
  DrawFrameControl(dc, &button, DFC_CAPTION, kind | (pushed ? DFCS_PUSHED : 0));
}

}  // namespace

int menu_bar_height(HWND h) { return bar_menu(h) ? GetSystemMetrics(SM_CYMENU) : 0; }

std::vector<RECT> menu_bar_items(HWND h) {
  std::vector<RECT> rects;
  HMENU menu = bar_menu(h);
  if (!menu) return rects;
  RECT strip = strip_of(h);
  HDC dc = GetWindowDC(h);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  int x = strip.left;
  std::vector<MenuItemView> items = menu_items(menu);
  size_t right_from = items.size();
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItemView& item = items[i];
    // The first right-justified item and those after it sit at the bar's right end.
    if ((item.flags & MF_RIGHTJUSTIFY) && right_from == items.size()) right_from = i;
    int width = 0;
    if (bar_glyph(item) != BarGlyph::none) {
      width = GetSystemMetrics(SM_CXMENUSIZE) + (bar_glyph(item) == BarGlyph::system_menu ? 2 : 0);
    } else {
      SIZE size{0, 0};
      if (!(item.flags & MF_SEPARATOR)) {
        std::string text = menu_plain_text(item.text);
        GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
      }
      width = size.cx + 2 * kItemMargin;
    }
    rects.push_back(RECT{x, strip.top, x + width, strip.bottom});
    x += width;
  }
  if (right_from < rects.size()) {
    int shift = strip.right - x;
    // Right-justified items never move left over the others.
    if (shift > 0) {
      for (size_t i = right_from; i < rects.size(); ++i) {
        rects[i].left += shift;
        rects[i].right += shift;
      }
    }
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return rects;
}

int menu_bar_item_at(HWND h, POINT p) {
  std::vector<RECT> rects = menu_bar_items(h);
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT& r = rects[i];
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return int(i);
  }
  return -1;
}

int menu_bar_mnemonic(HMENU menu, char key) {
  uint8_t wanted = base::cp1250::to_lower(uint8_t(key));
  std::vector<MenuItemView> items = menu_items(menu);
  for (size_t i = 0; i < items.size(); ++i) {
    if (wanted && menu_text_mnemonic(items[i].text) == wanted) return int(i);
  }
  return -1;
}

void paint_menu_bar(HWND h, int hot) {
  HMENU menu = bar_menu(h);
  if (!menu) return;
  std::vector<RECT> rects = menu_bar_items(h);
  std::vector<MenuItemView> items = menu_items(menu);
  RECT strip = strip_of(h);
  HDC dc = GetWindowDC(h);
  FillRect(dc, &strip, GetSysColorBrush(COLOR_MENU));
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < items.size() && i < rects.size(); ++i) {
    if (items[i].flags & MF_SEPARATOR) continue;
    RECT r = rects[i];
    if (BarGlyph glyph = bar_glyph(items[i]); glyph != BarGlyph::none) {
      draw_bar_glyph(dc, r, glyph, int(i) == hot && glyph != BarGlyph::system_menu);
      continue;
    }
    bool grayed = items[i].flags & (MF_GRAYED | MF_DISABLED);
    if (int(i) == hot) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (grayed && int(i) != hot) {
      // Etched: a highlight copy one pixel down and right under the grey text.
      RECT etch{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawText(dc, items[i].text.c_str(), int(items[i].text.size()), &etch, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : int(i) == hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawText(dc, items[i].text.c_str(), int(items[i].text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
}

MenuTrackEnd track_menu_bar(HWND h, int position, bool by_keyboard, std::function<void(int)> show_item) {
  std::vector<RECT> items = menu_bar_items(h);
  HMENU popup = bar_menu(h) ? GetSubMenu(GetMenu(h), position) : nullptr;
  if (!popup || position < 0 || size_t(position) >= items.size()) return {};
  RECT window{};
  GetWindowRect(h, &window);
  const RECT& r = items[size_t(position)];
  MenuTrackStart start;
  start.owner = h;
  start.menu = popup;
  start.at = POINT{window.left + r.left, window.top + r.bottom};
  start.flags = TPM_LEFTALIGN | TPM_TOPALIGN;
  start.exclude = RECT{window.left + r.left, window.top + r.top, window.left + r.right, window.top + r.bottom};
  start.bar_item = position;
  start.keyboard = by_keyboard;
  start.show_bar_item = std::move(show_item);
  MenuTrackEnd end = track_menus(start);
  if (end.command && IsWindow(h)) PostMessage(h, WM_COMMAND, end.command, 0);
  return end;
}

}  // namespace framework
