// Wave sounds: one PCM sound in memory, played asynchronously through the process's single wave
// output device.
//
// The device shares ownership of a playing sound's samples, so a sound destroyed while it plays
// leaves its samples alive until the output has finished with them; the destroyed sound is then
// simply not told.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <span>
#include <vector>

#include "pictures/image/wave_riff.h"
#include "platform/base/object.h"
#include "platform/shell/services.h"
#include "platform/shell/wave_out.h"
#include "platform/win/cwnd.h"

class WaveOutDevice;

class CWave : public CObject {
  DECLARE_SERIAL(CWave)

 public:
  using Samples = std::shared_ptr<const std::vector<uint8_t>>;

  // A silent mono sound of 16 samples at 11,025 Hz, 8 bits.
  CWave();
  ~CWave() override;

  // Loading reads the archive's bytes as a RIFF wave; storing writes nothing.
  void Serialize(CArchive& ar) override;
  // Called when the sound is queued and when it has finished playing; nothing by default.
  virtual void OnPlayStarted() {}
  virtual void OnPlayFinished() {}

  // A silent mono sound; false (and the old sound kept) unless the rate is 11,025, 22,050 or
  // 44,100 and the bits 8 or 16, or when memory is short.
  BOOL Create(int sampleCount, int rate, int bits);
  int SampleCount() const;
  // 8-bit samples store value / 256 - 128 (0 is the midpoint), 16-bit ones the value; ignored
  // outside the sound.
  void SetSample(int index, int value);
  // The "WAVE" resource `id`; false when it is missing or not a PCM wave.
  BOOL LoadFromResource(UINT id);
  // RIFF wave bytes; false (and the old sound kept) when they are not a PCM wave.
  BOOL LoadFromBytes(std::span<const uint8_t> bytes);
  // Plays on `device`, or the process's device when none.
  BOOL Play(WaveOutDevice* device = nullptr);

  const PCMWAVEFORMAT& GetFormat() const { return format; }
  const Samples& GetSamples() const { return samples; }
  DWORD GetSize() const { return size; }
  bool IsPlaying() const { return playing; }

 private:
  friend class WaveOutDevice;

  PCMWAVEFORMAT format{};
  Samples samples;
  DWORD size = 0;
  WaveOutDevice* device = nullptr;
  bool playing = false;
};

class WaveOutDevice : public CWnd {
 public:
  WaveOutDevice();
  ~WaveOutDevice() override;

  // The one device of the process.
  static WaveOutDevice& Process();

  // Opens the output for the sound's format (keeping an open one when it takes the format) and
  // queues its samples; false when that fails.
  BOOL Play(CWave* sound);
  // Forgets a sound that is going away; its buffers play on.
  void Forget(CWave* sound);
  int Queued() const { return queued; }
  bool IsOpen() const { return waveOut != nullptr; }

  HWAVEOUT waveOut = nullptr;
  int queued = 0;

 protected:
  LRESULT OnDone(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  struct Buffer {
    WAVEHDR header{};
    CWave::Samples samples;
    CWave* sound = nullptr;
  };
  bool Open(const PCMWAVEFORMAT& format);
  void Close();

  std::list<Buffer> buffers;
};

// The application's sound player over wave resources: one sound at a time.
class WaveSoundPlayer : public shell::SoundPlayer {
 public:
  bool play(UINT id) override;

 private:
  std::unique_ptr<CWave> wave;
};

// Installs the wave sound player as the platform's sound player (done at program start).
void InstallWaveSoundPlayer();
