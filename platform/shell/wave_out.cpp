#include "platform/shell/wave_out.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <deque>
#include <map>
#include <memory>

#include "platform/win/message_queue.h"

namespace {

bool format_supported(const WAVEFORMATEX* f) {
  return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->nChannels == 1 || f->nChannels == 2) &&
         (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && f->nSamplesPerSec >= 8000 &&
         f->nSamplesPerSec <= 48000 && f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8;
}

bool& silent_flag() {
  static bool silent = false;
  return silent;
}

// One open output: its format, the window told of finished buffers and the buffers queued.
class Output {
 public:
  Output(HWAVEOUT handle, const WAVEFORMATEX& format, HWND window)
      : handle_(handle), format_(format), window_(window) {}
  ~Output() { stop_sink(); }

  void write(WAVEHDR* header) {
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    queue_.push_back(header);
    if (queue_.size() == 1) start_next();
  }
  void reset() {
    stop_sink();
    while (!queue_.empty()) finish_front();
  }
  bool busy() const { return !queue_.empty(); }

 private:
  void start_next() {
    while (!queue_.empty()) {
      if (start_sink(queue_.front())) return;
      // No sound: the buffer is done at once.
      finish_front();
    }
  }
  bool start_sink(WAVEHDR* header) {
    if (silent_flag()) return false;
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(int(format_.nSamplesPerSec));
    format.setChannelCount(format_.nChannels);
    format.setSampleFormat(format_.wBitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return false;
    bytes_ = std::make_unique<QBuffer>();
    bytes_->setData(header->lpData, qsizetype(header->dwBufferLength));
    bytes_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, [this](QAudio::State state) {
      if (state == QAudio::IdleState || state == QAudio::StoppedState) played();
    });
    sink_->start(bytes_.get());
    return sink_->error() == QAudio::NoError;
  }
  void played() {
    if (!sink_ || queue_.empty()) return;
    // Called from the sink's own signal: let it go after the signal returns.
    QAudioSink* finished = sink_.release();
    finished->disconnect();
    finished->deleteLater();
    bytes_.release()->deleteLater();
    finish_front();
    start_next();
  }
  void stop_sink() {
    if (sink_) {
      sink_->disconnect();
      sink_->stop();
      sink_.reset();
    }
    bytes_.reset();
  }
  void finish_front() {
    WAVEHDR* header = queue_.front();
    queue_.pop_front();
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    if (window_) PostMessage(window_, MM_WOM_DONE, WPARAM(handle_), LPARAM(header));
  }

  HWAVEOUT handle_;
  WAVEFORMATEX format_;
  HWND window_;
  std::deque<WAVEHDR*> queue_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<QBuffer> bytes_;
};

std::map<HWAVEOUT, std::unique_ptr<Output>>& outputs() {
  static std::map<HWAVEOUT, std::unique_ptr<Output>> table;
  return table;
}

Output* output_of(HWAVEOUT h) {
  auto found = outputs().find(h);
  return found == outputs().end() ? nullptr : found->second.get();
}

}  // namespace

MMRESULT waveOutOpen(HWAVEOUT* out, UINT device, const WAVEFORMATEX* format, UINT_PTR callback,
                     UINT_PTR, DWORD flags) {
  if (device != WAVE_MAPPER && device != 0) return MMSYSERR_BADDEVICEID;
  if (!format_supported(format)) return WAVERR_BADFORMAT;
  if (flags & WAVE_FORMAT_QUERY) return MMSYSERR_NOERROR;
  if (!out) return MMSYSERR_INVALPARAM;
  // Handles are numbers that are never reused.
  static std::uintptr_t next = 0x5A00;
  HWAVEOUT handle = reinterpret_cast<HWAVEOUT>(++next);
  HWND window = (flags & CALLBACK_WINDOW) ? reinterpret_cast<HWND>(callback) : nullptr;
  outputs()[handle] = std::make_unique<Output>(handle, *format, window);
  *out = handle;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT out, WAVEHDR* header, UINT size) {
  if (!output_of(out)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR) || (!header->lpData && header->dwBufferLength))
    return MMSYSERR_INVALPARAM;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT out, WAVEHDR* header, UINT size) {
  if (!output_of(out)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT out, WAVEHDR* header, UINT size) {
  Output* o = output_of(out);
  if (!o) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  o->write(header);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT out) {
  Output* o = output_of(out);
  if (!o) return MMSYSERR_INVALHANDLE;
  o->reset();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT out) {
  Output* o = output_of(out);
  if (!o) return MMSYSERR_INVALHANDLE;
  if (o->busy()) return WAVERR_STILLPLAYING;
  outputs().erase(out);
  return MMSYSERR_NOERROR;
}

namespace shell {

void set_silent_wave_output(bool silent) { silent_flag() = silent; }

bool wave_output_audible() {
  return !silent_flag() && !QMediaDevices::defaultAudioOutput().isNull();
}

}  // namespace shell
