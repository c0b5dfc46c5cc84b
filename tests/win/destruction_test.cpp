// Windows destroyed while their own handler or a nested loop still refers to them.
#include <gtest/gtest.h>

#include <memory>

#include "platform/win/cwnd.h"
#include "platform/win/window_table.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/message_log.h"
#include "tests/support/synthetic_input.h"

namespace {

using lumo::test::GuiTest;

// Remembers what happened to it; the test owns the object.
class TrackedWnd : public CWnd {
 public:
  bool post_nc_destroy_called = false;
  bool alive_after_destroy_in_handler = true;
  bool finished_before_handler_returned = false;
  int nested_loop_messages = 0;
  bool run_nested_loop = false;

  BOOL CreateChild(CWnd* parent, const RECT& r) {
    return CreateEx(0, nullptr, "tracked", WS_CHILD | WS_VISIBLE, r, parent, 1);
  }
  BOOL CreatePopup(const RECT& r) {
    return CreateEx(0, nullptr, "tracked", WS_POPUP | WS_VISIBLE, r, nullptr, 0);
  }

 protected:
  void PostNcDestroy() override { post_nc_destroy_called = true; }

  afx_msg void OnLButtonDown(UINT, CPoint) {
    if (run_nested_loop) {
      // A tracking loop like a splitter drag: runs until the window goes away.
      win::WindowGuard guard(m_hWnd);
      MSG msg;
      while (guard.alive() && GetMessage(&msg, nullptr, 0, 0) > 0) {
        ++nested_loop_messages;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      finished_before_handler_returned = post_nc_destroy_called;
      return;
    }
    HWND h = m_hWnd;
    DestroyWindow();
    alive_after_destroy_in_handler = ::IsWindow(h);
    finished_before_handler_returned = post_nc_destroy_called;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TrackedWnd, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST_F(GuiTest, WindowDestroyedInItsOwnHandlerFinishesAfterTheHandler) {
  TrackedWnd wnd;
  ASSERT_TRUE(wnd.CreatePopup(CRect(0, 0, 50, 50)));
  HWND h = wnd.m_hWnd;
  wnd.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(wnd.alive_after_destroy_in_handler);
  EXPECT_FALSE(wnd.finished_before_handler_returned);
  EXPECT_TRUE(wnd.post_nc_destroy_called);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(win::find_record(h), nullptr);  // the record is freed too
}

TEST_F(GuiTest, WindowClosedInsideANestedLoopEndsTheLoopAndFinishesLater) {
  TrackedWnd wnd;
  wnd.run_nested_loop = true;
  ASSERT_TRUE(wnd.CreatePopup(CRect(0, 0, 50, 50)));
  HWND h = wnd.m_hWnd;
  PostMessage(h, WM_TIMER, 99, 0);
  PostMessage(h, WM_CLOSE, 0, 0);
  PostMessage(h, WM_TIMER, 98, 0);  // dropped: the window is gone by then
  wnd.SendMessage(WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(wnd.nested_loop_messages, 2);
  EXPECT_FALSE(wnd.finished_before_handler_returned);
  EXPECT_TRUE(wnd.post_nc_destroy_called);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(win::posted_message_count(), 0u);
}

TEST_F(GuiTest, GuardHeldByAnotherLoopDelaysTheFinalMessage) {
  TrackedWnd parent, child;
  ASSERT_TRUE(parent.CreatePopup(CRect(0, 0, 100, 100)));
  ASSERT_TRUE(child.CreateChild(&parent, CRect(0, 0, 20, 20)));
  HWND h = child.m_hWnd;
  {
    win::WindowGuard guard(h);
    parent.DestroyWindow();
    EXPECT_FALSE(guard.alive());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(parent.post_nc_destroy_called);
    EXPECT_FALSE(child.post_nc_destroy_called);
    EXPECT_EQ(child.SendMessage(WM_GETTEXTLENGTH), 0);  // dropped, not a crash
  }
  EXPECT_TRUE(child.post_nc_destroy_called);
}

TEST_F(GuiTest, MessagesForADestroyedWindowAreDropped) {
  lumo::test::MessageLog log;
  TrackedWnd wnd;
  ASSERT_TRUE(wnd.CreatePopup(CRect(0, 0, 50, 50)));
  HWND h = wnd.m_hWnd;
  PostMessage(h, WM_USER + 1, 0, 0);
  wnd.DestroyWindow();
  EXPECT_FALSE(PostMessage(h, WM_USER + 2, 0, 0));
  EXPECT_EQ(SendMessage(h, WM_USER + 3, 0, 0), 0);
  pump();
  for (const auto& e : log.entries()) EXPECT_LT(e.message, WM_USER) << "delivered " << e.message;
  EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
  EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
  EXPECT_EQ(SetFocus(h), nullptr);
}

TEST_F(GuiTest, DeletingTheObjectDestroysItsWindow) {
  auto wnd = std::make_unique<TrackedWnd>();
  ASSERT_TRUE(wnd->CreatePopup(CRect(0, 0, 50, 50)));
  HWND h = wnd->m_hWnd;
  PostMessage(h, WM_LBUTTONDOWN, 0, 0);
  wnd.reset();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
  pump();  // the posted click reaches nothing
}

TEST_F(GuiTest, CaptureFocusAndActivationLeaveWithTheWindow) {
  TrackedWnd top, child;
  ASSERT_TRUE(top.CreatePopup(CRect(0, 0, 100, 100)));
  ASSERT_TRUE(child.CreateChild(&top, CRect(0, 0, 20, 20)));
  child.SetFocus();
  child.SetCapture();
  EXPECT_EQ(GetFocus(), child.m_hWnd);
  EXPECT_EQ(GetActiveWindow(), top.m_hWnd);
  child.DestroyWindow();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetFocus(), top.m_hWnd);
  top.DestroyWindow();
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

}  // namespace

namespace {

LRESULT CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

TEST_F(GuiTest, ClassIsTakenBackOnlyWhenNoWindowOfItLives) {
  WNDCLASS wc;
  wc.lpfnWndProc = CountingProc;
  wc.lpszClassName = "KlasaNaChwile";
  ASSERT_TRUE(RegisterClass(&wc));
  HWND window = CreateWindowEx(0, "klasanachwile", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  EXPECT_FALSE(UnregisterClass("KlasaNaChwile"));
  EXPECT_TRUE(GetClassInfo("KlasaNaChwile", &wc));
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClass("KLASANACHWILE"));
  EXPECT_FALSE(GetClassInfo("KlasaNaChwile", &wc));
  EXPECT_FALSE(UnregisterClass("KlasaNaChwile"));
  EXPECT_FALSE(CreateWindowEx(0, "KlasaNaChwile", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr));
  // The name is free for a new registration.
  EXPECT_TRUE(RegisterClass(&wc));
  EXPECT_TRUE(UnregisterClass("KlasaNaChwile"));
}

}  // namespace
