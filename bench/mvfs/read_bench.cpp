// Reading an internal file in order through the container, against pread of the same bytes from the
// same title file: the physical limit. The ratio of the two rates is the container's cost.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/mvfs/fs_authoring.h"
#include "engine/mvfs/handles.h"
#include "platform/base/temp_folder.h"

namespace {

using namespace mvfs;

constexpr int64_t kFileSize = 16 << 20;

struct Title {
  std::string path = base::temp_folder() + "/bench_read.m14";
  TitleFileSystemPtr fs;
  int32_t dataOffset = 0;

  Title() {
    FileMonikerPtr moniker = FmNewFromPath(path.c_str(), kFmCurrentFolder);
    {
      TitleFileSystemPtr writing = FsCreate(moniker.get(), nullptr);
      InternalFilePtr file = FsCreateFile(writing.get(), "|TOPIC", 0);
      std::vector<uint8_t> chunk(1 << 20);
      for (size_t i = 0; i < chunk.size(); ++i) chunk[i] = uint8_t(i * 7);
      for (int64_t done = 0; done < kFileSize; done += int64_t(chunk.size()))
        FsWriteFile(file.get(), chunk.data(), int64_t(chunk.size()));
      FsCloseFile(std::move(file));
      FsClose(std::move(writing));
    }
    fs = FsOpen(moniker.get(), kFsOpenReadOnly);
    InternalFilePtr file = FsOpenFile(fs.get(), "|TOPIC", kFsOpenReadOnly);
    dataOffset = file->offset + kFileHeaderSize;
  }
};

Title& title() {
  static Title t;
  return t;
}

void BM_InternalFileSequential(benchmark::State& state) {
  Title& t = title();
  std::vector<uint8_t> buffer(size_t(state.range(0)));
  for (auto _ : state) {
    InternalFilePtr file = FsOpenFile(t.fs.get(), "|TOPIC", kFsOpenReadOnly);
    while (FsReadFile(file.get(), buffer.data(), int64_t(buffer.size())) > 0) {
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kFileSize);
}
BENCHMARK(BM_InternalFileSequential)->Arg(4096)->Arg(65536);

void BM_PreadSameBytes(benchmark::State& state) {
  Title& t = title();
  base::OsFile file;
  file.open(t.path, base::OpenMode::Read);
  std::vector<uint8_t> buffer(size_t(state.range(0)));
  for (auto _ : state) {
    for (int64_t at = 0; at < kFileSize; at += int64_t(buffer.size()))
      file.read_at(uint64_t(t.dataOffset + at), buffer.data(), buffer.size());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kFileSize);
}
BENCHMARK(BM_PreadSameBytes)->Arg(4096)->Arg(65536);

}  // namespace
