// Ordinal maps: the first ordinal of each leaf, turning entry numbers into positions and back.
//
// Stored form (an internal file): {u16 number of entries n}, then n entries of 6 bytes
// {i32 ordinal of the first entry of a leaf, u16 leaf page}, in leaf-chain order.
#include "engine/mvfs/btree.h"

#include <algorithm>

#include "platform/base/byte_io.h"

namespace mvfs {
BtMapPtr BtMapOpen(TitleFileSystem* fs, const char* mapName) {
  InternalFilePtr file = FsOpenFile(fs, mapName, kFsOpenReadOnly);
  if (!file) return nullptr;
  const int64_t size = FsGetFileSize(file.get());
  // A count of 65,535 entries of 6 bytes bounds the file that is read.
  constexpr int64_t kLargest = 2 + 6 * 65535;
  std::vector<uint8_t> bytes(size_t(std::min(size, kLargest)));
  if (FsReadFile(file.get(), bytes.data(), int64_t(bytes.size())) != int64_t(bytes.size())) {
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  base::ByteReader r(bytes.data(), bytes.size());
  const uint16_t count = r.u16();
  auto map = std::make_unique<BtMap>();
  map->entries.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    BtMapEntry entry;
    entry.firstOrdinal = r.i32();
    entry.page = int16_t(r.u16());
    if (!r.ok()) break;
    map->entries.push_back(entry);
  }
  if (!r.ok()) {
    FS_SET_ERROR(kFsBadFormat);
    return nullptr;
  }
  FS_SET_ERROR(kFsOk);
  return map;
}

void BtMapClose(BtMapPtr) {}

FsErrorCode BtMapPositionToOrdinal(BtreeHandle* tree, const BtMap* map, int32_t* ordinal, const void* key) {
  if (!map) return FS_SET_ERROR(kFsNoMapHandle);
  if (!tree || !ordinal || !key) return FS_SET_ERROR(kFsBadArgument);
  BtPosition position;
  BtLookup(tree, key, &position, nullptr, false);
  for (const BtMapEntry& entry : map->entries) {
    if (entry.page == position.page && position.page >= 0) {
      *ordinal = entry.firstOrdinal + position.index;
      return FS_SET_ERROR(kFsOk);
    }
  }
  return FS_SET_ERROR(kFsFailure);
}

FsErrorCode BtMapOrdinalToKey(BtreeHandle* tree, const BtMap* map, std::vector<uint8_t>* key, int32_t ordinal) {
  if (!map) return FS_SET_ERROR(kFsNoMapHandle);
  if (!tree) return FS_SET_ERROR(kFsBadArgument);
  if (map->entries.empty() || ordinal < 0) return FS_SET_ERROR(kFsFailure);
  size_t i = 0;
  while (i + 1 < map->entries.size() && map->entries[i + 1].firstOrdinal < ordinal) ++i;
  const BtMapEntry& entry = map->entries[i];
  if (ordinal < entry.firstOrdinal) return FS_SET_ERROR(kFsFailure);
  BtPosition start{entry.page, 0, 4};
  BtPosition found;
  int32_t moved = 0;
  if (BtMovePosition(tree, start, ordinal - entry.firstOrdinal, &moved, &found)) return FS_SET_ERROR(kFsNotFound);
  return BtGetAt(tree, found, key, nullptr);
}

}  // namespace mvfs
