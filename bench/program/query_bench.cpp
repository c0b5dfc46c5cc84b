// A full-text query through the program up to a filled, sorted result list, for the seven query
// classes of bench/support/query_classes.h, on the library compiled from the shared corpus: the
// real program started as a user starts it (a 1920 x 1080 main window), the find sheet open on its
// query page with the scope "Cała biblioteka" and "sortuj" checked (hits ordered by their count),
// the query run as "Znajdź" runs it (its progress window, the engine's query, the hits handed to
// "Rezultaty" of the navigator), and the program's loop run until nothing waits - the result list's
// visible rows described and drawn. Beside it the SQLite FTS5 table of the same topics asked for the rows
// of the same text in rank order. Without the corpus every benchmark is skipped.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/support/corpus_library.h"
#include "bench/support/program.h"
#include "bench/support/query_classes.h"
#include "navigation/gtf_sheet.h"
#include "navigation/nav_bar.h"
#include "navigation/searchres_tab.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "platform/win/message_loop.h"
#include "resources/app_ids.h"
#include "resources/resource_ids.h"
#include "shell/main_frame.h"

namespace {

using bench::QueryClass;

struct Setup {
  bench::StartedProgram program;
  CGTFQueryPage* page = nullptr;
  CSearchresTab* results = nullptr;
  std::unique_ptr<bench::Fts5Topics> fts5;
};

Setup& TheSetup() {
  static Setup s = [] {
    Setup s;
    const bench::CorpusLibrary* corpus = bench::CompiledCorpus();
    if (!corpus) return s;
    s.fts5 = std::make_unique<bench::Fts5Topics>(corpus->plan);
    s.program = bench::StartProgram("bench_program_query", base::temp_folder() + "/bench_program_query",
                                    std::filesystem::path(corpus->path).parent_path().string(), 1920, 1080);
    if (!s.program.frame || !s.program.frame->GetNavigatorBar()) return s;
    s.results = s.program.frame->GetNavigatorBar()->GetResultsTab();
    s.program.frame->SendMessage(WM_COMMAND, resources::ID_QUERY);
    win::pump_waiting_messages();
    if (CGTFSheet* sheet = CGTFSheet::GetOpen()) s.page = &sheet->GetQueryPage();
    if (s.page) s.page->CheckDlgButton(resources::IDC_QUERY_SORT, BST_CHECKED);
    return s;
  }();
  return s;
}

void BM_ProgramQuery(benchmark::State& state, const QueryClass& q) {
  Setup& s = TheSetup();
  if (!s.page || !s.results || !s.fts5 || !s.fts5->ready()) {
    return state.SkipWithError("corpus absent or the program did not start");
  }
  const CString text(base::cp1250::from_utf8(q.ours));
  for (auto _ : state) {
    s.page->SetQueryText(text);
    const auto start = std::chrono::steady_clock::now();
    const BOOL found = s.page->RunQuery();
    bench::DispatchWaitingMessages();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!found) return state.SkipWithError("the query found nothing");
    win::pump_waiting_messages();
  }
  if (!bench::AskedQuestions().empty()) return state.SkipWithError(bench::AskedQuestions().back().c_str());
  state.counters["rows"] = double(s.results->GetList().GetItemCount());
}

void BM_Fts5Query(benchmark::State& state, const QueryClass& q) {
  Setup& s = TheSetup();
  if (!s.fts5 || !s.fts5->ready()) return state.SkipWithError("corpus absent");
  size_t rows = 0;
  for (auto _ : state) rows = s.fts5->Run(q.fts5);
  state.counters["rows"] = double(rows);
}

const bool kRegistered = [] {
  for (const QueryClass& q : bench::QueryClasses()) {
    benchmark::RegisterBenchmark((std::string("query_program/") + q.name).c_str(), BM_ProgramQuery, q)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("query_fts5/") + q.name).c_str(), BM_Fts5Query, q)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
