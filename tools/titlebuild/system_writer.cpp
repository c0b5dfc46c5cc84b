#include "tools/titlebuild/system_writer.h"

#include "engine/title/system_records.h"
#include "platform/base/byte_io.h"

namespace titlebuild {

void SystemWriter::add_record(uint16_t tag, const std::vector<uint8_t>& data) {
  base::ByteWriter out(records_);
  out.u16(tag);
  out.u16(uint16_t(data.size()));
  out.bytes(data.data(), data.size());
}

void SystemWriter::add_text(uint16_t tag, std::string_view text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  add_record(tag, data);
}

void SystemWriter::add_value(uint16_t tag, int32_t value) {
  std::vector<uint8_t> data(4);
  base::store_le32(data.data(), uint32_t(value));
  add_record(tag, data);
}

std::vector<uint8_t> SystemWriter::bytes() const {
  std::vector<uint8_t> file;
  base::ByteWriter out(file);
  out.u16(title::kSystemMagic);
  out.u16(title::kSystemVersion);
  out.zeros(6);
  out.u16(compressed_ ? title::kSystemFlagCompressed : 0);
  out.bytes(records_.data(), records_.size());
  return file;
}

}  // namespace titlebuild
