// Topic layout over records held in memory: regions, the band of frames, scrolling and zoom.
#include <gtest/gtest.h>

#include "engine/frame/inserted_objects.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/text_output.h"
#include "engine/frame/topic_layout.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

std::vector<Bytes> Lines(int count) {
  std::vector<Bytes> records;
  for (int i = 0; i < count; ++i) {
    records.push_back(TextRecord(adt::ParagraphInfo{}, Commands().End(), "line " + std::to_string(i) + "|"));
  }
  return records;
}

struct Topic {
  explicit Topic(int count, int non_scroll = 0) : source(std::make_shared<MemoryRecordSource>(Lines(count), non_scroll)) {
    frame::MvSetRecordSource(&t.viewer(), source);
  }
  TestViewer t;
  std::shared_ptr<MemoryRecordSource> source;
};

const RECT kWindow{0, 0, 200, 70};  // five lines of 14 pixels

TEST(Topic, RegionsOfSetTopic) {
  Topic topic(5);
  medview::TitleErrorCode error = 0;
  EXPECT_FALSE(frame::MvSetTopic(&topic.t.viewer(), MemoryRecordSource::PositionOf(2), 0, 0, &error));
  EXPECT_EQ(error, medview::kViewNoLayout);  // no non-scrolling region
  EXPECT_TRUE(frame::MvSetTopic(&topic.t.viewer(), MemoryRecordSource::PositionOf(2), 1, 0x1000, &error));
  int32_t position = 0, fraction = 0;
  int16_t region = 0;
  frame::MvGetTopicPosition(&topic.t.viewer(), &position, &region, &fraction);
  EXPECT_EQ(position, MemoryRecordSource::PositionOf(2));
  EXPECT_EQ(region, 1);
  EXPECT_EQ(fraction, 0x1000);
  Topic split(5, 2);
  // A position inside the non-scrolling region asked for in region 1 moves to the scrolling start.
  EXPECT_TRUE(frame::MvSetTopic(&split.t.viewer(), MemoryRecordSource::PositionOf(1), 1, 0x1000, &error));
  frame::MvGetTopicPosition(&split.t.viewer(), &position, &region, &fraction);
  EXPECT_EQ(position, MemoryRecordSource::PositionOf(2));
  EXPECT_EQ(fraction, 0);
}

TEST(Topic, ShortTopicFitsFromTheTop) {
  Topic topic(3);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(1), 1, 0, nullptr));
  medview::TitleErrorCode error = 99;
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, &error));
  EXPECT_EQ(error, 0);
  // Laid out from record 1, the band is filled back up to the region's first record.
  ASSERT_EQ(v.frames.size(), 3u);
  EXPECT_EQ(v.frames[0].y, 0);
  EXPECT_EQ(v.layoutState & 7, 7);
  EXPECT_FALSE(v.canScrollV);
  int32_t w = 0, h = 0;
  frame::MvGetLayoutExtent(&v, &w, &h);
  EXPECT_EQ(h, 43);
}

TEST(Topic, FractionScrollsPartOfTheTargetAboveAndScrollingDropsFrames) {
  Topic topic(20);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(4), 1, 0x8000, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, nullptr));
  EXPECT_EQ(v.frames.front().position, MemoryRecordSource::PositionOf(4));
  EXPECT_EQ(v.frames.front().y, -7);
  EXPECT_EQ(v.frames.back().y + v.frames.back().height >= 70, true);
  EXPECT_TRUE(v.canScrollV);
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  EXPECT_EQ(frame::FrScrollBand(v, -10, true, nullptr), -10);
  medview::MvReleaseDC(&v);
  // The head frame lies wholly above the window now: it was dropped.
  EXPECT_EQ(v.frames.front().position, MemoryRecordSource::PositionOf(5));
  EXPECT_EQ(v.target, MemoryRecordSource::PositionOf(5));
  EXPECT_EQ(v.frames.front().y, -3);
  EXPECT_EQ(v.fraction, 3 * 65536 / 14);
  // Six frames of the twenty records are laid out: the estimate scales by the bytes.
  int32_t w = 0, laidOut = 0, estimate = 0;
  frame::MvGetLayoutExtent(&v, &w, &laidOut);
  frame::MvGetEstimatedExtent(&v, &w, &estimate);
  int64_t frameBytes = 0;
  for (const auto& f : v.frames) frameBytes += f.storedSize;
  EXPECT_EQ(estimate, int64_t(laidOut) * v.chunk.topicLength / frameBytes);
  EXPECT_GT(estimate, 200);
}

