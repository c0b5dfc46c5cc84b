// "|SYSTEM" for built titles: the 12-byte header (magic 0x036C, version 27, flags at offset 10) and
// the records {u16 tag, u16 length, data}.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace titlebuild {

class SystemWriter {
 public:
  explicit SystemWriter(bool compressed) : compressed_(compressed) {}
  void add_record(uint16_t tag, const std::vector<uint8_t>& data);
  // A NUL-terminated text record.
  void add_text(uint16_t tag, std::string_view text);
  // A record holding one i32.
  void add_value(uint16_t tag, int32_t value);
  std::vector<uint8_t> bytes() const;

 private:
  bool compressed_;
  std::vector<uint8_t> records_;
};

}  // namespace titlebuild
