// The devices of this program: wave audio and video files played through the platform's media
// stream. CD audio and the MIDI sequencer have no device here and fail to open.
#include <cctype>
#include <string>

#include "pictures/media/media_device.h"
#include "pictures/image/media_element.h"
#include "platform/shell/media_stream.h"

namespace media {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = char(std::tolower(uint8_t(c)));
  return out;
}

enum class Kind { none, wave, video, absent };

Kind KindOfType(const std::string& type) {
  if (type == "waveaudio") return Kind::wave;
  if (type == "avivideo" || type == "mpegvideo" || type == "digitalvideo") return Kind::video;
  if (type == "cdaudio" || type == "sequencer" || type == "videodisc" || type == "vcr") return Kind::absent;
  return Kind::none;
}

Kind KindOfExtension(std::string_view element) {
  const size_t dot = element.find_last_of('.');
  const size_t slash = element.find_last_of("/\\+");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return Kind::none;
  const std::string ext = Lower(element.substr(dot + 1));
  if (ext == "wav") return Kind::wave;
  if (ext == "avi" || ext == "mpg" || ext == "mpeg" || ext == "mp4" || ext == "mov" || ext == "webm") return Kind::video;
  if (ext == "mid" || ext == "rmi" || ext == "cda") return Kind::absent;
  return Kind::none;
}

class StreamDriver : public MediaDriver {
 public:
  StreamDriver(std::unique_ptr<shell::MediaStream> stream, Kind kind, MediaElementFile file)
      : stream_(std::move(stream)), kind_(kind), file_(std::move(file)) {}

  uint32_t capabilities(Caps& caps) override {
    caps.type = kind_ == Kind::wave ? MCI_DEVTYPE_WAVEFORM_AUDIO : MCI_DEVTYPE_DIGITAL_VIDEO;
    caps.product = kind_ == Kind::wave ? "Wave audio" : "Video";
    caps.video = stream_->has_video();
    caps.audio = stream_->has_audio();
    caps.canPlay = true;
    return 0;
  }
  uint32_t media_present(bool& present) override {
    present = true;
    return 0;
  }
  uint32_t track_count(uint32_t& count) override {
    count = 1;
    return 0;
  }
  uint32_t set_milliseconds() override { return 0; }
  uint32_t range(int32_t& start, int32_t& length) override {
    start = 0;
    length = int32_t(std::min<int64_t>(stream_->duration_ms(), INT32_MAX));
    return 0;
  }
  uint32_t track_start(uint16_t track, int32_t& position) override {
    if (track != 1) return MCIERR_UNSUPPORTED_FUNCTION;
    position = 0;
    return 0;
  }
  uint32_t track_length(uint16_t track, int32_t& length) override {
    if (track > 1) return MCIERR_UNSUPPORTED_FUNCTION;
    int32_t start = 0;
    return range(start, length);
  }
  uint32_t mode(uint32_t& mode) override {
    mode = stream_->playing() ? MCI_MODE_PLAY : (paused_ ? MCI_MODE_PAUSE : MCI_MODE_STOP);
    return 0;
  }
  uint32_t position(int32_t& position) override {
    position = int32_t(std::min<int64_t>(stream_->position_ms(), INT32_MAX));
    return 0;
  }
  uint32_t play(int32_t from, int32_t to, HWND notify, uint16_t device_id) override {
    paused_ = false;
    stream_->play(from, to, notify, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_FAILURE, device_id);
    return 0;
  }
  uint32_t pause() override {
    stream_->pause();
    paused_ = true;
    return 0;
  }
  uint32_t stop() override {
    stream_->stop();
    paused_ = false;
    return 0;
  }
  uint32_t open_door() override { return MCIERR_UNSUPPORTED_FUNCTION; }
  uint32_t seek(int32_t position) override {
    stream_->seek(position);
    return 0;
  }
  uint32_t set_sound(bool on) override {
    stream_->set_muted(!on);
    return 0;
  }
  uint32_t set_seek_exactly(bool) override { return 0; }
  uint32_t default_size(SIZE& size) override {
    size = stream_->video_size();
    return 0;
  }
  uint32_t set_window(HWND window) override {
    window_ = window;
    return 0;
  }
  void draw(HDC dc, const RECT& area) override { stream_->draw(dc, area); }

 private:
  std::unique_ptr<shell::MediaStream> stream_;
  Kind kind_;
  MediaElementFile file_;  // keeps an element read out of a title alive while it plays
  HWND window_ = nullptr;
  bool paused_ = false;
};

}  // namespace

std::unique_ptr<MediaDriver> OpenPlatformDriver(std::string_view type, std::string_view element, uint32_t& error) {
  const std::string device = Lower(type);
  Kind kind = device.empty() ? Kind::none : KindOfType(device);
  if (!device.empty() && kind == Kind::none) {
    error = MCIERR_INVALID_DEVICE_NAME;
    return nullptr;
  }
  if (kind == Kind::absent) {
    error = MCIERR_DEVICE_NOT_INSTALLED;
    return nullptr;
  }
  if (element.empty()) {
    error = MCIERR_FILENAME_REQUIRED;
    return nullptr;
  }
  if (kind == Kind::none) {
    kind = KindOfExtension(element);
    if (kind == Kind::absent) {
      error = MCIERR_DEVICE_NOT_INSTALLED;
      return nullptr;
    }
    if (kind == Kind::none) {
      error = MCIERR_EXTENSION_NOT_FOUND;
      return nullptr;
    }
  }
  MediaElementFile file;
  if (!MediaOpenElementFile(element, file)) {
    error = MCIERR_FILE_NOT_FOUND;
    return nullptr;
  }
  shell::MediaStream::OpenError why;
  auto stream = shell::MediaStream::open(file.path, why);
  if (!stream) {
    error = why == shell::MediaStream::OpenError::not_found ? MCIERR_FILE_NOT_FOUND : MCIERR_INVALID_FILE;
    return nullptr;
  }
  return std::make_unique<StreamDriver>(std::move(stream), kind, std::move(file));
}

}  // namespace media
