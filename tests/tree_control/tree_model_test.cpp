// The tree's programming model: insertion and rows, expanding with children on demand, collapsing,
// deleting, selection, navigation, item records, styles and sub-item texts.
#include <string>
#include <vector>

#include "platform/win/window_dc.h"
#include "tests/tree_control/tree_fixture.h"

namespace lumo::test {
namespace {

class TreeModelTest : public TreeTest {
 protected:
  // 1 Ustawy (2 Kodeks pracy, 3 Ordynacja), 4 Rozporządzenia (5 Dekret), 6 Obwieszczenia.
  HTREEITEM u = nullptr, k = nullptr, o = nullptr, r = nullptr, d = nullptr, w = nullptr;
  void build() {
    u = add(TVI_ROOT, "Ustawy", 1);
    k = add(u, "Kodeks pracy", 2);
    o = add(u, "Ordynacja podatkowa", 3);
    r = add(nullptr, "Rozporządzenia", 4);
    d = add(r, "Dekret", 5);
    w = add(TVI_ROOT, "Obwieszczenia", 6);
  }
};

TEST_F(TreeModelTest, InsertionPlacesNodesAndRowsInPreOrder) {
  make();
  build();
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 6}));  // children of collapsed items have no row
  EXPECT_EQ(tree.GetCount(), 6);
  EXPECT_EQ(tree.GetNodeRow(k), -1);

  struct Case {
    HTREEITEM parent;
    HTREEITEM after;
    const char* text;
    int id;
    std::vector<int> children;  // of the parent afterwards
  };
  std::vector<Case> cases = {
      {nullptr, TVI_FIRST, "Akty", 7, {7, 1, 4, 6}},
      {nullptr, TVI_LAST, "Zarządzenia", 8, {7, 1, 4, 6, 8}},
      {nullptr, r, "Uchwały", 9, {7, 1, 4, 9, 6, 8}},
      {u, TVI_SORT, "Kodeks cywilny", 10, {10, 2, 3}},
      {u, TVI_SORT, "ordynacja", 11, {10, 2, 11, 3}},  // after the last one equal without case
      {u, TVI_SORT, "Żywność", 12, {10, 2, 11, 3, 12}},
      {u, TVI_SORT, "Łowiectwo", 13, {10, 2, 13, 11, 3, 12}},  // Polish order: Ł after L, before O
      {r, TVI_SORTDESCENDING, "Zarządzenie", 14, {14, 5}},
  };
  for (const Case& c : cases) {
    ASSERT_NE(add(c.parent, cp(c.text), c.id, c.after), nullptr) << c.text;
    std::vector<int> children;
    for (HTREEITEM i = tree.GetChildItem(c.parent); i; i = tree.GetNextSiblingItem(i)) {
      children.push_back(int(tree.GetItemUserData(i)));
    }
    EXPECT_EQ(children, c.children) << c.text;
  }
  EXPECT_EQ(rows(), (std::vector<int>{7, 1, 4, 9, 6, 8}));
}

TEST_F(TreeModelTest, ASiblingOfAnotherParentOrADeadHandleIsRefused) {
  make();
  build();
  int count = tree.GetCount();
  EXPECT_EQ(add(u, "Obcy", 20, d), nullptr);  // d belongs to r
  EXPECT_EQ(tree.GetCount(), count);
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 6}));
  // A handle of an item already deleted is never followed.
  HTREEITEM gone = add(w, "Tymczasowy", 21);
  ASSERT_TRUE(tree.DeleteItem(gone));
  EXPECT_EQ(add(gone, "Pod usuniętym", 22), nullptr);
  EXPECT_FALSE(tree.ExpandItem(gone, TVE_EXPAND));
  EXPECT_EQ(tree.GetItemUserData(gone), 0);
  EXPECT_FALSE(tree.DeleteItem(gone));
  EXPECT_EQ(tree.GetNextSiblingItem(gone), nullptr);
}

