// The title object answers the information codes of its fonts and full-text tables.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "engine/title/title.h"
#include "engine/title/title_text_tables.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/font_fixtures.h"
#include "tools/titlebuild/polish_fts_tables.h"
#include "tools/titlebuild/library_title.h"

namespace title {
namespace {

std::string write_title(bool with_tables) {
  static int counter = 0;
  titlebuild::LibraryTitleSource source;
  titlebuild::TopicSource topic;
  topic.title = "Ustawa";
  topic.records.push_back({adt::kRecordTextCounted, {0x00, 0x80, 0, 0, 0, 0}, "Art. 1. Ustawa wchodzi w \xBF" "ycie."});
  source.topics.push_back(topic);
  titlebuild::TitleBuilder builder;
  titlebuild::TopicFileLayout layout;
  if (titlebuild::AddLibraryTitle(builder, source, layout)) return {};
  if (with_tables) {
    titlebuild::add_polish_fts_tables(builder);
    titlebuild::add_sample_fonts(builder);
    titlebuild::add_breaker_lines(builder, {"0 x FBreakWords |STOPPL ", "2 x FBreakNumber  "});
  }
  const std::string path =
      base::temp_folder() + "/info" + std::to_string(getpid()) + "_" + std::to_string(++counter) + ".m14";
  return builder.write(path) == 0 ? path : std::string();
}

TEST(TitleTextTables, InformationCodesOfATitleWithItsOwnTables) {
  const std::string path = write_title(true);
  ASSERT_FALSE(path.empty());
  TitleHandle* title = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_TRUE(title);
  EXPECT_TRUE(TtlGetCharMaps(title)->empty());  // until the fonts are asked for
  EXPECT_EQ(TtlGetInfo(title, kInfoStyleSheet, 0, nullptr, 0), 1);
  ASSERT_TRUE(TtlGetStyleSheet(title));
  EXPECT_EQ(TtlGetStyleSheet(title)->faces[1], "Arial CE");
  EXPECT_EQ(TtlGetCharMaps(title)->size(), 3u);

  EXPECT_EQ(TtlGetInfo(title, kInfoBreakers, 0, nullptr, 0), 1);
  const fts::WordBreakerTable* breakers = TtlGetBreakerTable(title);
  ASSERT_TRUE(breakers);
  EXPECT_EQ(breakers->slots[0].breaker, fts::BreakerKind::kWords);
  EXPECT_TRUE(breakers->slots[0].stopList);
  EXPECT_EQ(breakers->slots[2].breaker, fts::BreakerKind::kNumber);
  EXPECT_EQ(breakers->slots[0].charTable->char_class(0xBF), fts::kClassNormalized);  // 'ż'

  EXPECT_EQ(TtlGetInfo(title, kInfoOperators, 0, nullptr, 0), 1);
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorCount, 0, nullptr, 0), 11);
  char text[32];
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorWord, 3 << 16, text, sizeof text), 5);
  EXPECT_STREQ(text, "2 LUB");
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorWord, 3 << 16, text, 4), 5);  // cut to the buffer
  EXPECT_STREQ(text, "2 L");
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorWord, 11 << 16, text, sizeof text), -1);
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorWord, 0, nullptr, 0), -1);
  TtlClose(title);
  EXPECT_FALSE(TtlGetStyleSheet(title));
  base::remove_file(path);
}

TEST(TitleTextTables, ATitleWithoutTablesUsesTheBuiltInOnes) {
  const std::string path = write_title(false);
  ASSERT_FALSE(path.empty());
  TitleHandle* title = TtlOpen(path.c_str(), nullptr, 0, true);
  ASSERT_TRUE(title);
  EXPECT_EQ(TtlGetInfo(title, kInfoStyleSheet, 0, nullptr, 0), 0);  // no "|FONT"
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorCount, 0, nullptr, 0), 7);
  char text[32];
  EXPECT_EQ(TtlGetInfo(title, kInfoOperatorWord, 0, text, sizeof text), 5);
  EXPECT_STREQ(text, "3 AND");
  const fts::WordBreakerTable* breakers = TtlGetBreakerTable(title);
  ASSERT_TRUE(breakers);
  EXPECT_FALSE(breakers->slots[0].breaker);
  TtlClose(title);
  base::remove_file(path);
}

}  // namespace
}  // namespace title
