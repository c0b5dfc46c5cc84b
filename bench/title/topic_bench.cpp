// Reading a topic record by record (linear in the number of records), block cache hits and misses,
// and context string to text position.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_record.h"
#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/library_title.h"

namespace {

struct BenchTitle {
  title::TitleHandle* handle = nullptr;
  titlebuild::TopicFileLayout layout;
};

// A compressed title with one topic of `records` records of 200 bytes each, and a second small topic.
BenchTitle& bench_title(int records) {
  static std::map<int, BenchTitle> titles;
  BenchTitle& t = titles[records];
  if (t.handle) return t;
  titlebuild::LibraryTitleSource source;
  titlebuild::TopicSource topic{"Ustawa", "", {}, {}};
  for (int i = 0; i < records; ++i)
    topic.records.push_back({adt::kRecordTextCounted, {}, "Art. " + std::to_string(i) + ". " + std::string(190, 'a' + i % 26)});
  source.topics = {topic, {"Koniec", "", {{adt::kRecordTextCounted, {}, "koniec"}}, {}}};
  source.contexts = {{"USTAWA", 0}, {"KONIEC", 1}};
  titlebuild::TitleBuilder builder;
  titlebuild::AddLibraryTitle(builder, source, t.layout);
  const std::string path = base::temp_folder() + "/bench_" + std::to_string(records) + ".m14";
  builder.write(path);
  t.handle = title::TtlOpen(path.c_str(), nullptr, 0, true);
  return t;
}

void BM_ReadTopicInOrder(benchmark::State& state) {
  BenchTitle& t = bench_title(int(state.range(0)));
  const int32_t first = t.layout.record_positions[0][0];
  for (auto _ : state) {
    int32_t code = 0;
    fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t.handle, first, code);
    int64_t count = 0;
    while (record) {
      ++count;
      record = fcmanage::FcGetNeighbour(*record, true, t.handle, code, first, -1);
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ReadTopicInOrder)->RangeMultiplier(4)->Range(64, 4096)->Complexity(benchmark::oN);

void BM_BlockCacheHit(benchmark::State& state) {
  BenchTitle& t = bench_title(1024);
  int32_t code = 0;
  for (auto _ : state) benchmark::DoNotOptimize(fcmanage::FcLoadBlock(t.handle, 1, code));
}
BENCHMARK(BM_BlockCacheHit);

void BM_BlockCacheMiss(benchmark::State& state) {
  BenchTitle& t = bench_title(1024);
  const int32_t blocks = int32_t(t.layout.blocks);
  int32_t code = 0;
  int32_t block = 0;
  for (auto _ : state) {
    block = (block + 1) % blocks;  // four or more blocks in turn never hit three slots
    benchmark::DoNotOptimize(fcmanage::FcLoadBlock(t.handle, block, code));
  }
  state.counters["blocks"] = blocks;
}
BENCHMARK(BM_BlockCacheMiss);

void BM_ContextToPosition(benchmark::State& state) {
  BenchTitle& t = bench_title(1024);
  fcmanage::TtlContextStringToPosition(t.handle, "KONIEC");
  for (auto _ : state) benchmark::DoNotOptimize(fcmanage::TtlContextStringToPosition(t.handle, "KONIEC"));
}
BENCHMARK(BM_ContextToPosition);

}  // namespace
