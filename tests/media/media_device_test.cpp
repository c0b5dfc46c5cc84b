#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "pictures/image/media_element.h"
#include "pictures/media/media_device.h"
#include "pictures/media/media_text.h"
#include "pictures/media/movie_player.h"
#include "platform/base/cp1250.h"
#include "platform/base/temp_folder.h"
#include "tests/media/fake_media.h"
#include "platform/shell/wave_out.h"
#include "tests/support/gui_fixture.h"

namespace media {
namespace {

// A mono 8-bit wave of `ms` milliseconds at 8 kHz.
std::string WriteWave(int ms) {
  const std::string path = base::temp_folder() + "/proba.wav";
  const uint32_t samples = 8 * ms;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out << "RIFF";
  u32(36 + samples);
  out << "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(8000);
  u32(8000);
  u16(1);
  u16(8);
  out << "data";
  u32(samples);
  for (uint32_t i = 0; i < samples; ++i) out.put(char(128 + ((i / 10) % 2 ? 40 : -40)));
  return path;
}

class RealDevice : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    SetMediaErrorReceiver([this](HWND, uint32_t code, const std::string&) { errors.push_back(code); });
  }
  void TearDown() override {
    SetMediaErrorReceiver({});
    GuiTest::TearDown();
  }
  std::vector<uint32_t> errors;
};

TEST_F(RealDevice, DevicesThatCannotExistHereFailWithAClearCode) {
  struct Case {
    const char* type;
    const char* element;
    uint32_t code;
  } cases[] = {{"cdaudio", "", MCIERR_DEVICE_NOT_INSTALLED},
               {"sequencer", "utwor.mid", MCIERR_DEVICE_NOT_INSTALLED},
               {"", "utwor.mid", MCIERR_DEVICE_NOT_INSTALLED},
               {"", "dokument.xyz", kErrNoDriver},
               {"waveaudio", "", kErrFileRequired},
               {"teleks", "", MCIERR_INVALID_DEVICE_NAME},
               {"", "/nie/ma/takiego.wav", MCIERR_FILE_NOT_FOUND}};
  for (const Case& c : cases) {
    errors.clear();
    EXPECT_EQ(MciOpenDevice(nullptr, c.type, c.element, nullptr), 0) << c.type << c.element;
    EXPECT_EQ(errors, (std::vector<uint32_t>{c.code})) << c.type << c.element;
  }
}

