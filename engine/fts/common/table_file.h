// What the three full-text table files (character table, operator table, stop list) share: a 40-byte
// header area at the front, of which each format reads only its own fields (the rest is written as
// zero), and how they are read whole from a title.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/fts/common/fts_error.h"

namespace mvfs {
struct TitleFileSystem;
}

namespace fts {

inline constexpr size_t kFtsHeaderArea = 40;

}  // namespace fts
