#include "engine/fcmanage/topic_block.h"

#include <cstring>

#include "engine/title/title.h"
#include "engine/zeck/zeck_decompress.h"
#include "platform/base/byte_io.h"

namespace fcmanage {

TopicBlockHeader TopicBlock::header() const {
  base::ByteReader in(bytes.data(), bytes.size());
  TopicBlockHeader h;
  h.earlierRecord = in.i32();
  h.firstRecord = in.i32();
  h.topicHeader = in.i32();
  return in.ok() ? h : TopicBlockHeader{};
}

TopicBlock FcDecodeBlock(int32_t number, const uint8_t* stored, size_t stored_size, bool compressed) {
  TopicBlock block;
  block.number = number;
  if (!compressed || stored_size <= kTopicBlockHeaderSize) {
    block.bytes.assign(stored, stored + stored_size);
    return block;
  }
  block.bytes.resize(kTopicBlockHeaderSize + kTopicDecodedLimit);
  std::memcpy(block.bytes.data(), stored, kTopicBlockHeaderSize);
  const size_t decoded = zeck::ZeckDecompress(stored + kTopicBlockHeaderSize, block.bytes.data() + kTopicBlockHeaderSize,
                                              stored_size - kTopicBlockHeaderSize, kTopicDecodedLimit);
  block.bytes.resize(kTopicBlockHeaderSize + decoded);
  block.bytes.shrink_to_fit();
  return block;
}

namespace {

int32_t read_code(mvfs::FsErrorCode fs_code) {
  if (fs_code == mvfs::kFsNoMemory) return kTopicNoMemory;
  if (fs_code == mvfs::kFsDiskFull) return kTopicDiskFull;
  return kTopicReadFailed;
}

}  // namespace

TopicBlockRef FcLoadBlock(title::TitleHandle* title, int32_t block, int32_t& code) {
  if (!title || !title->topicFile || block < 0) {
    code = kTopicReadFailed;
    return nullptr;
  }
  TopicBlockCache& cache = title->cache;
  for (size_t i = 0; i < cache.slots.size(); ++i) {
    if (cache.slots[i] && cache.slots[i]->number == block) {
      cache.next = (i + 1) % cache.slots.size();
      return cache.slots[i];
    }
  }
  uint8_t stored[kTopicBlockSize];
  int64_t read = -1;
  if (mvfs::FsSeekFile(title->topicFile.get(), int64_t(block) * int64_t(kTopicBlockSize), mvfs::kFsSeekSet) >= 0)
    read = mvfs::FsReadFile(title->topicFile.get(), stored, int64_t(sizeof stored));
  if (read <= 0) {
    code = read_code(mvfs::FsGetLastError());
    return nullptr;
  }
  auto decoded = std::make_shared<TopicBlock>(FcDecodeBlock(block, stored, size_t(read), title->compressed));
  ++cache.decoded;
  cache.slots[cache.next] = decoded;
  cache.next = (cache.next + 1) % cache.slots.size();
  return decoded;
}

void FcInitCache(title::TitleHandle* title) {
  if (!title) return;
  title->cache.slots = {};
  title->cache.next = 0;
}

void FcFreeCache(title::TitleHandle* title) { FcInitCache(title); }

}  // namespace fcmanage