TEST_F(TreeModelTest, InsertingUnderACollapsedParentMakesNoRowUntilMadeVisible) {
  make();
  build();
  HTREEITEM deep = add(k, "Art. 1", 30);
  EXPECT_EQ(tree.GetNodeRow(deep), -1);
  EXPECT_EQ(tree.GetNextVisibleItem(u), r);
  parent.take();
  ASSERT_TRUE(tree.EnsureVisible(deep));
  EXPECT_EQ(rows(), (std::vector<int>{1, 2, 30, 3, 4, 6}));
  EXPECT_EQ(parent.take(), (Log{"expanding 1 2", "expanded 1 32", "expanding 2 2", "expanded 2 32"}));
  EXPECT_EQ(tree.GetNextVisibleItem(k), deep);
  EXPECT_EQ(tree.GetPrevVisibleItem(deep), k);
}

TEST_F(TreeModelTest, ExpandingAnItemOutOfSightMakesNoRowsUntilItsParentOpens) {
  make();
  build();
  HTREEITEM deep = add(k, "Art. 1", 30);
  ASSERT_TRUE(tree.ExpandItem(k, TVE_EXPAND));
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 6}));
  EXPECT_EQ(tree.GetNodeRow(deep), -1);
  ASSERT_TRUE(tree.ExpandItem(u, TVE_EXPAND));
  EXPECT_EQ(rows(), (std::vector<int>{1, 2, 30, 3, 4, 6}));
  EXPECT_FALSE(tree.ExpandItem(nullptr, TVE_COLLAPSE));  // the hidden root stays open
  EXPECT_EQ(tree.GetItemCount(), 6);
}

TEST_F(TreeModelTest, TheExpandedBitSetByRecordMovesTheRows) {
  make();
  build();
  ASSERT_TRUE(tree.SetNodeState(r, TVIS_EXPANDED, TVIS_EXPANDED));
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 5, 6}));
  HTREEITEM more = add(r, "Zarządzenie", 7);
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 5, 7, 6}));
  ASSERT_TRUE(tree.SetNodeState(r, 0, TVIS_EXPANDED));
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 6}));
  EXPECT_EQ(tree.GetNodeRow(more), -1);
}

