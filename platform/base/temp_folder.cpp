#include "platform/base/temp_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

namespace base {
namespace {

std::string make_folder() {
  const char* env = std::getenv("TMPDIR");
  std::string root = (env && *env) ? env : "/tmp";
  std::string templ = root + "/lumokal-" + std::to_string(::getpid()) + "-XXXXXX";
  if (!::mkdtemp(templ.data())) return {};
  ::chmod(templ.c_str(), 0700);
  return templ;
}

struct Folder {
  std::string path = make_folder();
  ~Folder() {
    if (path.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

const std::string& temp_folder() {
  static Folder folder;
  return folder.path;
}

OsError create_temp_file(const std::string& prefix, const std::string& extension, OsFile& file,
                         std::string& path) {
  static std::atomic<uint32_t> counter{0};
  const std::string& dir = temp_folder();
  if (dir.empty()) return OsError::Access;
  for (int attempt = 0; attempt < 10000; ++attempt) {
    path = dir + "/" + prefix + std::to_string(counter.fetch_add(1) + 1) + extension;
    OsError e = file.open(path, OpenMode::CreateExclusive);
    if (e != OsError::Exists) {
      if (e != OsError::None) path.clear();
      return e;
    }
  }
  path.clear();
  return OsError::Exists;
}

OsError create_unnamed_temp_file(OsFile& file) {
  const std::string& dir = temp_folder();
  if (dir.empty()) return OsError::Access;
  const OsError e = file.open_unnamed(dir);
  if (e != OsError::Invalid) return e;
  std::string path;
  if (const OsError named = create_temp_file("tmp", "", file, path); named != OsError::None) return named;
  remove_file(path);
  return OsError::None;
}

}  // namespace base
