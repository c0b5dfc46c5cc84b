// The track bar and push buttons with pictures in the module (this program's resources hold none;
// these tests add small ones), so the thumb can be dragged and the faces drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "pictures/media/media_text.h"
#include "pictures/media/media_window.h"
#include "pictures/media/play_bar.h"
#include "platform/framework/control_messages.h"
#include "platform/gdi/core/gdi_types.h"
#include "platform/res/resource_store.h"
#include "platform/win/system_metrics.h"
#include "platform/win/window_api.h"
#include "tests/media/fake_media.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"

namespace media::test {
namespace {

constexpr COLORREF kRed = RGB(220, 30, 30), kBlue = RGB(30, 30, 220), kGreen = RGB(30, 160, 30);

// A 16-colour bitmap resource: index 9 red, 12 blue, 13 green, 7 grey (becomes the face colour);
// the picture is `fill` with a one-pixel border of index 7.
std::vector<uint8_t> Dib(int width, int height, uint8_t fill) {
  const int stride = ((width * 4 + 31) / 32) * 4;
  std::vector<uint8_t> bytes(40 + 64 + size_t(stride) * height, 0);
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 4;
  header.biCompression = BI_RGB;
  std::memcpy(bytes.data(), &header, sizeof header);
  auto set = [&](int entry, COLORREF c) {
    bytes[40 + entry * 4] = GetBValue(c);
    bytes[40 + entry * 4 + 1] = GetGValue(c);
    bytes[40 + entry * 4 + 2] = GetRValue(c);
  };
  set(7, RGB(128, 128, 128));
  set(9, kRed);
  set(12, kBlue);
  set(13, kGreen);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t index = (x == 0 || y == 0 || x == width - 1 || y == height - 1) ? 7 : fill;
      uint8_t& b = bytes[104 + size_t(y) * stride + x / 2];
      b |= x % 2 ? index : uint8_t(index << 4);
    }
  }
  return bytes;
}

void AddPictures() {
  static bool added = false;
  if (added) return;
  added = true;
  static const std::vector<uint8_t> thumb0 = Dib(11, 18, 9), thumb1 = Dib(11, 18, 13), thumb2 = Dib(11, 18, 12),
                                    play0 = Dib(12, 11, 9), play1 = Dib(12, 11, 13), play2 = Dib(12, 11, 12),
                                    wrong = std::vector<uint8_t>(10, 0);
  using res::BinaryKind;
  res::add_binary({BinaryKind::bitmap, 0, "thumb0", thumb0});
  res::add_binary({BinaryKind::bitmap, 0, "thumb1", thumb1});
  res::add_binary({BinaryKind::bitmap, 0, "thumb2", thumb2});
  res::add_binary({BinaryKind::bitmap, 0, "play0", play0});
  res::add_binary({BinaryKind::bitmap, 0, "play1", play1});
  res::add_binary({BinaryKind::bitmap, 0, "play2", play2});
  res::add_binary({BinaryKind::bitmap, 0, "stop0", wrong});
}

std::vector<std::pair<WORD, int>> g_reports;
LRESULT Recorder(HWND h, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_HSCROLL) {
    const HWND track = reinterpret_cast<HWND>(lp);
    g_reports.emplace_back(LOWORD(wp), int(SendMessage(track, kTbGetPos, 0, 0)));
    return 0;
  }
  return DefWindowProc(h, message, wp, lp);
}

class AnimControls : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    AddPictures();
    ASSERT_EQ(MciInit(nullptr), 1);
    parent = CreateWindowEx(0, lumo::test::test_window_class("AnimHost", Recorder), "", WS_OVERLAPPED | WS_VISIBLE, 0,
                            0, 300, 100, nullptr, nullptr, nullptr);
    g_reports.clear();
  }
  void TearDown() override {
    DestroyWindow(parent);
    MciTerm(nullptr);
    GuiTest::TearDown();
  }
  HWND parent = nullptr;
};

