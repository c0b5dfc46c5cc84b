// Wave sounds: creating, samples, RIFF parsing, and playing through the silent output: the
// program's sounds, back-to-back sounds on one output, and a sound freed while it plays.
#include <gtest/gtest.h>

#include <cstring>

#include "pictures/image/wave.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "tests/support/gui_fixture.h"

namespace {

std::vector<uint8_t> Riff(std::vector<std::pair<std::string, std::vector<uint8_t>>> chunks) {
  std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (auto& [id, body] : chunks) {
    out.insert(out.end(), id.begin(), id.end());
    uint32_t size = uint32_t(body.size());
    out.insert(out.end(), {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)});
    out.insert(out.end(), body.begin(), body.end());
    if (size & 1) out.push_back(0);
  }
  uint32_t total = uint32_t(out.size() - 8);
  std::memcpy(out.data() + 4, &total, 4);
  return out;
}

std::vector<uint8_t> Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, size_t size = 16) {
  uint16_t align = uint16_t(channels * bits / 8);
  uint32_t bytes = rate * align;
  std::vector<uint8_t> f(size);
  std::memcpy(f.data(), &tag, 2);
  std::memcpy(f.data() + 2, &channels, 2);
  if (size >= 8) std::memcpy(f.data() + 4, &rate, 4);
  if (size >= 12) std::memcpy(f.data() + 8, &bytes, 4);
  if (size >= 14) std::memcpy(f.data() + 12, &align, 2);
  if (size >= 16) std::memcpy(f.data() + 14, &bits, 2);
  return f;
}

class WaveTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    shell::set_silent_wave_output(true);
    resources::register_program_resources();
  }
};

}  // namespace

TEST(WaveSoundTest, NewSoundIsSixteenSilentSamples) {
  CWave wave;
  EXPECT_EQ(wave.GetSize(), 16u);
  EXPECT_EQ(wave.SampleCount(), 16);
  EXPECT_EQ(wave.GetFormat().nSamplesPerSec, 11025u);
  EXPECT_EQ(wave.GetFormat().wBitsPerSample, 8);
  EXPECT_EQ(wave.GetFormat().nChannels, 1);
  for (uint8_t b : *wave.GetSamples()) EXPECT_EQ(b, 0x80);
  EXPECT_FALSE(wave.IsPlaying());
  EXPECT_EQ(wave.GetRuntimeClass()->m_lpszClassName, std::string("CWave"));
}

TEST(WaveSoundTest, CreateChecksRateAndBits) {
  CWave wave;
  EXPECT_FALSE(wave.Create(100, 8000, 8));
  EXPECT_FALSE(wave.Create(100, 11025, 12));
  EXPECT_FALSE(wave.Create(-1, 11025, 8));
  EXPECT_EQ(wave.SampleCount(), 16);
  ASSERT_TRUE(wave.Create(4, 22050, 16));
  EXPECT_EQ(wave.GetFormat().nAvgBytesPerSec, 44100u);
  wave.SetSample(1, -300);
  wave.SetSample(4, 7);  // outside: ignored
  int16_t v;
  std::memcpy(&v, wave.GetSamples()->data() + 2, 2);
  EXPECT_EQ(v, -300);
  ASSERT_TRUE(wave.Create(2, 44100, 8));
  wave.SetSample(0, 32767);
  EXPECT_EQ((*wave.GetSamples())[0], 0xFF);
}

