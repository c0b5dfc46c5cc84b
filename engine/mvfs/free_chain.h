// Block allocation in a container: the sorted free-block chain and growth at the container's end.
#pragma once

#include <cstdint>

#include "engine/mvfs/handles.h"

namespace mvfs {

// A placed internal file: the offset of its 9-byte header and the block size it owns from there.
struct PlacedBlock {
  int32_t offset = 0;
  int32_t allocated = 0;
};

// Places `needed` bytes (file header included). Aligned placement puts offset + 9 + alignHint on a
// 2048-byte boundary; the padding in front of the file stays unused. 11 when the container cannot
// hold the block.
FsErrorCode AllocateBlock(TitleFileSystem* fs, int64_t needed, bool aligned, int32_t alignHint, PlacedBlock& block);
// Returns a block to the chain, merging it with free neighbours, or shrinks the container when the
// block ends at the container's end.
FsErrorCode FreeBlock(TitleFileSystem* fs, int32_t offset, int32_t size);

}  // namespace mvfs
