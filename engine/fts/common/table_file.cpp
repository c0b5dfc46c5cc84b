// Reading the full-text tables from a title through the full-text file layer.
#include "engine/fts/common/table_file.h"

#include <algorithm>

#include "engine/fts/common/fts_file.h"

namespace fts {
namespace {

constexpr size_t kReadPiece = 4096;

}  // namespace

int32_t FtsReadTableFile(mvfs::TitleFileSystem* fs, std::string_view name, std::string_view default_internal,
                         size_t limit, std::vector<uint8_t>& out, FtsError* error) {
  out.clear();
  FtsFilePtr wrapper;
  if (fs && !(wrapper = FtsWrapFileSystem(fs, error))) return error ? error->code : kFtsNoMemory;
  FtsFilePtr file = FtsFileOpen(&wrapper, name, default_internal, FtsFileKind::kInternal, 0, error);
  if (!file) return error && error->code ? error->code : kFtsNotFound;
  int32_t code = kFtsOk;
  while (out.size() < limit) {
    const size_t at = out.size();
    const size_t want = std::min(kReadPiece, limit - at);
    out.resize(at + want);
    const int64_t got = FtsFileReadAt(file.get(), out.data() + at, at, want, error);
    if (got < 0) {
      code = FtsSetError(error, kFtsReadFailed);
      break;
    }
    out.resize(at + size_t(got));
    if (size_t(got) < want) break;
  }
  FtsFileClose(std::move(file));
  return code;
}

}  // namespace fts
