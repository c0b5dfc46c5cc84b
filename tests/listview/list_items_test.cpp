// List-view items as records: each LVITEM field set and read back, sub-items, texts and images
// the parent supplies, columns over the header, rectangles, hit tests and searches.
#include <cstring>

#include "platform/controls/header_ctrl.h"
#include "tests/listview/list_parent.h"

namespace lumo::test {
namespace {

constexpr int kRow = controls::kListRowHeight;
constexpr int kTop = controls::kListHeaderHeight;
int row_middle(int i) { return kTop + i * kRow + kRow / 2; }

class ListItemsTest : public ListViewTest {
 protected:
  // Three columns of 120, 60 and 60 pixels; `rows` items "Ustawa 0", "Ustawa 1", ...
  void make(DWORD style, int rows) {
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 300, 200), &parent, 70));
    list.InsertColumn(0, cp("Tytuł"), LVCFMT_LEFT, 120);
    list.InsertColumn(1, "Rok", LVCFMT_RIGHT, 60);
    list.InsertColumn(2, "Poz", LVCFMT_LEFT, 60);
    for (int i = 0; i < rows; ++i) list.InsertItem(i, ("Ustawa " + std::to_string(i)).c_str());
  }
};

TEST_F(ListItemsTest, FieldsAreSetAndReadBackAsTheMaskSays) {
  struct Case {
    const char* what;
    UINT mask;
    int item, sub_item;
    const char* text;  // null: none given
    int image;
    UINT state, state_mask;
    LPARAM param;
    int indent;
    BOOL set_ok;
    const char* text_read;  // what LVIF_TEXT reads back
    int image_read;
    UINT state_read;
    LPARAM param_read;
    int indent_read;
  };
  const Case cases[] = {
      {"label", LVIF_TEXT, 1, 0, "Rozporzadzenie", 0, 0, 0, 0, 0, TRUE, "Rozporzadzenie", 0, 0, 0, 0},
      {"sub-item", LVIF_TEXT, 1, 2, "poz. 7", 0, 0, 0, 0, 0, TRUE, "poz. 7", 0, 0, 0, 0},
      {"image", LVIF_IMAGE, 1, 0, nullptr, 0, 0, 0, 0, 0, TRUE, "Ustawa 1", 0, 0, 0, 0},
      {"image 3", LVIF_IMAGE, 1, 0, nullptr, 3, 0, 0, 0, 0, TRUE, "Ustawa 1", 3, 0, 0, 0},
      {"item data", LVIF_PARAM, 1, 0, nullptr, 0, 0, 0, 4711, 0, TRUE, "Ustawa 1", 0, 0, 4711, 0},
      {"indent", LVIF_INDENT, 1, 0, nullptr, 0, 0, 0, 0, 2, TRUE, "Ustawa 1", 0, 0, 0, 2},
      {"state within its mask", LVIF_STATE, 1, 0, nullptr, 0, LVIS_CUT | LVIS_SELECTED, LVIS_CUT, 0, 0, TRUE,
       "Ustawa 1", 0, LVIS_CUT, 0, 0},
      {"every field at once", LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT, 0, 0, "Obwieszczenie", 5,
       INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED, LVIS_STATEIMAGEMASK | LVIS_SELECTED, 9, 1, TRUE, "Obwieszczenie", 5,
       INDEXTOSTATEIMAGEMASK(2) | LVIS_SELECTED, 9, 1},
      {"text from the parent", LVIF_TEXT, 1, 0, LPSTR_TEXTCALLBACK, 0, 0, 0, 0, 0, TRUE, "r1c0", 0, 0, 0, 0},
      {"sub-item text from the parent", LVIF_TEXT, 0, 1, LPSTR_TEXTCALLBACK, 0, 0, 0, 0, 0, TRUE, "r0c1", 0, 0, 0, 0},
      {"image from the parent", LVIF_IMAGE, 1, 0, nullptr, I_IMAGECALLBACK, 0, 0, 0, 0, TRUE, "Ustawa 1", 7, 0, 0, 0},
      {"sub-items carry no image", LVIF_IMAGE, 1, 1, nullptr, 4, 0, 0, 0, 0, FALSE, "", 0, 0, 0, 0},
      {"no such item", LVIF_TEXT, 2, 0, "x", 0, 0, 0, 0, 0, FALSE, "", 0, 0, 0, 0},
      {"no negative sub-item", LVIF_TEXT, 0, -1, "x", 0, 0, 0, 0, 0, FALSE, "", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    make(0, 2);
    LVITEM set;
    set.mask = c.mask;
    set.iItem = c.item;
    set.iSubItem = c.sub_item;
    set.pszText = const_cast<LPSTR>(c.text);
    set.iImage = c.image;
    set.state = c.state;
    set.stateMask = c.state_mask;
    set.lParam = c.param;
    set.iIndent = c.indent;
    EXPECT_EQ(list.SetItem(&set), c.set_ok);
    if (c.set_ok) {
      char text[64] = "?";
      LVITEM get;
      get.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
      get.iItem = c.item;
      get.iSubItem = c.sub_item;
      get.stateMask = ~0u;
      get.pszText = text;
      get.cchTextMax = int(sizeof text);
      ASSERT_TRUE(list.GetItem(&get));
      EXPECT_STREQ(text, c.text_read);
      if (c.sub_item == 0) {
        EXPECT_EQ(get.iImage, c.image_read);
        EXPECT_EQ(get.state, c.state_read);
        EXPECT_EQ(get.lParam, c.param_read);
        EXPECT_EQ(get.iIndent, c.indent_read);
      }
    }
    list.DestroyWindow();
  }
}

TEST_F(ListItemsTest, TextsAreCutToTheBufferAndWrappersAgree) {
  make(0, 2);
  char small[4];
  EXPECT_EQ(list.GetItemText(0, 0, small, int(sizeof small)), 3);
  EXPECT_STREQ(small, "Ust");
  EXPECT_TRUE(list.SetItemText(0, 1, "1997"));
  EXPECT_EQ(list.GetItemText(0, 1).str(), "1997");
  EXPECT_EQ(list.GetItemText(0, 9).str(), "");  // a sub-item never set
  EXPECT_FALSE(list.SetItemText(5, 0, "nie"));
  EXPECT_TRUE(list.SetItemData(1, 33));
  EXPECT_EQ(list.GetItemData(1), 33u);
  EXPECT_EQ(list.GetItemData(8), 0u);
  EXPECT_TRUE(list.SetItem(1, 0, LVIF_TEXT | LVIF_PARAM, "Dekret", 0, 0, 0, 44));
  EXPECT_EQ(list.GetItemText(1, 0).str(), "Dekret");
  EXPECT_EQ(list.GetItemData(1), 44u);
  // Inserting with a record: its place, label, data and image.
  EXPECT_EQ(list.InsertItem(LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE, 1, "Uchwala", 0, 0, 2, 55), 1);
  EXPECT_EQ(list.GetItemText(1, 0).str(), "Uchwala");
  EXPECT_EQ(list.GetItemData(1), 55u);
  EXPECT_EQ(list.GetItemText(2, 0).str(), "Dekret");
  EXPECT_EQ(list.InsertItem(99, "Koniec"), 3);  // past the end: appended
}

TEST_F(ListItemsTest, AnAnswerMarkedToKeepIsNotAskedAgain) {
  make(0, 1);
  parent.display = [](NMLVDISPINFO& info) {
    std::strcpy(info.item.pszText, "stale");
    info.item.mask |= LVIF_DI_SETITEM;
  };
  list.SetItemText(0, 0, LPSTR_TEXTCALLBACK);
  parent.display_questions = 0;
  EXPECT_EQ(list.GetItemText(0, 0).str(), "stale");
  EXPECT_EQ(list.GetItemText(0, 0).str(), "stale");
  EXPECT_EQ(parent.display_questions, 1);
}

TEST_F(ListItemsTest, OwnerDataAsksForTextsAndKeepsOnlyStates) {
  make(LVS_OWNERDATA, 0);
  list.SetItemCount(1000);
  // The parent is given room for a whole keyword (261 bytes with its end) and may answer longer.
  int room = 0;
  parent.display = [&](NMLVDISPINFO& info) {
    room = info.item.cchTextMax;
    std::memset(info.item.pszText, 'a', size_t(info.item.cchTextMax));
  };
  // An answer that fills the room without an end is cut, not read past.
  int length = list.GetItemText(5, 0).GetLength();
  EXPECT_GE(room, 261);
  EXPECT_EQ(length, room - 1);
  parent.display = nullptr;
  EXPECT_EQ(list.GetItemText(999, 2).str(), "r999c2");
  EXPECT_EQ(list.InsertItem(0, "nie"), -1);
  EXPECT_FALSE(list.SetItemText(3, 0, "nie"));
  EXPECT_FALSE(list.SetItemData(3, 5));
  EXPECT_FALSE(list.DeleteItem(3));
  EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED | LVIS_CUT, LVIS_SELECTED | LVIS_CUT));
  EXPECT_EQ(list.GetItemState(3, ~0u), LVIS_SELECTED | LVIS_CUT);
  LVITEM get;
  get.mask = LVIF_IMAGE | LVIF_STATE;
  get.iItem = 3;
  get.stateMask = LVIS_SELECTED;
  ASSERT_TRUE(list.GetItem(&get));
  EXPECT_EQ(get.iImage, 7);
  EXPECT_EQ(get.state, LVIS_SELECTED);
  // Shrinking the count forgets the states of the rows that went.
  list.SetItemCount(2);
  list.SetItemCount(1000);
  EXPECT_EQ(list.GetItemState(3, ~0u), 0u);
}

