// Full-text queries on the compiled library agree with a plain scan of the topics' texts, broken into
// words with the library's own character table and stop list.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/fts/breakers/word_breakers.h"
#include "engine/fcmanage/topic_record.h"
#include "engine/fts/index/index_format.h"
#include "engine/fts/search/hit_highlight.h"
#include "engine/fts/search/title_query.h"
#include "engine/mvfs/title_file_system.h"
#include "platform/base/cp1250.h"
#include "tests/compiler/library_fixture.h"
#include "tools/compiler/fulltext_terms.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace {

using namespace compiler_test;

// Each topic's words in order.
using Words = std::vector<std::vector<std::string>>;

int32_t Collect(const uint8_t*, const uint8_t* term, int32_t, intptr_t value) {
  reinterpret_cast<std::vector<std::string>*>(value)->emplace_back(reinterpret_cast<const char*>(term + 1), term[0]);
  return 0;
}

std::vector<std::string> Break(const std::string& text, const fts::CharTable& table, const fts::StopList& stop) {
  std::vector<std::string> words;
  fts::BreakerState state;
  fts::BreakerCall call;
  call.state = &state;
  call.callback = Collect;
  call.callbackValue = reinterpret_cast<intptr_t>(&words);
  call.charTable = &table;
  call.stopList = &stop;
  for (size_t at = 0; at < text.size(); at += 0xFFFF) {
    call.text = reinterpret_cast<const uint8_t*>(text.data() + at);
    call.length = uint16_t(std::min<size_t>(0xFFFF, text.size() - at));
    call.position = int32_t(at);
    fts::FBreakWords(call);
  }
  call.text = nullptr;
  call.length = 0;
  fts::FBreakWords(call);
  return words;
}

bool Has(const std::vector<std::string>& words, const std::string& w) {
  return std::find(words.begin(), words.end(), w) != words.end();
}

bool HasPhrase(const std::vector<std::string>& words, const std::string& a, const std::string& b) {
  for (size_t i = 0; i + 1 < words.size(); ++i)
    if (words[i] == a && words[i + 1] == b) return true;
  return false;
}

std::set<int32_t> Query(title::TitleHandle* t, const std::string& text) {
  int32_t count = 0, total = 0;
  fts::FtsError error{};
  std::set<int32_t> topics;
  fts::HitHighlightHandle hits = fts::TtlQuery(t, 0, text.c_str(), nullptr, 0, 0, nullptr, &count, &total, &error);
  if (!hits) return topics;
  for (int32_t n = 0; n < fts::HlGetHitCount(hits); ++n) topics.insert(fts::HlGetHitTopic(hits, uint32_t(n)));
  fts::HlRelease(hits);
  return topics;
}

TEST(FullText, QueriesAgreeWithAPlainScan) {
  const std::string corpus = SharedCorpus();
  if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
  const CompiledLibrary& library = Compile(corpus, "real");
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);

  const fts::CharTable table = titlebuild::polish_char_table();
  fts::StopList stop;
  for (std::string_view w : compiler::LibraryStopWords()) {
    std::vector<uint8_t> counted{uint8_t(w.size())};
    counted.insert(counted.end(), w.begin(), w.end());
    fts::FtsAddStopWord(&stop, counted.data());
  }
  // A query without a field looks in both: the text's words, then the title's.
  Words body, titles;
  for (size_t i = 0; i < library.plan.topics.size(); ++i) {
    titles.push_back(Break(library.plan.topics[i].title, table, stop));
    body.push_back(Break(library.plan.texts[i], table, stop));
    body.back().insert(body.back().end(), titles.back().begin(), titles.back().end());
  }
  const auto scan = [&](const auto& keep) {
    std::set<int32_t> topics;
    for (size_t i = 0; i < body.size(); ++i)
      if (keep(body[i], titles[i])) topics.insert(int32_t(i));
    return topics;
  };
  using W = const std::vector<std::string>&;
  const std::string urzad = base::cp1250::from_utf8("urząd"), skarbowy = "skarbowy";
  struct Case {
    std::string query;
    std::set<int32_t> expected;
  };
  const std::vector<Case> cases = {
      {"kombatantach", scan([](W b, W) { return Has(b, "kombatantach"); })},
      {"akcyzowym", scan([](W b, W) { return Has(b, "akcyzowym"); })},
      {base::cp1250::from_utf8("Podatku"), scan([](W b, W) { return Has(b, "podatku"); })},
      {"podatku ORAZ akcyzowym", scan([](W b, W) { return Has(b, "podatku") && Has(b, "akcyzowym"); })},
      {"podatku NIE akcyzowym", scan([](W b, W) { return Has(b, "podatku") && !Has(b, "akcyzowym"); })},
      {"\"" + urzad + " " + skarbowy + "\"", scan([&](W b, W) { return HasPhrase(b, urzad, skarbowy); })},
      {"\"rada gminy\"", scan([](W b, W) { return HasPhrase(b, "rada", "gminy"); })},
      {"VFLD 1 podatku", scan([](W, W ti) { return Has(ti, "podatku"); })},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.expected.empty()) << c.query;
    EXPECT_EQ(Query(t.get(), c.query), c.expected) << c.query;
  }
}


