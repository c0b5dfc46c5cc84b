// Scrolling, copying and printing a long act on the recording device: a line and a page scroll
// with the repaint of the exposed strip (one frame is 16 ms), copying the whole act as RTF and text,
// and printing it page by page.
#include <benchmark/benchmark.h>

#include "bench/layout/synthetic_act.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/painting.h"
#include "engine/frame/printing.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "tests/layout/record_builder.h"

namespace {

using layout_test::Bytes;

std::shared_ptr<layout_test::MemoryRecordSource> ActSource(int paragraphs) {
  std::vector<Bytes> records;
  adt::ParagraphInfo info;
  info.spaceAfter = 6;
  for (const std::string& text : layout_bench::SyntheticActText(paragraphs)) {
    layout_test::Commands commands;
    commands.Font(text.rfind("Art.", 0) == 0 ? 1 : 0).Byte(0x82).End();
    records.push_back(layout_test::TextRecord(info, commands, "|" + text + "|"));
  }
  return std::make_shared<layout_test::MemoryRecordSource>(std::move(records), 0);
}

constexpr RECT kScreen{0, 0, 1920, 1080};

void OpenAct(layout_test::TestViewer& t, std::shared_ptr<layout_test::MemoryRecordSource> source) {
  frame::MvSetRecordSource(&t.viewer(), std::move(source));
  frame::MvSetTopic(&t.viewer(), layout_test::MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
  frame::MvLayoutTopic(&t.viewer(), &kScreen, nullptr);
}

// Scrolls by `code` and repaints the strip it exposed; at the end the view goes back to the top.
void ScrollAndRepaint(benchmark::State& state, int32_t code) {
  layout_test::TestViewer t;
  OpenAct(t, ActSource(2000));
  medview::Viewer& v = t.viewer();
  for (auto _ : state) {
    POINT move{};
    medview::TitleErrorCode error = 0;
    medview::MvScrollVertical(&v, &move, nullptr, nullptr, code, 0, &error);
    if (error == medview::kViewCannotScroll) {
      state.PauseTiming();
      medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollTop, 0, &error);
      state.ResumeTiming();
      continue;
    }
    RECT strip{0, kScreen.bottom + move.y, kScreen.right, kScreen.bottom};
    medview::MvAcquireDC(&v);
    HDC hdc = v.hdc;
    medview::MvPaint(&v, hdc, &strip, nullptr);
    medview::MvReleaseDC(&v);
    t.log().clear();
  }
}

void BM_LineScroll(benchmark::State& state) { ScrollAndRepaint(state, medview::kScrollLineDown); }
BENCHMARK(BM_LineScroll)->Unit(benchmark::kMicrosecond);

void BM_PageScroll(benchmark::State& state) { ScrollAndRepaint(state, medview::kScrollPageDown); }
BENCHMARK(BM_PageScroll)->Unit(benchmark::kMicrosecond);

void BM_CopyActAsRtf(benchmark::State& state) {
  layout_test::TestViewer t;
  OpenAct(t, ActSource(layout_bench::kActParagraphs));
  medview::MvSetClipFormatRegistrar([](const char*) -> uint32_t { return 0xC100; });
  size_t bytes = 0;
  for (auto _ : state) {
    medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(&t.viewer(), FALSE, 0, nullptr);
    bytes = table ? table->items[0].data.size() : 0;
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["rtf_bytes"] = double(bytes);
}
BENCHMARK(BM_CopyActAsRtf)->Unit(benchmark::kMillisecond);

BOOL CountPage(void* job, HDC, int32_t, int32_t, int32_t, int32_t, RECT*, BOOL starting) {
  if (starting) ++*static_cast<int*>(job);
  return TRUE;
}

// About 300 pages of an A4 page at 96 dpi.
void BM_PrintAct(benchmark::State& state) {
  layout_test::TestViewer t;
  OpenAct(t, ActSource(7000));
  int pages = 0;
  for (auto _ : state) {
    pages = 0;
    RECT page{48, 48, 746, 1075};
    RECT layout = page;
    medview::MvAcquireDC(&t.viewer());
    HDC hdc = t.viewer().hdc;
    medview::MvPrint(&t.viewer(), hdc, FALSE, &page, &layout, nullptr, CountPage, &pages, nullptr);
    medview::MvReleaseDC(&t.viewer());
    t.log().clear();
  }
  state.counters["pages"] = double(pages);
}
BENCHMARK(BM_PrintAct)->Unit(benchmark::kMillisecond);

}  // namespace
