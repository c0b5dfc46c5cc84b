#include "pictures/image/wave_riff.h"

#include <cstring>

namespace {

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

bool ParseWave(std::span<const uint8_t> bytes, WaveData& out) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return false;
  size_t end = 8 + size_t(U32(bytes.data() + 4));
  if (end > bytes.size()) end = bytes.size();
  bool haveFormat = false, haveData = false;
  PCMWAVEFORMAT format{};
  std::span<const uint8_t> samples;
  for (size_t pos = 12; pos + 8 <= end;) {
    const uint8_t* chunk = bytes.data() + pos;
    size_t size = U32(chunk + 4);
    if (size > end - pos - 8) return false;
    const uint8_t* body = chunk + 8;
    if (std::memcmp(chunk, "fmt ", 4) == 0 && !haveFormat) {
      if (size < 16) return false;
      format.wFormatTag = U16(body);
      format.nChannels = U16(body + 2);
      format.nSamplesPerSec = U32(body + 4);
      format.nAvgBytesPerSec = U32(body + 8);
      format.nBlockAlign = U16(body + 12);
      format.wBitsPerSample = U16(body + 14);
      if (format.wFormatTag != 1) return false;
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat && !haveData) {
      if (size > kMaxWaveBytes) return false;
      samples = std::span<const uint8_t>(body, size);
      haveData = true;
    }
    pos += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) return false;
  out.format = format;
  out.samples = samples;
  return true;
}
