#include "engine/adt/topic_record_header.h"

#include "engine/adt/packed_integers.h"

namespace adt {

size_t DpDecodeRecordHeader(TopicRecordHeader& header, const uint8_t* stored, size_t size) {
  header = {};
  base::ByteReader in(stored, size);
  header.type = in.u8();
  if (IsTopicHeaderType(header.type)) {
    header.length = in.i32();
    if (header.type == kRecordTopicHeaderCounted) header.count = in.u16();
  } else {
    ReadPackedLong(in, header.length);
    if (header.type > 0x10) ReadPackedUShort(in, header.count);
  }
  if (!in.ok()) {
    header = {};
    return 0;
  }
  return in.pos();
}

size_t DpEncodeRecordHeader(const TopicRecordHeader& header, base::ByteWriter& out) {
  const size_t start = out.pos();
  out.u8(header.type);
  if (IsTopicHeaderType(header.type)) {
    out.i32(header.length);
    if (header.type == kRecordTopicHeaderCounted) out.u16(header.count);
  } else {
    WritePackedLong(out, header.length);
    if (header.type > 0x10) WritePackedUShort(out, header.count);
  }
  return out.pos() - start;
}

}  // namespace adt
