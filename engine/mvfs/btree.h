// Reading B-trees stored in internal files: open, lookup, first and last entry, access by position,
// moving a position, ordinal maps and whole-tree images.
//
// Keys passed in are in their stored form: a NUL-terminated string for the string key types ('z', 'i',
// 'S', 'P'), 4 bytes of a little-endian signed 32-bit value for 'L'. Keys and records handed out are the
// stored bytes (string keys with their NUL), copied into vectors sized to them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/mvfs/title_file_system.h"

namespace mvfs {

struct BtreeHandle;
struct BtreeCloser {
  void operator()(BtreeHandle* tree) const;
};
using BtreePtr = std::unique_ptr<BtreeHandle, BtreeCloser>;

// The place of one entry: leaf page (-1 none), index in the page, byte offset from byte 4 of the page.
struct BtPosition {
  int16_t page = -1;
  int32_t index = 0;
  int32_t offset = 0;
  bool operator==(const BtPosition&) const = default;
};

// One face's character map as the collations of 'i' and 'P' keys read it: the sort weight of each
// byte (low 12 bits, 0 = ignored) and the ligatures {character, first, second replacement}.
struct BtCharMap {
  std::array<uint16_t, 256> weights{};
  std::vector<std::array<uint8_t, 3>> ligatures;
};
// The title's maps by face; a key's face switch n selects element n - 1. Owned by the caller.
using BtCharMaps = std::vector<BtCharMap>;

BtreePtr BtOpen(const char* name, TitleFileSystem* fs, uint16_t flags, const BtCharMaps* charMaps);
FsErrorCode BtClose(BtreePtr tree);
// Writes back changed pages and drops the page cache; the tree stays open.
FsErrorCode BtFlush(BtreeHandle* tree);
FsErrorCode BtGetInfo(const BtreeHandle* tree, std::string* format, int32_t* entryCount,
                      int32_t* pageSize);

// 0 found, 3 not found. The position is the entry's, or the insertion point; outside insert mode a
// point past the end of its leaf moves to the next non-empty leaf (page -1 when there is none).
FsErrorCode BtLookup(BtreeHandle* tree, const void* key, BtPosition* position,
                     std::vector<uint8_t>* record, bool insertMode);
FsErrorCode BtFirst(BtreeHandle* tree, std::vector<uint8_t>* key, std::vector<uint8_t>* record,
                    BtPosition* position);
FsErrorCode BtLast(BtreeHandle* tree, std::vector<uint8_t>* key, std::vector<uint8_t>* record,
                   BtPosition* position);
FsErrorCode BtGetAt(BtreeHandle* tree, const BtPosition& position, std::vector<uint8_t>* key,
                    std::vector<uint8_t>* record);
// 0, or 3 when the move stopped at either end; `moved` is the signed number of entries moved.
FsErrorCode BtMovePosition(BtreeHandle* tree, const BtPosition& position, int32_t count,
                           int32_t* moved, BtPosition* newPosition);

// Ordinal map: the first ordinal of each leaf, in leaf-chain order.
struct BtMapEntry {
  int32_t firstOrdinal;
  int16_t page;
};
struct BtMap {
  std::vector<BtMapEntry> entries;
};
using BtMapPtr = std::unique_ptr<BtMap>;
BtMapPtr BtMapOpen(TitleFileSystem* fs, const char* mapName);
void BtMapClose(BtMapPtr map);
FsErrorCode BtMapPositionToOrdinal(BtreeHandle* tree, const BtMap* map, int32_t* ordinal,
                                   const void* key);
FsErrorCode BtMapOrdinalToKey(BtreeHandle* tree, const BtMap* map, std::vector<uint8_t>* key,
                              int32_t ordinal);

// A whole tree in one block: the 38-byte header followed by every page.
struct BtImage {
  std::vector<uint8_t> bytes;
};
using BtImagePtr = std::unique_ptr<BtImage>;
FsErrorCode BtSaveImage(BtreeHandle* tree, const FileMoniker* diskFile);
BtImagePtr BtLoadImage(const FileMoniker* diskFile);
void BtFreeImage(BtImagePtr image);

void BtSetCharMaps(BtreeHandle* tree, const BtCharMaps* charMaps);
const BtCharMaps* BtGetCharMaps(const BtreeHandle* tree);
void BtSetUserValue(BtreeHandle* tree, uint16_t value);
uint16_t BtGetUserValue(const BtreeHandle* tree);

}  // namespace mvfs
