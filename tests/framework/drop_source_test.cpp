// Drop sources: a source's own decision to go on, drop or cancel, and its feedback for each effect
// the targets offer during the drag.
#include <string>
#include <vector>

#include "platform/shell/clipboard.h"
#include "platform/shell/drag_drop.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Records its calls; cancels as soon as Shift is held when asked to.
class RecordingSource : public COleDropSource {
 public:
  std::vector<DROPEFFECT> feedback;
  BOOL begin = TRUE;
  bool cancel_on_shift = false;
  bool started_while_dragging = false;
  BOOL OnBeginDrag(CWnd* pWnd) override {
    COleDropSource::OnBeginDrag(pWnd);
    return begin;
  }
  SCODE QueryContinueDrag(BOOL escape, DWORD keys) override {
    started_while_dragging = started_while_dragging || m_bDragStarted;
    if (cancel_on_shift && (keys & MK_SHIFT)) return DRAGDROP_S_CANCEL;
    return COleDropSource::QueryContinueDrag(escape, keys);
  }
  SCODE GiveFeedback(DROPEFFECT effect) override {
    feedback.push_back(effect);
    return S_OK;
  }
};

class Dragger : public CWnd {
 public:
  RecordingSource* drop_source = nullptr;
  DROPEFFECT result = 0xFFFF;
  afx_msg void OnLButtonDown(UINT, CPoint) {
    COleDataSource data;
    const uint8_t info[16] = {7};
    data.CacheData(RegisterClipboardFormat("Topic Info"), info);
    result = data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK | DROPEFFECT_SCROLL, nullptr,
                             drop_source);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Dragger, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Takes links only.
class LinkTarget : public COleDropTarget {
 public:
  std::vector<std::string> events;
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_LINK; }
  void OnDragLeave(CWnd*) override { events.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT effect, CPoint) override {
    events.push_back(effect == DROPEFFECT_LINK ? "drop link" : "drop other");
    return TRUE;
  }
};

class DropSourceTest : public FrameworkTest {
 protected:
  CWnd top;
  Dragger dragger;
  CWnd sink;
  LinkTarget target;
  RecordingSource drop_source;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
    ASSERT_TRUE(dragger.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    ASSERT_TRUE(sink.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &top, 2));
    ASSERT_TRUE(target.Register(&sink));
    dragger.drop_source = &drop_source;
    pump();
  }
  void TearDown() override {
    target.Revoke();
    FrameworkTest::TearDown();
  }
  void drag_to_sink(win::KeyModifiers keys_on_sink = {}) {
    mouse_down(screen_point(dragger.m_hWnd, POINT{10, 10}));
    when_captured([&] {
      mouse_move(screen_point(dragger.m_hWnd, POINT{50, 10}));
      mouse_move(screen_point(sink.m_hWnd, POINT{10, 10}), keys_on_sink);
      mouse_up(screen_point(sink.m_hWnd, POINT{10, 10}), win::MouseButton::left, keys_on_sink);
    });
    pump();
  }
};

TEST_F(DropSourceTest, TheSourceIsToldEachOfferedEffectAndTheDropFollowsTheButton) {
  drag_to_sink();
  EXPECT_TRUE(drop_source.started_while_dragging);
  EXPECT_FALSE(drop_source.m_bDragStarted);
  // Over the source itself nothing is offered; over the sink a link.
  ASSERT_GE(drop_source.feedback.size(), 2u);
  EXPECT_EQ(drop_source.feedback.front(), DROPEFFECT_NONE);
  EXPECT_EQ(drop_source.feedback.back(), DROPEFFECT_LINK);
  EXPECT_EQ(dragger.result, DROPEFFECT_LINK);
  EXPECT_EQ(target.events, std::vector<std::string>{"drop link"});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DropSourceTest, ASourceThatCancelsEndsTheDragWithoutADrop) {
  drop_source.cancel_on_shift = true;
  drag_to_sink(win::KeyModifiers{.shift = true});
  EXPECT_EQ(dragger.result, DROPEFFECT_NONE);
  EXPECT_EQ(target.events, std::vector<std::string>{"leave"});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DropSourceTest, ASourceThatRefusesToBeginLeavesTheMouseAlone) {
  drop_source.begin = FALSE;
  mouse_down(screen_point(dragger.m_hWnd, POINT{10, 10}));
  pump();
  EXPECT_EQ(dragger.result, DROPEFFECT_NONE);
  EXPECT_TRUE(drop_source.feedback.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  mouse_up(screen_point(dragger.m_hWnd, POINT{10, 10}));
  pump();
}

TEST_F(DropSourceTest, TheFrameworkSourceDropsOnReleaseAndCancelsOnEscape) {
  COleDropSource plain;
  EXPECT_EQ(plain.QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(plain.QueryContinueDrag(FALSE, MK_CONTROL), DRAGDROP_S_DROP);
  EXPECT_EQ(plain.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(plain.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);

  // Without a source of its own the drag uses the framework's: Esc during the drag cancels it.
  dragger.drop_source = nullptr;
  mouse_down(screen_point(dragger.m_hWnd, POINT{10, 10}));
  when_captured([&] {
    mouse_move(screen_point(sink.m_hWnd, POINT{10, 10}));
    press_key(VK_ESCAPE);
  });
  pump();
  EXPECT_EQ(dragger.result, DROPEFFECT_NONE);
  EXPECT_EQ(target.events, std::vector<std::string>{"leave"});
  mouse_up(screen_point(sink.m_hWnd, POINT{10, 10}));
  pump();
}

}  // namespace
}  // namespace lumo::test
