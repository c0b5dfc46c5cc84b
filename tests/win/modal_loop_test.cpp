// Modal loops: a window runs its own loop until it ends it or goes away; the owner is told the
// loop waits; quitting reaches the outer loop.
#include <gtest/gtest.h>

#include "platform/win/cwnd.h"
#include "tests/support/gui_fixture.h"

namespace {

using lumo::test::GuiTest;

class Owner : public CWnd {
 public:
  int idle_notices = 0;

 protected:
  afx_msg void OnEnterIdle(UINT, CWnd*) { ++idle_notices; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Owner, CWnd)
  ON_WM_ENTERIDLE()
END_MESSAGE_MAP()

class Dialog : public CWnd {
 public:
  BOOL CreateFor(CWnd* owner) {
    return CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), owner, 0);
  }

 protected:
  afx_msg void OnTimer(UINT_PTR id) {
    if (id == 1) EndModalLoop(7);
    if (id == 2) DestroyWindow();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Dialog, CWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

class Modal : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(dialog.CreateFor(&owner));
  }
  Owner owner;
  Dialog dialog;
};

TEST_F(Modal, EndsWithTheResultGivenToEndModalLoop) {
  dialog.PostMessage(WM_TIMER, 1);
  EXPECT_EQ(dialog.RunModalLoop(), 7);
  EXPECT_TRUE(IsWindow(dialog.m_hWnd));
}

TEST_F(Modal, OwnerHearsThatTheLoopWaits) {
  dialog.SetTimer(1, 30);
  EXPECT_EQ(dialog.RunModalLoop(), 7);
  EXPECT_GE(owner.idle_notices, 1);
  int before = owner.idle_notices;
  dialog.PostMessage(WM_TIMER, 1);
  dialog.RunModalLoop(MLF_NOIDLEMSG);
  EXPECT_EQ(owner.idle_notices, before);
}

TEST_F(Modal, EndsWhenTheWindowGoesAway) {
  HWND h = dialog.m_hWnd;
  dialog.PostMessage(WM_TIMER, 2);
  EXPECT_EQ(dialog.RunModalLoop(), -1);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(Modal, QuitEndsTheLoopAndReachesTheOuterLoop) {
  PostQuitMessage(5);
  dialog.RunModalLoop();
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
