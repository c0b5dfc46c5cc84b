#include "pictures/media/movie_player.h"

#include <algorithm>
#include <cstring>

#include "pictures/media/media_device.h"
#include "pictures/media/media_text.h"
#include "platform/win/message_queue.h"

namespace media {
namespace {

std::shared_ptr<MoviePlayerLibrary>& Installed() {
  static std::shared_ptr<MoviePlayerLibrary> library;
  return library;
}

int32_t Read32(const uint8_t* p) { return int32_t(uint32_t(p[0]) | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24); }

constexpr uint32_t kBusy = 0xFE64;

// The device that plays the movie's sound track, 0 for none.
uint16_t SoundDevice(const MediaDevice& device) {
  return device.movieState && !device.movieState->soundAlias.empty() ? MciGetDeviceID(device.movieState->soundAlias)
                                                                     : 0;
}

// Steers the movie's sound track along with its pictures.
void SoundResume(const MediaDevice& device) {
  const uint16_t id = SoundDevice(device);
  MediaDriver* driver = MciDriver(id);
  if (!driver) return;
  int32_t position = 0, start = 0, length = 0;
  driver->position(position);
  driver->range(start, length);
  driver->play(position, start + length, nullptr, id);
}
void SoundPause(const MediaDevice& device) {
  if (MediaDriver* driver = MciDriver(SoundDevice(device))) driver->pause();
}
void SoundStop(const MediaDevice& device) {
  if (MediaDriver* driver = MciDriver(SoundDevice(device))) driver->stop();
}

// The file name without its folder and extension.
std::string BaseName(const std::string& file) {
  const size_t slash = file.find_last_of("\\/");
  std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  if (const size_t dot = name.find_last_of('.'); dot != std::string::npos) name.resize(dot);
  return name;
}

}  // namespace

MoviePlayerLibrary* MovieLibrary() { return Installed().get(); }
void SetMoviePlayerLibrary(std::shared_ptr<MoviePlayerLibrary> library) { Installed() = std::move(library); }
void MovieUnloadLibrary() { Installed().reset(); }

bool MovieGetFileInfo(const std::string& file, MovieFileInfo& info) {
  MoviePlayerLibrary* lib = MovieLibrary();
  uint8_t block[32] = {};
  if (!lib || !lib->mmpGetFileInfo(file.c_str(), block, sizeof block)) return false;
  info.length = Read32(block + 4);
  info.width = Read32(block + 14);
  info.height = Read32(block + 18);
  return true;
}

bool MovieOpen(MediaDevice& device, const std::string& file) {
  MoviePlayerLibrary* lib = MovieLibrary();
  intptr_t movie = lib ? lib->mmpOpen(device.videoWindow, 0) : 0;
  if (!movie || !lib->mmpLoadFile(movie, file.c_str(), 0xC000)) {
    if (movie) lib->mmpClose(movie, 0);
    MediaPostError(device.mediaWindow, kErrMovieOpen, file);
    return false;
  }
  device.movie = true;
  device.movieState = std::make_unique<MovieState>();
  device.movieState->handle = movie;
  if (const std::string alias = BaseName(file); MciGetDeviceID(alias)) device.movieState->soundAlias = alias;
  // Warm-up: settle the first frame.
  if (lib->mmpGoToFrame(movie, 1, 0) && lib->mmpStartAnimating(movie, 0)) {
    for (int guard = 0; guard < 100000; ++guard) {
      const int32_t answer = lib->mmpAnimate(movie);
      if (answer == 5 || answer <= 0) break;
    }
    lib->mmpStopAnimating(movie, 0);
  }
  device.id = 0x8000;
  return MovieLearn(device);
}

bool MovieLearn(MediaDevice& device) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState) return false;
  const intptr_t movie = device.movieState->handle;
  device.type = MCI_DEVTYPE_ANIMATION;
  device.product = "Multimedia Movie Player";
  device.flags &= ~(kDevCanRecord | kDevCanEject | kDevCanSwitchSound | kDevFrames);
  device.flags |= kDevVideo | kDevAudio | kDevCanPlay | kDevExactSeek | kDevReady;
  uint8_t info[64] = {};
  if (!lib->mmpGetMovieInfo(movie, info, sizeof info)) return false;
  device.rangeStart = device.playStart = 2;
  device.rangeLength = std::max(Read32(info + 4) - 1, 0);
  device.palette = lib->mmpGetPaletteHandle(movie);
  return true;
}

