// Scrolling: page moves, thumbs strictly inside between the ends, sequences of scroll codes with the
// band always covering the window, and scrolling an address to the top.
#include <gtest/gtest.h>

#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

std::vector<Bytes> Lines(int count) {
  std::vector<Bytes> records;
  for (int i = 0; i < count; ++i) records.push_back(Paragraph("wiersz " + std::to_string(i) + "|"));
  return records;
}

TEST(Scrolling, PageStepsKeepAnOverlapFromThirtyTwoPixels) {
  EXPECT_EQ(frame::FrPageStep(300), 280);  // 296 less the overlap
  EXPECT_EQ(frame::FrPageStep(30), 24);
  EXPECT_EQ(frame::FrPageStep(32), 16);
  EXPECT_EQ(frame::FrPageStep(7), 0);
}

TEST(Scrolling, ThumbBetweenTheEndsNeverReachesThemAndLargeRegionsDoNotOverflow) {
  struct Case {
    int64_t distance, region;
    int32_t thumb;
  } cases[] = {
      {0, 1000, 1},
      {1000, 1000, 32766},  // the whole way is still not the end value
      {500, 1000, 16384},
      {3'000'000'000LL, 3'000'000'000LL, 32766},
      {1'500'000'000LL, 3'000'000'000LL, 16384},
      {-5, 1000, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(frame::FrThumbFromDistance(c.distance, c.region), c.thumb) << c.distance;
  EXPECT_EQ(frame::FrDistanceFromThumb(0x7FFF, 3'000'000'000LL), 3'000'000'000LL);
  EXPECT_EQ(frame::FrDistanceFromThumb(0x4000, 0x80000), 0x4000LL * 0x80000 / 0x7FFF);
}

TEST(Scrolling, RegionEstimateSpansBlocks) {
  frame::RegionEstimate one = frame::FrEstimateRegion(0x4010, 0x4410, 1024, 100);
  EXPECT_EQ(one.bytesPerBlock, 0);
  EXPECT_EQ(one.regionBytes, 1024 - 100);
  frame::RegionEstimate two = frame::FrEstimateRegion(0x4000, 0xC000, 20000, 0);
  EXPECT_EQ(two.bytesPerBlock, 10000);
  EXPECT_EQ(two.regionBytes, 20000);
  EXPECT_EQ(frame::FrEstimateRegion(0x4000, 0x4000, 0, 50).regionBytes, 1);
}

// Checks that the band covers the window after every step.
void ExpectCovered(const medview::Viewer& v) {
  ASSERT_FALSE(v.frames.empty());
  EXPECT_LE(v.frames.front().y, 0);
  EXPECT_GE(v.frames.back().y + v.frames.back().height, 70);
}

TEST(Scrolling, CodesMoveTheBandAndTheThumbFollows) {
  DisplayTopic topic(Lines(60), RECT{0, 0, 300, 70});
  medview::Viewer& v = topic.viewer();
  ASSERT_TRUE(v.canScrollV);
  EXPECT_EQ(medview::MvGetScrollRanges(&v) >> 32, 0x7FFFu);
  EXPECT_EQ(medview::MvGetVerticalThumb(&v), 0);
  POINT move{};
  medview::TitleErrorCode error = 99;
  int32_t thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollLineDown, 0, &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(move.y, -16);
  EXPECT_GT(thumb, 0);
  EXPECT_LT(thumb, 0x7FFF);
  ExpectCovered(v);
  int32_t previous = thumb;
  thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollPageDown, 0, &error);
  EXPECT_EQ(move.y, -48);  // 70 truncated to 64, less the overlap
  EXPECT_GT(thumb, previous);
  EXPECT_LT(thumb, 0x7FFF);
  ExpectCovered(v);
  thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollBottom, 0, &error);
  EXPECT_EQ(thumb, 0x7FFF);
  EXPECT_EQ(v.frames.back().y + v.frames.back().height, 70);
  EXPECT_EQ(v.frames.back().next, -1);
  thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollLineDown, 0, &error);
  EXPECT_EQ(error, medview::kViewCannotScroll);  // nothing below the end
  EXPECT_EQ(thumb, 0x7FFF);
  thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollThumb, 0x4000, &error);
  EXPECT_GT(thumb, 0x3000);
  EXPECT_LT(thumb, 0x5000);
  ExpectCovered(v);
  thumb = medview::MvScrollVertical(&v, &move, nullptr, nullptr, medview::kScrollTop, 0, &error);
  EXPECT_EQ(thumb, 0);
  EXPECT_EQ(v.frames.front().y, 0);
  EXPECT_EQ(medview::MvScrollVertical(&v, &move, nullptr, nullptr, 5, 0, &error), -1);
  EXPECT_EQ(error, medview::kViewBadArgument);
}