TEST_F(TreeModelTest, ChildrenOnDemandAreGivenDuringExpanding) {
  make();
  HTREEITEM year = add(TVI_ROOT, "1997", 1, TVI_LAST, 1);
  HTREEITEM empty = add(TVI_ROOT, "1998", 2, TVI_LAST, 1);
  HTREEITEM leaf = add(TVI_ROOT, "1999", 3);
  EXPECT_TRUE(tree.HasChildrenOnDemand(year));
  EXPECT_FALSE(tree.ItemHasChildren(year));
  int given = 0;
  parent.on_expanding = [&](HTREEITEM item, UINT action) {
    if (item == year && action == TVE_EXPAND) {
      ++given;
      add(year, "Dz.U. 1", 10);
      add(year, "Dz.U. 2", 11);
    }
  };
  parent.take();
  EXPECT_TRUE(tree.ExpandItem(year, TVE_EXPAND));
  EXPECT_EQ(rows(), (std::vector<int>{1, 10, 11, 2, 3}));
  EXPECT_TRUE(tree.ExpandItem(year, TVE_EXPAND));  // already expanded: the parent is not asked again
  EXPECT_EQ(given, 1);
  EXPECT_EQ(parent.take(), (Log{"expanding 1 2", "expanded 1 32"}));

  // The parent gives nothing: no expansion, the button stays.
  EXPECT_FALSE(tree.ExpandItem(empty, TVE_EXPAND));
  EXPECT_TRUE(tree.HasChildrenOnDemand(empty));
  EXPECT_EQ(state(empty, TVIS_EXPANDED), 0u);
  // Neither children nor children on demand: nothing to do, nothing told.
  parent.take();
  EXPECT_TRUE(tree.ExpandItem(leaf, TVE_EXPAND));
  EXPECT_EQ(parent.take(), Log{});

  // Collapse and delete the children: they are given again next time.
  EXPECT_TRUE(tree.ExpandItem(year, TVE_COLLAPSE | TVE_COLLAPSERESET));
  EXPECT_EQ(parent.take(), (Log{"expanding 1 32769", "delete 10", "delete 11", "expanded 1 0"}));
  EXPECT_EQ(rows(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(tree.ExpandItem(year, TVE_TOGGLE));
  EXPECT_EQ(given, 2);
  EXPECT_EQ(rows(), (std::vector<int>{1, 10, 11, 2, 3}));

  parent.veto_expanding = TRUE;
  EXPECT_FALSE(tree.ExpandItem(year, TVE_COLLAPSE));
  EXPECT_EQ(rows(), (std::vector<int>{1, 10, 11, 2, 3}));
}

TEST_F(TreeModelTest, CollapsingMovesTheCaretFromADescendantToTheNode) {
  make();
  build();
  HTREEITEM deep = add(k, "Art. 1", 30);
  ASSERT_TRUE(tree.SelectItem(deep));
  EXPECT_EQ(tree.GetSelectedItem(), deep);
  parent.take();
  ASSERT_TRUE(tree.ExpandItem(u, TVE_COLLAPSE));
  EXPECT_EQ(tree.GetSelectedItem(), u);
  EXPECT_EQ(parent.take(), (Log{"expanding 1 1", "changing 30->1 a1", "changed 30->1 a1", "expanded 1 0"}));
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 6}));
  EXPECT_EQ(state(deep, TVIS_SELECTED), 0u);  // its row went, and its selection with it
  EXPECT_EQ(state(k, TVIS_SELECTED | TVIS_EXPANDED), UINT(TVIS_EXPANDED));
  EXPECT_EQ(state(u, TVIS_SELECTED | TVIS_EXPANDED), UINT(TVIS_SELECTED));
}

TEST_F(TreeModelTest, DeletingTheRootTellsOnceForEveryItemLeavesFirst) {
  make();
  build();
  tree.ExpandAll(nullptr);
  ASSERT_EQ(tree.GetItemCount(), 6);
  parent.take();
  ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
  EXPECT_EQ(parent.take(), (Log{"delete 2", "delete 3", "delete 1", "delete 5", "delete 4", "delete 6"}));
  EXPECT_EQ(tree.GetCount(), 0);
  EXPECT_EQ(tree.GetItemCount(), 0);
  EXPECT_EQ(tree.GetRootItem(), nullptr);
  // A fresh hidden root takes new items.
  HTREEITEM again = add(nullptr, "Nowy", 40);
  EXPECT_EQ(tree.GetRootItem(k), again);
  EXPECT_EQ(rows(), std::vector<int>{40});
}

