// Search-hit marks drawn from the installed hit list on every paint, and scrolling to hits.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/frame/hit_marks.h"
#include "engine/frame/painting.h"
#include "engine/frame/scrolling.h"
#include "engine/frame/topic_layout.h"
#include "platform/gdi/core/object_api.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

// Record i of a NumberedSource topic starts at character 100 i of block 0.
uint32_t Address(int record, int offset) { return uint32_t(record * 100 + offset); }

std::vector<std::string> MarkLines(const gdi::RecordingLog& log, size_t from = 0) {
  std::vector<std::string> out;
  for (size_t i = from; i < log.size(); ++i) {
    if (log[i].rfind("rectangle ", 0) == 0 && log[i].find("rop2=7") != std::string::npos) out.push_back(log[i]);
  }
  return out;
}

TEST(HitMarks, MarksArePaintedFromStateEveryTimeAndCutAtTheRecordEnd) {
  DisplayTopic topic({Paragraph("Ustawa o podatku|"), Paragraph("drugi|")});
  medview::Viewer& v = topic.viewer();
  fts::TopicHitList list;
  list.entries = {{Address(0, 9), 7}, {Address(1, 0), 200}};
  medview::TitleErrorCode error = 99;
  EXPECT_EQ(medview::MvSetHitList(&v, &list, TRUE, &error), nullptr);
  EXPECT_EQ(error, 0);
  size_t drawn = MarkLines(topic.t.log()).size();
  EXPECT_EQ(drawn, 2u);
  // The same list again changes nothing.
  EXPECT_EQ(medview::MvSetHitList(&v, &list, TRUE, &error), nullptr);
  EXPECT_EQ(MarkLines(topic.t.log()).size(), drawn);
  // Every paint shows the marks again where the text is.
  for (int paint = 0; paint < 2; ++paint) {
    size_t before = topic.t.log().size();
    ASSERT_EQ(medview::MvAcquireDC(&v), 0);
    HDC window = v.hdc;
    EXPECT_TRUE(medview::MvPaint(&v, window, nullptr, &error));
    medview::MvReleaseDC(&v);
    EXPECT_EQ(MarkLines(topic.t.log(), before).size(), 2u);
  }
  // The second hit runs past its record: its mark ends with the record's text.
  std::vector<frame::HitMark> marks = frame::FrMapHitsOnFrame(v, v.frames[1]);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_LE(marks[0].rect.right, v.frames[1].width);
  RECT r{};
  EXPECT_TRUE(medview::MvGetHitRect(&v, 0, &r));
  EXPECT_GT(r.right, r.left);
  EXPECT_FALSE(medview::MvGetHitRect(&v, 5, &r));
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(medview::MvGetHitCount(&list), 2);
  EXPECT_EQ(medview::MvGetHitPosition(&list, 1), Address(1, 0));
  EXPECT_EQ(medview::MvGetHitPosition(&list, 2), -1);
  EXPECT_EQ(medview::MvGetHitPosition(nullptr, 0), -1);
  // Removing the list draws the old marks once more (erasing them) and returns it.
  size_t before = topic.t.log().size();
  EXPECT_EQ(medview::MvSetHitList(&v, nullptr, TRUE, &error), &list);
  EXPECT_EQ(MarkLines(topic.t.log(), before).size(), 2u);
}

TEST(HitMarks, HitOverTwoRunsInDifferentFontsSharesOneTopAndBottom) {
  layout_test::Commands commands;
  commands.Font(4).Byte(0x82).End();  // 20 pt from the second run on
  DisplayTopic topic({layout_test::TextRecord(adt::ParagraphInfo{}, commands, "abc|def|")});
  medview::Viewer& v = topic.viewer();
  fts::TopicHitList list;
  list.entries = {{Address(0, 1), 5}};  // "bc", the font command, "de"
  medview::MvSetHitList(&v, &list, FALSE, nullptr);
  std::vector<frame::HitMark> marks = frame::FrMapHitsOnFrame(v, v.frames[0]);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].rect.top, marks[1].rect.top);
  EXPECT_EQ(marks[0].rect.bottom, marks[1].rect.bottom);
  EXPECT_LT(marks[0].rect.left, marks[1].rect.left);
}

