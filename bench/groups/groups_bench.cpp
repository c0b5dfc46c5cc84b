// Group union, intersection, counting and a walk of all items over the full 524,288-item range,
// each beside a plain std::bitset / popcount loop over the same bytes (the memory-bandwidth floor).
#include <benchmark/benchmark.h>

#include <bit>
#include <bitset>
#include <cstring>
#include <memory>
#include <random>

#include "engine/COMMON/topic_group.h"

namespace {

using engine::GroupPtr;
constexpr size_t kItems = 524288;
using Bits = std::bitset<kItems>;

struct Fixture {
  GroupPtr a, b;
  std::unique_ptr<Bits> bits_a = std::make_unique<Bits>(), bits_b = std::make_unique<Bits>();

  explicit Fixture(double density) {
    a = engine::GrpCreate(int32_t(kItems), nullptr);
    b = engine::GrpCreate(int32_t(kItems), nullptr);
    std::mt19937 rng(1);
    std::bernoulli_distribution pick(density);
    for (size_t i = 0; i < kItems; ++i) {
      if (pick(rng)) {
        engine::GrpAddItem(a.get(), int32_t(i));
        bits_a->set(i);
      }
      if (pick(rng)) {
        engine::GrpAddItem(b.get(), int32_t(i));
        bits_b->set(i);
      }
    }
  }
};

Fixture& fixture(double density) {
  static Fixture sparse(0.01), dense(0.5);
  return density < 0.1 ? sparse : dense;
}

double density_of(const benchmark::State& state) { return state.range(0) == 0 ? 0.01 : 0.5; }

void BM_GroupUnion(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) {
    GroupPtr u = engine::GrpUnion(f.a.get(), f.b.get(), nullptr);
    benchmark::DoNotOptimize(u->count);
  }
}

void BM_BitsetUnion(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) {
    auto u = std::make_unique<Bits>(*f.bits_a);
    *u |= *f.bits_b;
    benchmark::DoNotOptimize(u->count());
  }
}

void BM_GroupIntersect(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) {
    GroupPtr i = engine::GrpIntersect(f.a.get(), f.b.get(), nullptr);
    benchmark::DoNotOptimize(i->count);
  }
}

void BM_BitsetIntersect(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) {
    auto i = std::make_unique<Bits>(*f.bits_a);
    *i &= *f.bits_b;
    benchmark::DoNotOptimize(i->count());
  }
}

void BM_GroupCount(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) benchmark::DoNotOptimize(engine::GrpCountBits(f.a->bits));
}

void BM_PopcountLoop(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  const std::vector<uint8_t>& bytes = f.a->bits;
  for (auto _ : state) {
    size_t total = 0;
    for (size_t i = 0; i + 8 <= bytes.size(); i += 8) {
      uint64_t w;
      std::memcpy(&w, bytes.data() + i, 8);
      total += size_t(std::popcount(w));
    }
    benchmark::DoNotOptimize(total);
  }
}

// Every item in order through the n-th item look-up with its cache.
void BM_GroupWalk(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  for (auto _ : state) {
    int64_t sum = 0;
    const int32_t count = f.a->count;
    for (int32_t n = 0; n < count; ++n) sum += engine::GrpNthItem(f.a.get(), n);
    benchmark::DoNotOptimize(sum);
  }
}

void BM_BitsetWalk(benchmark::State& state) {
  Fixture& f = fixture(density_of(state));
  const std::vector<uint8_t>& bytes = f.a->bits;
  for (auto _ : state) {
    int64_t sum = 0;
    for (size_t i = 0; i + 8 <= bytes.size(); i += 8) {
      uint64_t w;
      std::memcpy(&w, bytes.data() + i, 8);
      while (w) {
        sum += int64_t(8 * i) + std::countr_zero(w);
        w &= w - 1;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
}

// Range 0: 1% of the items set; range 1: half of them.
BENCHMARK(BM_GroupUnion)->Arg(0)->Arg(1);
BENCHMARK(BM_BitsetUnion)->Arg(0)->Arg(1);
BENCHMARK(BM_GroupIntersect)->Arg(0)->Arg(1);
BENCHMARK(BM_BitsetIntersect)->Arg(0)->Arg(1);
BENCHMARK(BM_GroupCount)->Arg(0)->Arg(1);
BENCHMARK(BM_PopcountLoop)->Arg(0)->Arg(1);
BENCHMARK(BM_GroupWalk)->Arg(0)->Arg(1);
BENCHMARK(BM_BitsetWalk)->Arg(0)->Arg(1);

}  // namespace
