// Media device operations: the one set of operations the media window and its play bar drive a
// device with (open, learn, poll, play, pause, stop, eject, seek, sound, draw, close), over a
// `MediaDriver` - the operation table of one open device. Drivers come from the process's driver
// factory: the platform's player for wave audio and video files, a scripted fake in tests. Devices
// that cannot exist here (CD audio, MIDI sequencer) fail to open with MCIERR_DEVICE_NOT_INSTALLED.
// A ".MMM" movie is carried out by the movie-player back end instead (movie_player.h).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

namespace media {

// Error codes of devices.
inline constexpr uint32_t MCIERR_BASE = 256;
inline constexpr uint32_t MCIERR_HARDWARE = MCIERR_BASE + 6;
inline constexpr uint32_t MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
inline constexpr uint32_t MCIERR_DEVICE_OPEN = MCIERR_BASE + 9;
inline constexpr uint32_t MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
inline constexpr uint32_t MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
inline constexpr uint32_t MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
inline constexpr uint32_t MCIERR_MUST_USE_SHAREABLE = MCIERR_BASE + 35;
inline constexpr uint32_t MCIERR_INVALID_FILE = MCIERR_BASE + 40;
inline constexpr uint32_t MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;
inline constexpr uint32_t MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48;
inline constexpr uint32_t MCIERR_DEVICE_NOT_INSTALLED = MCIERR_BASE + 50;

// Device types.
inline constexpr uint16_t MCI_DEVTYPE_CD_AUDIO = 516;
inline constexpr uint16_t MCI_DEVTYPE_ANIMATION = 519;
inline constexpr uint16_t MCI_DEVTYPE_DIGITAL_VIDEO = 520;
inline constexpr uint16_t MCI_DEVTYPE_OTHER = 521;
inline constexpr uint16_t MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
inline constexpr uint16_t MCI_DEVTYPE_SEQUENCER = 523;

// Device modes.
inline constexpr uint32_t MCI_MODE_NOT_READY = 524;
inline constexpr uint32_t MCI_MODE_STOP = 525;
inline constexpr uint32_t MCI_MODE_PLAY = 526;
inline constexpr uint32_t MCI_MODE_SEEK = 528;
inline constexpr uint32_t MCI_MODE_PAUSE = 529;
inline constexpr uint32_t MCI_MODE_OPEN = 530;

// The end-of-play notification sent to the play bar: wParam the code, lParam the device id.
inline constexpr UINT MM_MCINOTIFY = 0x3B9;
inline constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr WPARAM MCI_NOTIFY_ABORTED = 4;
inline constexpr WPARAM MCI_NOTIFY_FAILURE = 8;

// State flags of a device record.
inline constexpr uint32_t kDevVideo = 0x1;
inline constexpr uint32_t kDevAudio = 0x2;
inline constexpr uint32_t kDevNoElement = 0x4;
inline constexpr uint32_t kDevClickToggles = 0x8;
inline constexpr uint32_t kDevPlaying = 0x10;
inline constexpr uint32_t kDevSeeking = 0x20;
inline constexpr uint32_t kDevReady = 0x40;
inline constexpr uint32_t kDevPresent = 0x80;
inline constexpr uint32_t kDevNewMedia = 0x100;
inline constexpr uint32_t kDevShareable = 0x200;
inline constexpr uint32_t kDevFrames = 0x400;
inline constexpr uint32_t kDevCanPlay = 0x10000;
inline constexpr uint32_t kDevCanEject = 0x20000;
inline constexpr uint32_t kDevCanRecord = 0x40000;
inline constexpr uint32_t kDevCanSwitchSound = 0x80000;
inline constexpr uint32_t kDevExactSeek = 0x100000;

// The operation table of one open device. Every call answers 0 or a device error code. Positions
// are in the time format last set (milliseconds, or frames when milliseconds are refused).
class MediaDriver {
 public:
  virtual ~MediaDriver() = default;
  struct Caps {
    uint16_t type = MCI_DEVTYPE_OTHER;
    std::string product;
    bool video = false, audio = false, canPlay = false, canRecord = false, canEject = false;
  };
  virtual uint32_t capabilities(Caps& caps) = 0;
  virtual uint32_t media_present(bool& present) = 0;
  virtual uint32_t track_count(uint32_t& count) = 0;
  virtual uint32_t set_milliseconds() = 0;  // refused: the driver counts frames
  virtual uint32_t range(int32_t& start, int32_t& length) = 0;
  virtual uint32_t track_start(uint16_t track, int32_t& position) = 0;
  virtual uint32_t track_length(uint16_t track, int32_t& length) = 0;  // track 0: the whole media
  virtual uint32_t mode(uint32_t& mode) = 0;
  virtual uint32_t position(int32_t& position) = 0;
  // Plays from..to and, at the end, posts MM_MCINOTIFY to `notify` (SUCCESSFUL, or FAILURE).
  virtual uint32_t play(int32_t from, int32_t to, HWND notify, uint16_t device_id) = 0;
  virtual uint32_t pause() = 0;
  virtual uint32_t stop() = 0;
  virtual uint32_t open_door() = 0;
  virtual uint32_t seek(int32_t position) = 0;
  virtual uint32_t set_sound(bool on) = 0;
  virtual uint32_t set_seek_exactly(bool on) = 0;
  virtual uint32_t default_size(SIZE& size) = 0;
  virtual uint32_t set_window(HWND window) = 0;
  virtual void draw(HDC dc, const RECT& area) = 0;
  virtual HPALETTE palette() { return nullptr; }
};

// Opens a driver for a device type and/or an element (a file, or a compound title name); null
// and an error code when it cannot.
using MediaDriverFactory = std::function<std::unique_ptr<MediaDriver>(
    std::string_view type, std::string_view element, bool shareable, uint32_t& error)>;
// Replaces the process's factory (tests); an empty one restores the platform's.
void SetMediaDriverFactory(MediaDriverFactory factory);

// The error notice of the media layer. Nothing in this program receives the registered message
// "MVMCI1.3WM_ERROR", so notices are written to the log (standard error) instead of posted into
// the void; a program part that wants them installs a receiver.
using MediaErrorReceiver = std::function<void(HWND media_window, uint32_t code, const std::string& text)>;
void SetMediaErrorReceiver(MediaErrorReceiver receiver);
void MediaPostError(HWND media_window, uint32_t code, std::string_view text);

struct MovieState;

// One device record per media window.
struct MediaDevice {
  uint16_t type = 0;
  std::string product;
  uint16_t id = 0;
  std::string alias;
  HWND mediaWindow = nullptr;  // the window errors are reported for
  HWND videoWindow = nullptr;
  HWND playBar = nullptr;
  int32_t rangeStart = 0, rangeLength = 0;
  int32_t first = 0, last = 0;  // the play range
  int32_t current = 0;
  int32_t playStart = 0;
  int32_t stopAt = 0;
  bool resumeArmed = false;  // the previous button's resume timer
  std::vector<std::string> groups;
  uint32_t trackCount = 0;
  std::vector<int32_t> trackStarts;
  HPALETTE palette = nullptr;
  uint32_t flags = 0;
  bool movie = false;
  std::unique_ptr<MovieState> movieState;
  std::string libraryFolder;

