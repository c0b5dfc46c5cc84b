// Selecting by click, word, sentence, paragraph, keys and all on a laid-out topic.
#include <gtest/gtest.h>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/selection.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

using layout_test::MemoryRecordSource;

// The client point of character `offset` of the first record's first line.
POINT PointOf(medview::Viewer& v, int32_t offset) {
  std::vector<RECT> rects = frame::FrRangeRects(v, {MemoryRecordSource::PositionOf(0), offset},
                                                {MemoryRecordSource::PositionOf(0), offset + 1});
  EXPECT_FALSE(rects.empty());
  if (rects.empty()) return {};
  return POINT{(rects[0].left + rects[0].right) / 2, (rects[0].top + rects[0].bottom) / 2};
}

std::string Selected(medview::Viewer& v) { return AsText(medview::MvCopySelectionText(&v, nullptr)); }

TEST(Selection, WordAndSentenceByPoint) {
  DisplayTopic topic({Paragraph("Jest koniec. Nowe zdanie tu.|")});
  medview::Viewer& v = topic.viewer();
  POINT p = PointOf(v, 7);  // in "koniec"
  medview::TitleErrorCode error = 99;
  medview::MvSelectAt(&v, medview::kSelectWord, p.x, p.y, FALSE, &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(Selected(v), "koniec");
  medview::MvSelectAt(&v, medview::kSelectSentence, p.x, p.y, FALSE, &error);
  EXPECT_EQ(Selected(v), "Jest koniec. ");
  p = PointOf(v, 15);
  medview::MvSelectAt(&v, medview::kSelectSentence, p.x, p.y, FALSE, &error);
  // The paragraph's end closes the last sentence and is part of it.
  EXPECT_EQ(Selected(v), "Nowe zdanie tu.\r\n");
  medview::MvSelectAt(&v, 6, p.x, p.y, FALSE, &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(Selected(v), "Nowe zdanie tu.\r\n");  // mode 6 does nothing
}

TEST(Selection, DragExtendsAndABackwardExtensionKeepsTheWordAnchor) {
  DisplayTopic topic({Paragraph("alfa beta gamma|")});
  medview::Viewer& v = topic.viewer();
  POINT beta = PointOf(v, 6);
  medview::MvSelectAt(&v, medview::kSelectWord, beta.x, beta.y, FALSE, nullptr);
  POINT alfa = PointOf(v, 1);
  medview::MvSelectAt(&v, medview::kSelectWord, alfa.x, alfa.y, TRUE, nullptr);
  EXPECT_EQ(Selected(v), "alfa beta");
  POINT start = PointOf(v, 0);
  medview::MvSelectAt(&v, medview::kSelectPoint, start.x - 1, start.y, FALSE, nullptr);
  POINT gamma = PointOf(v, 12);
  medview::MvSelectAt(&v, medview::kSelectPoint, gamma.x, gamma.y, TRUE, nullptr);
  // The point lies in the middle of the "m": the nearer edge is after it.
  EXPECT_EQ(Selected(v), "alfa beta gam");
}

TEST(Selection, EverythingAndParagraphAndKeys) {
  DisplayTopic topic({Paragraph("jeden|"), Paragraph("dwa trzy|")});
  medview::Viewer& v = topic.viewer();
  medview::MvSelectAt(&v, medview::kSelectAll, 0, 0, FALSE, nullptr);
  EXPECT_EQ(Selected(v), "jeden\r\ndwa trzy\r\n");
  // Keys: a caret at the start, then three steps right with extend.
  medview::MvSetSelection(&v, MemoryRecordSource::PositionOf(1), 0, MemoryRecordSource::PositionOf(1), 0);
  medview::TitleErrorCode error = 99;
  for (int i = 0; i < 3; ++i) medview::MvMoveSelectionByKey(&v, medview::kKeyRight, TRUE, &error);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(Selected(v), "dwa");
  medview::MvMoveSelectionByKey(&v, medview::kKeyLineEnd, TRUE, &error);
  EXPECT_EQ(Selected(v).substr(0, 8), "dwa trzy");
  medview::MvMoveSelectionByKey(&v, medview::kKeyDown, FALSE, &error);
  EXPECT_EQ(error, medview::kViewNoFurtherStep);  // no line below the last one
  medview::MvMoveSelectionByKey(&v, medview::kKeyUp, FALSE, &error);
  EXPECT_EQ(error, 0);
  int32_t p1 = 0, o1 = 0, p2 = 0, o2 = 0;
  medview::MvSetSelection(&v, MemoryRecordSource::PositionOf(0), 0, MemoryRecordSource::PositionOf(1), 3);
  ASSERT_TRUE(medview::MvGetSelection(&v, &p1, &o1, &p2, &o2));
  EXPECT_EQ(p1, MemoryRecordSource::PositionOf(0));
  EXPECT_EQ(o2, 3);
}

TEST(Selection, InvertedAreaCoversTheWholeLineHeight) {
  layout_test::Commands commands;
  commands.Font(4).Byte(0x82).End();  // a 20 pt run after a 10 pt one on the same line
  DisplayTopic topic({layout_test::TextRecord(adt::ParagraphInfo{}, commands, "ab|CD|")});
  medview::Viewer& v = topic.viewer();
  auto small = frame::FrRangeRects(v, {MemoryRecordSource::PositionOf(0), 0}, {MemoryRecordSource::PositionOf(0), 1});
  auto large = frame::FrRangeRects(v, {MemoryRecordSource::PositionOf(0), 3}, {MemoryRecordSource::PositionOf(0), 4});
  ASSERT_EQ(small.size(), 1u);
  ASSERT_EQ(large.size(), 1u);
  EXPECT_EQ(small[0].top, large[0].top);
  EXPECT_EQ(small[0].bottom, large[0].bottom);
}

TEST(Selection, NotLaidOutAndBusy) {
  layout_test::TestViewer t;
  medview::TitleErrorCode error = 0;
  medview::MvSelectAt(&t.viewer(), medview::kSelectWord, 1, 1, FALSE, &error);
  EXPECT_EQ(error, medview::kViewNoLayout);
  DisplayTopic topic({Paragraph("x|")});
  medview::ViewerBusy hold(&topic.viewer());
  medview::MvSelectAt(&topic.viewer(), medview::kSelectWord, 1, 1, FALSE, &error);
  EXPECT_EQ(error, medview::kViewBusy);
  medview::MvMoveSelectionByKey(&topic.viewer(), medview::kKeyLeft, FALSE, &error);
  EXPECT_EQ(error, medview::kViewBusy);
}

}  // namespace
}  // namespace display_test
