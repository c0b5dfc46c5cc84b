#include "tools/titlebuild/catalog_writer.h"

#include "engine/title/catalog.h"
#include "platform/base/byte_io.h"

namespace titlebuild {

std::vector<uint8_t> CatalogFile(const std::vector<int32_t>& addresses, uint16_t record_size, int32_t first,
                                 uint16_t version) {
  std::vector<uint8_t> file;
  base::ByteWriter out(file);
  out.u16(title::kCatalogMagic);
  out.u16(version);
  out.u16(record_size);
  out.i32(int32_t(addresses.size()));
  out.i32(first);
  out.pad_to(title::kCatalogHeaderSize);
  for (int32_t address : addresses) {
    const size_t start = out.pos();
    out.i32(address);
    out.pad_to(start + record_size);
  }
  return file;
}

}  // namespace titlebuild
