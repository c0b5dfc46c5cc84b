// The menu bar of a top-level frame: one row of the top-level items of the window's menu, drawn in
// a strip the frame keeps above its client area. Items are as wide as their text plus a margin; a
// hot item is drawn highlighted. The frame hit-tests the strip as HTMENU, opens an item's pop-up
// below it on a click, and gives keyboard access through Alt or F10 (arrows move, Enter or Down
// opens, Esc leaves, a mnemonic letter opens its item at once).
#pragma once

#include <vector>

#include "platform/win/cwnd.h"

namespace framework {

// The height of the strip: zero for a child window or a window without a menu.
int menu_bar_height(HWND window);
// The rectangles of the bar's items in window coordinates, by position (empty without a bar).
std::vector<RECT> menu_bar_items(HWND window);
// The item position under a window point, or -1.
int menu_bar_item_at(HWND window, POINT window_point);
// The position of the item whose mnemonic ("&x") is `key` (compared without case), or -1.
int menu_bar_mnemonic(HMENU menu, char key);
// Draws the strip with item `hot` highlighted (-1: none).
void paint_menu_bar(HWND window, int hot);

}  // namespace framework
