// A B-tree file from hostile bytes, placed in a container and opened as each key type: every read
// call, with keys and counts taken from the input, ends in a code in bounded time.
//
// Input: byte 0 picks the key type (it replaces the format's first character), the rest is the tree
// file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/mvfs/btree.h"
#include "engine/mvfs/fs_authoring.h"
#include "fuzz/mvfs/fuzz_input_file.h"
#include "platform/base/temp_folder.h"

using namespace mvfs;

namespace {

BtCharMaps makeMaps() {
  BtCharMaps maps(2);
  for (int c = 0; c < 256; ++c) {
    maps[0].weights[size_t(c)] = uint16_t(c >= 'a' && c <= 'z' ? c - 32 : c);
    maps[1].weights[size_t(c)] = uint16_t(c == 0xAD ? 0 : c);
  }
  maps[0].ligatures.push_back({0xE6, 'a', 'e'});
  return maps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 + 38) return 0;
  static const BtCharMaps maps = makeMaps();
  static const char kTypes[] = {'z', 'i', 'S', 'P', 'L'};
  std::vector<uint8_t> tree(data + 1, data + size);
  tree[6] = uint8_t(kTypes[data[0] % 5]);

  const std::string path = base::temp_folder() + "/fuzz_btree.m14";
  FileMonikerPtr moniker = FmNewFromPath(path.c_str(), kFmCurrentFolder);
  {
    TitleFileSystemPtr fs = FsCreate(moniker.get(), nullptr);
    if (!fs) return 0;
    InternalFilePtr file = FsCreateFile(fs.get(), "|BT", kFsOpenNoWriteBack);
    if (!file) return 0;
    FsWriteFile(file.get(), tree.data(), int64_t(tree.size()));
  }
  TitleFileSystemPtr fs = FsOpen(moniker.get(), kFsOpenReadOnly);
  if (!fs) return 0;
  BtreePtr bt = BtOpen("|BT", fs.get(), kFsOpenReadOnly, (data[0] & 8) ? nullptr : &maps);
  if (!bt) return 0;

  std::vector<uint8_t> key, record;
  BtPosition position;
  int32_t moved = 0;
  if (BtFirst(bt.get(), &key, &record, &position) == kFsOk) {
    for (int32_t step : {1, 3, -2, 1000, -1000000, 2147483647}) {
      BtMovePosition(bt.get(), position, step, &moved, &position);
      BtGetAt(bt.get(), position, &key, &record);
    }
  }
  BtLast(bt.get(), &key, &record, &position);
  BtMovePosition(bt.get(), position, -2147483647, &moved, &position);
  // Lookups of keys cut from the input, NUL-terminated (and at least 4 bytes for 'L').
  for (size_t at = 0; at + 1 < tree.size() && at < 256; at += 37) {
    char wanted[16] = {};
    std::memcpy(wanted, tree.data() + at, std::min<size_t>(15, tree.size() - at));
    if (BtLookup(bt.get(), wanted, &position, &record, false) == kFsOk || position.page >= 0)
      BtGetAt(bt.get(), position, &key, &record);
    BtLookup(bt.get(), wanted, &position, nullptr, true);
  }
  BtMap map;
  for (size_t at = 0; at + 6 <= tree.size() && map.entries.size() < 8; at += 53)
    map.entries.push_back({int32_t(tree[at] | (tree[at + 1] << 8)), int16_t(tree[at + 4] | (tree[at + 5] << 8))});
  for (int32_t ordinal : {0, 1, 7, 100000}) BtMapOrdinalToKey(bt.get(), &map, &key, ordinal);
  int32_t ordinal = 0;
  const char someKey[8] = "k";
  BtMapPositionToOrdinal(bt.get(), &map, &ordinal, someKey);
  return 0;
}
