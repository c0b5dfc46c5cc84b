// Sorting the search results by a text column: 10,000 and 100,000 rows whose keys look like the
// list's columns ("ROK/POZ", "RANGA", "TYTUŁ"), in the natural order the results tab uses (keys
// computed once, stable sort), beside a plain byte-order sort of the same keys as reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "navigation/query_rules.h"
#include "platform/base/cp1250.h"

namespace {

std::vector<std::string> Keys(int64_t count, int column) {
  std::mt19937 random(42);
  const char* ranks[] = {"USTAWA", "ROZPORZĄDZENIE", "OBWIESZCZENIE", "Umowa", "D. U.", "ROCZNIK", "Uchwała"};
  const char* words[] = {"o ochronie", "zieleni", "przydrożnej", "o bibliotekach", "gminnych", "targach", "zmianie"};
  std::vector<std::string> keys;
  keys.reserve(size_t(count));
  for (int64_t i = 0; i < count; ++i) {
    if (column == 1) {
      keys.push_back(std::to_string(1990 + random() % 15) + "/poz " + std::to_string(1 + random() % 3000));
    } else if (column == 2) {
      keys.push_back(base::cp1250::from_utf8(ranks[random() % 7]));
    } else {
      std::string title;
      for (int w = 0; w < 4; ++w) title += base::cp1250::from_utf8(words[random() % 7]) + " ";
      keys.push_back(title);
    }
  }
  return keys;
}

void BM_NaturalOrder(benchmark::State& state) {
  const std::vector<std::string> keys = Keys(state.range(0), int(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(findrules::NaturalOrder(keys));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ByteOrderReference(benchmark::State& state) {
  const std::vector<std::string> keys = Keys(state.range(0), int(state.range(1)));
  for (auto _ : state) {
    std::vector<size_t> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    benchmark::DoNotOptimize(order);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Args(benchmark::internal::Benchmark* b) {
  for (int64_t rows : {10'000, 100'000}) {
    for (int64_t column : {1, 2, 4}) b->Args({rows, column});
  }
}

BENCHMARK(BM_NaturalOrder)->Apply(Args)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteOrderReference)->Apply(Args)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