TEST(WaveSoundTest, ParsesRiffChunksWithCare) {
  std::vector<uint8_t> data = {1, 2, 3, 4, 5};
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool loads;
  } cases[] = {
      {"plain", Riff({{"fmt ", Format(1, 1, 11025, 8)}, {"data", data}}), true},
      {"long format chunk", Riff({{"fmt ", Format(1, 2, 22050, 16, 18)}, {"data", data}}), true},
      {"odd chunk padded", Riff({{"fmt ", Format(1, 1, 11025, 8)}, {"LIST", {1, 2, 3}}, {"data", data}}), true},
      {"compressed", Riff({{"fmt ", Format(2, 1, 11025, 8)}, {"data", data}}), false},
      {"short format", Riff({{"fmt ", Format(1, 1, 11025, 8, 14)}, {"data", data}}), false},
      {"no format", Riff({{"data", data}}), false},
      {"no data", Riff({{"fmt ", Format(1, 1, 11025, 8)}}), false},
      {"not wave", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, false},
      {"empty", {}, false},
  };
  for (const Case& c : cases) {
    CWave wave;
    EXPECT_EQ(bool(wave.LoadFromBytes(c.bytes)), c.loads) << c.what;
    EXPECT_EQ(wave.GetSize(), c.loads ? 5u : 16u) << c.what;
  }
  // A data chunk whose size runs past the end of the file.
  std::vector<uint8_t> whole = Riff({{"fmt ", Format(1, 1, 11025, 8)}, {"data", data}});
  std::span<const uint8_t> cut = std::span(whole).first(whole.size() - 2);
  CWave wave;
  EXPECT_FALSE(wave.LoadFromBytes(cut));
  for (size_t length = 0; length < cut.size(); ++length) EXPECT_FALSE(wave.LoadFromBytes(cut.first(length)));
}

TEST_F(WaveTest, PlaysTheProgramSoundsThroughTheSoundPlayer) {
  // Before a player is installed nothing sounds, and the default player says so.
  EXPECT_FALSE(shell::sound_player().play(resources::IDR_WAVE_STARTUP));
  InstallWaveSoundPlayer();
  for (UINT id : {resources::IDR_WAVE_STARTUP, resources::IDR_WAVE_WARNING}) {
    CWave wave;
    ASSERT_TRUE(wave.LoadFromResource(id)) << id;
    EXPECT_EQ(wave.GetFormat().nSamplesPerSec, 22050u);
    EXPECT_GT(wave.GetSize(), 4000u);
    EXPECT_TRUE(shell::sound_player().play(id)) << id;
    pump();
  }
  EXPECT_FALSE(shell::sound_player().play(12345));
  EXPECT_FALSE(WaveOutDevice::Process().IsOpen());
  EXPECT_EQ(WaveOutDevice::Process().Queued(), 0);
  shell::set_sound_player(nullptr);
}

TEST_F(WaveTest, SoundsOfOneFormatShareTheOutputUntilTheLastEnds) {
  WaveOutDevice device;
  CWave first, second;
  ASSERT_TRUE(first.Play(&device));
  ASSERT_TRUE(second.Play(&device));
  EXPECT_TRUE(first.IsPlaying());
  EXPECT_TRUE(second.IsPlaying());
  EXPECT_TRUE(device.IsOpen());
  EXPECT_EQ(device.Queued(), 2);
  HWND window = device.GetSafeHwnd();
  ASSERT_TRUE(IsWindow(window));
  pump();
  EXPECT_FALSE(first.IsPlaying());
  EXPECT_FALSE(second.IsPlaying());
  EXPECT_FALSE(device.IsOpen());
  EXPECT_FALSE(IsWindow(window));
  // The next sound opens it again.
  ASSERT_TRUE(first.Play(&device));
  EXPECT_TRUE(device.IsOpen());
  pump();
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(WaveTest, SoundFreedWhilePlayingKeepsItsSamplesUntilDone) {
  WaveOutDevice device;
  auto wave = std::make_unique<CWave>();
  ASSERT_TRUE(wave->Create(2000, 11025, 8));
  std::weak_ptr<const std::vector<uint8_t>> samples = wave->GetSamples();
  ASSERT_TRUE(wave->Play(&device));
  wave.reset();
  EXPECT_FALSE(samples.expired());  // the output still holds them
  pump();
  EXPECT_TRUE(samples.expired());
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(WaveTest, SoundOutlivingItsDeviceIsSafe) {
  CWave wave;
  {
    WaveOutDevice device;
    ASSERT_TRUE(wave.Play(&device));
  }
  EXPECT_FALSE(wave.IsPlaying());
  pump();
}
