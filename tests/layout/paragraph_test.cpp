// Paragraph layout goldens on the recording device's fixed metrics: at 96 dpi and zoom 100 font 0
// (10 points) is 13 pixels high with a 1-pixel external leading (lines of 14), ascent 10; most
// characters are 7 pixels wide, " !'(),.:;I[]fijlrt|" 3 and "%@MWmw" 10.
#include <gtest/gtest.h>

#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

adt::ParagraphInfo Info() { return adt::ParagraphInfo{}; }

adt::ParagraphInfo Aligned(int16_t alignment) {
  adt::ParagraphInfo info;
  info.alignment = alignment;
  return info;
}

adt::ParagraphInfo Spacing(int16_t line_spacing) {
  adt::ParagraphInfo info;
  info.lineSpacing = line_spacing;
  return info;
}

adt::ParagraphInfo Tabs(std::initializer_list<adt::TabStop> stops, int16_t interval = 72) {
  adt::ParagraphInfo info;
  info.tabInterval = interval;
  for (auto stop : stops) info.tabs[info.tabCount++] = stop;
  return info;
}

adt::ParagraphInfo Bordered(int16_t border, int16_t space_before = 0) {
  adt::ParagraphInfo info;
  info.hasBorder = 1;
  info.border = border;
  info.spaceBefore = space_before;
  return info;
}

// Far down the page: 5000/144 inch is 104,166 pixels at 600 dpi and zoom 500.
adt::ParagraphInfo Far() {
  adt::ParagraphInfo info;
  info.spaceBefore = 5000;
  info.leftIndent = 2000;
  return info;
}

struct GoldenCase {
  const char* name;
  Bytes record;
  int32_t width;
  int dpi;
  int zoom;
  const char* expected;  // the object dump, then "= width x height chars"
};

std::string RunCase(const GoldenCase& c, frame::ObjectList* objects = nullptr, frame::RecordExtent* extent = nullptr) {
  TestViewer t(c.dpi, c.zoom);
  frame::RecordExtent local;
  frame::RecordExtent& e = extent ? *extent : local;
  std::string dump = t.Layout(c.record, c.width, &e, objects);
  return dump + "= " + std::to_string(e.width) + "x" + std::to_string(e.height) + " " + std::to_string(e.chars) + "\n";
}

