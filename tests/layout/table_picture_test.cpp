// Tables and pictures laid out on the recording device.
#include <gtest/gtest.h>

#include "engine/frame/text_output.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

Bytes Cell(std::string_view text) { return TextRecord(adt::ParagraphInfo{}, Commands().End(), text); }

TEST(Table, RelativeColumnsShareTheWidth) {
  TestViewer t;
  frame::RecordExtent e;
  std::string dump = t.Layout(TableRecord(false, 0, {{16383, 0}, {16383, 0}}, {{0, Cell("a|")}, {1, Cell("b|")}}),
                              200, &e);
  EXPECT_EQ(dump,
            "1 (0,0 7x14) b10 c0..0 f0\n"
            "57 (7,10 0x0) b0 c1..1\n"
            "1 (100,0 7x14) b10 c2..2 f0\n"
            "57 (107,10 0x0) b0 c3..3\n");
  EXPECT_EQ(e.width, 200);
  EXPECT_EQ(e.height, 14);
  EXPECT_EQ(e.chars, 4);
}

TEST(Table, AbsoluteColumnsAndStackedCellsAndStrayColumnsSkipped) {
  TestViewer t;
  frame::RecordExtent e;
  frame::ObjectList objects;
  // 144 units = 96 pixels wide, after a gap of 72 = 48 pixels.
  std::string dump = t.Layout(TableRecord(true, 0, {{144, 72}}, {{0, Cell("a|")}, {5, Cell("lost|")}, {0, Cell("b|")}}),
                              500, &e, &objects);
  EXPECT_EQ(dump,
            "1 (48,0 7x14) b10 c0..0 f0\n"
            "57 (55,10 0x0) b0 c1..1\n"
            "1 (48,14 7x14) b10 c2..2 f0\n"
            "57 (55,24 0x0) b0 c3..3\n");
  EXPECT_EQ(e.width, 144);
  EXPECT_EQ(e.height, 28);
  EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, nullptr));
}

Bytes PictureWithHotspots() {
  StoredBitmap p;
  p.width = 40;
  p.height = 20;
  p.bits = Bytes(40 * 20, 0);
  p.hotspots = HotspotData({{0xE0, 0, 0, 10, 10, 5}, {0x8A, 10, 0, 10, 10, 0}, {0xC8, 20, 5, 10, 10, 2}}, {1, 2, 3});
  return PictureDirectory({StoredBitmapRecord(p)});
}

TEST(Picture, ThreeHotspotsCountFourCharacters) {
  TestViewer t;
  frame::RecordExtent e;
  frame::ObjectList objects;
  std::string dump = t.Layout(PictureRecord(PictureWithHotspots()), 300, &e, &objects);
  EXPECT_EQ(dump,
            "3 (0,0 40x20) b20 c0..0\n"
            "4 (0,0 10x10) b10 c1..1 h1\n"
            "7 (10,0 10x10) b10 c2..2\n"
            "4 (20,5 10x10) b10 c3..3 h2\n");
  EXPECT_EQ(e.chars, 4);
  EXPECT_EQ(objects[0].firstHotspot, 1);
  EXPECT_EQ(objects[0].endHotspot, 4);
  ASSERT_NE(objects[1].hotspotExtra, nullptr);
  EXPECT_EQ(objects[1].hotspotExtra, objects[3].hotspotExtra);  // one shared block
  EXPECT_EQ(objects[1].hotspotExtra->bytes, (Bytes{1, 2, 3}));
}

TEST(Picture, InlinePictureStandsOnTheBaseline) {
  TestViewer t;
  frame::RecordExtent e;
  frame::ObjectList objects;
  std::string dump = t.Layout(
      TextRecord(adt::ParagraphInfo{}, Commands().Embedded(0x86, PictureRecord(PictureWithHotspots())).End(), "ab|cd|"),
      300, &e, &objects);
  EXPECT_EQ(dump,
            "1 (0,10 14x14) b10 c0..1 f0 'ab'\n"
            "3 (14,0 40x20) b20 c2..2\n"
            "4 (14,0 10x10) b20 c3..3 h1\n"
            "7 (24,0 10x10) b20 c4..4\n"
            "4 (34,5 10x10) b15 c5..5 h2\n"
            "1 (54,10 14x14) b10 c6..7 f0 'cd'\n"
            "57 (68,20 0x0) b0 c8..8\n");
  EXPECT_EQ(e.height, 24);
  EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, nullptr));
}

