// Reads arbitrary bytes as a binder file. A binder that reads must store again and read back with
// the same items.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "engine/medview/group_file.h"
#include "engine/medview/topic_list.h"
#include "navigation/binder_store.h"

namespace {

std::vector<int32_t> Items(engine::TopicGroup* group) {
  std::vector<int32_t> out;
  for (int32_t i = 0, n = medview::MvGetGroupCount(group); i < n; ++i) out.push_back(medview::MvGetGroupItem(group, i));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  engine::GroupPtr group;
  if (binders::DecodeBinderBytes(std::span(data, size), group) != binders::BinderError::None) {
    if (group) std::abort();
    return 0;
  }
  if (!group) std::abort();
  std::vector<uint8_t> bytes;
  if (medview::MvEncodeGroupBytes(group.get(), bytes) != 0) std::abort();
  engine::GroupPtr again;
  if (binders::DecodeBinderBytes(bytes, again) != binders::BinderError::None) std::abort();
  if (Items(group.get()) != Items(again.get())) std::abort();
  // Removing a range and merging it back stays within what a file holds.
  const binders::ActRange range{int32_t(size % 300), int32_t(size % 300 + 40)};
  bool already = false;
  binders::BinderError error = binders::BinderError::None;
  engine::GroupPtr merged = binders::MergeAct(group.get(), range, already, error);
  if (merged) {
    binders::RemoveActRange(merged.get(), range);
    if (medview::MvEncodeGroupBytes(merged.get(), bytes) != 0) std::abort();
  }
  return 0;
}
