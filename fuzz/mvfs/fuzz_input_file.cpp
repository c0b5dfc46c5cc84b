#include "fuzz/mvfs/fuzz_input_file.h"

#include <span>

#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace mvfs::fuzzing {

FileMonikerPtr WriteInputFile(const uint8_t* data, size_t size, const char* name) {
  const std::string path = base::temp_folder() + "/" + name;
  base::OsFile file;
  if (file.open(path, base::OpenMode::Create) != base::OsError::None) return nullptr;
  if (size && file.write(data, size) != base::OsError::None) return nullptr;
  file.close();
  return FmNewFromPath(path.c_str(), kFmCurrentFolder);
}

}  // namespace mvfs::fuzzing
