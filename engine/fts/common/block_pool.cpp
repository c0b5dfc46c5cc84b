#include "engine/fts/common/block_pool.h"

#include <cstring>

namespace fts {
namespace {

constexpr size_t kAlign = 8;
// Every block also carries a header (next block, magic) in the stored layout; count it so that the
// total matches what the pool costs.
constexpr size_t kBlockHeader = 16;

size_t round_up(size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }

bool usable(const BlockPool* pool) { return pool && pool->magic() == kBlockPoolMagic; }

}  // namespace

void BlockPool::link_block(uint8_t* block) {
  const size_t count = blockSize_ / elementSize_;
  for (size_t i = 0; i < count; ++i) {
    uint8_t* next = i + 1 < count ? block + (i + 1) * elementSize_ : nullptr;
    std::memcpy(block + i * elementSize_, &next, sizeof next);
  }
}

bool BlockPool::add_block() {
  if (blocks_.size() >= blockLimit_) return false;
  auto block = std::make_unique<uint8_t[]>(blockSize_);
  if (linked_) link_block(block.get());
  blocks_.push_back(std::move(block));
  total_ += blockSize_ + kBlockHeader;
  return true;
}

std::unique_ptr<BlockPool> PoolCreate(uint32_t block_size, uint16_t element_size, uint16_t block_limit,
                                      bool linked) {
  if (block_size == 0 || block_size >= kBlockPoolMaxBlockSize || block_limit == 0) return nullptr;
  auto pool = std::make_unique<BlockPool>();
  pool->blockSize_ = block_size;
  pool->elementSize_ = element_size ? static_cast<uint16_t>(round_up(element_size)) : 0;
  if (pool->elementSize_ > block_size) return nullptr;
  pool->blockLimit_ = block_limit;
  pool->linked_ = linked && pool->elementSize_ != 0;
  pool->total_ = sizeof(BlockPool);
  if (!pool->add_block()) return nullptr;
  return pool;
}

void* PoolNextBlock(BlockPool* pool) {
  if (!usable(pool)) return nullptr;
  if (pool->current_ + 1 >= pool->blocks_.size() && !pool->add_block()) return nullptr;
  ++pool->current_;
  pool->nextFree_ = 0;
  return pool->blocks_[pool->current_].get();
}

void* PoolAllocBytes(BlockPool* pool, const void* data, size_t length, size_t offset) {
  if (!usable(pool)) return nullptr;
  const size_t size = round_up(offset + length);
  if (size > pool->blockSize_ || size < length) return nullptr;
  if (pool->blockSize_ - pool->nextFree_ < size && !PoolNextBlock(pool)) return nullptr;
  uint8_t* item = pool->blocks_[pool->current_].get() + pool->nextFree_;
  pool->nextFree_ += size;
  std::memset(item, 0, size);
  if (length) std::memcpy(item + offset, data, length);
  return item;
}

void* PoolAllocElement(BlockPool* pool) {
  if (!usable(pool) || pool->elementSize_ == 0) return nullptr;
  if (pool->blockSize_ - pool->nextFree_ < pool->elementSize_ && !PoolNextBlock(pool)) return nullptr;
  uint8_t* element = pool->blocks_[pool->current_].get() + pool->nextFree_;
  pool->nextFree_ += pool->elementSize_;
  return element;
}

void* PoolFirstFree(BlockPool* pool) {
  if (!usable(pool) || !pool->linked_) return nullptr;
  return pool->blocks_[pool->current_].get();
}

void PoolReset(BlockPool* pool) {
  if (!usable(pool)) return;
  pool->current_ = 0;
  pool->nextFree_ = 0;
  if (pool->linked_)
    for (auto& block : pool->blocks_) pool->link_block(block.get());
}

}  // namespace fts
