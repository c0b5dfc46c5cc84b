// What the binder tests share: a fresh private folder, and the contents index of the library the
// compiler makes of the sample acts, read into memory once as the application does.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "shell/core/contents_reader.h"
#include "tests/compiler/library_fixture.h"

namespace binders_test {

// An empty folder of that name in the private temporary folder.
inline std::string FreshFolder(const std::string& name) {
  const std::string folder = base::temp_folder() + "/" + name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline const shell::ContentsIndexReader& SampleIndex() {
  static shell::ContentsIndexReader index = [] {
    shell::ContentsIndexReader r;
    const auto& library = compiler_test::Compile(compiler_test::SourceDir() + "/samples/acts", "binders_sample");
    std::vector<uint8_t> bytes;
    base::read_file(library.folder + "/Index.idx", bytes);
    r.OpenBytes(bytes);
    return r;
  }();
  return index;
}

// The first record of the sample index that `wanted` accepts, or -1.
inline int32_t FindRecord(const std::function<bool(const shell::ContentsRecord&)>& wanted) {
  const shell::ContentsIndexReader& index = SampleIndex();
  for (int32_t n = 0; n < index.RecordCount(); ++n) {
    shell::ContentsRecord r;
    if (index.ReadRecord(n, r) && wanted(r)) return n;
  }
  return -1;
}

}  // namespace binders_test
