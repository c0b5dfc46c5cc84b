// A title whose "|TOPIC" is the input (compressed or not by the first byte): blocks, records, chunks,
// neighbours and addresses at positions taken from the input.
#include <cstddef>
#include <cstdint>

#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/fcmanage/topic_record.h"
#include "engine/title/title.h"
#include "fuzz/title/fuzz_title_file.h"
#include "fuzz/title/spliced_title.h"
#include "platform/base/byte_io.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/system_writer.h"

namespace {

fuzz_title::SplicedTitle spliced_topic_title(bool compressed) {
  return fuzz_title::SplicedTitle(65536, [&](std::vector<uint8_t> placeholder) {
    titlebuild::TitleBuilder builder = fuzz_title::base_title();
    titlebuild::SystemWriter system(compressed);
    system.add_value(title::kTagTopicCount, 2);
    builder.add_file("|SYSTEM", system.bytes());
    builder.add_file("|TOPIC", std::move(placeholder));
    const std::string path = base::temp_folder() + "/fuzz_topic" + (compressed ? "1" : "0") + ".m14";
    return builder.write(path) == 0 ? path : std::string();
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The two titles (plain and compressed topics) are built once; each input is spliced in.
  static fuzz_title::SplicedTitle titles[2] = {spliced_topic_title(false), spliced_topic_title(true)};
  const std::string path = titles[data[0] & 1].write(data + 1, size - 1);
  if (path.empty()) return 0;
  title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
  if (!t) return 0;
  // Positions to try: the first few 32-bit values of the input and the block starts.
  std::vector<int32_t> positions = {12, (1 << 14) | 12, (2 << 14) | 40};
  for (size_t i = 1; i + 4 <= size && positions.size() < 12; i += 4) positions.push_back(int32_t(base::load_le32(data + i)));
  for (int32_t p : positions) {
    int32_t code = 0;
    fcmanage::FcLoadBlock(t, fcmanage::PositionBlock(p), code);
    fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t, p, code);
    if (record) {
      fcmanage::FcGetNeighbour(*record, true, t, code, record->position, -1);
      fcmanage::FcGetNeighbour(*record, false, t, code, -1, -1);
    }
    fcmanage::TopicChunk chunk;
    fcmanage::FcGetChunk(t, p, chunk, code);
    fcmanage::TopicLocation location;
    fcmanage::FcLocateAddress(t, p, location);
    fcmanage::FcLocateAddress(t, p & 0x7FFFF, location);
  }
  title::TtlClose(t);
  return 0;
}
