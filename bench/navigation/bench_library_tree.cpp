// The library tree over a contents index of about 150,000 records (10 yearbooks of 50 issues of
// 300 acts each), held in memory: the top level read at start-up and the acts of one issue, each
// beside a plain pass reading the same records as reference.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "shell/core/library_tree.h"

namespace {

constexpr int kYears = 10, kIssues = 50, kActs = 300;

std::vector<uint8_t> BuildIndex() {
  std::vector<shell::ContentsRecord> records;
  for (int y = 0; y < kYears; ++y) {
    const int32_t year = int32_t(records.size());
    records.push_back({});
    records.back().level = shell::kLevelYearbook;
    for (int i = 0; i < kIssues; ++i) {
      const int32_t issue = int32_t(records.size());
      shell::ContentsRecord r;
      r.level = shell::kLevelIssue;
      r.parent = year;
      records.push_back(r);
      for (int a = 0; a < kActs; ++a) {
        shell::ContentsRecord act;
        act.level = shell::kLevelAct;
        act.parent = issue;
        act.number = a + 1;
        const int32_t n = int32_t(records.size());
        act.next = a + 1 < kActs ? n + 1 : n;
        records.push_back(act);
      }
      records[size_t(issue)].next = i + 1 < kIssues ? int32_t(records.size()) : issue;
    }
    records[size_t(year)].next = y + 1 < kYears ? int32_t(records.size()) : year;
  }
  std::vector<uint8_t> bytes(records.size() * shell::kContentsRecordSize);
  for (size_t n = 0; n < records.size(); ++n) {
    records[n].previous = int32_t(n);
    records[n].text_offset = uint32_t(bytes.size());
    shell::EncodeContentsRecord(records[n], bytes.data() + n * shell::kContentsRecordSize);
  }
  return bytes;
}

const shell::ContentsIndexReader& Index() {
  static const shell::ContentsIndexReader index = [] {
    shell::ContentsIndexReader r;
    r.OpenBytes(BuildIndex());
    return r;
  }();
  return index;
}

void BM_ReadEveryRecord(benchmark::State& state) {
  const auto& index = Index();
  for (auto _ : state) {
    shell::ContentsRecord r;
    int yearbooks = 0;
    for (int32_t n = 0; index.ReadRecord(n, r); ++n) yearbooks += r.level == shell::kLevelYearbook;
    benchmark::DoNotOptimize(yearbooks);
  }
  state.counters["records"] = double(index.RecordCount());
}
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond);

void BM_TopLevel(benchmark::State& state) {
  const auto& index = Index();
  for (auto _ : state) benchmark::DoNotOptimize(shell::ListYearbooks(index, index.RecordCount()));
}
BENCHMARK(BM_TopLevel)->Unit(benchmark::kMillisecond);

// The last issue of the last yearbook: its range comes from the climb to the end of the index.
constexpr int32_t kLastIssue = (kYears * (1 + kIssues * (1 + kActs))) - (1 + kActs);

void BM_ReadIssueActs(benchmark::State& state) {
  const auto& index = Index();
  for (auto _ : state) {
    shell::ContentsRecord r;
    for (int32_t n = kLastIssue + 1; n <= kLastIssue + kActs; ++n) index.ReadRecord(n, r);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ReadIssueActs)->Unit(benchmark::kMicrosecond);

void BM_ExpandIssue(benchmark::State& state) {
  const auto& index = Index();
  for (auto _ : state) {
    const auto children = shell::ListChildren(index, kLastIssue, index.RecordCount());
    if (children.size() != size_t(kActs)) state.SkipWithError("wrong act count");
    benchmark::DoNotOptimize(children);
  }
}
BENCHMARK(BM_ExpandIssue)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
