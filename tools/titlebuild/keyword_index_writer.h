// Writes keyword indexes into a title: the keyword B-tree with its {count, offset} records, the
// ordinal map taken from the tree's leaf chain, the keyword data (the topic-address lists) and,
// when asked, a full-text index of the keywords' words whose topics are the keyword ordinals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/fts/common/char_table.h"
#include "engine/mvfs/btree.h"
#include "tools/titlebuild/title_builder.h"

namespace titlebuild {

struct KeywordEntry {
  std::string keyword;               // CP1250, no NUL; e.g. "%y-%m-%d" dates for "|u"
  std::vector<uint32_t> addresses;   // TopicAddress values, at most 65,535
};

struct KeywordIndexOptions {
  char key_type = 'i';            // 'z', 'i', 'S' or 'P' (the title's per-face maps collate 'P')
  uint16_t page_size = 0;         // 0: the B-tree default; small pages make many leaves
  const mvfs::BtCharMaps* char_maps = nullptr;
  // A full-text index of the keywords' words (n + "KWINDEX") broken under this table; none when null.
  const fts::CharTable* word_index_table = nullptr;
};

// The keywords in the order the B-tree keeps them (ordinal order). Keywords that collate equal keep
// only the first.
std::vector<KeywordEntry> SortKeywords(std::vector<KeywordEntry> keywords, const KeywordIndexOptions& options);

// Adds keyword index `name` ("|t", "|i", ...; other names get the ".WWT"/".WWM"/".WWI" files and no
// keyword data). Throws std::invalid_argument for a keyword with more than 65,535 addresses.
void AddKeywordIndex(TitleBuilder& builder, const std::string& name, std::vector<KeywordEntry> keywords,
                     const KeywordIndexOptions& options = {});

}  // namespace titlebuild
