// The library title of five acts used by the engine interface tests, with a stored group
// "BINDER.GRP" (topics 1 and 3), a media file "clip.avi" (5,000 pattern bytes) and the keyword index
// "|a" of the act titles.
#pragma once

#include <gtest/gtest.h>

#include "engine/medview/engine_titles.h"
#include "tests/fts_query/query_title.h"
#include "tools/titlebuild/baggage_fixtures.h"
#include "tools/titlebuild/group_file_writer.h"

namespace engine_api_test {

inline constexpr size_t kClipSize = 5000;

inline void AddApiFiles(titlebuild::TitleBuilder& builder) {
  builder.add_file("BINDER.GRP", titlebuild::GroupFileBytes({1, 3}, 5));
  builder.add_file("clip.avi", titlebuild::baggage_pattern(kClipSize));
  titlebuild::AddKeywordIndex(builder, "|a",
                              {{"Kodeks pracy", {}},
                               {"Ustawa o ochronie zdrowia", {0x100, 0x180}},
                               {"Ustawa o podatku dochodowym", {0x300}}});
}

class ApiTitle : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(title_.write("api", true, AddApiFiles));
    handle_ = medview::MvOpenTitle(title_.path.c_str(), nullptr, 0);
    ASSERT_TRUE(handle_);
  }
  void TearDown() override { medview::MvCloseTitle(handle_); }

  fts_query_test::QueryTitle title_;
  title::TitleHandle* handle_ = nullptr;
};

}  // namespace engine_api_test