TEST(Topic, EndOfTopicPullsTheBandDown) {
  Topic topic(8);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(7), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, nullptr));
  // The last record ends at the window's bottom; records above it fill the window.
  EXPECT_EQ(v.frames.back().position, MemoryRecordSource::PositionOf(7));
  EXPECT_EQ(v.frames.back().y + v.frames.back().height, 70);
  EXPECT_EQ(v.layoutState & medview::kLayoutEndReached, medview::kLayoutEndReached);
}

TEST(Topic, UnreadableRecordStopsTheBandEarly) {
  Topic topic(10);
  topic.source->unreadable = MemoryRecordSource::PositionOf(3);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  medview::TitleErrorCode error = 0;
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, &error));
  EXPECT_EQ(error, medview::kViewLayoutStopped);
  EXPECT_EQ(v.frames.size(), 3u);  // what was read stays laid out
}

// Scrolling down towards a record that cannot be read (a damaged topic) stops with the last record
// read at the window's bottom; it used to move on by the whole step into blank space, every time.
TEST(Topic, ScrollingDownStopsAtTheLastRecordThatCouldBeRead) {
  Topic topic(10);
  topic.source->unreadable = MemoryRecordSource::PositionOf(6);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, nullptr));
  POINT applied{};
  for (int step = 0; step < 6; ++step) {
    medview::TitleErrorCode error = 0;
    frame::FrScrollBy(v, 0, -50, &applied, &error);
    ASSERT_FALSE(v.frames.empty());
    EXPECT_GE(v.frames.back().y + v.frames.back().height, kWindow.bottom) << step;
  }
  EXPECT_EQ(applied.y, 0);
  EXPECT_EQ(v.frames.back().position, MemoryRecordSource::PositionOf(5));
}

TEST(Topic, LayoutIsTurnedAwayWhileBusyAndZoomChecksItsRange) {
  Topic topic(4);
  medview::Viewer& v = topic.t.viewer();
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  medview::TitleErrorCode error = 0;
  {
    medview::ViewerBusy busy(&v);
    EXPECT_FALSE(frame::MvLayoutTopic(&v, &kWindow, &error));
    EXPECT_EQ(error, medview::kViewBusy);
  }
  EXPECT_FALSE(frame::MvLayoutTopic(&v, nullptr, &error));  // no window services: no client area
  EXPECT_EQ(error, medview::kViewNoWindowArea);
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, &error));
  EXPECT_FALSE(medview::MvSetZoom(&v, 19, &error));
  EXPECT_EQ(error, medview::kViewBadArgument);
  EXPECT_FALSE(medview::MvSetZoom(&v, 501, &error));
  EXPECT_EQ(error, medview::kViewBadArgument);
  EXPECT_FALSE(medview::MvSetZoom(&v, 100, &error));
  EXPECT_EQ(error, medview::kViewUnchanged);
  int loads = topic.source->loads;
  EXPECT_TRUE(medview::MvSetZoom(&v, 200, &error));
  EXPECT_GT(topic.source->loads, loads);  // laid out again
  EXPECT_EQ(v.frames.front().height, 29);  // 27 + the external leading
  // Without a context the zoom cannot be applied to the layout: failure, and the layout is stale.
  medview::MvSetGetDCProc(&v, [](HWND) -> HDC { return nullptr; });
  EXPECT_FALSE(medview::MvSetZoom(&v, 300, &error));
  EXPECT_EQ(error, medview::kViewNoDC);
  EXPECT_EQ(v.layoutState & medview::kLayoutExists, 0);
}

