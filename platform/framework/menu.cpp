#include "platform/framework/menu.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/framework/menu_tracking.h"
#include "platform/res/resource_store.h"
#include "platform/win/window_api.h"

namespace {

// The bits of an item's flag word that are its type and its state (MENUITEMINFO).
constexpr UINT kTypeBits = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW | MFT_RADIOCHECK |
                           MFT_SEPARATOR | MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
constexpr UINT kStateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

struct Item {
  UINT flags = 0;
  UINT id = 0;
  std::string text;
  HMENU popup = nullptr;
  UINT_PTR data = 0;
  HBITMAP checked = nullptr;    // shown for the check mark when set
  HBITMAP unchecked = nullptr;  // shown beside an unchecked item when set
};

struct Menu {
  bool popup = false;
  bool system = false;  // a window's system menu
  std::vector<Item> items;
  std::unique_ptr<CMenu> wrapper;  // FromHandle's object when none is attached
  CMenu* attached = nullptr;       // the object Attach gave the handle
};

// Handles are numbers that are never reused, so a stale handle finds nothing.
struct MenuTable {
  std::map<std::uintptr_t, Menu> menus;
  std::uintptr_t next = 1;
  std::map<HWND, HMENU> system_menus;  // by window
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
  HMENU old_popup = item->popup;
  Item changed = make_item(flags, id_or_popup, text);
  // The check-mark bitmaps stay with the item whatever it becomes.
  changed.checked = item->checked;
  changed.unchecked = item->unchecked;
  *item = std::move(changed);
  // A pop-up the item no longer opens is destroyed, as the platform does.
  if (old_popup && old_popup != item->popup) DestroyMenu(old_popup);
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
  if (first > last) return FALSE;
  // Counting up to `last` inclusive: a range ending at the largest id must still stop.
  for (UINT i = first;; ++i) {
    if (Item* item = find_item(h, i, flags)) {
      item->flags = (item->flags & ~MF_CHECKED) | (i == check ? MF_CHECKED | MFT_RADIOCHECK : 0);
      found = found || i == check;
    }
    if (i == last) break;
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

BOOL GetMenuItemInfo(HMENU h, UINT position, BOOL by_position, LPMENUITEMINFO info) {
  Item* item = info && info->cbSize == sizeof(MENUITEMINFO)
                   ? find_item(h, position, by_position ? MF_BYPOSITION : MF_BYCOMMAND)
                   : nullptr;
  if (!item) return FALSE;
  UINT mask = info->fMask;
  if (mask & MIIM_STATE) info->fState = item->flags & kStateBits;
  if (mask & MIIM_ID) info->wID = item->popup ? UINT(reinterpret_cast<std::uintptr_t>(item->popup)) : item->id;
  if (mask & MIIM_SUBMENU) info->hSubMenu = item->popup;
  if (mask & MIIM_CHECKMARKS) {
    info->hbmpChecked = item->checked;
    info->hbmpUnchecked = item->unchecked;
  }
  if (mask & MIIM_DATA) info->dwItemData = item->data;
  if (mask & MIIM_FTYPE) info->fType = item->flags & kTypeBits;
  if (mask & MIIM_STRING) {
    if (info->dwTypeData && info->cch > 0) {
      UINT n = std::min(UINT(item->text.size()), info->cch - 1);
      std::copy_n(item->text.data(), n, info->dwTypeData);
      info->dwTypeData[n] = '\0';
      info->cch = n;
    } else {
      info->cch = UINT(item->text.size());
    }
  }
  if (mask & MIIM_TYPE) {
    info->fType = item->flags & kTypeBits;
    if (item->flags & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_BITMAP)) {
      info->cch = 0;
    } else if (info->dwTypeData && info->cch > 0) {
      UINT n = std::min(UINT(item->text.size()), info->cch - 1);
      std::copy_n(item->text.data(), n, info->dwTypeData);
      info->dwTypeData[n] = '\0';
      info->cch = n;
    } else {
      info->cch = UINT(item->text.size());
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU h, UINT position, BOOL by_position, LPCMENUITEMINFO info) {
  Item* item = info && info->cbSize == sizeof(MENUITEMINFO)
                   ? find_item(h, position, by_position ? MF_BYPOSITION : MF_BYCOMMAND)
                   : nullptr;
  if (!item) return FALSE;
  UINT mask = info->fMask;
  if (mask & MIIM_TYPE) {
    item->flags = (item->flags & ~kTypeBits) | (info->fType & kTypeBits);
    bool string = !(info->fType & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_BITMAP));
    item->text = string && info->dwTypeData ? std::string(info->dwTypeData) : std::string();
  }
  if (mask & MIIM_FTYPE) item->flags = (item->flags & ~kTypeBits) | (info->fType & kTypeBits);
  if (mask & MIIM_STRING) item->text = info->dwTypeData ? std::string(info->dwTypeData) : std::string();
  if (mask & MIIM_STATE) item->flags = (item->flags & ~kStateBits) | (info->fState & kStateBits);
  if (mask & MIIM_SUBMENU) {
    item->popup = IsMenu(info->hSubMenu) ? info->hSubMenu : nullptr;
    item->flags = item->popup ? (item->flags | MF_POPUP) : (item->flags & ~MF_POPUP);
  }
  if ((mask & MIIM_ID) && !item->popup) item->id = info->wID;
  if (mask & MIIM_CHECKMARKS) {
    item->checked = info->hbmpChecked;
    item->unchecked = info->hbmpUnchecked;
  }
  if (mask & MIIM_DATA) item->data = info->dwItemData;
  return TRUE;
}

BOOL TrackPopupMenu(HMENU h, UINT flags, int x, int y, int, HWND owner, const RECT* exclude) {
  if (!find(h) || !IsWindow(owner)) return FALSE;
  framework::MenuTrackStart start;
  start.owner = owner;
  start.menu = h;
  start.at = POINT{x, y};
  start.flags = flags;
  if (exclude) start.exclude = *exclude;
  UINT chosen = framework::track_menus(start).command;
  if (flags & TPM_RETURNCMD) return BOOL(chosen);
  if (chosen && IsWindow(owner)) {
    PostMessage(owner, framework::is_system_menu(h) ? WM_SYSCOMMAND : WM_COMMAND, chosen, 0);
  }
  return chosen != 0;
}

BOOL TrackPopupMenuEx(HMENU h, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
  if (params && params->cbSize != sizeof(TPMPARAMS)) return FALSE;
  return TrackPopupMenu(h, flags, x, y, 0, owner, params ? &params->rcExclude : nullptr);
}

HMENU GetSystemMenu(HWND h, BOOL revert) {
  auto& menus = table().system_menus;
  // The copies of windows that are gone go with them.
  for (auto it = menus.begin(); it != menus.end();) {
    if (IsWindow(it->first) && (!revert || it->first != h)) {
      ++it;
      continue;
    }
    DestroyMenu(it->second);
    it = menus.erase(it);
  }
  if (revert || !IsWindow(h)) return nullptr;
  if (auto it = menus.find(h); it != menus.end() && IsMenu(it->second)) return it->second;
  DWORD style = DWORD(GetWindowLong(h, GWL_STYLE));
  HMENU menu = CreatePopupMenu();
  find(menu)->system = true;
  AppendMenu(menu, MF_STRING, SC_RESTORE, "&Przywr\xF3\xE6");
  AppendMenu(menu, MF_STRING, SC_MOVE, "Prz&enie\x9C");
  if (style & WS_THICKFRAME) AppendMenu(menu, MF_STRING, SC_SIZE, "&Rozmiar");
  if (style & WS_MINIMIZEBOX) AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimalizuj");
  if (style & WS_MAXIMIZEBOX) AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ksymalizuj");
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenu(menu, MF_STRING, SC_CLOSE, "&Zamknij\tAlt+F4");
  SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
  menus[h] = menu;
  return menu;
}

BOOL DrawMenuBar(HWND h) {
  if (!IsWindow(h)) return FALSE;
  // The bar may have come, gone or changed width: the frame computes its client area again.
  return SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

namespace framework {

void set_menu_chooser(MenuChooser c) { chooser() = std::move(c); }

const MenuChooser& menu_chooser() { return chooser(); }

bool is_system_menu(HMENU h) {
  Menu* m = find(h);
  return m && m->system;
}

uint8_t menu_text_mnemonic(const std::string& text) {
  for (size_t k = 0; k + 1 < text.size(); ++k) {
    if (text[k] != '&') continue;
    if (text[k + 1] == '&') {
      ++k;
      continue;
    }
    return base::cp1250::to_lower(uint8_t(text[k + 1]));
  }
  return 0;
}

std::string menu_plain_text(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

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
  if (owned_) {
    ::DestroyMenu(m_hMenu);
  } else if (Menu* m = find(m_hMenu); m && m->attached == this) {
    m->attached = nullptr;
  }
}

CMenu* CMenu::FromHandlePermanent(HMENU h) {
  Menu* m = find(h);
  return m ? m->attached : nullptr;
}

CMenu* CMenu::FromHandle(HMENU h) {
  Menu* m = find(h);
  if (!m) return nullptr;
  if (m->attached) return m->attached;
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
  if (Menu* m = find(h); m && !m->attached) m->attached = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  if (Menu* m = find(h); m && m->attached == this) m->attached = nullptr;
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
int CMenu::GetMenuString(UINT id, LPTSTR buffer, int size, UINT f) const {
  return ::GetMenuString(m_hMenu, id, buffer, size, f);
}
BOOL CMenu::GetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL by_pos) {
  return ::GetMenuItemInfo(m_hMenu, item, by_pos, info);
}
BOOL CMenu::SetMenuItemInfo(UINT item, LPMENUITEMINFO info, BOOL by_pos) {
  return ::SetMenuItemInfo(m_hMenu, item, by_pos, info);
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
  Item* item = position < 0 ? nullptr : find_item(h, UINT(position), MF_BYPOSITION);
  if (!item) return SIZE{0, 0};
  MEASUREITEMSTRUCT m{ODT_MENU, 0, item->id, 0, 0, item->data};
  if (!SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m))) {
    if (CMenu* menu = CMenu::FromHandlePermanent(h)) menu->MeasureItem(&m);
  }
  return SIZE{LONG(m.itemWidth), LONG(m.itemHeight)};
}

void draw_menu_item(HWND owner, HMENU h, int position, HDC dc, const RECT& rect, UINT state, UINT action) {
  Item* item = position < 0 ? nullptr : find_item(h, UINT(position), MF_BYPOSITION);
  if (!item) return;
  // A grayed item cannot be chosen either, so it is disabled as well.
  UINT item_state = state | ((item->flags & MF_CHECKED) ? ODS_CHECKED : 0) |
                    ((item->flags & MF_GRAYED) ? ODS_GRAYED | ODS_DISABLED : 0) |
                    ((item->flags & MF_DISABLED) ? ODS_DISABLED : 0) |
                    ((item->flags & MF_DEFAULT) ? ODS_DEFAULT : 0);
  DRAWITEMSTRUCT d{ODT_MENU, 0, item->id, action, item_state, reinterpret_cast<HWND>(h), dc, rect, item->data};
  if (!SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d))) {
    if (CMenu* menu = CMenu::FromHandlePermanent(h)) menu->DrawItem(&d);
  }
}
