// The damaged titles of the query fuzzers: the five-act query title with a keyword index "|a", where
// one internal file is replaced by its own bytes overwritten as the input says.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/mvfs/title_file_system.h"
#include "fuzz/title/spliced_title.h"
#include "platform/base/byte_io.h"
#include "tests/fts_query/query_title.h"

namespace fts_query_fuzz {

inline void add_keywords(titlebuild::TitleBuilder& b) {
  static const fts::CharTable table = titlebuild::polish_char_table();
  titlebuild::KeywordIndexOptions options;
  options.page_size = 128;
  options.word_index_table = &table;
  titlebuild::AddKeywordIndex(b, "|a",
                              {{"Kodeks pracy", {1, 2}},
                               {"Ustawa o podatku dochodowym", {3}},
                               {"Ustawa o ochronie zdrowia", {4, 5, 6}},
                               {"Rozporz\xb9" "dzenie w sprawie podatku", {}},
                               {"Obwieszczenie", {7}}},
                              options);
}

// The bytes of each named internal file of the undamaged title, read once.
inline const std::map<std::string, std::vector<uint8_t>>& base_files(const std::vector<std::string>& names) {
  static std::map<std::string, std::vector<uint8_t>> files;
  if (!files.empty()) return files;
  fts_query_test::QueryTitle t;
  if (!t.write("fuzzbase", true, add_keywords)) std::abort();
  const mvfs::FileMoniker moniker(t.path);
  mvfs::TitleFileSystemPtr fs = mvfs::FsOpen(&moniker, mvfs::kFsOpenReadOnly);
  for (const std::string& name : names) {
    mvfs::InternalFilePtr f = mvfs::FsOpenFile(fs.get(), name.c_str(), mvfs::kFsOpenReadOnly);
    if (!f) std::abort();
    std::vector<uint8_t> bytes(size_t(mvfs::FsGetFileSize(f.get())));
    mvfs::FsReadFile(f.get(), bytes.data(), int64_t(bytes.size()));
    mvfs::FsCloseFile(std::move(f));
    files[name] = std::move(bytes);
  }
  mvfs::FsClose(std::move(fs));
  return files;
}

// Writes the title with file `target` overwritten by the (u16 offset, u8 value) triples of `patches`
// (offsets wrap at the file's size; an odd last byte cuts the file there). The title is written once
// per target file and the damaged file spliced in.
inline bool write_damaged(fts_query_test::QueryTitle& t, const std::vector<std::string>& names, size_t target,
                          const uint8_t* patches, size_t size) {
  const std::string& name = names[target];
  std::vector<uint8_t> bytes = base_files(names).at(name);
  size_t i = 0;
  for (; i + 3 <= size && !bytes.empty(); i += 3) bytes[base::load_le16(patches + i) % bytes.size()] = patches[i + 2];
  if (i + 1 == size && !bytes.empty()) bytes.resize(patches[i] % bytes.size());
  static std::map<std::string, fuzz_title::SplicedTitle> titles;
  auto it = titles.find(name);
  if (it == titles.end()) {
    const std::string base_name = "fuzzsplice" + std::to_string(titles.size()) + "_";
    it = titles.emplace(name, fuzz_title::SplicedTitle(base_files(names).at(name).size(), [&](std::vector<uint8_t> placeholder) {
      fts_query_test::QueryTitle base;
      const bool written = base.write(base_name, true, [&](titlebuild::TitleBuilder& b) {
        add_keywords(b);
        b.add_file(name, std::move(placeholder));
      });
      return written ? std::exchange(base.path, std::string()) : std::string();
    })).first;
  }
  t.path = it->second.write(bytes.data(), bytes.size());
  return !t.path.empty();
}

}  // namespace fts_query_fuzz
