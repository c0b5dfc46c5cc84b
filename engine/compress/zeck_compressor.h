// The LZ compressor: produces the stream that zeck::ZeckDecompress reads (see engine/zeck/zeck_decompress.h).
//
// Matches are found over a 4,096-byte window through chains of earlier positions with the same first
// three bytes; the longest match wins, the nearest of equal length. The last 18 input bytes always
// come out as literals.
//
// Protected regions: input ranges whose bytes are written as literals and are never the source of a
// back reference, so that they can be patched in the compressed output afterwards (ZeckPatch). The
// compressor records where each region's first byte landed and how far into its group of eight items
// it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "engine/mvfs/title_file_system.h"

namespace compress {

// Codes of a compression.
inline constexpr int kZeckOk = 0;
inline constexpr int kZeckBadArgument = 6;  // output capacity below the worst case, null buffers
inline constexpr int kZeckStopped = 18;     // the yield callback stopped it

// The largest output for n input bytes: every item a literal, one flag byte per eight.
constexpr size_t ZeckMaxCompressedSize(size_t n) { return n + (n + 7) / 8; }

struct ZeckRegion {
  size_t inputPosition = 0;
  size_t length = 1;            // a length of 0 is taken as 1
  size_t outputPosition = 0;   // filled by the compressor: where the region's first byte was written
  uint8_t flagState = 0;       // filled by the compressor: items before it in its group of eight
  bool reached = false;         // filled by the compressor: the region was written
};

class ZeckCompressor {
 public:
  // Called every 256 items; false stops the compression with kZeckStopped.
  using YieldCallback = std::function<bool()>;
  // Given "Compressing . . . " or "Large Compressing . . . ".
  using StatusCallback = std::function<void(std::string_view)>;
  // Given the input size (plain form) or the caller's argument (form with regions).
  using BeginCallback = std::function<void(intptr_t)>;
  // Given the output position of the last flag byte.
  using EndCallback = std::function<void(size_t)>;

  void ZeckSetYield(YieldCallback callback) { yield_ = std::move(callback); }
  void ZeckSetStatus(StatusCallback callback) { status_ = std::move(callback); }
  void ZeckSetBegin(BeginCallback callback) { begin_ = std::move(callback); }
  void ZeckSetEnd(EndCallback callback) { end_ = std::move(callback); }

  // Compresses the whole input; `output_capacity` must be at least ZeckMaxCompressedSize(input size).
  // Returns the output size (0 with the code set on failure).
  size_t ZeckCompress(const uint8_t* input, size_t input_size, uint8_t* output, size_t output_capacity,
                      int& code);
  // Compresses at most as much input as fits into `output_limit` bytes, keeping the protected regions
  // (sorted by input position, not overlapping) literal. `input_used` tells how much input went in.
  size_t ZeckCompressEx(intptr_t begin_argument, const uint8_t* input, size_t input_size, uint8_t* output,
                        size_t output_limit, size_t& input_used, std::span<ZeckRegion> regions, int& code);

 private:
  size_t run(const uint8_t* input, size_t input_size, uint8_t* output, size_t output_limit,
             size_t& input_used, std::span<ZeckRegion> regions, int& code);

  YieldCallback yield_;
  StatusCallback status_;
  BeginCallback begin_;
  EndCallback end_;
};

// Writes the 32-bit little-endian `value` at byte `offset` of a protected region inside compressed
// output, stepping over the flag bytes that fall between its bytes. False when the bytes would lie
// outside the region or the output.
bool ZeckPatch(const ZeckRegion& region, std::span<uint8_t> output, size_t offset, uint32_t value);
// The same through an internal file being written whose compressed data starts at `base_position`;
// the file position is restored afterwards when `restore_position` is set.
bool ZeckPatchFile(mvfs::InternalFileHandle* file, int64_t base_position, const ZeckRegion& region,
                   size_t offset, uint32_t value, bool restore_position);

}  // namespace compress
