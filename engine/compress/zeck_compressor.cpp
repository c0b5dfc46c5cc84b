#include "engine/compress/zeck_compressor.h"

#include <algorithm>
#include <vector>

#include "engine/mvfs/fs_authoring.h"
#include "engine/zeck/zeck_decompress.h"

namespace compress {
namespace {

constexpr size_t kHashBits = 13;
constexpr size_t kHashSize = size_t(1) << kHashBits;
constexpr int32_t kNone = -1;
constexpr size_t kItemsPerYield = 256;

size_t hash3(const uint8_t* p) {
  return ((size_t(p[0]) << 10) ^ (size_t(p[1]) << 5) ^ p[2]) & (kHashSize - 1);
}

// Chains of earlier positions with the same first three bytes, limited to the window.
class MatchFinder {
 public:
  MatchFinder(const uint8_t* input, size_t size, const std::vector<bool>& blocked)
      : input_(input), size_(size), blocked_(blocked), head_(kHashSize, kNone), previous_(zeck::kZeckWindow, kNone) {}

  void insert(size_t p) {
    if (p + zeck::kZeckMinMatch > size_ || blocked_[p]) return;
    const size_t h = hash3(input_ + p);
    previous_[p % zeck::kZeckWindow] = head_[h];
    head_[h] = int32_t(p);
  }

  // The longest match for p of at most `max_length` bytes whose source holds no protected byte;
  // returns its length (0 when below three) and sets the distance.
  size_t find(size_t p, size_t max_length, size_t& distance) const {
    size_t best = 0;
    if (max_length < zeck::kZeckMinMatch || p + zeck::kZeckMinMatch > size_) return 0;
    for (int32_t q = head_[hash3(input_ + p)]; q != kNone; q = previous_[size_t(q) % zeck::kZeckWindow]) {
      const size_t candidate = size_t(q);
      if (candidate >= p || p - candidate > zeck::kZeckWindow) break;
      size_t length = 0;
      while (length < max_length && !blocked_[candidate + length] &&
             input_[candidate + length] == input_[p + length])
        ++length;
      if (length > best) {
        best = length;
        distance = p - candidate;
        if (best == max_length) break;
      }
    }
    return best >= zeck::kZeckMinMatch ? best : 0;
  }

 private:
  const uint8_t* input_;
  size_t size_;
  const std::vector<bool>& blocked_;
  std::vector<int32_t> head_;
  std::vector<int32_t> previous_;
};

// Writes items behind flag bytes.
class ItemWriter {
 public:
  ItemWriter(uint8_t* output, size_t limit) : out_(output), limit_(limit) {}

  size_t size() const { return pos_; }
  size_t last_flag() const { return flagPos_; }
  uint8_t items_in_group() const { return uint8_t(items_ % 8); }
  // Whether an item of `bytes` bytes (plus a new flag byte when a group starts) still fits.
  bool fits(size_t bytes) const { return pos_ + bytes + (items_ % 8 == 0 ? 1 : 0) <= limit_; }
  // Opens a group when the previous one is full; returns the position the item's bytes start at.
  size_t begin_item() {
    if (items_ % 8 == 0) {
      flagPos_ = pos_;
      out_[pos_++] = 0;
    }
    return pos_;
  }
  void literal(uint8_t byte) {
    begin_item();
    out_[pos_++] = byte;
    ++items_;
  }
  void reference(size_t distance, size_t length) {
    begin_item();
    out_[flagPos_] |= uint8_t(1u << (items_ % 8));
    const size_t d = distance - 1;
    out_[pos_++] = uint8_t(d & 0xFF);
    out_[pos_++] = uint8_t(((length - zeck::kZeckMinMatch) << 4) | (d >> 8));
    ++items_;
  }
  size_t items() const { return items_; }