TEST(Scrolling, ShortTopicCannotScrollAndBusyViewerIsTurnedAway) {
  DisplayTopic topic(Lines(2), RECT{0, 0, 300, 70});
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(medview::MvScrollVertical(&topic.viewer(), nullptr, nullptr, nullptr, 1, 0, &error), -1);
  EXPECT_EQ(error, medview::kViewCannotScroll);
  DisplayTopic tall(Lines(30), RECT{0, 0, 300, 70});
  medview::ViewerBusy hold(&tall.viewer());
  EXPECT_EQ(medview::MvScrollVertical(&tall.viewer(), nullptr, nullptr, nullptr, 1, 0, &error), -1);
  EXPECT_EQ(error, medview::kViewBusy);
}

TEST(Scrolling, AddressComesToTheTopAndAnAddressNotShownFails) {
  DisplayTopic topic(Lines(30), RECT{0, 0, 300, 70});
  medview::Viewer& v = topic.viewer();
  ASSERT_GE(v.frames.size(), 3u);
  const frame::LayoutFrame& third = v.frames[2];
  int32_t address = ((third.position >> 14) << 15) | (third.charBase + 2);
  medview::TitleErrorCode error = 99;
  int32_t thirdPosition = third.position;
  EXPECT_TRUE(medview::MvScrollToPosition(&v, address, &error));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(v.frames.front().position, thirdPosition);
  EXPECT_EQ(v.frames.front().y, 0);
  // A record below the laid-out band is laid out and brought to the top.
  EXPECT_TRUE(medview::MvScrollToPosition(&v, 25 * 100 + 1, &error));
  EXPECT_EQ(v.frames.front().position, 260);
  EXPECT_EQ(v.frames.front().y, 0);
  EXPECT_FALSE(medview::MvScrollToPosition(&v, (5 << 15) | 3, &error));
  EXPECT_EQ(error, medview::kViewAddressNotShown);
}

// A damaged chain leading back into the band: the band ends at the record that leads back, no
// record laid out twice, and the early stop is told; without the stop, records that take no height
// would be laid out again without end.
TEST(Scrolling, AChainLeadingBackEndsTheBandThere) {
  using layout_test::MemoryRecordSource;
  struct Case {
    const char* name;
    std::string text;  // "" makes records of no height
  } cases[] = {{"lines", "wiersz|"}, {"empty records", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DisplayTopic topic(std::vector<Bytes>(8, c.text.empty() ? layout_test::TextRecord({}, layout_test::Commands().End(), "")
                                                            : Paragraph(c.text)));
    medview::Viewer& v = topic.viewer();
    frame::MvSetRecordSource(&v, std::make_shared<LoopingSource>(topic.source, MemoryRecordSource::PositionOf(3),
                                                                  MemoryRecordSource::PositionOf(1)));
    frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
    RECT window{0, 0, 400, 300};
    ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, nullptr));
    // Records of no height above the window's top leave the band; the rest stay in chain order.
    ASSERT_FALSE(v.frames.empty());
    EXPECT_EQ(v.frames.back().position, MemoryRecordSource::PositionOf(3));
    for (size_t i = 1; i < v.frames.size(); ++i) EXPECT_LT(v.frames[i - 1].position, v.frames[i].position);
    EXPECT_EQ(v.pendingCode, medview::kViewLayoutStopped);
  }
}

}  // namespace
}  // namespace display_test
