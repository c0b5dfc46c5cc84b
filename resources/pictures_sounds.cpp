// The program's sounds, made for it: a rising two-note chime at start and a short double beep
// before a warning. Both are 22,050 Hz, 16-bit mono RIFF waves, synthesised once when the
// resources are registered.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "resources/pictures_ids.h"
#include "resources/program_resources.h"

namespace resources {

namespace {

constexpr int kRate = 22050;

struct Note {
  double frequency;  // 0 for a rest
  double seconds;
  double decay;      // per second
};

std::vector<uint8_t> Synthesise(std::initializer_list<Note> notes) {
  std::vector<int16_t> samples;
  for (const Note& n : notes) {
    int count = int(n.seconds * kRate);
    for (int i = 0; i < count; ++i) {
      double t = double(i) / kRate;
      // A soft attack and an exponential fall keep the notes free of clicks.
      double envelope = std::min(1.0, t * 200.0) * std::exp(-n.decay * t) * std::min(1.0, (count - i) / 100.0);
      double tone = n.frequency > 0 ? std::sin(2 * std::numbers::pi * n.frequency * t) +
                                          0.3 * std::sin(4 * std::numbers::pi * n.frequency * t)
                                    : 0.0;
      samples.push_back(int16_t(std::lround(9000.0 * envelope * tone)));
    }
  }
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
  uint32_t data = uint32_t(samples.size() * 2);
  tag("RIFF");
  put32(4 + 8 + 16 + 8 + data);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);
  put16(1);
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  tag("data");
  put32(data);
  for (int16_t s : samples) put16(uint16_t(s));
  return out;
}

}  // namespace

void register_pictures_sounds() {
  static const std::vector<uint8_t> startup =
      Synthesise({{523.25, 0.16, 6.0}, {783.99, 0.30, 5.0}});
  static const std::vector<uint8_t> warning =
      Synthesise({{440.0, 0.11, 4.0}, {0.0, 0.06, 0.0}, {440.0, 0.11, 4.0}});
  res::add_binary({res::BinaryKind::sound, IDR_WAVE_STARTUP, nullptr, startup});
  res::add_binary({res::BinaryKind::sound, IDR_WAVE_WARNING, nullptr, warning});
}

}  // namespace resources
