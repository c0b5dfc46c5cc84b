// LZ decoding of topic blocks of Polish text, beside zlib's inflate of the same text and memcpy as the
// ceiling; phrase expansion. Throughput is counted in output bytes.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/compress/phrase_builder.h"
#include "engine/compress/zeck_compressor.h"
#include "engine/title/phrase_table.h"
#include "engine/zeck/zeck_decompress.h"

namespace {

// About 16 KB of text in the shape of an act: words, article numbers, references.
std::string act_text(size_t size) {
  static const char* words[] = {"Art.",     "ust.",   "pkt",    "ustawy",    "z",        "dnia",      "w",
                                "sprawie",  "Dz.U.",  "poz.",   "Minister",  "okre\x9Cli", "rozporz\xB9" "dzenie",
                                "przepisy", "stosuje", "si\xEA", "odpowiednio", "\xBF" "ycia", "w\xB3" "a\x9C" "ciwy",
                                "organ",    "nadzoru", "zmianie", "podatku",  "dochodowym", "od",      "os\xF3" "b"};
  std::string text;
  unsigned state = 12345;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += words[(state >> 16) % std::size(words)];
    text += (state >> 8) % 11 == 0 ? ".\r\n" : " ";
    if ((state >> 4) % 17 == 0) text += std::to_string((state >> 10) % 400) + " ";
  }
  text.resize(size);
  return text;
}

// 16 KB of real acts from the shared corpus when it is there, else the synthetic text.
std::string corpus_text(size_t size) {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  const std::string folder = std::string(shared ? shared : LUMO_SHARED_DIR_DEFAULT) + "/corpus/dzu";
  std::error_code ec;
  std::string text;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::ifstream in(entry.path(), std::ios::binary);
    text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (text.size() >= size) break;
  }
  if (text.size() < size) return act_text(size);
  text.resize(size);
  return text;
}

const std::string& block_text() {
  static const std::string text = corpus_text(16384);
  return text;
}

void BM_ZeckDecompress(benchmark::State& state) {
  const std::string& text = block_text();
  std::vector<uint8_t> packed(zeck::ZeckMaxCompressedSize(text.size()));
  zeck::ZeckCompressor compressor;
  int code = 0;
  packed.resize(compressor.ZeckCompress(reinterpret_cast<const uint8_t*>(text.data()), text.size(), packed.data(),
                                        packed.size(), code));
  std::vector<uint8_t> out(text.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(zeck::ZeckDecompress(packed.data(), out.data(), packed.size(), out.size()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
  state.counters["ratio"] = double(packed.size()) / double(text.size());
}
BENCHMARK(BM_ZeckDecompress);

void BM_ZlibInflate(benchmark::State& state) {
  const std::string& text = block_text();
  uLongf packed_size = compressBound(uLong(text.size()));
  std::vector<uint8_t> packed(packed_size);
  compress2(packed.data(), &packed_size, reinterpret_cast<const Bytef*>(text.data()), uLong(text.size()), 6);
  packed.resize(packed_size);
  std::vector<uint8_t> out(text.size());
  for (auto _ : state) {
    uLongf out_size = uLongf(out.size());
    benchmark::DoNotOptimize(uncompress(out.data(), &out_size, packed.data(), uLong(packed.size())));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
  state.counters["ratio"] = double(packed.size()) / double(text.size());
}
BENCHMARK(BM_ZlibInflate);

void BM_Memcpy(benchmark::State& state) {
  const std::string& text = block_text();
  std::vector<uint8_t> out(text.size());
  for (auto _ : state) {
    std::memcpy(out.data(), text.data(), text.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_Memcpy);

void BM_PhraseExpand(benchmark::State& state) {
  const zeck::PhraseList phrases{{"Dz.U.", "Minister", "dochodowym", "odpowiednio", "przepisy", "rozporz\xB9" "dzenie",
                                  "sprawie", "stosuje", "ustawy"},
                                 zeck::kDefaultPhraseBase};
  std::vector<uint8_t> file;
  zeck::PhrBuildFile(phrases, file);
  std::unique_ptr<title::PhraseTable> table;
  title::PhrParse(file, table);
  std::string stored = block_text();
  stored.resize(zeck::PhrCompressText(reinterpret_cast<uint8_t*>(stored.data()), stored.size(), phrases));
  std::vector<uint8_t> out(block_text().size());
  size_t expanded = 0;
  for (auto _ : state) {
    expanded = title::PhrExpandText(reinterpret_cast<const uint8_t*>(stored.data()), stored.size(), out.data(),
                                    table.get(), out.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(expanded));
}
BENCHMARK(BM_PhraseExpand);

}  // namespace
