// A title container from hostile bytes: open, walk the directory, read every internal file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/mvfs/handles.h"
#include "fuzz/mvfs/fuzz_input_file.h"

using namespace mvfs;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FileMonikerPtr moniker = fuzzing::WriteInputFile(data, size, "fuzz_container.m14");
  if (!moniker) return 0;
  TitleFileSystemPtr fs = FsOpen(moniker.get(), kFsOpenReadOnly);
  if (!fs) return 0;
  // The directory is open once, by the container itself.
  if (FsOpenFile(fs.get(), nullptr, kFsOpenReadOnly | kFsOpenDirectory)) __builtin_trap();
  BtreeHandle* directory = fs->directory.get();
  std::vector<uint8_t> key, record, buffer(4096);
  BtPosition position;
  FsErrorCode code = BtFirst(directory, &key, &record, &position);
  for (int entries = 0; code == kFsOk && entries < 256; ++entries) {
    const std::string name(reinterpret_cast<const char*>(key.data()));
    FsFileExists(fs.get(), name.c_str());  // may miss in a directory whose keys are out of order
    if (InternalFilePtr file = FsOpenFile(fs.get(), name.c_str(), kFsOpenReadOnly)) {
      FsSeekFile(file.get(), -1, kFsSeekEnd);
      FsSeekFile(file.get(), 0, kFsSeekSet);
      for (int pieces = 0; pieces < 64 && FsReadFile(file.get(), buffer.data(), int64_t(buffer.size())) > 0;)
        ++pieces;
    }
    if (BtMovePosition(directory, position, 1, nullptr, &position) != kFsOk) break;
    code = BtGetAt(directory, position, &key, &record);
  }
  BtLast(directory, &key, &record, &position);
  FsFlush(fs.get(), 1);
  FsFileExists(fs.get(), "|SYSTEM");
  return 0;
}