// A word written with combining marks in the act's file is found when typed composed.
TEST(FullText, DecomposedLettersAreFoundComposed) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  const std::set<int32_t> found = Query(t.get(), base::cp1250::from_utf8("wspólną"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(library.plan.texts[size_t(*found.begin())].find(base::cp1250::from_utf8("jako wspólną jednostkę")),
            std::string::npos);
}

}  // namespace

// The library's index is written in version 9 (postings with codes of their own, addresses running
// on over their topics): every occurrence of a word found in several topics points at that word in
// the text the engine reads back, the title's words too (they are placed where the topic's records
// show them).
TEST(FullText, HitAddressesPointAtTheirWords) {
  const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
  ASSERT_EQ(library.result, 0) << library.error;
  {
    const std::string path = library.folder + "/" + compiler::kLibraryFileName;
    mvfs::TitleFileSystemPtr fs = mvfs::FsOpen(mvfs::FmNewFromPath(path.c_str(), mvfs::kFmCurrentFolder).get(),
                                               mvfs::kFsOpenReadOnly);
    ASSERT_TRUE(fs);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(mvfs::FsReadWholeFile(fs.get(), "|MVINDEX", 64 << 20, bytes), mvfs::FsWholeFile::kRead);
    fts::FtsIndexHeader header;
    ASSERT_EQ(fts::ParseIndexHeader(bytes, header), 0);
    EXPECT_EQ(header.version, 9);
    EXPECT_TRUE(header.addresses_run_on());
  }
  TitlePtr t = OpenLibrary(library);
  ASSERT_NE(t, nullptr);
  // A word anywhere, and one in titles only.
  for (const auto& [query, wanted] : {std::pair<std::string, std::string>{"przez", "przez"}, {"VFLD 1 ustawa", "ustawa"}}) {
    int32_t count = 0, total = 0;
    fts::FtsError error{};
    fts::HitHighlightHandle hits =
        fts::TtlQuery(t.get(), 0, query.c_str(), nullptr, 0, 0, nullptr, &count, &total, &error);
    ASSERT_NE(hits, nullptr) << query;
    ASSERT_GE(fts::HlGetHitCount(hits), 2) << query;
    size_t checked = 0;
    for (uint32_t n = 0; n < uint32_t(fts::HlGetHitCount(hits)); ++n) {
      int32_t code = 0;
      const int32_t occurrences = fts::HlGetOccurrenceCount(hits, n, &code);
      for (int32_t k = 0; k < occurrences; ++k) {
        fcmanage::TopicLocation at;
        ASSERT_EQ(fcmanage::FcLocateAddress(t.get(), int32_t(fts::HlGetOccurrence(hits, n, uint32_t(k))), at), 0);
        fcmanage::TopicRecordPtr record = fcmanage::FcLoadRecord(t.get(), at.position, code);
        ASSERT_NE(record, nullptr);
        const auto text = record->text();
        const size_t end = std::min<size_t>(text.size(), size_t(at.charOffset) + wanted.size());
        const std::string word(text.begin() + at.charOffset, text.begin() + int64_t(end));
        EXPECT_EQ(base::cp1250::to_lower(word), wanted) << query << ": hit " << n << " occurrence " << k;
        ++checked;
      }
    }
    fts::HlRelease(hits);
    EXPECT_GE(checked, 2u) << query;
  }
}

// A cut title's last word ("...") and a word that no record holds.
TEST(FullText, TitleWordsArePlacedInTheRecords) {
  const std::vector<std::string_view> records = {"Dz.U. z 2001 r. poz. 5", "USTAWA", "z dnia 2 maja", "o drogach"};
  const std::vector<int32_t> addresses = {100, 200, 300, 400};
  const std::vector<compiler::TitleWord> words =
      compiler::PlaceTitleWords("USTAWA nowe z dnia 2 maja o drogach...", records, addresses, 50);
  const std::vector<std::pair<std::string, uint32_t>> expected = {
      {"USTAWA", 200}, {"nowe", 50 + 7}, {"z", 300}, {"dnia", 302}, {"2", 307}, {"maja", 309}, {"o", 400}, {"drogach", 402}};
  ASSERT_EQ(words.size(), expected.size());
  for (size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(std::string(words[i].text), expected[i].first) << i;
    EXPECT_EQ(words[i].address, expected[i].second) << i;
  }
}
