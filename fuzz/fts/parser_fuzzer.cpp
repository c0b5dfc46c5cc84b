// The query parser over any text, flags and both operator tables, and the evaluation of what it
// parses against a small index. Input: byte 0 flags (bit 0 default OR, bit 1 no syntax, bit 2 an
// invalid flag), byte 1 bit 0 the Polish operator table; the rest is the query text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/query_parser.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace {

fts::WordBreakerTablePtr make_breakers() {
  auto table = std::make_unique<fts::WordBreakerTable>();
  table->slots[0].breaker = fts::BreakerKind::kWords;
  table->slots[0].charTable = fts::FtsDefaultCharTable(nullptr);
  table->slots[1].breaker = fts::BreakerKind::kNumber;
  table->slots[2].breaker = fts::BreakerKind::kDate;
  table->slots[3].breaker = fts::BreakerKind::kEpoch;
  table->slots[4].breaker = fts::BreakerKind::kTime;
  table->slots[5].breaker = fts::BreakerKind::kWordsAndStem;
  return table;
}

fts::OperatorTablePtr polish_operators() {
  fts::OperatorTable table;
  for (auto [word, code] : {std::pair<std::string, uint16_t>{"ORAZ", fts::kOpAnd}, {"LUB", fts::kOpOr},
                            {"NIE", fts::kOpNot}, {"PRZY", fts::kOpNear}, {"DO", fts::kOpThru},
                            {"VFLD", fts::kOpVfld}, {"DTYPE", fts::kOpDtype}}) {
    std::vector<uint8_t> w{uint8_t(word.size())};
    w.insert(w.end(), word.begin(), word.end());
    table.entries.push_back({w, code});
  }
  return std::make_unique<fts::OperatorTable>(table);
}

// A small index of words that queries are likely to name.
fts::FtsIndexPtr make_index() {
  std::vector<titlebuild::FtsWriterTerm> terms;
  const char* words[] = {"a", "and", "b", "c", "lub", "oraz", "podatek", "tax", "ustawa", "ustawy", "z"};
  uint32_t seed = 1;
  for (const char* w : words) {
    titlebuild::FtsWriterTerm t{w, 0, {}, {}};
    for (uint32_t topic = seed % 3; topic < 40; topic += 1 + seed % 5) {
      titlebuild::FtsWriterTopic top{topic, uint16_t(seed * 977), {}};
      for (uint32_t p = seed % 4; p < 30; p += 2 + (seed + topic) % 6) top.occurrences.push_back({p, p * 8, 3});
      t.topics.push_back(top);
    }
    terms.push_back(t);
    seed = seed * 7 + 3;
  }
  titlebuild::FtsIndexWriterOptions o;
  o.topic_count = 40;
  o.weights = true;
  o.leaf_bytes = 60;
  const std::vector<uint8_t> bytes = titlebuild::WriteFtsIndex(terms, o);
  base::OsFile file;
  std::string path;
  if (base::create_temp_file("fzidx", ".bin", file, path) != base::OsError::None) std::abort();
  file.write(bytes.data(), bytes.size());
  file.close();
  static fts::FtsError error;
  return fts::FtsOpenIndex(nullptr, path, nullptr, 0, &error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static fts::WordBreakerTablePtr breakers = make_breakers();
  static fts::OperatorTablePtr polish = polish_operators();
  static fts::FtsIndexPtr index = make_index();
  fts::FtsParseRequest request;
  request.flags = uint16_t((data[0] & 1) | ((data[0] & 2) ? fts::kParseNoSyntax : 0) | ((data[0] & 4) ? 0x10 : 0));
  request.operators = (data[1] & 1) ? polish.get() : nullptr;
  request.nearDistance = data[1] >> 4;
  request.breakers = breakers.get();
  request.text = data + 2;
  request.length = uint16_t(std::min<size_t>(size - 2, 65535));
  fts::FtsError error;
  fts::QueryTreePtr tree = fts::FtsParseQuery(request, &error);
  if (!tree) {
    if (error.code == 0 || error.position < 0 || error.position > request.length) std::abort();
    return 0;
  }
  if (tree->nodes.size() > fts::kMaxQueryNodes) std::abort();
  tree->occurrenceLimit = 5000;
  fts::FtsHitListPtr hits = fts::FtsSearch(index.get(), tree.get(), 0, data[1] & 0x02 ? fts::kSearchRankByWeight : 0, nullptr);
  if (hits)
    for (const fts::FtsHit& h : hits->hits)
      if (h.topic >= 40) std::abort();
  return 0;
}
