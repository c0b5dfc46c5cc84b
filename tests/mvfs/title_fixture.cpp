#include "tests/mvfs/title_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace mvfs::testing {

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  path_ = base::temp_folder() + "/mvfs_test_" + std::to_string(++counter);
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(path_); }

FileMonikerPtr Moniker(const std::string& path) { return FmNewFromPath(path.c_str(), kFmCurrentFolder); }

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  base::OsFile f;
  ASSERT_EQ(f.open(path, base::OpenMode::Create), base::OsError::None);
  ASSERT_EQ(f.write(bytes.data(), bytes.size()), base::OsError::None);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> out;
  base::read_file(path, out);
  return out;
}

void BuildTitle(const std::string& path, const std::map<std::string, std::string>& files,
                uint16_t directoryPageSize) {
  FsCreateParams params;
  params.directoryPageSize = directoryPageSize;
  TitleFileSystemPtr fs = FsCreate(Moniker(path).get(), &params);
  ASSERT_TRUE(fs) << FsGetLastError();
  for (const auto& [name, data] : files) {
    InternalFilePtr file = FsCreateFile(fs.get(), name.c_str(), kFsOpenNoWriteBack);
    ASSERT_TRUE(file);
    ASSERT_EQ(FsWriteFile(file.get(), data.data(), int64_t(data.size())), int64_t(data.size()));
    ASSERT_EQ(FsCloseFile(std::move(file)), kFsOk);
  }
  ASSERT_EQ(FsClose(std::move(fs)), kFsOk);
}

std::string ReadInternal(TitleFileSystem* fs, const char* name) {
  InternalFilePtr file = FsOpenFile(fs, name, kFsOpenReadOnly);
  if (!file) return "<missing " + std::to_string(FsGetLastError()) + ">";
  std::string out(size_t(FsGetFileSize(file.get())), '\0');
  if (FsReadFile(file.get(), out.data(), int64_t(out.size())) != int64_t(out.size())) return "<read failed>";
  return out;
}

std::vector<uint8_t> RawContainer(std::vector<RawFile> files, uint16_t pageSize) {
  std::sort(files.begin(), files.end(), [](const RawFile& a, const RawFile& b) { return a.name < b.name; });
  // Layout: container header, then the directory file (9-byte header, 38-byte tree header, one leaf),
  // then each file in order.
  const int32_t directoryAt = 16;
  const int32_t directorySize = 9 + 38 + pageSize;
  std::vector<uint8_t> leaf;
  base::ByteWriter lw(leaf);
  std::vector<int32_t> offsets;
  int32_t at = directoryAt + directorySize;
  for (const RawFile& f : files) {
    offsets.push_back(at);
    at += 9 + int32_t(f.data.size());
  }
  lw.i16(0);  // free bytes, patched below
  lw.i16(int16_t(files.size()));
  lw.i16(-1);
  lw.i16(-1);
  for (size_t i = 0; i < files.size(); ++i) {
    lw.cstring(files[i].name);
    lw.i32(offsets[i]);
  }
  lw.patch_u16(0, uint16_t(pageSize - leaf.size()));
  lw.pad_to(pageSize);

  std::vector<uint8_t> out;
  base::ByteWriter w(out);
  w.u16(0x5F3F);
  w.u8(3);
  w.u8(0);
  w.i32(directoryAt);
  w.i32(-1);
  w.i32(at);
  w.i32(directorySize);
  w.i32(38 + pageSize);
  w.u8(0);
  w.u16(0x293B);
  w.u8(2);
  w.u8(0);
  w.u16(pageSize);
  const char format[16] = "z4";
  w.bytes(format, 16);
  w.i16(0);  // first leaf
  w.i16(0);  // last leaf
  w.i16(0);  // root
  w.i16(-1);
  w.i16(1);  // pages
  w.i16(1);  // levels
  w.i32(int32_t(files.size()));
  w.bytes(leaf);
  for (const RawFile& f : files) {
    w.i32(9 + int32_t(f.data.size()));
    w.i32(int32_t(f.data.size()));
    w.u8(0);
    w.bytes(f.data);
  }
  return out;
}

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

LongKey::LongKey(int32_t v) { base::store_le32(bytes, uint32_t(v)); }

}  // namespace mvfs::testing
