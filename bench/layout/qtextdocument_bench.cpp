// The same act laid out at the same width by Qt's text document, for comparison with
// BM_FullLayout.
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextOption>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/layout/synthetic_act.h"

namespace {

QGuiApplication& App() {
  static int argc = 1;
  static char name[] = "bench_layout";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication instance(argc, argv);
    return &instance;
  }();
  return *app;
}

void BM_QTextDocumentFullLayout(benchmark::State& state) {
  App();
  QString text;
  for (const std::string& p : layout_bench::SyntheticActText()) {
    text += QString::fromLatin1(p.data(), qsizetype(p.size()));
    text += QChar(u'\n');
  }
  double height = 0;
  for (auto _ : state) {
    QTextDocument document;
    document.setPlainText(text);
    document.setTextWidth(1920);
    height = document.size().height();
    benchmark::DoNotOptimize(height);
  }
  state.counters["height"] = height;
}
BENCHMARK(BM_QTextDocumentFullLayout)->Unit(benchmark::kMillisecond);

}  // namespace