TEST(TrackBarGeometry, HitTest) {
  struct Case {
    POINT p;
    TrackHit hit;
  } cases[] = {
      {{5, 8}, TrackHit::pageLeft},   {{0, 8}, TrackHit::none},       {{5, 4}, TrackHit::none},
      {{5, 13}, TrackHit::none},      {{40, 12}, TrackHit::pageRight}, {{99, 8}, TrackHit::none},
      {{40, 2}, TrackHit::none},      {{20, 1}, TrackHit::none},       {{21, 1}, TrackHit::thumb},
      {{30, 1}, TrackHit::none},      {{29, 1}, TrackHit::thumb},      {{20, 14}, TrackHit::thumb},
      {{20, 15}, TrackHit::none},     {{21, 15}, TrackHit::thumb},     {{23, 18}, TrackHit::none},
      {{24, 18}, TrackHit::thumb},    {{26, 18}, TrackHit::thumb},     {{27, 18}, TrackHit::none},
      {{25, 19}, TrackHit::none},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackBarHitTest(c.p, 20, 11, 100), c.hit) << c.p.x << "," << c.p.y;
  }
  // Without a thumb picture the press pages to either side.
  EXPECT_EQ(TrackBarHitTest({20, 8}, 20, 0, 100), TrackHit::pageRight);
  EXPECT_EQ(TrackBarHitTest({19, 8}, 20, 0, 100), TrackHit::pageLeft);
  // Positions from the thumb's edge: both ends exact, never past the maximum.
  EXPECT_EQ(TrackBarPositionAt(1, 87, 100, 9999), 100);
  EXPECT_EQ(TrackBarPositionAt(88, 87, 100, 9999), 9999);
  EXPECT_EQ(TrackBarPositionAt(1, 87, 5, 5), 5);
}

TEST_F(AnimControls, MappedBitmapsNeedSixteenColours) {
  EXPECT_EQ(MediaPictures().thumbWidth, 11);
  EXPECT_TRUE(MediaPictures().faces[MediaButtonFaceIndex("#PLAY")][0]);
  EXPECT_FALSE(MediaPictures().faces[MediaButtonFaceIndex("#stop")][0]);  // not a 4-bit DIB
  EXPECT_FALSE(MediaMappedBitmap(nullptr, "nothing"));
  EXPECT_EQ(MediaButtonFaceIndex("#menu"), 13);
  EXPECT_EQ(MediaButtonFaceIndex("play"), -1);
  EXPECT_EQ(MediaButtonFaceIndex("#plays"), -1);
}

TEST_F(AnimControls, TheThumbIsDraggedAndReportsItsPositions) {
  HWND track = CreateWindowEx(0, kTrackBarClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 111, 22, parent,
                              reinterpret_cast<HMENU>(intptr_t(kTrackBarId)), nullptr);
  ASSERT_TRUE(track);
  SendMessage(track, kTbSetMax, 0, 1000);
  SendMessage(track, kTbAddTick, 0, 500);
  SendMessage(track, kTbSetPos, 1, 0);
  UpdateWindow(parent);
  pump();
  // Channel 111 - 11 - 2 = 98; the thumb stands at x 1..11.
  EXPECT_EQ(lumo::test::surface_pixel(track, 5, 8), kRed);
  SetFocus(track);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 4);
  EXPECT_EQ(caret.y, 3);

  SendMessage(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
  EXPECT_EQ(GetCapture(), track);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 5, 8), kBlue);  // drawn as dragged
  SendMessage(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(53, 8));  // edge at 49: (49 - 1) * 1000 / 98
  SendMessage(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(53, 30));  // same place: no report
  SendMessage(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 8));  // held at the right end
  pump();
  ASSERT_TRUE(lumo::test::save_window_png(track, "track_bar_dragged.png"));
  EXPECT_EQ(lumo::test::surface_pixel(track, 103, 8), kBlue);
  SendMessage(track, WM_LBUTTONUP, 0, MAKELPARAM(500, 8));
  EXPECT_NE(GetCapture(), track);
  const std::vector<std::pair<WORD, int>> expected{
      {kThumbPressed, 0}, {SB_THUMBTRACK, 490}, {SB_THUMBTRACK, 1000}, {SB_THUMBPOSITION, 1000}, {SB_ENDSCROLL, 1000}};
  EXPECT_EQ(g_reports, expected);
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 99 + 3);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 103, 8), kRed);
  // Presses beside the thumb page; a disabled bar shows its disabled thumb and takes no press.
  g_reports.clear();
  SendMessage(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 8));
  SendMessage(track, WM_LBUTTONUP, 0, MAKELPARAM(40, 8));
  EXPECT_EQ(g_reports, (std::vector<std::pair<WORD, int>>{{SB_PAGEUP, 1000}}));
  EnableWindow(track, FALSE);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 103, 8), kGreen);
  g_reports.clear();
  SendMessage(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 8));
  EXPECT_TRUE(g_reports.empty());
  SetFocus(parent);
}

