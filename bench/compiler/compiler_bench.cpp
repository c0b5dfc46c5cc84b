// The library compiler: compile time for the sample acts and the shared corpus (with the library's
// size beside the source texts'), and the time to open the library and read every topic.
// bench/compiler/library_size.sh compares the library's size with gzip -9 of the same texts and with
// an FTS5 index of them, and lists the shares of its internal files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "tools/compiler/library_compiler.h"

namespace {

std::string SampleActs() { return std::string(LUMO_ROOT_DIR) + "/samples/acts"; }
std::string RealActs() { return std::string(LUMO_ROOT_DIR) + "/../shared/corpus/dzu"; }

uint64_t FolderBytes(const std::string& folder, const std::string& extension) {
  uint64_t bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == extension) bytes += entry.file_size();
  return bytes;
}

void Compile(benchmark::State& state, const std::string& acts) {
  if (!std::filesystem::is_directory(acts)) {
    state.SkipWithError("no acts folder");
    return;
  }
  const std::string out = base::temp_folder() + "/bench_library";
  std::filesystem::create_directories(out);
  for (auto _ : state) {
    compiler::CompileReport report;
    std::string error;
    if (compiler::CompileLibrary(acts, out, report, error) != 0) {
      state.SkipWithError(error.c_str());
      return;
    }
    state.counters["acts"] = report.acts;
    state.counters["topics"] = double(report.topics);
  }
  state.counters["source_bytes"] = double(FolderBytes(acts, ".txt"));
  state.counters["library_bytes"] = double(std::filesystem::file_size(out + "/" + compiler::kLibraryFileName));
}

void BM_CompileSampleActs(benchmark::State& state) { Compile(state, SampleActs()); }
BENCHMARK(BM_CompileSampleActs)->Unit(benchmark::kMillisecond);

void BM_CompileSharedCorpus(benchmark::State& state) { Compile(state, RealActs()); }
BENCHMARK(BM_CompileSharedCorpus)->Unit(benchmark::kSecond)->Iterations(1);

// Opens the library compiled last and reads every record of every topic.
void BM_OpenAndReadEveryTopic(benchmark::State& state) {
  const std::string path = base::temp_folder() + "/bench_library/" + compiler::kLibraryFileName;
  if (!std::filesystem::exists(path)) {
    state.SkipWithError("no library compiled");
    return;
  }
  int64_t records = 0;
  for (auto _ : state) {
    title::TitleHandle* t = title::TtlOpen(path.c_str(), nullptr, 0, true);
    const int32_t topics = title::TtlGetInfo(t, title::kInfoTopicCount, 0, nullptr, 0);
    for (int32_t topic = 0; topic < topics; ++topic) {
      int32_t code = 0;
      fcmanage::TopicChunk chunk;
      fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(t, fcmanage::TtlTopicNumberToPosition(t, topic), chunk, code);
      const int32_t first = record ? record->position : -1;
      while (record) {
        ++records;
        benchmark::DoNotOptimize(record->text().data());
        record = fcmanage::FcGetNeighbour(*record, true, t, code, first, -1);
      }
    }
    title::TtlClose(t);
  }
  state.counters["records"] = benchmark::Counter(double(records), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_OpenAndReadEveryTopic)->Unit(benchmark::kMillisecond);

}  // namespace
