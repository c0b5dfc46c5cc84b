#include "tools/titlebuild/keyword_index_writer.h"

#include <algorithm>
#include <stdexcept>

#include "engine/fts/index/word_wheel.h"
#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/btree_keys.h"
#include "platform/base/byte_io.h"
#include "tools/titlebuild/fts_index_writer.h"
#include "tools/titlebuild/fts_text_terms.h"

namespace titlebuild {
namespace {

std::span<const uint8_t> key_bytes(const std::string& keyword) {
  return {reinterpret_cast<const uint8_t*>(keyword.c_str()), keyword.size() + 1};
}

// The ordinal map of a tree: {u16 entry count}, then {i32 ordinal of the leaf's first key, u16 leaf
// page} for every leaf in chain order (the reader is BtMapOpen).
std::vector<uint8_t> ordinal_map(mvfs::BtreeHandle* tree, int32_t count) {
  std::vector<uint8_t> map;
  base::ByteWriter w(map);
  w.u16(0);
  uint16_t leaves = 0;
  mvfs::BtPosition position;
  if (count > 0 && mvfs::BtFirst(tree, nullptr, nullptr, &position) == mvfs::kFsOk) {
    for (int32_t ordinal = 0; ordinal < count; ++ordinal) {
      if (position.index == 0) {
        w.i32(ordinal);
        w.u16(uint16_t(position.page));
        ++leaves;
      }
      if (mvfs::BtMovePosition(tree, position, 1, nullptr, &position) != mvfs::kFsOk) break;
    }
  }
  w.patch_u16(0, leaves);
  return map;
}

// Writes the B-tree of sorted keywords and, beside it, its ordinal map.
InternalFileWriter tree_writer(std::vector<std::pair<std::string, std::vector<uint8_t>>> records,
                               const KeywordIndexOptions& options, std::string map_name) {
  return [records = std::move(records), options, map_name = std::move(map_name)](mvfs::TitleFileSystem* fs,
                                                                                 const std::string& name) {
    mvfs::BtCreateParams params;
    params.fs = fs;
    params.pageSize = options.page_size;
    params.format = std::string(1, options.key_type) + "24";
    params.charMaps = options.char_maps;
    mvfs::BtreePtr tree = mvfs::BtCreate(name.c_str(), params);
    if (!tree) return int(mvfs::FsGetLastError());
    for (const auto& [keyword, record] : records) {
      if (const mvfs::FsErrorCode code = mvfs::BtInsert(tree.get(), keyword.c_str(), record)) {
        mvfs::BtAbandon(std::move(tree));
        return int(code);
      }
    }
    if (const int code = WriteInternalFile(fs, map_name, ordinal_map(tree.get(), int32_t(records.size())))) {
      mvfs::BtAbandon(std::move(tree));
      return code;
    }
    return int(mvfs::BtClose(std::move(tree)));
  };
}

}  // namespace

std::vector<KeywordEntry> SortKeywords(std::vector<KeywordEntry> keywords, const KeywordIndexOptions& options) {
  const mvfs::BtKeyType type{options.key_type, options.char_maps};
  auto less = [&](const KeywordEntry& a, const KeywordEntry& b) {
    return mvfs::BtCompareKeys(key_bytes(a.keyword), key_bytes(b.keyword), type) < 0;
  };
  std::stable_sort(keywords.begin(), keywords.end(), less);
  keywords.erase(std::unique(keywords.begin(), keywords.end(),
                             [&](const KeywordEntry& a, const KeywordEntry& b) { return !less(a, b); }),
                 keywords.end());
  return keywords;
}

void AddKeywordIndex(TitleBuilder& builder, const std::string& name, std::vector<KeywordEntry> keywords,
                     const KeywordIndexOptions& options) {
  keywords = SortKeywords(std::move(keywords), options);
  const fts::KeywordIndexNames names = fts::WwFileNames(name);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> records;
  std::vector<uint8_t> data;
  base::ByteWriter w(data);
  for (const KeywordEntry& entry : keywords) {
    if (entry.addresses.size() > UINT16_MAX) throw std::invalid_argument("a keyword holds at most 65,535 addresses");
    std::vector<uint8_t> record(fts::kWwRecordSize);
    base::store_le16(record.data(), uint16_t(entry.addresses.size()));
    base::store_le32(record.data() + 2, uint32_t(data.size()));
    for (uint32_t address : entry.addresses) w.u32(address);
    records.emplace_back(entry.keyword, std::move(record));
  }
  if (options.word_index_table) {
    std::vector<TextForIndex> texts;
    for (uint32_t ordinal = 0; ordinal < keywords.size(); ++ordinal) texts.push_back({ordinal, keywords[ordinal].keyword, 0, 0});
    FtsIndexWriterOptions index_options;
    index_options.topic_count = uint32_t(keywords.size());
    AddFtsIndex(builder, TermsFromTexts(texts, *options.word_index_table), index_options, names.index);
  }
  builder.add_writer(names.btree, tree_writer(std::move(records), options, names.map));
  if (!names.data.empty()) builder.add_file(names.data, std::move(data));
}

}  // namespace titlebuild
