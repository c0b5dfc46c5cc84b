// The free-block chain of a container.
//
// Invariants kept here and checked on every block read from the file: the chain runs in ascending
// offset order, blocks do not overlap and lie inside the container, each is at least 8 bytes (room for
// its own header). A walk therefore visits at most (size - 16) / 8 blocks; a chain that breaks an
// invariant is a format error (4) and is never followed further.
#include "engine/mvfs/free_chain.h"

#include <limits>

#include "engine/mvfs/container_io.h"

namespace mvfs {
namespace {

constexpr int32_t kAlignment = 2048;

int32_t paddingAt(int64_t offset, bool aligned, int32_t alignHint) {
  if (!aligned) return 0;
  return kAlignment - int32_t((offset + kFileHeaderSize + alignHint) % kAlignment);
}

// Reads the free block at `offset` and checks it against the chain's invariants; `after` is the end of
// the block before it in the chain.
FsErrorCode readFreeBlock(TitleFileSystem* fs, int32_t offset, int64_t after, FreeBlockHeader& block) {
  if (offset < kContainerHeaderSize || offset < after || int64_t(offset) + kFreeBlockHeaderSize > fs->header.size)
    return FS_SET_ERROR(kFsBadFormat);
  uint8_t bytes[kFreeBlockHeaderSize];
  if (ContainerRead(fs, offset, bytes, sizeof bytes)) return FS_SET_ERROR(kFsBadFormat);
  block = ReadFreeBlock(std::span<const uint8_t, kFreeBlockHeaderSize>(bytes));
  const int64_t end = int64_t(offset) + block.size;
  if (block.size < kFreeBlockHeaderSize || end > fs->header.size || (block.next != -1 && block.next < end))
    return FS_SET_ERROR(kFsBadFormat);
  return kFsOk;
}

FsErrorCode writeFreeBlock(TitleFileSystem* fs, int32_t offset, const FreeBlockHeader& block) {
  uint8_t bytes[kFreeBlockHeaderSize];
  WriteFreeBlock(block, std::span<uint8_t, kFreeBlockHeaderSize>(bytes));
  return ContainerWrite(fs, offset, bytes, sizeof bytes);
}

// Makes `previous` (or the header when it is -1) point at `next`.
FsErrorCode relink(TitleFileSystem* fs, int32_t previous, const FreeBlockHeader& previousBlock, int32_t next) {
  fs->header.flags |= kContainerChanged;
  if (previous < 0) {
    fs->header.freeList = next;
    return kFsOk;
  }
  return writeFreeBlock(fs, previous, {previousBlock.size, next});
}

}  // namespace

FsErrorCode AllocateBlock(TitleFileSystem* fs, int64_t needed, bool aligned, int32_t alignHint, PlacedBlock& block) {
  if (needed < kFileHeaderSize || needed > std::numeric_limits<int32_t>::max()) return FS_SET_ERROR(kFsDiskFull);
  int32_t previous = -1;
  FreeBlockHeader previousBlock;
  int64_t after = kContainerHeaderSize;
  for (int32_t at = fs->header.freeList; at != -1;) {
    FreeBlockHeader free;
    if (FsErrorCode e = readFreeBlock(fs, at, after, free)) return e;
    const int32_t padding = paddingAt(at, aligned, alignHint);
    if (int64_t(free.size) >= needed + padding) {
      // The block is taken whole; an aligned file starts after the padding and owns the rest of it.
      if (FsErrorCode e = relink(fs, previous, previousBlock, free.next)) return e;
      block = {at + padding, free.size - padding};
      return kFsOk;
    }
    previous = at;
    previousBlock = free;
    after = int64_t(at) + free.size;
    at = free.next;
  }
  const int32_t padding = paddingAt(fs->header.size, aligned, alignHint);
  const int64_t end = int64_t(fs->header.size) + padding + needed;
  if (end > std::numeric_limits<int32_t>::max()) return FS_SET_ERROR(kFsDiskFull);
  block = {fs->header.size + padding, int32_t(needed)};
  fs->header.size = int32_t(end);
  fs->header.flags |= kContainerChanged;
  return kFsOk;
}

FsErrorCode FreeBlock(TitleFileSystem* fs, int32_t offset, int32_t size) {
  if (offset < kContainerHeaderSize || size < kFreeBlockHeaderSize || int64_t(offset) + size > fs->header.size)
    return FS_SET_ERROR(kFsBadFormat);
  // Find the free blocks around the freed one: before-previous, previous and next.
  int32_t beforePrevious = -1, previous = -1, next = fs->header.freeList;
  FreeBlockHeader beforePreviousBlock, previousBlock, nextBlock;
  int64_t after = kContainerHeaderSize;
  while (next != -1) {
    if (FsErrorCode e = readFreeBlock(fs, next, after, nextBlock)) return e;
    if (next >= offset) break;
    beforePrevious = previous;
    beforePreviousBlock = previousBlock;
    previous = next;
    previousBlock = nextBlock;
    after = int64_t(next) + nextBlock.size;
    next = nextBlock.next;
  }
  // A block that overlaps a free one was freed already: the chain is left as it is.
  if (offset < after || (next != -1 && int64_t(offset) + size > next)) return FS_SET_ERROR(kFsBadFormat);
  int32_t start = offset;
  int64_t blockSize = size;
  int32_t following = next;
  if (next != -1 && int64_t(offset) + size == next) {
    blockSize += nextBlock.size;
    following = nextBlock.next;
  }
  int32_t linkFrom = previous;
  FreeBlockHeader linkFromBlock = previousBlock;
  if (previous != -1 && after == offset) {
    start = previous;
    blockSize += previousBlock.size;
    linkFrom = beforePrevious;
    linkFromBlock = beforePreviousBlock;
  }
  fs->header.flags |= kContainerChanged;
  if (start + blockSize == fs->header.size) {
    fs->header.size = start;
    return relink(fs, linkFrom, linkFromBlock, -1);
  }
  if (FsErrorCode e = writeFreeBlock(fs, start, {int32_t(blockSize), following})) return e;
  return relink(fs, linkFrom, linkFromBlock, start);
}

}  // namespace mvfs
