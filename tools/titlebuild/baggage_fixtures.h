// Baggage files for test titles.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

// `size` bytes whose byte i is (i * 7 + i / 251) mod 256, so that any misplaced byte shows.
std::vector<uint8_t> baggage_pattern(size_t size);

// Adds "PICTURE.BMP" (stored upper-cased only, 300 bytes), "notes.txt" (1,000 bytes), "big.bin"
// (70,000 bytes) and "empty.bin" (no bytes), each holding baggage_pattern of its size.
void add_sample_baggage(TitleBuilder& builder);

}  // namespace titlebuild
