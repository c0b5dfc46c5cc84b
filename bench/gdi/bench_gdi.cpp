// Drawing costs that bound painting: a long text line, a full-screen repaint, a font miss.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/font_mapping.h"
#include "platform/gdi/qt_raster_device.h"

namespace {

QGuiApplication& app() {
  static int argc = 1;
  static char name[] = "bench_gdi";
  static char* argv[] = {name, nullptr};
  static QGuiApplication a(argc, argv);
  return a;
}

// A line of Polish text (CP1250) of the given length.
std::string text_line(size_t length) {
  static const std::string words =
      "Art. 12. Ustawa wchodzi w \xBFycie po up\xB3ywie 14 dni od dnia og\xB3oszenia. "
      "Minister w\xB3\x61\x9C" "ciwy do spraw finans\xF3w publicznych okre\x9C" "li, w drodze "
      "rozporz\xB9" "dzenia, szczeg\xF3\xB3owy tryb. ";
  std::string out;
  while (out.size() < length) out += words;
  out.resize(length);
  return out;
}

HFONT body_font() {
  return CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Times New Roman CE");
}

void BM_TextOutLongLineWithAdvances(benchmark::State& state) {
  app();
  QImage surface(1920, 40, QImage::Format_RGB32);
  surface.fill(Qt::white);
  HDC dc = gdi::create_surface_dc(&surface);
  HFONT font = body_font();
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  std::string line = text_line(1000);
  std::vector<int> dx(line.size());
  int widths[256];
  GetCharWidth32(dc, 0, 255, widths);
  for (size_t i = 0; i < line.size(); ++i) dx[i] = widths[(unsigned char)line[i]];
  for (auto _ : state) ExtTextOut(dc, 0, 10, 0, nullptr, line.data(), UINT(line.size()), dx.data());
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  DeleteDC(dc);
}
BENCHMARK(BM_TextOutLongLineWithAdvances)->Unit(benchmark::kMicrosecond);

void BM_FullRepaintSixtyLines(benchmark::State& state) {
  app();
  QImage surface(1920, 1080, QImage::Format_RGB32);
  HDC dc = gdi::create_surface_dc(&surface);
  HFONT font = body_font();
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  std::string line = text_line(220);
  HBRUSH background = CreateSolidBrush(RGB(255, 255, 255));
  RECT all{0, 0, 1920, 1080};
  for (auto _ : state) {
    FillRect(dc, &all, background);
    for (int i = 0; i < 60; ++i) TextOut(dc, 8, 4 + i * 18, line.data(), int(line.size()));
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  DeleteObject(background);
  DeleteDC(dc);
}
BENCHMARK(BM_FullRepaintSixtyLines)->Unit(benchmark::kMillisecond);

void BM_FontCreationWithWidthsOnMiss(benchmark::State& state) {
  app();
  LOGFONT lf{};
  lf.lfHeight = -16;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = EASTEUROPE_CHARSET;
  std::strcpy(lf.lfFaceName, "Arial CE");
  int height = 10;
  for (auto _ : state) {
    // A new height each time: never in the cache.
    lf.lfHeight = -(height++ % 4000 + 8);
    if (height % 4000 == 0) {
      state.PauseTiming();
      gdi::clear_font_cache();
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(gdi::qt_font(lf, 96));
  }
}
BENCHMARK(BM_FontCreationWithWidthsOnMiss)->Unit(benchmark::kMicrosecond);

}  // namespace
