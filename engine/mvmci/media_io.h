// The media I/O procedure for titles: sounds and video stored in a title as baggage files are read
// in place by the media layer through a compound name "<title file>.M14+<element>". The procedure is
// installed for the four-character code "M14 " in the engine's table of media I/O procedures, where
// the media windows find it by the extension of the name they open.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/title/baggage.h"
#include "engine/title/title.h"

namespace mvmci {

inline constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}
inline constexpr uint32_t kTitleMediaFourCC = MakeFourCC('M', '1', '4', ' ');

// Messages of a media I/O procedure.
inline constexpr uint32_t kMediaRead = 0;
inline constexpr uint32_t kMediaWrite = 1;
inline constexpr uint32_t kMediaSeek = 2;
inline constexpr uint32_t kMediaOpen = 3;
inline constexpr uint32_t kMediaClose = 4;
inline constexpr uint32_t kMediaWriteFlush = 5;

// Open flag: only parse the name.
inline constexpr uint32_t kMediaParse = 0x100;

// Open results.
inline constexpr int64_t kMediaFileNotFound = 257;
inline constexpr int64_t kMediaCannotOpen = 259;

// What the media layer keeps for one open element: the open flags, the current file offset and the
// two words the procedure reserves for itself (the title and the baggage file).
struct MediaIoInfo {
  uint32_t flags = 0;
  int64_t diskOffset = 0;
  title::TitleHandle* title = nullptr;
  title::BaggagePtr baggage;
};

// open: `first` is the compound name (const char*); read: `first` the buffer, `second` the count;
// seek: `first` the offset, `second` the origin (0 start, 1 current, 2 end).
using MediaIoProcedure = int64_t (*)(MediaIoInfo& info, uint32_t message, intptr_t first, intptr_t second);

int64_t MediaIOProc(MediaIoInfo& info, uint32_t message, intptr_t first, intptr_t second);

// Installs (removes) MediaIOProc for "M14 "; called at engine start-up (shut-down).
void MvInstallMediaIO();
void MvRemoveMediaIO();
// The procedure installed for a code, null when none.
MediaIoProcedure MediaFindIOProc(uint32_t fourcc);

// Splits a compound name after its ".M14" (case ignored) and the "+" that follows: the title file
// and the element. False when the name has no ".M14+".
bool MediaSplitCompoundName(std::string_view name, std::string_view& title_file, std::string_view& element);

}  // namespace mvmci
