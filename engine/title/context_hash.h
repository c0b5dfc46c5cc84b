// Context strings and their 32-bit hashes, the keys of "|CONTEXT".
//
// A string of exactly 10 characters that begins with "0x" is read as 8 hexadecimal digits (either
// case) and that number is the hash. Otherwise h starts at 0 and for every byte h = h x 43 + code in
// wrapping 32-bit arithmetic, where code is '!' 11, '.' 12, '_' 13, '0' 10, and for any other byte
// (taken as unsigned) its value + 32 when it is not above 'Z', then - 80. A result of 0 becomes 1.
#pragma once

#include <cstdint>
#include <string_view>

namespace title {

uint32_t HashContextString(std::string_view context);
// Not empty, not beginning with '!', only ASCII letters, digits, '!', '.' and '_'.
bool HashIsValidContext(std::string_view context);

}  // namespace title