TEST_F(ListItemsTest, StatesInTheCallbackMaskComeFromTheParent) {
  make(0, 2);
  parent.display = [](NMLVDISPINFO& info) {
    if (info.item.mask & LVIF_STATE) info.item.state = LVIS_CUT;
  };
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_TRUE(list.SetCallbackMask(LVIS_CUT));
  EXPECT_EQ(list.GetCallbackMask(), LVIS_CUT);
  EXPECT_EQ(list.GetItemState(1, ~0u), LVIS_SELECTED | LVIS_CUT);
}

TEST_F(ListItemsTest, ColumnsLiveInTheHeaderAndShowTheirSubItems) {
  make(0, 1);
  CHeaderCtrl* header = list.GetHeaderCtrl();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->GetDlgCtrlID(), 0);
  EXPECT_EQ(list.GetColumnCount(), 3);
  list.SetItemText(0, 1, "1997");
  list.SetItemText(0, 2, "poz. 4");

  char title[16];
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.pszText = title;
  column.cchTextMax = int(sizeof title);
  ASSERT_TRUE(list.GetColumn(1, &column));
  EXPECT_STREQ(title, "Rok");
  EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
  EXPECT_EQ(column.cx, 60);
  EXPECT_EQ(column.iSubItem, 1);

  // A column shown first that shows sub-item 2; the first column is always left-aligned.
  EXPECT_EQ(list.InsertColumn(0, "Poz. 2", LVCFMT_CENTER, 50, 2), 0);
  ASSERT_TRUE(list.GetColumn(0, &column));
  EXPECT_EQ(column.iSubItem, 2);
  EXPECT_EQ(column.fmt, LVCFMT_LEFT);
  LVHITTESTINFO hit;
  hit.pt = POINT{10, row_middle(0)};
  EXPECT_EQ(list.SubItemHitTest(&hit), 0);
  EXPECT_EQ(hit.iSubItem, 0);
  EXPECT_TRUE(list.DeleteColumn(0));
  EXPECT_FALSE(list.DeleteColumn(7));
  EXPECT_EQ(list.GetColumnCount(), 3);

  EXPECT_TRUE(list.SetColumnWidth(1, 75));
  EXPECT_EQ(list.GetColumnWidth(1), 75);
  HDITEM item;
  item.mask = HDI_WIDTH;
  header->GetItem(1, &item);
  EXPECT_EQ(item.cxy, 75);
  // The last column sized to its header takes the rest of the list.
  EXPECT_TRUE(list.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER));
  CRect client;
  list.GetClientRect(&client);
  EXPECT_EQ(list.GetColumnWidth(2), client.Width() - 120 - 75);
  EXPECT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE));
  EXPECT_GT(list.GetColumnWidth(0), 2 * controls::kListLabelMargin);
  EXPECT_LT(list.GetColumnWidth(0), 120);
  EXPECT_FALSE(list.SetColumnWidth(3, 10));
}

