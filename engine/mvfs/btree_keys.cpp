// B-tree key types: stored sizes, record sizes, the two fixed weight tables and the collations.
//
// Stored key forms by type:
//   'z' 'i' 'S' 'P' 'm'   NUL-terminated string ('P' strings carry face switches: byte 3, then the
//                         1-based number of the character map that applies from there on)
//   'L'                   signed 32-bit little-endian integer
//   'k' 'r'               one byte n (bytes shared with the key before), then a NUL-terminated string
//   'I' 'M' 't'           one length byte n, then n bytes
//   'K' 'R'               two length bytes p and n; the key takes n + 1 bytes in all
//   '1'-'9', 'a'-'f'      that many bytes (10-15 for the letters)
#include "engine/mvfs/btree_keys.h"

#include <algorithm>
#include <cstring>

#include "platform/base/byte_io.h"

namespace mvfs {
namespace {

constexpr std::array<uint8_t, 256> makeWeightsI() {
  std::array<uint8_t, 256> w{};
  for (int c = 0; c < 256; ++c) w[c] = uint8_t(c);
  for (int c = '0'; c <= '9'; ++c) w[c] = uint8_t(0x82 + (c - '0'));
  for (int c = 0x3A; c <= 0x40; ++c) w[c] = uint8_t(c - 0x0A);
  constexpr uint8_t letters[26] = {0x8D, 0x8F, 0x91, 0x93, 0x95, 0x97, 0x99, 0x9B, 0x9D, 0x9F, 0xA1, 0xA3, 0xA5,
                                   0xA7, 0xAB, 0xAD, 0xAF, 0xB1, 0xB3, 0xB6, 0xB8, 0xBA, 0xBC, 0xBE, 0xC1, 0xC5};
  for (int i = 0; i < 26; ++i) w['A' + i] = w['a' + i] = letters[i];
  for (int c = 0x5B; c <= 0x60; ++c) w[c] = uint8_t(c - 0x24);
  for (int c = 0x7B; c <= 0xBF; ++c) w[c] = uint8_t(c - 0x3E);
  w[0x8A] = w[0x9A] = 0xB3;
  w[0x8C] = w[0x9C] = 0xAB;
  w[0x9F] = 0xC1;
  auto range = [&w](int from, int to, uint8_t weight) {
    for (int c = from; c <= to; ++c) w[c] = weight;
  };
  range(0xC0, 0xC6, 0x8D);
  range(0xE0, 0xE6, 0x8D);
  w[0xC7] = w[0xE7] = 0x91;
  range(0xC8, 0xCB, 0x95);
  range(0xE8, 0xEB, 0x95);
  range(0xCC, 0xCF, 0x9D);
  range(0xEC, 0xEF, 0x9D);
  w[0xD0] = w[0xF0] = 0x93;
  w[0xD1] = w[0xF1] = 0xA7;
  range(0xD2, 0xD6, 0xAB);
  w[0xD8] = 0xAB;
  range(0xF2, 0xF8, 0xAB);
  w[0xD7] = 0xAA;
  range(0xD9, 0xDC, 0xB8);
  range(0xF9, 0xFC, 0xB8);
  w[0xDD] = w[0xFD] = w[0xFF] = 0xC1;
  w[0xDE] = w[0xFE] = 0xC6;
  w[0xDF] = 0xB4;
  return w;
}

constexpr std::array<uint8_t, 256> makeWeightsS() {
  std::array<uint8_t, 256> w = makeWeightsI();
  for (int c = 0x80; c <= 0xBF; ++c) w[c] = uint8_t(c - 0x3E);
  w[0x8A] = 0x4B;
  w[0xC4] = w[0xE4] = 0xCF;
  w[0xC5] = w[0xE5] = 0xCD;
  w[0xC6] = w[0xE6] = 0xC9;
  w[0xD1] = w[0xF1] = 0xA9;
  w[0xD6] = w[0xF6] = 0xD1;
  w[0xD8] = w[0xF8] = 0xCB;
  w[0xDD] = w[0xFD] = 0xC2;
  w[0xDE] = w[0xFE] = 0xC7;
  w[0xFF] = 0xC3;
  return w;
}

// Size of a NUL-terminated string at the start of `bytes`, NUL included; -1 without a NUL.
int32_t stringSize(std::span<const uint8_t> bytes) {
  const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
  if (!nul) return -1;
  return int32_t(static_cast<const uint8_t*>(nul) - bytes.data()) + 1;
}

int32_t fixedDigitSize(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int32_t within(int32_t size, size_t available) { return size >= 0 && size_t(size) <= available ? size : -1; }

// The byte at i, or 0 past the end (keys measured by BtKeySize end in a NUL anyway).
uint8_t at(std::span<const uint8_t> s, size_t i) { return i < s.size() ? s[i] : 0; }

int compareBytes(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  // Whole string keys end in their only NUL: one memcmp over the shorter decides.
  if (!a.empty() && !b.empty() && a.back() == 0 && b.back() == 0) {
    const int r = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return r ? r : int(a.size()) - int(b.size());
  }
  for (size_t i = 0;; ++i) {
    const uint8_t x = at(a, i), y = at(b, i);
    if (x != y) return int(x) - int(y);
    if (x == 0 || (i + 1 >= a.size() && i + 1 >= b.size())) return 0;
  }
}

int compareCounted(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return int(a[i]) - int(b[i]);
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int compareS(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  size_t i = 0;
  while (at(a, i) == at(b, i)) {
    if (at(a, i) == 0 || i >= a.size()) return 0;
    ++i;
  }
  for (;; ++i) {
    const int d = int(kBtWeightsS[at(a, i)]) - int(kBtWeightsS[at(b, i)]);
    if (d) return d;
    if (at(a, i) == 0 || i >= a.size()) return 0;
  }
}

// The ligature {character, first, second} for c, or null. An entry whose character is 0 ends the list.
const std::array<uint8_t, 3>* findLigature(const BtCharMap* map, uint8_t c) {
  if (!map || c == 0) return nullptr;
  for (const auto& entry : map->ligatures) {
    if (entry[0] == 0) return nullptr;
    if (entry[0] == c) return &entry;
  }
  return nullptr;
}

// One side of an 'i' comparison: its string, position and the second half of a ligature still due.
struct FoldedCursor {
  std::span<const uint8_t> s;
  size_t i = 0;
  int pending = -1;
  // The next character after ligature expansion; -1 at the end of the string.
  int next(const BtCharMap* ligatures) {
    if (pending >= 0) {
      const int c = pending;
      pending = -1;
      return c;
    }
    const uint8_t c = at(s, i);
    if (c == 0) return -1;
    ++i;
    if (const auto* lig = findLigature(ligatures, c)) {
      if (lig[0][2]) pending = lig[0][2];
      return lig[0][1];
    }
    return c;
  }
};

int compareI(std::span<const uint8_t> a, std::span<const uint8_t> b, const BtCharMaps* maps) {
  const BtCharMap* ligatures = maps && !maps->empty() ? &maps->front() : nullptr;
  FoldedCursor ca{a}, cb{b};
  for (;;) {
    const int x = ca.next(ligatures), y = cb.next(ligatures);
    if (x < 0) return y < 0 ? 0 : -1;
    if (y < 0) return 1;
    const int d = int(kBtWeightsI[x]) - int(kBtWeightsI[y]);
    if (d) return d;
  }
}

// One side of a 'P' comparison: its string, position and the character map in force.
struct FaceCursor {
  std::span<const uint8_t> s;
  const BtCharMaps* maps;
  size_t i = 0;
  const BtCharMap* map = nullptr;

  void select_map(uint8_t number) {
    // A number past the title's maps falls back to map 1.
    map = maps && !maps->empty() ? &(*maps)[number >= 1 && number <= maps->size() ? number - 1 : 0] : nullptr;
  }
  uint16_t weight(uint8_t c) const { return map ? map->weights[c] & 0x0FFF : c; }
  uint8_t current() const { return at(s, i); }
  // Steps over face switches and characters the current map ignores (weight 0).
  void settle() {
    for (;;) {
      skip_switches();
      if (!current() || weight(current()) != 0) return;
      ++i;
    }
  }
  // Steps over face switches; a switch right before the NUL ends there.
  void skip_switches() {
    while (current() == 3) {
      if (at(s, i + 1) == 0) {
        ++i;
        return;
      }
      select_map(at(s, i + 1));
      i += 2;
    }
  }
};

int compareP(std::span<const uint8_t> a, std::span<const uint8_t> b, const BtCharMaps* maps) {
  FaceCursor ca{a, maps}, cb{b, maps};
  ca.select_map(1);
  cb.select_map(1);
  for (;;) {
    // Face switches and ignored characters are passed on both sides before anything is compared, so
    // that a key compares equal to itself whatever it ignores.
    ca.settle();
    cb.settle();
    if (!ca.current() || !cb.current()) break;
    uint8_t a1 = ca.current(), b1 = cb.current();
    int a2 = -1, b2 = -1;
    if (const auto* lig = findLigature(ca.map, a1)) {
      a1 = (*lig)[1];
      a2 = (*lig)[2];
    }
    if (const auto* lig = findLigature(cb.map, b1)) {
      b1 = (*lig)[1];
      b2 = (*lig)[2];
    }
    // When only one side expands, the other side's next character stands against the second half.
    auto borrowNext = [](FaceCursor& c, int& second) {
      const uint8_t next = at(c.s, c.i + 1);
      if (next) {
        second = next;
        ++c.i;
      }
    };
    if (a2 >= 0 && b2 < 0) borrowNext(cb, b2);
    if (b2 >= 0 && a2 < 0) borrowNext(ca, a2);
    int d = int(ca.weight(a1)) - int(cb.weight(b1));
    if (d == 0) d = int(ca.weight(uint8_t(std::max(a2, 0)))) - int(cb.weight(uint8_t(std::max(b2, 0))));
    if (d) return d;
    ++ca.i;
    ++cb.i;
  }
  return int(ca.current()) - int(cb.current());
}

int32_t readI32(std::span<const uint8_t> s) { return s.size() >= 4 ? int32_t(base::load_le32(s.data())) : 0; }

}  // namespace

const std::array<uint8_t, 256> kBtWeightsI = makeWeightsI();
const std::array<uint8_t, 256> kBtWeightsS = makeWeightsS();

int32_t BtKeySize(std::span<const uint8_t> bytes, const BtKeyType& type, bool storedSize) {
  switch (type.type) {
    case 'z': case 'i': case 'S': case 'P': case 'm':
      return stringSize(bytes);
    case 'L':
      return within(4, bytes.size());
    case 'k': case 'r': {
      if (bytes.empty()) return -1;
      const int32_t rest = stringSize(bytes.subspan(1));
      if (rest < 0) return -1;
      return storedSize ? rest + 1 : bytes[0] + rest;
    }
    case 'I': case 'M': case 't':
      return bytes.empty() ? -1 : within(bytes[0] + 1, bytes.size());
    case 'K': case 'R': {
      if (bytes.size() < 2 || bytes[1] + 1 < 2) return -1;
      const int32_t stored = within(bytes[1] + 1, bytes.size());
      return stored < 0 || storedSize ? stored : bytes[0] + stored;
    }
    default: {
      const int32_t n = fixedDigitSize(type.type);
      if (n < 0 || (type.type >= 'A' && type.type <= 'F') || type.type == '0') return 0;
      return within(n, bytes.size());
    }
  }
}

int32_t BtFixedRecordSize(const char* format) {
  if (!format || !*format) return 0;
  int32_t total = 0;
  for (const char* p = format + 1; *p; ++p) {
    if (*p == 'T' || *p == 't' || *p == 'z') return 0;
    total += std::max(fixedDigitSize(*p), 0);
  }
  return total;
}

int32_t BtRecordSize(std::span<const uint8_t> bytes, const char* format) {
  if (!format || !*format) return 0;
  size_t total = 0;
  for (const char* p = format + 1; *p; ++p) {
    const std::span<const uint8_t> rest = total <= bytes.size() ? bytes.subspan(total) : std::span<const uint8_t>();
    switch (*p) {
      case 'T':
        if (rest.size() < 2) return -1;
        total += 2 + base::load_le16(rest.data());
        break;
      case 't':
        if (rest.empty()) return -1;
        total += 1 + rest[0];
        break;
      case 'z': {
        const int32_t n = stringSize(rest);
        if (n < 0) return -1;
        total += size_t(n);
        break;
      }
      default:
        total += size_t(std::max(fixedDigitSize(*p), 0));
    }
  }
  return within(int32_t(total), bytes.size());
}

int BtCompareKeys(std::span<const uint8_t> a, std::span<const uint8_t> b, const BtKeyType& type) {
  switch (type.type) {
    case 'L': {
      const int32_t x = readI32(a), y = readI32(b);
      return x < y ? -1 : x > y ? 1 : 0;
    }
    case 'S': return compareS(a, b);
    case 'i': return compareI(a, b, type.charMaps);
    case 'P': return compareP(a, b, type.charMaps);
    case 'I': case 'M': case 't':
      return compareCounted(a.empty() ? a : a.subspan(1), b.empty() ? b : b.subspan(1));
    case 'K': case 'R':
      return compareCounted(a.size() < 2 ? a.subspan(0, 0) : a.subspan(2),
                            b.size() < 2 ? b.subspan(0, 0) : b.subspan(2));
    case 'k': case 'r':
      return compareBytes(a.empty() ? a : a.subspan(1), b.empty() ? b : b.subspan(1));
    default: return compareBytes(a, b);
  }
}

bool BtKeyMatches(const BtKeyType& type, std::span<const uint8_t> text, std::span<const uint8_t> key,
                  FsErrorCode* code) {
  if (code) *code = kFsOk;
  switch (type.type) {
    case 'z': case 'k': case 'm': case 'r':
    case 'i': case 'S':
      return BtCompareKeys(text, key, type) == 0;
    case 'P':
      return BtCompareKeys(text, key, type) <= 0;
    case 'I': case 'K': case 'M': case 'R': case 't':
      if (code) *code = kFsUnavailable;
      return false;
    default:
      if (code) *code = kFsBadFormat;
      return false;
  }
}

std::span<const uint8_t> BtCallerKey(const void* key, char type) {
  if (!key) return {};
  const auto* p = static_cast<const uint8_t*>(key);
  if (type == 'L') return {p, 4};
  return {p, std::strlen(static_cast<const char*>(key)) + 1};
}

}  // namespace mvfs
