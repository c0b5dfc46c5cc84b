// The run-length code of stored picture bits.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/bitmap/expanded_picture.h"

namespace bitmap {

namespace {

constexpr uint8_t kLiteralFlag = 0x80;
constexpr size_t kMaxGroup = 127;

}  // namespace

size_t ExpRleDecode(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_size) {
  size_t in = 0, out = 0;
  while (in < input_size && out < output_size) {
    uint8_t count = input[in++];
    if (count & kLiteralFlag) {
      size_t n = std::min({size_t(count - kLiteralFlag), input_size - in, output_size - out});
      std::memcpy(output + out, input + in, n);
      in += count - kLiteralFlag;
      out += n;
    } else {
      if (in >= input_size) break;
      size_t n = std::min(size_t(count), output_size - out);
      std::memset(output + out, input[in++], n);
      out += n;
    }
  }
  return out;
}

size_t ExpRleEncodeBound(size_t input_size) { return input_size + input_size / kMaxGroup + 1; }

size_t ExpRleEncode(const uint8_t* input, uint8_t* output, size_t input_size) {
  size_t out = 0;
  size_t literal = 0;  // start of the bytes not yet written
  auto flush_literals = [&](size_t end) {
    while (literal < end) {
      size_t n = std::min(kMaxGroup, end - literal);
      output[out++] = uint8_t(kLiteralFlag | n);
      std::memcpy(output + out, input + literal, n);
      out += n;
      literal += n;
    }
  };
  size_t i = 0;
  while (i < input_size) {
    size_t run = 1;
    while (i + run < input_size && input[i + run] == input[i]) ++run;
    if (run < 3) {
      i += run;
      continue;
    }
    flush_literals(i);
    size_t left = run;
    while (left > 0) {
      size_t n = std::min(kMaxGroup, left);
      output[out++] = uint8_t(n);
      output[out++] = input[i];
      left -= n;
    }
    i += run;
    literal = i;
  }
  flush_literals(input_size);
  return out;
}

int64_t ExpRleDecodeBackward(const uint8_t* input, uint8_t* output, size_t input_size, size_t output_size) {
  // The groups are found walking forwards (a count byte only tells its group's size), then written
  // from the last group to the first, each at the end of what is left of the output.
  struct Group {
    size_t at;
    uint8_t count;
  };
  std::vector<Group> groups;
  uint64_t total = 0;
  for (size_t in = 0; in < input_size;) {
    uint8_t count = input[in];
    size_t size = (count & kLiteralFlag) ? 1 + size_t(count - kLiteralFlag) : 2;
    if (size > input_size - in) break;
    groups.push_back({in, count});
    total += (count & kLiteralFlag) ? count - kLiteralFlag : count;
    in += size;
  }
  if (total > output_size) return -1;
  // Where input and output share bytes, a shrinking literal group could be overwritten before it
  // is read: the groups then read from a copy.
  std::vector<uint8_t> copy;
  if (input < output + output_size && output < input + input_size) {
    copy.assign(input, input + input_size);
    input = copy.data();
  }
  size_t end = output_size;
  for (auto g = groups.rbegin(); g != groups.rend(); ++g) {
    if (g->count & kLiteralFlag) {
      size_t n = g->count - kLiteralFlag;
      end -= n;
      std::memmove(output + end, input + g->at + 1, n);
    } else {
      uint8_t value = input[g->at + 1];
      end -= g->count;
      std::memset(output + end, value, g->count);
    }
  }
  return int64_t(total);
}

}  // namespace bitmap
