// The keyboard shortcuts file (".MAC"): the user's key bindings in the framework archive's form.
//
// Bytes (little-endian):
//   4  magic, the letters "MACR" (0x5243414D)
//   2  version, 1
//   count: WORD n when n < 0xFFFF; else WORD 0xFFFF, DWORD n
//   n entries of 6 bytes, as the platform lays out an accelerator entry:
//      1 flags (FVIRTKEY 0x01, FNOINVERT 0x02, FSHIFT 0x04, FCONTROL 0x08, FALT 0x10)
//      1 filler (0)
//      2 key: a virtual-key code, or a character when FVIRTKEY is absent
//      2 command id
// A file is read only when it holds exactly what its count announces.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct SECKeyBindingEntry {
  uint8_t fVirt = 0;
  uint16_t key = 0;
  uint16_t cmd = 0;
  bool operator==(const SECKeyBindingEntry&) const = default;
};

namespace keybinding_file {

inline constexpr uint32_t kMagic = 0x5243414D;  // "MACR"
inline constexpr uint16_t kVersion = 1;
inline constexpr size_t kEntrySize = 6;

std::vector<uint8_t> encode(std::span<const SECKeyBindingEntry> entries);
// False for a wrong magic or version, a short file, or a count that does not match the length.
bool decode(std::span<const uint8_t> bytes, std::vector<SECKeyBindingEntry>& out);

}  // namespace keybinding_file
