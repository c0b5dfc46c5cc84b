// A long act (about 300 A4 pages) printed into a PDF file: through the act print job of a text
// sheet (header with the citation and page number, the footer on every page) and, as the
// reference, through the engine alone (its own page brackets, no furniture). The page count is
// reported with each run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/frame/printing.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_startup.h"
#include "engine/medview/engine_titles.h"
#include "platform/base/cp1250.h"
#include "platform/base/data_folder.h"
#include "platform/base/profile.h"
#include "platform/base/registry_store.h"
#include "platform/base/temp_folder.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/mdi.h"
#include "platform/framework/print_job.h"
#include "platform/framework/prompter.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "shell/print/kal_print_job.h"
#include "shell/print/print_texts.h"
#include "shell/view/lumo_kal_view.h"
#include "bench/support/text_sheet.h"
#include "tests/compiler/library_fixture.h"

// Last: Qt's keywords would otherwise rename members of the engine's headers.
#include <QApplication>

namespace {

constexpr int kArticles = 4200;

std::string LongAct() {
  std::string text =
      "Dz.U. z 1998 r. Nr 40, poz. 500\n                                USTAWA\n"
      "                        z dnia 2 marca 1998 r.\n\n"
      "              o zieleni miejskiej i żywopłotach\n\n";
  for (int article = 1; article <= kArticles; ++article) {
    text += "                                Art. " + std::to_string(article) + ".\n";
    text += "Gmina dba o zieleń przy drogach, placach i skwerach, sadzi drzewa i krzewy, usuwa suche "
            "gałęzie oraz prowadzi rejestr drzew pomnikowych w granicach gminy, a wójt ogłasza go co roku.\n\n";
  }
  return text;
}

struct Sheet {
  CLumoApp* app = nullptr;
  CLumoKALView* view = nullptr;
  std::string folder;
};

Sheet& TheSheet() {
  static Sheet sheet = [] {
    Sheet s;
    s.folder = base::temp_folder() + "/bench_print_act";
    const std::string acts = s.folder + "/acts";
    std::filesystem::create_directories(acts);
    std::ofstream(acts + "/1998_500.txt") << LongAct();
    const compiler_test::CompiledLibrary& library = compiler_test::Compile(acts, "bench_print_library");
    const bench::TextSheet opened =
        bench::OpenTextSheet("bench_print_act", s.folder, library.result == 0 ? library.folder : std::string(), 1280, 900);
    s.app = opened.app;
    s.view = opened.view;
    if (s.view && !s.view->GoToAddress(CString("98 500"))) s.view = nullptr;
    return s;
  }();
  return sheet;
}

// The act job with the printer's answers given: the application's printer, into a PDF file.
class FileJob : public CKALPrintJob {
 public:
  std::string pdf;
  BOOL DoPreparePrinting(CPrintInfo* info, BOOL) override {
    if (!CKALPrintJob::DoPreparePrinting(info, TRUE)) return FALSE;
    auto names = std::make_shared<DEVNAMES>(*info->m_pPD->m_pd.hDevNames);
    names->output = CString(base::cp1250::from_utf8(pdf));
    info->m_pPD->m_pd.hDevNames = names;
    info->m_pPD->m_pd.Flags |= PD_PRINTTOFILE;
    return TRUE;
  }
};

void BM_PrintActJobToPdf(benchmark::State& state) {
  Sheet& s = TheSheet();
  if (!s.view) {
    state.SkipWithError("the long act could not be opened");
    return;
  }
  int pages = 0;
  for (auto _ : state) {
    FileJob job;
    job.pdf = s.folder + "/akt.pdf";
    job.view = s.view;
    job.headerText = printtext::ActCitation(s.view->GetActDescription(), true);
    job.pageFormat = printtext::PageFormat(true);
    job.footerText = printtext::WorkInfo(true, true, printtext::PrintDate(), CString("Praca"));
    if (!job.Print()) state.SkipWithError("printing failed");
    pages = job.pageCount;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintActJobToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reference: the engine prints the text pane's region into a PDF file with its own page
// brackets, on A4 with 2 cm margins, nothing around the text.
void BM_EnginePrintActToPdf(benchmark::State& state) {
  Sheet& s = TheSheet();
  if (!s.view) {
    state.SkipWithError("the long act could not be opened");
    return;
  }
  int pages = 0;
  for (auto _ : state) {
    DEVNAMES names;
    names.output = CString(base::cp1250::from_utf8(s.folder + "/silnik.pdf"));
    framework::PrintJob job(names, DEVMODE{});
    CDC* dc = job.dc();
    if (!dc || !job.StartDoc(CString("Akt"))) {
      state.SkipWithError("no printer context");
      return;
    }
    const int dpi = dc->GetDeviceCaps(LOGPIXELSY);
    const int margin = dpi * 200 / 254;  // 2 cm
    RECT page{margin, margin, dc->GetDeviceCaps(HORZRES) - margin, dc->GetDeviceCaps(VERTRES) - margin};
    RECT layout = page;
    medview::TitleErrorCode error = 0;
    struct Counter {
      static BOOL Page(void* count, HDC hdc, int32_t, int32_t, int32_t, int32_t, RECT*, BOOL starting) {
        if (starting) {
          ++*static_cast<int*>(count);
          return ::StartPage(hdc) > 0;
        }
        return ::EndPage(hdc) > 0;
      }
    };
    int count = 0;
    medview::MvPrint(s.view->GetTextPane().GetViewer(), dc->m_hDC, FALSE, &page, &layout, nullptr, &Counter::Page,
                     &count, &error);
    job.EndPage();
    job.EndDoc();
    pages = count;
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_EnginePrintActToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
