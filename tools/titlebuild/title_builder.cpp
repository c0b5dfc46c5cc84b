#include "tools/titlebuild/title_builder.h"

#include "engine/mvfs/fs_authoring.h"
#include "platform/base/os_file.h"

namespace titlebuild {

void TitleBuilder::add_file(const std::string& name, std::vector<uint8_t> bytes) {
  files_[name] = Entry{std::move(bytes), nullptr};
}

void TitleBuilder::add_writer(const std::string& name, InternalFileWriter writer) {
  files_[name] = Entry{{}, std::move(writer)};
}

const std::vector<uint8_t>& TitleBuilder::file(const std::string& name) const {
  static const std::vector<uint8_t> none;
  const auto it = files_.find(name);
  return it == files_.end() ? none : it->second.bytes;
}

int WriteInternalFile(mvfs::TitleFileSystem* fs, const std::string& name, const std::vector<uint8_t>& bytes) {
  mvfs::InternalFilePtr file = mvfs::FsCreateFile(fs, name.c_str(), 0);
  if (!file) return mvfs::FsGetLastError();
  if (!bytes.empty() && mvfs::FsWriteFile(file.get(), bytes.data(), int64_t(bytes.size())) != int64_t(bytes.size())) {
    const int code = mvfs::FsGetLastError();
    mvfs::FsAbandonFile(std::move(file));
    return code ? code : mvfs::kFsWriteFailed;
  }
  return mvfs::FsCloseFile(std::move(file));
}

int TitleBuilder::write(const std::string& path) const {
  base::remove_file(path);
  const mvfs::FileMoniker moniker(path);
  mvfs::TitleFileSystemPtr fs = mvfs::FsCreate(&moniker, nullptr);
  if (!fs) return mvfs::FsGetLastError();
  for (const auto& [name, entry] : files_) {
    const int code = entry.writer ? entry.writer(fs.get(), name) : WriteInternalFile(fs.get(), name, entry.bytes);
    if (code) {
      mvfs::FsClose(std::move(fs));
      return code;
    }
  }
  return mvfs::FsClose(std::move(fs));
}

}  // namespace titlebuild
