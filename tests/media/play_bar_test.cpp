#include <gtest/gtest.h>

#include "pictures/media/play_bar.h"
#include "tests/media/fake_media.h"

namespace media::test {
namespace {

MediaOptions WithButtons(std::initializer_list<int> buttons) {
  MediaOptions o;
  for (int b : buttons) o.buttons |= uint16_t(1u << b);
  o.trackBar = true;
  return o;
}

MarkSpec Stop(const char* name, int32_t at) { return {name, true, false, 0, at}; }

TEST(PlayBar, RangeByTracksAndMarksInsideIt) {
  Rig rig;
  rig.script.length = 9000;
  rig.script.trackStarts = {0, 3000, 6000};
  rig.script.trackLengths = {3000, 3000, 3000};
  MediaOptions o = WithButtons({5, 13});
  o.firstTrack = 2;
  o.lastTrack = 2;
  o.marks = {Stop("przed", 1000), Stop("środek", 4500), Stop("za", 7000)};
  ASSERT_TRUE(rig.open(o));
  EXPECT_EQ(rig.device.first, 3000);
  EXPECT_EQ(rig.device.last, 5999);
  EXPECT_EQ(rig.device.current, 3000);
  EXPECT_EQ(rig.bar.ticks, (std::vector<int32_t>{4500}));
  int grayed = 0;
  for (const MenuItem& item : rig.bar.menu) grayed += item.grayed;
  EXPECT_EQ(grayed, 2);
  // A play from the first track position stops at the track's end, and the media rewinds.
  rig.command(kBtnPlayPause);
  EXPECT_TRUE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.script.log.back(), "play 3000-5999");
  rig.advance(3100);
  EXPECT_FALSE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.device.current, 3000);
  EXPECT_FALSE(rig.bar.down(kBtnPlayPause));
}

TEST(PlayBar, EndOfPlayWithAndWithoutRepeat) {
  for (bool repeat : {false, true}) {
    Rig rig;
    rig.script.length = 1000;
    MediaOptions o = WithButtons({6, 4, 13});
    o.repeat = repeat;
    ASSERT_TRUE(rig.open(o));
    rig.command(kBtnPlay);
    EXPECT_TRUE(rig.bar.down(kBtnPlay));
    rig.advance(1200);
    EXPECT_EQ(rig.device.has(kDevPlaying), repeat) << repeat;
    EXPECT_EQ(rig.bar.down(kBtnPlay), repeat) << repeat;
    EXPECT_FALSE(rig.bar.down(kBtnPause));
    if (!repeat) { EXPECT_EQ(rig.device.current, 0); }
    int plays = 0;
    for (const std::string& entry : rig.script.log) plays += entry.starts_with("play");
    EXPECT_EQ(plays, repeat ? 2 : 1);
  }
}

TEST(PlayBar, PreviousTwiceWithinTheRepressTimeStepsBackTwoMarks) {
  Rig rig;
  MediaOptions o = WithButtons({5, 11, 12});
  o.marks = {Stop("a", 2000), Stop("b", 4000), Stop("c", 6000)};
  ASSERT_TRUE(rig.open(o));
  rig.command(kBtnPlayPause);
  rig.advance(7000);  // now at about 7000, past mark c
  ASSERT_TRUE(rig.device.has(kDevPlaying));
  rig.command(kBtnPrevious);
  EXPECT_FALSE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.device.current, 6000);
  EXPECT_TRUE(rig.clock.armed(kResumeTimer));
  rig.advance(300);
  rig.command(kBtnPrevious);
  EXPECT_EQ(rig.device.current, 4000);
  rig.advance(499);
  EXPECT_FALSE(rig.device.has(kDevPlaying));
  rig.advance(2);
  EXPECT_TRUE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.script.log.back(), "play 4000-9999");
  // Next plays at once from the next stop mark; past the last one it goes to the end.
  rig.advance(100);
  rig.command(kBtnNext);
  EXPECT_TRUE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.script.log.back(), "play 6000-9999");
}

