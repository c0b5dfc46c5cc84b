#include "tools/compiler/fulltext_terms.h"

#include "tools/titlebuild/fts_text_terms.h"

namespace compiler {

const std::vector<std::string_view>& LibraryStopWords() {
  static const std::vector<std::string_view> words = {"a", "i", "o", "u", "w", "z", "we", "ze", "na", "od", "po",
                                                      "si\xEA", "\xBF" "e", "to", "jest"};
  return words;
}

std::vector<titlebuild::FtsWriterTerm> CollectFullTextTerms(const std::vector<titlebuild::TopicSource>& topics,
                                                            const titlebuild::TopicFileLayout& layout,
                                                            const fts::CharTable& table, const fts::StopList* stop_list) {
  std::vector<titlebuild::TextForIndex> texts;
  for (size_t t = 0; t < topics.size(); ++t) {
    for (size_t r = 0; r < topics[t].records.size(); ++r)
      texts.push_back({uint32_t(t), topics[t].records[r].text, uint32_t(layout.record_addresses[t][r]), 0});
    texts.push_back({uint32_t(t), topics[t].title, uint32_t(layout.topic_addresses[t]), 1});
  }
  return titlebuild::TermsFromTexts(texts, table, stop_list);
}

}  // namespace compiler