TEST(Topic, DrawingUsesTheMeasuredAdvances) {
  Topic topic(1);
  medview::Viewer& v = topic.t.viewer();
  std::vector<Bytes> kerned = {TextRecord(adt::ParagraphInfo{}, Commands().Font(4).End(), "|AVAV To|")};
  frame::MvSetRecordSource(&v, std::make_shared<MemoryRecordSource>(kerned, 0));
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, nullptr));
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  topic.t.log().clear();
  frame::FrDrawFrame(v, v.frames.front(), 0, v.frames.front().y);
  medview::MvReleaseDC(&v);
  std::string drawn;
  for (const auto& line : topic.t.log()) {
    if (line.find("AVAV") != std::string::npos) drawn = line;
  }
  ASSERT_FALSE(drawn.empty());
  // The run's width is the sum of the advances drawn.
  const frame::LayoutObject& run = v.frames.front().objects.front();
  size_t at = drawn.find("dx=");
  ASSERT_NE(at, std::string::npos);
  int sum = 0;
  std::string list = drawn.substr(at + 3, drawn.find(' ', at) - at - 3);
  for (size_t p = 0; p < list.size();) {
    size_t comma = list.find(',', p);
    sum += std::stoi(list.substr(p, comma - p));
    p = comma == std::string::npos ? list.size() : comma + 1;
  }
  EXPECT_EQ(sum, run.width);
  EXPECT_NE(drawn.find("dx=12,12,12,"), std::string::npos);  // "AV" and "VA" pairs kerned
}

}  // namespace
}  // namespace layout_test

namespace layout_test {
namespace {

TEST(Inserts, KeptInTextOrderWithWindowRecords) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(frame::MvInsertEmbeddedWindow(&v, 20, 5, 'x', "a,b,c", &error), 0);
  EXPECT_EQ(error, medview::kViewBadArgument);
  EXPECT_EQ(frame::MvInsertEmbeddedWindow(&v, 20, 5, 'C', "ANNEW, MVANNOTATE, 1 20 5", &error), 1);
  EXPECT_EQ(frame::MvInsertEmbeddedWindow(&v, 10, 9, 'c', "x", &error), 2);
  EXPECT_EQ(frame::MvInsertEmbeddedWindow(&v, 20, 5, 'c', "y", &error), 3);
  ASSERT_EQ(v.inserts.size(), 3u);
  EXPECT_EQ(v.inserts[0].id, 2);
  EXPECT_EQ(v.inserts[1].id, 3);  // before the equal entry
  EXPECT_EQ(v.inserts[2].id, 1);
  adt::TopicRecordHeader header;
  size_t size = adt::DpDecodeRecordHeader(header, v.inserts[0].record.data(), v.inserts[0].record.size());
  EXPECT_EQ(header.type, adt::kRecordEmbedded);
  EXPECT_EQ(header.length, 8);  // six bytes, "x", NUL
  EXPECT_EQ(size + 8, v.inserts[0].record.size());
  EXPECT_TRUE(frame::MvSetInsertEnabled(&v, 3, false));
  EXPECT_FALSE(frame::MvSetInsertEnabled(&v, 7, false));
  // Laid out where the numbering reaches them, they take no character positions.
  auto source = std::make_shared<MemoryRecordSource>(Lines(1), 0);
  frame::MvSetRecordSource(&v, source);
  frame::MvInsertEmbeddedWindow(&v, MemoryRecordSource::PositionOf(0), 2, 'c', "z", &error);
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &kWindow, &error));
  const frame::LayoutFrame& f = v.frames.front();
  EXPECT_TRUE(NumberingCoversOnce(f.objects, f.textCount, nullptr));
  EXPECT_EQ(f.objects.front().length, 5);  // the word "line " is taken whole; the object follows it
  frame::MvFreeInserts(&v);
  EXPECT_TRUE(v.inserts.empty());
}

}  // namespace
}  // namespace layout_test
