// Index terms from plain texts: each text is broken into words by the word breaker under a character
// table, and every word becomes an occurrence (word position, character address, length) of its
// normalised form in the text's topic. The result feeds the full-text index writer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/fts/common/char_table.h"
#include "engine/fts/common/stop_list.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace titlebuild {

struct TextForIndex {
  uint32_t topic = 0;          // texts come in ascending topic order
  std::string_view text;       // CP1250
  uint32_t first_address = 0;  // character address of the text's first byte
  uint32_t field = 0;
};

// The terms of all texts, ready for WriteFtsIndex. Word positions run on over consecutive texts of
// one topic (a topic given as several texts numbers its words as one text); words of the stop list,
// when one is given, are left out.
std::vector<FtsWriterTerm> TermsFromTexts(const std::vector<TextForIndex>& texts, const fts::CharTable& table,
                                          const fts::StopList* stop_list = nullptr);

}  // namespace titlebuild
