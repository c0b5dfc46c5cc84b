// The tables read from a written title: each loader, the built-in stand-ins and the breaker table.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "engine/fts/common/breaker_table.h"
#include "engine/fts/common/char_table.h"
#include "engine/fts/common/operator_table.h"
#include "engine/fts/common/stop_list.h"
#include "engine/mvfs/title_file_system.h"
#include "engine/title/title_fonts.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/font_fixtures.h"
#include "tools/titlebuild/polish_fts_tables.h"

namespace fts {
namespace {

std::vector<uint8_t> counted(std::string_view s) {
  std::vector<uint8_t> w{uint8_t(s.size())};
  w.insert(w.end(), s.begin(), s.end());
  return w;
}

class TitleTables : public ::testing::Test {
 protected:
  // A title with the Polish tables and fonts, and one with no tables at all (only a filler file).
  void SetUp() override {
    static int counter = 0;
    const std::string stem = base::temp_folder() + "/tables" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    path_ = stem + ".m14";
    bare_path_ = stem + "_bare.m14";
    titlebuild::TitleBuilder builder;
    titlebuild::add_polish_fts_tables(builder);
    titlebuild::add_sample_fonts(builder);
    ASSERT_EQ(builder.write(path_), 0);
    titlebuild::TitleBuilder bare;
    bare.add_file("|FILLER", {1, 2, 3});
    ASSERT_EQ(bare.write(bare_path_), 0);
    fs_ = open(path_, mvfs::kFsOpenReadOnly);
    bare_fs_ = open(bare_path_, mvfs::kFsOpenReadOnly);
    ASSERT_TRUE(fs_ && bare_fs_);
  }
  void TearDown() override {
    fs_.reset();
    bare_fs_.reset();
    base::remove_file(path_);
    base::remove_file(bare_path_);
  }
  static mvfs::TitleFileSystemPtr open(const std::string& path, uint16_t flags) {
    const mvfs::FileMoniker moniker(path);
    return mvfs::FsOpen(&moniker, flags);
  }

