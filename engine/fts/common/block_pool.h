// Block pools: arenas of fixed-size blocks from which query trees, hit lists and stop lists take their
// nodes. Nothing is freed item by item; a pool is rewound or freed whole.
//
// Two kinds:
//   byte pools (element size 0): PoolAllocBytes hands out items of any size up to the block size,
//     rounded up to a multiple of 8;
//   element pools: every block is cut into elements of the element size (rounded up to a multiple of
//     8 so that an element can start with a pointer). In a linked pool each new block is pre-linked:
//     the first pointer-sized word of every element points to the next element of the block, the
//     last one holds null, and PoolFirstFree gives the head of that chain.
// Pools in use: query words 360 / bytes; query tree nodes 672 / 42; hit topics 10,000 / 20 linked;
// hit occurrences 20,000 / 20 linked; stop words 1,024 / bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace fts {

inline constexpr uint32_t kBlockPoolMagic = 1234;
inline constexpr uint32_t kBlockPoolMaxBlockSize = 65507;  // block sizes must stay below this
inline constexpr uint16_t kBlockPoolNoLimit = 0xFFFF;

class BlockPool {
 public:
  uint32_t magic() const { return magic_; }
  uint32_t block_size() const { return blockSize_; }
  uint16_t element_size() const { return elementSize_; }
  uint16_t block_limit() const { return blockLimit_; }
  size_t blocks() const { return blocks_.size(); }
  // Bytes allocated, the block bookkeeping included.
  uint64_t total() const { return total_; }

 private:
  friend std::unique_ptr<BlockPool> PoolCreate(uint32_t, uint16_t, uint16_t, bool);
  friend void* PoolAllocBytes(BlockPool*, const void*, size_t, size_t);
  friend void* PoolAllocElement(BlockPool*);
  friend void* PoolFirstFree(BlockPool*);
  friend void* PoolNextBlock(BlockPool*);
  friend void PoolReset(BlockPool*);

  bool add_block();
  void link_block(uint8_t* block);

  uint32_t magic_ = kBlockPoolMagic;
  uint32_t blockSize_ = 0;
  uint16_t elementSize_ = 0;
  uint16_t blockLimit_ = kBlockPoolNoLimit;
  bool linked_ = false;
  std::vector<std::unique_ptr<uint8_t[]>> blocks_;
  size_t current_ = 0;    // index of the block being filled
  size_t nextFree_ = 0;  // offset of the next free byte in the current block
  uint64_t total_ = 0;
};

// A new pool with its first block; null for a block size of 65,507 or more, an element larger than a
// block, or no memory.
std::unique_ptr<BlockPool> PoolCreate(uint32_t block_size, uint16_t element_size,
                                      uint16_t block_limit = kBlockPoolNoLimit, bool linked = false);
// A new item of offset + length bytes (rounded up), zero-filled, with `length` bytes of `data` copied at
// `offset`; null when the item is larger than a block or no further block can be had.
void* PoolAllocBytes(BlockPool* pool, const void* data, size_t length, size_t offset);
// The next unused element; null when no element can be had.
void* PoolAllocElement(BlockPool* pool);
// Head of the pre-linked chain of the current block of a linked pool; null otherwise.
void* PoolFirstFree(BlockPool* pool);
// Makes the next block current (reusing one kept by PoolReset, or adding one while the limit allows)
// and returns its first element or byte; null when none can be had.
void* PoolNextBlock(BlockPool* pool);
// Rewinds to the first block, keeping every block for reuse (linked blocks are linked again).
void PoolReset(BlockPool* pool);

}  // namespace fts