std::vector<GoldenCase> Cases() {
  return {
      {"LinesBreakBetweenWords",
       TextRecord(Info(), Commands().Byte(0x82).End(), "Hello world again and again|"), 100, 96, 100,
       "1 (0,0 97x14) b10 c0..17 f0 'Hello world again '\n"
       "1 (0,14 55x14) b10 c18..26 f0 'and again'\n"
       "51 (55,24 0x0) b0 c27..27\n"
       "= 97x28 28\n"},
      {"LongWordOverflowsAlone", TextRecord(Info(), Commands().End(), "a Unbreakableword b|"), 40, 96, 100, 
       "1 (0,0 10x14) b10 c0..1 f0 'a '\n"
       "1 (0,14 99x14) b10 c2..17 f0 'Unbreakableword '\n"
       "1 (0,28 7x14) b10 c18..18 f0 'b'\n"
       "57 (7,38 0x0) b0 c19..19\n"
       "= 99x42 20\n"},
      {"LineBreakAndExtraHeight",
       TextRecord(Info(), Commands().Byte(0x81).ExtraHeight(6).Byte(0x82).End(), "one|two|three|"), 200, 96, 100,
       "1 (0,0 21x14) b10 c0..2 f0 'one'\n"
       "52 (21,10 0x0) b0 c3..3\n"
       "1 (0,14 20x14) b10 c4..6 f0 'two'\n"
       "54 (20,24 0x0) b0 c7..7\n"
       "1 (0,34 27x14) b10 c8..12 f0 'three'\n"
       "51 (27,44 0x0) b0 c13..13\n"
       "= 27x48 14\n"},
      {"EmptyParagraphEndsAtOnce", TextRecord(Info(), Commands().End(), ""), 200, 96, 100, 
       "= 0x0 0\n"},
      {"EmptyLineTakesTheFontHeight", TextRecord(Info(), Commands().Byte(0x82).End(), "|"), 200, 96, 100, 
       "51 (0,10 0x0) b0 c0..0\n"
       "= 0x14 1\n"},
      {"LeftTabStop", TextRecord(Tabs({{144, 0}}), Commands().Byte(0x83).End(), "a|b|"), 300, 96, 100, 
       "1 (0,0 7x14) b10 c0..0 f0 'a'\n"
       "53 (7,10 0x0) b0 c1..1\n"
       "1 (96,0 7x14) b10 c2..2 f0 'b'\n"
       "57 (103,10 0x0) b0 c3..3\n"
       "= 103x14 4\n"},
      {"RightTabStop", TextRecord(Tabs({{144, 1}}), Commands().Byte(0x83).End(), "a|bcd|"), 300, 96, 100, 
       "1 (0,0 7x14) b10 c0..0 f0 'a'\n"
       "53 (7,10 0x0) b0 c1..1\n"
       "1 (75,0 21x14) b10 c2..4 f0 'bcd'\n"
       "57 (96,10 0x0) b0 c5..5\n"
       "= 96x14 6\n"},
      {"CentredTabStop", TextRecord(Tabs({{144, 2}}), Commands().Byte(0x83).End(), "a|bcd|"), 300, 96, 100, 
       "1 (0,0 7x14) b10 c0..0 f0 'a'\n"
       "53 (7,10 0x0) b0 c1..1\n"
       "1 (86,0 21x14) b10 c2..4 f0 'bcd'\n"
       "57 (107,10 0x0) b0 c5..5\n"
       "= 107x14 6\n"},
      {"TabPastLastStopUsesInterval", TextRecord(Tabs({}), Commands().Byte(0x83).End(), "abcdefg|x|"), 300, 96, 100,
       "1 (0,0 45x14) b10 c0..6 f0 'abcdefg'\n"
       "53 (45,10 0x0) b0 c7..7\n"
       "1 (48,0 7x14) b10 c8..8 f0 'x'\n"
       "57 (55,10 0x0) b0 c9..9\n"
       "= 55x14 10\n"},
      {"TabIntervalZeroUsesDefault", TextRecord(Tabs({}, 0), Commands().Byte(0x83).Byte(0x83).End(), "|a||"), 300, 96,
       100, 
       "53 (0,10 0x0) b0 c0..0\n"
       "1 (48,0 7x14) b10 c1..1 f0 'a'\n"
       "53 (55,10 0x0) b0 c2..2\n"
       "57 (96,10 0x0) b0 c3..3\n"
       "= 55x14 4\n"},
      {"TabBeyondMarginEndsLine", TextRecord(Tabs({{720, 0}}), Commands().Byte(0x83).End(), "ab|c|"), 100, 96, 100,
       "1 (0,0 14x14) b10 c0..1 f0 'ab'\n"
       "53 (14,10 0x0) b0 c2..2\n"
       "1 (0,14 7x14) b10 c3..3 f0 'c'\n"
       "57 (7,24 0x0) b0 c4..4\n"
       "= 14x28 5\n"},
      {"RightAlignedDropsTrailingSpaces", TextRecord(Aligned(1), Commands().End(), "end here   |"), 100, 96, 100, 
       "1 (52,0 48x14) b10 c0..10 f0 'end here'\n"
       "57 (109,10 0x0) b0 c11..11\n"
       "= 100x14 12\n"},
      {"CentredLine", TextRecord(Aligned(2), Commands().End(), "abcd|"), 100, 96, 100, 
       "1 (36,0 28x14) b10 c0..3 f0 'abcd'\n"
       "57 (64,10 0x0) b0 c4..4\n"
       "= 100x14 5\n"},
      {"ExactLineSpacing", TextRecord(Spacing(-240), Commands().Font(4).End(), "|big small|"), 60, 96, 100, 
       "1 (0,0 42x29) b22 c0..4 f4 'big '\n"
       "1 (0,160 62x29) b22 c5..9 f4 'small'\n"
       "57 (62,182 0x0) b0 c10..10\n"
       "= 62x320 11\n"},
      {"AtLeastLineSpacing", TextRecord(Spacing(48), Commands().End(), "x|"), 100, 96, 100, 
       "1 (0,0 7x14) b10 c0..0 f0 'x'\n"
       "57 (7,10 0x0) b0 c1..1\n"
       "= 7x32 2\n"},
      {"SmallCapsAndRaisedShareABaseline",
       TextRecord(Info(), Commands().Font(2).Font(3).Font(0).End(), "a|SMALL|up|down|"), 300, 96, 100, 
       "1 (0,4 7x14) b10 c0..0 f0 'a'\n"
       "1 (7,7 27x9) b7 c1..6 f2 'SMALL'\n"
       "1 (34,0 14x14) b14 c7..9 f3 'up'\n"
       "1 (48,4 31x14) b10 c10..14 f0 'down'\n"
       "57 (79,14 0x0) b0 c15..15\n"
       "= 79x18 16\n"},
      {"HotspotRunsAreNumbered",
       TextRecord(Info(), Commands().Hotspot(0x1234).Byte(0x89).Hotspot(7).Byte(0x89).End(), "see |this| and |that||"),
       300, 96, 100, 
       "1 (0,0 24x14) b10 c0..3 f0 'see '\n"
       "1 (24,0 20x14) b10 c4..8 f0 h1 'this'\n"
       "1 (44,0 27x14) b10 c9..14 f0 ' and '\n"
       "1 (71,0 20x14) b10 c15..19 f0 h2 'that'\n"
       "57 (91,10 0x0) b0 c20..21\n"
       "= 91x14 22\n"},
      {"SoftHyphenShowsOnlyAtABreak",
       TextRecord(Info(), Commands().Byte(0x8C).Byte(0x8C).End(), "aa ab-|cd ef-|gh|"), 50, 96, 100, 
       "1 (0,0 38x14) b10 c0..5 f0 'aa ab-'\n"
       "56 (0,24 0x0) b0 c-1..-1\n"
       "1 (0,14 27x14) b10 c6..12 f0 'cd ef'\n"
       "56 (27,24 0x0) b0 c-1..-1\n"
       "1 (27,14 14x14) b10 c13..15 f0 'gh'\n"
       "57 (41,24 0x0) b0 c16..16\n"
       "= 41x28 17\n"},
      {"NonBreakingSpaceKeepsWordsTogether",
       TextRecord(Info(), Commands().Byte(0x8B).End(), "aaa bb|cc|"), 50, 96, 100, 
       "1 (0,0 24x14) b10 c0..3 f0 'aaa '\n"
       "1 (0,14 14x14) b10 c4..5 f0 'bb'\n"
       "55 (14,24 3x0) b0 c6..6\n"
       "1 (17,14 14x14) b10 c7..8 f0 'cc'\n"
       "57 (31,24 0x0) b0 c9..9\n"
       "= 31x28 10\n"},
      {"BoxBorderSingle", TextRecord(Bordered(0x01, 14), Commands().End(), "boxed|"), 100, 96, 100, 
       "1 (5,14 35x14) b10 c0..4 f0 'boxed'\n"
       "57 (40,24 0x0) b0 c5..5\n"
       "5 (0,9 100x24) b0 c-1..-1\n"
       "= 100x33 6\n"},
      {"SideBordersDouble", TextRecord(Bordered(0x02 | 0x08 | (2 << 5)), Commands().End(), "x|"), 100, 96, 100, 
       "1 (0,7 7x14) b10 c0..0 f0 'x'\n"
       "57 (7,17 0x0) b0 c1..1\n"
       "5 (0,0 100x28) b0 c-1..-1\n"
       "= 100x28 2\n"},
      {"BorderStyleSixTakesSpace", TextRecord(Bordered(0x01 | (6 << 5)), Commands().End(), "x|"), 100, 96, 100, 
       "1 (6,6 7x14) b10 c0..0 f0 'x'\n"
       "57 (13,16 0x0) b0 c1..1\n"
       "5 (0,0 100x26) b0 c-1..-1\n"
       "= 100x26 2\n"},
      {"Zoom500At600DpiPassesSixteenBits", TextRecord(Far(), Commands().Byte(0x81).End(), "a|b|"), 40000, 600, 500,
       "1 (41666,104166 209x458) b334 c0..0 f0 'a'\n"
       "52 (41875,104500 0x0) b0 c1..1\n"
       "1 (41666,104624 209x458) b334 c2..2 f0 'b'\n"
       "57 (41875,104958 0x0) b0 c3..3\n"
       "= 41875x105082 4\n"},
  };
}

