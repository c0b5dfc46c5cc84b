#include "platform/res/resource_handles.h"

#include <deque>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/res/resource_store.h"

namespace {

bool is_id(const char* p) { return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0; }
UINT id_of(const char* p) { return UINT(reinterpret_cast<std::uintptr_t>(p)); }

// A found resource; its address is the handle FindResource and LoadResource give. It holds its
// own copy of the bytes, so a caller that writes into a locked resource (as the DIB loader does)
// changes neither the store nor read-only memory.
struct Found {
  std::vector<uint8_t> bytes;
};

struct Table {
  std::deque<Found> found;               // stable addresses
  std::map<std::string, Found*> by_key;  // one handle per resource
};

Table& table() {
  static Table t;
  return t;
}

std::string key_part(const char* p) {
  if (!is_id(p)) return base::cp1250::to_upper(p);
  std::string key(1, '#');
  key += std::to_string(id_of(p));
  return key;
}

std::span<const uint8_t> binary(res::BinaryKind kind, const char* name) {
  return is_id(name) ? res::find_binary(kind, id_of(name)) : res::find_binary(kind, name);
}

std::vector<uint8_t> toolbar_bytes(const res::ToolBarResource& strip) {
  std::vector<uint8_t> bytes;
  base::ByteWriter out(bytes);
  out.u16(1);
  out.u16(uint16_t(strip.button_width));
  out.u16(uint16_t(strip.button_height));
  out.u16(uint16_t(strip.commands.size()));
  for (UINT command : strip.commands) out.u16(uint16_t(command));
  return bytes;
}

std::vector<uint8_t> copy(std::span<const uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

// The resource's bytes; empty when there is none.
std::vector<uint8_t> look_up(const char* name, const char* type) {
  if (!is_id(type)) {
    bool sound = base::cp1250::to_upper(type) == "WAVE";
    return copy(binary(sound ? res::BinaryKind::sound : res::BinaryKind::data, name));
  }
  switch (id_of(type)) {
    case 2: return copy(binary(res::BinaryKind::bitmap, name));
    case 10: return copy(binary(res::BinaryKind::data, name));
    case 241: {
      const res::ToolBarResource* strip = is_id(name) ? res::find_toolbar(id_of(name)) : nullptr;
      return strip ? toolbar_bytes(*strip) : std::vector<uint8_t>{};
    }
    default: return {};
  }
}

Found* found_of(const void* handle) {
  for (Found& f : table().found) {
    if (&f == handle) return &f;
  }
  return nullptr;
}

}  // namespace

HRSRC FindResource(HMODULE, const char* name, const char* type) {
  if (!name || !type) return nullptr;
  std::string key = key_part(type) + "/" + key_part(name);
  Table& t = table();
  if (auto it = t.by_key.find(key); it != t.by_key.end()) return reinterpret_cast<HRSRC>(it->second);
  std::vector<uint8_t> bytes = look_up(name, type);
  if (bytes.empty()) return nullptr;
  Found& kept = t.found.emplace_back(Found{std::move(bytes)});
  t.by_key.emplace(key, &kept);
  return reinterpret_cast<HRSRC>(&kept);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  const Found* f = found_of(resource);
  return f ? DWORD(f->bytes.size()) : 0;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  return found_of(resource) ? reinterpret_cast<HGLOBAL>(resource) : nullptr;
}

void* LockResource(HGLOBAL loaded) {
  Found* f = found_of(loaded);
  return f ? f->bytes.data() : nullptr;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }
