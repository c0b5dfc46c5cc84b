// B-tree lookups in a three-level tree with 1 KB pages, random and in key order, with a warm page cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "engine/mvfs/btree_authoring.h"
#include "engine/mvfs/fs_authoring.h"
#include "engine/mvfs/handles.h"
#include "platform/base/temp_folder.h"

namespace {

using namespace mvfs;

constexpr int kKeys = 40000;

std::string keyOf(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "k%07d", n);
  return buffer;
}

// The title with its tree, built once for all benchmarks of the program.
struct Title {
  TitleFileSystemPtr fs;
  BtreePtr tree;
  std::vector<std::string> keys;

  Title() {
    const std::string path = base::temp_folder() + "/bench_btree.m14";
    FileMonikerPtr moniker = FmNewFromPath(path.c_str(), kFmCurrentFolder);
    {
      TitleFileSystemPtr writing = FsCreate(moniker.get(), nullptr);
      BtCreateParams params;
      params.fs = writing.get();
      params.pageSize = 1024;
      params.format = "z4";
      BtreePtr building = BtCreate("|CONTEXT", params);
      const uint8_t record[4] = {1, 2, 3, 4};
      for (int n = 0; n < kKeys; ++n) BtInsert(building.get(), keyOf(n).c_str(), record);
      BtClose(std::move(building));
      FsClose(std::move(writing));
    }
    fs = FsOpen(moniker.get(), kFsOpenReadOnly);
    tree = BtOpen("|CONTEXT", fs.get(), kFsOpenReadOnly, nullptr);
    for (int n = 0; n < kKeys; ++n) keys.push_back(keyOf(n));
  }
};

Title& title() {
  static Title t;
  return t;
}

void BM_LookupRandom(benchmark::State& state) {
  Title& t = title();
  std::mt19937 random(1);
  std::vector<int> order(4096);
  for (int& i : order) i = int(random() % kKeys);
  std::vector<uint8_t> record(4);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BtLookup(t.tree.get(), t.keys[size_t(order[i++ & 4095])].c_str(), nullptr, &record, false));
  }
  state.counters["levels"] = t.tree->header.levels;
}
BENCHMARK(BM_LookupRandom);

void BM_LookupSequential(benchmark::State& state) {
  Title& t = title();
  std::vector<uint8_t> record(4);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(BtLookup(t.tree.get(), t.keys[i].c_str(), nullptr, &record, false));
    if (++i == t.keys.size()) i = 0;
  }
  state.counters["levels"] = t.tree->header.levels;
}
BENCHMARK(BM_LookupSequential);

}  // namespace
