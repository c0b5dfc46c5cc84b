// Laying out and painting a long act: open to first paint of one screen, and the whole act.
//
// The act is synthetic (20,000 paragraphs in the shapes of the library's acts), laid out on the
// recording device with its fixed metrics, so the numbers measure the layout itself.
#include <benchmark/benchmark.h>

#include "bench/layout/synthetic_act.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "tests/layout/record_builder.h"

namespace {

using layout_test::Bytes;

const std::vector<Bytes>& ActRecords() {
  static const std::vector<Bytes> records = [] {
    std::vector<Bytes> out;
    adt::ParagraphInfo info;
    info.spaceAfter = 6;
    info.firstIndent = 20;
    for (const std::string& text : layout_bench::SyntheticActText()) {
      layout_test::Commands commands;
      commands.Font(text.rfind("Art.", 0) == 0 ? 1 : 0).Byte(0x82).End();
      out.push_back(layout_test::TextRecord(info, commands, "|" + text + "|"));
    }
    return out;
  }();
  return records;
}

constexpr RECT kScreen{0, 0, 1920, 1080};

void BM_OpenToFirstPaint(benchmark::State& state) {
  auto source = std::make_shared<layout_test::MemoryRecordSource>(ActRecords(), 0);
  for (auto _ : state) {
    layout_test::TestViewer t;
    medview::Viewer& v = t.viewer();
    frame::MvSetRecordSource(&v, source);
    frame::MvSetTopic(&v, layout_test::MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
    frame::MvLayoutTopic(&v, &kScreen, nullptr);
    medview::MvAcquireDC(&v);
    for (const auto& frame : v.frames) frame::FrDrawFrame(v, frame, 0, frame.y);
    medview::MvReleaseDC(&v);
    benchmark::DoNotOptimize(v.frames.size());
  }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_FullLayout(benchmark::State& state) {
  layout_test::TestViewer t;
  medview::Viewer& v = t.viewer();
  const auto& records = ActRecords();
  int64_t height = 0;
  for (auto _ : state) {
    medview::MvAcquireDC(&v);
    height = 0;
    for (const Bytes& record : records) {
      frame::ObjectList objects;
      frame::RecordPlacement at;
      at.width = 1920;
      frame::RecordExtent extent;
      frame::FrLayoutRecord(v, record, {}, at, objects, extent);
      height += extent.height;
    }
    medview::MvReleaseDC(&v);
    benchmark::DoNotOptimize(height);
  }
  state.counters["height"] = double(height);
  state.counters["paragraphs"] = double(records.size());
}
BENCHMARK(BM_FullLayout)->Unit(benchmark::kMillisecond);

}  // namespace
