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
  std::vector<std::string> duplicates;
};

Store& store() {
  static Store s;
  return s;
}

const char* keep_text(const char* utf8) {
  if (!utf8) return nullptr;
  return store().texts.emplace_back(base::cp1250::from_utf8(utf8)).c_str();
}

// Notes a resource that lost to an earlier one of the same kind and id.
void note_duplicate(const char* kind, UINT id) {
  store().duplicates.push_back(std::string(kind) + " " + std::to_string(id));
}

const char* binary_kind_name(BinaryKind kind) {
  switch (kind) {
    case BinaryKind::bitmap: return "bitmap";
    case BinaryKind::icon: return "icon";
    case BinaryKind::cursor: return "cursor";
    case BinaryKind::sound: return "sound";
    case BinaryKind::data: return "data";
  }
  return "binary";
}

}  // namespace

std::vector<std::string> duplicate_resources() { return store().duplicates; }

void add_strings(std::span<const StringResource> strings) {
  for (const StringResource& s : strings) {
    if (s.utf8 && !store().strings.emplace(s.id, base::cp1250::from_utf8(s.utf8)).second) {
      note_duplicate("string", s.id);
    }
  }
}

void add_menu(UINT id, std::span<const MenuItemResource> items) {
  if (store().menus.count(id)) return note_duplicate("menu", id);
  OwnedMenu menu;
  for (MenuItemResource item : items) {
    item.utf8 = keep_text(item.utf8);
    menu.items.push_back(item);
  }
  store().menus.emplace(id, std::move(menu));
}

void add_accelerators(UINT id, std::span<const AcceleratorResource> table) {
  if (!store().accelerators.emplace(id, table).second) note_duplicate("accelerators", id);
}

void add_dialog(const DialogResource& dialog) {
  if (store().dialogs.count(dialog.id)) return note_duplicate("dialog", dialog.id);
  OwnedDialog& owned = store().dialogs[dialog.id];
  owned.dialog = dialog;
  owned.dialog.utf8_caption = keep_text(dialog.utf8_caption);
  for (DialogControlResource control : dialog.controls) {
    control.utf8 = keep_text(control.utf8);
    if (control.help_id == 0) control.help_id = dialog_control_help_id(dialog.id, control.id);
    owned.controls.push_back(control);
  }
  owned.dialog.controls = owned.controls;
}

void add_toolbar(const ToolBarResource& toolbar) {
  if (!store().toolbars.emplace(toolbar.id, toolbar).second) note_duplicate("toolbar", toolbar.id);
}

void add_cursor(const CursorResource& cursor) {
  if (!store().cursors.emplace(cursor.id, cursor).second) note_duplicate("cursor", cursor.id);
}

const CursorResource* find_cursor(UINT id) {
  auto it = store().cursors.find(id);
  return it == store().cursors.end() ? nullptr : &it->second;
}

void add_binary(const BinaryResource& r) {
  if (r.name) {
    std::string name = base::cp1250::to_upper(r.name);
    if (!store().by_name.emplace(std::pair(r.kind, name), r.bytes).second) {
      store().duplicates.push_back(std::string(binary_kind_name(r.kind)) + " " + name);
    }
  } else if (!store().by_id.emplace(std::pair(r.kind, r.id), r.bytes).second) {
    note_duplicate(binary_kind_name(r.kind), r.id);
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

void AfxFormatString2(CString& out, UINT id, LPCTSTR s1, LPCTSTR s2) {
  CString pattern;
  if (!AfxLoadString(id, pattern)) {
    out.Empty();
    return;
  }
  // One pass, so a placeholder inside a replacement stays as it is.
  std::string text;
  const std::string& p = pattern.str();
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '%' && i + 1 < p.size() && (p[i + 1] == '1' || p[i + 1] == '2')) {
      LPCTSTR arg = p[i + 1] == '1' ? s1 : s2;
      text += arg ? arg : "";
      ++i;
    } else {
      text += p[i];
    }
  }
  out = CString(std::move(text));
}

void AfxFormatString1(CString& out, UINT id, LPCTSTR s1) { AfxFormatString2(out, id, s1, nullptr); }
