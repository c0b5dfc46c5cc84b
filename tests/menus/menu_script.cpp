#include "tests/menus/menu_script.h"

#include <algorithm>
#include <deque>

#include "platform/framework/menu.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT kRunStep = WM_USER + 1;

std::deque<std::function<void()>>& steps() {
  static std::deque<std::function<void()>> queue;
  return queue;
}

LRESULT script_proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunStep && !steps().empty()) {
    std::function<void()> step = std::move(steps().front());
    steps().pop_front();
    step();
    return 0;
  }
  return DefWindowProc(h, message, wParam, lParam);
}

}  // namespace

MenuScript::MenuScript() {
  steps().clear();
  window_ = CreateWindowEx(0, test_window_class("MenuTestScript", script_proc), "", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, nullptr);
}

MenuScript::~MenuScript() {
  steps().clear();
  DestroyWindow(window_);
}

void MenuScript::later(std::function<void()> step) {
  steps().push_back(std::move(step));
  PostMessage(window_, kRunStep, 0, 0);
}

std::vector<framework::MenuPopupWnd*> open_popups() {
  std::vector<framework::MenuPopupWnd*> popups;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    auto* popup = dynamic_cast<framework::MenuPopupWnd*>(CWnd::FromHandlePermanent(h));
    if (popup && IsWindowVisible(h)) popups.push_back(popup);
  }
  // Windows come in Z order, the newest on top.
  std::reverse(popups.begin(), popups.end());
  return popups;
}

framework::MenuPopupWnd* popup_of(HMENU menu) {
  for (framework::MenuPopupWnd* popup : open_popups()) {
    if (popup->menu() == menu) return popup;
  }
  return nullptr;
}

POINT item_centre(framework::MenuPopupWnd* popup, int position) {
  RECT r = popup->ItemRect(position);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace lumo::test
