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

TEST(EllipticRegion, HoldsThePixelsWhoseCentresLieInTheInscribedEllipse) {
  // A circle of 27 pixels across, as small round pop-ups are shaped.
  HRGN rgn = CreateEllipticRgn(2, 2, 29, 29);
  ASSERT_NE(rgn, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(rgn, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 29);
  EXPECT_EQ(box.bottom, 29);
  struct Case {
    POINT p;
    bool inside;
  } cases[] = {{{15, 15}, true},  {{2, 15}, true},   {{28, 15}, true}, {{15, 2}, true},  {{15, 28}, true},
               {{1, 15}, false},  {{29, 15}, false}, {{15, 1}, false}, {{15, 29}, false}, {{2, 2}, false},
               {{28, 28}, false}, {{2, 28}, false},  {{28, 2}, false}, {{5, 5}, false},  {{6, 6}, true},
               {{12, 2}, true},   {{11, 2}, false},  {{18, 2}, true},  {{19, 2}, false}, {{25, 25}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
    EXPECT_EQ(PtInRegion(rgn, c.p.x, c.p.y), c.inside);
  }
  // Round: the same seen across either axis or the diagonal.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const BOOL in = PtInRegion(rgn, x, y);
      EXPECT_EQ(PtInRegion(rgn, 30 - x, y), in);
      EXPECT_EQ(PtInRegion(rgn, x, 30 - y), in);
      EXPECT_EQ(PtInRegion(rgn, y, x), in);
    }
  }
  // The corners given the other way round make the same region.
  HRGN swapped = CreateEllipticRgn(29, 29, 2, 2);
  EXPECT_TRUE(EqualRgn(rgn, swapped));
  DeleteObject(swapped);
  DeleteObject(rgn);
}

TEST(EllipticRegion, ThinAndEmptyBoxes) {
  struct Case {
    RECT r;
    int kind;
    RECT box;
  } cases[] = {
      {{3, 4, 4, 5}, SIMPLEREGION, {3, 4, 4, 5}},     // one pixel
      {{0, 0, 10, 1}, SIMPLEREGION, {0, 0, 10, 1}},   // one row: its whole width
      {{0, 0, 1, 7}, SIMPLEREGION, {0, 0, 1, 7}},     // one column
      {{5, 5, 5, 9}, NULLREGION, {0, 0, 0, 0}},       // no width
      {{0, -2000000000, 5, 2000000000}, NULLREGION, {0, 0, 0, 0}},  // too many rows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom);
    HRGN rgn = CreateEllipticRgn(c.r.left, c.r.top, c.r.right, c.r.bottom);
    ASSERT_NE(rgn, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), c.kind);
    EXPECT_EQ(box.left, c.box.left);
    EXPECT_EQ(box.top, c.box.top);
    EXPECT_EQ(box.right, c.box.right);
    EXPECT_EQ(box.bottom, c.box.bottom);
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
