// Opening an act in a text sheet up to its first paint, and the repaint after a page down, at
// 1920 x 1080 with real fonts; beside them the engine alone laying out and painting the same act
// into a memory context (the reference the view adds its panes, layout and title to).
//
// The library: the folder named by LUMO_LIBRARY_DIR (a compiled library with its contents index,
// e.g. the real corpus), else the sample acts compiled into the temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/frame/painting.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "bench/support/engine_canvas.h"
#include "bench/support/text_sheet.h"
#include "tests/compiler/library_fixture.h"

// Last: Qt's keywords would otherwise rename members of the engine's headers.
#include <QApplication>

namespace {

struct Sheet {
  CLumoApp* app = nullptr;
  CLumoKALView* view = nullptr;
  int32_t first = -1, second = -1;  // two acts the benchmarks alternate between
  int32_t longest = -1;              // an act longer than the sheet, for paging
};

std::string LibraryFolder() {
  if (const char* given = std::getenv("LUMO_LIBRARY_DIR")) return given;
  const char* source = std::getenv("LUMO_SOURCE_DIR");
  const std::string acts = std::string(source ? source : ".") + "/samples/acts";
  const compiler_test::CompiledLibrary& library = compiler_test::Compile(acts, "bench_text_view");
  return library.result == 0 ? library.folder : std::string();
}

Sheet& TheSheet() {
  static Sheet sheet = [] {
    Sheet s;
    const bench::TextSheet opened =
        bench::OpenTextSheet("bench_text_view", base::temp_folder() + "/bench_text_view", LibraryFolder(), 1920, 1080);
    s.app = opened.app;
    s.view = opened.view;
    CLumoKALDoc* work = opened.work;
    if (!s.view) return s;
    s.view->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    // Two ordinary acts (the first two that show), and the first act longer than the sheet.
    const int32_t count = medview::MvGetTitleInfo(LibraryTitle(), 11, 0, nullptr, 0);
    for (int32_t topic = 0; topic < count && (s.second < 0 || s.longest < 0); ++topic) {
      shell::ContentsRecord record;
      if (!work->ReadCatalogRecord(topic, record) || record.level != shell::kLevelAct) continue;
      if (!s.view->JumpToTopicNumber(topic, 1, 0)) continue;
      if (s.longest < 0 && s.view->GetTextPane().CanScrollV()) s.longest = topic;
      if (s.first < 0) {
        s.first = topic;
      } else if (s.second < 0) {
        s.second = topic;
      }
    }
    return s;
  }();
  return sheet;
}

void BM_ViewOpenActToFirstPaint(benchmark::State& state) {
  Sheet& s = TheSheet();
  if (!s.view || s.second < 0) {
    state.SkipWithError("no library with two acts");
    return;
  }
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    s.view->JumpToTopicNumber(flip ? s.first : s.second, 0, 0);
    s.view->GetTextPane().UpdateWindow();
  }
}
BENCHMARK(BM_ViewOpenActToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ViewPageDownRepaint(benchmark::State& state) {
  Sheet& s = TheSheet();
  if (!s.view || s.longest < 0) {
    state.SkipWithError("no act longer than the sheet");
    return;
  }
  s.view->JumpToTopicNumber(s.longest, 0, 0);
  CMvSR& pane = s.view->GetTextPane();
  for (auto _ : state) {
    if (medview::MvGetVerticalThumb(pane.GetViewer()) >= 0x7FFF) pane.OnVScroll(SB_TOP, 0, nullptr);
    pane.OnVScroll(SB_PAGEDOWN, 0, nullptr);
  }
}
BENCHMARK(BM_ViewPageDownRepaint)->Unit(benchmark::kMillisecond);

// The reference: the engine alone sets, lays out and paints the act into a memory context of the
// text pane's size.
void BM_EngineOpenActToFirstPaint(benchmark::State& state) {
  Sheet& s = TheSheet();
  if (!s.view || s.second < 0) {
    state.SkipWithError("no library with two acts");
    return;
  }
  bench::EngineCanvas canvas(LibraryTitle(), 1900, 1000);
  const RECT& area = canvas.area;
  medview::ViewerHandle viewer = canvas.viewer;
  const int32_t positions[2] = {medview::MvTopicNumberToPosition(LibraryTitle(), s.first),
                                medview::MvTopicNumberToPosition(LibraryTitle(), s.second)};
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    frame::MvResetView(viewer);
    frame::MvSetTopic(viewer, positions[flip ? 0 : 1], 1, 0, nullptr);
    frame::MvLayoutTopic(viewer, &area, nullptr);
    medview::MvPaint(viewer, canvas.memory, &area, nullptr);
  }
}
BENCHMARK(BM_EngineOpenActToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace
