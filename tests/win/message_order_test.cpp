// The order of the messages a window gets over its life: create, show, size, paint, destroy.
#include <gtest/gtest.h>

#include "platform/gdi/core/object_api.h"
#include "platform/win/cwnd.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"

namespace {

using lumo::test::GuiTest;
using lumo::test::MessageLog;

LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

const std::set<UINT> kLifecycle = {WM_NCCREATE,        WM_NCCALCSIZE,         WM_CREATE,
                                   WM_SIZE,            WM_MOVE,               WM_SHOWWINDOW,
                                   WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PAINT,
                                   WM_NCPAINT,         WM_ERASEBKGND,         WM_DESTROY,
                                   WM_NCDESTROY,       WM_PARENTNOTIFY};

class MessageOrder : public GuiTest {
 protected:
  HWND make_parent() {
    return CreateWindowEx(0, lumo::test::test_window_class("OrderWnd", plain_proc), "parent",
                          WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr, nullptr);
  }
  HWND make_child(HWND parent, DWORD style, DWORD ex_style = 0) {
    return CreateWindowEx(ex_style, "OrderWnd", "child", WS_CHILD | style, 5, 6, 100, 50, parent,
                          reinterpret_cast<HMENU>(7), nullptr);
  }
};

TEST_F(MessageOrder, CreatingAVisibleChild) {
  HWND parent = make_parent();
  pump();
  MessageLog log(kLifecycle);
  HWND child = make_child(parent, WS_VISIBLE);
  ASSERT_TRUE(child);
  EXPECT_EQ(log.messages_of(child),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                               WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
  EXPECT_EQ(log.messages_of(parent), (std::vector<UINT>{WM_PARENTNOTIFY}));
  const auto& first_size = log.entries()[3];
  EXPECT_EQ(first_size.lParam, MAKELPARAM(100, 50));
  // Painting waits until the queue has nothing else.
  log.clear();
  pump();
  EXPECT_EQ(log.messages_of(child), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
}

TEST_F(MessageOrder, AHiddenChildGetsNoPaintUntilShown) {
  HWND parent = make_parent();
  HWND child = make_child(parent, 0);
  pump();
  MessageLog log(kLifecycle);
  pump();
  EXPECT_TRUE(log.messages_of(child).empty());
  ShowWindow(child, SW_SHOWNA);
  pump();
  EXPECT_EQ(log.messages_of(child),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PAINT,
                               WM_ERASEBKGND}));
}

TEST_F(MessageOrder, ResizingSendsSizeAndRepaintsWhatIsNew) {
  HWND parent = make_parent();
  HWND child = make_child(parent, WS_VISIBLE);
  pump();
  MessageLog log(kLifecycle);
  MoveWindow(child, 5, 6, 120, 50, TRUE);
  EXPECT_EQ(log.messages_of(child),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_SIZE}));
  EXPECT_EQ(log.entries().back().lParam, MAKELPARAM(120, 50));
  RECT update;
  ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
  EXPECT_EQ(CRect(update), CRect(100, 0, 120, 50));  // only the uncovered strip
  log.clear();
  MoveWindow(child, 8, 9, 120, 50, TRUE);
  EXPECT_EQ(log.messages_of(child),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}));
  EXPECT_EQ(log.entries().back().lParam, MAKELPARAM(8, 9));
}

TEST_F(MessageOrder, DestroyGoesParentFirstAndFinishesChildrenFirst) {
  HWND parent = make_parent();
  HWND child = make_child(parent, WS_VISIBLE);
  HWND grandchild = make_child(child, WS_VISIBLE);
  pump();
  MessageLog log({WM_DESTROY, WM_NCDESTROY});
  DestroyWindow(parent);
  std::vector<std::pair<HWND, UINT>> seen;
  for (const auto& e : log.entries()) seen.emplace_back(e.hwnd, e.message);
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                       {child, WM_DESTROY},
                                                       {grandchild, WM_DESTROY},
                                                       {grandchild, WM_NCDESTROY},
                                                       {child, WM_NCDESTROY},
                                                       {parent, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(MessageOrder, CreateRefusedByTheWindowGivesNoHandle) {
  static HWND refused = nullptr;
  auto refusing = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CREATE) {
      refused = h;
      return -1;
    }
    return DefWindowProc(h, m, w, l);
  };
  HWND h = CreateWindowEx(0, lumo::test::test_window_class("RefusingWnd", refusing), "", WS_POPUP,
                          0, 0, 10, 10, nullptr, nullptr, nullptr);
  EXPECT_EQ(h, nullptr);
  EXPECT_FALSE(IsWindow(refused));
}

TEST_F(MessageOrder, RedrawWindowInvalidatesAndPaintsAtOnce) {
  HWND parent = make_parent();
  HWND child = make_child(parent, WS_VISIBLE);
  pump();
  HRGN region = CreateRectRgn(3, 4, 13, 14);
  RedrawWindow(child, nullptr, region, RDW_INVALIDATE);
  DeleteObject(region);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
  EXPECT_EQ(CRect(update), CRect(3, 4, 13, 14));
  MessageLog log({WM_PAINT, WM_ERASEBKGND});
  RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(log.messages_of(child), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
  EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
}

TEST_F(MessageOrder, ZOrderAmongSiblings) {
  HWND parent = make_parent();
  HWND a = make_child(parent, WS_VISIBLE);
  HWND b = make_child(parent, WS_VISIBLE);
  HWND c = make_child(parent, WS_VISIBLE);
  // The newest child is on top.
  EXPECT_EQ(GetTopWindow(parent), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDLAST), a);
  CWnd::FromHandle(c)->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);
  SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // just below b
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  BringWindowToTop(c);
  EXPECT_EQ(GetTopWindow(parent), c);
  // The topmost child at a point is the one hit.
  POINT inside{10, 10};
  EXPECT_EQ(ChildWindowFromPoint(parent, inside), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), nullptr);
}

TEST_F(MessageOrder, AShapedWindowIsHitOnlyInsideItsRegion) {
  // Two windows at the same place; the upper one round.
  HWND below = make_parent();
  HWND round = make_parent();
  ASSERT_TRUE(SetWindowRgn(round, CreateEllipticRgn(0, 0, 300, 200), FALSE));
  pump();
  struct Case {
    POINT window;  // window coordinates; the windows stand at (10, 10)
    HWND hit;
  } cases[] = {{{150, 100}, round}, {{1, 100}, round}, {{150, 1}, round},
               {{0, 0}, below},     {{299, 199}, below}, {{20, 20}, below}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.window.x << "," << c.window.y);
    EXPECT_EQ(WindowFromPoint(POINT{c.window.x + 10, c.window.y + 10}), c.hit);
  }
  // Without a region the whole window is hit again.
  SetWindowRgn(round, nullptr, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), round);
  DestroyWindow(round);
  DestroyWindow(below);
}

TEST_F(MessageOrder, RegisteredMessagesAreStableAndHigh) {
  UINT a = RegisterWindowMessage("WM_SECGETMENU");
  UINT b = RegisterWindowMessage("WM_BARNOTIFY");
  EXPECT_GE(a, 0xC000u);
  EXPECT_GE(b, 0xC000u);
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterWindowMessage("wm_secgetmenu"), a);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

}  // namespace