TEST(HitMarks, ChangingTheBrushRedrawsTheMarks) {
  DisplayTopic topic({Paragraph("slowo|")});
  medview::Viewer& v = topic.viewer();
  fts::TopicHitList list;
  list.entries = {{Address(0, 0), 5}};
  medview::MvSetHitList(&v, &list, TRUE, nullptr);
  size_t before = topic.t.log().size();
  HBRUSH brush = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  EXPECT_EQ(medview::MvSetHitMarkMode(&v, brush, 7, nullptr), nullptr);  // the old brush: none
  EXPECT_EQ(MarkLines(topic.t.log(), before).size(), 2u);               // erased, then drawn anew
  EXPECT_EQ(medview::MvSetHitMarkMode(&v, brush, 7, nullptr), nullptr);  // unchanged
}

// Forty one-line paragraphs, "wiersz 0" to "wiersz 39": more than a 70-pixel window shows.
std::vector<Bytes> FortyLines() {
  std::vector<Bytes> lines;
  for (int i = 0; i < 40; ++i) lines.push_back(Paragraph("wiersz " + std::to_string(i) + "|"));
  return lines;
}

TEST(HitMarks, ScrollingToAHitCentresItOrReportsItMissing) {
  DisplayTopic topic(FortyLines(), RECT{0, 0, 300, 70});
  medview::Viewer& v = topic.viewer();
  fts::TopicHitList list;
  list.entries = {{Address(30, 0), 6}};
  medview::MvSetHitList(&v, &list, FALSE, nullptr);
  medview::TitleErrorCode error = 99;
  EXPECT_TRUE(medview::MvScrollToHit(&v, 0, &error));
  EXPECT_EQ(error, 0);
  RECT r{};
  ASSERT_TRUE(medview::MvGetHitRect(&v, 0, &r));
  EXPECT_NEAR((r.top + r.bottom) / 2, 35, 8);
  EXPECT_FALSE(medview::MvScrollToHit(&v, 3, &error));
  EXPECT_EQ(error, medview::kViewHitNotFound);
}

// Sets one hit, at `at`, scrolls to it and expects it not found, within `most` record loads.
void ExpectHitNotFoundWithin(DisplayTopic& topic, uint32_t at, int most) {
  fts::TopicHitList list;
  list.entries = {{at, 6}};
  medview::MvSetHitList(&topic.viewer(), &list, FALSE, nullptr);
  const int loads = topic.source->loads;
  medview::TitleErrorCode error = 99;
  EXPECT_FALSE(medview::MvScrollToHit(&topic.viewer(), 0, &error));
  EXPECT_EQ(error, medview::kViewHitNotFound);
  EXPECT_LT(topic.source->loads - loads, most);
}

// A hit at an address no record shows (past the text of record 30, before record 31, as a damaged
// hit list can give): the scroll passes the address once, finds nothing and stops, instead of
// turning back and forth until its step bound.
TEST(HitMarks, ScrollingToAHitNoRecordShowsStopsOnceTheAddressIsPassed) {
  DisplayTopic topic(FortyLines(), RECT{0, 0, 300, 70});
  ExpectHitNotFoundWithin(topic, Address(30, 50), 200);
}

// A damaged chain whose record 20 leads back to record 5: scrolling towards a hit beyond it comes
// round to a view it has shown already and stops there, instead of going round until its step bound.
TEST(HitMarks, ScrollingToAHitStopsWhenTheChainLeadsBackToAShownView) {
  DisplayTopic topic(FortyLines(), RECT{0, 0, 300, 70});
  medview::Viewer& v = topic.viewer();
  using layout_test::MemoryRecordSource;
  frame::MvSetRecordSource(&v, std::make_shared<LoopingSource>(topic.source, MemoryRecordSource::PositionOf(20),
                                                                MemoryRecordSource::PositionOf(5)));
  frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr);
  RECT window{0, 0, 300, 70};
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, nullptr));
  ExpectHitNotFoundWithin(topic, Address(30, 0), 2000);
}

}  // namespace
}  // namespace display_test
