// Hotspots: target decoding from title bytes, hit tests and keyboard stepping on a laid-out topic.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/frame/hotspots.h"
#include "engine/frame/selection.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

using layout_test::MemoryRecordSource;

TEST(HotspotTarget, TypesByCommandByte) {
  const std::pair<uint8_t, int32_t> cases[] = {{0xC8, 0}, {0xCC, 0}, {0xE3, 1}, {0xE7, 1}, {0xE2, 2}, {0xE6, 2},
                                               {0xE1, 4}, {0xE0, 5}, {0xEB, 6}, {0xEF, 6}, {0xEA, 7}, {0xEE, 7},
                                               {0xE4, 3}};
  for (auto [command, type] : cases) EXPECT_EQ(frame::FrHotspotType(command), type) << int(command);
}

TEST(HotspotTarget, TextCommandsAreBoundedAndNeedTheirNul) {
  struct Case {
    Bytes record;
    int32_t offset;
    bool ok;
    uint32_t word;
    int32_t dataLength;
  } cases[] = {
      {{0, 0xE3, 0x44, 0x33, 0x22, 0x11}, 1, true, 0x11223344, 0},
      {{0xE3, 0x44, 0x33}, 0, false, 0, 0},                                  // word cut short
      {{0xC8, 4, 0, 'a', 'b', 'c', 0}, 0, true, 0, 4},                       // macro "abc"
      {{0xC8, 9, 0, 'a', 'b', 'c', 0}, 0, false, 0, 0},                      // length beyond the record
      {{0xC8, 3, 0, 'a', 'b', 'c', 0}, 0, false, 0, 0},                      // NUL outside the length
      {{0xC8, 2, 0, 'a', 'b'}, -1, false, 0, 0},                             // offset before the record
      {{0xC8, 2, 0, 'a', 'b'}, 5, false, 0, 0},                              // offset past it
  };
  for (const Case& c : cases) {
    uint8_t buffer[16] = {};
    medview::HotspotTarget target;
    target.buffer = buffer;
    target.bufferSize = sizeof buffer;
    EXPECT_EQ(frame::FrDecodeTextHotspot(c.record, c.offset, target), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(target.target, c.word);
    EXPECT_EQ(target.dataLength, c.dataLength);
  }
}

TEST(HotspotTarget, SmallBufferGetsNothingButTheLengthNeeded) {
  Bytes record{0xC8, 8, 0, 'M', 'a', 'k', 'r', 'o', '(', ')', 0};
  uint8_t buffer[4] = {9, 9, 9, 9};
  medview::HotspotTarget target;
  target.buffer = buffer;
  target.bufferSize = sizeof buffer;
  ASSERT_TRUE(frame::FrDecodeTextHotspot(record, 0, target));
  EXPECT_EQ(target.dataLength, 8);
  EXPECT_EQ(buffer[0], 9);
  EXPECT_EQ(target.type, 0);
}

TEST(HotspotTarget, PictureTargetsReadTheExtraBytesWithinBounds) {
  Bytes extra{'x', 0, 7, 0x44, 0x33, 0x22, 0x11, 'o', 'k', 'n', 'o', 0};
  uint8_t buffer[32] = {};
  medview::HotspotTarget target;
  target.buffer = buffer;
  target.bufferSize = sizeof buffer;
  ASSERT_TRUE(frame::FrDecodePictureHotspot(0xE3, 0xABCD, extra, target));  // a jump: the word itself
  EXPECT_EQ(target.target, 0xABCDu);
  ASSERT_TRUE(frame::FrDecodePictureHotspot(0xEB, 2, extra, target));  // a named target
  EXPECT_EQ(target.type, 6);
  EXPECT_EQ(target.target, 0x11223344u);
  EXPECT_EQ(target.dataLength, 10);
  EXPECT_EQ(std::memcmp(buffer + 5, "okno", 5), 0);
  ASSERT_TRUE(frame::FrDecodePictureHotspot(0xC8, 0, extra, target));  // a macro string
  EXPECT_EQ(target.dataLength, 2);
  EXPECT_FALSE(frame::FrDecodePictureHotspot(0xC8, 12, extra, target));   // offset past the bytes
  EXPECT_FALSE(frame::FrDecodePictureHotspot(0xEB, 9, extra, target));    // structure cut short
  Bytes unterminated{'a', 'b'};
  EXPECT_FALSE(frame::FrDecodePictureHotspot(0xC8, 0, unterminated, target));
}

struct LinkTopic : DisplayTopic {
  LinkTopic()
      : DisplayTopic({layout_test::TextRecord(adt::ParagraphInfo{},
                                              layout_test::Commands()
                                                  .Hotspot(0x1111)
                                                  .Byte(0x89)
                                                  .Hotspot(0x2222)
                                                  .Byte(0x89)
                                                  .Byte(0x82)
                                                  .End(),
                                              "Zobacz |art. 5|, oraz |art. 6|.|")}) {}
  // The client centre of character `offset`.
  POINT At(int32_t offset) {
    auto rects = frame::FrRangeRects(viewer(), {MemoryRecordSource::PositionOf(0), offset},
                                     {MemoryRecordSource::PositionOf(0), offset + 1});
    EXPECT_FALSE(rects.empty());
    return rects.empty() ? POINT{} : POINT{(rects[0].left + rects[0].right) / 2, (rects[0].top + rects[0].bottom) / 2};
  }
};

TEST(Hotspots, PointOnALinkHitsItsTarget) {
  LinkTopic topic;
  medview::HotspotInfo info;
  medview::HotspotTarget target;
  medview::TitleErrorCode error = 99;
  // "Zobacz " takes positions 0-6, the hotspot command 7, "art. 5" 8-13.
  POINT p = topic.At(10);
  EXPECT_TRUE(medview::MvHotspotFromPoint(&topic.viewer(), p.x, p.y, &info, &target, &error));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(target.target, 0x1111u);
  EXPECT_EQ(target.type, 1);
  EXPECT_EQ(info.flags, medview::kHotspotHit | medview::kHotspotOverText);
  EXPECT_EQ(info.kind, medview::kHotspotText);
  EXPECT_EQ(info.position, MemoryRecordSource::PositionOf(0));
  p = topic.At(2);
  EXPECT_FALSE(medview::MvHotspotFromPoint(&topic.viewer(), p.x, p.y, &info, &target, &error));
  EXPECT_EQ(info.flags, medview::kHotspotOverText);
}

TEST(Hotspots, TabAndShiftTabStepOverTheLinks) {
  LinkTopic topic;
  medview::Viewer& v = topic.viewer();
  medview::HotspotTarget target;
  medview::TitleErrorCode error = 99;
  EXPECT_FALSE(medview::MvGetCurrentHotspot(&v, &target, &error));
  EXPECT_EQ(error, medview::kViewNoHotspot);
  ASSERT_TRUE(medview::MvSelectNextHotspot(&v, TRUE, &error));
  ASSERT_TRUE(medview::MvGetCurrentHotspot(&v, &target, &error));
  EXPECT_EQ(target.target, 0x1111u);
  ASSERT_TRUE(medview::MvSelectNextHotspot(&v, TRUE, &error));
  ASSERT_TRUE(medview::MvGetCurrentHotspot(&v, &target, &error));
  EXPECT_EQ(target.target, 0x2222u);
  EXPECT_FALSE(medview::MvSelectNextHotspot(&v, TRUE, &error));
  EXPECT_EQ(error, medview::kViewNoHotspot);
  ASSERT_TRUE(medview::MvSelectNextHotspot(&v, FALSE, &error));  // from no focus: the last one
  ASSERT_TRUE(medview::MvGetCurrentHotspot(&v, &target, &error));
  EXPECT_EQ(target.target, 0x2222u);
  ASSERT_TRUE(medview::MvSelectNextHotspot(&v, FALSE, &error));
  ASSERT_TRUE(medview::MvGetCurrentHotspot(&v, &target, &error));
  EXPECT_EQ(target.target, 0x1111u);
  EXPECT_TRUE(medview::MvShowHotspots(&v, TRUE, &error));
  EXPECT_FALSE(medview::MvShowHotspots(&v, TRUE, &error));  // unchanged
  EXPECT_FALSE(medview::MvGetCurrentHotspot(&v, &target, &error));  // showing all cleared the focus
}

TEST(Hotspots, CountedAndReadOverTheWholeRegion) {
  LinkTopic topic;
  EXPECT_EQ(medview::MvCountHotspots(&topic.viewer()), 2);
  medview::HotspotTarget target;
  medview::TitleErrorCode error = 99;
  ASSERT_TRUE(medview::MvGetNthHotspot(&topic.viewer(), 1, &target, &error));
  EXPECT_EQ(target.target, 0x2222u);
  EXPECT_FALSE(medview::MvGetNthHotspot(&topic.viewer(), 2, &target, &error));
  EXPECT_EQ(error, medview::kViewNoHotspot);
}

TEST(Hotspots, BusyViewerIsTurnedAway) {
  LinkTopic topic;
  medview::ViewerBusy hold(&topic.viewer());
  medview::TitleErrorCode error = 0;
  EXPECT_FALSE(medview::MvHotspotFromPoint(&topic.viewer(), 1, 1, nullptr, nullptr, &error));
  EXPECT_EQ(error, medview::kViewBusy);
  EXPECT_FALSE(medview::MvSelectNextHotspot(&topic.viewer(), TRUE, &error));
  EXPECT_EQ(error, medview::kViewBusy);
}

}  // namespace
}  // namespace display_test
