#include "engine/adt/packed_integers.h"

namespace adt {
namespace {

// Reads the first byte without consuming it: it tells whether the short or the long form follows.
bool is_long_form(base::ByteReader& in) {
  if (in.remaining() == 0) {
    in.skip(1);  // marks the reader failed
    return false;
  }
  return in.data()[in.pos()] & 1;
}

}  // namespace

bool ReadPackedLong(base::ByteReader& in, int32_t& value) {
  value = 0;
  if (is_long_form(in)) {
    uint32_t word;
    if (!in.u32(word)) return false;
    value = int32_t((word >> 1) - 0x40000000u);
  } else {
    uint16_t word;
    if (!in.u16(word)) return false;
    value = int32_t(word >> 1) - 0x4000;
  }
  return in.ok();
}

bool ReadPackedShort(base::ByteReader& in, int16_t& value) {
  value = 0;
  if (is_long_form(in)) {
    uint16_t word;
    if (!in.u16(word)) return false;
    value = int16_t(int32_t(word >> 1) - 0x4000);
  } else {
    uint8_t byte;
    if (!in.u8(byte)) return false;
    value = int16_t(int32_t(byte >> 1) - 64);
  }
  return in.ok();
}

bool ReadPackedUShort(base::ByteReader& in, uint16_t& value) {
  value = 0;
  if (is_long_form(in)) {
    uint16_t word;
    if (!in.u16(word)) return false;
    value = uint16_t(word >> 1);
  } else {
    uint8_t byte;
    if (!in.u8(byte)) return false;
    value = uint16_t(byte >> 1);
  }
  return in.ok();
}

void WritePackedLong(base::ByteWriter& out, int32_t value) {
  if (value >= -0x4000 && value <= 0x3FFF)
    out.u16(uint16_t(2 * (value + 0x4000)));
  else
    out.u32(2u * uint32_t(value) + 0x80000001u);
}

void WritePackedShort(base::ByteWriter& out, int16_t value) {
  if (value >= -64 && value <= 63)
    out.u8(uint8_t(2 * (value + 64)));
  else
    out.u16(uint16_t(2u * uint16_t(value) + 0x8001u));
}

void WritePackedUShort(base::ByteWriter& out, uint16_t value) {
  if (value <= 127)
    out.u8(uint8_t(2 * value));
  else
    out.u16(uint16_t(2u * value + 1u));
}

}  // namespace adt
