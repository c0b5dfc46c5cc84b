// Hand-made group files for the engine interface tests: any header values, the vector at offset 26
// or 40, and temporary disk files holding them.
#pragma once

#include <string>
#include <vector>

#include <unistd.h>

#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace engine_api_test {

struct GroupHeaderValues {
  uint16_t magic = 0x3333;
  uint16_t version = 10;
  uint32_t size = 0;
  int32_t last = 0;
  int32_t first = 0;
  int32_t count = 0;
  int32_t capacity = 0;
  uint16_t form = 0;
};

// The 26 record bytes, then 14 zero bytes when `padded`, then `vector`.
inline std::vector<uint8_t> GroupBytes(const GroupHeaderValues& h, bool padded, const std::vector<uint8_t>& vector) {
  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(h.magic);
  w.u16(h.version);
  w.u32(h.size);
  w.i32(h.last);
  w.i32(h.first);
  w.i32(h.count);
  w.i32(h.capacity);
  w.u16(h.form);
  if (padded) w.zeros(14);
  w.bytes(vector);
  return out;
}

// A disk file removed with the object.
struct TempFile {
  std::string path;
  explicit TempFile(const std::string& stem) {
    static int counter = 0;
    path = base::temp_folder() + "/" + stem + std::to_string(getpid()) + "_" + std::to_string(++counter) + ".grp";
  }
  ~TempFile() { base::remove_file(path); }
  bool write(const std::vector<uint8_t>& bytes) const {
    return base::write_file_atomic(path, bytes) == base::OsError::None;
  }
  std::vector<uint8_t> read() const {
    std::vector<uint8_t> bytes;
    base::read_file(path, bytes);
    return bytes;
  }
};

}  // namespace engine_api_test