TEST(PlayBar, ScanAndSectionsAndThumbScale) {
  Rig rig;
  rig.script.length = 200000;
  rig.script.trackLengths = {200000};
  MediaOptions o = WithButtons({5, 8, 9});
  o.marks = {{"", false, true, 0, 50000}};
  ASSERT_TRUE(rig.open(o));
  // Positions above 65,535 are scaled to the track bar's width.
  EXPECT_EQ(rig.bar.scale, 200000 / 80);
  EXPECT_LE(rig.bar.thumbMax, 80);
  rig.command(kBtnScanForward);
  EXPECT_EQ(rig.device.current, 1000);
  rig.command(kBtnScanBack);
  rig.command(kBtnScanBack);
  EXPECT_EQ(rig.device.current, 0);
  EXPECT_FALSE(rig.bar.enabled & (1u << kBtnScanBack));
  // Section play stops before the section mark and pauses there.
  rig.command(kCmdSectionPlay);
  rig.command(kBtnPlayPause);
  EXPECT_EQ(rig.script.log.back(), "play 0-49999");
  rig.advance(50100);
  EXPECT_FALSE(rig.device.has(kDevPlaying));
  EXPECT_EQ(rig.device.current, 50000);
  EXPECT_FALSE(rig.bar.down(kBtnPlayPause));
}

TEST(PlayBar, DeviceStatesEnableTheButtons) {
  Rig rig;
  rig.script.canPlay = false;
  rig.script.canEject = true;
  ASSERT_TRUE(rig.open(WithButtons({1, 2, 3, 4, 6, 7, 10, 13})));
  const uint16_t never = (1u << 2) | (1u << 3) | (1u << 7) | (1u << 10);
  EXPECT_EQ(rig.bar.enabled & never, 0);
  EXPECT_EQ(rig.bar.enabled & ((1u << 4) | (1u << 6) | (1u << 13)), 0);
  EXPECT_TRUE(rig.bar.enabled & (1u << 1));
  // Eject opens the door; the poll then finds the device not ready and disables the controls.
  rig.command(kBtnEject);
  rig.advance(150);
  EXPECT_FALSE(rig.device.has(kDevReady));
  EXPECT_TRUE(rig.bar.flags & kBarDisabled);
  EXPECT_EQ(rig.device.current, rig.device.first);
  // The door closes with media: the poll learns it again.
  rig.script.doorOpen = false;
  rig.advance(150);
  EXPECT_TRUE(rig.device.has(kDevReady));
  EXPECT_FALSE(rig.bar.flags & kBarDisabled);
}

TEST(PlayBar, FailuresAreReported) {
  Rig rig;
  MediaOptions o = WithButtons({5});
  o.expectedMedia = "Płyta 1";
  o.expectedNumber = 1234;
  rig.script.present = false;
  ASSERT_TRUE(rig.open(o));
  rig.script.present = true;
  rig.advance(150);
  EXPECT_EQ(rig.errors, (std::vector<uint32_t>{kErrOtherMedia}));
  EXPECT_TRUE(rig.bar.flags & kBarDisabled);

  Rig second;
  ASSERT_TRUE(second.open(WithButtons({5})));
  second.command(kBtnPlayPause);
  PlayBarNotify(second.bar, second.device, MCI_NOTIFY_FAILURE);
  EXPECT_FALSE(second.device.has(kDevPlaying));
  EXPECT_FALSE(second.bar.down(kBtnPlayPause));
  EXPECT_EQ(second.errors, (std::vector<uint32_t>{kErrPlayFailed}));
}

TEST(PlayBar, FramesWhenMillisecondsAreRefused) {
  Rig rig;
  rig.script.refuseMilliseconds = true;
  ASSERT_TRUE(rig.open());
  EXPECT_TRUE(rig.device.has(kDevFrames));
  EXPECT_TRUE(MciSeek(rig.device, -50));
  EXPECT_EQ(rig.device.current, rig.device.first);
  EXPECT_TRUE(MciSeek(rig.device, 1 << 30));
  EXPECT_EQ(rig.device.current, rig.device.last);
}

TEST(MediaDevices, OpenErrorsBecomeTheLayersCodes) {
  Rig rig;
  struct Case {
    uint32_t driver;
    uint32_t posted;
  } cases[] = {{MCIERR_DEVICE_OPEN, kErrDeviceInUse},
               {MCIERR_MUST_USE_SHAREABLE, kErrDeviceInUse},
               {MCIERR_EXTENSION_NOT_FOUND, kErrNoDriver},
               {MCIERR_FILENAME_REQUIRED, kErrFileRequired},
               {MCIERR_DEVICE_NOT_INSTALLED, MCIERR_DEVICE_NOT_INSTALLED}};
  for (const Case& c : cases) {
    rig.errors.clear();
    rig.script.openError = c.driver;
    EXPECT_EQ(MciOpenDevice(nullptr, "", "a.wav", nullptr), 0);
    EXPECT_EQ(rig.errors, (std::vector<uint32_t>{c.posted}));
  }
}

}  // namespace
}  // namespace media::test
