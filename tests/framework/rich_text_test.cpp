// The rich-edit text as data: positions over paragraphs, inserting and erasing across them, and
// line layout with a measurer of fixed widths.
#include "platform/controls/rich_text.h"

#include <gtest/gtest.h>

#include <string>

namespace controls {
namespace {

// Every letter 10 pixels wide (bold 12); lines 12 high with an ascent of 9 (size 40: 24 and 18).
class FixedMeasurer : public Measurer {
 public:
  int text_width(const CharFormat& f, const char*, int count) override { return count * (f.bold ? 12 : 10); }
  void font_metrics(const CharFormat& f, int& height, int& ascent) override {
    height = f.half_points >= 40 ? 24 : 12;
    ascent = f.half_points >= 40 ? 18 : 9;
  }
};

std::string plain(const RichText& t) { return std::string(t.plain_text("|")); }

TEST(RichText, PositionsCountOneForEachParagraphBreak) {
  RichText t = RichText::from_plain("ab\r\ncd\nef");
  EXPECT_EQ(t.paragraphs().size(), 3u);
  EXPECT_EQ(t.length(), 8);
  size_t p = 0;
  int offset = 0;
  t.locate(3, p, offset);
  EXPECT_EQ(p, 1u);
  EXPECT_EQ(offset, 0);
  t.locate(100, p, offset);
  EXPECT_EQ(p, 2u);
  EXPECT_EQ(offset, 2);
  EXPECT_EQ(RichText::from_plain("").length(), 0);
  EXPECT_EQ(RichText::from_plain("\r\n").length(), 1);
}

TEST(RichText, InsertingAndErasingAcrossParagraphs) {
  CharFormat bold{.bold = true};
  RichText t = RichText::from_plain("abcd");
  // A piece of two paragraphs splits the one it lands in.
  int after = t.insert(2, RichText::from_plain("X\r\nY", bold));
  EXPECT_EQ(plain(t), "abX|Ycd");
  EXPECT_EQ(after, 5);
  EXPECT_TRUE(t.format_at(3).bold);   // after "X"
  EXPECT_FALSE(t.format_at(2).bold);  // after "b"
  EXPECT_TRUE(t.format_at(5).bold);   // after "Y"
  // Inserting at either end and past it.
  t.insert(0, RichText::from_plain(">"));
  t.insert(1000, RichText::from_plain("<"));
  EXPECT_EQ(plain(t), ">abX|Ycd<");

  // Erasing over the break joins the paragraphs; reversed and clamped ranges work alike.
  t.erase(4, 2);
  EXPECT_EQ(plain(t), ">a|Ycd<");
  t.erase(2, 3);
  EXPECT_EQ(plain(t), ">aYcd<");
  t.erase(-5, 1);
  t.erase(3, 99);
  EXPECT_EQ(plain(t), "aYc");
  EXPECT_EQ(t.paragraphs().size(), 1u);
  t.erase(0, t.length());
  EXPECT_EQ(t.length(), 0);
  EXPECT_EQ(t.paragraphs().size(), 1u);
}

TEST(RichText, LinesBreakAfterSpacesAndLongWordsBetweenLetters) {
  FixedMeasurer m;
  // Width 100: ten plain letters per line.
  RichText t = RichText::from_plain("abc defgh ijklmnopqrstuvwxyz\r\n\r\nend");
  std::vector<TextLine> lines = layout_rich_text(t, 100, m);
  std::vector<std::string> texts;
  for (const TextLine& l : lines) {
    std::string s;
    for (const LineRun& r : l.runs) s += std::string(r.text);
    texts.push_back(s);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"abc defgh ", "ijklmnopqr", "stuvwxyz", "", "end"}));
  EXPECT_EQ(lines[1].first, 10);
  EXPECT_EQ(lines[2].first, 20);
  EXPECT_EQ(lines[3].first, 29);  // the empty paragraph
  EXPECT_EQ(lines[4].first, 30);
  EXPECT_EQ(lines[4].y, 4 * 12);
  // Without wrapping each paragraph is one line.
  EXPECT_EQ(layout_rich_text(t, 0, m).size(), 3u);
  // A line no wider than one letter still takes one letter per line and ends.
  EXPECT_EQ(layout_rich_text(RichText::from_plain("abcdef"), 1, m).size(), 6u);
}

TEST(RichText, RunsOfOneLineShareItsBaselineAndTabsMoveToStops) {
  FixedMeasurer m;
  CharFormat big{.half_points = 40};
  RichText t = RichText::from_plain("ab\tc");
  t.insert(1, RichText::from_plain("XY", big));
  std::vector<TextLine> lines = layout_rich_text(t, 0, m);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].height, 24);
  EXPECT_EQ(lines[0].ascent, 18);
  // "a" 10, "XY" 20, "b" 10, then the tab runs to 48 and "c" starts there.
  ASSERT_EQ(lines[0].runs.size(), 5u);
  EXPECT_EQ(lines[0].runs[1].x, 10);
  EXPECT_EQ(lines[0].runs[1].format.half_points, 40);
  EXPECT_EQ(lines[0].runs[4].x, kRichTabWidth);
  EXPECT_EQ(lines[0].runs[4].first, 5);
}

}  // namespace
}  // namespace controls
