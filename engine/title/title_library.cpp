#include "engine/title/title_library.h"

#include <string>
#include <string_view>

#include "engine/fcmanage/topic_block.h"
#include "engine/title/title.h"
#include "platform/base/byte_io.h"

namespace title {
namespace {

bool equal_no_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = (a[i] >= 'A' && a[i] <= 'Z') ? char(a[i] + 32) : a[i];
    const char y = (b[i] >= 'A' && b[i] <= 'Z') ? char(b[i] + 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

std::unique_ptr<mvfs::LoadedLibrary> load_with_extensions(const std::string& file, mvfs::FsErrorCode& fs_code) {
  for (const char* extension : {"", ".DLL", ".EXE"}) {
    std::unique_ptr<mvfs::LoadedLibrary> library = mvfs::FmLoadLibrary((file + extension).c_str(), &fs_code);
    if (library || fs_code != mvfs::kFsNotFound) return library;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<mvfs::LoadedLibrary> TtlLoadDll(TitleHandle* title, const char* name, int32_t& code) {
  code = mvfs::kFsNotFound;
  if (!TtlIsValid(title) || !name) return nullptr;
  mvfs::FsErrorCode fs_code = mvfs::kFsNotFound;
  std::unique_ptr<mvfs::LoadedLibrary> library;
  SystemRecord record;
  size_t at = 0;
  while (const std::optional<size_t> next = TtlSystemRecord(title->system.body, kTagLibraryAlias, at, record)) {
    at = *next;
    base::ByteReader in(record.data);
    std::string_view strings[4];
    for (auto& s : strings) in.cstring(s);
    if (in.ok() && equal_no_case(strings[0], name) && !strings[3].empty()) {
      library = load_with_extensions(std::string(strings[3]), fs_code);
      break;
    }
  }
  if (!library) library = load_with_extensions(name, fs_code);
  code = library ? 0 : fs_code == mvfs::kFsNoMemory ? fcmanage::kTopicNoMemory : int32_t(fs_code);
  return library;
}

}  // namespace title
