// The status bar: indicator panes from the string table, pane layout along the bottom of the
// frame, frame messages in the first pane and idle update of the indicators.
#include "platform/framework/status_bar.h"

#include "platform/res/resource_store.h"
#include "platform/win/message_loop.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT ID_TEST_INDICATOR_CAPS = 33101;
constexpr UINT ID_TEST_INDICATOR_NUM = 33102;

class StatusBarTest : public FrameworkTest {
 protected:
  CMDIFrameWnd* frame = nullptr;
  CStatusBar bar;
  void SetUp() override {
    FrameworkTest::SetUp();
    static bool strings = [] {
      static const res::StringResource table[] = {
          {ID_TEST_INDICATOR_CAPS, "WERS"},
          {ID_TEST_INDICATOR_NUM, "NUM"},
      };
      res::add_strings(table);
      return true;
    }();
    (void)strings;
    frame = make_main_frame();
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    pump();
    ASSERT_TRUE(bar.Create(frame));
  }
  void TearDown() override {
    if (bar.m_hWnd) bar.DestroyWindow();
    FrameworkTest::TearDown();
  }
  CRect item(int index) const {
    CRect r;
    bar.GetItemRect(index, &r);
    return r;
  }
};

TEST_F(StatusBarTest, IndicatorsTakeTheirTextsAndTheMessagePaneStretches) {
  const UINT ids[] = {ID_SEPARATOR, ID_TEST_INDICATOR_CAPS, ID_TEST_INDICATOR_NUM};
  ASSERT_TRUE(bar.SetIndicators(ids, 3));
  EXPECT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(utf8(bar.GetPaneText(1)), "WERS");
  EXPECT_EQ(utf8(bar.GetPaneText(2)), "NUM");
  EXPECT_EQ(bar.GetPaneStyle(0), SBPS_NOBORDERS | SBPS_STRETCH);
  EXPECT_EQ(bar.CommandToIndex(ID_TEST_INDICATOR_NUM), 2);
  EXPECT_EQ(bar.CommandToIndex(ID_TEST_ACTION), -1);
  UINT id = 0, style = 0;
  int width = 0;
  bar.GetPaneInfo(1, id, style, width);
  EXPECT_EQ(id, ID_TEST_INDICATOR_CAPS);
  EXPECT_GT(width, 0);

  // The bar takes the bottom strip; the indicators sit at its right end, the message pane fills
  // the rest, and no two panes overlap.
  frame->RecalcLayout();
  CRect client, r;
  frame->GetClientRect(&client);
  bar.GetWindowRect(&r);
  frame->ScreenToClient(&r);
  EXPECT_EQ(r.bottom, client.bottom);
  EXPECT_EQ(r.Width(), client.Width());
  EXPECT_GT(r.Height(), 10);
  CRect inside;
  bar.GetClientRect(&inside);
  // The last pane stops before the size grip in the corner of the sizable frame.
  int grip = std::min(GetSystemMetrics(SM_CXVSCROLL), int(inside.Height()));
  EXPECT_EQ(item(2).right, inside.right - grip);
  EXPECT_EQ(item(0).left, inside.left);
  EXPECT_LT(item(0).right, item(1).left);
  EXPECT_LT(item(1).right, item(2).left);
  EXPECT_GT(item(1).Width(), width);

  // A wider pane pushes the message pane's end to the left.
  int message_end = item(0).right;
  bar.SetPaneInfo(1, ID_TEST_INDICATOR_CAPS, SBPS_NORMAL, width + 40);
  EXPECT_EQ(item(0).right, message_end - 40);
  EXPECT_EQ(item(2).right, inside.right - grip);

  // Bad indexes change nothing and give empty answers.
  EXPECT_FALSE(bar.SetPaneText(3, "x"));
  EXPECT_FALSE(bar.SetPaneText(-1, "x"));
  EXPECT_TRUE(item(7).IsRectEmpty());
  EXPECT_TRUE(bar.GetPaneText(-1).IsEmpty());
  bar.SetPaneInfo(9, 1, 0, 10);
  EXPECT_EQ(bar.GetCount(), 3);
  pump();  // paints
}

TEST_F(StatusBarTest, MissingIndicatorTextsAreReportedAndLeaveThePaneEmpty) {
  const UINT ids[] = {ID_SEPARATOR, ID_TEST_INDICATOR_CAPS, ID_TEST_NOHANDLER};
  EXPECT_FALSE(bar.SetIndicators(ids, 3));
  EXPECT_EQ(bar.GetCount(), 3);
  EXPECT_EQ(utf8(bar.GetPaneText(1)), "WERS");
  EXPECT_TRUE(bar.GetPaneText(2).IsEmpty());
  EXPECT_FALSE(bar.SetIndicators(nullptr, 2));
  EXPECT_TRUE(bar.SetIndicators(nullptr, 0));
  EXPECT_EQ(bar.GetCount(), 0);
  bar.SetWindowText("bez paneli");  // no pane to show it: nothing happens
}

TEST_F(StatusBarTest, FrameMessagesGoToTheFirstPane) {
  const UINT ids[] = {ID_SEPARATOR, ID_TEST_INDICATOR_CAPS};
  ASSERT_TRUE(bar.SetIndicators(ids, 2));
  frame->SetMessageText(ID_TEST_ACTION);
  EXPECT_EQ(utf8(bar.GetPaneText(0)), "Wykonuje akcję");
  frame->SetMessageText(cp("Gotowy"));
  EXPECT_EQ(utf8(bar.GetPaneText(0)), "Gotowy");
  EXPECT_EQ(utf8(bar.GetPaneText(1)), "WERS");
}

TEST_F(StatusBarTest, IndicatorsFollowTheirCommandsOnIdle) {
  const UINT ids[] = {ID_SEPARATOR, ID_TEST_ACTION, ID_TEST_DISABLED, ID_TEST_NOHANDLER};
  bar.SetIndicators(ids, 4);
  bar.SetPaneText(0, "komunikat");
  win::set_idle_handler([this](long count) { return app->OnIdle(LONG(count)) != FALSE; });
  pump();
  EXPECT_EQ(bar.GetPaneStyle(1) & SBPS_DISABLED, 0u);     // the view handles it
  EXPECT_NE(bar.GetPaneStyle(2) & SBPS_DISABLED, 0u);     // its handler disables it
  EXPECT_NE(bar.GetPaneStyle(3) & SBPS_DISABLED, 0u);     // nobody handles it
  EXPECT_EQ(bar.GetPaneStyle(0) & SBPS_DISABLED, 0u);     // the message pane is no command
  EXPECT_EQ(utf8(bar.GetPaneText(0)), "komunikat");
  win::set_idle_handler(nullptr);
}

}  // namespace
}  // namespace lumo::test
