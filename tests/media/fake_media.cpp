#include "tests/media/fake_media.h"

#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"

#include <algorithm>

namespace media::test {
namespace {

class FakeDriver : public MediaDriver {
 public:
  FakeDriver(FakeScript& s, VirtualClock& c) : s_(s), c_(c) {}
  uint32_t capabilities(Caps& caps) override {
    caps.type = s_.type;
    caps.product = s_.product;
    caps.video = s_.video;
    caps.audio = true;
    caps.canPlay = s_.canPlay;
    caps.canEject = s_.canEject;
    return 0;
  }
  uint32_t media_present(bool& present) override {
    present = s_.present && !s_.doorOpen;
    return 0;
  }
  uint32_t track_count(uint32_t& count) override {
    count = uint32_t(s_.trackStarts.size());
    return 0;
  }
  uint32_t set_milliseconds() override { return s_.refuseMilliseconds ? MCIERR_UNSUPPORTED_FUNCTION : 0; }
  uint32_t range(int32_t& start, int32_t& length) override {
    start = s_.rangeStart;
    length = s_.length;
    return 0;
  }
  uint32_t track_start(uint16_t track, int32_t& position) override {
    if (track < 1 || track > s_.trackStarts.size()) return MCIERR_UNSUPPORTED_FUNCTION;
    position = s_.trackStarts[track - 1];
    return 0;
  }
  uint32_t track_length(uint16_t track, int32_t& length) override {
    if (track == 0) {
      length = s_.length;
      return 0;
    }
    if (track > s_.trackLengths.size()) return MCIERR_UNSUPPORTED_FUNCTION;
    length = s_.trackLengths[track - 1];
    return 0;
  }
  uint32_t mode(uint32_t& mode) override {
    mode = s_.doorOpen ? MCI_MODE_OPEN : !s_.present ? MCI_MODE_NOT_READY : s_.playing ? MCI_MODE_PLAY : MCI_MODE_STOP;
    return 0;
  }
  uint32_t position(int32_t& position) override {
    position = s_.playing ? std::min<int32_t>(s_.to, s_.from + int32_t(c_.now_ - s_.started)) : s_.position;
    return 0;
  }
  uint32_t play(int32_t from, int32_t to, HWND, uint16_t) override {
    if (s_.playError) return s_.playError;
    s_.log.push_back("play " + std::to_string(from) + "-" + std::to_string(to));
    s_.playing = true;
    s_.from = from;
    s_.to = to;
    s_.started = c_.now_;
    return 0;
  }
  uint32_t pause() override {
    position(s_.position);
    s_.playing = false;
    s_.log.push_back("pause");
    return 0;
  }
  uint32_t stop() override {
    position(s_.position);
    s_.playing = false;
    s_.log.push_back("stop");
    return 0;
  }
  uint32_t open_door() override {
    s_.doorOpen = true;
    s_.playing = false;
    return 0;
  }
  uint32_t seek(int32_t position) override {
    s_.position = position;
    s_.log.push_back("seek " + std::to_string(position));
    return 0;
  }
  uint32_t set_sound(bool) override { return 0; }
  uint32_t set_seek_exactly(bool) override { return 0; }
  uint32_t default_size(SIZE& size) override {
    size = {160, 120};
    return 0;
  }
  uint32_t set_window(HWND) override { return 0; }
  // The picture: the area in the script's colour.
  void draw(HDC dc, const RECT& area) override {
    HBRUSH brush = CreateSolidBrush(s_.picture);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  }

 private:
  FakeScript& s_;
  VirtualClock& c_;
};

}  // namespace

Rig::Rig() {
  SetMediaClock(&clock);
  SetMediaErrorReceiver([this](HWND, uint32_t code, const std::string&) { errors.push_back(code); });
  SetMediaDriverFactory([this](std::string_view type, std::string_view element, bool, uint32_t& error)
                            -> std::unique_ptr<MediaDriver> {
    script.lastType = std::string(type);
    script.lastElement = std::string(element);
    if (script.openError) {
      error = script.openError;
      return nullptr;
    }
    return std::make_unique<FakeDriver>(script, clock);
  });
}

Rig::~Rig() {
  MciCloseDevice(device.id);
  SetMediaClock(nullptr);
  SetMediaErrorReceiver({});
  SetMediaDriverFactory({});
}

bool Rig::open(const MediaOptions& options) {
  PlayBarConfigure(bar, options, false);
  device.id = MciOpenDevice(nullptr, "", "fake.wav", &device);
  if (!device.id || !MciQueryDevice(device)) return false;
  if (device.has(kDevReady)) device.flags |= kDevNewMedia;
  PlayBarRefreshButtons(bar, device);
  if (device.has(kDevReady)) PlayBarComputeRange(bar, device);
  PlayBarStartPolling(bar);
  return true;
}

void Rig::advance(DWORD ms) {
  for (DWORD i = 0; i < ms; ++i) {
    ++clock.now_;
    if (script.playing && clock.now_ - script.started >= DWORD(script.to - script.from)) {
      script.playing = false;
      script.position = script.to;
      PlayBarNotify(bar, device, MCI_NOTIFY_SUCCESSFUL);
    }
    for (UINT_PTR id : {kPollTimer, kResumeTimer}) {
      auto it = clock.due_.find(id);
      if (it != clock.due_.end() && it->second <= clock.now_) {
        clock.due_.erase(it);
        if (id == kPollTimer) PlayBarPoll(bar, device);
        else PlayBarResume(bar, device);
      }
    }
  }
}

}  // namespace media::test
