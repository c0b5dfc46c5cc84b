// A parent window for list views that writes down the notifications it hears as short lines
// ("changed 2 state 0>3", "end 1 Ustawa") and answers them as a test sets it up.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/controls/header_ctrl.h"
#include "platform/controls/list_ctrl.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {

class ListParent : public CWnd {
 public:
  std::vector<std::string> log;
  // The codes written down; the display-info questions, focus and cache hints are left out unless
  // a test adds them.
  std::set<UINT> logged{LVN_ITEMCHANGING, LVN_ITEMCHANGED,  LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT,
                        LVN_ODSTATECHANGED, LVN_COLUMNCLICK, LVN_BEGINDRAG,      NM_CLICK,
                        NM_DBLCLK,        NM_RCLICK,        NM_RETURN,          HDN_ENDTRACK};
  // Answers: TRUE to LVN_ITEMCHANGING refuses, TRUE to LVN_BEGINLABELEDIT refuses, TRUE to
  // LVN_ENDLABELEDIT accepts the text.
  BOOL refuse_changing = FALSE;
  BOOL refuse_edit = FALSE;
  BOOL accept_edit = TRUE;
  // Fills an LVN_GETDISPINFO question; by default "r<row>c<sub-item>" and image 7.
  std::function<void(NMLVDISPINFO&)> display;
  // Answers LVN_ODFINDITEM.
  std::function<int(const NMLVFINDITEM&)> find;
  // Runs on LVN_BEGINLABELEDIT before the answer (the edit already exists).
  std::function<void(const NMLVDISPINFO&)> on_begin_edit;
  // Runs after every notification with its code (a parent that reacts, say by destroying the list).
  std::function<void(UINT code)> then;
  int display_questions = 0;

  BOOL Create();
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  std::vector<std::string> take();
};

// "state 0>3 text image param" for the fields of an item notice.
std::string describe(const NMLISTVIEW& n);

// A test with a listening parent up and a list view to be made over it; both go at the end,
// the list first.
class ListViewTest : public FrameworkTest {
 protected:
  ListParent parent;
  CListCtrl list;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(parent.Create());
  }
  void TearDown() override {
    list.DestroyWindow();
    parent.DestroyWindow();
    FrameworkTest::TearDown();
  }
};

}  // namespace lumo::test
