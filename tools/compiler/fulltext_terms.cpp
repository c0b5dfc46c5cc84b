#include "tools/compiler/fulltext_terms.h"

#include <map>
#include <string>

#include "engine/fts/breakers/word_breakers.h"

namespace compiler {
namespace {

struct Occurrences {
  uint32_t next_position = 0;  // the topic's next word position in this field
  std::map<std::pair<std::string, uint32_t>, std::vector<titlebuild::FtsWriterOccurrence>>* terms = nullptr;
  uint32_t field = 0;
  uint32_t base_address = 0;
};

int32_t OnTerm(const uint8_t* raw, const uint8_t* term, int32_t position, intptr_t value) {
  auto& state = *reinterpret_cast<Occurrences*>(value);
  std::string key(reinterpret_cast<const char*>(term + 1), term[0]);
  (*state.terms)[{std::move(key), state.field}].push_back(
      {state.next_position++, state.base_address + uint32_t(position), raw[0]});
  return 0;
}

// Breaks one text (its pieces of at most 65,535 bytes) into `state`.
void Break(std::string_view text, Occurrences& state, const fts::CharTable& table, const fts::StopList* stop_list) {
  fts::BreakerState breaker;
  fts::BreakerCall call;
  call.state = &breaker;
  call.callback = OnTerm;
  call.callback_value = reinterpret_cast<intptr_t>(&state);
  call.char_table = &table;
  call.stop_list = stop_list;
  for (size_t at = 0; at < text.size(); at += 0xFFFF) {
    const std::string_view piece = text.substr(at, 0xFFFF);
    call.text = reinterpret_cast<const uint8_t*>(piece.data());
    call.length = uint16_t(piece.size());
    call.position = int32_t(at);
    fts::FBreakWords(call);
  }
  call.text = nullptr;
  call.length = 0;
  fts::FBreakWords(call);
}

}  // namespace

const std::vector<std::string_view>& LibraryStopWords() {
  static const std::vector<std::string_view> words = {"a", "i", "o", "u", "w", "z", "we", "ze", "na", "od", "po",
                                                      "si\xEA", "\xBF" "e", "to", "jest"};
  return words;
}

std::vector<titlebuild::FtsWriterTerm> CollectFullTextTerms(const std::vector<titlebuild::TopicSource>& topics,
                                                            const titlebuild::TopicFileLayout& layout,
                                                            const fts::CharTable& table, const fts::StopList* stop_list) {
  std::map<std::pair<std::string, uint32_t>, std::vector<titlebuild::FtsWriterTopic>> postings;
  for (size_t t = 0; t < topics.size(); ++t) {
    std::map<std::pair<std::string, uint32_t>, std::vector<titlebuild::FtsWriterOccurrence>> terms;
    Occurrences body{0, &terms, 0, 0};
    for (size_t r = 0; r < topics[t].records.size(); ++r) {
      body.base_address = uint32_t(layout.record_addresses[t][r]);
      Break(topics[t].records[r].text, body, table, stop_list);
    }
    // Title words are numbered on after the text's, so that a phrase never joins words of the two.
    Occurrences title{body.next_position, &terms, 1, uint32_t(layout.topic_addresses[t])};
    Break(topics[t].title, title, table, stop_list);
    for (auto& [key, occurrences] : terms) postings[key].push_back({uint32_t(t), 0, std::move(occurrences)});
  }
  std::vector<titlebuild::FtsWriterTerm> result;
  result.reserve(postings.size());
  for (auto& [key, list] : postings) {
    if (key.first.empty() || key.first.size() > 255) continue;
    titlebuild::FtsWriterTerm term;
    term.key = key.first;
    term.field = key.second;
    term.topics = std::move(list);
    result.push_back(std::move(term));
  }
  return result;
}

}  // namespace compiler
