// The stored layout of a B-tree, read and written only here.
//
// All integers are little-endian; page numbers are signed 16-bit, -1 for none.
//
// Header, at offset 0 of the tree's internal file (38 bytes):
//   0  u16  magic 0x293B
//   2  u8   version, 2
//   3  u8   flags: bit 1 read-only, bit 2 open (in memory), bit 3 header changed (in memory), bit 5
//           pages start on a 2048-byte boundary of the container
//   4  u16  page size in bytes
//   6  16 characters: the format string, NUL-terminated (byte 15 is taken as the end); character 0 is
//           the key type, the rest describe the record
//   22 i16  first leaf      24 i16  last leaf      26 i16  root
//   28 i16  head of the free-page chain            30 i16  number of pages
//   32 i16  number of levels, 0 for an empty tree (level 0 the root, levels-1 the leaves)
//   34 i32  number of entries
//
// Page n lies at 38 + n x page size. Internal page: {i16 free bytes, i16 key count, i16 first child},
// then {key, i16 child} per key; the child after a key holds the keys at or after it. Leaf page:
// {i16 free bytes, i16 entry count, i16 previous leaf, i16 next leaf}, then {key, record} in ascending
// order; the leaves form a doubly linked chain. A free page keeps the next free page in its first two
// bytes. Positions count an entry's byte offset from byte 4 of its leaf, so the first entry is at 4.
#pragma once

#include <cstdint>
#include <span>

#include "engine/mvfs/fs_error.h"

namespace mvfs {

constexpr uint16_t kBtreeMagic = 0x293B;
constexpr uint8_t kBtreeVersion = 2;
constexpr int32_t kBtreeHeaderSize = 38;
constexpr int32_t kBtreeFormatSize = 16;
constexpr int32_t kLeafHeaderSize = 8;
constexpr int32_t kInternalHeaderSize = 6;
constexpr int32_t kPositionBase = 4;  // positions count from this byte of the page
constexpr uint16_t kDefaultPageSize = 1024;
// The smallest page that holds a leaf header and a few entries.
constexpr uint16_t kMinPageSize = 32;
// Page numbers are signed 16-bit.
constexpr int32_t kMaxPages = 32767;
// A tree of pages that hold at least two keys each never needs more levels than this.
constexpr int16_t kMaxLevels = 16;

constexpr uint8_t kBtreeReadOnly = 2;
constexpr uint8_t kBtreeOpen = 4;
constexpr uint8_t kBtreeChanged = 8;
constexpr uint8_t kBtreeAligned = 32;

struct BtreeHeader {
  uint16_t magic = kBtreeMagic;
  uint8_t version = kBtreeVersion;
  uint8_t flags = 0;
  uint16_t pageSize = kDefaultPageSize;
  char format[kBtreeFormatSize] = {'z', '4'};
  int16_t firstLeaf = -1;
  int16_t lastLeaf = -1;
  int16_t root = -1;
  int16_t freePage = -1;
  int16_t pageCount = 0;
  int16_t levels = 0;
  int32_t entryCount = 0;
};

// Reads the header; byte 15 of the format is forced to 0.
BtreeHeader ReadBtreeHeader(std::span<const uint8_t, kBtreeHeaderSize> bytes);
// Writes the header with the in-memory flag bits 2 and 3 cleared.
void WriteBtreeHeader(const BtreeHeader& header, std::span<uint8_t, kBtreeHeaderSize> out);
// 0 for a header of this format and version, 4 for another magic, 10 for another version.
FsErrorCode CheckBtreeIdentity(const BtreeHeader& header);

// The fields at the start of a page.
struct PageHead {
  int16_t freeBytes = 0;
  int16_t count = 0;
  int16_t link1 = -1;  // leaf: previous leaf; internal page: first child
  int16_t link2 = -1;  // leaf: next leaf
};
PageHead ReadPageHead(std::span<const uint8_t> page);
void WritePageHead(const PageHead& head, std::span<uint8_t> page, bool leaf);

}  // namespace mvfs
