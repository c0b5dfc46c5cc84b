#include "pictures/image/wave.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/base/archive.h"
#include "platform/res/resource_handles.h"
#include "platform/win/window_api.h"
#include "platform/win/window_styles.h"

IMPLEMENT_SERIAL(CWave, CObject, 0)

namespace {

// Devices alive now: a sound outliving the device it last played on must not call it. Kept past
// the static destructors, since sounds held by statics go at exit too.
std::set<const WaveOutDevice*>& LiveDevices() {
  static auto* devices = new std::set<const WaveOutDevice*>;
  return *devices;
}

}  // namespace

CWave::CWave() { Create(16, 11025, 8); }

CWave::~CWave() {
  if (device && LiveDevices().count(device)) device->Forget(this);
}

BOOL CWave::Create(int sampleCount, int rate, int bits) {
  if ((rate != 11025 && rate != 22050 && rate != 44100) || (bits != 8 && bits != 16)) return FALSE;
  if (sampleCount < 0 || size_t(sampleCount) > kMaxWaveBytes / size_t(bits / 8)) return FALSE;
  std::shared_ptr<std::vector<uint8_t>> fresh;
  try {
    fresh = std::make_shared<std::vector<uint8_t>>(size_t(sampleCount) * size_t(bits / 8));
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  samples = fresh;
  size = DWORD(fresh->size());
  format.wFormatTag = 1;
  format.nChannels = 1;
  format.nSamplesPerSec = DWORD(rate);
  format.nBlockAlign = WORD(bits / 8);
  format.nAvgBytesPerSec = DWORD(rate) * format.nBlockAlign;
  format.wBitsPerSample = WORD(bits);
  for (int i = 0; i < sampleCount; ++i) SetSample(i, 0);
  return TRUE;
}

int CWave::SampleCount() const {
  return format.wBitsPerSample ? int(uint64_t(size) * 8 / format.wBitsPerSample) : 0;
}

void CWave::SetSample(int index, int value) {
  if (index < 0 || index >= SampleCount() || !samples) return;
  // Samples are written only before a sound is handed to the device, while no one shares them.
  auto* bytes = const_cast<uint8_t*>(samples->data());
  if (format.wBitsPerSample == 8) {
    bytes[index] = uint8_t(value / 256 - 128);
  } else {
    int16_t v = int16_t(value);
    std::memcpy(bytes + 2 * size_t(index), &v, 2);
  }
}

BOOL CWave::LoadFromBytes(std::span<const uint8_t> bytes) {
  WaveData wave;
  if (!ParseWave(bytes, wave)) return FALSE;
  std::shared_ptr<std::vector<uint8_t>> fresh;
  try {
    fresh = std::make_shared<std::vector<uint8_t>>(wave.samples.begin(), wave.samples.end());
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  format = wave.format;
  samples = fresh;
  size = DWORD(fresh->size());
  return TRUE;
}

BOOL CWave::LoadFromResource(UINT id) {
  HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(int(id)), "WAVE");
  if (!found) return FALSE;
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  if (!bytes) return FALSE;
  return LoadFromBytes({bytes, SizeofResource(nullptr, found)});
}

void CWave::Serialize(CArchive& ar) {
  if (ar.IsStoring()) return;
  std::vector<uint8_t> bytes(ar.Remaining());
  ar.Read(bytes.data(), bytes.size());
  LoadFromBytes(bytes);
}

BOOL CWave::Play(WaveOutDevice* target) {
  WaveOutDevice& d = target ? *target : WaveOutDevice::Process();
  if (device && device != &d && LiveDevices().count(device)) device->Forget(this);
  device = &d;
  return d.Play(this);
}

BEGIN_MESSAGE_MAP(WaveOutDevice, CWnd)
  ON_MESSAGE(MM_WOM_DONE, &WaveOutDevice::OnDone)
END_MESSAGE_MAP()

WaveOutDevice::WaveOutDevice() { LiveDevices().insert(this); }

WaveOutDevice::~WaveOutDevice() {
  LiveDevices().erase(this);
  Close();
  if (GetSafeHwnd()) DestroyWindow();
}

WaveOutDevice& WaveOutDevice::Process() {
  // Lives until the process ends, so sounds may finish playing at any time.
  static WaveOutDevice* device = new WaveOutDevice;
  return *device;
}

bool WaveOutDevice::Open(const PCMWAVEFORMAT& format) {
  if (!GetSafeHwnd() &&
      !CreateEx(0, AfxRegisterWndClass(0), "Wave Wnd", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr))
    return false;
  WAVEFORMATEX wanted{format.wFormatTag, format.nChannels, format.nSamplesPerSec,
                      format.nAvgBytesPerSec, format.nBlockAlign, format.wBitsPerSample, 0};
  if (waveOut) return waveOutOpen(nullptr, WAVE_MAPPER, &wanted, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
  return waveOutOpen(&waveOut, WAVE_MAPPER, &wanted, UINT_PTR(GetSafeHwnd()), 0, CALLBACK_WINDOW) ==
         MMSYSERR_NOERROR;
}

void WaveOutDevice::Close() {
  if (!waveOut) return;
  waveOutReset(waveOut);
  for (Buffer& b : buffers) waveOutUnprepareHeader(waveOut, &b.header, sizeof(WAVEHDR));
  waveOutClose(waveOut);
  waveOut = nullptr;
  for (Buffer& b : buffers)
    if (b.sound) b.sound->playing = false;
  buffers.clear();
  queued = 0;
}

BOOL WaveOutDevice::Play(CWave* sound) {
  if (!sound || !sound->samples || !Open(sound->format)) return FALSE;
  Buffer& b = buffers.emplace_back();
  b.samples = sound->samples;
  b.sound = sound;
  b.header.lpData = reinterpret_cast<char*>(const_cast<uint8_t*>(b.samples->data()));
  b.header.dwBufferLength = sound->size;
  b.header.dwUser = reinterpret_cast<UINT_PTR>(sound);
  if (waveOutPrepareHeader(waveOut, &b.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    buffers.pop_back();
    return FALSE;
  }
  sound->playing = true;
  if (waveOutWrite(waveOut, &b.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    sound->playing = false;
    waveOutUnprepareHeader(waveOut, &b.header, sizeof(WAVEHDR));
    buffers.pop_back();
    return FALSE;
  }
  ++queued;
  sound->OnPlayStarted();
  return TRUE;
}

void WaveOutDevice::Forget(CWave* sound) {
  for (Buffer& b : buffers)
    if (b.sound == sound) b.sound = nullptr;
}

LRESULT WaveOutDevice::OnDone(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<WAVEHDR*>(lParam);
  auto found = std::find_if(buffers.begin(), buffers.end(), [&](const Buffer& b) { return &b.header == header; });
  if (found == buffers.end()) return 0;  // a buffer of an output closed since
  CWave* sound = found->sound;
  waveOutUnprepareHeader(waveOut, header, sizeof(WAVEHDR));
  buffers.erase(found);
  if (--queued == 0) {
    waveOutReset(waveOut);
    waveOutClose(waveOut);
    waveOut = nullptr;
    DestroyWindow();
  }
  if (sound) {
    sound->playing = false;
    sound->OnPlayFinished();
  }
  return 0;
}

bool WaveSoundPlayer::play(UINT id) {
  auto next = std::make_unique<CWave>();
  if (!next->LoadFromResource(id)) return false;
  wave = std::move(next);
  return wave->Play();
}

void InstallWaveSoundPlayer() {
  static WaveSoundPlayer player;
  shell::set_sound_player(&player);
}
