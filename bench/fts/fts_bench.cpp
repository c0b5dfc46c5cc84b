// Full-text search over a synthetic Polish library of 15,000 topics written by the test index
// writer: posting decoding, a frequent-word AND, a three-word phrase, PRZY 8 in long topics, and
// prefix and leading wildcards.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/query_parser.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/fts_index_writer.h"

namespace {

constexpr uint32_t kTopics = 15000;

// Words of acts (CP1250), most frequent first; generated words make up the long tail.
const char* const kCommonWords[] = {
    "w", "i", "z", "do", "na", "o", "si\xea", "nie", "ustawy", "art", "przez", "ust", "pkt", "lub", "oraz",
    "ustawa", "podatku", "spraw", "dnia", "przepisy", "minister", "w\xb3" "a\x9c" "ciwy", "organ", "kt\xf3rym",
    "pa\xf1" "stwa", "ustaw\xea", "ustawie", "ustawowej", "skarbowej", "podatkowej", "\xbf" "e", "ochrony",
    "zdrowia", "rzeczypospolitej", "polskiej", "dziennik", "rozporz\xb9" "dzenie", "wykonania", "sprawie"};

struct Library {
  std::map<std::string, std::map<uint32_t, std::vector<uint32_t>>> postings;
};

std::string generated_word(std::mt19937& rng) {
  static const char* const kSyllables[] = {"ka", "no", "wi", "prze", "sta", "rz\xb9", "dze", "nie", "owej",
                                           "cz", "\x9c" "ci", "mo", "ta", "li", "go", "wa", "\xbfy", "ro"};
  std::string w;
  for (int n = 2 + int(rng() % 3); n > 0; --n) w += kSyllables[rng() % std::size(kSyllables)];
  return w;
}

Library make_library() {
  std::mt19937 rng(1993);
  std::vector<std::string> vocabulary(std::begin(kCommonWords), std::end(kCommonWords));
  while (vocabulary.size() < 20000) vocabulary.push_back(generated_word(rng));
  // Zipf-like: word k drawn with weight 1 / (k + 1).
  std::vector<double> weights(vocabulary.size());
  for (size_t k = 0; k < weights.size(); ++k) weights[k] = 1.0 / double(k + 1);
  std::discrete_distribution<size_t> pick(weights.begin(), weights.end());
  Library lib;
  for (uint32_t topic = 0; topic < kTopics; ++topic) {
    // Most acts are short; every hundredth is a long one.
    const uint32_t words = topic % 100 == 0 ? 20000 : 100 + rng() % 400;
    for (uint32_t p = 0; p < words; ++p) lib.postings[vocabulary[pick(rng)]][topic].push_back(p);
  }
  return lib;
}

struct Fixture {
  std::string path;
  fts::FtsIndexPtr index;
  fts::WordBreakerTablePtr breakers;
  fts::OperatorTablePtr polish;
  fts::FtsError error;
  std::string frequent;
};

Fixture& fixture() {
  static Fixture f = [] {
    Fixture f;
    Library lib = make_library();
    std::vector<titlebuild::FtsWriterTerm> terms;
    size_t most = 0;
    for (auto& [word, topics] : lib.postings) {
      titlebuild::FtsWriterTerm t{word, 0, {}, {}};
      size_t occurrences = 0;
      for (auto& [topic, positions] : topics) {
        titlebuild::FtsWriterTopic top{topic, 0, {}};
        for (uint32_t p : positions) top.occurrences.push_back({p, p * 7, uint8_t(word.size())});
        occurrences += positions.size();
        t.topics.push_back(std::move(top));
      }
      if (occurrences > most) {
        most = occurrences;
        f.frequent = word;
      }
      terms.push_back(std::move(t));
    }
    titlebuild::FtsIndexWriterOptions o;
    o.topic_count = kTopics;
    o.entry_lengths = true;
    const std::vector<uint8_t> bytes = titlebuild::WriteFtsIndex(std::move(terms), o);
    base::OsFile file;
    if (base::create_temp_file("bench", ".idx", file, f.path) != base::OsError::None) std::abort();
    file.write(bytes.data(), bytes.size());
    file.close();
    f.index = fts::FtsOpenIndex(nullptr, f.path, nullptr, 0, &f.error);
    if (!f.index) std::abort();
    f.breakers = std::make_unique<fts::WordBreakerTable>();
    f.breakers->slots[0].breaker = fts::BreakerKind::kWords;
    f.breakers->slots[0].charTable = fts::FtsDefaultCharTable(nullptr);
    fts::OperatorTable polish;
    for (auto [word, code] : {std::pair<std::string, uint16_t>{"ORAZ", fts::kOpAnd}, {"LUB", fts::kOpOr},
                              {"NIE", fts::kOpNot}, {"PRZY", fts::kOpNear}, {"DO", fts::kOpThru}}) {
      std::vector<uint8_t> w{uint8_t(word.size())};
      w.insert(w.end(), word.begin(), word.end());
      polish.entries.push_back({w, code});
    }
    f.polish = std::make_unique<fts::OperatorTable>(polish);
    return f;
  }();
  return f;
}

// Built before the benchmarks run, so that no measurement includes it.
const bool kFixtureBuilt = (fixture(), true);

class CountingSink : public fts::FtsPostingSink {
 public:
  bool wants(uint32_t) override { return true; }
  int32_t add(uint32_t, uint16_t, std::span<const fts::FtsOccurrence> occurrences) override {
    count += occurrences.size();
    return 0;
  }
  size_t count = 0;
};

void BM_PostingDecode(benchmark::State& state) {
  Fixture& f = fixture();
  std::vector<uint8_t> word{uint8_t(f.frequent.size())};
  word.insert(word.end(), f.frequent.begin(), f.frequent.end());
  size_t occurrences = 0;
  for (auto _ : state) {
    CountingSink sink;
    fts::FtsScanTerm(*f.index, {word.data(), nullptr, fts::TermMode::kPlain, 0}, sink);
    occurrences += sink.count;
  }
  state.SetItemsProcessed(int64_t(occurrences));  // items per second: occurrences decoded
}
BENCHMARK(BM_PostingDecode)->Unit(benchmark::kMillisecond);

void RunQuery(benchmark::State& state, const std::string& query) {
  Fixture& f = fixture();
  fts::FtsParseRequest request;
  request.text = reinterpret_cast<const uint8_t*>(query.data());
  request.length = uint16_t(query.size());
  request.breakers = f.breakers.get();
  request.operators = f.polish.get();
  fts::FtsError error;
  fts::QueryTreePtr tree = fts::FtsParseQuery(request, &error);
  if (!tree) {
    state.SkipWithError("query did not parse");
    return;
  }
  size_t hits = 0;
  for (auto _ : state) {
    fts::FtsHitListPtr list = fts::FtsSearch(f.index.get(), tree.get(), 0, fts::kSearchKeepInMemory, nullptr);
    hits = list ? list->hits.size() : 0;
    benchmark::DoNotOptimize(list);
  }
  state.counters["hits"] = double(hits);
}

void BM_FrequentAnd(benchmark::State& state) { RunQuery(state, "w ORAZ ustawy"); }
void BM_Phrase(benchmark::State& state) { RunQuery(state, "\"w ustawy o\""); }
void BM_Near(benchmark::State& state) { RunQuery(state, "ustawa PRZY podatku"); }
void BM_PrefixWildcard(benchmark::State& state) { RunQuery(state, "ustaw*"); }
void BM_LeadingWildcard(benchmark::State& state) { RunQuery(state, "*owej"); }
BENCHMARK(BM_FrequentAnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Phrase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Near)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrefixWildcard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeadingWildcard)->Unit(benchmark::kMillisecond);

}  // namespace
