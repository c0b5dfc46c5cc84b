// Layout shapes: the stored edges built from an outline, the edge over a line, and paragraphs whose
// lines keep inside the shape. Text metrics are the recording device's (font 0: lines of 14 pixels,
// most characters 7 pixels wide, a space 3).
#include <gtest/gtest.h>

#include "engine/frame/layout_shape.h"
#include "engine/frame/topic_layout.h"
#include "engine/medview/viewer_shape.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

using frame::ShapePoint;

std::vector<ShapePoint> Edge(std::span<const ShapePoint> chain) { return {chain.begin(), chain.end()}; }

frame::ShapeOutline Outline(std::vector<ShapePoint> points) {
  frame::ShapeOutline outline;
  outline.points = std::move(points);
  int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  for (const ShapePoint& p : outline.points) {
    left = std::min(left, p.x), top = std::min(top, p.y);
    right = std::max(right, p.x), bottom = std::max(bottom, p.y);
  }
  outline.bounds = RECT{left, top, right, bottom};
  return outline;
}

struct ChainCase {
  const char* name;
  std::vector<ShapePoint> points;
  std::vector<ShapePoint> left;
  std::vector<ShapePoint> right;
};

TEST(LayoutShape, EdgesRunFromTheTopmostToTheBottommostPoint) {
  const ChainCase cases[] = {
      {"rectangle clockwise", {{10, 5}, {90, 5}, {90, 50}, {10, 50}}, {{10, 5}, {10, 50}}, {{90, 5}, {90, 50}}},
      {"rectangle anticlockwise", {{10, 5}, {10, 50}, {90, 50}, {90, 5}}, {{10, 5}, {10, 50}}, {{90, 5}, {90, 50}}},
      {"triangle on its apex", {{50, 0}, {100, 100}, {0, 100}}, {{50, 0}, {0, 100}}, {{50, 0}, {100, 100}}},
      {"start anywhere", {{100, 100}, {0, 100}, {50, 0}}, {{50, 0}, {0, 100}}, {{50, 0}, {100, 100}}},
      // A notch cut into the left side is followed; the chain never goes up.
      {"notch", {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {50, 50}}, {{0, 0}, {50, 50}, {0, 100}},
       {{100, 0}, {100, 100}}},
      // The right side climbs back up between the arms of a U: cut at the level reached and resumed
      // where the outline comes down across it (on the outer arm, x 100).
      {"u shape",
       {{0, 0}, {30, 0}, {30, 60}, {70, 60}, {70, 0}, {100, 0}, {100, 100}, {0, 100}},
       {{0, 0}, {0, 100}},
       {{30, 0}, {100, 60}, {100, 100}}},
      // The climb is cut by interpolation on a slanted segment: from (80,10) to (40,90) the outline
      // crosses y 30 at x 70, which lies outside (60,30) and stands for the level.
      {"slanted return",
       {{0, 0}, {60, 30}, {80, 10}, {40, 90}, {0, 90}},
       {{0, 0}, {0, 90}},
       {{0, 0}, {70, 30}, {40, 90}}},
  };
  for (const ChainCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<frame::LayoutShape> shape = frame::FrBuildLayoutShape(Outline(c.points));
    ASSERT_TRUE(shape);
    EXPECT_EQ(Edge(shape->left_edge()), c.left);
    EXPECT_EQ(Edge(shape->right_edge()), c.right);
    EXPECT_EQ(shape->count, c.points.size());
    for (auto chain : {shape->left_edge(), shape->right_edge()}) {
      for (size_t i = 1; i < chain.size(); ++i) EXPECT_LT(chain[i - 1].y, chain[i].y);
    }
  }
}

