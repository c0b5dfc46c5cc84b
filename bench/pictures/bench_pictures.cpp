// Decoding an A4 page scanned at 300 dpi (2,480 x 3,508 pixels) with the picture codecs, side by
// side with Qt's own image reader on the same files: PNG of 1 and 8 bits, JPEG and GIF.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <map>
#include <string>
#include <vector>

#include "pictures/image/image_file.h"
#include "tests/pictures_image/picture_makers.h"

namespace {

constexpr int kWidth = 2480;
constexpr int kHeight = 3508;

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "bench_pictures";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return app;
}

// A page of text-like marks: lines of short dark runs on white, with a grey band and a coloured
// stamp, so that every format has something real to compress.
int PageValue(int x, int y, int levels) {
  bool line = (y / 12) % 3 != 2 && (y % 12) > 2;
  bool mark = line && ((x / 7 + y / 36) * 2654435761u >> 29) % 3 != 0 && x % 7 != 0;
  if (x > 1800 && x < 2300 && y > 200 && y < 600) return (x + y) / 8 % levels;
  return mark ? 0 : levels - 1;
}

const std::string& PagePath(const std::string& kind) {
  static std::map<std::string, std::string> paths;
  auto found = paths.find(kind);
  if (found != paths.end()) return found->second;
  std::string path = picture_test::TempPath("page_" + kind);
  if (kind == "png1") {
    std::vector<uint16_t> s;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) s.push_back(uint16_t(PageValue(x, y, 2)));
    picture_test::WritePng(path += ".png", kWidth, kHeight, 0, 1, s);
  } else if (kind == "png8") {
    std::vector<uint16_t> s;
    std::vector<picture_test::Rgb> palette;
    for (int i = 0; i < 256; ++i) palette.push_back({uint8_t(i), uint8_t(255 - i / 2), uint8_t(i / 3)});
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) s.push_back(uint16_t(PageValue(x, y, 256)));
    picture_test::WritePng(path += ".png", kWidth, kHeight, 3, 8, s, palette);
  } else if (kind == "jpeg") {
    std::vector<uint8_t> s;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        uint8_t v = uint8_t(PageValue(x, y, 256));
        s.insert(s.end(), {v, uint8_t(v / 2 + 100), uint8_t(255 - v)});
      }
    picture_test::WriteJpeg(path += ".jpg", kWidth, kHeight, 3, s, 75);
  } else {
    std::vector<uint8_t> s;
    std::vector<picture_test::Rgb> table;
    for (int i = 0; i < 256; ++i) table.push_back({uint8_t(i), uint8_t(i), uint8_t(255 - i)});
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) s.push_back(uint8_t(PageValue(x, y, 256)));
    picture_test::WriteBytes(path += ".gif", picture_test::MakeGif(kWidth, kHeight, s, table));
  }
  return paths[kind] = path;
}

void Ours(benchmark::State& state, const std::string& kind) {
  const std::string& path = PagePath(kind);
  for (auto _ : state) {
    CImageFile image(path.c_str());
    if (image.GetWidth() != kWidth) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(image.GetBits());
  }
}

void QtReader(benchmark::State& state, const std::string& kind) {
  App();
  const std::string& path = PagePath(kind);
  for (auto _ : state) {
    QImage image(QString::fromStdString(path));
    if (image.width() != kWidth) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(image.constBits());
  }
}

}  // namespace

BENCHMARK_CAPTURE(Ours, png_1_bit, std::string("png1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtReader, png_1_bit, std::string("png1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Ours, png_8_bit, std::string("png8"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtReader, png_8_bit, std::string("png8"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Ours, jpeg, std::string("jpeg"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtReader, jpeg, std::string("jpeg"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Ours, gif, std::string("gif"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QtReader, gif, std::string("gif"))->Unit(benchmark::kMillisecond);
