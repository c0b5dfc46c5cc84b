// The keyword index paths on the library compiled from the shared corpus (the sample acts when the
// corpus is absent):
// - filling the "Indeksy" tab for a keyword of 5,000 addresses (each address turned into its topic
//   through a scratch viewer, described from the contents index and put into the report list),
//   beside the same lookups and descriptions put into a Qt item model (QStandardItemModel);
// - one keystroke of type-ahead in the subject index dialog (the nearest keyword found, selected,
//   focused and scrolled to the top, the list repainted), beside a Qt list view over the same
//   keywords doing the same (binary search, current index, scroll to the top, repaint).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/corpus_library.h"
#include "bench/support/text_sheet.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/engine_titles.h"
#include "engine/medview/viewer.h"
#include "navigation/index_dlg.h"
#include "navigation/keyword_hits.h"
#include "navigation/keywordsres_tab.h"
#include "navigation/nav_bar.h"
#include "navigation/nav_commands.h"
#include "platform/base/temp_folder.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/control_messages.h"
#include "platform/win/message_loop.h"
#include "resources/app_ids.h"
#include "shell/library_title.h"
#include "shell/lumo_app.h"
#include "shell/lumo_kal_doc.h"
#include "tests/compiler/library_fixture.h"

// Last: Qt's keywords would otherwise rename members of the headers above.
#include <QApplication>
#include <QListView>
#include <QStandardItemModel>
#include <QStringListModel>