bool MoviePoll(MediaDevice& device) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState) return false;
  const intptr_t movie = device.movieState->handle;
  if (lib->mmpAnimStopped(movie)) device.flags &= ~kDevPlaying;
  else device.flags |= kDevPlaying;
  device.flags |= kDevReady | kDevPresent;
  if (device.has(kDevPlaying)) {
    const DWORD start = Clock().now();
    while (Clock().now() - start < 50) {
      const int32_t answer = lib->mmpAnimate(movie);
      if (answer == 0) {
        const uint32_t code = lib->mmpError(0, 0, 0) & 0xFFFF;
        if (code != 0 && code != kBusy) return false;
      }
      if (answer == 5 || answer == -3) break;
    }
  }
  device.current = uint16_t(lib->mmpGetCurFrame(movie));
  if (device.has(kDevPlaying) && device.current >= device.stopAt) {
    device.current = device.stopAt;
    if (device.playBar) SendMessage(device.playBar, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, device.id);
  }
  return true;
}

bool MoviePlay(MediaDevice& device) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState || !lib->mmpStartAnimating(device.movieState->handle, 0)) {
    MediaPostError(device.mediaWindow, kErrMovieStart, {});
    return false;
  }
  device.flags |= kDevPlaying;
  SoundResume(device);
  return true;
}

namespace {

bool StopAnimating(MediaDevice& device) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState || !lib->mmpStopAnimating(device.movieState->handle, 0)) {
    MediaPostError(device.mediaWindow, kErrMovieStop, {});
    return false;
  }
  device.flags &= ~kDevPlaying;
  return true;
}

}  // namespace

bool MoviePause(MediaDevice& device) {
  if (!StopAnimating(device)) return false;
  SoundPause(device);
  return true;
}

bool MovieStop(MediaDevice& device) {
  if (!StopAnimating(device)) return false;
  SoundStop(device);
  return true;
}

void MovieSeek(MediaDevice& device, int32_t frame) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState) return;
  SoundStop(device);
  device.current = frame;
  lib->mmpGoToFrame(device.movieState->handle, int16_t(frame), 0xC000);
}

void MovieDraw(MediaDevice& device, HDC dc, const RECT* area) {
  if (MoviePlayerLibrary* lib = MovieLibrary(); lib && device.movieState) {
    lib->mmpUpdate(device.movieState->handle, dc, area);
  }
}

bool MovieSound(MediaDevice& device, bool on) {
  MoviePlayerLibrary* lib = MovieLibrary();
  return lib && device.movieState && lib->mmpSetMute(device.movieState->handle, on ? 0 : 1);
}

void MovieClose(MediaDevice& device) {
  MoviePlayerLibrary* lib = MovieLibrary();
  if (lib && device.movieState) {
    const intptr_t movie = device.movieState->handle;
    lib->mmpFreeFile(movie, 0x2000);
    for (int tries = 0; tries <= 1000 && !lib->mmpClose(movie, 0); ++tries) {
      if ((lib->mmpError(0, 0, 0) & 0xFFFF) != kBusy) break;
    }
    MciCloseDevice(SoundDevice(device));
  }
  device.movieState.reset();
  device.id = 0;
}

std::vector<MovieMark> MovieLabelMarks(MediaDevice& device) {
  std::vector<MovieMark> marks;
  MoviePlayerLibrary* lib = MovieLibrary();
  if (!lib || !device.movieState) return marks;
  const intptr_t movie = device.movieState->handle;
  int32_t count = 0;
  const uint16_t* table = nullptr;
  const char* names = nullptr;
  if (!lib->mmpGetInfo(movie, -8, &count, 4) || !lib->mmpGetInfo(movie, -6, &table, 4) ||
      !lib->mmpGetInfo(movie, -7, &names, 4) || count <= 0 || !table || !names) {
    return marks;
  }
  for (int32_t i = 0; i < count; ++i) {
    const int32_t frame = table[2 * i];
    const char* begin = names + table[2 * i + 1];
    const char* end = i + 1 < count ? names + table[2 * i + 3] : begin + std::strlen(begin);
    const std::string label(begin, end > begin ? size_t(end - begin) : 0);
    if (label.starts_with("$#")) continue;
    if (label.starts_with('$')) {
      marks.push_back({label.size() > 2 ? label.substr(2) : std::string(), true, false, frame - 1});
    } else if (label.starts_with('#')) {
      marks.push_back({{}, false, true, frame + 1});
    }
  }
  return marks;
}

}  // namespace media