TEST_F(ListItemsTest, RectanglesAndHitsFollowTheColumnsAndParts) {
  make(0, 4);
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
  list.SetImageList(&images, LVSIL_SMALL);
  EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
  list.SetExtendedStyle(LVS_EX_CHECKBOXES);

  CRect r;
  ASSERT_TRUE(list.GetItemRect(1, &r, LVIR_BOUNDS));
  EXPECT_EQ(r, CRect(0, kTop + kRow, 240, kTop + 2 * kRow));
  ASSERT_TRUE(list.GetItemRect(1, &r, LVIR_ICON));
  EXPECT_EQ(r, CRect(controls::kListStateWidth, kTop + kRow, controls::kListStateWidth + 16, kTop + 2 * kRow));
  ASSERT_TRUE(list.GetItemRect(1, &r, LVIR_LABEL));
  EXPECT_EQ(r, CRect(controls::kListStateWidth + 16, kTop + kRow, 120, kTop + 2 * kRow));
  ASSERT_TRUE(list.GetSubItemRect(1, 2, LVIR_BOUNDS, r));
  EXPECT_EQ(r, CRect(180, kTop + kRow, 240, kTop + 2 * kRow));
  EXPECT_FALSE(list.GetItemRect(4, &r, LVIR_BOUNDS));
  EXPECT_FALSE(list.GetSubItemRect(1, 3, LVIR_BOUNDS, r));
  // An indent moves the parts right by whole images.
  LVITEM indent;
  indent.mask = LVIF_INDENT;
  indent.iItem = 2;
  indent.iIndent = 1;
  list.SetItem(&indent);
  ASSERT_TRUE(list.GetItemRect(2, &r, LVIR_ICON));
  EXPECT_EQ(r.left, 16 + controls::kListStateWidth);

  struct Hit {
    POINT pt;
    int item;
    UINT flags;
    int sub_item;
  };
  const Hit hits[] = {
      {{5, row_middle(0)}, 0, LVHT_ONITEMSTATEICON, 0},
      {{20, row_middle(1)}, 1, LVHT_ONITEMICON, 0},
      {{60, row_middle(3)}, 3, LVHT_ONITEMLABEL, 0},
      {{150, row_middle(1)}, -1, LVHT_NOWHERE, 1},  // another column without full-row selection
      {{260, row_middle(1)}, -1, LVHT_NOWHERE, 0},  // right of every column
      {{60, row_middle(6)}, -1, LVHT_NOWHERE, 0},   // below the last item
      {{60, 5}, -1, LVHT_ABOVE, 0},                 // on the header
      {{-3, row_middle(0)}, -1, LVHT_TOLEFT, 0},
  };
  for (const Hit& h : hits) {
    LVHITTESTINFO info;
    info.pt = h.pt;
    EXPECT_EQ(list.SubItemHitTest(&info), h.item) << h.pt.x << "," << h.pt.y;
    EXPECT_EQ(info.flags, h.flags) << h.pt.x << "," << h.pt.y;
    EXPECT_EQ(info.iSubItem, h.sub_item) << h.pt.x << "," << h.pt.y;
  }
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  UINT flags = 0;
  EXPECT_EQ(list.HitTest(CPoint(150, row_middle(1)), &flags), 1);
  EXPECT_EQ(flags, LVHT_ONITEMLABEL);
}