TEST_F(AnimControls, TheThumbFollowsRangeChanges) {
  HWND track = CreateWindowEx(0, kTrackBarClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 111, 22, parent,
                              reinterpret_cast<HMENU>(intptr_t(kTrackBarId)), nullptr);
  ASSERT_TRUE(track);
  SendMessage(track, kTbSetMax, 0, 1000);
  SendMessage(track, kTbSetPos, 0, 800);  // without a redraw the thumb still moves for the next paint
  UpdateWindow(parent);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 84, 8), kRed);
  SendMessage(track, kTbSetMax, 1, 400);  // below the position: the position follows
  EXPECT_EQ(SendMessage(track, kTbGetPos, 0, 0), 400);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 104, 8), kRed);
  SendMessage(track, kTbSetMin, 0, 400);  // minimum = maximum: the thumb at the left edge
  SendMessage(track, kTbSetPos, 1, 400);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 5, 8), kRed);
  // Narrower than its thumb: a channel of one pixel.
  MoveWindow(track, 10, 10, 8, 22, TRUE);
  SendMessage(track, kTbSetMin, 0, 0);
  SendMessage(track, kTbSetPos, 1, 400);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(track, 3, 8), kRed);
}

TEST_F(AnimControls, ButtonsShowTheFaceOfTheirState) {
  HWND button = CreateWindowEx(0, kButtonClass, "#play", WS_CHILD | WS_VISIBLE, 10, 10, 20, 17, parent,
                               reinterpret_cast<HMENU>(intptr_t(kBtnPlay)), nullptr);
  ASSERT_TRUE(button);
  UpdateWindow(parent);
  pump();
  // Centred at its own size: 12 x 11 in 20 x 17 stands at (4, 3).
  EXPECT_EQ(lumo::test::surface_pixel(button, 10, 8), kRed);
  EXPECT_EQ(lumo::test::surface_pixel(button, 4, 3), GetSysColor(COLOR_BTNFACE));  // grey mapped to the face
  EXPECT_EQ(lumo::test::surface_pixel(button, 1, 1), GetSysColor(COLOR_BTNFACE));
  SendMessage(button, BM_SETSTATE, 1, 0);
  pump();
  ASSERT_TRUE(lumo::test::save_window_png(button, "button_pressed.png"));
  EXPECT_EQ(lumo::test::surface_pixel(button, 10, 8), kBlue);
  EnableWindow(button, FALSE);
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(button, 10, 8), kGreen);
  SetWindowText(button, "#stop");  // no usable picture: the face colour only
  pump();
  EXPECT_EQ(lumo::test::surface_pixel(button, 10, 8), GetSysColor(COLOR_BTNFACE));
}

TEST_F(AnimControls, APlayBarWithFacesAndThumb) {
  Rig rig;
  rig.script.video = true;
  MediaWords words;
  words.keywords[kKwTrackBar] = "track";
  words.keywords[kKwButtons] = "buttons";
  words.buttons[kBtnPlay - 1] = "play";
  words.buttons[kBtnStop - 1] = "stop";
  MediaSetWords(words);
  HWND w = CreateWindowEx(0, kMediaClass, "[buttons play stop] [track] film.avi", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                          parent, nullptr, nullptr);
  ASSERT_TRUE(w);
  SIZE size{};
  SendMessage(w, 0x706B, 0, reinterpret_cast<LPARAM>(&size));
  MoveWindow(parent, 0, 0, size.cx + 20, size.cy + 20, TRUE);
  MoveWindow(w, 0, 0, size.cx, size.cy, TRUE);
  UpdateWindow(parent);
  pump();
  ASSERT_TRUE(lumo::test::save_window_png(w, "media_window_faces.png"));
  HWND bar = GetWindow(w, GW_CHILD);
  while (bar && !GetDlgItem(bar, kTrackBarId)) bar = GetWindow(bar, GW_HWNDNEXT);
  ASSERT_TRUE(bar);
  // The play button shows its face; the thumb stands at the track bar's left end.
  EXPECT_EQ(lumo::test::surface_pixel(GetDlgItem(bar, kBtnPlay), 10, 8), kRed);
  EXPECT_EQ(lumo::test::surface_pixel(GetDlgItem(bar, kTrackBarId), 5, 8), kRed);
  MediaSetWords({});
  DestroyWindow(w);
}

}  // namespace
}  // namespace media::test
