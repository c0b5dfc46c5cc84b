// Reads a shortcuts file from untrusted bytes; what it accepts must write back to the same bytes.
#include <cstdlib>

#include "toolkit/widgets/key_binding_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<SECKeyBindingEntry> entries;
  if (!keybinding_file::decode({data, size}, entries)) return 0;
  const std::vector<uint8_t> again = keybinding_file::encode(entries);
  std::vector<SECKeyBindingEntry> back;
  if (!keybinding_file::decode(again, back) || back.size() != entries.size()) std::abort();
  for (size_t i = 0; i < back.size(); ++i) {
    if (!(back[i] == entries[i])) std::abort();
  }
  return 0;
}