  std::string path_, bare_path_;
  mvfs::TitleFileSystemPtr fs_, bare_fs_;
};

TEST_F(TitleTables, CharacterTableFromTheTitleOrByPath) {
  FtsError err;
  CharTablePtr own = FtsLoadCharTable(fs_.get(), kCharTableFileName, &err);
  ASSERT_TRUE(own) << err.code;
  EXPECT_EQ(own->char_class(0xB3), kClassNormalized);  // 'ł'
  CharTablePtr by_path = FtsLoadCharTable(nullptr, path_ + "!|MVCHARTAB", &err);
  ASSERT_TRUE(by_path) << err.code;
  EXPECT_EQ(by_path->normalized(0xA3), 0xB3);  // 'Ł' folds to 'ł'
  err = {};
  EXPECT_FALSE(FtsLoadCharTable(bare_fs_.get(), kCharTableFileName, &err));
  EXPECT_EQ(err.code, kFtsNotFound);
}

TEST_F(TitleTables, OperatorTableOfTheTitleOrBuiltIn) {
  OperatorTablePtr own = TtlLoadOperatorTable(fs_.get());
  ASSERT_TRUE(own);
  ASSERT_EQ(own->entries.size(), 11u);
  EXPECT_EQ(own->entries[3].text(), "LUB");
  EXPECT_EQ(own->entries[3].code, kOpOr);
  OperatorTablePtr built_in = TtlLoadOperatorTable(bare_fs_.get());
  ASSERT_TRUE(built_in);
  EXPECT_EQ(built_in->entries.size(), 7u);
  EXPECT_EQ(built_in->entries[0].text(), "AND");
  EXPECT_TRUE(TtlLoadOperatorTable(nullptr));
}

TEST_F(TitleTables, StopListLoadsAndSavesThroughTheTitle) {
  StopListPtr list = FtsCreateStopList(nullptr);
  ASSERT_EQ(FtsLoadStopList(fs_.get(), list.get(), "|STOPPL", nullptr), kFtsOk);
  EXPECT_TRUE(FtsIsStopWord(list.get(), counted("oraz").data()));
  EXPECT_TRUE(FtsIsStopWord(list.get(), counted("si\xEA").data()));
  EXPECT_EQ(FtsLoadStopList(fs_.get(), list.get(), "|NOSUCH", nullptr), kFtsFailed);
  EXPECT_EQ(FtsLoadStopList(fs_.get(), nullptr, "|STOPPL", nullptr), kFtsBadArgument);

  fs_.reset();
  mvfs::TitleFileSystemPtr writable = open(path_, 0);
  ASSERT_TRUE(writable);
  FtsAddStopWord(list.get(), counted("albo").data());
  EXPECT_EQ(FtsSaveStopList(writable.get(), list.get(), "|STOP2", nullptr), kFtsOk);
  StopListPtr empty = FtsCreateStopList(nullptr);
  EXPECT_EQ(FtsSaveStopList(writable.get(), empty.get(), "|STOP3", nullptr), kFtsFailed);
  StopListPtr back = FtsCreateStopList(nullptr);
  ASSERT_EQ(FtsLoadStopList(writable.get(), back.get(), "|STOP2", nullptr), kFtsOk);
  EXPECT_EQ(back->total, list->total);
  EXPECT_TRUE(FtsIsStopWord(back.get(), counted("albo").data()));
}

TEST_F(TitleTables, BreakerTableBindsSlotsFromTheSystemLines) {
  const std::string_view lines[] = {"0 x FBreakWords |STOPPL ", "1 x FBreakNumber  ", "3 y fbreakdate  ",
                                    "1 x FBreakEpoch  "};
  FtsError err;
  WordBreakerTablePtr table = TtlBuildBreakerTable(lines, fs_.get(), &err);
  ASSERT_TRUE(table) << err.code;
  EXPECT_EQ(table->slots[0].breaker, BreakerKind::kWords);
  ASSERT_TRUE(table->slots[0].stopList);
  EXPECT_TRUE(FtsIsStopWord(table->slots[0].stopList.get(), counted("przez").data()));
  EXPECT_EQ(table->slots[1].breaker, BreakerKind::kEpoch);  // the later line replaces the earlier
  EXPECT_FALSE(table->slots[1].stopList);
  EXPECT_EQ(table->slots[3].breaker, BreakerKind::kDate);
  EXPECT_FALSE(table->slots[2].breaker);
  EXPECT_FALSE(table->slots[2].charTable);
  ASSERT_TRUE(table->slots[3].charTable);
  EXPECT_EQ(table->slots[3].charTable->char_class(0xB3), kClassNormalized);
  EXPECT_NE(table->slots[0].charTable.get(), table->slots[3].charTable.get());

  // Without "|MVCHARTAB" every slot gets the built-in table.
  const std::string_view plain[] = {"0 x FBreakWords  "};
  WordBreakerTablePtr bare = TtlBuildBreakerTable(plain, bare_fs_.get(), &err);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->slots[0].charTable->ligatureMode, kLigaturesBuiltIn);

  struct Case {
    std::string_view line;
    int32_t code;
  };
  for (const Case& c : {Case{"16 x FBreakWords  ", kFtsDamaged}, Case{"2 x FBreakSentences  ", kFtsDamaged},
                        Case{"x", kFtsDamaged}, Case{"0 x FBreakWords |NOSUCH ", kFtsNotFound}}) {
    err = {};
    const std::string_view one[] = {c.line};
    EXPECT_FALSE(TtlBuildBreakerTable(one, fs_.get(), &err)) << c.line;
    EXPECT_EQ(err.code, c.code) << c.line;
  }
}

TEST_F(TitleTables, FontsOfTheTitle) {
  FtsError err;
  title::StyleSheetPtr sheet = title::FontLoad(fs_.get(), &err);
  ASSERT_TRUE(sheet) << err.code;
  EXPECT_EQ(sheet->faces.size(), 3u);
  EXPECT_EQ(sheet->charMaps[0]->char_class(0xB3), kClassNormalized);  // "|MVCHARTAB,1"
  EXPECT_EQ(sheet->charMaps[1]->char_class(0xB3), kClassSeparator);   // "|CHARTAB0" is missing
  const mvfs::BtCharMaps maps = title::FontCharMaps(*sheet);
  ASSERT_EQ(maps.size(), 3u);
  EXPECT_LT(maps[0].weights['l'], maps[0].weights[0xB3]);
  EXPECT_EQ(maps[2].ligatures.size(), 5u);
  err = {};
  EXPECT_FALSE(title::FontLoad(bare_fs_.get(), &err));
  EXPECT_EQ(err.code, kFtsQueryFailed);
}

}  // namespace
}  // namespace fts
