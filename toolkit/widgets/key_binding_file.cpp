#include "toolkit/widgets/key_binding_file.h"

#include "platform/base/archive.h"

namespace keybinding_file {

std::vector<uint8_t> encode(std::span<const SECKeyBindingEntry> entries) {
  CArchive ar;
  ar << kMagic << kVersion;
  ar.WriteCount(static_cast<uint32_t>(entries.size()));
  for (const SECKeyBindingEntry& e : entries) {
    ar << e.fVirt << uint8_t{0} << e.key << e.cmd;
  }
  return ar.TakeBytes();
}

bool decode(std::span<const uint8_t> bytes, std::vector<SECKeyBindingEntry>& out) {
  try {
    CArchive ar(bytes);
    uint32_t magic = 0;
    uint16_t version = 0;
    ar >> magic >> version;
    if (magic != kMagic || version != kVersion) return false;
    const uint32_t count = ar.ReadCount();
    if (ar.Remaining() != uint64_t{count} * kEntrySize) return false;
    std::vector<SECKeyBindingEntry> entries(count);
    for (SECKeyBindingEntry& e : entries) {
      uint8_t filler = 0;
      ar >> e.fVirt >> filler >> e.key >> e.cmd;
    }
    out = std::move(entries);
    return true;
  } catch (const CArchiveException&) {
    return false;
  }
}

}  // namespace keybinding_file
