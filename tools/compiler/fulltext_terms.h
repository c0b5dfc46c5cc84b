// The terms of the library's full-text index: every word of the topics' record texts in field 0 and
// of their titles in field 1, broken and folded by the word breaker under the library's character
// table and stop list, with its word position (counted per topic, the title's words after the
// text's), address (the topic address of its first character) and length. A title's words are
// placed where the topic's own records show them, so that their hits point at text the reader sees.
#pragma once

#include <string_view>
#include <vector>

#include "engine/fts/common/char_table.h"
#include "engine/fts/common/stop_list.h"
#include "tools/titlebuild/fts_index_writer.h"
#include "tools/titlebuild/topic_writer.h"

namespace compiler {

// The library's stop words (CP1250): short words that carry no meaning for a search.
const std::vector<std::string_view>& LibraryStopWords();

// A word of a topic's title and the topic address it is indexed at.
struct TitleWord {
  std::string_view text;
  uint32_t address = 0;
};

// The title's words (split at blanks) with the address of their first occurrence in the records,
// taken in title order: each word is looked for whole from where the previous one was found. A word
// that no record holds keeps the topic address plus its offset in the title.
std::vector<TitleWord> PlaceTitleWords(std::string_view title, const std::vector<std::string_view>& records,
                                       const std::vector<int32_t>& addresses, int32_t topic_address);

std::vector<titlebuild::FtsWriterTerm> CollectFullTextTerms(const std::vector<titlebuild::TopicSource>& topics,
                                                            const titlebuild::TopicFileLayout& layout,
                                                            const fts::CharTable& table, const fts::StopList* stop_list);

}  // namespace compiler
