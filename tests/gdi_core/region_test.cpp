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

}  // namespace
