#include "tools/titlebuild/fts_text_terms.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "engine/fts/breakers/word_breakers.h"

namespace titlebuild {
namespace {

struct TermKey {
  std::string key;
  uint32_t field = 0;
  bool operator==(const TermKey&) const = default;
};
struct TermKeyHash {
  size_t operator()(const TermKey& k) const { return std::hash<std::string>()(k.key) ^ (size_t(k.field) * 0x9E3779B9u); }
};

struct Collector {
  std::unordered_map<TermKey, std::vector<FtsWriterTopic>, TermKeyHash>* terms;
  const TextForIndex* text = nullptr;
  uint32_t word_position = 0;
};

int32_t collect(const uint8_t* raw, const uint8_t* term, int32_t position, intptr_t value) {
  auto& c = *reinterpret_cast<Collector*>(value);
  std::vector<FtsWriterTopic>& topics =
      (*c.terms)[TermKey{std::string(reinterpret_cast<const char*>(term + 1), term[0]), c.text->field}];
  if (topics.empty() || topics.back().topic != c.text->topic) topics.push_back({c.text->topic, 0, {}});
  topics.back().occurrences.push_back({c.word_position++, c.text->first_address + uint32_t(position), raw[0]});
  return 0;
}

}  // namespace

std::vector<FtsWriterTerm> TermsFromTexts(const std::vector<TextForIndex>& texts, const fts::CharTable& table,
                                          const fts::StopList* stop_list) {
  std::unordered_map<TermKey, std::vector<FtsWriterTopic>, TermKeyHash> terms;
  uint32_t word_position = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    const TextForIndex& text = texts[i];
    if (i > 0 && texts[i - 1].topic != text.topic) word_position = 0;
    Collector collector{&terms, &text, word_position};
    fts::BreakerState state;
    fts::BreakerCall call;
    call.state = &state;
    call.callback = collect;
    call.callbackValue = reinterpret_cast<intptr_t>(&collector);
    call.charTable = &table;
    call.stopList = stop_list;
    // The breaker takes at most 65,535 bytes a call and keeps a word that runs across calls whole.
    for (size_t at = 0; at < text.text.size(); at += UINT16_MAX) {
      call.text = reinterpret_cast<const uint8_t*>(text.text.data()) + at;
      call.length = uint16_t(std::min<size_t>(UINT16_MAX, text.text.size() - at));
      call.position = int32_t(at);
      fts::FBreakWords(call);
    }
    call.text = nullptr;
    call.length = 0;
    fts::FBreakWords(call);
    word_position = collector.word_position;
  }
  std::vector<FtsWriterTerm> out;
  out.reserve(terms.size());
  for (auto& [key, topics] : terms) out.push_back({key.key, key.field, std::move(topics), std::nullopt});
  return out;
}

}  // namespace titlebuild
