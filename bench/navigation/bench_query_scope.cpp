// Building a query scope over a library of 150,000 topics: the union of several years (15,000
// topics each) intersected with a binder of 2,000 topics passed through the group file "lg", as
// the query page builds it before a search; beside a plain pass over sorted vectors doing the same
// set operations as reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "engine/medview/topic_list.h"
#include "navigation/scope_sheet.h"
#include "platform/base/temp_folder.h"

namespace {

constexpr int32_t kTopics = 150'000, kYearTopics = 15'000, kBinderTopics = 2'000;

medview::TopicListHandle ListOf(int32_t first, int32_t count, int32_t step) {
  engine::GroupPtr group = medview::MvCreateGroup(kTopics, nullptr);
  for (int32_t i = 0; i < count; ++i) medview::MvAddGroupItem(group.get(), (first + i * step) % kTopics);
  medview::TopicListHandle list = medview::MvCreateEmptyTopicList(nullptr);
  medview::MvSetTopicListGroup(list, std::move(group));
  return list;
}

void BM_BuildScope(benchmark::State& state) {
  const int years = int(state.range(0));
  std::vector<medview::TopicListHandle> year_lists;
  for (int y = 0; y < years; ++y) year_lists.push_back(ListOf(y * kYearTopics, kYearTopics, 1));
  engine::GroupPtr binder = medview::MvCreateGroup(kTopics, nullptr);
  for (int32_t i = 0; i < kBinderTopics; ++i) medview::MvAddGroupItem(binder.get(), i * 37 % kTopics);
  const std::string path = base::temp_folder() + "/bench_lg.lkg";
  for (auto _ : state) {
    scopelists::WriteGroupFile(path, binder.get());
    medview::TopicListHandle scope = medview::MvLoadTopicListFile(nullptr, path.c_str());
    medview::TopicListHandle united = nullptr;
    for (medview::TopicListHandle year : year_lists) {
      medview::TopicListHandle next = united ? medview::MvCombineTopicLists(medview::kCombineUnion, united, year)
                                             : medview::MvCombineTopicLists(medview::kCombineUnion, year, year);
      medview::MvFreeTopicList(united);
      united = next;
    }
    medview::TopicListHandle both = medview::MvCombineTopicLists(medview::kCombineIntersect, united, scope);
    benchmark::DoNotOptimize(medview::MvGetTopicListCount(both));
    for (medview::TopicListHandle list : {scope, united, both}) medview::MvFreeTopicList(list);
  }
  for (medview::TopicListHandle list : year_lists) medview::MvFreeTopicList(list);
}

void BM_SortedVectorReference(benchmark::State& state) {
  const int years = int(state.range(0));
  auto year_sets = std::vector<std::vector<int32_t>>(size_t(years));
  for (int y = 0; y < years; ++y) {
    for (int32_t i = 0; i < kYearTopics; ++i) year_sets[size_t(y)].push_back(y * kYearTopics + i);
  }
  std::vector<int32_t> binder;
  for (int32_t i = 0; i < kBinderTopics; ++i) binder.push_back(i * 37 % kTopics);
  std::sort(binder.begin(), binder.end());
  for (auto _ : state) {
    std::vector<int32_t> united;
    for (const auto& set : year_sets) {
      std::vector<int32_t> next;
      std::set_union(united.begin(), united.end(), set.begin(), set.end(), std::back_inserter(next));
      united.swap(next);
    }
    std::vector<int32_t> both;
    std::set_intersection(united.begin(), united.end(), binder.begin(), binder.end(), std::back_inserter(both));
    benchmark::DoNotOptimize(both.size());
  }
}

BENCHMARK(BM_BuildScope)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortedVectorReference)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
