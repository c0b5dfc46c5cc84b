#include "platform/framework/menu.h"

#include <QCursor>
#include <QMenu>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"

namespace {

struct Item {
  UINT flags = 0;
  UINT id = 0;
  std::string text;
  HMENU popup = nullptr;
  UINT_PTR data = 0;
};

struct Menu {
  bool popup = false;
  std::vector<Item> items;
  std::unique_ptr<CMenu> wrapper;  // FromHandle's object
};

// Handles are numbers that are never reused, so a stale handle finds nothing.
struct MenuTable {
  std::map<std::uintptr_t, Menu> menus;
  std::uintptr_t next = 1;
};

MenuTable& table() {
  static MenuTable t;
  return t;
}

Menu* find(HMENU h) {
  auto it = table().menus.find(reinterpret_cast<std::uintptr_t>(h));
  return it == table().menus.end() ? nullptr : &it->second;
}

HMENU make(bool popup) {
  auto& t = table();
  std::uintptr_t id = t.next++;
  t.menus[id].popup = popup;
  return reinterpret_cast<HMENU>(id);
}

// The item `position` names (by command, searching pop-ups too, or by position); its menu in
// `owner`.
Item* find_item(HMENU h, UINT position, UINT flags, Menu** owner = nullptr, int* index = nullptr) {
  Menu* m = find(h);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (position >= m->items.size()) return nullptr;
    if (owner) *owner = m;
    if (index) *index = int(position);
    return &m->items[position];
  }
  for (size_t i = 0; i < m->items.size(); ++i) {
    Item& item = m->items[i];
    if (!item.popup && !(item.flags & MF_SEPARATOR) && item.id == position) {
      if (owner) *owner = m;
      if (index) *index = int(i);
      return &item;
    }
  }
  for (Item& item : m->items) {
    if (item.popup) {
      if (Item* found = find_item(item.popup, position, flags, owner, index)) return found;
    }
  }
  return nullptr;
}

Item make_item(UINT flags, UINT_PTR id_or_popup, const char* text) {
  Item item;
  // MF_OWNERDRAW shares its bit with MF_APPEND, which only means something as a ChangeMenu verb.
  item.flags = flags & ~MF_BYPOSITION;
  if (flags & MF_POPUP) {
    item.popup = reinterpret_cast<HMENU>(id_or_popup);
  } else {
    item.id = UINT(id_or_popup);
  }
  if (flags & MF_OWNERDRAW) {
    item.data = reinterpret_cast<UINT_PTR>(text);
  } else if (text && !(flags & MF_SEPARATOR)) {
    item.text = text;
  }
  return item;
}

framework::MenuChooser& chooser() {
  static framework::MenuChooser c;
  return c;
}

// The default chooser: a Qt menu built from the items, shown at the point.
void fill_qmenu(QMenu& q, HMENU h, UINT& chosen) {
  for (const framework::MenuItemView& item : framework::menu_items(h)) {
    if (item.flags & MF_SEPARATOR) {
      q.addSeparator();
      continue;
    }
    QString text = QString::fromStdString(base::cp1250::to_utf8(item.text));
    if (item.popup) {
      QMenu* sub = q.addMenu(text);
      fill_qmenu(*sub, item.popup, chosen);
      continue;
    }
    QAction* action = q.addAction(text);
    action->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
    action->setCheckable((item.flags & MF_CHECKED) != 0);
    action->setChecked((item.flags & MF_CHECKED) != 0);
    UINT id = item.id;
    QObject::connect(action, &QAction::triggered, [&chosen, id] { chosen = id; });
  }
}

UINT qt_choose(HMENU h, HWND, POINT screen) {
  QMenu q;
  UINT chosen = 0;
  fill_qmenu(q, h, chosen);
  q.exec(QPoint(screen.x, screen.y));
  return chosen;
}

}  // namespace

HMENU CreateMenu() { return make(false); }
HMENU CreatePopupMenu() { return make(true); }

BOOL DestroyMenu(HMENU h) {
  Menu* m = find(h);
  if (!m) return FALSE;
  std::vector<HMENU> popups;
  for (const Item& item : m->items) {
    if (item.popup) popups.push_back(item.popup);
  }
  table().menus.erase(reinterpret_cast<std::uintptr_t>(h));
  for (HMENU p : popups) DestroyMenu(p);
  return TRUE;
}

BOOL IsMenu(HMENU h) { return find(h) != nullptr; }

HMENU LoadMenu(HINSTANCE, UINT id) {
  auto items = res::find_menu(id);
  if (items.empty()) return nullptr;
  HMENU bar = CreateMenu();
  // The menu open at each nesting level while the items are walked in order.
  std::vector<HMENU> open{bar};
  for (const res::MenuItemResource& r : items) {
    if (r.level < 0 || size_t(r.level) >= open.size()) continue;  // a malformed level is skipped
    open.resize(size_t(r.level) + 1);
    HMENU parent = open.back();
    if (r.flags & res::MF_POPUP) {
      HMENU sub = CreatePopupMenu();
      AppendMenu(parent, MF_POPUP | (r.flags & (MF_GRAYED | MF_DISABLED)), reinterpret_cast<UINT_PTR>(sub), r.utf8);
      open.push_back(sub);
    } else if (r.flags & res::MF_SEPARATOR) {
      AppendMenu(parent, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenu(parent, r.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED), r.id, r.utf8);
    }
  }
  return bar;
}

