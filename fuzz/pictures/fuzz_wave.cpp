// Parses arbitrary bytes as a RIFF wave sound.
#include <cstdint>

#include "pictures/image/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CWave wave;
  if (wave.LoadFromBytes({data, size})) wave.SampleCount();
  return 0;
}
