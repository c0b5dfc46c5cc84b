// Row rectangles of list boxes: where a row lies is where a click selects it; sorted list boxes
// and the colours a parent gives the rows.
#include "platform/controls/standard_controls.h"

#include "platform/base/cp1250.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

class ListBoxRectTest : public FrameworkTest {};

// Paints its list box's rows on a grey brush in dark red.
class GreyParent : public CWnd {
 public:
  CBrush grey{RGB(0xC0, 0xC0, 0xC0)};
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CTLCOLORLISTBOX) {
      ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0x80, 0, 0));
      return reinterpret_cast<LRESULT>(grey.GetSafeHandle());
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

TEST_F(ListBoxRectTest, RowsLieOneUnderAnotherAcrossTheBox) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 160, 150), &parent, 1077));
  for (const char* s : {"Akty", "Indeksy", "Segregatory"}) list.AddString(s);
  CRect first, second, client;
  ASSERT_EQ(list.GetItemRect(0, &first), 0);
  ASSERT_EQ(list.GetItemRect(1, &second), 0);
  list.GetClientRect(&client);
  EXPECT_EQ(first.top, 0);
  EXPECT_EQ(second.top, first.bottom);
  EXPECT_EQ(second.Height(), list.GetItemHeight(1));
  EXPECT_EQ(second.left, client.left);
  EXPECT_EQ(second.right, client.right);
  EXPECT_EQ(list.GetItemRect(3, &second), LB_ERR);
  EXPECT_EQ(list.GetItemRect(-1, &second), LB_ERR);

  pump();
  click(list.m_hWnd, POINT{20, (first.bottom + first.bottom + first.Height()) / 2});
  pump();
  EXPECT_EQ(list.GetCurSel(), 1);
}

// LBS_SORT: added rows take their place in Polish alphabetical order, case aside; inserted rows
// stay where they are put. The parent's brush and text colour paint the rows.
TEST_F(ListBoxRectTest, SortedRowsAndTheParentsColours) {
  GreyParent parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Lista", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS, CRect(10, 10, 160, 150), &parent, 1113));
  for (const char* s : {"żaglówki", "Łódź", "akty", "łąki", "Akty", "zboże"}) {
    list.AddString(CString(base::cp1250::from_utf8(s)));
  }
  list.InsertString(0, CString(base::cp1250::from_utf8("na początku")));
  std::string rows;
  for (int i = 0; i < list.GetCount(); ++i) {
    CString text;
    list.GetText(i, text);
    rows += base::cp1250::to_utf8(std::string_view(text)) + "|";
  }
  EXPECT_EQ(rows, "na początku|akty|Akty|łąki|Łódź|zboże|żaglówki|");
  pump();
  EXPECT_EQ(surface_pixel(list.m_hWnd, 140, 130), DWORD(RGB(0xC0, 0xC0, 0xC0)));
  int red = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x) {
      const DWORD p = surface_pixel(list.m_hWnd, x, y);  // 0x00BBGGRR; the glyphs' edges are blended
      red += (p & 0xFF) > ((p >> 8) & 0xFF) + 0x20 && (p & 0xFF) > ((p >> 16) & 0xFF) + 0x20 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 40);
}

}  // namespace
}  // namespace lumo::test
