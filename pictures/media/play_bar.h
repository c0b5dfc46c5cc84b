// The play bar's logic: the play range with its marks and sections, the polling that follows the
// device, the end-of-play notification, scanning, previous/next, repeat, section play and the
// sound switch. Plain code over the device record; the buttons, the thumb and the menu are kept as
// plain state here, and the play-bar window shows them (play_bar_window.cpp).
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "pictures/media/media_device.h"
#include "pictures/media/media_text.h"

namespace media {

// Button ids and their names.
inline constexpr int kBtnEject = 1, kBtnFrameAdvance = 2, kBtnFrameBack = 3, kBtnPause = 4, kBtnPlayPause = 5,
                     kBtnPlay = 6, kBtnRecord = 7, kBtnScanBack = 8, kBtnScanForward = 9, kBtnSlowMotion = 10,
                     kBtnPrevious = 11, kBtnNext = 12, kBtnStop = 13;
inline constexpr int kTrackBarId = 100;
inline constexpr int kMenuButtonId = 101;
inline constexpr int kCmdStopNoRewind = 100;
inline constexpr int kCmdSectionPlay = 200;
inline constexpr int kCmdSound = 201;
inline constexpr int kCmdFirstMark = 1000;
inline constexpr UINT_PTR kPollTimer = 1;
inline constexpr UINT_PTR kResumeTimer = 2;
inline constexpr WORD kNotifyReleased = 6;  // a push button released after auto-repeat
inline constexpr WORD kThumbPressed = 9;    // the track bar's thumb was pressed
extern const char* const kButtonNames[14];  // "#eject" .. "#stop", then "#menu"

// Play-bar flags.
inline constexpr uint32_t kBarTrackBar = 0x1;
inline constexpr uint32_t kBarMenu = 0x2;
inline constexpr uint32_t kBarLocked = 0x4;
inline constexpr uint32_t kBarDisabled = 0x8;
inline constexpr uint32_t kBarRepeat = 0x10;
inline constexpr uint32_t kBarScanPause = 0x20;
inline constexpr uint32_t kBarNoControls = 0x40;
inline constexpr uint32_t kBarAutoPlay = 0x80;
inline constexpr uint32_t kBarAutoPlayPending = 0x100;
inline constexpr uint32_t kBarSoundItem = 0x200;

struct Mark {
  std::string name;
  bool section = false;
  bool stop = false;
  bool enabled = true;
  uint16_t menuId = 0;
  uint16_t track = 0;
  int32_t offset = 0;
  int32_t position = -1;
};

struct MenuItem {
  uint16_t id = 0;  // 0: a separator
  std::string text;
  bool checked = false;
  bool grayed = false;
};

struct PlayBarData {
  HWND window = nullptr;  // the play bar (notifications); null in plain tests
  uint16_t buttons = 0;   // bit n: button n exists
  uint16_t pressed = 0;   // bit n: button n is down
  uint16_t enabled = 0;   // bit n: button n is enabled
  bool menuEnabled = false, trackBarEnabled = false;
  std::vector<MenuItem> menu;
  RECT trackRect{0, 0, 80, 0};
  UINT period = 100;
  int32_t scale = 1;
  int32_t thumb = 0, thumbMin = 0, thumbMax = 0;
  std::vector<int32_t> ticks;
  bool dragging = false;
  uint32_t flags = 0;
  int32_t scanStep = 1000;
  bool muted = false;
  bool sectionPlay = false;
  uint16_t firstTrack = 0, lastTrack = 0;
  int32_t firstOffset = -1, lastOffset = -1;
  std::list<Mark> marks;  // begins with an unnamed mark at 0
  std::list<Mark>::iterator current;
  std::string expectedMedia;
  int32_t expectedNumber = 0;
  bool wasReady = false, wasPlaying = false;

  PlayBarData();
  bool has(int button) const { return (buttons >> button) & 1; }
  bool down(int button) const { return (pressed >> button) & 1; }
};

// The strings the menu uses (section play 356, sound 357; empty in this program).
struct PlayBarTexts {
  std::string sectionPlay, sound;
};
void SetPlayBarTexts(PlayBarTexts texts);

// Sets the play bar up from the window's options (buttons, marks, range, flags).
void PlayBarConfigure(PlayBarData& bar, const MediaOptions& options, bool movie);
// The size the bar needs for a video width (0: no limit).
SIZE PlayBarSize(const PlayBarData& bar, int limit);

// Recomputes range, marks, ticks and the menu; seeks to the first position (when the device is
// ready with media, and at creation).
void PlayBarComputeRange(PlayBarData& bar, MediaDevice& device);
// Finds the current mark and the stop position.
void PlayBarFindCurrentMark(PlayBarData& bar, MediaDevice& device);
void PlayBarMoveThumb(PlayBarData& bar, MediaDevice& device);
void PlayBarRefreshButtons(PlayBarData& bar, MediaDevice& device);
void PlayBarRebuildMenu(PlayBarData& bar);

// A command (buttons, menu, media window). `code` is the notification code. Answers 0.
LRESULT PlayBarCommand(PlayBarData& bar, MediaDevice& device, int id, WORD code);
// WM_HSCROLL from the track bar.
void PlayBarScroll(PlayBarData& bar, MediaDevice& device, WORD code, int32_t thumb);
// The polling timer fired.
void PlayBarPoll(PlayBarData& bar, MediaDevice& device);
// MM_MCINOTIFY from the device.
void PlayBarNotify(PlayBarData& bar, MediaDevice& device, WPARAM code);
// The video window's resume timer fired (previous button while playing).
void PlayBarResume(PlayBarData& bar, MediaDevice& device);
// Starts the polling timer.
void PlayBarStartPolling(PlayBarData& bar);

}  // namespace media
