#include "engine/fts/index/fts_index.h"

#include <algorithm>

#include "engine/fts/common/fts_path.h"

namespace fts {

FtsIndex::~FtsIndex() {
  // The internal file goes before the file system that holds it.
  if (file) FtsFileClose(std::move(file));
  if (wrapper) {
    if (FtsFileGetKind(wrapper.get()) == FtsFileKind::kWrapper)
      FtsFreeWrapper(std::move(wrapper));
    else
      FtsFileClose(std::move(wrapper));
  }
}

namespace {

// Reads exactly `count` bytes at `offset`: 0, the file layer's code (the poll callback's refusal
// among them) or 2022 for a short read.
int32_t read_exact(FtsIndex& index, uint64_t offset, uint8_t* out, size_t count) {
  const int64_t done = FtsFileReadAt(index.file.get(), out, offset, count, index.error);
  if (done == kFtsTransferFailed) {
    const int32_t code = index.error ? index.error->code : kFtsDamaged;
    return FtsSetError(index.error, code ? code : kFtsDamaged);
  }
  if (size_t(done) != count) return FtsSetError(index.error, kFtsDamaged);
  return kFtsOk;
}

}  // namespace

int32_t FtsReadIndexHeader(FtsIndex& index) {
  uint8_t bytes[kIndexHeaderSize];
  if (int32_t code = read_exact(index, 0, bytes, sizeof bytes)) return code;
  if (int32_t code = ParseIndexHeader(bytes, index.header)) return FtsSetError(index.error, code);
  index.trailerSize = index.header.trailer_size();
  return kFtsOk;
}

int32_t FtsLoadRoot(FtsIndex& index) {
  if (index.root) return kFtsOk;
  auto root = std::make_unique<IndexBlock>();
  if (int32_t code = read_exact(index, IndexBlockOffset(index.header.root), root->data(), root->size()))
    return code;
  index.root = std::move(root);
  return kFtsOk;
}

int32_t FtsReadIndexBlock(FtsIndex& index, uint32_t block, IndexBlock& out) {
  if (block == index.header.root && index.root) {
    out = *index.root;
    return kFtsOk;
  }
  return read_exact(index, IndexBlockOffset(block), out.data(), out.size());
}

FtsIndexPtr FtsOpenIndex(mvfs::TitleFileSystem* fs, std::string_view name, FtsPollCallback poll,
                         intptr_t poll_value, FtsError* error) {
  auto index = std::make_unique<FtsIndex>();
  index->poll = poll;
  index->pollValue = poll_value;
  index->error = error;
  if (fs) {
    index->wrapper = FtsWrapFileSystem(fs, error);
    if (!index->wrapper) return nullptr;
    index->file = FtsFileOpen(&index->wrapper, name.empty() ? kFtsIndexFileName : name, kFtsIndexFileName,
                              FtsFileKind::kInternal, 0, error);
  } else if (FtsHasSubfileMark(name)) {
    index->file = FtsFileOpen(&index->wrapper, name, kFtsIndexFileName, FtsFileKind::kInternal, 0, error);
  } else {
    index->file = FtsFileOpen(nullptr, name, kFtsIndexFileName, FtsFileKind::kOsFile, 0, error);
  }
  if (!index->file) return nullptr;
  FtsFileSetPoll(index->file.get(), poll, poll_value);
  if (FtsReadIndexHeader(*index) || FtsLoadRoot(*index)) return nullptr;
  return index;
}

void FtsCloseIndex(FtsIndexPtr index) { index.reset(); }

}  // namespace fts
