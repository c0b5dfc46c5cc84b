// Test helpers: a scratch folder, hand-made container images and titles built through the writer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/fs_authoring.h"

namespace mvfs::testing {

// A fresh folder removed with everything in it at the end of the test.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

FileMonikerPtr Moniker(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// Writes a container holding the given internal files through the authoring calls.
void BuildTitle(const std::string& path, const std::map<std::string, std::string>& files,
                uint16_t directoryPageSize = 0);
// The whole contents of an internal file, read through the reader.
std::string ReadInternal(TitleFileSystem* fs, const char* name);

// Hand-made bytes, independent of the writer: a container whose directory is a one-leaf B-tree of the
// given page size at offset 16, followed by the files in name order.
struct RawFile {
  std::string name;
  std::vector<uint8_t> data;
};
std::vector<uint8_t> RawContainer(std::vector<RawFile> files, uint16_t pageSize = 64);

std::vector<uint8_t> Bytes(const std::string& s);
// A caller's key of type 'L'.
struct LongKey {
  explicit LongKey(int32_t v);
  uint8_t bytes[4];
};

}  // namespace mvfs::testing
