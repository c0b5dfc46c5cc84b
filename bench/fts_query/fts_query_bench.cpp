// Queries over the real acts of ../shared/corpus/dzu, side by side with an SQLite FTS5 table of the
// same texts: a rare word, a frequent word, AND of two frequent words, NOT, a three-word phrase, NEAR
// within 8 words and a prefix wildcard. Our side is indexed by the test index writer from the CP1250
// texts under the title's Polish character table, once in index version 8 and once in version 9 (the
// library's), and returns the full hit list, sorted, with every occurrence read out; the FTS5 side
// returns the matching rows ranked by bm25 (which reads their position lists). At exit a table gives
// each query's median time for the three and the ratio (ours in version 9 / FTS5), and the two index
// sizes. Without the corpus every benchmark is skipped.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/hit_list_access.h"
#include "engine/fts/search/query_parser.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/fts_index_writer.h"
#include "tools/titlebuild/polish_fts_tables.h"
#include "tools/titlebuild/fts_text_terms.h"

namespace {

struct Query {
  const char* name;
  const char* ours;  // UTF-8, converted to CP1250
  const char* fts5;
};

const Query kQueries[] = {
    {"rare_word", "akcyzowym", "akcyzowym"},
    {"frequent_word", "ustawy", "ustawy"},
    {"and_frequent", "ustawy ORAZ przepisy", "ustawy AND przepisy"},
    {"not", "podatku NIE akcyzowym", "podatku NOT akcyzowym"},
    {"phrase3", "\"podatku od towarów\"", "\"podatku od towarów\""},
    {"near8", "minister PRZY właściwy", "NEAR(minister właściwy, 8)"},
    {"prefix", "podat*", "podat*"},
};

struct Corpus {
  bool present = false;
  std::string index_paths[2];
  fts::FtsIndexPtr indexes[2];  // versions 8 and 9
  size_t index_sizes[2] = {};
  fts::WordBreakerTablePtr breakers;
  fts::OperatorTablePtr operators;
  fts::FtsError error;
  sqlite3* db = nullptr;
  sqlite3_stmt* select = nullptr;
  std::map<std::string, std::vector<double>> times;  // "query/side" -> seconds per run

  ~Corpus() {
    print_summary();
    if (select) sqlite3_finalize(select);
    if (db) sqlite3_close(db);
    for (int v = 0; v < 2; ++v) {
      indexes[v].reset();
      if (!index_paths[v].empty()) base::remove_file(index_paths[v]);
    }
  }

  static double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  }
  void print_summary() const {
    if (!present || times.empty()) return;
    std::printf("\nindex bytes: version 8 %zu, version 9 %zu\n", index_sizes[0], index_sizes[1]);
    std::printf("%-14s %14s %14s %14s %8s\n", "query", "ours v8 (us)", "ours v9 (us)", "FTS5 (us)", "ratio");
    for (const Query& q : kQueries) {
      const auto v8 = times.find(std::string(q.name) + "/ours8"), v9 = times.find(std::string(q.name) + "/ours9"),
                 other = times.find(std::string(q.name) + "/fts5");
      if (v8 == times.end() || v9 == times.end() || other == times.end()) continue;
      const double a = median(v8->second) * 1e6, b = median(v9->second) * 1e6, c = median(other->second) * 1e6;
      std::printf("%-14s %14.1f %14.1f %14.1f %8.2f\n", q.name, a, b, c, c > 0 ? b / c : 0.0);
    }
  }
};

std::string corpus_folder() {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  return std::string(shared ? shared : "../shared") + "/corpus/dzu";
}

