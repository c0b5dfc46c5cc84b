// The status bar's panes without a window: tips, the date pane, double-click actions, the lock
// panes and the progress requests.
#include "controls/status_bar_panes.h"

#include "platform/framework/command_ids.h"
#include "platform/win/keyboard_locks.h"
#include "platform/win/virtual_keys.h"
#include "resources/resource_ids.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

using namespace status_panes;

TEST(StatusBarPanes, TipsByPane) {
  const char* tips[] = {"Pomoc",     "Nagłówek aktu", "Liczba znalezionych słów", "Num Lock",
                        "Caps Lock", "Bieżąca data",  "!Wyjątki"};
  for (int pane = 0; pane < kPaneCount; ++pane) EXPECT_EQ(utf8(PaneTip(pane, kDateToday)), tips[pane]) << pane;
  EXPECT_EQ(utf8(PaneTip(kPaneDate, kDateLegalState)), "Stan prawny na dzień");
  EXPECT_TRUE(PaneTip(7, kDateToday).IsEmpty()) << "an eighth pane has no tip";
  EXPECT_TRUE(PaneTip(-1, kDateToday).IsEmpty());
  EXPECT_EQ(PaneIndicator(kPaneDate), resources::ID_INDICATOR_DATE);
  EXPECT_EQ(PaneIndicator(kPaneCapsLock), ID_INDICATOR_CAPS);
  EXPECT_EQ(PaneIndicator(9), 0u);
}

TEST(StatusBarPanes, DatePaneShowsTodayOrTheLegalState) {
  CTime today(2026, 12, 10, 23, 5, 0);
  CTime legal(1999, 5, 3, 0, 0, 0);
  EXPECT_EQ(DatePaneText(kDateToday, today, legal).str(), "data: 10/12/26");
  EXPECT_EQ(DatePaneText(kDateLegalState, today, legal).str(), "stan: 03/05/99");
}

TEST(StatusBarPanes, DoubleClickActions) {
  struct Case {
    int pane;
    DoubleClickAction::Kind kind;
    UINT command;
    BYTE key;
  };
  const Case cases[] = {
      {kPaneMessage, DoubleClickAction::kCommand, ID_HELP_FINDER, 0},
      {kPaneActAddress, DoubleClickAction::kCommand, resources::ID_GO_TO, 0},
      {kPaneFoundWords, DoubleClickAction::kCommand, resources::ID_QUERY, 0},
      {kPaneNumLock, DoubleClickAction::kToggleLock, 0, BYTE(VK_NUMLOCK)},
      {kPaneCapsLock, DoubleClickAction::kToggleLock, 0, BYTE(VK_CAPITAL)},
      {kPaneDate, DoubleClickAction::kCommand, resources::ID_OPTIONS, 0},
      {kPaneMark, DoubleClickAction::kNone, 0, 0},
      {7, DoubleClickAction::kNone, 0, 0},
  };
  for (const Case& c : cases) {
    DoubleClickAction a = PaneDoubleClick(c.pane);
    EXPECT_EQ(a.kind, c.kind) << c.pane;
    EXPECT_EQ(a.command, c.command) << c.pane;
    EXPECT_EQ(a.key, c.key) << c.pane;
  }
  EXPECT_EQ(PaneDoubleClick(kPaneNumLock).scan, 0x45);
  EXPECT_EQ(PaneDoubleClick(kPaneNumLock).key_flags, KEYEVENTF_EXTENDEDKEY);
  EXPECT_EQ(PaneDoubleClick(kPaneCapsLock).scan, 0x3A);
  EXPECT_EQ(PaneDoubleClick(kPaneCapsLock).key_flags, 0u);
}

TEST(StatusBarPanes, ProgressKeepsItsWholeRange) {
  ProgressChange end = Progress(-1, 0);
  EXPECT_TRUE(end.end);
  ProgressChange keep = Progress(5, 0);
  EXPECT_FALSE(keep.end);
  EXPECT_FALSE(keep.set_range) << "a range of 0 leaves the range";
  EXPECT_EQ(keep.position, 5);
  ProgressChange large = Progress(70000, 100000);
  EXPECT_TRUE(large.set_range);
  EXPECT_EQ(large.range, 100000) << "not cut to 16 bits";
  EXPECT_EQ(large.position, 70000);
}

class LockPaneTest : public FrameworkTest {};

TEST_F(LockPaneTest, ToggledLockShowsInItsPane) {
  CMDIFrameWnd* frame = make_main_frame();
  frame->SetFocus();
  for (int pane : {kPaneCapsLock, kPaneNumLock}) {
    bool before = LockPaneOn(pane);
    ToggleLock(PaneDoubleClick(pane));
    pump();
    EXPECT_NE(LockPaneOn(pane), before) << pane;
    ToggleLock(PaneDoubleClick(pane));
    pump();
    EXPECT_EQ(LockPaneOn(pane), before) << pane;
  }
  EXPECT_FALSE(LockPaneOn(kPaneDate));
}

}  // namespace
}  // namespace lumo::test