TEST_F(RealDevice, AWaveFilePlaysToItsEnd) {
  const std::string path = WriteWave(400);
  MediaDevice device;
  device.id = MciOpenDevice(nullptr, "", path, &device);
  if (device.id == 0) GTEST_SKIP() << "no media back end on this machine";
  ASSERT_TRUE(MciQueryDevice(device));
  EXPECT_EQ(device.type, MCI_DEVTYPE_WAVEFORM_AUDIO);
  EXPECT_TRUE(device.has(kDevAudio));
  EXPECT_FALSE(device.has(kDevVideo));
  EXPECT_NEAR(device.rangeLength, 400, 30);
  EXPECT_EQ(device.alias.substr(0, 5), "MVMCI");
  if (shell::wave_output_audible()) {
    // Where an audio device exists the wave is heard to its end, which the device reports.
    HWND target = CreateWindowEx(0, lumo::test::test_window_class("MediaTarget", DefWindowProc), "", 0, 0, 0, 10,
                                 10, nullptr, nullptr, nullptr);
    device.playBar = target;
    device.last = device.stopAt = device.rangeLength - 1;
    ASSERT_TRUE(MciPlay(device));
    MSG msg{};
    bool ended = false;
    const DWORD start = GetTickCount();
    while (!ended && GetTickCount() - start < 5000) {
      pump();
      while (PeekMessage(&msg, target, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) ended = msg.wParam == MCI_NOTIFY_SUCCESSFUL;
    }
    EXPECT_TRUE(ended);
  }
  MciCloseDevice(device.id);
  std::remove(path.c_str());
}

TEST_F(RealDevice, AWaveFileNamedInPolishOpens) {
  // Names reach the device in code page 1250; the file on disk carries the UTF-8 name.
  const std::string plain = WriteWave(200);
  if (const uint16_t id = MciOpenDevice(nullptr, "", plain, nullptr)) MciCloseDevice(id);
  else GTEST_SKIP() << "no media back end on this machine";
  const std::string utf8 = base::temp_folder() + "/źródło ąęłóśżźćń.wav";
  ASSERT_EQ(std::rename(plain.c_str(), utf8.c_str()), 0);
  MediaDevice device;
  device.id = MciOpenDevice(nullptr, "", base::cp1250::from_utf8(utf8), &device);
  EXPECT_EQ(errors, std::vector<uint32_t>{});
  ASSERT_NE(device.id, 0);
  ASSERT_TRUE(MciQueryDevice(device));
  EXPECT_NEAR(device.rangeLength, 200, 30);
  MciCloseDevice(device.id);
  std::remove(utf8.c_str());
}

TEST(MediaElement, PlainFilesAreReadWhole) {
  const std::string path = WriteWave(10);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(MediaReadElement(path, bytes));
  EXPECT_EQ(bytes.size(), 44u + 80u);
  EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
  EXPECT_FALSE(MediaReadElement(path + ".brak", bytes));
  // A compound name whose extension has no I/O procedure is an ordinary (missing) file.
  EXPECT_FALSE(MediaReadElement("/nie/ma/tytul.xyz+dzwiek.wav", bytes));
  MediaElementFile file;
  ASSERT_TRUE(MediaOpenElementFile(path, file));
  EXPECT_EQ(file.path, path);
  EXPECT_FALSE(file.temporary);
  // Names are code page 1250; the file system's names are UTF-8.
  const std::string polish = base::temp_folder() + "/dźwięk.wav";
  ASSERT_EQ(std::rename(path.c_str(), polish.c_str()), 0);
  ASSERT_TRUE(MediaReadElement(base::cp1250::from_utf8(polish), bytes));
  EXPECT_EQ(bytes.size(), 44u + 80u);
  ASSERT_TRUE(MediaOpenElementFile(base::cp1250::from_utf8(polish), file));
  EXPECT_EQ(file.path, polish);
  std::remove(polish.c_str());
}

// A movie library that plays a movie of `frames` frames with labels.
class FakeMovies : public MoviePlayerLibrary {
 public:
  int32_t mmpGetFileInfo(const char*, uint8_t* info, size_t size) override {
    std::memset(info, 0, size);
    info[4] = uint8_t(frames);
    info[14] = 64;
    info[18] = 48;
    return 1;
  }
  intptr_t mmpOpen(HWND, int32_t) override { return 7; }
  int32_t mmpLoadFile(intptr_t, const char*, uint32_t) override { return 1; }
  int32_t mmpGoToFrame(intptr_t, int16_t f, uint16_t) override {
    frame = f;
    return 1;
  }
  int32_t mmpStartAnimating(intptr_t, int32_t) override {
    playing = true;
    return 1;
  }
  int32_t mmpAnimate(intptr_t) override {
    ++frame;
    return 5;
  }
  int32_t mmpStopAnimating(intptr_t, int32_t) override {
    playing = false;
    return 1;
  }
  int32_t mmpAnimStopped(intptr_t) override { return !playing; }
  int16_t mmpGetCurFrame(intptr_t) override { return frame; }
  int32_t mmpGetMovieInfo(intptr_t, uint8_t* info, size_t size) override {
    std::memset(info, 0, size);
    info[4] = uint8_t(frames);
    return 1;
  }
  HPALETTE mmpGetPaletteHandle(intptr_t) override { return nullptr; }
  int32_t mmpGetInfo(intptr_t, int32_t code, void* answer, int32_t) override {
    static const uint16_t table[] = {10, 0, 20, 8, 30, 10, 40, 12};
    static const char names[] = "$$Wstęp#x$#$ Koniec";
    if (code == -8) *static_cast<int32_t*>(answer) = 4;
    if (code == -6) *static_cast<const uint16_t**>(answer) = table;
    if (code == -7) *static_cast<const char**>(answer) = names;
    return 1;
  }
  int32_t mmpUpdate(intptr_t, HDC, const RECT*) override { return 1; }
  int32_t mmpSetMute(intptr_t, int32_t) override { return 1; }
  uint32_t mmpError(int32_t, int32_t, int32_t) override { return 0; }
  int32_t mmpFreeFile(intptr_t, uint32_t) override { return 1; }
  int32_t mmpClose(intptr_t, int32_t) override {
    ++closes;
    return 1;
  }
  int frames = 50;
  int16_t frame = 0;
  bool playing = false;
  int closes = 0;
};

TEST(MoviePlayer, TheAbsentLibraryRefusesEveryMovie) {
  MovieUnloadLibrary();
  MovieFileInfo info;
  EXPECT_FALSE(MovieGetFileInfo("film.mmm", info));
  MediaDevice device;
  std::vector<uint32_t> errors;
  SetMediaErrorReceiver([&](HWND, uint32_t code, const std::string&) { errors.push_back(code); });
  EXPECT_FALSE(MovieOpen(device, "film.mmm"));
  SetMediaErrorReceiver({});
  EXPECT_EQ(errors, (std::vector<uint32_t>{kErrMovieOpen}));
}

TEST(MoviePlayer, AFakeLibraryDrivesTheBackEnd) {
  auto library = std::make_shared<FakeMovies>();
  SetMoviePlayerLibrary(library);
  MovieFileInfo info;
  ASSERT_TRUE(MovieGetFileInfo("film.mmm", info));
  EXPECT_EQ(info.length, 50);
  EXPECT_EQ(info.width, 64);
  MediaDevice device;
  ASSERT_TRUE(MovieOpen(device, "film.mmm"));
  EXPECT_EQ(device.id, 0x8000);
  EXPECT_EQ(device.type, MCI_DEVTYPE_ANIMATION);
  // A movie of n frames plays positions 2 to n.
  EXPECT_EQ(device.rangeStart, 2);
  EXPECT_EQ(device.rangeStart + device.rangeLength - 1, 50);
  const std::vector<MovieMark> marks = MovieLabelMarks(device);
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_TRUE(marks[0].stop);
  EXPECT_EQ(marks[0].name, "Wstęp");
  EXPECT_EQ(marks[0].position, 9);
  EXPECT_TRUE(marks[1].section);
  EXPECT_EQ(marks[1].position, 21);
  EXPECT_EQ(marks[2].name, "Koniec");
  EXPECT_EQ(marks[2].position, 39);
  MovieClose(device);
  EXPECT_EQ(library->closes, 1);
  MovieUnloadLibrary();
}

TEST(MoviePlayer, TheSoundTrackDeviceNamedAfterTheMovieFollowsIt) {
  auto library = std::make_shared<FakeMovies>();
  SetMoviePlayerLibrary(library);
  test::Rig rig;  // the sound track's device
  MediaDevice sound;
  sound.id = MciOpenDevice(nullptr, "", "sciezka.wav", &sound);
  ASSERT_NE(sound.id, 0);
  MediaDevice device;
  ASSERT_TRUE(MovieOpen(device, "/filmy/" + sound.alias + ".MMM"));
  EXPECT_EQ(device.movieState->soundAlias, sound.alias);
  ASSERT_TRUE(MoviePlay(device));
  EXPECT_EQ(rig.script.log.back(), "play 0-10000");
  ASSERT_TRUE(MoviePause(device));
  EXPECT_EQ(rig.script.log.back(), "pause");
  MoviePlay(device);
  ASSERT_TRUE(MovieStop(device));
  EXPECT_EQ(rig.script.log.back(), "stop");
  MovieClose(device);
  EXPECT_EQ(MciDriver(sound.id), nullptr);  // closed with the movie
  // A movie whose name no device carries has no sound track to steer.
  MediaDevice other;
  ASSERT_TRUE(MovieOpen(other, "/filmy/inny.mmm"));
  EXPECT_TRUE(other.movieState->soundAlias.empty());
  MovieClose(other);
  MovieUnloadLibrary();
}

}  // namespace
}  // namespace media
