// Tree-view records as a self-drawn tree and its parent pass them: a notification reached through
// its header, insert positions that no item can be.
#include <gtest/gtest.h>

#include <set>

#include "platform/controls/tree_view.h"

namespace {

struct Node {
  int value = 0;
};

TEST(TreeViewRecords, NotificationReadsBackThroughItsHeader) {
  Node node{7};
  NMTREEVIEW sent;
  sent.hdr.code = TVN_SELCHANGED;
  sent.action = TVC_BYKEYBOARD;
  sent.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
  sent.itemNew.hItem = reinterpret_cast<HTREEITEM>(&node);
  sent.itemNew.state = TVIS_SELECTED | TVIS_EXPANDED;
  sent.itemNew.lParam = 42;
  NMHDR* header = &sent.hdr;
  const auto* got = reinterpret_cast<const NMTREEVIEW*>(header);
  EXPECT_EQ(got->hdr.code, TVN_SELCHANGED);
  EXPECT_EQ(got->action, TVC_BYKEYBOARD);
  EXPECT_EQ(reinterpret_cast<Node*>(got->itemNew.hItem)->value, 7);
  EXPECT_EQ(got->itemNew.lParam, 42);
  EXPECT_EQ(got->itemOld.hItem, nullptr);
}

TEST(TreeViewRecords, InsertPositionsAreDistinctAndNeverItems) {
  std::set<HTREEITEM> positions{TVI_ROOT, TVI_FIRST, TVI_LAST, TVI_SORT};
  EXPECT_EQ(positions.size(), 4u);
  Node node;
  EXPECT_EQ(positions.count(reinterpret_cast<HTREEITEM>(&node)), 0u);
  TVINSERTSTRUCT insert;
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_SORT;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  insert.item.pszText = LPSTR_TEXTCALLBACK;
  insert.item.cChildren = I_CHILDRENCALLBACK;
  EXPECT_EQ(insert.item.pszText, LPSTR_TEXTCALLBACK);
  // The overlay and state image indexes share the state word with the flags.
  EXPECT_EQ(TVIS_OVERLAYMASK & TVIS_STATEIMAGEMASK, 0u);
  EXPECT_EQ((TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK) & (TVIS_SELECTED | TVIS_EXPANDED | TVIS_BOLD), 0u);
}

}  // namespace
