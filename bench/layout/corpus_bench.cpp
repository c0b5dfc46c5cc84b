// The longest act of the shared corpus, compiled by the library compiler into a title and laid out
// from it: open to first paint of its act topic, and every record of the title laid out. Skipped
// when the corpus is absent.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "engine/fcmanage/topic_record.h"
#include "engine/frame/record_layout.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tests/layout/record_builder.h"
#include "tools/compiler/library_compiler.h"

namespace {

constexpr RECT kScreen{0, 0, 1920, 1080};

// The title compiled from the longest act, or null without the corpus.
title::TitleHandle* CorpusTitle() {
  static title::TitleHandle* handle = []() -> title::TitleHandle* {
    std::filesystem::path corpus = LUMO_CORPUS_DIR;
    std::error_code ec;
    if (!std::filesystem::is_directory(corpus, ec)) return nullptr;
    std::filesystem::path longest;
    uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus, ec)) {
      if (entry.path().extension() == ".txt" && entry.file_size(ec) > size) {
        size = entry.file_size(ec);
        longest = entry.path();
      }
    }
    if (longest.empty()) return nullptr;
    std::string in = base::temp_folder() + "/bench_act";
    std::string out = base::temp_folder() + "/bench_title";
    std::filesystem::create_directories(in, ec);
    std::filesystem::create_directories(out, ec);
    std::vector<uint8_t> text;
    if (base::read_file(longest.string(), text) != base::OsError::None ||
        base::write_file_atomic(in + "/" + longest.filename().string(), text) != base::OsError::None) {
      return nullptr;
    }
    compiler::CompileReport report;
    std::string error;
    if (compiler::CompileLibrary(in, out, report, error) != 0) return nullptr;
    std::string path = out + "/" + compiler::kLibraryFileName;
    return title::TtlOpen(path.c_str(), nullptr, 0, true);
  }();
  return handle;
}

void BM_CorpusActOpenToFirstPaint(benchmark::State& state) {
  title::TitleHandle* handle = CorpusTitle();
  if (!handle) {
    state.SkipWithError("the corpus is absent");
    return;
  }
  int32_t start = medview::MvGetStartTopicPosition(handle);
  for (auto _ : state) {
    layout_test::TestViewer t;
    medview::Viewer& v = t.viewer();
    medview::MvSetTitle(&v, handle, nullptr, nullptr);
    frame::MvSetTopic(&v, start, 1, 0, nullptr);
    frame::MvLayoutTopic(&v, &kScreen, nullptr);
    medview::MvAcquireDC(&v);
    for (const auto& frame : v.frames) frame::FrDrawFrame(v, frame, 0, frame.y);
    medview::MvReleaseDC(&v);
    benchmark::DoNotOptimize(v.frames.size());
  }
}
BENCHMARK(BM_CorpusActOpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_CorpusActFullLayout(benchmark::State& state) {
  title::TitleHandle* handle = CorpusTitle();
  if (!handle) {
    state.SkipWithError("the corpus is absent");
    return;
  }
  layout_test::TestViewer t;
  medview::Viewer& v = t.viewer();
  medview::MvSetTitle(&v, handle, nullptr, nullptr);
  int64_t records = 0;
  for (auto _ : state) {
    medview::MvAcquireDC(&v);
    records = 0;
    int32_t code = 0;
    for (int32_t position = medview::MvTopicNumberToPosition(handle, 0); position >= 0;) {
      fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(handle, position, code);
      if (!record) break;
      frame::ObjectList objects;
      frame::RecordPlacement at;
      at.width = 1920;
      frame::RecordExtent extent;
      if (!record->is_topic_header()) frame::FrLayoutRecord(v, record->bytes, {}, at, objects, extent);
      ++records;
      position = record->next;
    }
    medview::MvReleaseDC(&v);
    benchmark::DoNotOptimize(records);
  }
  state.counters["records"] = double(records);
}
BENCHMARK(BM_CorpusActFullLayout)->Unit(benchmark::kMillisecond);

}  // namespace
