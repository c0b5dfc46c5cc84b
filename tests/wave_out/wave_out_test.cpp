// The platform's wave output on the silent sink: formats, header states, completion messages,
// reset and close.
#include <gtest/gtest.h>

#include <vector>

#include <QCoreApplication>

#include "platform/shell/wave_out.h"
#include "platform/win/message_queue.h"
#include "tests/support/gui_fixture.h"

namespace {

std::vector<LPARAM>& done_log() {
  static std::vector<LPARAM> log;
  return log;
}

LRESULT Recorder(HWND h, UINT message, WPARAM w, LPARAM l) {
  if (message == MM_WOM_DONE) done_log().push_back(l);
  return DefWindowProc(h, message, w, l);
}

WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits) {
  WORD align = WORD(channels * bits / 8);
  return WAVEFORMATEX{WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

class WaveOutTest : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    shell::set_silent_wave_output(true);
    done_log().clear();
    window = CreateWindowEx(0, lumo::test::test_window_class("WaveOutRecorder", Recorder), "", WS_POPUP,
                            0, 0, 0, 0, nullptr, nullptr, nullptr);
  }
  HWND window = nullptr;
};

}  // namespace

TEST_F(WaveOutTest, AcceptsOnlyPlayablePcmFormats) {
  struct Case {
    WAVEFORMATEX format;
    MMRESULT result;
  } cases[] = {
      {Pcm(1, 11025, 8), MMSYSERR_NOERROR},  {Pcm(2, 44100, 16), MMSYSERR_NOERROR},
      {Pcm(3, 11025, 8), WAVERR_BADFORMAT},  {Pcm(1, 11025, 12), WAVERR_BADFORMAT},
      {Pcm(1, 4000, 8), WAVERR_BADFORMAT},   {Pcm(1, 96000, 16), WAVERR_BADFORMAT},
  };
  for (const Case& c : cases) EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &c.format, 0, 0, WAVE_FORMAT_QUERY), c.result);
  WAVEFORMATEX compressed = Pcm(1, 11025, 8);
  compressed.wFormatTag = 2;
  EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &compressed, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
  WAVEFORMATEX misaligned = Pcm(2, 11025, 16);
  misaligned.nBlockAlign = 3;
  EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &misaligned, 0, 0, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT);
  EXPECT_EQ(waveOutOpen(nullptr, 7, &cases[0].format, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
}

TEST_F(WaveOutTest, BuffersFinishInOrderAndAreReported) {
  WAVEFORMATEX format = Pcm(1, 11025, 8);
  HWAVEOUT out = nullptr;
  ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &format, UINT_PTR(window), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  std::vector<char> bytes(64, char(0x80));
  WAVEHDR first{bytes.data(), 64, 0, 0, 0, 0, nullptr, 0}, second = first;
  EXPECT_EQ(waveOutWrite(out, &first, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
  ASSERT_EQ(waveOutPrepareHeader(out, &first, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutPrepareHeader(out, &second, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutWrite(out, &first, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutWrite(out, &second, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_TRUE(first.dwFlags & WHDR_DONE);
  pump();
  EXPECT_EQ(done_log(), (std::vector<LPARAM>{LPARAM(&first), LPARAM(&second)}));
  EXPECT_EQ(waveOutUnprepareHeader(out, &first, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_FALSE(first.dwFlags & WHDR_PREPARED);
  EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(out), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutWrite(out, &second, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
  EXPECT_EQ(waveOutReset(out), MMSYSERR_INVALHANDLE);
}

TEST_F(WaveOutTest, WithoutForcedSilenceABufferStillFinishes) {
  // Plays through the audio device when there is one (a few silent samples), else at once.
  shell::set_silent_wave_output(false);
  WAVEFORMATEX format = Pcm(1, 11025, 8);
  HWAVEOUT out = nullptr;
  ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &format, UINT_PTR(window), 0, CALLBACK_WINDOW), MMSYSERR_NOERROR);
  std::vector<char> bytes(110, char(0x80));
  WAVEHDR header{bytes.data(), 110, 0, 0, 0, 0, nullptr, 0};
  ASSERT_EQ(waveOutPrepareHeader(out, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  ASSERT_EQ(waveOutWrite(out, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  for (int i = 0; i < 500 && done_log().empty(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    pump();
  }
  EXPECT_EQ(done_log(), (std::vector<LPARAM>{LPARAM(&header)}));
  EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
  shell::set_silent_wave_output(true);
}
