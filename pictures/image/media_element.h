// Reading a media element by name: a plain file, or a compound name "<title file>.M14+<element>"
// read through the media I/O procedure installed for the name's extension (the title's baggage).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace media {

// Limit of one element read into memory.
inline constexpr size_t kMaxElementBytes = size_t(256) << 20;

// The whole element; false when it cannot be found or read (or is larger than the limit).
bool MediaReadElement(std::string_view name, std::vector<uint8_t>& bytes);

// Element names are code page 1250, as every file name the program holds.
// A file the platform can open for an element: the file itself, or a temporary copy of an element
// read through its I/O procedure, removed when this is destroyed; `path` is the file system's name.
class MediaElementFile {
 public:
  MediaElementFile() = default;
  MediaElementFile(MediaElementFile&& other) noexcept;
  MediaElementFile& operator=(MediaElementFile&& other) noexcept;
  ~MediaElementFile();
  std::string path;
  bool temporary = false;
};
bool MediaOpenElementFile(std::string_view name, MediaElementFile& file);

}  // namespace media
