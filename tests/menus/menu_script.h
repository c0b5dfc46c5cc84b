// Helpers for tests that run while menus are open: steps that run inside the menu loop, and the
// pop-up windows that are open.
#pragma once

#include <functional>
#include <vector>

#include "platform/framework/menu_popup.h"

namespace lumo::test {

// Runs steps from inside whatever loop is dispatching messages: each step is posted behind the
// input queued before it, so it sees what that input did.
class MenuScript {
 public:
  MenuScript();
  ~MenuScript();
  MenuScript(const MenuScript&) = delete;
  MenuScript& operator=(const MenuScript&) = delete;

  void later(std::function<void()> step);

 private:
  HWND window_ = nullptr;
};

// The open pop-up menu windows, the first opened first.
std::vector<framework::MenuPopupWnd*> open_popups();
// The open pop-up showing `menu`, or null.
framework::MenuPopupWnd* popup_of(HMENU menu);
// The centre of an item of an open pop-up, in screen coordinates.
POINT item_centre(framework::MenuPopupWnd* popup, int position);

}  // namespace lumo::test
