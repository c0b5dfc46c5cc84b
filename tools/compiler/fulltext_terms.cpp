#include "tools/compiler/fulltext_terms.h"

#include <algorithm>
#include <cctype>

#include "tools/titlebuild/fts_text_terms.h"

namespace compiler {

const std::vector<std::string_view>& LibraryStopWords() {
  static const std::vector<std::string_view> words = {"a", "i", "o", "u", "w", "z", "we", "ze", "na", "od", "po",
                                                      "si\xEA", "\xBF" "e", "to", "jest"};
  return words;
}

namespace {

bool IsWordByte(char c) { return uint8_t(c) >= 0x80 || std::isalnum(uint8_t(c)); }

// Where `word` stands whole in `text` at or after `from`, or npos.
size_t FindWhole(std::string_view text, std::string_view word, size_t from) {
  for (size_t at = text.find(word, from); at != std::string_view::npos; at = text.find(word, at + 1)) {
    const bool starts = at == 0 || !IsWordByte(text[at - 1]) || !IsWordByte(word.front());
    const size_t end = at + word.size();
    const bool ends = end == text.size() || !IsWordByte(text[end]) || !IsWordByte(word.back());
    if (starts && ends) return at;
  }
  return std::string_view::npos;
}

}  // namespace

std::vector<TitleWord> PlaceTitleWords(std::string_view title, const std::vector<std::string_view>& records,
                                       const std::vector<int32_t>& addresses, int32_t topic_address) {
  std::vector<TitleWord> words;
  size_t record = 0, offset = 0;
  for (size_t start = 0; start < title.size();) {
    const size_t blank = std::min(title.find(' ', start), title.size());
    const std::string_view word = title.substr(start, blank - start);
    const size_t title_offset = start;
    start = blank + 1;
    if (word.empty()) continue;
    bool placed = false;
    // A title cut short ends its last word in "...", which the text does not hold.
    for (std::string_view form : {word, word.substr(0, word.find_last_not_of('.') + 1)}) {
      for (size_t r = record; r < records.size() && !form.empty() && !placed; ++r) {
        const size_t at = FindWhole(records[r], form, r == record ? offset : 0);
        if (at == std::string_view::npos) continue;
        words.push_back({form, uint32_t(addresses[r]) + uint32_t(at)});
        record = r;
        offset = at + form.size();
        placed = true;
      }
      if (placed) break;
    }
    if (!placed) words.push_back({word, uint32_t(topic_address) + uint32_t(title_offset)});
  }
  return words;
}

std::vector<titlebuild::FtsWriterTerm> CollectFullTextTerms(const std::vector<titlebuild::TopicSource>& topics,
                                                            const titlebuild::TopicFileLayout& layout,
                                                            const fts::CharTable& table, const fts::StopList* stop_list) {
  std::vector<titlebuild::TextForIndex> texts;
  for (size_t t = 0; t < topics.size(); ++t) {
    for (size_t r = 0; r < topics[t].records.size(); ++r)
      texts.push_back({uint32_t(t), topics[t].records[r].text, uint32_t(layout.record_addresses[t][r]), 0});
    std::vector<std::string_view> records;
    for (const titlebuild::TopicRecordSource& r : topics[t].records) records.push_back(r.text);
    for (const TitleWord& w : PlaceTitleWords(topics[t].title, records, layout.record_addresses[t], layout.topic_addresses[t]))
      texts.push_back({uint32_t(t), w.text, w.address, 1});
  }
  return titlebuild::TermsFromTexts(texts, table, stop_list);
}

}  // namespace compiler
