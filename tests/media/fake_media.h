// A scripted media device and a virtual clock for the play bar's timer logic.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pictures/media/media_device.h"
#include "pictures/media/play_bar.h"

namespace media::test {

// What the fake device answers; shared by the driver and the test.
struct FakeScript {
  uint16_t type = MCI_DEVTYPE_WAVEFORM_AUDIO;
  std::string product = "Fake wave";
  bool video = false, canPlay = true, canEject = false, present = true, refuseMilliseconds = false;
  int32_t rangeStart = 0, length = 10000;
  std::vector<int32_t> trackStarts{0};
  std::vector<int32_t> trackLengths{10000};
  bool doorOpen = false;
  uint32_t openError = 0;      // the error the open answers
  uint32_t playError = 0;      // the error play answers
  COLORREF picture = RGB(0, 128, 255);  // what a video device shows
  // Live state.
  bool playing = false;
  int32_t position = 0, from = 0, to = 0;
  DWORD started = 0;
  std::vector<std::string> log;  // "play 0-999", "pause", "seek 10" ...
  std::string lastType, lastElement;
};

class VirtualClock : public MediaClock {
 public:
  void arm(HWND, UINT_PTR id, UINT ms) override { due_[id] = now_ + ms; }
  void kill(HWND, UINT_PTR id) override { due_.erase(id); }
  DWORD now() override { return now_; }
  bool armed(UINT_PTR id) const { return due_.count(id) != 0; }
  DWORD now_ = 0;
  std::map<UINT_PTR, DWORD> due_;
};

// A play bar over an open fake device, driven by the virtual clock.
class Rig {
 public:
  Rig();
  ~Rig();
  // Opens the device and sets the play bar up as the media window does at creation.
  bool open(const MediaOptions& options = {});
  // Moves the clock on, firing the device's end of play and due timers as they come.
  void advance(DWORD ms);
  LRESULT command(int id, WORD code = 0) { return PlayBarCommand(bar, device, id, code); }
  std::vector<uint32_t> errors;
  FakeScript script;
  VirtualClock clock;
  MediaDevice device;
  PlayBarData bar;
};

}  // namespace media::test
