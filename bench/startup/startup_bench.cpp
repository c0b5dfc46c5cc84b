// The program's start, on the library compiled from the shared corpus (the sample acts when it is
// absent): the real program started under a virtual X server, timed from starting the process to
// the first paint of its main window (the first sheet's page drawn in the middle of the frame),
// with its resident memory then; and its resident memory with a work of eight sheets (the sheet
// limit of a first start), each on an act.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/support/corpus_library.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/temp_folder.h"
#include "shell/library_title.h"
#include "platform/base/archive.h"
#include "platform/base/os_file.h"
#include "shell/core/contents_reader.h"
#include "shell/work_file.h"
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
    // Each start gets empty settings, so every run is a first start, and a temporary folder of its
    // own, so that no other program running on the machine is taken for the first instance.
    const std::string own = folder + "/run" + std::to_string(run++);
    std::filesystem::create_directories(own + "/config");
    std::filesystem::create_directories(own + "/data");
    std::filesystem::create_directories(own + "/tmp");
    const auto started = std::chrono::steady_clock::now();
    ChildProcess program({{LUMOKAL_PROGRAM, "--data", library},
                          {"DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + own + "/config",
                           "XDG_DATA_HOME=" + own + "/data", "XDG_RUNTIME_DIR=" + folder + "/runtime",
                           "TMPDIR=" + own + "/tmp", "WAYLAND_DISPLAY"},
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

// The real program started with a work of as many sheets as the settings allow at first (eight),
// each on an act of the library: its resident memory once the sheets stand.
void BM_ResidentWithFullSheets(benchmark::State& state) {
  const std::string library = LibraryFolder();
  if (library.empty()) return state.SkipWithError("no library");
  if (!lumo::test::program_on_path("Xvfb")) return state.SkipWithError("Xvfb is not installed");
  const std::string folder = base::temp_folder() + "/bench_startup_work";
  std::filesystem::remove_all(folder);
  for (const char* sub : {"screen", "runtime", "config", "data", "tmp"}) std::filesystem::create_directories(folder + "/" + sub);
  std::filesystem::permissions(folder + "/runtime", std::filesystem::perms::owner_all);
  // The first acts in catalogue order, one per sheet.
  shell::ContentsIndexReader catalog;
  if (catalog.Open(library + "/Index.idx") != base::OsError::None) return state.SkipWithError("the contents index does not open");
  CUserData settings;
  CDocumentData statistics;
  WorkLists lists;
  for (int32_t n = 0; n < catalog.RecordCount() && lists.sheets.size() < size_t(settings.m_nMaxSheets); ++n) {
    shell::ContentsRecord r;
    if (catalog.ReadRecord(n, r) && r.level == shell::kLevelAct && !r.attachment) {
      lists.sheets.emplace_back();
      lists.sheets.back().topic = n;
    }
  }
  CArchive out;
  SerializeWork(out, settings, statistics, lists);
  const std::string work = folder + "/arkusze.lkl";
  if (base::write_file_atomic(work, out.GetBytes()) != base::OsError::None) return state.SkipWithError("no work file");
  lumo::test::VirtualScreen screen;
  std::string error;
  if (!screen.Start(folder + "/screen", &error)) return state.SkipWithError(error.c_str());
  double resident = 0;
  for (auto _ : state) {
    ChildProcess program({{LUMOKAL_PROGRAM, "--data", library, work},
                          {"DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + folder + "/config",
                           "XDG_DATA_HOME=" + folder + "/data", "XDG_RUNTIME_DIR=" + folder + "/runtime",
                           "TMPDIR=" + folder + "/tmp", "WAYLAND_DISPLAY"},
                          false,
                          -1});
    const auto started = std::chrono::steady_clock::now();
    bool painted = false;
    while (!painted && std::chrono::steady_clock::now() - started < 20s) {
      painted = PagePainted(lumo::test::read_xwd_screen(screen.ScreenFile(), &error));
      if (!painted) usleep(5000);
    }
    if (!painted) {
      lumo::test::read_xwd_screen(screen.ScreenFile(), &error).save("unpainted_work.png");
      return state.SkipWithError("the main window was not painted within 20 seconds (unpainted_work.png)");
    }
    // The sheets stand once the first is painted (the work opens them all before the window shows);
    // a second more lets the last paints finish.
    usleep(1000000);
    resident = ResidentMegabytes(std::to_string(program.pid()));
    program.stop();
    for (int i = 0; i < 500 && PagePainted(lumo::test::read_xwd_screen(screen.ScreenFile(), &error)); ++i) usleep(2000);
  }
  state.counters["rss_sheets_mb"] = resident;
  state.counters["sheets"] = double(lists.sheets.size());
}
BENCHMARK(BM_ResidentWithFullSheets)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
