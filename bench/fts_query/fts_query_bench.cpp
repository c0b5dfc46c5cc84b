// Full-text queries on the library that the library compiler builds from ../shared/corpus/dzu (its
// topics, stop list and title field), side by side with an SQLite FTS5 table of the same topics (one
// row per topic, its text and its title as two columns): a rare word, a frequent word, AND of two
// frequent words, NOT, a three-word phrase, NEAR within 8 words and a prefix wildcard.
//
// Our side runs the title query that the application calls (the hit list spilled to its temporary
// files and ordered) and reads every hit's topic, as the results list does; "kept" runs the same query
// with the hit list kept in memory, so that the difference is the cost of the spill files. The FTS5
// side asks for the matching rows in rank order the plain way (ORDER BY rank, the rank not fetched as
// a column) and reads every row id. At exit a table gives per class the hits of both sides, the
// medians and the ratio (ours / FTS5). Without the corpus every benchmark is skipped.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/support/corpus_library.h"
#include "bench/support/side_by_side.h"
#include "engine/fts/search/title_query.h"
#include "engine/title/title.h"
#include "platform/base/cp1250.h"

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
    {"phrase3", "\"urząd skarbowy właściwy\"", "\"urząd skarbowy właściwy\""},
    {"near8", "minister PRZY właściwy", "NEAR(minister właściwy, 8)"},
    {"prefix", "podat*", "podat*"},
};

// The application's flags: the hit list spilled and ordered; 0x400 keeps it in memory.
constexpr uint16_t kAsTheApplication = 0;
constexpr uint16_t kKeptInMemory = 0x400;

struct Corpus {
  bool present = false;
  title::TitleHandle* title = nullptr;
  sqlite3* db = nullptr;
  sqlite3_stmt* select = nullptr;
  bench::Timings times;
  std::map<std::string, size_t> hits;  // "query/side" -> hits

  // Run at exit before the engine's own statics go (registered after the title opened).
  void finish() {
    print_summary();
    if (select) sqlite3_finalize(select);
    if (db) sqlite3_close(db);
    if (title) title::TtlClose(title);
    select = nullptr;
    db = nullptr;
    title = nullptr;
  }

  void print_summary() const {
    if (!present || times.empty()) return;
    std::printf("\n%-14s %8s %8s %12s %12s %12s %8s\n", "query", "hits", "FTS5", "ours (us)", "kept (us)",
                "FTS5 (us)", "ratio");
    for (const Query& q : kQueries) {
      const std::string name = q.name;
      const double ours = times.median(name + "/ours") * 1e6, kept = times.median(name + "/kept") * 1e6,
                   other = times.median(name + "/fts5") * 1e6;
      if (ours == 0 || other == 0) continue;
      std::printf("%-14s %8zu %8zu %12.1f %12.1f %12.1f %8.2f\n", q.name, hits.at(name + "/ours"),
                  hits.at(name + "/fts5"), ours, kept, other, ours / other);
    }
    std::fflush(stdout);
  }
};

Corpus& corpus() {
  static Corpus c;
  static bool built = false;
  if (built) return c;
  built = true;
  const bench::CorpusLibrary* library = bench::CompiledCorpus();
  if (!library) return c;
  c.title = title::TtlOpen(library->path.c_str(), nullptr, 0, true);
  if (!c.title) return c;
  std::atexit([] { corpus().finish(); });
  const compiler::LibraryPlan& plan = library->plan;

  if (sqlite3_open(":memory:", &c.db) != SQLITE_OK) return c;
  sqlite3_exec(c.db, "CREATE VIRTUAL TABLE topics USING fts5(body, title, tokenize='unicode61 remove_diacritics 0')",
               nullptr, nullptr, nullptr);
  sqlite3_exec(c.db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(c.db, "INSERT INTO topics(rowid, body, title) VALUES(?, ?, ?)", -1, &insert, nullptr);
  for (size_t i = 0; i < plan.topics.size(); ++i) {
    const std::string body = base::cp1250::to_utf8(plan.texts[i]), name = base::cp1250::to_utf8(plan.topics[i].title);
    sqlite3_bind_int64(insert, 1, int64_t(i));
    sqlite3_bind_text(insert, 2, body.data(), int(body.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, name.data(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(c.db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(c.db, "SELECT rowid FROM topics WHERE topics MATCH ? ORDER BY rank", -1, &c.select, nullptr);
  c.present = c.select != nullptr;
  return c;
}

// Built before the benchmarks run, so that no measurement includes it.
const bool kCorpusBuilt = (corpus(), true);

void BM_Ours(benchmark::State& state, const Query& q, uint16_t flags, const char* side) {
  Corpus& c = corpus();
  if (!c.present) {
    state.SkipWithError("corpus absent");
    return;
  }
  const std::string text = base::cp1250::from_utf8(q.ours);
  int32_t hits = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    int32_t count = 0, total = 0;
    fts::FtsError error{};
    fts::HitHighlightHandle list =
        fts::TtlQuery(c.title, flags, text.c_str(), nullptr, 0, 0, nullptr, &count, &total, &error);
    if (!list) {
      state.SkipWithError("query failed");
      return;
    }
    hits = fts::HlGetHitCount(list);
    for (int32_t n = 0; n < hits; ++n) benchmark::DoNotOptimize(fts::HlGetHitTopic(list, uint32_t(n)));
    fts::HlRelease(list);
    c.times.add(std::string(q.name) + "/" + side, std::chrono::steady_clock::now() - start);
  }
  c.hits[std::string(q.name) + "/" + side] = size_t(hits);
  state.counters["hits"] = double(hits);
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
    c.times.add(std::string(q.name) + "/fts5", std::chrono::steady_clock::now() - start);
  }
  c.hits[std::string(q.name) + "/fts5"] = rows;
  state.counters["hits"] = double(rows);
}

const bool kRegistered = [] {
  for (const Query& q : kQueries) {
    benchmark::RegisterBenchmark((std::string("ours/") + q.name).c_str(), BM_Ours, q, kAsTheApplication, "ours")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("ours_kept/") + q.name).c_str(), BM_Ours, q, kKeptInMemory, "kept")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("fts5/") + q.name).c_str(), BM_Fts5, q)->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
