#include "tools/titlebuild/address_tree_writer.h"

#include <map>

#include "engine/mvfs/btree_authoring.h"
#include "engine/title/context_hash.h"
#include "platform/base/byte_io.h"

namespace titlebuild {
namespace {

// Writes a tree of 'L' keys in ascending key order (the order the keys compare as signed values).
InternalFileWriter tree_writer(std::string format, std::map<int32_t, std::vector<uint8_t>> entries) {
  return [format = std::move(format), entries = std::move(entries)](mvfs::TitleFileSystem* fs, const std::string& name) {
    mvfs::BtCreateParams params;
    params.fs = fs;
    params.format = format;
    mvfs::BtreePtr tree = mvfs::BtCreate(name.c_str(), params);
    if (!tree) return int(mvfs::FsGetLastError());
    for (const auto& [key, record] : entries) {
      uint8_t key_bytes[4];
      base::store_le32(key_bytes, uint32_t(key));
      if (const mvfs::FsErrorCode code = mvfs::BtInsert(tree.get(), key_bytes, record)) {
        mvfs::BtAbandon(std::move(tree));
        return int(code);
      }
    }
    return int(mvfs::BtClose(std::move(tree)));
  };
}

}  // namespace

void AddContextTree(TitleBuilder& builder, const std::vector<std::pair<std::string, int32_t>>& contexts) {
  std::map<int32_t, std::vector<uint8_t>> entries;
  for (const auto& [context, address] : contexts) {
    std::vector<uint8_t> record(4);
    base::store_le32(record.data(), uint32_t(address));
    entries[int32_t(title::HashContextString(context))] = record;
  }
  builder.add_writer("|CONTEXT", tree_writer("L4", std::move(entries)));
}

void AddTitleStringTree(TitleBuilder& builder, const std::vector<std::pair<int32_t, std::string>>& titles) {
  std::map<int32_t, std::vector<uint8_t>> entries;
  for (const auto& [address, text] : titles) {
    std::vector<uint8_t> record(text.begin(), text.end());
    record.push_back(0);
    entries[address] = record;
  }
  builder.add_writer("|TTLBTREE", tree_writer("Lz", std::move(entries)));
}

}  // namespace titlebuild
