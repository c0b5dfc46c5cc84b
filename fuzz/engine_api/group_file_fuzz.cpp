// Both group-file readers on hostile bytes: the baggage decoding straight from memory, the open-file
// reader through a temporary file. Every group they hand out keeps its items inside its vector and its
// count equal to its bits, and writes back into a file both readers accept with the same items.
#include <cstdint>
#include <vector>

#include "engine/medview/group_file.h"
#include "engine/medview/topic_list.h"
#include "platform/base/temp_folder.h"

namespace {

std::vector<int32_t> items(engine::TopicGroup* g) {
  if (g->count != engine::GrpCountBits(g->bits)) __builtin_trap();
  std::vector<int32_t> out;
  for (int32_t n = 0; n < g->count; ++n) {
    const int32_t item = medview::MvGetGroupItem(g, n);
    if (item < 0 || item >= 8 * g->size() || (!out.empty() && item <= out.back())) __builtin_trap();
    out.push_back(item);
  }
  return out;
}

// A scratch file reused by every run.
base::OsFile& scratch() {
  static base::OsFile file;
  if (!file.is_open()) {
    std::string path;
    base::create_temp_file("grpfuzz", ".grp", file, path);
  }
  return file;
}

engine::GroupPtr read_file(const std::vector<uint8_t>& bytes, uint16_t* code) {
  base::OsFile& f = scratch();
  f.set_size(0);
  f.write_at(0, bytes.data(), bytes.size());
  f.seek(0, base::OsFile::Whence::Begin);
  return medview::MvReadGroupFile(&f, code);
}

void check_round_trip(engine::TopicGroup* g) {
  const std::vector<int32_t> before = items(g);
  base::OsFile& f = scratch();
  f.set_size(0);
  f.seek(0, base::OsFile::Whence::Begin);
  if (medview::MvWriteGroupFile(&f, g) != 0) return;  // a vector too long to store
  uint64_t size = 0;
  f.size(size);
  std::vector<uint8_t> written(size);
  f.read_at(0, written.data(), written.size());
  uint16_t code = 0;
  engine::GroupPtr back = medview::MvDecodeGroupBytes(written, &code);
  if (!back || items(back.get()) != before) __builtin_trap();
  back = read_file(written, &code);
  if (!back || items(back.get()) != before) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  uint16_t code = 0;
  if (engine::GroupPtr g = medview::MvDecodeGroupBytes(bytes, &code)) check_round_trip(g.get());
  if (engine::GroupPtr g = read_file(bytes, &code)) check_round_trip(g.get());
  return 0;
}
