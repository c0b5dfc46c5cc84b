// The fuzz input as a disk file in the private temporary folder, named by a moniker.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/mvfs/file_moniker.h"

namespace mvfs::fuzzing {

// Writes the bytes to the process's scratch file (overwriting the previous input) and names it.
FileMonikerPtr WriteInputFile(const uint8_t* data, size_t size, const char* name);

}  // namespace mvfs::fuzzing
