// The gallery's header brings Qt in; engine headers included after it keep their own names (Qt's
// lower-case keywords such as `slots` would otherwise be macros that rename them).
#include "tests/gallery/gallery.h"

#include <gtest/gtest.h>

#include "engine/fcmanage/topic_block.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

TEST(QtKeywords, EngineNamesSurviveQtHeadersIncludedFirst) {
  fcmanage::TopicBlockCache cache;
  EXPECT_EQ(cache.slots.size(), 3u);
  EXPECT_EQ(cache.next, 0u);
}

}  // namespace
}  // namespace lumo::test