TEST(Clipboard, FlowMarkersWithoutMeasuring) {
  TestViewer t;
  t.viewer().flags |= medview::kViewClipboard;
  frame::RecordExtent e;
  frame::ObjectList objects;
  std::string dump = t.Layout(
      TextRecord(Tabs({}), Commands().Byte(0x83).Byte(0x8B).Byte(0x81).Byte(0x82).End(), "a long line|b|c|d|e|"), 20,
      &e, &objects);
  EXPECT_EQ(dump,
            "1 (0,0 0x0) b0 c0..10 f0 'a long line'\n"
            "53 (0,0 0x0) b0 c11..11\n"
            "100 (0,0 0x0) b0 c-1..-1\n"
            "1 (0,0 0x0) b0 c12..12 f0 'b'\n"
            "55 (0,0 0x0) b0 c13..13\n"
            "106 (0,0 0x0) b0 c-1..-1\n"
            "1 (0,0 0x0) b0 c14..14 f0 'c'\n"
            "52 (0,0 0x0) b0 c15..15\n"
            "105 (0,0 0x0) b0 c-1..-1\n"
            "1 (0,0 0x0) b0 c16..16 f0 'd'\n"
            "51 (0,0 0x0) b0 c17..17\n"
            "101 (0,0 0x0) b0 c-1..-1\n"
            "1 (0,0 0x0) b0 c18..18 f0 'e'\n"
            "57 (0,0 0x0) b0 c19..19\n"
            "102 (0,0 0x0) b0 c-1..-1\n");
  EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, nullptr));
}

