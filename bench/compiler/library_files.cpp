// library-files TITLE: lists the internal files of a title with their sizes, largest first, and each
// one's share of the title file; files below half a percent are summed in one line, and the
// container's own bytes (directory, headers, free space) in another. bench/compiler/library_size.sh
// shows it beside the other figures.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/handles.h"
#include "engine/mvfs/title_file_system.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: library-files TITLE\n");
    return 2;
  }
  mvfs::TitleFileSystemPtr fs =
      mvfs::FsOpen(mvfs::FmNewFromPath(argv[1], mvfs::kFmCurrentFolder).get(), mvfs::kFsOpenReadOnly);
  if (!fs) {
    std::fprintf(stderr, "library-files: %s cannot be opened\n", argv[1]);
    return 1;
  }
  std::vector<std::pair<int64_t, std::string>> files;
  std::vector<uint8_t> key;
  mvfs::BtPosition position;
  mvfs::BtreeHandle* directory = fs->directory.get();
  for (mvfs::FsErrorCode code = mvfs::BtFirst(directory, &key, nullptr, &position); code == 0 && position.page >= 0;) {
    const std::string name(key.begin(), std::find(key.begin(), key.end(), uint8_t(0)));
    mvfs::InternalFilePtr file = mvfs::FsOpenFile(fs.get(), name.c_str(), mvfs::kFsOpenReadOnly);
    files.emplace_back(file ? mvfs::FsGetFileSize(file.get()) : -1, name);
    int32_t moved = 0;
    if (mvfs::BtMovePosition(directory, position, 1, &moved, &position) != 0 || moved != 1) break;
    if (mvfs::BtGetAt(directory, position, &key, nullptr) != 0) break;
  }
  std::sort(files.rbegin(), files.rend());
  const double total = double(std::filesystem::file_size(argv[1]));
  const auto line = [&](const std::string& name, int64_t size) {
    std::printf("  %-16s %10lld bytes %5.1f %%\n", name.c_str(), static_cast<long long>(size),
                100.0 * double(size) / total);
  };
  int64_t listed = 0, small = 0;
  size_t small_files = 0;
  for (const auto& [size, name] : files) {
    listed += std::max<int64_t>(size, 0);
    if (double(size) >= total / 200) {
      line(name, size);
    } else {
      small += std::max<int64_t>(size, 0);
      ++small_files;
    }
  }
  char others[32];
  std::snprintf(others, sizeof others, "(%zu others)", small_files);
  line(others, small);
  line("(container)", static_cast<int64_t>(total) - listed);
  return 0;
}
