// Hotspot targets decoded from title bytes: a text hotspot's command inside its record and a picture
// hotspot's data word pointing into the hotspot table's extra bytes.
//
// Input: byte 0 picks the command byte of a picture hotspot, bytes 1-4 its data word, byte 5 the
// offset of the text command and byte 6 the caller's buffer size; the rest serves as both the record
// and the extra bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/frame/hotspots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return 0;
  std::span<const uint8_t> bytes(data + 7, size - 7);
  uint32_t word = uint32_t(data[1]) | uint32_t(data[2]) << 8 | uint32_t(data[3]) << 16 | uint32_t(data[4]) << 24;
  std::vector<uint8_t> buffer(data[6]);
  medview::HotspotTarget target;
  target.buffer = buffer.data();
  target.bufferSize = int32_t(buffer.size());
  frame::FrDecodeTextHotspot(bytes, data[5], target);
  if (target.dataLength < 0 || (target.dataLength > 0 && size_t(target.dataLength) > bytes.size())) __builtin_trap();
  frame::FrDecodePictureHotspot(data[0], word % 512, bytes, target);
  if (target.dataLength < 0 || (target.dataLength > 0 && size_t(target.dataLength) > bytes.size())) __builtin_trap();
  return 0;
}
