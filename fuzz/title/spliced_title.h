// A title written once, whose one internal file each fuzz input replaces in place: the base title is
// written with a placeholder of the file's largest size, and every input is copied over the
// placeholder's bytes and its used size set, so an input costs one file write instead of building
// and writing the whole title (the other internal files, the directory, the title's writers).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/mvfs/container_format.h"
#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"

namespace fuzz_title {

class SplicedTitle {
 public:
  // `write_base` writes the title with the given placeholder bytes as the file to replace and answers
  // the title's path (empty on failure); inputs are cut to `capacity` bytes.
  SplicedTitle(size_t capacity, const std::function<std::string(std::vector<uint8_t>)>& write_base) {
    std::vector<uint8_t> placeholder(std::max<size_t>(capacity, 16));
    uint32_t x = 0x9E3779B9u;
    for (uint8_t& b : placeholder) {
      x = x * 1664525u + 1013904223u;
      b = uint8_t(x >> 24 | 1);
    }
    path_ = write_base(placeholder);
    if (path_.empty() || base::read_file(path_, bytes_) != base::OsError::None) std::abort();
    const auto at = std::search(bytes_.begin(), bytes_.end(), placeholder.begin(), placeholder.begin() + 16);
    data_ = size_t(at - bytes_.begin());
    if (at == bytes_.end() || data_ < size_t(mvfs::kFileHeaderSize) ||
        base::load_le32(&bytes_[data_ - mvfs::kFileHeaderSize + 4]) != placeholder.size())
      std::abort();
    capacity_ = placeholder.size();
  }

  // Writes the title with the file holding `bytes`; its path, empty when it cannot be written.
  std::string write(const uint8_t* bytes, size_t size) {
    size = std::min(size, capacity_);
    std::copy(bytes, bytes + size, bytes_.begin() + ptrdiff_t(data_));
    base::store_le32(&bytes_[data_ - mvfs::kFileHeaderSize + 4], uint32_t(size));
    base::OsFile file;
    if (file.open(path_, base::OpenMode::Create) != base::OsError::None ||
        file.write(bytes_.data(), bytes_.size()) != base::OsError::None)
      return {};
    return path_;
  }

 private:
  std::string path_;
  std::vector<uint8_t> bytes_;
  size_t data_ = 0;  // where the file's bytes start
  size_t capacity_ = 0;
};

}  // namespace fuzz_title
