// Dock-bar insertion: by insert record (rows and columns from either end, new rows), as a first
// row, next to bars that keep a row of their own, at a dropped rectangle, and the drag outline a
// dock bar offers for a row.
#include "tests/toolkit_docking/toolkit_docking_fixture.h"

namespace lumo::test {
namespace {

class InsertionTest : public ToolkitDockingTest {
 protected:
  void SetUp() override {
    ToolkitDockingTest::SetUp();
    const char* titles[] = {"A", "B", "C", "D", "E", "F"};
    for (int i = 0; i < 6; ++i) make(bars[i], UINT(100 + i), titles[i], (kAppBarStyle & ~CBRS_ALIGN_LEFT) | CBRS_ALIGN_TOP);
  }
  SECDockBar* top() const { return sec_dock(AFX_IDW_DOCKBAR_TOP); }

  ActsBar bars[6];
};

TEST_F(InsertionTest, RecordsPickRowsAndColumnsFromEitherEnd) {
  struct Step {
    int bar;
    SECDockBarInsertRecord rec;
    const char* after;
  };
  const Step steps[] = {
      {0, {0, 0, 0}, "A |"},                                   // an empty dock bar: the first row
      {1, {0, 1, 0}, "A B |"},                                 // after one visible bar of row 0
      {2, {0, 0, SECDOCK_NEW_ROW}, "C | A B |"},               // a new row before row 0
      {3, {-1, 0, 0}, "D | C | A B |"},                        // before the first row: a new first row
      {4, {1, 0, SECDOCK_ROWS_FROM_END}, "D | C | A B | E |"},  // after the last row: a new last row
      {5, {-1, 1, SECDOCK_ROWS_FROM_END | SECDOCK_COLS_FROM_END}, "D | C | A F B | E |"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.after);
    top()->AttachBar(&bars[s.bar], s.rec);
    EXPECT_EQ(entries(top()), s.after);
    EXPECT_EQ(bars[s.bar].m_pDockBar, top());
    EXPECT_TRUE(bars[s.bar].IsHorzDocked());
  }
  // A row beyond the last counted from the start is a new last row, too.
  top()->AttachBar(&bars[3], 0, 9);
  EXPECT_EQ(entries(top()), "C | A F B | E | D |");
}

TEST_F(InsertionTest, BarsThatKeepARowOfTheirOwnGetRowEndsAroundThem) {
  top()->AttachBar(&bars[0], 0, 0);
  top()->AttachBar(&bars[1], 1, 0);
  bars[2].ModifyExStyle(0, BAREX_OWN_ROW, FALSE);
  top()->AttachBar(&bars[2], 1, 0);
  EXPECT_EQ(entries(top()), "A | C | B |");
  // A bar put next to one that keeps its own row starts a row of its own as well.
  top()->AttachBar(&bars[3], 1, 1);
  EXPECT_EQ(entries(top()), "A | C | D | B |");
  // InsertFirstRow: no bar gives -1; otherwise a row before the first entry.
  EXPECT_EQ(top()->InsertFirstRow(nullptr), -1);
  EXPECT_EQ(top()->InsertFirstRow(&bars[4]), 1);
  EXPECT_EQ(entries(top()).substr(0, 4), "E | ");
}

TEST_F(InsertionTest, DroppedRectanglesGoBeforeTheFirstRowIntoARowOrAfterTheLast) {
  mdi->DockControlBarAt(&bars[0], AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 120);
  mdi->RecalcLayout();
  pump();
  CRect a;
  bars[0].GetWindowRect(&a);
  // Into A's row, right of A's start.
  CRect drop(a.left + 300, a.top + 10, a.left + 500, a.top + 60);
  mdi->DockControlBar(&bars[1], top(), &drop);
  EXPECT_EQ(entries(top()), "A B |");
  // Above every row: a new first row; below every row: a new last row.
  mdi->RecalcLayout();
  bars[0].GetWindowRect(&a);
  CRect above(a.left, a.top - 80, a.left + 200, a.top - 40);
  mdi->DockControlBar(&bars[2], top(), &above);
  EXPECT_EQ(entries(top()), "C | A B |");
  mdi->RecalcLayout();
  bars[0].GetWindowRect(&a);
  CRect below(a.left, a.bottom + 40, a.left + 200, a.bottom + 80);
  mdi->DockControlBar(&bars[3], top(), &below);
  EXPECT_EQ(entries(top()), "C | A B | D |");
  // Dropped onto its own place, a bar stays where it is.
  mdi->RecalcLayout();
  CRect own;
  bars[1].GetWindowRect(&own);
  mdi->DockControlBar(&bars[1], top(), &own);
  EXPECT_EQ(entries(top()), "C | A B | D |");
}

TEST_F(InsertionTest, TrackRectangleSharesTheRowOrSpansAnEmptyOne) {
  mdi->DockControlBarAt(&bars[0], AFX_IDW_DOCKBAR_TOP, 0, 0, 1.0f, 120);
  mdi->RecalcLayout();
  pump();
  CRect dockRect;
  top()->GetWindowRect(&dockRect);
  CRect a;
  bars[0].GetWindowRect(&a);
  // Over A's row: the dragged bar would take half of it (its share 1 over 1 + 1), as thick as the
  // row's thickest bar, cut around the mouse in proportion.
  CRect given(a.left + 100, a.top, a.left + 500, a.top + 100);
  int lastPos = -1;
  CRect lastRect;
  CPoint lastMouse;
  const CPoint mouse(a.left + 300, a.top + 20);
  CRect outline = top()->CalcTrackRect(&bars[1], given, mouse, lastPos, lastRect, lastMouse);
  EXPECT_EQ(outline.Width(), dockRect.Width() / 2);
  // As thick as the thicker of the row's bar (120) and the dragged one (180).
  EXPECT_EQ(outline.Height(), 180);
  EXPECT_TRUE(outline.PtInRect(mouse));
  EXPECT_EQ(lastPos, 1);
  // The same row again: the remembered outline follows the mouse.
  CRect moved = top()->CalcTrackRect(&bars[1], given, mouse + CSize(7, 0), lastPos, lastRect, lastMouse);
  EXPECT_EQ(moved, outline + CPoint(7, 0));
  // Below every row: a row of its own, the dock bar's whole length.
  CRect low(a.left, a.bottom + 200, a.left + 200, a.bottom + 260);
  lastPos = -1;
  CRect spanning = top()->CalcTrackRect(&bars[1], low, low.CenterPoint(), lastPos, lastRect, lastMouse);
  EXPECT_EQ(spanning.left, dockRect.left);
  EXPECT_EQ(spanning.right, dockRect.right);
}

}  // namespace
}  // namespace lumo::test
