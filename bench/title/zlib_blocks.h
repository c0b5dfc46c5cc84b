// zlib's side of the LZ benchmark, kept in a file of its own: zlib declares a global function
// `compress`, which the library compiler's namespace of the same name would meet in one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// `data` deflated on its own at `level`.
std::vector<uint8_t> ZlibDeflate(const uint8_t* data, size_t size, int level);
// Inflates `packed` into `out`; the number of bytes it gave.
size_t ZlibInflate(const std::vector<uint8_t>& packed, uint8_t* out, size_t capacity);

}  // namespace bench