TEST(Paragraph, LongParagraphKeepsEveryObject) {
  // Thousands of lines: far more object bytes than a 64 KB array would hold.
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "word ";
  TestViewer t;
  frame::RecordExtent e;
  frame::ObjectList objects;
  t.Layout(TextRecord(Info(), Commands().End(), text + "|"), 40, &e, &objects);
  ASSERT_EQ(objects.size(), 4001u);
  EXPECT_EQ(objects[3999].y, 3999 * 14);
  EXPECT_EQ(e.chars, 4000 * 5 + 1);
  EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, nullptr));
}

TEST(Paragraph, HotspotNumbersDoNotMoveTheFocus) {
  TestViewer t;
  t.viewer().focusHotspot = 5;
  frame::ObjectList objects;
  Bytes record = TextRecord(Info(), Commands().Hotspot(1).Byte(0x89).End(), "|a||");
  t.Layout(record, 100, nullptr, &objects);
  EXPECT_EQ(objects[0].hotspotNumber, 1);
  EXPECT_EQ(t.viewer().focusHotspot, 5);
  // The hotspot's data is the place of its command in the record, for finding the command again.
  ASSERT_GE(objects[0].hotspotData, 0);
  EXPECT_EQ(record[size_t(objects[0].hotspotData)], 0xE3);
  // The same inside a table cell.
  Bytes table = TableRecord(true, 0, {{144, 0}}, {{0, record}});
  t.Layout(table, 100, nullptr, &objects);
  ASSERT_GE(objects[0].hotspotData, 0);
  EXPECT_EQ(table[size_t(objects[0].hotspotData)], 0xE3);
}

TEST(Paragraph, DamagedCommandsEndTheParagraph) {
  const Bytes damaged[] = {
      TextRecord(Info(), Commands().Byte(0x80).Byte(1), "|a|"),           // font number cut short
      TextRecord(Info(), Commands().Byte(0x85), "a|b|"),                   // extra height cut short
      TextRecord(Info(), Commands().Byte(0xE3).Byte(1), "a|b|"),           // hotspot data cut short
      TextRecord(Info(), Commands().Byte(0x40).Byte(0xFF).Byte(0x7F), "a|b|"),  // length past the end
      TextRecord(Info(), Commands().Byte(0x86).Byte(0x22).Byte(0x00), "a|b|"),  // inline record cut short
      TextRecord(Info(), Commands(), "no commands at all|more|"),
  };
  for (const Bytes& record : damaged) {
    TestViewer t;
    frame::RecordExtent e;
    frame::ObjectList objects;
    t.Layout(record, 100, &e, &objects);
    std::string problem;
    EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, &problem)) << problem;
  }
}

class ParagraphGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(ParagraphGolden, MatchesDump) {
  const GoldenCase& c = GetParam();
  frame::ObjectList objects;
  frame::RecordExtent extent;
  std::string dump = RunCase(c, &objects, &extent);
  EXPECT_EQ(dump, c.expected);
  std::string problem;
  EXPECT_TRUE(NumberingCoversOnce(objects, extent.chars, &problem)) << problem;
}

INSTANTIATE_TEST_SUITE_P(Layout, ParagraphGolden, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

}  // namespace
}  // namespace layout_test
