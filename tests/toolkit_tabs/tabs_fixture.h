// Shared pieces of the tab tests: a parent window that hears the tab notifications, pages that
// paint their name and count the scroll messages they get, and a small icon.
#pragma once

#include <string>
#include <vector>

#include "tests/framework/framework_fixture.h"
#include "toolkit/frame/sec_tab_ctrl.h"

namespace lumo::test {

// A top-level window that records the tab notifications it receives.
class NotifiedParent : public CWnd {
 public:
  struct Heard {
    UINT message;
    WPARAM index;
  };
  std::vector<Heard> heard;
  BOOL Make(int cx, int cy);
  // The notifications of one kind, in order.
  std::vector<int> of(UINT message) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A page of a tab window: paints its name on white, counts WM_HSCROLL and WM_VSCROLL.
class TestPage : public CWnd {
 public:
  CString name;
  int hscrolls = 0;
  int vscrolls = 0;
  BOOL Make(CWnd* parent, const char* utf8_name, UINT id);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A 16 x 16 icon: a red book with a white page edge.
HICON make_book_icon();

class TabsTest : public FrameworkTest {
 protected:
  void SetUp() override;
  NotifiedParent parent;
};

}  // namespace lumo::test
