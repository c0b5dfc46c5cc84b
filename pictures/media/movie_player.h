// The movie-player back end: ".MMM" movies are shown through an outside movie-player library
// loaded on first use. No such library exists for this program, so the default library is absent:
// `mmpGetFileInfo` cannot be reached and every movie window is refused with 3030, as when the
// library is missing. Tests install a fake library through SetMoviePlayerLibrary.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/win_types.h"
#include "platform/gdi/core/gdi_types.h"

namespace media {

struct MediaDevice;

// The library's seventeen entry points, with the arguments the back end passes.
class MoviePlayerLibrary {
 public:
  virtual ~MoviePlayerLibrary() = default;
  virtual int32_t mmpGetFileInfo(const char* file, uint8_t* info, size_t size) = 0;  // >= 22 bytes
  virtual intptr_t mmpOpen(HWND window, int32_t flags) = 0;
  virtual int32_t mmpLoadFile(intptr_t movie, const char* file, uint32_t flags) = 0;
  virtual int32_t mmpGoToFrame(intptr_t movie, int16_t frame, uint16_t flags) = 0;
  virtual int32_t mmpStartAnimating(intptr_t movie, int32_t flags) = 0;
  virtual int32_t mmpAnimate(intptr_t movie) = 0;
  virtual int32_t mmpStopAnimating(intptr_t movie, int32_t flags) = 0;
  virtual int32_t mmpAnimStopped(intptr_t movie) = 0;
  virtual int16_t mmpGetCurFrame(intptr_t movie) = 0;
  virtual int32_t mmpGetMovieInfo(intptr_t movie, uint8_t* info, size_t size) = 0;
  virtual HPALETTE mmpGetPaletteHandle(intptr_t movie) = 0;
  virtual int32_t mmpGetInfo(intptr_t movie, int32_t code, void* answer, int32_t size) = 0;
  virtual int32_t mmpUpdate(intptr_t movie, HDC dc, const RECT* area) = 0;
  virtual int32_t mmpSetMute(intptr_t movie, int32_t mute) = 0;
  virtual uint32_t mmpError(int32_t a, int32_t b, int32_t c) = 0;
  virtual int32_t mmpFreeFile(intptr_t movie, uint32_t flags) = 0;
  virtual int32_t mmpClose(intptr_t movie, int32_t flags) = 0;
};

// The library for the process: loaded on first use (null when absent), kept until MciTerm.
MoviePlayerLibrary* MovieLibrary();
void SetMoviePlayerLibrary(std::shared_ptr<MoviePlayerLibrary> library);
void MovieUnloadLibrary();

// What a movie's device record keeps.
struct MovieState {
  intptr_t handle = 0;
  std::string soundAlias;  // the device playing the movie's sound track, when one is open
};

struct MovieFileInfo {
  int32_t length = 0;
  int32_t width = 0, height = 0;
};
// Asks the library about a file; false when it is absent or refuses the file.
bool MovieGetFileInfo(const std::string& file, MovieFileInfo& info);

// A movie's label as a mark of the play bar.
struct MovieMark {
  std::string name;
  bool stop = false, section = false;
  int32_t position = 0;
};

// Device operations for a movie.
bool MovieOpen(MediaDevice& device, const std::string& file);
bool MovieLearn(MediaDevice& device);
bool MoviePoll(MediaDevice& device);
bool MoviePlay(MediaDevice& device);
bool MoviePause(MediaDevice& device);
bool MovieStop(MediaDevice& device);
void MovieSeek(MediaDevice& device, int32_t frame);
void MovieDraw(MediaDevice& device, HDC dc, const RECT* area);
bool MovieSound(MediaDevice& device, bool on);
void MovieClose(MediaDevice& device);
// The marks made from the movie's labels (the list's leading unnamed mark not included).
std::vector<MovieMark> MovieLabelMarks(MediaDevice& device);

}  // namespace media
