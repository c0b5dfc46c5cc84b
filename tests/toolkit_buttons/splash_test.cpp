// The splash window: its place, owner and picture, and the ways it closes (its timer, a key, a
// click, Close) or stays (manual).
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/gdi/qt_raster_device.h"
#include "platform/res/resource_store.h"
#include "platform/win/messages.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "platform/win/window_styles.h"
#include "resources/program_resources.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"
#include "tests/toolkit_buttons/button_bar.h"
#include "toolkit/widgets/splash_wnd.h"

namespace lumo::test {
namespace {

constexpr UINT kSplashBitmap = 9310;
constexpr int kWidth = 240, kHeight = 120;

// An 8-bit packed DIB: a navy upper half, a band of the 16 colours below, a white frame.
const std::vector<uint8_t>& splash_dib() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> out;
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&](unsigned v) {
      out.push_back(uint8_t(v));
      out.push_back(uint8_t(v >> 8));
    };
    const uint32_t colours[] = {0x000080, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    put32(40);
    put32(kWidth);
    put32(kHeight);
    put16(1);
    put16(8);
    for (int i = 0; i < 4; ++i) put32(0);
    put32(std::size(colours));
    put32(0);
    for (uint32_t c : colours) put32(c);  // 0x00RRGGBB is blue, green, red, 0 in the file
    for (int y = kHeight - 1; y >= 0; --y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool frame = x < 2 || y < 2 || x >= kWidth - 2 || y >= kHeight - 2;
        out.push_back(frame ? 1 : y < kHeight / 2 ? 0 : uint8_t(2 + x * 6 / kWidth));
      }
    }
    return out;
  }();
  return bytes;
}

class SplashTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    gdi::install_qt_devices();
    resources::register_program_resources();
    static bool added = false;
    if (!added) {
      added = true;
      res::add_binary({res::BinaryKind::bitmap, kSplashBitmap, nullptr, splash_dib()});
    }
  }
  // Pumps until the window is gone; false when it stays for two seconds.
  bool wait_gone(HWND h) {
    for (int i = 0; i < 200 && IsWindow(h); ++i) {
      pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return !IsWindow(h);
  }
};

TEST_F(SplashTest, BeforeTheMainWindowItIsTopmostCentredAndOwnedByAHiddenToolWindow) {
  auto* splash = new SECSplashWnd(kSplashBitmap, 6500);
  ASSERT_TRUE(splash->Create());
  const HWND h = splash->m_hWnd;
  EXPECT_TRUE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  CWnd* owner = splash->GetHiddenOwner();
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner->m_hWnd);
  EXPECT_TRUE(GetWindowLongPtr(owner->m_hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(owner->IsWindowVisible());
  EXPECT_EQ(GetWindowTextString(owner->m_hWnd), "SECSplashWndParent");
  EXPECT_EQ(GetWindowTextString(h), "SECSplashWnd");
  CRect r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, CRect((GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
                     (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2 + kWidth,
                     (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2 + kHeight));
  EXPECT_TRUE(IsWindowVisible(h));
  pump();
  save_pictures(h, "splash", 2);
  EXPECT_EQ(surface_pixel(h, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(surface_pixel(h, 20, 20), RGB(0, 0, 128));
  EXPECT_EQ(surface_pixel(h, 10, 100), RGB(255, 0, 0));
  EXPECT_EQ(surface_pixel(h, 230, 100), RGB(255, 0, 255));
  splash->Close();
  EXPECT_TRUE(wait_gone(h));
}

TEST_F(SplashTest, ClosesOnItsTimerWithoutInput) {
  auto* splash = new SECSplashWnd(kSplashBitmap, 30);
  ASSERT_TRUE(splash->Create());
  const HWND h = splash->m_hWnd;
  const HWND owner = splash->GetHiddenOwner()->m_hWnd;
  EXPECT_TRUE(wait_gone(h));
  pump();
  EXPECT_FALSE(IsWindow(owner));
}

TEST_F(SplashTest, AKeyOrAClickClosesItUnlessItIsManual) {
  auto* keyed = new SECSplashWnd(kSplashBitmap, 60000);
  ASSERT_TRUE(keyed->Create());
  HWND h = keyed->m_hWnd;
  SetFocus(h);
  pump();
  press_key(VK_SPACE, ' ');
  EXPECT_TRUE(wait_gone(h));

  auto* clicked = new SECSplashWnd(kSplashBitmap, 60000);
  ASSERT_TRUE(clicked->Create());
  h = clicked->m_hWnd;
  pump();
  click(h, {50, 50});
  EXPECT_TRUE(wait_gone(h));

  auto* manual = new SECSplashWnd(kSplashBitmap, 10, TRUE);
  ASSERT_TRUE(manual->Create());
  h = manual->m_hWnd;
  SetFocus(h);
  pump();
  press_key(VK_SPACE, ' ');
  click(h, {50, 50});
  for (int i = 0; i < 5; ++i) {
    pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(IsWindow(h));
  manual->Close();
  EXPECT_TRUE(wait_gone(h));
}

TEST_F(SplashTest, ADisabledParentIsEnabledAgainWhenTheSplashCloses) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  auto* splash = new SECSplashWnd(kSplashBitmap, 60000, FALSE, FALSE);
  ASSERT_TRUE(splash->Create(&parent));
  EXPECT_EQ(splash->GetHiddenOwner(), nullptr);
  EXPECT_EQ(GetWindow(splash->m_hWnd, GW_OWNER), parent.m_hWnd);
  EXPECT_FALSE(GetWindowLongPtr(splash->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  splash->DisableParent(TRUE);
  EXPECT_FALSE(parent.IsWindowEnabled());
  splash->SetTopmost(TRUE);
  EXPECT_TRUE(GetWindowLongPtr(splash->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const HWND h = splash->m_hWnd;
  splash->Close();
  EXPECT_TRUE(wait_gone(h));
  EXPECT_TRUE(parent.IsWindowEnabled());
}

TEST_F(SplashTest, AMissingBitmapMakesNoWindow) {
  SECSplashWnd splash(9399, 100);
  EXPECT_FALSE(splash.Create());
  EXPECT_FALSE(splash.m_hWnd);
}

}  // namespace
}  // namespace lumo::test
