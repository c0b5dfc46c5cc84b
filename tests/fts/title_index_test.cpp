// The index as an internal file of a title, searched with the title's own Polish tables: the
// operator words the application sends and CP1250 words with diacritics.
#include <gtest/gtest.h>

#include <unistd.h>

#include "engine/fts/search/evaluation.h"
#include "engine/fts/search/query_parser.h"
#include "platform/base/temp_folder.h"
#include "tests/fts/index_fixture.h"
#include "tools/titlebuild/fts_index_writer.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace fts {
namespace {

class TitleIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = base::temp_folder() + "/ftsindex" + std::to_string(getpid()) + ".m14";
    titlebuild::TitleBuilder builder;
    titlebuild::add_polish_fts_tables(builder);
    builder.add_file(std::string(kOperatorTableFileName),
                     titlebuild::operator_table_file({{"ORAZ", kOpAnd}, {"LUB", kOpOr}, {"NIE", kOpNot},
                                                      {"PRZY", kOpNear}, {"DO", kOpThru}, {"VFLD", kOpVfld},
                                                      {"DTYPE", kOpDtype}}));
    titlebuild::FtsIndexWriterOptions o;
    o.topic_count = 10;
    o.occurrence_fields |= kIndexHasField;
    // "właściwy" and "ustawa" in titles (field 1) and text (field 2).
    titlebuild::AddFtsIndex(builder,
                            {{"w\xb3" "a\x9c" "ciwy", 2, {{1, 0, {{4, 40, 8}}}, {3, 0, {{0, 0, 8}}}}, {}},
                             {"ustawa", 1, {{3, 0, {{0, 0, 6}}}}, {}},
                             {"ustawa", 2, {{1, 0, {{5, 50, 6}}}, {2, 0, {{9, 90, 6}}}}, {}}},
                            o);
    ASSERT_EQ(builder.write(path_), 0);
    const mvfs::FileMoniker moniker(path_);
    fs_ = mvfs::FsOpen(&moniker, mvfs::kFsOpenReadOnly);
    ASSERT_TRUE(fs_);
    breakers_ = std::make_unique<WordBreakerTable>();
    breakers_->slots[0].breaker = BreakerKind::kWords;
    breakers_->slots[0].charTable = FtsLoadCharTable(fs_.get(), kCharTableFileName, &error_);
    operators_ = TtlLoadOperatorTable(fs_.get());
    index_ = FtsOpenIndex(fs_.get(), "", nullptr, 0, &error_);
    ASSERT_TRUE(index_ && breakers_->slots[0].charTable && operators_) << error_.code;
  }
  void TearDown() override {
    index_.reset();
    fs_.reset();
    base::remove_file(path_);
  }
  std::vector<uint32_t> Topics(std::string_view query) {
    FtsParseRequest request;
    request.text = reinterpret_cast<const uint8_t*>(query.data());
    request.length = uint16_t(query.size());
    request.breakers = breakers_.get();
    request.operators = operators_.get();
    FtsError error;
    QueryTreePtr tree = FtsParseQuery(request, &error);
    EXPECT_TRUE(tree) << error.code;
    std::vector<uint32_t> out;
    if (!tree) return out;
    FtsHitListPtr hits = FtsSearch(index_.get(), tree.get(), 0, kSearchSkipFinalPass, nullptr);
    if (hits)
      for (const FtsHit& h : hits->hits) out.push_back(h.topic);
    return out;
  }

  std::string path_;
  mvfs::TitleFileSystemPtr fs_;
  WordBreakerTablePtr breakers_;
  OperatorTablePtr operators_;
  FtsError error_;
  FtsIndexPtr index_;
};

TEST_F(TitleIndex, PolishQueriesOnTheTitlesIndex) {
  EXPECT_EQ(Topics("W\xa3" "A\x8c" "CIWY ORAZ ustawa"), (std::vector<uint32_t>{1, 3}));
  EXPECT_EQ(Topics("w\xb3" "a\x9c" "ciwy LUB ustawa"), (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(Topics("ustawa NIE w\xb3" "a\x9c" "ciwy"), (std::vector<uint32_t>{2}));
  EXPECT_EQ(Topics("VFLD 1 ustawa"), (std::vector<uint32_t>{3}));
  EXPECT_EQ(Topics("w\xb3" "a\x9c" "ciwy PRZY ustawa"), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Topics("\"w\xb3" "a\x9c" "ciwy ustawa\""), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Topics("a DO v"), (std::vector<uint32_t>{1, 2, 3}));
}

TEST_F(TitleIndex, OpensByTitlePathToo) {
  FtsError error;
  FtsIndexPtr by_path = FtsOpenIndex(nullptr, path_ + "!|MVINDEX", nullptr, 0, &error);
  ASSERT_TRUE(by_path) << error.code;
  testing::CollectSink sink;
  EXPECT_EQ(testing::Scan(*by_path, "ustawa", sink), 0);
  EXPECT_EQ(sink.topics, (std::vector<uint32_t>{3, 1, 2}));
  EXPECT_FALSE(FtsOpenIndex(fs_.get(), "|NOINDEX", nullptr, 0, &error));
  EXPECT_EQ(error.code, kFtsNotFound);
}

}  // namespace
}  // namespace fts