BOOL AppendMenu(HMENU h, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Menu* m = find(h);
  if (!m) return FALSE;
  m->items.push_back(make_item(flags, id_or_popup, text));
  return TRUE;
}

BOOL InsertMenu(HMENU h, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Menu* owner = nullptr;
  int index = 0;
  if (position == UINT(-1) && (flags & MF_BYPOSITION)) return AppendMenu(h, flags, id_or_popup, text);
  if (!find_item(h, position, flags, &owner, &index)) {
    // Past the end (by position) appends, as the platform does.
    return (flags & MF_BYPOSITION) ? AppendMenu(h, flags, id_or_popup, text) : FALSE;
  }
  owner->items.insert(owner->items.begin() + index, make_item(flags, id_or_popup, text));
  return TRUE;
}

BOOL ModifyMenu(HMENU h, UINT position, UINT flags, UINT_PTR id_or_popup, const char* text) {
  Item* item = find_item(h, position, flags);
  if (!item) return FALSE;
  *item = make_item(flags, id_or_popup, text);
  return TRUE;
}

BOOL RemoveMenu(HMENU h, UINT position, UINT flags) {
  Menu* owner = nullptr;
  int index = 0;
  if (!find_item(h, position, flags, &owner, &index)) return FALSE;
  owner->items.erase(owner->items.begin() + index);
  return TRUE;
}

BOOL DeleteMenu(HMENU h, UINT position, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return FALSE;
  HMENU popup = item->popup;
  RemoveMenu(h, position, flags);
  if (popup) DestroyMenu(popup);
  return TRUE;
}

UINT EnableMenuItem(HMENU h, UINT position, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return UINT(-1);
  UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
  item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU h, UINT position, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return DWORD(-1);
  DWORD old = item->flags & MF_CHECKED;
  item->flags = (item->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU h, UINT first, UINT last, UINT check, UINT flags) {
  bool found = false;
  for (UINT i = first; i <= last; ++i) {
    if (Item* item = find_item(h, i, flags)) {
      item->flags = (item->flags & ~MF_CHECKED) | (i == check ? MF_CHECKED : 0);
      found = found || i == check;
    }
  }
  return found;
}

int GetMenuItemCount(HMENU h) {
  Menu* m = find(h);
  return m ? int(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU h, int position) {
  Item* item = position < 0 ? nullptr : find_item(h, UINT(position), MF_BYPOSITION);
  if (!item || item->popup) return UINT(-1);
  return (item->flags & MF_SEPARATOR) ? 0 : item->id;
}

UINT GetMenuState(HMENU h, UINT position, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return UINT(-1);
  UINT state = item->flags & ~MF_POPUP;
  if (item->popup) state = MF_POPUP | (state & 0xFF) | (UINT(GetMenuItemCount(item->popup)) << 8);
  return state;
}

int GetMenuString(HMENU h, UINT position, char* buffer, int size, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return 0;
  if (!buffer || size <= 0) return int(item->text.size());
  int n = std::min(int(item->text.size()), size - 1);
  std::copy_n(item->text.data(), n, buffer);
  buffer[n] = '\0';
  return n;
}

HMENU GetSubMenu(HMENU h, int position) {
  Item* item = position < 0 ? nullptr : find_item(h, UINT(position), MF_BYPOSITION);
  return item ? item->popup : nullptr;
}

BOOL SetMenuDefaultItem(HMENU h, UINT position, UINT by_position) {
  Menu* m = find(h);
  if (!m) return FALSE;
  Item* chosen = position == UINT(-1) ? nullptr
                                      : find_item(h, position, by_position ? MF_BYPOSITION : 0);
  if (position != UINT(-1) && !chosen) return FALSE;
  for (Item& item : m->items) item.flags &= ~MF_DEFAULT;
  if (chosen) chosen->flags |= MF_DEFAULT;
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU h, UINT by_position, UINT) {
  Menu* m = find(h);
  if (!m) return UINT(-1);
  for (size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].flags & MF_DEFAULT) return by_position ? UINT(i) : m->items[i].id;
  }
  return UINT(-1);
}

BOOL SetMenuItemData(HMENU h, UINT position, UINT_PTR data, UINT flags) {
  Item* item = find_item(h, position, flags);
  if (!item) return FALSE;
  item->data = data;
  return TRUE;
}

UINT_PTR GetMenuItemData(HMENU h, UINT position, UINT flags) {
  Item* item = find_item(h, position, flags);
  return item ? item->data : 0;
}

