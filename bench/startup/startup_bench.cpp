// The program's start, on the library compiled from the shared corpus (the sample acts when it is
// absent): the real program started under a virtual X server, timed from starting the process to
// the first paint of its main window (the first sheet's page drawn in the middle of the frame),
// with its resident memory then; and the resident memory of the application once started and
// after ten acts opened in sheets of their own (in this process, headless).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/corpus_library.h"
#include "bench/support/text_sheet.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/temp_folder.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/view/lumo_kal_view.h"
#include "tests/compiler/library_fixture.h"
#include "tests/smoke/child_process.h"
#include "tests/smoke/virtual_screen.h"
#include "tests/smoke/xwd_image.h"

namespace {

using namespace std::chrono_literals;
using lumo::test::ChildProcess;

// The library's folder: the corpus compiled once, else the sample acts.
std::string LibraryFolder() {
  if (const bench::CorpusLibrary* corpus = bench::CompiledCorpus()) {
    return std::filesystem::path(corpus->path).parent_path().string();
  }
  const char* source = std::getenv("LUMO_SOURCE_DIR");
  const compiler_test::CompiledLibrary& library =
      compiler_test::Compile(std::string(source ? source : ".") + "/samples/acts", "bench_startup");
  return library.result == 0 ? library.folder : std::string();
}

// Resident memory of a process in megabytes (VmRSS of /proc/PID/status); 0 when unreadable.
double ResidentMegabytes(const std::string& pid) {
  std::ifstream status("/proc/" + pid + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

// The main window stands at (32, 32) on a screen without a window manager; the first sheet's page
// covers its middle once it is drawn.
bool PagePainted(const QImage& screen) {
  const int x = 32 + 500, y = 32 + 300;
  return !screen.isNull() && screen.rect().contains(x, y) && screen.pixel(x, y) == 0xFFFFFFFFu;
}

void BM_StartToFirstPaint(benchmark::State& state) {
  const std::string library = LibraryFolder();
  if (library.empty()) return state.SkipWithError("no library");
  if (!lumo::test::program_on_path("Xvfb")) return state.SkipWithError("Xvfb is not installed");
  const std::string folder = base::temp_folder() + "/bench_startup_screen";
  std::filesystem::remove_all(folder);
  for (const char* sub : {"screen", "runtime"}) std::filesystem::create_directories(folder + "/" + sub);
  std::filesystem::permissions(folder + "/runtime", std::filesystem::perms::owner_all);
  lumo::test::VirtualScreen screen;
  std::string error;
  if (!screen.Start(folder + "/screen", &error)) return state.SkipWithError(error.c_str());
  double resident = 0;
  int run = 0;
  for (auto _ : state) {
    // Each start gets empty settings, so every run is a first start.
    const std::string own = folder + "/run" + std::to_string(run++);
    std::filesystem::create_directories(own + "/config");
    std::filesystem::create_directories(own + "/data");
    const auto started = std::chrono::steady_clock::now();
    ChildProcess program({{LUMOKAL_PROGRAM, "--data", library},
                          {"DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + own + "/config",
                           "XDG_DATA_HOME=" + own + "/data", "XDG_RUNTIME_DIR=" + folder + "/runtime",
                           "WAYLAND_DISPLAY"},
                          false,
                          -1});
    bool painted = false;
    while (!painted && std::chrono::steady_clock::now() - started < 20s) {
      painted = PagePainted(lumo::test::read_xwd_screen(screen.ScreenFile(), &error));
      if (!painted) usleep(2000);
    }
    const auto elapsed = std::chrono::steady_clock::now() - started;
    if (!painted) {
      lumo::test::read_xwd_screen(screen.ScreenFile(), &error).save(QString::fromStdString(std::string("unpainted.png")));
      return state.SkipWithError(("the main window was not painted within 20 seconds; the screen: " + std::string("unpainted.png")).c_str());
    }
    state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
    resident = ResidentMegabytes(std::to_string(program.pid()));
    program.stop();
    // The window is gone from the screen before the next start is timed.
    for (int i = 0; i < 500 && PagePainted(lumo::test::read_xwd_screen(screen.ScreenFile(), &error)); ++i) usleep(2000);
  }
  state.counters["rss_started_mb"] = resident;
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The application in this process: resident memory once started, then after ten acts each opened
// in a sheet of its own (as many as the sheet limit allows).
void BM_ResidentAfterTenActs(benchmark::State& state) {
  const std::string library = LibraryFolder();
  if (library.empty()) return state.SkipWithError("no library");
  const bench::TextSheet sheet =
      bench::OpenTextSheet("bench_startup", base::temp_folder() + "/bench_startup_app", library, 1280, 1024);
  if (!sheet.view) return state.SkipWithError("the text sheet did not open");
  const std::string self = std::to_string(::getpid());
  const double started = ResidentMegabytes(self);
  double after = started;
  int opened = 0;
  for (auto _ : state) {
    const int32_t count = medview::MvGetTitleInfo(LibraryTitle(), 11, 0, nullptr, 0);
    for (int32_t topic = 0; topic < count && opened < 10; ++topic) {
      shell::ContentsRecord record;
      if (!sheet.work->ReadCatalogRecord(topic, record) || record.level != shell::kLevelAct || record.attachment) continue;
      sheet.work->SetSavedTopic(topic);
      if (sheet.work->OpenTopic(topic, 3, 0)) ++opened;
    }
    after = ResidentMegabytes(self);
  }
  state.counters["rss_started_mb"] = started;
  state.counters["rss_ten_acts_mb"] = after;
  state.counters["acts_opened"] = opened;
}
BENCHMARK(BM_ResidentAfterTenActs)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
