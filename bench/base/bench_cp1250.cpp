// CP1250 <-> Unicode conversion over text shaped like an act: Polish words, spaces, punctuation.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/base/cp1250.h"

namespace {

std::string sample_text(size_t size) {
  const std::string words[] = {"ustawa ",      "z dnia ",          "Dz. U. ",
                               "Nr 12, ",      "poz. 345 ",        "\xA7 3. ",
                               "zm\xF3wienia ", "zg\xB3oszenia ",   "\xBF\xB9" "dania ",
                               "o\x9C" "wiadczenie ", "w\xB3" "a\x9C" "ciwy ",
                               "\x84" "art. 5\x94 "};
  std::string text;
  for (size_t i = 0; text.size() < size; ++i) text += words[(i * 7) % std::size(words)];
  text.resize(size);
  return text;
}

void BM_ToUtf8(benchmark::State& state) {
  const std::string text = sample_text(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(base::cp1250::to_utf8(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ToUtf8)->Arg(64)->Arg(4096)->Arg(1 << 20);

void BM_FromUtf8(benchmark::State& state) {
  const std::string utf8 = base::cp1250::to_utf8(sample_text(size_t(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(base::cp1250::from_utf8(utf8));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_FromUtf8)->Arg(64)->Arg(4096)->Arg(1 << 20);

void BM_ToUtf16(benchmark::State& state) {
  const std::string text = sample_text(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(base::cp1250::to_utf16(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ToUtf16)->Arg(4096);

void BM_CollationKey(benchmark::State& state) {
  const std::string text = sample_text(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(base::cp1250::collation_key(text));
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CollationKey)->Arg(64);

}  // namespace
