// The RIFF wave form of a PCM sound.
//
// A file is the chunk "RIFF" (4-byte id, 32-bit little-endian size, then the form type "WAVE" and
// the sub-chunks). Each sub-chunk is a 4-byte id and a 32-bit size, then that many bytes and one
// pad byte when the size is odd. "fmt " holds at least 16 bytes: format tag (16-bit, 1 = PCM),
// channels (16-bit), samples per second (32-bit), average bytes per second (32-bit), block
// alignment (16-bit) and bits per sample (16-bit). "data" holds the samples. Other chunks are
// skipped. Every size is checked against the bytes there are; a RIFF size that runs past the end
// is cut to what is there.
#pragma once

#include <cstdint>
#include <span>

#include "platform/base/win_types.h"

struct PCMWAVEFORMAT {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
};
static_assert(sizeof(PCMWAVEFORMAT) == 16);

// The largest sound kept in memory.
inline constexpr size_t kMaxWaveBytes = size_t(64) << 20;

struct WaveData {
  PCMWAVEFORMAT format{};
  std::span<const uint8_t> samples;
};

// False when the bytes are no RIFF "WAVE", a chunk runs past its parent, the format chunk is
// missing or shorter than 16 bytes or not PCM, or there is no data chunk.
bool ParseWave(std::span<const uint8_t> bytes, WaveData& out);
