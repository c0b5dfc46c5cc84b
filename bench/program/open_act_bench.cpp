// Opening an act through the program up to its sheet's first paint, on the library compiled from the
// shared corpus: the real program started as a user starts it (a 1920 x 1080 main window with its
// bars, library tree, first work and sheet), the act opened by the command a double click in the
// library tree runs, and the program's loop run until nothing waits (every paint the opening left
// pending done). Beside it the engine's own figure for the same act at the same size: a viewer on
// the library sets the act's topic, lays it out and paints its first screen into a memory context
// the size of the sheet's text pane. Acts: the longest, and those at the quartiles of text length.
// Before each timed open both sides show another (short) act, untimed, so that every timed open
// changes the act. Without the corpus every benchmark is skipped.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/corpus_library.h"
#include "bench/support/engine_canvas.h"
#include "bench/support/program.h"
#include "engine/frame/painting.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer.h"
#include "navigation/nav_commands.h"
#include "platform/base/temp_folder.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/message_loop.h"
#include "shell/library_title.h"
#include "shell/lumo_kal_doc.h"
#include "shell/main_frame.h"
#include "shell/view/lumo_kal_view.h"

namespace {

// The acts timed, by their place among the acts ordered by text length (1 the longest).
struct ActChoice {
  const char* name;
  double place;
};
constexpr ActChoice kActs[] = {{"longest", 1.0}, {"p75", 0.75}, {"median", 0.5}, {"p25", 0.25}};
// The act shown between timed opens.
constexpr double kOtherPlace = 0.1;

struct Setup {
  bench::StartedProgram program;
  std::vector<int32_t> by_length;  // act topics with a text, shortest first
  RECT pane{};                     // the text pane's client area
};

int32_t ActAt(const Setup& s, double place) {
  if (s.by_length.empty()) return -1;
  return s.by_length[std::min(s.by_length.size() - 1, size_t(place * double(s.by_length.size() - 1)))];
}

CLumoKALView* View(const Setup& s) { return s.program.work ? s.program.work->GetCurrentTextView() : nullptr; }

Setup& TheSetup() {
  static Setup s = [] {
    Setup s;
    const bench::CorpusLibrary* corpus = bench::CompiledCorpus();
    if (!corpus) return s;
    s.by_length = bench::ActsByTextLength(*corpus);
    s.program = bench::StartProgram("bench_program_open_act", base::temp_folder() + "/bench_program_open_act",
                                    std::filesystem::path(corpus->path).parent_path().string(), 1920, 1080);
    if (CLumoKALView* view = View(s)) view->GetTextPane().GetClientRect(&s.pane);
    return s;
  }();
  return s;
}

// Shows `topic` in the current sheet as a double click in the library tree does and runs the
// program's loop until nothing waits (the paints the opening left pending done).
void OpenThroughProgram(int32_t topic) {
  navcmd::OpenRecord(topic, false);
  bench::DispatchWaitingMessages();
}

void BM_ProgramOpenAct(benchmark::State& state, double place) {
  Setup& s = TheSetup();
  if (!s.program.frame || !View(s)) return state.SkipWithError("corpus absent or the program did not start");
  const int32_t act = ActAt(s, place), other = ActAt(s, kOtherPlace);
  for (auto _ : state) {
    OpenThroughProgram(other);
    win::pump_waiting_messages();
    const auto start = std::chrono::steady_clock::now();
    OpenThroughProgram(act);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    win::pump_waiting_messages();
  }
  CLumoKALView* view = View(s);
  if (!view || frame::MvGetCurrentTopic(view->GetViewer()) != act) return state.SkipWithError("the act did not open");
  if (!bench::AskedQuestions().empty()) return state.SkipWithError(bench::AskedQuestions().back().c_str());
  state.counters["text_bytes"] = double(bench::CompiledCorpus()->plan.texts[size_t(act)].size());
}

// The engine alone: the same act set, laid out and painted at the text pane's size into a memory
// context, by a viewer kept from one open to the next (as the sheet keeps its own), on a white
// background brush.
void BM_EngineOpenAct(benchmark::State& state, double place) {
  Setup& s = TheSetup();
  if (!s.program.frame || !View(s)) return state.SkipWithError("corpus absent or the program did not start");
  bench::EngineCanvas canvas(LibraryTitle(), s.pane.right, s.pane.bottom);
  const RECT& area = canvas.area;
  HDC memory = canvas.memory;
  medview::ViewerHandle viewer = canvas.viewer;
  // The sheet's panes paint on their background brush and lay a topic out afresh.
  HBRUSH background = ::CreateSolidBrush(RGB(255, 255, 255));
  HGDIOBJ old_brush = ::SelectObject(memory, background);
  auto open = [&](int32_t topic) {
    frame::MvSetTopic(viewer, medview::MvTopicNumberToPosition(LibraryTitle(), topic), 1, 0, nullptr);
    frame::MvResetView(viewer);
    frame::MvLayoutTopic(viewer, &area, nullptr);
    medview::MvPaint(viewer, memory, &area, nullptr);
  };
  const int32_t act = ActAt(s, place), other = ActAt(s, kOtherPlace);
  for (auto _ : state) {
    open(other);
    const auto start = std::chrono::steady_clock::now();
    open(act);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  const bool shown = frame::MvGetCurrentTopic(viewer) == act;
  ::SelectObject(memory, old_brush);
  ::DeleteObject(background);
  if (!shown) return state.SkipWithError("the act did not open");
  state.counters["width"] = area.right;
  state.counters["height"] = area.bottom;
}

const bool kRegistered = [] {
  for (const ActChoice& a : kActs) {
    benchmark::RegisterBenchmark((std::string("open_program/") + a.name).c_str(), BM_ProgramOpenAct, a.place)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("open_engine/") + a.name).c_str(), BM_EngineOpenAct, a.place)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
