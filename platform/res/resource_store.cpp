#include "platform/res/resource_store.h"

#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/res/system_bitmaps.h"

namespace res {
namespace {

// A menu or dialog whose texts were converted: the records point into `texts`, which never
// moves its strings (a deque of strings keeps their addresses).
struct OwnedMenu {
  std::vector<MenuItemResource> items;
};

struct OwnedDialog {
  DialogResource dialog;
  std::vector<DialogControlResource> controls;
};

struct Store {
  std::map<UINT, std::string> strings;
  std::map<UINT, OwnedMenu> menus;
  std::map<UINT, std::span<const AcceleratorResource>> accelerators;
  std::map<UINT, OwnedDialog> dialogs;
  std::map<UINT, ToolBarResource> toolbars;
  std::map<UINT, CursorResource> cursors;
  std::map<std::pair<BinaryKind, UINT>, std::span<const uint8_t>> by_id;
  std::map<std::pair<BinaryKind, std::string>, std::span<const uint8_t>> by_name;
  std::deque<std::string> texts;
};

Store& store() {
  static Store s;
  return s;
}

const char* keep_text(const char* utf8) {
  if (!utf8) return nullptr;
  return store().texts.emplace_back(base::cp1250::from_utf8(utf8)).c_str();
}

}  // namespace

void add_strings(std::span<const StringResource> strings) {
  for (const StringResource& s : strings) {
    if (s.utf8) store().strings.emplace(s.id, base::cp1250::from_utf8(s.utf8));
  }
}

void add_menu(UINT id, std::span<const MenuItemResource> items) {
  if (store().menus.count(id)) return;
  OwnedMenu menu;
  for (MenuItemResource item : items) {
    item.utf8 = keep_text(item.utf8);
    menu.items.push_back(item);
  }
  store().menus.emplace(id, std::move(menu));
}

void add_accelerators(UINT id, std::span<const AcceleratorResource> table) {
  store().accelerators.emplace(id, table);
}

void add_dialog(const DialogResource& dialog) {
  if (store().dialogs.count(dialog.id)) return;
  OwnedDialog& owned = store().dialogs[dialog.id];
  owned.dialog = dialog;
  owned.dialog.utf8_caption = keep_text(dialog.utf8_caption);
  for (DialogControlResource control : dialog.controls) {
    control.utf8 = keep_text(control.utf8);
    owned.controls.push_back(control);
  }
  owned.dialog.controls = owned.controls;
}

void add_toolbar(const ToolBarResource& toolbar) { store().toolbars.emplace(toolbar.id, toolbar); }

void add_cursor(const CursorResource& cursor) { store().cursors.emplace(cursor.id, cursor); }

const CursorResource* find_cursor(UINT id) {
  auto it = store().cursors.find(id);
  return it == store().cursors.end() ? nullptr : &it->second;
}

void add_binary(const BinaryResource& r) {
  if (r.name) {
    store().by_name.emplace(std::pair(r.kind, base::cp1250::to_upper(r.name)), r.bytes);
  } else {
    store().by_id.emplace(std::pair(r.kind, r.id), r.bytes);
  }
}

const std::string* find_string(UINT id) {
  auto it = store().strings.find(id);
  return it == store().strings.end() ? nullptr : &it->second;
}

std::span<const MenuItemResource> find_menu(UINT id) {
  auto it = store().menus.find(id);
  if (it == store().menus.end()) return {};
  return it->second.items;
}

std::span<const AcceleratorResource> find_accelerators(UINT id) {
  auto it = store().accelerators.find(id);
  return it == store().accelerators.end() ? std::span<const AcceleratorResource>{} : it->second;
}

const DialogResource* find_dialog(UINT id) {
  auto it = store().dialogs.find(id);
  return it == store().dialogs.end() ? nullptr : &it->second.dialog;
}

const ToolBarResource* find_toolbar(UINT id) {
  auto it = store().toolbars.find(id);
  return it == store().toolbars.end() ? nullptr : &it->second;
}

std::span<const uint8_t> find_binary(BinaryKind kind, UINT id) {
  auto it = store().by_id.find(std::pair(kind, id));
  if (it != store().by_id.end()) return it->second;
  return kind == BinaryKind::bitmap ? system_bitmap(id) : std::span<const uint8_t>{};
}

std::span<const uint8_t> find_binary(BinaryKind kind, const char* name) {
  if (!name) return {};
  auto it = store().by_name.find(std::pair(kind, base::cp1250::to_upper(name)));
  return it == store().by_name.end() ? std::span<const uint8_t>{} : it->second;
}

}  // namespace res

int LoadString(HINSTANCE, UINT id, char* buffer, int size) {
  const std::string* text = res::find_string(id);
  if (!text || !buffer || size <= 0) return 0;
  size_t n = std::min(text->size(), size_t(size) - 1);
  std::memcpy(buffer, text->data(), n);
  buffer[n] = '\0';
  return int(n);
}

BOOL AfxLoadString(UINT id, CString& out) {
  const std::string* text = res::find_string(id);
  if (!text) return FALSE;
  out = CString(*text);
  return TRUE;
}
