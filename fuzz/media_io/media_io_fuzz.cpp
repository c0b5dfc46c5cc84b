// The title media I/O procedure over stored media: a sound stored in a title (the input after its
// first 24 bytes) is opened by its compound name and read and sought as the first bytes say. Every
// read hands back at most the bytes asked for, exactly the stored bytes at the procedure's offset,
// and a failed seek leaves the offset where it was.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/mvmci/media_io.h"
#include "fuzz/title/fuzz_title_file.h"
#include "platform/base/byte_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kSteps = 24;
  if (size < kSteps) return 0;
  const uint8_t* stored = data + kSteps;
  const size_t stored_size = std::min<size_t>(size - kSteps, 65536);
  const std::string path = fuzz_title::write_with("MUZYKA.WAV", stored, stored_size, 65536);
  if (path.empty()) return 0;
  mvmci::MediaIoProcedure procedure = mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC);
  if (!procedure) {
    mvmci::MvInstallMediaIO();
    procedure = mvmci::MediaFindIOProc(mvmci::kTitleMediaFourCC);
  }
  mvmci::MediaIoInfo info;
  info.flags = data[0] & 1 ? mvmci::kMediaParse : 0;
  const std::string name = path + (data[0] & 2 ? "+muzyka.wav" : "+MUZYKA.WAV");
  const int64_t opened = procedure(info, mvmci::kMediaOpen, reinterpret_cast<intptr_t>(name.c_str()), 0);
  if (opened != 0 || !info.baggage) {
    if (info.title || info.baggage) __builtin_trap();
    return 0;
  }
  // Steps: even bytes read up to 4 KB, odd ones seek by a signed 16-bit offset from an origin.
  std::vector<uint8_t> buffer(4096);
  for (size_t i = 1; i + 3 <= kSteps; i += 3) {
    const int64_t before = info.diskOffset;
    const int64_t amount = base::load_le16(data + i + 1);
    if (data[i] % 2 == 0) {
      const int64_t count = amount % int64_t(buffer.size() + 1);
      const int64_t read = procedure(info, mvmci::kMediaRead, reinterpret_cast<intptr_t>(buffer.data()), count);
      if (read < -1 || read > count) __builtin_trap();
      if (read > 0 && (before < 0 || before + read > int64_t(stored_size) ||
                       std::memcmp(buffer.data(), stored + before, size_t(read)) != 0))
        __builtin_trap();
      if (info.diskOffset != before + std::max<int64_t>(read, 0)) __builtin_trap();
    } else {
      const int64_t position = procedure(info, mvmci::kMediaSeek, intptr_t(int16_t(amount)), data[i] / 2 % 3);
      if (position < 0 ? info.diskOffset != before : info.diskOffset != position) __builtin_trap();
    }
  }
  procedure(info, mvmci::kMediaWrite, reinterpret_cast<intptr_t>(buffer.data()), 1);
  procedure(info, mvmci::kMediaClose, 0, 0);
  if (info.title || info.baggage) __builtin_trap();
  return 0;
}
