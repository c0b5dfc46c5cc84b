// Drawing on real devices with real fonts, beside Qt's text document doing the same work with the
// same font:
//   - the longest act of the library compiled from the shared corpus opened and its first screen
//     drawn into a 1920x1080 image with the library's own fonts;
//   - the synthetic act scrolled by a line and by a page on the image, with the exposed strip
//     repainted;
//   - the long synthetic act laid out whole at 1920 pixels on the image device, beside
//     QTextDocument laying out the same paragraphs in the same face and size;
//   - the synthetic act printed to a real PDF file (about 300 A4 pages), beside QTextDocument
//     printing the same paragraphs to a PDF through QPdfWriter.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/layout/synthetic_act.h"
#include "bench/support/corpus_library.h"
#include "engine/fcmanage/topic_address.h"
#include "engine/frame/painting.h"
#include "engine/frame/printing.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer_fonts.h"
#include "engine/title/title.h"
#include "platform/base/temp_folder.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "tests/layout/record_builder.h"

// Qt's keyword macros would rename engine members: Qt headers come last.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "platform/gdi/paged_device.h"
#include "platform/gdi/qt_raster_device.h"

namespace {

constexpr RECT kScreen{0, 0, 1920, 1080};
// The face of the synthetic act's text on both sides (font 0 of the test sheet, 10 points).
constexpr const char* kFace = "Liberation Serif";

void App() {
  static int argc = 1;
  static char name[] = "bench_real_devices";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QGuiApplication(argc, argv);
  }();
  (void)app;
}

// The viewer's device: an image (or a printer) lent for every drawing.
HDC g_dc = nullptr;
HDC LentDC(HWND) { return g_dc; }
void KeepDC(HWND, HDC) {}

struct RealViewer {
  medview::Viewer* viewer = medview::MvCreateViewer(nullptr, nullptr);
  RealViewer() {
    medview::MvSetWindow(viewer, reinterpret_cast<HWND>(uintptr_t(1)), nullptr);
    medview::MvSetGetDCProc(viewer, LentDC);
    medview::MvSetReleaseDCProc(viewer, KeepDC);
  }
  ~RealViewer() { medview::MvDestroyViewer(viewer); }
};

void BM_OpenActFirstScreen(benchmark::State& state) {
  App();
  const bench::CorpusLibrary* library = bench::CompiledCorpus();
  if (!library) return state.SkipWithError("corpus absent");
  title::TitleHandle* t = title::TtlOpen(library->path.c_str(), nullptr, 0, true);
  if (!t) return state.SkipWithError("library does not open");
  const int32_t position = fcmanage::TtlTopicNumberToPosition(t, bench::LongestActTopic(*library));
  QImage image(1920, 1080, QImage::Format_RGB32);
  g_dc = gdi::create_surface_dc(&image, 96);
  size_t frames = 0;
  for (auto _ : state) {
    image.fill(Qt::white);
    RealViewer v;
    medview::MvSetTitle(v.viewer, t, nullptr, nullptr);
    frame::MvSetTopic(v.viewer, position, 1, 0, nullptr);
    frame::MvLayoutTopic(v.viewer, &kScreen, nullptr);
    medview::MvPaint(v.viewer, g_dc, &kScreen, nullptr);
    frames = v.viewer->frames.size();
  }
  state.counters["frames"] = double(frames);
  DeleteDC(g_dc);
  g_dc = nullptr;
  title::TtlClose(t);
}
BENCHMARK(BM_OpenActFirstScreen)->Unit(benchmark::kMillisecond);

// The synthetic act's paragraphs as text records in font 0 of the sheet below.
std::vector<layout_test::Bytes> ActRecords(int paragraphs) {
  std::vector<layout_test::Bytes> records;
  adt::ParagraphInfo info;
  info.spaceAfter = 6;
  for (const std::string& text : layout_bench::SyntheticActText(paragraphs)) {
    layout_test::Commands commands;
    commands.Font(0).Byte(0x82).End();
    records.push_back(layout_test::TextRecord(info, commands, "|" + text + "|"));
  }
  return records;
}

QString ActText(int paragraphs) {
  QString text;
  for (const std::string& p : layout_bench::SyntheticActText(paragraphs)) {
    text += QString::fromLatin1(p.data(), qsizetype(p.size()));
    text += QChar(u'\n');
  }
  return text;
}

std::unique_ptr<title::StyleSheet> RealSheet() {
  auto sheet = layout_test::TestStyleSheet();
  sheet->faces = {kFace};
  return sheet;
}

QFont ActFont() {
  QFont font(kFace);
  font.setPointSizeF(10);
  return font;
}

// Both sides go from the paragraphs' text to a laid-out act: ours encodes the records and lays each
// out at 1920 pixels, Qt builds its document and lays it out at the same width.
void BM_LayoutActReal(benchmark::State& state) {
  App();
  QImage image(1920, 1080, QImage::Format_RGB32);
  g_dc = gdi::create_surface_dc(&image, 96);
  auto sheet = RealSheet();
  RealViewer v;
  medview::MvSetStyleSheet(v.viewer, sheet.get());
  int64_t height = 0;
  for (auto _ : state) {
    medview::MvAcquireDC(v.viewer);
    height = 0;
    for (const layout_test::Bytes& record : ActRecords(layout_bench::kActParagraphs)) {
      frame::ObjectList objects;
      frame::RecordPlacement at;
      at.width = 1920;
      frame::RecordExtent extent;
      frame::FrLayoutRecord(*v.viewer, record, {}, at, objects, extent);
      height += extent.height;
    }
    medview::MvReleaseDC(v.viewer);
  }
  state.counters["height"] = double(height);
  DeleteDC(g_dc);
  g_dc = nullptr;
}
BENCHMARK(BM_LayoutActReal)->Unit(benchmark::kMillisecond);

