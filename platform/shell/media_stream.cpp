#include "platform/shell/media_stream.h"

#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include "platform/gdi/core/bitmap_api.h"
#include "platform/win/message_queue.h"

namespace shell {
namespace {

constexpr int kLoadWaitMs = 5000;

class QtMediaStream : public MediaStream {
 public:
  QtMediaStream() {
    player_.setAudioOutput(&audio_);
    player_.setVideoSink(&sink_);
    QObject::connect(&sink_, &QVideoSink::videoFrameChanged, [this](const QVideoFrame& frame) {
      if (frame.isValid()) picture_ = frame.toImage().convertToFormat(QImage::Format_RGB32);
    });
    QObject::connect(&player_, &QMediaPlayer::positionChanged, [this](qint64 position) {
      if (notify_ && position >= to_) finish(done_);
    });
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, [this](QMediaPlayer::MediaStatus status) {
      if (notify_ && status == QMediaPlayer::EndOfMedia) finish(done_);
    });
    QObject::connect(&player_, &QMediaPlayer::errorOccurred, [this](QMediaPlayer::Error, const QString&) {
      if (notify_) finish(failed_);
    });
  }

  bool load(const std::string& path, OpenError& error) {
    // The player reads the file through an open file of its own: a file name handed over as a URL
    // reaches the decoders percent-encoded, and a name with a blank in it would not open.
    file_.setFileName(QString::fromUtf8(path.c_str()));
    if (!file_.open(QIODevice::ReadOnly)) {
      error = OpenError::not_found;
      return false;
    }
    player_.setSourceDevice(&file_, QUrl::fromLocalFile(file_.fileName()));
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus s) {
      if (s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::InvalidMedia) loop.quit();
    });
    QObject::connect(&player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    timeout.start(kLoadWaitMs);
    if (player_.mediaStatus() != QMediaPlayer::LoadedMedia && player_.error() == QMediaPlayer::NoError) loop.exec();
    if (player_.mediaStatus() != QMediaPlayer::LoadedMedia) {
      error = player_.error() == QMediaPlayer::FormatError ? OpenError::unsupported : OpenError::invalid;
      return false;
    }
    return true;
  }

  bool has_video() const override { return player_.hasVideo(); }
  bool has_audio() const override { return player_.hasAudio(); }
  int64_t duration_ms() const override { return player_.duration(); }
  int64_t position_ms() const override { return player_.position(); }
  SIZE video_size() const override {
    const QSize size = player_.metaData().value(QMediaMetaData::Resolution).toSize();
    return {size.width(), size.height()};
  }
  bool playing() const override { return player_.playbackState() == QMediaPlayer::PlayingState; }

  void play(int64_t from, int64_t to, HWND notify, UINT message, WPARAM done, WPARAM failed, LPARAM lparam) override {
    notify_ = notify;
    message_ = message;
    done_ = done;
    failed_ = failed;
    lparam_ = lparam;
    to_ = to;
    if (player_.position() != from) player_.setPosition(from);
    player_.play();
  }
  void pause() override {
    notify_ = nullptr;
    player_.pause();
  }
  void stop() override {
    notify_ = nullptr;
    player_.pause();
  }
  void seek(int64_t ms) override { player_.setPosition(ms); }
  void set_muted(bool muted) override { audio_.setMuted(muted); }
  void draw(HDC dc, const RECT& area) override {
    if (picture_.isNull()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture_.width();
    info.bmiHeader.biHeight = -picture_.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, picture_.width(),
                  picture_.height(), picture_.constBits(), &info, DIB_RGB_COLORS, SRCCOPY);
  }

 private:
  void finish(WPARAM code) {
    HWND notify = notify_;
    notify_ = nullptr;
    player_.pause();
    PostMessage(notify, message_, code, lparam_);
  }

  QFile file_;  // before the player, which reads it until it goes
  QMediaPlayer player_;
  QAudioOutput audio_;
  QVideoSink sink_;
  QImage picture_;
  HWND notify_ = nullptr;
  UINT message_ = 0;
  WPARAM done_ = 0, failed_ = 0;
  LPARAM lparam_ = 0;
  int64_t to_ = 0;
};

}  // namespace

std::unique_ptr<MediaStream> MediaStream::open(const std::string& path, OpenError& error) {
  error = OpenError::none;
  // The media back end is chosen when the first player is made: the one built on the program's
  // own decoders, unless the user chose another (the other one needs a full set of system
  // plug-ins, which a desktop may lack).
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
  if (!QFileInfo(QString::fromUtf8(path.c_str())).isFile()) {
    error = OpenError::not_found;
    return nullptr;
  }
  auto stream = std::make_unique<QtMediaStream>();
  if (!stream->load(path, error)) return nullptr;
  return stream;
}

}  // namespace shell
