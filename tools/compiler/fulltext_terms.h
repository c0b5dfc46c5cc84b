// The terms of the library's full-text index: every word of the topics' record texts in field 0 and
// of their titles in field 1, broken and folded by the word breaker under the library's character
// table and stop list, with its word position (counted per topic, the title's words after the
// text's), address (the topic
// address of its first character) and length.
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

std::vector<titlebuild::FtsWriterTerm> CollectFullTextTerms(const std::vector<titlebuild::TopicSource>& topics,
                                                            const titlebuild::TopicFileLayout& layout,
                                                            const fts::CharTable& table, const fts::StopList* stop_list);

}  // namespace compiler
