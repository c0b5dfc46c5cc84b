// Animation control: a clip of frames from a bitmap resource, played over a range with repeats
// or without end, with start and stop notices to the parent.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/controls/animate_ctrl.h"
#include "platform/gdi/core/dib.h"
#include "platform/res/resource_store.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

constexpr UINT IDR_TEST_CLIP = 9300;
constexpr COLORREF kFrameColours[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 128, 0)};

// A strip of three 4 by 4 frames: red, blue, green.
void register_clip() {
  static const std::vector<uint8_t> packed = [] {
    auto strip = gdi::Bitmap::create(12, 4, false);
    for (int x = 0; x < 12; ++x) {
      for (int y = 0; y < 4; ++y) strip->at(x, y) = gdi::pixel_of(kFrameColours[x / 4]);
    }
    return gdi::encode_packed_dib(*strip);
  }();
  res::add_binary({res::BinaryKind::bitmap, IDR_TEST_CLIP, nullptr, packed});
}

class AnimateParent : public CWnd {
 public:
  std::vector<int> codes;
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    codes.push_back(HIWORD(wParam));
    return TRUE;
  }
};

class AnimateTest : public FrameworkTest {
 protected:
  AnimateParent parent;
  CAnimateCtrl clip;
  void SetUp() override {
    FrameworkTest::SetUp();
    register_clip();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Drukowanie", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    ASSERT_TRUE(clip.Create(WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1035));
  }
  // The colour of the frame on screen.
  COLORREF shown() {
    UpdateWindow(clip.m_hWnd);
    HDC dc = GetDC(clip.m_hWnd);
    COLORREF c = GetPixel(dc, 1, 1);
    ReleaseDC(clip.m_hWnd, dc);
    return c;
  }
  void tick() { clip.SendMessage(WM_TIMER, 1); }
};

TEST_F(AnimateTest, PlaysTheRangeAsOftenAsAskedAndStops) {
  EXPECT_FALSE(clip.Play(0, 0xFFFF, 1));  // nothing open
  ASSERT_TRUE(clip.Open(IDR_TEST_CLIP));
  EXPECT_EQ(shown(), kFrameColours[0]);
  EXPECT_FALSE(clip.Play(0, 3, 1));  // past the last frame
  ASSERT_TRUE(clip.Play(1, 0xFFFF, 2));
  EXPECT_EQ(parent.codes, std::vector<int>{ACN_START});
  std::vector<COLORREF> frames{shown()};
  for (int i = 0; i < 4; ++i) {
    tick();
    frames.push_back(shown());
  }
  // Frames 1, 2, 1, 2, then it stops on the last.
  EXPECT_EQ(frames, (std::vector<COLORREF>{kFrameColours[1], kFrameColours[2], kFrameColours[1], kFrameColours[2],
                                           kFrameColours[2]}));
  EXPECT_EQ(parent.codes, (std::vector<int>{ACN_START, ACN_STOP}));
}

TEST_F(AnimateTest, EndlessPlayRunsUntilStoppedAndSeekOnlyShows) {
  ASSERT_TRUE(clip.Open(IDR_TEST_CLIP));
  ASSERT_TRUE(clip.Play(0, 0xFFFF, UINT(-1)));
  for (int i = 0; i < 7; ++i) tick();
  EXPECT_EQ(shown(), kFrameColours[1]);
  EXPECT_TRUE(clip.Stop());
  tick();
  EXPECT_EQ(shown(), kFrameColours[1]);
  EXPECT_EQ(parent.codes, (std::vector<int>{ACN_START, ACN_STOP}));
  parent.codes.clear();
  EXPECT_TRUE(clip.Seek(2));
  EXPECT_EQ(shown(), kFrameColours[2]);
  EXPECT_TRUE(parent.codes.empty());
  // A missing clip closes the old one.
  EXPECT_FALSE(clip.Open(IDR_TEST_CLIP + 1));
  EXPECT_FALSE(clip.Seek(0));
}

}  // namespace
}  // namespace lumo::test