 private:
  uint8_t* out_;
  size_t limit_;
  size_t pos_ = 0;
  size_t flagPos_ = 0;
  size_t items_ = 0;
};

}  // namespace

size_t ZeckCompressor::ZeckCompress(const uint8_t* input, size_t input_size, uint8_t* output,
                                    size_t output_capacity, int& code) {
  code = kZeckOk;
  if (input_size == 0) return 0;
  if (!input || !output || output_capacity < ZeckMaxCompressedSize(input_size)) {
    code = kZeckBadArgument;
    return 0;
  }
  if (begin_) begin_(intptr_t(input_size));
  if (status_) status_("Compressing . . . ");
  size_t used = 0;
  return run(input, input_size, output, output_capacity, used, {}, code);
}

size_t ZeckCompressor::ZeckCompressEx(intptr_t begin_argument, const uint8_t* input, size_t input_size,
                                      uint8_t* output, size_t output_limit, size_t& input_used,
                                      std::span<ZeckRegion> regions, int& code) {
  code = kZeckOk;
  input_used = 0;
  if ((!input && input_size) || !output || output_limit == 0) {
    code = kZeckBadArgument;
    return 0;
  }
  if (begin_) begin_(begin_argument);
  if (status_) status_("Large Compressing . . . ");
  return run(input, input_size, output, output_limit, input_used, regions, code);
}

size_t ZeckCompressor::run(const uint8_t* input, size_t input_size, uint8_t* output, size_t output_limit,
                           size_t& input_used, std::span<ZeckRegion> regions, int& code) {
  // blocked[i]: input byte i is protected; one extra entry so that match loops stop at the end.
  std::vector<bool> blocked(input_size + 1, false);
  blocked[input_size] = true;
  for (ZeckRegion& region : regions) {
    region.reached = false;
    const size_t length = std::max<size_t>(region.length, 1);
    for (size_t i = region.inputPosition; i < region.inputPosition + length && i < input_size; ++i)
      blocked[i] = true;
  }
  MatchFinder finder(input, input_size, blocked);
  ItemWriter writer(output, output_limit);
  const size_t match_end = input_size > zeck::kZeckMaxMatch ? input_size - zeck::kZeckMaxMatch : 0;
  size_t next_region = 0;
  size_t p = 0;
  while (p < input_size) {
    if (writer.items() % kItemsPerYield == 0 && writer.items() && yield_ && !yield_()) {
      code = kZeckStopped;
      break;
    }
    while (next_region < regions.size() &&
           regions[next_region].inputPosition + std::max<size_t>(regions[next_region].length, 1) <= p)
      ++next_region;
    if (blocked[p]) {
      if (!writer.fits(1)) break;
      ZeckRegion* region = next_region < regions.size() && regions[next_region].inputPosition == p
                               ? &regions[next_region]
                               : nullptr;
      if (region) {
        region->flagState = writer.items_in_group();
        region->outputPosition = writer.begin_item();
        region->reached = true;
      }
      writer.literal(input[p++]);
      continue;
    }
    size_t distance = 0;
    size_t length = 0;
    if (p < match_end) {
      size_t max_length = zeck::kZeckMaxMatch;
      // A match never runs into the next protected region.
      for (size_t i = 0; i < max_length; ++i)
        if (blocked[p + i]) max_length = i;
      length = finder.find(p, max_length, distance);
    }
    if (length) {
      if (!writer.fits(2)) break;
      writer.reference(distance, length);
      for (size_t i = 0; i < length; ++i) finder.insert(p + i);
      p += length;
    } else {
      if (!writer.fits(1)) break;
      finder.insert(p);
      writer.literal(input[p++]);
    }
  }
  input_used = p;
  if (end_) end_(writer.last_flag());
  return writer.size();
}

namespace {

// Output offsets of the bytes of a region, stepping over flag bytes; false past the region.
bool region_byte_offsets(const ZeckRegion& region, size_t offset, size_t (&at)[4]) {
  const size_t length = std::max<size_t>(region.length, 1);
  if (!region.reached || offset > length || length - offset < 4) return false;
  size_t pos = region.outputPosition;
  size_t slot = region.flagState;
  for (size_t i = 0; i < offset + 4; ++i) {
    if (i >= offset) at[i - offset] = pos;
    ++pos;
    if (++slot == 8) {
      slot = 0;
      ++pos;  // the next group's flag byte
    }
  }
  return true;
}

}  // namespace

bool ZeckPatch(const ZeckRegion& region, std::span<uint8_t> output, size_t offset, uint32_t value) {
  size_t at[4];
  if (!region_byte_offsets(region, offset, at) || at[3] >= output.size()) return false;
  for (int i = 0; i < 4; ++i) output[at[i]] = uint8_t(value >> (8 * i));
  return true;
}

bool ZeckPatchFile(mvfs::InternalFileHandle* file, int64_t base_position, const ZeckRegion& region,
                   size_t offset, uint32_t value, bool restore_position) {
  size_t at[4];
  if (!file || !region_byte_offsets(region, offset, at)) return false;
  const int64_t saved = mvfs::FsTellFile(file);
  bool ok = true;
  for (int i = 0; i < 4 && ok; ++i) {
    const uint8_t byte = uint8_t(value >> (8 * i));
    ok = mvfs::FsSeekFile(file, base_position + int64_t(at[i]), mvfs::kFsSeekSet) >= 0 &&
         mvfs::FsWriteFile(file, &byte, 1) == 1;
  }
  if (restore_position && saved >= 0) mvfs::FsSeekFile(file, saved, mvfs::kFsSeekSet);
  return ok;
}

}  // namespace compress
