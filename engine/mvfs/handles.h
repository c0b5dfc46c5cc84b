// The open handles of the title layer, shared by the container, internal-file and B-tree code.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/btree_format.h"
#include "engine/mvfs/btree_keys.h"
#include "engine/mvfs/container_format.h"
#include "engine/mvfs/title_file_system.h"
#include "platform/base/os_file.h"

namespace mvfs {

struct TitleFileSystem {
  ContainerHeader header;  // the flags byte carries the in-memory bits
  BtreePtr directory;
  base::OsFile os;         // closed until first use, and after a close by FsFlush
  FileMonikerPtr name;
  // Serialises directory lookups, every read and write on the OS file and the write-side operations;
  // recursive because a directory lookup reads the directory file.
  std::recursive_mutex lock;

  bool read_only() const { return header.flags & kContainerReadOnly; }
};

// Bits of an internal file's flags.
constexpr uint16_t kFileReadOnly = 2;
constexpr uint16_t kFileIsDirectory = 4;
constexpr uint16_t kFileInTemp = 8;      // the new contents live in the temporary file
constexpr uint16_t kFileNew = 16;        // created, never committed
constexpr uint16_t kFileAligned = 32;
constexpr uint16_t kFileNoWriteBack = 64;

struct InternalFileHandle {
  TitleFileSystem* fs = nullptr;
  int32_t offset = 0;      // of the 9-byte header in the container
  FileHeader header;       // allocated and used size as committed (used grows while writing)
  int64_t position = 0;
  uint16_t flags = 0;
  base::OsFile temp;       // the temporary disk file while written
  FileMonikerPtr tempName;
  std::string name;
  bool ended = false;      // closed or abandoned; the handle only waits to be freed
};

// One cached page per level.
struct PageSlot {
  int16_t page = -1;
  bool changed = false;
  std::vector<uint8_t> bytes;
  // Where each entry starts, and the end of the last one; made on first use, dropped on any change.
  std::vector<int32_t> starts;
  bool indexed = false;
  bool indexedAsLeaf = false;  // a damaged tree may reach one page as a leaf and as an internal page
};

struct BtreeHandle {
  BtreeHeader header;
  InternalFilePtr file;
  BtKeyType keyType;
  int32_t recordSize = 0;  // fixed record size, when fixedRecords
  bool fixedRecords = false;
  uint16_t userValue = 0;
  std::vector<PageSlot> cache;
  // A read-only tree of modest size keeps every page it has read, so that warm lookups do not go back
  // to the title file; pages never change under a read-only handle.
  std::vector<uint8_t> readPages;
  std::vector<bool> pageRead;
  std::vector<std::vector<int32_t>> readStarts;  // the entry starts of kept pages, once measured
  std::vector<bool> readStartsOfLeaf;
  bool headerChanged = false;

  bool read_only() const { return header.flags & kBtreeReadOnly; }
  bool is_leaf_level(int level) const { return level == header.levels - 1; }
};

}  // namespace mvfs
