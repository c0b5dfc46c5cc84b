// Key sizes, record sizes and comparators over hostile bytes.
//
// Input: byte 0 picks the key type, byte 1 the split point; the rest is two stored keys (each measured
// first, as a page scan does) and a record format.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/mvfs/btree_keys.h"

using namespace mvfs;

namespace {

BtCharMaps makeMaps() {
  BtCharMaps maps(3);
  for (int c = 0; c < 256; ++c) {
    maps[0].weights[size_t(c)] = uint16_t(c ^ 0x5A);
    maps[1].weights[size_t(c)] = uint16_t(c % 7 ? c : 0);
    maps[2].weights[size_t(c)] = 0xF000 | uint16_t(c);
  }
  maps[0].ligatures = {{0xE6, 'a', 'e'}, {'s', 's', 's'}, {0, 1, 2}, {'x', 'y', 0}};
  maps[2].ligatures = {{'t', 'h', 0}};
  return maps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static const BtCharMaps maps = makeMaps();
  static const char kTypes[] = "ziSPLmkrIMtKR3af0Q";
  const BtKeyType type{kTypes[data[0] % (sizeof kTypes - 1)], (data[0] & 0x80) ? nullptr : &maps};
  const std::span<const uint8_t> rest(data + 2, size - 2);
  const size_t split = std::min<size_t>(data[1], rest.size());
  const std::span<const uint8_t> a = rest.first(split), b = rest.subspan(split);
  const int32_t sizeA = BtKeySize(a, type, true);
  const int32_t sizeB = BtKeySize(b, type, true);
  BtKeySize(a, type, false);
  if (sizeA > 0 && sizeB > 0) {
    const auto ka = a.first(size_t(sizeA)), kb = b.first(size_t(sizeB));
    const int ab = BtCompareKeys(ka, kb, type);
    const int ba = BtCompareKeys(kb, ka, type);
    if (BtCompareKeys(ka, ka, type) != 0) __builtin_trap();
    if (type.type == 'L' && ((ab < 0) != (ba > 0))) __builtin_trap();
    FsErrorCode code;
    BtKeyMatches(type, ka, kb, &code);
    const std::string format(reinterpret_cast<const char*>(b.data()), std::min<size_t>(sizeB, 15));
    BtRecordSize(a, format.c_str());
    BtFixedRecordSize(format.c_str());
  }
  return 0;
}
