// An open full-text index: its header, its file and the cached root block.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/fts/common/fts_error.h"
#include "engine/fts/common/fts_file.h"
#include "engine/fts/index/index_format.h"

namespace fts {

using IndexBlock = std::array<uint8_t, kIndexBlockSize>;

struct FtsIndex {
  FtsIndexHeader header;
  FtsFilePtr wrapper;  // the title's file system (or a container opened by path)
  FtsFilePtr file;
  FtsPollCallback poll = nullptr;
  intptr_t pollValue = 0;
  FtsError* error = nullptr;  // where every failure of this index is reported
  std::unique_ptr<IndexBlock> root;
  uint32_t trailerSize = 12;

  ~FtsIndex();
};
using FtsIndexPtr = std::unique_ptr<FtsIndex>;

inline constexpr std::string_view kFtsIndexFileName = "|MVINDEX";

// Opens the index: with `fs` its internal file `name` (default "|MVINDEX"); without one, a name
// holding '!' as an internal file by path, any other as an operating-system file. Reads the header
// and loads the root block. Null with the record filled on failure.
FtsIndexPtr FtsOpenIndex(mvfs::TitleFileSystem* fs, std::string_view name, FtsPollCallback poll,
                         intptr_t poll_value, FtsError* error);
// Closes the file and the wrapper and frees the root cache.
void FtsCloseIndex(FtsIndexPtr index);

// 0, or 2022 when fewer than 56 bytes were read (2007 for a wrong first word or version).
int32_t FtsReadIndexHeader(FtsIndex& index);
// 0, or 2022 when the root block reads short (the poll callback's code when it refused the read).
int32_t FtsLoadRoot(FtsIndex& index);
// Reads one block into `out` (the root from the cache); the poll callback runs before the read. 0 or
// a code, recorded in the index's record.
int32_t FtsReadIndexBlock(FtsIndex& index, uint32_t block, IndexBlock& out);

}  // namespace fts