  MediaDevice();
  ~MediaDevice();
  bool has(uint32_t flag) const { return (flags & flag) != 0; }
};

// The driver behind an open device id, null for none.
MediaDriver* MciDriver(uint16_t id);

uint16_t MciOpenDevice(HWND notice_window, std::string_view type, std::string_view element, MediaDevice* device);
void MciCloseDevice(uint16_t id);
// The open device of that alias (any case), 0 for none.
uint16_t MciGetDeviceID(std::string_view alias);
bool MciQueryDevice(MediaDevice& device);
bool MciHasVideo(uint16_t id);
bool MciGetDefaultSize(MediaDevice& device, SIZE& size);
bool MciSetVideoWindow(MediaDevice& device, HWND window);
bool MciPollState(MediaDevice& device);
int32_t MciTrackStart(MediaDevice& device, int32_t track);
int32_t MciTrackLength(MediaDevice& device, int32_t track);
bool MciPlay(MediaDevice& device);
bool MciPause(MediaDevice& device);
bool MciStop(MediaDevice& device);
bool MciEject(MediaDevice& device);
bool MciSeek(MediaDevice& device, int32_t position);
bool MciSetSound(MediaDevice& device, bool on);
bool MciSetSeekExactly(MediaDevice& device, bool on);
void MciDrawPicture(MediaDevice& device, HDC dc, const RECT* area);
void MciRealizePalette(MediaDevice& device);

// Play groups: the media window that last played under a name. Taking a name stops the window that
// held it (command 100).
void MediaTakeGroups(const std::vector<std::string>& groups, HWND media_window);
void MediaReleaseGroups(HWND media_window);

// The timers of the media layer (the play bar's polling timer, the video window's resume timer)
// and its clock; the platform's by default, a virtual clock in tests.
class MediaClock {
 public:
  virtual ~MediaClock() = default;
  virtual void arm(HWND window, UINT_PTR id, UINT milliseconds) = 0;
  virtual void kill(HWND window, UINT_PTR id) = 0;
  virtual DWORD now() = 0;
};
MediaClock& Clock();
// Installs a clock (null: the platform's).
void SetMediaClock(MediaClock* clock);

// Kills the previous button's resume timer on the video window.
void MediaKillResume(MediaDevice& device);

}  // namespace media
