// A malformed container opened for writing: creating, rewriting, deleting and renaming files and
// closing must end in the format's codes without crashing or hanging.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/mvfs/fs_authoring.h"
#include "engine/mvfs/handles.h"
#include "fuzz/mvfs/fuzz_input_file.h"

using namespace mvfs;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FileMonikerPtr moniker = fuzzing::WriteInputFile(data, size, "fuzz_writable.m14");
  if (!moniker) return 0;
  TitleFileSystemPtr fs = FsOpen(moniker.get(), 0);
  if (!fs) return 0;
  std::vector<uint8_t> key, record;
  std::string first;
  if (BtFirst(fs->directory.get(), &key, &record, nullptr) == kFsOk)
    first.assign(reinterpret_cast<const char*>(key.data()));
  if (!first.empty()) {
    if (InternalFilePtr file = FsOpenFile(fs.get(), first.c_str(), 0)) {
      FsSeekFile(file.get(), 0, kFsSeekEnd);
      FsWriteFile(file.get(), "appended", 8);
      FsCloseFile(std::move(file));
    }
    FsRenameFile(fs.get(), first.c_str(), "renamed");
    FsDeleteFile(fs.get(), "renamed");
  }
  const std::string text(200, 'n');
  for (const char* name : {"new one", "new two"}) {
    if (InternalFilePtr file = FsCreateFile(fs.get(), name, 0)) {
      FsWriteFile(file.get(), text.data(), int64_t(text.size()));
      FsCloseFile(std::move(file));
    }
  }
  FsDeleteFile(fs.get(), "new one");
  FsClose(std::move(fs));
  return 0;
}
