// A media file played through the audio and video devices of the system (wave audio and video
// files), for the media layer's device operations. Opening loads the file before it answers (a
// bounded wait); the end of a play is posted to a window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

namespace shell {

class MediaStream {
 public:
  enum class OpenError { none, not_found, unsupported, invalid };
  // Null and the reason when the file cannot be played.
  static std::unique_ptr<MediaStream> open(const std::string& path, OpenError& error);
  virtual ~MediaStream() = default;

  virtual bool has_video() const = 0;
  virtual bool has_audio() const = 0;
  virtual int64_t duration_ms() const = 0;
  virtual int64_t position_ms() const = 0;
  virtual SIZE video_size() const = 0;
  virtual bool playing() const = 0;
  // Plays from..to (milliseconds); at `to` or at the end of the media the stream pauses and posts
  // `message` with `done` to `notify` (with `failed` when the device fails).
  virtual void play(int64_t from, int64_t to, HWND notify, UINT message, WPARAM done, WPARAM failed,
                    LPARAM lparam) = 0;
  virtual void pause() = 0;
  virtual void stop() = 0;
  virtual void seek(int64_t ms) = 0;
  virtual void set_muted(bool muted) = 0;
  // Draws the current picture stretched into the rectangle (nothing before the first picture).
  virtual void draw(HDC dc, const RECT& area) = 0;
};

}  // namespace shell
