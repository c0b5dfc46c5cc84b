#include "platform/framework/menu_tracking.h"

#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/framework/menu.h"
#include "platform/framework/menu_bar.h"
#include "platform/framework/menu_popup.h"
#include "platform/win/hooks.h"
#include "platform/win/virtual_keys.h"

namespace framework {
namespace {

UINT item_state(HMENU menu, int position) {
  MENUITEMINFO info;
  info.fMask = MIIM_STATE | MIIM_TYPE | MIIM_SUBMENU;
  if (position < 0 || !GetMenuItemInfo(menu, UINT(position), TRUE, &info)) return MF_SEPARATOR;
  return info.fState | info.fType | (info.hSubMenu ? MF_POPUP : 0);
}

bool is_disabled(UINT state) { return state & (MF_GRAYED | MF_DISABLED); }

void set_hilite(HMENU menu, int position, bool on) {
  MENUITEMINFO info;
  info.fMask = MIIM_STATE;
  if (position < 0 || !GetMenuItemInfo(menu, UINT(position), TRUE, &info)) return;
  info.fState = on ? (info.fState | MFS_HILITE) : (info.fState & ~MFS_HILITE);
  SetMenuItemInfo(menu, UINT(position), TRUE, &info);
}

// The item `steps` places from `from` in direction `dir` (+1 down, -1 up), wrapping and passing
// over separators; -1 when the menu has nothing to select. `from` may lie one place outside the
// items (-1 or the count) to start at either end.
int step_selection(HMENU menu, int from, int dir) {
  int count = GetMenuItemCount(menu);
  for (int k = 1; k <= count; ++k) {
    int i = ((from + dir * k) % count + count) % count;
    if (!(item_state(menu, i) & MF_SEPARATOR)) return i;
  }
  return -1;
}

int first_item(HMENU menu) { return step_selection(menu, -1, 1); }

bool is_mouse_message(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

class MenuLoop {
 public:
  explicit MenuLoop(const MenuTrackStart& start)
      : start_(start), bar_item_(start.bar_item), system_(is_system_menu(start.menu) ? MF_SYSMENU : 0) {}
  MenuTrackEnd Run();

 private:
  struct Level {
    std::unique_ptr<MenuPopupWnd> wnd;
    int parent_item;  // the position of the item (or bar item) that opened it
  };

  bool notify() const { return !(start_.flags & TPM_NONOTIFY); }
  bool from_bar() const { return bar_item_ >= 0; }
  MenuTrackEnd ChooseAtOnce();
  void Loop();
  bool OpenLevel(HMENU menu, POINT at, const RECT& exclude, int parent_item, UINT flags);
  void KeepLevels(size_t count);
  void Select(size_t level, int position, bool by_mouse);
  void OpenChild(size_t level, int position, bool select_first);
  void Activate(size_t level, int position, bool by_keyboard);
  void Hover(size_t level, int position);
  bool BarItemOpens(int position) const;
  int NeighbourBarItem(int dir) const;
  void SwitchBar(int position, bool select_first);
  bool OnKeyDown(UINT key);
  void OnChar(BYTE character);
  void OnMouse(const MSG& msg);
  void Finish(UINT command, int bar_item = -1);

  MenuTrackStart start_;
  int bar_item_;
  UINT system_;  // MF_SYSMENU when tracking a system menu
  std::vector<Level> levels_;
  bool done_ = false;
  MenuTrackEnd end_;
};

MenuTrackEnd MenuLoop::Run() {
  HWND owner = start_.owner;
  if (!IsWindow(owner) || !IsMenu(start_.menu)) return {};
  if (menu_chooser()) return ChooseAtOnce();
  if (notify()) {
    SendMessage(owner, WM_ENTERMENULOOP, from_bar() ? FALSE : TRUE, 0);
    SendMessage(owner, WM_INITMENU, reinterpret_cast<WPARAM>(from_bar() ? GetMenu(owner) : start_.menu), 0);
  }
  if (from_bar() && start_.show_bar_item) start_.show_bar_item(bar_item_);
  if (IsWindow(owner) && OpenLevel(start_.menu, start_.at, start_.exclude, from_bar() ? bar_item_ : 0, start_.flags)) {
    if (start_.keyboard) Select(0, first_item(start_.menu), false);
    SetCapture(owner);
    Loop();
  }
  KeepLevels(0);
  if (GetCapture() == owner) ReleaseCapture();
  if (notify() && IsWindow(owner)) {
    SendMessage(owner, WM_MENUSELECT, MAKEWPARAM(0, kMenuClosedFlags), 0);
    SendMessage(owner, WM_EXITMENULOOP, from_bar() ? FALSE : TRUE, 0);
  }
  return end_;
}

MenuTrackEnd MenuLoop::ChooseAtOnce() {
  if (notify()) {
    SendMessage(start_.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(start_.menu),
                MAKELPARAM(from_bar() ? bar_item_ : 0, system_ != 0));
  }
  if (!IsMenu(start_.menu) || !IsWindow(start_.owner)) return {};
  UINT chosen = menu_chooser()(start_.menu, start_.owner, start_.at);
  // A disabled item cannot be chosen.
  if (chosen) {
    UINT state = GetMenuState(start_.menu, chosen, MF_BYCOMMAND);
    if (state == UINT(-1) || is_disabled(state)) chosen = 0;
  }
  return MenuTrackEnd{chosen, -1};
}

void MenuLoop::Loop() {
  HWND owner = start_.owner;
  MSG msg;
  while (!done_) {
    // Anything that took the capture (WM_CANCELMODE to the owner, another window) ends the menus,
    // as does a menu or owner that went away.
    if (!IsWindow(owner) || GetCapture() != owner || levels_.empty() || !IsMenu(levels_.front().wnd->menu())) break;
    // The owner hears once per empty queue that the menus wait for input.
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      SendMessage(owner, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(levels_.back().wnd->GetSafeHwnd()));
      if (done_ || !IsWindow(owner) || levels_.empty()) break;
    }
    if (GetMessage(&msg, nullptr, 0, 0) <= 0) {
      if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
      break;
    }
    // Message filters see every message the menus take and may keep it from them.
    if (CallMsgFilter(&msg, MSGF_MENU)) continue;
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      // Keys the menus use make no characters; the rest may type a mnemonic.
      if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && !OnKeyDown(UINT(msg.wParam))) {
        TranslateMessage(&msg);
      } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        OnChar(BYTE(msg.wParam));
      }
    } else if (is_mouse_message(msg.message)) {
      OnMouse(msg);
    } else {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
}

bool MenuLoop::OpenLevel(HMENU menu, POINT at, const RECT& exclude, int parent_item, UINT flags) {
  if (notify()) {
    SendMessage(start_.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(parent_item, system_ && menu == start_.menu));
  }
  // The owner may have destroyed the menu or itself while preparing it.
  if (!IsMenu(menu) || !IsWindow(start_.owner)) return false;
  auto wnd = std::make_unique<MenuPopupWnd>();
  if (!wnd->Open(menu, start_.owner, at, flags, exclude)) return false;
  levels_.push_back(Level{std::move(wnd), parent_item});
  return true;
}

void MenuLoop::KeepLevels(size_t count) {
  while (levels_.size() > count) {
    MenuPopupWnd& wnd = *levels_.back().wnd;
    set_hilite(wnd.menu(), wnd.selected(), false);
    levels_.pop_back();
  }
}

void MenuLoop::Select(size_t level, int position, bool by_mouse) {
  MenuPopupWnd& wnd = *levels_[level].wnd;
  if (wnd.selected() == position) return;
  HMENU menu = wnd.menu();
  set_hilite(menu, wnd.selected(), false);
  set_hilite(menu, position, true);
  wnd.Select(position);
  if (position < 0 || !notify()) return;
  UINT state = item_state(menu, position);
  UINT item = (state & MF_POPUP) ? UINT(position) : GetMenuItemID(menu, position);
  UINT flags = (state & ~MF_HILITE & 0xFFFF) | MF_HILITE | system_ | (by_mouse ? MF_MOUSESELECT : 0);
  SendMessage(start_.owner, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(menu));
}

void MenuLoop::OpenChild(size_t level, int position, bool select_first) {
  KeepLevels(level + 1);
  if (levels_.size() <= level) return;
  Select(level, position, !select_first);
  HMENU sub = GetSubMenu(levels_[level].wnd->menu(), position);
  if (!sub) return;
  RECT item = levels_[level].wnd->ItemRect(position);
  if (OpenLevel(sub, POINT{item.right, item.top}, item, position, TPM_LEFTALIGN | TPM_TOPALIGN) && select_first) {
    Select(level + 1, first_item(sub), false);
  }
}

void MenuLoop::Activate(size_t level, int position, bool by_keyboard) {
  HMENU menu = levels_[level].wnd->menu();
  UINT state = item_state(menu, position);
  if ((state & MF_SEPARATOR) || is_disabled(state)) return;
  if (state & MF_POPUP) {
    OpenChild(level, position, by_keyboard);
    return;
  }
  Finish(GetMenuItemID(menu, position));
}

void MenuLoop::Hover(size_t level, int position) {
  // Deeper levels close unless the item under the mouse is the one whose sub-menu is open.
  if (levels_.size() > level + 1 && !(position >= 0 && levels_[level + 1].parent_item == position)) {
    KeepLevels(level + 1);
  }
  if (position < 0) return;
  Select(level, position, true);
  UINT state = item_state(levels_[level].wnd->menu(), position);
  if (levels_.size() == level + 1 && (state & MF_POPUP) && !is_disabled(state)) OpenChild(level, position, false);
}

bool MenuLoop::BarItemOpens(int position) const {
  HMENU bar = GetMenu(start_.owner);
  UINT state = GetMenuState(bar, UINT(position), MF_BYPOSITION);
  return state != UINT(-1) && !IsMenuSeparatorState(state) && !is_disabled(state) && GetSubMenu(bar, position);
}

int MenuLoop::NeighbourBarItem(int dir) const {
  int count = GetMenuItemCount(GetMenu(start_.owner));
  for (int k = 1; k < count; ++k) {
    int p = ((bar_item_ + dir * k) % count + count) % count;
    if (BarItemOpens(p)) return p;
  }
  return -1;
}

void MenuLoop::SwitchBar(int position, bool select_first) {
  // The owner may have gone while hearing of the last selection.
  if (!IsWindow(start_.owner) || position < 0 || position == bar_item_ || !BarItemOpens(position)) return;
  std::vector<RECT> items = menu_bar_items(start_.owner);
  if (size_t(position) >= items.size()) return;
  KeepLevels(0);
  bar_item_ = position;
  if (start_.show_bar_item) start_.show_bar_item(position);
  RECT window{};
  GetWindowRect(start_.owner, &window);
  CRect r(items[size_t(position)]);
  r.OffsetRect(window.left, window.top);
  HMENU popup = GetSubMenu(GetMenu(start_.owner), position);
  if (!OpenLevel(popup, POINT{r.left, r.bottom}, r, position, TPM_LEFTALIGN | TPM_TOPALIGN)) {
    Finish(0);
    return;
  }
  if (select_first) Select(0, first_item(popup), false);
}

bool MenuLoop::OnKeyDown(UINT key) {
  size_t level = levels_.size() - 1;
  MenuPopupWnd& wnd = *levels_.back().wnd;
  HMENU menu = wnd.menu();
  int selected = wnd.selected();
  int count = GetMenuItemCount(menu);
  switch (key) {
    case VK_DOWN:
      Select(level, step_selection(menu, selected < 0 ? -1 : selected, 1), false);
      return true;
    case VK_UP:
      Select(level, step_selection(menu, selected < 0 ? count : selected, -1), false);
      return true;
    case VK_HOME:
      Select(level, step_selection(menu, -1, 1), false);
      return true;
    case VK_END:
      Select(level, step_selection(menu, count, -1), false);
      return true;
    case VK_RIGHT: {
      UINT state = item_state(menu, selected);
      if (selected >= 0 && (state & MF_POPUP) && !is_disabled(state)) {
        OpenChild(level, selected, true);
      } else if (from_bar()) {
        SwitchBar(NeighbourBarItem(1), true);
      }
      return true;
    }
    case VK_LEFT:
      if (levels_.size() > 1) {
        KeepLevels(levels_.size() - 1);
      } else if (from_bar()) {
        SwitchBar(NeighbourBarItem(-1), true);
      }
      return true;
    case VK_RETURN:
      if (selected >= 0) Activate(level, selected, true);
      return true;
    case VK_ESCAPE:
      if (levels_.size() > 1) {
        KeepLevels(levels_.size() - 1);
      } else {
        Finish(0, bar_item_);
      }
      return true;
    case VK_MENU:
    case VK_F10:
      Finish(0);
      return true;
    default:
      return false;
  }
}

void MenuLoop::OnChar(BYTE character) {
  // Enter, Esc, Tab and the like choose nothing.
  if (character < 0x20) return;
  size_t level = levels_.size() - 1;
  HMENU menu = levels_.back().wnd->menu();
  int selected = levels_.back().wnd->selected();
  uint8_t wanted = base::cp1250::to_lower(character);
  std::vector<MenuItemView> items = menu_items(menu);
  std::vector<int> matches;
  for (size_t i = 0; i < items.size(); ++i) {
    if (!(items[i].flags & MF_SEPARATOR) && menu_text_mnemonic(items[i].text) == wanted) matches.push_back(int(i));
  }
  if (matches.size() == 1) {
    Select(level, matches[0], false);
    Activate(level, matches[0], true);
    return;
  }
  if (!matches.empty()) {
    // Items sharing the letter are selected in turn, after the selected one.
    int next = matches[0];
    for (int m : matches) {
      if (m > selected) {
        next = m;
        break;
      }
    }
    Select(level, next, false);
    return;
  }
  // No text marks the letter: the owner may know it (owner-drawn items have no text).
  if (!notify()) return;
  LRESULT answer =
      SendMessage(start_.owner, WM_MENUCHAR, MAKEWPARAM(character, MF_POPUP | system_), reinterpret_cast<LPARAM>(menu));
  if (levels_.size() != level + 1 || !IsMenu(menu)) return;
  int position = LOWORD(answer);
  bool valid = position < GetMenuItemCount(menu) && !(item_state(menu, position) & MF_SEPARATOR);
  switch (HIWORD(answer)) {
    case MNC_EXECUTE:
      if (valid) {
        Select(level, position, false);
        Activate(level, position, true);
      }
      break;
    case MNC_SELECT:
      if (valid) Select(level, position, false);
      break;
    case MNC_CLOSE:
      Finish(0);
      break;
    default:
      MessageBeep(0);
      break;
  }
}

void MenuLoop::OnMouse(const MSG& msg) {
  UINT m = msg.message < WM_MOUSEFIRST ? msg.message + kNcMouseOffset : msg.message;
  bool move = m == WM_MOUSEMOVE;
  bool press = m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDOWN || m == WM_RBUTTONDBLCLK ||
               m == WM_MBUTTONDOWN || m == WM_MBUTTONDBLCLK;
  bool release = m == WM_LBUTTONUP || (m == WM_RBUTTONUP && (start_.flags & TPM_RIGHTBUTTON));
  for (size_t level = levels_.size(); level-- > 0;) {
    MenuPopupWnd& wnd = *levels_[level].wnd;
    if (!wnd.Contains(msg.pt)) continue;
    int position = wnd.ItemAt(msg.pt);
    if (move || press) {
      Hover(level, position);
    } else if (release && position >= 0) {
      Activate(level, position, false);
    }
    return;
  }
  if (from_bar()) {
    CRect window;
    GetWindowRect(start_.owner, &window);
    int item = menu_bar_item_at(start_.owner, POINT{msg.pt.x - window.left, msg.pt.y - window.top});
    if (item >= 0) {
      // A press on the open item's own bar item closes the menus; other bar items switch.
      if (press && item == bar_item_) {
        Finish(0);
      } else if (move || press) {
        SwitchBar(item, false);
      }
      return;
    }
  }
  if (press) {
    Finish(0);
  } else if (move) {
    Select(levels_.size() - 1, -1, true);
  }
}

void MenuLoop::Finish(UINT command, int bar_item) {
  done_ = true;
  end_ = MenuTrackEnd{command, bar_item};
}

}  // namespace

MenuTrackEnd track_menus(const MenuTrackStart& start) { return MenuLoop(start).Run(); }

}  // namespace framework
