// Full-text queries on the library that the library compiler builds from ../shared/corpus/dzu (its
// topics, stop list and title field), side by side with an SQLite FTS5 table of the same topics, for
// the seven query classes of bench/support/query_classes.h.
//
// Our side runs the title query that the application calls (the hit list spilled to its temporary
// files and ordered) and reads every hit's topic, as the results list does; "kept" runs the same query
// with the hit list kept in memory, so that the difference is the cost of the spill files. The FTS5
// side asks for the matching rows in rank order the plain way (ORDER BY rank, the rank not fetched as
// a column) and reads every row id. At exit a table gives per class the hits of both sides, the
// medians and the ratio (ours / FTS5). Without the corpus every benchmark is skipped.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "bench/support/corpus_library.h"
#include "bench/support/query_classes.h"
#include "bench/support/side_by_side.h"
#include "engine/fts/search/title_query.h"
#include "engine/title/title.h"
#include "platform/base/cp1250.h"

namespace {

using bench::QueryClass;

// The application's flags: the hit list spilled and ordered; 0x400 keeps it in memory.
constexpr uint16_t kAsTheApplication = 0;
constexpr uint16_t kKeptInMemory = 0x400;

struct Corpus {
  bool present = false;
  title::TitleHandle* title = nullptr;
  std::unique_ptr<bench::Fts5Topics> fts5;
  bench::Timings times;
  std::map<std::string, size_t> hits;  // "query/side" -> hits

  // Run at exit before the engine's own statics go (registered after the title opened).
  void finish() {
    print_summary();
    fts5.reset();
    if (title) title::TtlClose(title);
    title = nullptr;
  }

  void print_summary() const {
    if (!present || times.empty()) return;
    std::printf("\n%-14s %8s %8s %12s %12s %12s %8s\n", "query", "hits", "FTS5", "ours (us)", "kept (us)",
                "FTS5 (us)", "ratio");
    for (const QueryClass& q : bench::QueryClasses()) {
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
  c.fts5 = std::make_unique<bench::Fts5Topics>(library->plan);
  c.present = c.fts5->ready();
  return c;
}

// Built before the benchmarks run, so that no measurement includes it.
const bool kCorpusBuilt = (corpus(), true);

void BM_Ours(benchmark::State& state, const QueryClass& q, uint16_t flags, const char* side) {
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

void BM_Fts5(benchmark::State& state, const QueryClass& q) {
  Corpus& c = corpus();
  if (!c.present) {
    state.SkipWithError("corpus absent");
    return;
  }
  size_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rows = c.fts5->Run(q.fts5);
    c.times.add(std::string(q.name) + "/fts5", std::chrono::steady_clock::now() - start);
  }
  c.hits[std::string(q.name) + "/fts5"] = rows;
  state.counters["hits"] = double(rows);
}

const bool kRegistered = [] {
  for (const QueryClass& q : bench::QueryClasses()) {
    benchmark::RegisterBenchmark((std::string("ours/") + q.name).c_str(), BM_Ours, q, kAsTheApplication, "ours")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("ours_kept/") + q.name).c_str(), BM_Ours, q, kKeptInMemory, "kept")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("fts5/") + q.name).c_str(), BM_Fts5, q)->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