void BM_QTextDocumentLayoutAct(benchmark::State& state) {
  App();
  const QString text = ActText(layout_bench::kActParagraphs);
  for (auto _ : state) {
    QTextDocument document;
    document.setDefaultFont(ActFont());
    document.setPlainText(text);
    document.setTextWidth(1920);
    benchmark::DoNotOptimize(document.size().height());
  }
}
BENCHMARK(BM_QTextDocumentLayoutAct)->Unit(benchmark::kMillisecond);

// Scrolls the synthetic act by `code` on the 1920x1080 image and repaints the strip it exposed (the
// image's bits moved as a window's would be), back to the top at the end.
void ScrollReal(benchmark::State& state, int32_t code) {
  App();
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.fill(Qt::white);
  g_dc = gdi::create_surface_dc(&image, 96);
  auto sheet = RealSheet();
  RealViewer v;
  medview::MvSetStyleSheet(v.viewer, sheet.get());
  frame::MvSetRecordSource(v.viewer, std::make_shared<layout_test::MemoryRecordSource>(ActRecords(2000), 0));
  frame::MvSetTopic(v.viewer, layout_test::MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
  frame::MvLayoutTopic(v.viewer, &kScreen, nullptr);
  medview::MvPaint(v.viewer, g_dc, &kScreen, nullptr);
  for (auto _ : state) {
    POINT move{};
    medview::TitleErrorCode error = 0;
    medview::MvScrollVertical(v.viewer, &move, nullptr, nullptr, code, 0, &error);
    if (error == medview::kViewCannotScroll) {
      state.PauseTiming();
      medview::MvScrollVertical(v.viewer, &move, nullptr, nullptr, medview::kScrollTop, 0, &error);
      medview::MvPaint(v.viewer, g_dc, &kScreen, nullptr);
      state.ResumeTiming();
      continue;
    }
    BitBlt(g_dc, 0, move.y, 1920, 1080, g_dc, 0, 0, SRCCOPY);
    RECT strip{0, kScreen.bottom + move.y, kScreen.right, kScreen.bottom};
    medview::MvPaint(v.viewer, g_dc, &strip, nullptr);
  }
  DeleteDC(g_dc);
  g_dc = nullptr;
}

void BM_LineScrollReal(benchmark::State& state) { ScrollReal(state, medview::kScrollLineDown); }
BENCHMARK(BM_LineScrollReal)->Unit(benchmark::kMicrosecond);

void BM_PageScrollReal(benchmark::State& state) { ScrollReal(state, medview::kScrollPageDown); }
BENCHMARK(BM_PageScrollReal)->Unit(benchmark::kMicrosecond);

// About 300 A4 pages.
constexpr int kPrintedParagraphs = 8500;

// Starts and ends the printer's pages as the engine asks, counting them.
BOOL NextPage(void* job, HDC hdc, int32_t, int32_t, int32_t, int32_t, RECT*, BOOL starting) {
  if (!starting) return EndPage(hdc) > 0;
  ++*static_cast<int*>(job);
  return StartPage(hdc) > 0;
}

void BM_PrintActToPdf(benchmark::State& state) {
  App();
  auto sheet = RealSheet();
  const std::string path = base::temp_folder() + "/bench_act.pdf";
  int pages = 0;
  for (auto _ : state) {
    pages = 0;
    HDC printer = gdi::create_pdf_dc(path, 96);
    DOCINFO info{sizeof(DOCINFO), "Akt", nullptr, nullptr, 0};
    StartDoc(printer, &info);
    g_dc = printer;
    RealViewer v;
    medview::MvSetStyleSheet(v.viewer, sheet.get());
    frame::MvSetRecordSource(v.viewer, std::make_shared<layout_test::MemoryRecordSource>(ActRecords(kPrintedParagraphs), 0));
    frame::MvSetTopic(v.viewer, layout_test::MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
    RECT page{48, 48, 746, 1075};
    RECT layout = page;
    frame::MvLayoutTopic(v.viewer, &page, nullptr);
    medview::MvPrint(v.viewer, printer, FALSE, &page, &layout, nullptr, NextPage, &pages, nullptr);
    EndPage(printer);
    EndDoc(printer);
    DeleteDC(printer);
    g_dc = nullptr;
  }
  state.counters["pages"] = double(pages);
  std::error_code ec;
  state.counters["pdf_bytes"] = double(std::filesystem::file_size(path, ec));
  std::filesystem::remove(path, ec);
}
BENCHMARK(BM_PrintActToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_QTextDocumentPrintToPdf(benchmark::State& state) {
  App();
  const QString text = ActText(kPrintedParagraphs);
  const QString path = QString::fromStdString(base::temp_folder() + "/bench_qt.pdf");
  int pages = 0;
  for (auto _ : state) {
    QTextDocument document;
    document.setDefaultFont(ActFont());
    document.setPlainText(text);
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(96);
    document.setPageSize(writer.pageLayout().paintRectPixels(96).size());
    document.print(&writer);
    pages = document.pageCount();
  }
  state.counters["pages"] = double(pages);
  std::error_code ec;
  std::filesystem::remove(path.toStdString(), ec);
}
BENCHMARK(BM_QTextDocumentPrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
