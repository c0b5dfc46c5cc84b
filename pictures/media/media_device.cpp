#include "pictures/media/media_device.h"

#include <strings.h>

#include <cstdio>
#include <map>

#include "pictures/media/movie_player.h"
#include "pictures/media/media_text.h"
#include "platform/win/message_queue.h"
#include "platform/win/window_api.h"

namespace media {

std::unique_ptr<MediaDriver> OpenPlatformDriver(std::string_view type, std::string_view element, uint32_t& error);

namespace {

MediaDriverFactory& Factory() {
  static MediaDriverFactory factory;
  return factory;
}

MediaErrorReceiver& Receiver() {
  static MediaErrorReceiver receiver;
  return receiver;
}

struct OpenDevice {
  std::unique_ptr<MediaDriver> driver;
  std::string alias;
};

std::map<uint16_t, OpenDevice>& Devices() {
  static std::map<uint16_t, OpenDevice> devices;
  return devices;
}

uint16_t NextDeviceId() {
  static uint16_t last = 0;
  do {
    ++last;
  } while (last == 0 || last == 0x8000 || Devices().count(last));
  return last;
}

// Reports a refused command and answers false.
bool Refused(const MediaDevice& device, uint32_t code) {
  MediaPostError(device.mediaWindow, code, {});
  return false;
}

struct GroupEntry {
  std::string name;
  HWND window = nullptr;
  int count = 0;
};
std::vector<GroupEntry>& Groups() {
  static std::vector<GroupEntry> groups;
  return groups;
}

}  // namespace

MediaDevice::MediaDevice() = default;
MediaDevice::~MediaDevice() = default;

void SetMediaDriverFactory(MediaDriverFactory factory) { Factory() = std::move(factory); }
void SetMediaErrorReceiver(MediaErrorReceiver receiver) { Receiver() = std::move(receiver); }

void MediaPostError(HWND media_window, uint32_t code, std::string_view text) {
  if (Receiver()) {
    Receiver()(media_window, code, std::string(text));
    return;
  }
  std::fprintf(stderr, "media window: error %u%s%.*s\n", unsigned(code), text.empty() ? "" : ": ", int(text.size()),
               text.data());
}

MediaDriver* MciDriver(uint16_t id) {
  auto found = Devices().find(id);
  return found == Devices().end() ? nullptr : found->second.driver.get();
}

uint16_t MciOpenDevice(HWND notice_window, std::string_view type, std::string_view element, MediaDevice* device) {
  static unsigned counter = 0;
  const bool shareable = device && !device->groups.empty();
  uint32_t error = 0;
  auto open = [&](bool share) {
    error = 0;
    std::unique_ptr<MediaDriver> driver = Factory() ? Factory()(type, element, share, error)
                                                    : OpenPlatformDriver(type, element, error);
    if (!driver && !error) error = MCIERR_INVALID_DEVICE_NAME;
    return driver;
  };
  std::unique_ptr<MediaDriver> driver = open(shareable);
  bool opened_shareable = shareable && driver;
  if (!driver && shareable) driver = open(false);
  if (!driver) {
    uint32_t code = error;
    if (error == MCIERR_DEVICE_OPEN || error == MCIERR_MUST_USE_SHAREABLE) code = kErrDeviceInUse;
    else if (error == MCIERR_EXTENSION_NOT_FOUND) code = kErrNoDriver;
    else if (error == MCIERR_FILENAME_REQUIRED) code = kErrFileRequired;
    std::string text(element.empty() ? type : element);
    if (!element.empty()) {
      for (char& c : text) {
        if (c == '+') c = '!';
      }
    }
    MediaPostError(notice_window, code, text);
    return 0;
  }
  const uint16_t id = NextDeviceId();
  OpenDevice entry{std::move(driver), {}};
  if (device) {
    char alias[16];
    std::snprintf(alias, sizeof alias, "%s%04x", "MVMCI", ++counter & 0xFFFF);
    device->alias = entry.alias = alias;
    if (opened_shareable) device->flags |= kDevShareable;
  }
  Devices().emplace(id, std::move(entry));
  return id;
}

uint16_t MciGetDeviceID(std::string_view alias) {
  for (const auto& [id, entry] : Devices()) {
    if (!alias.empty() && entry.alias.size() == alias.size() &&
        strncasecmp(entry.alias.data(), alias.data(), alias.size()) == 0)
      return id;
  }
  return 0;
}

void MciCloseDevice(uint16_t id) {
  if (id == 0) return;
  Devices().erase(id);
}

bool MciQueryDevice(MediaDevice& device) {
  if (device.movie) return MovieLearn(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  device.flags &= ~(kDevVideo | kDevAudio | kDevReady | kDevFrames | kDevCanPlay | kDevCanEject | kDevCanRecord |
                    kDevCanSwitchSound | kDevExactSeek);
  MediaDriver::Caps caps;
  if (uint32_t e = driver->capabilities(caps)) return Refused(device, e);
  device.type = caps.type;
  device.product = caps.type == MCI_DEVTYPE_SEQUENCER ? "MIDI Sequencer" : caps.product.substr(0, 63);
  if (caps.video) device.flags |= kDevVideo;
  if (caps.audio) device.flags |= kDevAudio;
  if (caps.canPlay) device.flags |= kDevCanPlay;
  if (caps.canRecord) device.flags |= kDevCanRecord;
  if (driver->set_sound(true) == 0) device.flags |= kDevCanSwitchSound;
  if (caps.type == MCI_DEVTYPE_ANIMATION || driver->set_seek_exactly(true) == 0) device.flags |= kDevExactSeek;
  if (caps.canEject) device.flags |= kDevCanEject;
  bool present = false;
  if (uint32_t e = driver->media_present(present)) return Refused(device, e);
  if (!present) return true;
  device.flags |= kDevReady;
  if (uint32_t e = driver->track_count(device.trackCount)) return Refused(device, e);
  device.trackStarts.assign(device.trackCount, -1);
  if (driver->set_milliseconds() != 0) device.flags |= kDevFrames;
  if (uint32_t e = driver->range(device.rangeStart, device.rangeLength)) return Refused(device, e);
  device.playStart = device.rangeStart;
  if (device.has(kDevVideo)) device.palette = driver->palette();
  return true;
}

bool MciHasVideo(uint16_t id) {
  MediaDriver* driver = MciDriver(id);
  MediaDriver::Caps caps;
  return driver && driver->capabilities(caps) == 0 && caps.video;
}

bool MciGetDefaultSize(MediaDevice& device, SIZE& size) {
  if (device.movie) return false;
  if (!device.has(kDevVideo)) return true;
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  if (uint32_t e = driver->default_size(size)) return Refused(device, e);
  return true;
}

bool MciSetVideoWindow(MediaDevice& device, HWND window) {
  if (device.movie) return true;
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  if (uint32_t e = driver->set_window(window)) return Refused(device, e);
  return true;
}

bool MciPollState(MediaDevice& device) {
  if (device.movie) return MoviePoll(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  device.flags &= ~kDevSeeking;
  uint32_t mode = 0;
  if (driver->mode(mode) != 0) return false;
  if (mode == MCI_MODE_STOP || mode == MCI_MODE_PAUSE) device.flags &= ~kDevPlaying;
  if (mode == MCI_MODE_NOT_READY) {
    device.flags &= ~kDevReady;
    return true;
  }
  device.flags |= kDevReady | kDevPresent;
  if (mode == MCI_MODE_OPEN) {
    device.current = device.first;
    device.flags &= ~(kDevReady | kDevPresent | kDevPlaying);
  } else if (mode == MCI_MODE_SEEK) {
    device.flags |= kDevSeeking;
  }
  if (device.has(kDevPlaying)) {
    int32_t position = 0;
    if (driver->position(position) == 0) device.current = position;
  }
  return true;
}

int32_t MciTrackStart(MediaDevice& device, int32_t track) {
  if (device.movie) return 1;
  if (track < 1 || uint32_t(track) > device.trackCount) return -1;
  int32_t& cached = device.trackStarts[track - 1];
  if (cached >= 0) return cached;
  MediaDriver* driver = MciDriver(device.id);
  int32_t position = -1;
  if (!driver || driver->track_start(uint16_t(track), position) != 0) return -1;
  cached = position;
  return position;
}

int32_t MciTrackLength(MediaDevice& device, int32_t track) {
  if (device.movie) return device.rangeLength;
  if (track != -1 && (track < 1 || uint32_t(track) > device.trackCount)) return -1;
  MediaDriver* driver = MciDriver(device.id);
  int32_t length = -1;
  if (!driver || driver->track_length(uint16_t(track == -1 ? 0 : track), length) != 0) return -1;
  return length;
}

bool MciPlay(MediaDevice& device) {
  if (!device.has(kDevReady)) return false;
  if (device.has(kDevPlaying)) return true;
  MediaTakeGroups(device.groups, device.mediaWindow);
  if (device.movie) return MoviePlay(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  const int32_t from = std::min(device.current, device.last);
  const int32_t to = std::min(device.stopAt, device.last);
  device.playStart = from;
  const uint32_t e = driver->play(from, to, device.playBar, device.id);
  if (e == 0 || e == MCIERR_HARDWARE || e == MCIERR_NONAPPLICABLE_FUNCTION) {
    device.flags |= kDevPlaying;
    return true;
  }
  return Refused(device, e);
}

bool MciPause(MediaDevice& device) {
  MediaKillResume(device);
  if (!device.has(kDevReady)) return false;
  if (!device.has(kDevPlaying)) return true;
  MciPollState(device);
  if (device.movie) return MoviePause(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  const uint32_t e = driver->pause();
  if (e != 0 && e != MCIERR_NONAPPLICABLE_FUNCTION) return Refused(device, e);
  device.flags &= ~kDevPlaying;
  return true;
}

bool MciStop(MediaDevice& device) {
  MediaKillResume(device);
  if (!device.has(kDevReady)) return false;
  MciPollState(device);
  if (device.movie) return MovieStop(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  if (uint32_t e = driver->stop()) return Refused(device, e);
  device.flags &= ~kDevPlaying;
  return true;
}

bool MciEject(MediaDevice& device) {
  MediaKillResume(device);
  if (!device.has(kDevReady) || device.movie) return false;
  MciPollState(device);
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  if (uint32_t e = driver->open_door()) return Refused(device, e);
  device.flags &= ~(kDevReady | kDevPlaying);
  return true;
}

bool MciSeek(MediaDevice& device, int32_t position) {
  if (!device.has(kDevReady)) return false;
  device.current = std::clamp(position, device.first, std::max(device.first, device.last));
  if (device.movie) {
    MovieSeek(device, device.current);
    return true;
  }
  if (device.has(kDevShareable)) return true;
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return false;
  const uint32_t e = driver->seek(device.current);
  if (e != 0 && e != MCIERR_HARDWARE) return Refused(device, e);
  return true;
}

bool MciSetSound(MediaDevice& device, bool on) {
  if (device.movie) return MovieSound(device, on);
  MediaDriver* driver = MciDriver(device.id);
  return driver && driver->set_sound(on) == 0;
}

bool MciSetSeekExactly(MediaDevice& device, bool on) {
  if (device.movie) return true;
  if (device.alias.empty()) return false;
  MediaDriver* driver = MciDriver(device.id);
  return driver && driver->set_seek_exactly(on) == 0;
}

void MciDrawPicture(MediaDevice& device, HDC dc, const RECT* area) {
  if (device.movie) {
    MovieDraw(device, dc, area);
    return;
  }
  MediaDriver* driver = MciDriver(device.id);
  if (!driver) return;
  RECT whole{};
  if (!area && device.videoWindow) GetClientRect(device.videoWindow, &whole);
  driver->draw(dc, area ? *area : whole);
}

void MciRealizePalette(MediaDevice& device) {
  // Pictures are drawn in true colour here; realizing a palette changes nothing on the screen.
  (void)device;
}

void MediaTakeGroups(const std::vector<std::string>& groups, HWND media_window) {
  for (const std::string& name : groups) {
    GroupEntry* entry = nullptr;
    for (GroupEntry& e : Groups()) {
      if (e.name == name) entry = &e;
    }
    if (!entry) {
      Groups().push_back({name, nullptr, 0});
      entry = &Groups().back();
    }
    HWND previous = entry->window;
    if (previous != media_window) {
      ++entry->count;
      entry->window = media_window;
      if (previous && IsWindow(previous)) SendMessage(previous, WM_COMMAND, 100, 0);
    }
  }
}

void MediaReleaseGroups(HWND media_window) {
  for (GroupEntry& e : Groups()) {
    if (e.window == media_window) e.window = nullptr;
  }
}

namespace {
class PlatformClock : public MediaClock {
 public:
  void arm(HWND window, UINT_PTR id, UINT milliseconds) override {
    if (window && IsWindow(window)) SetTimer(window, id, milliseconds, nullptr);
  }
  void kill(HWND window, UINT_PTR id) override {
    if (window && IsWindow(window)) KillTimer(window, id);
  }
  DWORD now() override { return GetTickCount(); }
};
MediaClock*& InstalledClock() {
  static MediaClock* clock = nullptr;
  return clock;
}
}  // namespace

MediaClock& Clock() {
  static PlatformClock platform;
  return InstalledClock() ? *InstalledClock() : platform;
}
void SetMediaClock(MediaClock* clock) { InstalledClock() = clock; }

void MediaKillResume(MediaDevice& device) {
  Clock().kill(device.videoWindow, 2);
  device.resumeArmed = false;
}

}  // namespace media
