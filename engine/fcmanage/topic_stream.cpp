#include "engine/fcmanage/topic_stream.h"

#include <cstring>

#include "engine/title/title.h"
#include "platform/base/byte_io.h"

namespace fcmanage {

int32_t FcReadStream(title::TitleHandle* title, int32_t position, uint8_t* out, size_t count) {
  if (position < 0) return kTopicNoMemory;
  int32_t block = PositionBlock(position);
  size_t offset = size_t(PositionOffset(position));
  if (offset < kTopicBlockHeaderSize) return kTopicNoMemory;
  while (count > 0) {
    int32_t code = 0;
    const TopicBlockRef b = FcLoadBlock(title, block, code);
    if (!b) return code;
    if (offset >= b->size()) return kTopicNoMemory;
    const size_t n = std::min(count, b->size() - offset);
    std::memcpy(out, b->bytes.data() + offset, n);
    out += n;
    count -= n;
    if (block == INT32_MAX >> kTopicOffsetBits) return count ? kTopicNoMemory : kTopicOk;
    ++block;
    offset = kTopicBlockHeaderSize;
  }
  return kTopicOk;
}

uint64_t FcStreamLimit(title::TitleHandle* title, int32_t position) {
  const int64_t file_size = mvfs::FsGetFileSize(title->topicFile.get());
  const int64_t blocks = file_size < 0 ? 0 : (file_size + int64_t(kTopicBlockSize) - 1) / int64_t(kTopicBlockSize);
  const int64_t left = blocks - PositionBlock(position);
  return left > 0 ? uint64_t(left) * kTopicDecodedLimit : 0;
}

int32_t FcReadRecordHead(title::TitleHandle* title, int32_t position, RecordHead& head) {
  head = {};
  uint8_t bytes[kEnvelopeSize + adt::kMaxRecordHeaderSize] = {};
  if (const int32_t code = FcReadStream(title, position, bytes, kEnvelopeSize)) return code;
  base::ByteReader in(bytes, kEnvelopeSize);
  RecordEnvelope& e = head.envelope;
  e.size = in.i32();
  e.expandedLength = in.i32();
  e.previous = in.i32();
  e.next = in.i32();
  e.textOffset = in.i32();
  if (e.size < int32_t(kEnvelopeSize) + 1 || e.expandedLength < 0 || e.textOffset < int32_t(kEnvelopeSize) ||
      e.textOffset > e.size || uint64_t(e.size) > FcStreamLimit(title, position))
    return kTopicNoMemory;
  // The packed header follows; like the envelope it may continue in the next block.
  const size_t header_bytes = std::min<size_t>(adt::kMaxRecordHeaderSize, size_t(e.size) - kEnvelopeSize);
  if (const int32_t code = FcReadStream(title, position, bytes, kEnvelopeSize + header_bytes)) return code;
  head.headerSize = adt::DpDecodeRecordHeader(head.header, bytes + kEnvelopeSize, header_bytes);
  if (head.headerSize == 0 || int64_t(kEnvelopeSize + head.headerSize) > e.textOffset) return kTopicNoMemory;
  return kTopicOk;
}

int32_t FcWalkStart(title::TitleHandle* title, const TopicBlock& block, int32_t wanted, int32_t& code) {
  code = kTopicOk;
  const TopicBlockHeader h = block.header();
  int32_t first = h.firstRecord;
  if (first != -1 && PositionBlock(first) < block.number) {
    RecordHead head;
    if ((code = FcReadRecordHead(title, first, head))) return -1;
    first = head.envelope.next;
  }
  if (first != -1 && PositionBlock(first) != block.number) first = -1;
  if (first != -1 && (wanted >= first || h.earlierRecord == -1)) return first;
  return h.earlierRecord;
}

}  // namespace fcmanage