namespace {

constexpr int kHits = 5000;

std::string LibraryFolder() {
  if (const bench::CorpusLibrary* corpus = bench::CompiledCorpus()) {
    return std::filesystem::path(corpus->path).parent_path().string();
  }
  const char* source = std::getenv("LUMO_SOURCE_DIR");
  const compiler_test::CompiledLibrary& library =
      compiler_test::Compile(std::string(source ? source : ".") + "/samples/acts", "bench_index_results");
  return library.result == 0 ? library.folder : std::string();
}

struct Setup {
  CLumoKALDoc* work = nullptr;
  CFrameWnd* main = nullptr;
  COutputWnd* navigator = nullptr;
  CKeywordsresTab* tab = nullptr;
  std::vector<uint32_t> addresses;   // kHits topic addresses, every topic in turn
  std::vector<std::string> keywords;  // the subject index's keywords, in its order
};

Setup& TheSetup() {
  static Setup s = [] {
    Setup s;
    const bench::TextSheet sheet = bench::OpenTextSheet(
        "bench_index_results", base::temp_folder() + "/bench_index_results", LibraryFolder(), 1280, 900);
    s.work = sheet.work;
    s.main = sheet.app ? dynamic_cast<CFrameWnd*>(sheet.app->m_pMainWnd) : nullptr;
    if (!s.work || !s.main || !LibraryTitle()) return s;
    s.navigator = new COutputWnd();
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC | CBRS_BOTTOM;
    if (!s.navigator->Create(s.main, CString("Nawigator"), style, 0x0F31, 100)) return s;
    s.navigator->MoveWindow(0, 500, 1260, 360);
    s.main->m_listControlBars.push_back(s.navigator);
    s.navigator->ActivateTab(2);
    s.tab = s.navigator->GetKeywordsTab();
    const int32_t topics = medview::MvGetTitleInfo(LibraryTitle(), 11, 0, nullptr, 0);
    for (int i = 0; topics > 0 && i < kHits; ++i) {
      s.addresses.push_back(
          uint32_t(title::TtlGetInfo(LibraryTitle(), title::kInfoCatalogAddress, i % topics, nullptr, 0)));
    }
    if (fts::WordWheelHandle subjects = medview::MvOpenKeywordIndex(LibraryTitle(), "|i")) {
      for (int32_t i = 0, n = medview::MvGetKeywordCount(subjects); i < n; ++i) {
        s.keywords.push_back(keywords::KeywordText(subjects, i));
      }
      medview::MvCloseKeywordIndex(subjects);
    }
    win::pump_waiting_messages();
    return s;
  }();
  return s;
}

void BM_FillIndexResults(benchmark::State& state) {
  Setup& s = TheSetup();
  if (!s.tab || s.addresses.size() != size_t(kHits)) {
    state.SkipWithError("no library or navigator");
    return;
  }
  keywords::KeywordHitArray& hits = keywords::KeywordHits();
  for (auto _ : state) {
    hits.Clear();
    hits.count = kHits;
    hits.addresses = s.addresses;
    s.tab->ShowKeyword(CString("wszystkie tematy"));
    if (s.tab->GetList().GetItemCount() != kHits) state.SkipWithError("rows missing");
  }
  s.tab->ClearList();
  state.counters["rows"] = kHits;
}
BENCHMARK(BM_FillIndexResults)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QtModelFillReference(benchmark::State& state) {
  Setup& s = TheSetup();
  if (!s.work || s.addresses.size() != size_t(kHits)) {
    state.SkipWithError("no library");
    return;
  }
  for (auto _ : state) {
    QStandardItemModel model(0, 5);
    medview::ViewerHandle viewer = medview::MvCreateViewer(LibraryTitle(), nullptr);
    shell::ActDescription description;
    for (int i = 0; i < kHits; ++i) {
      const int32_t position = medview::MvAddressToPosition(LibraryTitle(), int32_t(s.addresses[size_t(i)]));
      if (!frame::MvSetTopic(viewer, position, 0, 0, nullptr)) frame::MvSetTopic(viewer, position, 1, 0, nullptr);
      const int32_t topic = frame::MvGetCurrentTopic(viewer);
      s.work->GetActDescription(topic, description);
      const navtext::EntryTexts texts = navcmd::DescribeRow(*s.work, description);
      QList<QStandardItem*> row;
      row << new QStandardItem(QString::number(i + 1)) << new QStandardItem(QString::fromLatin1(texts.address))
          << new QStandardItem(QString::fromLatin1(texts.rank)) << new QStandardItem(QString::fromLatin1(texts.date))
          << new QStandardItem(QString::fromLatin1(texts.title));
      row.front()->setData(topic, Qt::UserRole);
      model.appendRow(row);
    }
    medview::MvDestroyViewer(viewer);
    benchmark::DoNotOptimize(model.rowCount());
  }
  state.counters["rows"] = kHits;
}
BENCHMARK(BM_QtModelFillReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prefixes typed one keystroke at a time: the first letters of keywords spread over the index.
std::vector<std::string> Prefixes(const std::vector<std::string>& keywords) {
  std::vector<std::string> prefixes;
  for (size_t i = 0; i < keywords.size(); i += std::max<size_t>(1, keywords.size() / 64)) {
    prefixes.push_back(keywords[i].substr(0, std::min<size_t>(keywords[i].size(), 4)));
  }
  return prefixes;
}

void BM_KeywordTypeAhead(benchmark::State& state) {
  Setup& s = TheSetup();
  if (!s.main || s.keywords.empty()) {
    state.SkipWithError("no library");
    return;
  }
  CKeywordIndexDlg::Toggle<CIndexDlg>(s.main);
  auto* dlg = dynamic_cast<CIndexDlg*>(CKeywordIndexDlg::GetOpen());
  if (!dlg) {
    state.SkipWithError("no dialog");
    return;
  }
  win::pump_waiting_messages();
  CWnd* edit = dlg->GetDlgItem(int(resources::IDC_SUBJECT_EDIT));
  edit->SetFocus();
  const HWND edit_window = edit->m_hWnd;
  const std::vector<std::string> prefixes = Prefixes(s.keywords);
  size_t next = 0;
  for (auto _ : state) {
    ::SetWindowText(edit_window, prefixes[next++ % prefixes.size()].c_str());
    dlg->GetList().UpdateWindow();
  }
  if (dlg->GetSelectedItem() < 0) state.SkipWithError("nothing selected");
  dlg->DestroyWindow();
  win::pump_waiting_messages();
  state.counters["keywords"] = double(s.keywords.size());
}
BENCHMARK(BM_KeywordTypeAhead)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_QtListTypeAheadReference(benchmark::State& state) {
  Setup& s = TheSetup();
  if (s.keywords.empty()) {
    state.SkipWithError("no library");
    return;
  }
  QStringList texts;
  for (const std::string& k : s.keywords) texts << QString::fromLatin1(k);
  QStringListModel model(texts);
  QListView view;
  view.setModel(&model);
  view.resize(330, 300);
  view.show();
  QCoreApplication::processEvents();
  const std::vector<std::string> prefixes = Prefixes(s.keywords);
  size_t next = 0;
  for (auto _ : state) {
    const std::string& prefix = prefixes[next++ % prefixes.size()];
    auto at = std::lower_bound(s.keywords.begin(), s.keywords.end(), prefix);
    const int row = at == s.keywords.end() ? int(s.keywords.size()) - 1 : int(at - s.keywords.begin());
    const QModelIndex index = model.index(row);
    view.setCurrentIndex(index);
    view.scrollTo(index, QAbstractItemView::PositionAtTop);
    view.viewport()->repaint();
  }
  state.counters["keywords"] = double(s.keywords.size());
}
BENCHMARK(BM_QtListTypeAheadReference)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
