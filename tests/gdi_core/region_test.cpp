#include "platform/gdi/core/region.h"

#include <gtest/gtest.h>

#include "platform/gdi/core/object_api.h"

namespace {

long long area(const gdi::Region& r) {
  long long a = 0;
  for (const RECT& x : r.rects()) a += (long long)(x.right - x.left) * (x.bottom - x.top);
  return a;
}

TEST(Region, SetOperationsKeepRectanglesDisjoint) {
  gdi::Region a(RECT{0, 0, 10, 10}), b(RECT{5, 5, 15, 15});
  gdi::Region u = a;
  u.unite(b);
  EXPECT_EQ(area(u), 175);
  EXPECT_EQ(u.kind(), COMPLEXREGION);
  EXPECT_TRUE(u.contains({14, 14}));
  EXPECT_FALSE(u.contains({14, 2}));

  gdi::Region i = a;
  i.intersect(b);
  EXPECT_EQ(area(i), 25);
  EXPECT_EQ(i.kind(), SIMPLEREGION);

  gdi::Region x = a;
  x.exclusive_or(b);
  EXPECT_EQ(area(x), 150);
  EXPECT_FALSE(x.contains({7, 7}));

  gdi::Region d = a;
  d.subtract(b);
  EXPECT_EQ(area(d), 75);
  EXPECT_EQ(d.bounds().right, 10);
}

TEST(Region, PiecesCoveringTheirBoundsAreSimple) {
  gdi::Region r(RECT{0, 0, 10, 5});
  r.unite(gdi::Region(RECT{0, 5, 10, 10}));
  EXPECT_EQ(r.kind(), SIMPLEREGION);
  EXPECT_TRUE(r == gdi::Region(RECT{0, 0, 10, 10}));
  r.subtract(RECT{0, 0, 10, 10});
  EXPECT_EQ(r.kind(), NULLREGION);
}

TEST(RegionHandles, CombineOffsetAndQuery) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(20, 0, 30, 10), c = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(c, a, b, RGN_OR), COMPLEXREGION);
  RECT box{};
  EXPECT_EQ(GetRgnBox(c, &box), COMPLEXREGION);
  EXPECT_EQ(box.right, 30);
  EXPECT_EQ(OffsetRgn(c, 5, 0), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(c, 34, 5));
  EXPECT_FALSE(PtInRegion(c, 20, 5));
  EXPECT_EQ(CombineRgn(c, a, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(a, c));
  EXPECT_EQ(CombineRgn(c, a, b, 77), ERROR);
  for (HRGN r : {a, b, c}) EXPECT_TRUE(DeleteObject(r));
  EXPECT_EQ(GetRgnBox(a, &box), ERROR);
}


TEST(PolygonRegion, FillModesDecideOverlaps) {
  // Two overlapping squares drawn the same way round: the overlap is inside by winding only.
  POINT points[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {3, 3}, {9, 3}, {9, 9}, {3, 9}};
  INT counts[] = {4, 4};
  struct Case {
    int mode;
    bool overlap_inside;
  } cases[] = {{ALTERNATE, false}, {WINDING, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    HRGN rgn = CreatePolyPolygonRgn(points, counts, 2, c.mode);
    ASSERT_NE(rgn, nullptr);
    EXPECT_EQ(PtInRegion(rgn, 4, 4), c.overlap_inside);
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_TRUE(PtInRegion(rgn, 8, 8));
    EXPECT_FALSE(PtInRegion(rgn, 8, 1));
    EXPECT_FALSE(PtInRegion(rgn, 9, 9));  // right and bottom edges are outside
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 9);
    EXPECT_EQ(box.bottom, 9);
    DeleteObject(rgn);
  }
}

TEST(PolygonRegion, TrapezoidTabHitTest) {
  // A tab wide at the top and narrow at the bottom, as tabs are hit-tested.
  POINT tab[] = {{0, 0}, {6, 20}, {54, 20}, {60, 0}};
  HRGN rgn = CreatePolygonRgn(tab, 4, ALTERNATE);
  ASSERT_NE(rgn, nullptr);
  struct Case {
    POINT p;
    bool inside;
  } cases[] = {{{0, 0}, true},   {{59, 0}, true},  {{60, 0}, false}, {{1, 19}, false},
               {{6, 19}, true},  {{53, 19}, true}, {{54, 19}, false}, {{30, 20}, false},
               {{30, 10}, true}, {{2, 10}, false}, {{4, 10}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
    EXPECT_EQ(PtInRegion(rgn, c.p.x, c.p.y), c.inside);
  }
  RECT row{1, 10, 3, 11};
  EXPECT_FALSE(RectInRegion(rgn, &row));
  DeleteObject(rgn);
}

TEST(PolygonRegion, BadInputGivesNoRegionOrAnEmptyOne) {
  POINT two[] = {{0, 0}, {5, 5}};
  POINT flat[] = {{0, 0}, {5, 0}, {9, 0}};
  POINT tall[] = {{0, -2000000000}, {5, 2000000000}, {0, 2000000000}};
  EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(flat, 1, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(flat, 3, 7), nullptr);
  for (const POINT* shape : {two, flat, tall}) {
    HRGN rgn = CreatePolygonRgn(shape, shape == two ? 2 : 3, WINDING);
    ASSERT_NE(rgn, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
    DeleteObject(rgn);
  }
}

TEST(PolygonRegion, FrameIsTheBorderInside) {
  gdi::Region square(RECT{0, 0, 10, 8});
  gdi::Region frame = square.frame(2, 1);
  EXPECT_EQ(area(frame), 10 * 8 - 6 * 6);
  EXPECT_TRUE(frame.contains({1, 4}));
  EXPECT_FALSE(frame.contains({2, 4}));
  EXPECT_TRUE(frame.contains({5, 0}));
  EXPECT_FALSE(frame.contains({5, 1}));
  EXPECT_TRUE(frame.contains({8, 7}));
  // A region thinner than the frame is all frame.
  EXPECT_EQ(area(gdi::Region(RECT{0, 0, 3, 9}).frame(2, 2)), 27);
  // A frame far wider than the region takes no longer than one as wide.
  EXPECT_EQ(area(square.frame(2000000000, 2000000000)), 80);
}

}  // namespace