BOOL TrackPopupMenu(HMENU h, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!find(h) || !IsWindow(owner)) return FALSE;
  if (!(flags & TPM_NONOTIFY)) {
    SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(h), MAKELPARAM(0, 0));
  }
  if (!find(h)) return FALSE;  // the owner destroyed the menu while preparing it
  auto& c = chooser();
  UINT chosen = c ? c(h, owner, POINT{x, y}) : qt_choose(h, owner, POINT{x, y});
  // A disabled item cannot be chosen.
  if (chosen) {
    UINT state = GetMenuState(h, chosen, MF_BYCOMMAND);
    if (state == UINT(-1) || (state & (MF_GRAYED | MF_DISABLED))) chosen = 0;
  }
  if (flags & TPM_RETURNCMD) return BOOL(chosen);
  if (chosen && IsWindow(owner)) PostMessage(owner, WM_COMMAND, chosen, 0);
  return chosen != 0;
}

BOOL DrawMenuBar(HWND h) {
  if (!IsWindow(h)) return FALSE;
  // The bar may have come, gone or changed width: the frame computes its client area again.
  return SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace framework {

void set_menu_chooser(MenuChooser c) { chooser() = std::move(c); }

std::vector<MenuItemView> menu_items(HMENU h) {
  std::vector<MenuItemView> out;
  if (Menu* m = find(h)) {
    for (const Item& item : m->items) out.push_back({item.id, item.flags, item.text, item.popup});
  }
  return out;
}

}  // namespace framework

// --- CMenu ------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() {
  if (owned_) ::DestroyMenu(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU h) {
  Menu* m = find(h);
  if (!m) return nullptr;
  if (!m->wrapper) {
    m->wrapper = std::make_unique<CMenu>();
    m->wrapper->m_hMenu = h;
  }
  return m->wrapper.get();
}

BOOL CMenu::Attach(HMENU h) {
  if (m_hMenu || !h) return FALSE;
  m_hMenu = h;
  owned_ = true;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  m_hMenu = nullptr;
  owned_ = false;
  return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT id) { return Attach(::LoadMenu(nullptr, id)); }
BOOL CMenu::DestroyMenu() {
  BOOL ok = ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
  owned_ = false;
  return ok;
}
BOOL CMenu::AppendMenu(UINT f, UINT_PTR id, LPCTSTR text) { return ::AppendMenu(m_hMenu, f, id, text); }
BOOL CMenu::InsertMenu(UINT p, UINT f, UINT_PTR id, LPCTSTR text) {
  return ::InsertMenu(m_hMenu, p, f, id, text);
}
BOOL CMenu::ModifyMenu(UINT p, UINT f, UINT_PTR id, LPCTSTR text) {
  return ::ModifyMenu(m_hMenu, p, f, id, text);
}
BOOL CMenu::RemoveMenu(UINT p, UINT f) { return ::RemoveMenu(m_hMenu, p, f); }
BOOL CMenu::DeleteMenu(UINT p, UINT f) { return ::DeleteMenu(m_hMenu, p, f); }
UINT CMenu::EnableMenuItem(UINT id, UINT f) { return ::EnableMenuItem(m_hMenu, id, f); }
UINT CMenu::CheckMenuItem(UINT id, UINT f) { return ::CheckMenuItem(m_hMenu, id, f); }
BOOL CMenu::CheckMenuRadioItem(UINT a, UINT b, UINT c, UINT f) {
  return ::CheckMenuRadioItem(m_hMenu, a, b, c, f);
}
UINT CMenu::GetMenuItemCount() const { return UINT(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
UINT CMenu::GetMenuState(UINT id, UINT f) const { return ::GetMenuState(m_hMenu, id, f); }
int CMenu::GetMenuString(UINT id, CString& out, UINT f) const {
  Item* item = find_item(m_hMenu, id, f);
  out = item ? CString(item->text) : CString();
  return out.GetLength();
}
CMenu* CMenu::GetSubMenu(int pos) const { return FromHandle(::GetSubMenu(m_hMenu, pos)); }
BOOL CMenu::SetDefaultItem(UINT item, BOOL by_pos) { return ::SetMenuDefaultItem(m_hMenu, item, by_pos); }
UINT CMenu::GetDefaultItem(UINT flags, BOOL by_pos) { return ::GetMenuDefaultItem(m_hMenu, by_pos, flags); }
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* pWnd, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, rect);
}
void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

SIZE measure_menu_item(HWND owner, HMENU h, int position) {
  Item* item = find_item(h, UINT(position), MF_BYPOSITION);
  if (!item) return SIZE{0, 0};
  MEASUREITEMSTRUCT m{ODT_MENU, 0, item->id, 0, 0, item->data};
  SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
  return SIZE{LONG(m.itemWidth), LONG(m.itemHeight)};
}

void draw_menu_item(HWND owner, HMENU h, int position, HDC dc, const RECT& rect, UINT state) {
  Item* item = find_item(h, UINT(position), MF_BYPOSITION);
  if (!item) return;
  UINT item_state = state | ((item->flags & MF_CHECKED) ? ODS_CHECKED : 0) |
                    ((item->flags & MF_GRAYED) ? ODS_GRAYED : 0);
  DRAWITEMSTRUCT d{ODT_MENU, 0, item->id, ODA_DRAWENTIRE, item_state,
                   reinterpret_cast<HWND>(h), dc, rect, item->data};
  SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
}
