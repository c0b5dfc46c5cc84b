// Writing B-trees: creating, inserting, updating and deleting entries, destroying and abandoning trees.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "engine/mvfs/btree.h"

namespace mvfs {

struct BtCreateParams {
  TitleFileSystem* fs = nullptr;
  uint16_t pageSize = 0;    // 0 means 1024
  uint16_t flags = 0;       // kFsOpenAligned places the pages on 2048-byte boundaries
  std::string format;       // empty means "z4"; key types 'L', 'P', 'S', 'i', 'z'
  const BtCharMaps* charMaps = nullptr;
};

BtreePtr BtCreate(const char* name, const BtCreateParams& params);
// 0, 2 when the key is present, 1 when key and record exceed half a page or the tree is full.
// `record` must be exactly one record of the tree's format.
FsErrorCode BtInsert(BtreeHandle* tree, const void* key, std::span<const uint8_t> record);
FsErrorCode BtUpdate(BtreeHandle* tree, const void* key, std::span<const uint8_t> record);
FsErrorCode BtDelete(BtreeHandle* tree, const void* key);
FsErrorCode BtDestroy(const char* name, TitleFileSystem* fs);
// Drops the page cache and the written contents of the tree's file.
FsErrorCode BtAbandon(BtreePtr tree);

}  // namespace mvfs