TEST(Picture, TextFlowsAroundSidePictures) {
  TestViewer t;
  frame::RecordExtent e;
  frame::ObjectList objects;
  StoredBitmap p;
  p.width = 20;
  p.height = 30;
  p.bits = Bytes(20 * 30, 0);
  Bytes picture = PictureRecord(PictureDirectory({StoredBitmapRecord(p)}));
  std::string dump = t.Layout(
      TextRecord(adt::ParagraphInfo{}, Commands().Embedded(0x87, picture).Embedded(0x88, picture).End(),
                 "||aaa bbb ccc ddd eee|"),
      100, &e, &objects);
  EXPECT_EQ(dump,
            "3 (0,0 20x30) b30 c0..0\n"
            "3 (80,0 20x30) b30 c1..1\n"
            "1 (20,0 48x14) b10 c2..9 f0 'aaa bbb '\n"
            "1 (20,14 48x14) b10 c10..17 f0 'ccc ddd '\n"
            "1 (20,28 21x14) b10 c18..20 f0 'eee'\n"  // still beside the pictures, 30 high
            "57 (41,38 0x0) b0 c21..21\n");
  EXPECT_EQ(e.height, 42);
  EXPECT_TRUE(NumberingCoversOnce(objects, e.chars, nullptr));
}

TEST(Picture, NestedInlineRecordsStopAtTheDepthCap) {
  // A picture record embedded ever deeper in tables: layout ends without exhausting the stack.
  Bytes record = PictureRecord(PictureWithHotspots());
  for (int i = 0; i < 50; ++i) record = TableRecord(true, 0, {{144, 0}}, {{0, record}});
  TestViewer t;
  frame::RecordExtent e;
  t.Layout(record, 300, &e);
  EXPECT_EQ(e.chars, 0);
}

}  // namespace
}  // namespace layout_test

namespace layout_test {
namespace {

// The drawing calls of one laid-out record, without the state calls around them.
std::string DrawLog(TestViewer& t, const Bytes& record, int32_t width) {
  medview::Viewer& v = t.viewer();
  frame::LayoutFrame f;
  f.record = record;
  t.Layout(record, width, nullptr, &f.objects);
  medview::MvAcquireDC(&v);
  t.log().clear();
  frame::FrDrawFrame(v, f, 0, 0);
  medview::MvReleaseDC(&v);
  std::string out;
  for (const std::string& line : t.log()) {
    if (line.rfind("line", 0) == 0 || line.rfind("rect", 0) == 0 || line.rfind("polyline", 0) == 0 ||
        line.rfind("fill", 0) == 0) {
      out += line + "\n";
    }
  }
  return out;
}

TEST(Drawing, BordersInEveryStyleAndHotspotFrames) {
  TestViewer t;
  adt::ParagraphInfo info;
  info.hasBorder = 1;
  struct Case {
    int16_t border;
    const char* expected;
  };
  const Case cases[] = {
      {0x01, "rectangle 1,1,59,23 pen=solid/1/000000 brush=null rop2=13\n"},
      {0x01 | (1 << 5), "rectangle 1,1,58,24 pen=solid/2/000000 brush=null rop2=13\n"},
      {0x01 | (2 << 5),
       "rectangle 1,1,57,25 pen=solid/1/000000 brush=null rop2=13\n"
       "rectangle 3,3,55,23 pen=solid/1/000000 brush=null rop2=13\n"},
      {0x01 | (3 << 5),
       "rectangle 1,1,58,24 pen=solid/1/000000 brush=null rop2=13\n"
       "polyline 58,2 58,25 pen=solid/1/000000 rop2=13\n"
       "polyline 2,24 59,24 pen=solid/1/000000 rop2=13\n"},
      {0x02 | 0x04 | (2 << 5),
       "polyline 1,1 57,1 pen=solid/1/000000 rop2=13\n"
       "polyline 1,1 1,18 pen=solid/1/000000 rop2=13\n"
       "polyline 3,3 57,3 pen=solid/1/000000 rop2=13\n"
       "polyline 3,3 3,18 pen=solid/1/000000 rop2=13\n"},
      {0x01 | (6 << 5), ""},  // takes its space but is not drawn
  };
  for (const Case& c : cases) {
    info.border = c.border;
    EXPECT_EQ(DrawLog(t, TextRecord(info, Commands().End(), "x|"), 60), c.expected) << c.border;
  }
  EXPECT_EQ(DrawLog(t, PictureRecord(PictureWithHotspots()), 100),
            "rectangle 0,0,10,10 pen=dot/1/000000 brush=null rop2=13\n"
            "rectangle 20,5,30,15 pen=solid/1/000000 brush=null rop2=13\n");
}

}  // namespace
}  // namespace layout_test
