// Wave output: the platform's calls that play PCM buffers asynchronously.
//
// An output is opened for one PCM format with a window to notify; buffers written to it play one
// after another, and each finished buffer is marked done and reported to the window as a posted
// MM_WOM_DONE (wParam the output, lParam the WAVEHDR). The caller keeps a buffer's bytes and its
// header alive until then. Reset ends every queued buffer at once (each still reported); close
// fails while buffers are queued.
//
// Behind the calls is one sound sink for the process: Qt's audio sink on the default audio
// device, or a silent sink when there is no device (and in tests), which finishes every buffer at
// once without a sound.
#pragma once

#include <cstdint>

#include "platform/base/win_types.h"

struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;
using MMRESULT = UINT;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

inline constexpr UINT WAVE_MAPPER = UINT(-1);
inline constexpr DWORD WAVE_FORMAT_QUERY = 0x0001;
inline constexpr DWORD CALLBACK_WINDOW = 0x00010000;
inline constexpr WORD WAVE_FORMAT_PCM = 1;

inline constexpr UINT MM_WOM_OPEN = 0x3BB;
inline constexpr UINT MM_WOM_CLOSE = 0x3BC;
inline constexpr UINT MM_WOM_DONE = 0x3BD;

inline constexpr DWORD WHDR_DONE = 0x01;
inline constexpr DWORD WHDR_PREPARED = 0x02;
inline constexpr DWORD WHDR_INQUEUE = 0x10;

struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};

struct WAVEHDR {
  char* lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  UINT_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  UINT_PTR reserved;
};

// Formats the outputs take: PCM, 1 or 2 channels, 8 or 16 bits, 8,000 to 48,000 samples a
// second, with a consistent block alignment. With WAVE_FORMAT_QUERY nothing is opened.
MMRESULT waveOutOpen(HWAVEOUT* out, UINT device, const WAVEFORMATEX* format, UINT_PTR callback,
                     UINT_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT out, WAVEHDR* header, UINT size);
MMRESULT waveOutUnprepareHeader(HWAVEOUT out, WAVEHDR* header, UINT size);
MMRESULT waveOutWrite(HWAVEOUT out, WAVEHDR* header, UINT size);
MMRESULT waveOutReset(HWAVEOUT out);
MMRESULT waveOutClose(HWAVEOUT out);

namespace shell {

// Makes every output silent (true) or lets them use the audio device when there is one.
void set_silent_wave_output(bool silent);
// True when outputs play through an audio device.
bool wave_output_audible();

}  // namespace shell
