// LZ decoding of every topic block of the library compiled from the shared corpus, in turn, beside
// zlib's inflate of the same decoded bytes compressed block by block (level 9, the same block sizes),
// and reading every record of every topic through the engine, which costs the block decoding and the
// phrase expansion together. Throughput is counted in decoded bytes. Without the corpus every
// benchmark is skipped.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/support/corpus_library.h"
#include "bench/title/zlib_blocks.h"
#include "engine/fcmanage/topic_address.h"
#include "engine/fcmanage/topic_block.h"
#include "engine/fcmanage/topic_chunk.h"
#include "engine/mvfs/title_file_system.h"
#include "engine/title/title.h"
#include "engine/zeck/zeck_decompress.h"

namespace {

struct Blocks {
  bool present = false;
  std::vector<std::vector<uint8_t>> lz;    // each block's stored data after its header
  std::vector<std::vector<uint8_t>> zlib;  // each block's decoded data, deflated on its own
  size_t decoded_bytes = 0;
};

Blocks& blocks() {
  static Blocks b;
  static bool built = false;
  if (built) return b;
  built = true;
  const bench::CorpusLibrary* library = bench::CompiledCorpus();
  if (!library) return b;
  mvfs::TitleFileSystemPtr fs = mvfs::FsOpen(mvfs::FmNewFromPath(library->path.c_str(), mvfs::kFmCurrentFolder).get(),
                                             mvfs::kFsOpenReadOnly);
  std::vector<uint8_t> topic_file;
  if (!fs || mvfs::FsReadWholeFile(fs.get(), "|TOPIC", 256 << 20, topic_file) != mvfs::FsWholeFile::kRead) return b;
  std::vector<uint8_t> decoded(fcmanage::kTopicDecodedLimit);
  for (size_t at = 0; at + fcmanage::kTopicBlockHeaderSize < topic_file.size(); at += fcmanage::kTopicBlockSize) {
    const size_t end = std::min(topic_file.size(), at + fcmanage::kTopicBlockSize);
    b.lz.emplace_back(topic_file.begin() + ptrdiff_t(at + fcmanage::kTopicBlockHeaderSize), topic_file.begin() + ptrdiff_t(end));
    const size_t size = zeck::ZeckDecompress(b.lz.back().data(), decoded.data(), b.lz.back().size(), decoded.size());
    b.decoded_bytes += size;
    b.zlib.push_back(bench::ZlibDeflate(decoded.data(), size, 9));
  }
  b.present = !b.lz.empty();
  return b;
}

// Built before the benchmarks run, so that no measurement includes it.
const bool kBlocksBuilt = (blocks(), true);

void BM_LzDecodeEveryBlock(benchmark::State& state) {
  Blocks& b = blocks();
  if (!b.present) return state.SkipWithError("corpus absent");
  std::vector<uint8_t> out(fcmanage::kTopicDecodedLimit);
  for (auto _ : state) {
    size_t total = 0;
    for (const std::vector<uint8_t>& block : b.lz) total += zeck::ZeckDecompress(block.data(), out.data(), block.size(), out.size());
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.decoded_bytes));
}
BENCHMARK(BM_LzDecodeEveryBlock)->Unit(benchmark::kMillisecond);

void BM_ZlibInflateEveryBlock(benchmark::State& state) {
  Blocks& b = blocks();
  if (!b.present) return state.SkipWithError("corpus absent");
  std::vector<uint8_t> out(fcmanage::kTopicDecodedLimit);
  for (auto _ : state) {
    size_t total = 0;
    for (const std::vector<uint8_t>& block : b.zlib) total += bench::ZlibInflate(block, out.data(), out.size());
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(b.decoded_bytes));
}
BENCHMARK(BM_ZlibInflateEveryBlock)->Unit(benchmark::kMillisecond);

// Every record of every topic as the reader gets it: blocks decoded (through the three-block cache)
// and texts expanded from their phrases.
void BM_ReadEveryRecord(benchmark::State& state) {
  const bench::CorpusLibrary* library = bench::CompiledCorpus();
  if (!library) return state.SkipWithError("corpus absent");
  title::TitleHandle* t = title::TtlOpen(library->path.c_str(), nullptr, 0, true);
  if (!t) return state.SkipWithError("library does not open");
  const int32_t topics = title::TtlGetInfo(t, title::kInfoTopicCount, 0, nullptr, 0);
  size_t text_bytes = 0;
  for (auto _ : state) {
    text_bytes = 0;
    for (int32_t topic = 0; topic < topics; ++topic) {
      int32_t code = 0;
      fcmanage::TopicChunk chunk;
      fcmanage::TopicRecordPtr record = fcmanage::FcGetChunk(t, fcmanage::TtlTopicNumberToPosition(t, topic), chunk, code);
      const int32_t first = record ? record->position : -1;
      while (record) {
        text_bytes += record->text().size();
        record = fcmanage::FcGetNeighbour(*record, true, t, code, first, -1);
      }
    }
  }
  title::TtlClose(t);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text_bytes));
}
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond);

}  // namespace
