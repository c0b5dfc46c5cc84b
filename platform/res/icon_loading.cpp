#include "platform/res/icon_loading.h"

#include <cstdint>

#include "platform/res/resource_store.h"

namespace res {

HICON load_icon(const char* name, int cx, int cy) {
  // Names below 0x10000 are ids, as MAKEINTRESOURCE makes them.
  auto id = reinterpret_cast<std::uintptr_t>(name);
  std::span<const uint8_t> bytes =
      (id >> 16) == 0 ? find_binary(BinaryKind::icon, UINT(id)) : find_binary(BinaryKind::icon, name);
  return bytes.empty() ? nullptr : gdi::create_icon(bytes, cx, cy);
}

}  // namespace res

HICON LoadIcon(HINSTANCE, const char* name) { return res::load_icon(name, 0, 0); }