TEST(LayoutShape, EdgeOverALineTakesTheNarrowerEnd) {
  std::optional<frame::LayoutShape> shape = frame::FrBuildLayoutShape(Outline({{50, 0}, {100, 100}, {0, 100}}));
  ASSERT_TRUE(shape);
  using frame::FrShapeEdge;
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 50, 1), 25);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeRight, 50, 0), 75);
  // From y 20 to 29 the left edge runs from 40 to 35.5: the larger, 40; the right the smaller, 60.
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 20, 10), 40);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeRight, 20, 10), 60);
  // The step along the edge rounds half away from zero: at y 1 the left edge is 50 - 0.5, so 49.
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 1, 1), 49);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 100, 1), 0);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 95, 6), 2);  // at 95 the larger: 50 - 47.5
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, 95, 7), frame::kShapeBelow);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeRight, 101, 1), frame::kShapeBelow);
  EXPECT_EQ(FrShapeEdge(*shape, frame::kShapeLeft, -20, 1), 50);  // above the shape: its top
}

TEST(LayoutShape, SettingCheckedAndRemoved) {
  TestViewer t;
  medview::Viewer& v = t.viewer();
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(medview::MvShapeEdge(&v, frame::kShapeLeft, 0, 1), frame::kShapeNone);
  frame::ShapeOutline square = Outline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, &square, &error));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(medview::MvShapeEdge(&v, frame::kShapeRight, 5, 1), 10);
  frame::ShapeOutline line = Outline({{0, 0}, {10, 10}});
  EXPECT_FALSE(medview::MvSetLayoutShape(&v, &line, &error));
  EXPECT_EQ(error, medview::kViewBadShape);
  EXPECT_EQ(medview::MvShapeEdge(&v, frame::kShapeLeft, 0, 1), frame::kShapeNone);  // the old one is gone
  frame::ShapeOutline huge;
  for (int i = 0; i < 0x8000; ++i) huge.points.push_back({i % 2 ? i : 0, i});
  EXPECT_FALSE(medview::MvSetLayoutShape(&v, &huge, &error));
  EXPECT_EQ(error, medview::kViewBadShape);
  huge.points.pop_back();
  EXPECT_TRUE(medview::MvSetLayoutShape(&v, &huge, &error));
  EXPECT_TRUE(medview::MvSetLayoutShape(&v, nullptr, &error));
  EXPECT_EQ(medview::MvShapeEdge(&v, frame::kShapeLeft, 0, 1), frame::kShapeNone);
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, &square, &error));
  frame::MvResetView(&v);
  EXPECT_FALSE(v.layoutShape);
}

TEST(LayoutShape, ScaledToAPrinter) {
  std::optional<frame::LayoutShape> shape = frame::FrBuildLayoutShape(Outline({{48, 0}, {96, 96}, {0, 96}}));
  ASSERT_TRUE(shape);
  frame::LayoutShape scaled = frame::FrScaleLayoutShape(*shape, 600, 300);
  EXPECT_EQ(Edge(scaled.left_edge()), (std::vector<ShapePoint>{{300, 0}, {0, 300}}));
  EXPECT_EQ(scaled.bounds.right, 600);
  EXPECT_EQ(scaled.bounds.bottom, 300);
}

std::vector<Bytes> Words(int paragraphs) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "ab ";
  std::vector<Bytes> records;
  for (int i = 0; i < paragraphs; ++i) records.push_back(TextRecord(adt::ParagraphInfo{}, Commands().End(), text + "|"));
  return records;
}

// Every text line of the frames from `first` to `last` stays between the shape's edges over it.
void ExpectInside(const medview::Viewer& v, size_t first = 0, size_t last = SIZE_MAX) {
  for (size_t i = first; i < v.frames.size() && i <= last; ++i) {
    const frame::LayoutFrame& f = v.frames[i];
    for (const frame::LayoutObject& o : f.objects) {
      if (o.kind != frame::kObjText || o.length == 0) continue;
      int32_t y = v.layoutRect.top + f.y + o.y;
      if (y > v.layoutShape->bounds.bottom) continue;
      int32_t left = medview::MvShapeEdge(const_cast<medview::Viewer*>(&v), frame::kShapeLeft, y, 14);
      int32_t right = medview::MvShapeEdge(const_cast<medview::Viewer*>(&v), frame::kShapeRight, y, 14);
      if (left < 0) continue;
      EXPECT_GE(o.x, left) << "line at " << y;
      EXPECT_LE(o.right(), right + 3) << "line at " << y;  // a trailing space may reach past
    }
  }
}

