// The packed header at the start of every topic record.
//
// Stored form:
//   type                          1 byte
//   types 2 and 0x21 (topic header):
//     length                      plain 32-bit
//     count                       plain 16-bit, type 0x21 only (type 2: count 0)
//   every other type:
//     length                      packed signed long
//     count                       packed unsigned short, only for types above 0x10 (else 0)
// The header is followed by `length` bytes of format data and then by `count` bytes of text, so the
// text starts at header size + length.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/base/byte_io.h"

namespace adt {

// Record types; each kind has a form up to 0x10 (no count) and a form above 0x10 (with count).
enum TopicRecordType : uint8_t {
  kRecordText = 1,
  kRecordTopicHeader = 2,
  kRecordPicture = 3,
  kRecordTable = 4,
  kRecordEmbedded = 5,
  kRecordTextCounted = 0x20,
  kRecordTopicHeaderCounted = 0x21,
  kRecordPictureCounted = 0x22,
  kRecordTableCounted = 0x23,
  kRecordEmbeddedCounted = 0x24,
};

inline bool IsTopicHeaderType(uint8_t type) {
  return type == kRecordTopicHeader || type == kRecordTopicHeaderCounted;
}

struct TopicRecordHeader {
  uint8_t type = 0;
  int32_t length = 0;  // bytes of format data after the header
  uint16_t count = 0;  // bytes of text after the format data
};

// The longest stored header.
inline constexpr size_t kMaxRecordHeaderSize = 7;

// Decodes the header from `size` stored bytes; returns the header's size in bytes (3 to 7), or 0 when
// the header runs past the input.
size_t DpDecodeRecordHeader(TopicRecordHeader& header, const uint8_t* stored, size_t size);
// Appends the stored form; returns the number of bytes written.
size_t DpEncodeRecordHeader(const TopicRecordHeader& header, base::ByteWriter& out);

}  // namespace adt