TEST_F(TreeModelTest, DeletingABranchTakesItsRowsAndSurvivesAParentThatDeletesToo) {
  make();
  build();
  tree.ExpandAll(nullptr);
  parent.on_delete = [&](HTREEITEM item) {
    // A parent that deletes what it is told about (and its sibling) does no harm.
    tree.DeleteItem(item);
    if (item == k) tree.DeleteItem(o);
  };
  parent.take();
  ASSERT_TRUE(tree.DeleteItem(u));
  EXPECT_EQ(parent.take(), (Log{"delete 2", "delete 3", "delete 1"}));
  EXPECT_EQ(rows(), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(tree.GetCount(), 3);
}

TEST_F(TreeModelTest, RelatedItems) {
  make();
  build();
  tree.ExpandItem(u, TVE_EXPAND);
  tree.SelectItem(o);
  tree.Select(d, TVGN_DROPHILITE);  // makes no row: d's parent is collapsed
  tree.Select(r, TVGN_DROPHILITE);
  struct Case {
    HTREEITEM item;
    UINT code;
    HTREEITEM expected;
  } cases[] = {
      {k, TVGN_ROOT, u},         {nullptr, TVGN_CHILD, u},  {u, TVGN_CHILD, k},
      {k, TVGN_NEXT, o},         {o, TVGN_NEXT, nullptr},   {o, TVGN_PREVIOUS, k},
      {k, TVGN_PARENT, u},       {u, TVGN_PARENT, nullptr}, {nullptr, TVGN_FIRSTVISIBLE, u},
      {o, TVGN_NEXTVISIBLE, r},  {r, TVGN_PREVIOUSVISIBLE, o}, {d, TVGN_NEXTVISIBLE, w},
      {d, TVGN_PREVIOUSVISIBLE, r}, {nullptr, TVGN_DROPHILITE, r}, {nullptr, TVGN_CARET, o},
      {nullptr, TVGN_FIRSTSELECTED, o}, {o, TVGN_NEXTSELECTED, nullptr}, {o, TVGN_PREVSELECTED, nullptr},
      {u, TVGN_LASTVISIBLE, nullptr}, {u, 99, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tree.GetRelatedItem(c.item, c.code), c.expected) << c.code;
  }
  EXPECT_EQ(tree.GetItemUserData(nullptr), 0);
  EXPECT_TRUE(tree.SetItemUserData(k, 77));
  EXPECT_EQ(tree.GetItemUserData(k), 77);
  EXPECT_EQ(tree.GetRowData(1), 77);  // a row's data is its node's user value
}

TEST_F(TreeModelTest, SelectingByCodeTellsOnceAndEnsuresVisibility) {
  make();
  build();
  parent.take();
  ASSERT_TRUE(tree.SelectItem(d));
  EXPECT_EQ(tree.GetSelectedItem(), d);
  EXPECT_EQ(rows(), (std::vector<int>{1, 4, 5, 6}));
  EXPECT_EQ(parent.take(), (Log{"expanding 4 2", "expanded 4 32", "changing 1->5 a0", "changed 1->5 a0"}));
  parent.veto_selection = TRUE;
  EXPECT_FALSE(tree.SelectItem(w));
  EXPECT_EQ(tree.GetSelectedItem(), d);
  parent.veto_selection = FALSE;

  // With multiple selection the item joins the selection; the caret stays.
  tree.ModifyTreeExStyle(0, TVXS_MULTISELECT);
  EXPECT_TRUE(tree.GetMultipleSelection());
  parent.take();
  ASSERT_TRUE(tree.SelectItem(w));
  EXPECT_EQ(tree.GetSelectedItem(), d);
  EXPECT_EQ(tree.GetFirstSelectedItem(), d);
  EXPECT_EQ(tree.GetNextSelectedItem(d), w);
  EXPECT_EQ(tree.GetPrevSelectedItem(w), d);
  EXPECT_EQ(parent.take(), (Log{"changing 5->6 a0", "changed 5->6 a0"}));
  tree.ModifyTreeExStyle(TVXS_MULTISELECT, 0);
  EXPECT_EQ(tree.GetSelectedCount(), 0);  // turning it off with several selected drops them
}

TEST_F(TreeModelTest, ItemRecordsValuesOnDemandAndTheListView) {
  make();
  HTREEITEM item = add(nullptr, LPSTR_TEXTCALLBACK, 42);
  EXPECT_EQ(tree.GetNodeText(item).str(), "Akt 42");
  EXPECT_EQ(tree.GetItemText(0, 0).str(), "Akt 42");
  char small[5];
  TVITEM rec;
  rec.mask = TVIF_HANDLE | TVIF_TEXT;
  rec.hItem = item;
  rec.pszText = small;
  rec.cchTextMax = 5;
  ASSERT_TRUE(tree.GetTreeItem(&rec));
  EXPECT_STREQ(small, "Akt ");
  rec.pszText = LPSTR_TEXTCALLBACK;  // no buffer to write into: nothing is written
  EXPECT_TRUE(tree.GetTreeItem(&rec));

  // An image on demand refuses a stored one and says so; state bits go to the node and its row.
  TVITEM set;
  set.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_STATE;
  set.hItem = item;
  set.iImage = I_IMAGECALLBACK;
  set.state = TVIS_BOLD | INDEXTOOVERLAYMASK(1) | TVIS_CUT;
  set.stateMask = TVIS_BOLD | TVIS_OVERLAYMASK | TVIS_CUT;
  ASSERT_TRUE(tree.SetItem(&set));
  EXPECT_TRUE(tree.NeedsParentData(0));
  parent.take();
  set.mask = TVIF_HANDLE | TVIF_IMAGE;
  set.iImage = 3;
  ASSERT_TRUE(tree.SetItem(&set));
  EXPECT_EQ(parent.take(), Log{"setdispinfo 42"});
  LVITEM lv;
  lv.mask = LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
  lv.iItem = 0;
  lv.stateMask = 0xFFFF;
  ASSERT_TRUE(tree.GetItem(&lv));
  EXPECT_EQ(lv.iImage, 1);  // the parent's answer
  EXPECT_EQ(lv.lParam, 42);
  EXPECT_EQ(lv.state & (TVIS_OVERLAYMASK | TVIS_CUT), INDEXTOOVERLAYMASK(1) | TVIS_CUT);
  EXPECT_FALSE(lv.state & TVIS_BOLD);  // the list's view has no bold
  // Setting through the list's record reaches the node.
  lv.mask = LVIF_TEXT;
  lv.pszText = const_cast<LPSTR>("Ustawa");
  SECListBaseC& as_list = tree;
  ASSERT_TRUE(as_list.SetItem(&lv, TRUE));
  EXPECT_EQ(tree.GetNodeText(item).str(), "Ustawa");
}

TEST_F(TreeModelTest, HiddenAndGreyNodesFollowTheirAncestors) {
  make();
  build();
  tree.ExpandAll(nullptr);
  ListExState ex;
  ex.state = _Node::kHidden;
  ex.stateMask = _Node::kHidden;
  ASSERT_TRUE(tree.SetTreeItemExState(u, &ex));
  EXPECT_EQ(rows(), (std::vector<int>{4, 5, 6}));  // hidden at once, with its subtree
  ListExState read;
  read.stateMask = _Node::kHidden | _Node::kGreyed;
  ASSERT_TRUE(tree.GetTreeItemExState(k, &read));
  EXPECT_EQ(read.state, UINT(_Node::kHidden));
  EXPECT_FALSE(tree.EnsureVisible(k));
  ex.state = 0;
  tree.SetTreeItemExState(u, &ex);
  EXPECT_EQ(rows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  ex.state = ex.stateMask = _Node::kGreyed;
  tree.SetTreeItemExState(r, &ex);
  read.state = 0;
  tree.GetTreeItemExState(d, &read);
  EXPECT_EQ(read.state, UINT(_Node::kGreyed));
}

TEST_F(TreeModelTest, StylesMapOntoTheList) {
  make(TVS_HASBUTTONS | TVS_EDITLABELS | TVS_SHOWSELALWAYS);
  EXPECT_EQ(tree.GetTreeStyle(), DWORD(TVS_HASBUTTONS | TVS_EDITLABELS | TVS_SHOWSELALWAYS));
  EXPECT_TRUE(tree.HasStyle(LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_REPORT | LVS_SHAREIMAGELISTS));
  // Without extended bits: no header, one line per label, one selection.
  EXPECT_TRUE(tree.HasStyle(LVS_NOCOLUMNHEADER | LVS_NOLABELWRAP | LVS_SINGLESEL));
  EXPECT_EQ(tree.GetColumnCount(), 1);
  tree.SetTreeExStyle(TVXS_HEADER | TVXS_LABELWRAP | TVXS_ITEMTIPS);
  EXPECT_TRUE(tree.GetShowHeader());
  EXPECT_TRUE(tree.IsLabelWrapOn());
  EXPECT_TRUE(tree.HasExStyle(LVXS_ITEMTIPS));
  EXPECT_FALSE(tree.GetMultipleSelection());
  tree.SetLabelWrap(FALSE);
  tree.SetMultipleSelection(TRUE);
  tree.SetShowHeader(FALSE);
  tree.EnableItemTips(FALSE);
  EXPECT_EQ(tree.GetTreeExStyle(), DWORD(TVXS_MULTISELECT));
  tree.ModifyTreeStyle(TVS_EDITLABELS, TVS_HASLINES);
  EXPECT_FALSE(tree.HasStyle(LVS_EDITLABELS));
  DWORD style = 0, ex = 0;
  tree.GetTreeStyles(&style, &ex);
  EXPECT_EQ(style, DWORD(TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS));
  tree.SetIndent(13);
  EXPECT_EQ(tree.GetIndent(), 14);
}

TEST_F(TreeModelTest, SubItemTextsLiveInTheMapOrInTheRows) {
  make(TVS_HASBUTTONS, TVXS_HEADER);
  tree.InsertColumn(1, "Rok", LVCFMT_LEFT, 60);
  build();
  tree.ExpandItem(u, TVE_EXPAND);
  // Without the map the text lives in the row and goes with it.
  ASSERT_TRUE(tree.SetNodeText(k, 1, "1974"));
  EXPECT_EQ(tree.GetNodeText(k, 1).str(), "1974");
  EXPECT_FALSE(tree.SetNodeText(d, 1, "1946"));  // no row
  tree.EnableSubItemTextMap(TRUE);
  EXPECT_TRUE(tree.HasSubItemTextMap());
  EXPECT_TRUE(tree.SetNodeText(d, 1, "1946"));
  EXPECT_FALSE(tree.SetNodeText(d, 2, "poza kolumnami"));
  EXPECT_TRUE(tree.GetNodeText(w, 1).IsEmpty());
  tree.ExpandItem(r, TVE_EXPAND);
  EXPECT_EQ(tree.GetItemText(tree.GetNodeRow(d), 1).str(), "1946");  // the row asks the map
  ASSERT_TRUE(tree.SetNodeTitle(d, "Dekret o obywatelstwie"));
  EXPECT_EQ(tree.GetNodeText(d).str(), "Dekret o obywatelstwie");
  tree.EnableSubItemTextMap(FALSE);
  EXPECT_FALSE(tree.HasSubItemTextMap());
}

TEST_F(TreeModelTest, DestroyingTheWindowDeletesTheItemsAsItems) {
  make();
  build();
  parent.take();
  tree.DestroyWindow();
  EXPECT_EQ(parent.take().size(), 6u);
  EXPECT_EQ(tree.GetCount(), 0);
}

TEST_F(TreeModelTest, DragImagesFromTextAndImages) {
  make();
  CClientDC dc(&tree);
  std::unique_ptr<CImageList> text = tree.CreateDragImageFromText(&dc, cp("Kodeks pracy – ąęłóśżźćń"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetImageCount(), 1);
  int cx = 0, cy = 0;
  text->GetIconSize(cx, cy);
  EXPECT_GT(cx, 60);
  EXPECT_GT(cy, 8);
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_MASK | ILC_COLOR24, 2, 0));
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&dc, 32, 16));
  ASSERT_GE(images.Add(&strip, RGB(255, 0, 255)), 0);
  std::unique_ptr<CImageList> one = tree.CreateDragImageFromImage(&images, 1);
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->GetImageCount(), 1);
  EXPECT_EQ(tree.CreateDragImageFromImage(&images, 5), nullptr);
  std::unique_ptr<CImageList> merged = tree.MergeImages(&images, text.get());
  ASSERT_NE(merged, nullptr);
  merged->GetIconSize(cx, cy);
  EXPECT_GE(cx, 16 + 6 + 60);
}

}  // namespace
}  // namespace lumo::test