TEST(LayoutShape, LinesFollowTheShapeAndStartAtItsTop) {
  auto source = std::make_shared<MemoryRecordSource>(Words(3), 0);
  TestViewer t;
  medview::Viewer& v = t.viewer();
  frame::MvSetRecordSource(&v, source);
  // A funnel from 20 pixels down: wide at its top, 40 pixels wide at its bottom.
  frame::ShapeOutline funnel = Outline({{10, 20}, {190, 20}, {120, 300}, {80, 300}});
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, &funnel, nullptr));
  const RECT window{0, 0, 200, 400};
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, nullptr));
  const frame::LayoutFrame& first = v.frames.front();
  ASSERT_FALSE(first.objects.empty());
  EXPECT_EQ(first.objects.front().y, 20);  // the paragraph starts at the shape's top
  EXPECT_EQ(first.objects.front().x, 13);  // the left edge at the line's foot, 13 pixels down
  ExpectInside(v);
  // The lines narrow: the second paragraph's first line starts further in than the first's.
  ASSERT_GE(v.frames.size(), 2u);
  EXPECT_GT(v.frames[1].objects.front().x, first.objects.front().x + 10);
  // Without the shape the same topic fills the window's width.
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, nullptr, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, nullptr));
  EXPECT_EQ(v.frames.front().objects.front().x, 0);
  EXPECT_EQ(v.frames.front().objects.front().y, 0);
}

TEST(LayoutShape, FramesLaidOutAboveTheBandFollowTheShapeToo) {
  auto source = std::make_shared<MemoryRecordSource>(Words(12), 0);
  TestViewer t;
  medview::Viewer& v = t.viewer();
  frame::MvSetRecordSource(&v, source);
  frame::ShapeOutline slant = Outline({{0, 0}, {200, 0}, {200, 1000}, {100, 1000}});
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, &slant, nullptr));
  const RECT window{0, 0, 200, 150};
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(3), 1, 0, nullptr));
  ASSERT_TRUE(frame::MvLayoutTopic(&v, &window, nullptr));
  ExpectInside(v);
  // Scrolling up lays the record before out above the band: it ends where the band begins and
  // its lines follow the shape where it stands, not where a frame at the top would.
  ASSERT_EQ(medview::MvAcquireDC(&v), 0);
  EXPECT_EQ(frame::FrScrollBand(v, 40, true, nullptr), 40);
  medview::MvReleaseDC(&v);
  ASSERT_EQ(v.frames[1].position, MemoryRecordSource::PositionOf(3));
  EXPECT_EQ(v.frames[0].position, MemoryRecordSource::PositionOf(2));
  EXPECT_EQ(v.frames[0].y + v.frames[0].height, 40);
  EXPECT_LT(v.frames[0].y, 0);
  ExpectInside(v, 0, 0);
  EXPECT_EQ(v.frames[0].objects.front().x, medview::MvShapeEdge(&v, frame::kShapeLeft, v.frames[0].y, 14));
}

TEST(LayoutShape, WindowAreaReachesDownToTheShapesBottom) {
  auto source = std::make_shared<MemoryRecordSource>(Words(8), 0);
  TestViewer t;
  medview::Viewer& v = t.viewer();
  frame::MvSetRecordSource(&v, source);
  medview::MvSetWindowServices(nullptr, nullptr, [](HWND, RECT* rect) {
    *rect = RECT{0, 0, 200, 100};
    return true;
  });
  frame::ShapeOutline tall = Outline({{0, 0}, {200, 0}, {200, 300}, {0, 300}});
  ASSERT_TRUE(medview::MvSetLayoutShape(&v, &tall, nullptr));
  ASSERT_TRUE(frame::MvSetTopic(&v, MemoryRecordSource::PositionOf(0), 1, 0, nullptr));
  medview::TitleErrorCode error = 0;
  EXPECT_TRUE(frame::MvLayoutTopic(&v, nullptr, &error));
  EXPECT_EQ(v.layoutRect.bottom, 300);
  medview::MvSetWindowServices(nullptr, nullptr, nullptr);
}

}  // namespace
}  // namespace layout_test
