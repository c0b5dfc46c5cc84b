// Builds small metafiles record by record for tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/base/byte_io.h"

namespace gdi::testing {

class MetafileBuilder {
 public:
  MetafileBuilder& add(uint16_t function, std::initializer_list<int> words,
                       std::vector<uint8_t> tail = {}) {
    if (tail.size() & 1) tail.push_back(0);
    uint32_t size = uint32_t(3 + words.size() + tail.size() / 2);
    push32(size);
    push16(function);
    for (int w : words) push16(uint16_t(int16_t(w)));
    records_.insert(records_.end(), tail.begin(), tail.end());
    return *this;
  }
  std::vector<uint8_t> bytes(uint16_t objects = 4) {
    std::vector<uint8_t> out(18);
    base::store_le16(out.data(), 1);
    base::store_le16(out.data() + 2, 9);
    base::store_le16(out.data() + 4, 0x0300);
    base::store_le32(out.data() + 6, uint32_t((18 + records_.size()) / 2 + 3));
    base::store_le16(out.data() + 10, objects);
    out.insert(out.end(), records_.begin(), records_.end());
    const uint8_t end[] = {3, 0, 0, 0, 0, 0};
    out.insert(out.end(), end, end + 6);
    return out;
  }

 private:
  void push16(uint16_t v) {
    records_.push_back(uint8_t(v));
    records_.push_back(uint8_t(v >> 8));
  }
  void push32(uint32_t v) {
    push16(uint16_t(v));
    push16(uint16_t(v >> 16));
  }
  std::vector<uint8_t> records_;
};

}  // namespace gdi::testing
