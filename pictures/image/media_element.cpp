#include "pictures/image/media_element.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include "engine/mvmci/media_io.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

namespace media {
namespace {

// The I/O procedure for a compound name, found by the four-character code of the extension before
// the "+"; null for a plain name.
mvmci::MediaIoProcedure ProcedureFor(std::string_view name) {
  const size_t plus = name.find('+');
  if (plus == std::string_view::npos) return nullptr;
  const std::string_view head = name.substr(0, plus);
  const size_t dot = head.find_last_of('.');
  if (dot == std::string_view::npos || head.find_first_of("/\\", dot) != std::string_view::npos) return nullptr;
  char code[4] = {' ', ' ', ' ', ' '};
  const std::string_view ext = head.substr(dot + 1);
  for (size_t i = 0; i < ext.size() && i < 4; ++i) code[i] = char(std::toupper(uint8_t(ext[i])));
  return mvmci::MediaFindIOProc(mvmci::MakeFourCC(code[0], code[1], code[2], code[3]));
}

}  // namespace

bool MediaReadElement(std::string_view name, std::vector<uint8_t>& bytes) {
  bytes.clear();
  const std::string text(name);
  if (mvmci::MediaIoProcedure proc = ProcedureFor(name)) {
    mvmci::MediaIoInfo info;
    if (proc(info, mvmci::kMediaOpen, reinterpret_cast<intptr_t>(text.c_str()), 0) != 0) return false;
    uint8_t chunk[16384];
    bool ok = true;
    for (;;) {
      const int64_t got = proc(info, mvmci::kMediaRead, reinterpret_cast<intptr_t>(chunk), sizeof chunk);
      if (got < 0 || bytes.size() + size_t(got) > kMaxElementBytes) {
        ok = false;
        break;
      }
      if (got == 0) break;
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    proc(info, mvmci::kMediaClose, 0, 0);
    if (!ok) bytes.clear();
    return ok;
  }
  // Names are code page 1250, as every file name the program holds; the file system's are UTF-8.
  base::OsFile file;
  uint64_t size = 0;
  if (file.open(base::cp1250::to_utf8(text), base::OpenMode::Read) != base::OsError::None || file.size(size) != base::OsError::None ||
      size > kMaxElementBytes) {
    return false;
  }
  bytes.resize(size_t(size));
  return size == 0 || file.read_at(0, bytes.data(), bytes.size()) == base::OsError::None;
}

MediaElementFile::MediaElementFile(MediaElementFile&& other) noexcept
    : path(std::move(other.path)), temporary(std::exchange(other.temporary, false)) {}

MediaElementFile& MediaElementFile::operator=(MediaElementFile&& other) noexcept {
  if (this != &other) {
    if (temporary) std::remove(path.c_str());
    path = std::move(other.path);
    temporary = std::exchange(other.temporary, false);
  }
  return *this;
}

MediaElementFile::~MediaElementFile() {
  if (temporary) std::remove(path.c_str());
}

bool MediaOpenElementFile(std::string_view name, MediaElementFile& file) {
  if (!ProcedureFor(name)) {
    file.path = base::cp1250::to_utf8(name);
    file.temporary = false;
    return true;
  }
  std::vector<uint8_t> bytes;
  if (!MediaReadElement(name, bytes)) return false;
  // The copy keeps the element's extension so that the platform recognises its format.
  std::string extension;
  const size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos && dot > name.find('+')) extension = std::string(name.substr(dot));
  base::OsFile out;
  std::string path;
  if (base::create_temp_file("media", extension, out, path) != base::OsError::None) return false;
  const bool written = bytes.empty() || out.write(bytes.data(), bytes.size()) == base::OsError::None;
  out.close();
  if (!written) {
    std::remove(path.c_str());
    return false;
  }
  file = MediaElementFile();
  file.path = std::move(path);
  file.temporary = true;
  return true;
}

}  // namespace media
