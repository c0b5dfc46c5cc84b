// "|CATALOG" for built titles: the 40-byte header (magic 0x1111, version, record size, count, first)
// and one record per topic whose first four bytes are the topic's TopicAddress (the rest zeros).
#pragma once

#include <cstdint>
#include <vector>

namespace titlebuild {

std::vector<uint8_t> CatalogFile(const std::vector<int32_t>& addresses, uint16_t record_size = 4, int32_t first = 0,
                                 uint16_t version = 8);

}  // namespace titlebuild
