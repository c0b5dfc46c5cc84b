// Libraries named by a title: system records of tag 19 hold library aliases, four NUL-terminated
// strings each: the alias first and the library's file name fourth.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/mvfs/file_moniker.h"

namespace title {

struct TitleHandle;

// Loads the library that the first alias equal to `name` (ASCII case ignored) names, or else `name`
// itself; each tries the file, then the file with ".DLL", then with ".EXE", each retry only while the
// previous one was not found. Null with `code` 3 when nothing is found, 1001 for memory, or the
// loader's code.
std::unique_ptr<mvfs::LoadedLibrary> TtlLoadDll(TitleHandle* title, const char* name, int32_t& code);

}  // namespace title
