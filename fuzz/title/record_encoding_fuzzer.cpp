// Record headers and paragraph information decoded from the input, and encoded back.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/adt/paragraph_info.h"
#include "engine/adt/topic_record_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  adt::TopicRecordHeader header;
  if (adt::DpDecodeRecordHeader(header, data, size) > size) __builtin_trap();
  adt::ParagraphInfo info;
  const size_t used = adt::DpDecodeParagraphInfo(info, data, size);
  if (used > size || info.tabCount > adt::kMaxTabStops) __builtin_trap();
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  adt::DpEncodeParagraphInfo(info, w);
  adt::DpEncodeRecordHeader(header, w);
  return 0;
}
