// Reads registry store files from untrusted bytes; a file that reads back is then walked and
// written again, which must give the same bytes.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"

namespace {

void walk(base::RegistryStore& s, base::HKEY key, int depth) {
  base::RegKeyInfo info;
  if (s.query_info(key, info) != base::ERROR_SUCCESS || depth > 600) std::abort();
  std::string name;
  uint8_t data[64];
  for (uint32_t i = 0; i < info.values; ++i) {
    uint32_t size = sizeof data, type = 0;
    base::RegResult r = s.enum_value(key, i, name, &type, data, &size);
    if (r != base::ERROR_SUCCESS && r != base::ERROR_MORE_DATA) std::abort();
  }
  for (uint32_t i = 0; i < info.sub_keys; ++i) {
    base::HKEY sub;
    if (s.enum_key(key, i, name) != base::ERROR_SUCCESS || s.open_key(key, name, sub) != base::ERROR_SUCCESS)
      std::abort();
    walk(s, sub, depth + 1);
    s.close_key(sub);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Never loaded from or saved to this path: decode only.
  static base::RegistryStore store(base::temp_folder() + "/fuzz-registry-unused.dat");
  // The bytes as they are, and again with a matching checksum so that damage beyond the
  // checksum reaches the reader.
  if (!store.decode({data, size})) {
    std::vector<uint8_t> sealed(data, data + size);
    uint32_t sum = base::RegistryStore::checksum(sealed);
    for (int i = 0; i < 4; ++i) sealed.push_back(uint8_t(sum >> (8 * i)));
    if (!store.decode(sealed)) return 0;
  }
  walk(store, base::HKEY_LOCAL_MACHINE, 0);
  walk(store, base::HKEY_CURRENT_USER, 0);
  std::vector<uint8_t> again = store.encode();
  base::RegistryStore copy(base::temp_folder() + "/fuzz-registry-unused2.dat");
  if (!copy.decode(again) || copy.encode() != again) std::abort();
  return 0;
}
