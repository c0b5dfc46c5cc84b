// A tree under a parent window that writes down what the tree tells it ("expanding 1 2",
// "changed 3->5 a1", "delete 4") and answers as a test sets it up.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/framework/framework_fixture.h"
#include "toolkit/widgets/tree_ctrl.h"

namespace lumo::test {

using Log = std::vector<std::string>;

class TreeParent : public CWnd {
 public:
  Log log;
  BOOL veto_expanding = FALSE;
  BOOL veto_selection = FALSE;
  LRESULT double_click_answer = 0;
  int children_answer = 0;  // the child count given for items that ask for it
  // Runs inside TVN_ITEMEXPANDING (to give children on demand).
  std::function<void(HTREEITEM item, UINT action)> on_expanding;
  std::function<void(HTREEITEM item)> on_delete;

  BOOL Create() {
    return CreateEx(0, nullptr, "Drzewo", WS_POPUP | WS_VISIBLE, CRect(10, 10, 410, 330), nullptr, 0);
  }
  Log take() { return std::exchange(log, {}); }

  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    auto* tv = reinterpret_cast<NMTREEVIEW*>(lParam);
    auto* info = reinterpret_cast<NMTVDISPINFO*>(lParam);
    auto id = [](const TVITEM& item) { return std::to_string(item.hItem ? item.lParam : 0); };
    switch (header->code) {
      case TVN_SELCHANGING:
        log.push_back("changing " + id(tv->itemOld) + "->" + id(tv->itemNew) + " a" + std::to_string(tv->action));
        *result = veto_selection;
        break;
      case TVN_SELCHANGED:
        log.push_back("changed " + id(tv->itemOld) + "->" + id(tv->itemNew) + " a" + std::to_string(tv->action));
        break;
      case TVN_ITEMEXPANDING:
        log.push_back("expanding " + id(tv->itemNew) + " " + std::to_string(tv->action));
        if (on_expanding) on_expanding(tv->itemNew.hItem, tv->action);
        *result = veto_expanding;
        break;
      case TVN_ITEMEXPANDED:
        log.push_back("expanded " + id(tv->itemNew) + " " + std::to_string(tv->itemNew.state));
        break;
      case TVN_DELETEITEM:
        log.push_back("delete " + std::to_string(tv->itemOld.lParam));
        if (on_delete) on_delete(tv->itemOld.hItem);
        break;
      case TVN_GETDISPINFO:
        if (info->item.mask & TVIF_TEXT) {
          std::snprintf(info->item.pszText, size_t(info->item.cchTextMax), "Akt %d", int(info->item.lParam));
        }
        if (info->item.mask & TVIF_CHILDREN) info->item.cChildren = children_answer;
        if (info->item.mask & TVIF_IMAGE) info->item.iImage = 1;
        break;
      case TVN_SETDISPINFO: log.push_back("setdispinfo " + id(info->item)); break;
      case TVN_BEGINDRAG: log.push_back("drag " + id(tv->itemNew)); break;
      case TVN_KEYDOWN: log.push_back("key " + std::to_string(reinterpret_cast<NMTVKEYDOWN*>(lParam)->wVKey)); break;
      case TVN_BEGINLABELEDIT: log.push_back("begin edit " + id(info->item)); break;
      case TVN_ENDLABELEDIT:
        log.push_back("end edit " + id(info->item) + " " +
                      (info->item.pszText ? utf8(info->item.pszText) : std::string("(null)")));
        *result = TRUE;
        break;
      case NM_DBLCLK:
        log.push_back("dblclick");
        *result = double_click_answer;
        break;
      default: return FALSE;
    }
    return TRUE;
  }
};

class TreeTest : public FrameworkTest {
 protected:
  TreeParent parent;
  SECTreeCtrl tree;

  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.Create());
    parent.SetActiveWindow();
  }
  void TearDown() override {
    tree.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
  void make(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, DWORD exStyle = 0,
            CRect rect = CRect(0, 0, 300, 200)) {
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | style, exStyle, rect, &parent, 90));
    tree.SetFocus();
    pump();
    parent.take();
  }
  // An item with the user value `id`; `children` -1 asks the parent for the count.
  HTREEITEM add(HTREEITEM under, const char* text, LPARAM id, HTREEITEM after = TVI_LAST, int children = 0) {
    TVINSERTSTRUCT ins;
    ins.hParent = under;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = text == LPSTR_TEXTCALLBACK ? LPSTR_TEXTCALLBACK : const_cast<LPSTR>(text);
    ins.item.lParam = id;
    ins.item.cChildren = children;
    return tree.InsertItem(&ins);
  }
  UINT state(HTREEITEM item, UINT mask) {
    TVITEM rec;
    rec.mask = TVIF_HANDLE | TVIF_STATE;
    rec.hItem = item;
    rec.stateMask = mask;
    return tree.GetTreeItem(&rec) ? rec.state : 0xFFFFFFFF;
  }
  // The user values of the rows, top to bottom.
  std::vector<int> rows() const {
    std::vector<int> out;
    for (int r = 0; r < tree.GetItemCount(); ++r) out.push_back(int(tree.GetRowData(r)));
    return out;
  }
  std::string png(const char* name) { return ::testing::TempDir() + name; }
};

}  // namespace lumo::test