TEST_F(ListItemsTest, NextItemsAndSearches) {
  make(0, 6);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  list.SetItemState(4, LVIS_CUT, LVIS_CUT);
  struct Case {
    int from;
    UINT flags;
    int next;
  };
  const Case cases[] = {
      {-1, LVNI_ALL, 0},
      {2, LVNI_ALL, 3},
      {5, LVNI_ALL, -1},
      {-1, LVNI_SELECTED, 1},
      {1, LVNI_SELECTED, 3},
      {3, LVNI_SELECTED, -1},
      {-1, LVNI_SELECTED | LVNI_FOCUSED, 3},  // every bit asked must be there
      {-1, LVNI_CUT, 4},
      {5, LVNI_ABOVE | LVNI_SELECTED, 3},
      {3, LVNI_ABOVE, 2},
      {0, LVNI_ABOVE, -1},
      {1, LVNI_BELOW, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(list.GetNextItem(c.from, int(c.flags)), c.next) << c.from << " " << c.flags;
  EXPECT_EQ(list.GetSelectedCount(), 2);
  std::vector<int> walked;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) walked.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(walked, (std::vector<int>{1, 3}));

  list.SetItemData(4, 400);
  struct Find {
    UINT flags;
    const char* text;
    LPARAM param;
    int start;
    int found;
  };
  const Find finds[] = {
      {LVFI_STRING, "ustawa 2", 0, -1, 2},  // without regard to case
      {LVFI_STRING, "Ustawa", 0, -1, -1},
      {LVFI_STRING | LVFI_PARTIAL, "Ustawa", 0, 2, 3},
      {LVFI_STRING | LVFI_PARTIAL, "Ustawa 1", 0, 2, -1},
      {LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP, "Ustawa 1", 0, 2, 1},
      {LVFI_PARAM, nullptr, 400, -1, 4},
  };
  for (const Find& f : finds) {
    LVFINDINFO info;
    info.flags = f.flags;
    info.psz = f.text;
    info.lParam = f.param;
    EXPECT_EQ(list.FindItem(&info, f.start), f.found) << (f.text ? f.text : "param");
  }
}

int by_data(LPARAM a, LPARAM b, LPARAM direction) { return int(direction * (a - b)); }

TEST_F(ListItemsTest, SortingOrdersByItemDataAndStatesGoAlong) {
  make(0, 0);
  const LPARAM data[] = {3, 1, 2, 1};
  for (int i = 0; i < 4; ++i) list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, ("Akt " + std::to_string(i)).c_str(), 0, 0, 0, data[i]);
  list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  ASSERT_TRUE(list.SortItems(by_data, 1));
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) order.push_back(list.GetItemText(i, 0).str());
  EXPECT_EQ(order, (std::vector<std::string>{"Akt 1", "Akt 3", "Akt 2", "Akt 0"}));  // equal items keep their order
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 3);
  ASSERT_TRUE(list.SortItems(by_data, -1));
  EXPECT_EQ(list.GetItemText(0, 0).str(), "Akt 0");
  list.DestroyWindow();
  make(LVS_OWNERDATA, 0);
  list.SetItemCount(5);
  EXPECT_FALSE(list.SortItems(by_data, 1));
}

}  // namespace
}  // namespace lumo::test
