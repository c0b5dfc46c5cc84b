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

// Reads a table file whole, at most `limit` bytes of it (the readers never look further): the
// internal file `name` of `fs`, or with a null `fs` the file named "container!internal" (the internal
// name `default_internal` when it has no '!'). 0, or the code of the failed open or read (also set in
// `error`).
int32_t FtsReadTableFile(mvfs::TitleFileSystem* fs, std::string_view name, std::string_view default_internal,
                         size_t limit, std::vector<uint8_t>& out, FtsError* error);

}  // namespace fts
