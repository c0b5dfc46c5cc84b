// Baggage loads, seeks and reads with hostile offsets, origins and lengths, on a title written once
// with the sample baggage files, and on copies of it whose stored bytes (directory, file headers,
// contents) are damaged. Input: u8 file choice, i64 start, i64 length, i64 offset, u8 origin, u32
// first part, u32 chunk size, u8 damage count k, k (u32 offset, u8 value) pairs, then the bytes of a
// name to try. On the undamaged title every byte read must be the stored one.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unistd.h>

#include "engine/title/baggage.h"
#include "platform/base/byte_io.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "tools/titlebuild/baggage_fixtures.h"

namespace {

const std::string& title_path() {
  static const std::string path = [] {
    const std::string p = base::temp_folder() + "/bagfuzz" + std::to_string(getpid()) + ".m14";
    titlebuild::TitleBuilder builder;
    titlebuild::add_sample_baggage(builder);
    if (builder.write(p) != 0) __builtin_trap();
    return p;
  }();
  return path;
}

mvfs::TitleFileSystem* title_fs() {
  static mvfs::TitleFileSystemPtr fs = [] {
    const mvfs::FileMoniker moniker(title_path());
    return mvfs::FsOpen(&moniker, mvfs::kFsOpenReadOnly);
  }();
  return fs.get();
}

// A copy of the title with the damage applied, opened; null when it does not open.
mvfs::TitleFileSystemPtr damaged_fs(base::ByteReader& r, uint8_t count) {
  static std::vector<uint8_t> bytes;
  if (bytes.empty() && base::read_file(title_path(), bytes) != base::OsError::None) __builtin_trap();
  std::vector<uint8_t> copy = bytes;
  for (uint8_t k = 0; k < count && r.remaining() >= 5; ++k) {
    const uint32_t at = r.u32() % uint32_t(copy.size());
    copy[at] = r.u8();
  }
  const std::string path = title_path() + ".damaged";
  base::OsFile file;
  if (file.open(path, base::OpenMode::Create) != base::OsError::None ||
      file.write(copy.data(), copy.size()) != base::OsError::None)
    return nullptr;
  file.close();
  const mvfs::FileMoniker moniker(path);
  return mvfs::FsOpen(&moniker, mvfs::kFsOpenReadOnly);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* const kNames[] = {"picture.bmp", "notes.txt", "big.bin", "empty.bin", "PICTURE.BMP"};
  base::ByteReader r(data, size);
  const uint8_t choice = r.u8();
  const int64_t start = int64_t(r.u64());
  const int64_t length = int64_t(r.u64());
  const int64_t offset = int64_t(r.u64());
  const int origin = int(r.u8() % 4);
  const uint32_t first_part = r.u32() % 100000;
  const uint32_t chunk = r.u32() % 70000;
  const uint8_t damage = r.u8();
  mvfs::TitleFileSystemPtr damaged;
  if (damage) {
    damaged = damaged_fs(r, damage);
    if (!damaged) return 0;
  }
  std::string_view extra(reinterpret_cast<const char*>(r.data() + r.pos()), r.remaining());
  const std::string name = choice < 5 * 40 ? kNames[choice % 5] : std::string(extra);
  mvfs::TitleFileSystem* fs = damaged ? damaged.get() : title_fs();

  int64_t loaded = -1;
  uint16_t code = 0;
  const std::vector<uint8_t> bytes = title::BagLoad(fs, name, true, start, length, &loaded, &code);
  if (int64_t(bytes.size()) != std::max<int64_t>(loaded, 0)) __builtin_trap();
  if (!bytes.empty() && !damaged) {
    const int64_t file = title::BagLoad(fs, name, true, 0, 0, nullptr, &code).size();
    if (start + int64_t(bytes.size()) > file) __builtin_trap();
    const std::vector<uint8_t> whole = titlebuild::baggage_pattern(size_t(file));
    if (!std::equal(bytes.begin(), bytes.end(), whole.begin() + start)) __builtin_trap();
  }

  if (title::BaggagePtr h = title::BagOpen(fs, name, true, &code)) {
    uint8_t buffer[64];
    const int64_t size_of = title::BagGetSize(h.get(), &code);
    const int64_t got = title::BagReadAt(h.get(), offset, origin, buffer, sizeof buffer, &code);
    if (got > int64_t(sizeof buffer) || (got > 0 && size_of <= 0)) __builtin_trap();
    title::BagClose(std::move(h), &code);
  }

  // The background reader only over small ranges, to keep each input quick.
  if (length > 0 && length <= 4096) {
    if (title::AsyncReaderPtr reader =
            title::AsyncOpen(fs, 0, nullptr, first_part, chunk, name, true, start, length, &code)) {
      title::AsyncSuspend(reader.get(), (choice & 1) != 0);
      uint32_t done = 0, total = 0;
      title::AsyncGetProgress(reader.get(), &done, &total, nullptr);
      if (done > total) __builtin_trap();
      title::AsyncClose(std::move(reader));
    }
  }
  if (damaged) mvfs::FsClose(std::move(damaged));
  return 0;
}
