// Owner-drawn list boxes: row heights asked of the parent (once, or per row), each visible row drawn
// by the parent with its state and data, and clicks finding rows of varying height.
#include <vector>

#include "platform/controls/standard_controls.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Answers row heights (20 + 10 per row number) and records what it was asked to draw.
class DrawingParent : public CWnd {
 public:
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  afx_msg void OnMeasureItem(int, LPMEASUREITEMSTRUCT m) {
    m->itemHeight = 20 + 10 * m->itemID;
    measured.push_back(*m);
  }
  afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT d) { drawn.push_back(*d); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DrawingParent, CWnd)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class OwnerDrawListBoxTest : public FrameworkTest {
 protected:
  DrawingParent parent;
  CListBox list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
};

TEST_F(OwnerDrawListBoxTest, VariableRowsAreMeasuredDrawnAndHit) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWVARIABLE, CRect(0, 0, 100, 60), &parent, 30));
  // Without strings the added value is the row's data.
  for (UINT_PTR value : {UINT_PTR(100), UINT_PTR(101), UINT_PTR(102)}) list.AddString(reinterpret_cast<LPCTSTR>(value));
  ASSERT_EQ(parent.measured.size(), 3u);
  EXPECT_EQ(parent.measured[2].CtlType, ODT_LISTBOX);
  EXPECT_EQ(parent.measured[2].itemData, 102u);
  EXPECT_EQ(list.GetItemData(1), 101u);
  EXPECT_EQ(list.GetItemHeight(1), 30);  // rows 20, 30, 40 high: tops 0, 20, 50

  list.SetCurSel(1);
  list.UpdateWindow();
  // The third row starts at 50, inside the 60-high box; all three are drawn.
  ASSERT_EQ(parent.drawn.size(), 3u);
  const DRAWITEMSTRUCT& second = parent.drawn[1];
  EXPECT_EQ(second.itemID, 1u);
  EXPECT_EQ(second.itemAction, ODA_DRAWENTIRE);
  EXPECT_TRUE(second.itemState & ODS_SELECTED);
  EXPECT_FALSE(parent.drawn[0].itemState & ODS_SELECTED);
  EXPECT_EQ(second.itemData, 101u);
  EXPECT_EQ(CRect(second.rcItem), CRect(0, 20, 100, 50));
  EXPECT_EQ(second.hwndItem, list.m_hWnd);

  struct Case {
    int y;
    int row;
  };
  for (Case c : {Case{5, 0}, Case{49, 1}, Case{55, 2}, Case{21, 1}}) {
    click(list.m_hWnd, POINT{5, c.y});
    pump();
    EXPECT_EQ(list.GetCurSel(), c.row) << "y " << c.y;
  }
  parent.drawn.clear();
  list.Invalidate();
  list.UpdateWindow();
  ASSERT_FALSE(parent.drawn.empty());
  EXPECT_TRUE(parent.drawn[1].itemState & ODS_FOCUS);  // the clicked row has the focus

  // A row's height changes alone; bad heights and rows are refused.
  EXPECT_EQ(list.SetItemHeight(0, 12), 0);
  EXPECT_EQ(list.GetItemHeight(0), 12);
  EXPECT_EQ(list.GetItemHeight(2), 40);
  EXPECT_EQ(list.SetItemHeight(7, 12), LB_ERR);
  EXPECT_EQ(list.SetItemHeight(0, 0), LB_ERR);
  EXPECT_EQ(list.GetItemHeight(7), LB_ERR);
  click(list.m_hWnd, POINT{5, 13});
  pump();
  EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(OwnerDrawListBoxTest, FixedRowsAreMeasuredOnceAndKeepTheirTexts) {
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 100, 50), &parent, 31));
  ASSERT_EQ(parent.measured.size(), 1u);  // asked once, for every row
  for (const char* text : {"pierwszy", "drugi", "trzeci", "czwarty"}) list.AddString(text);
  EXPECT_EQ(parent.measured.size(), 1u);
  EXPECT_EQ(list.GetItemHeight(0), 20);
  CString text;
  list.GetText(3, text);
  EXPECT_EQ(text.str(), "czwarty");

  list.UpdateWindow();
  // Rows at 0, 20 and 40 show in the 50-high box; the fourth does not.
  ASSERT_EQ(parent.drawn.size(), 3u);
  EXPECT_EQ(CRect(parent.drawn[2].rcItem), CRect(0, 40, 100, 60));

  EXPECT_EQ(list.SetItemHeight(0, 25), 0);
  EXPECT_EQ(list.GetItemHeight(3), 25);
  click(list.m_hWnd, POINT{5, 30});
  pump();
  EXPECT_EQ(list.GetCurSel(), 1);
  list.ResetContent();
  EXPECT_EQ(list.GetItemHeight(0), 25);  // emptying keeps the row height
}

}  // namespace
}  // namespace lumo::test
