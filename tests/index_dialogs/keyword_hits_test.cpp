// The keyword hits and the rules the index dialogs share, over the sample library's subject index.
#include "navigation/keyword_hits.h"

#include <gtest/gtest.h>

#include "engine/medview/engine_titles.h"
#include "tests/compiler/library_fixture.h"

namespace {

using compiler_test::Compile;
using compiler_test::CompiledLibrary;
using compiler_test::OpenLibrary;
using compiler_test::SourceDir;
using compiler_test::TitlePtr;

struct IndexCloser {
  void operator()(fts::WordWheel* w) const { medview::MvCloseKeywordIndex(w); }
};
using IndexPtr = std::unique_ptr<fts::WordWheel, IndexCloser>;

class KeywordIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const CompiledLibrary& library = Compile(SourceDir() + "/samples/acts", "sample");
    ASSERT_EQ(library.result, 0) << library.error;
    title_ = OpenLibrary(library);
    ASSERT_NE(title_, nullptr);
    subjects_.reset(medview::MvOpenKeywordIndex(title_.get(), "|i"));
    ASSERT_NE(subjects_, nullptr);
    ASSERT_GT(medview::MvGetKeywordCount(subjects_.get()), 0);
  }

  TitlePtr title_;
  IndexPtr subjects_;
};

TEST_F(KeywordIndexTest, TypedPrefixSelectsTheNearestKeyword) {
  fts::WordWheelHandle w = subjects_.get();
  const int32_t count = medview::MvGetKeywordCount(w);
  const int32_t found = keywords::NearestKeyword(w, "Biblio");
  ASSERT_GE(found, 0);
  EXPECT_EQ(keywords::KeywordText(w, found).rfind("Bibliotekach", 0), 0u) << keywords::KeywordText(w, found);
  // The exact keyword selects itself; text after every keyword selects the last; nothing open: -1.
  const std::string exact = keywords::KeywordText(w, found);
  EXPECT_EQ(keywords::NearestKeyword(w, exact.c_str()), found);
  EXPECT_EQ(keywords::NearestKeyword(w, "\xff\xff\xff"), count - 1);
  EXPECT_EQ(keywords::NearestKeyword(nullptr, "a"), -1);
  EXPECT_EQ(keywords::KeywordText(w, count + 5), "");
}

TEST_F(KeywordIndexTest, LoadsTheKeywordsAddressesAndDropsTheOldOnes) {
  keywords::KeywordHitArray hits;
  bool listed = false;
  EXPECT_EQ(keywords::LoadKeywordTopics(subjects_.get(), "Bibliotekach gminnych i czytelniach", hits, &listed), 0);
  EXPECT_TRUE(listed);
  ASSERT_EQ(hits.count, 2);  // the act and the act that amends it
  ASSERT_TRUE(hits.HoldsBlock());
  const int32_t act = title::TtlGetInfo(title_.get(), title::kInfoCatalogAddress, 2, nullptr, 0);
  EXPECT_EQ(hits.addresses[0], uint32_t(act));
  EXPECT_GE(medview::MvAddressToPosition(title_.get(), int32_t(hits.addresses[1])), 0);

  // An unknown keyword counts as none and leaves no block behind.
  EXPECT_EQ(keywords::LoadKeywordTopics(subjects_.get(), "zzz nie ma takiego", hits, &listed), 0);
  EXPECT_FALSE(listed);
  EXPECT_EQ(hits.count, 0);
  EXPECT_FALSE(hits.HoldsBlock());
}

TEST(IndexListTitle, LongHeadingsAreCutAfterABlank) {
  EXPECT_EQ(keywords::IndexListTitle("hasło: krótkie"), "Lista indeksu\r\nhasło: krótkie");
  const std::string words = std::string(72, 'a') + " bbbbbbbb cccccccc";  // 90 characters, blank at 72
  EXPECT_EQ(keywords::IndexListTitle(words), "Lista indeksu\r\n" + std::string(72, 'a') + " ...");
  const std::string solid(90, 'x');  // no blank from 70 on
  EXPECT_EQ(keywords::IndexListTitle(solid), "Lista indeksu\r\n" + std::string(78, 'x') + "...");
  const std::string exactly(80, 'y');
  EXPECT_EQ(keywords::IndexListTitle(exactly), "Lista indeksu\r\n" + exactly);
}

}  // namespace
