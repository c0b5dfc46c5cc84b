// Header control: columns with widths, texts and formats; dragging a divider and pressing a
// title tell the parent, which may refuse a drag or a change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/header_ctrl.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Records header notices as "code item width" (width -1 without one) and refuses what it is told to.
class HeaderParent : public CWnd {
 public:
  std::vector<std::string> notices;
  UINT refuse = 0;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
    auto* n = reinterpret_cast<NMHEADER*>(lParam);
    int width = n->pitem && (n->pitem->mask & HDI_WIDTH) ? n->pitem->cxy : -1;
    notices.push_back(std::to_string(-int(n->hdr.code)) + " " + std::to_string(n->iItem) + " " + std::to_string(width));
    *pResult = n->hdr.code == refuse;
    return TRUE;
  }
};

class HeaderCtrlTest : public FrameworkTest {
 protected:
  HeaderParent parent;
  CHeaderCtrl header;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Rodzic", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
    ASSERT_TRUE(header.Create(WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 20), &parent, 0));
    for (const char* title : {"LP.", "Tytu\xb3", "Data"}) {
      HDITEM item;
      item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
      item.cxy = 60;
      item.pszText = const_cast<LPSTR>(title);
      item.fmt = HDF_STRING | HDF_LEFT;
      header.InsertItem(header.GetItemCount(), &item);
    }
  }
  int width(int column) const {
    HDITEM item;
    item.mask = HDI_WIDTH;
    header.GetItem(column, &item);
    return item.cxy;
  }
  void drag(int from_x, int to_x) {
    mouse_down(screen_point(header.m_hWnd, POINT{from_x, 10}));
    pump();
    mouse_move(screen_point(header.m_hWnd, POINT{to_x, 10}));
    mouse_up(screen_point(header.m_hWnd, POINT{to_x, 10}));
    pump();
  }
};

TEST_F(HeaderCtrlTest, ItemsKeepTextFormatAndWidth) {
  EXPECT_EQ(header.GetItemCount(), 3);
  char text[4];
  HDITEM item;
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(header.GetItem(1, &item));
  EXPECT_STREQ(text, "Tyt");  // cut to the buffer
  EXPECT_EQ(item.fmt, HDF_STRING | HDF_LEFT);
  CRect r;
  ASSERT_TRUE(header.GetItemRect(2, &r));
  EXPECT_EQ(r, CRect(120, 0, 180, 20));
  EXPECT_FALSE(header.GetItem(3, &item));
  EXPECT_EQ(header.InsertItem(99, &item), 3);  // past the end appends
  EXPECT_TRUE(header.DeleteItem(3));
  EXPECT_FALSE(header.DeleteItem(3));

  // A change the parent refuses leaves the item as it was.
  HDITEM wider;
  wider.mask = HDI_WIDTH;
  wider.cxy = 90;
  parent.refuse = HDN_ITEMCHANGING;
  EXPECT_FALSE(header.SetItem(0, &wider));
  EXPECT_EQ(width(0), 60);
  parent.refuse = 0;
  EXPECT_TRUE(header.SetItem(0, &wider));
  EXPECT_EQ(width(0), 90);
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"300 0 90", "300 0 90", "301 0 90"}));
}

TEST_F(HeaderCtrlTest, DraggingADividerTracksAndChangesTheWidth) {
  drag(61, 100);  // the divider after the first column, to 100
  EXPECT_EQ(width(0), 100);
  EXPECT_EQ(parent.notices,
            (std::vector<std::string>{"306 0 61", "308 0 100", "300 0 100", "301 0 100", "307 0 100"}));
  EXPECT_EQ(GetCapture(), nullptr);

  // Dragging left of the column's start gives it no width, never a negative one.
  parent.notices.clear();
  drag(160, 20);
  EXPECT_EQ(width(1), 0);

  // A refused start leaves the widths alone and sends nothing more.
  parent.notices.clear();
  parent.refuse = HDN_BEGINTRACK;
  drag(159, 250);  // the third column now starts at 100
  EXPECT_EQ(width(2), 60);
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"306 2 59"}));
}

TEST_F(HeaderCtrlTest, PressAndReleaseOnOneTitleIsAClick) {
  click(header.m_hWnd, POINT{90, 10});
  pump();
  EXPECT_EQ(parent.notices, (std::vector<std::string>{"302 1 -1"}));
  // Released over another title: no click.
  parent.notices.clear();
  drag(90, 150);
  EXPECT_TRUE(parent.notices.empty());
}

}  // namespace
}  // namespace lumo::test