Corpus& corpus() {
  static Corpus c;
  static bool built = false;
  if (built) return c;
  built = true;
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(corpus_folder(), ec))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  if (files.empty()) return c;
  std::sort(files.begin(), files.end());

  if (sqlite3_open(":memory:", &c.db) != SQLITE_OK) std::abort();
  sqlite3_exec(c.db, "CREATE VIRTUAL TABLE acts USING fts5(body, tokenize='unicode61 remove_diacritics 0')", nullptr,
               nullptr, nullptr);
  sqlite3_exec(c.db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(c.db, "INSERT INTO acts(rowid, body) VALUES(?, ?)", -1, &insert, nullptr);

  std::vector<std::string> texts;
  for (size_t i = 0; i < files.size(); ++i) {
    std::vector<uint8_t> bytes;
    if (base::read_file(files[i].string(), bytes) != base::OsError::None) continue;
    const std::string utf8(bytes.begin(), bytes.end());
    sqlite3_bind_int64(insert, 1, int64_t(i));
    sqlite3_bind_text(insert, 2, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
    texts.push_back(base::cp1250::from_utf8(utf8));
  }
  sqlite3_finalize(insert);
  sqlite3_exec(c.db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(c.db, "SELECT rowid, rank FROM acts WHERE acts MATCH ? ORDER BY rank", -1, &c.select, nullptr);

  const fts::CharTable table = titlebuild::polish_char_table();
  // Each text's addresses follow the previous one's, as a title's do.
  std::vector<titlebuild::TextForIndex> sources;
  uint32_t address = 0;
  for (uint32_t i = 0; i < texts.size(); ++i) {
    sources.push_back({i, texts[i], address, 0});
    address += uint32_t(texts[i].size());
  }
  const std::vector<titlebuild::FtsWriterTerm> terms = titlebuild::TermsFromTexts(sources, table);
  for (int v = 0; v < 2; ++v) {
    titlebuild::FtsIndexWriterOptions options;
    options.version = uint16_t(8 + v);
    options.topic_count = uint32_t(texts.size());
    options.word_position_code = {fts::CodeScheme::Gamma, 6};
    options.address_code = {fts::CodeScheme::Gamma, 10};
    const std::vector<uint8_t> index = titlebuild::WriteFtsIndex(terms, options);
    c.index_sizes[v] = index.size();
    base::OsFile file;
    if (base::create_temp_file("dzu", ".idx", file, c.index_paths[v]) != base::OsError::None) std::abort();
    file.write(index.data(), index.size());
    file.close();
    c.indexes[v] = fts::FtsOpenIndex(nullptr, c.index_paths[v], nullptr, 0, &c.error);
    if (!c.indexes[v]) std::abort();
  }
  c.breakers = std::make_unique<fts::WordBreakerTable>();
  c.breakers->slots[0].breaker = fts::BreakerKind::kWords;
  c.breakers->slots[0].char_table = std::make_unique<fts::CharTable>(table);
  c.operators = std::make_unique<fts::OperatorTable>();
  for (auto [word, code] : {std::pair<std::string, uint16_t>{"ORAZ", fts::kOpAnd}, {"LUB", fts::kOpOr},
                            {"NIE", fts::kOpNot}, {"PRZY", fts::kOpNear}}) {
    std::vector<uint8_t> counted{uint8_t(word.size())};
    counted.insert(counted.end(), word.begin(), word.end());
    c.operators->entries.push_back({counted, code});
  }
  c.present = true;
  return c;
}

// Built before the benchmarks run, so that no measurement includes it.
const bool kCorpusBuilt = (corpus(), true);

void BM_Ours(benchmark::State& state, const Query& q, int version) {
  Corpus& c = corpus();
  if (!c.present) {
    state.SkipWithError("corpus absent");
    return;
  }
  const std::string text = base::cp1250::from_utf8(q.ours);
  size_t occurrences = 0, hits = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    fts::FtsParseRequest request;
    request.text = reinterpret_cast<const uint8_t*>(text.data());
    request.length = uint16_t(text.size());
    request.breakers = c.breakers.get();
    request.operators = c.operators.get();
    fts::FtsError error;
    fts::QueryTreePtr tree = fts::FtsParseQuery(request, &error);
    if (!tree) std::abort();
    fts::FtsHitListPtr list =
        fts::FtsSearch(c.indexes[version - 8].get(), tree.get(), 0, fts::kSearchKeepInMemory, nullptr);
    if (!list) std::abort();
    hits = fts::FtsGetHitCount(list.get());
    for (uint32_t n = 0; n < hits; ++n) {
      fts::FtsHitRef hit;
      fts::FtsGetHit(list.get(), n, &hit);
      for (uint32_t k = 0; k < hit.count; ++k) {
        fts::FtsOccurrenceRef occurrence;
        fts::FtsGetHitOccurrence(list.get(), hit, k, &occurrence);
        benchmark::DoNotOptimize(occurrence);
        ++occurrences;
      }
    }
    c.times[std::string(q.name) + "/ours" + std::to_string(version)].push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["hits"] = double(hits);
  state.counters["occurrences"] = double(occurrences) / double(state.iterations());
}

void BM_Fts5(benchmark::State& state, const Query& q) {
  Corpus& c = corpus();
  if (!c.present) {
    state.SkipWithError("corpus absent");
    return;
  }
  size_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    sqlite3_bind_text(c.select, 1, q.fts5, -1, SQLITE_STATIC);
    rows = 0;
    while (sqlite3_step(c.select) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_int64(c.select, 0));
      ++rows;
    }
    sqlite3_reset(c.select);
    c.times[std::string(q.name) + "/fts5"].push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["hits"] = double(rows);
}

const bool kRegistered = [] {
  for (const Query& q : kQueries) {
    for (int version : {8, 9})
      benchmark::RegisterBenchmark(("ours_v" + std::to_string(version) + "/" + q.name).c_str(), BM_Ours, q, version)
          ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("fts5/") + q.name).c_str(), BM_Fts5, q)->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
